// The decimal digits from std::to_chars against the C library's "%.*e" texts they replace:
// the same digits for every value class (normal, subnormal, ties, powers of ten, carries).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "common/decimal_digits.h"
#include "support/check_count.h"

namespace kal::detail {
namespace {

// The former digits: the C library's text of the value, "%.*e" (and "%.120e", the exact
// expansion of a single, rounded half away from zero by hand).
Decimal FromText(const char* text, bool negative) {
  Decimal d;
  d.negative = negative;
  const char* p = text;
  std::string mant;
  for (; *p != 'e' && *p != '\0'; ++p) {
    if (*p >= '0' && *p <= '9') mant.push_back(*p);
  }
  const int e = (*p == 'e') ? std::atoi(p + 1) : 0;
  const std::size_t first = mant.find_first_not_of('0');
  if (first == std::string::npos) return d;
  const std::size_t last = mant.find_last_not_of('0');
  d.digits = mant.substr(first, last - first + 1);
  d.point = e + 1 - static_cast<int>(first);
  return d;
}

Decimal Reference(double value, int sig) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", sig - 1, std::fabs(value));
  return FromText(buf, std::signbit(value));
}

// `tie` tells whether the exact expansion lies halfway between two texts of `sig` digits.
Decimal ReferenceHalfAway(float value, int sig, bool* tie = nullptr) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "%.120e", std::fabs(static_cast<double>(value)));
  Decimal d = FromText(buf, std::signbit(value));
  const int n = static_cast<int>(d.digits.size());
  if (tie) *tie = n == sig + 1 && d.digits.back() == '5';
  if (n <= sig) return d;
  const bool up = d.digits[sig] >= '5';
  d.digits.erase(sig);
  if (up) {
    std::size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(d.digits.begin(), '1');
      d.digits.pop_back();
      ++d.point;
    } else {
      ++d.digits[i - 1];
    }
  }
  const std::size_t last = d.digits.find_last_not_of('0');
  if (last == std::string::npos) {
    d.digits.clear();
    d.point = 0;
  } else {
    d.digits.erase(last + 1);
  }
  return d;
}

bool Same(const Decimal& a, const Decimal& b) {
  return a.negative == b.negative && a.digits == b.digits && a.point == b.point;
}

