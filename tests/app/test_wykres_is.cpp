// The I-S chart command, the exhaust row and the window "Wykres I-S" as data.
#include <cstring>
#include <tuple>

#include "app_fixture.h"

namespace kal::test {
namespace {

// Everything of the calculator the chart must leave as it is.
struct Slad {
  std::array<std::uint8_t, sizeof(SteamState)> stan{};
  std::uint8_t exitNr = 0;
  std::array<std::string, 10> boxes;
  long komunikaty = 0;
  std::size_t pokazane = 0;
  float pParyWylot = 0;
  explicit Slad(AppRig& rig) {
    const SteamState& s = rig.st();
    std::memcpy(stan.data(), &s, sizeof s);
    exitNr = rig.app().lib.exitNr;
    for (int i = 0; i < 10; ++i) boxes[i] = rig.Box(i);
    komunikaty = rig.app().dialogi.pokazane;
    pokazane = rig.dialogs.shown.size();
    pParyWylot = rig.frm().pParyWylot;
  }
  bool operator==(const Slad& o) const {
    return stan == o.stan && exitNr == o.exitNr && boxes == o.boxes && komunikaty == o.komunikaty &&
           pokazane == o.pokazane && pParyWylot == o.pParyWylot;
  }
};

TEST_F(AppTest, IsMenuAfterPressureAndTemperatureOpensTheChartWithTheExpansion) {
  rig.Oblicz(0, "10", 1, "500");
  app().mnuIS_Click();
  const FrmWykresIS& w = app().wykresIS;
  EXPECT_TRUE(w.Visible);
  EXPECT_EQ("Wykres I-S", w.Caption);
  ASSERT_NE(nullptr, w.wykres);
  EXPECT_TRUE(w.rozprezanie.ok) << w.komunikat;  // 5 kPa, 85 % at start
  EXPECT_EQ(0.005f, w.rozprezanie.p2);
  for (const std::string& t : w.wyniki) EXPECT_FALSE(t.empty());
  EXPECT_EQ("85,00", w.wyniki[10]);
  EXPECT_EQ(2u, w.izobaryPunktow.size());
  app().WykresIS_Unload();
  EXPECT_FALSE(w.Visible);
}

TEST_F(AppTest, ChartAndExpansionLeaveTheCalculatorAsItWas) {
  dialogs().ExpectOk("Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = 600");
  rig.Oblicz(0, "1", 1, "600");  // a refused calculation: the message count moves
  rig.Oblicz(0, "2", 1, "320");
  st().Blad = 3;  // a flag the chart must not clear
  const Slad przed(rig);
  app().mnuIS_Click();
  FrmWykresIS& w = app().wykresIS;
  for (auto [tryb, wartosc, kPa] : {std::tuple{Koniec2::Eta, "70", "5"}, std::tuple{Koniec2::T2, "150", "200"},
                                    std::tuple{Koniec2::T2, "20", "5"}, std::tuple{Koniec2::Eta, "abc", "5"},
                                    std::tuple{Koniec2::Eta, "80", "3000"}, std::tuple{Koniec2::Eta, "80", "1"}}) {
    w.tryb = tryb;
    (tryb == Koniec2::Eta ? w.txtEta : w.txtT2) = wartosc;
    frm().Text_IS[9].Text = kPa;
    app().cmdObliczIS_Click();
    EXPECT_EQ(w.rozprezanie.ok, w.komunikat.empty()) << wartosc;
    frm().Text_IS[9].Text = przed.boxes[9];
  }
  EXPECT_TRUE(przed == Slad(rig));
}

TEST_F(AppTest, ExhaustRowIsTheChartsAndTheCalculationsOwn) {
  EXPECT_FALSE(frm().mnuPPary2.Enabled);
  rig.Oblicz(0, "10", 1, "500");
  EXPECT_TRUE(frm().mnuPPary2.Enabled);
  EXPECT_TRUE(frm().mnuIS.Enabled);
  app().mnuPPary2_Click();
  for (bool v : {frm().lbl_V[4].Visible, frm().Text_IS[9].Visible, frm().Label1[8].Visible}) EXPECT_TRUE(v);
  rig.Type(9, "12,5");
  app().cmdOblicz_Click();
  EXPECT_EQ(12.5f, frm().pParyWylot);
  app().mnuIS_Click();
  EXPECT_EQ(0.0125f, app().wykresIS.rozprezanie.p2);
  app().mnuPPary2_Click();
  EXPECT_FALSE(frm().Text_IS[9].Visible);
  app().cmdOblicz_Click();
  EXPECT_EQ(5.0f, frm().pParyWylot);  // a hidden row: the start value
}

TEST_F(AppTest, OpenChartFollowsANewPressureTemperatureCalculation) {
  rig.Oblicz(0, "10", 1, "500");
  app().mnuIS_Click();
  const Wykres* linie = app().wykresIS.wykres;
  rig.Oblicz(0, "5", 1, "450");
  EXPECT_EQ(5.0f, app().wykresIS.rozprezanie.wlot.p);
  EXPECT_EQ(linie, app().wykresIS.wykres);  // the same record: the same lines
  rig.Oblicz(0, "1", 2, "2800");            // another pair: the inlet stays
  EXPECT_EQ(5.0f, app().wykresIS.rozprezanie.wlot.p);
}

}  // namespace
}  // namespace kal::test
