#include "gui/wykres_is_window.h"

#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QRubberBand>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "gui/qt_dialogs.h"
#include "gui/wykres_rysunek.h"

namespace kal {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Where along its visible length a label of each kind sits (as a printed chart places them:
// isobars near their top, isotherms at the right, dryness lines low).
double MiejsceEtykiety(RodzajLinii r) {
  switch (r) {
    case RodzajLinii::Izobara:
      return 0.82;
    case RodzajLinii::Izoterma:
      return 0.12;
    case RodzajLinii::Suchosc:
      return 0.2;
    default:
      return 0.5;
  }
}

using Mapa = MapaIS;

// The part of segment a-b inside r (Liang-Barsky); false when none.
bool Przytnij(QPointF& a, QPointF& b, const QRectF& r) {
  double t0 = 0, t1 = 1;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    if (p[i] > 0) t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  const QPointF d(dx, dy);
  b = a + d * t1;
  a = a + d * t0;
  return true;
}

// The runs of a polyline inside r.
std::vector<QPolygonF> Przetnij(const QPolygonF& pl, const QRectF& r) {
  std::vector<QPolygonF> runs;
  QPolygonF biezacy;
  for (int i = 1; i < pl.size(); ++i) {
    QPointF a = pl[i - 1], b = pl[i];
    if (!Przytnij(a, b, r)) continue;
    if (biezacy.isEmpty() || biezacy.back() != a) {
      if (biezacy.size() >= 2) runs.push_back(biezacy);
      biezacy = QPolygonF{a};
    }
    biezacy << b;
    if (b != pl[i]) {  // leaves r: the run ends here
      runs.push_back(biezacy);
      biezacy.clear();
    }
  }
  if (biezacy.size() >= 2) runs.push_back(biezacy);
  return runs;
}

// A label along a polyline, upright, on a light halo so lines under it do not hide it. Greedy:
// the first place near the preferred one that overlaps no label already placed; none, no label.
bool EtykietaNaLinii(QPainter& p, const QPolygonF& pl, double gdzie, const QString& tekst, const QColor& c,
                     const QRectF& a, std::vector<QRectF>& zajete) {
  // On the longest run clear of the area's edges; a line that only crosses the view (deep
  // zoom) has its label too.
  QPolygonF v;
  double dl = 0;
  for (const QPolygonF& run : Przetnij(pl, a.adjusted(30, 12, -30, -12))) {
    double len = 0;
    for (int i = 1; i < run.size(); ++i) len += QLineF(run[i - 1], run[i]).length();
    if (len > dl) dl = len, v = run;
  }
  if (dl < 60) return false;
  for (int k = 0; k <= 10; ++k) {
    const double przes = (k + 1) / 2 * 0.07 * (k % 2 ? -1 : 1);
    const double g = gdzie + przes;
    if (g < 0.03 || g > 0.97) continue;
    QPointF m;
    double kat = 0;
    if (!MiejsceNaLinii(v, g, &m, &kat)) return false;
    if (PostawEtykiete(p, m, kat, tekst, c, zajete)) return true;
  }
  return false;
}

// The runs of a line as the painter gets them: cut to the plotting area with a small margin,
// so that however deep the zoom, the painter strokes and dashes only what can be seen.
constexpr double kMarginesPx = 4;
std::vector<QPolygonF> Widoczne(const Mapa& m, const std::vector<PunktLinii>& odc) {
  QPolygonF pl;
  for (const PunktLinii& q : odc) pl << m(q.s, q.h);
  return Przetnij(pl, m.a.adjusted(-kMarginesPx, -kMarginesPx, kMarginesPx, kMarginesPx));
}

void RysujLinie(QPainter& p, const Mapa& m, const Linia& l, const QPen& pen, const QString& etykieta,
                std::vector<QRectF>& zajete, WykresWidget::Slad& slad) {
  p.setPen(pen);
  // The label goes on the longest visible run.
  QPolygonF bestPl;
  double bestLen = 0;
  for (const auto& odc : l.odcinki) {
    for (const QPolygonF& pl : Widoczne(m, odc)) {
      p.drawPolyline(pl);
      slad.wierzcholki += pl.size();
      double len = 0;
      for (int i = 0; i < pl.size(); ++i) {
        const QPointF& q = pl[i];
        slad.poza =
            std::max({slad.poza, m.a.left() - q.x(), q.x() - m.a.right(), m.a.top() - q.y(), q.y() - m.a.bottom()});
        if (i > 0) len += QLineF(pl[i - 1], q).length();
      }
      if (len > bestLen) bestLen = len, bestPl = pl;
    }
  }
  if (etykieta.isEmpty() || bestLen <= 0) return;
  slad.etykiety +=
      EtykietaNaLinii(p, bestPl, MiejsceEtykiety(l.rodzaj), etykieta, pen.color().darker(130), m.a, zajete);
}

// Grid steps of 1, 2 or 5 times a power of ten, at least `minPx` apart over `px` pixels; the
// decimals a label needs go to `miejsca`.
double KrokPodzialki(double span, double px, double minPx, int* miejsca) {
  const double surowy = span * minPx / std::max(px, 1.0);
  *miejsca = 0;
  if (!std::isfinite(surowy) || surowy <= 0) return 0;  // no view: no grid
  double krok = std::pow(10.0, std::floor(std::log10(surowy)));
  for (int i = 0; i < 3 && krok < surowy; ++i) krok *= i == 1 ? 2.5 : 2;  // 1, 2, 5, 10
  *miejsca = std::max(0, static_cast<int>(std::ceil(-std::log10(krok) - 1e-9)));
  return krok;
}

std::string WzorPodzialki(int miejsca) {
  return miejsca > 0 ? "0." + std::string(static_cast<std::size_t>(miejsca), '0') : "0";
}

// The closest view: a few steps of the fits' single precision across it.
constexpr double kMinSpanS = 1e-4, kMinSpanH = 0.1;

// The overlay of IF97 in one colour of its own, apart from every colour of the chart.
const QColor kKolorNakladki(0, 150, 160);

}  // namespace

WykresWidget::WykresWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("wykres"));
  setMouseTracking(true);
  setMinimumSize(480, 360);
  setCursor(Qt::CrossCursor);
  gumka_ = new QRubberBand(QRubberBand::Rectangle, this);
  spoczynek_ = new QTimer(this);
  spoczynek_->setSingleShot(true);
  spoczynek_->setInterval(150);
  connect(spoczynek_, &QTimer::timeout, this, [this] { emit spoczynek(spoczynekS_, spoczynekH_); });
}

