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

using U128 = unsigned __int128;

// 10^q for q = 0..22, the powers whose product with a 53-bit mantissa stays below 2^128.
constexpr int kMaxPow = 22;
constexpr U128 Pow10(int q) { return q == 0 ? U128{1} : U128{10} * Pow10(q - 1); }
constexpr U128 kPow10[kMaxPow + 1] = {Pow10(0),  Pow10(1),  Pow10(2),  Pow10(3),  Pow10(4),  Pow10(5),
                                      Pow10(6),  Pow10(7),  Pow10(8),  Pow10(9),  Pow10(10), Pow10(11),
                                      Pow10(12), Pow10(13), Pow10(14), Pow10(15), Pow10(16), Pow10(17),
                                      Pow10(18), Pow10(19), Pow10(20), Pow10(21), Pow10(22)};

// Decimal of R (10^(sig-1) <= R < 10^sig) with the first digit at 10^E, trailing zeros dropped.
Decimal FromRounded(std::uint64_t R, int sig, int E, bool negative) {
  Decimal d;
  d.negative = negative;
  char buf[20];
  WriteDigits(R, sig, buf);
  int n = sig;
  while (n > 1 && buf[n - 1] == '0') --n;
  d.digits.assign(buf, static_cast<std::size_t>(n));
  d.point = E + 1;
  return d;
}

}  // namespace

namespace {

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Four digits of a number below 10^4.
void Write4(std::uint32_t r, char* out) {
  const std::uint32_t hi = (r / 100) * 2, lo = (r % 100) * 2;
  out[0] = kPairs[hi];
  out[1] = kPairs[hi + 1];
  out[2] = kPairs[lo];
  out[3] = kPairs[lo + 1];
}

// The n lowest digits of a number below 10^8, in 32-bit arithmetic.
void WriteDigits32(std::uint32_t r, int n, char* out) {
  if (n == 8) {  // two independent halves: the divisions do not wait on each other
    Write4(r / 10000, out);
    Write4(r % 10000, out + 4);
    return;
  }
  while (n >= 2) {
    const std::uint32_t two = (r % 100) * 2;
    r /= 100;
    n -= 2;
    out[n] = kPairs[two];
    out[n + 1] = kPairs[two + 1];
  }
  if (n == 1) out[0] = static_cast<char>('0' + r % 10);
}

// 10^k as the nearest double for k = -22..22 (exact from 10^0 up): the first guess of an exponent.
constexpr double kPow10d[45] = {1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11,
                                1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,
                                1e2,   1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,
                                1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21,  1e22};

}  // namespace

void WriteDigits(std::uint64_t r, int n, char* out) {
  // Eight digits at a time in 32 bits: the divisions by 100 stay cheap.
  while (n > 8) {
    const auto low = static_cast<std::uint32_t>(r % 100000000);
    r /= 100000000;
    n -= 8;
    WriteDigits32(low, 8, out + n);
  }
  WriteDigits32(static_cast<std::uint32_t>(r), n, out);
}

namespace {

// The first guess of the decimal exponent of a in [2^L, 2^(L+1)): floor(L log10 2), or one more
// where the table says so (the rounding below corrects a guess one off).
int GuessExponent(double a, int L) {
  const int E = (L * 78913) >> 18;
  return E >= -23 && E <= 21 && a >= kPow10d[E + 23] ? E + 1 : E;
}

// a = m / 2^shift rounded to `sig` digits in the whole-number type W, which holds m * 10^q for
// q up to maxPow.
template <class W>
bool RoundScaled(W m, int shift, int E, int sig, bool tiesAway, const W* pow10, int maxPow, std::uint64_t* rounded,
                 int* exponent) {
  if (shift <= 0 || shift >= static_cast<int>(sizeof(W) * 8) || sig > maxPow) return false;
  const W lo = pow10[sig - 1], hi = pow10[sig];
  for (int pass = 0; pass < 3; ++pass) {
    const int q = sig - 1 - E;
    if (q < 0 || q > maxPow) return false;
    const W n = m * pow10[q];  // a * 10^q = n / 2^shift, exactly
    const W whole = n >> shift;
    if (whole < lo) {
      --E;
      continue;
    }
    if (whole >= hi) {
      ++E;
      continue;
    }
    const W rest = n & ((W{1} << shift) - 1), half = W{1} << (shift - 1);
    const bool up = rest > half || (rest == half && (tiesAway || (whole & 1) != 0));
    W r = whole + (up ? 1 : 0);
    if (r == hi) {  // 9.99.. rounded up to 10.0..
      r = lo;
      ++E;
    }
    *rounded = static_cast<std::uint64_t>(r);
    *exponent = E;
    return true;
  }
  return false;
}

// The same for a single in 64-bit arithmetic: its 24-bit mantissa times 10^11 stays below 2^64.
bool RoundSingle(float a, int sig, std::uint64_t* rounded, int* exponent) {
  std::uint32_t bits;
  std::memcpy(&bits, &a, sizeof bits);
  const int field = static_cast<int>(bits >> 23);
  if (!(a > 0) || field == 0 || field == 0xFF) return false;
  const std::uint64_t m = (bits & 0x7FFFFFu) | 0x800000u;
  const int E = GuessExponent(static_cast<double>(a), field - 127);
  return RoundScaled<std::uint64_t>(m, 150 - field, E, sig, false, kPow10u, 11, rounded, exponent);
}

}  // namespace

