// Inverses of superheated steam: temperature or pressure from enthalpy or entropy, by
// proportional correction from the saturation line. Each loop tests the value computed at the
// estimate it started the pass with and returns the estimate already corrected in that pass.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "common/checked.h"
#include "common/dialogs.h"
#include "steam/mod_kalorimo.h"

namespace kal {

namespace {
constexpr long kPassLimit = 10000;
}  // namespace

double ModKalorimo::Tph(double p, double h) {
  st.tNasPary = Sng(Tnas(p));
  double t = Sng(static_cast<double>(st.tNasPary) + 50);
  long n = 0;
  for (;;) {
    const double hc = Hpt(p, t);
    t = Round2(Div(t * h, hc));
    const float d = Sng(std::fabs(h - hc));
    ++n;
    passes.Tph = n;
    // Below the saturation temperature the state is no longer superheated: stop there.
    if (t <= st.tNasPary || d <= 0.5f) return t;
    if (n > kPassLimit) {
      dialogs_.MsgBox("Tph() -> niewłaściwe parametry  pPary/hPary ", Buttons::OK, Icon::None, "");
      st.Blad = 1;
      return 0;  // empty
    }
  }
}

double ModKalorimo::Pth(double t, double h) {
  const auto fail = [&] {
    dialogs_.MsgBox("Przekroczono licznik obliczeń ", Buttons::OK, Icon::None, "Info programu Kalorimo");
    st.Blad = 1;
    windows_.PthBlad(t, h);
    return 0.0;  // empty
  };
  st.pIter = Sng(Pnas(t) - 0.001);
  std::int16_t n = 0;
  for (;;) {
    const float przed = st.pIter;
    const double hc = Hpt(st.pIter, t);
    n = static_cast<std::int16_t>(n + 1);
    passes.Pth = n;
    // Hpt refused the temperature (0 C), said so and set Blad; every further pass would refuse
    // it again with another box, so the search fails at once instead of at its pass limit.
    if (t == 0) return fail();
    st.pIter = Sng(st.pIter * Pow(Div(hc, h), 1));
    // Signed on purpose: a computed enthalpy above the target ends the search at once.
    const float r = Sng(1 - Div(hc, h));
    if (n > kPassLimit || st.pIter > 22.3f) return fail();
    if (r <= 0.02f) return st.pIter;
    // Most searches that fail go on for thousands of passes toward vanishing pressure; where
    // that is certain, the pass limit's outcome is given without them.
    float koniec = 0;
    if (fastPaths && PthBezWyjscia(t, h, st.pIter, n, koniec)) {
      st.pIter = koniec;
      Hpt(koniec, t);  // the scratch of the pass that finds the pressure at rest
      n = static_cast<std::int16_t>(kPassLimit + 1);
      passes.Pth = n;
      return fail();
    }
    // A pass that leaves the pressure as it found it (a search that shrinks it to the smallest
    // single it can hold) repeats itself, scratch included, up to the pass limit.
    if (fastPaths && std::memcmp(&przed, &st.pIter, sizeof przed) == 0) {
      n = static_cast<std::int16_t>(kPassLimit + 1);
      passes.Pth = n;
      return fail();
    }
  }
}

bool ModKalorimo::PthBezWyjscia(double t, double h, float p, long n, float& koniec) {
  double lo = 0, hi = 0, h0 = 0;
  if (!(p > 0 && h > 0) || !HptPonizej(p, t, lo, hi, h0)) return false;
  // Every further ratio hc / h lies in [mLo, mHi]: 1 - mHi above 0.02 keeps every pass going,
  // and the pressure falls on each of them.
  const double mHi = hi / h * (1 + 1e-15), mLo = lo / h * (1 - 1e-15);
  if (!(1 - mHi > 0.0200001) || !(mLo > 0.01)) return false;
  // Passes left at most: down to the smallest normal single, then through the subnormal ones
  // (k units of 2^-149, k falls at least to (1 + m) / 2 of itself while k >= 1 / (1 - m),
  // then at least by one).
  const double q = mHi * (1 + 0x1p-23);
  const double normalne = std::ceil(std::log(p / 0x1p-126) / -std::log(q)) + 1;
  const double podnormalne =
      std::ceil(std::log(0x1p23 * (1 - mHi)) / -std::log((1 + mHi) / 2 + 1e-9)) + 1 + std::ceil(1 / (1 - mHi)) + 1;
  if (!(static_cast<double>(n) + std::max(normalne, 0.0) + podnormalne + 2 <= static_cast<double>(kPassLimit)))
    return false;
  // In the subnormal singles hc is h0 on every pass, k goes to round(k m): it falls without
  // stepping over the largest k that round(k m) keeps, and rests there.
  const double m = Pow(Div(h0, h), 1);
  if (!(m >= mLo && m <= mHi)) return false;
  for (double k = std::floor(0.5 / (1 - m)) + 3; k >= 0; --k) {
    if (std::nearbyint(k * m) == k) {
      koniec = std::ldexp(static_cast<float>(k), -149);
      return true;
    }
  }
  return false;
}

double ModKalorimo::Tps(double p, double s) {
  double t = Tnas(p);
  double n = 0;
  passes.Tps = 0;
  for (;;) {
    const double sc = Spt(p, t);
    t = Div(s * t, sc);
    const float d = Sng(std::fabs(sc - s));
    ++passes.Tps;
    if (d <= 0.01f) return t;
    n = n + 1;
    if (n > kPassLimit) {
      dialogs_.MsgBox("Tps() -> niewłaściwe parametry  pPary/sPary ", Buttons::OK, Icon::None, "");
      st.Blad = 1;
      return 0;  // empty
    }
  }
}

double ModKalorimo::Pts(double t, double s) {
  st.pIter = Sng(Pnas(t) - 0.001);
  double n = 0;
  passes.Pts = 0;
  for (;;) {
    const double sc = Spt(st.pIter, t);
    const double A = Div(st.pIter * sc, s);
    const double B = Div(st.pIter * s, sc);
    // Below the dry-steam entropy branch B lowers the pressure on every pass, until the
    // entropy's logarithm of the pressure fails: that is a run-time error, not a result.
    st.pIter = Sng(s < sc ? B : A);
    const float d = Sng(std::fabs(sc - s));
    ++passes.Pts;
    if (d <= 0.01f) return st.pIter;
    n = n + 1;
    if (n > kPassLimit) {
      dialogs_.MsgBox("Pts() -> niewłaściwe parametry  tPary/sPary", Buttons::OK, Icon::None, "");
      st.Blad = 1;
      return 0;  // empty
    }
  }
}

}  // namespace kal
