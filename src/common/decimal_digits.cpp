#include "common/decimal_digits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kal::detail {

namespace {

// Parses the "%.Ne" text of a non-negative finite number.
Decimal FromExpText(const char* text, bool negative) {
  Decimal d;
  d.negative = negative;
  const char* p = text;
  std::string mant;
  for (; *p != 'e' && *p != '\0'; ++p) {
    if (*p >= '0' && *p <= '9') mant.push_back(*p);
  }
  const int e = (*p == 'e') ? std::atoi(p + 1) : 0;
  std::size_t first = mant.find_first_not_of('0');
  if (first == std::string::npos) return d;  // zero
  std::size_t last = mant.find_last_not_of('0');
  d.digits = mant.substr(first, last - first + 1);
  d.point = e + 1 - static_cast<int>(first);
  return d;
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

}  // namespace

Decimal ToDecimal(double value, int sig) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", sig - 1, std::fabs(value));
  return FromExpText(buf, std::signbit(value));
}

Decimal ToDecimalHalfAway(float value, int sig) {
  // A single's exact expansion has at most ~112 significant digits; 120 keeps it exact, so a
  // tie is seen as a tie.
  char buf[160];
  std::snprintf(buf, sizeof buf, "%.120e", std::fabs(static_cast<double>(value)));
  Decimal d = FromExpText(buf, std::signbit(value));
  if (static_cast<int>(d.digits.size()) <= sig) return d;
  const bool up = d.digits[sig] >= '5';
  d.digits.erase(sig);
  if (up && Increment(d.digits)) {
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
    char buf[16];
    std::snprintf(buf, sizeof buf, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
    return s + buf;
  }
  if (d.point <= 0) return std::string("0") + sep + std::string(-d.point, '0') + d.digits;
  if (d.point >= len) return d.digits + std::string(d.point - len, '0');
  return d.digits.substr(0, d.point) + sep + d.digits.substr(d.point);
}

}  // namespace kal::detail
