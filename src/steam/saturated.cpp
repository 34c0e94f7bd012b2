// Saturated water (h', s', v') and dry saturated steam (h'', s'', v'') at a saturation
// temperature: a polynomial fit with a single-precision accumulator, bent near the critical
// point, and closed formulas from 374.12 C on.
#include "common/checked.h"
#include "steam/mod_kalorimo.h"

namespace kal {

namespace {

// Horner on tab[n] .. tab[1] in x; the accumulator is a member of the steam state and is rounded
// to single after every step (tab[0] is never read).
double Horner(const double* tab, int n, double x, float& acc) {
  acc = Sng(tab[n]);
  for (int i = 1; i <= n - 1; ++i) acc = Sng(static_cast<double>(acc) * x + tab[n - i]);
  return acc;
}

constexpr double kTkr = 374.12;  // from here on the closed formulas hold

double HKryt(double t) { return Chk(474.767 + 4.33119 * t); }
double SKryt(double t) { return Chk(2.5116 + 0.005111 * t); }
constexpr double kVKryt = 0.003147;

}  // namespace

double ModKalorimo::H2t(double t) {
  if (!(t < kTkr)) return HKryt(t);
  double y = Horner(baza_.Tab6, 8, 0.01 * t, st.h2) * 1000.0;
  if (t > 300) y = y - (1e-4 * 0.1786) * Pow(Pow((t - 300) * 0.1, 2), 4);
  if (t >= 357) y = y + 6.0;
  if (t > 370) y = y - 0.05877 * Pow(t - 368.0, 4);
  return Chk(y);
}

double ModKalorimo::H1t(double t) {
  if (!(t < kTkr)) return HKryt(t);
  double y = Horner(baza_.Tab3, 10, (1e-2 * 0.15448787) * t, st.h1) * 70.1204;
  if (t >= 356.9 && t <= 374.16) y = (y + 0.2 * Pow(t - 356.9, 2)) + 2.0;
  if (t >= 369.78 && t <= 374.16) y = (y + 0.1 * Pow(t - 368.78, 4)) + 2.5;
  return Chk(y);
}

double ModKalorimo::V1t(double t) {
  if (!(t < kTkr)) return kVKryt;
  double y = Horner(baza_.Tab5, 11, 0.0015448787 * t, st.ob1) * 0.00317;
  if (t > 352) y = y + (1e-8 * 0.15) * Pow(t - 352, 4);
  if (t > 371) y = y + (1e-6 * 2.68) * Pow(t - 370, 3.2);
  return Chk(y);
}

double ModKalorimo::S1t(double t) {
  if (!(t < kTkr)) return SKryt(t);
  double y = Horner(baza_.Tab4, 11, 0.0015448787 * t, st.s1) * 0.108321148;
  if (t > 263.0) y = y + 1e-4 * 8.0;
  if (t > 324.6) y = y + 1e-4 * 12.0;
  if (t > 350) y = (y + (1e-7 * 7.92) * Pow(t - 350, 3.7)) + 1e-4 * 4.0;
  if (t > 369) y = (y + (1e-4 * 5.15) * Pow(t - 369, 3)) + 1e-4 * 6.0;
  return Chk(y);
}

double ModKalorimo::V2t(double t) {
  if (!(t < kTkr)) return kVKryt;
  double y = Exp(Horner(baza_.Tab8, 11, 0.0015448787 * t, st.ob2)) * 0.00317;
  if (t > 340) y = y + 1e-6 * 20.0;
  // The factor's base is 19, not 10: 0.92 / 19^6.
  if (t > 357) y = y - (Pow(19, -6) * 0.92) * Pow(t - 355, 2.2);
  if (t > 369) y = y - (1e-6 * 7.695) * Pow(t - 369, 2.6);
  return Chk(y);
}

double ModKalorimo::S2t(double t) {
  if (!(t < kTkr)) return SKryt(t);
  double y = Horner(baza_.Tab7, 10, 0.01 * t, st.s2);
  if (t > 300) y = y - (1e-7 * 4.2) * Pow((t - 180) / 100, 20);
  if (t > 363.6) y = y - (1e-6 * 0.233) * Pow(t - 360, 5);
  return Chk(y);
}

}  // namespace kal
