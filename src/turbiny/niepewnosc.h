// The uncertainty of a section's internal efficiency by the law of propagation (GUM, k = 2):
// sensitivities by central differences on the IAPWS-IF97 expansion, which is smooth where the
// fits step at whole degrees of the saturation line; the budget, and the uncertainty of a
// difference against a baseline test made with the same instruments.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "mollier/rozprezanie.h"
#include "mollier/rozprezanie_if97.h"

namespace kal::turbiny {

// One input quantity: its standard uncertainty and the random part of it (of the mean).
struct Wejscie {
  std::string nazwa;  // "PS.p", "PS.t", "NP_WYL.h", "ambient"
  double u = 0;       // p [MPa], t [K], h [kJ/kg], ambient [kPa]
  double uLosowe = 0;
};

// A section's numbers as the IF97 expansion takes them, with the uncertainty of each input.
struct DaneOdcinka {
  double p1 = 0, t1 = 0, p2 = 0;                             // MPa absolute, C
  Koniec2 tryb = Koniec2::T2;                                // T2 or H2
  double t2 = 0, h2 = 0;                                     // C, kJ/kg
  bool wlotNadcisnienie = false, wylotNadcisnienie = false;  // the ambient moves these together
  Wejscie p1u, t1u, p2u, koniec2u, otoczenie;                // koniec2u: t2 or h2
  bool losowe = false;                                       // a reading of either point carries a random part
};

struct SkladnikBudzetu {
  std::string wejscie;
  double c = 0;       // d eta / d X [1/MPa, 1/K, kg/kJ, 1/kPa]
  double u = 0;       // u(X)
  double udzial = 0;  // c² u² / u_c²
  double uLosowe = 0;
};

struct Budzet {
  bool ok = false;
  std::string blad;  // Polish, why no budget; "" when ok
  std::vector<SkladnikBudzetu> skladniki;
  double uc = 0;           // combined standard uncertainty of eta
  double U95 = 0;          // 2 u_c
  std::string dominujace;  // the input with the largest share ("" when every u is zero)
  double uLosowe2 = 0;     // Σ c² u_random²
  bool losowe = false;
};

// The variance per input: u(X)² = (U_instrument / 2)² + u_random².
double UStandardowa(double Uinstrument, double uLosowe);

// `gotowe`: the section's unmoved IF97 expansion when it is already at hand (as RozpreznijIF97
// computes it from d), so it is not computed again.
Budzet BudzetEta(const DaneOdcinka& d, const RozprezanieIF97* gotowe = nullptr);

struct NiepewnoscRoznicy {
  double u = 0;              // u_Δ
  bool zachowawczo = false;  // either test lacks random parts: u_Δ² = u_c,a² + u_c,b²
};

// Same instruments: their systematic parts cancel and only the random parts of both remain.
NiepewnoscRoznicy UDelta(const Budzet& a, const Budzet& b);

}  // namespace kal::turbiny
