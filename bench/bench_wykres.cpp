// The I-S chart: its lines from the equations, the expansion, and opening the window model.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/kalorimo_app.h"
#include "mollier/rozprezanie.h"
#include "mollier/rozprezanie_if97.h"
#include "mollier/wykres.h"

namespace {

using namespace kal;

void BM_WykresLinie(benchmark::State& state) {
  const Baza baza = Evaluator().lib().baza();
  long punkty = 0;
  for (auto _ : state) {
    Evaluator ew(baza);
    Wykres w = ObliczWykres(ew);
    punkty = 0;
    for (const Linia& l : w.linie)
      for (const auto& o : l.odcinki) punkty += static_cast<long>(o.size());
    benchmark::DoNotOptimize(w);
  }
  state.counters["points"] = static_cast<double>(punkty);
}
BENCHMARK(BM_WykresLinie)->Unit(benchmark::kMillisecond);

void BM_Rozprezanie(benchmark::State& state) {
  Evaluator ew;
  const SteamState wlot = ew.P_T(10, 500).state;
  for (auto _ : state) {
    Rozprezanie r = Rozpreznij(ew, {wlot, 5, Koniec2::Eta, 0, 0.85});
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_Rozprezanie)->Unit(benchmark::kMicrosecond);

// The chart with the IAPWS-IF97 overlay: the fits' lines, IF97's saturation line and the IF97
// expansion, all computed afresh (the window keeps the first two between openings).
void BM_WykresZNakladkaIF97(benchmark::State& state) {
  const Baza baza = Evaluator().lib().baza();
  for (auto _ : state) {
    Evaluator ew(baza);
    Wykres w = ObliczWykres(ew);
    std::vector<Linia> nas = NasycenieIF97();
    RozprezanieIF97 r = RozpreznijIF97(10, 500, 0.005, Koniec2::Eta, 0, 0.85);
    benchmark::DoNotOptimize(w);
    benchmark::DoNotOptimize(nas);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_WykresZNakladkaIF97)->Unit(benchmark::kMillisecond);

void BM_NasycenieIF97(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<Linia> nas = NasycenieIF97();
    benchmark::DoNotOptimize(nas);
  }
}
BENCHMARK(BM_NasycenieIF97)->Unit(benchmark::kMillisecond);

void BM_RozprezanieIF97(benchmark::State& state) {
  for (auto _ : state) {
    RozprezanieIF97 r = RozpreznijIF97(10, 500, 0.005, Koniec2::Eta, 0, 0.85);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_RozprezanieIF97)->Unit(benchmark::kMicrosecond);

struct Cicho : Dialogs {
  Answer MsgBox(const std::string&, Buttons b, Icon, const std::string&) override {
    return b == Buttons::OK ? Answer::Ok : Answer::Yes;
  }
  std::string InputBox(const std::string&, const std::string&) override { return ""; }
};
struct Platforma : Platform {
  std::string dir;
  std::string ExecutableDir() override { return dir; }
  bool StartDetached(const std::string&, const std::vector<std::string>&) override { return true; }
  void EndApplication() override {}
  std::string TimeOfDayText() override { return "12:00:00"; }
};

// "   &IS  " after a pressure-temperature calculation: the first time with the chart's lines,
// then with the lines of the same record kept.
void BM_OtwarcieOkna(benchmark::State& state, bool pierwsze, bool if97) {
  Cicho okna;
  Platforma platforma;
  std::string tmpl = (std::filesystem::temp_directory_path() / "kalorimo-bench-XXXXXX").string();
  if (mkdtemp(tmpl.data()) != nullptr) platforma.dir = tmpl;
  auto nowa = [&] {
    auto app = std::make_unique<KalorimoApp>(okna, platforma);
    app->Form_Load();
    app->frm.Check[0].Value = app->frm.Check[1].Value = 1;
    app->Check_Click(0);
    app->Check_Click(1);
    app->frm.Text_IS[0].Text = "10";
    app->frm.Text_IS[1].Text = "500";
    app->cmdOblicz_Click();
    app->wykresIS.if97 = if97;  // the tick, as it stays between openings
    return app;
  };
  std::unique_ptr<KalorimoApp> app = nowa();
  for (auto _ : state) {
    if (pierwsze) {
      state.PauseTiming();
      app = nowa();
      state.ResumeTiming();
    }
    app->mnuIS_Click();
    app->WykresIS_Unload();
  }
  app.reset();
  std::error_code ec;
  std::filesystem::remove_all(platforma.dir, ec);
}
BENCHMARK_CAPTURE(BM_OtwarcieOkna, pierwsze, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OtwarcieOkna, ponowne, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OtwarcieOkna, ponowne_if97, false, true)->Unit(benchmark::kMillisecond);

}  // namespace
