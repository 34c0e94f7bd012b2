#include "gui/report_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/app_look.h"
#include "gui/qt_dialogs.h"

namespace kal {

ReportWindow::ReportWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmRaport"));
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* outer = new QVBoxLayout(this);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("txtRaport"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const QFont mono = FixedPitchFont(fixed, std::max(fixed.pointSizeF(), font().pointSizeF()));
  text_->setFont(mono);
  outer->addWidget(text_);

  auto* buttons = new QHBoxLayout;
  cmdKopiuj_ = new QPushButton(this);
  cmdKopiuj_->setObjectName(QStringLiteral("cmdKopiuj"));
  cmdEdytor_ = new QPushButton(this);
  cmdEdytor_->setObjectName(QStringLiteral("cmdEdytor"));
  cmdZamknij_ = new QPushButton(this);
  cmdZamknij_->setObjectName(QStringLiteral("cmdZamknij"));
  buttons->addWidget(cmdKopiuj_);
  buttons->addWidget(cmdEdytor_);
  buttons->addStretch();
  buttons->addWidget(cmdZamknij_);
  outer->addLayout(buttons);

  connect(cmdKopiuj_, &QPushButton::clicked, this, &ReportWindow::copy);
  connect(cmdEdytor_, &QPushButton::clicked, this, &ReportWindow::editorClicked);
  connect(cmdZamknij_, &QPushButton::clicked, this, &ReportWindow::closeClicked);

  // Wide enough for the report's longest line (its path), within reason.
  const QFontMetrics fm(mono);
  resize(std::min(fm.horizontalAdvance(QLatin1Char('M')) * 72, 900), fm.lineSpacing() * 20 + 80);
}

void ReportWindow::copy() {
  // The selection when there is one, else the whole report.
  QString selected = text_->textCursor().selectedText();
  QApplication::clipboard()->setText(
      selected.isEmpty() ? text_->toPlainText() : selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
}

void ReportWindow::render(const FrmRaport& m) {
  if (!m.Visible) {
    shown_ = false;
    hide();
    return;
  }
  setWindowTitle(QString::fromStdString(m.Caption));
  cmdKopiuj_->setText(QString::fromStdString(m.cmdKopiujCaption));
  cmdEdytor_->setText(QString::fromStdString(m.cmdEdytorCaption));
  cmdZamknij_->setText(QString::fromStdString(m.cmdZamknijCaption));
  const QString text = ToQtText(m.Text);
  if (text_->toPlainText() != text) text_->setPlainText(text);
  if (!shown_) {
    // Centred on the window that asked for it.
    if (QWidget* owner = parentWidget()) {
      QRect r = rect();
      r.moveCenter(owner->window()->frameGeometry().center());
      move(r.topLeft());
    }
    show();
    raise();
    activateWindow();
    shown_ = true;
  }
}

void ReportWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    emit closeClicked();
    return;
  }
  QWidget::keyPressEvent(e);
}

void ReportWindow::closeEvent(QCloseEvent* e) {
  emit closeClicked();
  if (shown_) {
    e->ignore();
    return;
  }
  e->accept();
}

}  // namespace kal
