#include "turbiny/csv_tabela.h"

#include <csv.h>

#include <memory>

#include "turbiny/model.h"

namespace kal::turbiny {

void TabelaCsv::DodajPole(const char* s, std::size_t n) {
  if (s) bufor_.append(s, n);
  poczatki_.push_back(bufor_.size());
}

void TabelaCsv::KoniecWiersza() { pierwsze_.push_back(poczatki_.size() - 1); }

namespace {

// Only blanks around an unquoted field are dropped: a tab may be the separator.
int Spacja(unsigned char c) { return c == ' ' ? 1 : 0; }

void NaPole(void* s, std::size_t n, void* dane) { static_cast<TabelaCsv*>(dane)->DodajPole(static_cast<char*>(s), n); }
void NaKoniec(int, void* dane) { static_cast<TabelaCsv*>(dane)->KoniecWiersza(); }

struct Parser {
  csv_parser p{};
  bool gotowy = false;
  explicit Parser(unsigned char opcje) { gotowy = csv_init(&p, opcje) == 0; }
  ~Parser() {
    if (gotowy) csv_free(&p);
  }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;
};

// false on a parse error (strict mode only).
bool Parsuj(const std::string& tekst, char separator, bool scisle, TabelaCsv& t) {
  Parser parser(scisle ? static_cast<unsigned char>(CSV_STRICT | CSV_STRICT_FINI) : 0);
  if (!parser.gotowy) throw BladTurbiny("brak pamięci na czytanie pliku CSV");
  csv_set_delim(&parser.p, static_cast<unsigned char>(separator));
  csv_set_space_func(&parser.p, Spacja);
  if (csv_parse(&parser.p, tekst.data(), tekst.size(), NaPole, NaKoniec, &t) != tekst.size()) return false;
  return csv_fini(&parser.p, NaPole, NaKoniec, &t) == 0;
}

}  // namespace

TabelaCsv CzytajTabele(const std::string& tekst, char separator) {
  TabelaCsv t;
  if (!Parsuj(tekst, separator, true, t)) {
    throw BladTurbiny("wiersz " + std::to_string(t.Wiersze() + 1) +
                      ": cudzysłów bez pary albo w środku pola bez cudzysłowu (RFC 4180)");
  }
  return t;
}

char WykryjSeparator(const std::string& tekst) {
  // The header and up to five data rows; a quoted line break there only costs the detection.
  std::size_t koniec = 0;
  for (int linie = 0; linie < 6; ++linie) {
    koniec = tekst.find('\n', koniec);
    if (koniec == std::string::npos) break;
    ++koniec;
  }
  const std::string poczatek = tekst.substr(0, koniec);
  for (const char kandydat : {';', '\t', ','}) {
    TabelaCsv t;
    Parsuj(poczatek, kandydat, false, t);
    if (t.Wiersze() < 2 || t.Pola(0) < 2) continue;
    bool rowno = true;
    for (std::size_t w = 1; w < t.Wiersze() && rowno; ++w) rowno = t.Pola(w) == t.Pola(0);
    if (rowno) return kandydat;
  }
  return 0;
}

const char* NazwaSeparatora(char separator) {
  switch (separator) {
    case ';':
      return "średnik";
    case ',':
      return "przecinek";
    case '\t':
      return "tabulator";
    default:
      return "?";
  }
}

}  // namespace kal::turbiny
