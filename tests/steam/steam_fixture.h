// Shared fixture of the steam tests: the property library over the default coefficients, with
// scripted dialogs (any unexpected box fails the test) and windows that record what was asked.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "coeffdb/baza_plik.h"
#include "steam/mod_kalorimo.h"
#include "support/scripted_dialogs.h"

namespace kal::test {

// Records the library's requests to the window layer.
class RecordingSteamWindows : public SteamWindows {
 public:
  int paraMokraLoads = 0;                           // ZaladujParaMokra calls
  std::vector<std::pair<double, double>> pthBledy;  // (t, h) of each PthBlad
  std::vector<double> cisnienia;                    // p of each CisnienieMPaDoOkna

  void ZaladujParaMokra() override { ++paraMokraLoads; }
  void PthBlad(double t, double h) override { pthBledy.emplace_back(t, h); }
  void CisnienieMPaDoOkna(double p) override { cisnienia.push_back(p); }
};

inline Baza DefaultBaza() {
  Baza b;
  std::uint8_t blad = 1;
  CzytArray(b, blad);
  return b;
}

class SteamTest : public ::testing::Test {
 protected:
  Baza baza = DefaultBaza();
  ScriptedDialogs dialogs;
  RecordingSteamWindows windows;
  ModKalorimo m{baza, dialogs, windows};
};

}  // namespace kal::test
