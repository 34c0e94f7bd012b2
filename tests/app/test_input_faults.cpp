// Typed faults in every input box of every pair, and in the exhaust-pressure box: 10 000-character
// texts, control characters, multibyte letters, separators or signs alone. A box read through the
// input correction asks its questions and then calculates as with the corrected value (or as with
// 0 after the error report); a box read plainly goes to the error report and the command ends.
// Never a crash, never NaN or infinity in a box or a message.
#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/app_fixture.h"

namespace kal::test {
namespace {

using namespace pole;

struct Pair {
  int a, b;
  const char* va;
  const char* vb;
  int plainBox;  // the box read plainly (the temperature of pairs 3, 4 and 7), -1 none
};

// The pairs in the command's dispatch order, with values that calculate without a message.
const Pair kPairs[8] = {
    {P, T, "1", "200", -1}, {P, H, "1", "2900", -1}, {T, H, "200", "2900", T}, {X, T, "0,9", "100", T},
    {X, P, "0,9", "1", -1}, {P, S, "1", "7", -1},    {T, S, "200", "7", T},    {H, S, "2900", "7", -1},
};

// What the input correction makes of a text.
enum class Kind {
  Question,  // a character outside + , - . / 0-9: keep it? No, then the input box
  Invalid,   // two separators: the message, then the input box
  Report,    // accepted characters that are no number: the error report, then counted as 0
  Blank,     // blanks only: counted as 0 without a word
  Same,      // the good value, only longer: as if the good value had been typed
};

struct Fault {
  const char* name;
  std::string text;  // "$" stands for the box's good value
  Kind kind;
  int nr;  // run-time error of the correction (Report) or of the plain reading
};

const Fault kFaults[] = {
    {"letters10000", std::string(10000, 'x'), Kind::Question, 13},
    {"digits10000", std::string(10000, '9'), Kind::Report, 6},
    {"leadingZeros10000", std::string(9990, '0') + "$", Kind::Same, 0},
    {"blanksAround10000", std::string(5000, ' ') + "$" + std::string(5000, ' '), Kind::Same, 0},
    {"blanks10000", std::string(10000, ' '), Kind::Blank, 13},
    {"commas10000", std::string(10000, ','), Kind::Invalid, 13},
    {"minus10000", std::string(10000, '-'), Kind::Report, 13},
    {"tab", "1\t", Kind::Question, 13},
    {"newline", "2\r\n", Kind::Question, 13},
    {"nul",
     std::string("1\0"
                 "5",
                 3),
     Kind::Question, 13},
    {"escape", "\x1b[2J", Kind::Question, 13},
    {"delete", "\x7f", Kind::Question, 13},
    {"polishLetters", "ąęśćż", Kind::Question, 13},
    {"fullwidthDigits", "１２", Kind::Question, 13},
    {"unicodeMinus", "−5", Kind::Question, 13},
    {"degreeSign", "150 °C", Kind::Question, 13},
    {"brokenUtf8", "\xc5\xff", Kind::Question, 13},
    {"comma", ",", Kind::Report, 13},
    {"point", ".", Kind::Report, 13},
    {"slash", "/", Kind::Report, 13},
    {"twoPoints", "..", Kind::Invalid, 13},
    {"pointComma", ".,", Kind::Invalid, 13},
    {"plus", "+", Kind::Report, 13},
    {"minus", "-", Kind::Report, 13},
    {"plusMinus", "+-", Kind::Report, 13},
    {"minusPlusComma", "-+,", Kind::Report, 13},
};

std::string Expand(const std::string& text, const std::string& good) {
  std::string out;
  for (char c : text) {
    if (c == '$') {
      out += good;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// Answers every box (Yes to the error report) and keeps them to be expected again.
class Nagrywarka : public Dialogs {
 public:
  std::vector<ExpectedBox> boxes;
  Answer MsgBox(const std::string& text, Buttons b, Icon i, const std::string& title) override {
    Answer a = b == Buttons::OK ? Answer::Ok : Answer::Yes;
    boxes.push_back({text, b, i, title, a});
    return a;
  }
  std::string InputBox(const std::string& prompt, const std::string&) override {
    ADD_FAILURE() << "input box in a reference run: " << prompt;
    return "";
  }
};

struct Ekran {
  std::array<std::string, 10> boxes;
  std::vector<std::string> wet;  // "Para mokra" boxes, empty when it is not open
};

Ekran Snapshot(KalorimoApp& app) {
  Ekran e;
  for (int i = 0; i < 10; ++i) e.boxes[i] = app.frm.Text_IS[i].Text;
  if (app.mokra.Loaded) {
    for (const auto& b : app.mokra.txtMokra) e.wet.push_back(b.Text);
  }
  return e;
}

// The error report's first line says "wykonania", which is no NaN.
bool Garbage(std::string s) {
  for (std::size_t at; (at = s.find("wykonania")) != std::string::npos;) s.erase(at, 9);
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s.find("nan") != std::string::npos || s.find("inf") != std::string::npos;
}

// Types the pair's good values, then `text` into `box`, and calculates.
void Calculate(KalorimoApp& app, const Pair& p, int box, const std::string& text) {
  for (int i : {p.a, p.b}) {
    app.frm.Check[i].Value = 1;
    app.Check_Click(i);
  }
  app.frm.Text_IS[p.a].Text = p.va;
  app.frm.Text_IS[p.b].Text = p.vb;
  app.frm.Text_IS[box].Text = text;
  app.cmdOblicz_Click();
}

// The same calculation with `text` in the box, answered by the recorder.
struct Referencja {
  Ekran ekran;
  std::vector<ExpectedBox> boxes;
};

Referencja Reference(const Pair& p, int box, const std::string& text, char sep) {
  TempDir dir;
  FakePlatform platform;
  platform.exeDir = dir.path();
  Nagrywarka nagrywarka;
  Referencja r;
  {
    KalorimoApp app(nagrywarka, platform, sep);
    app.Form_Load();
    Calculate(app, p, box, text);
    r.ekran = Snapshot(app);
  }
  r.boxes = nagrywarka.boxes;
  return r;
}

struct Slot {
  int pair;  // index into kPairs
  int box;   // the box with the fault
  char sep;
};
void PrintTo(const Slot& c, std::ostream* os) {
  *os << "pair " << c.pair + 1 << ", box " << c.box << ", '" << c.sep << "'";
}

std::string SlotName(const ::testing::TestParamInfo<Slot>& info) {
  return "pair" + std::to_string(info.param.pair + 1) + "_box" + std::to_string(info.param.box) +
         (info.param.sep == ',' ? "_comma" : "_point");
}

class InputFaults : public ::testing::TestWithParam<Slot> {};

TEST_P(InputFaults, SpecifiedDialogsOrTheErrorReportNeverGarbage) {
  const Slot& slot = GetParam();
  const Pair& p = kPairs[slot.pair];
  const std::string good = slot.box == p.a ? p.va : slot.box == p.b ? p.vb : "5";
  const bool plain = slot.box == p.plainBox;
  const Referencja dobra = Reference(p, slot.box, good, slot.sep);

  for (const Fault& f : kFaults) {
    SCOPED_TRACE(f.name);
    const std::string text = Expand(f.text, good);
    AppRig rig(slot.sep);
    ScriptedDialogs& d = rig.dialogs;

    Referencja ref = dobra;
    if (plain && f.kind != Kind::Same) {
      // The plain reading fails at once: the report, and the command has written nothing.
      rig.ExpectRaport(f.nr, "ParseLocale");
      Calculate(rig.app(), p, slot.box, text);
      Ekran e = Snapshot(rig.app());
      for (int i = 0; i < 10; ++i) {
        const std::string typed = i == slot.box ? text : i == p.a ? p.va : i == p.b ? p.vb : i == Wylot ? "5" : "";
        EXPECT_EQ(typed, e.boxes[i]) << "box " << i;
      }
      EXPECT_TRUE(e.wet.empty());
    } else {
      std::string counted = good;  // the value the calculation goes on with
      switch (f.kind) {
        case Kind::Question:
          d.ExpectBox("Zostawić tę  zmieną    " + text + "  ?", Buttons::YesNo, Icon::None, "Poprawność  danych",
                      Answer::No);
          d.ExpectInput("Nowa  wartość zmiennej", "Moduł poprawek ", good);
          break;
        case Kind::Invalid:
          d.ExpectOk("Nieprawidłowa wartość zmiennej   - " + text, "", Icon::Information);
          d.ExpectInput("Nowa  wartość zmiennej", "Moduł poprawek ", good);
          break;
        case Kind::Report:
          rig.ExpectRaport(f.nr, "ParseLocale");
          counted = "0";
          break;
        case Kind::Blank:
          counted = "0";
          break;
        case Kind::Same:
          break;
      }
      if (counted != good) ref = Reference(p, slot.box, counted, slot.sep);
      for (const ExpectedBox& b : ref.boxes) d.ExpectBox(b.text, b.buttons, b.icon, b.title, b.answer);

      Calculate(rig.app(), p, slot.box, text);
      Ekran e = Snapshot(rig.app());
      // The faulty box keeps what was typed unless the pair writes its own value there.
      for (int i = 0; i < 10; ++i) {
        std::string want = ref.ekran.boxes[i];
        if (i == slot.box && want == counted) want = text;
        EXPECT_EQ(want, e.boxes[i]) << "box " << i;
      }
      EXPECT_EQ(ref.ekran.wet, e.wet);
    }
    d.VerifyDone();

    for (int i = 0; i < 10; ++i) {
      if (i != slot.box) {
        EXPECT_FALSE(Garbage(rig.Box(i))) << "box " << i << ": " << rig.Box(i);
      }
    }
    for (const auto& b : rig.app().mokra.txtMokra) EXPECT_FALSE(Garbage(b.Text)) << b.Text;
    for (const std::string& shown : d.shown) {
      // "MsgBox|title|text": the text only, and only where it does not quote the typed text.
      const std::string boxText = shown.substr(shown.find('|', shown.find('|') + 1) + 1);
      if (boxText.find(text) == std::string::npos) {
        EXPECT_FALSE(Garbage(boxText)) << boxText;
      }
    }
    EXPECT_EQ(0, rig.platform.endCalls);

    // The window keeps working: the good values calculate as ever.
    Calculate(rig.app(), p, slot.box, good);
    const Ekran again = Snapshot(rig.app());
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 9}) EXPECT_EQ(dobra.ekran.boxes[i], again.boxes[i]) << "again, box " << i;
  }
}

// The dialogs the input correction shows for `f` in a box whose good value is `good`, and the
// value it gives.
std::string ExpectCorrection(AppRig& rig, const Fault& f, const std::string& text, const std::string& good) {
  switch (f.kind) {
    case Kind::Question:
      rig.dialogs.ExpectBox("Zostawić tę  zmieną    " + text + "  ?", Buttons::YesNo, Icon::None, "Poprawność  danych",
                            Answer::No);
      rig.dialogs.ExpectInput("Nowa  wartość zmiennej", "Moduł poprawek ", good);
      return good;
    case Kind::Invalid:
      rig.dialogs.ExpectOk("Nieprawidłowa wartość zmiennej   - " + text, "", Icon::Information);
      rig.dialogs.ExpectInput("Nowa  wartość zmiennej", "Moduł poprawek ", good);
      return good;
    case Kind::Report:
      rig.ExpectRaport(f.nr, "ParseLocale");
      return "0";
    case Kind::Blank:
      return "0";
    case Kind::Same:
      break;
  }
  return good;
}

// The report reads the pressure box twice (check, then the pressure routine): each reading
// corrects it the same way, and the report holds the corrected number, never garbage.
TEST(InputFaultsOfThePressureBox, Save) {
  for (const Fault& f : kFaults) {
    SCOPED_TRACE(f.name);
    AppRig rig;
    const std::string text = Expand(f.text, "1,5");
    std::string counted;
    for (int i = 0; i < 2; ++i) counted = ExpectCorrection(rig, f, text, "1,5");
    rig.Type(P, text);
    rig.app().mnuZapisz_Click();
    rig.dialogs.VerifyDone();
    ASSERT_TRUE(rig.frm().mnuOdczytaj.Enabled);
    std::ifstream in(rig.frm().Folder + "/Notes.txt", std::ios::binary);
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, file.find("pary      " + counted + "       MPa\r\n")) << file.substr(0, 200);
    EXPECT_FALSE(Garbage(file.substr(file.find("\r\n"))));
    EXPECT_EQ(text, rig.Box(P));
  }
}

// A unit change converts the pressure box through the same correction.
TEST(InputFaultsOfThePressureBox, UnitChange) {
  for (const Fault& f : kFaults) {
    SCOPED_TRACE(f.name);
    AppRig rig;
    rig.Tick({P, T});
    const std::string text = Expand(f.text, "1,5");
    rig.Type(P, text);
    const std::string counted = ExpectCorrection(rig, f, text, "1,5");
    rig.app().Combo1_Click(1);
    rig.dialogs.VerifyDone();
    EXPECT_EQ(counted == "0" ? "0,00" : "15,00", rig.Box(P));
    EXPECT_EQ(2.0f, rig.frm().kodJednP);
  }
}

std::vector<Slot> AllSlots() {
  std::vector<Slot> slots;
  for (char sep : {',', '.'}) {
    for (int k = 0; k < 8; ++k) {
      slots.push_back({k, kPairs[k].a, sep});
      slots.push_back({k, kPairs[k].b, sep});
    }
    slots.push_back({0, Wylot, sep});
  }
  return slots;
}

INSTANTIATE_TEST_SUITE_P(EveryBox, InputFaults, ::testing::ValuesIn(AllSlots()), SlotName);

}  // namespace
}  // namespace kal::test
