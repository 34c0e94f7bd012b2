// The main window and the wet-steam window driven through their real widgets.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "gui/twips.h"
#include "gui_rig.h"

using kal::test::DialogComplaints;
using kal::test::GuiRun;
using kal::test::HeadlessRun;
using kal::test::Start;
using kal::test::TempDir;
using kal::test::U;

class TestMainWindow : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DialogComplaints> complaints_;

  static void Tick(GuiRun& r, int i) {
    auto* c = r.Main<QCheckBox>(QStringLiteral("Check_%1").arg(i));
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
  }
  static void Type(GuiRun& r, int box, const QString& text) {
    QTest::keyClicks(r.Main<QLineEdit>(QStringLiteral("Text_IS_%1").arg(box)), text);
  }
  static QString Box(GuiRun& r, int box) { return r.Main<QLineEdit>(QStringLiteral("Text_IS_%1").arg(box))->text(); }
  static void Oblicz(GuiRun& r) { QTest::mouseClick(r.Main<QPushButton>(QStringLiteral("cmdOblicz")), Qt::LeftButton); }

  static void ParaMokraCheck(GuiRun& r) {
    kal::ParaMokraWindow* w = r.win->paraMokra();
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), U("Para mokra"));
    for (const char* name : {"FrameParametry", "frameWoda", "FrameParaNas", "FramePara"})
      QVERIFY2(r.Mokra<QGroupBox>(name), name);
    QCOMPARE(r.Mokra<QGroupBox>("FrameParametry")->title(), U("Parametry pary"));
    QCOMPARE(r.Mokra<QGroupBox>("FramePara")->title(), U("Para mokra"));
    QCOMPARE(r.Mokra<QLabel>("lbl_P_Mokra")->text(), U("Ciśnienie MPa"));
    QCOMPARE(r.Mokra<QPushButton>("Command1")->text(), U("Exit"));
    // To the right of the main window, 1 % of its width apart, same top, at least as tall.
    const QRect main = r.win->frameGeometry();
    const QRect side = w->frameGeometry();
    QVERIFY2(side.left() > main.right(), qPrintable(QStringLiteral("%1 vs %2").arg(side.left()).arg(main.right())));
    QVERIFY(qAbs(side.left() - (main.left() + 1.01 * main.width())) <= 1);
    QCOMPARE(side.top(), main.top());
    QVERIFY(side.height() >= main.height() - 1);
    // Its client area at the design size in twips.
    const double dpi = w->logicalDpiY();
    QCOMPARE(w->width(), kal::TwipsToPx(6588, dpi));
  }

 private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
  void init() { complaints_ = std::make_unique<DialogComplaints>(); }
  void cleanup() {
    const QString failures = complaints_->Failures();
    complaints_.reset();
    if (!failures.isEmpty()) QFAIL(qPrintable(failures));
  }

  void windowOpensWithItsCaption() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    QVERIFY(r.win->isVisible());
    QCOMPARE(r.win->windowTitle(), U("Parametry pary wodnej  wg WEXTAN"));
    QVERIFY(std::filesystem::is_directory(dir.path() + "/Kalorimo"));
    QVERIFY(!r.win->paraMokra()->isVisible());
  }

  void controlsCarryTheirCaptions() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    const std::vector<std::pair<QString, QString>> checks = {{"Check_0", U("Ciśnienie")},
                                                             {"Check_1", U("Temperatura")},
                                                             {"Check_2", U("Entalpia")},
                                                             {"Check_3", U("Entropia")},
                                                             {"Check_4", U("Stopień suchości")}};
    for (const auto& [name, caption] : checks) {
      QVERIFY2(r.Main<QCheckBox>(name), qPrintable(name));
      QCOMPARE(r.Main<QCheckBox>(name)->text(), caption);
    }
    const std::vector<std::pair<QString, QString>> labels = {{"lbl_V_0", U("Objętość właściwa")},
                                                             {"lbl_V_1", U("lepkość dynamiczna")},
                                                             {"lbl_V_2", U("lepkość  kinematyczna")},
                                                             {"lbl_V_3", U("ciepło parowania")},
                                                             {"lbl_V_4", U("ciśnienie pary wylotowej")},
                                                             {"Label1_0", " "},
                                                             {"Label1_1", "[kJ/kg]"},
                                                             {"Label1_2", "[kJ/kg/deg]"},
                                                             {"Label1_3", "[m3/kg]"},
                                                             {"Label1_4", "*10^(-5)  [Pa*s ]"},
                                                             {"Label1_5", "*10^(-5) [m2/s]"},
                                                             {"Label1_6", "[ - ]"},
                                                             {"Label1_7", "[kJ/kg]"},
                                                             {"Label1_8", "[kPa]"}};
    for (const auto& [name, caption] : labels) {
      QVERIFY2(r.Main<QLabel>(name), qPrintable(name));
      QCOMPARE(r.Main<QLabel>(name)->text(), caption);
    }
    for (int i = 0; i < 10; ++i) QVERIFY(r.Main<QLineEdit>(QStringLiteral("Text_IS_%1").arg(i)));
    QCOMPARE(r.Main<QPushButton>("cmdClearAll")->text(), U("Czyść"));
    QCOMPARE(r.Main<QPushButton>("cmdOblicz")->text(), U("Oblicz"));
    QVERIFY(r.Main<QWidget>("FrameButtons"));
    QCOMPARE(r.Main<QGroupBox>("Frame_IS")->title(), U("Tablica obliczeń I-S"));
    QCOMPARE(r.Main<QComboBox>("comboTurbo")->currentText(), QString());
    QCOMPARE(r.Main<QComboBox>("comboTurbo")->placeholderText(), U("Turbiny"));
    auto* combo = r.Main<QComboBox>("Combo1");
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->placeholderText(), U("  MPa"));
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), U(" MPa"));
    QCOMPARE(combo->itemText(1), U(" bar"));
    QCOMPARE(combo->itemText(2), U(" kPa"));
    QVERIFY(r.Main<QLabel>("lblTime"));

    const std::vector<std::pair<QString, QString>> menu = {
        {"mnuOdczytaj", "&Odczytaj"}, {"mnuZapisz", "&Zapisz "},     {"mnuIS", "   &IS  "},
        {"mnuPPary2", "&pPary2"},     {"mnuPomoc", "   &Pomoc"},     {"mnuHelp", "&Help"},
        {"mnuInfo", "&Info"},         {"mnuAbout", "&O p&rogramie"}, {"mnuZakoncz", U("   Za&kończ")}};
    for (const auto& [name, caption] : menu) {
      QVERIFY2(r.Main<QAction>(name), qPrintable(name));
      QCOMPARE(r.Main<QAction>(name)->text(), caption);
    }
    // The help items live in the "Pomoc" submenu, in their order.
    const QList<QAction*> sub = r.Main<QMenu>("mnuPomoc")->actions();
    QCOMPARE(sub.size(), 3);
    QCOMPARE(sub[0]->objectName(), QStringLiteral("mnuHelp"));
    QCOMPARE(sub[2]->objectName(), QStringLiteral("mnuAbout"));
  }

  void statesAfterStartUp() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    for (int i = 0; i < 5; ++i) {
      auto* c = r.Main<QCheckBox>(QStringLiteral("Check_%1").arg(i));
      QVERIFY(c->isEnabled());
      QVERIFY(!c->isChecked());
    }
    // Boxes the model disables are read-only (their numbers can be copied).
    for (int i = 0; i <= 5; ++i) QVERIFY(r.Main<QLineEdit>(QStringLiteral("Text_IS_%1").arg(i))->isReadOnly());
    for (int i = 0; i <= 7; ++i) QVERIFY(r.Main<QLineEdit>(QStringLiteral("Text_IS_%1").arg(i))->isVisible());
    QCOMPARE(Box(r, 9), QStringLiteral("5"));
    // The heat-of-vaporisation and exhaust-pressure rows stay hidden.
    for (const char* name : {"Text_IS_8", "lbl_V_3", "Label1_7", "Text_IS_9", "lbl_V_4", "Label1_8"})
      QVERIFY2(!r.Main<QWidget>(name)->isVisible(), name);
    QVERIFY(!r.Main<QPushButton>("cmdOblicz")->isEnabled());
    QVERIFY(r.Main<QPushButton>("cmdClearAll")->isEnabled());
    QVERIFY(r.Main<QWidget>("Frame_IS")->isVisible());
    QVERIFY(r.Main<QWidget>("FrameButtons")->isVisible());
    for (const char* name : {"mnuOdczytaj", "mnuIS", "mnuPPary2", "mnuHelp"})
      QVERIFY2(!r.Main<QAction>(name)->isEnabled(), name);
    for (const char* name : {"mnuZapisz", "mnuPomoc", "mnuInfo", "mnuAbout", "mnuZakoncz"})
      QVERIFY2(r.Main<QAction>(name)->isEnabled(), name);

    // The clock: empty until the first tick, then the time of day every 1000 ms.
    auto* clock = r.Main<QLabel>("lblTime");
    QCOMPARE(clock->text(), QString());
    QCOMPARE(r.win->timer1()->interval(), 1000);
    QVERIFY(r.win->timer1()->isActive());
    r.platform.timeText = "08:15:42";
    QTRY_COMPARE_WITH_TIMEOUT(clock->text(), QStringLiteral("08:15:42"), 3000);
  }

  void tickingTwoInputsEnablesTheirBoxesAndTheButton() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    Tick(r, 0);
    QVERIFY(!r.Main<QLineEdit>("Text_IS_0")->isReadOnly());
    QVERIFY(!r.Main<QPushButton>("cmdOblicz")->isEnabled());
    Tick(r, 1);
    QVERIFY(!r.Main<QLineEdit>("Text_IS_1")->isReadOnly());
    QVERIFY(r.Main<QPushButton>("cmdOblicz")->isEnabled());
    for (int i = 2; i < 5; ++i) QVERIFY(!r.Main<QCheckBox>(QStringLiteral("Check_%1").arg(i))->isEnabled());
    Tick(r, 1);  // untick: all five free again
    QVERIFY(!r.Main<QPushButton>("cmdOblicz")->isEnabled());
    QVERIFY(r.Main<QLineEdit>("Text_IS_1")->isReadOnly());
    for (int i = 0; i < 5; ++i) QVERIFY(r.Main<QCheckBox>(QStringLiteral("Check_%1").arg(i))->isEnabled());
  }

  void pressureAndTemperatureShowTheState() {
    TempDir dir, other;
    GuiRun r(dir.path());
    Start(r);
    Tick(r, 0);
    Tick(r, 1);
    Type(r, 0, "1");
    Type(r, 1, "200");
    Oblicz(r);
    // Superheated steam at 1 MPa, 200 °C; every box as the model without widgets has it.
    QCOMPARE(Box(r, 4), U(" x > 1 "));
    QVERIFY(Box(r, 2).startsWith(U("2 82")));
    HeadlessRun h(other.path());
    h.Calculate({0, 1}, {{0, "1"}, {1, "200"}});
    for (int i = 0; i < 10; ++i) QCOMPARE(Box(r, i), QString::fromStdString(h.app.frm.Text_IS[i].Text));
    QVERIFY(r.Main<QAction>("mnuIS")->isEnabled());
    QVERIFY(!r.Main<QWidget>("Text_IS_8")->isVisible());
    QVERIFY(!r.win->paraMokra()->isVisible());
  }

  void wetStateOpensParaMokraBesideTheMainWindow() {
    TempDir dir, other;
    GuiRun r(dir.path());
    Start(r);
    r.win->move(40, 30);
    Tick(r, 0);
    Tick(r, 4);
    Type(r, 0, "1");
    Type(r, 4, "0,9");
    Oblicz(r);
    ParaMokraCheck(r);
    HeadlessRun h(other.path());
    h.Calculate({0, 4}, {{0, "1"}, {4, "0,9"}});
    QVERIFY(h.app.mokra.Loaded);
    for (int i = 0; i < 12; ++i) {
      auto* box = r.Mokra<QLineEdit>(QStringLiteral("txtMokra_%1").arg(i));
      QCOMPARE(box->text(), QString::fromStdString(h.app.mokra.txtMokra[i].Text));
      QVERIFY(box->isReadOnly());  // selectable for copying, never typed into
      QCOMPARE(box->focusPolicy(), Qt::ClickFocus);
    }
    QVERIFY(r.Main<QWidget>("Text_IS_8")->isVisible());
    QVERIFY(r.Main<QWidget>("lbl_V_3")->isVisible());
    QCOMPARE(Box(r, 8), QString::fromStdString(h.app.frm.Text_IS[8].Text));

    // "Exit" closes it; the next calculation outside the wet region leaves it closed.
    QTest::mouseClick(r.Mokra<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(!r.win->paraMokra()->isVisible());
    QVERIFY(r.win->isVisible());
    Tick(r, 4);
    Tick(r, 1);
    r.Main<QLineEdit>("Text_IS_1")->clear();
    Type(r, 1, "300");
    Oblicz(r);
    QVERIFY(!r.win->paraMokra()->isVisible());
  }

  void enterInThePressureBoxClearsAndFocusesTheNextBox() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    r.win->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.win.get()));
    Tick(r, 0);
    Tick(r, 1);
    Type(r, 1, "200");
    auto* p = r.Main<QLineEdit>("Text_IS_0");
    p->setFocus();
    QTest::keyClick(p, Qt::Key_Return);
    QCOMPARE(Box(r, 1), QStringLiteral("  "));
    QVERIFY(r.Main<QLineEdit>("Text_IS_1")->hasFocus());
    // Tab from the temperature box clears the (disabled) enthalpy box and leaves the focus to Tab.
    r.Main<QLineEdit>("Text_IS_2")->setText(QString());
    QTest::keyClick(r.Main<QLineEdit>("Text_IS_1"), Qt::Key_Tab);
    QCOMPARE(Box(r, 2), QStringLiteral("  "));
    QVERIFY(!r.Main<QLineEdit>("Text_IS_2")->hasFocus());
  }

  void clickOnTheButtonFrameHidesButtonsAndMenuUntilABoxIsClicked() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    auto* frame = r.Main<QWidget>("FrameButtons");
    QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(!frame->isVisible());
    for (const char* name : {"mnuOdczytaj", "mnuZapisz", "mnuIS", "mnuPomoc", "mnuZakoncz"})
      QVERIFY2(!r.Main<QAction>(name)->isVisible(), name);
    QVERIFY(r.Main<QAction>("mnuPPary2")->isVisible());
    QTest::mouseClick(r.Main<QLineEdit>("Text_IS_6"), Qt::LeftButton);
    QVERIFY(frame->isVisible());
    QVERIFY(r.Main<QAction>("mnuZakoncz")->isVisible());
  }

  void clearButtonBlanksTheBoxes() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    QTest::mouseClick(r.Main<QPushButton>("cmdClearAll"), Qt::LeftButton);
    for (int i = 0; i <= 8; ++i) QCOMPARE(Box(r, i), QStringLiteral("       "));
    QCOMPARE(Box(r, 9), QStringLiteral("5"));
  }

  void unitListConvertsThePressureBox() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    Tick(r, 0);
    Type(r, 0, "10");
    auto* combo = r.Main<QComboBox>("Combo1");
    combo->setCurrentIndex(1);
    emit combo->activated(1);  // what a pick from the list sends
    QCOMPARE(Box(r, 0), QStringLiteral("100,00"));
    QCOMPARE(combo->currentText(), QStringLiteral(" bar"));
  }

  void infoMenuGoesThroughTheInjectedDialogs() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    r.dialogs.ExpectOk(
        "Zawsze należy wstawić dwa parametry pary ,\r\naby obliczyć pozostałe - zaznacz w tym  \r\n"
        "celu odpowienie pole wyboru - wówczas \r\nuaktywni się klawisz OBLICZ .",
        "Info co i jak ?", kal::Icon::Information);
    r.Main<QAction>("mnuInfo")->trigger();
    r.dialogs.VerifyDone();
  }

  void exitWritesTheFileClosesBothWindowsAndANewStartShowsTheBoxes() {
    TempDir dir;
    QString shown[6];
    {
      GuiRun r(dir.path());
      Start(r);
      Tick(r, 1);
      Tick(r, 4);
      Type(r, 1, "150");
      Type(r, 4, "0,5");
      Oblicz(r);
      QVERIFY(r.win->paraMokra()->isVisible());
      for (int i = 0; i < 6; ++i) shown[i] = Box(r, i);
      r.Main<QAction>("mnuZakoncz")->trigger();
      QVERIFY(!r.win->isVisible());
      QVERIFY(!r.win->paraMokra()->isVisible());
      QVERIFY(!r.win->timer1()->isActive());
    }
    QVERIFY(std::filesystem::is_regular_file(dir.path() + "/Kalorimo/Kalorimo.tmp"));
    // The next start over the same folder shows what the model reads back.
    GuiRun again(dir.path());
    Start(again);
    HeadlessRun h(dir.path());
    for (int i = 0; i < 6; ++i) QCOMPARE(Box(again, i), QString::fromStdString(h.app.frm.Text_IS[i].Text));
    QCOMPARE(Box(again, 1), QStringLiteral("150"));
    QCOMPARE(Box(again, 4), shown[4]);
  }

  void closeButtonLeavesLikeTheExitCommand() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    QVERIFY(r.win->close());
    QVERIFY(r.app->frm.closed);
    QVERIFY(!r.win->isVisible());
    QVERIFY(std::filesystem::is_regular_file(dir.path() + "/Kalorimo/Kalorimo.tmp"));
  }
};

#include "test_main_window.moc"

int RunMainWindowTests(int argc, char** argv) {
  TestMainWindow t;
  return QTest::qExec(&t, argc, argv);
}
