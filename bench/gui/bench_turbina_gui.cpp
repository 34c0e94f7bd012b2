// The turbine window on screen, offscreen: opening a turbine of 200 campaigns, its window built
// and rendered, the trend tab shown and painted once. Wanted: under 300 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QImage>
#include <QTabWidget>
#include <filesystem>
#include <string>

#include "app/stanowisko.h"
#include "gui/turbina_window.h"
#include "gui/turbina_wyniki.h"

namespace {

using namespace kal::turbiny;

constexpr int kKampanii = 200;

struct CicheDialogi : kal::Dialogs {
  kal::Answer MsgBox(const std::string&, kal::Buttons, kal::Icon, const std::string&) override {
    return kal::Answer::Ok;
  }
  std::string InputBox(const std::string&, const std::string&) override { return ""; }
};

// Three casings, a campaign a month, an overhaul every 20 of them.
Dokument Turbina() {
  Dokument d;
  d.turbina.nazwa = "TG-4";
  for (const char* id : {"PS", "WP_WYL", "SP_WL", "SP_WYL", "NP_WYL"}) {
    PunktPomiarowy p;
    p.id = id;
    d.turbina.punkty.push_back(p);
  }
  d.turbina.odcinki = {{"WP", "PS", "WP_WYL", RodzajWylotu::Przegrzany, 0.865},
                       {"SP", "SP_WL", "SP_WYL", RodzajWylotu::Przegrzany, 0.91},
                       {"NP", "SP_WYL", "NP_WYL", RodzajWylotu::Mokry, 0.88}};
  for (int k = 0; k < kKampanii; ++k) {
    Kampania c;
    c.id = "K" + std::to_string(k);
    c.data = std::to_string(2000 + k / 12) + "-" + (k % 12 < 9 ? "0" : "") + std::to_string(k % 12 + 1) + "-01T10:00";
    c.rodzaj = k % 20 == 0 ? RodzajKampanii::PoRemoncie : RodzajKampanii::Okresowe;
    const double dp = k * 1e-3;
    c.odczyty["PS"] = {12.74 + dp, 535.1, std::nullopt, std::nullopt, 0.004, 0.06, 720};
    c.odczyty["WP_WYL"] = {3.62 + dp, 330.5, std::nullopt, std::nullopt, 0.002, 0.05, 720};
    c.odczyty["SP_WL"] = {3.3, 535.0, std::nullopt, std::nullopt, 0.002, 0.05, 720};
    c.odczyty["SP_WYL"] = {0.25, 240.0 + dp, std::nullopt, std::nullopt, 0.001, 0.05, 720};
    c.odczyty["NP_WYL"] = {0.0056, std::nullopt, 2345.0, 15.0, std::nullopt, std::nullopt, 720};
    d.kampanie.push_back(std::move(c));
  }
  return d;
}

void BM_TurbineWindowShowsTheTrendOf200Campaigns(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "kalorimo-bench-gui-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no scratch folder");
    return;
  }
  OtworzBaze(folder + "/turbiny.db")->Importuj(Turbina(), false);
  CicheDialogi dialogi;
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
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
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
