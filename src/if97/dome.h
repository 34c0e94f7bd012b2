// The saturation line sampled once, at first use: a quick test whether (h, s) lies well inside the
// two-phase dome, and a close start for the temperature of a wet state.
#pragma once

#include "if97/constants.h"

namespace kal::if97::detail {

inline constexpr double kDomeTop = kTc - 1e-3;  // K: the dome is followed to here; a chord closes the rest

// (h, s) below the saturation line by more than the sampling error, and above the triple line: wet.
bool InsideDome(double h, double s);

// Temperature, K, of the isotherm through (h, s) interpolated between the samples, with the densities of
// region 3's phases there (0 at or below 623.15 K). False where no sampled isotherm brackets the state.
bool DomeStart(double h, double s, double* T, double* rhoLiq, double* rhoVap);

}  // namespace kal::if97::detail
