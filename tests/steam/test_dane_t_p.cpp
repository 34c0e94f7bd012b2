// State from pressure and temperature: range messages, the three regions just either side of
// their bounds, the wet-steam window request, and the wet mixture at saturation.
#include <cmath>

#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

TEST_F(SteamTest, DaneNasEndsOfTheMixture) {
  const float h1 = static_cast<float>(m.H1t(150));
  m.st.tNasPary = 150;
  m.st.xPary = 0;
  m.Dane_Nas(0);
  EXPECT_EQ(m.st.hx, m.st.h1);
  EXPECT_EQ(m.st.sx, m.st.s1);
  EXPECT_EQ(m.st.obx, m.st.ob1);
  EXPECT_EQ(m.st.h1, h1);
  m.st.xPary = 1;
  m.Dane_Nas(0);
  EXPECT_EQ(m.st.hx, m.st.h2);
  EXPECT_EQ(m.st.sx, m.st.s2);
  EXPECT_EQ(m.st.obx, m.st.ob2);
  EXPECT_EQ(windows.paraMokraLoads, 0);
  m.st.xPary = 0.5f;
  m.Dane_Nas(1);
  EXPECT_FLOAT_EQ(m.st.hx, static_cast<float>(0.5 * m.st.h1 + 0.5 * m.st.h2));
  EXPECT_EQ(windows.paraMokraLoads, 1);
  EXPECT_EQ(m.st.Blad, 0);
}

