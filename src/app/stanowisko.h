// The turbine workbench as data: the door of the main window (the open database and its
// turbines) and one turbine's window (its tables, the chosen campaign, the results, undo). Every
// edit is checked and saved in one transaction; a refusal is told at its cell and nothing is saved.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "coeffdb/baza.h"
#include "common/dialogs.h"
#include "turbiny/magazyn.h"
#include "turbiny/model.h"
#include "turbiny/obliczenia.h"

namespace kal {

inline constexpr const char* kTytulTurbin = "Turbiny";
inline constexpr const char* kPlikBazyTurbin = "turbiny.db";
inline constexpr const char* kNowaTurbina = "Nowa turbina…";
inline constexpr const char* kOtworzBaze = "Otwórz bazę…";

// The door: the open database and its turbines, the list "Turbiny" shows.
class DrzwiTurbin {
 public:
  explicit DrzwiTurbin(Dialogs& dialogs) : dialogs_(dialogs) {}

  // The data folder's database: listed when the file is there, made at the first new turbine.
  void UstawFolder(const std::string& folderDanych);
  // Another file (made when missing); false after the message, the previous one stays open.
  bool OtworzBaze(const std::string& sciezka);
  const std::string& sciezka() const { return sciezka_; }
  // The store, opened when first needed (null after a refusal, told to the user).
  std::shared_ptr<turbiny::Magazyn> Magazyn();

  // Rereads the turbines of the file (another window or the batch tool may have added one).
  void Odswiez();
  const std::vector<std::string>& turbiny() const { return turbiny_; }
  // The list's items: the turbines, then "Nowa turbina…" and "Otwórz bazę…".
  std::vector<std::string> Pozycje() const;

  // "Nowa turbina…": its name asked, the turbine saved; the name, or "" after a cancel or refusal.
  std::string NowaTurbina();

 private:
  Dialogs& dialogs_;
  std::string sciezka_;
  std::shared_ptr<turbiny::Magazyn> magazyn_;
  std::vector<std::string> turbiny_;
};

enum class Tabela { Punkty, Odcinki, Kampanie, Odczyty };

struct OpisKolumny {
  std::string naglowek;
  std::vector<std::string> wybory;  // a choice among these; empty: typed text
  bool tylkoOdczyt = false;
};

// Columns of each table.
namespace kolPunktu {
inline constexpr int Id = 0, Nazwa = 1, Jednostka = 2, Nadcisnienie = 3, U_p = 4, U_pJedn = 5, U_t = 6, LimP = 7,
                     LimPmin = 8, LimT = 9, Liczba = 10;
}
namespace kolOdcinka {
inline constexpr int Nazwa = 0, Wlot = 1, Wylot = 2, Rodzaj = 3, EtaProjekt = 4, Liczba = 5;
}
namespace kolKampanii {
inline constexpr int Id = 0, Data = 1, Rodzaj = 2, Etykieta = 3, Moc = 4, Otoczenie = 5, Liczba = 6;
}
namespace kolOdczytu {
inline constexpr int Punkt = 0, Jednostka = 1, P = 2, T = 3, H = 4, U_h = 5, N = 6, Liczba = 7;
}

// One turbine's window.
class OknoTurbiny {
 public:
  OknoTurbiny(Dialogs& dialogs, std::shared_ptr<turbiny::Magazyn> magazyn, char decimalSep = ',');

  // Reads the turbine with all its campaigns and computes them; false after the message.
  bool Otworz(const std::string& nazwa);
  const turbiny::Dokument& dokument() const { return dok_; }
  const std::string& nazwa() const { return dok_.turbina.nazwa; }

  // The coefficient record the fits use (null: the defaults); the results are computed again
  // when its tables hold other numbers than at the last computation (a reread of the same file
  // computes nothing).
  void Wspolczynniki(const Baza* baza);

  // The tables: the points, sections and campaigns end with an empty row for a new entry; the
  // readings grid has a row per point of the chosen campaign.
  int Wiersze(Tabela t) const;
  static int Kolumny(Tabela t);
  OpisKolumny Kolumna(Tabela t, int k) const;
  std::string Tekst(Tabela t, int w, int k) const;
  // Checks and saves one cell; false after the message naming the cell and why (nothing saved).
  bool Edytuj(Tabela t, int w, int k, const std::string& tekst);
  bool UsunWiersz(Tabela t, int w);

  // The campaign whose readings the grid shows; -1 none.
  int kampania() const { return kampania_; }
  void WybierzKampanie(int w);

  // A tab-separated block (decimal comma or point; an empty cell clears it) pasted into the
  // readings grid from (w, k); all or nothing, one transaction.
  bool Wklej(int w, int k, const std::string& blok);
  // Rows w0..w1, columns k0..k1 of the readings grid, tab-separated, with the window's decimal sign.
  std::string Kopiuj(int w0, int k0, int w1, int k1) const;

  // The last edit taken back (saved again as it was); false when there is none.
  bool Cofnij();
  bool moznaCofnac() const { return !cofnij_.empty(); }

  // A campaign from the import wizard, its raw series and the mapping used, in one transaction.
  bool ZapiszImport(const turbiny::Kampania& k, const std::vector<turbiny::Seria>& surowe,
                    const std::string& mapowanie);

  // Every campaign's results, in the document's order, and how often they were computed.
  const std::vector<turbiny::WynikKampanii>& wyniki() const { return wyniki_; }
  long przeliczenia() const { return przeliczenia_; }

  // The help page of the workbench.
  void Pomoc();

 private:
  struct Krok {  // what an edit changed, to take it back
    std::optional<turbiny::Turbina> turbina;
    std::string kampaniaId;                     // a campaign changed, added or removed
    std::optional<turbiny::Kampania> kampania;  // as it was; nullopt: it was not there
    std::vector<turbiny::Seria> surowe;         // its raw series
    bool byla = false;                          // kampaniaId names a campaign
  };

  bool Odmowa(Tabela t, int w, int k, const std::string& dlaczego);
  bool ZapiszTurbine(const turbiny::Turbina& nowa);
  bool ZapiszKampanie(const turbiny::Kampania& nowa, bool nowaKampania);
  std::vector<turbiny::Seria> SuroweKampanii(const std::string& id);
  bool EdytujPunkt(int w, int k, const std::string& tekst);
  bool EdytujOdcinek(int w, int k, const std::string& tekst);
  bool EdytujKampanie(int w, int k, const std::string& tekst);
  // One reading cell into `o`; "" when it fits, else why not.
  std::string WpiszOdczyt(const turbiny::PunktPomiarowy& p, int k, const std::string& tekst, turbiny::Odczyt& o) const;
  std::string Liczba(double x) const;
  void Przelicz();

  Dialogs& dialogs_;
  std::shared_ptr<turbiny::Magazyn> magazyn_;
  char sep_;
  turbiny::Dokument dok_;
  int kampania_ = -1;
  std::vector<Krok> cofnij_;
  std::vector<turbiny::WynikKampanii> wyniki_;
  const Baza* baza_ = nullptr;
  std::array<std::uint8_t, kRecordLen> rekord_{};  // the tables of the last computation
  long przeliczenia_ = 0;
};

// A number typed or pasted: decimal comma or point, spaces as thousands separators; nullopt for
// anything else (and for NaN or infinity).
std::optional<double> LiczbaZTekstu(const std::string& tekst);

}  // namespace kal
