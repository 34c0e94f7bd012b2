// Drawing pieces both I-S charts share (the calculator's window and the workbench's results):
// the map from s, h to pixels, the lines' colours and the labels set along a line.
#pragma once
#include <QByteArray>
#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

#include "mollier/wykres.h"

class QPainter;

namespace kal {

struct MapaIS {
  QRectF a;  // the plotting area
  Okno o;
  QPointF operator()(double s, double h) const {
    return {a.left() + (s - o.sMin) / (o.sMax - o.sMin) * a.width(),
            a.bottom() - (h - o.hMin) / (o.hMax - o.hMin) * a.height()};
  }
  double S(double x) const { return o.sMin + (x - a.left()) / a.width() * (o.sMax - o.sMin); }
  double H(double y) const { return o.hMin + (a.bottom() - y) / a.height() * (o.hMax - o.hMin); }
};

QColor KolorLinii(RodzajLinii r);

// Where a label sits at fraction `gdzie` of the length of a polyline, and its angle kept upright.
bool MiejsceNaLinii(const QPolygonF& v, double gdzie, QPointF* m, double* kat);

// A label centred at `m` turned by `kat`, on a light halo, unless it would overlap a place in
// `zajete`; placed, its place joins `zajete`.
bool PostawEtykiete(QPainter& p, const QPointF& m, double kat, const QString& tekst, const QColor& c,
                    std::vector<QRectF>& zajete);

// The axes' titles (s below the area, `odS` under its bottom edge; h turned up along the left
// edge of `r`) and the area's frame; leaves the painter clipped to the area.
void TytulyOsiIRamka(QPainter& p, const QRectF& r, const MapaIS& m, double odS, const QString& tytulS);

// A chart drawn whole into an SVG document in memory, `rozmiar` pixels with a view box to match;
// empty when the painter fails.
QByteArray ObrazSvg(const QSize& rozmiar, const QString& tytul, const std::function<void(QPainter&)>& rysuj);

}  // namespace kal
