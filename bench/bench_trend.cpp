// A turbine of three casings with 200 campaigns, as the trend screen opens it: every campaign
// calculated (fits, IF97, the uncertainty budget, the baseline comparison) and the trend series of
// both formulations built from the results. Items per second = turbines per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "turbiny/obliczenia.h"
#include "turbiny/trend.h"

namespace {

using namespace kal::turbiny;

Odczyt Odczyt_(double p, double t, double up, double ut) {
  Odczyt o;
  o.p = p;
  o.t = t;
  o.u_p_random = up;
  o.u_t_random = ut;
  o.n = 600;
  return o;
}

// The example block's points and sections; monthly tests from 2009 with small drifts, an
// after-overhaul test every two years.
Dokument Turbina200() {
  Dokument d;
  d.turbina.nazwa = "TG-4";
  const char* kPunkty[][2] = {{"PS", "MPa"}, {"WP_WYL", "bar"}, {"PP", "bar"}, {"SP_WYL", "kPa"}, {"NP_WYL", "kPa"}};
  for (const auto& p : kPunkty) {
    PunktPomiarowy q;
    q.id = p[0];
    q.jednostkaP = p[1];
    d.turbina.punkty.push_back(q);
  }
  d.turbina.punkty[3].nadcisnienie = true;
  const char* kOdcinki[][2] = {{"PS", "WP_WYL"}, {"PP", "SP_WYL"}, {"SP_WYL", "NP_WYL"}};
  const char* kNazwy[] = {"WP", "SP", "NP"};
  const double kProjekt[] = {0.865, 0.915, 0.88};
  for (int i = 0; i < 3; ++i) {
    Odcinek o;
    o.nazwa = kNazwy[i];
    o.wlot = kOdcinki[i][0];
    o.wylot = kOdcinki[i][1];
    o.rodzajWylotu = i == 2 ? RodzajWylotu::Mokry : RodzajWylotu::Przegrzany;
    o.etaProjekt = kProjekt[i];
    d.turbina.odcinki.push_back(o);
  }
  for (int i = 0; i < 200; ++i) {
    Kampania k;
    char data[32];
    std::snprintf(data, sizeof data, "%04d-%02d-14T10:00", 2009 + i / 12, i % 12 + 1);
    k.id = "k" + std::to_string(i);
    k.data = data;
    k.rodzaj = i == 0 ? RodzajKampanii::Odbiorcze : i % 24 == 0 ? RodzajKampanii::PoRemoncie : RodzajKampanii::Okresowe;
    k.otoczenieKPa = 99.8;
    k.u_otoczenieRandom = 0.01;
    const double zuzycie = (i % 24) * 0.06;  // the HP exhaust warms between overhauls
    k.odczyty["PS"] = Odczyt_(12.75, 535.2, 0.004, 0.05);
    k.odczyty["WP_WYL"] = Odczyt_(29.1, 324.0 + zuzycie, 0.01, 0.05);
    k.odczyty["PP"] = Odczyt_(26.6, 535.0, 0.012, 0.06);
    k.odczyty["SP_WYL"] = Odczyt_(180.0, 238.0 + zuzycie / 2, 0.08, 0.05);
    Odczyt np;
    np.p = 5.6;
    np.h = 2372.0 + zuzycie;
    np.U_h = 15;
    np.u_p_random = 0.004;
    k.odczyty["NP_WYL"] = np;
    d.kampanie.push_back(k);
  }
  return d;
}

void BM_Trend200Kampanii(benchmark::State& state) {
  const Dokument d = Turbina200();
  bool ok = true;
  for (auto _ : state) {
    const std::vector<WynikKampanii> w = ObliczWszystkie(d);
    for (Formulacja f : {Formulacja::Fits, Formulacja::IF97}) {
      const std::vector<SeriaTrendu> s = SerieTrendu(d, w, f);
      ok = ok && s.size() == 3 && s[0].punkty.size() == 200 && s[2].punkty.size() == 200 && s[0].bazy.size() == 9;
      benchmark::DoNotOptimize(s);
    }
  }
  if (!ok) state.SkipWithError("a campaign gave no point");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Trend200Kampanii)->Unit(benchmark::kMillisecond);

}  // namespace
