#include "turbiny/csv_liczba.h"

#include <charconv>
#include <cmath>
#include <string>

#include "turbiny/csv_tabela.h"

namespace kal::turbiny {

namespace {

// Digits with at most one `znak` and an optional exponent: no "inf", "nan" or hex, which
// from_chars would take.
bool Ksztalt(std::string_view s, char znak) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool cyfra = false, przecinek = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9')
      cyfra = true;
    else if (c == znak && !przecinek)
      przecinek = true;
    else
      break;
  }
  if (!cyfra) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t wykladnik = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    if (i == wykladnik) return false;
  }
  return i == s.size();
}

}  // namespace

bool LiczbaZeZnakiem(std::string_view komorka, char znak) {
  const std::string_view s = PrzytnijPole(komorka);
  return s.find(znak) != std::string_view::npos && Ksztalt(s, znak);
}

std::optional<double> LiczbaKomorki(std::string_view komorka, char dziesietny) {
  std::string_view s = PrzytnijPole(komorka);
  if (!Ksztalt(s, dziesietny)) return std::nullopt;
  if (s.front() == '+') s.remove_prefix(1);
  char buf[64];
  if (s.size() >= sizeof buf) return std::nullopt;
  for (std::size_t i = 0; i < s.size(); ++i) buf[i] = s[i] == dziesietny ? '.' : s[i];
  double v = 0;
  const auto r = std::from_chars(buf, buf + s.size(), v);
  if (r.ec != std::errc() || r.ptr != buf + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace kal::turbiny