float FloatOf(std::uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

double DoubleOf(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// Singles that a sample must hold whatever its size: zeros, the smallest and largest of each
// kind, powers of ten with their neighbours, and whole runs where exact ties lie thick
// (between 2^23 and 2^24 every whole number is a single: 8 digits ending in 5 tie at 7).
template <class F>
void EdgeSingles(F&& check) {
  for (std::uint32_t b : {0u, 1u, 2u, 3u, 0x7FFFFFu, 0x800000u, 0x800001u, 0x7F7FFFFFu, 0x7F7FFFFEu, 0x3F800000u})
    check(FloatOf(b));
  for (int k = -45; k <= 38; ++k) {
    const float p = static_cast<float>(std::pow(10.0, k));
    for (float f = std::nextafter(std::nextafter(p, 0.f), 0.f); f <= p * 1.0000003f && std::isfinite(f);
         f = std::nextafter(f, FLT_MAX))
      check(f);
  }
  for (std::uint32_t b = 0x4B000000u; b < 0x4B000000u + 40000u; ++b) check(FloatOf(b));  // 2^23 onwards
  for (std::uint32_t b = 0x49742400u; b < 0x49742400u + 10000u; ++b) check(FloatOf(b));  // 1e6: x.5 ties
  for (std::uint32_t b = 1; b < 10000u; ++b) check(FloatOf(b));                          // subnormals
}

TEST(DecimalDigits, HalfAwayDigitsOfSinglesMatchTheExactExpansion) {
  long compared = 0, ties = 0, mismatches = 0;
  auto check = [&](float f) {
    for (float v : {f, -f}) {
      bool tie = false;
      const Decimal want = ReferenceHalfAway(v, 7, &tie);
      const Decimal got = ToDecimalHalfAway(v, 7);
      ++compared;
      ties += tie;
      if (!Same(want, got) && ++mismatches <= 5) ADD_FAILURE() << "value bits " << std::hexfloat << v;
    }
  };
  EdgeSingles(check);
  // Every bit pattern is as likely, so each binade and the subnormals are sampled alike.
  std::mt19937 gen(16);
  const long n = test::CheckCount(60000);
  for (long i = 0; i < n; ++i) {
    const float f = FloatOf(gen() & 0x7FFFFFFFu);
    if (std::isfinite(f)) check(f);
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(ties, 500);
  std::printf("singles compared: %ld, exact ties among them: %ld\n", compared, ties);
}

TEST(DecimalDigits, HalfAwayAtOtherLengthsToo) {
  std::mt19937 gen(7);
  for (int sig = 1; sig <= 9; ++sig) {
    for (int i = 0; i < 3000; ++i) {
      // Small whole numbers and halves: ties at every length.
      const float v = i % 2 ? FloatOf(gen() & 0x7FFFFFFFu) : static_cast<float>(gen() % 2000000) / 2.f;
      if (!std::isfinite(v)) continue;
      ASSERT_TRUE(Same(ReferenceHalfAway(v, sig), ToDecimalHalfAway(v, sig))) << sig << ' ' << std::hexfloat << v;
    }
  }
}

TEST(DecimalDigits, FifteenDigitsOfDoublesMatchTheCLibrary) {
  long compared = 0, mismatches = 0;
  auto check = [&](double d) {
    for (double v : {d, -d}) {
      ++compared;
      if (!Same(Reference(v, 15), ToDecimal(v, 15)) && ++mismatches <= 5)
        ADD_FAILURE() << "value " << std::hexfloat << v;
    }
  };
  for (std::uint64_t b : {0ull, 1ull, 0xFFFFFFFFFFFFFull, 0x10000000000000ull, 0x7FEFFFFFFFFFFFFFull})
    check(DoubleOf(b));
  for (int k = -323; k <= 308; ++k) {
    const double p = std::pow(10.0, k);
    check(p);
    check(std::nextafter(p, 0.0));
    check(std::nextafter(p, DBL_MAX));
  }
  // Exact ties at 15 digits: 16-digit whole numbers ending in 5, and halves below 2^52.
  for (std::uint64_t i = 0; i < 5000; ++i) {
    check(static_cast<double>(1000000000000005ull + 10 * i * 7919));
    check(static_cast<double>(100000000000000ull + i * 104729) + 0.5);
  }
  std::mt19937_64 gen(16);
  const long n = test::CheckCount(100000);
  for (long i = 0; i < n; ++i) {
    const double any = DoubleOf(gen() & 0x7FFFFFFFFFFFFFFFull);
    if (std::isfinite(any)) check(any);
    // Results of single-precision arithmetic widened, the common case in the patterns.
    check(static_cast<double>(FloatOf(static_cast<std::uint32_t>(gen()) & 0x7F7FFFFFu)));
    // The range the boxes show, where the whole-number digits serve.
    check(std::ldexp(static_cast<double>(gen() >> 11), static_cast<int>(gen() % 80) - 83));
  }
  EXPECT_EQ(mismatches, 0);
  std::printf("doubles compared: %ld\n", compared);
}

TEST(DecimalDigits, NineDigitTextsOfSinglesMatchTheCLibrary) {
  long mismatches = 0;
  auto check = [&](float f) {
    for (float v : {f, -f}) {
      char want[32];
      std::snprintf(want, sizeof want, "%.9g", static_cast<double>(v));
      if (PrintfG9(v) != want && ++mismatches <= 5) ADD_FAILURE() << want << " got " << PrintfG9(v);
    }
  };
  EdgeSingles(check);
  std::mt19937 gen(9);
  const long n = test::CheckCount(60000);
  for (long i = 0; i < n; ++i) {
    const float f = FloatOf(gen() & 0x7FFFFFFFu);
    if (std::isfinite(f)) check(f);
  }
  for (float v : {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) check(v);
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace kal::detail
