// Number patterns: "0" a digit always printed, "#" a digit printed only when significant,
// the first "." the locale's decimal separator, "E+"/"E-" (or "e+"/"e-") followed by a digit
// place an exponent, any other character copied at its place.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "common/decimal_digits.h"
#include "common/number_text.h"

namespace kal {

namespace {

// A text written into a buffer sized beforehand: on the stack when it is small, as nearly all are.
class Buffer {
 public:
  explicit Buffer(std::size_t need) {
    if (need > sizeof small_) {
      big_.resize(need);
      begin_ = big_.data();
    }
    end_ = begin_;
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;
  char* end() { return end_; }
  void SetEnd(char* e) { end_ = e; }
  std::size_t size() const { return static_cast<std::size_t>(end_ - begin_); }
  std::string_view view() const { return std::string_view(begin_, size()); }

 private:
  char small_[160];
  std::string big_;
  char* begin_ = small_;
  char* end_ = small_;
};

// |value| = 0.d1d2...dn x 10^point at 15 significant digits, no trailing zeros (n = 0 for zero).
// Where whole-number arithmetic found them, the digits are kept as that number (d1...d15).
struct Digits {
  bool negative = false;
  std::uint64_t rounded = 0;  // d1...d15 as a number, 0 when the digits are in d
  char d[24];
  int len = 0;
  int point = 0;
  bool IsZero() const { return rounded == 0 && len == 0; }
  // The digits as characters.
  int Chars(char* out) const {
    if (rounded == 0) {
      std::memcpy(out, d, static_cast<std::size_t>(len));
      return len;
    }
    detail::WriteDigits(rounded, 15, out);
    int n = 15;
    while (out[n - 1] == '0') --n;  // the number has no leading zero
    return n;
  }
};

Digits FifteenDigits(double value) {
  Digits g;
  g.negative = std::signbit(value);
  int e = 0;
  if (detail::RoundToDigits(std::fabs(value), 15, false, &g.rounded, &e)) {
    g.point = e + 1;
    return g;
  }
  g.rounded = 0;
  const detail::Decimal dec = detail::ToDecimal(value, 15);
  g.len = static_cast<int>(dec.digits.size());
  std::memcpy(g.d, dec.digits.data(), dec.digits.size());
  g.point = dec.point;
  return g;
}

bool IsPlace(char c) { return c == '0' || c == '#'; }

int CountPlaces(std::string_view s) {
  int n = 0;
  for (char c : s) n += IsPlace(c) ? 1 : 0;
  return n;
}

// Writes s at p; returns the end.
char* Put(char* p, std::string_view s) {
  if (!s.empty()) std::memcpy(p, s.data(), s.size());
  return p + s.size();
}

// Integer digits through the integer part of a pattern. Digits beyond the pattern's places all
// go in front of its first place; "#" places without a digit print nothing, literals always print.
// Written at p (a local pointer: stores through it cannot touch the buffer's own end); returns the end.
char* RenderWhole(char* p, std::string_view digits, std::string_view pat) {
  const int places = CountPlaces(pat);
  if (places == 0) return Put(Put(p, pat), digits);  // no places: the digits follow the pattern
  // The place k (from the left) takes digit k + shift; a negative index has no digit.
  const int shift = static_cast<int>(digits.size()) - places;
  int k = 0;
  for (char c : pat) {
    if (!IsPlace(c)) {
      *p++ = c;
      continue;
    }
    if (k == 0 && shift > 0) p = Put(p, digits.substr(0, static_cast<std::size_t>(shift)));
    const int i = k + shift;
    if (i >= 0) {
      *p++ = digits[static_cast<std::size_t>(i)];
    } else if (c == '0') {
      *p++ = '0';
    }
    ++k;
  }
  return p;
}

// Decimals through the part of a pattern after its point, left to right; trailing "#" places
// whose digit is zero are left out. Written at p; returns the end.
char* RenderFrac(char* p, std::string_view frac, std::string_view pat) {
  std::size_t keep = frac.size();
  for (std::size_t i = pat.size(); i-- > 0 && keep > 0;) {
    if (!IsPlace(pat[i])) continue;
    if (pat[i] != '#' || frac[keep - 1] != '0') break;
    --keep;
  }
  std::size_t k = 0;
  for (char c : pat) {
    if (!IsPlace(c)) {
      *p++ = c;
    } else {
      if (k < keep) *p++ = frac[k];
      ++k;
    }
  }
  return p;
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

// Integer digits of d (point > 0) or none.
int WholeCount(const Digits& d) { return d.IsZero() ? 0 : std::max(d.point, 0); }

// The digits of d at `decimals` places, rounded half away from zero, into `out` (room for
// WholeCount(d) + decimals + 1): the integer digits (no leading zero), then exactly `decimals`
// digits. Returns the count of integer digits.
int FixedDigits(const Digits& d, int decimals, Buffer& out) {
  char* s = out.end();
  if (d.rounded != 0 && decimals <= 18 && d.point + decimals <= 18) {
    // Whole numbers below 10^19: n = value x 10^decimals rounded on the 15-digit text, whose
    // first left-out digit alone decides.
    const int shift = d.point - 15 + decimals;  // n = rounded x 10^shift
    std::uint64_t n = 0;
    if (shift >= 0) {
      n = d.rounded * detail::kPow10u[shift];
    } else if (shift >= -15) {
      const std::uint64_t q = d.rounded / detail::kPow10u[-shift - 1];  // one digit more than kept
      n = q / 10 + (q % 10 >= 5 ? 1 : 0);
    }
    const std::uint64_t whole = n / detail::kPow10u[decimals];
    int w = 0;
    while (w < 19 && whole >= detail::kPow10u[w]) ++w;
    detail::WriteDigits(whole, w, s);
    detail::WriteDigits(n % detail::kPow10u[decimals], decimals, s + w);
    out.SetEnd(s + w + decimals);
    return w;
  }
  char digits[24];
  const int len = d.Chars(digits);
  const int w = WholeCount(d);
  const int n = w + decimals;
  std::memset(s, '0', static_cast<std::size_t>(n));
  if (!d.IsZero()) {
    // s[i] stands at 10^(w-1-i), the digit digits[j] at 10^(point-1-j).
    const int from = std::max(0, w - d.point), to = std::min(n, len - (d.point - w));
    for (int i = from; i < to; ++i) s[i] = digits[i + d.point - w];
    const int next = d.point + decimals;  // the first digit left out decides
    if (next >= 0 && next < len && digits[next] >= '5') {
      int i = n;
      while (i > 0 && s[i - 1] == '9') s[--i] = '0';
      if (i > 0) {
        ++s[i - 1];
      } else {
        std::memmove(s + 1, s, static_cast<std::size_t>(n));
        s[0] = '1';
        out.SetEnd(s + n + 1);
        return w + 1;
      }
    }
  }
  out.SetEnd(s + n);
  return w;
}

}  // namespace

std::string Format(double value, std::string_view pattern, char decimalSep) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  if (pattern.empty()) return LocaleTextDouble(value, decimalSep);

