// Internal helpers of the pair solvers: states, saturation, result filling, a bracketed root finder.
#pragma once

#include <cmath>

#include "if97/if97.h"

namespace kal::if97::detail {

inline constexpr int kMaxPasses = 100;

// A saturated pair of phases at (p, T), p = psat(T) or T = Tsat(p): regions 1 and 2 up to 623.15 K, region 3's
// liquid and vapour roots at (p, T) above (see Region3SatRho).
struct Sat {
  double p = 0, T = 0;
  Properties liq, vap;
};
bool SatAt(double p, double T, Sat* out);

Result Fail(Error e, const char* why);
Result Single(int region, double p, double T, const Properties& q);
Result Wet(const Sat& sat, double x);

// The wet state with these h and s: kWet with *out filled, or why there is none.
enum class WetHs { kWet, kNotWet, kBelowTriple, kNoConvergence };
WetHs WetFromHS(double h, double s, Result* out);

// Properties at (p, T) of a known region (1, 2 or 3).
bool StateIn(int region, double p, double T, Properties* q);

// Root of f in [lo, hi] where f(lo) and f(hi) differ in sign; f(x, &df) gives the value and slope.
// Newton steps that leave the bracket become bisections; done when |f| <= ftol or the step <= xtol. False when the pass
// limit runs out.
template <class F>
bool BracketedNewton(F f, double lo, double hi, double x, double xtol, double ftol, double* root) {
  double df = 0;
  const double flo = f(lo, &df);
  const bool rising = flo < 0;
  for (int k = 0; k < kMaxPasses; ++k) {
    const double fx = f(x, &df);
    if (std::fabs(fx) <= ftol) {
      *root = x;
      return true;
    }
    if ((fx < 0) == rising) {
      lo = x;
    } else {
      hi = x;
    }
    double next = x - fx / df;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::fabs(next - x) <= xtol || hi - lo <= xtol) {
      *root = next;
      return true;
    }
    x = next;
  }
  *root = x;
  return std::fabs(hi - lo) <= 1e3 * xtol;
}

}  // namespace kal::if97::detail
