#include "mollier/rozprezanie_if97.h"

#include <cmath>

namespace kal {

namespace {

std::string Powod(const char* punkt, const if97::Result& r) {
  return std::string("IF97, punkt ") + punkt + ": " + r.reason;
}

}  // namespace

RozprezanieIF97 RozpreznijIF97(double p1, double t1, double p2, Koniec2 tryb, double t2, double eta, double h2) {
  RozprezanieIF97 e;
  const if97::Result w = if97::FromPT(p1, t1);
  if (!w.ok()) {
    e.blad = Powod("1", w);
    return e;
  }
  e.wlot = w;
  if (!(p2 < p1)) {
    e.blad = "IF97: ciśnienie wylotowe nie jest niższe od wlotowego";
    return e;
  }
  const if97::Result s2 = if97::FromPS(p2, w.s);
  if (!s2.ok()) {
    e.blad = Powod("2s", s2);
    return e;
  }
  e.izentropa = s2;
  e.dhs = w.h - s2.h;
  if (tryb == Koniec2::Brak) {
    e.ok = true;
    return e;
  }
  if97::Result r2;
  if (tryb == Koniec2::T2) {
    if (!(t2 < t1)) {
      e.blad = "IF97: temperatura wylotowa nie jest niższa od wlotowej";
      return e;
    }
    r2 = if97::FromPT(p2, t2);
    // As the fits refuse it: a temperature alone does not fix a state on the water side, in
    // region 1 or in region 3 denser than the critical point (liquid below it, liquid-like above).
    if (r2.ok() && (r2.region == 1 || (r2.region == 3 && r2.v < 1 / if97::kRhoc))) {
      e.blad = "IF97: temperatura t2 leży po stronie wody, nie wyznacza stanu pary";
      return e;
    }
  } else if (tryb == Koniec2::H2) {
    r2 = if97::FromPH(p2, h2);
  } else {
    if (!(eta > 0 && eta <= 1)) {
      e.blad = "IF97: sprawność poza przedziałem (0, 1]";
      return e;
    }
    r2 = if97::FromPH(p2, w.h - eta * *e.dhs);
  }
  if (!r2.ok()) {
    e.blad = Powod("2", r2);
    return e;
  }
  e.rzeczywisty = r2;
  e.dh = w.h - r2.h;
  e.eta = *e.dh / *e.dhs;
  if (tryb != Koniec2::Eta) {
    const std::string why = Niefizyczne(w.s, r2.s, *e.dh, *e.eta);
    e.niefizyczne = !why.empty();
    if (e.niefizyczne) e.blad = "IF97: " + why;
  }
  e.ok = !e.niefizyczne;
  return e;
}

std::vector<Linia> NasycenieIF97(const Okno& okno) {
  // ln p evenly up to 20 MPa, then closing in on the critical point, where the line turns sharply.
  constexpr int kN = 400, kM = 120;
  constexpr double kP0 = 0.002, kP1 = 20;
  std::vector<double> ps;
  for (int i = 0; i <= kN; ++i) ps.push_back(kP0 * std::exp(std::log(kP1 / kP0) * i / kN));
  for (int i = 1; i <= kM; ++i) {
    const double q = 1.0 - static_cast<double>(i) / kM;
    ps.push_back(if97::kPc - (if97::kPc - kP1) * q * q * q);
  }
  std::vector<Linia> linie;
  for (int strona = 0; strona < 2; ++strona) {
    Linia l;
    l.rodzaj = strona ? RodzajLinii::Nasycenie : RodzajLinii::Woda;
    l.wartosc = strona;
    // A run holds the points inside the view and one on each side of it, so it reaches the edge.
    std::vector<PunktLinii> run;
    bool poprzedniWidoczny = false;
    std::optional<PunktLinii> poprzedni;
    auto zamknij = [&] {
      if (run.size() >= 2) l.odcinki.push_back(std::move(run));
      run.clear();
    };
    for (double p : ps) {
      const if97::Result r = if97::FromXP(strona, p);
      if (!r.ok() || !std::isfinite(r.s) || !std::isfinite(r.h)) {
        zamknij();
        poprzedni.reset();
        poprzedniWidoczny = false;
        continue;
      }
      PunktLinii q;
      q.s = r.s;
      q.h = r.h;
      q.u = p;
      q.p = static_cast<float>(p);
      q.t = static_cast<float>(r.t);
      q.x = static_cast<float>(strona);
      const bool widoczny = okno.Zawiera(q.s, q.h);
      if (widoczny && run.empty() && poprzedni) run.push_back(*poprzedni);
      if (widoczny || poprzedniWidoczny) run.push_back(q);
      if (!widoczny && poprzedniWidoczny) zamknij();
      poprzedni = q;
      poprzedniWidoczny = widoczny;
    }
    zamknij();
    linie.push_back(std::move(l));
  }
  return linie;
}

}  // namespace kal
