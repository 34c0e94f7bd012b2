// Common services of the windows: the input correction dialog, the run-time error report and
// the folder check.
#pragma once
#include <string>

#include "common/dialogs.h"
#include "common/errors.h"
#include "common/platform.h"

namespace kal {

// A general value as the input correction returns it: empty, a number, or a text the user kept.
struct Wynik {
  enum Kind { Empty, Number, Text } kind = Empty;
  double number = 0;
  std::string text;
  // The caller's store to single: empty -> 0, number -> checked single, text -> converted with
  // the locale's rules (error 13 when it is no number).
  float ToSingle(char decimalSep) const;
};

class ModMain {
 public:
  ModMain(Dialogs& dialogs, Platform& platform) : dialogs_(dialogs), platform_(platform) {}

  std::string whatFormName;  // shown by the error report
  char decimalSep = ',';     // the user's locale

  // Turns a typed text into a number, asking the user when the text is not acceptable.
  // `value` is the caller's copy; a newly typed value replaces it.
  Wynik PoprawDane(std::string& value);
  // A number argument goes through its text form.
  Wynik PoprawDane(double value);

  // The common run-time error report: seven lines, Yes continues, No ends the application.
  void RaportBledu(const RunTimeError& err);

  // Makes sure the folder exists; on failure shows its message and returns normally.
  // `dopisek`, when not empty, is a further line of the message (another folder tried).
  void CzyJestSubDir(const std::string& path, const std::string& dopisek = "");

  Dialogs& dialogs() { return dialogs_; }
  Platform& platform() { return platform_; }

 private:
  Dialogs& dialogs_;
  Platform& platform_;
};

}  // namespace kal
