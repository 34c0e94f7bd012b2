// IF97 saturation line (region 4) and the boundary between regions 2 and 3.
#pragma once

namespace kal::if97 {

double Psat(double T);     // MPa, 273.15 K <= T <= 647.096 K
double Tsat(double p);     // K, 611.213 Pa <= p <= 22.064 MPa
double DPsatDT(double T);  // MPa/K, the slope of Psat
double B23P(double T);     // MPa
double B23T(double p);     // K

inline constexpr double kPsatMin = 611.212677e-6;  // MPa, saturation pressure at 273.15 K

}  // namespace kal::if97
