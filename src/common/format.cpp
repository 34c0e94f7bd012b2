// Number patterns: "0" a digit always printed, "#" a digit printed only when significant,
// the first "." the locale's decimal separator, "E+"/"E-" (or "e+"/"e-") followed by a digit
// place an exponent, any other character copied at its place.
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/decimal_digits.h"
#include "common/number_text.h"

namespace kal {

namespace {

bool IsPlace(char c) { return c == '0' || c == '#'; }

int CountPlaces(const std::string& s) {
  int n = 0;
  for (char c : s) n += IsPlace(c) ? 1 : 0;
  return n;
}

// Integer digits through the integer part of a pattern, right to left. Digits beyond the
// pattern's places all go in front of its first place; "#" places without a digit print
// nothing, literals always print.
std::string RenderWhole(const std::string& digits, const std::string& pat) {
  std::string out;                   // built reversed
  std::size_t next = digits.size();  // digits[next - 1] is the next digit to place
  const std::size_t firstPlace = pat.find_first_of("0#");
  if (firstPlace == std::string::npos) {
    // No digit places: the digits stand after the pattern's characters.
    return pat + digits;
  }
  for (std::size_t i = pat.size(); i-- > 0;) {
    const char c = pat[i];
    if (!IsPlace(c)) {
      out.push_back(c);
      continue;
    }
    if (next > 0) {
      out.push_back(digits[--next]);
    } else if (c == '0') {
      out.push_back('0');
    }
    if (i == firstPlace) {
      while (next > 0) out.push_back(digits[--next]);
    }
  }
  return std::string(out.rbegin(), out.rend());
}

// Decimals through the part of a pattern after its point, left to right; trailing "#" places
// whose digit is zero are left out.
std::string RenderFrac(const std::string& frac, const std::string& pat) {
  std::vector<std::size_t> places;
  for (std::size_t i = 0; i < pat.size(); ++i) {
    if (IsPlace(pat[i])) places.push_back(i);
  }
  std::size_t keep = places.size();
  while (keep > 0 && pat[places[keep - 1]] == '#' && frac[keep - 1] == '0') --keep;
  std::string out;
  std::size_t k = 0;
  for (char c : pat) {
    if (!IsPlace(c)) {
      out.push_back(c);
    } else {
      if (k < keep) out.push_back(frac[k]);
      ++k;
    }
  }
  return out;
}

// Index of an exponent mark "E+", "E-", "e+", "e-" that has a digit place after it.
std::size_t FindExponent(const std::string& pat) {
  for (std::size_t i = 0; i + 1 < pat.size(); ++i) {
    if ((pat[i] == 'E' || pat[i] == 'e') && (pat[i + 1] == '+' || pat[i + 1] == '-') &&
        pat.find_first_of("0#", i + 2) != std::string::npos) {
      return i;
    }
  }
  return std::string::npos;
}

}  // namespace

std::string Format(double value, const std::string& pattern, char decimalSep) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  if (pattern.empty()) return LocaleTextDouble(value, decimalSep);

  const std::size_t expAt = FindExponent(pattern);
  const std::string mant = pattern.substr(0, expAt);
  const std::size_t pointAt = mant.find('.');
  const std::string wholePat = mant.substr(0, pointAt);
  const std::string fracPat = pointAt == std::string::npos ? std::string() : mant.substr(pointAt + 1);
  const int decimals = CountPlaces(fracPat);

  detail::Decimal d = detail::ToDecimal(value, 15);
  std::string expText;
  if (expAt != std::string::npos) {
    // Scientific: as many integer digits as the mantissa has places (at least one).
    const int lead = std::max(1, CountPlaces(wholePat));
    long e = 0;
    if (!d.IsZero()) {
      e = d.point - lead;
      d.point = lead;
      detail::Fixed probe = detail::RoundFixed(d, decimals);
      if (static_cast<int>(probe.whole.size()) > lead) {  // 9.99 -> 10.0: one more in the exponent
        ++e;
        --d.point;
      }
    }
    const bool plusSign = pattern[expAt + 1] == '+';
    expText.push_back(pattern[expAt]);
    if (e < 0) {
      expText.push_back('-');
    } else if (plusSign) {
      expText.push_back('+');
    }
    std::string expDigits = e == 0 ? std::string() : std::to_string(e < 0 ? -e : e);
    expText += RenderWhole(expDigits, pattern.substr(expAt + 2));
  }

  const detail::Fixed f = detail::RoundFixed(d, decimals);
  std::string out;
  // Any value below zero keeps its minus sign, even one that rounds to zero ("-0,00");
  // a negative zero is zero.
  if (d.negative && !d.IsZero()) out.push_back('-');
  out += RenderWhole(f.whole, wholePat);
  if (pointAt != std::string::npos) {
    out.push_back(decimalSep);
    out += RenderFrac(f.frac, fracPat);
  }
  return out + expText;
}

}  // namespace kal
