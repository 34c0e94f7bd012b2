// The turbine window opening a turbine of 200 campaigns: the document read from the database and
// every campaign computed for the trend (what the window shows first). Wanted: under 300 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/stanowisko.h"

namespace {

using namespace kal::turbiny;

constexpr int kKampanii = 200;

// The dialogs of a run that must show none.
struct CicheDialogi : kal::Dialogs {
  kal::Answer MsgBox(const std::string&, kal::Buttons, kal::Icon, const std::string&) override {
    return kal::Answer::Ok;
  }
  std::string InputBox(const std::string&, const std::string&) override { return ""; }
};

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

struct Folder {
  std::string path;
  Folder() {
    std::string t = (std::filesystem::temp_directory_path() / "kalorimo-bench-okno-XXXXXX").string();
    if (mkdtemp(t.data())) path = t;
  }
  ~Folder() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
};

void BM_OpenTurbineWith200CampaignsAndItsTrend(benchmark::State& state) {
  const Folder folder;
  const std::string plik = folder.path + "/turbiny.db";
  OtworzBaze(plik)->Importuj(Turbina(), false);
  CicheDialogi dialogi;
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
