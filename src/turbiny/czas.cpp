#include "turbiny/czas.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace kal::turbiny {

namespace {

bool Cyfry(std::string_view s, std::size_t pos, std::size_t ile, int& wynik) {
  if (pos + ile > s.size()) return false;
  int v = 0;
  for (std::size_t i = pos; i < pos + ile; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
  }
  wynik = v;
  return true;
}

bool Przestepny(int rok) { return (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0; }

unsigned DniMiesiaca(int rok, int miesiac) {
  static const unsigned kDni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return miesiac == 2 && Przestepny(rok) ? 29u : kDni[miesiac - 1];
}

std::string_view Przytnij(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

long DniOdEpoki(int rok, unsigned miesiac, unsigned dzien) {
  // Eras of 400 years starting in March, so the leap day ends the year.
  const int y = rok - (miesiac <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (miesiac > 2 ? miesiac - 3 : miesiac + 9) + 2) / 5 + dzien - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<long>(era) * 146097 + static_cast<long>(doe) - 719468;
}

std::optional<double> SekundyZTekstu(std::string_view tekst) {
  const std::string_view s = Przytnij(tekst);
  int rok = 0, mies = 0, dzien = 0;
  std::size_t pos = 0;
  if (s.size() >= 10 && s[4] == '-' && s[7] == '-') {
    if (!Cyfry(s, 0, 4, rok) || !Cyfry(s, 5, 2, mies) || !Cyfry(s, 8, 2, dzien)) return std::nullopt;
    if (s.size() < 11 || (s[10] != 'T' && s[10] != ' ')) return std::nullopt;
    pos = 11;
  } else if (s.size() >= 10 && s[2] == '.' && s[5] == '.') {
    if (!Cyfry(s, 0, 2, dzien) || !Cyfry(s, 3, 2, mies) || !Cyfry(s, 6, 4, rok)) return std::nullopt;
    if (s.size() < 11 || s[10] != ' ') return std::nullopt;
    pos = 11;
  } else {
    return std::nullopt;
  }
  while (pos < s.size() && s[pos] == ' ') ++pos;  // "14.03.2026  10:00" from a padded export
  int godz = 0, min = 0, sek = 0;
  if (!Cyfry(s, pos, 2, godz) || pos + 2 >= s.size() || s[pos + 2] != ':' || !Cyfry(s, pos + 3, 2, min))
    return std::nullopt;
  pos += 5;
  double ulamek = 0;
  if (pos < s.size()) {
    if (s[pos] != ':' || !Cyfry(s, pos + 1, 2, sek)) return std::nullopt;
    pos += 3;
    if (pos < s.size()) {
      if (s[pos] != '.' && s[pos] != ',') return std::nullopt;
      ++pos;
      if (pos == s.size()) return std::nullopt;
      long cyfry = 0;
      double skala = 1;
      for (std::size_t i = 0; pos < s.size(); ++pos, ++i) {
        if (s[pos] < '0' || s[pos] > '9' || i >= 9) return std::nullopt;
        cyfry = cyfry * 10 + (s[pos] - '0');
        skala *= 10;
      }
      ulamek = static_cast<double>(cyfry) / skala;
    }
  }
  if (rok < 1000 || mies < 1 || mies > 12 || dzien < 1 || static_cast<unsigned>(dzien) > DniMiesiaca(rok, mies) ||
      godz > 23 || min > 59 || sek > 59)
    return std::nullopt;
  const long dni = DniOdEpoki(rok, static_cast<unsigned>(mies), static_cast<unsigned>(dzien));
  return static_cast<double>(dni * 86400L + godz * 3600L + min * 60L + sek) + ulamek;
}

std::optional<double> SekundyDatyKampanii(std::string_view s) {
  // Only the ISO shape, exactly: no padding, no second space, no decimal comma.
  if (s.size() < 10 || s[4] != '-' || s.front() == ' ' || s.back() == ' ' || s.back() == '\t' ||
      s.find(',') != std::string_view::npos || (s.size() > 11 && s[11] == ' '))
    return std::nullopt;
  if (s.size() == 10) return SekundyZTekstu(std::string(s) + "T00:00");
  return SekundyZTekstu(s);
}

std::string TekstIso(double sekundy) {
  if (!(std::fabs(sekundy) < 1e12)) return "";  // beyond any calendar year of 4 digits (and NaN)
  const double ms = std::nearbyint(sekundy * 1000);
  long long calk = static_cast<long long>(std::floor(ms / 1000));
  const int milis = static_cast<int>(ms - static_cast<double>(calk) * 1000);
  long long dni = calk >= 0 ? calk / 86400 : -((-calk + 86399) / 86400);
  const long long wDniu = calk - dni * 86400;
  // Civil date from days (the inverse of DniOdEpoki).
  dni += 719468;
  const long long era = (dni >= 0 ? dni : dni - 146096) / 146097;
  const long long doe = dni - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long d = doy - (153 * mp + 2) / 5 + 1;
  const long long m = mp < 10 ? mp + 3 : mp - 9;
  const long long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  char buf[160];
  std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld", y, m, d, wDniu / 3600, wDniu / 60 % 60,
                wDniu % 60);
  std::string out = buf;
  if (milis != 0) {
    std::snprintf(buf, sizeof buf, ".%03d", milis);
    std::string f = buf;
    while (f.back() == '0') f.pop_back();
    out += f;
  }
  return out;
}

}  // namespace kal::turbiny
