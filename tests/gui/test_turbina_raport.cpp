// The report and the workbook of a campaign carry the batch tool's numbers: the PDF read back as
// text, the workbook's sheets unzipped and their cells parsed; a failed write keeps the old file.
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <cmath>
#include <map>

#include "gui/turbina_raport.h"
#include "support/fs_faults.h"
#include "turbiny/dokument.h"

namespace {

QByteArray Uruchom(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) return {};
  return p.readAllStandardOutput();
}

// A cell of a sheet: its type attribute ("s" shared string, "b" boolean, "" number) and value.
struct Komorka {
  QString typ, wartosc;
};

std::map<QString, Komorka> Komorki(const QByteArray& xml) {
  std::map<QString, Komorka> m;
  QXmlStreamReader r(xml);
  QString ref;
  Komorka k;
  while (!r.atEnd()) {
    r.readNext();
    if (r.isStartElement() && r.name() == QLatin1String("c")) {
      ref = r.attributes().value("r").toString();
      k = {r.attributes().value("t").toString(), {}};
    } else if (r.isStartElement() && r.name() == QLatin1String("v")) {
      k.wartosc = r.readElementText();
      m[ref] = k;
    }
  }
  return m;
}

QString Liczba9(double v) { return QString::number(v, 'g', 9); }

// The batch tool's rounding, written out independently: 2 decimals of percent, 1 of kJ/kg.
QString Stale(double v, int miejsca, const char* jednostka) {
  return QString::number(v, 'f', miejsca).replace('.', ',') + QLatin1String(jednostka);
}

}  // namespace

class TestTurbinaRaport : public QObject {
  Q_OBJECT

  kal::turbiny::Dokument d_;
  std::vector<kal::turbiny::WynikKampanii> wyniki_;
  std::size_t ostatni_ = 0;
  QTemporaryDir dir_;
  QString pdfTekst_;
  QString pdfPierwszego_;  // the acceptance test, its readings imported with their statistics
  // Section, quantity, the text the batch tool prints for it.
  std::vector<std::tuple<QString, QString, QString>> oczekiwane_;

  // "    ηi  = 85,25 %   IF97 86,72 %   różnica …" -> the two values, per section.
  void ZTekstuNarzedzia(const QString& tekst) {
    QString odcinek;
    for (const QString& l : tekst.split('\n')) {
      if (l.startsWith(QLatin1String("  Odcinek "))) odcinek = l.mid(10).section(' ', 0, 0);
      const QString t = l.trimmed();
      for (const char* w : {"Δh  = ", "ηi  = "}) {
        const QString znak = QString::fromUtf8(w);
        if (!t.startsWith(znak)) continue;
        const QStringList cz = t.mid(znak.size()).split(QLatin1String("   "));
        oczekiwane_.emplace_back(odcinek, znak.left(2) + QStringLiteral(" równania"), cz.value(0));
        oczekiwane_.emplace_back(odcinek, znak.left(2) + QStringLiteral(" IF97"), cz.value(1).mid(5));
      }
    }
  }

