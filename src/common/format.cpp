// Number patterns: "0" a digit always printed, "#" a digit printed only when significant,
// the first "." the locale's decimal separator, "E+"/"E-" (or "e+"/"e-") followed by a digit
// place an exponent, any other character copied at its place.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "common/decimal_digits.h"
#include "common/number_text.h"

namespace kal {

namespace {

bool IsPlace(char c) { return c == '0' || c == '#'; }

int CountPlaces(std::string_view s) {
  int n = 0;
  for (char c : s) n += IsPlace(c) ? 1 : 0;
  return n;
}

// Integer digits through the integer part of a pattern. Digits beyond the pattern's places all
// go in front of its first place; "#" places without a digit print nothing, literals always print.
void RenderWhole(std::string& out, std::string_view digits, std::string_view pat) {
  const int places = CountPlaces(pat);
  if (places == 0) {
    // No digit places: the digits stand after the pattern's characters.
    out += pat;
    out += digits;
    return;
  }
  // The place k (from the left) takes digit k + shift; a negative index has no digit.
  const int shift = static_cast<int>(digits.size()) - places;
  int k = 0;
  for (char c : pat) {
    if (!IsPlace(c)) {
      out.push_back(c);
      continue;
    }
    if (k == 0 && shift > 0) out.append(digits.data(), static_cast<std::size_t>(shift));
    const int i = k + shift;
    if (i >= 0) {
      out.push_back(digits[static_cast<std::size_t>(i)]);
    } else if (c == '0') {
      out.push_back('0');
    }
    ++k;
  }
}

// Decimals through the part of a pattern after its point, left to right; trailing "#" places
// whose digit is zero are left out.
void RenderFrac(std::string& out, std::string_view frac, std::string_view pat) {
  std::size_t keep = frac.size();
  for (std::size_t i = pat.size(); i-- > 0 && keep > 0;) {
    if (!IsPlace(pat[i])) continue;
    if (pat[i] != '#' || frac[keep - 1] != '0') break;
    --keep;
  }
  std::size_t k = 0;
  for (char c : pat) {
    if (!IsPlace(c)) {
      out.push_back(c);
    } else {
      if (k < keep) out.push_back(frac[k]);
      ++k;
    }
  }
}

// Index of an exponent mark "E+", "E-", "e+", "e-" that has a digit place after it.
std::size_t FindExponent(std::string_view pat) {
  for (std::size_t i = 0; i + 1 < pat.size(); ++i) {
    if ((pat[i] == 'E' || pat[i] == 'e') && (pat[i + 1] == '+' || pat[i + 1] == '-') &&
        pat.find_first_of("0#", i + 2) != std::string_view::npos) {
      return i;
    }
  }
  return std::string_view::npos;
}

// The digits of d at `decimals` places, rounded half away from zero: the integer digits (no
// leading zero) followed by exactly `decimals` digits; `whole` is the count of integer digits.
std::string FixedDigits(const detail::Decimal& d, int decimals, int* whole) {
  const int len = static_cast<int>(d.digits.size());
  const int w = d.IsZero() ? 0 : std::max(d.point, 0);
  std::string s(static_cast<std::size_t>(w + decimals), '0');
  if (!d.IsZero()) {
    // s[i] stands at 10^(w-1-i), the digit d.digits[j] at 10^(point-1-j).
    const int from = std::max(0, -(d.point - w)), to = std::min(w + decimals, len - (d.point - w));
    for (int i = from; i < to; ++i) s[static_cast<std::size_t>(i)] = d.digits[static_cast<std::size_t>(i + d.point - w)];
    const int next = d.point + decimals;  // the first digit left out decides
    if (next >= 0 && next < len && d.digits[static_cast<std::size_t>(next)] >= '5') {
      std::size_t i = s.size();
      while (i > 0 && s[i - 1] == '9') s[--i] = '0';
      if (i > 0) {
        ++s[i - 1];
      } else {
        s.insert(s.begin(), '1');
        *whole = w + 1;
        return s;
      }
    }
  }
  *whole = w;
  return s;
}

}  // namespace

std::string Format(double value, const std::string& pattern, char decimalSep) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  if (pattern.empty()) return LocaleTextDouble(value, decimalSep);

  const std::string_view pat(pattern);
  const std::size_t expAt = FindExponent(pat);
  const std::string_view mant = pat.substr(0, expAt);
  const std::size_t pointAt = mant.find('.');
  const std::string_view wholePat = mant.substr(0, pointAt);
  const std::string_view fracPat = pointAt == std::string_view::npos ? std::string_view() : mant.substr(pointAt + 1);
  const int decimals = CountPlaces(fracPat);

  detail::Decimal d = detail::ToDecimal(value, 15);
  long e = 0;
  if (expAt != std::string_view::npos && !d.IsZero()) {
    // Scientific: as many integer digits as the mantissa has places (at least one).
    const int lead = std::max(1, CountPlaces(wholePat));
    e = d.point - lead;
    d.point = lead;
    int w = 0;
    FixedDigits(d, decimals, &w);
    if (w > lead) {  // 9.99 -> 10.0: one more in the exponent
      ++e;
      --d.point;
    }
  }
  int w = 0;
  const std::string digits = FixedDigits(d, decimals, &w);
  const std::string_view all(digits);

  std::string out;
  // Any value below zero keeps its minus sign, even one that rounds to zero ("-0,00");
  // a negative zero is zero.
  if (d.negative && !d.IsZero()) out.push_back('-');
  RenderWhole(out, all.substr(0, static_cast<std::size_t>(w)), wholePat);
  if (pointAt != std::string_view::npos) {
    out.push_back(decimalSep);
    RenderFrac(out, all.substr(static_cast<std::size_t>(w)), fracPat);
  }
  if (expAt != std::string_view::npos) {
    out.push_back(pat[expAt]);
    if (e < 0) {
      out.push_back('-');
    } else if (pat[expAt + 1] == '+') {
      out.push_back('+');
    }
    char expDigits[24];
    const auto r = std::to_chars(expDigits, expDigits + sizeof expDigits, e < 0 ? -e : e);
    const std::string_view ed(expDigits, e == 0 ? 0 : static_cast<std::size_t>(r.ptr - expDigits));
    RenderWhole(out, ed, pat.substr(expAt + 2));
  }
  return out;
}

}  // namespace kal
