// The pressure box between the user's unit and MPa, and the dryness display.
#include "app/app_fixture.h"

namespace kal::test {
namespace {

TEST_F(AppTest, ReadingThePressureBoxInBar) {
  frm().kodJednP = 2;
  rig.Type(0, "15");
  app().Spr_pPary(1);
  EXPECT_EQ(15.0f, frm().pParyJedn);
  EXPECT_EQ(1.5f, st().pParyWe);
  EXPECT_EQ("15", rig.Box(0));  // reading leaves the box as typed
}

TEST_F(AppTest, ReadingInKpaAndCodeZeroAsMpa) {
  frm().kodJednP = 3;
  rig.Type(0, "101,325");
  app().Spr_pPary(1);
  EXPECT_FLOAT_EQ(0.101325f, st().pParyWe);
  frm().kodJednP = 0;
  app().Spr_pPary(1);
  EXPECT_EQ(1.0f, frm().kodJednP);
  EXPECT_FLOAT_EQ(101.325f, st().pParyWe);
}

struct ShowCase {
  float kod;
  float pParyWe;
  const char* shown;
};

TEST_F(AppTest, ShowingThePressureInEachUnit) {
  const ShowCase cases[] = {
      {1, 1.5f, "1,5"},  {1, 0.01234f, "0,012"}, {2, 1.5f, "15,0"}, {3, 1.5f, "1 500"}, {3, 0.101325f, " 101"},
      {3, 0.1f, " 100"}, {1, 22.0f, "22,0"},     {2, 0.0f, "0,0"},  {9, 1.5f, "1,5"},  // a damaged code shows MPa, and
                                                                                       // the code becomes MPa
  };
  for (const auto& c : cases) {
    frm().kodJednP = c.kod;
    st().pParyWe = c.pParyWe;
    app().Spr_pPary(0);
    EXPECT_EQ(c.shown, rig.Box(0)) << c.kod << " " << c.pParyWe;
  }
  EXPECT_EQ(1.0f, frm().kodJednP);
}

TEST_F(AppTest, DamagedUnitCodeReadsThePressureInMpa) {
  frm().kodJednP = 2.5f;
  st().pParyWe = 7;
  rig.Type(0, "1,2");
  app().Spr_pPary(1);
  EXPECT_FLOAT_EQ(1.2f, st().pParyWe);  // never the earlier pressure
}

class DrynessTest : public AppTest {
 protected:
  void State(float x) {
    st().xPary = x;
    st().obx = 0.5f;
    st().vPary = 0.25f;
    st().h1 = 418.1f;
    st().h2 = 2676.0f;
  }
  bool Row() { return frm().Text_IS[8].Visible && frm().lbl_V[3].Visible && frm().Label1[7].Visible; }
};

TEST_F(DrynessTest, WetShowsDrynessMixtureVolumeAndHeatOfVaporisation) {
  State(0.9f);
  app().Spr_xPary();
  EXPECT_EQ("0,90", rig.Box(4));
  EXPECT_EQ("0,500", rig.Box(5));
  EXPECT_EQ(" 2 257,9", rig.Box(8));
  EXPECT_TRUE(Row());
}

TEST_F(DrynessTest, SuperheatedHidesTheRow) {
  State(0.9f);
  app().Spr_xPary();
  for (float x : {1.0f, 1.01f, 1.2f}) {
    State(x);
    app().Spr_xPary();
    EXPECT_EQ(" x > 1 ", rig.Box(4)) << x;
    EXPECT_EQ("0,250", rig.Box(5));
    EXPECT_FALSE(frm().Text_IS[8].Visible);
    EXPECT_FALSE(frm().lbl_V[3].Visible);
    EXPECT_FALSE(frm().Label1[7].Visible);
  }
}

TEST_F(DrynessTest, DrySaturatedKeepsTheRowVisibilityWithThisStatesValue) {
  for (bool visibleBefore : {false, true}) {
    State(visibleBefore ? 0.5f : 1.0f);
    app().Spr_xPary();
    rig.Type(8, "stale");
    State(1.005f);
    st().h1 = 758.7f;
    st().h2 = 2776.3f;
    app().Spr_xPary();
    EXPECT_EQ(" x = 1 ", rig.Box(4));
    EXPECT_EQ("0,250", rig.Box(5));
    EXPECT_EQ(visibleBefore, Row());
    EXPECT_EQ(" 2 017,6", rig.Box(8));
  }
}

}  // namespace
}  // namespace kal::test
