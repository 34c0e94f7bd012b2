#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/stanowisko.h"
#include "common/errors.h"
#include "gui/app_look.h"
#include "gui/para_mokra_window.h"
#include "gui/report_window.h"
#include "gui/turbina_window.h"
#include "gui/twips.h"
#include "gui/wykres_is_window.h"

namespace kal {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* PlainLabel(QWidget* parent, const QString& name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  return l;
}

// A list's own text (shown before any choice) in the colour of a chosen item, not greyed.
void ShowOwnTextPlainly(QComboBox* combo) {
  QPalette pal = combo->palette();
  pal.setColor(QPalette::PlaceholderText, pal.color(QPalette::ButtonText));
  combo->setPalette(pal);
}

void SetTextIfChanged(QLineEdit* box, const QString& text) {
  if (box->text() != text) box->setText(text);  // keeps the cursor of an unchanged box
}

// Where each box's row stands in the table, and which unit label goes with it (-1 none).
struct RowDesign {
  int box;
  int row;
  int unitLabel;
};
constexpr RowDesign kInputRows[5] = {{0, 0, 0}, {1, 1, -1}, {2, 2, 1}, {3, 3, 2}, {4, 4, 6}};
constexpr RowDesign kResultRows[5] = {{5, 6, 3}, {6, 7, 4}, {7, 8, 5}, {8, 9, 7}, {9, 10, 8}};

constexpr const char* kGeometryKey = "okno/geometria";

}  // namespace

