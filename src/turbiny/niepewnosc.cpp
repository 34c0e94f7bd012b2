#include "turbiny/niepewnosc.h"

#include <cmath>

#include "mollier/rozprezanie_if97.h"

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

std::optional<double> Eta(const DaneOdcinka& d) {
  const RozprezanieIF97 e = RozpreznijIF97(d.p1, d.t1, d.p2, d.tryb, d.t2, 0, d.h2);
  if (!e.ok || !e.eta || !std::isfinite(*e.eta)) return std::nullopt;
  return e.eta;
}

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
  double uc2 = 0;
  for (const Pozycja& p : pozycje) {
    const std::optional<double> gora = Eta(Przesun(d, p.k, p.krok)), dol = Eta(Przesun(d, p.k, -p.krok));
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
