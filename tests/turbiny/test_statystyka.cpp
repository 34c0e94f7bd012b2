// The statistics of a column against values known in closed form: a linear trend with noise that
// is orthogonal to it, at epoch times and with a large offset.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "turbiny/statystyka.h"

namespace kal::turbiny {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Statystyka, TrendLiniowyZSzumemOrtogonalnym) {
  // x_i = a + b·t_i + e·(+1, −1, −1, +1, …): the noise sums to zero and is orthogonal to a linear
  // trend over each block of four, so with n a multiple of 4 the slope is exactly b, the mean is
  // a + b·t̄ and (n − 1)·s² = b²·Σ(t − t̄)² + n·e².
  struct Przypadek {
    double a, b, e, t0, dt;
    int n;
  };
  const Przypadek tabela[] = {
      {12.74, 0, 0.004, 0, 1, 720},               // steady, noise only
      {535.1, 1e-4, 0.3, 1773482400, 1, 7200},    // a slow rise at epoch seconds
      {3.62, -2e-6, 0.001, 1773482400, 10, 360},  // a slow fall, 10-s readings
      {1e6, 1e-3, 1e-3, 1773482400, 1, 400},      // a large offset: a one-pass sum would lose s
      {99.2, 0.5, 0, 0, 0.5, 8},                  // a pure trend, few samples
  };
  for (const Przypadek& p : tabela) {
    std::vector<double> t, x;
    static const int kZnak[] = {1, -1, -1, 1};
    for (int i = 0; i < p.n; ++i) {
      t.push_back(p.t0 + i * p.dt);
      x.push_back(p.a + p.b * (i * p.dt) + p.e * kZnak[i % 4]);
    }
    const double T = (p.n - 1) * p.dt, tSr = T / 2;
    const double n = p.n;
    const double stt = p.dt * p.dt * n * (n * n - 1) / 12;  // Σ(t − t̄)² of equal steps
    const double s = std::sqrt((p.b * p.b * stt + n * p.e * p.e) / (n - 1));
    double fl = 0;
    for (int i = 0; i < p.n; ++i) fl = std::max(fl, std::fabs(p.b * (i * p.dt - tSr) + p.e * kZnak[i % 4]));

    const StatystykaSerii w = ObliczStatystyke(t, x, t.front(), t.back());
    const double tol = 1e-9 * std::max(1.0, std::fabs(p.a));
    EXPECT_EQ(w.n, static_cast<std::size_t>(p.n));
    EXPECT_EQ(w.brak, 0u);
    EXPECT_NEAR(w.srednia, p.a + p.b * tSr, tol) << p.a;
    EXPECT_NEAR(w.s, s, 1e-7 * s + 1e-12) << p.a;
    EXPECT_NEAR(w.uRandom, s / std::sqrt(n), 1e-7 * s + 1e-12) << p.a;
    EXPECT_NEAR(w.fluktuacja, fl, tol) << p.a;
    EXPECT_NEAR(w.dryf, p.b * T, 1e-9 * std::fabs(p.b * T) + 1e-9) << p.a;
    EXPECT_DOUBLE_EQ(w.min, *std::min_element(x.begin(), x.end()));
    EXPECT_DOUBLE_EQ(w.max, *std::max_element(x.begin(), x.end()));
  }
}

TEST(Statystyka, OknoIBraki) {
  // Missing samples are counted only inside the window; the drift spans the valid samples only.
  const std::vector<double> t = {0, 1, 2, 3, 4, 5, 6, 7};
  const std::vector<double> x = {kNaN, 10, kNaN, 12, 13, kNaN, 15, kNaN};
  struct Przypadek {
    double od, do_;
    std::size_t n, brak;
    double srednia, dryf;
  } tabela[] = {
      {0, 7, 4, 4, 12.5, 5},  // x = 9 + t on t = 1, 3, 4, 6: slope 1 over 6 − 1 s
      {1, 4, 3, 1, 35.0 / 3, 3},
      {2, 2, 0, 1, kNaN, kNaN},
      {4, 4, 1, 0, 13, kNaN},
  };
  for (const Przypadek& p : tabela) {
    const StatystykaSerii w = ObliczStatystyke(t, x, p.od, p.do_);
    EXPECT_EQ(w.n, p.n) << p.od;
    EXPECT_EQ(w.brak, p.brak) << p.od;
    if (std::isnan(p.srednia))
      EXPECT_TRUE(std::isnan(w.srednia) && std::isnan(w.fluktuacja) && std::isnan(w.min));
    else
      EXPECT_NEAR(w.srednia, p.srednia, 1e-12);
    if (std::isnan(p.dryf))
      EXPECT_TRUE(std::isnan(w.dryf) && std::isnan(w.s) && std::isnan(w.uRandom)) << p.od;
    else
      EXPECT_NEAR(w.dryf, p.dryf, 1e-12);
  }
}

}  // namespace
}  // namespace kal::turbiny
