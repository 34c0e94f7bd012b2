#include "if97/region1.h"

#include <cmath>

#include "if97/coeffs_region1.h"
#include "if97/terms.h"

namespace kal::if97 {

Properties Region1(double p, double T) {
  const double pi = p / 16.53;
  const double tau = 1386.0 / T;
  const Powers<-2, 32> a(7.1 - pi);
  const Powers<-43, 17> b(tau - 1.222);
  double g = 0, gp = 0, gpp = 0, gt = 0, gtt = 0, gpt = 0;
  for (const Term& r : coef::kR1) {
    const double n = r.n;
    g += n * a(r.i) * b(r.j);
    gp -= n * r.i * a(r.i - 1) * b(r.j);
    gpp += n * r.i * (r.i - 1) * a(r.i - 2) * b(r.j);
    gt += n * r.j * a(r.i) * b(r.j - 1);
    gtt += n * r.j * (r.j - 1) * a(r.i) * b(r.j - 2);
    gpt -= n * r.i * r.j * a(r.i - 1) * b(r.j - 1);
  }
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
