// Saturation line and saturated properties over the default coefficients.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench_library.h"

namespace {

using Lib = kal::bench::BenchLib;

void BM_Tnas(benchmark::State& state) {
  Lib lib;
  double p = 1.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(lib.m.Tnas(p));
  }
}
BENCHMARK(BM_Tnas);

void BM_Pnas(benchmark::State& state) {
  Lib lib;
  double t = static_cast<double>(state.range(0)) / 10;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(lib.m.Pnas(t));
  }
  state.counters["passes"] = static_cast<double>(lib.m.passes.Pnas);
}
BENCHMARK(BM_Pnas)->Arg(1000)->Arg(1005);  // 100 C converges, 100.5 C runs 10001 passes

template <double (kal::ModKalorimo::*F)(double)>
void BM_Saturated(benchmark::State& state) {
  Lib lib;
  double t = 250.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize((lib.m.*F)(t));
  }
}
BENCHMARK_TEMPLATE(BM_Saturated, &kal::ModKalorimo::H1t)->Name("BM_H1t");
BENCHMARK_TEMPLATE(BM_Saturated, &kal::ModKalorimo::S1t)->Name("BM_S1t");
BENCHMARK_TEMPLATE(BM_Saturated, &kal::ModKalorimo::V1t)->Name("BM_V1t");
BENCHMARK_TEMPLATE(BM_Saturated, &kal::ModKalorimo::H2t)->Name("BM_H2t");
BENCHMARK_TEMPLATE(BM_Saturated, &kal::ModKalorimo::S2t)->Name("BM_S2t");
BENCHMARK_TEMPLATE(BM_Saturated, &kal::ModKalorimo::V2t)->Name("BM_V2t");

}  // namespace
