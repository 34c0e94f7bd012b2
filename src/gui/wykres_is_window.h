// The window "Wykres I-S": the Mollier chart drawn with QPainter (labels along the lines, as a
// printed chart has them), the expansion points and lines, and the panel of inputs and results.
// It renders FrmWykresIS and reports the user's edits; the expansion itself is the model's.
#pragma once
#include <QStringList>
#include <QWidget>
#include <array>

#include "app/frm_kalorimo.h"
#include "app/frm_wykres_is.h"
#include "common/dialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QRubberBand;
class QCheckBox;
class QTimer;

namespace kal {

// The chart itself: draws on any painter (screen, PNG, SVG); zoom and readout are its own.
class WykresWidget : public QWidget {
  Q_OBJECT

 public:
  explicit WykresWidget(QWidget* parent = nullptr);

  void ustaw(const FrmWykresIS* model, float kodJednP, char decimalSep);
  void rysuj(QPainter& p, const QRect& r) const;
  const Okno& widok() const { return widok_; }
  QRectF obszar(const QRect& r) const;  // the plotting area inside r
  void pokazCaly();                     // back to the whole chart
  void przybliz(const QRectF& px);      // to a rectangle of the widget's pixels
  void przybliz(QPointF px, double k);  // around a point, k < 1 closer

  // What the last drawing did: the tests see that it stays bounded by the pixels shown.
  struct Slad {
    long rysowania = 0;    // drawings so far
    long wierzcholki = 0;  // polyline points handed to the painter by the last one
    double poza = 0;       // how far [px] the farthest of them lies outside the plotting area
    int etykiety = 0;      // lines named
    QStringList osS, osH;  // the axes' labels
  };
  const Slad& slad() const { return slad_; }

 signals:
  void odczyt(const QString& tekst);   // h and s under the mouse
  void spoczynek(double s, double h);  // the mouse rests there: the readout may take longer

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  void ustawWidok(Okno o);  // no closer than the fits' single precision can tell
  const FrmWykresIS* model_ = nullptr;
  float kodJednP_ = 1;
  char sep_ = ',';
  Okno widok_;
  QRubberBand* gumka_ = nullptr;
  QPoint start_;
  QTimer* spoczynek_ = nullptr;
  double spoczynekS_ = 0, spoczynekH_ = 0;
  mutable Slad slad_;
};

class WykresISWindow : public QWidget {
  Q_OBJECT

 public:
  // `dialogs` tells the user of a failed export.
  explicit WykresISWindow(Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows or hides the window and fills it from the models; `obok` is the main window's frame.
  void render(const FrmWykresIS& m, const FrmKalorimo& frm, char decimalSep, const QRect& obok);
  WykresWidget* wykres() const { return wykres_; }

  void ustawOdczyt(const QString& tekst);  // the readout where the mouse rests
  // The chart at 1600 x 1000 into a new file that replaces `path` whole, or leaves it as it was
  // and says why in a message box.
  bool zapiszPNG(const QString& path) const;
  bool zapiszSVG(const QString& path) const;

 signals:
  void p2Edited(const QString& text);
  void t2Edited(const QString& text);
  void etaEdited(const QString& text);
  void trybChosen(bool t2);
  void obliczClicked();
  void if97Toggled(bool on);
  void odczytZadany(double s, double h);
  void closeClicked();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void zapiszJako(bool svg);
  QByteArray obrazPNG() const;
  QByteArray obrazSVG() const;
  bool zapisz(const QString& path, const QByteArray& dane) const;

  Dialogs& dialogs_;
  WykresWidget* wykres_ = nullptr;
  QLineEdit* txtP2_ = nullptr;
  QLineEdit* txtT2_ = nullptr;
  QLineEdit* txtEta_ = nullptr;
  QRadioButton* optT2_ = nullptr;
  QRadioButton* optEta_ = nullptr;
  std::array<QLabel*, 11> wynik_{};
  QLabel* lblKomunikat_ = nullptr;
  QLabel* lblUwaga2s_ = nullptr;  // the saturation a wet 2s was taken at
  QLabel* lblOdczyt_ = nullptr;
  QCheckBox* chkIF97_ = nullptr;
  std::array<std::array<QLabel*, 12>, 2> kolumny_{};  // per overlay: its name, then one per result row
  bool shown_ = false;
  bool rendering_ = false;
};

}  // namespace kal
