// The import wizard driven as a user drives it: the TG-4 export with the turbine's remembered
// mapping through every page into a campaign, the window chosen by typing and by dragging, the
// unstable columns marked, and files the import refuses. KALORIMO_ZRZUTY=/tmp/wb takes a
// screenshot of the screen (ImageMagick's import) on each page of the flow.
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTest>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>

#include "gui/gui_rig.h"
#include "gui/turbina_import_wizard.h"
#include "gui/turbina_import_wykres.h"
#include "support/scripted_dialogs.h"
#include "turbiny/dokument.h"
#include "turbiny/import.h"

using kal::ImportWizard;
using kal::test::DialogComplaints;
using kal::test::ScriptedDialogs;
using kal::test::TempDir;
namespace tb = kal::turbiny;

namespace {

// The examples in data/turbiny: beside the sources, found upwards from the test program.
QString Dane(const char* plik) {
#ifdef KALORIMO_DATA_DIR
  return QStringLiteral(KALORIMO_DATA_DIR "/turbiny/") + QString::fromLatin1(plik);
#else
  QDir d(QCoreApplication::applicationDirPath());
  for (int i = 0; i < 6 && !d.exists(QStringLiteral("data/turbiny/tg4.json")); ++i) d.cdUp();
  return d.filePath(QStringLiteral("data/turbiny/")) + QString::fromLatin1(plik);
#endif
}

std::string Bajty(const QString& sciezka) {
  std::ifstream f(QFile::encodeName(sciezka).toStdString(), std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

// TG-4 with the mapping of its last import.
tb::Turbina Tg4() {
  tb::Turbina t = tb::WczytajDokument(Bajty(Dane("tg4.json"))).turbina;
  t.mapowanie = Bajty(Dane("tg4-mapowanie.json"));
  return t;
}

QString Liczba(double v) { return QLocale().toString(v, 'g', 6); }

void Zrzut(int nr) {
  const QByteArray cel = qgetenv("KALORIMO_ZRZUTY");
  if (cel.isEmpty()) return;
  QTest::qWait(600);
  QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                               QString::fromLocal8Bit(cel) + QStringLiteral("-%1.png").arg(nr)});
}

}  // namespace

