// The window "Wykres I-S" through its real widgets.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QXmlStreamReader>

#include "gui/wykres_is_window.h"
#include "gui_rig.h"
#include "support/file_bytes.h"
#include "support/fs_faults.h"

using kal::test::DialogComplaints;
using kal::test::GuiRun;
using kal::test::TempDir;
using kal::test::U;

class TestWykresIS : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DialogComplaints> complaints_;

  static void Oblicz(GuiRun& r, int a, const char* va, int b, const char* vb) {
    for (int i : {a, b}) {
      auto* c = r.Main<QCheckBox>(QStringLiteral("Check_%1").arg(i));
      QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
    }
    for (auto [i, v] : {std::pair{a, va}, std::pair{b, vb}})
      QTest::keyClicks(r.Main<QLineEdit>(QStringLiteral("Text_IS_%1").arg(i)), QString::fromUtf8(v));
    QTest::mouseClick(r.Main<QPushButton>(QStringLiteral("cmdOblicz")), Qt::LeftButton);
  }
  static kal::WykresISWindow* Otworz(GuiRun& r) {
    r.win->start();
    if (!QTest::qWaitForWindowExposed(r.win.get())) return nullptr;
    Oblicz(r, 0, "10", 1, "500");
    r.Main<QAction>(QStringLiteral("mnuIS"))->trigger();
    return r.win->wykresIS();
  }

 private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
  void init() { complaints_ = std::make_unique<DialogComplaints>(); }
  void cleanup() {
    const QString failures = complaints_->Failures();
    complaints_.reset();
    if (!failures.isEmpty()) QFAIL(qPrintable(failures));
  }

  void isAfterPressureTemperatureOpensTheChartOnScreen() {
    TempDir dir;
    GuiRun r(dir.path());
    kal::WykresISWindow* w = Otworz(r);
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Wykres I-S"));
    QCOMPARE(w->findChild<QLineEdit*>("txtP2")->text(), QStringLiteral("5"));
    QCOMPARE(w->findChild<QLabel*>("lblWynik_10")->text(), QStringLiteral("85,00"));
    QVERIFY(w->findChild<QLabel*>("lblKomunikat")->text().isEmpty());
    const QRect ekran = w->screen()->availableGeometry();
    QVERIFY2(ekran.contains(w->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                                .arg(w->frameGeometry().x())
                                                                .arg(w->frameGeometry().y())
                                                                .arg(w->frameGeometry().width())
                                                                .arg(w->frameGeometry().height())
                                                                .arg(ekran.width())
                                                                .arg(ekran.height())));
    // A new pressure-temperature calculation moves the inlet of the open window.
    const QString h1 = w->findChild<QLabel*>("lblWynik_0")->text();
    QLineEdit* t = r.Main<QLineEdit>(QStringLiteral("Text_IS_1"));
    t->clear();
    QTest::keyClicks(t, QStringLiteral("450"));
    QTest::mouseClick(r.Main<QPushButton>(QStringLiteral("cmdOblicz")), Qt::LeftButton);
    QVERIFY(w->findChild<QLabel*>("lblWynik_0")->text() != h1);
    QTest::keyClick(w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    QVERIFY(!r.app->wykresIS.Visible);
  }

  void isAfterPressureEnthalpyExplains() {
    TempDir dir;
    GuiRun r(dir.path());
    r.win->start();
    QVERIFY(QTest::qWaitForWindowExposed(r.win.get()));
    Oblicz(r, 0, "1", 2, "2800");
    r.dialogs.ExpectOk(" Wykres I-S jest aktywny tylko po wybraniu \r\n opcji ciśnienie / temperatura  ", "",
                       kal::Icon::Information);
    r.Main<QAction>(QStringLiteral("mnuIS"))->trigger();
    QVERIFY(!r.win->wykresIS()->isVisible());
  }

  void pPary2TogglesTheExhaustRowSharedWithTheChart() {
    TempDir dir;
    GuiRun r(dir.path());
    kal::WykresISWindow* w = Otworz(r);
    QVERIFY(w);
    QAction* pPary2 = r.Main<QAction>(QStringLiteral("mnuPPary2"));
    QVERIFY(pPary2->isEnabled());
    QLineEdit* box9 = r.Main<QLineEdit>(QStringLiteral("Text_IS_9"));
    QVERIFY(!box9->isVisible());
    pPary2->trigger();
    QVERIFY(box9->isVisible());
    box9->clear();
    QTest::keyClicks(box9, QStringLiteral("20"));
    QTest::mouseClick(r.Main<QPushButton>(QStringLiteral("cmdOblicz")), Qt::LeftButton);
    QCOMPARE(r.app->frm.pParyWylot, 20.0f);
    QCOMPARE(w->findChild<QLineEdit*>("txtP2")->text(), QStringLiteral("20"));
    QCOMPARE(r.app->wykresIS.rozprezanie.p2, 0.02f);
    // Typed in the chart's panel, it is the row's value again.
    QLineEdit* p2 = w->findChild<QLineEdit*>("txtP2");
    p2->clear();
    QTest::keyClicks(p2, QStringLiteral("10"));
    QTest::mouseClick(w->findChild<QPushButton*>("cmdObliczIS"), Qt::LeftButton);
    QCOMPARE(box9->text(), QStringLiteral("10"));
    QCOMPARE(r.app->wykresIS.rozprezanie.p2, 0.01f);
    pPary2->trigger();
    QVERIFY(!box9->isVisible());
  }

  void exportWritesAPngAndAValidSvg() {
    TempDir dir;
    GuiRun r(dir.path());
    kal::WykresISWindow* w = Otworz(r);
    QVERIFY(w);
    const QString png = QString::fromStdString(dir.path() + "/w.png");
    const QString svg = QString::fromStdString(dir.path() + "/w.svg");
    QVERIFY(w->zapiszPNG(png));
    QVERIFY(w->zapiszSVG(svg));
    QImage img(png);
    QCOMPARE(img.size(), QSize(1600, 1000));
    int kolorowe = 0;  // lines in colour, not just the grid
    for (int y = 0; y < img.height(); y += 4)
      for (int x = 0; x < img.width(); x += 4) {
        const QColor k = img.pixelColor(x, y);
        kolorowe += std::abs(k.red() - k.blue()) > 60;
      }
    QVERIFY2(kolorowe > 500, qPrintable(QString::number(kolorowe)));
    QFile f(svg);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    int elementy = 0;
    QString korzen;
    while (!xml.atEnd()) {
      if (xml.readNext() == QXmlStreamReader::StartElement) {
        if (korzen.isEmpty()) korzen = xml.name().toString();
        ++elementy;
      }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(korzen, QStringLiteral("svg"));
    QVERIFY(elementy > 50);
  }

  // On a full disk or in a folder it may not write to, the chart's old file stays whole and a
  // box says why until dismissed.
  void exportThatFailsKeepsTheOldFileAndSaysWhy_data() {
    QTest::addColumn<bool>("svg");
    QTest::addColumn<bool>("pelny");  // a full disk, else a read-only folder
    QTest::addColumn<QString>("powod");
    QTest::newRow("PNG, full disk") << false << true << U("Dysk jest pełny (plik za duży)");
    QTest::newRow("SVG, full disk") << true << true << U("Dysk jest pełny (plik za duży)");
    QTest::newRow("PNG, read-only folder") << false << false << U("Brak uprawnień");
  }
  void exportThatFailsKeepsTheOldFileAndSaysWhy() {
    QFETCH(bool, svg);
    QFETCH(bool, pelny);
    QFETCH(QString, powod);
    TempDir dir;
    GuiRun r(dir.path());
    kal::WykresISWindow* w = Otworz(r);
    QVERIFY(w);
    auto zapisz = [&](const std::string& path) {
      return svg ? w->zapiszSVG(QString::fromStdString(path)) : w->zapiszPNG(QString::fromStdString(path));
    };
    const std::string folder = dir.path() + "/wykresy";
    std::filesystem::create_directory(folder);
    const std::string stary = folder + "/wykres", nowy = folder + "/nowy";
    QVERIFY(zapisz(stary));
    const std::string dobry = kal::test::ReadAll(stary);
    QVERIFY(dobry.size() > 8192);
    for (const auto& [path, byl] : {std::pair{stary, true}, std::pair{nowy, false}}) {
      r.dialogs.ExpectOk("Nie udało się zapisać wykresu w pliku " + path + ":\r\n" + powod.toStdString() + "." +
                             (byl ? "\r\nPlik, który tam był, pozostał bez zmian." : ""),
                         "", kal::Icon::Exclamation);
      if (pelny) {
        kal::test::PelnyDysk pelnyDysk(4096);
        QVERIFY(!zapisz(path));
      } else {
        kal::test::TylkoDoOdczytu ro(folder);
        kal::test::BezPrzywilejow bez;
        QVERIFY(!zapisz(path));
      }
      r.dialogs.VerifyDone();
    }
    QVERIFY(kal::test::ReadAll(stary) == dobry);
    QVERIFY(!std::filesystem::exists(nowy));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(folder), {}), 1);  // no temporary file left
  }

  void if97TickShowsTheOverlayAndItsColumns() {
    TempDir dir;
    GuiRun r(dir.path());
    kal::WykresISWindow* w = Otworz(r);
    QVERIFY(w);
    auto* tick = w->findChild<QCheckBox*>("chkIF97");
    QLabel* eta97 = w->findChild<QLabel*>("lblNakladka_0_10");
    QLabel* roznica = w->findChild<QLabel*>("lblNakladka_1_10");
    QVERIFY(tick && eta97 && roznica);
    QVERIFY(!eta97->isVisible());
    for (bool on : {true, false}) {
      QTest::mouseClick(tick, Qt::LeftButton, {}, QPoint(8, tick->height() / 2));
      QCOMPARE(r.app->wykresIS.if97, on);
      QCOMPARE(eta97->isVisible(), on);
      QCOMPARE(roznica->isVisible(), on);
      if (on) {
        QCOMPARE(w->findChild<QLabel*>("lblNakladka_0_-1")->text(), QStringLiteral("IAPWS-IF97"));
        QVERIFY(!eta97->text().isEmpty() && !eta97->text().contains(QStringLiteral("NaN")));
      }
    }
  }

  // However deep the zoom, the painter gets only what is in view, both axes keep their labels,
  // and an idle window is not drawn again: the clock's ticks leave the chart alone.
  void deepZoomDrawsWhatIsInViewOnceAndLabelsTheAxes_data() {
    QTest::addColumn<int>("gdzie");  // a line's kind, or -1: the point 2 of the expansion
    QTest::addColumn<int>("kroki");
    QTest::newRow("on a dryness line (dashed)") << static_cast<int>(kal::RodzajLinii::Suchosc) << 38;
    QTest::newRow("on the saturation line") << static_cast<int>(kal::RodzajLinii::Nasycenie) << 38;
    QTest::newRow("at the point 2") << -1 << 38;
    QTest::newRow("past the closest view") << static_cast<int>(kal::RodzajLinii::Izobara) << 120;
  }
  void deepZoomDrawsWhatIsInViewOnceAndLabelsTheAxes() {
    QFETCH(int, gdzie);
    QFETCH(int, kroki);
    TempDir dir;
    GuiRun r(dir.path());
    kal::WykresISWindow* w = Otworz(r);
    QVERIFY(w && QTest::qWaitForWindowExposed(w));
    kal::WykresWidget* c = w->wykres();
    c->repaint();
    const long wszystkie = c->slad().wierzcholki;  // the whole chart's points
    // A point on the chart, and the widget's pixel of it.
    double s = r.app->wykresIS.rozprezanie.rzeczywisty->s, h = r.app->wykresIS.rozprezanie.rzeczywisty->h;
    for (const kal::Linia& l : r.app->wykresIS.wykres->linie) {
      if (static_cast<int>(l.rodzaj) != gdzie) continue;
      const auto& odc = l.odcinki.front();
      const kal::PunktLinii &a = odc[odc.size() / 2], &b = odc[odc.size() / 2 + 1];
      s = (a.s + b.s) / 2, h = (a.h + b.h) / 2;  // between two samples: on the chord
      break;
    }
    const kal::Okno o = c->widok();
    const QRectF pole = c->obszar(c->rect());
    const QPointF at(pole.left() + (s - o.sMin) / (o.sMax - o.sMin) * pole.width(),
                     pole.bottom() - (h - o.hMin) / (o.hMax - o.hMin) * pole.height());
    for (int i = 0; i < kroki; ++i) {
      QWheelEvent e(at, c->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(c, &e);
    }
    c->repaint();
    const kal::WykresWidget::Slad& d = c->slad();
    QVERIFY2(d.poza <= 4.5, qPrintable(QString::number(d.poza)));
    QVERIFY2(d.wierzcholki <= wszystkie, qPrintable(QString::number(d.wierzcholki)));
    if (gdzie >= 0) QVERIFY(d.wierzcholki >= 2 && d.etykiety >= 1);  // the line itself is drawn and named
    for (const QStringList& os : {d.osS, d.osH}) {
      QVERIFY2(os.size() >= 2 && os.size() <= 30, qPrintable(os.join(' ')));
      QCOMPARE(QSet<QString>(os.begin(), os.end()).size(), os.size());  // the labels tell their ticks apart
    }
    // Idle: the clock ticks, nothing is drawn again and no timer of the chart keeps running.
    QCoreApplication::processEvents();
    const long rysowania = d.rysowania;
    r.platform.timeText = "12:00:01";
    for (int i = 0; i < 3; ++i) QVERIFY(QMetaObject::invokeMethod(r.win->timer1(), "timeout"));
    QCoreApplication::processEvents();
    QCOMPARE(r.Main<QLabel>("lblTime")->text(), QStringLiteral("12:00:01"));
    QCOMPARE(d.rysowania, rysowania);
    for (QTimer* t : w->findChildren<QTimer*>()) QVERIFY(!t->isActive() || t->isSingleShot());
    // The readout follows the mouse and leaves the chart as drawn.
    for (int i = 0; i < 5; ++i) QTest::mouseMove(c, (at + QPointF(9 * i, 7 * i)).toPoint());
    QCoreApplication::processEvents();
    QVERIFY(!w->findChild<QLabel*>("lblOdczyt")->text().isEmpty());
    QCOMPARE(d.rysowania, rysowania);
    QTest::mouseClick(w->findChild<QPushButton*>("cmdCalyWykres"), Qt::LeftButton);
    QCOMPARE(c->widok().sMax, o.sMax);
  }

  void wheelAndRubberBandZoomAndTheWholeViewComesBack() {
    TempDir dir;
    GuiRun r(dir.path());
    kal::WykresISWindow* w = Otworz(r);
    QVERIFY(w);
    kal::WykresWidget* c = w->wykres();
    const kal::Okno caly = c->widok();
    c->przybliz(QRectF(c->rect().center() - QPoint(60, 40), QSizeF(120, 80)));
    QVERIFY(c->widok().sMax - c->widok().sMin < caly.sMax - caly.sMin);
    c->przybliz(QPointF(c->rect().center()), 100);  // out past the whole chart: the whole chart
    QCOMPARE(c->widok().sMin, caly.sMin);
    c->przybliz(QPointF(c->rect().center()), 0.5);
    QTest::mouseClick(w->findChild<QPushButton*>("cmdCalyWykres"), Qt::LeftButton);
    QCOMPARE(c->widok().hMax, caly.hMax);
  }
};

#include "test_wykres_is.moc"

int RunWykresISTests(int argc, char** argv) {
  TestWykresIS t;
  return QTest::qExec(&t, argc, argv);
}
