// One campaign of a 12-section turbine as the workbench calculates it: every section by the fits
// and by IF97, the efficiency's uncertainty budget, and the baseline campaign's sections for the
// comparison. Items per second = campaigns per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "if97/if97.h"
#include "turbiny/obliczenia.h"

namespace {

using namespace kal::turbiny;

// Readings along the steam path from IF97 states of known stage efficiencies: HP, IP after the
// reheat, LP to a wet exhaust given by its enthalpy.
Dokument Turbina12(double dt) {
  struct Krok {
    const char* id;
    double p;    // MPa
    double eta;  // of the stage group ending here; 0 starts a casing
    double t;    // C, a casing's inlet
  };
  const Krok kSciezka[] = {{"PS", 12.74, 0, 535.1},    {"U7", 6.0, 0.87, 0},  {"WP_WYL", 2.9, 0.86, 0},
                           {"PP", 2.6, 0, 535.0},      {"U5", 1.2, 0.91, 0},  {"U4", 0.6, 0.92, 0},
                           {"SP_WYL", 0.28, 0.91, 0},  {"U3", 0.12, 0.90, 0}, {"U2", 0.07, 0.89, 0},
                           {"NP_WYL", 0.0056, 0.86, 0}};
  Dokument d;
  d.turbina.nazwa = "TG-12";
  d.kampanie.resize(2);
  d.kampanie[0].id = "odb";
  d.kampanie[0].data = "2024-05-01T10:00";
  d.kampanie[0].rodzaj = RodzajKampanii::Odbiorcze;
  d.kampanie[1].id = "okr";
  d.kampanie[1].data = "2025-10-14T10:00";
  kal::if97::Result stan;
  for (const Krok& k : kSciezka) {
    PunktPomiarowy p;
    p.id = k.id;
    p.jednostkaP = k.p < 0.1 ? "kPa" : k.p < 5 ? "bar" : "MPa";
    d.turbina.punkty.push_back(p);
    const double f = *MpaNaJednostke(p.jednostkaP);
    if (k.eta == 0) {
      stan = kal::if97::FromPT(k.p, k.t);
    } else {
      const kal::if97::Result s = kal::if97::FromPS(k.p, stan.s);
      stan = kal::if97::FromPH(k.p, stan.h - k.eta * (stan.h - s.h));
    }
    for (std::size_t i = 0; i < 2; ++i) {
      Odczyt o;
      o.p = stan.p / f;
      o.u_p_random = 0.0005 * *o.p;
      if (stan.region == 4) {
        o.h = stan.h + static_cast<double>(i) * 3;
        o.U_h = 15;
      } else {
        o.t = stan.t + (k.eta == 0 ? 0 : static_cast<double>(i) * dt);
        o.u_t_random = 0.05;
      }
      d.kampanie[i].odczyty[k.id] = o;
    }
  }
  const char* const kOdcinki[][2] = {{"PS", "U7"},     {"U7", "WP_WYL"}, {"PS", "WP_WYL"}, {"PP", "U5"},
                                     {"U5", "U4"},     {"U4", "SP_WYL"}, {"PP", "SP_WYL"}, {"PP", "U4"},
                                     {"SP_WYL", "U3"}, {"U3", "U2"},     {"U2", "NP_WYL"}, {"SP_WYL", "NP_WYL"}};
  for (const auto& o : kOdcinki) {
    Odcinek s;
    s.nazwa = std::string(o[0]) + "-" + o[1];
    s.wlot = o[0];
    s.wylot = o[1];
    s.rodzajWylotu = std::string(o[1]) == "NP_WYL" ? RodzajWylotu::Mokry : RodzajWylotu::Przegrzany;
    s.etaProjekt = 0.88;
    d.turbina.odcinki.push_back(s);
  }
  return d;
}

void BM_KampaniaTurbiny12(benchmark::State& state) {
  const Dokument d = Turbina12(0.8);
  bool ok = true;
  for (auto _ : state) {
    WynikKampanii w = ObliczKampanie(d, 1);
    ok = ok && w.ok && w.baza && w.odcinki.size() == 12 && w.odcinki[0].U95dEtaBaza;
    benchmark::DoNotOptimize(w);
  }
  if (!ok) state.SkipWithError("a section was not ok");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KampaniaTurbiny12)->Unit(benchmark::kMicrosecond);

}  // namespace
