#include "gui/para_mokra_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

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

}  // namespace

ParaMokraWindow::ParaMokraWindow(QWidget* parent) : QWidget(parent, Qt::Window), dpi_(logicalDpiY()) {
  setObjectName(QStringLiteral("frmParaMokra"));
  setAttribute(Qt::WA_QuitOnClose, false);  // it never keeps the application alive
  // The boxes are disabled, as designed; their grey text is kept dark enough to read.
  QPalette pal = palette();
  pal.setColor(QPalette::Disabled, QPalette::Text, pal.color(QPalette::Active, QPalette::Text).lighter(250));
  setPalette(pal);
  int index = 0;
  for (const FrameDesign& f : kFrames) {
    auto* frame = new QGroupBox(QString::fromUtf8(f.caption), this);
    frame->setObjectName(QString::fromLatin1(f.name));
    frame->setGeometry(TwipsRect(kFrameLeft, f.top, kFrameW, f.height, dpi_));
    for (int k = 0; k < 3; ++k, ++index) {
      auto* label = new QLabel(QString::fromUtf8(f.labels[k]), frame);
      if (index == 0) label->setObjectName(QStringLiteral("lbl_P_Mokra"));
      // Each caption stands above its box.
      label->setGeometry(TwipsRect(f.boxLeft[k], f.boxTop - 480, kLabelW, kLabelH, dpi_));
      auto* box = new QLineEdit(frame);
      box->setObjectName(QStringLiteral("txtMokra_%1").arg(index));
      box->setGeometry(TwipsRect(f.boxLeft[k], f.boxTop, kBoxW, kBoxH, dpi_));
      box->setReadOnly(true);
      box->setFocusPolicy(Qt::NoFocus);
      box->setAlignment(Qt::AlignCenter);
      txtMokra_[index] = box;
    }
  }
  command1_ = new QPushButton(this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setGeometry(TwipsRect(5040, 6600, 1455, 495, dpi_));
  connect(command1_, &QPushButton::clicked, this, &ParaMokraWindow::exitClicked);
  setFixedSize(TwipsToPx(kClientW, dpi_), TwipsToPx(kClientH, dpi_));
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
    txtMokra_[i]->setEnabled(m.txtMokra[i].Enabled);
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
  const int clientH = std::max(TwipsToPx(g.Height, dpi_) - decoration, TwipsToPx(kClientH, dpi_));
  setFixedSize(TwipsToPx(kClientW, dpi_), clientH);
  move(TwipsToPx(g.Left, dpi_), TwipsToPx(g.Top, dpi_));
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
