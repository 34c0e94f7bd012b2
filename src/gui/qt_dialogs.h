// Message boxes and the input box of the running application, with Qt.
#pragma once
#include <QString>

#include "common/dialogs.h"

class QMessageBox;
class QWidget;

namespace kal {

// Model text (UTF-8, lines joined by CR LF) as a Qt text with plain line breaks.
QString ToQtText(const std::string& text);
// An empty title means the application's title.
QString DialogTitle(const std::string& title);

// A message box set up with the text, icon, buttons and title asked for, not yet shown.
QMessageBox* BuildMessageBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title,
                             QWidget* parent);

class QtDialogs : public Dialogs {
 public:
  Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title) override;

 public:
  // The window a dialog belongs to and is centred on.
  static QWidget* Parent();
};

// While it lives, dialogs belong to `owner`: a window whose own file dialog has just closed is not
// the active one again until the window manager says so.
class DialogOwner {
 public:
  explicit DialogOwner(QWidget* owner);
  ~DialogOwner();
  DialogOwner(const DialogOwner&) = delete;
  DialogOwner& operator=(const DialogOwner&) = delete;

 private:
  QWidget* previous_;
};

}  // namespace kal
