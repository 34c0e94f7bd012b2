// The report viewer: Notes.txt read-only in a monospace font, with Copy, the desktop's editor and
// Close; Escape closes. It renders FrmRaport and reports its buttons; it decides nothing itself.
#pragma once
#include <QWidget>

#include "app/frm_raport.h"

class QPlainTextEdit;
class QPushButton;

namespace kal {

class ReportWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ReportWindow(QWidget* parent = nullptr);

  // Shows and fills the window while the model says it is visible; hides it otherwise.
  void render(const FrmRaport& m);

 signals:
  void editorClicked();
  void closeClicked();  // "Zamknij", Escape or the window's close button

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;  // Escape closes

 private:
  void copy();

  QPlainTextEdit* text_ = nullptr;
  QPushButton* cmdKopiuj_ = nullptr;
  QPushButton* cmdEdytor_ = nullptr;
  QPushButton* cmdZamknij_ = nullptr;
  bool shown_ = false;
};

}  // namespace kal