void WykresWidget::ustaw(const FrmWykresIS* model, float kodJednP, char decimalSep) {
  const bool pierwszy = model_ == nullptr;
  model_ = model;
  kodJednP_ = kodJednP;
  sep_ = decimalSep;
  if (pierwszy && model_) widok_ = model_->widok;
  update();
}

// Room on the left for the enthalpy's labels at the closest view ("2 579,125") and the axis title.
QRectF WykresWidget::obszar(const QRect& r) const { return QRectF(r).adjusted(74, 14, -16, -42); }

void WykresWidget::pokazCaly() {
  if (model_) widok_ = model_->widok;
  update();
}

void WykresWidget::przybliz(const QRectF& px) {
  const Mapa m{obszar(rect()), widok_};
  const QRectF r = px.normalized();
  if (r.width() < 8 || r.height() < 8) return;  // a click, not a rectangle
  ustawWidok(Okno{m.S(r.left()), m.S(r.right()), m.H(r.bottom()), m.H(r.top())});
}

void WykresWidget::ustawWidok(Okno o) {
  // The fits give s and h in single precision: a closer view would show their steps, no more.
  auto rozszerz = [](double& lo, double& hi, double min) {
    if (hi - lo >= min) return;
    const double c = (lo + hi) / 2;
    lo = c - min / 2;
    hi = c + min / 2;
  };
  rozszerz(o.sMin, o.sMax, kMinSpanS);
  rozszerz(o.hMin, o.hMax, kMinSpanH);
  widok_ = o;
  update();
}