  const std::string_view pat = pattern;
  const std::size_t expAt = FindExponent(pat);
  const std::string_view mant = pat.substr(0, expAt);
  const std::size_t pointAt = mant.find('.');
  const std::string_view wholePat = mant.substr(0, pointAt);
  const std::string_view fracPat = pointAt == std::string_view::npos ? std::string_view() : mant.substr(pointAt + 1);
  const int decimals = CountPlaces(fracPat);

  Digits d = FifteenDigits(value);
  long e = 0;
  if (expAt != std::string_view::npos && !d.IsZero()) {
    // Scientific: as many integer digits as the mantissa has places (at least one).
    const int lead = std::max(1, CountPlaces(wholePat));
    e = d.point - lead;
    d.point = lead;
    Buffer probe(static_cast<std::size_t>(lead + decimals + 1));
    if (FixedDigits(d, decimals, probe) > lead) {  // 9.99 -> 10.0: one more in the exponent
      ++e;
      --d.point;
    }
  }
  const std::size_t w = static_cast<std::size_t>(WholeCount(d));
  Buffer digits(w + static_cast<std::size_t>(decimals) + 1);
  const auto whole = static_cast<std::size_t>(FixedDigits(d, decimals, digits));
  const std::string_view all = digits.view();

  Buffer out(pat.size() + all.size() + 32);
  // Any value below zero keeps its minus sign, even one that rounds to zero ("-0,00");
  // a negative zero is zero.
  char* p = out.end();
  if (d.negative && !d.IsZero()) *p++ = '-';
  p = RenderWhole(p, all.substr(0, whole), wholePat);
  if (pointAt != std::string_view::npos) {
    *p++ = decimalSep;
    p = RenderFrac(p, all.substr(whole), fracPat);
  }
  if (expAt != std::string_view::npos) {
    *p++ = pat[expAt];
    if (e < 0) {
      *p++ = '-';
    } else if (pat[expAt + 1] == '+') {
      *p++ = '+';
    }
    char expDigits[24];
    const auto r = std::to_chars(expDigits, expDigits + sizeof expDigits, e < 0 ? -e : e);
    const std::string_view ed(expDigits, e == 0 ? 0 : static_cast<std::size_t>(r.ptr - expDigits));
    p = RenderWhole(p, ed, pat.substr(expAt + 2));
  }
  out.SetEnd(p);
  return std::string(out.view());
}

}  // namespace kal
