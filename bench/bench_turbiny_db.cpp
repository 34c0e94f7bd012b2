// The turbine database as the workbench meets it: a file of 50 turbines with 200 campaigns each,
// opened (with its check) and every turbine's campaigns read. Wanted: well under 200 ms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_turbiny_rig.h"
#include "turbiny/magazyn.h"
#include "turbiny/obliczenia.h"

namespace {

using namespace kal::turbiny;

constexpr int kTurbin = 50;
constexpr int kKampanii = 200;

Dokument Turbina(int nr) {
  Dokument d = bench::TurbinaDoTestu("TG-" + std::to_string(nr), kKampanii, 345.0);
  d.turbina.opis = "blok " + std::to_string(nr);
  for (PunktPomiarowy& p : d.turbina.punkty) p.nazwa = p.id;
  for (std::size_t k = 0; k < d.kampanie.size(); ++k) d.kampanie[k].mocMW = 200 - static_cast<double>(k) * 0.01;
  return d;
}

// The file, made once for the whole run.
const std::string& Plik() {
  static const bench::FolderTymczasowy folder("kalorimo-bench-db");
  static const std::string plik = [] {
    const std::string f = folder.path + "/turbiny.db";
    auto m = OtworzBaze(f);
    for (int i = 0; i < kTurbin; ++i) m->Importuj(Turbina(i), false);
    return f;
  }();
  return plik;
}

void BM_OpenAndReadEveryTurbine(benchmark::State& state) {
  const std::string& plik = Plik();
  std::size_t kampanie = 0;
  for (auto _ : state) {
    auto m = OtworzBaze(plik, true);
    kampanie = 0;
    for (const std::string& nazwa : m->Turbiny()) kampanie += m->Wczytaj(nazwa)->kampanie.size();
    benchmark::DoNotOptimize(kampanie);
  }
  if (kampanie != static_cast<std::size_t>(kTurbin * kKampanii)) state.SkipWithError("campaigns missing");
  state.counters["campaigns"] = static_cast<double>(kampanie);
}
BENCHMARK(BM_OpenAndReadEveryTurbine)->Unit(benchmark::kMillisecond);

}  // namespace

// The same, then every campaign of every turbine calculated: the trend of every section's ηi. The
// calculation runs on two threads and the next turbine is read meanwhile: CPU time is the whole
// process's, time is wall-clock.
void BM_OpenReadAndEveryTrend(benchmark::State& state) {
  const std::string& plik = Plik();
  std::size_t odcinki = 0, ok = 0;
  for (auto _ : state) {
    auto m = OtworzBaze(plik, true);
    odcinki = ok = 0;
    ObliczWszystkieTurbiny(*m, [&](const Dokument&, const std::vector<WynikKampanii>& wyniki) {
      for (const WynikKampanii& w : wyniki) {
        for (const WynikOdcinka& o : w.odcinki) {
          ++odcinki;
          ok += o.ok ? 1 : 0;
        }
      }
    });
    benchmark::DoNotOptimize(ok);
  }
  if (odcinki != static_cast<std::size_t>(kTurbin * kKampanii * 3)) state.SkipWithError("sections missing");
  if (ok != odcinki) state.SkipWithError("a section was refused");
  state.counters["sections"] = static_cast<double>(odcinki);
  state.counters["ok"] = static_cast<double>(ok);
}
BENCHMARK(BM_OpenReadAndEveryTrend)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The share of the check made when the file is opened.
void BM_OpenOnly(benchmark::State& state) {
  const std::string& plik = Plik();
  for (auto _ : state) benchmark::DoNotOptimize(OtworzBaze(plik, true));
}
BENCHMARK(BM_OpenOnly)->Unit(benchmark::kMillisecond);
