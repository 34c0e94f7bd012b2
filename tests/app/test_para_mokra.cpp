// "Para mokra": its texts for a wet state, its place beside the main window, and its closing.
#include "app/app_fixture.h"

namespace kal::test {
namespace {

using namespace pole;

std::vector<std::string> Texts(KalorimoApp& app) {
  std::vector<std::string> v;
  for (const auto& b : app.mokra.txtMokra) v.push_back(b.Text);
  return v;
}

TEST_F(AppTest, WetStateFillsTheTwelveBoxes) {
  rig.Oblicz(X, "0,84", T, "150");  // wet: at 1 MPa, 150 C is compressed water
  ASSERT_TRUE(app().mokra.Visible);
  EXPECT_EQ((std::vector<std::string>{"0,5", "150", "0,84", "0,0011", " 632,1", "1,84", "0,39", "2 746,5", "6,84",
                                      "0,33", "2 408,17", "6,04"}),
            Texts(app()));
  for (const auto& b : app().mokra.txtMokra) EXPECT_FALSE(b.Enabled);
  EXPECT_EQ("Para mokra", app().mokra.Caption);
  EXPECT_EQ(-1, frm().ifMokra);
}

TEST_F(AppTest, PatternsOfTheWindow) {
  auto& s = st();
  s.pPary = s.pParyWe = 0.05f;
  frm().tParyInt = 5;
  s.xPary = 0.5f;
  s.ob1 = 0.00101f;
  s.h1 = 340.5f;
  s.s1 = 1.09f;
  s.ob2 = 3.24f;
  s.h2 = 417.5f;
  s.s2 = 7.59f;
  s.obx = 1.62f;
  s.hx = 1504.25f;
  s.sx = 4.34f;
  app().ParaMokra_Load();
  EXPECT_EQ((std::vector<std::string>{"0,050", "05", "0,50", "0,0010", " 340,5", "1,09", "3,24", "0 417,5", "7,59",
                                      "1,62", "1 504,25", "4,34"}),
            Texts(app()));
}

TEST_F(AppTest, PressurePatternFollowsThisCalculationsPressure) {
  rig.Oblicz(P, "1", T, "200");  // an earlier state at 1 MPa
  rig.Oblicz(X, "0,5", T, "70");
  ASSERT_TRUE(app().mokra.Visible);
  EXPECT_EQ("0,032", app().mokra.txtMokra[0].Text);  // below 0.1 MPa: "0.000"
  EXPECT_EQ("70", app().mokra.txtMokra[1].Text);
}

TEST_F(AppTest, PlacedToTheRightOfTheMainWindow) {
  frm().geom = {1000, 500, 7200, 6000};
  app().ParaMokra_Load();
  EXPECT_EQ(500, app().mokra.geom.Top);
  EXPECT_EQ(1000 + 7272, app().mokra.geom.Left);
  EXPECT_EQ(6000, app().mokra.geom.Height);
  EXPECT_EQ(6588, app().mokra.geom.Width);
}

TEST_F(AppTest, LoadingAnOpenWindowChangesNothing) {
  rig.Oblicz(X, "0,84", T, "150");
  auto before = Texts(app());
  st().h2 = 1;
  app().ParaMokra_Load();
  EXPECT_EQ(before, Texts(app()));
}

TEST_F(AppTest, NextCalculationClosesTheWindow) {
  rig.Oblicz(X, "0,84", T, "150");
  ASSERT_TRUE(app().mokra.Visible);
  rig.Oblicz(P, "1", T, "200");
  EXPECT_FALSE(app().mokra.Visible);
  EXPECT_FALSE(app().mokra.Loaded);
  // A new wet state opens it again with the new values.
  rig.Oblicz(X, "0,5", T, "100");
  ASSERT_TRUE(app().mokra.Visible);
  EXPECT_EQ("100", app().mokra.txtMokra[1].Text);
}

TEST_F(AppTest, ExitClosesWithoutTouchingTheFlag) {
  rig.Oblicz(X, "0,84", T, "150");
  app().Command1_Click();
  EXPECT_FALSE(app().mokra.Visible);
  EXPECT_EQ(-1, frm().ifMokra);
  app().Command1_Click();  // closing a closed window has no effect
  EXPECT_FALSE(app().mokra.Loaded);
  rig.Oblicz(P, "1", T, "200");
  EXPECT_FALSE(app().mokra.Visible);
}

// Saturation just above the saturation temperature: a dryness a little above 1. The window
// opens after the epilogue, so the flag is True while it is open.
TEST_F(AppTest, SaturatedStateAboveOneKeepsTheFlagWhileOpen) {
  rig.Oblicz(P, "1", T, "179,5");
  EXPECT_GT(st().xPary, 1.0f);
  EXPECT_EQ(" x = 1 ", rig.Box(4));
  ASSERT_TRUE(app().mokra.Visible);
  EXPECT_EQ(-1, frm().ifMokra);
}

TEST_F(AppTest, ARunTimeErrorOpensNoWindow) {
  rig.Oblicz(P, "1", T, "179,5");  // saturated: the window opens
  rig.Type(T, "1e400");            // the input correction asks about the letter
  dialogs().ExpectBox("Zostawić tę  zmieną    1e400  ?", Buttons::YesNo, Icon::None, "Poprawność  danych", Answer::Yes);
  rig.ExpectRaport(6, "ParseLocale");
  app().cmdOblicz_Click();
  EXPECT_FALSE(app().mokra.Visible);
}

}  // namespace
}  // namespace kal::test
