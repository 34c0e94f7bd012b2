// Each pair of given quantities end to end: tick, type, "Oblicz", and the texts of every box.
// Reference values (steam tables): 1 MPa/200 C h 2827.9 s 6.694 v 0.206; 1 MPa h 2900 -> 231.6 C;
// 100 C x 0.9 h 2450.7 s 6.75 v 1.51 r 2257; 1 MPa s 7 -> about 266 C.
#include <array>
#include <string>

#include "app/app_fixture.h"
#include "common/checked.h"
#include "common/number_text.h"

namespace kal::test {
namespace {

using namespace pole;

struct PairCase {
  const char* name;
  int a;
  const char* va;
  int b;
  const char* vb;
  std::array<const char*, 9> boxes;  // Text_IS 0..8 after the calculation
  bool rowR;                         // heat-of-vaporisation row visible
  bool wet;                          // "Para mokra" open
};
void PrintTo(const PairCase& c, std::ostream* os) { *os << c.name; }

const PairCase kPary[] = {
    {"p_t_superheated",
     P,
     "1",
     T,
     "200",
     {"1", "200", "2 828,0", "6,69", " x > 1 ", "0,206", "1,646E", "0,339E", ""},
     false,
     false},
    {"p_t_water",
     P,
     "1",
     T,
     "150",
     {"1", "150", " 633,", "1,84", "0,00", "0,001", "1,457E", "0,002E", " 2 017,6"},  // compressed water
     true,
     false},
    {"p_h_superheated",
     P,
     "1",
     H,
     "2900",
     {"1", "231", "2900", "6,843", " x > 1 ", "0,223", "1,762E", "0,392E", ""},
     false,
     false},
    {"p_h_wet",
     P,
     "1",
     H,
     "2000",
     {"1", "179", "2000", "4,875", "0,62", "0,122", "1,566E", "0,192E", " 2 017,6"},
     true,
     true},
    {"t_h_superheated",
     T,
     "200",
     H,
     "2900",
     {"0,735", "200", "2900", "6,862", " x > 1 ", "0,285", "1,646E", "0,469E", ""},
     false,
     false},
    {"t_h_wet",
     T,
     "150",
     H,
     "2000",
     {"0,479", "150", "2000", "5,074", "0,65", "0,254", "1,457E", "0,370E", " 2 114,3"},
     true,
     true},
    {"x_t",
     X,
     "0,9",
     T,
     "100",
     {"0,102", "100", "2 450,7", "6,751", "0,9", "1,506", "1,270E", "1,913E", " 2 257,4"},
     true,
     true},
    {"x_p",
     X,
     "0,9",
     P,
     "1",
     {"1", "179", "2 574,6", "6,146", "0,9", "0,178", "1,566E", "0,279E", " 2 017,6"},
     true,
     true},
    {"p_s_superheated",
     P,
     "1",
     S,
     "7",
     {"1", "266", "2 977,7", "7", " x > 1 ", "0,241", "1,897E", "0,457E", ""},
     false,
     false},
    {"p_s_wet",
     P,
     "1",
     S,
     "5",
     {"1", "179", "2 056,5", "5", "0,64", "0,128", "1,566E", "0,200E", " 2 017,6"},
     true,
     true},
    {"t_s_superheated",
     T,
     "200",
     S,
     "7",
     {"0,573", "200", "2 852,0", "7", " x > 1 ", "0,369", "1,646E", "0,607E", ""},
     false,
     false},
    {"t_s_wet",
     T,
     "150",
     S,
     "5",
     {"0,479", "150", "1 968,6", "5", "0,63", "0,248", "1,457E", "0,362E", " 2 114,3"},
     true,
     true},
    {"h_s_superheated",
     H,
     "2900",
     S,
     "7",
     {"0,70", "224,93", "2900", "7", " x > 1 ", "0,317", "1,740E", "0,552E", ""},
     false,
     false},
    // The enthalpy-entropy solver never asks for the wet-steam window.
    {"h_s_wet",
     H,
     "2500",
     S,
     "6,5",
     {"0,34", "123,21", "2500", "6,5", "0,89", "0,479", "1,357E", "0,649E", " 2 151,0"},
     true,
     false},
};

// Pressure + temperature on the water side: beyond the saturation band compressed water (as the
// pressure-enthalpy pair has it, no "Para mokra"); inside the band the wet state as before.
TEST(PairPT, WaterSideBeyondTheSaturationBandIsCompressedWater) {
  struct Case {
    const char* p;
    const char* t;
    double pMPa, tC;
    bool water, wet;
  } const cases[] = {
      {"10", "200", 10, 200, true, false}, {"1", "150", 1, 150, true, false},     {"1", "178", 1, 178, true, false},
      {"0,1", "20", 0.1, 20, true, false}, {"1", "179,5", 1, 179.5, false, true}, {"1", "300", 1, 300, false, false},
  };
  for (const auto& c : cases) {
    AppRig rig;
    rig.Oblicz(P, c.p, T, c.t);
    const SteamState& s = rig.st();
    ModKalorimo& lib = rig.app().lib;
    SCOPED_TRACE(std::string(c.p) + " MPa " + c.t + " C");
    EXPECT_EQ(c.water, s.xPary == 0);
    EXPECT_EQ(c.wet, rig.app().mokra.Visible);
    if (!c.water) continue;
    const float h = Sng(lib.Hwpt(c.pMPa, Sng(c.tC)));
    EXPECT_EQ(h, s.hPary);
    EXPECT_EQ(Sng(lib.Vwpt(c.pMPa, Sng(c.tC))), s.vPary);
    EXPECT_EQ(Sng(lib.S1t(Sng(c.tC))), s.sPary);
    EXPECT_EQ(h, s.hx);
    EXPECT_EQ(s.sPary, s.sx);
    EXPECT_EQ(s.vPary, s.obx);
    EXPECT_EQ(Format(h, "# #00.", ','), rig.Box(2));
    EXPECT_EQ("0,00", rig.Box(4));
    EXPECT_TRUE(rig.frm().Text_IS[8].Visible);
  }
}

class PairTest : public ::testing::TestWithParam<PairCase> {};

TEST_P(PairTest, WritesEveryBox) {
  const PairCase& c = GetParam();
  AppRig rig;
  rig.Oblicz(c.a, c.va, c.b, c.vb);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(c.boxes[i], rig.Box(i)) << "box " << i;
  EXPECT_EQ("5", rig.Box(9));
  EXPECT_EQ(c.rowR, rig.frm().Text_IS[8].Visible);
  EXPECT_EQ(c.rowR, rig.frm().lbl_V[3].Visible);
  EXPECT_EQ(c.rowR, rig.frm().Label1[7].Visible);
  EXPECT_EQ(c.wet, rig.app().mokra.Visible);
  EXPECT_EQ(c.wet ? -1 : 0, rig.frm().ifMokra);
  EXPECT_EQ(0, rig.st().Blad);
  EXPECT_TRUE(rig.frm().mnuIS.Enabled);
  // The report's copies belong to this state.
  EXPECT_EQ(rig.st().hPary, rig.frm().hParyZap);
  EXPECT_EQ(rig.st().sPary, rig.frm().sParyZap);
  EXPECT_EQ(rig.st().vPary, rig.frm().vParyZap);
}

INSTANTIATE_TEST_SUITE_P(Pary, PairTest, ::testing::ValuesIn(kPary),
                         [](const auto& p) { return std::string(p.param.name); });

// The point locale changes only the separator.
TEST(PairPointLocale, PressureTemperature) {
  AppRig rig('.');
  rig.Oblicz(P, "1", T, "150");
  EXPECT_EQ(" 633.", rig.Box(2));  // compressed water
  EXPECT_EQ("1.84", rig.Box(3));
  EXPECT_EQ("0.00", rig.Box(4));
  EXPECT_EQ(" 2 017.6", rig.Box(8));
  EXPECT_EQ("1.457E", rig.Box(6));
  EXPECT_FALSE(rig.app().mokra.Visible);
}

TEST(PairPointLocale, TemperatureEntropyInBar) {
  AppRig rig('.');
  rig.Tick({T, S});
  rig.app().Combo1_Click(1);
  rig.Type(T, "200");
  rig.Type(S, "7");
  rig.app().cmdOblicz_Click();
  EXPECT_EQ("5.73", rig.Box(0));  // 0.573 MPa in bar, "#0.0#"
  EXPECT_EQ("2 852.0", rig.Box(2));
}

// The pressure box follows the chosen unit, and the typed pressure is read in it.
TEST(PairUnits, PressureTemperatureInKpa) {
  AppRig rig;
  rig.Tick({P, T});
  rig.Type(P, "1000");
  rig.app().Combo1_Click(2);          // the box is converted from MPa: 1000 MPa -> kPa
  EXPECT_EQ("1000 000", rig.Box(P));  // digits beyond the pattern go in front
  rig.Type(P, "1000");                // now typed in kPa
  rig.Type(T, "200");
  rig.app().cmdOblicz_Click();
  EXPECT_FLOAT_EQ(1.0f, rig.st().pParyWe);
  EXPECT_EQ("2 828,0", rig.Box(H));
}

TEST(PairUnits, EnthalpyEntropyKeepsTheChosenUnit) {
  AppRig rig;
  rig.app().Combo1_Click(1);  // bar
  rig.Oblicz(H, "2900", S, "7");
  EXPECT_EQ("7,02", rig.Box(P));  // 0.702 MPa shown in bar, as the unit list says
  EXPECT_FLOAT_EQ(2.0f, rig.frm().kodJednP);
}

// The temperature box of t,h, t,s and x,t takes either separator in either locale, as the other
// boxes do; a text that is no number stays a type mismatch.
TEST(PairTemperatureBox, EitherSeparator) {
  struct Case {
    int b;
    const char* vb;
  };
  const Case pary[] = {{H, "2750"}, {S, "7"}, {X, "0.9"}};
  for (char sep : {',', '.'}) {
    for (const Case& c : pary) {
      AppRig ref(sep);
      ref.Oblicz(T, sep == ',' ? "153,58" : "153.58", c.b, c.vb);
      for (const char* t : {"153.58", "153,58", " 153.58 "}) {
        AppRig rig(sep);
        rig.Oblicz(T, t, c.b, c.vb);
        EXPECT_EQ(153.58f, rig.st().tPary) << sep << " " << c.b << " " << t;
        for (int i = 0; i < 9; ++i) {
          if (i == T) continue;  // the box keeps what was typed
          EXPECT_EQ(ref.Box(i), rig.Box(i)) << sep << " " << c.b << " " << t << " box " << i;
        }
      }
      for (const char* t : {"153.5,8", "15x", "1.5.3"}) {
        AppRig rig(sep);
        rig.ExpectRaport(13, "ParseLocale");
        rig.Oblicz(T, t, c.b, c.vb);
        rig.dialogs.VerifyDone();
      }
    }
  }
}

// A refused p,t after a good one: no results of the earlier state stay in the boxes, and the
// I-S chart has no inlet.
TEST(PairPT, RefusedPairLeavesNoEarlierResults) {
  struct Case {
    const char* p;
    const char* t;
    std::string message;
  } const cases[] = {
      {"25", "200", "Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = 25,0 [MPa]"},
      {"1", "700", "Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = 700"},
  };
  for (const Case& c : cases) {
    AppRig rig;
    rig.Oblicz(P, "1", T, "200");
    ASSERT_EQ("2 828,0", rig.Box(H));
    ASSERT_TRUE(rig.app().stanPT().has_value());
    rig.dialogs.ExpectOk(c.message);
    rig.Oblicz(P, c.p, T, c.t);
    rig.dialogs.VerifyDone();
    for (int i : {H, S, X, V, Nu}) EXPECT_EQ(kSiedemSpacji, rig.Box(i)) << c.message << " box " << i;
    EXPECT_FALSE(rig.app().stanPT().has_value()) << c.message;
  }
}

}  // namespace
}  // namespace kal::test
