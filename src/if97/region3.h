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

// Density at (p, T) in region 3 by Newton on the basic equation (no backward v(p,T) equations):
// liquid-like states are approached from above, vapour-like from below, supercritical ones in a bracket.
// Returns 0 when the pass limit runs out.
double Region3Rho(double p, double T);
double Region3RhoLiquid(double p, double T);
double Region3RhoVapour(double p, double T);

double B3abH(double p);                            // h on the 3a-3b boundary, kJ/kg
inline constexpr double kS3ab = 4.41202148223476;  // kJ/(kg K), critical entropy
double Region3Tph(double p, double h);             // K
double Region3Vph(double p, double h);             // m3/kg
double Region3Tps(double p, double s);             // K
double Region3Vps(double p, double s);             // m3/kg
double Region3Phs(double h, double s);             // MPa

}  // namespace kal::if97
