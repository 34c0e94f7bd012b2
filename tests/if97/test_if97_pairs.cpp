// Round trips: a state from p,T (or x,T) goes through every pair and must come back the same.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/if97.h"

namespace kal::if97 {
namespace {

void ExpectSame(const Result& want, const Result& got, const char* pair) {
  ASSERT_TRUE(got.ok()) << pair << " at p=" << want.p << " t=" << want.t << ": " << got.reason;
  EXPECT_EQ(want.region, got.region) << pair << " p=" << want.p << " t=" << want.t;
  EXPECT_NEAR(want.h, got.h, 1e-6) << pair << " p=" << want.p << " t=" << want.t;
  EXPECT_NEAR(want.s, got.s, 1e-9) << pair << " p=" << want.p << " t=" << want.t;
  EXPECT_NEAR(want.t, got.t, 1e-6) << pair << " p=" << want.p << " t=" << want.t;
  // T,h and T,s fix p only to the stated spread.
  EXPECT_NEAR(want.p, got.p, std::fmax(1e-9 * want.p, 2 * got.dp)) << pair << " p=" << want.p << " t=" << want.t;
}

// (p MPa, t C) single-phase states: regions 1, 2 (low and high pressure), 3 (liquid-like, vapour-like,
// supercritical), near the boundaries.
TEST(If97Pairs, SinglePhaseRoundTrips) {
  const double states[][2] = {
      {0.1, 20},  {10, 5},   {50, 150},  {100, 300},  {16, 340}, {100, 0.5}, {0.001, 10}, {0.01, 100},
      {0.1, 400}, {1, 200},  {5, 600},   {20, 500},   {50, 700}, {100, 800}, {15, 345},   {25, 360},
      {30, 400},  {50, 380}, {100, 450}, {22.5, 380}, {40, 420}, {21, 372},  {18, 370},   {90, 560},
  };
  for (const auto& st : states) {
    const Result want = FromPT(st[0], st[1]);
    ASSERT_TRUE(want.ok()) << st[0] << " " << st[1];
    ExpectSame(want, FromPH(want.p, want.h), "p,h");
    ExpectSame(want, FromPS(want.p, want.s), "p,s");
    ExpectSame(want, FromTH(want.t, want.h), "T,h");
    ExpectSame(want, FromTS(want.t, want.s), "T,s");
    ExpectSame(want, FromHS(want.h, want.s), "h,s");
  }
}

// Wet states by (x, t), through region 3's part of the saturation line to 1 mK below the critical point.
TEST(If97Pairs, WetRoundTrips) {
  const double states[][2] = {{0.5, 1},   {0.1, 50},  {0.9, 100},   {0.5, 250},    {0.3, 340},
                              {0.7, 360}, {0.5, 372}, {0.2, 373.5}, {0.8, 373.85}, {0.5, 373.94}};
  for (const auto& st : states) {
    const Result want = FromXT(st[0], st[1]);
    ASSERT_TRUE(want.ok()) << st[1];
    EXPECT_EQ(4, want.region);
    EXPECT_TRUE(std::isnan(want.mu));
    const Result got[] = {FromXP(want.x, want.p), FromPH(want.p, want.h), FromPS(want.p, want.s),
                          FromTH(want.t, want.h), FromTS(want.t, want.s), FromHS(want.h, want.s)};
    // Within 0.01 K of the critical point rounding limits the phase densities to ~1e-8 and x to ~1e-7.
    const double rel = want.t > 373.9 ? 1e-7 : 1e-9;
    for (const Result& g : got) {
      ASSERT_TRUE(g.ok()) << g.reason << " t=" << want.t;
      EXPECT_EQ(4, g.region);
      EXPECT_NEAR(want.x, g.x, want.t > 373.9 ? 1e-6 : 1e-9) << "t=" << want.t;
      EXPECT_NEAR(want.t, g.t, 1e-6) << "t=" << want.t;
      EXPECT_NEAR(want.v, g.v, rel * want.v) << "t=" << want.t;
    }
  }
}

// h,s of wet states over the whole dome: at the triple point, near both lines, both sides of 623.15 K, where
// the phases come from region 3, and 7 mK below the critical point. Within 0.1 K of it the phase equilibrium
// settles the phases' entropies only to ~1e-10, which leaves x to a few 1e-9; within 0.01 K, to ~1e-7.
TEST(If97Pairs, WetHsAcrossTheDome) {
  struct Row {
    double t, xtol;
  };
  const Row rows[] = {{0.01, 1e-9},  {4, 1e-9},      {45, 1e-9},     {99.6, 1e-9}, {180, 1e-9},
                      {275, 1e-9},   {349.99, 1e-9}, {350.01, 1e-9}, {360, 1e-9},  {371, 1e-9},
                      {373.5, 1e-9}, {373.9, 5e-9},  {373.939, 1e-6}};
  const double xs[] = {1e-6, 0.02, 0.1, 0.5, 0.9, 0.999999};
  for (const Row& row : rows) {
    for (double x : xs) {
      const Result want = FromXT(x, row.t);
      const Result got = FromHS(want.h, want.s);
      ASSERT_TRUE(got.ok()) << got.reason << " x=" << x << " t=" << row.t;
      EXPECT_EQ(4, got.region) << "x=" << x << " t=" << row.t;
      EXPECT_NEAR(want.t, got.t, 1e-6) << "x=" << x << " t=" << row.t;
      EXPECT_NEAR(want.x, got.x, row.xtol) << "x=" << x << " t=" << row.t;
      EXPECT_NEAR(want.h, got.h, 1e-6) << "x=" << x << " t=" << row.t;
      EXPECT_NEAR(want.s, got.s, 1e-9) << "x=" << x << " t=" << row.t;
    }
  }
}

TEST(If97Pairs, RefusalsSayWhy) {
  struct Row {
    Result r;
    Error error;
    const char* reason;
  };
  const Row rows[] = {
      {FromPT(1, -1), Error::kOutOfRange, "poza zakresem IAPWS-IF97: T < 273,15 K"},
      {FromPT(1, 801), Error::kOutOfRange, "poza zakresem IAPWS-IF97: T > 1073,15 K"},
      {FromPT(101, 300), Error::kOutOfRange, "poza zakresem IAPWS-IF97: p > 100 MPa"},
      {FromPT(0, 300), Error::kOutOfRange, "poza zakresem IAPWS-IF97: p ≤ 0 MPa"},
      {FromPH(1, 5000), Error::kOutOfRange, "poza zakresem IAPWS-IF97: T > 1073,15 K"},
      {FromPS(1, -1), Error::kOutOfRange, "poza zakresem IAPWS-IF97: T < 273,15 K"},
      {FromXT(1.1, 100), Error::kOutOfRange, "stopień suchości poza przedziałem [0, 1]"},
      {FromXT(0.5, 380), Error::kNoState, "brak stanu nasycenia: T > 647,096 K"},
      {FromXP(0.5, 25), Error::kNoState, "brak stanu nasycenia: p poza 0,000611 … 22,064 MPa"},
      {FromTH(500, 4000), Error::kNoState, "brak stanu: wartość powyżej pary przy p → 0"},
      {FromTH(100, 10), Error::kOutOfRange, "poza zakresem IAPWS-IF97: p > 100 MPa"},
      {FromHS(50, 1), Error::kOutOfRange, "poza zakresem IAPWS-IF97: T < 273,15 K"},
      {FromHS(2000, 9.5), Error::kOutOfRange, "poza zakresem IAPWS-IF97: T < 273,15 K"},
      {FromHS(2250, 4.39), Error::kOutOfRange, "poza zakresem IAPWS-IF97: p > 100 MPa"},
      {FromHS(3000, 5), Error::kOutOfRange, "poza zakresem IAPWS-IF97: p > 100 MPa"},
      {FromHS(100, -0.1), Error::kNoState, "brak stanu IAPWS-IF97 o tych wartościach"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.error, row.r.error) << row.reason;
    EXPECT_STREQ(row.reason, row.r.reason);
    EXPECT_EQ(0, row.r.region);
  }
}

// T,h in steam at low pressure: h hardly depends on p, and the result says so.
TEST(If97Pairs, IllConditionedPressureIsReported) {
  const Result low = FromTH(400, FromPT(0.01, 400).h);
  const Result high = FromTH(400, FromPT(10, 400).h);
  ASSERT_TRUE(low.ok() && high.ok());
  EXPECT_GT(low.dp / low.p, 1e-6);
  EXPECT_GT(low.dp / low.p, 100 * high.dp / high.p);
  EXPECT_EQ(0, FromPH(0.01, low.h).dp);
}

}  // namespace
}  // namespace kal::if97
