// The expansion of a turbine section against the calculator's own pairs run in the window.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

#include "../app/app_fixture.h"
#include "mollier/rozprezanie.h"
#include "mollier/rozprezanie_if97.h"
#include "mollier_fixture.h"

namespace kal::test {
namespace {

// A single as a text the window reads back to the same single (9 digits, decimal comma).
std::string Tekst9(float v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 9);
  std::string s(buf, r.ptr);
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

void ExpectBitEqual(const Punkt& a, const SteamState& st, const char* what, float p) {
  EXPECT_EQ(a.p, p) << what;
  EXPECT_EQ(a.t, st.tPary) << what;
  EXPECT_EQ(a.h, st.hPary) << what;
  EXPECT_EQ(a.v, st.vPary) << what;
  EXPECT_EQ(a.x, st.xPary) << what;
}

struct Sekcja {
  const char* p1;
  const char* t1;
  float kPa;
  Koniec2 tryb;
  double wartosc;  // t2 [C] or eta
};

// High-pressure sections with a superheated exhaust, low-pressure ones ending wet.
const Sekcja kSekcje[] = {
    {"10", "500", 2000, Koniec2::T2, 290}, {"10", "500", 2000, Koniec2::Eta, 0.85},
    {"16", "540", 3500, Koniec2::T2, 330}, {"1", "300", 5, Koniec2::Eta, 0.8},
    {"0,5", "200", 10, Koniec2::Eta, 1.0}, {"3", "400", 20, Koniec2::Eta, 0.5},
    {"1,2", "250", 100, Koniec2::T2, 110}, {"8", "480", 50, Koniec2::Eta, 0.9},
};

TEST(Rozprezanie, PointsEqualTheWindowsOwnPairsBitForBit) {
  for (const Sekcja& k : kSekcje) {
    SCOPED_TRACE(std::string(k.p1) + " MPa " + k.t1 + " C -> " + std::to_string(k.kPa) + " kPa");
    AppRig rig;
    rig.Oblicz(0, k.p1, 1, k.t1);
    ASSERT_TRUE(rig.app().stanPT());
    Evaluator ew(rig.app().db.baza);
    DaneRozprezania d{rig.app().stanPT(), k.kPa, k.tryb, k.wartosc, k.wartosc};
    Rozprezanie r = Rozpreznij(ew, d);
    ASSERT_TRUE(r.ok) << r.komunikat;
    EXPECT_EQ(rig.st().hPary, r.wlot.h);
    EXPECT_EQ(rig.st().sPary, r.wlot.s);

    // 2s: the pressure-entropy pair typed with p2 in MPa and s1.
    rig.Oblicz(0, Tekst9(r.p2), 3, Tekst9(r.wlot.s));
    // 2s lies at p2; a wet one names the saturation the pair took it at.
    ExpectBitEqual(*r.izentropa, rig.st(), "2s", r.p2);
    ASSERT_EQ(rig.st().xPary < 1, r.nasycenie2s.has_value());
    if (r.nasycenie2s) {
      EXPECT_EQ(rig.st().pPary, r.nasycenie2s->p);
      EXPECT_EQ(rig.st().tPary, r.nasycenie2s->t);
    } else {
      EXPECT_EQ(r.p2, rig.st().pPary);
    }
    EXPECT_EQ(static_cast<double>(r.wlot.h) - r.izentropa->h, r.dhs);

    if (k.tryb == Koniec2::T2) {
      rig.Oblicz(0, Tekst9(r.p2), 1, Tekst9(static_cast<float>(k.wartosc)));
      ExpectBitEqual(*r.rzeczywisty, rig.st(), "2 from t2", rig.st().pPary);
      EXPECT_EQ(rig.st().sPary, r.rzeczywisty->s);
    } else {
      EXPECT_NEAR(k.wartosc, *r.eta, 1e-4);
      EXPECT_LE(r.rzeczywisty->h, r.wlot.h);
      EXPECT_GE(r.rzeczywisty->h, r.izentropa->h);
    }
    EXPECT_EQ(*r.eta, *r.dh / r.dhs);
  }
}

TEST(Rozprezanie, WetIsentropicEndLiesOnP2AndNamesTheFitsSaturation) {
  Evaluator ew(DomyslnaBaza());
  DaneRozprezania d{ew.P_T(10, 500).state, 2, Koniec2::Eta, 0, 0.85};
  Rozprezanie r = Rozpreznij(ew, d);
  ASSERT_TRUE(r.ok) << r.komunikat;
  EXPECT_EQ(0.002f, r.p2);
  EXPECT_EQ(r.p2, r.izentropa->p);
  EXPECT_LT(r.izentropa->x, 1.0f);
  // The pair takes the mixture at 17 C, the whole-degree saturation temperature of 2 kPa, whose own
  // saturation pressure is 2.355 kPa.
  ASSERT_TRUE(r.nasycenie2s);
  EXPECT_EQ(17.0f, r.nasycenie2s->t);
  EXPECT_EQ(r.izentropa->t, r.nasycenie2s->t);
  EXPECT_NEAR(0.0023546, r.nasycenie2s->p, 1e-7);
  EXPECT_EQ("2s liczone w temperaturze nasycenia 17,0 °C (jej ciśnienie nasycenia 2,355 kPa, nie p2)",
            Nasycenie2sTekst(*r.nasycenie2s, ','));
  EXPECT_FALSE(Rozpreznij(ew, {ew.P_T(10, 500).state, 2000, Koniec2::Brak, 0, 0}).nasycenie2s);  // superheated
  EXPECT_EQ("-32,8", LiczbaIS(-32.8, "# ##0.0", ','));
  EXPECT_EQ("-1 032,8", LiczbaIS(-1032.8, "# ##0.0", ','));
  EXPECT_EQ(" 32,8", LiczbaIS(32.8, "# ##0.0", ','));
  EXPECT_EQ(" x > 1 ", SuchoscTekst(1, ','));
  EXPECT_EQ(" x = 1 ", SuchoscTekst(1.004f, ','));
  EXPECT_EQ("0,87", SuchoscTekst(0.871f, ','));
}

TEST(Rozprezanie, InletInsideTheSaturationBandIsSteamAndAccepted) {
  Evaluator ew(DomyslnaBaza());
  const float ts = ew.P_T(1, 300).state.tNasPary;
  SteamState st = ew.P_T(1, ts * 1.003f).state;  // within 0.5 % of the saturation temperature
  ASSERT_EQ(Obszar::Pasmo, ObszarPT(st.tNasPary, st.tPary));
  Rozprezanie r = Rozpreznij(ew, {st, 10, Koniec2::Eta, 0, 0.8});
  EXPECT_TRUE(r.ok) << r.komunikat;
}

// A measured exhaust (t2 or h2) below the isentropic end: both models keep every number, say what is
// impossible and give no ok.
TEST(Rozprezanie, ImpossibleExpansionsKeepTheirNumbersAndSayWhy) {
  Evaluator ew(DomyslnaBaza());
  struct Przypadek {
    float p1, t1, kPa;
    Koniec2 tryb;
    double wartosc;         // t2 [C] or h2 [kJ/kg]
    const char* fragmenty;  // "s" s2 < s1, "h" dh <= 0, "e" eta > 1; "" a good expansion
  };
  const Przypadek kPrzypadki[] = {
      {0.35f, 565, 276, Koniec2::T2, 190, "se"},      // eta 814 %
      {21.86f, 408, 5.93f, Koniec2::T2, 175.5, "h"},  // h2 > h1, eta -2.95 %
      {1, 400, 100, Koniec2::T2, 100, "se"},          // eta 106 %
      {10, 500, 5, Koniec2::H2, 1950, "se"},          // below h2s
      {10, 500, 5, Koniec2::H2, 3400, "h"},           // above h1
      {10, 500, 2000, Koniec2::T2, 290, ""},         {10, 500, 5, Koniec2::H2, 2350, ""},
  };
  const char* const kOpisy[3][2] = {{"s", "(s2 < s1)"}, {"h", "(Δh ≤ 0)"}, {"e", "(ηi > 100 %)"}};
  for (const Przypadek& c : kPrzypadki) {
    SCOPED_TRACE(std::to_string(c.p1) + " MPa " + std::to_string(c.t1) + " C -> " + std::to_string(c.kPa) + " kPa, " +
                 std::to_string(c.wartosc));
    const bool zle = *c.fragmenty != 0;
    Rozprezanie r = Rozpreznij(ew, {ew.P_T(c.p1, c.t1).state, c.kPa, c.tryb, c.wartosc, 0, c.wartosc});
    RozprezanieIF97 g = RozpreznijIF97(c.p1, c.t1, c.kPa / 1000.0, c.tryb, c.wartosc, 0, c.wartosc);
    EXPECT_EQ(!zle, r.ok) << r.komunikat;
    EXPECT_EQ(zle, r.niefizyczne);
    EXPECT_EQ(!zle, g.ok) << g.blad;
    EXPECT_EQ(zle, g.niefizyczne);
    ASSERT_TRUE(r.rzeczywisty && r.eta && g.rzeczywisty && g.eta);
    for (const auto& o : kOpisy) {
      const bool ma = std::string(c.fragmenty).find(o[0]) != std::string::npos;
      EXPECT_EQ(ma, r.komunikat.find(o[1]) != std::string::npos) << o[1] << ": " << r.komunikat;
      EXPECT_EQ(ma, g.blad.find(o[1]) != std::string::npos) << o[1] << ": " << g.blad;
    }
  }
  // A given efficiency is physical by its own check, whatever the fits' rounding does at 1.
  EXPECT_TRUE(Rozpreznij(ew, {ew.P_T(10, 500).state, 5, Koniec2::Eta, 0, 1}).ok);
}

// IF97 refuses t2 on the water side in region 3 as in region 1; steam in region 3 it takes.
TEST(RozprezanieIF97, WaterSideOfRegionThreeRefused) {
  struct Przypadek {
    double p2, t2;  // MPa, C
    bool woda;
  };
  const Przypadek kPrzypadki[] = {{20, 360, true}, {23, 375, true}, {20, 300, true}, {20, 366.5, false}};
  for (const Przypadek& c : kPrzypadki) {
    RozprezanieIF97 g = RozpreznijIF97(25, 550, c.p2, Koniec2::T2, c.t2, 0);
    EXPECT_EQ(c.woda, g.blad.find("po stronie wody") != std::string::npos) << c.p2 << " " << c.t2 << ": " << g.blad;
    EXPECT_EQ(c.woda, !g.rzeczywisty) << c.p2 << " " << c.t2;
    if (!c.woda) {
      EXPECT_EQ(3, g.rzeczywisty->region);
    }
  }
}

TEST(Rozprezanie, Refusals) {
  Evaluator ew(DomyslnaBaza());
  const SteamState para = ew.P_T(1, 300).state;
  const SteamState woda = ew.P_T(1, 100).state;
  const double ts5 = ew.P_T(0.005f, 100).state.tNasPary;  // of 5 kPa
  struct Przypadek {
    const char* nazwa;
    std::optional<SteamState> wlot;
    float kPa;
    Koniec2 tryb;
    double t2, eta;
    const char* fragment;
  };
  const Przypadek kPrzypadki[] = {
      {"no inlet", std::nullopt, 5, Koniec2::Eta, 0, 0.8, "Brak stanu wlotowego"},
      {"water inlet", woda, 5, Koniec2::Eta, 0, 0.8, "to woda"},
      {"p2 = p1", para, 1000, Koniec2::Eta, 0, 0.8, "mniejsze od ciśnienia na wlocie"},
      {"p2 > p1", para, 1500, Koniec2::Eta, 0, 0.8, "mniejsze od ciśnienia na wlocie"},
      {"p2 < 2 kPa", para, 1.9f, Koniec2::Eta, 0, 0.8, "poniżej 2 kPa"},
      {"p2 NaN", para, NAN, Koniec2::Eta, 0, 0.8, "Niewłaściwe ciśnienie"},
      {"eta 0", para, 5, Koniec2::Eta, 0, 0, "(0, 100]"},
      {"eta > 1", para, 5, Koniec2::Eta, 0, 1.01, "(0, 100]"},
      {"eta < 0", para, 5, Koniec2::Eta, 0, -0.5, "(0, 100]"},
      {"t2 = t1", para, 500, Koniec2::T2, 300, 0, "niższa od temperatury na wlocie"},
      {"t2 wet", para, 5, Koniec2::T2, ts5 * 1.002, 0, "nie jest przegrzana"},
      {"t2 water", para, 5, Koniec2::T2, 20, 0, "nie jest przegrzana"},
      {"t2 refused by the solver", para, 500, Koniec2::T2, -5, 0, "Niewłaściwa temp.pary"},
  };
  for (const Przypadek& c : kPrzypadki) {
    Rozprezanie r = Rozpreznij(ew, {c.wlot, c.kPa, c.tryb, c.t2, c.eta});
    EXPECT_FALSE(r.ok) << c.nazwa;
    EXPECT_NE(std::string::npos, r.komunikat.find(c.fragment)) << c.nazwa << ": " << r.komunikat;
    EXPECT_FALSE(r.rzeczywisty) << c.nazwa;
  }
}

}  // namespace
}  // namespace kal::test
