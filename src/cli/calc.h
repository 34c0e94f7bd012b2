// One calculation of the batch tool on the headless main-window model: the very handlers a user
// drives in the window (unit list, check boxes, boxes, "Oblicz"), answered by BatchDialogs.
#pragma once
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_dialogs.h"
#include "cli/cli_line.h"
#include "if97/if97.h"
#include "steam/steam_state.h"

namespace kal {
class KalorimoApp;
}

namespace kal::cli {

struct Settings {
  std::string dataDir;         // empty: the folder "Kalorimo" beside the executable
  int unitIndex = 0;           // position in the unit list: 0 MPa, 1 bar, 2 kPa
  char decimalSep = ',';       // the locale's decimal separator
  bool referenceIf97 = false;  // --reference if97: each result also carries the IAPWS-IF97 state
};

struct LineResult {
  int line = 0;        // line number of the batch input (1 for a single calculation)
  bool parsed = true;  // false: the line was no request; `syntax` says why
  std::string syntax;
  std::string pairName;  // canonical, "p,t"
  std::string a, b;      // the texts typed, in the pair's order
  bool ok = false;
  // The command found Blad set, cleared it and skipped the pair's display without a message:
  // some result box (0 to 5, the two given ones aside) stayed empty.
  bool skipped = false;
  std::array<std::string, 10> boxes{};
  std::string unitShown;        // the unit list's text, trimmed: the unit of box 0 as the window shows it
  bool heatRowVisible = false;  // the heat-of-vaporisation row (box 8)
  std::optional<std::array<std::string, 12>> wet;  // "Para mokra" boxes when it opened
  SteamState state{};
  std::vector<Message> messages;
  std::optional<ErrorInfo> error;
  std::optional<if97::Result> if97;  // with --reference if97, for a line that was a request
  // The numbers the fits took from A and B (before their rounding to single); none where a box
  // gave none.
  std::array<std::optional<double>, 2> taken{};
};

// Each calculation starts from the model as it stands right after start-up (the last-inputs file
// is not used), so a line never depends on the lines before it. One model serves the whole run:
// it is put back to its start-up state before each line; the coefficient file is read once.
class Calculator {
 public:
  // `echo` receives every box shown (standard error in the tool; null in quiet use).
  Calculator(Settings settings, std::FILE* echo);
  ~Calculator();
  Calculator(const Calculator&) = delete;
  Calculator& operator=(const Calculator&) = delete;

  // Runs the start-up once to check the data folder and the coefficient file; false when the
  // start-up failed (its boxes are in startupMessages()).
  bool Start();
  const std::vector<Message>& startupMessages() const { return startupMessages_; }

  LineResult Run(const Request& request, int line);
  // The same, then `after` on the window model as the calculation left it.
  LineResult Run(const Request& request, int line, const std::function<void(KalorimoApp&)>& after);
  // A line that was no request, reported like a failed calculation.
  static LineResult Bad(int line, const std::string& text, const std::string& why);

  const Settings& settings() const { return settings_; }

  // True: a new model and a new start-up for every line, as the tool first did (the reference of
  // the reset loop's byte comparison).
  bool freshPerLine = false;

 private:
  // A model fresh from start-up, the last inputs taken back out.
  std::unique_ptr<KalorimoApp> FreshApp();

  Settings settings_;
  std::FILE* echo_;
  BatchDialogs dialogs_;
  CliPlatform platform_;
  std::vector<Message> startupMessages_;
  std::unique_ptr<KalorimoApp> app_;  // the run's model, in its start-up state after Start()
};

}  // namespace kal::cli
