// Inverses of superheated steam: temperature or pressure from enthalpy or entropy, by
// proportional correction from the saturation line. Each loop tests the value computed at the
// estimate it started the pass with and returns the estimate already corrected in that pass.
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
    // A pass that leaves the pressure as it found it (a search that shrinks it to the smallest
    // single it can hold) repeats itself, scratch included, up to the pass limit.
    if (fastPaths && std::memcmp(&przed, &st.pIter, sizeof przed) == 0) {
      n = static_cast<std::int16_t>(kPassLimit + 1);
      passes.Pth = n;
      return fail();
    }
  }
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
