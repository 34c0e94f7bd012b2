// Texts of numbers: number patterns ("# #00.0", "0.00", "#0.000E" ...), the locale text form and
// the plain-number form, and the locale's number reading. The decimal separator is passed in.
#pragma once
#include <string>
#include <string_view>

namespace kal {

// Value rendered through a pattern: "0" digit always printed, "#" digit printed when significant,
// "." the locale's decimal separator, any other character copied at its place among the digits.
// Rounds half away from zero on the value's 15-significant-digit decimal text.
std::string Format(double value, std::string_view pattern, char decimalSep);

// Locale text form of a single: at most 7 significant digits, trailing zeros dropped, locale
// separator, leading zero kept; exponent form ("1E-05", "1,234568E+07") below 1e-4 or from 1e7.
std::string LocaleText(float value, char decimalSep);

// Locale text form of a double: the same rules with at most 15 significant digits and the
// exponent form from 1e15 ("12,5", "1E+15"); the text a number argument of the input
// correction becomes.
std::string LocaleTextDouble(double value, char decimalSep);

// Nine significant digits of a double, as "%.9g" writes them with `decimalSep` for the point;
// `missing` where the value is not finite (no NaN or infinity is ever shown).
std::string Text9(double value, const char* missing, char decimalSep = '.');

// Plain-number form of a single: the same digits, always a point, a leading blank for a value
// that is not negative, no zero before the point (" .87", " 0", " 12.5", "-.5").
std::string PlainText(float value);

// A text in the digit grouping of the program's own patterns ("10 000", "2 257,", "-12 345,6":
// a sign, one to three digits, groups of three after single blanks, a separator and decimals)
// without its group blanks; any other text unchanged. Blanks around the text are dropped first.
std::string ZdejmijGrupyCyfr(const std::string& text);

// Locale number reading of a typed text (blanks around allowed, sign, digits, the locale's
// separator, an exponent). A text that is no number raises error 13; beyond double, error 6.
double ParseLocale(const std::string& text, char decimalSep);

}  // namespace kal
