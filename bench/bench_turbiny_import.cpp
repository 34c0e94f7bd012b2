// The import of a measured series: 2 h of 1-s readings of 60 columns (7 200 rows), read from the
// CSV bytes (detection, libcsv, timestamps, numbers) with every column's statistics and verdict.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "turbiny/import.h"

namespace {

using kal::turbiny::Mapowanie;

constexpr int kWiersze = 7200, kKolumny = 60;

// A plant export as the data system writes it: ';', decimal comma, CRLF, a Windows-1250 header.
const std::string& Eksport() {
  static const std::string csv = [] {
    std::string s = "Czas";
    for (int k = 0; k < kKolumny; ++k) s += ";Ci\x9Cn_" + std::to_string(k);
    s += "\r\n";
    char buf[64];
    for (int i = 0; i < kWiersze; ++i) {
      std::snprintf(buf, sizeof buf, "2026-03-14 %02d:%02d:%02d", 10 + i / 3600, i / 60 % 60, i % 60);
      s += buf;
      for (int k = 0; k < kKolumny; ++k) {
        const double v = (k % 2 ? 535.0 : 12.74) + 0.001 * std::sin(i * 0.37 + k);
        std::snprintf(buf, sizeof buf, ";%.4f", v);
        for (char* c = buf; *c; ++c)
          if (*c == '.') *c = ',';
        s += buf;
      }
      s += "\r\n";
    }
    return s;
  }();
  return csv;
}

Mapowanie Mapa() {
  Mapowanie m;
  m.czas = "Czas";
  for (int k = 0; k < kKolumny; ++k)
    m.kolumny.push_back({"Ciśn_" + std::to_string(k), "P" + std::to_string(k / 2), k % 2 ? "t" : "p", {}, {}});
  return m;
}

void BM_ImportSerii(benchmark::State& state) {
  const std::string& csv = Eksport();
  const Mapowanie m = Mapa();
  for (auto _ : state) {
    const kal::turbiny::Stabilnosc s = kal::turbiny::ObliczStabilnosc(csv, m, nullptr, {});
    if (s.wiersze != kWiersze || s.kolumny.size() != kKolumny) state.SkipWithError("bad import");
    benchmark::DoNotOptimize(s.kolumny.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(csv.size()));
  state.SetLabel("7200 wierszy x 60 kolumn");
}
BENCHMARK(BM_ImportSerii)->Unit(benchmark::kMillisecond);

// A new window over series already read (the database's raw series).
void BM_StabilnoscSerii(benchmark::State& state) {
  const Mapowanie m = Mapa();
  const std::vector<kal::turbiny::Seria> serie = kal::turbiny::ObliczStabilnosc(Eksport(), m, nullptr, {}).serie;
  for (auto _ : state) {
    const kal::turbiny::Stabilnosc s =
        kal::turbiny::StabilnoscSerii(serie, m, nullptr, {"2026-03-14T10:30:00", "2026-03-14T11:30:00"});
    benchmark::DoNotOptimize(s.kolumny.data());
  }
}
BENCHMARK(BM_StabilnoscSerii)->Unit(benchmark::kMillisecond);

}  // namespace
