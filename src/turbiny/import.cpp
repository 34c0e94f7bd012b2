// A measured series from the plant's CSV export: the text, the separator, the decimal, the
// timestamps and the mapped columns, then the statistics of StabilnoscSerii.
#include "turbiny/import.h"

#include <cmath>
#include <limits>

#include "turbiny/csv_liczba.h"
#include "turbiny/csv_tabela.h"
#include "turbiny/csv_tekst.h"
#include "turbiny/czas.h"
#include "turbiny/import_statystyki.h"

namespace kal::turbiny {

namespace {

bool PustyWiersz(const TabelaCsv& t, std::size_t w) {
  for (std::size_t p = 0; p < t.Pola(w); ++p)
    if (!PrzytnijPole(t.Pole(w, p)).empty()) return false;
  return true;
}

// The column of `nazwa` in the header; throws when it is missing or appears twice.
std::size_t Kolumna(const TabelaCsv& t, const std::string& nazwa, const std::string& co) {
  std::size_t znaleziona = std::string::npos;
  for (std::size_t p = 0; p < t.Pola(0); ++p) {
    if (PrzytnijPole(t.Pole(0, p)) != nazwa) continue;
    if (znaleziona != std::string::npos) throw BladTurbiny("kolumna \"" + nazwa + "\" występuje w nagłówku dwa razy");
    znaleziona = p;
  }
  if (znaleziona == std::string::npos) {
    std::string sa;
    for (std::size_t p = 0; p < t.Pola(0) && p < 12; ++p)
      sa += (p ? ", " : "") + std::string(PrzytnijPole(t.Pole(0, p)));
    if (t.Pola(0) > 12) sa += ", …";
    throw BladTurbiny("brak kolumny \"" + nazwa + "\" (" + co + ") w nagłówku; są: " + sa);
  }
  return znaleziona;
}

// Lines that hold more than blanks, counted up to `do_`.
std::size_t NiepusteLinie(const std::string& tekst, std::size_t do_) {
  std::size_t linie = 0, poczatek = 0;
  while (linie < do_ && poczatek < tekst.size()) {
    std::size_t koniec = tekst.find('\n', poczatek);
    if (koniec == std::string::npos) koniec = tekst.size();
    std::string_view l = PrzytnijPole(std::string_view(tekst).substr(poczatek, koniec - poczatek));
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    if (!PrzytnijPole(l).empty()) ++linie;
    poczatek = koniec + 1;
  }
  return linie;
}

char Separator(const std::string& tekst, const Mapowanie& m, std::string& opis) {
  if (m.separator != "auto") {
    opis = std::string("separator: ") + NazwaSeparatora(m.separator[0]) + " (z mapowania)";
    return m.separator[0];
  }
  const char s = WykryjSeparator(tekst);
  if (s == 0) {
    if (NiepusteLinie(tekst, 2) < 2) throw BladTurbiny("plik nie ma wierszy danych pod nagłówkiem");
    // A quote left open in the first rows upsets the counts: say that rather than the separator.
    for (const char kandydat : {';', '\t', ','}) {
      const std::string naglowek = tekst.substr(0, tekst.find('\n'));
      if (naglowek.find(kandydat) != std::string::npos) CzytajTabele(tekst, kandydat);
    }
    throw BladTurbiny(
        "nie rozpoznano separatora pól: ani średnik, ani tabulator, ani przecinek nie dzieli nagłówka i pierwszych "
        "wierszy danych na tyle samo pól; podaj \"separator\" w mapowaniu");
  }
  opis = std::string("separator: ") + NazwaSeparatora(s) + " (wykryty)";
  return s;
}

char Dziesietny(const TabelaCsv& t, const std::vector<std::size_t>& kolumny, char separator, const Mapowanie& m,
                std::string& opis) {
  if (m.dziesietny != "auto") {
    opis = std::string("część dziesiętna: ") + (m.dziesietny == "," ? "przecinek" : "kropka") + " (z mapowania)";
    return m.dziesietny[0];
  }
  if (separator == ',') {
    opis = "część dziesiętna: kropka (wykryta: przecinek rozdziela pola)";
    return '.';
  }
  for (std::size_t w = 1; w < t.Wiersze(); ++w) {
    for (const std::size_t k : kolumny) {
      if (k >= t.Pola(w)) continue;
      if (LiczbaZeZnakiem(t.Pole(w, k), ',')) {
        opis = "część dziesiętna: przecinek (wykryta)";
        return ',';
      }
      if (LiczbaZeZnakiem(t.Pole(w, k), '.')) {
        opis = "część dziesiętna: kropka (wykryta)";
        return '.';
      }
    }
  }
  opis = "część dziesiętna: przecinek (same liczby całkowite)";
  return ',';
}

}  // namespace

Stabilnosc ObliczStabilnosc(const std::string& bajtyCsv, const Mapowanie& m, const Turbina* turbina,
                            const OknoCzasu& okno) {
  if (PrzytnijPole(bajtyCsv).empty() || bajtyCsv == "\xEF\xBB\xBF") throw BladTurbiny("plik jest pusty");
  const TekstCsv tekst = TekstZBajtow(bajtyCsv, m.kodowanie);
  if (NiepusteLinie(tekst.tekst, 1) == 0) throw BladTurbiny("plik jest pusty");
  std::string opisSep, opisDz;
  const char separator = Separator(tekst.tekst, m, opisSep);
  const TabelaCsv t = CzytajTabele(tekst.tekst, separator);
  if (t.Wiersze() == 0) throw BladTurbiny("plik jest pusty");
  const std::size_t kCzas = Kolumna(t, m.czas, "znacznik czasu");
  std::vector<std::size_t> kolumny;
  for (const KolumnaMapowania& k : m.kolumny)
    kolumny.push_back(Kolumna(t, k.kolumna, k.punkt.empty() ? k.wielkosc : k.punkt + "." + k.wielkosc));
  const char dziesietny = Dziesietny(t, kolumny, separator, m, opisDz);

  std::vector<double> czas;
  std::vector<std::vector<double>> wartosci(kolumny.size());
  czas.reserve(t.Wiersze());
  for (auto& w : wartosci) w.reserve(t.Wiersze());
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  for (std::size_t w = 1; w < t.Wiersze(); ++w) {
    if (PustyWiersz(t, w)) continue;
    const std::string_view komorka = kCzas < t.Pola(w) ? t.Pole(w, kCzas) : std::string_view();
    const std::optional<double> sek = SekundyZTekstu(komorka);
    if (!sek)
      throw BladTurbiny("wiersz " + std::to_string(w + 1) + ": zły znacznik czasu \"" + std::string(komorka) +
                        "\" (oczekiwano 2026-03-14T10:00:05, 2026-03-14 10:00:05 albo 14.03.2026 10:00:05)");
    czas.push_back(*sek);
    for (std::size_t i = 0; i < kolumny.size(); ++i) {
      const std::size_t k = kolumny[i];
      wartosci[i].push_back(k < t.Pola(w) ? LiczbaKomorki(t.Pole(w, k), dziesietny).value_or(kNaN) : kNaN);
    }
  }
  if (czas.empty()) throw BladTurbiny("plik nie ma wierszy danych pod nagłówkiem");

  std::vector<Seria> serie;
  for (std::size_t i = 0; i < kolumny.size(); ++i) {
    Seria s;
    s.kolumna = m.kolumny[i].kolumna;
    s.punkt = m.kolumny[i].punkt;
    s.wielkosc = m.kolumny[i].wielkosc;
    s.czas = czas;
    s.wartosc = std::move(wartosci[i]);
    serie.push_back(std::move(s));
  }
  Stabilnosc wynik = StatystykiSerii(serie, m, turbina, okno);
  wynik.serie = std::move(serie);
  wynik.wykryte = "kodowanie: " + tekst.opis + "; " + opisSep + "; " + opisDz;
  return wynik;
}

}  // namespace kal::turbiny
