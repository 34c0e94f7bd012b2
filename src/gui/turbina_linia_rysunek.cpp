#include "gui/turbina_linia_rysunek.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "common/number_text.h"

namespace kal {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A label upright along a polyline on a light halo, at the first place near `gdzie` (fraction of
// the visible length) that overlaps no label already placed; none fits, no label.
void Etykieta(QPainter& p, const QPolygonF& pl, double gdzie, const QString& tekst, const QColor& c, const QRectF& a,
              std::vector<QRectF>& zajete) {
  QPolygonF v;
  for (const QPointF& q : pl)
    if (a.adjusted(30, 12, -30, -12).contains(q)) v << q;
  if (v.size() < 2) return;
  double dl = 0;
  for (int i = 1; i < v.size(); ++i) dl += QLineF(v[i - 1], v[i]).length();
  if (dl < 60) return;
  for (int k = 0; k <= 12; ++k) {
    const double g = gdzie + (k + 1) / 2 * 0.06 * (k % 2 ? -1 : 1);
    if (g < 0.03 || g > 0.97) continue;
    QPointF m;
    double kat = 0;
    MiejsceNaLinii(v, g, &m, &kat);
    if (PostawEtykiete(p, m, kat, tekst, c, zajete)) return;
  }
}

void Rysuj(QPainter& p, const MapaIS& m, const Linia& l, const QPen& pen, const QString& tekst,
           std::vector<QRectF>& zajete) {
  p.setPen(pen);
  QPolygonF najdluzsza;
  double dlugosc = 0;
  for (const auto& odc : l.odcinki) {
    QPolygonF pl;
    for (const PunktLinii& q : odc) pl << m(q.s, q.h);
    p.drawPolyline(pl);
    double len = 0;
    for (int i = 1; i < pl.size(); ++i)
      if (m.a.contains(pl[i])) len += QLineF(pl[i - 1], pl[i]).length();
    if (len > dlugosc) dlugosc = len, najdluzsza = pl;
  }
  if (tekst.isEmpty() || najdluzsza.size() < 2) return;
  const double gdzie = l.rodzaj == RodzajLinii::Izobara ? 0.8 : l.rodzaj == RodzajLinii::Izoterma ? 0.15 : 0.3;
  Etykieta(p, najdluzsza, gdzie, tekst, pen.color().darker(130), m.a, zajete);
}

double Krok(double rozpietosc, const std::vector<double>& kroki, int najwiecej) {
  for (double k : kroki)
    if (rozpietosc / k <= najwiecej) return k;
  return kroki.back();
}

}  // namespace

MapaIS RysujTloIS(QPainter& p, const QRectF& r, const Wykres& w, const std::vector<Linia>& izobaryPunktow,
                  std::vector<QRectF>& zajete, char sep) {
  const Okno& o = w.okno;
  const MapaIS m{r.adjusted(64, 12, -14, -44), o};
  p.fillRect(r, Qt::white);
  QFont f = p.font();
  f.setPointSizeF(8.5);
  p.setFont(f);

  const double ds = Krok(o.sMax - o.sMin, {0.02, 0.05, 0.1, 0.2, 0.5, 1.0}, 12);
  const double dh = Krok(o.hMax - o.hMin, {5, 10, 20, 50, 100, 200, 500}, 14);
  const QPen siatka(QColor(228, 228, 228), 0);
  for (int i = 0; i < 200; ++i) {
    const double s = (std::ceil(o.sMin / ds) + i) * ds;
    if (s > o.sMax + 1e-9) break;
    p.setPen(siatka);
    p.drawLine(m(s, o.hMin), m(s, o.hMax));
    p.setPen(Qt::black);
    p.drawText(QRectF(m(s, o.hMin).x() - 30, m.a.bottom() + 3, 60, 16), Qt::AlignCenter,
               Q(Format(s, ds < 0.1 ? "0.00" : "0.0", sep)));
  }
  for (int i = 0; i < 200; ++i) {
    const double h = (std::ceil(o.hMin / dh) + i) * dh;
    if (h > o.hMax + 1e-9) break;
    p.setPen(siatka);
    p.drawLine(m(o.sMin, h), m(o.sMax, h));
    p.setPen(Qt::black);
    p.drawText(QRectF(r.left(), m(o.sMin, h).y() - 8, m.a.left() - r.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
               Q(Format(h, "0", sep)));
  }
  TytulyOsiIRamka(p, r, m, 21, QString::fromUtf8("s [kJ/(kg·K)]"));
  // The points' own isobars, labelled with their pressure.
  for (const Linia& l : izobaryPunktow)
    Rysuj(p, m, l, QPen(QColor(30, 80, 190, 110), 1.8), Q(kal::Etykieta(l, 1, sep)), zajete);
  for (const Linia& l : w.linie) {
    const bool nas = l.rodzaj == RodzajLinii::Nasycenie || l.rodzaj == RodzajLinii::Woda;
    QPen pen(KolorLinii(l.rodzaj), nas ? 1.8 : 0.9);
    if (l.rodzaj == RodzajLinii::Suchosc) pen.setStyle(Qt::DashLine);
    Rysuj(p, m, l, pen, Q(kal::Etykieta(l, 1, sep)), zajete);
  }
  return m;
}

}  // namespace kal
