// RFC 4180 records of a CSV text through libcsv: quoted fields, CRLF, a separator of ';' ',' or tab,
// given or detected from the header and the first data rows.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kal::turbiny {

// The fields of all records in one buffer: record r holds fields [pierwsze[r], pierwsze[r + 1]).
class TabelaCsv {
 public:
  std::size_t Wiersze() const { return pierwsze_.empty() ? 0 : pierwsze_.size() - 1; }
  std::size_t Pola(std::size_t wiersz) const { return pierwsze_[wiersz + 1] - pierwsze_[wiersz]; }
  std::string_view Pole(std::size_t wiersz, std::size_t pole) const {
    const std::size_t i = pierwsze_[wiersz] + pole;
    return std::string_view(bufor_).substr(poczatki_[i], poczatki_[i + 1] - poczatki_[i]);
  }

  // Filled by the parser.
  void DodajPole(const char* s, std::size_t n);
  void KoniecWiersza();

 private:
  std::string bufor_;
  std::vector<std::size_t> poczatki_{0};  // field i: [poczatki_[i], poczatki_[i + 1]) of bufor_
  std::vector<std::size_t> pierwsze_{0};  // the first field of each record
};

// All records of `tekst` (empty lines skipped). Throws BladTurbiny naming the record of a quote
// left open or a stray quote.
TabelaCsv CzytajTabele(const std::string& tekst, char separator);

// The separator among ';', tab and ',' (in that order of preference) that splits the header and the
// first data rows into the same number, above one, of fields; 0 when none does.
char WykryjSeparator(const std::string& tekst);

// "średnik", "przecinek", "tabulator".
const char* NazwaSeparatora(char separator);

// A field without the blanks and tabs around it.
inline std::string_view PrzytnijPole(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace kal::turbiny
