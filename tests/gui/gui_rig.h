// Shared pieces of the Qt view tests: one run of the calculator behind the real widgets, the
// same run without widgets for comparison, and a guard that turns the scripted dialogs'
// complaints into failures of the current Qt test.
#pragma once
#include <gtest/gtest-spi.h>

#include <QString>
#include <QTest>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/kalorimo_app.h"
#include "gui/main_window.h"
#include "gui/para_mokra_window.h"
#include "support/scripted_dialogs.h"

namespace kal::test {

// Collects what the scripted dialogs report; Failures() lists it for QFAIL.
class DialogComplaints {
 public:
  DialogComplaints() : reporter_(::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &results_) {}
  QString Failures() const {
    QString all;
    for (int i = 0; i < results_.size(); ++i) {
      if (results_.GetTestPartResult(i).failed())
        all += QString::fromStdString(results_.GetTestPartResult(i).message()) + "\n";
    }
    return all;
  }

 private:
  ::testing::TestPartResultArray results_;
  ::testing::ScopedFakeTestPartResultReporter reporter_;
};

// The calculator with its windows, started over `exeDir` (the data folder goes inside it).
class GuiRun {
 public:
  explicit GuiRun(const std::string& exeDir) {
    platform.exeDir = exeDir;
    app = std::make_unique<KalorimoApp>(dialogs, platform, ',');
    win = std::make_unique<MainWindow>(*app);
  }
  ~GuiRun() {
    win.reset();
    app.reset();
  }

  ScriptedDialogs dialogs;
  FakePlatform platform;
  std::unique_ptr<KalorimoApp> app;
  std::unique_ptr<MainWindow> win;

  template <class T>
  T* Main(const QString& name) const {
    return win->findChild<T*>(name);
  }
  template <class T>
  T* Mokra(const QString& name) const {
    return win->paraMokra()->findChild<T*>(name);
  }
};

// The same calculator without widgets: start-up, ticks, texts and one calculation.
class HeadlessRun {
 public:
  explicit HeadlessRun(const std::string& exeDir) : app(dialogs, platform, ',') {
    platform.exeDir = exeDir;
    app.Form_Load();
  }
  void Calculate(std::initializer_list<int> ticks, std::vector<std::pair<int, std::string>> texts) {
    for (int i : ticks) {
      app.frm.Check[i].Value = 1;
      app.Check_Click(i);
    }
    for (auto& [box, text] : texts) app.frm.Text_IS[box].Text = text;
    app.cmdOblicz_Click();
  }

  ScriptedDialogs dialogs;
  FakePlatform platform;
  KalorimoApp app;
};

// A UTF-8 literal as the widgets hold it.
inline QString U(const char* s) { return QString::fromUtf8(s); }

// The window's start-up, then wait until it is on screen.
inline void Start(GuiRun& r) {
  r.win->start();
  QVERIFY(QTest::qWaitForWindowExposed(r.win.get()));
}

}  // namespace kal::test
