// State from enthalpy with pressure (code 2) or temperature (code 5): the three regions at
// their bounds, what each writes, the window requests and the failures.
#include <cmath>

#include "common/checked.h"
#include "common/errors.h"
#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

constexpr float kUntouched = -77.0f;

class DanePHTest : public SteamTest {
 protected:
  void Given(int code, float pOrT, float h) {
    m.st.Blad = 0;
    (code == 2 ? m.st.pPary : m.st.tPary) = pOrT;
    m.st.hPary = h;
    m.st.sPary = kUntouched;
  }
};

TEST_F(DanePHTest, DrySteamEnthalpyExactlyIsWetWithDrynessOne) {
  Given(2, 1, Sng(m.H2t(179)));
  m.Dane_P_H(2, 1);
  EXPECT_EQ(m.st.tNasPary, 179.0f);
  EXPECT_EQ(m.st.tPary, 179.0f);
  EXPECT_EQ(m.st.xPary, 1.0f);
  EXPECT_EQ(windows.paraMokraLoads, 1);
  EXPECT_TRUE(windows.cisnienia.empty());  // pressure given: the pressure box stays
  // The wet result is the mixture's entropy and volume.
  EXPECT_EQ(m.st.sPary, m.st.sx);
  EXPECT_EQ(m.st.vPary, m.st.obx);
  EXPECT_EQ(m.st.hx, m.st.h2);
}

TEST_F(DanePHTest, OneUnitAboveDrySteamIsSuperheated) {
  Given(2, 1, Sng(m.H2t(179)) + 1);
  m.Dane_P_H(2, 1);
  EXPECT_EQ(m.st.xPary, 1.0f);
  EXPECT_GT(m.st.tPary, 179.0f);
  EXPECT_NE(m.st.sPary, kUntouched);
  EXPECT_EQ(m.st.vPary, Sng(m.Vpt(1, m.st.tPary)));
  EXPECT_EQ(windows.paraMokraLoads, 0);
}

TEST_F(DanePHTest, WetMixtureAtPressure) {
  const float h1 = Sng(m.H1t(179)), h2 = Sng(m.H2t(179));
  Given(2, 1, (h1 + h2) / 2);
  m.Dane_P_H(2, 0);
  const SteamState got = m.st;  // the saturation functions use these members as scratch
  EXPECT_NEAR(got.xPary, 0.5, 1e-6);
  EXPECT_EQ(got.ob1, Sng(m.V1t(179)));
  EXPECT_EQ(got.s2, Sng(m.S2t(179)));
  m.st = got;
  EXPECT_NEAR(m.st.hx, m.st.hPary, 0.001);
  EXPECT_EQ(m.st.sPary, m.st.sx);
  EXPECT_EQ(windows.paraMokraLoads, 0);  // flag 0
}

TEST_F(DanePHTest, WetAtTemperatureWritesThePressureBoxInMPa) {
  Given(5, 150, 1500);
  m.Dane_P_H(5, 1);
  const float p = Sng(m.Pnas(150));
  EXPECT_EQ(m.st.pPary, p);
  EXPECT_EQ(m.st.pParyWe, p);
  ASSERT_EQ(windows.cisnienia.size(), 1u);
  EXPECT_EQ(windows.cisnienia[0], Round3(p));
  EXPECT_EQ(windows.paraMokraLoads, 1);
  EXPECT_GT(m.st.xPary, 0.0f);
  EXPECT_LT(m.st.xPary, 1.0f);
}

TEST_F(DanePHTest, CompressedWaterAtPressureDescribesTheWaterEverywhere) {
  Given(2, 10, Sng(m.Hwpt(10, 200)));
  m.Dane_P_H(2, 1);
  EXPECT_NEAR(m.st.tPary, 200, 0.05);
  EXPECT_EQ(m.st.xPary, 0.0f);
  EXPECT_EQ(m.st.vPary, Sng(m.Vwpt(10, m.st.tPary)));
  EXPECT_EQ(m.st.sPary, Sng(m.S1t(m.st.tPary)));
  EXPECT_EQ(m.st.hx, m.st.hPary);
  EXPECT_EQ(m.st.sx, m.st.sPary);
  EXPECT_EQ(m.st.obx, m.st.vPary);
  EXPECT_EQ(windows.paraMokraLoads, 0);
}

TEST_F(DanePHTest, CompressedWaterAtTemperatureFindsAPressure) {
  Given(5, 100, Sng(m.Hwpt(0.05, 100)));
  m.Dane_P_H(5, 1);
  EXPECT_EQ(m.st.Blad, 0);
  EXPECT_EQ(m.st.xPary, 0.0f);
  EXPECT_LE(std::fabs(m.Hwpt(m.st.pPary, 100) - m.st.hPary), 0.2);
  EXPECT_EQ(m.st.obx, m.st.vPary);
}

TEST_F(DanePHTest, CompressedWaterWithoutAPressureStopsWithTheMessage) {
  Given(5, 100, 400);
  m.st.xPary = 0.5f;
  dialogs.ExpectOk("Pwth() -> brak ciśnienia wody dla  tPary/hPary ");
  m.Dane_P_H(5, 1);
  EXPECT_EQ(m.st.Blad, 1);
  EXPECT_EQ(m.st.xPary, 0.5f);
  EXPECT_EQ(m.st.sPary, kUntouched);
}

TEST_F(DanePHTest, SupercriticalLineAbove22Point12MPa) {
  Given(2, 30, 1500);  // water at 30 MPa: the saturation temperature stays as computed
  m.Dane_P_H(2, 0);
  EXPECT_EQ(m.st.tNasPary, Sng(((30 * 10.194 - 225.4) * 0.348) + 374.3));
  EXPECT_NEAR(m.st.tNasPary, 402.28616, 1e-4);
  Given(2, 22.12f, 1500);  // not above 22.12 in single: the saturation line itself
  m.Dane_P_H(2, 0);
  EXPECT_EQ(m.st.tNasPary, 374.0f);
}

TEST_F(DanePHTest, WetAboveTheCriticalTemperatureIsARunTimeError) {
  // Both saturation enthalpies follow one line there: the dryness would be 0/0.
  Given(5, 400, Sng(m.H2t(400)));
  try {
    m.Dane_P_H(5, 0);
    FAIL() << "no run-time error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number, ErrOverflow);
  }
}

TEST_F(DanePHTest, FailedTemperatureSearchLeavesTheRestUntouched) {
  Given(2, 1, 1e14f);
  dialogs.ExpectOk("Tph() -> niewłaściwe parametry  pPary/hPary ");
  m.Dane_P_H(2, 1);
  EXPECT_EQ(m.st.Blad, 1);
  EXPECT_EQ(m.st.tPary, 0.0f);
  EXPECT_EQ(m.st.sPary, kUntouched);
}

TEST_F(DanePHTest, FailedPressureSearchBlanksTheBoxesAndStops) {
  Given(5, 450, 3000);
  dialogs.ExpectOk("Przekroczono licznik obliczeń ", "Info programu Kalorimo");
  m.Dane_P_H(5, 1);
  EXPECT_EQ(m.st.Blad, 1);
  EXPECT_EQ(m.st.pPary, 0.0f);
  EXPECT_EQ(m.st.sPary, kUntouched);
  EXPECT_EQ(windows.pthBledy.size(), 1u);
}

}  // namespace
}  // namespace kal::test
