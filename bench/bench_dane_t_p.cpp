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

// Superheated states that change pressure and temperature on every call, so nothing a call
// keeps for the next one helps: the cost of the arithmetic itself.
void BM_Dane_T_P_varied(benchmark::State& state) {
  kal::bench::BenchLib lib;
  kal::ModKalorimo& m = lib.m;
  double p[64], t[64];
  for (int i = 0; i < 64; ++i) {
    p[i] = 0.05 + 0.29 * i;  // 0.05 .. 18.3 MPa
    t[i] = 380 + 3.3 * i;    // well above saturation
  }
  int i = 0;
  for (auto _ : state) {
    m.Dane_T_P(p[i], t[i], 0);
    benchmark::DoNotOptimize(m.st.hPary);
    i = (i + 1) & 63;
  }
}
BENCHMARK(BM_Dane_T_P_varied);
BENCHMARK_CAPTURE(BM_Dane_T_P, wet, 1.0, 179.5);
BENCHMARK_CAPTURE(BM_Dane_T_P, water, 1.0, 100.0);

}  // namespace