void WykresWidget::przybliz(QPointF px, double k) {
  const Mapa m{obszar(rect()), widok_};
  const double s = m.S(px.x()), h = m.H(px.y());
  // At the closest view the point under the mouse stays where it is.
  const double ks = std::max(k, kMinSpanS / (widok_.sMax - widok_.sMin));
  const double kh = std::max(k, kMinSpanH / (widok_.hMax - widok_.hMin));
  Okno o{s - (s - widok_.sMin) * ks, s + (widok_.sMax - s) * ks, h - (h - widok_.hMin) * kh,
         h + (widok_.hMax - h) * kh};
  // No further out than the whole chart.
  const Okno caly = model_ ? model_->widok : Okno{};
  if (o.sMax - o.sMin >= caly.sMax - caly.sMin || o.hMax - o.hMin >= caly.hMax - caly.hMin) {
    o = caly;
  } else {
    const double ds = std::max(0.0, caly.sMin - o.sMin) - std::max(0.0, o.sMax - caly.sMax);
    const double dh = std::max(0.0, caly.hMin - o.hMin) - std::max(0.0, o.hMax - caly.hMax);
    o.sMin += ds, o.sMax += ds, o.hMin += dh, o.hMax += dh;
  }
  ustawWidok(o);
}

void WykresWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  rysuj(p, rect());
}

