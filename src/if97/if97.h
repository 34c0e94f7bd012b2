// IAPWS-IF97 (2007 revised release), regions 1-4, and the calculator's eight input pairs.
// Units: p MPa, t C, h kJ/kg, s kJ/(kg K), v m3/kg, mu Pa s. No call allocates.
#pragma once

#include "if97/constants.h"

namespace kal::if97 {

enum class Error {
  kNone,
  kOutOfRange,     // inputs outside 273.15 K <= T <= 1073.15 K, 0 < p <= 100 MPa (or x outside [0, 1])
  kNoState,        // inside the limits, but no state of IF97 has these values
  kNoConvergence,  // a pass limit ran out
};

struct Result {
  int region = 0;  // 1, 2, 3, or 4 for a wet state (also x = 0 and x = 1); 0 on error
  double p = 0;    // MPa
  double t = 0;    // C
  double h = 0;    // kJ/kg
  double s = 0;    // kJ/(kg K)
  double v = 0;    // m3/kg
  double x = -1;   // dryness fraction in [0, 1] for region 4, -1 for a single phase
  double mu = 0;   // Pa s; NaN for 0 < x < 1, where a mixture has no viscosity
  // How far the inputs fix the pressure, MPa: for T,h the change of p that moves h by 1e-6 kJ/kg,
  // for T,s the change that moves s by 1e-9 kJ/(kg K); 0 for the other pairs, where p is given or
  // well conditioned. Large in superheated steam at low pressure.
  double dp = 0;
  Error error = Error::kNone;
  const char* reason = "";  // Polish, UTF-8, static storage; empty without an error
  bool ok() const { return error == Error::kNone; }
};

Result FromPT(double p, double t);
Result FromPH(double p, double h);
Result FromTH(double t, double h);
Result FromXT(double x, double t);
Result FromXP(double x, double p);
Result FromPS(double p, double s);
Result FromTS(double t, double s);
Result FromHS(double h, double s);

// Region of a single-phase state (1, 2 or 3) at p MPa, T K, or 0 outside IF97's regions 1-3.
int RegionPT(double p, double T);
// The basic equation of that region at p MPa, T K (region 3 by density iteration); false on failure.
bool PropertiesPT(double p, double T, Properties* out);
// The same where the region is already known from RegionPT(p, T), so it is not found again.
bool PropertiesIn(int region, double p, double T, Properties* out);

}  // namespace kal::if97
