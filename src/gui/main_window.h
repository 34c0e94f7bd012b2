// The main window "Parametry pary wodnej  wg WEXTAN": renders the model of the running
// application after every handler and forwards the user's edits and events to the handlers.
#pragma once
#include <QMainWindow>
#include <QPalette>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/kalorimo_app.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace kal {

class DrzwiTurbin;
class ParaMokraWindow;
class TurbinaWindow;
class WykresISWindow;
class ReportWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(KalorimoApp& app, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Runs the start-up, shows the window as the model says and starts the clock.
  void start();

  ParaMokraWindow* paraMokra() const { return mokra_.get(); }
  WykresISWindow* wykresIS() const { return wykres_.get(); }
  ReportWindow* reportWindow() const { return report_; }
  // The visible result rows as a tab-separated table (caption, value, unit), one row a line.
  QString resultTable() const;
  QTimer* timer1() const { return timer1_; }

  // The door "Turbiny": the open database of turbines and the window of each opened turbine.
  DrzwiTurbin& drzwiTurbin() { return *drzwi_; }
  TurbinaWindow* oknoTurbiny(const std::string& nazwa) const;
  // "Otwórz bazę…": the file chosen, "" for a cancel. Tests hand the path in here.
  std::function<QString()> wybierzBazeTurbin;
  // A choice of the list "Turbiny" by its index, as when the user picks it.
  void comboTurbo_Click(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void buildMenu();
  void buildTable();
  // Model geometry, the handler, then the whole model on screen.
  void run(const std::function<void()>& handler);
  void render();
  void renderMenu(QAction* action, const MenuItem& item);
  void syncGeometry();
  void focusFirstInput();
  void fillTurbines();
  void openTurbine(const std::string& nazwa);

  KalorimoApp& app_;
  std::unique_ptr<ParaMokraWindow> mokra_;
  std::unique_ptr<WykresISWindow> wykres_;
  ReportWindow* report_ = nullptr;
  std::unique_ptr<DrzwiTurbin> drzwi_;
  std::map<std::string, std::unique_ptr<TurbinaWindow>> turbiny_;  // by database and name
  QTimer* timer1_ = nullptr;
  int depth_ = 0;               // handlers running (a modal box runs the event loop inside one)
  bool focusHonoured_ = false;  // the last render moved the focus as the model asked

  std::array<QCheckBox*, 5> check_{};
  std::array<QLineEdit*, 10> textIS_{};
  QPalette editableLook_, readOnlyLook_;  // a box the model disables keeps the disabled look
  std::array<QLabel*, 5> lblV_{};
  std::array<QLabel*, 9> label1_{};
  QComboBox* combo1_ = nullptr;
  QComboBox* comboTurbo_ = nullptr;
  QGroupBox* frameIS_ = nullptr;
  QWidget* frameButtons_ = nullptr;
  QPushButton* cmdClearAll_ = nullptr;
  QPushButton* cmdOblicz_ = nullptr;
  QLabel* lblTime_ = nullptr;

  QAction* mnuOdczytaj_ = nullptr;
  QAction* mnuZapisz_ = nullptr;
  QAction* mnuIS_ = nullptr;
  QAction* mnuPPary2_ = nullptr;
  QMenu* mnuPomoc_ = nullptr;
  QAction* mnuHelp_ = nullptr;
  QAction* mnuInfo_ = nullptr;
  QAction* mnuAbout_ = nullptr;
  QAction* mnuZakoncz_ = nullptr;
};

}  // namespace kal