bool RoundToDigits(double a, int sig, bool tiesAway, std::uint64_t* rounded, int* exponent) {
  if (!(a > 0) || sig < 1 || sig > 17) return false;
  std::uint64_t bits;
  std::memcpy(&bits, &a, sizeof bits);
  const int field = static_cast<int>(bits >> 52);
  if (field == 0 || field == 0x7FF) return false;  // subnormal (far below the range), inf, nan
  const std::uint64_t m = (bits & 0xFFFFFFFFFFFFFull) | (1ull << 52);
  const int E = GuessExponent(a, field - 1023);
  return RoundScaled<U128>(m, 1075 - field, E, sig, tiesAway, kPow10, kMaxPow, rounded, exponent);
}

namespace {

// The C library's "%.*e" text of |value|: correctly rounded, exact ties to even.
Decimal Scientific(double value, int decimals, bool negative) {
  std::uint64_t r = 0;
  int e = 0;
  if (RoundToDigits(std::fabs(value), decimals + 1, false, &r, &e)) return FromRounded(r, decimals + 1, e, negative);
  if (value == 0) {
    Decimal zero;
    zero.negative = negative;
    return zero;
  }
  char buf[160];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, decimals);
  return FromExpText(buf, res.ptr, negative);
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
  std::uint64_t r = 0;
  int e = 0;
  if (RoundToDigits(std::fabs(static_cast<double>(value)), sig, true, &r, &e)) return FromRounded(r, sig, e, negative);
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

namespace kal::detail {

char* PrintfG9(float value, char* buf) {
  char* p = buf;
  const double a = std::fabs(static_cast<double>(value));
  std::uint64_t r = 0;
  int e = 0;
  if (RoundSingle(std::fabs(value), 9, &r, &e) || (std::isfinite(a) && a > 0 && RoundToDigits(a, 9, false, &r, &e))) {
    if (std::signbit(value)) *p++ = '-';
    char dig[9];
    WriteDigits(r, 9, dig);
    int n = 9;  // "%g" drops trailing zeros, and the point with them
    while (n > 1 && dig[n - 1] == '0') --n;
    if (e < -4 || e >= 9) {
      *p++ = dig[0];
      if (n > 1) {
        *p++ = '.';
        for (int i = 1; i < n; ++i) *p++ = dig[i];
      }
      *p++ = 'e';
      *p++ = e < 0 ? '-' : '+';
      const int x = e < 0 ? -e : e;
      if (x >= 100) *p++ = static_cast<char>('0' + x / 100);
      *p++ = static_cast<char>('0' + x / 10 % 10);
      *p++ = static_cast<char>('0' + x % 10);
    } else if (e >= 0) {
      for (int i = 0; i <= e; ++i) *p++ = i < n ? dig[i] : '0';
      if (n > e + 1) {
        *p++ = '.';
        for (int i = e + 1; i < n; ++i) *p++ = dig[i];
      }
    } else {
      *p++ = '0';
      *p++ = '.';
      for (int i = 0; i < -e - 1; ++i) *p++ = '0';
      for (int i = 0; i < n; ++i) *p++ = dig[i];
    }
    return p;
  }
  if (value == 0) {
    if (std::signbit(value)) *p++ = '-';
    *p++ = '0';
    return p;
  }
  return std::to_chars(buf, buf + 32, value, std::chars_format::general, 9).ptr;
}

std::string PrintfG9(float value) {
  char buf[32];
  return std::string(buf, PrintfG9(value, buf));
}

}  // namespace kal::detail
