// The turbine database as the workbench meets it: a file of 50 turbines with 200 campaigns each,
// opened (with its check) and every turbine's campaigns read. Wanted: well under 200 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "turbiny/magazyn.h"
#include "turbiny/obliczenia.h"

namespace {

using namespace kal::turbiny;

constexpr int kTurbin = 50;
constexpr int kKampanii = 200;

Dokument Turbina(int nr) {
  Dokument d;
  d.turbina.nazwa = "TG-" + std::to_string(nr);
  d.turbina.opis = "blok " + std::to_string(nr);
  const char* punkty[] = {"PS", "WP_WYL", "SP_WL", "SP_WYL", "NP_WYL"};
  for (const char* id : punkty) {
    PunktPomiarowy p;
    p.id = id;
    p.nazwa = id;
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
    c.mocMW = 200 - k * 0.01;
    const double dp = k * 1e-3;
    c.odczyty["PS"] = {12.74 + dp, 535.1, std::nullopt, std::nullopt, 0.004, 0.06, 720};
    c.odczyty["WP_WYL"] = {3.62 + dp, 345.0, std::nullopt, std::nullopt, 0.002, 0.05, 720};
    c.odczyty["SP_WL"] = {3.3, 535.0, std::nullopt, std::nullopt, 0.002, 0.05, 720};
    c.odczyty["SP_WYL"] = {0.25, 240.0 + dp, std::nullopt, std::nullopt, 0.001, 0.05, 720};
    c.odczyty["NP_WYL"] = {0.0056, std::nullopt, 2345.0, 15.0, std::nullopt, std::nullopt, 720};
    d.kampanie.push_back(std::move(c));
  }
  return d;
}

// A folder of its own, removed with the file when the run ends.
struct Folder {
  std::string path;
  Folder() {
    std::string t = (std::filesystem::temp_directory_path() / "kalorimo-bench-db-XXXXXX").string();
    if (mkdtemp(t.data())) path = t;
  }
  ~Folder() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
};

// The file, made once for the whole run.
const std::string& Plik() {
  static const Folder folder;
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
// calculation runs on two threads: CPU time is the whole process's, time is wall-clock.
void BM_OpenReadAndEveryTrend(benchmark::State& state) {
  const std::string& plik = Plik();
  std::size_t odcinki = 0, ok = 0;
  for (auto _ : state) {
    auto m = OtworzBaze(plik, true);
    odcinki = ok = 0;
    for (const std::string& nazwa : m->Turbiny()) {
      for (const WynikKampanii& w : ObliczWszystkie(*m->Wczytaj(nazwa))) {
        for (const WynikOdcinka& o : w.odcinki) {
          ++odcinki;
          ok += o.ok ? 1 : 0;
        }
      }
    }
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
