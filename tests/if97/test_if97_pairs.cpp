// Round trips: a state from p,T (or x,T) goes through every pair and must come back the same.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "if97/if97.h"
#include "if97/region3.h"
#include "if97/region4.h"

namespace kal::if97 {
namespace {

// got gives back want: the same state (a saturated one as x = 0 or 1 or as the single phase at psat), or, for T,h
// and T,s, whose liquid isotherm can turn, the other state with the same pair at a lower pressure, which is the
// one picked. Within 1 mK of the critical point psat fixes the phases' densities to ~1e-6 only: loose.
void ExpectSame(const Result& want, const Result& got, const char* pair, bool loose = false) {
  ASSERT_TRUE(got.ok()) << pair << " at p=" << want.p << " t=" << want.t << " x=" << want.x << ": " << got.reason;
  const bool byT = pair[0] == 'T';
  const double tolH = (loose ? 2e-5 : 1e-6) + (byT ? 2000 * want.v * got.dp : 0);
  const double tolS = loose ? 3e-8 : 1e-9;
  const bool saturated = want.x == 0 || want.x == 1 || got.x == 0 || got.x == 1;
  if (!saturated || (want.region == 4) == (got.region == 4)) {
    EXPECT_EQ(want.region, got.region) << pair << " p=" << want.p << " t=" << want.t;
  }
  EXPECT_NEAR(want.t, got.t, 1e-6) << pair << " p=" << want.p << " t=" << want.t;
  if (byT && got.region == 1 && got.p < want.p - 2 * got.dp - 1e-9 * want.p) {
    const bool isH = pair[2] == 'h';
    EXPECT_NEAR(isH ? want.h : want.s, isH ? got.h : got.s, isH ? tolH : tolS) << pair << " p=" << want.p;
    return;
  }
  EXPECT_NEAR(want.h, got.h, tolH) << pair << " p=" << want.p << " t=" << want.t << " x=" << want.x;
  EXPECT_NEAR(want.s, got.s, tolS) << pair << " p=" << want.p << " t=" << want.t << " x=" << want.x;
  // T,h and T,s fix p only to the stated spread.
  EXPECT_NEAR(want.p, got.p, std::fmax(1e-9 * want.p, 2 * got.dp)) << pair << " p=" << want.p << " t=" << want.t;
  if (want.region == 4 && got.region == 4) {
    // x follows from s to within tolS / (s'' - s').
    const double ds = FromXT(1, want.t).s - FromXT(0, want.t).s;
    EXPECT_NEAR(want.x, got.x, std::fmax(1e-8, 3 * tolS / ds)) << pair << " p=" << want.p << " t=" << want.t;
    // A wet state lies on the saturation-pressure equation.
    EXPECT_NEAR(Psat(got.t + kT0), got.p, 1e-9 * got.p) << pair << " t=" << got.t;
  }
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

// States from p,T and from saturation over grids where pairs used to fail, and every pair must give them back:
// compressed water at every pressure decade (from 0.1 to 10 K below the liquid line, and at 250-340 C where h turns
// along the isotherm), the corner at 16.53 MPa and 350 C where regions 1, 2, 3 and 4 meet, near the critical point
// (10 uK to 1 K), and wet states above 623.15 K by x,t and x,p.
TEST(If97Pairs, GridsRoundTrip) {
  std::vector<Result> states;
  for (double p : {0.001, 0.01, 0.1, 1.0, 10.0, 100.0}) {
    const double top = p < Psat(kT13) ? Tsat(p) - kT0 : 350.0;
    for (double t : {0.01, 2.0, 4.0, 10.0, 25.0, 67.288, 150.0, 250.0, 280.0, 300.0, 320.0, 340.0, 350.0}) {
      if (t < top - 0.05 || t == top) states.push_back(FromPT(p, t));
    }
    for (double below : {10.0, 5.0, 1.0, 0.5, 0.1}) {
      if (p < Psat(kT13) && top - below > 0.01) states.push_back(FromPT(p, top - below));
    }
  }
  for (double p : {0.14, 12.83, 16.5, 16.529, 16.53, 16.6}) {
    for (double t : {67.288, 280.0, 349.9, 350.0, 350.01, 351.0}) states.push_back(FromPT(p, t));
  }
  for (double p : {22.0, 22.064, 22.1}) {
    for (double dt : {-1.0, -1e-2, -1e-4, 1e-4, 1e-2, 1.0}) states.push_back(FromPT(p, kTc - kT0 + dt));
  }
  const double xs[] = {0, 0.01, 0.39, 0.501, 0.99, 1};
  for (double t : {349.99, 350.0, 350.01, 350.1, 352.0, 360.0, 365.13, 372.0, 373.946 - 1.0, 373.946 - 0.1,
                   373.946 - 1e-2, 373.946 - 1e-3, 373.946 - 3e-4, 373.946 - 1e-4, 373.946 - 1e-5}) {
    for (double x : xs) states.push_back(FromXT(x, t));
  }
  for (double p : {16.53, 16.6, 18.6135, 20.0, 22.0, 22.06}) {
    for (double x : xs) states.push_back(FromXP(x, p));
  }
  for (const Result& want : states) {
    ASSERT_TRUE(want.ok()) << want.reason;
    const bool loose = want.t > kTc - kT0 - 1.001e-3 && want.t < kTc - kT0 + 1.001e-3;
    ExpectSame(want, FromHS(want.h, want.s), "h,s", loose);
    ExpectSame(want, FromTH(want.t, want.h), "T,h", loose);
    ExpectSame(want, FromTS(want.t, want.s), "T,s", loose);
    ExpectSame(want, FromPH(want.p, want.h), "p,h", loose);
    ExpectSame(want, FromPS(want.p, want.s), "p,s", loose);
    if (want.region != 4) continue;
    ExpectSame(want, FromXT(want.x, want.t), "x,t", loose);
    ExpectSame(want, FromXP(want.x, want.p), "x,p", loose);
  }
}

// Bisection to the limit of double precision; beyond(m) says whether the point sought lies beyond m, seen from a.
template <class F>
double Bisect(double a, double b, F beyond) {
  for (int k = 0; k < 200; ++k) {
    const double m = 0.5 * (a + b);
    (beyond(m) ? a : b) = m;
  }
  return 0.5 * (a + b);
}

// Region 3's density at (p, T) on one side of the critical density, by bisection alone: first the end of the
// branch where p rises with rho, then the root between it and the far end.
double PhaseRho(double p, double T, bool liquid) {
  const double far = liquid ? 900.0 : 1e-3;
  const double end = Bisect(kRhoc, far, [&](double r) { return !(Region3(r, T).dpdrho > 0); });
  return Bisect(end, far, [&](double r) { return liquid ? Region3(r, T).p < p : Region3(r, T).p > p; });
}

// Above 623.15 K a wet state lies at p = psat(T) (T = Tsat(p) for x,p), and its h is the mixture of region 3's
// liquid and vapour at (p, T), up to 0.1 mK below the critical point; two of them are pinned to three decimals.
TEST(If97Pairs, SaturationAbove623KIsRegion3AtPsat) {
  struct Row {
    double x, tp;
    bool byP;
    double h;  // kJ/kg, 0 where none is pinned
  };
  const Row rows[] = {
      {0.39, 365.13, false, 2053.601},
      {0.501, 18.6135, true, 2121.956},
      {0, 350.5, false, 0},
      {1, 355, false, 0},
      {0.5, 370, false, 0},
      {0.2, 373.9, false, 0},
      {0.9, 373.945, false, 0},
      {0.5, 373.9459, false, 0},
      {0, 373.9459, false, 0},
      {1, 373.9459, false, 0},
      {0.7, 16.6, true, 0},
      {0.3, 22.06, true, 0},
  };
  for (const Row& row : rows) {
    const Result r = row.byP ? FromXP(row.x, row.tp) : FromXT(row.x, row.tp);
    ASSERT_TRUE(r.ok()) << r.reason << " " << row.tp;
    const double T = r.t + kT0;
    EXPECT_NEAR(Psat(T), r.p, 1e-9 * r.p) << row.tp;
    const double hl = Region3(PhaseRho(r.p, T, true), T).props.h;
    const double hv = Region3(PhaseRho(r.p, T, false), T).props.h;
    // Within 10 mK of the critical point p fixes the phases' densities only to ~1e-6.
    EXPECT_NEAR(hl + row.x * (hv - hl), r.h, T > kTc - 1e-2 ? 1e-5 : 1e-8) << row.tp;
    if (row.h > 0) {
      EXPECT_NEAR(row.h, r.h, 5e-4) << row.tp;
    }
  }
}

// Within 35 uK of the critical point the vapour branch of region 3 no longer reaches psat(T): the vapour is
// carried on to the liquid, and at the critical point both phases are one state. h'' runs on without a jump.
TEST(If97Pairs, PhasesMeetAtTheCriticalPoint) {
  const Result liq = FromXT(0, kTc - kT0), vap = FromXT(1, kTc - kT0);
  ASSERT_TRUE(liq.ok() && vap.ok());
  EXPECT_EQ(liq.h, vap.h);
  EXPECT_EQ(liq.v, vap.v);
  const double ends[][2] = {{kTVapourEnd - 1e-9, kTVapourEnd + 1e-9}, {kTc - 1e-9, kTc}};
  for (const auto& e : ends) {
    const Result a = FromXT(1, e[0] - kT0), b = FromXT(1, e[1] - kT0);
    ASSERT_TRUE(a.ok() && b.ok()) << e[0];
    EXPECT_NEAR(a.h, b.h, 5e-3) << e[0];
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
// the phases come from region 3, and 7 mK below the critical point. Within 0.1 K of it psat fixes the phases'
// entropies only to ~1e-10, which leaves x to a few 1e-9; within 0.01 K, to ~1e-7.
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
      {FromTH(280, 1220), Error::kNoState, "brak stanu IAPWS-IF97 o tych wartościach"},
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
