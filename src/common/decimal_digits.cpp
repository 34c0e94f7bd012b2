#include "common/decimal_digits.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace kal::detail {

namespace {

// Parses the scientific text ("d.ddde+XX") of a non-negative number.
Decimal FromExpText(const char* text, const char* end, bool negative) {
  Decimal d;
  d.negative = negative;
  char mant[160];
  int n = 0;
  const char* p = text;
  for (; p != end && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') mant[n++] = *p;
  }
  int e = 0;
  if (p != end) std::from_chars(p + 1 + (p[1] == '+'), end, e);
  int first = 0;
  while (first < n && mant[first] == '0') ++first;
  if (first == n) return d;  // zero (and the texts of inf and nan)
  int last = n - 1;
  while (mant[last] == '0') --last;
  d.digits.assign(mant + first, static_cast<std::size_t>(last - first + 1));
  d.point = e + 1 - first;
  return d;
}

// The C library's "%.*e" text of |value|: correctly rounded, exact ties to even.
Decimal Scientific(double value, int decimals, bool negative) {
  char buf[160];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, decimals);
  return FromExpText(buf, r.ptr, negative);
}

// Adds one unit in the last place of a digit string; returns true on a carry out of the top.
bool Increment(std::string& s) {
  for (std::size_t i = s.size(); i-- > 0;) {
    if (s[i] == '9') {
      s[i] = '0';
    } else {
      ++s[i];
      return false;
    }
  }
  return true;
}

void StripTrailingZeros(Decimal& d) {
  std::size_t last = d.digits.find_last_not_of('0');
  if (last == std::string::npos) {
    d.digits.clear();
    d.point = 0;
  } else {
    d.digits.erase(last + 1);
  }
}

// True when the non-zero finite single v lies exactly halfway between two neighbours of `sig`
// significant digits whose leading digit has the decimal exponent E: v * 2 * 10^(sig-1-E) is then
// an odd whole number.
bool IsTie(float v, int sig, int E) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const int field = static_cast<int>((bits >> 23) & 0xFF);
  std::uint32_t m = bits & 0x7FFFFF;
  int e = -149;  // v = m * 2^e
  if (field != 0) {
    m |= 0x800000;
    e = field - 150;
  }
  while ((m & 1) == 0) {
    m >>= 1;
    ++e;
  }
  const int q = sig - 1 - E;
  // m * 2^(e+1+q) * 5^q is odd and whole exactly when the power of two vanishes.
  if (q >= 0) return e + 1 + q == 0;
  // m * 2^(e+1-r) / 5^r with r = -q: the same, and 5^r must divide m (m < 2^24 < 5^11).
  const int r = -q;
  if (e + 1 - r != 0 || r > 10) return false;
  std::uint32_t p5 = 1;
  for (int k = 0; k < r; ++k) p5 *= 5;
  return m % p5 == 0;
}

}  // namespace

Decimal ToDecimal(double value, int sig) { return Scientific(value, sig - 1, std::signbit(value)); }

Decimal ToDecimalHalfAway(float value, int sig) {
  const bool negative = std::signbit(value);
  // Half away from zero differs from the correct rounding (ties to even) only on an exact tie.
  Decimal d = Scientific(value, sig - 1, negative);
  if (d.IsZero() || !std::isfinite(value) || !IsTie(value, sig, d.point - 1)) return d;
  // A tie has sig + 1 significant digits, the last a 5: this text is exact.
  d = Scientific(value, sig, negative);
  if (static_cast<int>(d.digits.size()) <= sig) return d;
  d.digits.erase(static_cast<std::size_t>(sig));
  if (Increment(d.digits)) {
    d.digits.insert(d.digits.begin(), '1');
    d.digits.pop_back();
    ++d.point;
  }
  StripTrailingZeros(d);
  return d;
}
bool Fixed::IsZero() const { return whole.empty() && frac.find_first_not_of('0') == std::string::npos; }

Fixed RoundFixed(const Decimal& d, int decimals) {
  Fixed f;
  if (d.IsZero() || d.point < -decimals - 1) {  // far below half a unit of the last place
    f.frac.assign(decimals, '0');
    return f;
  }
  const int len = static_cast<int>(d.digits.size());
  std::string frac;
  if (d.point <= 0) {
    f.whole.clear();
    frac.assign(-d.point, '0');
    frac += d.digits;
  } else if (d.point >= len) {
    f.whole = d.digits + std::string(d.point - len, '0');
  } else {
    f.whole = d.digits.substr(0, d.point);
    frac = d.digits.substr(d.point);
  }
  if (static_cast<int>(frac.size()) < decimals + 1) frac.resize(decimals + 1, '0');
  const bool up = frac[decimals] >= '5';
  frac.erase(decimals);
  if (up) {
    std::string all = f.whole + frac;
    if (Increment(all)) all.insert(all.begin(), '1');
    f.whole = all.substr(0, all.size() - frac.size());
    frac = all.substr(all.size() - frac.size());
  }
  f.frac = frac;
  std::size_t first = f.whole.find_first_not_of('0');
  f.whole = (first == std::string::npos) ? std::string() : f.whole.substr(first);
  return f;
}

std::string GeneralText(const Decimal& d, char sep, int maxExp) {
  if (d.IsZero()) return "0";
  const int len = static_cast<int>(d.digits.size());
  const int e = d.point - 1;
  std::string s;
  if (e < -4 || e >= maxExp) {
    s = d.digits.substr(0, 1);
    if (len > 1) {
      s += sep;
      s += d.digits.substr(1);
    }
    const int a = std::abs(e);
    s += 'E';
    s += e < 0 ? '-' : '+';
    if (a < 10) s += '0';
    s += std::to_string(a);
    return s;
  }
  if (d.point <= 0) return std::string("0") + sep + std::string(-d.point, '0') + d.digits;
  if (d.point >= len) return d.digits + std::string(d.point - len, '0');
  return d.digits.substr(0, d.point) + sep + d.digits.substr(d.point);
}

}  // namespace kal::detail
