// Superheated steam: the base equation (ideal-gas part plus a power series in the reduced
// pressure and inverse reduced temperature) and the corrected h, s, v with their windows near
// saturation. Single-precision stores are where the fitted results were made with them.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "common/checked.h"
#include "common/dialogs.h"
#include "steam/mod_kalorimo.h"

namespace kal {

namespace {

constexpr double kPiPerMPa = 0.0452079;  // 1 / 22.12 MPa
constexpr double kTkr = 647.3;           // K

// Window bound: saturation temperature plus a constant, taken in single.
double Ts(float tNas, double plus) { return Sng(static_cast<double>(tNas) + plus); }

constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint64_t Bits(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

// What Sng would store, or false in `ok` where Sng would raise its error.
bool Miesci(double x) { return std::fabs(x) <= static_cast<double>(FLT_MAX); }
float Pojedyncza(double x, bool& ok) {
  ok = ok && Miesci(x);
  return static_cast<float>(x);
}

// Two lanes of doubles (and of singles); plain scalar code where the target has no vectors.
typedef double V2 __attribute__((vector_size(16)));
typedef float F2 __attribute__((vector_size(8)));
typedef long long M2 __attribute__((vector_size(16)));

V2 Wiersz(const double* p) {
  V2 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Sng on both lanes: the value stored in single, and in `ok` whether Sng would have taken it.
V2 Pojedyncze(V2 x, M2& ok) {
  const V2 max = {static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)};
  ok &= (x <= max) & (x >= -max);  // false for NaN too
  return __builtin_convertvector(__builtin_convertvector(x, F2), V2);
}

// The sums A(1)..A(4) of G sets of coefficients side by side, so their divisions overlap:
// A(j) = single(c(6, j)), then for i = 5 down to `low`: A(j) = single(A(j) / theta + c(i, j)).
// Per sum the operations and their order are those of the step-by-step form, and so are the
// bits; false where that form would have raised an error (then nothing here is used).
template <int G>
bool Ciagi(const double (*const (&c)[G])[4], int low, double theta, float (&A)[G][4]) {
  const V2 th = {theta, theta};
  M2 ok = {-1, -1};
  V2 a[2 * G];
  for (int k = 0; k < 2 * G; ++k) a[k] = Pojedyncze(Wiersz(c[k / 2][6] + 2 * (k % 2)), ok);
  for (int i = 5; i >= low; --i) {
    for (int k = 0; k < 2 * G; ++k) a[k] = Pojedyncze(a[k] / th + Wiersz(c[k / 2][i] + 2 * (k % 2)), ok);
  }
  for (int k = 0; k < 2 * G; ++k) {
    A[k / 2][2 * (k % 2)] = static_cast<float>(a[k][0]);
    A[k / 2][2 * (k % 2) + 1] = static_cast<float>(a[k][1]);
  }
  return ok[0] != 0 && ok[1] != 0;
}

}  // namespace

double ModKalorimo::Hpt0Krokami(double pi, double theta, double T) {
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

double ModKalorimo::Spt0Krokami(double pi, double theta, double T, double p) {
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

double ModKalorimo::Vpt0Krokami(double theta, double pi) {
  float A[5];
  for (int j = 4; j >= 1; --j) {
    A[j] = Sng(j * baza_.b(6, j));
    for (int i = 5; i >= 1; --i) A[j] = Sng(Div(A[j], theta) + j * baza_.b(i, j));
  }
  double V = A[4];
  for (int k = 3; k >= 1; --k) V = A[k] + pi * V;
  return Chk(0.00317 * (V + Div(4.260321148 * theta, pi)));
}

ModKalorimo::Pamiec& ModKalorimo::PamiecBazy() {
  Pamiec& c = pamiec_;
  if (c.wersja == baza_.wersja) return c;
  c = Pamiec{};
  c.wersja = baza_.wersja;
  for (int i = 1; i <= 6; ++i) {
    for (int j = 1; j <= 4; ++j) {
      c.cH[i][j - 1] = i * baza_.b(i, j);
      c.cS[i][j - 1] = (i - 1) * baza_.b(i, j);
      c.cV[i][j - 1] = j * baza_.b(i, j);
    }
  }
  return c;
}

double ModKalorimo::Hpt0(double pi, double theta, double T) {
  if (!fastPaths) return Hpt0Krokami(pi, theta, T);
  Pamiec& c = PamiecBazy();
  bool ok = true;
  float A[4];
  if (c.hAOk && c.hTheta == Bits(theta)) {
    std::copy(c.hA, c.hA + 4, A);
  } else {
    // The volume's sums at the same theta come next in every caller: they run alongside.
    const double(*const tabs[2])[4] = {c.cH, c.cV};
    float HV[2][4];
    ok = Ciagi(tabs, 1, theta, HV);
    if (ok) {
      std::copy(HV[0], HV[0] + 4, c.hA);
      std::copy(HV[1], HV[1] + 4, c.vA);
      c.hTheta = c.vTheta = Bits(theta);
      c.hAOk = c.vAOk = true;
    }
    std::copy(HV[0], HV[0] + 4, A);
  }
  if (!(c.hH0Ok && c.hT == Bits(T))) {
    const bool lnOk = T > 0 && T < kInf;
    const double x = 1808.9 + 1.48285 * T + 0.000379025 * (T * T) + 46.174 * std::log(T);
    if (!(lnOk && Miesci(x))) return Hpt0Krokami(pi, theta, T);
    c.hH0 = static_cast<float>(x);
    c.hT = Bits(T);
    c.hH0Ok = true;
  }
  const float H0 = c.hH0;
  float G = A[3];
  for (int k = 2; k >= 0; --k) G = Pojedyncza(A[k] + pi * G, ok);
  G = Pojedyncza(G * pi, ok);
  const double h = static_cast<double>(G) * 70.1204 + static_cast<double>(H0);
  if (!ok || !std::isfinite(h)) return Hpt0Krokami(pi, theta, T);
  st.h1 = G;
  return h;
}

bool ModKalorimo::HptPonizej(double p, double t, double& lo, double& hi, double& h0) {
  if (!fastPaths || !(p >= 0 && p <= 7.5) || t == 0) return false;
  const double T = t + 273.15;
  const double theta = T / kTkr;
  const Pamiec& c = PamiecBazy();
  if (!(c.hAOk && c.hTheta == Bits(theta) && c.hH0Ok && c.hT == Bits(T))) return false;
  const double H0 = c.hH0;
  if (!(H0 > 0)) return false;
  // |G| <= pi (|A0| + pi (|A1| + pi (|A2| + pi |A3|))), widened for the single stores and their
  // underflow; the series grows with pi, so its value at p bounds every lower pressure.
  const auto granica = [&](double pi) {
    double a = std::fabs(static_cast<double>(c.hA[3]));
    for (int k = 2; k >= 0; --k) a = std::fabs(static_cast<double>(c.hA[k])) + pi * a;
    return 70.1204 * (pi * a * (1 + 1e-6) + 1e-40) * (1 + 1e-15);
  };
  const double d = granica(kPiPerMPa * p);
  lo = (H0 - d) * (1 - 1e-15);
  hi = (H0 + d) * (1 + 1e-15);
  // Below 1e-30 MPa the series' part lies under a quarter of H0's smaller spacing: h is H0.
  const double polowa = (H0 - std::nextafter(H0, 0.0)) / 2;
  if (!(granica(kPiPerMPa * 1e-30) < polowa / 2) || !std::isfinite(hi)) return false;
  h0 = H0;
  return true;
}

double ModKalorimo::Spt0(double pi, double theta, double T, double p, double /*t*/) {
  if (!fastPaths) return Spt0Krokami(pi, theta, T, p);
  Pamiec& c = PamiecBazy();
  bool ok = true;
  float A[4];
  if (c.sAOk && c.sTheta == Bits(theta)) {
    std::copy(c.sA, c.sA + 4, A);
  } else {
    const double(*const tabs[1])[4] = {c.cS};
    float S1[1][4];
    ok = Ciagi(tabs, 2, theta, S1);
    std::copy(S1[0], S1[0] + 4, A);
    if (ok) {
      std::copy(A, A + 4, c.sA);
      c.sTheta = Bits(theta);
      c.sAOk = true;
    }
  }
  if (!(c.sTOk && c.sT == Bits(T))) {
    const double dT = 46.174 / T;
    if (!(T > 0 && T < kInf && std::isfinite(dT))) return Spt0Krokami(pi, theta, T, p);
    c.sLnT = 1.48285 * std::log(T);
    c.sKT = (0.75805 * 1e-3) * T;
    c.sDT = dT;
    c.sT = Bits(T);
    c.sTOk = true;
  }
  if (!(c.sPOk && c.sP == Bits(p))) {
    const double pa = 1e6 * p;
    if (!(pa > 0 && pa < kInf)) return Spt0Krokami(pi, theta, T, p);
    c.sLnP = 0.46151 * std::log(pa);
    c.sP = Bits(p);
    c.sPOk = true;
  }
  float S = A[3];
  for (int k = 2; k >= 0; --k) S = Pojedyncza(A[k] + pi * S, ok);
  const float S2 = Pojedyncza((S * pi) / (theta * theta), ok);
  const float S0 = Pojedyncza(3.760923231 - c.sLnP + c.sLnT + c.sKT - c.sDT, ok);
  const double s = static_cast<double>(S2) * 0.1083275143 + static_cast<double>(S0);
  if (!ok || !std::isfinite(s)) return Spt0Krokami(pi, theta, T, p);
  return s;
}

double ModKalorimo::Vpt0(double theta, double pi) {
  if (!fastPaths) return Vpt0Krokami(theta, pi);
  Pamiec& c = PamiecBazy();
  float A[4];
  if (c.vAOk && c.vTheta == Bits(theta)) {
    std::copy(c.vA, c.vA + 4, A);
  } else {
    const double(*const tabs[1])[4] = {c.cV};
    float V1[1][4];
    if (!Ciagi(tabs, 1, theta, V1)) return Vpt0Krokami(theta, pi);
    std::copy(V1[0], V1[0] + 4, A);
    std::copy(A, A + 4, c.vA);
    c.vTheta = Bits(theta);
    c.vAOk = true;
  }
  double V = A[3];
  for (int k = 2; k >= 0; --k) V = A[k] + pi * V;
  const double q = (4.260321148 * theta) / pi;
  const double v = 0.00317 * (V + q);
  if (pi == 0 || !std::isfinite(q) || !std::isfinite(v)) return Vpt0Krokami(theta, pi);
  return v;
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
