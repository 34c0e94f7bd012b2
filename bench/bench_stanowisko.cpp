// The turbine window opening a turbine of 200 campaigns: the document read from the database and
// every campaign computed for the trend (what the window shows first). Wanted: under 300 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "app/stanowisko.h"
#include "bench_turbiny_rig.h"
#include "steam/evaluator.h"

namespace {

using namespace kal::turbiny;

constexpr int kKampanii = 200;

void BM_OpenTurbineWith200CampaignsAndItsTrend(benchmark::State& state) {
  const bench::FolderTymczasowy folder("kalorimo-bench-okno");
  const std::string plik = folder.path + "/turbiny.db";
  OtworzBaze(plik)->Importuj(bench::TurbinaDoTestu("TG-4", kKampanii, 330.5), false);
  kal::SilentDialogs dialogi;
  std::size_t sekcje = 0;
  for (auto _ : state) {
    kal::DrzwiTurbin drzwi(dialogi);
    drzwi.UstawFolder(folder.path);
    kal::OknoTurbiny okno(dialogi, drzwi.Magazyn());
    if (!okno.Otworz("TG-4")) state.SkipWithError("the turbine did not open");
    sekcje = 0;
    for (const auto& w : okno.wyniki()) sekcje += w.odcinki.size();
    benchmark::DoNotOptimize(sekcje);
  }
  if (sekcje != 3 * kKampanii) state.SkipWithError("not every section computed");
}
BENCHMARK(BM_OpenTurbineWith200CampaignsAndItsTrend)->Unit(benchmark::kMillisecond);

}  // namespace
