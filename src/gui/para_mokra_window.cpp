#include "gui/para_mokra_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>

#include "gui/app_look.h"
#include "gui/twips.h"

namespace kal {

namespace {

// Design layout in twips: the client area, the four frames and the boxes inside them.
constexpr double kClientW = 6588, kClientH = 7140;
constexpr double kFrameLeft = 240, kFrameW = 5655;
constexpr double kBoxW = 1335, kBoxH = 615;
constexpr double kLabelW = 1740, kLabelH = 285;

struct FrameDesign {
  const char* name;
  const char* caption;
  double top, height;
  double boxLeft[3];
  double boxTop;
  const char* labels[3];
};

constexpr FrameDesign kFrames[4] = {
    {"FrameParametry",
     "Parametry pary",
     0,
     1575,
     {360, 2160, 3960},
     720,
     {"Ciśnienie MPa", "Temperatura", "Stopień  suchości"}},
    {"frameWoda", "Woda nasycona", 1560, 1575, {240, 2160, 3960}, 720, {"Objętość właściwa", "Entalpia", "Entropia"}},
    {"FrameParaNas",
     "Para nasycona",
     3240,
     1695,
     {240, 2040, 3840},
     840,
     {"Objętość właściwa", "Entalpia", "Entropia"}},
    {"FramePara", "Para mokra", 5040, 1575, {240, 2040, 3840}, 840, {"Objętość właściwa", "Entalpia", "Entropia"}},
};
// Units of the copied table, box by box.
constexpr const char* kUnits[12] = {"MPa",   "°C",    "-",         "m3/kg", "kJ/kg", "kJ/kg/deg",
                                    "m3/kg", "kJ/kg", "kJ/kg/deg", "m3/kg", "kJ/kg", "kJ/kg/deg"};

// Pixels per inch for the design twips: the screen's, or more when a caption or a box's text in
// the window's font would not fit its design place (a large font, a scaled screen).
double LayoutDpi(const QFont& font, double dpi) {
  const QFontMetrics fm(font);
  double need = dpi;
  auto fit = [&need](double px, double twips) { need = std::max(need, px * 1440.0 / twips); };
  for (const FrameDesign& f : kFrames) {
    for (const char* label : f.labels) fit(fm.horizontalAdvance(QString::fromUtf8(label)) + 4, kLabelW);
    fit(fm.horizontalAdvance(QString::fromUtf8(f.caption)) + 24, kFrameW / 2);
  }
  fit(fm.height() + 2, kLabelH);
  fit(fm.horizontalAdvance(QStringLiteral("00 000,00")) + 12, kBoxW);
  fit(fm.height() * 1.6, kBoxH);
  fit(fm.height() * 1.4, 495);  // the Exit button
  return need;
}

}  // namespace

ParaMokraWindow::ParaMokraWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), dpi_(LayoutDpi(font(), logicalDpiY())) {
  setObjectName(QStringLiteral("frmParaMokra"));
  setAttribute(Qt::WA_QuitOnClose, false);  // it never keeps the application alive
  const QPalette readOnly = ReadOnlyLook(palette());
  int index = 0;
  for (const FrameDesign& f : kFrames) {
    auto* frame = new QGroupBox(QString::fromUtf8(f.caption), this);
    frame->setObjectName(QString::fromLatin1(f.name));
    frame->setGeometry(TwipsRect(kFrameLeft, f.top, kFrameW, f.height, dpi_));
    for (int k = 0; k < 3; ++k, ++index) {
      auto* label = new QLabel(QString::fromUtf8(f.labels[k]), frame);
      if (index == 0) label->setObjectName(QStringLiteral("lbl_P_Mokra"));
      captions_[index] = label;
      // Each caption stands above its box.
      label->setGeometry(TwipsRect(f.boxLeft[k], f.boxTop - 480, kLabelW, kLabelH, dpi_));
      auto* box = new QLineEdit(frame);
      box->setObjectName(QStringLiteral("txtMokra_%1").arg(index));
      box->setGeometry(TwipsRect(f.boxLeft[k], f.boxTop, kBoxW, kBoxH, dpi_));
      // Disabled in the design: here read-only with the disabled look, so values can be copied.
      box->setReadOnly(true);
      box->setPalette(readOnly);
      box->setFocusPolicy(Qt::ClickFocus);
      box->setAlignment(Qt::AlignCenter);
      txtMokra_[index] = box;
    }
  }
  command1_ = new QPushButton(this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(TwipsRect(5040, 6600, 1455, 495, dpi_));
  connect(command1_, &QPushButton::clicked, this, &ParaMokraWindow::exitClicked);
  auto* copyAll = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this);
  connect(copyAll, &QShortcut::activated, this, [this] { QApplication::clipboard()->setText(resultTable()); });
  setFixedSize(TwipsToPx(kClientW, dpi_), TwipsToPx(kClientH, dpi_));
}

