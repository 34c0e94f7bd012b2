// The mapped series of an import, one strip each under a shared time axis; the window of the
// statistics is chosen by dragging across the strips (or typed in the wizard's boxes).
#pragma once
#include <QWidget>
#include <vector>

#include "turbiny/model.h"

namespace kal {

class WykresSerii : public QWidget {
  Q_OBJECT

 public:
  explicit WykresSerii(QWidget* parent = nullptr);

  void ustawSerie(const std::vector<turbiny::Seria>* serie);    // not owned; nullptr clears
  void ustawOkno(double od, double doCzasu);                    // [s], as Seria::czas
  void ustawNiestabilne(const std::vector<bool>& niestabilne);  // per series: label drawn red
  void ustawOpisy(const std::vector<QString>& opisy);           // per series: "PS.p [MPa]"
  double poczatekSerii() const { return t0_; }
  double koniecSerii() const { return t1_; }

  // The plot's horizontal place of a time, and back (for the drag and for tests).
  int xCzasu(double t) const;
  double czasX(int x) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void oknoWybrane(double od, double do_);  // after a drag

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  // Per pixel column of the plot: the lowest and highest value of the samples that fall in it.
  struct Obwiednia {
    std::vector<float> lo, hi;
    double min = 0, max = 0;
  };
  void przelicz();
  int lewy() const;
  int prawy() const;
  int wysokoscPaska() const;

  const std::vector<turbiny::Seria>* serie_ = nullptr;
  std::vector<Obwiednia> obwiednie_;
  std::vector<bool> niestabilne_;
  std::vector<QString> opisy_;
  double t0_ = 0, t1_ = 1;
  double od_ = 0, do_ = 1;
  bool ciagniecie_ = false;
  int xStart_ = 0;
};

}  // namespace kal
