// IF97 region 1 (compressed liquid, T <= 623.15 K): basic equation and backward equations.
#pragma once

#include "if97/constants.h"

namespace kal::if97 {

Properties Region1(double p, double T);  // p MPa, T K
double Region1Tph(double p, double h);   // backward T(p,h), K
double Region1Tps(double p, double s);   // backward T(p,s), K
double Region1Phs(double h, double s);   // backward p(h,s), MPa

}  // namespace kal::if97
