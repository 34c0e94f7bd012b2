// Checked arithmetic: every store to single precision and every log, power and division that
// can fail goes through here, so a fault becomes a run-time error instead of NaN or inf.
#pragma once
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace kal {

// The failing paths, out of line so the checks below stay cheap in the solvers' inner loops.
[[noreturn]] void RaiseOverflow(const char* source);
[[noreturn]] void RaiseDivision(double a, const char* source);

// Store to single: non-finite or beyond FLT_MAX -> error 6.
inline float Sng(double x) {
  if (!(std::fabs(x) <= static_cast<double>(FLT_MAX))) RaiseOverflow("Sng");
  return static_cast<float>(x);
}
// A double result must be finite -> error 6.
inline double Chk(double x) {
  if (!std::isfinite(x)) RaiseOverflow("Chk");
  return x;
}
// a/b: b == 0 -> error 11 (0/0 -> error 6); a non-finite quotient -> error 6.
inline double Div(double a, double b) {
  if (b == 0) RaiseDivision(a, "Div");
  return Chk(a / b);
}
long double ChkX(long double x);  // the same for extended precision
long double DivX(long double a, long double b);
double Log(double x);               // natural log: x <= 0 -> error 5
double Pow(double base, double e);  // real power: negative base ^ fraction, 0 ^ negative -> error 5
double Exp(double x);               // e^x: overflow -> error 6

// Rounding words.
double Int(double x);        // "Int": largest whole number not greater than x
double RoundEven(double x);  // to an integer, halves to even
double Round2(double x);     // to 2 decimals, halves to even
double Round3(double x);     // to 3 decimals, halves to even
int16_t CInt(double x);      // 16-bit integer, halves to even, out of range -> error 6
uint8_t CByte(double x);     // 8-bit unsigned, halves to even, out of range -> error 6

}  // namespace kal
