// The saturation line: temperature from pressure (whole degrees) and pressure from temperature.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "common/checked.h"
#include "steam/mod_kalorimo.h"

namespace kal {

double ModKalorimo::Tnas(double p) {
  if (p < 0.002) {
    st.Blad = 1;
    return 0;  // empty
  }
  // The enthalpy-entropy search steps the temperature at a fixed pressure every other call.
  std::uint64_t bits = 0;
  if (fastPaths) {
    std::memcpy(&bits, &p, sizeof bits);
    const Pamiec& c = PamiecBazy();
    if (c.tnasOk && c.tnasP == bits) return c.tnas;
  }
  // Above the series' range the line goes on straight, without limit.
  const double t = p > 22.115 ? Int(3.5475 * p + 295.681) : Int(TnasSzereg(p));
  if (fastPaths) {
    Pamiec& c = PamiecBazy();
    c.tnas = t;
    c.tnasP = bits;
    c.tnasOk = true;
  }
  return t;
}

double TnasNadkrytyczna(double p) { return ((p * 10.194 - 225.4) * 0.348) + 374.3; }

double ModKalorimo::TnasSzereg(double p) const {
  const double* tab = baza_.Tab2;
  const double L = -Log(0.0452079 * p);  // 0.0452079 = 1 / 22.12 MPa, rounded
  double S = tab[12];
  for (int k = 1; k <= 11; ++k) S = tab[12 - k] + L * S;
  return 647.3 * S;
}

double ModKalorimo::Pnas(double t) {
  passes.Pnas = 0;
  if (t > 374.12) return Chk(0.28189 * t - 83.349);  // inverse of Tnas's straight line
  if (!fastPaths) return PnasKrokami(t);
  std::uint64_t bits = 0;
  std::memcpy(&bits, &t, sizeof bits);
  // The same temperature as an earlier search: the same passes, so the same result and count.
  std::vector<Pamiec::PnasWynik>& wyniki = PamiecBazy().pnas;
  static_assert(Pamiec::kPnasWyniki == std::size_t{1} << 12, "the hash gives 12 bits");
  const std::size_t dom = static_cast<std::size_t>(((bits ^ (bits >> 32)) * 0x9E3779B97F4A7C15ULL) >> 52);
  for (std::size_t i = 0; i < Pamiec::kPnasProby && !wyniki.empty(); ++i) {
    const Pamiec::PnasWynik& w = wyniki[(dom + i) % Pamiec::kPnasWyniki];
    if (!w.ok) break;
    if (w.t == bits) {
      passes.Pnas = w.passes;
      return w.p;
    }
  }
  const double p = PnasZnane(t);  // a run-time error leaves nothing kept
  if (wyniki.empty()) wyniki.resize(Pamiec::kPnasWyniki);
  std::size_t i = 0;
  while (i < Pamiec::kPnasProby && wyniki[(dom + i) % Pamiec::kPnasWyniki].ok) ++i;
  if (i == Pamiec::kPnasProby) {
    // Its neighbourhood full: the table starts again (a batch of thousands of temperatures).
    std::fill(wyniki.begin(), wyniki.end(), Pamiec::PnasWynik{});
    i = 0;
  }
  wyniki[(dom + i) % Pamiec::kPnasWyniki] = {bits, p, passes.Pnas, true};
  return p;
}

double ModKalorimo::PnasKrokami(double t) {
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

namespace {

// How far from a whole degree the series' computed sum must lie for its floor to hold for every
// pressure between two such pressures of one degree. That takes a series monotonic over its
// range, which is checked here for the record: its slope in L = -ln(p / 22.12) keeps one sign,
// stepping L by less than the slope's distance from zero allows its curvature to cover; and a
// bound of the rounding in the sum (the product, the log, a dozen double steps), which the
// distance exceeds sixteen times.
double PewnoscSzereguWspolczynnikow(const double* a) {  // S(L) = a[0] + a[1] L + ... + a[11] L^11
  const double Lmax = 9.32;                             // -ln(0.0452079 * 0.002) = 9.31
  const double krokMax = 0.01;
  double B0 = 0, B1 = 0;  // bounds of |S| and |S'| over 0 <= L <= Lmax
  for (int k = 0; k <= 11; ++k) {
    if (!std::isfinite(a[k])) return 0;
    B0 += std::fabs(a[k]) * std::pow(Lmax, k);
    if (k >= 1) B1 += k * std::fabs(a[k]) * std::pow(Lmax, k - 1);
  }
  if (!(std::isfinite(B0) && std::isfinite(B1))) return 0;
  double znak = 0;
  double L = 0;
  for (int i = 0; L <= Lmax; ++i) {
    if (i > 1000000) return 0;
    double d = 11 * a[11];               // S'(L)
    double B2 = 110 * std::fabs(a[11]);  // bound of |S''| from L to L + krokMax
    for (int k = 10; k >= 1; --k) d = k * a[k] + L * d;
    for (int k = 10; k >= 2; --k) B2 = k * (k - 1) * std::fabs(a[k]) + (L + krokMax) * B2;
    if (i == 0) znak = d < 0 ? -1 : 1;
    const double krok = std::min(krokMax, 0.5 * znak * d / B2);
    if (!(krok > 1e-7)) return 0;
    L += krok;
  }
  const double u = DBL_EPSILON / 2;
  const double m = 16 * (647.3 * (B1 * 4 * u * (1 + Lmax) + 24 * u * B0) + 647.3 * u * B0);
  return m < 0.01 ? m : 0;
}

}  // namespace

double ModKalorimo::PewnoscSzeregu(Pamiec& c) const {
  if (c.pewnosc >= 0) return c.pewnosc;
  // The check depends on the series' twelve coefficients alone and costs far more than a section
  // of a turbine: kept for the last coefficients any evaluator checked (evaluators of one record
  // come and go by the thousand, on more than one thread).
  static std::mutex zamek;
  static double ostatnie[12] = {};
  static double wynik = -1;
  const double* a = baza_.Tab2 + 1;
  {
    const std::lock_guard<std::mutex> z(zamek);
    if (wynik >= 0 && std::memcmp(ostatnie, a, sizeof ostatnie) == 0) return c.pewnosc = wynik;
  }
  const double m = PewnoscSzereguWspolczynnikow(a);
  const std::lock_guard<std::mutex> z(zamek);
  std::memcpy(ostatnie, a, sizeof ostatnie);
  wynik = m;
  return c.pewnosc = m;
}

double ModKalorimo::PnasZnane(double t) {
  Pamiec& c = PamiecBazy();
  const double m = PewnoscSzeregu(c);
  if (!(m > 0)) return PnasKrokami(t);
  auto stopien = [&c](double k) -> Pamiec::Stopien* {
    const double i = k + Pamiec::kStopien0;
    return i >= 0 && i < Pamiec::kStopnie ? &c.stopnie[static_cast<int>(i)] : nullptr;
  };
  auto znany = [](const Pamiec::Stopien* s, double p) { return s != nullptr && p >= s->lo && p <= s->hi; };
  // Where the passes settle, Tnas alternates between the degrees below and above t; when both are
  // known and neither ends the search, those passes need no Tnas.
  const double K0 = std::floor(t);
  const bool obaDalej = K0 != 0 && K0 + 1 != 0 && Sng(std::fabs(K0 - t)) > 0.4f && Sng(std::fabs(K0 + 1 - t)) > 0.4f;
  const double rDol = obaDalej ? Div(t, K0) : 0, rGora = obaDalej ? Div(t, K0 + 1) : 0;

  double p = 0.05;
  long n = 0;
  double ts = 0;  // the degree of the last pass
  for (;;) {
    // Tnas(p), known when p lies among the pressures of the last degree or a neighbour.
    double tp;
    if (znany(stopien(ts), p)) {
      tp = ts;
    } else if (znany(stopien(ts + 1), p)) {
      tp = ts + 1;
    } else if (znany(stopien(ts - 1), p)) {
      tp = ts - 1;
    } else if (p >= 0.002 && p <= 22.115) {
      const double y = TnasSzereg(p);
      tp = Int(y);
      Pamiec::Stopien* s = stopien(tp);
      if (s != nullptr && y - tp >= m && tp + 1 - y >= m) {
        if (s->lo > s->hi) s->lo = s->hi = p;
        s->lo = std::min(s->lo, p);
        s->hi = std::max(s->hi, p);
      }
    } else {
      tp = Tnas(p);
    }
    ts = tp;
    ++n;
    p = Chk(p * Div(t, ts));
    const float d = Sng(std::fabs(ts - t));
    if (p <= 0.003 || d <= 0.4f) break;
    if (n > 10000) break;
    if (!obaDalej) continue;
    const Pamiec::Stopien* dol = stopien(K0);
    const Pamiec::Stopien* gora = stopien(K0 + 1);
    if (dol == nullptr || gora == nullptr) continue;
    const double dLo = dol->lo, dHi = dol->hi, gLo = gora->lo, gHi = gora->hi;
    bool koniec = false;
    while (n <= 10000) {
      double r;
      if (p >= dLo && p <= dHi) {
        r = rDol;
        ts = K0;
      } else if (p >= gLo && p <= gHi) {
        r = rGora;
        ts = K0 + 1;
      } else {
        break;
      }
      ++n;
      p = Chk(p * r);
      if (p <= 0.003) {
        koniec = true;
        break;
      }
    }
    if (koniec || n > 10000) break;
  }
  passes.Pnas = n;
  return p;
}

}  // namespace kal
