// State from entropy with a saturation temperature: pressure given or found, the bounds of
// the superheated and wet regions, what the wet result leaves in the state, the failures.
#include <cmath>

#include "common/checked.h"
#include "common/errors.h"
#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

constexpr float kUntouched = -77.0f;

class DanePSTest : public SteamTest {
 protected:
  // As the calculate command prepares the pressure-entropy pair below 22.12 MPa.
  void PressureGiven(float p) {
    m.st.Blad = 0;
    m.st.pPary = p;
    m.st.tPary = Sng(m.Tnas(p));
    m.st.tNasPary = m.st.tPary;
    m.st.hPary = kUntouched;
  }
  // As it prepares the temperature-entropy pair.
  void TemperatureGiven(float t) {
    m.st.Blad = 0;
    m.st.tPary = t;
    m.st.tNasPary = t;
    m.st.pPary = 0;
    m.st.hPary = kUntouched;
  }
};

TEST_F(DanePSTest, DrySteamEntropyExactlyIsSuperheated) {
  PressureGiven(1);
  const float s2 = Sng(m.S2t(179));
  m.Dane_P_S(179, s2, 1);
  EXPECT_EQ(m.st.xPary, 1.0f);
  EXPECT_EQ(m.st.hPary, Sng(m.Hpt(1, m.st.tPary)));
  EXPECT_EQ(m.st.vPary, Sng(m.Vpt(1, m.st.tPary)));
  EXPECT_EQ(windows.paraMokraLoads, 0);
}

TEST_F(DanePSTest, WaterEntropyExactlyIsWetWithDrynessZeroAndTheMixtureEnthalpy) {
  PressureGiven(1);
  m.Dane_P_S(179, Sng(m.S1t(179)), 1);
  EXPECT_EQ(m.st.xPary, 0.0f);
  EXPECT_EQ(m.st.pPary, Sng(m.Pnas(179)));
  EXPECT_EQ(m.st.hx, m.st.h1);
  // The state's enthalpy and volume are the mixture's, not dry steam's.
  EXPECT_EQ(m.st.hPary, m.st.hx);
  EXPECT_EQ(m.st.vPary, m.st.obx);
  EXPECT_EQ(windows.paraMokraLoads, 1);
}

TEST_F(DanePSTest, WetMixtureDrynessFromEntropy) {
  PressureGiven(1);
  m.Dane_P_S(179, 4.0, 0);
  const double x = (4.0 - m.st.s1) / Sng(static_cast<double>(m.st.s2) - m.st.s1);
  EXPECT_EQ(m.st.xPary, Sng(x));
  EXPECT_NEAR(m.st.sx, 4.0, 1e-5);
  EXPECT_EQ(m.st.hPary, m.st.hx);
  EXPECT_GT(m.st.hPary, m.st.h1);
  EXPECT_LT(m.st.hPary, m.st.h2);
  EXPECT_EQ(windows.paraMokraLoads, 0);
}

TEST_F(DanePSTest, BelowWaterEntropyIsRejected) {
  PressureGiven(1);
  dialogs.ExpectOk("Niewłaściwy zestaw parametrów sPary < s1", "Termo info ", Icon::Exclamation);
  m.Dane_P_S(179, 1.0, 1);
  EXPECT_EQ(m.st.Blad, 1);
  EXPECT_EQ(m.st.hPary, kUntouched);
  const float s1 = m.st.s1;  // S1t uses this member as scratch
  EXPECT_EQ(s1, Sng(m.S1t(179)));
}

TEST_F(DanePSTest, TemperatureFromPressure) {
  PressureGiven(1);
  m.Dane_P_S(179, 7.0, 1);
  EXPECT_NEAR(m.st.tPary, 266, 0.5);
  EXPECT_EQ(m.st.pPary, 1.0f);
  EXPECT_EQ(m.st.xPary, 1.0f);
}

TEST_F(DanePSTest, PressureFromTemperatureWhenNoneIsGiven) {
  TemperatureGiven(200);
  m.Dane_P_S(200, 7.0, 1);
  EXPECT_NEAR(m.st.pPary, 0.573, 0.001);
  EXPECT_EQ(m.st.pPary, m.st.pIter);
  EXPECT_EQ(m.st.tPary, 200.0f);
  EXPECT_EQ(m.st.hPary, Sng(m.Hpt(m.st.pPary, 200)));
}

TEST_F(DanePSTest, FailedSearchStopsBeforeTheProperties) {
  PressureGiven(20);  // 5.15 lies in the entropy's step near saturation at 20 MPa
  dialogs.ExpectOk("Tps() -> niewłaściwe parametry  pPary/sPary ");
  m.Dane_P_S(365, 5.15, 1);
  EXPECT_EQ(m.st.Blad, 1);
  EXPECT_EQ(m.st.hPary, kUntouched);
}

TEST_F(DanePSTest, FailedPressureSearchStopsBeforeTheProperties) {
  TemperatureGiven(30000);
  dialogs.ExpectOk("Pts() -> niewłaściwe parametry  tPary/sPary");
  m.Dane_P_S(30000, m.S2t(30000) + 0.02, 1);
  EXPECT_EQ(m.st.Blad, 1);
  EXPECT_EQ(m.st.hPary, kUntouched);
}

}  // namespace
}  // namespace kal::test
