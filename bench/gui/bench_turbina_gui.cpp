// The turbine window on screen, offscreen: opening a turbine of 200 campaigns, its window built
// and rendered, the trend tab shown and painted once. Wanted: under 300 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTabWidget>
#include <string>

#include "../bench_turbiny_rig.h"
#include "app/stanowisko.h"
#include "gui/turbina_window.h"
#include "gui/turbina_wyniki.h"
#include "steam/evaluator.h"

namespace {

using namespace kal::turbiny;

constexpr int kKampanii = 200;

void BM_TurbineWindowShowsTheTrendOf200Campaigns(benchmark::State& state) {
  const bench::FolderTymczasowy scratch("kalorimo-bench-gui");
  const std::string& folder = scratch.path;
  OtworzBaze(folder + "/turbiny.db")->Importuj(bench::TurbinaDoTestu("TG-4", kKampanii, 330.5), false);
  kal::SilentDialogs dialogi;
  for (auto _ : state) {
    kal::DrzwiTurbin drzwi(dialogi);
    drzwi.UstawFolder(folder);
    auto model = std::make_unique<kal::OknoTurbiny>(dialogi, drzwi.Magazyn());
    if (!model->Otworz("TG-4")) state.SkipWithError("the turbine did not open");
    kal::TurbinaWindow okno(std::move(model), dialogi, nullptr);
    okno.resize(1500, 900);
    okno.render();
    auto* zakladki = okno.findChild<QTabWidget*>();
    if (zakladki) zakladki->setCurrentIndex(zakladki->count() - 1);
    auto* trend = okno.findChild<kal::TrendWidget*>();
    if (!trend) state.SkipWithError("no trend tab");
    QImage obraz(okno.size(), QImage::Format_ARGB32);
    okno.QWidget::render(&obraz);
    benchmark::DoNotOptimize(obraz.bits());
  }
}
BENCHMARK(BM_TurbineWindowShowsTheTrendOf200Campaigns)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
