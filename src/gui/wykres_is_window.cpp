#include "gui/wykres_is_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
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
#include <QSvgGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "common/number_text.h"

namespace kal {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QColor Kolor(RodzajLinii r) {
  switch (r) {
    case RodzajLinii::Nasycenie:
    case RodzajLinii::Woda:
      return QColor(20, 20, 20);
    case RodzajLinii::Suchosc:
      return QColor(40, 130, 60);
    case RodzajLinii::Izobara:
      return QColor(30, 80, 190);
    case RodzajLinii::Izoterma:
      return QColor(200, 70, 40);
  }
  return Qt::black;
}

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

struct Mapa {
  QRectF a;
  Okno o;
  QPointF operator()(double s, double h) const {
    return {a.left() + (s - o.sMin) / (o.sMax - o.sMin) * a.width(),
            a.bottom() - (h - o.hMin) / (o.hMax - o.hMin) * a.height()};
  }
  double S(double x) const { return o.sMin + (x - a.left()) / a.width() * (o.sMax - o.sMin); }
  double H(double y) const { return o.hMin + (a.bottom() - y) / a.height() * (o.hMax - o.hMin); }
};

// Where a label sits at fraction `gdzie` of the visible length of a polyline, and its angle.
bool MiejsceNaLinii(const QPolygonF& v, double gdzie, QPointF* m, double* kat) {
  double dl = 0;
  for (int i = 1; i < v.size(); ++i) dl += QLineF(v[i - 1], v[i]).length();
  double cel = dl * gdzie, acc = 0;
  for (int i = 1; i < v.size(); ++i) {
    const double d = QLineF(v[i - 1], v[i]).length();
    if (acc + d < cel && i + 1 < v.size()) {
      acc += d;
      continue;
    }
    *m = v[i - 1] + (v[i] - v[i - 1]) * std::clamp(d > 0 ? (cel - acc) / d : 0.0, 0.0, 1.0);
    *kat = std::atan2(v[i].y() - v[i - 1].y(), v[i].x() - v[i - 1].x()) * 180 / M_PI;
    if (*kat > 90) *kat -= 180;
    if (*kat < -90) *kat += 180;
    return true;
  }
  return false;
}

// A label along a polyline, upright, on a light halo so lines under it do not hide it. Greedy:
// the first place near the preferred one that overlaps no label already placed; none, no label.
void EtykietaNaLinii(QPainter& p, const QPolygonF& pl, double gdzie, const QString& tekst, const QColor& c,
                     const QRectF& a, std::vector<QRectF>& zajete) {
  QPolygonF v;
  for (const QPointF& q : pl)
    if (a.adjusted(30, 12, -30, -12).contains(q)) v << q;
  if (v.size() < 2) return;
  double dl = 0;
  for (int i = 1; i < v.size(); ++i) dl += QLineF(v[i - 1], v[i]).length();
  if (dl < 60) return;
  const QRectF box = p.fontMetrics().boundingRect(tekst).adjusted(-2, 0, 2, 0);
  const QRectF at(-box.width() / 2, -box.height() / 2, box.width(), box.height());
  for (int k = 0; k <= 10; ++k) {
    const double przes = (k + 1) / 2 * 0.07 * (k % 2 ? -1 : 1);
    const double g = gdzie + przes;
    if (g < 0.03 || g > 0.97) continue;
    QPointF m;
    double kat = 0;
    if (!MiejsceNaLinii(v, g, &m, &kat)) return;
    const QRectF zajmuje = QTransform().translate(m.x(), m.y()).rotate(kat).mapRect(at);
    if (std::any_of(zajete.begin(), zajete.end(),
                    [&](const QRectF& z) { return z.intersects(zajmuje.adjusted(-2, -2, 2, 2)); }))
      continue;
    zajete.push_back(zajmuje);
    p.save();
    p.translate(m);
    p.rotate(kat);
    p.fillRect(at, QColor(255, 255, 255, 210));
    p.setPen(c);
    p.drawText(at, Qt::AlignCenter, tekst);
    p.restore();
    return;
  }
}

void RysujLinie(QPainter& p, const Mapa& m, const Linia& l, const QPen& pen, const QString& etykieta,
                std::vector<QRectF>& zajete) {
  p.setPen(pen);
  for (const auto& odc : l.odcinki) {
    QPolygonF pl;
    for (const PunktLinii& q : odc) pl << m(q.s, q.h);
    p.drawPolyline(pl);
  }
  if (etykieta.isEmpty()) return;
  // The label goes on the longest visible run.
  const std::vector<PunktLinii>* best = nullptr;
  double bestLen = 0;
  QPolygonF bestPl;
  for (const auto& odc : l.odcinki) {
    QPolygonF pl;
    for (const PunktLinii& q : odc) pl << m(q.s, q.h);
    double len = 0;
    for (int i = 1; i < pl.size(); ++i)
      if (m.a.contains(pl[i])) len += QLineF(pl[i - 1], pl[i]).length();
    if (len > bestLen) best = &odc, bestLen = len, bestPl = pl;
  }
  if (best) EtykietaNaLinii(p, bestPl, MiejsceEtykiety(l.rodzaj), etykieta, pen.color().darker(130), m.a, zajete);
}

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

QRectF WykresWidget::obszar(const QRect& r) const { return QRectF(r).adjusted(62, 14, -16, -42); }

void WykresWidget::pokazCaly() {
  if (model_) widok_ = model_->widok;
  update();
}

void WykresWidget::przybliz(const QRectF& px) {
  const Mapa m{obszar(rect()), widok_};
  const QRectF r = px.normalized();
  if (r.width() < 8 || r.height() < 8) return;  // a click, not a rectangle
  Okno o{m.S(r.left()), m.S(r.right()), m.H(r.bottom()), m.H(r.top())};
  widok_ = o;
  update();
}

void WykresWidget::przybliz(QPointF px, double k) {
  const Mapa m{obszar(rect()), widok_};
  const double s = m.S(px.x()), h = m.H(px.y());
  Okno o{s - (s - widok_.sMin) * k, s + (widok_.sMax - s) * k, h - (h - widok_.hMin) * k, h + (widok_.hMax - h) * k};
  // No further out than the whole chart.
  const Okno caly = model_ ? model_->widok : Okno{};
  if (o.sMax - o.sMin >= caly.sMax - caly.sMin || o.hMax - o.hMin >= caly.hMax - caly.hMin) {
    o = caly;
  } else {
    const double ds = std::max(0.0, caly.sMin - o.sMin) - std::max(0.0, o.sMax - caly.sMax);
    const double dh = std::max(0.0, caly.hMin - o.hMin) - std::max(0.0, o.hMax - caly.hMax);
    o.sMin += ds, o.sMax += ds, o.hMin += dh, o.hMax += dh;
  }
  widok_ = o;
  update();
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

  // Grid and axes: entropy across, enthalpy up.
  const double ds = (widok_.sMax - widok_.sMin) > 1.5 ? 0.5 : (widok_.sMax - widok_.sMin) > 0.4 ? 0.1 : 0.02;
  const double span = widok_.hMax - widok_.hMin;
  const double dh = span > 900 ? 100 : span > 200 ? 20 : span > 40 ? 5 : 1;
  p.setPen(QPen(QColor(225, 225, 225), 0));
  for (double s = std::ceil(widok_.sMin / ds) * ds; s <= widok_.sMax + 1e-9; s += ds) {
    p.drawLine(m(s, widok_.hMin), m(s, widok_.hMax));
    p.save();
    p.setPen(Qt::black);
    p.drawText(QRectF(m(s, widok_.hMin).x() - 30, m.a.bottom() + 3, 60, 16), Qt::AlignCenter,
               Q(Format(s, ds < 0.1 ? "0.00" : "0.0", sep_)));
    p.restore();
  }
  for (double h = std::ceil(widok_.hMin / dh) * dh; h <= widok_.hMax + 1e-9; h += dh) {
    p.drawLine(m(widok_.sMin, h), m(widok_.sMax, h));
    p.save();
    p.setPen(Qt::black);
    p.drawText(QRectF(r.left(), m(widok_.sMin, h).y() - 8, m.a.left() - r.left() - 4, 16),
               Qt::AlignRight | Qt::AlignVCenter, Q(Format(h, "0", sep_)));
    p.restore();
  }
  p.setPen(Qt::black);
  p.drawText(QRectF(m.a.left(), m.a.bottom() + 20, m.a.width(), 18), Qt::AlignCenter,
             QString::fromUtf8("s [kJ/(kg K)]"));
  p.save();
  p.translate(r.left() + 12, m.a.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-60, -9, 120, 18), Qt::AlignCenter, QStringLiteral("h [kJ/kg]"));
  p.restore();
  p.drawRect(m.a);

