// The saturation line: temperature from pressure (whole degrees) and pressure from temperature.
#include <cmath>

#include "common/checked.h"
#include "steam/mod_kalorimo.h"

namespace kal {

double ModKalorimo::Tnas(double p) {
  if (p < 0.002) {
    st.Blad = 1;
    return 0;  // empty
  }
  // Above the series' range the line goes on straight, without limit.
  if (p > 22.115) return Int(3.5475 * p + 295.681);
  const double* tab = baza_.Tab2;
  const double L = -Log(0.0452079 * p);  // 0.0452079 = 1 / 22.12 MPa, rounded
  double S = tab[12];
  for (int k = 1; k <= 11; ++k) S = tab[12 - k] + L * S;
  return Int(647.3 * S);
}

double TnasNadkrytyczna(double p) { return ((p * 10.194 - 225.4) * 0.348) + 374.3; }

double ModKalorimo::Pnas(double t) {
  passes.Pnas = 0;
  if (t > 374.12) return Chk(0.28189 * t - 83.349);  // inverse of Tnas's straight line
  // Proportional correction. Tnas gives whole degrees, so a fractional part between 0.4 and 0.6
  // never meets the 0.4 test: the floor or the pass limit ends those.
  double p = 0.05;
  double n = 0;
  for (;;) {
    const double ts = Tnas(p);
    n = n + 1;
    p = Chk(p * Div(t, ts));
    const float d = Sng(std::fabs(ts - t));
    if (p <= 0.003 || d <= 0.4f) break;
    if (n > 1e4) break;
  }
  passes.Pnas = static_cast<long>(n);
  return p;
}

}  // namespace kal
