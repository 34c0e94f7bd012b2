#include "if97/dome.h"

#include <cmath>

#include "if97/region3.h"
#include "if97/region4.h"
#include "if97/state.h"

namespace kal::if97::detail {
namespace {

constexpr int kN = 96;  // intervals; closer together towards the critical point, where the line bends most

struct Row {
  double T = 0, hl = 0, sl = 0, hv = 0, sv = 0;
  double rl = 0, rv = 0;  // kg/m3, region 3's phases; 0 at or below 623.15 K
  double eps = 0;         // kJ/(kg K): (g'' - g') / (s'' - s'), how far the two phases' equations disagree
  double w = 0;           // kJ/(kg K): v' dpsat/dT, the part of the isotherm equation's slope besides s - s'
  double dl = 0, dv = 0;  // kJ/kg: how far each branch strays from its chord to the next row, at the middle
};

struct Table {
  Row row[kN + 1];
  bool ok = false;
};

bool Sample(double T, Row* r) {
  Sat sat;
  r->T = T;
  if (!SatAt(Psat(T), T, &sat)) return false;
  r->rl = T > kT13 ? 1.0 / sat.liq.v : 0.0;
  r->rv = T > kT13 ? 1.0 / sat.vap.v : 0.0;
  r->hl = sat.liq.h;
  r->sl = sat.liq.s;
  r->hv = sat.vap.h;
  r->sv = sat.vap.s;
  // The phases meet at the critical point.
  r->eps = r->sv > r->sl ? ((r->hv - T * r->sv) - (r->hl - T * r->sl)) / (r->sv - r->sl) : 0.0;
  r->w = 1000.0 * sat.liq.v * DPsatDT(T);
  return true;
}

double Chord(double s, double s0, double h0, double s1, double h1) { return h0 + (h1 - h0) * (s - s0) / (s1 - s0); }

Table Build() {
  Table t;
  for (int i = 0; i <= kN; ++i) {
    const double u = 1.0 - static_cast<double>(i) / kN;
    if (!Sample(kTc + (kTtriple - kTc) * u * u, &t.row[i])) return t;
  }
  for (int i = 0; i < kN; ++i) {
    Row& a = t.row[i];
    const Row& b = t.row[i + 1];
    Row m;
    if (!Sample(0.5 * (a.T + b.T), &m)) return t;
    a.dl = std::fabs(m.hl - Chord(m.sl, a.sl, a.hl, b.sl, b.hl));
    a.dv = std::fabs(m.hv - Chord(m.sv, a.sv, a.hv, b.sv, b.hv));
  }
  t.ok = true;
  return t;
}

const Table& Once() {
  static const Table t = Build();
  return t;
}

// Last row i in [lo, hi] with key(i) true, where key holds up to some row and not after; lo when none.
template <class Key>
int LastTrue(int lo, int hi, Key key) {
  for (int k = 0; k < 16 && lo < hi; ++k) {
    const int mid = (lo + hi + 1) / 2;
    if (key(mid))
      lo = mid;
    else
      hi = mid - 1;
  }
  return lo;
}

// The saturation line at s, interpolated between the rows (the liquid's up to the critical entropy, where the
// top row's phases meet, the vapour's beyond), and how far the chord may stray from the line there. False
// outside the dome's entropies.
bool LineAt(const Table& t, double s, double* hb, double* err) {
  const Row* r = t.row;
  if (!t.ok || !(s > r[0].sl && s < r[0].sv)) return false;
  if (s <= r[kN].sl) {
    const int i = LastTrue(0, kN - 1, [&](int k) { return r[k].sl <= s; });
    *hb = Chord(s, r[i].sl, r[i].hl, r[i + 1].sl, r[i + 1].hl);
    *err = r[i].dl;
  } else {
    const int i = LastTrue(0, kN - 1, [&](int k) { return r[k].sv >= s; });
    *hb = Chord(s, r[i].sv, r[i].hv, r[i + 1].sv, r[i + 1].hv);
    *err = r[i].dv;
  }
  return true;
}

constexpr double kSlack = 0.01;  // kJ/kg: beside the sampling error, the seam of regions 1-2 and 3

}  // namespace

bool InsideDome(double h, double s) {
  const Table& t = Once();
  double hb = 0, err = 0;
  if (!LineAt(t, s, &hb, &err)) return false;
  if (h < t.row[0].hl + t.row[0].T * (s - t.row[0].sl) + kSlack) return false;
  return h < hb - 2 * err - kSlack;
}

bool AboveDome(double h, double s) {
  double hb = 0, err = 0;
  return LineAt(Once(), s, &hb, &err) && h > hb + 2 * err + kSlack;
}

bool DomeStart(double h, double s, DomeGuess* out) {
  const Table& t = Once();
  const Row* r = t.row;
  if (!t.ok) return false;
  // The isotherm equation rises with T while s'(T) <= s: search the rows up to the last such one.
  auto g = [&](int k) { return r[k].hl + (s - r[k].sl) * (r[k].T + r[k].eps) - h; };
  const int m = LastTrue(0, kN, [&](int k) { return r[k].sl <= s; });
  const int i = LastTrue(0, m, [&](int k) { return g(k) <= 0; });
  // Below the coldest isotherm of the liquid (the mixture there, which the caller has checked, decides), or
  // on the top one.
  const int end = g(i) > 0 ? 0 : i == kN ? kN : -1;
  if (end == kN && g(kN) < -1e-9) return false;
  if (end >= 0) {
    *out = DomeGuess{r[end].T, r[end].rl, r[end].rv, r[end].eps};
    return true;
  }
  const Row& a = r[i];
  const Row& b = r[i + 1];
  // The root of the cubic through both rows' values and slopes, by Newton from the chord's.
  const double ga = g(i), gb = g(i + 1), da = (b.T - a.T) * (s - a.sl + a.w), db = (b.T - a.T) * (s - b.sl + b.w);
  double w = -ga / (gb - ga);
  if (!(w > 0 && w < 1)) w = 0.5;
  for (int k = 0; k < 4; ++k) {
    const double u = w * w, v = u * w;
    const double f = (2 * v - 3 * u + 1) * ga + (v - 2 * u + w) * da + (3 * u - 2 * v) * gb + (v - u) * db;
    const double df = 6 * (u - w) * (ga - gb) + (3 * u - 4 * w + 1) * da + (3 * u - 2 * w) * db;
    const double next = w - f / df;
    if (!(next > 0 && next < 1)) break;
    w = next;
  }
  auto at = [w](double ya, double yb) { return ya + w * (yb - ya); };
  *out = DomeGuess{at(a.T, b.T), a.rl > 0 ? at(a.rl, b.rl) : 0, a.rv > 0 ? at(a.rv, b.rv) : 0, at(a.eps, b.eps)};
  return true;
}

}  // namespace kal::if97::detail
