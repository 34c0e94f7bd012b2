#include "gui/turbina_trend_widget.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QTimeZone>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "gui/turbina_wyniki.h"
#include "gui/wykres_rysunek.h"

namespace kal {

using turbiny::Formulacja;
using turbiny::PunktTrendu;
using turbiny::RodzajKampanii;
using turbiny::SeriaTrendu;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString Procent(double v) { return std::isfinite(v) ? Q(Format(v * 100, "0.00", ',')) : QString::fromUtf8("—"); }

QString RodzajTekst(RodzajKampanii r) {
  switch (r) {
    case RodzajKampanii::Odbiorcze:
      return QStringLiteral("odbiorcze");
    case RodzajKampanii::PoRemoncie:
      return QStringLiteral("po remoncie");
    case RodzajKampanii::Okresowe:
      break;
  }
  return QStringLiteral("okresowe");
}

const QColor kKolory[] = {QColor(31, 100, 180), QColor(40, 150, 60),  QColor(220, 110, 20), QColor(150, 60, 170),
                          QColor(180, 40, 40),  QColor(20, 150, 150), QColor(120, 100, 30)};
QColor KolorOdcinka(std::size_t i) { return kKolory[i % (sizeof kKolory / sizeof kKolory[0])]; }

constexpr double kDzienMs = 86400e3;

// U95 bars: a vertical segment with caps per point, drawn over the plotting area at the series'
// own scale, so they follow the axes on every resize.
class SlupkiU95 : public QGraphicsItem {
 public:
  struct Slupek {
    double x, dol, gora;
  };
  SlupkiU95(QChart* c, QAbstractSeries* s, std::vector<Slupek> slupki, QColor kolor)
      : QGraphicsItem(c), chart_(c), seria_(s), slupki_(std::move(slupki)), kolor_(kolor) {
    setZValue(20);
    QObject::connect(c, &QChart::plotAreaChanged, c, [this](const QRectF&) { odswiez(); });
  }
  void odswiez() {
    prepareGeometryChange();
    update();
  }
  QRectF boundingRect() const override { return chart_->plotArea().adjusted(-6, -6, 6, 6); }
  void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
    if (!seria_->isVisible()) return;
    p->save();
    p->setClipRect(chart_->plotArea());
    p->setPen(QPen(kolor_, 1.2));
    for (const Slupek& s : slupki_) {
      const QPointF a = chart_->mapToPosition(QPointF(s.x, s.dol), seria_);
      const QPointF b = chart_->mapToPosition(QPointF(s.x, s.gora), seria_);
      p->drawLine(a, b);
      p->drawLine(a + QPointF(-4, 0), a + QPointF(4, 0));
      p->drawLine(b + QPointF(-4, 0), b + QPointF(4, 0));
    }
    p->restore();
  }

 private:
  QChart* chart_;
  QAbstractSeries* seria_;
  std::vector<Slupek> slupki_;
  QColor kolor_;
};

void UkryjWLegendzie(QChart* c, QAbstractSeries* s) {
  for (QLegendMarker* m : c->legend()->markers(s)) m->setVisible(false);
}

QString TekstLegendy() {
  return QString::fromUtf8(
      "● okresowe   ■ odbiorcze   ▲ po remoncie   │ słupki: ηi ± U95 (k = 2)   "
      "– – wartość projektowa   ─·─ ηi bazy, pasmo: ηi bazy ± U95 bazy (od badania bazowego do następnego)");
}

}  // namespace

QString OpisPunktuTrendu(const SeriaTrendu& s, const PunktTrendu& p, Formulacja f) {
  const QDateTime t = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(p.czas * 1000), QTimeZone::utc());
  return QString::fromUtf8("%1, %2 (%3, %4)\nηi = %5 % (%6)\nU95 = %7 %")
      .arg(Q(s.odcinek), t.toString(QStringLiteral("dd.MM.yyyy HH:mm")), Q(p.id), RodzajTekst(p.rodzaj), Procent(p.eta),
           f == Formulacja::Fits ? QStringLiteral("dopasowania") : QStringLiteral("IF97"), Procent(p.U95));
}

double MsOsiCzasu(double sekundy) {
  const QDateTime utc =
      QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(sekundy * 1000)), QTimeZone::utc());
  return static_cast<double>(QDateTime(utc.date(), utc.time()).toMSecsSinceEpoch());
}

