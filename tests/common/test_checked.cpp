#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

#include "common/checked.h"
#include "common/errors.h"

namespace kal {
namespace {

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RunTimeError& e) {
    EXPECT_FALSE(e.description.empty());
    return e.number;
  }
  return 0;
}

TEST(Checked, FailuresRaiseTheirRunTimeErrors) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    std::function<void()> f;
    int number;
  };
  const Case cases[] = {
      {"single overflow", [] { Sng(1e39); }, ErrOverflow},
      {"single of -inf", [&] { Sng(-inf); }, ErrOverflow},
      {"single of NaN", [&] { Sng(nan); }, ErrOverflow},
      {"0/0", [] { Div(0, 0); }, ErrOverflow},
      {"1/0", [] { Div(1, 0); }, ErrDivByZero},
      {"log 0", [] { Log(0); }, ErrInvalidCall},
      {"log -1", [] { Log(-1); }, ErrInvalidCall},
      {"(-2)^0.5", [] { Pow(-2, 0.5); }, ErrInvalidCall},
      {"0^-1", [] { Pow(0, -1); }, ErrInvalidCall},
      {"10^400", [] { Pow(10, 400); }, ErrOverflow},
      {"exp 1000", [] { Exp(1000); }, ErrOverflow},
      {"CInt 40000", [] { CInt(40000); }, ErrOverflow},
      {"CByte 256", [] { CByte(256); }, ErrOverflow},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.f), c.number) << c.what;
}

TEST(Checked, GoodValuesPassThrough) {
  EXPECT_EQ(Sng(FLT_MAX), FLT_MAX);
  EXPECT_EQ(Sng(0.1), 0.1f);
  EXPECT_EQ(Pow(-2, 3), -8);
  EXPECT_EQ(Pow(0, 0), 1);
  EXPECT_EQ(Int(-0.5), -1);
  EXPECT_EQ(Int(2.999), 2);
}

TEST(Checked, RoundingWordsHalveToEven) {
  struct Case {
    double x, even;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}};
  for (auto c : cases) EXPECT_EQ(RoundEven(c.x), c.even) << c.x;
  EXPECT_EQ(CInt(372.5), 372);
  EXPECT_EQ(CInt(373.5), 374);
  EXPECT_DOUBLE_EQ(Round2(0.125), 0.12);
  EXPECT_DOUBLE_EQ(Round2(-1.005), -1.0);   // -1.005 is below the tie in binary
  EXPECT_DOUBLE_EQ(Round3(0.0625), 0.062);  // an exact tie goes to the even digit
}

}  // namespace
}  // namespace kal
