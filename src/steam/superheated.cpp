// Superheated steam: the base equation (ideal-gas part plus a power series in the reduced
// pressure and inverse reduced temperature) and the corrected h, s, v with their windows near
// saturation. Single-precision stores are where the fitted results were made with them.
#include "common/checked.h"
#include "common/dialogs.h"
#include "steam/mod_kalorimo.h"

namespace kal {

namespace {

constexpr double kPiPerMPa = 0.0452079;  // 1 / 22.12 MPa
constexpr double kTkr = 647.3;           // K

// Window bound: saturation temperature plus a constant, taken in single.
double Ts(float tNas, double plus) { return Sng(static_cast<double>(tNas) + plus); }

}  // namespace

double ModKalorimo::Hpt0(double pi, double theta, double T) {
  float A[5];
  for (int j = 4; j >= 1; --j) {
    A[j] = Sng(6 * baza_.b(6, j));
    for (int i = 5; i >= 1; --i) A[j] = Sng(Div(A[j], theta) + i * baza_.b(i, j));
  }
  // The pi series runs in h1, the library's scratch for this equation.
  float& G = st.h1;
  G = A[4];
  for (int k = 3; k >= 1; --k) G = Sng(A[k] + pi * G);
  G = Sng(G * pi);
  const float H0 = Sng(1808.9 + 1.48285 * T + 0.000379025 * (T * T) + 46.174 * Log(T));
  return Chk(static_cast<double>(G) * 70.1204 + static_cast<double>(H0));
}

double ModKalorimo::Spt0(double pi, double theta, double T, double p, double /*t*/) {
  float A[5];
  for (int j = 4; j >= 1; --j) {
    A[j] = Sng(5 * baza_.b(6, j));
    for (int i = 5; i >= 2; --i) A[j] = Sng(Div(A[j], theta) + (i - 1) * baza_.b(i, j));
  }
  float S = A[4];
  for (int k = 3; k >= 1; --k) S = Sng(A[k] + pi * S);
  const float S2 = Sng(Div(S * pi, theta * theta));
  const float S0 = Sng(3.760923231 - 0.46151 * Log(1e6 * p) + 1.48285 * Log(T) + (0.75805 * 1e-3) * T - Div(46.174, T));
  return Chk(static_cast<double>(S2) * 0.1083275143 + static_cast<double>(S0));
}

double ModKalorimo::Vpt0(double theta, double pi) {
  float A[5];
  for (int j = 4; j >= 1; --j) {
    A[j] = Sng(j * baza_.b(6, j));
    for (int i = 5; i >= 1; --i) A[j] = Sng(Div(A[j], theta) + j * baza_.b(i, j));
  }
  double V = A[4];
  for (int k = 3; k >= 1; --k) V = A[k] + pi * V;
  return Chk(0.00317 * (V + Div(4.260321148 * theta, pi)));
}

double ModKalorimo::Hpt(double p, double t) {
  if (t == 0) {
    dialogs_.MsgBox("Temp. pary = 0 [C] ", Buttons::OK, Icon::None, "");
    st.Blad = 1;
    return 0;  // empty
  }
  const double pi = kPiPerMPa * p;
  const double T = t + 273.15;
  const double theta = T / kTkr;
  const float tn = st.tNasPary;

  // Just above saturation at high pressure: blend from the dry-steam value.
  if (p > 10 && t > tn && t <= Ts(tn, 5)) {
    const double hs = H2t(tn);
    const double hE = Hpt0(pi, theta, T);
    const double x = Sng((t - tn) / 10);
    return Chk(hs + x * (hE - hs) + 0.1 * (x * x));
  }

  double h = Hpt0(pi, theta, T);
  const bool near15 = t >= Ts(tn, 15);
  if (p >= 11 && p <= 13 && near15 && t <= Ts(tn, 46)) h = h + 2.5;
  if (p > 13 && p <= 17.5 && near15 && t <= Ts(tn, 49)) h = h + 5;
  if (p > 17.5 && p <= 23 && near15 && t <= Ts(tn, 57)) h = h + 8;
  if (p >= 23 && near15 && t <= Ts(tn, 46)) h = h + 15;
  if (p > 7.5 && t >= 540 && t <= 600) h = h + 1.5;
  if (p >= 15.5 && p <= 22 && t >= 450 && t <= 500) h = h - 1;
  return h;
}

double ModKalorimo::Spt(double p, double t) {
  const float pis = Sng(kPiPerMPa * p);
  const std::int16_t Tk = CInt(t + 273.15);
  const float thetas = Sng(Tk / kTkr);
  const float tn = st.tNasPary;

  // Just above saturation at high pressure: x is 0 or 1 (whole degrees, halves to even).
  if (p > 10 && t >= tn && t <= Ts(tn, 10)) {
    const double ss = Sng(S2t(tn));
    const double sE = Spt0(pis, thetas, Tk, p, t);
    const double tw = RoundEven(t);
    const std::int16_t x = CInt((tw - tn) / 10);
    return Chk(ss + x * (sE - ss) + 1e-4 * (x * x));
  }

  double s = Spt0(pis, thetas, Tk, p, t);
  if (p >= 10) {
    const double d = RoundEven((t - tn) - 15);
    const double q = Sng(p - 10);
    if (t >= Ts(tn, 15) && t <= Ts(tn, 25)) s = s + Sng(1e-4 * 6.05 * Pow(q, 1.2) + 1e-4 * 11.6 * (0.77 + 0.056 * d));
    if (t > Ts(tn, 25) && t <= Ts(tn, 65)) s = s + Sng(1e-4 * 6.05 * Pow(q, 1.2) + 1e-4 * 11.6 * (1.9245 - 0.035 * d));
    if (t > Ts(tn, 70) && t <= Ts(tn, 135)) s = s - 20 * 1e-4;
  }
  return s;
}

double ModKalorimo::Vpt(double p, double t) {
  const double pi = kPiPerMPa * p;
  const double theta = (t + 273.15) / kTkr;
  const float tn = st.tNasPary;

  // Just above saturation at high pressure: rises from the dry-steam volume.
  if (p > 15 && t > tn && t <= Ts(tn, 5)) {
    const double vs = V2t(tn);
    const double vE = Vpt0(theta, pi);
    const double x = (t - tn) / 10;
    return Chk(vs + x * (vE - vs) + 1e-6 * (x * x));
  }

  double v = Vpt0(theta, pi);
  if (p > 15 && t >= Ts(tn, 10) && t <= Ts(tn, 46)) v = v + (p <= 23 ? 1e-4 : 2 * 1e-4);
  return v;
}

}  // namespace kal
