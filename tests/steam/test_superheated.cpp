// Superheated steam: the base equation's examples, the near-saturation branches and the
// correction windows at their bounds (bounds taken in single, as tNasPary plus a constant).
#include <cmath>

#include "common/checked.h"
#include "common/errors.h"
#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

constexpr double kPi = 0.0452079;

double Theta(double T) { return T / 647.3; }

TEST_F(SteamTest, Hpt0Examples) {
  EXPECT_NEAR(m.Hpt0(kPi * 0.1, Theta(473.15), 473.15), 2875.3, 0.05);
  EXPECT_NEAR(m.Hpt0(kPi * 1, Theta(573.15), 573.15), 3051.2, 0.05);
}

TEST_F(SteamTest, Hpt0LeavesItsSeriesInH1) {
  m.st.h1 = 419.0f;
  const double h = m.Hpt0(kPi * 1, Theta(573.15), 573.15);
  EXPECT_NE(m.st.h1, 419.0f);
  EXPECT_LT(m.st.h1, 0.0f);  // the residual part: negative, well below the ideal-gas part
  EXPECT_GT(h, 3000.0);
}

TEST_F(SteamTest, Spt0Examples) {
  const float pi1 = static_cast<float>(kPi * 1), th = static_cast<float>(473 / 647.3);
  EXPECT_NEAR(m.Spt0(pi1, th, 473, 1, 200), 6.694, 5e-4);
  const float pi01 = static_cast<float>(kPi * 0.1);
  EXPECT_NEAR(m.Spt0(pi01, th, 473, 0.1, 200), 7.834, 5e-4);
}

TEST_F(SteamTest, Vpt0Examples) {
  EXPECT_NEAR(m.Vpt0(Theta(573.15), kPi * 1), 0.2579, 5e-5);
  EXPECT_NEAR(m.Vpt0(Theta(373.15), kPi * 0.01), 17.197, 5e-4);
}

TEST_F(SteamTest, BaseEquationIgnoresRowAndColumnZero) {
  const double h = m.Hpt0(kPi * 1, Theta(573.15), 573.15);
  const double v = m.Vpt0(Theta(573.15), kPi * 1);
  for (int k = 0; k < 7; ++k) baza.Tab1[0][k] = 1e300;
  for (int j = 0; j < 5; ++j) baza.Tab1[j][0] = -1e300;
  EXPECT_EQ(m.Hpt0(kPi * 1, Theta(573.15), 573.15), h);
  EXPECT_EQ(m.Vpt0(Theta(573.15), kPi * 1), v);
}

TEST_F(SteamTest, BaseEquationAtZeroPressureIsARunTimeError) {
  EXPECT_THROW(m.Vpt0(Theta(573.15), 0), RunTimeError);
  EXPECT_THROW(m.Spt0(0, 0.8f, 473, 0, 200), RunTimeError);  // log of zero pressure
}

TEST_F(SteamTest, HptAtZeroTemperatureIsRejected) {
  dialogs.ExpectOk("Temp. pary = 0 [C] ");
  m.st.tNasPary = 263;
  EXPECT_EQ(m.Hpt(5, 0), 0);
  EXPECT_EQ(m.st.Blad, 1);
  m.st.Blad = 0;
  // computed normally, however far from steam
  EXPECT_EQ(m.Hpt(5, 0.001), m.Hpt0(kPi * 5, Theta(273.151), 273.151));
  EXPECT_EQ(m.st.Blad, 0);
}

TEST_F(SteamTest, HptWindowsH3AndH4AddUpAt23MPa) {
  m.st.tNasPary = static_cast<float>(m.Tnas(23));
  const double t = m.st.tNasPary + 20.0;
  const double h0 = m.Hpt0(kPi * 23, Theta(t + 273.15), t + 273.15);
  EXPECT_DOUBLE_EQ(m.Hpt(23, t), h0 + 23);
}

TEST_F(SteamTest, HptDependsOnTheCallersSaturationTemperature) {
  m.st.tNasPary = 324;
  const double inH1 = m.Hpt(12, 360);
  m.st.tNasPary = 350;
  const double none = m.Hpt(12, 360);
  EXPECT_DOUBLE_EQ(inH1 - none, 2.5);
}

TEST_F(SteamTest, WindowBoundIsTheSingleSum) {
  m.st.tNasPary = 324.3f;
  const double lo = static_cast<float>(324.3f + 15.0);  // bound as the single sum
  const double below = std::nextafter(lo, 0.0);
  const double base = m.Hpt0(kPi * 12, Theta(lo + 273.15), lo + 273.15);
  EXPECT_DOUBLE_EQ(m.Hpt(12, lo) - base, 2.5);
  const double baseBelow = m.Hpt0(kPi * 12, Theta(below + 273.15), below + 273.15);
  EXPECT_DOUBLE_EQ(m.Hpt(12, below), baseBelow);
}

struct FixedWindow {
  double p, t, dh;
};
void PrintTo(const FixedWindow& c, std::ostream* os) { *os << "p=" << c.p << " t=" << c.t; }
class HptFixedWindows : public SteamTest, public ::testing::WithParamInterface<FixedWindow> {};

