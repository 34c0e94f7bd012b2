// The property library for callers that are not the calculator: a chart, the sweep, the
// benchmarks and the tests. It owns its steam state, a copy of the coefficient record, message
// boxes that nobody sees and no windows, so the calculator's state, its Blad, its overdraft
// count and its boxes stay untouched. Failures come back as a value.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "coeffdb/baza.h"
#include "common/dialogs.h"
#include "steam/mod_kalorimo.h"
#include "steam/steam_state.h"

namespace kal {

// Message boxes that nobody sees: the last text is kept, OK is answered, the input box cancelled.
class SilentDialogs : public Dialogs {
 public:
  std::string lastText;
  long count = 0;  // boxes so far

  Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title) override;
};

// No windows: the library's requests to the window layer are only recorded.
class RecordingSteamWindows : public SteamWindows {
 public:
  int paraMokraLoads = 0;                           // ZaladujParaMokra calls
  std::vector<std::pair<double, double>> pthBledy;  // (t, h) of each PthBlad
  std::vector<double> cisnienia;                    // p of each CisnienieMPaDoOkna

  void ZaladujParaMokra() override { ++paraMokraLoads; }
  void PthBlad(double t, double h) override { pthBledy.emplace_back(t, h); }
  void CisnienieMPaDoOkna(double p) override { cisnienia.push_back(p); }
  void Clear() { *this = RecordingSteamWindows{}; }
};

// One pair's outcome.
struct EvalResult {
  bool ok = false;      // a state was found: no rejection (Blad) and no run-time error
  SteamState state;     // the state as the solver left it, also after a failure
  std::string message;  // the last box the library would have shown in this call, else empty
  int errorNumber = 0;  // the run-time error's number (6 overflow, 11 division ...), else 0
};

class Evaluator {
 public:
  explicit Evaluator(const Baza& baza);
  Evaluator();  // over the default coefficients
  Evaluator(const Evaluator&) = delete;
  Evaluator& operator=(const Evaluator&) = delete;

  // The eight pairs, set up as the calculate command sets them up before its solver, pressure
  // in MPa. Each call starts from a zeroed steam state, so a result depends on its inputs only;
  // the windows' record is cleared too. A dryness outside 0 <= x < 1 is refused as the window
  // refuses it, before the library runs: ok is false and no message is given.
  EvalResult P_T(float p, float t);  // Dane_T_P
  EvalResult P_H(float p, float h);  // Dane_P_H, code 2
  EvalResult T_H(float t, float h);  // Dane_P_H, code 5
  EvalResult X_T(float x, float t);  // Pnas, Dane_Nas
  EvalResult X_P(float x, float p);  // Tnas, Dane_Nas
  EvalResult P_S(float p, float s);  // UstawTnasDlaP_S, Dane_P_S
  EvalResult T_S(float t, float s);  // Dane_P_S with no pressure
  EvalResult H_S(float h, float s);  // Dane_H_S

  // The library itself, for single property functions over the evaluator's own state.
  ModKalorimo& lib() { return lib_; }
  const RecordingSteamWindows& windows() const { return windows_; }

 private:
  void NasyconaMieszanina(SteamState& s);  // Dane_Nas, then the mixture as the state
  template <class Solve>
  EvalResult Run(Solve solve);

  Baza baza_;
  SilentDialogs dialogs_;
  RecordingSteamWindows windows_;
  ModKalorimo lib_{baza_, dialogs_, windows_};
};

}  // namespace kal
