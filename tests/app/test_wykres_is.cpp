// The I-S chart command, the exhaust row and the window "Wykres I-S" as data.
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "app_fixture.h"
#include "common/number_text.h"
#include "if97/if97.h"

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

// The panel's boxes take either separator under either locale, as the main window's boxes do.
TEST(WykresIS, PanelTakesEitherSeparator) {
  struct Przypadek {
    Koniec2 tryb;
    const char *kPa, *wartosc;
    bool ok;
  };
  const Przypadek kPrzypadki[] = {
      {Koniec2::Eta, "2,5", "85,5", true},  {Koniec2::Eta, "2.5", "85.5", true}, {Koniec2::T2, "1 999", "290,5", true},
      {Koniec2::T2, "1999", "290.5", true}, {Koniec2::Eta, "5", "0,001", true},  {Koniec2::Eta, "5", "0.001", true},
      {Koniec2::Eta, "2,5,1", "85", false}, {Koniec2::Eta, "5", "8,5.1", false},
  };
  for (char sep : {',', '.'}) {
    AppRig rig(sep);
    rig.Oblicz(0, "10", 1, "500");
    rig.app().mnuIS_Click();
    FrmWykresIS& w = rig.app().wykresIS;
    for (const Przypadek& c : kPrzypadki) {
      SCOPED_TRACE(std::string(1, sep) + " " + c.kPa + " " + c.wartosc);
      w.tryb = c.tryb;
      (c.tryb == Koniec2::Eta ? w.txtEta : w.txtT2) = c.wartosc;
      rig.Type(9, c.kPa);
      rig.app().cmdObliczIS_Click();
      EXPECT_EQ(c.ok, w.rozprezanie.ok) << w.komunikat;
      if (!c.ok) continue;
      const bool t2 = c.tryb == Koniec2::T2;
      EXPECT_EQ(t2 ? 1.999f : c.kPa[0] == '5' ? 0.005f : 0.0025f, w.rozprezanie.p2);
      if (t2) {
        EXPECT_EQ(290.5f, w.rozprezanie.rzeczywisty->t);
      } else {
        EXPECT_NEAR(std::string(c.wartosc).size() == 4 ? 0.855 : 1e-5, *w.rozprezanie.eta, 1e-6);
      }
    }
  }
}

// The exhaust isobar is drawn at p2, the saturation a wet 2s was taken at is named beside it, and an
// impossible measured exhaust keeps its numbers on screen with the reason.
TEST_F(AppTest, ExhaustIsobarAtP2AndImpossibleEndsShown) {
  rig.Oblicz(0, "10", 1, "500");
  app().mnuIS_Click();
  FrmWykresIS& w = app().wykresIS;
  frm().Text_IS[9].Text = "2";
  app().cmdObliczIS_Click();
  ASSERT_TRUE(w.rozprezanie.ok) << w.komunikat;
  ASSERT_EQ(2u, w.izobaryPunktow.size());
  const Linia& wylot = w.izobaryPunktow[1];
  EXPECT_EQ(0.002f, static_cast<float>(wylot.wartosc));
  EXPECT_EQ("0,002 MPa", Etykieta(wylot, frm().kodJednP, ','));
  ASSERT_FALSE(wylot.odcinki.empty());
  for (const auto& odc : wylot.odcinki)
    for (const PunktLinii& q : odc) EXPECT_EQ(0.002f, q.p);
  EXPECT_NE(std::string::npos, w.uwaga2s.find("17,0 °C")) << w.uwaga2s;
  EXPECT_NE(std::string::npos, w.uwaga2s.find("2,355 kPa")) << w.uwaga2s;
  frm().Text_IS[9].Text = "2000";
  app().cmdObliczIS_Click();
  EXPECT_TRUE(w.uwaga2s.empty());  // a superheated 2s lies on p2 itself

  struct Przypadek {
    const char *p1, *t1, *kPa, *t2, *eta, *dh, *fragment;
  };
  const Przypadek kPrzypadki[] = {
      {"1", "400", "100", "100", "106,43", " 587,0", "(ηi > 100 %)"},
      {"21,86", "408", "5,93", "175,5", "-2,95", "-32,8", "(Δh ≤ 0)"},
      {"0,35", "565", "276", "190", "814,11", " 779,1", "(s2 < s1)"},
  };
  app().chkIF97_Click(true);
  for (const Przypadek& c : kPrzypadki) {
    rig.Oblicz(0, c.p1, 1, c.t1);
    w.tryb = Koniec2::T2;
    w.txtT2 = c.t2;
    frm().Text_IS[9].Text = c.kPa;
    app().cmdObliczIS_Click();
    EXPECT_TRUE(w.rozprezanie.niefizyczne) << c.p1;
    EXPECT_NE(std::string::npos, w.komunikat.find(c.fragment)) << w.komunikat;
    EXPECT_EQ(c.eta, w.wyniki[10]);
    EXPECT_EQ(c.dh, w.wyniki[9]);
    EXPECT_TRUE(w.rozprezanieIF97.niefizyczne) << c.p1 << w.rozprezanieIF97.blad;
    EXPECT_FALSE(w.nakladki[0].kolumna[10].empty());  // IF97's numbers stay too
  }
}

