// The chart's lines: where they are drawn, and that they are the calculator's own equations.
#include <gtest/gtest.h>

#include <cmath>

#include "mollier/rozprezanie.h"
#include "mollier/wykres.h"
#include "mollier_fixture.h"

namespace kal::test {
namespace {

const Wykres& Domyslny() {
  static const Wykres w = [] {
    Evaluator ew(DomyslnaBaza());
    return ObliczWykres(ew);
  }();
  return w;
}

// Distance in pixels of the whole chart at 1600 x 1000 from (s, h) to the nearest segment.
double OdLinii(const Linia& l, const Okno& o, double s, double h) {
  const double kx = 1600 / (o.sMax - o.sMin), ky = 1000 / (o.hMax - o.hMin);
  double best = 1e9;
  for (const auto& odc : l.odcinki) {
    for (std::size_t i = 1; i < odc.size(); ++i) {
      const double ax = odc[i - 1].s * kx, ay = odc[i - 1].h * ky, bx = odc[i].s * kx, by = odc[i].h * ky;
      const double px = s * kx, py = h * ky, dx = bx - ax, dy = by - ay;
      const double len2 = dx * dx + dy * dy;
      double u = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
      u = std::clamp(u, 0.0, 1.0);
      best = std::min(best, std::hypot(px - ax - u * dx, py - ay - u * dy));
    }
  }
  return best;
}

const Linia* Znajdz(RodzajLinii r, double v) {
  for (const Linia& l : Domyslny().linie)
    if (l.rodzaj == r && l.wartosc == v) return &l;
  return nullptr;
}

TEST(Wykres, EveryLineIsThereFiniteAndInsideTheView) {
  const Wykres& w = Domyslny();
  EXPECT_EQ(2u + kSuchosci.size() + kIzobary.size() + 11u, w.linie.size());
  int widoczne = 0;
  for (const Linia& l : w.linie) {
    widoczne += !l.odcinki.empty();
    for (const auto& odc : l.odcinki) {
      EXPECT_GE(odc.size(), 2u);
      for (const PunktLinii& p : odc) {
        ASSERT_TRUE(std::isfinite(p.s) && std::isfinite(p.h));
        ASSERT_TRUE(w.okno.Zawiera(p.s, p.h)) << p.s << " " << p.h;
      }
    }
  }
  // x = 0 stays left of s = 5.5; the 0.002 MPa isobar and the 100 C isotherm cross the view.
  EXPECT_EQ(static_cast<int>(w.linie.size()) - 1, widoczne);
  EXPECT_TRUE(Znajdz(RodzajLinii::Woda, 0)->odcinki.empty());
}

TEST(Wykres, PointsRecomputedByThePairsLieOnTheirLines) {
  Evaluator ew(DomyslnaBaza());
  long sprawdzone = 0;
  for (const Linia& l : Domyslny().linie) {
    for (const auto& odc : l.odcinki) {
      for (std::size_t i = 0; i < odc.size(); i += 7) {
        const PunktLinii& p = odc[i];
        if (l.rodzaj == RodzajLinii::Izoterma || (l.rodzaj == RodzajLinii::Izobara && p.x >= 1)) {
          EvalResult r = ew.P_T(p.p, p.t);
          ASSERT_TRUE(r.ok);
          EXPECT_EQ(r.state.sPary, static_cast<float>(p.s));
          EXPECT_EQ(r.state.hPary, static_cast<float>(p.h));
        } else if (p.p > 0) {  // wet part of an isobar: the pressure-entropy pair finds its dryness
          EvalResult r = ew.P_S(p.p, static_cast<float>(p.s));
          ASSERT_TRUE(r.ok) << r.message;
          EXPECT_NEAR(p.x, r.state.xPary, 1e-3);
          EXPECT_NEAR(p.h, r.state.hPary, 1.0);
        } else {  // saturation and dryness lines: the mixture at a saturation temperature
          ModKalorimo& m = ew.lib();
          m.Nasycenie(p.u);
          m.Mieszanina(l.wartosc);
          EXPECT_EQ(m.st.sx, static_cast<float>(p.s));
          EXPECT_EQ(m.st.hx, static_cast<float>(p.h));
        }
        ++sprawdzone;
      }
    }
  }
  EXPECT_GT(sprawdzone, 300);
}

TEST(Wykres, SuperheatedIsobarsRiseInEnthalpyWithEntropy) {
  Evaluator ew(DomyslnaBaza());
  for (const Linia& l : Domyslny().linie) {
    if (l.rodzaj != RodzajLinii::Izobara) continue;
    ASSERT_FALSE(l.odcinki.empty());
    EXPECT_GT(l.odcinki.back().back().s, l.odcinki.back().front().s) << l.wartosc;
    for (const auto& odc : l.odcinki) {
      for (std::size_t i = 1; i < odc.size(); ++i) {
        const float ts = static_cast<float>(ew.lib().Tnas(l.wartosc));
        if (ObszarPT(ts, odc[i - 1].t) != Obszar::Przegrzana || ObszarPT(ts, odc[i].t) != Obszar::Przegrzana) continue;
        // A point where the line leaves the view sits at a fraction of a degree, on a step of
        // the whole-kelvin entropy.
        auto brzeg = [](const PunktLinii& p) { return std::fabs(p.t - std::round(p.t)) > 1e-3 && p.t < kTMax; };
        if (brzeg(odc[i - 1]) || brzeg(odc[i])) continue;
        EXPECT_GE(odc[i].s, odc[i - 1].s) << l.wartosc << " MPa at " << odc[i].t;
        EXPECT_GT(odc[i].h, odc[i - 1].h) << l.wartosc << " MPa at " << odc[i].t;
      }
    }
  }
}

TEST(Wykres, InletPointLiesOnItsIsobarAndIsotherm) {
  Evaluator ew(DomyslnaBaza());
  const Okno o;
  struct Wlot {
    double p, t;
  };
  for (Wlot w : {Wlot{10, 500}, Wlot{1, 300}, Wlot{0.1, 150}, Wlot{5, 400}}) {
    SteamState st = ew.P_T(static_cast<float>(w.p), static_cast<float>(w.t)).state;
    EXPECT_LT(OdLinii(*Znajdz(RodzajLinii::Izobara, w.p), o, st.sPary, st.hPary), 0.5) << w.p << " " << w.t;
    EXPECT_LT(OdLinii(*Znajdz(RodzajLinii::Izoterma, w.t), o, st.sPary, st.hPary), 0.5) << w.p << " " << w.t;
    // The expansion's own isobar through an inlet off the chart's pressures.
    SteamState s2 = ew.P_T(7.3f, static_cast<float>(w.t)).state;
    if (s2.xPary == 1) {
      EXPECT_LT(OdLinii(Izobara(ew, 7.3f), o, s2.sPary, s2.hPary), 0.5);
    }
  }
}

TEST(Wykres, Labels) {
  struct Przypadek {
    RodzajLinii r;
    double v;
    float kod;
    char sep;
    const char* tekst;
  };
  const Przypadek kEtykiety[] = {
      {RodzajLinii::Izobara, 10, 1, ',', "10 MPa"},      {RodzajLinii::Izobara, 0.005, 1, ',', "0,005 MPa"},
      {RodzajLinii::Izobara, 10, 2, ',', "100 bar"},     {RodzajLinii::Izobara, 0.005, 3, '.', "5 kPa"},
      {RodzajLinii::Izobara, 0.05, 2, '.', "0.5 bar"},   {RodzajLinii::Izoterma, 500, 1, ',', "500 °C"},
      {RodzajLinii::Suchosc, 0.9, 1, ',', "x = 0,90"},   {RodzajLinii::Nasycenie, 1, 1, ',', "x = 1"},
      {RodzajLinii::Izobara, 0.002, 2, ',', "0,02 bar"}, {RodzajLinii::Izobara, 0.002, 0, ',', "0,002 MPa"},
  };
  for (const Przypadek& c : kEtykiety) EXPECT_EQ(c.tekst, Etykieta({c.r, c.v, {}}, c.kod, c.sep));
}

TEST(Wykres, ComputedAgainOnlyWhenTheRecordChanges) {
  WykresyBazy wykresy;
  Baza b = DomyslnaBaza();
  const Wykres* pierwszy = &wykresy.Daj(b);
  EXPECT_EQ(pierwszy, &wykresy.Daj(b));
  EXPECT_EQ(1, wykresy.obliczenia);
  b.Tab3[1] *= 1.001;  // an edited coefficient
  wykresy.Daj(b);
  EXPECT_EQ(2, wykresy.obliczenia);
}

}  // namespace
}  // namespace kal::test
