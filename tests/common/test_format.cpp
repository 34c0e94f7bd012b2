#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "common/number_text.h"
#include "support/file_bytes.h"

namespace kal {
namespace {

using test::InLocale;

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;  // comma locale
};

class FormatTest : public ::testing::TestWithParam<char> {};

TEST_P(FormatTest, ExamplesOfTheWindowsAndTheReport) {
  const char sep = GetParam();
  const FormatCase cases[] = {
      // enthalpy box and report
      {2827.94, "# #00.0", "2 827,9"},
      {345.2, "# #00.0", " 345,2"},
      {12345.6, "# #00.0", "12 345,6"},
      {0, "# #00.0", " 00,0"},
      {2500.26, "# #00.", "2 500,"},
      {2675.7, "# ##0.0", "2 675,7"},
      {417.5, "# 000.0", " 417,5"},
      {83.9, "# 000.0", " 083,9"},
      // entropy, volume, temperature
      {6.5863, "0.00", "6,59"},
      {-2.5, "0.00", "-2,50"},
      {0.01234, "#0.000", "0,012"},
      {1.6729, "#0.000", "1,673"},
      {0.05, "0.000", "0,050"},
      {0.1, "0.000", "0,100"},
      {5, "#00", "05"},
      {200, "#00", "200"},
      {0, "#00", "00"},
      {100, "##0", "100"},
      {7, "##0", "7"},
      {12.34, "#0.00", "12,34"},
      {99.996, "##0.00", "100,00"},
      {0.0010435, "##0.0000", "0,0010"},
      {1.0, "##0.0", "1,0"},
      // wet-steam window
      {2675.7, "0 000.0", "2 675,7"},
      {417.5, "0 000.0", "0 417,5"},
      {1500.25, "0 000.00", "1 500,25"},
      {2257.9, " 0 000.0", " 2 257,9"},
      {12345.6, " 0 000.0", " 12 345,6"},
      // pressure box in its three units
      {1.5, "#0.0##", "1,5"},
      {0.01234, "#0.0##", "0,012"},
      {1.5, "#0.000#", "1,500"},
      {1.23456, "#0.000#", "1,2346"},
      {15, "#0.0#", "15,0"},
      {15.25, "#0.0#", "15,25"},
      {1500, "# ##0", "1 500"},
      {101.325, "# ##0", " 101"},
      {100, "# ##0", " 100"},
      {5, "# ##0", " 5"},
      {1234567, "# ##0", "1234 567"},
      // a letter E not followed by a sign is copied
      {0.9, "#0.000E", "0,900E"},
      {12.3456, "#0.000E", "12,346E"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InLocale(c.expected, sep), Format(c.value, c.pattern, sep)) << c.value << " with \"" << c.pattern << "\"";
  }
}

TEST_P(FormatTest, TiesRoundHalfAwayFromZeroOnFifteenDigits) {
  const char sep = GetParam();
  const FormatCase cases[] = {
      {2.675, "0.00", "2,68"},  // binary 2.67499999999999982236431605997495353221893310546875
      {1.005, "0.00", "1,01"},  // binary 1.00499999999999989341858963598497211933135986328125
      {0.125, "0.00", "0,13"},  // exact binary tie
      {0.375, "0.00", "0,38"},
      {-0.125, "0.00", "-0,13"},
      {-2.675, "0.00", "-2,68"},
      {2.5, "#00", "03"},
      {3.5, "#00", "04"},
      {-2.5, "##0", "-3"},
      {0.05, "#0.0", "0,1"},
      {1.45, "#0.0", "1,5"},
      {2.665, "0.00", "2,67"},
      {0.0005, "0.000", "0,001"},
      {9.9995, "#0.000", "10,000"},
      {999.95, "# #00.0", "1 000,0"},
      {1.2344999999999999, "#0.0000", "1,2345"},  // the 15-digit text is 1.23450000000000
      {1.2344999, "#0.0000", "1,2345"},
      {1.2344499, "#0.0000", "1,2344"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InLocale(c.expected, sep), Format(c.value, c.pattern, sep)) << c.value << " with \"" << c.pattern << "\"";
  }
}

TEST_P(FormatTest, SinglesWidenedExactly) {
  const char sep = GetParam();
  EXPECT_EQ(InLocale(" 2 257,9", sep), Format(2257.9f, " 0 000.0", sep));
  EXPECT_EQ(InLocale("0,90", sep), Format(0.9f, "0.00", sep));
  EXPECT_EQ(InLocale("1,5", sep), Format(1.5f, "#0.0##", sep));
  EXPECT_EQ(InLocale("0,100", sep), Format(0.1f, "0.000", sep));
  EXPECT_EQ(" 100", Format(static_cast<float>(0.1f / 0.001), "# ##0", sep));
}

TEST_P(FormatTest, NegativesAndZero) {
  const char sep = GetParam();
  const FormatCase cases[] = {
      {-345.2, "# #00.0", "- 345,2"},  // the sign leads the whole text
      {-2827.94, "# #00.0", "-2 827,9"},
      {-0.5, "#0.00", "-0,50"},
      {-0.5, "#.00", "-,50"},
      {-12345.6, "0 000.0", "-12 345,6"},
      {-0.001, "0.00", "-0,00"},  // rounds to zero: the sign stays
      {-7.35e-5, "0.000", "-0,000"},
      {-0.0004, "# #00.", "- 00,"},
      {-0.0, "0.00", "0,00"},
      {-0.0004, "#0.0##", "-0,0"},
      {0, "#0.0##", "0,0"},
      {0, "#.##", ","},
      {0, "##", ""},
      {0, "0 000.00", "0 000,00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InLocale(c.expected, sep), Format(c.value, c.pattern, sep)) << c.value << " with \"" << c.pattern << "\"";
  }
}

TEST_P(FormatTest, WideValuesPrintAllTheirIntegerDigits) {
  const char sep = GetParam();
  EXPECT_EQ(InLocale("123456,0", sep), Format(123456, "#0.0", sep));
  EXPECT_EQ("1000000", Format(1e6, "#00", sep));
  EXPECT_EQ(InLocale("123456789012345000000,00", sep), Format(1.23456789012345e20, "0.00", sep));
  const std::string big = Format(1e300, "0", sep);
  EXPECT_EQ(301u, big.size());
  EXPECT_EQ('1', big[0]);
  EXPECT_EQ(std::string::npos, big.find_first_not_of('0', 1));
  EXPECT_EQ(InLocale("0,000", sep), Format(1e-300, "0.000", sep));
  EXPECT_EQ(InLocale("0,000", sep), Format(std::numeric_limits<double>::denorm_min(), "0.000", sep));
}

TEST_P(FormatTest, LiteralsAndUnusualPatterns) {
  const char sep = GetParam();
  const FormatCase cases[] = {
      {12.5, ".00", "12,50"},      {0.5, ".00", ",50"},     {12.5, "abc", "abc13"}, {12.5, "[0.0] kg", "[12,5] kg"},
      {3.14159, "0.0 0", "3,1 4"}, {1.5, "0.0.0", "1,5.0"},  // only the first point is the separator
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InLocale(c.expected, sep), Format(c.value, c.pattern, sep)) << c.value << " with \"" << c.pattern << "\"";
  }
}

TEST(Format, ACommaInAPatternIsAPlainCharacter) {
  EXPECT_EQ("0,2", Format(1.5, "0,0", '.'));
  EXPECT_EQ("0,2", Format(1.5, "0,0", ','));
}

TEST(Format, ExponentPatterns) {
  EXPECT_EQ("1,23E+04", Format(12345, "0.00E+00", ','));
  EXPECT_EQ("12,35E+03", Format(12345, "00.00E+00", ','));
  EXPECT_EQ("1,23E-04", Format(0.000123, "0.00E+00", ','));
  EXPECT_EQ("1,23E04", Format(12345, "0.00E-00", ','));
  EXPECT_EQ("1,23E-04", Format(0.000123, "0.00E-00", ','));
  EXPECT_EQ("1,00E+01", Format(9.999, "0.00E+00", ','));
  EXPECT_EQ("-5,0E+00", Format(-5, "0.0E+00", ','));
  EXPECT_EQ("0,0E+00", Format(0, "0.0E+00", ','));
  EXPECT_EQ("1.0e+300", Format(1e300, "0.0e+0", '.'));
}

TEST(Format, NonFiniteValuesGiveADefinedText) {
  EXPECT_EQ("NaN", Format(std::nan(""), "0.00", ','));
  EXPECT_EQ("Inf", Format(std::numeric_limits<double>::infinity(), "# #00.0", ','));
  EXPECT_EQ("-Inf", Format(-std::numeric_limits<double>::infinity(), "#00", ','));
}

TEST(Format, EmptyPatternIsTheGeneralText) {
  EXPECT_EQ("12,5", Format(12.5, "", ','));
  EXPECT_EQ("0.1", Format(0.1, "", '.'));
}

INSTANTIATE_TEST_SUITE_P(Locales, FormatTest, ::testing::Values(',', '.'),
                         [](const auto& p) { return p.param == ',' ? "Comma" : "Point"; });

}  // namespace
}  // namespace kal