void WykresWidget::rysuj(QPainter& p, const QRect& r) const {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(r, Qt::white);
  const Mapa m{obszar(r), widok_};
  QFont f = p.font();
  f.setPointSizeF(8.5);
  p.setFont(f);

  // Grid and axes: entropy across, enthalpy up, labelled at any zoom.
  ++slad_.rysowania;
  slad_.wierzcholki = 0;
  slad_.poza = 0;
  slad_.etykiety = 0;
  slad_.osS.clear();
  slad_.osH.clear();
  int msc = 0, mh = 0;
  const double ds = KrokPodzialki(widok_.sMax - widok_.sMin, m.a.width(), 64, &msc);
  const double dh = KrokPodzialki(widok_.hMax - widok_.hMin, m.a.height(), 28, &mh);
  p.setPen(QPen(QColor(225, 225, 225), 0));
  // The step keeps a few dozen lines at most; the pass limit guards a broken view.
  const double s0 = ds > 0 ? std::ceil(widok_.sMin / ds) : 0;
  for (int i = 0; ds > 0 && i < 200 && (s0 + i) * ds <= widok_.sMax + ds * 1e-9; ++i) {
    const double s = (s0 + i) * ds;
    p.drawLine(m(s, widok_.hMin), m(s, widok_.hMax));
    const QString tekst = Q(Format(s, WzorPodzialki(msc), sep_));
    const double pol = p.fontMetrics().horizontalAdvance(tekst) / 2.0 + 1;
    const double x = m(s, widok_.hMin).x();
    if (x - pol < r.left() || x + pol > r.right()) continue;  // a label cut by the edge tells nothing
    slad_.osS << tekst;
    p.save();
    p.setPen(Qt::black);
    p.drawText(QRectF(x - pol, m.a.bottom() + 3, 2 * pol, 16), Qt::AlignCenter, tekst);
    p.restore();
  }
  const double h0 = dh > 0 ? std::ceil(widok_.hMin / dh) : 0;
  for (int i = 0; dh > 0 && i < 200 && (h0 + i) * dh <= widok_.hMax + dh * 1e-9; ++i) {
    const double h = (h0 + i) * dh;
    p.drawLine(m(widok_.sMin, h), m(widok_.sMax, h));
    slad_.osH << Q(Format(h, WzorPodzialki(mh), sep_));
    p.save();
    p.setPen(Qt::black);
    p.drawText(QRectF(r.left(), m(widok_.sMin, h).y() - 8, m.a.left() - r.left() - 4, 16),
               Qt::AlignRight | Qt::AlignVCenter, slad_.osH.back());
    p.restore();
  }
  TytulyOsiIRamka(p, r, m, 20, QString::fromUtf8("s [kJ/(kg K)]"));
  if (model_ && model_->wykres) {
    const Rozprezanie& e = model_->rozprezanie;
    const bool maWlot = e.izentropa || !model_->wyniki[0].empty();
    // The points' names are placed first: the lines' labels keep clear of them.
    std::vector<QRectF> zajete;
    auto zajmij = [&](const Punkt& q) { zajete.push_back(QRectF(m(q.s, q.h) + QPointF(-6, -20), QSizeF(40, 26))); };
    if (maWlot) zajmij(e.wlot);
    if (e.izentropa) zajmij(*e.izentropa);
    if (e.rzeczywisty) zajmij(*e.rzeczywisty);
    for (const Nakladka& n : model_->nakladki)
      for (const Nakladka::Znak& z : n.punkty) zajete.push_back(QRectF(m(z.s, z.h) + QPointF(-4, -4), QSizeF(36, 22)));
    // The points' own isobars under the chart's lines, so their labels stay readable.
    // The exhaust isobar (the last one) carries its pressure.
    for (const Linia& l : model_->izobaryPunktow) {
      const bool wylot = &l == &model_->izobaryPunktow.back() && model_->izobaryPunktow.size() > 1;
      RysujLinie(p, m, l, QPen(QColor(30, 80, 190, 140), 2.2), wylot ? Q(Etykieta(l, kodJednP_, sep_)) : QString(),
                 zajete, slad_);
    }
    for (const Linia& l : model_->wykres->linie) {
      const bool nas = l.rodzaj == RodzajLinii::Nasycenie || l.rodzaj == RodzajLinii::Woda;
      QPen pen(KolorLinii(l.rodzaj), nas ? 1.8 : 0.9);
      if (l.rodzaj == RodzajLinii::Suchosc) pen.setStyle(Qt::DashLine);
      RysujLinie(p, m, l, pen, Q(Etykieta(l, kodJednP_, sep_)), zajete, slad_);
    }
    for (const Nakladka& n : model_->nakladki) {
      for (const Linia& l : n.linie) {
        const bool nas = l.rodzaj == RodzajLinii::Nasycenie || l.rodzaj == RodzajLinii::Woda;
        RysujLinie(p, m, l, QPen(kKolorNakladki, nas ? 1.4 : 1.8, nas ? Qt::DashLine : Qt::SolidLine),
                   l.rodzaj == RodzajLinii::Nasycenie ? Q(n.nazwa) : QString(), zajete, slad_);
      }
      for (const Nakladka::Znak& z : n.punkty) {
        p.setPen(QPen(kKolorNakladki.darker(120), 1.4));
        p.drawRect(QRectF(m(z.s, z.h) - QPointF(3.5, 3.5), QSizeF(7, 7)));
        p.drawText(m(z.s, z.h) + QPointF(7, 14), Q(z.etykieta));
      }
    }
    // The expansion: 1 -> 2s dashed, 1 -> 2 solid, the points with their names.
    auto punkt = [&](const Punkt& q, const QString& nazwa, const QColor& c) {
      const QPointF at = m(q.s, q.h);
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(c);
      p.drawEllipse(at, 4.5, 4.5);
      p.setBrush(Qt::NoBrush);
      QFont b = p.font();
      b.setBold(true);
      p.save();
      p.setFont(b);
      const QRectF t(at + QPointF(8, -18), QSizeF(30, 16));
      p.fillRect(t.adjusted(-1, 0, 0, 0)
                     .intersected(QRectF(t.topLeft(), QSizeF(p.fontMetrics().horizontalAdvance(nazwa) + 3, 16))),
                 QColor(255, 255, 255, 200));
      p.drawText(t, Qt::AlignLeft | Qt::AlignVCenter, nazwa);
      p.restore();
    };
    auto odcinek = [&](const Punkt& a, const Punkt& b) {
      QPointF pa = m(a.s, a.h), pb = m(b.s, b.h);
      if (Przytnij(pa, pb, m.a.adjusted(-kMarginesPx, -kMarginesPx, kMarginesPx, kMarginesPx))) p.drawLine(pa, pb);
    };
    if (e.izentropa) {
      p.setPen(QPen(QColor(90, 90, 90), 1.6, Qt::DashLine));
      odcinek(e.wlot, *e.izentropa);
    }
    if (e.rzeczywisty) {
      p.setPen(QPen(QColor(200, 0, 120), 2.4));
      odcinek(e.wlot, *e.rzeczywisty);
    }
    if (maWlot) punkt(e.wlot, QStringLiteral("1"), QColor(255, 200, 0));
    if (e.izentropa) punkt(*e.izentropa, QStringLiteral("2s"), QColor(160, 160, 160));
    if (e.rzeczywisty) punkt(*e.rzeczywisty, QStringLiteral("2"), QColor(200, 0, 120));
  }
  p.restore();
}

void WykresWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  start_ = e->position().toPoint();
  gumka_->setGeometry(QRect(start_, QSize()));
  gumka_->show();
}

void WykresWidget::mouseMoveEvent(QMouseEvent* e) {
  const Mapa m{obszar(rect()), widok_};
  const QPointF at = e->position();
  if (gumka_->isVisible()) gumka_->setGeometry(QRect(start_, at.toPoint()).normalized());
  if (m.a.contains(at)) {
    emit odczyt(QString::fromUtf8("s = %1 kJ/(kg K)    h = %2 kJ/kg")
                    .arg(Q(Format(m.S(at.x()), "0.000", sep_)), Q(Format(m.H(at.y()), "# ##0.0", sep_))));
    // p and t take a solver run: asked for only once the mouse rests.
    spoczynekS_ = m.S(at.x());
    spoczynekH_ = m.H(at.y());
    spoczynek_->start();
  } else {
    spoczynek_->stop();
    emit odczyt(QString());
  }
}

void WykresWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (!gumka_->isVisible()) return;
  gumka_->hide();
  przybliz(QRectF(start_, e->position()));
}

void WykresWidget::wheelEvent(QWheelEvent* e) {
  const double kroki = e->angleDelta().y() / 120.0;
  if (kroki == 0) return;
  przybliz(e->position(), std::pow(0.8, kroki));
}

