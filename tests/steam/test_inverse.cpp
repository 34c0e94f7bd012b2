// Inverses of superheated steam: the worked examples, the stop test on the value computed at
// the pass's starting estimate, the pass limits with their messages, and pIter.
#include <cmath>

#include "common/checked.h"
#include "common/errors.h"
#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

TEST_F(SteamTest, TphSetsSaturationTemperatureAndStopsOnFirstPassAtTheStartEnthalpy) {
  const float tn = static_cast<float>(m.Tnas(1));
  m.st.tNasPary = tn;
  const double h = m.Hpt(1, static_cast<double>(tn) + 50);
  m.st.tNasPary = 0;
  const double t = m.Tph(1, h);
  EXPECT_EQ(m.st.tNasPary, 179.0f);
  EXPECT_EQ(m.passes.Tph, 1);
  EXPECT_EQ(t, Round2(static_cast<double>(tn) + 50));
  EXPECT_EQ(m.st.Blad, 0);
}

TEST_F(SteamTest, TphRoundsToTwoDecimalsAndSettlesNearTheForwardTemperature) {
  m.st.tNasPary = 179;
  const double h = m.Hpt(1, 300);
  const double t = m.Tph(1, h);
  EXPECT_NEAR(t, 300, 0.5);
  EXPECT_EQ(t, Round2(t));
  EXPECT_LE(std::fabs(m.Hpt(1, t) - h), 2.5);  // one more pass of the 0.5 kJ/kg test
}

TEST_F(SteamTest, TphBelowTheSuperheatedRangeStopsAtOrBelowSaturation) {
  const double t = m.Tph(1, 2000);
  EXPECT_LE(t, m.st.tNasPary);
  EXPECT_EQ(m.st.Blad, 0);
}

TEST_F(SteamTest, TphThatNeverSettlesEndsAfterTheLimitWithItsMessage) {
  // Far beyond the fit the ideal-gas square term makes the correction swing back and forth.
  dialogs.ExpectOk("Tph() -> niewłaściwe parametry  pPary/hPary ");
  EXPECT_EQ(m.Tph(1, 1e14), 0);
  EXPECT_EQ(m.passes.Tph, 10001);
  EXPECT_EQ(m.st.Blad, 1);
}

TEST_F(SteamTest, PthAboveSaturatedSteamReturnsALowerPressureWithinTwoPercent) {
  m.st.tNasPary = 300;
  const double p = m.Pth(300, 3000);
  EXPECT_LT(p, m.Pnas(300));
  EXPECT_EQ(static_cast<float>(p), m.st.pIter);
  // The test is one-sided: the computed enthalpy reached 98 % of the target.
  const double r = 1 - m.Hpt(p, 300) / 3000;
  EXPECT_LE(r, 0.0201);
  EXPECT_EQ(m.st.Blad, 0);
  EXPECT_TRUE(windows.pthBledy.empty());
}

TEST_F(SteamTest, PthBelowTheStartEnthalpyReturnsAfterOnePass) {
  m.st.tNasPary = 300;
  const float p0 = Sng(m.Pnas(300) - 0.001);
  const double hc = m.Hpt(p0, 300);
  const double p = m.Pth(300, 2000);
  EXPECT_EQ(m.passes.Pth, 1);
  EXPECT_EQ(static_cast<float>(p), Sng(p0 * (hc / 2000)));
}

TEST_F(SteamTest, PthAboveTheTopPressureFailsAndBlanksTheBoxes) {
  m.st.tNasPary = 400;  // Pnas(400) = 29.4 MPa: the first corrected pressure is too high
  dialogs.ExpectOk("Przekroczono licznik obliczeń ", "Info programu Kalorimo");
  EXPECT_EQ(m.Pth(400, 3000), 0);
  EXPECT_EQ(m.passes.Pth, 1);
  EXPECT_EQ(m.st.Blad, 1);
  ASSERT_EQ(windows.pthBledy.size(), 1u);
  EXPECT_EQ(windows.pthBledy[0].first, 400);
  EXPECT_EQ(windows.pthBledy[0].second, 3000);
}

