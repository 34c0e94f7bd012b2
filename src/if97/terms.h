// Building blocks shared by the IF97 regions: coefficient rows and cheap powers.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

namespace kal::if97 {

// One row n * a^I * b^J of a basic equation (integer exponents).
struct Term {
  int i;
  int j;
  double n;
};

// One row of a backward equation; a few tables have fractional exponents.
struct BTerm {
  double i;
  double j;
  double n;
};

inline double IntPow(double x, int k) {
  double r = 1.0;
  double b = k < 0 ? 1.0 / x : x;
  for (unsigned e = static_cast<unsigned>(k < 0 ? -k : k); e != 0; e >>= 1) {
    if (e & 1u) r *= b;
    b *= b;
  }
  return r;
}

inline double AnyPow(double x, double k) {
  const double ki = std::floor(k);
  return ki == k ? IntPow(x, static_cast<int>(ki)) : std::pow(x, k);
}

// Sum of n a^I b^J: the form of every backward equation. The rows come in runs of one I, whose
// power (a pow() where I is fractional) is taken once per run.
template <std::size_t N>
double BackwardSum(const BTerm (&t)[N], double a, double b) {
  double sum = 0.0;
  double i = t[0].i, ai = AnyPow(a, i);
  for (const BTerm& r : t) {
    if (r.i != i) {
      i = r.i;
      ai = AnyPow(a, i);
    }
    sum += r.n * ai * AnyPow(b, r.j);
  }
  return sum;
}

// x^k for Lo <= k <= Hi, filled by multiplication, so the basic equations need no pow().
template <int Lo, int Hi>
class Powers {
  static_assert(Lo <= 0 && Hi >= 0, "the table starts from x^0");

 public:
  explicit Powers(double x) {
    v_[-Lo] = 1.0;
    for (int k = 1; k <= Hi; ++k) v_[k - Lo] = v_[k - 1 - Lo] * x;
    if constexpr (Lo < 0) {
      const double inv = 1.0 / x;
      for (int k = -1; k >= Lo; --k) v_[k - Lo] = v_[k + 1 - Lo] * inv;
    }
  }
  double operator()(int k) const { return v_[k - Lo]; }

 private:
  double v_[Hi - Lo + 1];
};

// Sums over n a^I b^J and its first and second derivatives, each before the division by a, a^2, b, b^2 or
// a b: one product per row, and the derivatives from it by the exponents.
struct GibbsSums {
  double g = 0, ga = 0, gaa = 0, gb = 0, gbb = 0, gab = 0;
};

// A row of a basic equation with the factors its derivatives take from the exponents: I, I (I - 1),
// J, J (J - 1) and I J, in double once and for all.
struct Row {
  int i, j;
  double n, fi, fii, fj, fjj, fij;
};

template <std::size_t N>
constexpr std::array<Row, N> Rows(const Term (&t)[N]) {
  std::array<Row, N> rows{};
  for (std::size_t k = 0; k < N; ++k) {
    const double i = t[k].i, j = t[k].j;
    rows[k] = Row{t[k].i, t[k].j, t[k].n, i, i * (i - 1), j, j * (j - 1), i * j};
  }
  return rows;
}

template <const auto& Table, int ALo, int AHi, int BLo, int BHi>
GibbsSums SumTerms(double a, double b) {
  static constexpr auto kRows = Rows(Table);
  const Powers<ALo, AHi> pa(a);
  const Powers<BLo, BHi> pb(b);
  GibbsSums s;
  for (const Row& r : kRows) {
    const double base = r.n * pa(r.i) * pb(r.j);
    s.g += base;
    s.ga += r.fi * base;
    s.gaa += r.fii * base;
    s.gb += r.fj * base;
    s.gbb += r.fjj * base;
    s.gab += r.fij * base;
  }
  const double ia = 1.0 / a, ib = 1.0 / b;
  s.ga *= ia;
  s.gaa *= ia * ia;
  s.gb *= ib;
  s.gbb *= ib * ib;
  s.gab *= ia * ib;
  return s;
}

}  // namespace kal::if97