WykresISWindow::WykresISWindow(Dialogs& dialogs, QWidget* parent) : QWidget(parent, Qt::Window), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmWykresIS"));
  auto* outer = new QHBoxLayout(this);
  wykres_ = new WykresWidget(this);
  outer->addWidget(wykres_, 1);

  auto* panel = new QVBoxLayout;
  outer->addLayout(panel);
  auto* dane = new QGroupBox(QString::fromUtf8("Rozprężanie"), this);
  auto* g = new QGridLayout(dane);
  auto pole = [this](const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setMaximumWidth(110);
    return e;
  };
  txtP2_ = pole("txtP2");
  txtT2_ = pole("txtT2");
  txtEta_ = pole("txtEta");
  optT2_ = new QRadioButton(QString::fromUtf8("t2 [°C]"), dane);
  optT2_->setObjectName(QStringLiteral("optT2"));
  optEta_ = new QRadioButton(QString::fromUtf8("ηi [%]"), dane);
  optEta_->setObjectName(QStringLiteral("optEta"));
  g->addWidget(new QLabel(QString::fromUtf8("p2 [kPa]"), dane), 0, 0);
  g->addWidget(txtP2_, 0, 1);
  g->addWidget(optT2_, 1, 0);
  g->addWidget(txtT2_, 1, 1);
  g->addWidget(optEta_, 2, 0);
  g->addWidget(txtEta_, 2, 1);
  auto* oblicz = new QPushButton(QStringLiteral("Oblicz"), dane);
  oblicz->setObjectName(QStringLiteral("cmdObliczIS"));
  g->addWidget(oblicz, 3, 0, 1, 2);

  chkIF97_ = new QCheckBox(QString::fromUtf8("IAPWS-IF97"), dane);
  chkIF97_->setObjectName(QStringLiteral("chkIF97"));
  chkIF97_->setToolTip(QString::fromUtf8("To samo rozprężanie wg IAPWS-IF97 na wykresie i w wynikach"));
  g->addWidget(chkIF97_, 4, 0, 1, 2);
  panel->addWidget(dane);

  auto* wyniki = new QGroupBox(QString::fromUtf8("Wyniki"), this);
  auto* gw = new QGridLayout(wyniki);
  auto liczba = [wyniki](const QString& name) {
    auto* l = new QLabel(wyniki);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(64);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
  };
  for (int i = 0; i < 11; ++i) {
    gw->addWidget(new QLabel(QString::fromUtf8(kWynikiIS[i]), wyniki), i + 1, 0);
    wynik_[i] = liczba(QStringLiteral("lblWynik_%1").arg(i));
    wynik_[i]->setMinimumWidth(80);
    gw->addWidget(wynik_[i], i + 1, 1);
    gw->addWidget(new QLabel(QString::fromUtf8(kJednostkiIS[i]), wyniki), i + 1, 2);
  }
  // The columns of the overlays (IF97, difference), aligned with the rows; hidden without them.
  for (std::size_t k = 0; k < kolumny_.size(); ++k) {
    for (std::size_t i = 0; i < kolumny_[k].size(); ++i) {
      QLabel* l = liczba(QStringLiteral("lblNakladka_%1_%2").arg(k).arg(static_cast<int>(i) - 1));
      if (i == 0) l->setStyleSheet(QStringLiteral("color: #00707a; font-weight: bold"));
      l->hide();
      gw->addWidget(l, static_cast<int>(i), static_cast<int>(3 + k));
      kolumny_[k][i] = l;
    }
  }
  panel->addWidget(wyniki);

  lblUwaga2s_ = new QLabel(this);
  lblUwaga2s_->setObjectName(QStringLiteral("lblUwaga2s"));
  lblUwaga2s_->setWordWrap(true);
  lblUwaga2s_->setMaximumWidth(280);
  panel->addWidget(lblUwaga2s_);
  lblKomunikat_ = new QLabel(this);
  lblKomunikat_->setObjectName(QStringLiteral("lblKomunikat"));
  lblKomunikat_->setWordWrap(true);
  lblKomunikat_->setStyleSheet(QStringLiteral("color: #b00000"));
  lblKomunikat_->setMaximumWidth(280);
  panel->addWidget(lblKomunikat_);
  lblOdczyt_ = new QLabel(this);
  lblOdczyt_->setObjectName(QStringLiteral("lblOdczyt"));
  lblOdczyt_->setWordWrap(true);
  lblOdczyt_->setMaximumWidth(280);
  panel->addWidget(lblOdczyt_);
  panel->addStretch();

  auto* caly = new QPushButton(QString::fromUtf8("Cały wykres"), this);
  caly->setObjectName(QStringLiteral("cmdCalyWykres"));
  auto* png = new QPushButton(QString::fromUtf8("Zapisz PNG…"), this);
  png->setObjectName(QStringLiteral("cmdPNG"));
  auto* svg = new QPushButton(QString::fromUtf8("Zapisz SVG…"), this);
  svg->setObjectName(QStringLiteral("cmdSVG"));
  auto* zamknij = new QPushButton(QString::fromUtf8("Zamknij"), this);
  zamknij->setObjectName(QStringLiteral("cmdZamknij"));
  for (QPushButton* b : {caly, png, svg, zamknij}) panel->addWidget(b);

  connect(txtP2_, &QLineEdit::textEdited, this, &WykresISWindow::p2Edited);
  connect(txtT2_, &QLineEdit::textEdited, this, &WykresISWindow::t2Edited);
  connect(txtEta_, &QLineEdit::textEdited, this, &WykresISWindow::etaEdited);
  connect(optT2_, &QRadioButton::toggled, this, [this](bool on) {
    if (!rendering_) emit trybChosen(on);
  });
  connect(oblicz, &QPushButton::clicked, this, &WykresISWindow::obliczClicked);
  connect(txtP2_, &QLineEdit::returnPressed, this, &WykresISWindow::obliczClicked);
  connect(txtT2_, &QLineEdit::returnPressed, this, &WykresISWindow::obliczClicked);
  connect(txtEta_, &QLineEdit::returnPressed, this, &WykresISWindow::obliczClicked);
  connect(caly, &QPushButton::clicked, wykres_, &WykresWidget::pokazCaly);
  connect(png, &QPushButton::clicked, this, [this] { zapiszJako(false); });
  connect(svg, &QPushButton::clicked, this, [this] { zapiszJako(true); });
  connect(zamknij, &QPushButton::clicked, this, &WykresISWindow::closeClicked);
  connect(wykres_, &WykresWidget::odczyt, lblOdczyt_, &QLabel::setText);
  connect(wykres_, &WykresWidget::spoczynek, this, &WykresISWindow::odczytZadany);
  connect(chkIF97_, &QCheckBox::toggled, this, [this](bool on) {
    if (!rendering_) emit if97Toggled(on);
  });
}