MainWindow::MainWindow(KalorimoApp& app, QWidget* parent)
    : QMainWindow(parent),
      app_(app),
      mokra_(std::make_unique<ParaMokraWindow>()),
      wykres_(std::make_unique<WykresISWindow>(app.modMain.dialogs())),
      drzwi_(std::make_unique<DrzwiTurbin>(app.modMain.dialogs())) {
  setObjectName(QStringLiteral("frmKalorimo"));
  QApplication::setWindowIcon(AppIcon());  // every window and dialog of the application
  mokra_->setBeside(this);
  QFont f = font();
  if (f.pointSizeF() < 10) f.setPointSizeF(10);  // readable on any screen
  setFont(f);

  buildMenu();
  buildTable();

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(1000);
  // The clock's tick changes its caption only: the other windows, the chart above all, are not
  // drawn again each second.
  connect(timer1_, &QTimer::timeout, this, [this] {
    syncGeometry();
    app_.Timer1_Timer();
    lblTime_->setText(Q(app_.frm.lblTime));
  });

  connect(mokra_.get(), &ParaMokraWindow::exitClicked, this, [this] { run([this] { app_.Command1_Click(); }); });
  connect(mokra_.get(), &ParaMokraWindow::closeClicked, this, [this] { run([this] { app_.Command1_Click(); }); });

  // "Wykres I-S": its edits go into the model (p2 is the exhaust row, box 9), its commands
  // through the handlers.
  WykresISWindow* w = wykres_.get();
  connect(w, &WykresISWindow::p2Edited, this, [this](const QString& t) {
    app_.frm.Text_IS[pole::Wylot].Text = t.toStdString();
    SetTextIfChanged(textIS_[pole::Wylot], t);
  });
  connect(w, &WykresISWindow::t2Edited, this, [this](const QString& t) { app_.wykresIS.txtT2 = t.toStdString(); });
  connect(w, &WykresISWindow::etaEdited, this, [this](const QString& t) { app_.wykresIS.txtEta = t.toStdString(); });
  connect(w, &WykresISWindow::trybChosen, this,
          [this](bool t2) { run([this, t2] { app_.wykresIS.tryb = t2 ? Koniec2::T2 : Koniec2::Eta; }); });
  connect(w, &WykresISWindow::obliczClicked, this, [this] { run([this] { app_.cmdObliczIS_Click(); }); });
  connect(w, &WykresISWindow::closeClicked, this, [this] { run([this] { app_.WykresIS_Unload(); }); });
  connect(w, &WykresISWindow::if97Toggled, this, [this](bool on) { run([this, on] { app_.chkIF97_Click(on); }); });
  // The readout runs on the chart's own evaluator: nothing of the calculator changes, no render.
  connect(w, &WykresISWindow::odczytZadany, this,
          [this](double s, double h) { wykres_->ustawOdczyt(QString::fromStdString(app_.OdczytIS(s, h))); });

  wybierzBazeTurbin = [this] {
    return QFileDialog::getSaveFileName(this, QStringLiteral("Otwórz bazę turbin"), Q(drzwi_->sciezka()),
                                        QStringLiteral("Baza turbin (*.db);;Wszystkie pliki (*)"), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
  };

  report_ = new ReportWindow(this);
  connect(report_, &ReportWindow::editorClicked, this, [this] { run([this] { app_.cmdEdytor_Click(); }); });
  connect(report_, &ReportWindow::closeClicked, this, [this] { run([this] { app_.Raport_Zamknij(); }); });

  // "&pPary2" and "   &Pomoc" share their letter; while the first is disabled Alt+P must not
  // fall on it.
  qApp->installEventFilter(this);

  auto* copyAll = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this);
  connect(copyAll, &QShortcut::activated, this, [this] { QApplication::clipboard()->setText(resultTable()); });

  // The design size of the window unless the layout needs more.
  const double dpi = logicalDpiY();
  resize(std::max(sizeHint().width(), TwipsToPx(app_.frm.geom.Width, dpi)),
         std::max(sizeHint().height(), TwipsToPx(app_.frm.geom.Height, dpi)));
  render();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenu() {
  auto top = [this](QAction*& a, const char* name, std::function<void()> handler) {
    a = menuBar()->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, [this, handler] { run(handler); });
  };
  top(mnuOdczytaj_, "mnuOdczytaj", [this] { app_.mnuOdczytaj_Click(); });
  top(mnuZapisz_, "mnuZapisz", [this] { app_.mnuZapisz_Click(); });
  top(mnuIS_, "mnuIS", [this] { app_.mnuIS_Click(); });
  top(mnuPPary2_, "mnuPPary2", [this] { app_.mnuPPary2_Click(); });
  mnuPomoc_ = menuBar()->addMenu(QString());
  mnuPomoc_->setObjectName(QStringLiteral("mnuPomoc"));
  mnuPomoc_->menuAction()->setObjectName(QStringLiteral("mnuPomoc"));
  auto sub = [this](QAction*& a, const char* name, std::function<void()> handler) {
    a = mnuPomoc_->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, [this, handler] { run(handler); });
  };
  sub(mnuHelp_, "mnuHelp", [this] { app_.mnuHelp_Click(); });
  sub(mnuInfo_, "mnuInfo", [this] { app_.mnuInfo_Click(); });
  sub(mnuAbout_, "mnuAbout", [this] { app_.mnuAbout_Click(); });
  top(mnuZakoncz_, "mnuZakoncz", [this] { app_.mnuZakoncz_Click(); });
}

