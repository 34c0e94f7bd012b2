// Shared fixture of the window tests: a whole application run over a fresh temporary folder
// standing for the executable's folder (the data folder is created inside it at start-up),
// with scripted dialogs (any unexpected box fails the test) and a fake platform.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "app/kalorimo_app.h"
#include "support/scripted_dialogs.h"

namespace kal::test {

// The error report's text for an error, built by the report itself (only the dialog is caught).
inline std::string RaportTekst(int number, const std::string& source, int lastDllError = 0,
                               const std::string& whatFormName = "frmKalorimo") {
  struct Lapacz : Dialogs {
    std::string text;
    Answer MsgBox(const std::string& t, Buttons, Icon, const std::string&) override {
      text = t;
      return Answer::Yes;
    }
    std::string InputBox(const std::string&, const std::string&) override { return ""; }
  } lapacz;
  FakePlatform platform;
  ModMain m(lapacz, platform);
  m.whatFormName = whatFormName;
  m.RaportBledu(RunTimeError(number, source, lastDllError));
  return lapacz.text;
}

// One run of the calculator. Member order matters: the application goes before the dialogs it
// talks to, and the folder goes last, after the coefficient file is closed.
class AppRig {
 public:
  explicit AppRig(char decimalSep = ',', bool load = true) : sep_(decimalSep) {
    platform.exeDir = dir.path();
    Start(load);
  }

  TempDir dir;
  ScriptedDialogs dialogs;
  FakePlatform platform;

  KalorimoApp& app() { return *app_; }
  FrmKalorimo& frm() { return app_->frm; }
  SteamState& st() { return app_->st(); }

  // The data folder as the start-up builds it.
  std::string DataDir() const { return dir.path() + "/Kalorimo/"; }

  // A new run over the same folder (the previous one ends without the exit command).
  void Restart(bool load = true) {
    app_.reset();
    Start(load);
  }

  // Ticks exactly the given check boxes (the others unticked), each through Check_Click.
  void Tick(std::initializer_list<int> boxes) {
    for (int i = 0; i < 5; ++i) {
      if (app_->frm.Check[i].Value == 1) {
        app_->frm.Check[i].Value = 0;
        app_->Check_Click(i);
      }
    }
    for (int i : boxes) {
      app_->frm.Check[i].Value = 1;
      app_->Check_Click(i);
    }
  }

  // The next dialog is the error report of run-time error `number` raised in `source`.
  void ExpectRaport(int number, const std::string& source, Answer a = Answer::Yes) {
    dialogs.ExpectBox(RaportTekst(number, source), Buttons::YesNo, Icon::None, "Opis błędu ", a);
  }

  void Type(int box, const std::string& text) { app_->frm.Text_IS[box].Text = text; }
  const std::string& Box(int box) const { return app_->frm.Text_IS[box].Text; }

  // Ticks two inputs, types their values and presses "Oblicz".
  void Oblicz(int boxA, const std::string& a, int boxB, const std::string& b) {
    Tick({boxA, boxB});
    Type(boxA, a);
    Type(boxB, b);
    app_->cmdOblicz_Click();
  }

 private:
  void Start(bool load) {
    app_ = std::make_unique<KalorimoApp>(dialogs, platform, sep_);
    if (load) app_->Form_Load();
  }

  char sep_;
  std::unique_ptr<KalorimoApp> app_;
};

// GoogleTest fixture over one rig in the comma locale.
class AppTest : public ::testing::Test {
 protected:
  AppRig rig;
  KalorimoApp& app() { return rig.app(); }
  FrmKalorimo& frm() { return rig.frm(); }
  SteamState& st() { return rig.st(); }
  ScriptedDialogs& dialogs() { return rig.dialogs; }
};

}  // namespace kal::test
