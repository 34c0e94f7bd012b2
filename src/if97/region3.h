// IF97 region 3 (near-critical, rho-T based): basic equation, the density at (p, T), and the
// backward equations of subregions 3a and 3b.
#pragma once

#include "if97/constants.h"

namespace kal::if97 {

// Properties at (rho, T) with the partial derivatives the Newton solvers need.
struct State3 {
  double p = 0;  // MPa
  Properties props;
  double dpdrho = 0, dpdt = 0;  // MPa/(kg/m3), MPa/K
  double dhdrho = 0, dhdt = 0;
  double dsdrho = 0, dsdt = 0;
};

State3 Region3(double rho, double T);  // rho kg/m3, T K

// Density at (p, T) in region 3: the backward equation v(p,T) as the start, then Newton on the basic
// equation to its own consistency, kept in a bracket on the side of psat(T) below Tc; above Tc a bracketed
// search if Newton fails. Returns 0 when the pass limit runs out. The Liquid/Vapour forms (T <= Tc) give
// the root on that side of the critical density, on the branch where p rises with rho; where that branch
// does not reach p, its end nearest to p.
double Region3Rho(double p, double T);
double Region3RhoLiquid(double p, double T);
double Region3RhoVapour(double p, double T);

// Backward equations v(p,T) of the subregions 3a-3z (revised supplementary release of 2014), m3/kg.
// liquid picks the side at T = Tsat(p). Region3Sub gives the subregion letter.
double Region3Vpt(double p, double T);
double Region3VptSide(double p, double T, bool liquid);
char Region3Sub(double p, double T, bool liquid);
// Boundaries T(p) between the subregions, K.
enum class B3 { kAb, kCd, kEf, kGh, kIj, kJk, kMn, kOp, kQu, kRx, kUv, kWx };
double T3Boundary(B3 which, double p);

// The saturated phases of region 3 at p = psat(T) (or p given, T = Tsat(p)), 623.15 K < T <= Tc: the
// liquid and vapour roots of the basic equation at (p, T). Within kTVapourEnd..Tc the vapour branch no
// longer reaches psat(T); there the vapour density runs linearly in T from that branch's end at
// kTVapourEnd to the liquid root at Tc, where both phases meet. False above Tc.
inline constexpr double kTVapourEnd = 647.09596534304;   // K, where psat(T) reaches the vapour branch's maximum
inline constexpr double kRhoVapourEnd = 321.6822991058;  // kg/m3, the vapour there
bool Region3SatRho(double p, double T, double* rhoLiq, double* rhoVap);
// The same starting from the densities given, e.g. those at a nearby temperature.
bool Region3SatRhoFrom(double p, double T, double* rhoLiq, double* rhoVap);

double B3abH(double p);                            // h on the 3a-3b boundary, kJ/kg
inline constexpr double kS3ab = 4.41202148223476;  // kJ/(kg K), critical entropy
double Region3Tph(double p, double h);             // K
double Region3Vph(double p, double h);             // m3/kg
double Region3Tps(double p, double s);             // K
double Region3Vps(double p, double s);             // m3/kg
double Region3Phs(double h, double s);             // MPa

}  // namespace kal::if97
