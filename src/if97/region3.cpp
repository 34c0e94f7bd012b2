#include "if97/region3.h"

#include <cmath>

#include "if97/coeffs_region3.h"
#include "if97/region4.h"
#include "if97/terms.h"

namespace kal::if97 {
namespace {
constexpr double kN1 = 0.10658070028513e1;  // coefficient of ln(delta)
constexpr int kMaxPasses = 100;
// kg/m3: above every density of region 3 at 100 MPa, below where the basic equation turns back.
constexpr double kRhoMax = 900.0;
}  // namespace

State3 Region3(double rho, double T) {
  const double delta = rho / kRhoc;
  const double tau = kTc / T;
  const GibbsSums sums = SumTerms<coef::kR3, 0, 11, 0, 26>(delta, tau);
  const double f = kN1 * std::log(delta) + sums.g, fd = kN1 / delta + sums.ga, fdd = -kN1 / (delta * delta) + sums.gaa;
  const double ft = sums.gb, ftt = sums.gbb, fdt = sums.gab;
  State3 o;
  Properties& q = o.props;
  const double rt = kR * T;
  o.p = rho * rt * delta * fd / 1000.0;
  q.v = 1.0 / rho;
  q.u = rt * tau * ft;
  q.h = rt * (tau * ft + delta * fd);
  q.s = kR * (tau * ft - f);
  q.cv = -kR * tau * tau * ftt;
  const double a = delta * fd - delta * tau * fdt;
  const double b = 2.0 * delta * fd + delta * delta * fdd;
  q.cp = kR * (-tau * tau * ftt + a * a / b);
  q.w = std::sqrt(rt * 1000.0 * (b - a * a / (tau * tau * ftt)));
  o.dpdrho = rt * b / 1000.0;
  o.dpdt = rho * kR * a / 1000.0;
  o.dhdrho = rt / kRhoc * (tau * fdt + fd + delta * fdd);
  o.dhdt = q.cv + 1000.0 * o.dpdt / rho;
  o.dsdrho = kR / kRhoc * (tau * fdt - fd);
  o.dsdt = q.cv / T;
  q.dvdt = o.dpdt / (rho * rho * o.dpdrho);
  return o;
}

namespace {

// p and dp/drho at (rho, T): all that a Newton step in rho needs.
void PressureSlope(double rho, double T, double* p, double* dpdrho) {
  const double delta = rho / kRhoc;
  const double tau = kTc / T;
  const Powers<0, 11> d(delta);
  const Powers<0, 26> t(tau);
  double s1 = 0, s2 = 0;
  for (const Term& r : coef::kR3) {
    const double base = r.n * d(r.i) * t(r.j);
    const double i = r.i;
    s1 += i * base;
    s2 += i * (i - 1) * base;
  }
  const double inv = 1.0 / delta;
  const double fd = (kN1 + s1) * inv;
  const double fdd = (s2 - kN1) * inv * inv;
  const double rt = kR * T;
  *p = rho * rt * delta * fd / 1000.0;
  *dpdrho = rt * (2.0 * delta * fd + delta * delta * fdd) / 1000.0;
}

// Newton on p(rho) = p from a start close to the root; 0 if it does not settle in a few passes. Once a step
// is below 1e-9 of rho, the next one would be below 1e-16: the root is reached.
double NewtonRho(double p, double T, double rho) {
  for (int k = 0; k < 8; ++k) {
    double pk = 0, slope = 0;
    PressureSlope(rho, T, &pk, &slope);
    if (!(slope > 0)) return 0.0;
    const double step = (pk - p) / slope;
    rho -= step;
    if (!(rho > 0)) return 0.0;
    if (std::fabs(step) <= 1e-9 * rho) return rho;
  }
  return 0.0;
}

// The root of p(rho) = p on one side of the critical density (T <= Tc), from a start near it. The critical
// density lies where p falls with rho at every such T, so it bounds the search on both sides. A density is
// past the root when p rises with rho there and lies beyond p (above it for the liquid, below for the
// vapour): Newton from such a point stays past it, on the convex liquid and the concave vapour branch, and
// from the other side it lands past it. Where the branch never reaches p, the search closes on its end.
double SideRho(double p, double T, bool liquid, double rho) {
  auto past = [&](double pk, double slope) { return slope > 0 && (liquid ? pk > p : pk < p); };
  double inner = kRhoc, outer = 0;
  if (!(liquid ? rho > kRhoc && rho < kRhoMax : rho > 0 && rho < kRhoc)) rho = liquid ? kRhoc + 1.0 : 0.5 * kRhoc;
  double pk = 0, slope = 0;
  // Away from the critical density until past the root: by Newton, in growing steps at most (the vapour
  // halving).
  double step = 0.01 * rho;
  for (int k = 0; k < 40; ++k) {
    PressureSlope(rho, T, &pk, &slope);
    if (past(pk, slope)) {
      outer = rho;
      break;
    }
    inner = rho;
    if (liquid && rho >= kRhoMax) break;
    const double newton = slope > 0 ? rho - (pk - p) / slope : -1.0;
    rho = liquid ? std::fmin(newton > rho ? newton : rho + step, std::fmin(rho + step, kRhoMax))
                 : std::fmax(newton < rho ? newton : 0.5 * rho, 0.5 * rho);
    step *= 2;
  }
  if (outer == 0) return 0.0;
  double last = 0;  // the last Newton step
  for (int k = 0; k < kMaxPasses; ++k) {
    if (pk == p) return rho;
    double next = slope > 0 ? rho - (pk - p) / slope : -1.0;
    const double lo = std::fmin(inner, outer), hi = std::fmax(inner, outer);
    const bool newton = next > lo && next < hi;
    if (!newton) next = 0.5 * (lo + hi);
    const double d = std::fabs(next - rho);
    if (d <= 1e-13 * rho || hi - lo <= 1e-13 * rho) return next;
    // Converging quadratically, the step after this one would be d^3 / last^2: below rounding, it need not be taken.
    if (newton && d < 1e-3 * last && d * d * d <= 1e-14 * rho * last * last) return next;
    last = newton ? d : 0.0;
    rho = next;
    PressureSlope(rho, T, &pk, &slope);
    (past(pk, slope) ? outer : inner) = rho;
  }
  return 0.5 * (inner + outer);
}

// Supercritical: Newton kept inside a bracket where p(rho) is monotonic.
double SearchBracket(double p, double T) {
  double lo = 0.5 * p * 1000.0 / (kR * T);
  double hi = 1100.0;
  double rho = 0.5 * (lo + hi);
  for (int k = 0; k < kMaxPasses; ++k) {
    const State3 st = Region3(rho, T);
    const double f = st.p - p;
    if (f > 0)
      hi = rho;
    else
      lo = rho;
    double next = rho - f / st.dpdrho;
    if (!(st.dpdrho > 0) || next <= lo || next >= hi) next = 0.5 * (lo + hi);
    if (std::fabs(next - rho) < 1e-13 * rho) return next;
    rho = next;
  }
  return 0.0;
}

}  // namespace

double Region3RhoLiquid(double p, double T) { return SideRho(p, T, true, 1.0 / Region3VptSide(p, T, true)); }

double Region3RhoVapour(double p, double T) { return SideRho(p, T, false, 1.0 / Region3VptSide(p, T, false)); }

double Region3Rho(double p, double T) {
  if (T <= kTc) return p >= Psat(T) ? Region3RhoLiquid(p, T) : Region3RhoVapour(p, T);
  const double rho = NewtonRho(p, T, 1.0 / Region3Vpt(p, T));
  return rho > 0 ? rho : SearchBracket(p, T);
}

bool Region3SatRho(double p, double T, double* rhoLiq, double* rhoVap) {
  double rl = 1.0 / Region3VptSide(p, T, true);
  double rv = T < kTVapourEnd ? 1.0 / Region3VptSide(p, T, false) : 0.0;
  if (!Region3SatRhoFrom(p, T, &rl, &rv)) return false;
  *rhoLiq = rl;
  *rhoVap = rv;
  return true;
}

bool Region3SatRhoFrom(double p, double T, double* rhoLiq, double* rhoVap) {
  if (!(T > kT13 && T <= kTc)) return false;
  const double rl = SideRho(p, T, true, *rhoLiq);
  if (!(rl > 0)) return false;
  double rv = 0;
  if (T < kTVapourEnd) {
    rv = SideRho(p, T, false, *rhoVap);
  } else {
    rv = kRhoVapourEnd + (rl - kRhoVapourEnd) * (T - kTVapourEnd) / (kTc - kTVapourEnd);
  }
  if (!(rv > 0 && rv <= rl)) return false;
  *rhoLiq = rl;
  *rhoVap = rv;
  return true;
}

double B3abH(double p) {
  return 0.201464004206875e4 + p * (3.74696550136983 + p * (-0.0219921901054187 + p * 0.875131686009950e-4));
}

double Region3Tph(double p, double h) {
  const double pi = p / 100.0;
  if (h <= B3abH(p)) return 760.0 * BackwardSum(coef::kR3aTph, pi + 0.240, h / 2300.0 - 0.615);
  return 860.0 * BackwardSum(coef::kR3bTph, pi + 0.298, h / 2800.0 - 0.720);
}

double Region3Vph(double p, double h) {
  const double pi = p / 100.0;
  if (h <= B3abH(p)) return 0.0028 * BackwardSum(coef::kR3aVph, pi + 0.128, h / 2100.0 - 0.727);
  return 0.0088 * BackwardSum(coef::kR3bVph, pi + 0.0661, h / 2800.0 - 0.720);
}

double Region3Tps(double p, double s) {
  const double pi = p / 100.0;
  if (s <= kS3ab) return 760.0 * BackwardSum(coef::kR3aTps, pi + 0.240, s / 4.4 - 0.703);
  return 860.0 * BackwardSum(coef::kR3bTps, pi + 0.760, s / 5.3 - 0.818);
}

double Region3Vps(double p, double s) {
  const double pi = p / 100.0;
  if (s <= kS3ab) return 0.0028 * BackwardSum(coef::kR3aVps, pi + 0.187, s / 4.4 - 0.755);
  return 0.0088 * BackwardSum(coef::kR3bVps, pi + 0.298, s / 5.3 - 0.816);
}

double Region3Phs(double h, double s) {
  if (s <= kS3ab) return 99.0 * BackwardSum(coef::kR3aPhs, h / 2300.0 - 1.01, s / 4.4 - 0.750);
  return 16.6 / BackwardSum(coef::kR3bPhs, h / 2800.0 - 0.681, s / 5.3 - 0.792);
}

}  // namespace kal::if97
