// The calculator as a desktop program: Qt's Polish texts, icon, copyable results, keyboard,
// dialogs on their window, "Para mokra" on screen, the report viewer and the remembered place.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "gui/app_look.h"
#include "gui/qt_dialogs.h"
#include "gui/report_window.h"
#include "gui_rig.h"
#include "support/fs_faults.h"

using kal::test::DialogComplaints;
using kal::test::GuiRun;
using kal::test::Start;
using kal::test::TempDir;
using kal::test::U;

class TestDesktop : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DialogComplaints> complaints_;

  static QLineEdit* Box(GuiRun& r, int i) { return r.Main<QLineEdit>(QStringLiteral("Text_IS_%1").arg(i)); }
  static void Tick(GuiRun& r, int i) {
    auto* c = r.Main<QCheckBox>(QStringLiteral("Check_%1").arg(i));
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
  }
  static void Calculate(GuiRun& r, int a, int b, const QString& ta, const QString& tb) {
    Tick(r, a);
    Tick(r, b);
    Box(r, a)->setText(QString());
    Box(r, b)->setText(QString());
    QTest::keyClicks(Box(r, a), ta);
    QTest::keyClicks(Box(r, b), tb);
    QTest::mouseClick(r.Main<QPushButton>(QStringLiteral("cmdOblicz")), Qt::LeftButton);
  }
  // Narrow and wide letters, digits and blanks of one width: the report's columns line up.
  static bool LinesUp(const QFont& f) {
    const QFontMetrics fm(f);
    const int w = fm.horizontalAdvance(QStringLiteral("iiii"));
    return w > 0 && w == fm.horizontalAdvance(QStringLiteral("WWWW")) &&
           w == fm.horizontalAdvance(QStringLiteral("1 ,0"));
  }
  static bool Editable(QLineEdit* box) { return box->isEnabled() && !box->isReadOnly(); }

 private slots:
  void init() { complaints_ = std::make_unique<DialogComplaints>(); }
  void cleanup() {
    const QString failures = complaints_->Failures();
    complaints_.reset();
    if (!failures.isEmpty()) QFAIL(qPrintable(failures));
  }

  void qtSpeaksPolish() {
    std::unique_ptr<QMessageBox> box(kal::BuildMessageBox("?", kal::Buttons::YesNo, kal::Icon::None, "", nullptr));
    box->addButton(QMessageBox::Cancel);
    const std::pair<QMessageBox::StandardButton, QString> buttons[] = {
        {QMessageBox::Yes, "Tak"}, {QMessageBox::No, "Nie"}, {QMessageBox::Cancel, "Anuluj"}};
    for (const auto& [b, text] : buttons) QCOMPARE(box->button(b)->text().remove(QLatin1Char('&')), text);
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (QAction* a : menu->actions()) items << a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    for (const char* want : {"Skopiuj", "Wklej", "Zaznacz wszystko"}) QVERIFY2(items.contains(U(want)), want);
  }

  void everyWindowCarriesTheIcon() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    for (QWidget* w : {static_cast<QWidget*>(r.win.get()), static_cast<QWidget*>(r.win->paraMokra()),
                       static_cast<QWidget*>(r.win->reportWindow())}) {
      QVERIFY2(!w->windowIcon().isNull(), qPrintable(w->objectName()));
      QVERIFY(!w->windowIcon().pixmap(32).isNull());
    }
  }

  // Disabled boxes of the model keep their look, are read-only and can be selected and copied.
  void resultsCanBeCopied() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    Calculate(r, 0, 4, "1", "0,9");
    QVERIFY(r.win->paraMokra()->isVisible());
    for (int i : {2, 3, 5}) {
      QLineEdit* box = Box(r, i);
      QVERIFY(box->isEnabled());
      QVERIFY(box->isReadOnly());
      QCOMPARE(box->palette().color(QPalette::Active, QPalette::Base),
               Box(r, 0)->palette().color(QPalette::Disabled, QPalette::Base));
      box->setFocus();
      box->selectAll();
      QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(QApplication::clipboard()->text(), box->text());
    }
    // A click on a read-only box reaches the model no more than one on a disabled box would.
    QTest::mouseClick(r.Main<QWidget>("FrameButtons"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(Box(r, 5), Qt::LeftButton);
    QVERIFY(!r.Main<QWidget>("FrameButtons")->isVisible());
    QTest::mouseClick(Box(r, 0), Qt::LeftButton);
    QVERIFY(r.Main<QWidget>("FrameButtons")->isVisible());
    QVERIFY(Editable(Box(r, 0)));
    auto* mokraBox = r.Mokra<QLineEdit>(QStringLiteral("txtMokra_4"));
    QVERIFY(mokraBox->isEnabled() && mokraBox->isReadOnly());

    // Ctrl+Shift+C: the whole result of each window as caption, value, unit.
    r.win->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.win.get()));
    QTest::keyClick(r.win.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QStringList rows = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(rows.value(0), U("Ciśnienie\t1\tMPa"));
    QCOMPARE(rows.value(2), U("Entalpia\t") + Box(r, 2)->text().remove(QLatin1Char(' ')) + U("\t[kJ/kg]"));
    QVERIFY(
        rows.contains(U("ciepło parowania\t") + Box(r, 8)->text().trimmed().remove(QLatin1Char(' ')) + U("\t[kJ/kg]")));
    QVERIFY(!rows.join(QLatin1Char('\n')).contains(U("ciśnienie pary wylotowej")));  // hidden row
    r.win->paraMokra()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.win->paraMokra()));
    QTest::keyClick(r.win->paraMokra(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QStringList wet = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(wet.size(), 12);
    QCOMPARE(wet[4], U("Woda nasycona: Entalpia\t") + mokraBox->text().remove(QLatin1Char(' ')) + U("\tkJ/kg"));
  }

  void tableRowsReadAsNumbers_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("want");
    QTest::newRow("groups") << "12 345,6"
                            << "12345,6";
    QTest::newRow("leading blank") << " 345,2"
                                   << "345,2";
    QTest::newRow("negative") << "-1 000"
                              << "-1000";
    QTest::newRow("text kept") << " x > 1 "
                               << "x > 1";
    QTest::newRow("exponent letter kept") << "0,900E"
                                          << "0,900E";
  }
  void tableRowsReadAsNumbers() {
    QFETCH(QString, value);
    QFETCH(QString, want);
    QCOMPARE(kal::TableRow(U(" lepkość  kinematyczna"), value, U(" [kJ/kg] ")),
             U("lepkość kinematyczna\t") + want + U("\t[kJ/kg]"));
  }

  void keyboardFollowsTheRows() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    r.win->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.win.get()));
    Tick(r, 3);
    QVERIFY(Box(r, 3)->hasFocus());
    Tick(r, 1);
    QVERIFY(Box(r, 1)->hasFocus());  // the first input box of the pair
    // Tab order: the rows top to bottom, then the buttons; read-only boxes are passed over.
    QStringList chain;
    QWidget* w = r.Main<QWidget>("Check_0")->nextInFocusChain();
    for (int k = 0; k < 60 && w->objectName() != QLatin1String("Check_0"); ++k) {
      if (w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)) chain << w->objectName();
      w = w->nextInFocusChain();
    }
    const QStringList want = {"Combo1",    "Check_1",   "Text_IS_1",  "Check_3",     "Text_IS_3",
                              "Text_IS_6", "Text_IS_7", "comboTurbo", "cmdClearAll", "cmdOblicz"};
    QCOMPARE(chain.mid(0, want.size()), want);

    // Alt+P opens "Pomoc" although the disabled "&pPary2" carries the same letter.
    QVERIFY(!r.Main<QAction>("mnuPPary2")->isEnabled());
    QTest::keyClick(r.win.get(), Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(r.Main<QMenu>("mnuPomoc")->isVisible());
    r.Main<QMenu>("mnuPomoc")->close();
  }

  void dialogsOpenOnTheWindowThatAsked() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    r.win->move(700, 300);
    QCOMPARE(kal::QtDialogs::Parent(), r.win.get());
    std::unique_ptr<QMessageBox> box(
        kal::BuildMessageBox("Tekst", kal::Buttons::OK, kal::Icon::None, "", kal::QtDialogs::Parent()));
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    const QPoint off = box->frameGeometry().center() - r.win->frameGeometry().center();
    QVERIFY2(off.manhattanLength() < 40, qPrintable(QStringLiteral("%1,%2").arg(off.x()).arg(off.y())));
    box.reset();
    // A window that names itself the owner has the boxes though another one is active.
    QWidget* v = r.win->reportWindow();
    v->show();
    v->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(v));
    QCOMPARE(kal::QtDialogs::Parent(), v);
    {
      const kal::DialogOwner owner(r.win.get());
      QCOMPARE(kal::QtDialogs::Parent(), r.win.get());
    }
    QCOMPARE(kal::QtDialogs::Parent(), v);
    v->hide();
  }

  void paraMokraStaysOnScreenAndReadable_data() {
    QTest::addColumn<QPoint>("mainAt");
    QTest::addColumn<bool>("right");
    QTest::newRow("room on the right") << QPoint(40, 30) << true;
    QTest::newRow("no room on the right") << QPoint(1000, 30) << false;
  }
  void paraMokraStaysOnScreenAndReadable() {
    QFETCH(QPoint, mainAt);
    QFETCH(bool, right);
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    r.win->move(mainAt);
    Calculate(r, 0, 4, "1", "0,5");
    kal::ParaMokraWindow* w = r.win->paraMokra();
    QVERIFY(w->isVisible());
    const QRect screen = w->screen()->availableGeometry();
    QVERIFY(screen.contains(w->frameGeometry()));
    QCOMPARE(w->frameGeometry().left() > r.win->frameGeometry().right(), right);
    QTest::keyClick(w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    QVERIFY(!r.app->mokra.Loaded);
  }

  void paraMokraFitsALargeFont() {
    const QFont old = QApplication::font();
    QFont big = old;
    big.setPointSizeF(14);
    QApplication::setFont(big);
    kal::ParaMokraWindow w;
    QApplication::setFont(old);
    for (QLabel* l : w.findChildren<QLabel*>()) {
      QVERIFY2(l->sizeHint().width() <= l->width() && l->sizeHint().height() <= l->height() + 2, qPrintable(l->text()));
      QVERIFY(w.rect().contains(l->mapTo(&w, l->rect().bottomRight())));
    }
    for (QWidget* c : w.findChildren<QWidget*>())
      QVERIFY(w.rect().contains(c->geometry().translated(c->parentWidget()->mapTo(&w, QPoint()))));
  }

  // A "fixed" font of the system whose letters differ in width gives way to one that lines up.
  void fixedPitchFontLinesUpWhateverTheSystemSays_data() {
    QTest::addColumn<QString>("family");
    QTest::newRow("the system's fixed font") << QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    QTest::newRow("a proportional font") << U("DejaVu Sans");
  }
  void fixedPitchFontLinesUpWhateverTheSystemSays() {
    QFETCH(QString, family);
    const QFont f = kal::FixedPitchFont(QFont(family), 11);
    QVERIFY2(LinesUp(f), qPrintable(QFontInfo(f).family()));
    QCOMPARE(f.pointSizeF(), 11.0);
  }

  void placeBesideTakesTheOtherSideOrTheScreen_data() {
    QTest::addColumn<int>("mainLeft");
    QTest::addColumn<QPoint>("wanted");
    QTest::addColumn<QPoint>("want");
    // main window 500 wide, the window 400 x 500, 5 px apart; the screen 1600 x 1000
    QTest::newRow("fits right") << 100 << QPoint(605, 20) << QPoint(605, 20);
    QTest::newRow("left instead") << 700 << QPoint(1205, 20) << QPoint(295, 20);
    QTest::newRow("too low: lifted") << 100 << QPoint(605, 900) << QPoint(605, 500);
    QTest::newRow("no side fits: pushed onto the screen") << 200 << QPoint(1400, 20) << QPoint(1200, 20);
  }
  void placeBesideTakesTheOtherSideOrTheScreen() {
    QFETCH(int, mainLeft);
    QFETCH(QPoint, wanted);
    QFETCH(QPoint, want);
    const QRect main(mainLeft, 20, 500, 480);
    QCOMPARE(kal::PlaceBeside(wanted, QSize(400, 500), main, QRect(0, 0, 1600, 1000)), want);
  }

  void reportViewerShowsNotesAndClosesWithEscape() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    Calculate(r, 0, 1, "1", "200");
    r.Main<QAction>("mnuZapisz")->trigger();
    r.Main<QAction>("mnuOdczytaj")->trigger();
    kal::ReportWindow* v = r.win->reportWindow();
    QVERIFY(v->isVisible());
    auto* text = v->findChild<QPlainTextEdit*>(QStringLiteral("txtRaport"));
    QVERIFY(text->isReadOnly());
    QVERIFY(text->toPlainText().contains(U("   objętość właściwa  ")));
    QVERIFY(!text->toPlainText().contains(QLatin1Char('\r')));
    QVERIFY2(LinesUp(text->font()), qPrintable(QFontInfo(text->font()).family()));
    QTest::mouseClick(v->findChild<QPushButton*>(QStringLiteral("cmdKopiuj")), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), text->toPlainText());
    r.platform.startResult = false;
    r.dialogs.ExpectOk("Nie udało się otworzyć pliku " + r.app->frm.Folder +
                           "/Notes.txt w edytorze tekstu.\r\nRaport można skopiować przyciskiem \"Kopiuj\".",
                       "", kal::Icon::Exclamation);
    QTest::mouseClick(v->findChild<QPushButton*>(QStringLiteral("cmdEdytor")), Qt::LeftButton);
    r.dialogs.VerifyDone();
    QTest::keyClick(text, Qt::Key_Escape);
    QVERIFY(!v->isVisible());
    QVERIFY(!r.app->raport.Visible);
  }

  // Mend: the program's own "10 000" (kPa) and its enthalpy text read back without a question.
  void ownNumbersReadBackWithoutAQuestion() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    Calculate(r, 0, 1, "10", "500");
    auto* combo = r.Main<QComboBox>(QStringLiteral("Combo1"));
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    QCOMPARE(Box(r, 0)->text(), U("10 000"));
    QTest::mouseClick(r.Main<QPushButton>(QStringLiteral("cmdOblicz")), Qt::LeftButton);  // no question
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    QVERIFY(Box(r, 0)->text().startsWith(U("10,0")));
    // The enthalpy the program showed ("3 3..,.") becomes an input as it stands.
    QVERIFY(Box(r, 2)->text().contains(QLatin1Char(' ')));
    Tick(r, 1);
    Tick(r, 2);
    QTest::mouseClick(r.Main<QPushButton>(QStringLiteral("cmdOblicz")), Qt::LeftButton);
    QCOMPARE(Box(r, 1)->text(), U("500"));
  }

  // Mend: 10 MPa and 200 C is compressed water, not wet steam.
  void compressedWaterOpensNoWetSteamWindow() {
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    Calculate(r, 0, 1, "10", "200");
    QVERIFY(!r.win->paraMokra()->isVisible());
    QCOMPARE(Box(r, 4)->text(), U("0,00"));
    QVERIFY(Box(r, 2)->text().trimmed().startsWith(U("8")));  // about 850 kJ/kg, not 2 257
  }

  // Mend: an installed program's folder cannot be written; the per-user folder serves silently.
  void perUserFolderWhenTheProgramFolderIsReadOnly() {
    TempDir dir, home;
    const std::string user = home.path() + "/share/Kalorimo";
    std::unique_ptr<GuiRun> r;
    {
      kal::test::TylkoDoOdczytu ro(dir.path());
      kal::test::BezPrzywilejow bez;
      r = std::make_unique<GuiRun>(dir.path());
      r->platform.userDataDir = user;
      Start(*r);
    }
    QCOMPARE(QString::fromStdString(r->app->frm.Folder), QString::fromStdString(user + "/"));
    QVERIFY(!std::filesystem::exists(dir.path() + "/Kalorimo"));
    r->dialogs.ExpectOk(
        " Turbinowo \r\n zajmującej się diagnostyką termodynamiczną turbin \r\n"
        " parowych we współpracy  z  Pracownią Przepływów Parowych Akademii   \r\n"
        " Nadrzecznej.   Kontakt -     kalorimo@example.org  \r\n          \r\n Folder danych: " +
            user + " ",
        "Termodynamika to potęga ", kal::Icon::Information);
    r->Main<QAction>("mnuAbout")->trigger();
    r->dialogs.VerifyDone();
    Calculate(*r, 0, 1, "1", "200");
    r->Main<QAction>("mnuZapisz")->trigger();
    QVERIFY(std::filesystem::is_regular_file(user + "/Notes.txt"));
  }

  void windowReopensWhereItWasClosed() {
    TempDir dir;
    QRect closedAt;
    {
      GuiRun r(dir.path());
      Start(r);
      r.win->setGeometry(QRect(321, 123, r.win->width() + 40, r.win->height()));
      closedAt = r.win->geometry();
      QVERIFY(r.win->close());
    }
    GuiRun again(dir.path());
    Start(again);
    QCOMPARE(again.win->geometry(), closedAt);
    QVERIFY(!std::filesystem::exists(dir.path() + "/Kalorimo/Kalorimo.conf"));
  }
};

#include "test_desktop.moc"

int RunDesktopTests(int argc, char** argv) {
  TestDesktop t;
  return QTest::qExec(&t, argc, argv);
}
