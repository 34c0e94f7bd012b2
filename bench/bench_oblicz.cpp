// The whole calculate command on the headless main window, one typical state per pair.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/kalorimo_app.h"

namespace {

using namespace kal;

// No person at the screen: every box is answered with its first button.
struct CicheOkna : Dialogs {
  long boxes = 0;
  Answer MsgBox(const std::string&, Buttons b, Icon, const std::string&) override {
    ++boxes;
    return b == Buttons::OK ? Answer::Ok : Answer::Yes;
  }
  std::string InputBox(const std::string&, const std::string&) override { return ""; }
};

struct CichaPlatforma : Platform {
  std::string dir;
  std::string ExecutableDir() override { return dir; }
  bool StartDetached(const std::string&, const std::vector<std::string>&) override { return true; }
  void EndApplication() override {}
  std::string TimeOfDayText() override { return "12:00:00"; }
};

// One started calculator over a temporary folder, with two inputs ticked and typed.
struct Kalkulator {
  CicheOkna okna;
  CichaPlatforma platforma;
  std::unique_ptr<KalorimoApp> app;

  Kalkulator(int a, const char* va, int b, const char* vb) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "kalorimo-bench-XXXXXX").string();
    if (mkdtemp(tmpl.data()) != nullptr) platforma.dir = tmpl;
    app = std::make_unique<KalorimoApp>(okna, platforma);
    app->Form_Load();
    app->frm.Check[a].Value = 1;
    app->frm.Check[b].Value = 1;
    app->Check_Click(a);
    app->frm.Text_IS[a].Text = va;
    app->frm.Text_IS[b].Text = vb;
  }
  ~Kalkulator() {
    app.reset();
    std::error_code ec;
    std::filesystem::remove_all(platforma.dir, ec);
  }
};

void Oblicz(benchmark::State& state, int a, const char* va, int b, const char* vb) {
  Kalkulator k(a, va, b, vb);
  for (auto _ : state) {
    k.app->cmdOblicz_Click();
    benchmark::DoNotOptimize(k.app->frm.Text_IS[7].Text.data());
  }
  if (k.okna.boxes != 0) state.SkipWithError("a message box was shown");
}

using namespace pole;

BENCHMARK_CAPTURE(Oblicz, p_t_superheated, P, "1", T, "200");
BENCHMARK_CAPTURE(Oblicz, p_t_water, P, "1", T, "150");
BENCHMARK_CAPTURE(Oblicz, p_h_superheated, P, "1", H, "2900");
BENCHMARK_CAPTURE(Oblicz, p_h_wet, P, "1", H, "2000");
BENCHMARK_CAPTURE(Oblicz, t_h_superheated, T, "200", H, "2900");
BENCHMARK_CAPTURE(Oblicz, t_h_wet, T, "150", H, "2000");
BENCHMARK_CAPTURE(Oblicz, x_t, X, "0,9", T, "100");
BENCHMARK_CAPTURE(Oblicz, x_p, X, "0,9", P, "1");
BENCHMARK_CAPTURE(Oblicz, p_s_superheated, P, "1", S, "7");
BENCHMARK_CAPTURE(Oblicz, t_s_superheated, T, "200", S, "7");
BENCHMARK_CAPTURE(Oblicz, h_s_superheated, H, "2900", S, "7");

}  // namespace