QString ParaMokraWindow::resultTable() const {
  QString out;
  for (std::size_t i = 0; i < txtMokra_.size(); ++i) {
    const auto* frame = static_cast<const QGroupBox*>(txtMokra_[i]->parentWidget());
    out += TableRow(frame->title() + QStringLiteral(": ") + captions_[i]->text(), txtMokra_[i]->text(),
                    QString::fromUtf8(kUnits[i])) +
           QLatin1Char('\n');
  }
  return out;
}

void ParaMokraWindow::render(const FrmParaMokra& m) {
  if (!m.Loaded || !m.Visible) {
    shown_ = false;
    hide();
    return;
  }
  setWindowTitle(QString::fromStdString(m.Caption));
  command1_->setText(QString::fromStdString(m.Command1Caption));
  for (std::size_t i = 0; i < txtMokra_.size(); ++i) {
    txtMokra_[i]->setText(QString::fromStdString(m.txtMokra[i].Text));
    txtMokra_[i]->setVisible(m.txtMokra[i].Visible);
  }
  const Geometry& g = m.geom;
  if (!shown_ || g.Left != placed_.Left || g.Top != placed_.Top || g.Height != placed_.Height) place(g);
  if (!shown_) {
    show();
    shown_ = true;
  }
}

void ParaMokraWindow::place(const Geometry& g) {
  placed_ = g;
  // The model's height is the main window's outer height; the layout below never gets cut.
  const int decoration = isVisible() ? frameGeometry().height() - height() : 0;
  // The model's place is in twips of the main window's screen; the layout's own DPI may be larger.
  const double screenDpi = logicalDpiY();
  int clientH = std::max(TwipsToPx(g.Height, screenDpi) - decoration, TwipsToPx(kClientH, dpi_));
  const QWidget* main = beside_ ? beside_->window() : nullptr;
  const QScreen* sc = main ? main->screen() : screen();
  const QRect avail = sc ? sc->availableGeometry() : QRect();
  if (avail.isValid()) clientH = std::min(clientH, std::max(avail.height() - decoration, TwipsToPx(kClientH, dpi_)));
  setFixedSize(TwipsToPx(kClientW, dpi_), clientH);
  QPoint at(TwipsToPx(g.Left, screenDpi), TwipsToPx(g.Top, screenDpi));
  if (avail.isValid() && main) {
    const int frameW = isVisible() ? frameGeometry().width() - width() : 0;
    at = PlaceBeside(at, QSize(width() + frameW, clientH + decoration), main->frameGeometry(), avail);
  }
  move(at);
}

void ParaMokraWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    emit exitClicked();
    return;
  }
  QWidget::keyPressEvent(e);
}

void ParaMokraWindow::closeEvent(QCloseEvent* e) {
  // The close button is the "Exit" button: the model decides, the view follows.
  emit closeClicked();
  if (shown_) {
    e->ignore();
    return;
  }
  e->accept();
}

}  // namespace kal
