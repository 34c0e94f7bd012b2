#include "gui/qt_dialogs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>
#include <memory>

namespace kal {

QString ToQtText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

QString DialogTitle(const std::string& title) {
  return QString::fromStdString(title.empty() ? std::string(kAppTitle) : title);
}

namespace {
QPointer<QWidget> gOwner;
}

DialogOwner::DialogOwner(QWidget* owner) : previous_(gOwner) { gOwner = owner; }
DialogOwner::~DialogOwner() { gOwner = previous_; }

QWidget* QtDialogs::Parent() {
  // The window that asked: the one named so, the active one, else the main window (a dialog is
  // centred on it).
  if (gOwner && gOwner->isVisible()) return gOwner;
  if (QWidget* w = QApplication::activeWindow()) return w;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->objectName() == QLatin1String("frmKalorimo")) return w;
  }
  return nullptr;
}

namespace {

// Qt folds any message wider than 500 px; the messages are laid out line by line, so a
// message whose lines fit a screen keeps them whole. Longer texts still fold.
void KeepLinesWhole(QMessageBox* box) {
  auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (!label) return;
  const QFontMetrics metrics(label->font());
  int widest = 0;
  for (const QString& line : box->text().split(QLatin1Char('\n')))
    widest = std::max(widest, metrics.horizontalAdvance(line));
  // Nor is the title cut short in the title bar beside its buttons.
  widest = std::max(widest, metrics.horizontalAdvance(box->windowTitle()) + 100);
  constexpr int kWidestKept = 760;
  if (widest <= kWidestKept) label->setMinimumWidth(widest + 8);
}

}  // namespace

QMessageBox* BuildMessageBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title,
                             QWidget* parent) {
  auto* box = new QMessageBox(parent);
  box->setWindowTitle(DialogTitle(title));
  // Plain text keeps the blanks the messages are written with and never reads them as markup.
  box->setTextFormat(Qt::PlainText);
  box->setText(ToQtText(text));
  KeepLinesWhole(box);
  switch (icon) {
    case Icon::None:
      box->setIcon(QMessageBox::NoIcon);
      break;
    case Icon::Information:
      box->setIcon(QMessageBox::Information);
      break;
    case Icon::Exclamation:
      box->setIcon(QMessageBox::Warning);
      break;
  }
  if (buttons == Buttons::YesNo) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
  }
  return box;
}

Answer QtDialogs::MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title) {
  std::unique_ptr<QMessageBox> box(BuildMessageBox(text, buttons, icon, title, Parent()));
  const int pressed = box->exec();
  if (buttons == Buttons::OK) return Answer::Ok;
  return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title) {
  QInputDialog dlg(Parent());
  dlg.setWindowTitle(DialogTitle(title));
  dlg.setLabelText(ToQtText(prompt));
  dlg.setInputMode(QInputDialog::TextInput);
  if (dlg.exec() != QDialog::Accepted) return std::string();
  return dlg.textValue().toStdString();
}

}  // namespace kal