void MainWindow::buildTable() {
  auto* central = new QWidget(this);
  auto* outer = new QVBoxLayout(central);
  setCentralWidget(central);

  frameIS_ = new QGroupBox(central);
  frameIS_->setObjectName(QStringLiteral("Frame_IS"));
  auto* grid = new QGridLayout(frameIS_);
  grid->setHorizontalSpacing(12);
  grid->setColumnStretch(1, 1);
  outer->addWidget(frameIS_);

  for (int i = 0; i < 10; ++i) {
    auto* box = new QLineEdit(frameIS_);
    box->setObjectName(QStringLiteral("Text_IS_%1").arg(i));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setMinimumWidth(130);
    if (i == 0) {
      editableLook_ = box->palette();
      readOnlyLook_ = ReadOnlyLook(editableLook_);
    }
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this,
            [this, i](const QString& t) { app_.frm.Text_IS[i].Text = t.toStdString(); });
    textIS_[i] = box;
  }
  for (int i = 0; i < 9; ++i) label1_[i] = PlainLabel(frameIS_, QStringLiteral("Label1_%1").arg(i));
  for (int i = 0; i < 5; ++i) lblV_[i] = PlainLabel(frameIS_, QStringLiteral("lbl_V_%1").arg(i));

  combo1_ = new QComboBox(frameIS_);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  ShowOwnTextPlainly(combo1_);
  connect(combo1_, QOverload<int>::of(&QComboBox::activated), this,
          [this](int index) { run([this, index] { app_.Combo1_Click(index); }); });

  for (const RowDesign& r : kInputRows) {
    auto* check = new QCheckBox(frameIS_);
    check->setObjectName(QStringLiteral("Check_%1").arg(r.box));
    const int i = r.box;
    connect(check, &QCheckBox::clicked, this, [this, i](bool on) {
      run([this, i, on] {
        app_.frm.Check[i].Value = on ? 1 : 0;
        app_.Check_Click(i);
      });
      focusFirstInput();
    });
    check_[i] = check;
    grid->addWidget(check, r.row, 0);
    grid->addWidget(textIS_[i], r.row, 1);
    if (i == 0) {
      auto* unit = new QHBoxLayout;
      unit->addWidget(combo1_);
      unit->addWidget(label1_[0]);
      unit->addStretch();
      grid->addLayout(unit, r.row, 2);
    } else if (r.unitLabel >= 0) {
      grid->addWidget(label1_[r.unitLabel], r.row, 2);
    }
  }
  auto* line = new QFrame(frameIS_);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  grid->addWidget(line, 5, 0, 1, 3);
  for (int k = 0; k < 5; ++k) {
    const RowDesign& r = kResultRows[k];
    grid->addWidget(lblV_[k], r.row, 0);
    grid->addWidget(textIS_[r.box], r.row, 1);
    grid->addWidget(label1_[r.unitLabel], r.row, 2);
  }
  comboTurbo_ = new QComboBox(frameIS_);
  comboTurbo_->setObjectName(QStringLiteral("comboTurbo"));
  comboTurbo_->setMinimumContentsLength(10);
  ShowOwnTextPlainly(comboTurbo_);
  connect(comboTurbo_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) { comboTurbo_Click(index); });
  grid->addWidget(comboTurbo_, 11, 0);
  grid->setRowStretch(12, 1);

  auto* bottom = new QHBoxLayout;
  auto* frameButtons = new QFrame(central);
  frameButtons->setObjectName(QStringLiteral("FrameButtons"));
  frameButtons->setFrameShape(QFrame::StyledPanel);
  frameButtons->installEventFilter(this);
  auto* buttons = new QHBoxLayout(frameButtons);
  buttons->setContentsMargins(10, 8, 10, 8);
  cmdClearAll_ = new QPushButton(frameButtons);
  cmdClearAll_->setObjectName(QStringLiteral("cmdClearAll"));
  cmdOblicz_ = new QPushButton(frameButtons);
  cmdOblicz_->setObjectName(QStringLiteral("cmdOblicz"));
  cmdOblicz_->setDefault(false);
  for (QPushButton* b : {cmdClearAll_, cmdOblicz_}) {
    b->setMinimumWidth(110);
    buttons->addWidget(b);
  }
  connect(cmdClearAll_, &QPushButton::clicked, this, [this] { run([this] { app_.cmdClearAll_Click(); }); });
  connect(cmdOblicz_, &QPushButton::clicked, this, [this] { run([this] { app_.cmdOblicz_Click(); }); });
  frameButtons_ = frameButtons;
  bottom->addWidget(frameButtons);
  bottom->addStretch();
  lblTime_ = PlainLabel(central, QStringLiteral("lblTime"));
  lblTime_->setMinimumWidth(90);
  lblTime_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bottom->addWidget(lblTime_);
  outer->addLayout(bottom);

  // Tab goes down the rows, then to the buttons.
  QList<QWidget*> order;
  for (const RowDesign& r : kInputRows) {
    order << check_[r.box] << textIS_[r.box];
    if (r.box == 0) order << combo1_;
  }
  for (const RowDesign& r : kResultRows) order << textIS_[r.box];
  order << comboTurbo_ << cmdClearAll_ << cmdOblicz_;
  for (int k = 1; k < order.size(); ++k) setTabOrder(order[k - 1], order[k]);
}

