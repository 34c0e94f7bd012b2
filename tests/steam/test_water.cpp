// Compressed water: the fits' examples and their correction steps, the temperature search
// with its stop on the value before the last update, and the pressure search.
#include <cmath>

#include "common/checked.h"
#include "common/errors.h"
#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

TEST_F(SteamTest, WaterFitExamples) {
  EXPECT_NEAR(m.Hwpt(1, 100), 419.75, 0.005);
  EXPECT_NEAR(m.Vwpt(1, 100), 0.0010441, 5e-8);
  EXPECT_NEAR(m.Vwpt(20, 300), 0.0013597, 5e-8);
}

struct StepCase {
  double pBelow, tBelow, p, t, step;  // the step taken from just below to the bound
};

// The +3 (t > 360, p <= 22.1) and -5 (t >= 360, p < 22.1) steps at their bounds.
TEST_F(SteamTest, HwptStepsAt360CAnd22Point1MPa) {
  const StepCase cases[] = {
      {22, 360 - 1e-7, 22, 360, -5},      // t >= 360 takes the -5 alone
      {22, 360, 22, 360 + 1e-7, +3},      // t > 360 adds the +3
      {22.1 - 1e-9, 361, 22.1, 361, +5},  // at 22.1 MPa the -5 is gone
      {22.1, 361, 22.1 + 1e-9, 361, -3},  // above it the +3 too
  };
  for (const StepCase& c : cases)
    EXPECT_NEAR(m.Hwpt(c.p, c.t) - m.Hwpt(c.pBelow, c.tBelow), c.step, 1e-3) << c.p << " " << c.t;
}

TEST_F(SteamTest, WaterCorrectionsStartAtTheirPressuresWithoutDividingByZero) {
  // The 3.6-power terms start at 12 MPa (enthalpy) and 10 MPa (volume): a step there.
  EXPECT_GT(std::fabs(m.Hwpt(12, 340) - m.Hwpt(11.9999, 340)), 0.1);
  EXPECT_GT(m.Vwpt(10, 340) - m.Vwpt(9.9999, 340), 1e-6);
  EXPECT_NO_THROW(m.Hwpt(9, 340));
  EXPECT_NO_THROW(m.Vwpt(8, 340));
}

TEST_F(SteamTest, TwphExamples) {
  EXPECT_NEAR(m.Twph(1, 419.75), 100.0001, 5e-5);
  EXPECT_EQ(m.passes.Twph, 3);
  EXPECT_NEAR(m.Twph(20, 1334.87), 299.998, 5e-4);
  EXPECT_EQ(m.passes.Twph, 7);
  EXPECT_EQ(m.st.Blad, 0);
}

TEST_F(SteamTest, TwphReturnsTheEstimateCorrectedAfterTheStopTest) {
  // The pass whose enthalpy was within 0.1 still corrects t once more.
  const double t = m.Twph(1, 419.75);
  const double hw = m.Hwpt(1, t);
  EXPECT_NE(t, 100.0);
  EXPECT_LT(std::fabs(hw - 419.75), 0.1);
}

TEST_F(SteamTest, TwphThatNeverSettlesEndsAfterTheLimitWithItsMessage) {
  // A fit that is the constant 400: a target of -400 flips t between 30 and -30 for ever.
  for (double* tab : {baza.Tab9, baza.Tab10, baza.Tab11, baza.Tab12})
    for (int i = 0; i < 5; ++i) tab[i] = 0;
  baza.Tab9[1] = 400;
  dialogs.ExpectOk("Twph() -> niewłaściwe parametry  pPary/hPary ");
  EXPECT_EQ(m.Twph(1, -400), 0);
  EXPECT_EQ(m.passes.Twph, 10001);
  EXPECT_EQ(m.st.Blad, 1);
}

TEST_F(SteamTest, PwthStartsAtOneMegapascal) {
  const double h = m.Hwpt(1, 100);
  EXPECT_EQ(m.Pwth(100, h), 1.0);
  EXPECT_EQ(m.st.pIter, 1.0f);
  EXPECT_EQ(m.passes.Pwth, 1);
}

TEST_F(SteamTest, PwthFindsAPressureWithinTolerance) {
  struct Case {
    double t, p;
  };
  for (Case c : {Case{100, 0.3}, Case{100, 15}, Case{200, 5}, Case{250, 21}, Case{320, 14}, Case{50, 8}}) {
    const double h = m.Hwpt(c.p, c.t);
    const double p = m.Pwth(c.t, h);
    EXPECT_EQ(m.st.Blad, 0) << c.t << " " << c.p;
    EXPECT_GT(p, 0);
    EXPECT_LE(p, 22.12);
    EXPECT_EQ(static_cast<float>(p), m.st.pIter);
    EXPECT_LE(std::fabs(m.Hwpt(p, c.t) - h), 0.2) << c.t << " " << c.p;
  }
}

TEST_F(SteamTest, PwthWithoutAPressureSaysSo) {
  // At 100 C the water's enthalpy stays between these two at every pressure up to 22.12 MPa.
  for (double h : {400.0, 500.0}) {
    dialogs.ExpectOk("Pwth() -> brak ciśnienia wody dla  tPary/hPary ");
    m.st.Blad = 0;
    EXPECT_EQ(m.Pwth(100, h), 0);
    EXPECT_EQ(m.st.Blad, 1);
    EXPECT_LT(m.passes.Pwth, 1000);
  }
}

}  // namespace
}  // namespace kal::test