  p.setClipRect(m.a);
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
                 zajete);
    }
    for (const Linia& l : model_->wykres->linie) {
      const bool nas = l.rodzaj == RodzajLinii::Nasycenie || l.rodzaj == RodzajLinii::Woda;
      QPen pen(Kolor(l.rodzaj), nas ? 1.8 : 0.9);
      if (l.rodzaj == RodzajLinii::Suchosc) pen.setStyle(Qt::DashLine);
      RysujLinie(p, m, l, pen, Q(Etykieta(l, kodJednP_, sep_)), zajete);
    }
    for (const Nakladka& n : model_->nakladki) {
      for (const Linia& l : n.linie) {
        const bool nas = l.rodzaj == RodzajLinii::Nasycenie || l.rodzaj == RodzajLinii::Woda;
        RysujLinie(p, m, l, QPen(kKolorNakladki, nas ? 1.4 : 1.8, nas ? Qt::DashLine : Qt::SolidLine),
                   l.rodzaj == RodzajLinii::Nasycenie ? Q(n.nazwa) : QString(), zajete);
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
    if (e.izentropa) {
      p.setPen(QPen(QColor(90, 90, 90), 1.6, Qt::DashLine));
      p.drawLine(m(e.wlot.s, e.wlot.h), m(e.izentropa->s, e.izentropa->h));
    }
    if (e.rzeczywisty) {
      p.setPen(QPen(QColor(200, 0, 120), 2.4));
      p.drawLine(m(e.wlot.s, e.wlot.h), m(e.rzeczywisty->s, e.rzeczywisty->h));
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

WykresISWindow::WykresISWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
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

bool WykresISWindow::zapiszPNG(const QString& path) const {
  QImage img(1600, 1000, QImage::Format_ARGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  wykres_->rysuj(p, img.rect());
  p.end();
  return img.save(path, "PNG");
}

bool WykresISWindow::zapiszSVG(const QString& path) const {
  QSvgGenerator gen;
  gen.setFileName(path);
  gen.setSize(QSize(1600, 1000));
  gen.setViewBox(QRect(0, 0, 1600, 1000));
  gen.setTitle(windowTitle());
  QPainter p;
  if (!p.begin(&gen)) return false;
  wykres_->rysuj(p, QRect(0, 0, 1600, 1000));
  return p.end();
}

void WykresISWindow::zapiszJako(bool svg) {
  const QString filtr = svg ? QStringLiteral("SVG (*.svg)") : QStringLiteral("PNG (*.png)");
  QString path =
      QFileDialog::getSaveFileName(this, QString::fromUtf8("Zapisz wykres"),
                                   svg ? QStringLiteral("wykres-is.svg") : QStringLiteral("wykres-is.png"), filtr);
  if (path.isEmpty()) return;
  const bool ok = svg ? zapiszSVG(path) : zapiszPNG(path);
  lblKomunikat_->setText(ok ? QString() : QString::fromUtf8("Nie udało się zapisać pliku ") + path);
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