TEST_P(HptFixedWindows, AddTheirAmount) {
  const auto c = GetParam();
  m.st.tNasPary = static_cast<float>(m.Tnas(c.p));
  const double h0 = m.Hpt0(kPi * c.p, Theta(c.t + 273.15), c.t + 273.15);
  EXPECT_NEAR(m.Hpt(c.p, c.t) - h0, c.dh, 1e-9) << c.p << " MPa " << c.t << " C";
}

INSTANTIATE_TEST_SUITE_P(Windows, HptFixedWindows,
                         ::testing::Values(FixedWindow{7.5, 550, 0}, FixedWindow{7.6, 540, 1.5},
                                           FixedWindow{8, 600, 1.5}, FixedWindow{16, 450, -1}, FixedWindow{22, 500, -1},
                                           FixedWindow{22.01, 480, 0}, FixedWindow{16, 560, 1.5}));

TEST_F(SteamTest, NearSaturationBranchesNeedMoreThan10MPa) {
  m.st.tNasPary = static_cast<float>(m.Tnas(10));
  const double t = m.st.tNasPary + 3.0;
  EXPECT_EQ(m.Hpt(10, t), m.Hpt0(kPi * 10, Theta(t + 273.15), t + 273.15));
  // At 10 MPa the entropy windows do apply: S1 with q = 0.
  const double t20 = m.st.tNasPary + 20.0;
  const std::int16_t Tk = CInt(t20 + 273.15);
  const double s0 = m.Spt0(static_cast<float>(kPi * 10), static_cast<float>(Tk / 647.3), Tk, 10, t20);
  const double d = RoundEven(t20 - m.st.tNasPary - 15);
  EXPECT_DOUBLE_EQ(m.Spt(10, t20), s0 + static_cast<float>(1e-4 * 11.6 * (0.77 + 0.056 * d)));
}

TEST_F(SteamTest, HptBlendsFromDrySteamJustAboveSaturation) {
  m.st.tNasPary = static_cast<float>(m.Tnas(15));
  const double tn = m.st.tNasPary;
  const double hs = m.H2t(tn);
  EXPECT_NEAR(m.Hpt(15, tn + 1e-4), hs, 0.05);
  const double t = tn + 5;
  const double hE = m.Hpt0(kPi * 15, Theta(t + 273.15), t + 273.15);
  EXPECT_NEAR(m.Hpt(15, t), hs + 0.5 * (hE - hs) + 0.025, 1e-9);
}

TEST_F(SteamTest, SptNearSaturationRoundsHalfToEven) {
  m.st.tNasPary = 325;  // a whole number, as Tnas gives
  const double ss = static_cast<float>(m.S2t(325));
  EXPECT_DOUBLE_EQ(m.Spt(12, 330), ss);  // x = 0.5 -> 0
  const std::int16_t Tk = CInt(331 + 273.15);
  const double sE = m.Spt0(static_cast<float>(kPi * 12), static_cast<float>(Tk / 647.3), Tk, 12, 331);
  EXPECT_DOUBLE_EQ(m.Spt(12, 331), sE + 1e-4);  // x = 0.6 -> 1
  EXPECT_DOUBLE_EQ(m.Spt(12, 325), ss);         // t = tNasPary is inside (>=)
}

TEST_F(SteamTest, SptWindowS3SubtractsAConstant) {
  m.st.tNasPary = 325;
  const double t = 325 + 100.0;
  const std::int16_t Tk = CInt(t + 273.15);
  const double s0 = m.Spt0(static_cast<float>(kPi * 12), static_cast<float>(Tk / 647.3), Tk, 12, t);
  EXPECT_DOUBLE_EQ(m.Spt(12, t), s0 - 20 * 1e-4);
  EXPECT_DOUBLE_EQ(m.Spt(9.99, t), m.Spt0(static_cast<float>(kPi * 9.99), static_cast<float>(Tk / 647.3), Tk, 9.99, t));
}

TEST_F(SteamTest, VptRisesContinuouslyFromSaturationAt20MPa) {
  m.st.tNasPary = static_cast<float>(m.Tnas(20));
  const double tn = m.st.tNasPary;
  const double vs = m.V2t(tn);
  double prev = vs;
  for (double dt = 0.5; dt <= 5; dt += 0.5) {
    const double v = m.Vpt(20, tn + dt);
    EXPECT_GT(v, prev) << dt;
    prev = v;
  }
  EXPECT_NEAR(m.Vpt(20, tn + 1e-6), vs, 1e-8);
}

TEST_F(SteamTest, VptWindowsAddAVolumeStep) {
  m.st.tNasPary = 360;
  const double t = 380;
  const double v0 = m.Vpt0(Theta(t + 273.15), kPi * 20);
  EXPECT_DOUBLE_EQ(m.Vpt(20, t), v0 + 1e-4);
  const double v24 = m.Vpt0(Theta(t + 273.15), kPi * 24);
  EXPECT_DOUBLE_EQ(m.Vpt(24, t), v24 + 2e-4);
  const double v15 = m.Vpt0(Theta(t + 273.15), kPi * 15);
  EXPECT_DOUBLE_EQ(m.Vpt(15, t), v15);
}

}  // namespace
}  // namespace kal::test
