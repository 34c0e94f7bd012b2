// The state from pressure and temperature in its three regions.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench_library.h"

namespace {

void BM_Dane_T_P(benchmark::State& state, double p, double t) {
  kal::bench::BenchLib lib;
  kal::ModKalorimo& m = lib.m;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    m.Dane_T_P(p, t, 0);
    benchmark::DoNotOptimize(m.st.hPary);
  }
}
BENCHMARK_CAPTURE(BM_Dane_T_P, superheated, 12.0, 360.0);
BENCHMARK_CAPTURE(BM_Dane_T_P, wet, 1.0, 179.5);
BENCHMARK_CAPTURE(BM_Dane_T_P, water, 1.0, 100.0);

}  // namespace
