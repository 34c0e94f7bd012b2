// Choosing the two given quantities, the clear command and the button-frame switch.
#include "app/app_fixture.h"

namespace kal::test {
namespace {

std::string Enabled(const FrmKalorimo& f) {  // "checks|boxes 0..4|button", 1 = enabled
  std::string s;
  for (const auto& c : f.Check) s += c.Enabled ? '1' : '0';
  s += '|';
  for (int i = 0; i < 5; ++i) s += f.Text_IS[i].Enabled ? '1' : '0';
  s += '|';
  s += f.cmdOblicz_Enabled ? '1' : '0';
  return s;
}

struct SelectionCase {
  std::vector<int> ticked;
  const char* enabled;
};

TEST_F(AppTest, SelectionRules) {
  const SelectionCase cases[] = {
      {{}, "11111|00000|0"},        {{1}, "11111|01000|0"},  // one box: only its value box, no button
      {{0, 1}, "11000|11000|1"},                             // two: the button, the three others locked
      {{2, 4}, "00101|00101|1"},                             // also a pair without a solver
      {{3}, "11111|00010|0"},                                // back to one: everything open again
      {{0, 1, 2}, "11111|11100|0"},                          // three (only through the model): no button
  };
  for (const auto& c : cases) {
    for (auto& box : frm().Check) box = CheckBox{box.Caption};  // unticked and enabled
    for (int i : c.ticked) frm().Check[i].Value = 1;
    app().Check_Click(0);
    EXPECT_EQ(c.enabled, Enabled(frm())) << ::testing::PrintToString(c.ticked);
  }
  // The specific-volume box is never touched by the choice.
  EXPECT_FALSE(frm().Text_IS[5].Enabled);
}

TEST_F(AppTest, UntickingOneOfTwoReleasesTheOthers) {
  rig.Tick({0, 3});
  EXPECT_EQ("10010|10010|1", Enabled(frm()));
  frm().Check[3].Value = 0;
  app().Check_Click(3);
  EXPECT_EQ("11111|10000|0", Enabled(frm()));
}

TEST_F(AppTest, ClearAllBlanksBoxesZeroToEightOnly) {
  rig.Oblicz(4, "0,5", 1, "120");
  rig.Tick({0});
  auto checks = frm().Check;
  float h = st().hPary;
  app().cmdClearAll_Click();
  for (int i = 0; i <= 8; ++i) EXPECT_EQ("       ", rig.Box(i)) << i;
  EXPECT_EQ("5", rig.Box(9));
  EXPECT_EQ(h, st().hPary);
  EXPECT_TRUE(frm().Text_IS[8].Visible);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(checks[i].Value, frm().Check[i].Value);
  EXPECT_EQ("11111|10000|0", Enabled(frm()));
}

TEST_F(AppTest, SevenBlanksReadAsZeroWithoutDialog) {
  app().cmdClearAll_Click();
  rig.Tick({0, 4});
  rig.Type(4, "0,5");
  // Seven blanks read as 0 without the correction dialog; 0 MPa is below the saturation line.
  dialogs().ExpectOk("Ciśnienie pary poniżej zakresu obliczeń,  p < 0,002 [MPa]");
  app().cmdOblicz_Click();
  EXPECT_EQ(0.0f, st().pParyWe);
}

TEST_F(AppTest, FrameClickHidesButtonsAndFiveMenusUntilABoxIsClicked) {
  app().frameButtons_click();
  EXPECT_FALSE(frm().FrameButtonsVisible);
  for (const MenuItem* m : {&frm().mnuOdczytaj, &frm().mnuZapisz, &frm().mnuIS, &frm().mnuPomoc, &frm().mnuZakoncz})
    EXPECT_FALSE(m->Visible) << m->Caption;
  EXPECT_TRUE(frm().mnuPPary2.Visible);
  app().Text_IS_Click(7);
  EXPECT_TRUE(frm().FrameButtonsVisible);
  for (const MenuItem* m : {&frm().mnuOdczytaj, &frm().mnuZapisz, &frm().mnuIS, &frm().mnuPomoc, &frm().mnuZakoncz})
    EXPECT_TRUE(m->Visible) << m->Caption;
  // Showing the menus does not enable them.
  EXPECT_FALSE(frm().mnuOdczytaj.Enabled);
}

}  // namespace
}  // namespace kal::test
