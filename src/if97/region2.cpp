#include "if97/region2.h"

#include <cmath>

#include "if97/coeffs_region2.h"
#include "if97/terms.h"

namespace kal::if97 {

Properties Region2(double p, double T) {
  const double pi = p;
  const double tau = 540.0 / T;
  const Powers<-7, 3> t0(tau);
  double g0 = std::log(pi), g0t = 0, g0tt = 0;
  for (const Term& r : coef::kR2Ideal) {
    g0 += r.n * t0(r.j);
    g0t += r.n * r.j * t0(r.j - 1);
    g0tt += r.n * r.j * (r.j - 1) * t0(r.j - 2);
  }
  const GibbsSums q = SumTerms<coef::kR2Res, 0, 24, 0, 58>(pi, tau - 0.5);
  const double gr = q.g, grp = q.ga, grpp = q.gaa, grt = q.gb, grtt = q.gbb, grpt = q.gab;
  Properties o;
  const double rt = kR * T;
  const double pgp = 1.0 + pi * grp;  // pi * (gamma0_pi + gammar_pi)
  const double tgt = tau * (g0t + grt);
  const double gtt = g0tt + grtt;
  o.v = rt * pgp / (p * 1000.0);
  o.h = rt * tgt;
  o.u = rt * (tgt - pgp);
  o.s = kR * (tgt - (g0 + gr));
  o.cp = -kR * tau * tau * gtt;
  const double d = 1.0 + pi * grp - tau * pi * grpt;
  const double c = 1.0 - pi * pi * grpp;
  o.cv = kR * (-tau * tau * gtt - d * d / c);
  o.w = std::sqrt(rt * 1000.0 * (1.0 + 2.0 * pi * grp + pi * pi * grp * grp) / (c + d * d / (tau * tau * gtt)));
  o.dvdt = kR * d / (p * 1000.0);
  return o;
}

double B2bcH(double p) { return 0.26526571908428e4 + std::sqrt((p - 0.45257578905948e1) / 1.2809002730136e-4); }

double B2bcP(double h) { return 905.84278514723 - 0.67955786399241 * h + 1.2809002730136e-4 * h * h; }

double B2abH(double s) {
  return -0.349898083432139e4 + s * (0.257560716905876e4 + s * (-0.421073558227969e3 + s * 0.276349063799944e2));
}

double Region2Tph(double p, double h) {
  const double eta = h / 2000.0;
  if (p <= 4.0) return BackwardSum(coef::kR2aTph, p, eta - 2.1);
  if (p <= 6.546699678 || h >= B2bcH(p)) return BackwardSum(coef::kR2bTph, p - 2.0, eta - 2.6);
  return BackwardSum(coef::kR2cTph, p + 25.0, eta - 1.8);
}

double Region2Tps(double p, double s) {
  if (p <= 4.0) return BackwardSum(coef::kR2aTps, p, s / 2.0 - 2.0);
  if (s >= 5.85) return BackwardSum(coef::kR2bTps, p, 10.0 - s / 0.7853);
  return BackwardSum(coef::kR2cTps, p, 2.0 - s / 2.9251);
}

double Region2Phs(double h, double s) {
  if (h <= B2abH(s)) return 4.0 * std::pow(BackwardSum(coef::kR2aPhs, h / 4200.0 - 0.5, s / 12.0 - 1.2), 4);
  if (s >= 5.85) return 100.0 * std::pow(BackwardSum(coef::kR2bPhs, h / 4100.0 - 0.6, s / 7.9 - 1.01), 4);
  return 100.0 * std::pow(BackwardSum(coef::kR2cPhs, h / 3500.0 - 0.7, s / 5.9 - 1.1), 4);
}

}  // namespace kal::if97
