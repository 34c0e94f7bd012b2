// The saturation line sampled once, at first use: a quick test whether (h, s) lies well inside the
// two-phase dome, and a close start for the temperature of a wet state.
#pragma once

#include "if97/constants.h"

namespace kal::if97::detail {

// (h, s) below the saturation line by more than the sampling error, and above the triple line: wet.
bool InsideDome(double h, double s);

// (h, s) above the saturation line by more than the sampling error: not wet.
bool AboveDome(double h, double s);

// Where the isotherm through (h, s) lies, interpolated between the samples.
struct DomeGuess {
  double T = 0;                   // K
  double rhoLiq = 0, rhoVap = 0;  // kg/m3, region 3's phases there; 0 at or below 623.15 K
  double eps = 0;  // kJ/(kg K): (g'' - g') / (s'' - s') there: the phases' equations agree on g only so far
};
// False where no sampled isotherm reaches the state.
bool DomeStart(double h, double s, DomeGuess* out);

}  // namespace kal::if97::detail
