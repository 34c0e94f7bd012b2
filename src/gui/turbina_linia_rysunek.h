// The I-S chart's background on any painter: the grid with its axes and units, and the chart's
// lines (saturation, dryness, isobars, isotherms) labelled along themselves. The expansion lines
// are drawn over it through the map it returns.
#pragma once
#include <QRectF>
#include <vector>

#include "gui/wykres_rysunek.h"
#include "mollier/wykres.h"

class QPainter;

namespace kal {

// Draws into `r`; `zajete` holds places the labels keep clear of (the points' names) and gets the
// labels' own places. Leaves the painter clipped to the plotting area.
MapaIS RysujTloIS(QPainter& p, const QRectF& r, const Wykres& w, const std::vector<Linia>& izobaryPunktow,
                  std::vector<QRectF>& zajete, char sep);

}  // namespace kal
