// The expansion of a turbine section against the calculator's own pairs run in the window.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

#include "../app/app_fixture.h"
#include "mollier/rozprezanie.h"
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

void ExpectBitEqual(const Punkt& a, const SteamState& st, const char* what) {
  EXPECT_EQ(a.p, st.pPary) << what;
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
    ExpectBitEqual(*r.izentropa, rig.st(), "2s");
    EXPECT_EQ(static_cast<double>(r.wlot.h) - r.izentropa->h, r.dhs);

    if (k.tryb == Koniec2::T2) {
      rig.Oblicz(0, Tekst9(r.p2), 1, Tekst9(static_cast<float>(k.wartosc)));
      ExpectBitEqual(*r.rzeczywisty, rig.st(), "2 from t2");
      EXPECT_EQ(rig.st().sPary, r.rzeczywisty->s);
    } else {
      EXPECT_NEAR(k.wartosc, *r.eta, 1e-4);
      EXPECT_LE(r.rzeczywisty->h, r.wlot.h);
      EXPECT_GE(r.rzeczywisty->h, r.izentropa->h);
    }
    EXPECT_EQ(*r.eta, *r.dh / r.dhs);
  }
}

TEST(Rozprezanie, ExhaustInTheWetRegionIsAtTheSolversSaturationPressure) {
  Evaluator ew(DomyslnaBaza());
  DaneRozprezania d{ew.P_T(1, 300).state, 5, Koniec2::Eta, 0, 0.85};
  Rozprezanie r = Rozpreznij(ew, d);
  ASSERT_TRUE(r.ok) << r.komunikat;
  EXPECT_EQ(0.005f, r.p2);
  EXPECT_NE(r.p2, r.izentropa->p);  // the whole-degree saturation temperature's pressure
  EXPECT_NEAR(0.0050071, r.izentropa->p, 2e-6);
  EXPECT_LT(r.izentropa->x, 1.0f);
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
