// IAPWS-IF97: a p,T state and every input pair, over states of all regions.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "if97/if97.h"

namespace {
using namespace kal::if97;

// (p MPa, t C): regions 1, 2, 3; then wet states by (x, t C): a middle one, one on region 3's part of the
// saturation line and one near the liquid line.
const double kStates[][2] = {{10, 100}, {1, 300}, {0.01, 80}, {30, 400}, {60, 500}};
const double kWet[][2] = {{0.6, 200}, {0.5, 360}, {0.1, 100}};

Result StateOf(int64_t i) {
  return i < 5 ? FromPT(kStates[i][0], kStates[i][1]) : FromXT(kWet[i - 5][0], kWet[i - 5][1]);
}

void BM_If97_PT(benchmark::State& state) {
  const auto& st = kStates[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(FromPT(st[0], st[1]));
}
BENCHMARK(BM_If97_PT)->DenseRange(0, 4);

template <int Pair>
void BM_If97_Pair(benchmark::State& state) {
  const Result r = StateOf(state.range(0));
  for (auto _ : state) {
    switch (Pair) {
      case 0:
        benchmark::DoNotOptimize(FromPH(r.p, r.h));
        break;
      case 1:
        benchmark::DoNotOptimize(FromTH(r.t, r.h));
        break;
      case 2:
        benchmark::DoNotOptimize(FromXT(0.6, r.t));
        break;
      case 3:
        benchmark::DoNotOptimize(FromXP(0.6, r.p));
        break;
      case 4:
        benchmark::DoNotOptimize(FromPS(r.p, r.s));
        break;
      case 5:
        benchmark::DoNotOptimize(FromTS(r.t, r.s));
        break;
      default:
        benchmark::DoNotOptimize(FromHS(r.h, r.s));
        break;
    }
  }
}
BENCHMARK_TEMPLATE(BM_If97_Pair, 0)->Name("BM_If97_PH")->DenseRange(0, 5);
BENCHMARK_TEMPLATE(BM_If97_Pair, 1)->Name("BM_If97_TH")->DenseRange(0, 5);
BENCHMARK_TEMPLATE(BM_If97_Pair, 2)->Name("BM_If97_XT")->Arg(5);
BENCHMARK_TEMPLATE(BM_If97_Pair, 3)->Name("BM_If97_XP")->Arg(5);
BENCHMARK_TEMPLATE(BM_If97_Pair, 4)->Name("BM_If97_PS")->DenseRange(0, 5);
BENCHMARK_TEMPLATE(BM_If97_Pair, 5)->Name("BM_If97_TS")->DenseRange(0, 5);
BENCHMARK_TEMPLATE(BM_If97_Pair, 6)->Name("BM_If97_HS")->DenseRange(0, 7);

}  // namespace
