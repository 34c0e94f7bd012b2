#include "turbiny/niepewnosc.h"

#include <cmath>

#include "if97/if97.h"

namespace kal::turbiny {

double UStandardowa(double Uinstrument, double uLosowe) {
  return std::sqrt(Uinstrument * Uinstrument / 4 + uLosowe * uLosowe);
}

namespace {

// Steps of the central differences.
constexpr double kKrokP = 1e-4;          // relative, of p
constexpr double kKrokT = 0.01;          // K
constexpr double kKrokH = 0.01;          // kJ/kg
constexpr double kKrokOtoczenia = 0.01;  // kPa

enum class Ktore { P1, T1, P2, Koniec2, Otoczenie };

// The numbers an expansion takes, without the inputs' names.
struct Liczby {
  double p1, t1, p2, t2, h2;
};

Liczby Przesun(const DaneOdcinka& d, Ktore k, double o) {
  Liczby e{d.p1, d.t1, d.p2, d.t2, d.h2};
  switch (k) {
    case Ktore::P1:
      e.p1 += o;
      break;
    case Ktore::T1:
      e.t1 += o;
      break;
    case Ktore::P2:
      e.p2 += o;
      break;
    case Ktore::Koniec2:
      (d.tryb == Koniec2::H2 ? e.h2 : e.t2) += o;
      break;
    case Ktore::Otoczenie:
      if (d.wlotNadcisnienie) e.p1 += o / 1000;
      if (d.wylotNadcisnienie) e.p2 += o / 1000;
      break;
  }
  return e;
}

// Passes of the warm-started isentropic end; it settles in one or two.
constexpr int kPrzebiegi = 8;
// kJ/kg: what is left of the isentropic end's step at constant p once T |s(p, T) - s| is below this is
// taken as dh = T ds; the part left out, (T ds)^2 / (2 T cp), lies below the rounding of h.
constexpr double kReszta = 1e-5;

// h and s at (p MPa, t C) as FromPT computes them, without the rest of its result.
bool StanPT(double p, double t, int* obszar, if97::Properties* q) {
  const double T = t + if97::kT0;
  *obszar = if97::RegionPT(p, T);
  return if97::PropertiesIn(*obszar, p, T, q);
}

// The IF97 expansion of the section moved by one input: the states that input does not touch
// are taken from the unmoved expansion, the others computed as the expansion computes them. A
// moved isentropic end in steam lies a small step from the unmoved one and is found from it.
class Rozprezania {
 public:
  Rozprezania(const DaneOdcinka& d, const RozprezanieIF97* gotowe) : d_(d) {
    if (gotowe && gotowe->wlot && gotowe->izentropa) {
      h1_ = gotowe->wlot->h;
      s1_ = gotowe->wlot->s;
      w2s_ = *gotowe->izentropa;
      ok_ = true;
    } else {
      const if97::Result w1 = if97::FromPT(d.p1, d.t1);
      if (w1.ok()) w2s_ = if97::FromPS(d.p2, w1.s);
      h1_ = w1.h;
      s1_ = w1.s;
      ok_ = w1.ok() && w2s_.ok();
    }
    if (!ok_) return;
    if (d.tryb == Koniec2::T2 && gotowe && gotowe->rzeczywisty)
      h2_ = gotowe->rzeczywisty->h;
    else
      h2_ = Koniec(d.tryb, {d.p1, d.t1, d.p2, d.t2, d.h2});
    T2s_ = w2s_.t + if97::kT0;
    para_ = w2s_.region == 2 && if97::RegionPT(d.p2, T2s_) == 2 && if97::PropertiesIn(2, d.p2, T2s_, &q2s_);
    // A wet end well below the top of region 4's low branch: at p2 h is linear in s between the
    // saturated liquid (as FromPS takes it) and the unmoved end.
    if (w2s_.region == 4 && w2s_.x > 1e-6 && w2s_.x < 1 - 1e-6 && d.p2 < 16.0) {
      ciecz_ = if97::FromXP(0, d.p2);
      mokry_ = ciecz_.ok() && w2s_.s > ciecz_.s;
    }
  }

  std::optional<double> Eta(Ktore k, double o) const {
    if (!ok_ || !h2_) return std::nullopt;
    const Liczby e = Przesun(d_, k, o);
    const bool wlot = e.p1 != d_.p1 || e.t1 != d_.t1, p2 = e.p2 != d_.p2;
    double h1 = h1_, s1 = s1_;
    if (wlot) {
      int obszar = 0;
      if97::Properties q;
      if (!StanPT(e.p1, e.t1, &obszar, &q)) return std::nullopt;
      h1 = q.h;
      s1 = q.s;
    }
    double h2s = w2s_.h;
    if (wlot || p2) {
      std::optional<double> h = para_ ? H2sPary(e.p2, s1) : mokry_ && !p2 ? H2sMokry(s1) : std::nullopt;
      if (!h) {
        const if97::Result w2s = if97::FromPS(e.p2, s1);
        if (!w2s.ok()) return std::nullopt;
        h = w2s.h;
      }
      h2s = *h;
    }
    const std::optional<double> h2 = p2 || e.t2 != d_.t2 || e.h2 != d_.h2 ? Koniec(d_.tryb, e) : h2_;
    const double dhs = h1 - h2s;
    if (!h2 || !(dhs > 0)) return std::nullopt;
    const double eta = (h1 - *h2) / dhs;
    if (!std::isfinite(eta)) return std::nullopt;
    return eta;
  }

