// Saturated water and steam: fitted values at 100 C, closed formulas from 374.12 C, the
// correction steps at their bounds and the accumulators left in the state.
#include "common/errors.h"
#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

TEST_F(SteamTest, SaturatedAt100) {
  EXPECT_NEAR(m.H2t(100), 2676.45, 0.01);
  EXPECT_NEAR(m.H1t(100), 419.08, 0.01);
  EXPECT_NEAR(m.V1t(100), 0.001044, 1e-6);
  EXPECT_NEAR(m.S1t(100), 1.3068, 1e-4);
  EXPECT_NEAR(m.V2t(100), 1.6729487, 1e-6);  // 1.6730 when rounded twice
  EXPECT_NEAR(m.S2t(100), 7.3561, 1e-4);
  EXPECT_EQ(m.st.Blad, 0);
}

TEST_F(SteamTest, ClosedFormulasFromCriticalTemperature) {
  EXPECT_DOUBLE_EQ(m.H1t(374.12), 474.767 + 4.33119 * 374.12);
  EXPECT_NEAR(m.H1t(374.12), 2095.1518028, 1e-7);
  EXPECT_NEAR(m.H2t(374.12), 2095.1518028, 1e-7);
  EXPECT_NEAR(m.S1t(374.12), 4.42372732, 1e-8);
  EXPECT_NEAR(m.S2t(374.12), 4.42372732, 1e-8);
  EXPECT_EQ(m.V1t(374.12), 0.003147);
  EXPECT_EQ(m.V2t(374.12), 0.003147);
  EXPECT_EQ(m.V2t(500), 0.003147);
}

TEST_F(SteamTest, CorrectionBoundsOfDrySteam) {
  // h'' gains 6.0 from 357 on: the step dominates the smooth change over 1e-9 C.
  EXPECT_NEAR(m.H2t(357) - m.H2t(357 - 1e-9), 6.0, 1e-5);
  // At 300 exactly neither h'' nor s'' is corrected; just above they are, continuously.
  const double h300 = m.H2t(300);
  EXPECT_EQ(h300, 1000.0 * m.st.h2);
  const double s300 = m.S2t(300);
  EXPECT_EQ(s300, static_cast<double>(m.st.s2));
  const double s301 = m.S2t(301);
  EXPECT_LT(s301, static_cast<double>(m.st.s2));
  const double h320 = m.H2t(320);
  EXPECT_NEAR(1000.0 * m.st.h2 - h320, 1e-4 * 0.1786 * 256, 1e-6);
}

TEST_F(SteamTest, AccumulatorsStayInTheirMembers) {
  const double h2 = m.H2t(100);
  EXPECT_FLOAT_EQ(m.st.h2, static_cast<float>(h2 / 1000.0));
  const double h1 = m.H1t(100);
  EXPECT_FLOAT_EQ(m.st.h1, static_cast<float>(h1 / 70.1204));
  const double s2 = m.S2t(100);
  EXPECT_EQ(static_cast<double>(m.st.s2), s2);  // no correction below 300 C
  m.V1t(100);
  m.S1t(100);
  m.V2t(100);
  EXPECT_GT(m.st.ob1, 0.3f);  // accumulator, not the volume
  EXPECT_GT(m.st.s1, 10.0f);
  EXPECT_NE(m.st.ob2, 0.0f);
}

TEST_F(SteamTest, ElementZeroNeverRead) {
  const double before[] = {m.H1t(200), m.S1t(200), m.V1t(200), m.H2t(200), m.S2t(200), m.V2t(200)};
  baza.Tab3[0] = baza.Tab4[0] = baza.Tab5[0] = baza.Tab6[0] = baza.Tab7[0] = baza.Tab8[0] = 1e300;
  const double after[] = {m.H1t(200), m.S1t(200), m.V1t(200), m.H2t(200), m.S2t(200), m.V2t(200)};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(before[i], after[i]) << i;
}

TEST_F(SteamTest, NearCriticalStaysFinite) {
  for (double t = 350; t < 374.12; t += 0.37) {
    EXPECT_GT(m.H2t(t), m.H1t(t)) << t;
    EXPECT_GT(m.V2t(t), m.V1t(t)) << t;
    EXPECT_GT(m.S2t(t), m.S1t(t)) << t;
  }
}

TEST_F(SteamTest, OverflowingCoefficientsRaiseRunTimeError) {
  baza.Tab6[8] = 1e300;
  EXPECT_THROW(m.H2t(100), RunTimeError);
}

}  // namespace
}  // namespace kal::test
