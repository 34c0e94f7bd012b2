// Decimal digits of a number, the common ground of the number patterns and the text forms.
#pragma once
#include <cstdint>
#include <string>

namespace kal::detail {

// |value| = 0.d1d2d3... x 10^point, with `digits` holding d1d2d3... without leading or
// trailing zeros ("" for zero).
struct Decimal {
  bool negative = false;
  std::string digits;
  int point = 0;
  bool IsZero() const { return digits.empty(); }
};

// |a| > 0 rounded to `sig` significant digits from its exact binary value by whole-number
// arithmetic: 10^(sig-1) <= rounded < 10^sig, the first digit at 10^exponent; exact ties to
// even, or away from zero. False where the exact product a * 10^q leaves 128 bits (a below about
// 10^(sig-23) or from 2^53): the caller then takes the C library's digits.
bool RoundToDigits(double a, int sig, bool tiesAway, std::uint64_t* rounded, int* exponent);

// 10^q for q = 0..19, every power of ten below 2^64.
constexpr std::uint64_t Pow10u(int q) { return q == 0 ? 1 : 10 * Pow10u(q - 1); }
inline constexpr std::uint64_t kPow10u[20] = {Pow10u(0),  Pow10u(1),  Pow10u(2),  Pow10u(3),  Pow10u(4),
                                              Pow10u(5),  Pow10u(6),  Pow10u(7),  Pow10u(8),  Pow10u(9),
                                              Pow10u(10), Pow10u(11), Pow10u(12), Pow10u(13), Pow10u(14),
                                              Pow10u(15), Pow10u(16), Pow10u(17), Pow10u(18), Pow10u(19)};

// The n lowest decimal digits of r, leading zeros included, written to out[0..n).
void WriteDigits(std::uint64_t r, int n, char* out);

// The value's decimal text at `sig` significant digits (1..17), rounded by the C library from
// the exact binary value.
Decimal ToDecimal(double value, int sig);

// The exact decimal expansion of a single (widened to double) rounded half away from zero to
// `sig` significant digits.
Decimal ToDecimalHalfAway(float value, int sig);

// Fixed-point split of a decimal rounded half away from zero to `decimals` places:
// `whole` holds the integer digits without leading zeros ("" for no integer part), `frac`
// exactly `decimals` digits.
struct Fixed {
  std::string whole;
  std::string frac;
  bool IsZero() const;
};
Fixed RoundFixed(const Decimal& d, int decimals);

// printf's "%.9g" text of a single: nine significant digits, enough to read back the very single.
std::string PrintfG9(float value);
// The same text written to buf (32 bytes at least); returns its end.
char* PrintfG9(float value, char* buf);

// Text of a finite non-negative decimal in general form: no exponent between 1e-4 and
// 10^maxExp (exclusive), otherwise "1,234568E+07" / "1E-05".
std::string GeneralText(const Decimal& d, char sep, int maxExp);

}  // namespace kal::detail
