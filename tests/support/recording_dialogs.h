// A dialog double for tests whose boxes are not known in advance (faulty coefficient files,
// drawn values): it records every box and answers like a cautious user who goes on: OK, the
// error report Yes (continue), every other question No, the input box cancelled.
#pragma once
#include <cstdlib>
#include <string>
#include <vector>

#include "common/dialogs.h"

namespace kal::test {

class RecordingDialogs : public Dialogs {
 public:
  struct Box {
    std::string title;
    std::string text;
  };
  std::vector<Box> boxes;   // message boxes and input boxes, in order
  std::vector<int> errors;  // numbers of the run-time errors reported

  void Clear() {
    boxes.clear();
    errors.clear();
  }

  Answer MsgBox(const std::string& text, Buttons buttons, Icon, const std::string& title) override {
    boxes.push_back({title, text});
    if (buttons == Buttons::OK) return Answer::Ok;
    if (title == "Opis błędu ") {
      static const std::string kNr = " Wystąpił błąd wykonania nr -> ";
      errors.push_back(text.compare(0, kNr.size(), kNr) == 0 ? std::atoi(text.c_str() + kNr.size()) : -1);
      return Answer::Yes;
    }
    return Answer::No;
  }

  std::string InputBox(const std::string& prompt, const std::string& title) override {
    boxes.push_back({title, prompt});
    return "";
  }
};

}  // namespace kal::test
