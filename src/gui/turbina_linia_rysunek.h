// The I-S chart's background on any painter: the grid with its axes and units, and the chart's
// lines (saturation, dryness, isobars, isotherms) labelled along themselves. The expansion lines
// are drawn over it through the map it returns.
#pragma once
#include <QPointF>
#include <QRectF>
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
};

// Draws into `r`; `zajete` holds places the labels keep clear of (the points' names) and gets the
// labels' own places. Leaves the painter clipped to the plotting area.
MapaIS RysujTloIS(QPainter& p, const QRectF& r, const Wykres& w, const std::vector<Linia>& izobaryPunktow,
                  std::vector<QRectF>& zajete, char sep);

}  // namespace kal
