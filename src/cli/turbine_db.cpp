// "kalorimo-calc turbine list|import|export|calc NAME|import-csv": the batch tool over the turbine
// database. A refused file or database ends with 3, a refused change or an unstable series with 1.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/batch_dialogs.h"
#include "cli/output.h"
#include "cli/run.h"
#include "cli/turbine.h"
#include "common/data_folder.h"
#include "turbiny/dokument.h"
#include "turbiny/import.h"
#include "turbiny/magazyn_sqlite.h"

namespace kal::cli {

namespace {

using turbiny::BladPlikuBazy;
using turbiny::BladTurbiny;

// A usage error already told; the command ends with 2.
struct ZleWywolanie {
  std::string tekst;
};

// A file that could not be read or was refused; the command ends with 3.
struct PlikOdrzucony {
  std::string tekst;
};

[[maybe_unused]] std::string Liczba(double x) {
  if (!std::isfinite(x)) return "null";
  char b[40];
  std::snprintf(b, sizeof b, "%.9g", x);
  return b;
}

std::string Tekst(const std::string& s) {
  return nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

bool Pisz(std::FILE* out, const std::string& s) { return std::fwrite(s.data(), 1, s.size(), out) == s.size(); }

std::string Wczytany(const std::string& sciezka) {
  std::string t;
  const int e = CzytajPlik(sciezka, t);
  if (e != 0) throw PlikOdrzucony{"nie można odczytać pliku " + sciezka + ": " + std::strerror(e)};
  return t;
}

// --db, else turbiny.db in --data or in the tool's own data folder (made when a change needs it).
std::string SciezkaBazy(const TurbineArgs& a, bool zapis) {
  if (a.db) {
    if (a.db->empty()) throw ZleWywolanie{"--db: pusta ścieżka pliku bazy"};
    return *a.db;
  }
  std::string folder;
  if (a.dataDir) {
    folder = *a.dataDir;
  } else {
    CliPlatform platforma;
    folder = WybierzFolderDanych(platforma.ExecutableDir() + "/Kalorimo", platforma.UserDataDir());
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (zapis && !FolderDoZapisu(folder))
    throw PlikOdrzucony{"katalog danych " + folder +
                        " nie istnieje i nie można go utworzyć albo nie można w nim pisać"};
  return folder + "/turbiny.db";
}

int Lista(const TurbineArgs& a, std::FILE* out) {
  auto baza = turbiny::OtworzBaze(SciezkaBazy(a, false), true);
  std::string s;
  if (a.format == Format::Csv) s = "name,description,points,sections,campaigns,last\r\n";
  for (const std::string& nazwa : baza->Turbiny()) {
    const auto d = baza->Wczytaj(nazwa);
    if (!d) continue;  // removed meanwhile by another program
    std::string ostatni;
    for (const turbiny::Kampania& k : d->kampanie)
      if (k.data > ostatni) ostatni = k.data;
    const std::string punkty = std::to_string(d->turbina.punkty.size());
    const std::string odcinki = std::to_string(d->turbina.odcinki.size());
    const std::string pomiary = std::to_string(d->kampanie.size());
    switch (a.format) {
      case Format::Json:
        s += "{\"kind\":\"turbine-list\",\"name\":" + Tekst(nazwa) + ",\"description\":" + Tekst(d->turbina.opis) +
             ",\"points\":" + punkty + ",\"sections\":" + odcinki + ",\"campaigns\":" + pomiary +
             ",\"last\":" + (ostatni.empty() ? "null" : Tekst(ostatni)) + "}\n";
        break;
      case Format::Csv:
        CsvText(s, nazwa);
        s += ',';
        CsvText(s, d->turbina.opis);
        s += "," + punkty + "," + odcinki + "," + pomiary + ",";
        CsvText(s, ostatni);
        s += "\r\n";
        break;
      default:
        s += nazwa + (d->turbina.opis.empty() ? "" : " — " + d->turbina.opis) + ": punktów " + punkty + ", odcinków " +
             odcinki + ", pomiarów " + pomiary + (ostatni.empty() ? "" : ", ostatni " + ostatni) + "\n";
        break;
    }
  }
  if (!Pisz(out, s)) throw PlikOdrzucony{"nie można zapisać wyniku"};
  return kExitOk;
}

int Import(const TurbineArgs& a, std::FILE* out) {
  const std::string plik = a.words[0];
  turbiny::Dokument d;
  try {
    d = turbiny::WczytajDokument(Wczytany(plik));
  } catch (const BladTurbiny& b) {
    throw PlikOdrzucony{plik + ": " + b.what()};
  }
  const std::string sciezka = SciezkaBazy(a, true);
  auto baza = turbiny::OtworzBaze(sciezka);
  try {
    baza->Importuj(d, a.replace);
  } catch (const BladPlikuBazy&) {
    throw;
  } catch (const BladTurbiny& b) {
    throw BladTurbiny(b.what() + std::string(a.replace ? "" : " (--replace, aby zastąpić)"));
  }
  if (a.format == Format::Text && !Pisz(out, "zapisano turbinę " + d.turbina.nazwa + " (pomiarów " +
                                                 std::to_string(d.kampanie.size()) + ") w " + sciezka + "\n"))
    throw PlikOdrzucony{"nie można zapisać wyniku"};
  return kExitOk;
}

turbiny::Dokument Turbina(const TurbineArgs& a, turbiny::Magazyn& baza, const std::string& sciezka) {
  auto d = baza.Wczytaj(a.words[0]);
  if (!d) throw BladTurbiny("baza turbin " + sciezka + ": brak turbiny " + a.words[0]);
  return *std::move(d);
}

int Eksport(const TurbineArgs& a, std::FILE* out) {
  const std::string sciezka = SciezkaBazy(a, false);
  auto baza = turbiny::OtworzBaze(sciezka, true);
  std::string s = turbiny::ZapiszDokument(Turbina(a, *baza, sciezka));
  if (s.empty() || s.back() != '\n') s += '\n';
  if (!Pisz(out, s)) throw PlikOdrzucony{"nie można zapisać dokumentu na standardowe wyjście"};
  return kExitOk;
}

int Oblicz(const TurbineArgs& a, std::FILE* out, std::FILE* err) {
  const std::string sciezka = SciezkaBazy(a, false);
  turbiny::Dokument d;
  {
    auto baza = turbiny::OtworzBaze(sciezka, true);
    d = Turbina(a, *baza, sciezka);
  }  // the file is let go before the calculation
  return TurbineCalc(d, a.campaign, a.format, out, err);
}

int ImportCsv(const TurbineArgs& a, std::FILE*) {
  (void)a;
  throw PlikOdrzucony{"import serii do bazy: jeszcze nie zbudowane"};
}

}  // namespace

int TurbineDatabase(const TurbineArgs& a, std::FILE* out, std::FILE* err) {
  const std::string przedrostek = "kalorimo-calc turbine " + a.command + ": ";
  try {
    const bool lista = a.command == "list";
    if (lista && !a.words.empty()) throw ZleWywolanie{"list nie przyjmuje argumentów (" + a.words[0] + ")"};
    if (!lista && a.words.size() != 1)
      throw ZleWywolanie{
          a.words.empty() ? std::string(a.command == "import" ? "brak pliku dokumentu turbiny" : "brak nazwy turbiny")
                          : "za dużo argumentów (" + a.words[1] + ")"};
    if (a.replace && a.command != "import" && a.command != "import-csv")
      throw ZleWywolanie{"--replace tylko z import albo import-csv"};
    if (a.command == "list") return Lista(a, out);
    if (a.command == "import") return Import(a, out);
    if (a.command == "export") return Eksport(a, out);
    if (a.command == "calc") return Oblicz(a, out, err);
    return ImportCsv(a, out);
  } catch (const ZleWywolanie& z) {
    std::fprintf(err, "%s%s\n", przedrostek.c_str(), z.tekst.c_str());
    return kExitUsage;
  } catch (const PlikOdrzucony& p) {
    std::fprintf(err, "%s%s\n", przedrostek.c_str(), p.tekst.c_str());
    return kExitIo;
  } catch (const BladPlikuBazy& b) {
    std::fprintf(err, "%s%s\n", przedrostek.c_str(), b.what());
    return kExitIo;
  } catch (const BladTurbiny& b) {
    std::fprintf(err, "%s%s\n", przedrostek.c_str(), b.what());
    return kExitFailed;
  } catch (const std::bad_alloc&) {
    std::fprintf(err, "%sbrak pamięci\n", przedrostek.c_str());
    return kExitIo;
  }
}

}  // namespace kal::cli
