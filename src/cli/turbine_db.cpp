// "kalorimo-calc turbine list|import|export|calc NAME|import-csv": the batch tool over the turbine
// database. A refused file or database ends with 3, a refused change or an unstable series with 1.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/batch_dialogs.h"
#include "cli/output.h"
#include "cli/run.h"
#include "cli/turbine.h"
#include "common/data_folder.h"
#include "turbiny/czas.h"
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

std::optional<double> Czas(const char* opcja, const std::optional<std::string>& tekst) {
  if (!tekst) return std::nullopt;
  const auto t = turbiny::SekundyZTekstu(*tekst);
  if (!t)
    throw ZleWywolanie{std::string(opcja) + " \"" + *tekst +
                       "\": zły czas (2026-03-14T10:00:05, 2026-03-14 10:00:05 albo 14.03.2026 10:00:05)"};
  return t;
}

int ImportCsv(const TurbineArgs& a, std::FILE* out) {
  const std::string& nazwa = a.words[0];
  if (!a.csv || !a.mapping || !a.campaign || !a.date || !a.kind)
    throw ZleWywolanie{"podaj --csv PLIK, --mapping M.json, --campaign ID, --date D i --kind K"};
  if (a.turbineFile) throw ZleWywolanie{"--turbine-file nie dotyczy import-csv (turbina jest w bazie)"};
  if (a.campaign->empty()) throw ZleWywolanie{"--campaign: pusty identyfikator pomiaru"};
  const auto rodzaj = turbiny::RodzajZNazwy(*a.kind);
  if (!rodzaj) throw ZleWywolanie{"--kind \"" + *a.kind + "\": acceptance, after-overhaul albo routine"};
  Czas("--date", a.date);
  const auto od = Czas("--from", a.from), do_ = Czas("--to", a.to);
  if (od && do_ && *od > *do_) throw ZleWywolanie{"--from jest po --to"};

  turbiny::Mapowanie mapowanie;
  try {
    mapowanie = turbiny::MapowanieZJson(Wczytany(*a.mapping));
  } catch (const BladTurbiny& b) {
    throw PlikOdrzucony{*a.mapping + ": " + b.what()};
  }
  const std::string csv = Wczytany(*a.csv);
  const std::string sciezka = SciezkaBazy(a, true);
  // No file, no turbine: refused before a new file is made.
  if (::access(sciezka.c_str(), F_OK) != 0 && errno == ENOENT)
    throw BladTurbiny("baza turbin " + sciezka + ": plik nie istnieje, brak turbiny " + nazwa);
  auto baza = turbiny::OtworzBaze(sciezka);
  const turbiny::Dokument d = Turbina(a, *baza, sciezka);
  if (!a.replace)
    for (const turbiny::Kampania& k : d.kampanie)
      if (k.id == *a.campaign)
        throw BladTurbiny("baza turbin " + sciezka + ": turbina " + nazwa + " ma już pomiar " + k.id +
                          " (--replace, aby zastąpić)");
  turbiny::Stabilnosc s;
  try {
    s = turbiny::ObliczStabilnosc(csv, mapowanie, &d.turbina, {a.from, a.to});
  } catch (const BladTurbiny& b) {
    throw PlikOdrzucony{*a.csv + ": " + b.what()};
  }
  const turbiny::Kampania k = turbiny::KampaniaZeStabilnosci(s, *a.campaign, *a.date, *rodzaj);
  // A reading of a point the turbine lacks would make its document refused later.
  for (const auto& odczyt : k.odczyty)
    if (!turbiny::ZnajdzPunkt(d.turbina, odczyt.first))
      throw PlikOdrzucony{*a.mapping + ": punkt " + odczyt.first + " nie należy do turbiny " + nazwa};
  baza->ZapiszImport(nazwa, turbiny::MapowanieDoJson(mapowanie), k, s.serie);

  std::string niestabilne, nJson;
  for (const turbiny::StatystykaKolumny& c : s.kolumny) {
    if (c.stabilny) continue;
    niestabilne += (niestabilne.empty() ? "" : ", ") + c.kolumna.kolumna;
    nJson += (nJson.empty() ? "" : ",") + Tekst(c.kolumna.kolumna);
  }
  const std::string od1 = turbiny::TekstIso(s.od), do1 = turbiny::TekstIso(s.do_);
  std::string w;
  if (a.format == Format::Json) {
    w = "{\"kind\":\"turbine-import\",\"turbine\":" + Tekst(nazwa) + ",\"campaign\":" + Tekst(k.id) +
        ",\"date\":" + Tekst(k.data) + ",\"rows\":" + std::to_string(s.wiersze) + ",\"window\":[" + Tekst(od1) + "," +
        Tekst(do1) + "],\"stable\":" + (s.stabilny ? "true" : "false") + ",\"unstable\":[" + nJson + "]}\n";
  } else if (a.format == Format::Csv) {
    w = "turbine,campaign,date,rows,from,to,stable,unstable\r\n";
    CsvText(w, nazwa);
    w += ',';
    CsvText(w, k.id);
    w += ',';
    CsvText(w, k.data);
    w += "," + std::to_string(s.wiersze) + "," + od1 + "," + do1 + (s.stabilny ? ",true," : ",false,");
    CsvText(w, niestabilne);
    w += "\r\n";
  } else {
    w = "zapisano pomiar " + k.id + " turbiny " + nazwa + " w " + sciezka + ": wierszy " + std::to_string(s.wiersze) +
        ", okno " + od1 + " – " + do1 + "; " +
        (s.stabilny ? "seria stabilna" : "seria niestabilna, kolumny poza granicami: " + niestabilne) + "\n";
  }
  if (!Pisz(out, w)) throw PlikOdrzucony{"nie można zapisać wyniku"};
  return s.stabilny ? kExitOk : kExitFailed;
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
