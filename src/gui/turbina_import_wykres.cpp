#include "gui/turbina_import_wykres.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace kal {

namespace {

constexpr int kLewy = 210;  // the strips' labels
constexpr int kPrawy = 12;
constexpr int kOs = 30;  // the time axis below
constexpr int kPasekMin = 46;

QString Liczba(double v) { return QLocale().toString(v, 'g', 6); }

QString Godzina(double t, bool sekundy) {
  double d = std::fmod(t, 86400.0);
  if (d < 0) d += 86400.0;
  const long s = std::lround(d);
  const QString hm =
      QStringLiteral("%1:%2").arg(s / 3600 % 24, 2, 10, QLatin1Char('0')).arg(s / 60 % 60, 2, 10, QLatin1Char('0'));
  return sekundy ? hm + QStringLiteral(":%1").arg(s % 60, 2, 10, QLatin1Char('0')) : hm;
}

}  // namespace

WykresSerii::WykresSerii(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("wykresSerii"));
  setMouseTracking(false);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize WykresSerii::sizeHint() const {
  const int n = serie_ ? static_cast<int>(serie_->size()) : 1;
  return {900, std::max(n, 1) * 64 + kOs + 4};
}

QSize WykresSerii::minimumSizeHint() const {
  const int n = serie_ ? static_cast<int>(serie_->size()) : 1;
  return {kLewy + 200, std::max(n, 1) * kPasekMin + kOs + 4};
}

void WykresSerii::ustawSerie(const std::vector<turbiny::Seria>* serie) {
  serie_ = serie;
  t0_ = HUGE_VAL, t1_ = -HUGE_VAL;
  if (serie_) {
    for (const turbiny::Seria& s : *serie_) {
      if (s.czas.empty()) continue;
      t0_ = std::min(t0_, *std::min_element(s.czas.begin(), s.czas.end()));
      t1_ = std::max(t1_, *std::max_element(s.czas.begin(), s.czas.end()));
    }
  }
  if (!(t0_ <= t1_)) t0_ = 0, t1_ = 1;
  if (t1_ == t0_) t1_ = t0_ + 1;
  od_ = t0_, do_ = t1_;
  niestabilne_.clear();
  updateGeometry();
  przelicz();
  update();
}

void WykresSerii::ustawOkno(double od, double doCzasu) {
  od_ = od, do_ = doCzasu;
  update();
}

void WykresSerii::ustawOpisy(const std::vector<QString>& opisy) {
  opisy_ = opisy;
  update();
}

void WykresSerii::ustawNiestabilne(const std::vector<bool>& niestabilne) {
  niestabilne_ = niestabilne;
  update();
}

int WykresSerii::lewy() const { return kLewy; }
int WykresSerii::prawy() const { return std::max(width() - kPrawy, kLewy + 1); }
int WykresSerii::wysokoscPaska() const {
  const int n = serie_ && !serie_->empty() ? static_cast<int>(serie_->size()) : 1;
  return std::max((height() - kOs - 4) / n, 12);
}

int WykresSerii::xCzasu(double t) const {
  const double f = (t - t0_) / (t1_ - t0_);
  return lewy() + static_cast<int>(std::lround(std::clamp(f, 0.0, 1.0) * (prawy() - lewy())));
}

double WykresSerii::czasX(int x) const {
  const double f = std::clamp(static_cast<double>(x - lewy()) / (prawy() - lewy()), 0.0, 1.0);
  return t0_ + f * (t1_ - t0_);
}

void WykresSerii::resizeEvent(QResizeEvent*) { przelicz(); }

void WykresSerii::przelicz() {
  obwiednie_.clear();
  if (!serie_) return;
  const int w = prawy() - lewy() + 1;
  for (const turbiny::Seria& s : *serie_) {
    Obwiednia o;
    o.lo.assign(static_cast<std::size_t>(w), HUGE_VALF);
    o.hi.assign(static_cast<std::size_t>(w), -HUGE_VALF);
    o.min = HUGE_VAL, o.max = -HUGE_VAL;
    const std::size_t n = std::min(s.czas.size(), s.wartosc.size());
    for (std::size_t i = 0; i < n; ++i) {
      const double v = s.wartosc[i];
      if (!std::isfinite(v)) continue;
      const auto x = static_cast<std::size_t>(xCzasu(s.czas[i]) - lewy());
      o.lo[x] = std::min(o.lo[x], static_cast<float>(v));
      o.hi[x] = std::max(o.hi[x], static_cast<float>(v));
      o.min = std::min(o.min, v), o.max = std::max(o.max, v);
    }
    obwiednie_.push_back(std::move(o));
  }
}