 private slots:
  void initTestCase() {
    // The source folder as the compiler was given it, from the build folder the program sits in.
    const QString zrodla = QFileInfo(QStringLiteral(__FILE__)).isAbsolute()
                               ? QFileInfo(QStringLiteral(__FILE__)).path() + QStringLiteral("/../..")
                               : QCoreApplication::applicationDirPath() + QStringLiteral("/../../..");
    QFile f(zrodla + QStringLiteral("/data/turbiny/tg4.json"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    d_ = kal::turbiny::WczytajDokument(f.readAll().toStdString());
    wyniki_ = kal::turbiny::ObliczWszystkie(d_);
    ostatni_ = d_.kampanie.size() - 1;
    QString blad;
    QVERIFY2(kal::RaportPdf(d_, wyniki_, ostatni_, dir_.filePath("r.pdf"), blad), qPrintable(blad));
    pdfTekst_ = QString::fromUtf8(Uruchom("pdftotext", {"-layout", dir_.filePath("r.pdf"), "-"}));
    QVERIFY(!pdfTekst_.isEmpty());
    QVERIFY2(kal::RaportPdf(d_, wyniki_, 0, dir_.filePath("p.pdf"), blad), qPrintable(blad));
    pdfPierwszego_ = QString::fromUtf8(Uruchom("pdftotext", {"-layout", dir_.filePath("p.pdf"), "-"}));
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/../../src/cli/kalorimo-calc");
    if (QFileInfo::exists(cli)) {
      ZTekstuNarzedzia(
          QString::fromUtf8(Uruchom(cli, {"turbine", "calc", f.fileName(), "--campaign",
                                          QString::fromStdString(d_.kampanie[ostatni_].id), "--format", "text"})));
    } else {  // the tool not built: its rounding of the engine's numbers
      for (const kal::turbiny::WynikOdcinka& o : wyniki_[ostatni_].odcinki) {
        const QString s = QString::fromStdString(o.nazwa);
        oczekiwane_.emplace_back(s, "Δh równania", Stale(*o.fits.dh, 1, " kJ/kg"));
        oczekiwane_.emplace_back(s, "Δh IF97", Stale(*o.if97.dh, 1, " kJ/kg"));
        oczekiwane_.emplace_back(s, "ηi równania", Stale(*o.fits.eta * 100, 2, " %"));
        oczekiwane_.emplace_back(s, "ηi IF97", Stale(*o.if97.eta * 100, 2, " %"));
      }
    }
    QCOMPARE(oczekiwane_.size(), 4 * d_.turbina.odcinki.size());
  }

  void pdfHoldsTheBatchToolsNumbers_data() {
    QTest::addColumn<bool>("pierwszy");
    QTest::addColumn<QString>("tekst");
    for (const auto& [odcinek, wielkosc, tekst] : oczekiwane_)
      QTest::newRow((odcinek + QLatin1Char(' ') + wielkosc).toUtf8().constData()) << false << tekst;
    for (const char* polskie : {"Sprawność wewnętrzna turbiny TG-4", "Ciśnienie otoczenia", "Źródło",
                                "para świeża przed zaworami WP", "Budżet niepewności odcinka NP", "badanie okresowe"})
      QTest::newRow(polskie) << false << QString::fromUtf8(polskie);
    // The imported readings' statistics: SP_WYL's p, u_random of p, t, u_random of t, n.
    QTest::newRow("stability of an import")
        << true << QStringLiteral("180   kPa (nadc.)        0,08   238      0,05   —   —   720   średnia z serii");
    QTest::newRow("acceptance test") << true << QStringLiteral("badanie odbiorcze");
  }
  void pdfHoldsTheBatchToolsNumbers() {
    QFETCH(bool, pierwszy);
    QFETCH(QString, tekst);
    // Columns as pdftotext lays them out, one space or many.
    const QString wzor = QRegularExpression::escape(tekst).replace(QRegularExpression("(\\\\ )+"), "\\s+");
    QVERIFY2((pierwszy ? pdfPierwszego_ : pdfTekst_).contains(QRegularExpression(wzor)), qPrintable(tekst));
  }

  // Sheet 2 "Wyniki": a row per section, ηi by the fits in K, by IF97 in L, U95 in N, the date in B;
  // sheet 3 "Trend": a row per campaign, the date in B, then ηi fits, ηi IF97, U95 per section.
  void workbookReadsBackAsNumbers() {
    const QString plik = dir_.filePath("r.xlsx");
    QString blad;
    QVERIFY2(kal::EksportXlsx(d_, wyniki_, ostatni_, plik, blad), qPrintable(blad));
    const auto wyn = Komorki(Uruchom("unzip", {"-p", plik, "xl/worksheets/sheet2.xml"}));
    const auto trend = Komorki(Uruchom("unzip", {"-p", plik, "xl/worksheets/sheet3.xml"}));
    const QString wspolne = QString::fromUtf8(Uruchom("unzip", {"-p", plik, "xl/sharedStrings.xml"}));
    QVERIFY(wspolne.contains(QStringLiteral("Sprawność ηi równania")));
    auto liczba = [](const std::map<QString, Komorka>& m, const QString& ref) {
      auto it = m.find(ref);
      return it != m.end() && it->second.typ.isEmpty() ? it->second.wartosc.toDouble() : std::nan("");
    };
    const double data = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2025, 10, 14))) + 10.0 / 24;
    const auto& odcinki = wyniki_[ostatni_].odcinki;
    const QString wTrendzie = QString::number(1 + wyniki_.size());
    QCOMPARE(Liczba9(liczba(trend, "B" + wTrendzie)), Liczba9(data));
    for (std::size_t i = 0; i < odcinki.size(); ++i) {
      const QString w = QString::number(i + 2);
      QCOMPARE(Liczba9(liczba(wyn, "K" + w)), Liczba9(*odcinki[i].fits.eta));
      QCOMPARE(Liczba9(liczba(wyn, "L" + w)), Liczba9(*odcinki[i].if97.eta));
      QCOMPARE(Liczba9(liczba(wyn, "N" + w)), Liczba9(odcinki[i].budzet->U95));
      QCOMPARE(Liczba9(liczba(wyn, "B" + w)), Liczba9(data));
      const QString kol(QChar('D' + static_cast<char>(3 * i)));
      QCOMPARE(Liczba9(liczba(trend, kol + wTrendzie)), Liczba9(*odcinki[i].fits.eta));
    }
  }

  void failedWriteKeepsTheOldFile_data() {
    QTest::addColumn<bool>("pdf");
    QTest::newRow("PDF") << true;
    QTest::newRow("XLSX") << false;
  }
  void failedWriteKeepsTheOldFile() {
    QFETCH(bool, pdf);
    QTemporaryDir folder;
    const QString plik = folder.filePath("stary");
    {
      QFile f(plik);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("poprzedni raport");
    }
    QString blad;
    bool ok = true;
    {
      kal::test::TylkoDoOdczytu ro(folder.path().toStdString());
      kal::test::BezPrzywilejow bp;
      ok =
          pdf ? kal::RaportPdf(d_, wyniki_, ostatni_, plik, blad) : kal::EksportXlsx(d_, wyniki_, ostatni_, plik, blad);
    }
    QVERIFY(!ok);
    QVERIFY2(blad.contains(plik) && blad.contains(QStringLiteral("brak uprawnień")), qPrintable(blad));
    QFile f(plik);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("poprzedni raport"));
  }
};

#include "test_turbina_raport.moc"

int RunTurbinaRaportTests(int argc, char** argv) {
  TestTurbinaRaport t;
  return QTest::qExec(&t, argc, argv);
}
