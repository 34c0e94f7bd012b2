#include "if97/region4.h"

#include <cmath>

namespace kal::if97 {
namespace {
constexpr double kN[] = {0.0,
                         0.11670521452767e4,
                         -0.72421316703206e6,
                         -0.17073846940092e2,
                         0.12020824702470e5,
                         -0.32325550322333e7,
                         0.14915108613530e2,
                         -0.48232657361591e4,
                         0.40511340542057e6,
                         -0.23855557567849,
                         0.65017534844798e3};
constexpr double kB23[] = {0.34805185628969e3, -0.11671859879975e1, 0.10192970039326e-2, 0.57254459862746e3,
                           0.13918839778870e2};
}  // namespace

double Psat(double T) {
  const double th = T + kN[9] / (T - kN[10]);
  const double a = th * th + kN[1] * th + kN[2];
  const double b = kN[3] * th * th + kN[4] * th + kN[5];
  const double c = kN[6] * th * th + kN[7] * th + kN[8];
  const double r = 2.0 * c / (-b + std::sqrt(b * b - 4.0 * a * c));
  return r * r * r * r;
}

// The saturation equation is a quadratic in beta = p^(1/4) with coefficients quadratic in theta:
// differentiated implicitly.
double DPsatDT(double T) {
  const double u = T - kN[10];
  const double th = T + kN[9] / u;
  const double a = th * th + kN[1] * th + kN[2];
  const double b = kN[3] * th * th + kN[4] * th + kN[5];
  const double c = kN[6] * th * th + kN[7] * th + kN[8];
  const double beta = 2.0 * c / (-b + std::sqrt(b * b - 4.0 * a * c));
  const double num = (2.0 * th + kN[1]) * beta * beta + (2.0 * kN[3] * th + kN[4]) * beta + 2.0 * kN[6] * th + kN[7];
  const double dbeta = -num / (2.0 * a * beta + b);
  return 4.0 * beta * beta * beta * dbeta * (1.0 - kN[9] / (u * u));
}

double Tsat(double p) {
  const double beta = std::sqrt(std::sqrt(p));
  const double e = beta * beta + kN[3] * beta + kN[6];
  const double f = kN[1] * beta * beta + kN[4] * beta + kN[7];
  const double g = kN[2] * beta * beta + kN[5] * beta + kN[8];
  const double d = 2.0 * g / (-f - std::sqrt(f * f - 4.0 * e * g));
  return (kN[10] + d - std::sqrt((kN[10] + d) * (kN[10] + d) - 4.0 * (kN[9] + kN[10] * d))) / 2.0;
}

double B23P(double T) { return kB23[0] + kB23[1] * T + kB23[2] * T * T; }

double B23T(double p) { return kB23[3] + std::sqrt((p - kB23[4]) / kB23[2]); }

}  // namespace kal::if97
