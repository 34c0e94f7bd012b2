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
 public:
  explicit Powers(double x) {
    v_[-Lo] = 1.0;
    for (int k = 1; k <= Hi; ++k) v_[k - Lo] = v_[k - 1 - Lo] * x;
    const double inv = 1.0 / x;
    for (int k = -1; k >= Lo; --k) v_[k - Lo] = v_[k + 1 - Lo] * inv;
  }
  double operator()(int k) const { return v_[k - Lo]; }

 private:
  double v_[Hi - Lo + 1];
};

}  // namespace kal::if97
