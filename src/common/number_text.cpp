// The locale text form, the plain-number form and the locale's number reading.
#include "common/number_text.h"

#include <charconv>
#include <cmath>

#include "common/decimal_digits.h"
#include "common/errors.h"

namespace kal {

namespace {

// Defined texts for values that callers should never pass.
const char* NonFiniteText(double v) {
  if (std::isnan(v)) return "NaN";
  return v < 0 ? "-Inf" : "Inf";
}

// n such that the number of a "[-]ddd.ddde[+-]ddd" text lies in [0.1, 1) x 10^n; saturated,
// so that an exponent of a thousand digits does not overflow.
long DecimalOrder(const std::string& plain) {
  const long kCap = 1000000;
  long digitsBeforePoint = 0, leadingZeros = 0;
  bool seenPoint = false, seenNonZero = false;
  std::size_t i = 0;
  for (; i < plain.size() && plain[i] != 'e'; ++i) {
    char c = plain[i];
    if (c == '.') {
      seenPoint = true;
    } else if (c >= '0' && c <= '9') {
      if (!seenPoint && digitsBeforePoint < kCap) ++digitsBeforePoint;
      if (!seenNonZero && c == '0' && leadingZeros < kCap) ++leadingZeros;
      if (c != '0') seenNonZero = true;
    }
  }
  long exp = 0;
  bool negExp = false;
  if (i < plain.size()) {
    for (++i; i < plain.size(); ++i) {
      if (plain[i] == '-')
        negExp = true;
      else if (plain[i] >= '0' && plain[i] <= '9' && exp < kCap)
        exp = exp * 10 + (plain[i] - '0');
    }
  }
  return digitsBeforePoint - leadingZeros + (negExp ? -exp : exp);
}

}  // namespace

std::string LocaleText(float value, char decimalSep) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  detail::Decimal d = detail::ToDecimalHalfAway(value, 7);
  std::string s = detail::GeneralText(d, decimalSep, 7);
  return (d.negative && !d.IsZero()) ? "-" + s : s;
}

std::string Text9(double value, const char* missing, char decimalSep) {
  if (!std::isfinite(value)) return missing;
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 9);
  std::string s(buf, res.ptr);
  if (decimalSep != '.')
    for (char& c : s)
      if (c == '.') c = decimalSep;
  return s;
}

std::string LocaleTextDouble(double value, char decimalSep) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  detail::Decimal d = detail::ToDecimal(value, 15);
  std::string s = detail::GeneralText(d, decimalSep, 15);
  return (d.negative && !d.IsZero()) ? "-" + s : s;
}

std::string PlainText(float value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  detail::Decimal d = detail::ToDecimalHalfAway(value, 7);
  std::string s = detail::GeneralText(d, '.', 7);
  if (s.size() > 1 && s[0] == '0' && s[1] == '.') s.erase(0, 1);  // " .87", not " 0.87"
  return ((d.negative && !d.IsZero()) ? "-" : " ") + s;
}

double ParseLocale(const std::string& text, char decimalSep) {
  static const char* const kWhere = "ParseLocale";
  std::size_t b = text.find_first_not_of(' ');
  std::size_t e = text.find_last_not_of(' ');
  if (b == std::string::npos) Raise(ErrTypeMismatch, kWhere);
  // Checked by hand so that only our spelling passes: [sign] digits [sep digits] [E [sign] digits]
  // The same number in the spelling std::from_chars reads, never longer than the text: on the
  // stack for the usual short text.
  std::string heap;
  char small[64];
  char* const plain = text.size() <= sizeof small ? small : (heap.resize(text.size()), &heap[0]);
  char* o = plain;
  std::size_t i = b;
  auto isDigit = [&](std::size_t k) { return k <= e && text[k] >= '0' && text[k] <= '9'; };
  if (text[i] == '+' || text[i] == '-') {
    if (text[i] == '-') *o++ = '-';
    ++i;
  }
  int mantDigits = 0;
  while (isDigit(i)) {
    *o++ = text[i++];
    ++mantDigits;
  }
  if (i <= e && text[i] == decimalSep) {
    *o++ = '.';
    ++i;
    while (isDigit(i)) {
      *o++ = text[i++];
      ++mantDigits;
    }
  }
  if (mantDigits == 0) Raise(ErrTypeMismatch, kWhere);
  if (i <= e && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    *o++ = 'e';
    ++i;
    if (i <= e && (text[i] == '+' || text[i] == '-')) *o++ = text[i++];
    if (!isDigit(i)) Raise(ErrTypeMismatch, kWhere);
    while (isDigit(i)) *o++ = text[i++];
  }
  if (i != e + 1) Raise(ErrTypeMismatch, kWhere);

  double v = 0;
  const char* first = plain;
  const char* last = o;
  auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: a tiny number reads as zero, a huge one overflows.
    if (DecimalOrder(std::string(first, last)) > 0) Raise(ErrOverflow, kWhere);
    return plain[0] == '-' ? -0.0 : 0.0;
  }
  if (ec != std::errc() || ptr != last) Raise(ErrTypeMismatch, kWhere);
  if (!std::isfinite(v)) Raise(ErrOverflow, kWhere);
  return v;
}

std::string ZdejmijGrupyCyfr(const std::string& text) {
  const std::size_t b = text.find_first_not_of(' ');
  if (b == std::string::npos) return text;
  const std::string t = text.substr(b, text.find_last_not_of(' ') - b + 1);
  auto digit = [&t](std::size_t k) { return k < t.size() && t[k] >= '0' && t[k] <= '9'; };
  std::size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  const std::size_t first = i;
  while (digit(i)) ++i;
  if (i == first || i - first > 3) return text;
  int groups = 0;
  while (i < t.size() && t[i] == ' ') {
    if (!(digit(i + 1) && digit(i + 2) && digit(i + 3)) || digit(i + 4)) return text;
    i += 4;
    ++groups;
  }
  if (groups == 0) return text;
  if (i < t.size() && (t[i] == ',' || t[i] == '.')) ++i;
  while (digit(i)) ++i;
  if (i != t.size()) return text;
  std::string out;
  for (char c : t) {
    if (c != ' ') out += c;
  }
  return out;
}

}  // namespace kal
