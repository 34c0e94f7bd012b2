// The calculate command around the pairs: its two ways of reading a box, the error trap, the
// rejected inputs, the dryness refusal, the epilogue, and the coefficient file re-read.
#include <cstdio>
#include <string>

#include "app/app_fixture.h"
#include "coeffdb/baza.h"

namespace kal::test {
namespace {

using namespace pole;

class CalculateTest : public AppTest {
 protected:
  // A finished superheated state on screen: 1 MPa, 200 C.
  void Superheated() {
    rig.Oblicz(P, "1", T, "200");
    ASSERT_EQ("2 828,0", rig.Box(H));
  }
  std::array<std::string, 10> Boxes() {
    std::array<std::string, 10> b;
    for (int i = 0; i < 10; ++i) b[i] = rig.Box(i);
    return b;
  }
};

TEST_F(CalculateTest, LettersInTheTemperatureOfTemperatureEnthalpyGoStraightToTheReport) {
  rig.Tick({T, H});
  rig.Type(T, "abc");
  rig.Type(H, "2900");
  rig.ExpectRaport(13, "ParseLocale");
  app().cmdOblicz_Click();
  EXPECT_EQ("", rig.Box(S));  // nothing after the failing step ran
  EXPECT_EQ("", rig.Box(6));
}

TEST_F(CalculateTest, LettersInTheTemperatureOfPressureTemperatureOpenTheCorrectionDialog) {
  rig.Tick({P, T});
  rig.Type(P, "1");
  rig.Type(T, "abc");
  dialogs().ExpectBox("Zostawić tę  zmieną    abc  ?", Buttons::YesNo, Icon::None, "Poprawność  danych", Answer::No);
  dialogs().ExpectInput("Nowa  wartość zmiennej", "Moduł poprawek ", "200");
  app().cmdOblicz_Click();
  EXPECT_EQ("abc", rig.Box(T));  // the box keeps what the user typed
  EXPECT_EQ("2 828,0", rig.Box(H));
}

TEST_F(CalculateTest, AKeptTextIsNoNumberAndEndsTheCommand) {
  Superheated();
  rig.Type(T, "2x");
  dialogs().ExpectBox("Zostawić tę  zmieną    2x  ?", Buttons::YesNo, Icon::None, "Poprawność  danych", Answer::Yes);
  rig.ExpectRaport(13, "ParseLocale");
  auto before = Boxes();
  app().cmdOblicz_Click();
  EXPECT_EQ(before, Boxes());
}

TEST_F(CalculateTest, NoInTheErrorReportEndsTheApplication) {
  rig.Tick({T, H});
  rig.Type(T, "abc");
  rig.ExpectRaport(13, "ParseLocale", Answer::No);
  app().cmdOblicz_Click();
  EXPECT_EQ(1, rig.platform.endCalls);
}

TEST_F(CalculateTest, PressureBelowRangeBlanksTheResultsAndRewritesTheViscosity) {
  Superheated();
  rig.Type(P, "0,001");  // below the saturation line's range, which says nothing of its own
  rig.Type(T, "300");
  dialogs().ExpectOk("Ciśnienie pary poniżej zakresu obliczeń,  p < 0,002 [MPa]");
  app().cmdOblicz_Click();
  for (int i : {2, 3, 4, 5, 8}) EXPECT_EQ(kSiedemSpacji, rig.Box(i)) << "box " << i;  // nothing of the earlier state
  EXPECT_EQ("2,028E", rig.Box(6));       // 300 C, the temperature of this calculation
  EXPECT_EQ(kSiedemSpacji, rig.Box(7));  // no volume of this state to multiply by
  EXPECT_EQ(0, st().Blad);
  EXPECT_FALSE(app().mokra.Visible);

  rig.Type(P, "0");
  rig.Type(T, "400");
  dialogs().ExpectOk("Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = 0,0 [MPa]");
  app().cmdOblicz_Click();
  for (int i : {2, 3, 4, 5, 8}) EXPECT_EQ(kSiedemSpacji, rig.Box(i)) << "box " << i;
  EXPECT_EQ("2,417E", rig.Box(6));  // 400 C
}

TEST_F(CalculateTest, TemperatureBelowAbsoluteZeroEndsInTheReport) {
  rig.Tick({P, T});
  rig.Type(P, "1");
  rig.Type(T, "-300");
  dialogs().ExpectOk("Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = -300");
  rig.ExpectRaport(5, "Pow");  // the viscosity of -300 C has no real power
  app().cmdOblicz_Click();
  EXPECT_EQ(0, st().Blad);
}

TEST_F(CalculateTest, FailedPressureSearchBlanksTheBoxesAndWritesTheInputsBack) {
  Superheated();
  rig.Tick({T, H});
  rig.Type(T, "373,0");
  rig.Type(H, "2300");
  dialogs().ExpectOk("Przekroczono licznik obliczeń ", "Info programu Kalorimo");
  app().cmdOblicz_Click();
  for (int i : {0, 3, 4, 5, 7}) EXPECT_EQ(kSiedemSpacji, rig.Box(i)) << "box " << i;
  EXPECT_EQ("373", rig.Box(T));
  EXPECT_EQ("2300", rig.Box(H));
  EXPECT_EQ("2,311E", rig.Box(6));
  EXPECT_EQ(0, st().Blad);
}

// The wet branch of temperature + enthalpy shows the saturation pressure in MPa, and the unit
// used from then on is MPa too.
TEST_F(CalculateTest, TemperatureEnthalpyWetSwitchesTheUnitToMpa) {
  app().Combo1_Click(1);  // bar
  rig.Oblicz(T, "150", H, "2000");
  EXPECT_EQ("0,479", rig.Box(P));
  EXPECT_EQ("MPa", frm().Combo1Text);
  EXPECT_EQ(1.0f, frm().kodJednP);
  // The next reading of the box takes it as MPa.
  rig.Oblicz(P, rig.Box(P), T, "200");
  EXPECT_FLOAT_EQ(0.479f, st().pParyWe);
}

TEST_F(CalculateTest, DrynessOfOneOrMoreIsRefusedWithoutEpilogue) {
  for (const char* x : {"1", "1,5"}) {
    for (int other : {T, P}) {
      AppRig r;
      r.dialogs.ExpectOk("Stopień suchości x >1 !", "Termo_info", Icon::Exclamation);
      r.Oblicz(X, x, other, other == T ? "100" : "1");
      EXPECT_EQ("", r.Box(H)) << x;
      EXPECT_EQ("", r.Box(6)) << x;  // no epilogue
      EXPECT_FALSE(r.app().mokra.Visible);
    }
  }
}

TEST_F(CalculateTest, NegativeDrynessIsRefusedToo) {
  rig.Tick({X, T});
  rig.Type(X, "-0,1");
  rig.Type(T, "100");
  dialogs().ExpectOk("Stopień suchości x <0 !", "Termo_info", Icon::Exclamation);
  app().cmdOblicz_Click();
  EXPECT_EQ("", rig.Box(H));
}

TEST_F(CalculateTest, DrynessZeroIsSaturatedWater) {
  rig.Oblicz(X, "0", T, "100");
  EXPECT_EQ(" 419,1", rig.Box(H));
  EXPECT_TRUE(app().mokra.Visible);
}

TEST_F(CalculateTest, PressureBelowTheSaturationLineInDrynessPressureSkipsTheBranch) {
  Superheated();
  auto before = Boxes();
  dialogs().ExpectOk("Ciśnienie pary poniżej zakresu obliczeń,  p < 0,002 [MPa]");
  rig.Oblicz(X, "0,5", P, "0,001");
  for (int i : {1, 2, 3, 5, 8}) EXPECT_EQ(before[i], rig.Box(i)) << "box " << i;
  EXPECT_EQ(kSiedemSpacji, rig.Box(6));  // no temperature of this calculation
  EXPECT_EQ(kSiedemSpacji, rig.Box(7));
  EXPECT_EQ(0, st().Blad);
  EXPECT_FALSE(app().mokra.Visible);
}

TEST_F(CalculateTest, TwoInputsWithoutSolverRunOnlyTheEpilogue) {
  Superheated();
  rig.Type(6, "");
  rig.Type(7, "");
  auto before = Boxes();
  rig.Oblicz(H, "2000", X, "0,5");
  for (int i : {0, 1, 3, 5, 8}) EXPECT_EQ(before[i], rig.Box(i)) << "box " << i;
  EXPECT_EQ("1,646E", rig.Box(6));
  EXPECT_EQ("0,339E", rig.Box(7));
}

TEST_F(CalculateTest, ExhaustPressureBoxGoesThroughTheCorrectionWhileHidden) {
  rig.Type(9, "5 kPa");
  rig.Tick({P, T});
  rig.Type(P, "1");
  rig.Type(T, "200");
  dialogs().ExpectBox("Zostawić tę  zmieną    5 kPa  ?", Buttons::YesNo, Icon::None, "Poprawność  danych", Answer::No);
  dialogs().ExpectInput("Nowa  wartość zmiennej", "Moduł poprawek ", "7");
  app().cmdOblicz_Click();
  EXPECT_EQ(5.0f, frm().pParyWylot);  // the row is hidden: the start value stays
  EXPECT_EQ("2 828,0", rig.Box(H));
}

TEST_F(CalculateTest, EpilogueTakesTheReportCopiesAndTheWholeDegrees) {
  rig.Oblicz(P, "1", T, "200,5");
  EXPECT_EQ(200, frm().tParyInt);  // halves to even
  rig.Oblicz(P, "1", T, "201,5");
  EXPECT_EQ(202, frm().tParyInt);
  EXPECT_EQ(st().hPary, frm().hParyZap);
}

TEST_F(CalculateTest, ViscosityOfSteam) {
  EXPECT_NEAR(9.0417313e-6, KalorimoApp::LepkoscDyn(0), 1e-12);
  EXPECT_NEAR(1.64560e-5, KalorimoApp::LepkoscDyn(200), 1e-10);
  EXPECT_THROW(KalorimoApp::LepkoscDyn(-300), RunTimeError);
}

// The coefficient file is read before every calculation: an edit applies without a restart.
TEST_F(CalculateTest, EditedCoefficientFileChangesTheNextResult) {
  rig.Oblicz(X, "0,5", P, "1");
  EXPECT_EQ("179", rig.Box(T));
  Baza b;
  std::uint8_t blad = 0;
  CzytArray(b, blad);
  b.Tab2[1] += 0.01;  // the saturation line about 6.5 degrees higher
  std::uint8_t rec[kRecordLen];
  ZapiszRekord(b, rec);
  std::FILE* f = std::fopen((rig.DataDir() + "Kalorimo.dat").c_str(), "r+b");
  ASSERT_NE(nullptr, f);
  ASSERT_EQ(kRecordLen, std::fwrite(rec, 1, kRecordLen, f));
  std::fclose(f);
  app().cmdOblicz_Click();
  EXPECT_EQ("186", rig.Box(T));
}

}  // namespace
}  // namespace kal::test
