#include "if97/viscosity.h"

#include <cmath>

#include "if97/constants.h"
#include "if97/terms.h"

namespace kal::if97 {
namespace {
constexpr double kH0[] = {1.67752, 2.20462, 0.6366564, -0.241605};
constexpr Term kH1[] = {{0, 0, 0.520094},     {1, 0, 0.850895e-1}, {2, 0, -0.108374e1}, {3, 0, -0.289555},
                        {0, 1, 0.222531},     {1, 1, 0.999115},    {2, 1, 0.188797e1},  {3, 1, 0.126613e1},
                        {5, 1, 0.120573},     {0, 2, -0.281378},   {1, 2, -0.906851},   {2, 2, -0.772479},
                        {3, 2, -0.489837},    {4, 2, -0.257040},   {0, 3, 0.161913},    {1, 3, 0.257399},
                        {0, 4, -0.325372e-1}, {3, 4, 0.698452e-1}, {4, 5, 0.872102e-2}, {3, 6, -0.435673e-2},
                        {5, 6, -0.593264e-3}};
}  // namespace

double Viscosity(double rho, double T) {
  const double tr = T / kTc;
  const double dr = rho / kRhoc;
  double sum0 = 0.0;
  for (int i = 3; i >= 0; --i) sum0 = sum0 / tr + kH0[i];
  const double mu0 = 100.0 * std::sqrt(tr) / sum0;
  const Powers<0, 5> a(1.0 / tr - 1.0);
  const Powers<0, 6> b(dr - 1.0);
  double sum1 = 0.0;
  for (const Term& r : kH1) sum1 += r.n * a(r.i) * b(r.j);
  return mu0 * std::exp(dr * sum1) * 1e-6;
}

}  // namespace kal::if97
