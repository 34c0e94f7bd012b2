#include "gui/wykres_rysunek.h"

#include <QBuffer>
#include <QLineF>
#include <QPainter>
#include <QSvgGenerator>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace kal {

QColor KolorLinii(RodzajLinii r) {
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

bool PostawEtykiete(QPainter& p, const QPointF& m, double kat, const QString& tekst, const QColor& c,
                    std::vector<QRectF>& zajete) {
  const QRectF box = p.fontMetrics().boundingRect(tekst).adjusted(-2, 0, 2, 0);
  const QRectF at(-box.width() / 2, -box.height() / 2, box.width(), box.height());
  const QRectF zajmuje = QTransform().translate(m.x(), m.y()).rotate(kat).mapRect(at);
  if (std::any_of(zajete.begin(), zajete.end(),
                  [&](const QRectF& z) { return z.intersects(zajmuje.adjusted(-2, -2, 2, 2)); }))
    return false;
  zajete.push_back(zajmuje);
  p.save();
  p.translate(m);
  p.rotate(kat);
  p.fillRect(at, QColor(255, 255, 255, 210));
  p.setPen(c);
  p.drawText(at, Qt::AlignCenter, tekst);
  p.restore();
  return true;
}

void TytulyOsiIRamka(QPainter& p, const QRectF& r, const MapaIS& m, double odS, const QString& tytulS) {
  p.setPen(Qt::black);
  p.drawText(QRectF(m.a.left(), m.a.bottom() + odS, m.a.width(), 18), Qt::AlignCenter, tytulS);
  p.save();
  p.translate(r.left() + 12, m.a.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-60, -9, 120, 18), Qt::AlignCenter, QStringLiteral("h [kJ/kg]"));
  p.restore();
  p.drawRect(m.a);
  p.setClipRect(m.a);
}

QByteArray ObrazSvg(const QSize& rozmiar, const QString& tytul, const std::function<void(QPainter&)>& rysuj) {
  QByteArray dane;
  QBuffer bufor(&dane);
  bufor.open(QIODevice::WriteOnly);
  QSvgGenerator gen;
  gen.setOutputDevice(&bufor);
  gen.setSize(rozmiar);
  gen.setViewBox(QRect(QPoint(), rozmiar));
  gen.setTitle(tytul);
  QPainter p;
  if (!p.begin(&gen)) return {};
  rysuj(p);
  if (!p.end()) return {};
  return dane;
}

}  // namespace kal
