#include "if97/region1.h"

#include <cmath>

#include "if97/coeffs_region1.h"
#include "if97/terms.h"

namespace kal::if97 {

Properties Region1(double p, double T) {
  const double pi = p / 16.53;
  const double tau = 1386.0 / T;
  // a = 7.1 - pi, so each derivative in pi changes sign.
  const GibbsSums q = SumTerms<coef::kR1, 0, 32, -41, 17>(7.1 - pi, tau - 1.222);
  const double g = q.g, gp = -q.ga, gpp = q.gaa, gt = q.gb, gtt = q.gbb, gpt = -q.gab;
  Properties o;
  const double rt = kR * T;
  o.v = rt * pi * gp / (p * 1000.0);
  o.h = rt * tau * gt;
  o.u = rt * (tau * gt - pi * gp);
  o.s = kR * (tau * gt - g);
  o.cp = -kR * tau * tau * gtt;
  const double d = gp - tau * gpt;
  o.cv = kR * (-tau * tau * gtt + d * d / gpp);
  o.w = std::sqrt(rt * 1000.0 * gp * gp / (d * d / (tau * tau * gtt) - gpp));
  o.dvdt = kR * pi * d / (p * 1000.0);
  return o;
}

double Region1Tph(double p, double h) { return BackwardSum(coef::kR1Tph, p, h / 2500.0 + 1.0); }

double Region1Tps(double p, double s) { return BackwardSum(coef::kR1Tps, p, s + 2.0); }

double Region1Phs(double h, double s) { return 100.0 * BackwardSum(coef::kR1Phs, h / 3400.0 + 0.05, s / 7.6 + 0.05); }

}  // namespace kal::if97
