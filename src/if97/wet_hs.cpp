// The wet part of h,s. In the dome an isotherm is a straight line in the h-s plane,
// h = h'(T) + T (s - s'(T)), so one equation in T fixes the state. Along the saturation line
// dh' - T ds' = v' dp, so its slope is s - s'(T) + v' dpsat/dT: positive wherever s > s'(T).
// Up to 623.15 K Newton on it needs only the liquid at psat(T). Regions 1 and 2 agree on g there only to
// IF97's tolerance: the sampled mismatch corrects the equation, and the mixture of both phases then
// polishes T until h and s come back exactly.
// Above 623.15 K both phases are region 3's roots at psat(T), each pass starting from the last; the same
// Newton on the mixture runs up to the critical point.
#include <cmath>

#include "if97/dome.h"
#include "if97/region1.h"
#include "if97/region3.h"
#include "if97/region4.h"
#include "if97/state.h"

namespace kal::if97::detail {
namespace {

// Saturated pairs at the triple point and at the end of region 1: fixed, so found once.
struct Ends {
  Sat tri, t13;
  bool ok = false;
};

const Ends& EndsOnce() {
  static const Ends e = [] {
    Ends x;
    x.ok = SatAt(Psat(kTtriple), kTtriple, &x.tri) && SatAt(Psat(kT13), kT13, &x.t13);
    return x;
  }();
  return e;
}

// h of the mixture with entropy s at the saturated pair, less h.
double Mismatch(const Sat& sat, double h, double s) {
  const double x = (s - sat.liq.s) / (sat.vap.s - sat.liq.s);
  return sat.liq.h + x * (sat.vap.h - sat.liq.h) - h;
}

// Slope of the isotherm equation in T, kJ/(kg K); dpdt in MPa/K.
double Slope(const Properties& liq, double s, double dpdt) { return s - liq.s + 1000.0 * liq.v * dpdt; }

// d/dT of Mismatch along the saturation line, exactly: near the liquid line at low T the slope of the
// isotherm equation is small, and the part that the two phases' mismatch in g adds is not.
double MismatchSlope(const Sat& sat, double s, double dpdt) {
  const Properties& l = sat.liq;
  const Properties& v = sat.vap;
  const double T = sat.T;
  const double dhl = l.cp + 1000.0 * (l.v - T * l.dvdt) * dpdt, dhv = v.cp + 1000.0 * (v.v - T * v.dvdt) * dpdt;
  const double dsl = l.cp / T - 1000.0 * l.dvdt * dpdt, dsv = v.cp / T - 1000.0 * v.dvdt * dpdt;
  const double x = (s - l.s) / (v.s - l.s);
  const double dx = -(dsl + x * (dsv - dsl)) / (v.s - l.s);
  return dhl + dx * (v.h - l.h) + x * (dhv - dhl);
}

// Up to 623.15 K: Newton on the liquid-side equation in [lo, hi], then on the mixture. 1 when solved, 0 when
// there is no wet state, -1 when the saturated states fail.
int SolveLow(double h, double s, double lo, double hi, double T, double eps, Sat* sat) {
  double a = lo, b = hi;
  bool pastLiquid = false;
  for (int k = 0; k < kMaxPasses; ++k) {
    const double dpdt = DPsatDT(T);
    const Properties q = Region1(Psat(T), T);
    double newton = -1;
    if (q.s > s + 1e-12) {
      // Past the liquid line at this entropy: any wet state lies below.
      b = T;
      pastLiquid = true;
    } else {
      // The mixture's h is h' + x (h'' - h') = h' + (s - s') (T + eps).
      const double g = q.h + (s - q.s) * (T + eps) - h;
      if (g > 0) {
        b = T;
        pastLiquid = false;
      } else {
        a = T;
      }
      newton = T - g / Slope(q, s, dpdt);
    }
    const double next = newton > a && newton < b ? newton : 0.5 * (a + b);
    const bool done = std::fabs(next - T) <= 1e-8 * T || b - a <= 1e-8 * T;
    T = next;
    if (done) break;
  }
  // The bracket closed on the liquid line with the isotherm still below h: above the saturated liquid.
  if (pastLiquid) {
    const Properties q = Region1(Psat(a), a);
    if (q.h + (s - q.s) * (a + eps) - h + Slope(q, s, DPsatDT(a)) * (b - a) < -1e-6) return 0;
  }
  // Rounding in h limits the mismatch to ~1e-12 kJ/kg; below 1e-11 T is as good as it gets.
  double best = HUGE_VAL;
  Sat trial;
  for (int k = 0; k < kMaxPasses; ++k) {
    if (!SatAt(Psat(T), T, &trial)) return -1;
    const double f = Mismatch(trial, h, s);
    const double step = f / MismatchSlope(trial, s, DPsatDT(T));
    if (!std::isfinite(step)) return -1;
    if (std::fabs(f) < best) {
      best = std::fabs(f);
      *sat = trial;
    }
    if (std::fabs(step) <= 1e-12 * T || best <= 1e-11) return 1;
    T = std::fmin(std::fmax(T - step, lo), hi);
  }
  // No settled mixture: a state just off the liquid line, where T would have to leave the dome.
  return best <= 1e-9 ? 1 : 0;
}

// Region 3's phases at psat(T) from the densities of the last pass (from the backward equations if that fails).
bool SatFrom(double T, double* rl, double* rv, Sat* sat) {
  const double p = Psat(T);
  double l = *rl, v = *rv;
  if (!(l > 0 && Region3SatRhoFrom(p, T, &l, &v)) && !Region3SatRho(p, T, &l, &v)) return false;
  *rl = l;
  *rv = v;
  sat->p = p;
  sat->T = T;
  sat->liq = Region3(l, T).props;
  sat->vap = Region3(v, T).props;
  return true;
}

// Above 623.15 K, up to the critical point: Newton on the mixture along the saturation line in [lo, hi]. Past the
// liquid line (or at the top, where the phases meet) T is too high. 1 when solved, 0 when no wet state has h
// and s, -1 when the saturated states fail.
int SolveHigh(double h, double s, double lo, double hi, double T, double rl, double rv, Sat* sat) {
  // Near the critical point s'' falls by ~10 kJ/(kg K) per K: T must settle to ~1e-11 K for s to come back;
  // rounding in region 3's h leaves ~1e-11 kJ/kg.
  double best = HUGE_VAL;
  Sat trial;
  for (int k = 0; k < kMaxPasses; ++k) {
    if (!SatFrom(T, &rl, &rv, &trial)) return -1;
    double newton = -1;
    if (trial.liq.s > s + 1e-12 || !(trial.vap.s > trial.liq.s)) {
      hi = T;
    } else {
      const double f = Mismatch(trial, h, s);
      (f > 0 ? hi : lo) = T;
      if (std::fabs(f) < best) {
        best = std::fabs(f);
        *sat = trial;
      }
      if (best <= 3e-11) return 1;
      newton = T - f / MismatchSlope(trial, s, DPsatDT(T));
    }
    const double next = newton > lo && newton < hi ? newton : 0.5 * (lo + hi);
    if (std::fabs(next - T) <= 1e-14 * T || hi - lo <= 1e-14 * T) break;
    T = next;
  }
  return best < HUGE_VAL ? 1 : 0;
}

}  // namespace

WetHs WetFromHS(double h, double s, Result* out) {
  const Ends& e = EndsOnce();
  if (!e.ok) return WetHs::kNoConvergence;
  if (!(s > e.tri.liq.s && s < e.tri.vap.s)) return WetHs::kNotWet;
  // Below the mixture at the triple point (the coldest isotherm of the dome): colder than IF97 reaches.
  if (Mismatch(e.tri, h, s) > 1e-9) return WetHs::kBelowTriple;
  if (AboveDome(h, s)) return WetHs::kNotWet;
  DomeGuess start;
  if (!DomeStart(h, s, &start)) return WetHs::kNotWet;
  Sat sat;
  // Where s'(623.15 K) > s, no wet state is hotter; otherwise the sign at 623.15 K picks the part.
  if (s <= e.t13.liq.s || Mismatch(e.t13, h, s) >= 0) {
    const int solved = SolveLow(h, s, kTtriple, kT13, std::fmin(start.T, kT13), start.eps, &sat);
    if (solved <= 0) return solved == 0 ? WetHs::kNotWet : WetHs::kNoConvergence;
  } else {
    const int solved = SolveHigh(h, s, kT13, kTc, std::fmax(start.T, kT13), start.rhoLiq, start.rhoVap, &sat);
    if (solved <= 0) return solved == 0 ? WetHs::kNotWet : WetHs::kNoConvergence;
  }
  // x kept in [0, 1]: a wet state only if it still gives back h and s as closely as the other pairs do.
  // Near the critical point psat fixes region 3's phases only to ~1e-9 in s, and within 0.01 K of it to ~1e-8
  // in density, x to ~1e-7: there x may stray that far.
  const double x = (s - sat.liq.s) / (sat.vap.s - sat.liq.s);
  const Result r = Wet(sat, std::fmin(std::fmax(x, 0.0), 1.0));
  const double tolS = sat.T > kT13 ? 1e-8 : 1e-9;
  const bool nearCritical = sat.T > kTc - 0.01;
  const bool kept = nearCritical ? x >= -1e-6 && x <= 1 + 1e-6 && std::fabs(Mismatch(sat, h, s)) <= 1e-6
                                 : std::fabs(r.h - h) <= 1e-6 && std::fabs(r.s - s) <= tolS;
  if (!kept) return WetHs::kNotWet;
  *out = r;
  return WetHs::kWet;
}

}  // namespace kal::if97::detail