void WykresISWindow::render(const FrmWykresIS& m, const FrmKalorimo& frm, char decimalSep, const QRect& obok) {
  rendering_ = true;
  if (!m.Visible) {
    if (isVisible()) hide();
    shown_ = false;
    rendering_ = false;
    return;
  }
  setWindowTitle(Q(m.Caption));
  auto tekst = [](QLineEdit* e, const std::string& s) {
    if (e->text() != Q(s)) e->setText(Q(s));
  };
  tekst(txtP2_, frm.Text_IS[pole::Wylot].Text);
  tekst(txtT2_, m.txtT2);
  tekst(txtEta_, m.txtEta);
  optT2_->setChecked(m.tryb == Koniec2::T2);
  optEta_->setChecked(m.tryb != Koniec2::T2);
  txtT2_->setEnabled(m.tryb == Koniec2::T2);
  txtEta_->setEnabled(m.tryb != Koniec2::T2);
  for (int i = 0; i < 11; ++i) wynik_[i]->setText(Q(m.wyniki[i]));
  lblKomunikat_->setText(Q(m.komunikat));
  lblUwaga2s_->setText(Q(m.uwaga2s));
  lblUwaga2s_->setVisible(!m.uwaga2s.empty());
  chkIF97_->setChecked(m.if97);
  for (std::size_t k = 0; k < kolumny_.size(); ++k) {
    const Nakladka* n = k < m.nakladki.size() ? &m.nakladki[k] : nullptr;
    for (std::size_t i = 0; i < kolumny_[k].size(); ++i) {
      QLabel* l = kolumny_[k][i];
      if (!n) {
        l->hide();
        continue;
      }
      l->setText(Q(i == 0 ? n->nazwa : i - 1 < n->kolumna.size() ? n->kolumna[i - 1] : std::string()));
      l->show();
    }
  }
  wykres_->ustaw(&m, frm.kodJednP, decimalSep);

  if (!shown_) {
    // Beside the main window when it fits, and never off the screen.
    const QRect ekran = screen() ? screen()->availableGeometry() : QRect(0, 0, 1600, 1000);
    QSize size(std::min(1250, ekran.width() - 20), std::min(820, ekran.height() - 40));
    size = size.expandedTo(minimumSizeHint());
    resize(size);
    const int ramka = 12;  // the window manager's frame around the client area
    QPoint at(obok.right() + 8, obok.top());
    if (at.x() + size.width() + ramka > ekran.right()) at.setX(ekran.right() - size.width() - ramka);
    if (at.y() + size.height() + 3 * ramka > ekran.bottom()) at.setY(ekran.bottom() - size.height() - 3 * ramka);
    at.setX(std::max(at.x(), ekran.left()));
    at.setY(std::max(at.y(), ekran.top()));
    move(at);
    show();
    raise();
    shown_ = true;
  }
  rendering_ = false;
}

