// The property library over the default coefficients, with silent dialogs and no windows.
#pragma once
#include <cstdint>
#include <string>

#include "coeffdb/baza_plik.h"
#include "steam/mod_kalorimo.h"

namespace kal::bench {

class SilentDialogs : public Dialogs {
 public:
  Answer MsgBox(const std::string&, Buttons, Icon, const std::string&) override { return Answer::Ok; }
  std::string InputBox(const std::string&, const std::string&) override { return {}; }
};

class NoWindows : public SteamWindows {
 public:
  void ZaladujParaMokra() override {}
  void PthBlad(double, double) override {}
  void CisnienieMPaDoOkna(double) override {}
};

struct BenchLib {
  Baza baza;
  SilentDialogs dialogs;
  NoWindows windows;
  ModKalorimo m{baza, dialogs, windows};
  BenchLib() {
    std::uint8_t blad = 0;
    CzytArray(baza, blad);
  }
};

}  // namespace kal::bench
