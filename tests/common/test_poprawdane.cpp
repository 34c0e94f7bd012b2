#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/mod_main.h"
#include "support/scripted_dialogs.h"

namespace kal {
namespace {

using test::FakePlatform;
using test::ScriptedDialogs;

const char kInvalid[] = "Nieprawidłowa wartość zmiennej   - ";
const char kKeepPrefix[] = "Zostawić tę  zmieną    ";
const char kKeepTitle[] = "Poprawność  danych";
const char kPrompt[] = "Nowa  wartość zmiennej";
const char kPromptTitle[] = "Moduł poprawek ";

struct Fixture {
  ScriptedDialogs dialogs;
  FakePlatform platform;
  ModMain mod{dialogs, platform};
  Fixture() { mod.whatFormName = "frmKalorimo"; }
  void ExpectInvalid(const std::string& v) { dialogs.ExpectOk(kInvalid + v, "", Icon::Information); }
  void ExpectKeep(const std::string& v, Answer a) {
    dialogs.ExpectBox(kKeepPrefix + v + "  ?", Buttons::YesNo, Icon::None, kKeepTitle, a);
  }
  void ExpectInput(const std::string& typed) { dialogs.ExpectInput(kPrompt, kPromptTitle, typed); }
  void ExpectReport(int number, const std::string& description, Answer a) {
    dialogs.ExpectBox(" Wystąpił błąd wykonania nr -> " + std::to_string(number) + "\r\n  co oznacza ->  " +
                          description +
                          "\r\n błąd wystąpił w procedurze -> ParseLocale / 0\r\n"
                          " whatFormName = frmKalorimo\r\n kontekst -> 0\r\n help file -> \r\n kontynuować ? ",
                      Buttons::YesNo, Icon::None, "Opis błędu ", a);
  }
};

TEST(PoprawDane, AcceptedTextsConvertWithoutAnyDialog) {
  struct Case {
    const char* text;
    double v;
  } const cases[] = {
      {"12,5", 12.5},
      {"12.5", 12.5},
      {".5", 0.5},
      {",5", 0.5},
      {"12.", 12},
      {"12,", 12},
      {"+5", 5},
      {"-3", -3},
      {"  7  ", 7},
      {"-.25", -0.25},
      {"0", 0},
      {"007,50", 7.5},
      {"1"
       "00000000000000000000",
       1e20},
  };
  for (const auto& c : cases) {
    Fixture f;
    std::string value = c.text;
    Wynik w = f.mod.PoprawDane(value);
    EXPECT_EQ(Wynik::Number, w.kind) << c.text;
    EXPECT_EQ(c.v, w.number) << c.text;
    EXPECT_EQ(c.text, value) << "the caller's copy stays";
  }
}

// The program's own digit grouping reads back without a question; any other inner blank asks.
TEST(PoprawDane, ProgramsOwnDigitGroupsReadWithoutAQuestion) {
  struct Case {
    const char* text;
    double v;  // NaN: the question comes
  } const cases[] = {
      {"10 000", 10000},     {" 2 257,0", 2257},  {"2 257,", 2257},   {"12 345,6", 12345.6},
      {"-1 234.5", -1234.5}, {"0 417,50", 417.5}, {"1 000 000", 1e6}, {"+22 000", 22000},
      {"1 5", NAN},          {"10 00", NAN},      {"1234 567", NAN},  {"1  000", NAN},
      {"1 000,5 0", NAN},    {"1 0000", NAN},     {"2 257,,", NAN},   {"1 000e3", NAN},
  };
  for (const auto& c : cases) {
    Fixture f;
    std::string value = c.text;
    if (std::isnan(c.v)) f.ExpectKeep(value, Answer::Yes);
    Wynik w = f.mod.PoprawDane(value);
    if (std::isnan(c.v)) {
      EXPECT_EQ(Wynik::Text, w.kind) << c.text;
    } else {
      EXPECT_EQ(Wynik::Number, w.kind) << c.text;
      EXPECT_DOUBLE_EQ(c.v, w.number) << c.text;
    }
    f.dialogs.VerifyDone();
  }
}

TEST(PoprawDane, BlanksOnlyGiveEmptyWithoutADialog) {
  for (const char* text : {"", " ", "      "}) {
    Fixture f;
    std::string value = text;
    Wynik w = f.mod.PoprawDane(value);
    EXPECT_EQ(Wynik::Empty, w.kind);
    EXPECT_EQ(0.0f, w.ToSingle(','));
  }
}

TEST(PoprawDane, TwoSeparatorsShowTheMessageThenTheInputBox) {
  for (const char* text : {"1.2.3", "1,2,3", "1.2,3", "1,2.3", "..", ",,"}) {
    Fixture f;
    f.ExpectInvalid(text);
    f.ExpectInput("4,5");
    std::string value = text;
    Wynik w = f.mod.PoprawDane(value);
    EXPECT_EQ(Wynik::Number, w.kind) << text;
    EXPECT_EQ(4.5, w.number) << text;
    EXPECT_EQ("4,5", value) << "the typed text replaces the caller's copy";
  }
}

TEST(PoprawDane, OtherCharactersAskWhetherToKeepTheText) {
  // An inner blank, an exponent letter, any letter, a tab, UTF-8 letters, a control character.
  for (const char* text : {"1 5", "1e5", "abc", "12,5\t", "ciśnienie", "1\x01", "\xff\xfe"}) {
    Fixture f;
    std::string value = std::string(" ") + text + " ";
    f.ExpectKeep(value, Answer::Yes);
    Wynik w = f.mod.PoprawDane(value);
    EXPECT_EQ(Wynik::Text, w.kind) << text;
    EXPECT_EQ(text, w.text) << "the trimmed text, unconverted";
  }
}

TEST(PoprawDane, AKeptTextThatIsNoNumberFailsInTheCaller) {
  Fixture f;
  std::string value = "1 5";
  f.ExpectKeep(value, Answer::Yes);
  Wynik w = f.mod.PoprawDane(value);
  try {
    w.ToSingle(',');
    ADD_FAILURE() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(ErrTypeMismatch, e.number);
  }
}

TEST(PoprawDane, NoToKeepingAsksForANewValueUntilItIsUsable) {
  Fixture f;
  std::string value = "12 kg";
  f.ExpectKeep("12 kg", Answer::No);
  f.ExpectInput("1..2");
  f.ExpectInvalid("1..2");
  f.ExpectInput("x");
  f.ExpectKeep("x", Answer::No);
  f.ExpectInput(" 12.75 ");
  Wynik w = f.mod.PoprawDane(value);
  EXPECT_EQ(Wynik::Number, w.kind);
  EXPECT_EQ(12.75, w.number);
  EXPECT_EQ(" 12.75 ", value);
}

TEST(PoprawDane, ACancelledInputBoxGivesEmpty) {
  Fixture f;
  std::string value = "1,2,3";
  f.ExpectInvalid("1,2,3");
  f.ExpectInput("");
  Wynik w = f.mod.PoprawDane(value);
  EXPECT_EQ(Wynik::Empty, w.kind);
  EXPECT_EQ("", value);
}

TEST(PoprawDane, AcceptedCharactersThatAreNoNumberGoToTheErrorReport) {
  struct Case {
    const char* text;
    int number;
    const char* description;
  } const cases[] = {
      {"1/2", 13, "Niezgodność typów"}, {"-", 13, "Niezgodność typów"},   {",", 13, "Niezgodność typów"},
      {".", 13, "Niezgodność typów"},   {"1-2", 13, "Niezgodność typów"}, {"--1", 13, "Niezgodność typów"},
      {"5-", 13, "Niezgodność typów"},  {"+", 13, "Niezgodność typów"},   {"/", 13, "Niezgodność typów"},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.ExpectReport(c.number, c.description, Answer::Yes);
    std::string value = c.text;
    Wynik w = f.mod.PoprawDane(value);
    EXPECT_EQ(Wynik::Empty, w.kind) << c.text;
    EXPECT_EQ(0, f.platform.endCalls);
  }
}

TEST(PoprawDane, ANumberTooLargeForADoubleOverflows) {
  Fixture f;
  f.ExpectReport(6, "Przepełnienie", Answer::Yes);
  std::string value = "9" + std::string(399, '9');
  EXPECT_EQ(Wynik::Empty, f.mod.PoprawDane(value).kind);
}

TEST(PoprawDane, NoInTheErrorReportEndsTheApplication) {
  Fixture f;
  f.ExpectReport(13, "Niezgodność typów", Answer::No);
  std::string value = "1/2";
  EXPECT_EQ(Wynik::Empty, f.mod.PoprawDane(value).kind);
  EXPECT_EQ(1, f.platform.endCalls);
}

TEST(PoprawDane, ANumberArgumentGoesThroughItsTextForm) {
  for (char sep : {',', '.'}) {
    Fixture f;
    f.mod.decimalSep = sep;
    Wynik w = f.mod.PoprawDane(12.5);
    EXPECT_EQ(Wynik::Number, w.kind);
    EXPECT_EQ(12.5, w.number);
    EXPECT_EQ(-0.25, f.mod.PoprawDane(-0.25).number);
  }
  // The exponent form holds a letter, so the same rules ask about it.
  Fixture f;
  f.ExpectKeep("1E-05", Answer::No);
  f.ExpectInput("");
  EXPECT_EQ(Wynik::Empty, f.mod.PoprawDane(1e-5).kind);
}

TEST(PoprawDane, LongAndOddInputsNeverCrash) {
  {
    Fixture f;
    std::string value(10000, '7');  // all accepted, far beyond a double
    f.ExpectReport(6, "Przepełnienie", Answer::Yes);
    EXPECT_EQ(Wynik::Empty, f.mod.PoprawDane(value).kind);
  }
  {
    Fixture f;
    std::string value = "0," + std::string(10000, '0') + "1";  // below the smallest double
    Wynik w = f.mod.PoprawDane(value);
    EXPECT_EQ(Wynik::Number, w.kind);
    EXPECT_EQ(0.0, w.number);
  }
  {
    Fixture f;
    std::string value(10000, 'x');
    value[5000] = '\0';
    f.ExpectKeep(value, Answer::Yes);
    EXPECT_EQ(value, f.mod.PoprawDane(value).text);
  }
}

TEST(Wynik, ToSingle) {
  Wynik w;
  EXPECT_EQ(0.0f, w.ToSingle(','));
  w.kind = Wynik::Number;
  w.number = 0.1;
  EXPECT_EQ(0.1f, w.ToSingle(','));
  w.number = 1e39;
  EXPECT_THROW(w.ToSingle(','), RunTimeError);
  w.kind = Wynik::Text;
  w.text = "2,5";
  EXPECT_EQ(2.5f, w.ToSingle(','));
  EXPECT_THROW(w.ToSingle('.'), RunTimeError);
}

}  // namespace
}  // namespace kal
