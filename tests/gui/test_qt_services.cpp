// The Qt message box set-up and the clock's time format.
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <memory>

#include "gui/qt_dialogs.h"
#include "gui/qt_platform.h"

class TestQtServices : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxCarriesIconButtonsAndTitle_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("wantButtons");
    QTest::addColumn<int>("wantIcon");
    QTest::addColumn<QString>("wantTitle");
    QTest::newRow("ok none default title") << int(kal::Buttons::OK) << int(kal::Icon::None) << ""
                                           << int(QMessageBox::Ok) << int(QMessageBox::NoIcon) << "Kalorimo";
    QTest::newRow("ok information") << int(kal::Buttons::OK) << int(kal::Icon::Information) << "Info co i jak ?"
                                    << int(QMessageBox::Ok) << int(QMessageBox::Information) << "Info co i jak ?";
    QTest::newRow("ok exclamation") << int(kal::Buttons::OK) << int(kal::Icon::Exclamation) << "Termo_info"
                                    << int(QMessageBox::Ok) << int(QMessageBox::Warning) << "Termo_info";
    QTest::newRow("yes no") << int(kal::Buttons::YesNo) << int(kal::Icon::None) << QString::fromUtf8("Opis błędu ")
                            << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::NoIcon)
                            << QString::fromUtf8("Opis błędu ");
  }
  void messageBoxCarriesIconButtonsAndTitle() {
    QFETCH(int, buttons);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(int, wantButtons);
    QFETCH(int, wantIcon);
    QFETCH(QString, wantTitle);
    std::unique_ptr<QMessageBox> box(
        kal::BuildMessageBox(" a\r\n b  ", kal::Buttons(buttons), kal::Icon(icon), title.toStdString(), nullptr));
    QCOMPARE(int(box->standardButtons()), wantButtons);
    QCOMPARE(int(box->icon()), wantIcon);
    QCOMPARE(box->windowTitle(), wantTitle);
    QCOMPARE(box->text(), QStringLiteral(" a\n b  "));
    QCOMPARE(box->textFormat(), Qt::PlainText);
  }

  // Lines that fit the screen are shown whole; a huge text folds inside the screen.
  void messageLinesStayWholeWhenTheyFit() {
    const std::string line =
        " parowych we wsp\xC3\xB3\xC5\x82pracy  z  Pracowni\xC4\x85 Przep\xC5\x82yw\xC3\xB3w Parowych Akademii";
    std::unique_ptr<QMessageBox> box(
        kal::BuildMessageBox(" Turbinowo \r\n" + line, kal::Buttons::OK, kal::Icon::Information, "", nullptr));
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    QVERIFY(label);
    QVERIFY(label->width() >= QFontMetrics(label->font()).horizontalAdvance(QString::fromStdString(line)));

    std::unique_ptr<QMessageBox> huge(
        kal::BuildMessageBox(std::string(10000, '7'), kal::Buttons::OK, kal::Icon::None, "", nullptr));
    huge->show();
    QVERIFY(QTest::qWaitForWindowExposed(huge.get()));
    QVERIFY(huge->width() <= huge->screen()->availableGeometry().width());
  }

  void lineBreaksOfTheModelBecomeQtLineBreaks() {
    QCOMPARE(kal::ToQtText(" Wykres I-S jest aktywny tylko po wybraniu \r\n opcji"),
             QStringLiteral(" Wykres I-S jest aktywny tylko po wybraniu \n opcji"));
    QCOMPARE(kal::ToQtText("a\rb"), QStringLiteral("a\nb"));
    QCOMPARE(kal::ToQtText("zażółć"), QString::fromUtf8("zażółć"));
  }

  void clockFormatDropsTheTimeZone_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("want");
    QTest::newRow("polish") << "HH:mm:ss t"
                            << "HH:mm:ss";
    QTest::newRow("english") << "h:mm:ss AP t"
                             << "h:mm:ss AP";
    QTest::newRow("zone in front") << "t HH:mm:ss"
                                   << "HH:mm:ss";
    QTest::newRow("no zone") << "HH:mm:ss"
                             << "HH:mm:ss";
    QTest::newRow("quoted t kept") << "H 'to' mm:ss t"
                                   << "H 'to' mm:ss";
  }
  void clockFormatDropsTheTimeZone() {
    QFETCH(QString, format);
    QFETCH(QString, want);
    QCOMPARE(kal::TimeFormatWithoutZone(format), want);
  }

  void clockTextHasHoursMinutesAndSeconds() {
    kal::QtPlatform platform;
    const QString text = QString::fromStdString(platform.TimeOfDayText());
    QVERIFY2(text.count(QLatin1Char(':')) >= 2 || text.count(QLatin1Char('.')) >= 2, qPrintable(text));
  }
};

#include "test_qt_services.moc"

int RunQtServicesTests(int argc, char** argv) {
  TestQtServices t;
  return QTest::qExec(&t, argc, argv);
}