void MainWindow::focusFirstInput() {
  for (const RowDesign& r : kInputRows) {
    if (app_.frm.Check[r.box].Value == 1 && app_.frm.Text_IS[r.box].Enabled) {
      textIS_[r.box]->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

QString MainWindow::resultTable() const {
  QStringList lines;
  auto row = [&lines](const QString& caption, const QLineEdit* box, const QString& unit) {
    if (!box->isVisible()) return;
    lines << TableRow(caption, box->text(), unit);
  };
  for (const RowDesign& r : kInputRows) {
    const QString unit = r.box == 0
                             ? combo1_->currentText().isEmpty() ? combo1_->placeholderText() : combo1_->currentText()
                         : r.box == 1 ? QStringLiteral("°C")
                                      : label1_[r.unitLabel]->text();
    row(check_[r.box]->text(), textIS_[r.box], unit);
  }
  for (int k = 0; k < 5; ++k)
    row(lblV_[k]->text(), textIS_[kResultRows[k].box], label1_[kResultRows[k].unitLabel]->text());
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void MainWindow::start() {
  // Where the window was last closed (the user's configuration folder, not the data folder).
  const QByteArray place = QSettings().value(QLatin1String(kGeometryKey)).toByteArray();
  if (!place.isEmpty()) restoreGeometry(place);
  run([this] { app_.Form_Load(); });
  drzwi_->UstawFolder(app_.frm.Folder);
  fillTurbines();
  timer1_->start();
}

void MainWindow::fillTurbines() {
  QStringList items;
  for (const auto& s : drzwi_->Pozycje()) items << Q(s);
  QStringList current;
  for (int k = 0; k < comboTurbo_->count(); ++k) current << comboTurbo_->itemText(k);
  if (items != current) {
    comboTurbo_->clear();
    comboTurbo_->addItems(items);
  }
  comboTurbo_->setCurrentIndex(-1);
}

TurbinaWindow* MainWindow::oknoTurbiny(const std::string& nazwa) const {
  const auto it = turbiny_.find(drzwi_->sciezka() + '\n' + nazwa);
  return it == turbiny_.end() ? nullptr : it->second.get();
}

void MainWindow::openTurbine(const std::string& nazwa) {
  // One window per turbine: a second choice brings the open one forward.
  const std::string key = drzwi_->sciezka() + '\n' + nazwa;
  auto it = turbiny_.find(key);
  if (it == turbiny_.end()) {
    auto magazyn = drzwi_->Magazyn();
    if (!magazyn) return;
    auto model = std::make_unique<OknoTurbiny>(app_.modMain.dialogs(), magazyn, app_.decimalSep);
    if (!model->Otworz(nazwa)) return;
    it = turbiny_.emplace(key, std::make_unique<TurbinaWindow>(std::move(model), app_.modMain.dialogs(), &app_.db.baza))
             .first;
  }
  TurbinaWindow* w = it->second.get();
  w->show();
  w->raise();
  w->activateWindow();
}

void MainWindow::comboTurbo_Click(int index) {
  const int n = static_cast<int>(drzwi_->turbiny().size());
  if (index >= 0 && index < n) {
    const std::string nazwa = drzwi_->turbiny()[static_cast<std::size_t>(index)];
    openTurbine(nazwa);
  } else if (index == n) {
    const std::string nazwa = drzwi_->NowaTurbina();
    if (!nazwa.empty()) openTurbine(nazwa);
  } else if (index == n + 1) {
    const QString path = wybierzBazeTurbin();
    if (!path.isEmpty()) drzwi_->OtworzBaze(path.toStdString());
  }
  fillTurbines();
}

void MainWindow::syncGeometry() {
  if (!isVisible()) return;  // until shown the model keeps its design geometry
  const QRect g = frameGeometry();
  const double dpi = logicalDpiY();
  app_.frm.geom =
      Geometry{PxToTwips(g.x(), dpi), PxToTwips(g.y(), dpi), PxToTwips(g.width(), dpi), PxToTwips(g.height(), dpi)};
}

void MainWindow::run(const std::function<void()>& handler) {
  ++depth_;
  syncGeometry();
  try {
    handler();
  } catch (const RunTimeError& e) {
    // An error outside the error traps: the run-time's own message, then the end.
    app_.modMain.dialogs().MsgBox("Błąd wykonania nr " + std::to_string(e.number) + "\r\n\r\n" + e.description,
                                  Buttons::OK, Icon::Exclamation, "");
    app_.modMain.platform().EndApplication();
  } catch (const std::exception& e) {
    app_.modMain.dialogs().MsgBox(std::string("Błąd wykonania\r\n\r\n") + e.what(), Buttons::OK, Icon::Exclamation, "");
    app_.modMain.platform().EndApplication();
  }
  --depth_;
  render();
}

void MainWindow::renderMenu(QAction* action, const MenuItem& item) {
  action->setText(Q(item.Caption));
  action->setEnabled(item.Enabled);
  action->setVisible(item.Visible);
}

void MainWindow::render() {
  const FrmKalorimo& m = app_.frm;
  setWindowTitle(Q(m.Caption));

  for (int i = 0; i < 5; ++i) {
    check_[i]->setText(Q(m.Check[i].Caption));
    check_[i]->setChecked(m.Check[i].Value == 1);
    check_[i]->setEnabled(m.Check[i].Enabled);
  }
  for (int i = 0; i < 10; ++i) {
    QLineEdit* box = textIS_[i];
    SetTextIfChanged(box, Q(m.Text_IS[i].Text));
    // A box the model disables is read-only with the disabled look, yet selectable and copyable.
    const bool editable = m.Text_IS[i].Enabled;
    if (box->isReadOnly() == editable) {
      box->setReadOnly(!editable);
      box->setPalette(editable ? editableLook_ : readOnlyLook_);
      box->setFocusPolicy(editable ? Qt::StrongFocus : Qt::ClickFocus);
    }
    box->setVisible(m.Text_IS[i].Visible);
  }
  for (int i = 0; i < 5; ++i) {
    lblV_[i]->setText(Q(m.lbl_V[i].Caption));
    lblV_[i]->setVisible(m.lbl_V[i].Visible);
  }
  for (int i = 0; i < 9; ++i) {
    label1_[i]->setText(Q(m.Label1[i].Caption));
    label1_[i]->setVisible(m.Label1[i].Visible);
  }

  // The unit list shows the model's text: one of its items, or its own text before any choice.
  QStringList items;
  for (const auto& s : m.Combo1Items) items << Q(s);
  QStringList current;
  for (int k = 0; k < combo1_->count(); ++k) current << combo1_->itemText(k);
  if (items != current) {
    combo1_->clear();
    combo1_->addItems(items);
  }
  combo1_->setPlaceholderText(Q(m.Combo1Text));
  combo1_->setCurrentIndex(combo1_->findText(Q(m.Combo1Text), Qt::MatchExactly));

  comboTurbo_->setPlaceholderText(Q(m.comboTurboText));
  comboTurbo_->setCurrentIndex(-1);

  frameButtons_->setVisible(m.FrameButtonsVisible);
  cmdClearAll_->setText(Q(m.cmdClearAllCaption));
  cmdClearAll_->setEnabled(m.cmdClearAllEnabled);
  cmdOblicz_->setText(Q(m.cmdObliczCaption));
  cmdOblicz_->setEnabled(m.cmdOblicz_Enabled);
  frameIS_->setTitle(Q(m.Frame_ISCaption));
  frameIS_->setVisible(m.Frame_ISVisible);
  lblTime_->setText(Q(m.lblTime));

  renderMenu(mnuOdczytaj_, m.mnuOdczytaj);
  renderMenu(mnuZapisz_, m.mnuZapisz);
  renderMenu(mnuIS_, m.mnuIS);
  renderMenu(mnuPPary2_, m.mnuPPary2);
  mnuPomoc_->setTitle(Q(m.mnuPomoc.Caption));
  renderMenu(mnuPomoc_->menuAction(), m.mnuPomoc);
  renderMenu(mnuHelp_, m.mnuHelp);
  renderMenu(mnuInfo_, m.mnuInfo);
  renderMenu(mnuAbout_, m.mnuAbout);
  renderMenu(mnuZakoncz_, m.mnuZakoncz);

  if (m.closed) {
    timer1_->stop();
    mokra_->hide();
    wykres_->hide();
    for (auto& [key, w] : turbiny_)
      if (w) w->close();
    close();
    return;
  }
  if (m.Visible && !isVisible()) show();
  if (!m.Visible && isVisible()) hide();
  mokra_->render(app_.mokra);
  wykres_->render(app_.wykresIS, app_.frm, app_.decimalSep, frameGeometry());
  report_->render(app_.raport);

  if (m.focusRequest >= 0 && m.focusRequest < 10) {
    textIS_[m.focusRequest]->setFocus(Qt::OtherFocusReason);
    focusHonoured_ = true;
  }
  app_.frm.focusRequest = -1;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* w = qobject_cast<QWidget*>(watched);
    if (key->key() == Qt::Key_P && key->modifiers() == Qt::AltModifier && w && w->window() == this &&
        !mnuPPary2_->isEnabled() && mnuPomoc_->menuAction()->isVisible() && mnuPomoc_->menuAction()->isEnabled()) {
      event->accept();  // the shortcut map leaves the key alone; the key press opens "Pomoc"
      if (event->type() == QEvent::KeyPress) menuBar()->setActiveAction(mnuPomoc_->menuAction());
      return true;
    }
  }
  // The list of turbines is read again as it opens: another window or the batch tool may have added
  // one (the filter watches the whole application, so it sees the list's own events).
  if (watched == comboTurbo_ &&
      (event->type() == QEvent::MouseButtonPress ||
       (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4))) {
    drzwi_->Odswiez();
    fillTurbines();
    return false;
  }
  if (watched == frameButtons_ && event->type() == QEvent::MouseButtonPress) {
    run([this] { app_.frameButtons_click(); });
    return true;
  }
  for (int i = 0; i < 10; ++i) {
    if (watched != textIS_[i]) continue;
    if (textIS_[i]->isReadOnly()) return false;  // a disabled box of the model gets no events
    if (event->type() == QEvent::MouseButtonRelease) {
      run([this, i] { app_.Text_IS_Click(i); });
    } else if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      const int ascii = (key == Qt::Key_Return || key == Qt::Key_Enter) ? 13 : key == Qt::Key_Tab ? 9 : 0;
      if (ascii == 0) return false;
      focusHonoured_ = false;
      run([this, i, ascii] { app_.Text_IS_KeyPress(i, ascii); });
      // A Tab that already moved the focus where the model asked must not move it again.
      return ascii == 9 && focusHonoured_;
    }
    return false;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // The close button leaves the application the way "Za&kończ" does.
  if (!app_.frm.closed && depth_ == 0) run([this] { app_.mnuZakoncz_Click(); });
  if (app_.frm.closed) {
    QSettings().setValue(QLatin1String(kGeometryKey), saveGeometry());
    e->accept();
  } else {
    e->ignore();
  }
}

}  // namespace kal
