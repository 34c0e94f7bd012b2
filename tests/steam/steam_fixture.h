// Shared fixture of the steam tests: the property library over the default coefficients, with
// scripted dialogs (any unexpected box fails the test) and the evaluator's windows, which record
// what was asked.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>

#include "coeffdb/baza_plik.h"
#include "steam/evaluator.h"
#include "steam/mod_kalorimo.h"
#include "support/scripted_dialogs.h"

namespace kal::test {

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