void WykresSerii::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Base));
  const int h = wysokoscPaska();
  const int l = lewy(), r = prawy();
  const QFontMetrics fm = p.fontMetrics();
  const QColor tekst = palette().color(QPalette::Text);
  if (!serie_ || serie_->empty()) {
    p.setPen(tekst);
    p.drawText(rect(), Qt::AlignCenter, tr("Brak przypisanych kolumn"));
    return;
  }
  for (std::size_t i = 0; i < serie_->size() && i < obwiednie_.size(); ++i) {
    const turbiny::Seria& s = (*serie_)[i];
    const Obwiednia& o = obwiednie_[i];
    const int y0 = 2 + static_cast<int>(i) * h;
    const bool zly = i < niestabilne_.size() && niestabilne_[i];
    // The label: the column, what it stands for, and its range.
    QFont gruba = p.font();
    gruba.setBold(true);
    p.setFont(gruba);
    p.setPen(zly ? QColor(180, 0, 0) : tekst);
    const QString opis = i < opisy_.size()
                             ? opisy_[i]
                             : QString::fromStdString(s.punkt.empty() ? "otoczenie" : s.punkt + "." + s.wielkosc);
    p.drawText(QRect(6, y0 + 2, l - 12, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(gruba).elidedText(QString::fromStdString(s.kolumna), Qt::ElideMiddle, l - 12));
    p.setFont(font());
    if (h >= 2 * fm.height() + 4)
      p.drawText(QRect(6, y0 + 2 + fm.height(), l - 12, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                 fm.elidedText(opis + (zly ? tr(" — niestabilna") : QString()), Qt::ElideRight, l - 12));
    if (h >= 3 * fm.height() + 4 && o.min <= o.max)
      p.drawText(QRect(6, y0 + 2 + 2 * fm.height(), l - 12, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                 fm.elidedText(Liczba(o.min) + QStringLiteral(" … ") + Liczba(o.max), Qt::ElideRight, l - 12));
    const QRect pole(l, y0 + 3, r - l, h - 6);
    p.setPen(QColor(200, 200, 200));
    p.drawRect(pole);
    if (!(o.min <= o.max)) continue;
    const double zakres = o.max > o.min ? o.max - o.min : 1.0;
    const auto y = [&](double v) {
      const double f = o.max > o.min ? (v - o.min) / zakres : 0.5;
      return pole.bottom() - 2 - f * (pole.height() - 4);
    };
    p.setPen(QPen(QColor(20, 80, 170), 1));
    QPolygonF linia;
    for (std::size_t x = 0; x < o.lo.size(); ++x) {
      if (o.lo[x] > o.hi[x]) continue;
      const double px = l + static_cast<double>(x);
      linia << QPointF(px, y(o.lo[x])) << QPointF(px, y(o.hi[x]));
    }
    p.drawPolyline(linia);
  }
  // Outside the window greyed, its edges marked.
  const int n = static_cast<int>(serie_->size());
  const int xa = xCzasu(od_), xb = xCzasu(do_);
  const int dol = 2 + n * h;
  p.fillRect(QRect(QPoint(l, 2), QPoint(xa, dol)), QColor(0, 0, 0, 40));
  p.fillRect(QRect(QPoint(xb, 2), QPoint(r, dol)), QColor(0, 0, 0, 40));
  p.setPen(QPen(QColor(0, 110, 0), 2));
  p.drawLine(xa, 2, xa, dol);
  p.drawLine(xb, 2, xb, dol);
  // The time axis: a step that leaves room for the labels.
  p.setPen(tekst);
  p.drawLine(l, dol + 1, r, dol + 1);
  const double kroki[] = {1, 5, 10, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
  const int szer = fm.horizontalAdvance(QStringLiteral("00:00:00")) + 16;
  double krok = kroki[std::size(kroki) - 1];
  for (const double k : kroki) {
    if ((t1_ - t0_) / k * szer <= r - l) {
      krok = k;
      break;
    }
  }
  const bool sek = krok < 60;
  double t = std::ceil(t0_ / krok) * krok;
  for (int i = 0; i < 500 && t <= t1_; ++i, t += krok) {
    const int x = xCzasu(t);
    p.drawLine(x, dol + 1, x, dol + 5);
    const QString txt = Godzina(t, sek);
    const int w = fm.horizontalAdvance(txt);
    p.drawText(QRect(std::clamp(x - w / 2, l, r - w), dol + 6, w + 2, fm.height()), Qt::AlignLeft, txt);
  }
  p.drawText(QRect(6, dol + 6, l - 12, fm.height()), Qt::AlignLeft, tr("czas (lokalny)"));
}

void WykresSerii::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || e->position().x() < lewy()) return;
  ciagniecie_ = true;
  xStart_ = static_cast<int>(e->position().x());
}

void WykresSerii::mouseMoveEvent(QMouseEvent* e) {
  if (!ciagniecie_) return;
  const int x = static_cast<int>(e->position().x());
  if (std::abs(x - xStart_) < 3) return;
  od_ = czasX(std::min(x, xStart_));
  do_ = czasX(std::max(x, xStart_));
  update();
}

void WykresSerii::mouseReleaseEvent(QMouseEvent* e) {
  if (!ciagniecie_ || e->button() != Qt::LeftButton) return;
  ciagniecie_ = false;
  const int x = static_cast<int>(e->position().x());
  if (std::abs(x - xStart_) < 3) return;  // a click, not a drag: the window stays
  od_ = czasX(std::min(x, xStart_));
  do_ = czasX(std::max(x, xStart_));
  update();
  emit oknoWybrane(od_, do_);
}

}  // namespace kal
