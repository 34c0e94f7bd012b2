// "turbine stability": the statistics and verdicts of a measured series, as JSON, CSV or Polish text.
#include <cerrno>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>

#include "cli/output.h"
#include "cli/run.h"
#include "cli/turbine.h"
#include "common/number_text.h"
#include "turbiny/czas.h"
#include "turbiny/dokument.h"
#include "turbiny/import.h"

namespace kal::cli {

namespace {

using turbiny::Stabilnosc;
using turbiny::StatystykaKolumny;

constexpr const char* kPrzedrostek = "kalorimo-calc turbine stability: ";

// 9 significant digits; never NaN or infinity: "null" (JSON), "" (CSV) or "—" (text) instead.
std::string Num9d(double v, const char* brak = "null") { return Text9(v, brak); }

std::string Js(const std::string& s) {
  return nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string Json(const Stabilnosc& s) {
  std::string o = "{\"rows\":" + std::to_string(s.wiersze) + ",\"window\":[" + Js(turbiny::TekstIso(s.od)) + "," +
                  Js(turbiny::TekstIso(s.do_)) + "],\"columns\":[";
  bool pierwsza = true;
  for (const StatystykaKolumny& k : s.kolumny) {
    o += pierwsza ? "{" : ",{";
    pierwsza = false;
    o += "\"column\":" + Js(k.kolumna.kolumna) +
         ",\"point\":" + (k.kolumna.punkt.empty() ? "null" : Js(k.kolumna.punkt)) +
         ",\"quantity\":" + Js(k.kolumna.wielkosc) + ",\"n\":" + std::to_string(k.n) +
         ",\"missing\":" + std::to_string(k.brak) + ",\"mean\":" + Num9d(k.srednia) + ",\"s\":" + Num9d(k.s) +
         ",\"u_random\":" + Num9d(k.uRandom) + ",\"min\":" + Num9d(k.min) + ",\"max\":" + Num9d(k.max) +
         ",\"fluctuation\":" + Num9d(k.fluktuacja) + ",\"drift\":" + Num9d(k.dryf) +
         ",\"limit_fluctuation\":" + Num9d(k.limitFluktuacji) + ",\"limit_drift\":" + Num9d(k.limitDryfu) +
         ",\"stable\":" + (k.stabilny ? "true" : "false") + "}";
  }
  o += std::string("],\"stable\":") + (s.stabilny ? "true" : "false") + "}\n";
  return o;
}

std::string Csv(const Stabilnosc& s) {
  std::string o =
      "column,point,quantity,n,missing,mean,s,u_random,min,max,fluctuation,drift,limit_fluctuation,limit_drift,"
      "stable,rows,from,to\n";
  for (const StatystykaKolumny& k : s.kolumny) {
    CsvText(o, k.kolumna.kolumna);
    o += ",";
    CsvText(o, k.kolumna.punkt);
    o += "," + k.kolumna.wielkosc + "," + std::to_string(k.n) + "," + std::to_string(k.brak);
    for (const double v :
         {k.srednia, k.s, k.uRandom, k.min, k.max, k.fluktuacja, k.dryf, k.limitFluktuacji, k.limitDryfu})
      o += "," + Num9d(v, "");
    o += std::string(k.stabilny ? ",true," : ",false,") + std::to_string(s.wiersze) + "," + turbiny::TekstIso(s.od) +
         "," + turbiny::TekstIso(s.do_) + "\n";
  }
  return o;
}

// Polish text: a decimal comma.
std::string Pl(double v) { return Text9(v, "—", ','); }

std::string Tekst(const Stabilnosc& s, const std::string& plik) {
  std::string o = "Seria " + plik + " — " + s.wykryte + "\n";
  o += "Okno " + turbiny::TekstIso(s.od) + " – " + turbiny::TekstIso(s.do_) +
       ", wierszy: " + std::to_string(s.wiersze) + "\n\n";
  std::string niestabilne;
  for (const StatystykaKolumny& k : s.kolumny) {
    const std::string co =
        k.kolumna.punkt.empty() ? "ciśnienie otoczenia [kPa]" : k.kolumna.punkt + "." + k.kolumna.wielkosc;
    std::string ocena = "stabilna";
    if (!k.stabilny) {
      niestabilne += (niestabilne.empty() ? "" : ", ") + k.kolumna.kolumna;
      if (k.n < 2)
        ocena = "NIESTABILNA: za mało próbek w oknie";
      else if (k.fluktuacja > k.limitFluktuacji && std::fabs(k.dryf) > k.limitDryfu)
        ocena = "NIESTABILNA: fluktuacja i dryf ponad limit";
      else
        ocena =
            k.fluktuacja > k.limitFluktuacji ? "NIESTABILNA: fluktuacja ponad limit" : "NIESTABILNA: dryf ponad limit";
    }
    o += "  " + k.kolumna.kolumna + "  (" + co + ")  " + ocena + "\n";
    o += "    próbek " + std::to_string(k.n) + ", braków " + std::to_string(k.brak) + "; średnia " + Pl(k.srednia) +
         ", s " + Pl(k.s) + ", u_A " + Pl(k.uRandom) + "; min " + Pl(k.min) + ", max " + Pl(k.max) + "\n";
    o += "    fluktuacja " + Pl(k.fluktuacja) + " (limit " + Pl(k.limitFluktuacji) + "), dryf " + Pl(k.dryf) +
         " (limit " + Pl(k.limitDryfu) + ")\n";
  }
  o += s.stabilny ? "\nSeria stabilna: wszystkie kolumny w granicach.\n"
                  : "\nSeria niestabilna; kolumny poza granicami: " + niestabilne + ".\n";
  return o;
}

bool Czytaj(const std::string& plik, std::string& tekst, std::FILE* err) {
  const int e = CzytajPlik(plik, tekst);
  if (e == 0) return true;
  std::fprintf(err, "%snie można odczytać pliku %s: %s\n", kPrzedrostek, plik.c_str(), std::strerror(e));
  return false;
}

}  // namespace

int TurbineStability(const TurbineArgs& a, std::FILE* out, std::FILE* err) {
  auto zle = [&](const std::string& dlaczego) {
    std::fprintf(err, "%s%s\n", kPrzedrostek, dlaczego.c_str());
    return kExitUsage;
  };
  if (!a.csv || !a.mapping) return zle("podaj --csv PLIK i --mapping M.json");
  if (!a.words.empty()) return zle("nieoczekiwane słowo \"" + a.words[0] + "\"");
  if (a.campaign || a.db || a.date || a.kind || a.replace)
    return zle("--campaign, --db, --date, --kind i --replace nie dotyczą polecenia stability");
  std::optional<double> od, do_;
  for (const auto& [opcja, tekst, cel] : {std::tuple{"--from", &a.from, &od}, std::tuple{"--to", &a.to, &do_}}) {
    if (!*tekst) continue;
    *cel = turbiny::SekundyZTekstu(**tekst);
    if (!*cel)
      return zle(std::string(opcja) + " \"" + **tekst +
                 "\": zły czas (2026-03-14T10:00:05, 2026-03-14 10:00:05 albo 14.03.2026 10:00:05)");
  }
  if (od && do_ && *od > *do_) return zle("--from jest po --to");

  std::string tekstMapowania, csv;
  if (!Czytaj(*a.mapping, tekstMapowania, err)) return kExitIo;
  turbiny::Mapowanie mapowanie;
  try {
    mapowanie = turbiny::MapowanieZJson(tekstMapowania);
  } catch (const turbiny::BladTurbiny& b) {
    std::fprintf(err, "%s%s: %s\n", kPrzedrostek, a.mapping->c_str(), b.what());
    return kExitIo;
  }
  std::optional<turbiny::Dokument> dokument;
  if (a.turbineFile) {
    std::string tekst;
    if (!Czytaj(*a.turbineFile, tekst, err)) return kExitIo;
    try {
      dokument = turbiny::WczytajDokument(tekst);
    } catch (const turbiny::BladTurbiny& b) {
      std::fprintf(err, "%s%s: %s\n", kPrzedrostek, a.turbineFile->c_str(), b.what());
      return kExitIo;
    }
  }
  if (!Czytaj(*a.csv, csv, err)) return kExitIo;
  Stabilnosc s;
  try {
    s = turbiny::ObliczStabilnosc(csv, mapowanie, dokument ? &dokument->turbina : nullptr, {a.from, a.to});
  } catch (const turbiny::BladTurbiny& b) {
    std::fprintf(err, "%s%s: %s\n", kPrzedrostek, a.csv->c_str(), b.what());
    return kExitIo;
  }
  const std::string wynik = a.format == Format::Json ? Json(s) : a.format == Format::Csv ? Csv(s) : Tekst(s, *a.csv);
  errno = 0;
  if (std::fwrite(wynik.data(), 1, wynik.size(), out) != wynik.size() || std::fflush(out) != 0) {
    std::fprintf(err, "%snie można zapisać wyniku: %s\n", kPrzedrostek, std::strerror(errno ? errno : EIO));
    return kExitIo;
  }
  return s.stabilny ? kExitOk : kExitFailed;
}

}  // namespace kal::cli
