#include "gui/turbina_wyniki.h"

namespace kal {

// Filled in with the results, the trend and the expansion line.
WynikiWidget::WynikiWidget(QWidget* parent) : QWidget(parent) {}
void WynikiWidget::pokaz(const turbiny::WynikKampanii&) {}

TrendWidget::TrendWidget(QWidget* parent) : QWidget(parent) {}
void TrendWidget::pokaz(const turbiny::Dokument&, const std::vector<turbiny::WynikKampanii>&) {}
bool TrendWidget::zapiszPng(const QString&, QString& blad) {
  blad = QStringLiteral("jeszcze nie zbudowane");
  return false;
}
bool TrendWidget::zapiszSvg(const QString&, QString& blad) {
  blad = QStringLiteral("jeszcze nie zbudowane");
  return false;
}
void TrendWidget::rysuj(QPainter&, const QRectF&) {}

LiniaISWidget::LiniaISWidget(QWidget* parent) : QWidget(parent) {}
void LiniaISWidget::pokaz(const turbiny::WynikKampanii&, const turbiny::WynikKampanii*) {}
void LiniaISWidget::rysuj(QPainter&, const QRectF&) {}

}  // namespace kal
