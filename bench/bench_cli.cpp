// Batch throughput of kalorimo-calc per pair: one line = a fresh main-window model, the
// calculation and its JSON line written to /dev/null. Items per second = lines per second.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/calc.h"
#include "cli/output.h"

namespace {

using kal::cli::Pair;

struct BenchLine {
  Pair pair;
  const char* a;
  const char* b;
};

// A data folder of its own for the whole benchmark run.
const std::string& DataDir() {
  static const std::string dir = [] {
    std::string t = (std::filesystem::temp_directory_path() / "kalorimo-bench-XXXXXX").string();
    return std::string(mkdtemp(t.data()) ? t : std::string("/tmp"));
  }();
  return dir;
}

void BM_CliLine(benchmark::State& state, BenchLine line) {
  kal::cli::Calculator calc({DataDir(), 0, ','}, nullptr);
  if (!calc.Start()) {
    state.SkipWithError("start-up failed");
    return;
  }
  std::FILE* devnull = std::fopen("/dev/null", "w");
  kal::cli::Request rq{line.pair, line.a, line.b};
  std::string out;
  bool ok = true;
  for (auto _ : state) {
    kal::cli::LineResult r = calc.Run(rq, 1);
    ok = ok && r.ok;
    out.clear();
    kal::cli::AppendJson(out, r, calc.settings());
    std::fwrite(out.data(), 1, out.size(), devnull);
  }
  std::fclose(devnull);
  if (!ok) state.SkipWithError("a line was not ok");
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(BM_CliLine, p_t, BenchLine{Pair::PT, "10", "500"});
BENCHMARK_CAPTURE(BM_CliLine, p_h, BenchLine{Pair::PH, "1", "2900"});
BENCHMARK_CAPTURE(BM_CliLine, t_h, BenchLine{Pair::TH, "200", "2900"});
BENCHMARK_CAPTURE(BM_CliLine, x_t, BenchLine{Pair::XT, "0,9", "100"});
BENCHMARK_CAPTURE(BM_CliLine, x_p, BenchLine{Pair::XP, "0,9", "1"});
BENCHMARK_CAPTURE(BM_CliLine, p_s, BenchLine{Pair::PS, "1", "7"});
BENCHMARK_CAPTURE(BM_CliLine, t_s, BenchLine{Pair::TS, "200", "7"});
BENCHMARK_CAPTURE(BM_CliLine, h_s, BenchLine{Pair::HS, "2900", "7"});
BENCHMARK_CAPTURE(BM_CliLine, h_s_wet, BenchLine{Pair::HS, "2500", "6,5"});

}  // namespace
