// Saturation line: whole-degree temperatures, the straight line above 22.115 MPa and the pass
// counts of the pressure search.
#include <cmath>

#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

struct TnasCase {
  double p;
  double t;
};
void PrintTo(const TnasCase& c, std::ostream* os) { *os << "p=" << c.p; }

class TnasTable : public SteamTest, public ::testing::WithParamInterface<TnasCase> {};

TEST_P(TnasTable, WholeDegrees) {
  EXPECT_EQ(m.Tnas(GetParam().p), GetParam().t);
  EXPECT_EQ(m.st.Blad, 0);
}

INSTANTIATE_TEST_SUITE_P(Line, TnasTable,
                         ::testing::Values(TnasCase{0.002, 17}, TnasCase{0.1, 99}, TnasCase{1, 179}, TnasCase{10, 310},
                                           TnasCase{22.115, 374},  // series
                                           TnasCase{22.12, 374},   // straight line
                                           TnasCase{25, 384}));

TEST_F(SteamTest, TnasBelowRangeIsEmptyAndSetsBlad) {
  EXPECT_EQ(m.Tnas(0.001), 0);
  EXPECT_EQ(m.st.Blad, 1);
  m.st.Blad = 0;
  EXPECT_EQ(m.Tnas(0.0019999), 0);
  EXPECT_EQ(m.st.Blad, 1);
}

TEST_F(SteamTest, TnasIgnoresElementZero) {
  baza.Tab2[0] = 1e300;
  EXPECT_EQ(m.Tnas(1), 179);
}

TEST_F(SteamTest, PnasStraightLineAboveCriticalTemperature) {
  EXPECT_DOUBLE_EQ(m.Pnas(400), 0.28189 * 400 - 83.349);
  EXPECT_NEAR(m.Pnas(374.13), 22.1145, 1e-4);
  EXPECT_EQ(m.passes.Pnas, 0);
}

TEST_F(SteamTest, PnasAtCriticalTemperatureIterates) {
  const double p = m.Pnas(374.12);
  EXPECT_GT(m.passes.Pnas, 0);
  EXPECT_NEAR(p, 22.1, 0.2);
}

TEST_F(SteamTest, PnasConvergesAt100In12Passes) {
  EXPECT_NEAR(m.Pnas(100), 0.10194, 5e-5);
  EXPECT_EQ(m.passes.Pnas, 12);
}

TEST_F(SteamTest, PnasHalfDegreeRunsToThePassLimit) {
  const double p = m.Pnas(100.5);
  EXPECT_EQ(m.passes.Pnas, 10001);
  EXPECT_GT(p, 0.09);
  EXPECT_LT(p, 0.11);
  EXPECT_EQ(m.st.Blad, 0);
}

TEST_F(SteamTest, PnasLowTemperatureEndsAtTheFloor) {
  EXPECT_NEAR(m.Pnas(10), 0.0017, 1e-4);
  EXPECT_EQ(m.passes.Pnas, 2);
  EXPECT_EQ(m.st.Blad, 0);  // Tnas is never asked below 0.002 MPa
}

}  // namespace
}  // namespace kal::test
