#include "gui/turbina_import_podglad.h"

#include "turbiny/csv_liczba.h"
#include "turbiny/csv_tabela.h"
#include "turbiny/csv_tekst.h"
#include "turbiny/czas.h"
#include "turbiny/model.h"

namespace kal {

namespace {

std::string Przytnij(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return std::string(s);
}

}  // namespace

std::string PoczatekPliku(const std::string& bajty, std::size_t bajtow) {
  if (bajty.size() <= bajtow) return bajty;
  const std::size_t koniec = bajty.rfind('\n', bajtow);
  return bajty.substr(0, koniec == std::string::npos ? bajtow : koniec + 1);
}

PodgladCsv ZrobPodglad(const std::string& poczatek, bool caloscUtf8, const std::string& kodowanie,
                       const std::string& separator, const std::string& dziesietny, const std::string& czas,
                       std::size_t ileWierszy) {
  PodgladCsv p;
  try {
    // "auto" decides on the whole file, not on its head alone.
    const std::string kod = kodowanie != "auto" ? kodowanie : caloscUtf8 ? "utf-8" : "windows-1250";
    turbiny::TekstCsv t = turbiny::TekstZBajtow(poczatek, kod);
    const std::string zrodlo = kodowanie == "auto" ? " (wykryte)" : " (wybrane)";
    p.kodowanie = t.opis.substr(0, t.opis.find(" (")) + zrodlo;
    if (separator == "auto") {
      p.znakSeparatora = turbiny::WykryjSeparator(t.tekst);
      if (p.znakSeparatora == 0) {
        p.blad =
            "nie rozpoznano separatora pól (ani średnik, ani tabulator, ani przecinek nie dzieli nagłówka i "
            "pierwszych wierszy na tyle samo pól); wybierz go niżej";
        p.znakSeparatora = ';';
      }
      p.separator = std::string(turbiny::NazwaSeparatora(p.znakSeparatora)) + (p.blad.empty() ? " (wykryty)" : "");
    } else {
      p.znakSeparatora = separator[0];
      p.separator = std::string(turbiny::NazwaSeparatora(p.znakSeparatora)) + " (wybrany)";
    }
    const turbiny::TabelaCsv tab = turbiny::CzytajTabele(t.tekst, p.znakSeparatora);
    if (tab.Wiersze() == 0) {
      p.blad = "plik jest pusty";
      return p;
    }
    for (std::size_t k = 0; k < tab.Pola(0); ++k) p.naglowek.push_back(Przytnij(tab.Pole(0, k)));
    for (std::size_t w = 1; w < tab.Wiersze() && p.wiersze.size() < ileWierszy; ++w) {
      std::vector<std::string> wiersz;
      for (std::size_t k = 0; k < tab.Pola(w); ++k) wiersz.push_back(Przytnij(tab.Pole(w, k)));
      p.wiersze.push_back(std::move(wiersz));
    }
    if (p.wiersze.empty() && p.blad.empty()) p.blad = "plik nie ma wierszy danych pod nagłówkiem";
    // The timestamp column: the one asked for, else the first whose cells read as timestamps.
    for (std::size_t k = 0; k < p.naglowek.size() && !czas.empty(); ++k)
      if (p.naglowek[k] == czas) p.kolumnaCzasu = static_cast<int>(k);
    for (std::size_t k = 0; k < p.naglowek.size() && p.kolumnaCzasu < 0 && !p.wiersze.empty(); ++k) {
      const auto& w = p.wiersze.front();
      if (k < w.size() && turbiny::SekundyZTekstu(w[k])) p.kolumnaCzasu = static_cast<int>(k);
    }
    if (dziesietny != "auto") {
      p.znakDziesietny = dziesietny[0];
      p.dziesietny = std::string(p.znakDziesietny == ',' ? "przecinek" : "kropka") + " (wybrana)";
    } else if (p.znakSeparatora == ',') {
      p.znakDziesietny = '.';
      p.dziesietny = "kropka (wykryta: przecinek rozdziela pola)";
    } else {
      p.dziesietny = "przecinek (same liczby całkowite)";
      bool jest = false;
      for (const auto& w : p.wiersze) {
        for (std::size_t k = 0; k < w.size() && !jest; ++k) {
          if (static_cast<int>(k) == p.kolumnaCzasu) continue;
          for (const char z : {',', '.'}) {
            if (jest || !turbiny::LiczbaZeZnakiem(w[k], z)) continue;
            p.znakDziesietny = z;
            p.dziesietny = std::string(z == ',' ? "przecinek" : "kropka") + " (wykryta)";
            jest = true;
          }
        }
        if (jest) break;
      }
    }
  } catch (const turbiny::BladTurbiny& e) {
    p.blad = e.what();
  }
  return p;
}

}  // namespace kal
