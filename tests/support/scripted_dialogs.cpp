#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace kal::test {

namespace {
const char* Name(Buttons b) { return b == Buttons::OK ? "OK" : "YesNo"; }
const char* Name(Icon i) { return i == Icon::None ? "None" : i == Icon::Information ? "Information" : "Exclamation"; }
}  // namespace

ScriptedDialogs& ScriptedDialogs::ExpectBox(std::string text, Buttons b, Icon i, std::string title, Answer a) {
  script_.push_back({false, {std::move(text), b, i, std::move(title), a}, {}});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::ExpectOk(std::string text, std::string title, Icon i) {
  return ExpectBox(std::move(text), Buttons::OK, i, std::move(title), Answer::Ok);
}

ScriptedDialogs& ScriptedDialogs::ExpectInput(std::string prompt, std::string title, std::string answer) {
  script_.push_back({true, {}, {std::move(prompt), std::move(title), std::move(answer)}});
  return *this;
}

Answer ScriptedDialogs::MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title) {
  shown.push_back("MsgBox|" + title + "|" + text);
  if (script_.empty() || script_.front().isInput) {
    ADD_FAILURE() << "unexpected message box: title [" << title << "] text [" << text << "] buttons " << Name(buttons)
                  << " icon " << Name(icon);
    return buttons == Buttons::OK ? Answer::Ok : Answer::Yes;
  }
  ExpectedBox e = script_.front().box;
  script_.pop_front();
  EXPECT_EQ(e.text, text) << "message box text";
  EXPECT_EQ(e.title, title) << "message box title for [" << text << "]";
  EXPECT_STREQ(Name(e.buttons), Name(buttons)) << "buttons of [" << text << "]";
  EXPECT_STREQ(Name(e.icon), Name(icon)) << "icon of [" << text << "]";
  return e.answer;
}

std::string ScriptedDialogs::InputBox(const std::string& prompt, const std::string& title) {
  shown.push_back("InputBox|" + title + "|" + prompt);
  if (script_.empty() || !script_.front().isInput) {
    ADD_FAILURE() << "unexpected input box: title [" << title << "] prompt [" << prompt << "]";
    return "";
  }
  ExpectedInput e = script_.front().input;
  script_.pop_front();
  EXPECT_EQ(e.prompt, prompt);
  EXPECT_EQ(e.title, title);
  return e.answer;
}

void ScriptedDialogs::VerifyDone() {
  for (const auto& s : script_) {
    ADD_FAILURE() << "expected dialog not shown: " << (s.isInput ? s.input.prompt : s.box.text);
  }
  script_.clear();
}

ScriptedDialogs::~ScriptedDialogs() { VerifyDone(); }

bool FakePlatform::StartDetached(const std::string& program, const std::vector<std::string>& args) {
  std::vector<std::string> call{program};
  call.insert(call.end(), args.begin(), args.end());
  started.push_back(call);
  return startResult;
}

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "kalorimo-test-XXXXXX").string();
  char* p = mkdtemp(tmpl.data());
  if (p == nullptr) {
    ADD_FAILURE() << "mkdtemp failed";
  }
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

}  // namespace kal::test