struct RangeCase {
  double p, t;
  char sep;
  const char* text;
};
void PrintTo(const RangeCase& c, std::ostream* os) { *os << "p=" << c.p << " t=" << c.t << " sep=" << c.sep; }
class DaneTPRange : public SteamTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(DaneTPRange, RejectedWithMessageAndStateUnchanged) {
  const auto c = GetParam();
  m.decimalSep = c.sep;
  m.st.hPary = 1234;
  m.st.tNasPary = 77;
  dialogs.ExpectOk(c.text);
  m.Dane_T_P(c.p, c.t, 1);
  EXPECT_EQ(m.st.Blad, 1);
  EXPECT_EQ(m.st.hPary, 1234);
  EXPECT_EQ(m.st.tNasPary, 77);
  EXPECT_EQ(windows.paraMokraLoads, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, DaneTPRange,
    ::testing::Values(
        RangeCase{22.12, 300, ',', "Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = 22,12 [MPa]"},
        RangeCase{0, 300, ',', "Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = 0,0 [MPa]"},
        RangeCase{-1.5, 300, '.', "Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = -1.5 [MPa]"},
        RangeCase{30, 0, ',', "Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = 30,0 [MPa]"},
        RangeCase{1, 600, ',', "Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = 600"},
        RangeCase{1, 0, ',', "Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = 0"},
        RangeCase{1, 650.4, '.', "Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = 650"},
        // no "Inf" in a message: the value is named in words
        RangeCase{1, -HUGE_VAL, ',', "Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = (ujemna poza zakresem liczb)"},
        RangeCase{1, HUGE_VAL, '.', "Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = (dodatnia poza zakresem liczb)"},
        RangeCase{HUGE_VAL, 300, ',',
                  "Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = (dodatnia poza zakresem liczb) [MPa]"}));

TEST_F(SteamTest, DaneTPAcceptsJustInsideTheRange) {
  m.Dane_T_P(22.11, 599.9, 0);
  EXPECT_EQ(m.st.Blad, 0);
  EXPECT_EQ(m.st.xPary, 1);
  EXPECT_EQ(m.st.tNasPary, 374);
}

TEST_F(SteamTest, DaneTPSaturationGivesRatioAboveOne) {
  // p = 1 MPa: tNasPary = 179.
  const float h2 = static_cast<float>(m.H2t(179)), s1 = static_cast<float>(m.S1t(179));
  m.Dane_T_P(1, 179 * 1.004, 1);
  EXPECT_EQ(m.st.tNasPary, 179);
  EXPECT_FLOAT_EQ(m.st.xPary, 1.004f);
  const double x = m.st.xPary;
  EXPECT_FLOAT_EQ(m.st.hPary, static_cast<float>((m.st.h2 - static_cast<double>(m.st.h1)) * x + m.st.h1));
  EXPECT_EQ(m.st.h2, h2);
  EXPECT_EQ(m.st.s1, s1);
  EXPECT_EQ(windows.paraMokraLoads, 1);
}

TEST_F(SteamTest, DaneTPSaturationSetsTheMixtureMembersToo) {
  m.Dane_T_P(1, 179, 0);
  EXPECT_EQ(m.st.xPary, 1);
  EXPECT_EQ(m.st.hx, m.st.hPary);
  EXPECT_EQ(m.st.sx, m.st.sPary);
  EXPECT_EQ(m.st.obx, m.st.vPary);
  EXPECT_FLOAT_EQ(m.st.hPary, static_cast<float>(m.H2t(179)));
  EXPECT_EQ(windows.paraMokraLoads, 0);
}

enum class Region { Water, Saturated, Superheated };
struct RegionCase {
  double t;
  Region region;
};
void PrintTo(const RegionCase& c, std::ostream* os) { *os << "t=" << c.t << " region=" << static_cast<int>(c.region); }
class DaneTPRegions : public SteamTest, public ::testing::WithParamInterface<RegionCase> {};

TEST_P(DaneTPRegions, JustEitherSideOfTheBounds) {
  const auto c = GetParam();
  m.Dane_T_P(1, c.t, 1);  // tNasPary = 179
  EXPECT_EQ(m.st.Blad, 0);
  switch (c.region) {
    case Region::Water:
      EXPECT_LT(m.st.xPary, 1 / 1.005 + 1e-6);
      EXPECT_EQ(m.st.hPary, m.st.hx);
      EXPECT_EQ(windows.paraMokraLoads, 1);
      break;
    case Region::Saturated:
      EXPECT_FLOAT_EQ(m.st.xPary, static_cast<float>(c.t / 179));
      EXPECT_EQ(m.st.hPary, m.st.hx);
      EXPECT_EQ(windows.paraMokraLoads, 1);
      break;
    case Region::Superheated:
      EXPECT_EQ(m.st.xPary, 1);
      EXPECT_EQ(windows.paraMokraLoads, 0);  // never for steam, whatever the flag
      break;
  }
}

constexpr double kEps = 1e-6;
INSTANTIATE_TEST_SUITE_P(Bounds, DaneTPRegions,
                         ::testing::Values(RegionCase{179 / 1.005 - kEps, Region::Water},
                                           RegionCase{179 / 1.005 + kEps, Region::Saturated},
                                           RegionCase{179 / 0.995 - kEps, Region::Saturated},
                                           RegionCase{179 / 0.995 + kEps, Region::Superheated},
                                           RegionCase{100, Region::Water}, RegionCase{300, Region::Superheated}));

TEST_F(SteamTest, DaneTPWaterState) {
  m.Dane_T_P(1, 100, 0);
  const float x = static_cast<float>(100.0 / 179);
  EXPECT_EQ(m.st.xPary, x);
  EXPECT_EQ(m.st.hPary, m.st.hx);
  EXPECT_FLOAT_EQ(m.st.hx, static_cast<float>((1 - x) * m.H1t(179) + x * m.H2t(179)));
  // Entropy between the ends at t itself, volume between the ends at tNasPary.
  const float s1 = static_cast<float>(m.S1t(100)), s2 = static_cast<float>(m.S2t(100));
  m.Dane_T_P(1, 100, 0);
  EXPECT_EQ(m.st.s1, s1);
  EXPECT_EQ(m.st.s2, s2);
  EXPECT_FLOAT_EQ(m.st.sPary, static_cast<float>((s2 - static_cast<double>(s1)) * x + s1));
  EXPECT_FLOAT_EQ(m.st.vPary, static_cast<float>((m.st.ob2 - static_cast<double>(m.st.ob1)) * x + m.st.ob1));
  EXPECT_EQ(windows.paraMokraLoads, 0);
}

TEST_F(SteamTest, DaneTPSuperheatedKeepsTheEarlierMixture) {
  m.Dane_T_P(1, 100, 0);
  const float hx = m.st.hx, sx = m.st.sx, obx = m.st.obx;
  m.Dane_T_P(1, 300, 1);
  EXPECT_EQ(m.st.xPary, 1);
  m.st.tNasPary = 179;
  EXPECT_EQ(m.st.hPary, static_cast<float>(m.Hpt(1, 300)));
  EXPECT_EQ(m.st.sPary, static_cast<float>(m.Spt(1, 300)));
  EXPECT_EQ(m.st.vPary, static_cast<float>(m.Vpt(1, 300)));
  EXPECT_NEAR(m.st.hPary, 3051.2, 0.1);
  EXPECT_EQ(m.st.hx, hx);
  EXPECT_EQ(m.st.sx, sx);
  EXPECT_EQ(m.st.obx, obx);
  EXPECT_EQ(windows.paraMokraLoads, 0);
}

TEST_F(SteamTest, DaneTPBelowTheSaturationLineFlagsBlad) {
  // Tnas rejects 0.001 MPa without a message; the caller sees Blad.
  m.Dane_T_P(0.001, 100, 0);
  EXPECT_EQ(m.st.Blad, 1);
}

}  // namespace
}  // namespace kal::test
