// The workbench's results table, budget, trend and expansion line through their real widgets,
// over the example turbine's campaigns.
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <cmath>

#include "common/number_text.h"
#include "gui/turbina_trend_widget.h"
#include "gui/turbina_wyniki.h"
#include "turbiny/czas.h"
#include "turbiny/dokument.h"

using namespace kal;
using namespace kal::turbiny;

namespace {

Dokument Przyklad() {
  // The compiler names this file relative to the folder it ran in, the test program's own.
  const QString zrodlo = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(__FILE__));
  QFile f(QFileInfo(zrodlo).dir().filePath(QStringLiteral("../../data/turbiny/tg4.json")));
  if (!f.open(QIODevice::ReadOnly)) return {};
  Dokument d = WczytajDokument(f.readAll().toStdString());
  // A hotter HP exhaust in the routine test: its drop is beyond the repeatability.
  d.kampanie[1].odczyty["WP_WYL"].t = *d.kampanie[1].odczyty["WP_WYL"].t + 4;
  // After an overhaul: the same readings later, and a refused section (no LP exhaust reading).
  Kampania k = d.kampanie[0];
  k.id = "2026-03-rem";
  k.data = "2026-03-02T08:00";
  k.rodzaj = RodzajKampanii::PoRemoncie;
  k.odczyty.erase("NP_WYL");
  d.kampanie.push_back(k);
  return d;
}

QString F(double v, const char* wzor) { return QString::fromStdString(Format(v, wzor, ',')); }

double Liczba(const QString& t) { return QString(t).replace(',', '.').toDouble(); }

}  // namespace

