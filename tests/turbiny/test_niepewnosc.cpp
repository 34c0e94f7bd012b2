// The efficiency's uncertainty: one section worked by hand, the ambient pressure of gauge points,
// and the difference against the baseline.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/if97.h"
#include "turbina_rig.h"
#include "turbiny/obliczenia.h"

namespace kal::test {
namespace {

using turbiny::Budzet;
using turbiny::Dokument;
using turbiny::RodzajKampanii;

// HP section: 12.74 MPa, 535.1 C -> 29.0 bar, 325 C; U_p 0.25 %, U_t 1 K, random parts of an import.
Dokument SekcjaWP(bool gauge1 = false, bool gauge2 = false) {
  Dokument d;
  d.turbina.punkty = {NowyPunkt("PS", "MPa", gauge1), NowyPunkt("WYL", "bar", gauge2)};
  d.turbina.odcinki = {NowyOdcinek("WP", "PS", "WYL")};
  d.kampanie = {NowaKampania("k", "2025-10-14T10:00")};
  turbiny::Kampania& k = d.kampanie[0];
  k.otoczenieKPa = 99.2;
  k.U_otoczenieKPa = 0.1;
  k.u_otoczenieRandom = 0.02;
  k.odczyty["PS"] = PT(12.74, 535.1);
  k.odczyty["PS"].u_p_random = 0.004;
  k.odczyty["PS"].u_t_random = 0.06;
  k.odczyty["WYL"] = PT(29.0, 325);
  k.odczyty["WYL"].u_p_random = 0.01;
  k.odczyty["WYL"].u_t_random = 0.05;
  return d;
}

Budzet BudzetWP(const Dokument& d) {
  const turbiny::WynikOdcinka o = turbiny::ObliczKampanie(d, 0).odcinki.at(0);
  EXPECT_TRUE(o.ok && o.budzet && o.budzet->ok) << o.komunikat;
  return o.budzet.value_or(Budzet{});
}

const turbiny::SkladnikBudzetu* Wejscie(const Budzet& b, const std::string& nazwa) {
  for (const turbiny::SkladnikBudzetu& s : b.skladniki)
    if (s.wejscie == nazwa) return &s;
  return nullptr;
}

TEST(Niepewnosc, OneSectionWorkedByHand) {
  // u(X)² = (U/2)² + u_random²; U_p 0.25 % of the reading; the exhaust's bar made MPa.
  const double uP1 = std::sqrt(std::pow(12.74 * 0.0025 / 2, 2) + 0.004 * 0.004);     // 0.0164197 MPa
  const double uT1 = std::sqrt(0.25 + 0.06 * 0.06);                                  // 0.503587 K
  const double uP2 = 0.1 * std::sqrt(std::pow(29.0 * 0.0025 / 2, 2) + 0.01 * 0.01);  // 0.00376040 MPa
  const double uT2 = std::sqrt(0.25 + 0.05 * 0.05);                                  // 0.502494 K

  // The sensitivities from the thermodynamic identities, dh = T ds along an isobar:
  //   c_t2 = -cp2 / Δhs
  //   c_p2 = (-(∂h/∂p)_T,2 + η v2s) / Δhs
  //   c_t1 = cp1 (1 - η (1 - T2s / T1)) / Δhs
  //   c_p1 = ((∂h/∂p)_T,1 (1 - η) + η T2s (∂s/∂p)_T,1) / Δhs
  // with IF97's properties (wide differences of its own, not the workbench's steps).
  const double p1 = 12.74, t1 = 535.1, p2 = 2.9, t2 = 325;
  const if97::Result w1 = if97::FromPT(p1, t1), w2s = if97::FromPS(p2, w1.s), w2 = if97::FromPT(p2, t2);
  const double dhs = w1.h - w2s.h, eta = (w1.h - w2.h) / dhs;
  auto cp = [](double p, double t) { return (if97::FromPT(p, t + 0.5).h - if97::FromPT(p, t - 0.5).h) / 1.0; };
  auto dhdp = [](double p, double t) {
    return (if97::FromPT(p * 1.001, t).h - if97::FromPT(p * 0.999, t).h) / (0.002 * p);
  };
  auto dsdp = [](double p, double t) {
    return (if97::FromPT(p * 1.001, t).s - if97::FromPT(p * 0.999, t).s) / (0.002 * p);
  };
  const double T1 = t1 + 273.15, T2s = w2s.t + 273.15;
  const double cT2 = -cp(p2, t2) / dhs;
  const double cP2 = (-dhdp(p2, t2) + eta * w2s.v * 1000) / dhs;
  const double cT1 = cp(p1, t1) * (1 - eta * (1 - T2s / T1)) / dhs;
  const double cP1 = (dhdp(p1, t1) * (1 - eta) + eta * T2s * dsdp(p1, t1)) / dhs;

  const Budzet b = BudzetWP(SekcjaWP());
  struct Reka {
    const char* wejscie;
    double c, u;
  };
  const Reka kReka[] = {{"PS.p", cP1, uP1}, {"PS.t", cT1, uT1}, {"WYL.p", cP2, uP2}, {"WYL.t", cT2, uT2}};
  double uc2 = 0;
  for (const Reka& r : kReka) uc2 += r.c * r.c * r.u * r.u;
  ASSERT_EQ(4u, b.skladniki.size());  // no ambient: neither point is gauge
  std::string dominujace;
  double najwiekszy = 0;
  for (const Reka& r : kReka) {
    const turbiny::SkladnikBudzetu* s = Wejscie(b, r.wejscie);
    ASSERT_TRUE(s) << r.wejscie;
    EXPECT_NEAR(r.u, s->u, 1e-9 * r.u) << r.wejscie;
    EXPECT_NEAR(r.c, s->c, 0.01 * std::fabs(r.c)) << r.wejscie;
    const double udzial = r.c * r.c * r.u * r.u / uc2;
    EXPECT_NEAR(udzial, s->udzial, 0.01 * udzial + 1e-4) << r.wejscie;
    if (udzial > najwiekszy) najwiekszy = udzial, dominujace = r.wejscie;
  }
  EXPECT_NEAR(2 * std::sqrt(uc2), b.U95, 0.01 * b.U95);
  EXPECT_EQ(dominujace, b.dominujace);
}

// The ambient pressure is one input moving every gauge pressure of the section together: its
// sensitivity is the sum of theirs (per kPa).
TEST(Niepewnosc, AmbientMovesTheGaugePressuresTogether) {
  const Budzet abs = BudzetWP(SekcjaWP());
  const double cP1 = Wejscie(abs, "PS.p")->c, cP2 = Wejscie(abs, "WYL.p")->c;
  struct Przypadek {
    bool gauge1, gauge2;
    double c;  // expected d eta / d p_amb [1/kPa]
  };
  const Przypadek kPrzypadki[] = {
      {true, false, cP1 / 1000}, {false, true, cP2 / 1000}, {true, true, (cP1 + cP2) / 1000}};
  for (const Przypadek& c : kPrzypadki) {
    Dokument d = SekcjaWP(c.gauge1, c.gauge2);
    // The same absolute pressures, read as gauge.
    if (c.gauge1) *d.kampanie[0].odczyty["PS"].p -= 0.0992;
    if (c.gauge2) *d.kampanie[0].odczyty["WYL"].p -= 0.992;
    const Budzet b = BudzetWP(d);
    const turbiny::SkladnikBudzetu* a = Wejscie(b, "ambient");
    ASSERT_TRUE(a) << c.gauge1 << c.gauge2;
    EXPECT_NEAR(c.c, a->c, 0.01 * std::fabs(c.c)) << c.gauge1 << c.gauge2;
    EXPECT_NEAR(std::sqrt(0.05 * 0.05 + 0.02 * 0.02), a->u, 1e-12);
    EXPECT_NEAR(0.02, a->uLosowe, 1e-15);
  }
}

// Against the baseline: only the random parts when both tests have them, else the whole
// uncertainties (said so); significant when |Δ| > 2 u_Δ.
TEST(Niepewnosc, DifferenceToTheBaseline) {
  struct Przypadek {
    bool losoweBaza, losowe;
    bool zachowawczo;
  };
  const Przypadek kPrzypadki[] = {{true, true, false}, {false, true, true}, {true, false, true}};
  for (const Przypadek& c : kPrzypadki) {
    Dokument d = SekcjaWP();
    d.kampanie[0].rodzaj = RodzajKampanii::Odbiorcze;
    d.kampanie.push_back(d.kampanie[0]);
    d.kampanie[1].id = "k2";
    d.kampanie[1].data = "2026-03-01T09:00";
    d.kampanie[1].rodzaj = RodzajKampanii::Okresowe;
    *d.kampanie[1].odczyty["WYL"].t += 0.3;
    for (std::size_t i = 0; i < 2; ++i) {
      if ((i == 0 ? c.losoweBaza : c.losowe)) continue;
      for (auto& [id, o] : d.kampanie[i].odczyty) o.u_p_random = o.u_t_random = std::nullopt;
      d.kampanie[i].u_otoczenieRandom.reset();
    }
    const std::vector<turbiny::WynikKampanii> v = turbiny::ObliczWszystkie(d);
    const turbiny::WynikOdcinka &a = v[1].odcinki[0], &b = v[0].odcinki[0];
    ASSERT_TRUE(a.U95dEtaBaza && a.istotne && a.dEtaBaza);
    double u2 = 0;
    if (c.zachowawczo) {
      u2 = a.budzet->uc * a.budzet->uc + b.budzet->uc * b.budzet->uc;
    } else {
      for (const Budzet* z : {&*a.budzet, &*b.budzet})
        for (const turbiny::SkladnikBudzetu& s : z->skladniki) u2 += s.c * s.c * s.uLosowe * s.uLosowe;
    }
    EXPECT_NEAR(2 * std::sqrt(u2), *a.U95dEtaBaza, 1e-12) << c.losoweBaza << c.losowe;
    EXPECT_EQ(c.zachowawczo, a.zachowawczo);
    EXPECT_EQ(c.zachowawczo,
              v[1].komunikaty.size() == 1 && v[1].komunikaty[0].find("zachowawczo") != std::string::npos);
    EXPECT_EQ(std::fabs(a.dEtaBaza->fits) > *a.U95dEtaBaza, a.istotne->first);
    EXPECT_EQ(std::fabs(a.dEtaBaza->if97) > *a.U95dEtaBaza, a.istotne->second);
    // 0.3 K hotter: seen with the random parts only, lost in the whole uncertainties.
    EXPECT_EQ(!c.zachowawczo, a.istotne->second) << c.losoweBaza << c.losowe;
  }
}

// The moved isentropic ends start from the unmoved one; where a move crosses the saturation line
// they must still be the states FromPS gives. The reference: central differences on plain calls.
TEST(Niepewnosc, MovedEndsAsFromPS) {
  using turbiny::DaneOdcinka;
  auto eta = [](const DaneOdcinka& d) {
    const if97::Result w1 = if97::FromPT(d.p1, d.t1);
    const double h2 = d.tryb == Koniec2::H2 ? d.h2 : if97::FromPT(d.p2, d.t2).h;
    return (w1.h - h2) / (w1.h - if97::FromPS(d.p2, w1.s).h);
  };
  const double sv = if97::FromXP(1, 0.5).s;  // saturated steam at 0.5 MPa
  auto t1Dla = [](double s) { return if97::FromPS(3.0, s).t; };
  struct Przypadek {
    const char* co;
    double p1, t1, p2, t2, h2;
    bool gauge2;
  };
  const Przypadek przypadki[] = {
      {"steam end, the exhaust gauge", 12.74, 535.1, 2.9, 325, 0, true},
      {"steam end 3 mK above saturation", 3.0, t1Dla(sv + 1.5e-5), 0.5, 175, 0, false},
      {"wet end 3 mK of entropy below saturated steam", 3.0, t1Dla(sv - 1.5e-5), 0.5, 0, 2700, false},
      {"wet end", 0.25, 240, 0.0056, 0, 2345, false},
  };
  for (const Przypadek& c : przypadki) {
    DaneOdcinka d;
    d.p1 = c.p1;
    d.t1 = c.t1;
    d.p2 = c.p2;
    d.tryb = c.h2 > 0 ? Koniec2::H2 : Koniec2::T2;
    d.t2 = c.t2;
    d.h2 = c.h2;
    d.wylotNadcisnienie = c.gauge2;
    d.p1u.u = d.t1u.u = d.p2u.u = d.koniec2u.u = d.otoczenie.u = 1;
    const Budzet b = turbiny::BudzetEta(d);
    ASSERT_TRUE(b.ok) << c.co << ": " << b.blad;
    // The ambient moves the gauge exhaust by 0.01 kPa, its c is per kPa.
    const double kroki[] = {1e-4 * d.p1, 0.01, 1e-4 * d.p2, 0.01, 1e-5};
    for (std::size_t i = 0; i < b.skladniki.size(); ++i) {
      DaneOdcinka g = d, l = d;
      double* x[][2] = {{&g.p1, &l.p1}, {&g.t1, &l.t1}, {&g.p2, &l.p2}, {&g.t2, &l.t2}, {&g.p2, &l.p2}};
      if (i == 3 && d.tryb == Koniec2::H2) x[3][0] = &g.h2, x[3][1] = &l.h2;
      const double krok = kroki[i];
      *x[i][0] += krok;
      *x[i][1] -= krok;
      const double c_ref = (eta(g) - eta(l)) / (2 * (i == 4 ? 0.01 : krok));
      EXPECT_NEAR(b.skladniki[i].c, c_ref, 1e-8 * std::fabs(c_ref)) << c.co << ", " << b.skladniki[i].wejscie;
    }
  }
}

}  // namespace
}  // namespace kal::test