 private:
  // The actual end's enthalpy; a temperature on the water side fixes no steam state.
  static std::optional<double> Koniec(Koniec2 tryb, const Liczby& e) {
    if (tryb == Koniec2::H2) return e.h2;
    int obszar = 0;
    if97::Properties q;
    if (!StanPT(e.p2, e.t2, &obszar, &q) || obszar == 1) return std::nullopt;
    return q.h;
  }

  // h of the isentropic end at (p, s) in steam: Newton on s(p, T) = s from the unmoved end, its
  // first step from the unmoved state carried to p by (ds/dp)_T = -(dv/dT)_p. nullopt where the
  // end leaves region 2 or does not settle: FromPS then.
  std::optional<double> H2sPary(double p, double s) const {
    double T = T2s_, sT = q2s_.s - 1000.0 * q2s_.dvdt * (p - d_.p2), cp = q2s_.cp;
    for (int k = 0; k < kPrzebiegi; ++k) {
      T -= (sT - s) * T / cp;
      if97::Properties q;
      if (if97::RegionPT(p, T) != 2 || !if97::PropertiesIn(2, p, T, &q)) return std::nullopt;
      const double reszta = T * (s - q.s);
      if (std::fabs(reszta) <= kReszta) {
        // The root itself must lie in region 2, clear of its boundaries.
        const double Tk = T + reszta / q.cp;
        if (if97::RegionPT(p, Tk * (1 - 1e-9)) != 2 || if97::RegionPT(p, Tk * (1 + 1e-9)) != 2) return std::nullopt;
        return q.h + reszta;
      }
      sT = q.s;
      cp = q.cp;
    }
    return std::nullopt;
  }

  // h of the isentropic end at the unmoved p2 and entropy s, the end wet: nullopt outside (0, 1).
  std::optional<double> H2sMokry(double s) const {
    const double k = (w2s_.h - ciecz_.h) / (w2s_.s - ciecz_.s);  // dh/ds at p2, the saturation temperature
    const double x = w2s_.x * (s - ciecz_.s) / (w2s_.s - ciecz_.s);
    if (!(x > 1e-6 && x < 1 - 1e-6)) return std::nullopt;
    return ciecz_.h + (s - ciecz_.s) * k;
  }

  const DaneOdcinka& d_;
  bool ok_ = false;
  double h1_ = 0, s1_ = 0;
  if97::Result w2s_;
  std::optional<double> h2_;
  bool para_ = false;  // the unmoved isentropic end is steam: the moved ones start from it
  double T2s_ = 0;     // K
  if97::Properties q2s_;
  bool mokry_ = false;  // the unmoved isentropic end is wet: moved inlets keep it on its line
  if97::Result ciecz_;  // saturated liquid at p2
};

}  // namespace

Budzet BudzetEta(const DaneOdcinka& d, const RozprezanieIF97* gotowe) {
  Budzet b;
  b.losowe = d.losowe;
  struct Pozycja {
    Ktore k;
    const Wejscie* w;
    double krok;
  };
  const Pozycja pozycje[] = {{Ktore::P1, &d.p1u, kKrokP * d.p1},
                             {Ktore::T1, &d.t1u, kKrokT},
                             {Ktore::P2, &d.p2u, kKrokP * d.p2},
                             {Ktore::Koniec2, &d.koniec2u, d.tryb == Koniec2::H2 ? kKrokH : kKrokT},
                             {Ktore::Otoczenie, &d.otoczenie, kKrokOtoczenia}};
  // The ambient pressure is an input only where a point of the section is gauge.
  const std::size_t ile = d.wlotNadcisnienie || d.wylotNadcisnienie ? 5 : 4;
  b.skladniki.reserve(ile);
  const Rozprezania rozprezania(d, gotowe);
  double uc2 = 0;
  for (std::size_t i = 0; i < ile; ++i) {
    const Pozycja& p = pozycje[i];
    const std::optional<double> gora = rozprezania.Eta(p.k, p.krok), dol = rozprezania.Eta(p.k, -p.krok);
    if (!gora || !dol) {
      b.blad = "niepewność: IF97 nie oblicza rozprężania przy zmianie " + p.w->nazwa + " o krok różniczkowania";
      b.skladniki.clear();
      return b;
    }
    SkladnikBudzetu s;
    s.wejscie = p.w->nazwa;
    s.c = (*gora - *dol) / (2 * p.krok);
    s.u = p.w->u;
    s.uLosowe = p.w->uLosowe;
    uc2 += s.c * s.c * s.u * s.u;
    b.uLosowe2 += s.c * s.c * s.uLosowe * s.uLosowe;
    b.skladniki.push_back(s);
  }
  double najwiekszy = 0;
  for (SkladnikBudzetu& s : b.skladniki) {
    s.udzial = uc2 > 0 ? s.c * s.c * s.u * s.u / uc2 : 0;
    if (s.udzial > najwiekszy) {
      najwiekszy = s.udzial;
      b.dominujace = s.wejscie;
    }
  }
  b.uc = std::sqrt(uc2);
  b.U95 = 2 * b.uc;
  b.ok = true;
  return b;
}

NiepewnoscRoznicy UDelta(const Budzet& a, const Budzet& b) {
  NiepewnoscRoznicy r;
  if (a.losowe && b.losowe) {
    r.u = std::sqrt(a.uLosowe2 + b.uLosowe2);
  } else {
    r.u = std::sqrt(a.uc * a.uc + b.uc * b.uc);
    r.zachowawczo = true;
  }
  return r;
}

}  // namespace kal::turbiny
