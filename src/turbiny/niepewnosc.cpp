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

DaneOdcinka Przesun(DaneOdcinka d, Ktore k, double o) {
  switch (k) {
    case Ktore::P1:
      d.p1 += o;
      break;
    case Ktore::T1:
      d.t1 += o;
      break;
    case Ktore::P2:
      d.p2 += o;
      break;
    case Ktore::Koniec2:
      (d.tryb == Koniec2::H2 ? d.h2 : d.t2) += o;
      break;
    case Ktore::Otoczenie:
      if (d.wlotNadcisnienie) d.p1 += o / 1000;
      if (d.wylotNadcisnienie) d.p2 += o / 1000;
      break;
  }
  return d;
}

// The IF97 expansion of the section moved by one input: the states that input does not touch
// are taken from the unmoved expansion, the others computed as the expansion computes them.
class Rozprezania {
 public:
  explicit Rozprezania(const DaneOdcinka& d) : d_(d) {
    w1_ = if97::FromPT(d.p1, d.t1);
    if (w1_.ok()) w2s_ = if97::FromPS(d.p2, w1_.s);
    if (w2s_.ok()) h2_ = Koniec(d);
  }

  std::optional<double> Eta(Ktore k, double o) const {
    if (!w1_.ok() || !w2s_.ok() || !h2_) return std::nullopt;
    const DaneOdcinka e = Przesun(d_, k, o);
    const bool wlot = e.p1 != d_.p1 || e.t1 != d_.t1, p2 = e.p2 != d_.p2;
    const if97::Result w1 = wlot ? if97::FromPT(e.p1, e.t1) : w1_;
    if (!w1.ok()) return std::nullopt;
    const if97::Result w2s = wlot || p2 ? if97::FromPS(e.p2, w1.s) : w2s_;
    if (!w2s.ok()) return std::nullopt;
    const std::optional<double> h2 = p2 || e.t2 != d_.t2 || e.h2 != d_.h2 ? Koniec(e) : h2_;
    const double dhs = w1.h - w2s.h;
    if (!h2 || !(dhs > 0)) return std::nullopt;
    const double eta = (w1.h - *h2) / dhs;
    if (!std::isfinite(eta)) return std::nullopt;
    return eta;
  }

 private:
  // The actual end's enthalpy; a temperature on the water side fixes no steam state.
  static std::optional<double> Koniec(const DaneOdcinka& e) {
    if (e.tryb == Koniec2::H2) return e.h2;
    const if97::Result r = if97::FromPT(e.p2, e.t2);
    if (!r.ok() || r.region == 1) return std::nullopt;
    return r.h;
  }

  const DaneOdcinka& d_;
  if97::Result w1_, w2s_;
  std::optional<double> h2_;
};

}  // namespace

Budzet BudzetEta(const DaneOdcinka& d) {
  Budzet b;
  b.losowe = d.losowe;
  struct Pozycja {
    Ktore k;
    const Wejscie* w;
    double krok;
  };
  std::vector<Pozycja> pozycje = {{Ktore::P1, &d.p1u, kKrokP * d.p1},
                                  {Ktore::T1, &d.t1u, kKrokT},
                                  {Ktore::P2, &d.p2u, kKrokP * d.p2},
                                  {Ktore::Koniec2, &d.koniec2u, d.tryb == Koniec2::H2 ? kKrokH : kKrokT}};
  if (d.wlotNadcisnienie || d.wylotNadcisnienie) pozycje.push_back({Ktore::Otoczenie, &d.otoczenie, kKrokOtoczenia});
  const Rozprezania rozprezania(d);
  double uc2 = 0;
  for (const Pozycja& p : pozycje) {
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
