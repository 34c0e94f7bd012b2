// IF97 region 2 (steam): basic equation and the backward equations of subregions 2a, 2b, 2c.
#pragma once

#include "if97/constants.h"

namespace kal::if97 {

Properties Region2(double p, double T);  // p MPa, T K
double Region2Tph(double p, double h);   // K
double Region2Tps(double p, double s);   // K
double Region2Phs(double h, double s);   // MPa

// Subregion boundaries of the backward equations.
double B2bcH(double p);  // h on the 2b-2c boundary, kJ/kg
double B2bcP(double h);  // MPa
double B2abH(double s);  // h on the 2a-2b boundary of p(h,s), kJ/kg

}  // namespace kal::if97
