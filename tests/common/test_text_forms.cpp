#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "common/errors.h"
#include "common/number_text.h"
#include "support/file_bytes.h"

namespace kal {
namespace {

using test::InLocale;

class TextForms : public ::testing::TestWithParam<char> {};

TEST_P(TextForms, LocaleTextOfSingles) {
  const char sep = GetParam();
  struct Case {
    float v;
    const char* expected;
  } const cases[] = {
      {1.5f, "1,5"},
      {15.f, "15"},
      {0.f, "0"},
      {-0.f, "0"},
      {0.1f, "0,1"},
      {0.873f, "0,873"},
      {-0.5f, "-0,5"},
      {101.325f, "101,325"},
      {2257.9f, "2257,9"},
      {1234567.f, "1234567"},
      {12345678.f, "1,234568E+07"},
      {9999999.f, "9999999"},
      {10000000.f, "1E+07"},
      {0.0001f, "0,0001"},
      {0.00001f, "1E-05"},
      {0.000012345f, "1,2345E-05"},
      {-0.00001f, "-1E-05"},
      {3.4028235e38f, "3,402823E+38"},
      {1.4e-45f, "1,401298E-45"},
      {12345685.f, "1,234569E+07"},  // exact tie at the 8th digit: half away from zero
      {1.f / 3.f, "0,3333333"},
  };
  for (const auto& c : cases) EXPECT_EQ(InLocale(c.expected, sep), LocaleText(c.v, sep)) << c.v;
}

TEST(TextForms, PlainNumberForm) {
  struct Case {
    float v;
    const char* expected;
  } const cases[] = {
      {0.87f, " .87"}, {0.f, " 0"},          {12.5f, " 12.5"}, {-0.5f, "-.5"}, {1.f, " 1"},   {-3.f, "-3"},
      {0.95f, " .95"}, {0.00001f, " 1E-05"}, {1e8f, " 1E+08"}, {-0.f, " 0"},   {0.1f, " .1"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, PlainText(c.v)) << c.v;
}

TEST_P(TextForms, LocaleTextOfDoubles) {
  const char sep = GetParam();
  EXPECT_EQ(InLocale("12,5", sep), LocaleTextDouble(12.5, sep));
  EXPECT_EQ(InLocale("0,1", sep), LocaleTextDouble(0.1, sep));
  EXPECT_EQ(InLocale("0,333333333333333", sep), LocaleTextDouble(1.0 / 3, sep));
  EXPECT_EQ("123456789012345", LocaleTextDouble(123456789012345.0, sep));
  EXPECT_EQ("1E+15", LocaleTextDouble(1e15, sep));
  EXPECT_EQ("-1E-05", LocaleTextDouble(-1e-5, sep));
}

// Nine significant digits of a double, as "%.9g" gives them, with the separator asked for.
TEST(TextForms, NineDigitsOfADouble) {
  const struct {
    double v;
    char sep;
    const char* text;
  } cases[] = {{0.85123456789, ',', "0,851234568"},     {-12.5, '.', "-12.5"},    {1e-5, ',', "1e-05"},
               {123456789012.0, '.', "1.23456789e+11"}, {std::nan(""), ',', "-"}, {-HUGE_VAL, '.', "-"}};
  for (const auto& c : cases) EXPECT_EQ(Text9(c.v, "-", c.sep), c.text) << c.v;
}

TEST(TextForms, NonFiniteValuesGiveADefinedText) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ("NaN", LocaleText(std::nanf(""), ','));
  EXPECT_EQ("-Inf", PlainText(-inf));
  EXPECT_EQ("Inf", LocaleTextDouble(std::numeric_limits<double>::infinity(), ','));
}

int ParseError(const std::string& text, char sep) {
  try {
    ParseLocale(text, sep);
  } catch (const RunTimeError& e) {
    return e.number;
  }
  return 0;
}

TEST_P(TextForms, ParseLocaleReadsNumbers) {
  const char sep = GetParam();
  struct Case {
    const char* text;
    double v;
  } const cases[] = {
      {"12,5", 12.5},
      {"  12,5  ", 12.5},
      {"-3", -3},
      {"+5", 5},
      {",5", 0.5},
      {"12,", 12},
      {"1E3", 1000},
      {"1,5e-3", 0.0015},
      {"2D2", 200},
      {"007", 7},
      {"-0", 0},
      {"1e-400", 0},
      {"0,000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "00000000000000000000000000000000000000000000000000000001",
       0},
      {"1,7976931348623157E+308", DBL_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(c.v, ParseLocale(InLocale(c.text, sep), sep)) << c.text;
}

TEST_P(TextForms, ParseLocaleRejectsWhatIsNoNumber) {
  const char sep = GetParam();
  const char* const mismatches[] = {"",   "   ", "-",   "+",   ",",    "1/2", "1-2",  "--1", "+-1", "1,2,3", "12 5",
                                    "e5", "1e",  "1e+", "abc", "1,5x", "\t1", "0x10", "inf", "nan", "1_000"};
  for (const char* t : mismatches) {
    EXPECT_EQ(ErrTypeMismatch, ParseError(InLocale(t, sep), sep)) << t;
  }
  EXPECT_EQ(ErrOverflow, ParseError("1" + std::string(399, '0'), sep));
  EXPECT_EQ(ErrOverflow, ParseError("-1e309", sep));
  EXPECT_EQ(ErrOverflow, ParseError("1e" + std::string(1000, '9'), sep));
  EXPECT_EQ(0, ParseError("1e-" + std::string(1000, '9'), sep));
}

TEST(TextForms, ParseLocaleUsesOnlyTheLocaleSeparator) {
  EXPECT_EQ(ErrTypeMismatch, ParseError("12.5", ','));
  EXPECT_EQ(ErrTypeMismatch, ParseError("12,5", '.'));
  EXPECT_EQ(12.5, ParseLocale("12.5", '.'));
}

INSTANTIATE_TEST_SUITE_P(Locales, TextForms, ::testing::Values(',', '.'),
                         [](const auto& p) { return p.param == ',' ? "Comma" : "Point"; });

}  // namespace
}  // namespace kal
