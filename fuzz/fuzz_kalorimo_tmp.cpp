// Kalorimo.tmp reader: any bytes either fill the boxes with finite numbers or raise a run-time
// error; entries read back from their own bytes unchanged; nothing reads out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/kalorimo_app.h"
#include "app/tmp_file.h"

namespace {

// Answers every box by itself: Yes/No alternately, the input box cancelled (empty result).
class AutoDialogs : public kal::Dialogs {
 public:
  kal::Answer MsgBox(const std::string&, kal::Buttons b, kal::Icon, const std::string&) override {
    if (b == kal::Buttons::OK) return kal::Answer::Ok;
    yes_ = !yes_;
    return yes_ ? kal::Answer::Yes : kal::Answer::No;
  }
  std::string InputBox(const std::string&, const std::string&) override { return ""; }

 private:
  bool yes_ = false;
};

class NoPlatform : public kal::Platform {
 public:
  std::string ExecutableDir() override { return "/nonexistent"; }
  bool StartDetached(const std::string&, const std::vector<std::string>&) override { return false; }
  void EndApplication() override {}
  std::string TimeOfDayText() override { return "00:00:00"; }
};

bool Same(const kal::OstatniaDana& a, const kal::OstatniaDana& b) {
  return a.typ == b.typ && a.tekst == b.tekst && (a.typ != kal::OstatniaDana::Liczba || a.liczba == b.liczba);
}

bool Garbage(const std::string& s) { return s.find("NaN") != std::string::npos || s.find("Inf") != std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  try {
    const kal::OstatnieDane d = kal::CzytajWpisy(bytes);
    const kal::OstatnieDane again = kal::CzytajWpisy(kal::KodujWpisy(d));
    for (std::size_t i = 0; i < d.size(); ++i) {
      if (!Same(d[i], again[i])) __builtin_trap();
    }
  } catch (const kal::RunTimeError&) {
  }

  AutoDialogs dialogs;
  NoPlatform platform;
  for (char sep : {',', '.'}) {
    kal::KalorimoApp app(dialogs, platform, sep);
    try {
      app.PokazOstatnieDane(bytes);
    } catch (const kal::RunTimeError&) {
      continue;
    }
    // Boxes 0 to 3 hold formatted numbers; 4 and 5 may show the file's own text.
    for (int i = 0; i < 4; ++i) {
      if (Garbage(app.frm.Text_IS[i].Text)) __builtin_trap();
    }
    const float k = app.frm.kodJednP;
    if (k != 1 && k != 2 && k != 3) __builtin_trap();
  }
  return 0;
}
