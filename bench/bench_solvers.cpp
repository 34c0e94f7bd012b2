// The enthalpy and entropy solvers: typical superheated states, and the enthalpy-entropy
// search's worst case, which walks to its counter overdraft.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench_library.h"
#include "common/checked.h"
#include "steam/mod_kalorimo.h"

namespace {

struct Library : kal::bench::BenchLib {
  // Enthalpy and entropy of the state at p, t.
  void State(double p, double t, float& h, float& s) {
    m.Dane_T_P(p, t, 0);
    h = m.st.hPary;
    s = m.st.sPary;
  }
};

void BM_Solvers_Dane_P_H(benchmark::State& state, int code, double p, double t) {
  Library lib;
  float h, s;
  lib.State(p, t, h, s);
  for (auto _ : state) {
    lib.m.st.Blad = 0;
    lib.m.st.pPary = static_cast<float>(p);
    lib.m.st.tPary = static_cast<float>(t);
    lib.m.st.hPary = h;
    lib.m.Dane_P_H(code, 0);
    benchmark::DoNotOptimize(lib.m.st.tPary);
    benchmark::DoNotOptimize(lib.m.st.pPary);
  }
}
BENCHMARK_CAPTURE(BM_Solvers_Dane_P_H, code2_1MPa_300C, 2, 1.0, 300.0);
BENCHMARK_CAPTURE(BM_Solvers_Dane_P_H, code2_15MPa_450C, 2, 15.0, 450.0);
BENCHMARK_CAPTURE(BM_Solvers_Dane_P_H, code5_1MPa_300C, 5, 1.0, 300.0);
BENCHMARK_CAPTURE(BM_Solvers_Dane_P_H, code5_5MPa_350C, 5, 5.0, 350.0);

// The pressure from temperature and enthalpy where no pressure reaches the enthalpy: the search
// ends with its pass limit's outcome. Arg 1: the short form, 0: every pass (the reference).
void BM_Pth_NoPressure(benchmark::State& state) {
  Library lib;
  lib.m.fastPaths = state.range(0) == 1;
  const double t = 300, h = 3290;
  for (auto _ : state) {
    lib.m.st.Blad = 0;
    lib.m.st.tNasPary = static_cast<float>(t);
    benchmark::DoNotOptimize(lib.m.Pth(t, h));
  }
  state.counters["passes"] = static_cast<double>(lib.m.passes.Pth);
}
BENCHMARK(BM_Pth_NoPressure)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Solvers_Dane_P_S(benchmark::State& state, bool pressureGiven, double p, double t) {
  Library lib;
  float h, s;
  lib.State(p, t, h, s);
  const float ts = pressureGiven ? kal::Sng(lib.m.Tnas(p)) : static_cast<float>(t);
  for (auto _ : state) {
    lib.m.st.Blad = 0;
    lib.m.st.pPary = pressureGiven ? static_cast<float>(p) : 0.0f;
    lib.m.st.tPary = ts;
    lib.m.st.tNasPary = ts;
    lib.m.Dane_P_S(ts, s, 0);
    benchmark::DoNotOptimize(lib.m.st.tPary);
    benchmark::DoNotOptimize(lib.m.st.pPary);
  }
}
BENCHMARK_CAPTURE(BM_Solvers_Dane_P_S, pressure_1MPa_300C, true, 1.0, 300.0);
BENCHMARK_CAPTURE(BM_Solvers_Dane_P_S, pressure_10MPa_450C, true, 10.0, 450.0);
BENCHMARK_CAPTURE(BM_Solvers_Dane_P_S, temperature_1MPa_300C, false, 1.0, 300.0);
BENCHMARK_CAPTURE(BM_Solvers_Dane_P_S, temperature_0_1MPa_200C, false, 0.1, 200.0);

void BM_Solvers_Dane_H_S(benchmark::State& state, double p, double t) {
  Library lib;
  float h, s;
  lib.State(p, t, h, s);
  for (auto _ : state) {
    lib.m.exitNr = 0;  // the overdraft case would otherwise count past 255
    lib.m.Dane_H_S(h, s);
    benchmark::DoNotOptimize(lib.m.st.pPary);
  }
  state.counters["tsteps"] = static_cast<double>(lib.m.passes.HS_tsteps);
  state.counters["passes"] = static_cast<double>(lib.m.passes.HS_passes);
}
BENCHMARK_CAPTURE(BM_Solvers_Dane_H_S, typical_1MPa_300C, 1.0, 300.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Solvers_Dane_H_S, typical_5MPa_400C, 5.0, 393.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Solvers_Dane_H_S, long_0_1MPa_554C, 0.1, 554.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Solvers_Dane_H_S, worst_overdraft_20MPa_395C, 20.0, 395.0)->Unit(benchmark::kMicrosecond);

}  // namespace
