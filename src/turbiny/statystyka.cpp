#include "turbiny/statystyka.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kal::turbiny {

StatystykaSerii ObliczStatystyke(const std::vector<double>& czas, const std::vector<double>& wartosc, double od,
                                 double do_) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  StatystykaSerii w{};
  w.srednia = w.s = w.uRandom = w.min = w.max = w.fluktuacja = w.dryf = kNaN;
  const std::size_t ile = std::min(czas.size(), wartosc.size());
  double suma = 0, sumaT = 0, tMin = 0, tMax = 0, xMin = 0, xMax = 0;
  for (std::size_t i = 0; i < ile; ++i) {
    const double t = czas[i];
    if (!(t >= od && t <= do_)) continue;
    const double x = wartosc[i];
    if (std::isnan(x)) {
      ++w.brak;
      continue;
    }
    if (w.n == 0) tMin = tMax = t, xMin = xMax = x;
    ++w.n;
    suma += x;
    sumaT += t - od;  // from the window's start: small numbers
    tMin = std::min(tMin, t), tMax = std::max(tMax, t);
    xMin = std::min(xMin, x), xMax = std::max(xMax, x);
  }
  if (w.n == 0) return w;
  const double n = static_cast<double>(w.n);
  // A constant column gets its value back exactly (no 1e-30 drift from the rounding of the sum).
  const double srednia = xMin == xMax ? xMin : suma / n, tSr = sumaT / n;
  double sxx = 0, stt = 0, stx = 0, poprawka = 0;
  for (std::size_t i = 0; i < ile; ++i) {
    const double t = czas[i];
    if (!(t >= od && t <= do_) || std::isnan(wartosc[i])) continue;
    const double dx = wartosc[i] - srednia, dt = (t - od) - tSr;
    sxx += dx * dx;
    poprawka += dx;
    stt += dt * dt;
    stx += dt * dx;
  }
  // The rounding left in the first pass's mean comes back as Σdx (the corrected two-pass form).
  const double srednia2 = std::clamp(srednia + poprawka / n, xMin, xMax);
  sxx -= poprawka * poprawka / n;
  w.srednia = srednia2;
  w.min = xMin, w.max = xMax;
  w.fluktuacja = std::max(xMax - srednia2, srednia2 - xMin);
  if (w.n >= 2) {
    w.s = std::sqrt(std::max(sxx, 0.0) / (n - 1));
    w.uRandom = w.s / std::sqrt(n);
    w.dryf = stt > 0 ? stx / stt * (tMax - tMin) : 0.0;
  }
  return w;
}

}  // namespace kal::turbiny
