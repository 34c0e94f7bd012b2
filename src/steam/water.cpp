// Compressed water: enthalpy and volume from pressure and temperature (polynomial fits in the
// reduced temperature and in 0.1*(50 - p)), and the two inverse searches.
#include <cmath>

#include "common/checked.h"
#include "common/dialogs.h"
#include "steam/mod_kalorimo.h"

namespace kal {

namespace {
constexpr long kPassLimit = 10000;
constexpr double kPwthTol = 0.2;    // kJ/kg
constexpr double kPwthMax = 22.12;  // MPa, the top of the search
}  // namespace

double ModKalorimo::Hwpt(double p, double t) {
  const double* a = baza_.Tab9;
  const double* b = baza_.Tab10;
  const double* c = baza_.Tab11;
  const double* d = baza_.Tab12;
  const double tau = 0.01 * t;
  const double tau2 = Pow(tau, 2);
  const double tau6 = Pow(tau2, 3);
  const double tau12 = Pow(tau6, 2);
  const double w = Pow(Div(100, t + 50), 5);
  const double A = a[1] + a[2] * tau + a[3] * tau2 + a[4] * tau6;
  const double B = b[1] + b[2] * tau + b[3] * tau6 + b[4] * w;
  const double C = c[1] + c[2] * tau + c[3] * tau6;
  const double D = d[1] * tau12;
  const double pi = 0.1 * (50 - p);
  const double pi2 = Pow(pi, 2);
  const double pi4 = Pow(pi2, 2);
  double h = ((A + B * pi) + C * pi2) + D * pi4;
  // Near the critical point: p >= 12 keeps the base of the pressure power positive.
  if (t >= 320 && p >= 12) h = h + (1e-3 * 0.589) * Pow(t - 305, 3.6) / Pow(p - 9, 1.4);
  if (t > 360 && p <= 22.1) h = h + 3;
  if (t >= 360 && p < 22.1) h = h - 5;
  return Chk(h);
}

double ModKalorimo::Vwpt(double p, double t) {
  const double* a = baza_.Tab13;
  const double* b = baza_.Tab14;
  const double* c = baza_.Tab15;
  const double* d = baza_.Tab16;
  const double tau = 0.01 * t;
  const double tau2 = tau * tau;
  const double tau3 = tau2 * tau;
  const double tau6 = tau3 * tau3;
  const double tau9 = tau6 * tau3;
  const double tau12 = tau6 * tau6;
  const double w3 = Pow(Div(100, t + 50.0), 3);
  const double u3 = Pow(0.01 * (t - 150), 3);
  const double A = a[1] + a[2] * tau + a[3] * tau2 + a[4] * u3 * tau;
  const double B = b[1] + b[2] * tau + b[3] * tau6 + b[4] * w3;
  const double C = c[1] + c[2] * tau3 + c[3] * tau9;
  const double D = d[1] * tau12;
  const double pi = 0.1 * (50 - p);
  const double pi2 = Pow(pi, 2);
  const double pi4 = pi2 * pi2;
  double v = ((A + B * pi) + C * pi2) + D * pi4;
  if (t > 300 && p >= 10) v = v + (1e-10 * 2.15) * Pow(t - 290, 3.6) / Pow(p - 8, 0.8);
  return Chk(v);
}

double ModKalorimo::Twph(double p, double h) {
  double t = 30;
  long n = 0;
  for (;;) {
    const double hw = Hwpt(p, t);
    t = Div(t * h, hw);
    const double diff = hw - h;
    ++n;
    passes.Twph = n;
    if (std::fabs(diff) <= 0.1) return t;
    if (n > kPassLimit) {
      dialogs_.MsgBox("Twph() -> niewłaściwe parametry  pPary/hPary ", Buttons::OK, Icon::None, "");
      st.Blad = 1;
      return 0;  // empty
    }
  }
}

// The water's enthalpy hardly depends on pressure and need not be monotone in it, so the
// pressure is searched by bisection segment by segment, from the lowest pressure up. The fit
// steps at 12 and 22.1 MPa: a segment stops one single short of its upper end, so a sign
// change across a step is never taken for a root.
double ModKalorimo::Pwth(double t, double h) {
  static constexpr double kEnds[] = {0, 1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22.1, kPwthMax};
  constexpr int kSegs = sizeof(kEnds) / sizeof(kEnds[0]) - 1;
  long n = 0;
  auto f = [&](double p) {
    st.pIter = Sng(p);
    ++n;
    return Hwpt(st.pIter, t) - h;
  };
  passes.Pwth = 0;
  if (std::fabs(f(1.0)) <= kPwthTol) {
    passes.Pwth = n;
    return st.pIter;
  }
  for (int i = 0; i < kSegs; ++i) {
    float lo = static_cast<float>(kEnds[i]);
    float hi = static_cast<float>(kEnds[i + 1]);
    const bool topSeg = i + 1 == kSegs;
    if (!topSeg) hi = std::nextafter(hi, 0.0f);
    double flo = f(lo);
    double fhi = f(hi);
    if (lo > 0 && std::fabs(flo) <= kPwthTol) {
      passes.Pwth = n;
      st.pIter = lo;
      return lo;
    }
    if (std::fabs(fhi) <= kPwthTol) {
      passes.Pwth = n;
      st.pIter = hi;
      return hi;
    }
    if ((flo < 0) == (fhi < 0)) continue;
    for (int k = 0; k < 64; ++k) {
      const float mid = Sng((static_cast<double>(lo) + hi) / 2);
      if (mid <= lo || mid >= hi) break;  // no single lies between them
      const double fm = f(mid);
      if (std::fabs(fm) <= kPwthTol) {
        passes.Pwth = n;
        return st.pIter;
      }
      if ((fm < 0) == (flo < 0)) {
        lo = mid;
        flo = fm;
      } else {
        hi = mid;
      }
    }
  }
  passes.Pwth = n;
  dialogs_.MsgBox("Pwth() -> brak ciśnienia wody dla  tPary/hPary ", Buttons::OK, Icon::None, "");
  st.Blad = 1;
  return 0;  // empty
}

}  // namespace kal
