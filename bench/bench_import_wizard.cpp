// The import wizard's statistics page for a two-hour export of 60 columns sampled every second:
// the statistics and verdicts of every column over a new window (what the page computes each time
// the window moves), and, for scale, reading the same export from its CSV text (done in the
// background when the mapping is accepted). Wanted for the page: well under 0.5 s.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "turbiny/czas.h"
#include "turbiny/import.h"
#include "turbiny/import_statystyki.h"

namespace {

using namespace kal::turbiny;

constexpr int kPunktow = 30;  // p and t of each: 60 columns
constexpr int kWierszy = 2 * 3600;

struct Eksport {
  Turbina turbina;
  Mapowanie mapa;
  std::vector<Seria> serie;
  std::string csv;
  double t0 = 0;
};

const Eksport& Dane() {
  static const Eksport e = [] {
    Eksport d;
    d.t0 = *SekundyZTekstu("2026-03-14T10:00:00");
    d.mapa.czas = "Czas";
    for (int i = 0; i < kPunktow; ++i) {
      PunktPomiarowy p;
      p.id = "P" + std::to_string(i);
      p.jednostkaP = "bar";
      d.turbina.punkty.push_back(p);
      for (const char* q : {"p", "t"}) d.mapa.kolumny.push_back({p.id + "_" + q, p.id, q, std::nullopt, std::nullopt});
    }
    for (const KolumnaMapowania& k : d.mapa.kolumny) d.serie.push_back({k.kolumna, k.punkt, k.wielkosc, {}, {}});
    d.csv = "Czas";
    for (const KolumnaMapowania& k : d.mapa.kolumny) d.csv += ";" + k.kolumna;
    d.csv += "\r\n";
    unsigned los = 12345;
    char liczba[32];
    for (int w = 0; w < kWierszy; ++w) {
      const double t = d.t0 + w;
      d.csv += TekstIso(t);
      for (std::size_t c = 0; c < d.serie.size(); ++c) {
        los = los * 1103515245u + 12345u;
        const double szum = static_cast<double>(los >> 16 & 0x7fff) / 32768.0 - 0.5;
        const double v = c % 2 ? 500.0 + static_cast<double>(c) + szum : 30.0 + 0.1 * szum;
        d.serie[c].czas.push_back(t);
        d.serie[c].wartosc.push_back(v);
        std::snprintf(liczba, sizeof liczba, ";%.3f", v);
        d.csv += liczba;
      }
      d.csv += "\r\n";
    }
    return d;
  }();
  return e;
}

// The page: a new window over the series already read, every column's statistics and verdict.
void BM_ImportWizardStatystykiOkna(benchmark::State& state) {
  const Eksport& d = Dane();
  const OknoCzasu okno{TekstIso(d.t0 + 600), TekstIso(d.t0 + kWierszy - 1)};
  for (auto _ : state) {
    Stabilnosc s = StatystykiSerii(d.serie, d.mapa, &d.turbina, okno);
    benchmark::DoNotOptimize(s.kolumny.data());
  }
}
BENCHMARK(BM_ImportWizardStatystykiOkna)->Unit(benchmark::kMillisecond);

// The same through the public call, which also hands back a copy of the series.
void BM_ImportWizardStabilnoscSerii(benchmark::State& state) {
  const Eksport& d = Dane();
  const OknoCzasu okno{TekstIso(d.t0 + 600), TekstIso(d.t0 + kWierszy - 1)};
  for (auto _ : state) {
    Stabilnosc s = StabilnoscSerii(d.serie, d.mapa, &d.turbina, okno);
    benchmark::DoNotOptimize(s.kolumny.data());
  }
}
BENCHMARK(BM_ImportWizardStabilnoscSerii)->Unit(benchmark::kMillisecond);

// The background part: the export's CSV text (about 3.6 MB) read into series with its statistics.
void BM_ImportWizardOdczytCsv(benchmark::State& state) {
  const Eksport& d = Dane();
  for (auto _ : state) {
    Stabilnosc s = ObliczStabilnosc(d.csv, d.mapa, &d.turbina, {});
    benchmark::DoNotOptimize(s.kolumny.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(d.csv.size()));
}
BENCHMARK(BM_ImportWizardOdczytCsv)->Unit(benchmark::kMillisecond);

}  // namespace
