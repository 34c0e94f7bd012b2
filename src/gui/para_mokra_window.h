// The wet-steam window "Para mokra": four frames of three read-only boxes at their twip layout.
// It renders FrmParaMokra and reports "Exit" and the close button; it decides nothing itself.
#pragma once
#include <QPointer>
#include <QWidget>
#include <array>

#include "app/frm_para_mokra.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kal {

class ParaMokraWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ParaMokraWindow(QWidget* parent = nullptr);

  // Shows, fills and places the window as the model says; closes it when the model unloaded it.
  void render(const FrmParaMokra& m);
  // The window it stands beside; it goes to its other side when the screen ends first.
  void setBeside(QWidget* main) { beside_ = main; }
  // The twelve values as a tab-separated table (frame and caption, value, unit), one row a line.
  QString resultTable() const;

 signals:
  void exitClicked();   // "Exit"
  void closeClicked();  // the window's own close button

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;  // Escape closes

 private:
  void place(const Geometry& g);

  double dpi_;  // design twips to pixels: the screen's DPI, more when the font needs room
  std::array<QLineEdit*, 12> txtMokra_{};
  std::array<QLabel*, 12> captions_{};
  QPointer<QWidget> beside_;
  QPushButton* command1_ = nullptr;
  bool shown_ = false;  // the model's window is on screen
  Geometry placed_;     // the model's geometry last applied
};

}  // namespace kal
