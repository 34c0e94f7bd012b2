// Region 3: the backward equations v(p,T) for the subregions 3a-3z with their boundary equations: the starts
// of the densities at (p, T) and on the saturation line.
#include <cmath>

#include "if97/coeffs_region3_vpt.h"
#include "if97/region3.h"
#include "if97/region4.h"
#include "if97/terms.h"

namespace kal::if97 {
namespace {

constexpr double kPsat643 = 21.04336732;     // MPa, psat(643.15 K): lower end of the near-critical subregions
constexpr double kP3cd = 19.00881189173929;  // MPa, where T3cd meets the saturation line
constexpr double kP3uy = 21.93161551;        // MPa, where 3y begins on the liquid side
constexpr double kP3zx = 21.90096265;        // MPa, where 3z begins on the vapour side

double Poly(const double (&n)[5], double x, int terms) {
  double r = 0;
  for (int i = terms - 1; i >= 0; --i) r = r * x + n[i];
  return r;
}

// n0 + n1 ln p + n2 ln^2 p + n3 / ln p + n4 / ln^2 p
double LogForm(const double (&n)[5], double p) {
  const double l = std::log(p);
  return n[0] + l * (n[1] + l * n[2]) + (n[3] + n[4] / l) / l;
}

constexpr double kAb[] = {0.154793642129415e4, -0.187661219490113e3, 0.213144632222113e2, -0.191887498864292e4,
                          0.918419702359447e3};
constexpr double kCd[] = {0.585276966696349e3, 0.278233532206915e1, -0.127283549295878e-1, 0.159090746562729e-3, 0};
constexpr double kGh[] = {-0.249284240900418e5, 0.428143584791546e4, -0.269029173140130e3, 0.751608051114157e1,
                          -0.787105249910383e-1};
constexpr double kIj[] = {0.584814781649163e3, -0.616179320924617, 0.260763050899562, -0.587071076864459e-2,
                          0.515308185433082e-4};
constexpr double kJk[] = {0.617229772068439e3, -0.770600270141675e1, 0.697072596851896, -0.157391839848015e-1,
                          0.137897492684194e-3};
constexpr double kMn[] = {0.535339483742384e3, 0.761978122720128e1, -0.158365725441648, 0.192871054508108e-2, 0};
constexpr double kOp[] = {0.969461372400213e3, -0.332500170441278e3, 0.642859598466067e2, 0.773845935768222e3,
                          -0.152313732937084e4};
constexpr double kQu[] = {0.565603648239126e3, 0.529062258221222e1, -0.102020639611016, 0.122240301070145e-2, 0};
constexpr double kRx[] = {0.584561202520006e3, -0.102961025163669e1, 0.243293362700452, -0.294905044740799e-2, 0};
constexpr double kUv[] = {0.528199646263062e3, 0.890579602135307e1, -0.222814134903755, 0.286791682263697e-2, 0};
constexpr double kWx[] = {0.728052609145380e1, 0.973505869861952e2, 0.147370491183191e2, 0.329196213998375e3,
                          0.873371668682417e3};

double Eval(const coef::V3Sub& sub, double p, double T) {
  double x = p / sub.p - sub.a;
  double y = T / sub.T - sub.b;
  if (sub.cinv == 2) x = std::sqrt(x);
  if (sub.dinv == 4) y = std::sqrt(std::sqrt(y));
  const Powers<-12, 36> px(x);
  const Powers<-12, 36> py(y);
  double sum = 0;
  for (int k = 0; k < sub.n; ++k) sum += sub.t[k].n * px(sub.t[k].i) * py(sub.t[k].j);
  if (sub.e == 0) return sub.v * std::exp(sum);
  if (sub.e == 4) {
    const double s2 = sum * sum;
    return sub.v * s2 * s2;
  }
  return sub.v * sum;
}

// Near-critical auxiliary subregions 3u-3z.
char AuxSub(double p, double T, bool liquid) {
  if (p <= kPc) {
    if (liquid) return p > kP3uy && T > T3Boundary(B3::kUv, p) ? 'y' : 'u';
    return p > kP3zx && T <= T3Boundary(B3::kWx, p) ? 'z' : 'x';
  }
  const bool low = p <= 22.11;
  if (T <= T3Boundary(B3::kUv, p)) return 'u';
  if (T <= T3Boundary(B3::kEf, p)) return low ? 'y' : 'v';
  if (T <= T3Boundary(B3::kWx, p)) return low ? 'z' : 'w';
  return 'x';
}

bool Liquid(double p, double T) { return p > kPc || T <= Tsat(p); }

}  // namespace

double T3Boundary(B3 which, double p) {
  switch (which) {
    case B3::kAb:
      return LogForm(kAb, p);
    case B3::kCd:
      return Poly(kCd, p, 4);
    case B3::kEf:
      return 3.727888004 * (p - kPc) + kTc;
    case B3::kGh:
      return Poly(kGh, p, 5);
    case B3::kIj:
      return Poly(kIj, p, 5);
    case B3::kJk:
      return Poly(kJk, p, 5);
    case B3::kMn:
      return Poly(kMn, p, 4);
    case B3::kOp:
      return LogForm(kOp, p);
    case B3::kQu:
      return Poly(kQu, p, 4);
    case B3::kRx:
      return Poly(kRx, p, 4);
    case B3::kUv:
      return Poly(kUv, p, 4);
    case B3::kWx:
      return LogForm(kWx, p);
  }
  return 0;
}

char Region3Sub(double p, double T, bool liquid) {
  if (p > 40) return T <= T3Boundary(B3::kAb, p) ? 'a' : 'b';
  if (p <= 22.5 && p > kPsat643 && T >= T3Boundary(B3::kQu, p) && T <= T3Boundary(B3::kRx, p)) {
    return AuxSub(p, T, liquid);
  }
  const double tcd = T3Boundary(B3::kCd, p);
  if (p > 25) {
    if (T <= tcd) return 'c';
    if (T <= T3Boundary(B3::kAb, p)) return 'd';
    return T <= T3Boundary(B3::kEf, p) ? 'e' : 'f';
  }
  if (p > 22.5) {
    if (T <= tcd) return 'c';
    if (T <= T3Boundary(B3::kGh, p)) return p > 23.5 ? 'g' : 'l';
    if (p <= 23 && T <= T3Boundary(B3::kMn, p)) return 'm';
    if (T <= T3Boundary(B3::kEf, p)) return p > 23 ? 'h' : 'n';
    if (p <= 23 && T <= T3Boundary(B3::kOp, p)) return 'o';
    if (T <= T3Boundary(B3::kIj, p)) return p > 23 ? 'i' : 'p';
    return T <= T3Boundary(B3::kJk, p) ? 'j' : 'k';
  }
  if (p > kPsat643) {
    if (T <= tcd) return 'c';
    if (T <= T3Boundary(B3::kQu, p)) return 'q';
    return T <= T3Boundary(B3::kJk, p) ? 'r' : 'k';
  }
  if (p > 20.5) {
    if (T <= tcd) return 'c';
    if (liquid) return 's';
    return T <= T3Boundary(B3::kJk, p) ? 'r' : 'k';
  }
  if (p > kP3cd) {
    if (T <= tcd) return 'c';
    return liquid ? 's' : 't';
  }
  return liquid ? 'c' : 't';
}

double Region3VptSide(double p, double T, bool liquid) {
  return Eval(coef::kV3Sub[Region3Sub(p, T, liquid) - 'a'], p, T);
}

double Region3Vpt(double p, double T) { return Region3VptSide(p, T, Liquid(p, T)); }

}  // namespace kal::if97
