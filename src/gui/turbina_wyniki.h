// The workbench's results, trend and expansion line, each a widget the turbine window shows in a
// tab and the report draws from.
#pragma once
#include <QString>
#include <QWidget>
#include <vector>

#include "turbiny/model.h"
#include "turbiny/obliczenia.h"

class QPainter;

namespace kal {

// "Wyniki": per section the fits and IF97 side by side with their difference, eta ± U95, Δ to the
// design value and to the baseline (the significant ones marked), and the uncertainty budget of
// the chosen section (shares as bars, the dominant input named).
class WynikiWidget : public QWidget {
  Q_OBJECT

 public:
  explicit WynikiWidget(QWidget* parent = nullptr);
  void pokaz(const turbiny::WynikKampanii& wynik);
};

// "Trend": eta of each section over the campaigns' dates with U95 bars, the baseline and its
// repeatability band, after-overhaul campaigns marked, the design value dashed; fits or IF97 on
// a choice; hover shows date, eta and U95 (Qt Charts).
class TrendWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TrendWidget(QWidget* parent = nullptr);
  // `wyniki` as turbiny::ObliczWszystkie gives them, in the document's order.
  void pokaz(const turbiny::Dokument& d, const std::vector<turbiny::WynikKampanii>& wyniki);
  // Written through the house's safe write; false with a Polish reason.
  bool zapiszPng(const QString& path, QString& blad);
  bool zapiszSvg(const QString& path, QString& blad);
  // Draws the trend into `rect` (the report's page).
  void rysuj(QPainter& p, const QRectF& rect);
};

// "Wykres I-S": the chart with the whole expansion line of a campaign (every section, points
// labelled by id, the reheat gap left open), the baseline campaign's line dashed, IF97 on a tick.
class LiniaISWidget : public QWidget {
  Q_OBJECT

 public:
  explicit LiniaISWidget(QWidget* parent = nullptr);
  // `bazowy` may be null.
  void pokaz(const turbiny::WynikKampanii& wynik, const turbiny::WynikKampanii* bazowy);
  void rysuj(QPainter& p, const QRectF& rect);
};

}  // namespace kal
