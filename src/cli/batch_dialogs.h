// Dialogs answered without a person, and the platform of the batch tool.
#pragma once
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "common/platform.h"

namespace kal::cli {

inline constexpr const char* kTytulRaportu = "Opis błędu ";  // the error report's title

struct Message {
  std::string title;  // the title shown ("Kalorimo" for the default)
  std::string text;   // the text or, for the input box, its prompt
};

struct ErrorInfo {
  int number = 0;
  std::string description;
};

// OK boxes are acknowledged; the error report is answered Yes (continue), every other Yes/No
// question No, and the input box is cancelled. Every box is recorded and, when `echo` is set,
// printed there after "kalorimo-calc: wiersz N: " for a batch line N, else after `prefix`.
class BatchDialogs : public Dialogs {
 public:
  std::vector<Message> messages;
  std::optional<ErrorInfo> error;  // the first run-time error reported
  std::FILE* echo = nullptr;
  std::string prefix;
  int line = 0;  // the batch line being calculated, 0 outside the lines

  void Clear() {
    messages.clear();
    error.reset();
  }

  Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title) override;

 private:
  void Record(const std::string& title, const std::string& text);
};

// Reads the number and the description out of the error report's text (its first two lines).
std::optional<ErrorInfo> ParseErrorReport(const std::string& text);

// The executable's folder from /proc/self/exe; nothing is ever started; an end request is only
// noted (the error report is always continued, so none comes).
class CliPlatform : public Platform {
 public:
  int endRequests = 0;
  std::string ExecutableDir() override;
  bool StartDetached(const std::string&, const std::vector<std::string>&) override { return false; }
  void EndApplication() override { ++endRequests; }
  std::string TimeOfDayText() override { return ""; }
};

}  // namespace kal::cli