TrendWidget::TrendWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("trend"));
  auto* v = new QVBoxLayout(this);
  auto* gora = new QHBoxLayout;
  gora->addWidget(new QLabel(QString::fromUtf8("Sprawność według:"), this));
  wybor_ = new QComboBox(this);
  wybor_->setObjectName(QStringLiteral("wyborFormulacji"));
  wybor_->addItems({QStringLiteral("Dopasowania"), QStringLiteral("IF97")});
  gora->addWidget(wybor_);
  gora->addSpacing(16);
  gora->addWidget(new QLabel(QStringLiteral("Odcinek:"), this));
  wyborOdcinka_ = new QComboBox(this);
  wyborOdcinka_->setObjectName(QStringLiteral("wyborOdcinka"));
  wyborOdcinka_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  gora->addWidget(wyborOdcinka_);
  gora->addStretch(1);
  v->addLayout(gora);
  widok_ = new QChartView(this);
  widok_->setObjectName(QStringLiteral("widokTrendu"));
  widok_->setRenderHint(QPainter::Antialiasing);
  widok_->setMinimumSize(520, 320);
  v->addWidget(widok_, 1);
  legenda_ = new QLabel(TekstLegendy(), this);
  legenda_->setObjectName(QStringLiteral("legendaTrendu"));
  legenda_->setWordWrap(true);
  v->addWidget(legenda_);
  connect(wybor_, &QComboBox::currentIndexChanged, this,
          [this](int i) { ustawFormulacje(i == 1 ? Formulacja::IF97 : Formulacja::Fits); });
  connect(wyborOdcinka_, &QComboBox::currentIndexChanged, this, [this](int i) { ustawOdcinek(i - 1); });
  odswiez();
}

TrendWidget::~TrendWidget() = default;

void TrendWidget::pokaz(const turbiny::Dokument& d, const std::vector<turbiny::WynikKampanii>& wyniki) {
  dokument_ = d;
  wyniki_ = wyniki;
  {
    const QSignalBlocker blok(wyborOdcinka_);
    wyborOdcinka_->clear();
    wyborOdcinka_->addItem(QStringLiteral("wszystkie"));
    for (const turbiny::Odcinek& o : d.turbina.odcinki) wyborOdcinka_->addItem(Q(o.nazwa));
    if (odcinek_ >= static_cast<int>(d.turbina.odcinki.size())) odcinek_ = -1;
    wyborOdcinka_->setCurrentIndex(odcinek_ + 1);
  }
  odswiez();
}

void TrendWidget::ustawOdcinek(int indeks) {
  odcinek_ = indeks >= 0 && indeks < static_cast<int>(dokument_.turbina.odcinki.size()) ? indeks : -1;
  if (wyborOdcinka_->currentIndex() != odcinek_ + 1) {
    const QSignalBlocker blok(wyborOdcinka_);
    wyborOdcinka_->setCurrentIndex(odcinek_ + 1);
  }
  odswiez();
}

void TrendWidget::ustawFormulacje(Formulacja f) {
  formulacja_ = f;
  const int i = f == Formulacja::IF97 ? 1 : 0;
  if (wybor_->currentIndex() != i) {
    const QSignalBlocker blok(wybor_);
    wybor_->setCurrentIndex(i);
  }
  odswiez();
}

void TrendWidget::odswiez() {
  serie_ = turbiny::SerieTrendu(dokument_, wyniki_, formulacja_);
  QChart* stary = chart_;
  chart_ = zbuduj(true);
  widok_->setChart(chart_);
  delete stary;
}

