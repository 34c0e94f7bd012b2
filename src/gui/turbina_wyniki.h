// The workbench's results, trend and expansion line, each a widget the turbine window shows in a
// tab and the report draws from.
#pragma once
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "coeffdb/baza.h"
#include "gui/turbina_linia_is.h"
#include "mollier/wykres.h"
#include "turbiny/model.h"
#include "turbiny/obliczenia.h"
#include "turbiny/trend.h"

class QPainter;
class QTableWidget;
class QLabel;
class QComboBox;
class QCheckBox;
class QChart;
class QChartView;

namespace kal {

// "Wyniki": per section the fits and IF97 side by side with their difference, eta ± U95, Δ to the
// design value and to the baseline (the significant ones marked), and the uncertainty budget of
// the chosen section (shares as bars, the dominant input named).
class WynikiWidget : public QWidget {
  Q_OBJECT

 public:
  explicit WynikiWidget(QWidget* parent = nullptr);
  void pokaz(const turbiny::WynikKampanii& wynik);
  // The section whose budget is shown (its row in the table).
  void wybierzOdcinek(int indeks);

 private:
  void pokazBudzet();

  turbiny::WynikKampanii wynik_;
  QTableWidget* tabela_ = nullptr;
  QLabel* legenda_ = nullptr;
  QLabel* uwagi_ = nullptr;  // the chosen section's note in full
  QLabel* tytulBudzetu_ = nullptr;
  QTableWidget* budzet_ = nullptr;
  QLabel* dominujace_ = nullptr;
};

// "Trend": eta of each section over the campaigns' dates with U95 bars, the baseline and its
// repeatability band, after-overhaul campaigns marked, the design value dashed; fits or IF97 on
// a choice; hover shows date, eta and U95 (Qt Charts).
class TrendWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TrendWidget(QWidget* parent = nullptr);
  ~TrendWidget() override;
  // `wyniki` as turbiny::ObliczWszystkie gives them, in the document's order.
  void pokaz(const turbiny::Dokument& d, const std::vector<turbiny::WynikKampanii>& wyniki);
  // Written through the house's safe write; false with a Polish reason.
  bool zapiszPng(const QString& path, QString& blad);
  bool zapiszSvg(const QString& path, QString& blad);
  // Draws the trend into `rect` (the report's page).
  void rysuj(QPainter& p, const QRectF& rect);

  // What is drawn: the series of the chosen formulation.
  const std::vector<turbiny::SeriaTrendu>& serie() const { return serie_; }
  turbiny::Formulacja formulacja() const { return formulacja_; }
  void ustawFormulacje(turbiny::Formulacja f);
  // One section alone (its index in the turbine), or all of them with -1.
  void ustawOdcinek(int indeks);
  QChart* wykres() const { return chart_; }

 private:
  void odswiez();
  // A chart of the current series; `ekran` adds the hover tooltips.
  QChart* zbuduj(bool ekran);
  void rysujDoObrazu(QPainter& p, const QRectF& rect);

  turbiny::Dokument dokument_;
  std::vector<turbiny::WynikKampanii> wyniki_;
  std::vector<turbiny::SeriaTrendu> serie_;
  turbiny::Formulacja formulacja_ = turbiny::Formulacja::Fits;
  int odcinek_ = -1;  // the one section shown; -1 all
  QComboBox* wybor_ = nullptr;
  QComboBox* wyborOdcinka_ = nullptr;
  QChartView* widok_ = nullptr;
  QChart* chart_ = nullptr;
  QLabel* legenda_ = nullptr;
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

  // What is drawn: one polyline per section of the campaign, and of the baseline.
  const std::vector<LiniaOdcinka>& linie() const { return linie_; }
  const std::vector<LiniaOdcinka>& linieBazy() const { return linieBazy_; }
  const Okno& okno() const { return wykres_.okno; }
  void ustawIF97(bool if97);
  // The coefficient record of the chart's lines (the default one until set); taken at the next pokaz.
  void ustawBaze(const Baza& baza);

 private:
  void odswiez();

  std::optional<Baza> baza_;
  bool bazaZmieniona_ = false;
  turbiny::WynikKampanii wynik_;
  std::optional<turbiny::WynikKampanii> bazowy_;
  bool if97_ = false;
  std::vector<LiniaOdcinka> linie_, linieBazy_;
  std::vector<Linia> izobaryPunktow_;
  Wykres wykres_;
  std::optional<Wykres> wykresIF97_;  // the same with IF97's saturation line
  QCheckBox* chkIF97_ = nullptr;
  QWidget* plotno_ = nullptr;
};

}  // namespace kal
