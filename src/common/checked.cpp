#include "common/checked.h"

#include <cfloat>
#include <cmath>

#include "common/errors.h"

namespace kal {

void RaiseOverflow(const char* source) { Raise(ErrOverflow, source); }

void RaiseDivision(double a, const char* source) {
  Raise(a == 0 || std::isnan(a) ? ErrOverflow : ErrDivByZero, source);
}

long double ChkX(long double x) {
  if (!std::isfinite(x)) Raise(ErrOverflow, "ChkX");
  return x;
}

long double DivX(long double a, long double b) {
  if (b == 0) Raise(a == 0 || std::isnan(a) ? ErrOverflow : ErrDivByZero, "DivX");
  return ChkX(a / b);
}

double Log(double x) {
  if (std::isnan(x) || x <= 0) Raise(ErrInvalidCall, "Log");
  return Chk(std::log(x));
}

double Pow(double base, double e) {
  if (std::isnan(base) || std::isnan(e)) Raise(ErrOverflow, "Pow");
  if (base < 0 && e != std::floor(e)) Raise(ErrInvalidCall, "Pow");
  if (base == 0 && e < 0) Raise(ErrInvalidCall, "Pow");
  return Chk(std::pow(base, e));
}

double Exp(double x) { return Chk(std::exp(Chk(x))); }

double Int(double x) { return std::floor(Chk(x)); }

double RoundEven(double x) { return std::nearbyint(Chk(x)); }

double Round2(double x) { return Chk(std::nearbyint(Chk(x) * 100.0) / 100.0); }

double Round3(double x) { return Chk(std::nearbyint(Chk(x) * 1000.0) / 1000.0); }

int16_t CInt(double x) {
  double r = RoundEven(x);
  if (r < -32768.0 || r > 32767.0) Raise(ErrOverflow, "CInt");
  return static_cast<int16_t>(r);
}

uint8_t CByte(double x) {
  double r = RoundEven(x);
  if (r < 0.0 || r > 255.0) Raise(ErrOverflow, "CByte");
  return static_cast<uint8_t>(r);
}

}  // namespace kal