QChart* TrendWidget::zbuduj(bool ekran) {
  auto* c = new QChart;
  c->setLocalizeNumbers(true);
  c->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
  c->legend()->setAlignment(Qt::AlignTop);
  c->setMargins(QMargins(6, 6, 10, 6));
  c->setBackgroundRoundness(0);
  auto* osX = new QDateTimeAxis;
  osX->setFormat(QStringLiteral("MM.yyyy"));
  osX->setTitleText(QStringLiteral("data pomiaru"));
  auto* osY = new QValueAxis;
  osY->setTitleText(QString::fromUtf8("ηi [%]"));
  osY->setLabelFormat(QStringLiteral("%.1f"));
  c->addAxis(osX, Qt::AlignBottom);
  c->addAxis(osY, Qt::AlignLeft);

  double xMin = 1e300, xMax = -1e300, yMin = 1e300, yMax = -1e300;
  auto pokazany = [this](std::size_t j) { return odcinek_ < 0 || static_cast<std::size_t>(odcinek_) == j; };
  for (std::size_t j = 0; j < serie_.size(); ++j)
    for (const PunktTrendu& p : serie_[j].punkty) {
      if (!pokazany(j)) continue;
      const double x = MsOsiCzasu(p.czas);
      xMin = std::min(xMin, x), xMax = std::max(xMax, x);
    }
  const bool puste = xMin > xMax;
  if (puste) {
    const double teraz = static_cast<double>(QDateTime::currentDateTime().toMSecsSinceEpoch());
    xMin = teraz - 180 * kDzienMs, xMax = teraz + 180 * kDzienMs;
    c->setTitle(QString::fromUtf8("Brak pomiarów ze sprawnością do pokazania"));
  }
  const double margines = std::max((xMax - xMin) * 0.05, 30 * kDzienMs);
  const double x0 = xMin - margines, x1 = xMax + margines;
  auto dolacz = [&](QAbstractSeries* s, bool wLegendzie) {
    c->addSeries(s);
    s->attachAxis(osX);
    s->attachAxis(osY);
    if (!wLegendzie) UkryjWLegendzie(c, s);
  };
  auto y = [&](double v) {
    yMin = std::min(yMin, v), yMax = std::max(yMax, v);
    return v;
  };

  for (std::size_t j = 0; j < serie_.size(); ++j) {
    if (!pokazany(j)) continue;
    const SeriaTrendu& s = serie_[j];
    const QColor kolor = KolorOdcinka(j);
    // The baselines' band under everything else: one stepped band per section, each baseline
    // holding from its own test to the next one's.
    if (!s.bazy.empty()) {
      auto* gora = new QLineSeries;
      auto* dol = new QLineSeries;
      auto* wartosc = new QLineSeries;
      for (const turbiny::OkresBazy& b : s.bazy) {
        const double a = MsOsiCzasu(b.od);
        const double e = b.doCzasu > b.od ? MsOsiCzasu(b.doCzasu) : x1;
        for (double x : {a, e}) {
          gora->append(x, y((b.eta + b.U95) * 100));
          dol->append(x, y((b.eta - b.U95) * 100));
          wartosc->append(x, b.eta * 100);
        }
      }
      auto* pasmo = new QAreaSeries(gora, dol);
      QColor wypelnienie = kolor;
      wypelnienie.setAlpha(30);
      pasmo->setBrush(wypelnienie);
      pasmo->setPen(Qt::NoPen);
      pasmo->setName(QString::fromUtf8("%1: pasmo bazy").arg(Q(s.odcinek)));
      dolacz(pasmo, false);
      wartosc->setName(QString::fromUtf8("%1: baza").arg(Q(s.odcinek)));
      wartosc->setPen(QPen(kolor, 1.2, Qt::DashDotLine));
      dolacz(wartosc, false);
    }
    if (s.etaProjekt && std::isfinite(*s.etaProjekt)) {
      auto* projekt = new QLineSeries;
      projekt->setName(QString::fromUtf8("%1: projekt").arg(Q(s.odcinek)));
      projekt->append(x0, y(*s.etaProjekt * 100));
      projekt->append(x1, *s.etaProjekt * 100);
      projekt->setPen(QPen(kolor, 1.4, Qt::DashLine));
      dolacz(projekt, false);
    }
    auto* linia = new QLineSeries;
    linia->setName(Q(s.odcinek));
    linia->setPen(QPen(kolor, 1.6));
    std::vector<SlupkiU95::Slupek> slupki;
    for (const PunktTrendu& p : s.punkty) {
      const double x = MsOsiCzasu(p.czas);
      linia->append(x, p.eta * 100);
      slupki.push_back({x, y((p.eta - p.U95) * 100), y((p.eta + p.U95) * 100)});
    }
    dolacz(linia, true);
    new SlupkiU95(c, linia, std::move(slupki), kolor);
    // One marker series per kind of campaign: after an overhaul a triangle, acceptance a square.
    const std::pair<RodzajKampanii, QScatterSeries::MarkerShape> znaki[] = {
        {RodzajKampanii::Okresowe, QScatterSeries::MarkerShapeCircle},
        {RodzajKampanii::Odbiorcze, QScatterSeries::MarkerShapeRectangle},
        {RodzajKampanii::PoRemoncie, QScatterSeries::MarkerShapeTriangle}};
    for (const auto& [rodzaj, ksztalt] : znaki) {
      auto* znak = new QScatterSeries;
      znak->setName(QString::fromUtf8("%1: %2").arg(Q(s.odcinek), RodzajTekst(rodzaj)));
      znak->setMarkerShape(ksztalt);
      znak->setMarkerSize(rodzaj == RodzajKampanii::Okresowe ? 8 : 12);
      znak->setColor(rodzaj == RodzajKampanii::Okresowe ? kolor : kolor.darker(140));
      znak->setBorderColor(rodzaj == RodzajKampanii::PoRemoncie ? QColor(Qt::black) : kolor.darker(160));
      znak->setProperty("rodzaj", static_cast<int>(rodzaj));
      std::vector<std::size_t> ktore;
      for (std::size_t i = 0; i < s.punkty.size(); ++i)
        if (s.punkty[i].rodzaj == rodzaj) {
          znak->append(MsOsiCzasu(s.punkty[i].czas), s.punkty[i].eta * 100);
          ktore.push_back(i);
        }
      if (znak->count() == 0) {
        delete znak;
        continue;
      }
      dolacz(znak, false);
      if (ekran)
        connect(znak, &QScatterSeries::hovered, this, [this, j, ktore](const QPointF& q, bool nad) {
          if (!nad) {
            QToolTip::hideText();
            return;
          }
          if (j >= serie_.size()) return;
          const SeriaTrendu& sj = serie_[j];
          // The nearest of this marker series' points.
          std::size_t best = ktore.front();
          double d = 1e300;
          for (std::size_t i : ktore) {
            const double di = std::abs(MsOsiCzasu(sj.punkty[i].czas) - q.x());
            if (di < d) d = di, best = i;
          }
          QToolTip::showText(QCursor::pos(), OpisPunktuTrendu(sj, sj.punkty[best], formulacja_), widok_);
        });
    }
  }
  if (yMin > yMax) yMin = 80, yMax = 95;
  const double zapas = std::max((yMax - yMin) * 0.08, 0.5);
  osX->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x0)),
                QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x1)));
  osX->setTickCount(7);
  osY->setRange(std::floor((yMin - zapas) * 2) / 2, std::ceil((yMax + zapas) * 2) / 2);
  osY->applyNiceNumbers();
  if (!puste)
    c->setTitle(QString::fromUtf8("Sprawność wewnętrzna odcinków — %1")
                    .arg(formulacja_ == Formulacja::Fits ? QStringLiteral("dopasowania") : QStringLiteral("IF97")));
  return c;
}

