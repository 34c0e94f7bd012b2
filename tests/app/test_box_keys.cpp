// Enter and Tab in the value boxes, a click in a box, and the I-S command.
#include "app/app_fixture.h"

namespace kal::test {
namespace {

TEST_F(AppTest, EnterOrTabClearsTheNextBoxAndFocusesItWhenEnabled) {
  rig.Tick({0, 1});
  for (int key : {13, 9}) {
    rig.Type(1, "200");
    frm().focusRequest = -1;
    app().Text_IS_KeyPress(0, key);
    EXPECT_EQ("  ", rig.Box(1));
    EXPECT_EQ(1, frm().focusRequest);
  }
  rig.Type(2, "2900");
  frm().focusRequest = -1;
  app().Text_IS_KeyPress(1, 13);  // the enthalpy box is disabled: cleared, no focus
  EXPECT_EQ("  ", rig.Box(2));
  EXPECT_EQ(-1, frm().focusRequest);
}

TEST_F(AppTest, EnterInTheDrynessBoxClearsTheVolumeBox) {
  rig.Type(5, "0,206");
  app().Text_IS_KeyPress(4, 13);
  EXPECT_EQ("  ", rig.Box(5));
  EXPECT_EQ(-1, frm().focusRequest);
}

TEST_F(AppTest, OtherKeysAndResultBoxesAreNotHandled) {
  for (int i = 0; i < 10; ++i) rig.Type(i, "x");
  app().Text_IS_KeyPress(0, 65);
  for (int i = 5; i <= 9; ++i) app().Text_IS_KeyPress(i, 13);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(i == 9 ? "x" : "x", rig.Box(i)) << i;
  EXPECT_EQ(-1, frm().focusRequest);
}

TEST_F(AppTest, IsMenuWithoutPressureAndTemperatureExplains) {
  rig.Tick({0, 2});
  dialogs().ExpectOk(" Wykres I-S jest aktywny tylko po wybraniu \r\n opcji ciśnienie / temperatura  ", "",
                     Icon::Information);
  app().mnuIS_Click();
}

TEST_F(AppTest, IsMenuWithPressureAndTemperatureIsNotReadyYet) {
  rig.Tick({0, 1});
  dialogs().ExpectOk(" W opracowaniu ");
  app().mnuIS_Click();
}

TEST_F(AppTest, CalculationEnablesTheIsMenu) {
  EXPECT_FALSE(frm().mnuIS.Enabled);
  rig.Oblicz(0, "1", 1, "200");
  EXPECT_TRUE(frm().mnuIS.Enabled);
}

}  // namespace
}  // namespace kal::test
