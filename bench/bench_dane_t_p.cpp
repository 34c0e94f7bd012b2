// The state from pressure and temperature in its three regions.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "coeffdb/baza_plik.h"
#include "steam/mod_kalorimo.h"

namespace {

class QuietDialogs : public kal::Dialogs {
 public:
  kal::Answer MsgBox(const std::string&, kal::Buttons, kal::Icon, const std::string&) override {
    return kal::Answer::Ok;
  }
  std::string InputBox(const std::string&, const std::string&) override { return {}; }
};

class IdleWindows : public kal::SteamWindows {
 public:
  void ZaladujParaMokra() override {}
  void PthBlad(double, double) override {}
  void CisnienieMPaDoOkna(double) override {}
};

void BM_Dane_T_P(benchmark::State& state, double p, double t) {
  kal::Baza baza;
  std::uint8_t blad = 0;
  kal::CzytArray(baza, blad);
  QuietDialogs dialogs;
  IdleWindows windows;
  kal::ModKalorimo m(baza, dialogs, windows);
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    m.Dane_T_P(p, t, 0);
    benchmark::DoNotOptimize(m.st.hPary);
  }
}
BENCHMARK_CAPTURE(BM_Dane_T_P, superheated, 12.0, 360.0);
BENCHMARK_CAPTURE(BM_Dane_T_P, wet, 1.0, 179.5);
BENCHMARK_CAPTURE(BM_Dane_T_P, water, 1.0, 100.0);

}  // namespace
