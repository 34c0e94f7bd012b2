// Calculations the property sweep found at fault, kept as regular cases.
#include "app/app_fixture.h"

namespace kal::test {
namespace {

using namespace pole;

// Temperature 0 C with an enthalpy above dry steam: the pressure search refuses the temperature
// once and fails as a search does, instead of one box per pass up to its limit of 10 000.
TEST_F(AppTest, TemperatureZeroWithSuperheatedEnthalpyShowsOneBox) {
  rig.Oblicz(P, "1", T, "200");  // an earlier state that must not show
  dialogs().ExpectOk("Temp. pary = 0 [C] ");
  dialogs().ExpectOk("Przekroczono licznik obliczeń ", "Info programu Kalorimo");
  rig.Oblicz(T, "0", H, "4150,01");
  dialogs().VerifyDone();
  EXPECT_EQ(0, st().Blad);
  for (int box : {0, 3, 4, 5}) EXPECT_EQ("       ", rig.Box(box)) << box;
  EXPECT_EQ("0", rig.Box(1));
  EXPECT_EQ("4150,01", rig.Box(2));
  EXPECT_EQ("0,904E", rig.Box(6));  // the viscosity of the temperature given
  EXPECT_EQ("       ", rig.Box(7));

  // The window goes on as before.
  rig.Oblicz(P, "1", T, "200");
  EXPECT_EQ("2 828,0", rig.Box(2));
  dialogs().VerifyDone();
}

TEST_F(AppTest, TemperatureMinusZeroIsRefusedLikeZero) {
  dialogs().ExpectOk("Temp. pary = 0 [C] ");
  dialogs().ExpectOk("Przekroczono licznik obliczeń ", "Info programu Kalorimo");
  rig.Oblicz(T, "-0,00", H, "2593,5687");
  dialogs().VerifyDone();
}

}  // namespace
}  // namespace kal::test