// At 0 C the enthalpy function refuses the temperature; the search then fails at once, with the
// refusal shown once and the boxes blanked as for any failed search.
TEST_F(SteamTest, PthAtZeroCelsiusFailsAfterOneRefusal) {
  m.st.tNasPary = 100;
  dialogs.ExpectOk("Temp. pary = 0 [C] ");
  dialogs.ExpectOk("Przekroczono licznik obliczeń ", "Info programu Kalorimo");
  EXPECT_EQ(m.Pth(0, 2600), 0);
  dialogs.VerifyDone();
  EXPECT_EQ(m.passes.Pth, 1);
  EXPECT_EQ(m.st.Blad, 1);
  ASSERT_EQ(windows.pthBledy.size(), 1u);
  EXPECT_EQ(windows.pthBledy[0].first, 0);
  EXPECT_EQ(windows.pthBledy[0].second, 2600);
}

TEST_F(SteamTest, PthCounterOverdraftAfter10001Passes) {
  // Above the ideal-gas enthalpy the pressure shrinks to zero and stays there.
  m.st.tNasPary = 300;
  dialogs.ExpectOk("Przekroczono licznik obliczeń ", "Info programu Kalorimo");
  EXPECT_EQ(m.Pth(300, 5000), 0);
  EXPECT_EQ(m.passes.Pth, 10001);
  EXPECT_EQ(windows.pthBledy.size(), 1u);
}

TEST_F(SteamTest, TpsExample) {
  m.st.tNasPary = 179;
  const double t = m.Tps(1, 7.0);
  EXPECT_NEAR(t, 266, 0.5);
  EXPECT_GT(m.passes.Tps, 1);
  EXPECT_EQ(m.st.Blad, 0);
  // Stopped on the entropy at the previous estimate, which is within 0.01.
  EXPECT_LT(std::fabs(m.Spt(1, t) - 7.0), 0.02);
}

TEST_F(SteamTest, TpsAcrossTheNearSaturationStepNeverSettles) {
  // At 20 MPa the entropy jumps by 0.24 at tNasPary + 6; 5.15 lies in the jump.
  m.st.tNasPary = 365;
  dialogs.ExpectOk("Tps() -> niewłaściwe parametry  pPary/sPary ");
  EXPECT_EQ(m.Tps(20, 5.15), 0);
  EXPECT_EQ(m.passes.Tps, 10001);
  EXPECT_EQ(m.st.Blad, 1);
}

TEST_F(SteamTest, PtsExampleLeavesItsResultInPIter) {
  m.st.tNasPary = 200;
  const double p = m.Pts(200, 7.0);
  EXPECT_NEAR(p, 0.573, 0.001);
  EXPECT_EQ(static_cast<float>(p), m.st.pIter);
  EXPECT_EQ(m.st.Blad, 0);
}

TEST_F(SteamTest, PtsBelowDrySteamEntropyDrivesThePressureToARunTimeError) {
  m.st.tNasPary = 200;
  EXPECT_THROW(m.Pts(200, 6.0), RunTimeError);  // the logarithm of a pressure of 0
}

TEST_F(SteamTest, PtsThatNeverSettlesEndsAfterTheLimitWithItsMessage) {
  // At a saturation temperature far up the straight line the entropy is flat in pressure.
  m.st.tNasPary = 30000;
  dialogs.ExpectOk("Pts() -> niewłaściwe parametry  tPary/sPary");
  EXPECT_EQ(m.Pts(30000, m.S2t(30000) + 0.02), 0);
  EXPECT_EQ(m.passes.Pts, 10001);
  EXPECT_EQ(m.st.Blad, 1);
}

}  // namespace
}  // namespace kal::test
