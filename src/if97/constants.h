// IAPWS-IF97 reference constants and validity limits.
#pragma once

namespace kal::if97 {

inline constexpr double kR = 0.461526;      // kJ/(kg K)
inline constexpr double kTc = 647.096;      // K
inline constexpr double kPc = 22.064;       // MPa
inline constexpr double kRhoc = 322.0;      // kg/m3
inline constexpr double kT0 = 273.15;       // K at 0 C
inline constexpr double kTmin = 273.15;     // K
inline constexpr double kTmax = 1073.15;    // K
inline constexpr double kPmax = 100.0;      // MPa
inline constexpr double kT13 = 623.15;      // K, boundary of regions 1 and 3
inline constexpr double kT23max = 863.15;   // K, where the 2-3 boundary reaches 100 MPa
inline constexpr double kTtriple = 273.16;  // K
inline constexpr double kPmin = 1e-6;       // MPa; searches in steam stop here

// Properties from the basic equations, in kJ, kg, K, m3, m/s.
struct Properties {
  double v = 0, h = 0, s = 0, u = 0, cp = 0, cv = 0, w = 0;
  double dvdt = 0;  // (dv/dT)_p, m3/(kg K): the pressure derivatives of h and s follow from it
};

}  // namespace kal::if97