class TestTurbinaWyniki : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    d_ = Przyklad();
    QVERIFY(d_.kampanie.size() == 4);
    wyniki_ = ObliczWszystkie(d_);
  }

  void wynikiToLiczbySilnika() {
    WynikiWidget w;
    w.pokaz(wyniki_[1]);
    auto* t = w.findChild<QTableWidget*>(QStringLiteral("tabelaWynikow"));
    QVERIFY(t);
    QCOMPARE(t->rowCount(), 3);
    bool jakasIstotna = false;
    for (int r = 0; r < 3; ++r) {
      const WynikOdcinka& o = wyniki_[1].odcinki[static_cast<std::size_t>(r)];
      QVERIFY(o.fits.eta && o.if97.eta && o.budzet && o.dEtaBaza && o.istotne);
      const struct {
        int kolumna;
        QString tekst;
      } kTabela[] = {
          {1, F(o.fits.dhs, "0.0")},
          {2, F(*o.if97.dhs, "0.0")},
          {4, F(*o.fits.dh, "0.0")},
          {5, F(*o.if97.dh, "0.0")},
          {7, F(*o.fits.eta * 100, "0.00")},
          {8, F(*o.if97.eta * 100, "0.00")},
          {10, F(*o.fits.eta * 100, "0.00") + QString::fromUtf8(" ± ") + F(o.budzet->U95 * 100, "0.00")},
          {11, F(*o.etaProjekt * 100, "0.00")},
          {14, QString::fromStdString(*o.baza)},
          {15, F(o.dEtaBaza->fits * 100, "0.00")},
          {16, F(o.dEtaBaza->if97 * 100, "0.00")},
      };
      for (const auto& k : kTabela) QCOMPARE(t->item(r, k.kolumna)->text(), k.tekst);
      QVERIFY(t->item(r, 7)->text().contains(','));
      // Marked exactly where the difference is significant.
      for (auto [kolumna, istotna] : {std::pair{15, o.istotne->first}, std::pair{16, o.istotne->second}}) {
        QCOMPARE(t->item(r, kolumna)->font().bold(), istotna);
        jakasIstotna = jakasIstotna || istotna;
      }
    }
    QVERIFY(jakasIstotna);
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("legendaWynikow"))->text().contains(QString::fromUtf8("istotna")));
  }

  void odrzuconyOdcinekBezLiczb() {
    WynikiWidget w;
    w.pokaz(wyniki_[3]);
    auto* t = w.findChild<QTableWidget*>(QStringLiteral("tabelaWynikow"));
    const WynikOdcinka& np = wyniki_[3].odcinki[2];
    QVERIFY(!np.ok && !np.komunikat.empty());
    for (int c = 1; c < t->columnCount() - 1; ++c)
      QVERIFY2(!t->item(2, c)->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive) &&
                   !t->item(2, c)->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive),
               qPrintable(t->item(2, c)->text()));
    QCOMPARE(t->item(2, 7)->text(), QString::fromUtf8("—"));
    QCOMPARE(t->item(2, t->columnCount() - 1)->text(), QString::fromStdString(np.komunikat));
  }

  void budzetSumujeSieDoStu() {
    WynikiWidget w;
    w.pokaz(wyniki_[0]);
    auto* b = w.findChild<QTableWidget*>(QStringLiteral("tabelaBudzetu"));
    for (int r = 0; r < 3; ++r) {
      w.wybierzOdcinek(r);
      const Budzet& bu = *wyniki_[0].odcinki[static_cast<std::size_t>(r)].budzet;
      QCOMPARE(b->rowCount(), static_cast<int>(bu.skladniki.size()));
      double suma = 0, paski = 0;
      for (int i = 0; i < b->rowCount(); ++i) {
        QCOMPARE(b->item(i, 0)->text(), QString::fromStdString(bu.skladniki[static_cast<std::size_t>(i)].wejscie));
        suma += Liczba(b->item(i, 3)->text());
        paski += b->item(i, 4)->data(Qt::UserRole).toDouble();
      }
      QVERIFY2(std::abs(suma - 100) < 0.05 * b->rowCount(), qPrintable(QString::number(suma)));
      QVERIFY(std::abs(paski - 1) < 1e-9);
      QVERIFY(
          w.findChild<QLabel*>(QStringLiteral("dominujace"))->text().contains(QString::fromStdString(bu.dominujace)));
    }
  }

  void trendPunktNaKampanie() {
    TrendWidget w;
    w.resize(1000, 600);
    w.pokaz(d_, wyniki_);
    for (Formulacja f : {Formulacja::Fits, Formulacja::IF97}) {
      w.ustawFormulacje(f);
      QCOMPARE(w.serie().size(), std::size_t{3});
      for (std::size_t j = 0; j < 3; ++j) {
        const SeriaTrendu& s = w.serie()[j];
        // The after-overhaul campaign's LP section is refused: no point of it.
        const std::size_t n = j == 2 ? 3 : 4;
        QCOMPARE(s.punkty.size(), n);
        for (const PunktTrendu& p : s.punkty) {
          const WynikOdcinka& o = wyniki_[p.kampania].odcinki[j];
          QCOMPARE(p.czas, *SekundyZTekstu(d_.kampanie[p.kampania].data));
          QCOMPARE(p.eta, f == Formulacja::Fits ? *o.fits.eta : *o.if97.eta);
          QCOMPARE(p.U95, o.budzet->U95);
        }
        QCOMPARE(s.bazy.size(), j == 2 ? std::size_t{1} : std::size_t{2});
        QCOMPARE(s.bazy.front().id, std::string("2023-06-odb"));
        // The line on the chart: one point per campaign at its date.
        const QString nazwa = QString::fromStdString(s.odcinek);
        QLineSeries* linia = nullptr;
        QScatterSeries* remont = nullptr;
        for (QAbstractSeries* a : w.wykres()->series()) {
          if (a->name() == nazwa) linia = qobject_cast<QLineSeries*>(a);
          if (a->name() == nazwa + QString::fromUtf8(": po remoncie")) remont = qobject_cast<QScatterSeries*>(a);
        }
        QVERIFY(linia);
        QCOMPARE(linia->count(), static_cast<int>(n));
        for (int i = 0; i < linia->count(); ++i) QCOMPARE(linia->at(i).x(), MsOsiCzasu(s.punkty[std::size_t(i)].czas));
        QCOMPARE(remont != nullptr, j != 2);
        if (remont) QCOMPARE(remont->markerShape(), QScatterSeries::MarkerShapeTriangle);
      }
    }
    const QString opis = OpisPunktuTrendu(w.serie()[0], w.serie()[0].punkty[1], Formulacja::IF97);
    QVERIFY2(opis.contains(QStringLiteral("10.09.2024 09:30")) && opis.contains(QStringLiteral("U95 = ")) &&
                 opis.contains(F(w.serie()[0].punkty[1].eta * 100, "0.00")),
             qPrintable(opis));
  }

  void trendDoPlikow() {
    TrendWidget w;
    w.pokaz(d_, wyniki_);
    QTemporaryDir dir;
    QString blad;
    QVERIFY2(w.zapiszPng(dir.filePath(QStringLiteral("t.png")), blad), qPrintable(blad));
    QImage obraz(dir.filePath(QStringLiteral("t.png")));
    QVERIFY(!obraz.isNull() && obraz.width() >= 640);
    QVERIFY2(w.zapiszSvg(dir.filePath(QStringLiteral("t.svg")), blad), qPrintable(blad));
    QFile f(dir.filePath(QStringLiteral("t.svg")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QXmlStreamReader x(&f);
    QString teksty;
    bool korzen = false;
    while (!x.atEnd()) {
      x.readNext();
      if (x.isStartElement() && x.name() == QStringLiteral("svg")) korzen = true;
      if (x.isCharacters()) teksty += x.text();
    }
    QVERIFY2(!x.hasError(), qPrintable(x.errorString()));
    QVERIFY(korzen);
    // The axes with their units and decimal commas (a Greek letter comes as a text of its own).
    for (const char* t : {"i [%]", "data pomiaru", "90,0"}) QVERIFY2(teksty.contains(QString::fromUtf8(t)), t);
    QVERIFY(!w.zapiszPng(dir.filePath(QStringLiteral("brak/t.png")), blad));
    QVERIFY2(blad.contains(QStringLiteral("Nie zapisano")) && blad.contains(QStringLiteral("brak/t.png")),
             qPrintable(blad));
  }

  void liniaISOdcinkamiZPrzerwa() {
    LiniaISWidget w;
    w.pokaz(wyniki_[1], &wyniki_[0]);
    for (bool if97 : {false, true}) {
      w.findChild<QCheckBox*>(QStringLiteral("chkIF97"))->setChecked(if97);
      QCOMPARE(w.linie().size(), std::size_t{3});
      QCOMPARE(w.linieBazy().size(), std::size_t{3});
      const char* kId[][2] = {{"PS", "WP_WYL"}, {"PP", "SP_WYL"}, {"SP_WYL", "NP_WYL"}};
      for (std::size_t j = 0; j < 3; ++j) {
        const std::vector<PunktIS> l = w.linie()[j].lamana();
        QCOMPARE(l.size(), std::size_t{2});
        QCOMPARE(l[0].id, std::string(kId[j][0]));
        QCOMPARE(l[1].id, std::string(kId[j][1]));
        const WynikOdcinka& o = wyniki_[1].odcinki[j];
        QCOMPARE(l[1].h, if97 ? o.if97.rzeczywisty->h : double(o.fits.rzeczywisty->h));
        QVERIFY(w.okno().Zawiera(l[0].s, l[0].h) && w.okno().Zawiera(l[1].s, l[1].h));
      }
      // The reheat: the HP exhaust and the hot reheat inlet are different states, not joined.
      QVERIFY(std::abs(w.linie()[0].lamana()[1].h - w.linie()[1].lamana()[0].h) > 300);
    }
    QImage obraz(900, 600, QImage::Format_ARGB32);
    obraz.fill(Qt::white);
    QPainter p(&obraz);
    w.rysuj(p, QRectF(obraz.rect()));
    p.end();
    int linii = 0;  // pixels of the campaign's line colour
    for (int y = 0; y < obraz.height(); ++y)
      for (int x = 0; x < obraz.width(); ++x) linii += obraz.pixelColor(x, y) == QColor(200, 0, 120);
    QVERIFY2(linii > 300, qPrintable(QString::number(linii)));
  }

 private:
  Dokument d_;
  std::vector<WynikKampanii> wyniki_;
};

int RunTurbinaWynikiTests(int argc, char** argv) {
  TestTurbinaWyniki t;
  return QTest::qExec(&t, argc, argv);
}

#include "test_turbina_wyniki.moc"
