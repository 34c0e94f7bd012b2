// Test doubles: dialogs that expect each box exactly (text, buttons, icon, title) and answer it,
// failing the test on any box not expected; a platform that records what it was asked.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "common/platform.h"

namespace kal::test {

struct ExpectedBox {
  std::string text;
  Buttons buttons = Buttons::OK;
  Icon icon = Icon::None;
  std::string title;  // "" = application title
  Answer answer = Answer::Ok;
};

struct ExpectedInput {
  std::string prompt;
  std::string title;
  std::string answer;  // "" = cancel
};

class ScriptedDialogs : public Dialogs {
 public:
  ScriptedDialogs& ExpectBox(std::string text, Buttons b, Icon i, std::string title, Answer a = Answer::Ok);
  ScriptedDialogs& ExpectOk(std::string text, std::string title = "", Icon i = Icon::None);
  ScriptedDialogs& ExpectInput(std::string prompt, std::string title, std::string answer);

  Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title) override;

  // Fails the test when expected dialogs were not shown.
  void VerifyDone();
  ~ScriptedDialogs() override;

  // Everything shown, for inspection: "MsgBox|title|text" or "InputBox|title|prompt".
  std::vector<std::string> shown;

 private:
  struct Step {
    bool isInput;
    ExpectedBox box;
    ExpectedInput input;
  };
  std::deque<Step> script_;
};

class FakePlatform : public Platform {
 public:
  std::string exeDir = "/tmp";
  std::string timeText = "12:34:56";
  bool startResult = true;
  int endCalls = 0;
  std::vector<std::vector<std::string>> started;  // program followed by its arguments

  std::string ExecutableDir() override { return exeDir; }
  bool StartDetached(const std::string& program, const std::vector<std::string>& args) override;
  void EndApplication() override { ++endCalls; }
  std::string TimeOfDayText() override { return timeText; }
  std::string userDataDir;  // "" = no per-user folder: the folder beside the executable only
  std::string UserDataDir() override { return userDataDir; }
};

// A fresh temporary folder, removed (with its contents) when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace kal::test
