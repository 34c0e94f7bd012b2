// The wet-steam window "Para mokra": four frames of three read-only boxes at their twip layout.
// It renders FrmParaMokra and reports "Exit" and the close button; it decides nothing itself.
#pragma once
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

 signals:
  void exitClicked();   // "Exit"
  void closeClicked();  // the window's own close button

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void place(const Geometry& g);

  double dpi_;
  std::array<QLineEdit*, 12> txtMokra_{};
  QPushButton* command1_ = nullptr;
  bool shown_ = false;  // the model's window is on screen
  Geometry placed_;     // the model's geometry last applied
};

}  // namespace kal
