// Stand-in for the private evaluator until it lands in src/steam: the pairs as the window calls
// them, on a ModKalorimo of its own with silent dialogs, results as values.
#pragma once
#include <optional>
#include <string>

#include "coeffdb/baza.h"
#include "common/errors.h"
#include "steam/mod_kalorimo.h"

namespace kal {

struct WynikPary {
  bool ok = false;
  SteamState state{};
  std::string message;  // the first box the solvers would have shown
  std::optional<RunTimeError> error;
};

class Ewaluator {
 public:
  explicit Ewaluator(const Baza& baza) : baza_(baza), lib_(baza_, dialogs_, windows_) {}
  Ewaluator(const Ewaluator&) = delete;
  Ewaluator& operator=(const Ewaluator&) = delete;

  WynikPary PT(float p, float t);
  WynikPary PH(float p, float h);
  WynikPary PS(float p, float s);

  ModKalorimo& lib() { return lib_; }
  const Baza& baza() const { return baza_; }

 private:
  class Ciche : public Dialogs {
   public:
    Answer MsgBox(const std::string& text, Buttons, Icon, const std::string&) override {
      if (first.empty()) first = text;
      return Answer::Ok;
    }
    std::string InputBox(const std::string&, const std::string&) override { return {}; }
    std::string first;
  };
  class BezOkien : public SteamWindows {
   public:
    void ZaladujParaMokra() override {}
    void PthBlad(double, double) override {}
    void CisnienieMPaDoOkna(double) override {}
  };
  template <class F>
  WynikPary Run(F&& f);

  Baza baza_;
  Ciche dialogs_;
  BezOkien windows_;
  ModKalorimo lib_;
};

}  // namespace kal
