#include "if97/state.h"

#include <limits>

#include "if97/region1.h"
#include "if97/region2.h"
#include "if97/region3.h"
#include "if97/region4.h"
#include "if97/viscosity.h"

namespace kal::if97 {

int RegionPT(double p, double T) {
  if (!(p > 0 && p <= kPmax * (1 + 1e-12) && T >= kTmin - 1e-9 && T <= kTmax + 1e-9)) return 0;
  if (T <= kT13) return p >= Psat(T) ? 1 : 2;
  return p > B23P(T) ? 3 : 2;
}

bool PropertiesPT(double p, double T, Properties* out) { return PropertiesIn(RegionPT(p, T), p, T, out); }

bool PropertiesIn(int region, double p, double T, Properties* out) {
  return region >= 1 && region <= 3 && detail::StateIn(region, p, T, out);
}

namespace detail {

bool StateIn(int region, double p, double T, Properties* q) {
  if (region == 1) {
    *q = Region1(p, T);
  } else if (region == 2) {
    *q = Region2(p, T);
  } else {
    const double rho = Region3Rho(p, T);
    if (!(rho > 0)) return false;
    *q = Region3(rho, T).props;
  }
  return true;
}

bool SatAt(double p, double T, Sat* out) {
  out->p = p;
  out->T = T;
  if (T <= kT13) {
    out->liq = Region1(p, T);
    out->vap = Region2(p, T);
    return true;
  }
  double rl = 0, rv = 0;
  if (!Region3SatRho(p, T, &rl, &rv)) return false;
  out->liq = Region3(rl, T).props;
  out->vap = Region3(rv, T).props;
  return true;
}

Result Fail(Error e, const char* why) {
  Result r;
  r.error = e;
  r.reason = why;
  return r;
}

Result Single(int region, double p, double T, const Properties& q) {
  Result r;
  r.region = region;
  r.p = p;
  r.t = T - kT0;
  r.h = q.h;
  r.s = q.s;
  r.v = q.v;
  r.x = -1;
  r.mu = Viscosity(1.0 / q.v, T);
  return r;
}

Result Wet(const Sat& sat, double x) {
  Result r;
  r.region = 4;
  r.p = sat.p;
  r.t = sat.T - kT0;
  r.x = x;
  r.h = sat.liq.h + x * (sat.vap.h - sat.liq.h);
  r.s = sat.liq.s + x * (sat.vap.s - sat.liq.s);
  r.v = sat.liq.v + x * (sat.vap.v - sat.liq.v);
  if (x == 0) {
    r.mu = Viscosity(1.0 / sat.liq.v, sat.T);
  } else if (x == 1) {
    r.mu = Viscosity(1.0 / sat.vap.v, sat.T);
  } else {
    r.mu = std::numeric_limits<double>::quiet_NaN();
  }
  return r;
}

}  // namespace detail
}  // namespace kal::if97