void WykresISWindow::ustawOdczyt(const QString& tekst) { lblOdczyt_->setText(tekst); }

namespace {
constexpr QSize kRozmiarEksportu(1600, 1000);
}

QByteArray WykresISWindow::obrazPNG() const {
  QImage img(kRozmiarEksportu, QImage::Format_ARGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  wykres_->rysuj(p, img.rect());
  p.end();
  QByteArray dane;
  QBuffer buf(&dane);
  buf.open(QIODevice::WriteOnly);
  if (!img.save(&buf, "PNG")) return {};
  return dane;
}

QByteArray WykresISWindow::obrazSVG() const {
  return ObrazSvg(kRozmiarEksportu, windowTitle(),
                  [&](QPainter& p) { wykres_->rysuj(p, QRect(QPoint(), kRozmiarEksportu)); });
}

bool WykresISWindow::zapisz(const QString& path, const QByteArray& dane) const {
  // Drawn whole in memory first; the file on the disk is replaced only by a complete one.
  const bool byl = QFileInfo::exists(path);
  std::string powod;
  if (dane.isEmpty()) {
    powod = "nie udało się narysować obrazu";
  } else {
    try {
      ZapiszPlikBezpiecznie(path.toStdString(), std::string(dane.constData(), static_cast<std::size_t>(dane.size())),
                            false, "zapiszWykres");
      return true;
    } catch (const RunTimeError& e) {
      // The path is in the first line already: the error's own text, and the system's reason
      // where it adds something.
      powod = OpisBledu(e.number);
      const std::string system = e.lastDllError ? PowodBledu(e.lastDllError) : std::string();
      if (!system.empty() && QString::fromStdString(system).compare(Q(powod), Qt::CaseInsensitive) != 0)
        powod += " (" + system + ")";
    }
  }
  dialogs_.MsgBox("Nie udało się zapisać wykresu w pliku " + path.toStdString() + ":\r\n" + powod + "." +
                      (byl ? "\r\nPlik, który tam był, pozostał bez zmian." : ""),
                  Buttons::OK, Icon::Exclamation, "");
  return false;
}

bool WykresISWindow::zapiszPNG(const QString& path) const { return zapisz(path, obrazPNG()); }

bool WykresISWindow::zapiszSVG(const QString& path) const { return zapisz(path, obrazSVG()); }

void WykresISWindow::zapiszJako(bool svg) {
  QFileDialog dlg(this, QString::fromUtf8("Zapisz wykres"));
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setNameFilter(svg ? QStringLiteral("SVG (*.svg)") : QStringLiteral("PNG (*.png)"));
  dlg.setDefaultSuffix(svg ? QStringLiteral("svg") : QStringLiteral("png"));  // "wykres" saves as wykres.png
  dlg.selectFile(svg ? QStringLiteral("wykres-is.svg") : QStringLiteral("wykres-is.png"));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  const QString path = dlg.selectedFiles().front();
  const DialogOwner owner(this);  // a failure is told over the chart, not the main window
  svg ? zapiszSVG(path) : zapiszPNG(path);
}

void WykresISWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    emit closeClicked();
    return;
  }
  QWidget::keyPressEvent(e);
}

void WykresISWindow::closeEvent(QCloseEvent* e) {
  if (shown_) {
    e->ignore();
    emit closeClicked();  // the model unloads it; the next render hides it
    return;
  }
  e->accept();
}

}  // namespace kal