// The tick "IAPWS-IF97": the overlay's points are the library's own results for the same inputs,
// its saturation line lies on the library's, and the IF97 and difference columns come and go
// with it; no text ever reads NaN.
TEST_F(AppTest, If97TickOverlaysTheLibrarysExpansion) {
  rig.Oblicz(0, "10", 1, "500");
  app().mnuIS_Click();
  FrmWykresIS& w = app().wykresIS;
  EXPECT_TRUE(w.nakladki.empty());
  app().chkIF97_Click(true);
  struct Przypadek {
    Koniec2 tryb;
    const char* wartosc;
    const char* kPa;
    bool koniec2;  // IF97 finds point 2
  };
  for (const Przypadek& c : {Przypadek{Koniec2::Eta, "85", "5", true}, Przypadek{Koniec2::T2, "290", "2000", true},
                             Przypadek{Koniec2::Eta, "150", "5", false}}) {
    w.tryb = c.tryb;
    (c.tryb == Koniec2::Eta ? w.txtEta : w.txtT2) = c.wartosc;
    frm().Text_IS[9].Text = c.kPa;
    app().cmdObliczIS_Click();
    ASSERT_EQ(2u, w.nakladki.size()) << c.wartosc;
    const Nakladka& n = w.nakladki[0];
    const double p2 = std::atof(c.kPa) / 1000, v = std::atof(c.wartosc);
    const if97::Result w1 = if97::FromPT(10, 500), w2s = if97::FromPS(p2, w1.s);
    const if97::Result w2 =
        c.tryb == Koniec2::T2 ? if97::FromPT(p2, v) : if97::FromPH(p2, w1.h - v / 100 * (w1.h - w2s.h));
    std::vector<std::pair<double, double>> want = {{w1.s, w1.h}, {w2s.s, w2s.h}};
    if (c.koniec2) want.push_back({w2.s, w2.h});
    ASSERT_EQ(want.size(), n.punkty.size()) << c.wartosc;
    for (std::size_t i = 0; i < want.size(); ++i) {
      EXPECT_EQ(want[i].first, n.punkty[i].s) << c.wartosc << i;
      EXPECT_EQ(want[i].second, n.punkty[i].h) << c.wartosc << i;
    }
    EXPECT_EQ(c.koniec2, !n.kolumna[10].empty()) << c.wartosc;  // ηi by IF97
    EXPECT_EQ(c.koniec2, !w.nakladki[1].kolumna[10].empty()) << c.wartosc;
    if (c.koniec2) {
      EXPECT_EQ(Format((w1.h - w2.h) / (w1.h - w2s.h) * 100, "##0.00", ','), n.kolumna[10]);
    }
    for (const Nakladka& k : w.nakladki)
      for (const std::string& t : k.kolumna) EXPECT_EQ(std::string::npos, t.find("NaN")) << c.wartosc;
  }
  // The saturation line: on IF97's x = 0 and x = 1, inside the view or one step past its edge.
  int naLinii = 0;
  for (const Linia& l : w.nakladki[0].linie) {
    if (l.rodzaj != RodzajLinii::Nasycenie && l.rodzaj != RodzajLinii::Woda) continue;
    for (const auto& odc : l.odcinki)
      for (const PunktLinii& q : odc) {
        const if97::Result r = if97::FromXP(l.wartosc, q.u);
        EXPECT_NEAR(r.h, q.h, 1e-9);
        EXPECT_NEAR(r.s, q.s, 1e-12);
        naLinii += w.widok.Zawiera(q.s, q.h);
      }
  }
  EXPECT_GT(naLinii, 100);
  EXPECT_NE(std::string::npos, app().OdczytIS(6.6, 3370).find("IF97: p = "));
  app().chkIF97_Click(false);
  EXPECT_TRUE(w.nakladki.empty());
  EXPECT_EQ(std::string::npos, app().OdczytIS(6.6, 3370).find("IF97"));
  EXPECT_NE(std::string::npos, app().OdczytIS(6.6, 3370).find("t = "));
}

}  // namespace
}  // namespace kal::test
