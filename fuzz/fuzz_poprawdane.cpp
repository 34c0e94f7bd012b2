// Random typed texts through the input correction, with dialogs that always back out:
// Yes/No answered No, the input box cancelled, the error report answered Yes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/mod_main.h"

namespace {

class CancellingDialogs : public kal::Dialogs {
 public:
  int boxes = 0;
  kal::Answer MsgBox(const std::string&, kal::Buttons buttons, kal::Icon, const std::string& title) override {
    ++boxes;
    if (buttons == kal::Buttons::OK) return kal::Answer::Ok;
    return title == "Opis błędu " ? kal::Answer::Yes : kal::Answer::No;
  }
  std::string InputBox(const std::string&, const std::string&) override { return ""; }
};

class QuietPlatform : public kal::Platform {
 public:
  std::string ExecutableDir() override { return "/tmp"; }
  bool StartDetached(const std::string&, const std::vector<std::string>&) override { return false; }
  void EndApplication() override { std::abort(); }  // the report is always answered Yes
  std::string TimeOfDayText() override { return "00:00:00"; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CancellingDialogs dialogs;
  QuietPlatform platform;
  kal::ModMain mod(dialogs, platform);
  std::string value(reinterpret_cast<const char*>(data), size);
  const kal::Wynik w = mod.PoprawDane(value);
  // At most one question, one message and one input box before the cancel ends it.
  if (dialogs.boxes > 2) std::abort();
  if (w.kind == kal::Wynik::Number && w.number != w.number) std::abort();  // never NaN
  if (w.kind == kal::Wynik::Text && w.text.empty()) std::abort();
  try {
    (void)w.ToSingle(',');
  } catch (const kal::RunTimeError&) {
  }
  return 0;
}