class TestImportWizard : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DialogComplaints> complaints_;

  // The wizard over the example file, on the series page.
  static void DoSerii(ImportWizard& w) {
    w.show();
    w.ustawPlik(Dane("tg4-2026-03.csv"));
    QTRY_COMPARE_WITH_TIMEOUT(w.currentId(), int(ImportWizard::kPodglad), 10000);
    Zrzut(1);
    w.next();
    QCOMPARE(w.currentId(), int(ImportWizard::kMapowanie));
    Zrzut(2);
    w.next();
    QTRY_COMPARE_WITH_TIMEOUT(w.currentId(), int(ImportWizard::kSerie), 10000);
  }

  static int Wiersz(QTableWidget* t, const std::string& kolumna) {
    for (int r = 0; r < t->rowCount(); ++r)
      if (t->item(r, 0)->text().toStdString() == kolumna) return r;
    return -1;
  }

 private slots:
  void init() { complaints_ = std::make_unique<DialogComplaints>(); }
  void cleanup() {
    const QString failures = complaints_->Failures();
    complaints_.reset();
    if (!failures.isEmpty()) QFAIL(qPrintable(failures));
  }

  // The example with the remembered mapping ends in a campaign of turbine stability's means.
  void exampleEndsInCampaignOfStabilityMeans() {
    ScriptedDialogs dialogs;
    const tb::Turbina turbina = Tg4();
    ImportWizard w(turbina, dialogs);
    DoSerii(w);
    const QString wykryte = w.findChild<QLabel*>(QStringLiteral("wykryte"))->text();
    for (const char* co : {"średnik (wykryty)", "przecinek (wykryta)", "UTF-8 (wykryte)", "kolumna „Czas”"})
      QVERIFY2(wykryte.contains(QString::fromUtf8(co)), qPrintable(wykryte));
    QCOMPARE(w.findChild<QTableWidget*>(QStringLiteral("podglad"))->rowCount(), 20);
    QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("punkt_2"))->currentData().toString(), QStringLiteral("WP_WYL"));
    QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("punkt_8"))->currentData().toString(), QStringLiteral("@ambient"));
    Zrzut(3);
    w.next();
    QCOMPARE(w.currentId(), int(ImportWizard::kStabilnosc));
    Zrzut(4);
    w.next();
    QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("dataKampanii"))->text(), QStringLiteral("2026-03-14T10:00"));
    w.findChild<QLineEdit*>(QStringLiteral("moc"))->setText(QStringLiteral("200,5"));
    Zrzut(5);
    w.accept();
    QCOMPARE(w.result(), int(QDialog::Accepted));

    const tb::Stabilnosc cli =
        tb::ObliczStabilnosc(Bajty(Dane("tg4-2026-03.csv")), tb::MapowanieZJson(turbina.mapowanie), &turbina, {});
    const tb::Kampania& k = w.kampania();
    QCOMPARE(k.id, std::string("2026-03-okr"));
    QCOMPARE(k.rodzaj, tb::RodzajKampanii::Okresowe);
    QCOMPARE(k.mocMW.value_or(0), 200.5);
    for (const tb::StatystykaKolumny& c : cli.kolumny) {
      const double z = c.kolumna.wielkosc == "ambient" ? k.otoczenieKPa
                       : c.kolumna.wielkosc == "p"     ? k.odczyty.at(c.kolumna.punkt).p.value()
                                                       : k.odczyty.at(c.kolumna.punkt).t.value();
      QCOMPARE(z, c.srednia);
    }
    QCOMPARE(w.serie().size(), cli.serie.size());
    QCOMPARE(tb::MapowanieDoJson(tb::MapowanieZJson(w.mapowanie())),
             tb::MapowanieDoJson(tb::MapowanieZJson(turbina.mapowanie)));
    dialogs.VerifyDone();
  }

  // A window typed or dragged gives the statistics of that window, in the table and the campaign.
  void windowChangesStatistics() {
    const tb::Turbina turbina = Tg4();
    const tb::Stabilnosc cala =
        tb::ObliczStabilnosc(Bajty(Dane("tg4-2026-03.csv")), tb::MapowanieZJson(turbina.mapowanie), &turbina, {});
    struct Przypadek {
      const char *nazwa, *od, *do_;  // typed; nullptr: dragged over the plot's second half
      std::size_t wierszy;
    } przypadki[] = {
        {"the whole series", "2026-03-14T10:00:00", "2026-03-14T11:00:00", 361},
        {"typed, file's own format", "14.03.2026 10:10:00", "14.03.2026 11:00:00", 301},
        {"dragged", nullptr, nullptr, 181},
    };
    for (const Przypadek& p : przypadki) {
      ScriptedDialogs dialogs;
      ImportWizard w(turbina, dialogs);
      DoSerii(w);
      auto* od = w.findChild<QLineEdit*>(QStringLiteral("oknoOd"));
      auto* doCzasu = w.findChild<QLineEdit*>(QStringLiteral("oknoDo"));
      if (p.od) {
        od->setText(QString::fromUtf8(p.od));
        doCzasu->setText(QString::fromUtf8(p.do_));
      } else {
        auto* wykres = w.findChild<kal::WykresSerii*>(QStringLiteral("wykresSerii"));
        const int y = wykres->height() / 2;
        const int xa = wykres->xCzasu(cala.od + 1800), xb = wykres->width() - 2;
        QTest::mousePress(wykres, Qt::LeftButton, {}, QPoint(xa, y));
        QTest::mouseMove(wykres, QPoint((xa + xb) / 2, y));
        QTest::mouseRelease(wykres, Qt::LeftButton, {}, QPoint(xb, y));
      }
      w.next();
      QVERIFY2(w.currentId() == ImportWizard::kStabilnosc, p.nazwa);
      const tb::Stabilnosc oczek = tb::StabilnoscSerii(cala.serie, tb::MapowanieZJson(turbina.mapowanie), &turbina,
                                                       {od->text().toStdString(), doCzasu->text().toStdString()});
      QVERIFY2(oczek.wiersze >= p.wierszy - 1 && oczek.wiersze <= p.wierszy + 1, p.nazwa);
      auto* tab = w.findChild<QTableWidget*>(QStringLiteral("stabilnosc"));
      for (const tb::StatystykaKolumny& c : oczek.kolumny) {
        const int r = Wiersz(tab, c.kolumna.kolumna);
        QVERIFY2(r >= 0, p.nazwa);
        QCOMPARE(tab->item(r, 2)->text(), QString::number(c.n));
        QCOMPARE(tab->item(r, 4)->text(), Liczba(c.srednia));
      }
      w.next();
      w.accept();
      QCOMPARE(w.kampania().odczyty.at("PS").p.value(), oczek.kolumny[0].srednia);
      QCOMPARE(w.kampania().odczyty.at("PS").n.value(), static_cast<long>(oczek.kolumny[0].n));
    }
  }

  // Columns out of their limits are red with a Polish note; steady ones are not.
  void unstableColumnsMarked() {
    const tb::Turbina turbina = Tg4();
    struct Przypadek {
      const char* od;
      std::size_t niestabilnych;  // the start-up's first ten minutes upset four columns
    } przypadki[] = {{"2026-03-14T10:00:00", 4}, {"2026-03-14T10:10:00", 0}};
    for (const Przypadek& p : przypadki) {
      ScriptedDialogs dialogs;
      ImportWizard w(turbina, dialogs);
      DoSerii(w);
      w.findChild<QLineEdit*>(QStringLiteral("oknoOd"))->setText(QString::fromLatin1(p.od));
      w.next();
      auto* tab = w.findChild<QTableWidget*>(QStringLiteral("stabilnosc"));
      std::size_t czerwonych = 0;
      for (int r = 0; r < tab->rowCount(); ++r) {
        const bool czerwony = tab->item(r, 4)->background().color() == QColor(255, 214, 214);
        const QString ocena = tab->item(r, 11)->text();
        QCOMPARE(ocena.startsWith(QStringLiteral("niestabilna: ")), czerwony);
        QVERIFY(czerwony || ocena == QStringLiteral("stabilna"));
        czerwonych += czerwony;
      }
      QCOMPARE(czerwonych, p.niestabilnych);
      QCOMPARE(tab->item(Wiersz(tab, "T_PS"), 11)->text().startsWith(QStringLiteral("niestabilna: fluktuacja")),
               p.niestabilnych > 0);
    }
  }

  // Cancelling the read leaves the file page as it was, with no box; the next try goes on.
  void cancelledReadStaysOnFilePage() {
    ScriptedDialogs dialogs;
    ImportWizard w(Tg4(), dialogs);
    w.show();
    w.ustawPlik(Dane("tg4-2026-03.csv"));
    auto* postep = w.findChild<QProgressDialog*>(QStringLiteral("postep"));
    QVERIFY(postep && w.zajety());
    emit postep->canceled();  // what its "Anuluj" button sends
    QVERIFY(!w.zajety());
    QTest::qWait(300);
    QCOMPARE(w.currentId(), int(ImportWizard::kPlik));
    w.next();
    QTRY_COMPARE_WITH_TIMEOUT(w.currentId(), int(ImportWizard::kPodglad), 10000);
    dialogs.VerifyDone();
  }

  // A file the import refuses: its message through the dialogs, no series page, no campaign.
  void badFileShowsItsMessage() {
    struct Przypadek {
      const char* nazwa;
      const char* tresc;  // nullptr: the file does not exist
      std::string komunikat;
    } przypadki[] = {
        {"empty", "", "plik jest pusty"},
        {"missing", nullptr, "nie można otworzyć pliku (No such file or directory)"},
        {"bad timestamp", "Czas;T_PS\n2026-03-14 10:00:00;535,0\n2026-03-14 1O:00:10;535,1\n",
         "wiersz 3: zły znacznik czasu \"2026-03-14 1O:00:10\" (oczekiwano 2026-03-14T10:00:05, 2026-03-14 10:00:05 "
         "albo 14.03.2026 10:00:05)"},
        {"stray quote", "Czas;T_PS\n2026-03-14 10:00:00;\"535,0\n",
         "wiersz 2: cudzysłów bez pary albo w środku pola bez cudzysłowu (RFC 4180)"},
    };
    TempDir dir;
    for (const Przypadek& p : przypadki) {
      const QString sciezka = QString::fromStdString(dir.path()) + QStringLiteral("/zly.csv");
      QFile::remove(sciezka);
      if (p.tresc) {
        std::ofstream(QFile::encodeName(sciezka).toStdString(), std::ios::binary) << p.tresc;
      }
      const std::string poczatek = "Nie można zaimportować pliku \xE2\x80\x9Ezly.csv\xE2\x80\x9D:\r\n";
      ScriptedDialogs dialogs;
      dialogs.ExpectBox(poczatek + p.komunikat, kal::Buttons::OK, kal::Icon::Exclamation, "Import CSV");
      ImportWizard w(Tg4(), dialogs);
      w.show();
      w.ustawPlik(sciezka);
      for (int krok = 0; krok < 6 && dialogs.shown.empty(); ++krok) {
        QTRY_VERIFY_WITH_TIMEOUT(!w.zajety(), 10000);
        if (dialogs.shown.empty() && w.currentId() < ImportWizard::kSerie) w.next();
      }
      QTRY_VERIFY_WITH_TIMEOUT(!w.zajety(), 10000);
      dialogs.VerifyDone();
      QVERIFY2(w.currentId() < ImportWizard::kSerie, p.nazwa);
      QVERIFY(w.kampania().id.empty() && w.serie().empty());
    }
  }
};

int RunImportWizardTests(int argc, char** argv) {
  TestImportWizard t;
  return QTest::qExec(&t, argc, argv);
}

#include "test_import_wizard.moc"