void TrendWidget::rysujDoObrazu(QPainter& p, const QRectF& rect) {
  // A chart of its own at the page's size, so the screen's chart keeps its size and state.
  QGraphicsScene scena;
  QChart* c = zbuduj(false);
  scena.addItem(c);
  const double dolLegendy = 40;
  const QRectF obszar(0, 0, rect.width(), std::max(50.0, rect.height() - dolLegendy));
  c->setGeometry(obszar);
  if (c->layout()) c->layout()->activate();
  scena.setSceneRect(obszar);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect, Qt::white);
  scena.render(&p, QRectF(rect.topLeft(), obszar.size()), obszar);
  QFont f = p.font();
  f.setPointSizeF(8);
  p.setFont(f);
  p.setPen(Qt::black);
  p.drawText(QRectF(rect.left() + 8, rect.top() + obszar.height() + 2, rect.width() - 16, dolLegendy - 4),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, TekstLegendy());
  p.restore();
}

void TrendWidget::rysuj(QPainter& p, const QRectF& rect) { rysujDoObrazu(p, rect); }

namespace {

bool Zapisz(const QString& path, const QByteArray& dane, QString& blad, const char* zrodlo) {
  try {
    ZapiszPlikBezpiecznie(path.toStdString(), dane.toStdString(), false, zrodlo);
    return true;
  } catch (const RunTimeError& e) {
    blad =
        QString::fromUtf8("Nie zapisano wykresu trendu: %1 (%2).").arg(Q(e.description), Q(PowodBledu(e.lastDllError)));
    return false;
  }
}

QSize RozmiarEksportu(const QWidget* w) {
  const QSize s = w->size();
  return s.width() >= 640 && s.height() >= 400 ? s : QSize(1200, 700);
}

}  // namespace

bool TrendWidget::zapiszPng(const QString& path, QString& blad) {
  QImage obraz(RozmiarEksportu(widok_), QImage::Format_ARGB32);
  obraz.fill(Qt::white);
  {
    QPainter p(&obraz);
    rysujDoObrazu(p, QRectF(obraz.rect()));
  }
  QByteArray dane;
  QBuffer bufor(&dane);
  bufor.open(QIODevice::WriteOnly);
  if (!obraz.save(&bufor, "PNG")) {
    blad = QString::fromUtf8("Nie zapisano wykresu trendu: obrazu PNG nie udało się utworzyć.");
    return false;
  }
  return Zapisz(path, dane, blad, "TrendWidget.zapiszPng");
}

bool TrendWidget::zapiszSvg(const QString& path, QString& blad) {
  const QSize rozmiar = RozmiarEksportu(widok_);
  const QByteArray dane = ObrazSvg(rozmiar, QString::fromUtf8("Trend sprawności wewnętrznej"),
                                   [&](QPainter& p) { rysujDoObrazu(p, QRectF(QPointF(0, 0), QSizeF(rozmiar))); });
  if (dane.isEmpty()) {
    blad = QString::fromUtf8("Nie zapisano wykresu trendu: obrazu SVG nie udało się utworzyć.");
    return false;
  }
  return Zapisz(path, dane, blad, "TrendWidget.zapiszSvg");
}

}  // namespace kal
