#include "turbiny/data_czas.h"

#include <cctype>

namespace kal::turbiny {

namespace {

// `n` digits at `i` as a number, or -1.
int Cyfry(const std::string& s, std::size_t i, std::size_t n) {
  if (i + n > s.size()) return -1;
  int v = 0;
  for (std::size_t k = i; k < i + n; ++k) {
    if (!std::isdigit(static_cast<unsigned char>(s[k]))) return -1;
    v = v * 10 + (s[k] - '0');
  }
  return v;
}

int DniMiesiaca(int rok, int miesiac) {
  static const int kDni[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool przestepny = (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0;
  return miesiac == 2 && przestepny ? 29 : kDni[miesiac - 1];
}

}  // namespace

std::optional<std::string> KluczDaty(const std::string& s) {
  const int rok = Cyfry(s, 0, 4), miesiac = Cyfry(s, 5, 2), dzien = Cyfry(s, 8, 2);
  if (s.size() < 10 || s[4] != '-' || s[7] != '-' || rok < 0 || miesiac < 1 || miesiac > 12 || dzien < 1 ||
      dzien > DniMiesiaca(rok, miesiac))
    return std::nullopt;
  std::string klucz = s.substr(0, 10) + "T00:00:00";
  std::string ulamek;
  if (s.size() > 10) {
    if ((s[10] != 'T' && s[10] != ' ') || s.size() < 16 || s[13] != ':') return std::nullopt;
    const int godz = Cyfry(s, 11, 2), min = Cyfry(s, 14, 2);
    if (godz < 0 || godz > 23 || min < 0 || min > 59) return std::nullopt;
    std::string sek = "00";
    std::size_t i = 16;
    if (i < s.size()) {
      const int ss = Cyfry(s, 17, 2);
      if (s[i] != ':' || ss < 0 || ss > 59) return std::nullopt;
      sek = s.substr(17, 2);
      i = 19;
      if (i < s.size()) {
        if (s[i] != '.' || i + 1 == s.size()) return std::nullopt;
        for (std::size_t k = i + 1; k < s.size(); ++k)
          if (!std::isdigit(static_cast<unsigned char>(s[k]))) return std::nullopt;
        ulamek = s.substr(i + 1);
      }
    }
    klucz = s.substr(0, 10) + "T" + s.substr(11, 5) + ":" + sek;
  }
  // Fractions padded to one width, so "…:05.5" and "…:05.50" are the same moment.
  while (!ulamek.empty() && ulamek.back() == '0') ulamek.pop_back();
  ulamek.resize(12, '0');
  return klucz + "." + ulamek;
}

}  // namespace kal::turbiny
