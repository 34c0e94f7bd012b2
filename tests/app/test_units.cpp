// Choosing the pressure unit converts the number in the pressure box.
#include "app/app_fixture.h"

namespace kal::test {
namespace {

struct UnitCase {
  float oldCode;
  const char* box;
  int newIndex;
  const char* shown;
  float pParyWe;  // MPa
};

TEST_F(AppTest, UnitChangeConvertsTheBox) {
  const UnitCase cases[] = {
      {1, "10", 1, "100,00", 10.0f},        // MPa -> bar, two decimals
      {3, "1500", 0, "1,500", 1.5f},        // kPa -> MPa, "#0.000#"
      {2, "15", 2, "1 500", 1.5f},          // bar -> kPa, thousands group
      {1, "0,0123", 0, "0,0123", 0.0123f},  // same unit, fourth decimal where significant
      {1, "", 1, "0,00", 0.0f},             // empty box counts as 0
      {1, "       ", 2, " 0", 0.0f},        // so do the clear command's blanks
      {1, "1.5", 1, "15,00", 1.5f},         // a point typed for the comma
      {7, "2", 0, "2,000", 2.0f},           // an unknown old code leaves the number as it is
  };
  rig.Tick({0, 1});
  for (const auto& c : cases) {
    frm().kodJednP = c.oldCode;
    rig.Type(0, c.box);
    app().Combo1_Click(c.newIndex);
    EXPECT_EQ(c.shown, rig.Box(0)) << c.box;
    EXPECT_FLOAT_EQ(c.pParyWe, st().pParyWe) << c.box;
    EXPECT_EQ(static_cast<float>(c.newIndex + 1), frm().kodJednP);
    EXPECT_EQ(frm().Combo1Items[c.newIndex], frm().Combo1Text);
  }
}

TEST_F(AppTest, UnitChangeWithoutTickedPressureKeepsTheBoxText) {
  rig.Type(0, "10");
  app().Combo1_Click(1);
  EXPECT_EQ("10", rig.Box(0));
  EXPECT_EQ(2.0f, frm().kodJednP);
  EXPECT_FLOAT_EQ(10.0f, st().pParyWe);
  // The next display uses the new unit.
  app().Spr_pPary(0);
  EXPECT_EQ("100,0", rig.Box(0));
}

TEST_F(AppTest, UnitChangeWithAKeptTextGoesToTheReportAndKeepsTheUnit) {
  rig.Tick({0, 1});
  rig.Type(0, "1 00");
  dialogs().ExpectBox("Zostawić tę  zmieną    1 00  ?", Buttons::YesNo, Icon::None, "Poprawność  danych", Answer::Yes);
  rig.ExpectRaport(13, "ParseLocale");
  app().Combo1_Click(2);
  EXPECT_EQ(1.0f, frm().kodJednP);
  EXPECT_EQ("1 00", rig.Box(0));
  EXPECT_EQ("  MPa", frm().Combo1Text);
}

}  // namespace
}  // namespace kal::test
