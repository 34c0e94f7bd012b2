// The eight input pairs. Backward equations give the starting values, Newton on the basic
// equations polishes them; where no backward equation applies, a bracketed search.
#include <cmath>

#include "if97/dome.h"
#include "if97/region1.h"
#include "if97/region2.h"
#include "if97/region3.h"
#include "if97/region4.h"
#include "if97/state.h"

namespace kal::if97 {
namespace {
using detail::Fail;
using detail::kMaxPasses;
using detail::Sat;
using detail::SatAt;
using detail::Single;
using detail::Wet;

constexpr char kTLow[] = "poza zakresem IAPWS-IF97: T < 273,15 K";
constexpr char kTHigh[] = "poza zakresem IAPWS-IF97: T > 1073,15 K";
constexpr char kPLow[] = "poza zakresem IAPWS-IF97: p ≤ 0 MPa";
constexpr char kPHigh[] = "poza zakresem IAPWS-IF97: p > 100 MPa";
constexpr char kXRange[] = "stopień suchości poza przedziałem [0, 1]";
constexpr char kNoSatT[] = "brak stanu nasycenia: T > 647,096 K";
constexpr char kNoSatP[] = "brak stanu nasycenia: p poza 0,000611 … 22,064 MPa";
constexpr char kNoState[] = "brak stanu IAPWS-IF97 o tych wartościach";
constexpr char kNoGas[] = "brak stanu: wartość powyżej pary przy p → 0";
constexpr char kNoConv[] = "obliczenie IAPWS-IF97 nie zbiegło się";
constexpr double kTolH = 1e-6;  // kJ/kg: the consistency promised for h
constexpr double kTolS = 1e-9;  // kJ/(kg K): and for s

double Y(const Properties& q, bool isH) { return isH ? q.h : q.s; }
// dh/dp or ds/dp at constant T, per MPa.
double DYdp(const Properties& q, double T, bool isH) { return isH ? 1000.0 * (q.v - T * q.dvdt) : -1000.0 * q.dvdt; }

bool TOutOfRange(double T, Result* r) {
  if (T < kTmin - 1e-9)
    *r = Fail(Error::kOutOfRange, kTLow);
  else if (T > kTmax + 1e-9)
    *r = Fail(Error::kOutOfRange, kTHigh);
  else
    return false;
  return true;
}

bool POutOfRange(double p, Result* r) {
  if (!(p > 0))
    *r = Fail(Error::kOutOfRange, kPLow);
  else if (p > kPmax * (1 + 1e-12))
    *r = Fail(Error::kOutOfRange, kPHigh);
  else
    return false;
  return true;
}

Properties R12(int region, double p, double T) { return region == 1 ? Region1(p, T) : Region2(p, T); }

// Region 1 or 2 at a given p: Newton in T from the backward equation.
Result Solve12(int region, double p, double y, bool isH) {
  double T = region == 1 ? (isH ? Region1Tph(p, y) : Region1Tps(p, y)) : (isH ? Region2Tph(p, y) : Region2Tps(p, y));
  if (!std::isfinite(T)) T = region == 1 ? 400.0 : 700.0;
  for (int k = 0; k < kMaxPasses; ++k) {
    const Properties q = R12(region, p, T);
    const double step = (Y(q, isH) - y) / (isH ? q.cp : q.cp / T);
    T = std::fmin(std::fmax(T - step, kTmin - 20.0), kTmax + 50.0);
    if (std::fabs(step) < 1e-12 * T) {
      const Properties f = R12(region, p, T);
      return Single(region, p, T, f);
    }
  }
  return Fail(Error::kNoConvergence, kNoConv);
}

// Region 3 at a given p: Newton in (rho, T) on p and h (or s).
Result Solve3(double p, double y, bool isH) {
  double T = isH ? Region3Tph(p, y) : Region3Tps(p, y);
  double rho = 1.0 / (isH ? Region3Vph(p, y) : Region3Vps(p, y));
  for (int k = 0; k < kMaxPasses; ++k) {
    const State3 st = Region3(rho, T);
    const double f1 = st.p - p, f2 = Y(st.props, isH) - y;
    const double a = st.dpdrho, b = st.dpdt, c = isH ? st.dhdrho : st.dsdrho, d = isH ? st.dhdt : st.dsdt;
    const double det = a * d - b * c;
    double dr = (f1 * d - b * f2) / det, dt = (a * f2 - c * f1) / det;
    dr = std::fmax(std::fmin(dr, 0.2 * rho), -0.2 * rho);
    dt = std::fmax(std::fmin(dt, 20.0), -20.0);
    rho -= dr;
    T -= dt;
    if (std::fabs(dr) < 1e-12 * rho && std::fabs(dt) < 1e-11 * T) {
      const State3 f = Region3(rho, T);
      return Single(3, f.p, T, f.props);
    }
  }
  return Fail(Error::kNoConvergence, kNoConv);
}

// Saturated states by temperature.
bool SatT(double T, Sat* sat) { return SatAt(Psat(T), T, sat); }

// Saturated states by pressure. Above 623.15 K Tsat(p) takes one Newton step on psat(T) = p: the two equations
// then agree to rounding, where they differ by ~1e-11 K before, which near the critical point moves region 3's
// phases by up to 1e-4 kJ/kg.
bool SatP(double p, Sat* sat) {
  double T = Tsat(p);
  if (p <= Psat(kT13))
    T = std::fmin(T, kT13);
  else
    T = std::fmin(T - (Psat(T) - p) / DPsatDT(T), kTc);
  return SatAt(p, T, sat);
}

// Bounds that the range checks of FromPY are sure to pass, so they need no evaluation: above them
// water at 273.15 K (h at most 95.39 kJ/kg, s 0.000476 kJ/(kg K) from psat up to 100 MPa), below them
// steam at 1073.15 K, whose h and s fall with the pressure (their values at 1, 10 and 100 MPa:
// h 4156.1, 4114.7, 3715.2; s 8.5024, 7.4087, 6.0405).
bool AboveTmin(double p, double y, bool isH) { return p >= kPsatMin && y > (isH ? 96.0 : 0.001); }
bool BelowTmax(double p, double y, bool isH) {
  if (p <= 1.0) return y < (isH ? 4156.0 : 8.5);
  if (p <= 10.0) return y < (isH ? 4114.0 : 7.4);
  return y < (isH ? 3715.0 : 6.04);
}

Result FromPY(double p, double y, bool isH) {
  Result r;
  if (POutOfRange(p, &r)) return r;
  if (!AboveTmin(p, y, isH) && y < Y(p >= kPsatMin ? Region1(p, kTmin) : Region2(p, kTmin), isH))
    return Fail(Error::kOutOfRange, kTLow);
  if (!BelowTmax(p, y, isH) && y > Y(Region2(p, kTmax), isH)) return Fail(Error::kOutOfRange, kTHigh);
  if (p < Psat(kT13)) {
    if (p < kPsatMin) return Solve12(2, p, y, isH);
    const double T = Tsat(p);
    Sat sat;
    if (T <= kT13) {
      // Steam beyond the saturated vapour needs no liquid.
      sat.vap = Region2(p, T);
      if (y > Y(sat.vap, isH)) return Solve12(2, p, y, isH);
      sat.p = p;
      sat.T = T;
      sat.liq = Region1(p, T);
    } else {
      SatAt(p, T, &sat);
    }
    const double yl = Y(sat.liq, isH), yv = Y(sat.vap, isH);
    if (y < yl) return Solve12(1, p, y, isH);
    if (y > yv) return Solve12(2, p, y, isH);
    return Wet(sat, (y - yl) / (yv - yl));
  }
  if (y <= Y(Region1(p, kT13), isH)) return Solve12(1, p, y, isH);
  if (y >= Y(Region2(p, B23T(p)), isH)) return Solve12(2, p, y, isH);
  if (p < kPc) {
    Sat sat;
    if (!SatP(p, &sat)) return Fail(Error::kNoConvergence, kNoConv);
    const double yl = Y(sat.liq, isH), yv = Y(sat.vap, isH);
    if (y >= yl && y <= yv) return Wet(sat, (y - yl) / (yv - yl));
  }
  return Solve3(p, y, isH);
}

// Where y turns along region 1's isotherm at T between ps and 100 MPa: the root of dy/dp.
double LiquidTurn(double T, double ps, bool isH) {
  auto f = [&](double p, double* df) {
    const double d = DYdp(Region1(p, T), T, isH), dp = 1e-6 * p;
    *df = (DYdp(Region1(p + dp, T), T, isH) - d) / dp;
    return d;
  };
  double p = kPmax;
  // y is flat at the turn: where it lies matters to y only in the second order.
  detail::BracketedNewton(f, ps, kPmax, 0.5 * (ps + kPmax), 1e-9 * kPmax, 0.0, &p);
  return p;
}

// T,h and T,s: a bracketed search in p (regions 1, 2) or in rho (region 3) along the isotherm.
Result FromTY(double t, double y, bool isH) {
  const double T = t + kT0;
  Result r;
  if (TOutOfRange(T, &r)) return r;
  const double tol = isH ? kTolH : kTolS;
  // Single phase in region 1 or 2 with p in [lo, hi].
  auto search12 = [&](int region, double lo, double hi) {
    const double flo = Y(R12(region, lo, T), isH) - y, fhi = Y(R12(region, hi, T), isH) - y;
    if (std::fabs(flo) <= tol || std::fabs(fhi) <= tol) {
      const double p = std::fabs(flo) <= tol ? lo : hi;
      const Properties q = R12(region, p, T);
      Result res = Single(region, p, T, q);
      res.dp = tol / std::fabs(DYdp(q, T, isH));
      return res;
    }
    if ((flo < 0) == (fhi < 0)) {
      if (region == 2 && lo == kPmin) return Fail(Error::kNoState, kNoGas);
      return Fail(region == 1 || hi == kPmax ? Error::kOutOfRange : Error::kNoState,
                  region == 1 || hi == kPmax ? kPHigh : kNoState);
    }
    auto f = [&](double p, double* df) {
      const Properties q = R12(region, p, T);
      *df = DYdp(q, T, isH);
      return Y(q, isH) - y;
    };
    double p = 0;
    if (!detail::BracketedNewton(f, lo, hi, std::sqrt(lo * hi), 1e-15 * hi, 1e-3 * tol, &p))
      return Fail(Error::kNoConvergence, kNoConv);
    const Properties q = R12(region, p, T);
    Result res = Single(region, p, T, q);
    res.dp = tol / std::fabs(DYdp(q, T, isH));
    return res;
  };
  auto search3 = [&](double lo, double hi) {
    auto f = [&](double rho, double* df) {
      const State3 st = Region3(rho, T);
      *df = isH ? st.dhdrho : st.dsdrho;
      return Y(st.props, isH) - y;
    };
    double rho = 0;
    if (!detail::BracketedNewton(f, lo, hi, 0.5 * (lo + hi), 1e-13 * hi, 1e-3 * tol, &rho))
      return Fail(Error::kNoConvergence, kNoConv);
    const State3 st = Region3(rho, T);
    Result res = Single(3, st.p, T, st.props);
    res.dp = tol / std::fabs((isH ? st.dhdrho : st.dsdrho) / st.dpdrho);
    return res;
  };
  if (T <= kT13) {
    Sat sat;
    SatAt(Psat(T), T, &sat);
    const Properties top = Region1(kPmax, T);
    const double yl = Y(sat.liq, isH), yv = Y(sat.vap, isH), ytop = Y(top, isH);
    // Along the liquid's isotherm y turns at most once (h has a minimum at 250-340 C, s a maximum below 4 C).
    // Between the ends' values the whole isotherm holds one root; beyond both, on the side where y turns, the
    // turn splits it into two monotonic parts, and the lower pressures are searched first. Cold compressed
    // water can share h with a wet state at the same T: the liquid is meant.
    const double slopeLo = DYdp(sat.liq, T, isH), slopeHi = DYdp(top, T, isH);
    double pe = kPmax, ye = ytop;
    if ((slopeLo < 0) != (slopeHi < 0) && (slopeLo < 0 ? y < std::fmin(yl, ytop) : y > std::fmax(yl, ytop))) {
      pe = LiquidTurn(T, sat.p, isH);
      ye = Y(Region1(pe, T), isH);
    }
    if ((y - yl) * (y - ye) <= 0) return search12(1, sat.p, pe);
    if ((y - ye) * (y - ytop) <= 0) return search12(1, pe, kPmax);
    if (y > yv) return search12(2, kPmin, sat.p);
    if (y >= yl) return Wet(sat, (y - yl) / (yv - yl));
    // Below the minimum no pressure reaches y; otherwise only one above the limit.
    if (pe < kPmax && y < ye) return Fail(Error::kNoState, kNoState);
    return Fail(Error::kOutOfRange, kPHigh);
  }
  const double pb = T < kT23max ? B23P(T) : kPmax;
  if (y >= Y(Region2(pb, T), isH) - (T >= kT23max ? tol : 0.0)) return search12(2, kPmin, pb);
  if (T >= kT23max) return Fail(Error::kOutOfRange, kPHigh);
  const double rb = Region3Rho(pb, T), rmax = Region3Rho(kPmax, T);
  if (!(rb > 0 && rmax > 0)) return Fail(Error::kNoConvergence, kNoConv);
  if (y < Y(Region3(rmax, T).props, isH) - tol) return Fail(Error::kOutOfRange, kPHigh);
  if (T < kTc) {
    Sat sat;
    if (!SatAt(Psat(T), T, &sat)) return Fail(Error::kNoConvergence, kNoConv);
    const double yl = Y(sat.liq, isH), yv = Y(sat.vap, isH);
    if (y > yv) return search3(rb, 1.0 / sat.vap.v);
    if (y < yl) return search3(1.0 / sat.liq.v, rmax);
    return Wet(sat, (y - yl) / (yv - yl));
  }
  return search3(rb, rmax);
}

// A search that keeps leaving the formulation's range is after a state beyond it: none there.
constexpr int kOutside = 10;

// Whether (p, T) lies in the region, or on its boundary but for rounding.
bool InRegion(int region, double p, double T) {
  static constexpr double kShift[] = {0.0, 1e-12, -1e-12};
  for (double dp : kShift) {
    for (double dt : kShift) {
      if (RegionPT(p * (1 + dp), T * (1 + 0.1 * dt)) == region) return true;
    }
  }
  return false;
}

// h,s in one region from its backward p(h,s): Newton on (p, T) for regions 1 and 2, (rho, T) for 3.
bool HsIn(int region, double h, double s, Result* out) {
  if (region == 3) {
    double p = Region3Phs(h, s);
    if (!(p > 0 && p <= 2 * kPmax)) p = 30.0;
    double T = Region3Tph(p, h), rho = 1.0 / Region3Vph(p, h);
    if (!(rho > 0 && T > 0)) return false;
    int outside = 0;  // passes far outside region 3's temperatures or pressures
    for (int k = 0; k < kMaxPasses; ++k) {
      const State3 st = Region3(rho, T);
      const double f1 = st.props.h - h, f2 = st.props.s - s;
      const double det = st.dhdrho * st.dsdt - st.dhdt * st.dsdrho;
      double dr = (f1 * st.dsdt - st.dhdt * f2) / det, dt = (st.dhdrho * f2 - st.dsdrho * f1) / det;
      dr = std::fmax(std::fmin(dr, 0.2 * rho), -0.2 * rho);
      dt = std::fmax(std::fmin(dt, 20.0), -20.0);
      rho -= dr;
      T -= dt;
      if (!std::isfinite(rho) || rho <= 0) return false;
      if ((T > kTmax + 100.0 || T < kT13 - 100.0 || st.p > 2 * kPmax || st.p < 0) && ++outside >= kOutside)
        return false;
      if (std::fabs(dr) < 1e-12 * rho && std::fabs(dt) < 1e-11 * T) {
        const State3 f = Region3(rho, T);
        if (!(f.p <= kPmax * (1 + 1e-12) && InRegion(3, f.p, T))) return false;
        // Between the saturated densities the basic equation is metastable or unstable: not a state.
        double rl = 0, rv = 0;
        if (T <= kTc && Region3SatRho(Psat(T), T, &rl, &rv) && rho < rl && rho > rv) return false;
        *out = Single(3, f.p, T, f.props);
        return true;
      }
    }
    return false;
  }
  double p = region == 1 ? Region1Phs(h, s) : Region2Phs(h, s);
  if (!(p > 0) || !std::isfinite(p)) p = region == 1 ? 10.0 : 0.1;
  p = std::fmin(p, kPmax);
  double T = region == 1 ? Region1Tph(p, h) : Region2Tph(p, h);
  if (!std::isfinite(T)) T = region == 1 ? 400.0 : 700.0;
  T = std::fmin(std::fmax(T, kTmin - 20.0), kTmax + 50.0);
  int outside = 0;  // passes at a temperature bound or far above the pressure limit
  for (int k = 0; k < kMaxPasses; ++k) {
    const Properties q = R12(region, p, T);
    const double f1 = q.h - h, f2 = q.s - s;
    // In water at low pressure h fixes p only to ~1e-10 MPa: once h and s are met to rounding, the steps are noise.
    if (std::fabs(f1) <= 1e-11 + 1e-14 * std::fabs(h) && std::fabs(f2) <= 1e-14 * (1.0 + std::fabs(s))) {
      if (!InRegion(region, p, T)) return false;
      *out = Single(region, p, T, q);
      return true;
    }
    const double a = 1000.0 * (q.v - T * q.dvdt), b = q.cp, c = -1000.0 * q.dvdt, d = q.cp / T;
    const double det = a * d - b * c;
    double dp = (f1 * d - b * f2) / det, dt = (a * f2 - c * f1) / det;
    dp = std::fmax(std::fmin(dp, 0.5 * p), -0.5 * p);
    dt = std::fmax(std::fmin(dt, 50.0), -50.0);
    p -= dp;
    T = std::fmin(std::fmax(T - dt, kTmin - 20.0), kTmax + 50.0);
    if (!std::isfinite(p)) return false;
    if ((T <= kTmin - 20.0 || T >= kTmax + 50.0 || p > 2 * kPmax) && ++outside >= kOutside) return false;
    if (std::fabs(dp) < 1e-13 * p && std::fabs(dt) < 1e-12 * T) {
      if (!InRegion(region, p, T)) return false;
      *out = Single(region, p, T, R12(region, p, T));
      return true;
    }
  }
  return false;
}

// Whether a region's backward p(h,s) and T(p,h) put the state inside that region: then it is tried first.
bool BackwardLandsIn(int region, double h, double s) {
  const double p = region == 1 ? Region1Phs(h, s) : region == 2 ? Region2Phs(h, s) : Region3Phs(h, s);
  if (!(p > 0 && p <= kPmax)) return false;
  const double T = region == 1 ? Region1Tph(p, h) : region == 2 ? Region2Tph(p, h) : Region3Tph(p, h);
  return RegionPT(p, T) == region;
}

}  // namespace

Result FromPT(double p, double t) {
  const double T = t + kT0;
  Result r;
  if (POutOfRange(p, &r) || TOutOfRange(T, &r)) return r;
  const int region = RegionPT(p, T);
  Properties q;
  if (!detail::StateIn(region, p, T, &q)) return Fail(Error::kNoConvergence, kNoConv);
  return Single(region, p, T, q);
}

Result FromPH(double p, double h) { return FromPY(p, h, true); }
Result FromPS(double p, double s) { return FromPY(p, s, false); }
Result FromTH(double t, double h) { return FromTY(t, h, true); }
Result FromTS(double t, double s) { return FromTY(t, s, false); }

Result FromXT(double x, double t) {
  const double T = t + kT0;
  Result r;
  if (!(x >= 0 && x <= 1)) return Fail(Error::kOutOfRange, kXRange);
  if (TOutOfRange(T, &r)) return r;
  if (T > kTc) return Fail(Error::kNoState, kNoSatT);
  Sat sat;
  if (!SatT(T, &sat)) return Fail(Error::kNoConvergence, kNoConv);
  return Wet(sat, x);
}

Result FromXP(double x, double p) {
  if (!(x >= 0 && x <= 1)) return Fail(Error::kOutOfRange, kXRange);
  Result r;
  if (POutOfRange(p, &r)) return r;
  if (p < kPsatMin || p > kPc) return Fail(Error::kNoState, kNoSatP);
  Sat sat;
  if (!SatP(p, &sat)) return Fail(Error::kNoConvergence, kNoConv);
  return Wet(sat, x);
}

Result FromHS(double h, double s) {
  // A stable single-phase state is the only state with these h and s: try the regions' backward equations
  // first (each checks that its state is stable), and search the saturation dome only when none fits.
  // Well inside the dome no single phase can have them, so the wet state is solved first there.
  static constexpr int kLiquidFirst[] = {1, 3, 2};
  static constexpr int kSteamFirst[] = {2, 3, 1};
  Result r;
  if (detail::InsideDome(h, s) && detail::WetFromHS(h, s, &r) == detail::WetHs::kWet) return r;
  for (int region : s <= kS3ab ? kLiquidFirst : kSteamFirst) {
    if (BackwardLandsIn(region, h, s) && HsIn(region, h, s, &r)) return r;
  }
  switch (detail::WetFromHS(h, s, &r)) {
    case detail::WetHs::kWet:
      return r;
    case detail::WetHs::kBelowTriple:
      return Fail(Error::kOutOfRange, kTLow);
    case detail::WetHs::kNoConvergence:
      return Fail(Error::kNoConvergence, kNoConv);
    case detail::WetHs::kNotWet:
      break;
  }
  // At one entropy the enthalpy rises with the pressure (dh = v dp) and the temperature with it:
  // above the isentrope's point at 100 MPa or at 1073.15 K the state lies beyond the formulation.
  const Result top = FromPS(kPmax, s);
  if (top.ok() && h > top.h + 1e-6) return Fail(Error::kOutOfRange, kPHigh);
  const Result hot = FromTS(kTmax - kT0, s);
  if (hot.ok() && h > hot.h + 1e-6) return Fail(Error::kOutOfRange, kTHigh);
  // No state of the formulation has less entropy than water at 273.15 K and 100 MPa (-0.0085823).
  if (s < -0.0086) return Fail(Error::kNoState, kNoState);
  if (s > 9.156) {
    // Steam with more entropy than the triple point's vapour (9.1555): its isentrope ends at 273.15 K,
    // or at the lowest pressure searched where it is hotter there, and the enthalpy falls along it.
    const Result cold = FromTS(kTmin - kT0, s);
    if (cold.ok() && h < cold.h - 1e-6) return Fail(Error::kOutOfRange, kTLow);
    if (!cold.ok()) {
      const Result thin = FromPS(kPmin, s);
      if (thin.ok() && h < thin.h - 1e-6) return Fail(Error::kNoState, kNoState);
    }
  }
  for (int region : s <= kS3ab ? kLiquidFirst : kSteamFirst) {
    if (!BackwardLandsIn(region, h, s) && HsIn(region, h, s, &r)) return r;
  }
  return Fail(Error::kNoState, kNoState);
}

}  // namespace kal::if97
