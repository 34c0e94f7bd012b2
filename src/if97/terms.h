// Building blocks shared by the IF97 regions: coefficient rows and cheap powers.
#pragma once

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

// Sum of n a^I b^J: the form of every backward equation.
template <std::size_t N>
double BackwardSum(const BTerm (&t)[N], double a, double b) {
  double sum = 0.0;
  for (const BTerm& r : t) sum += r.n * AnyPow(a, r.i) * AnyPow(b, r.j);
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

template <int ALo, int AHi, int BLo, int BHi, std::size_t N>
GibbsSums SumTerms(const Term (&t)[N], double a, double b) {
  const Powers<ALo, AHi> pa(a);
  const Powers<BLo, BHi> pb(b);
  GibbsSums s;
  for (const Term& r : t) {
    const double base = r.n * pa(r.i) * pb(r.j);
    const double i = r.i, j = r.j;
    s.g += base;
    s.ga += i * base;
    s.gaa += i * (i - 1) * base;
    s.gb += j * base;
    s.gbb += j * (j - 1) * base;
    s.gab += i * j * base;
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
