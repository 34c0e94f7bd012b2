// One turbine's workbench window: shows the window model (the tables, the chosen campaign, the
// results) after every handler and forwards the user's edits to it. Non-modal; its place is
// remembered per turbine.
#pragma once
#include <QWidget>
#include <functional>
#include <memory>

#include "app/stanowisko.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;

namespace kal {

class ImportWizard;
class LiniaISWidget;
class TrendWidget;
class WynikiWidget;

class TurbinaWindow : public QWidget {
  Q_OBJECT

 public:
  // `baza`: the calculator's coefficient record (may be null), looked at again every second.
  TurbinaWindow(std::unique_ptr<OknoTurbiny> model, Dialogs& dialogs, const Baza* baza, QWidget* parent = nullptr);
  ~TurbinaWindow() override;

  OknoTurbiny& model() { return *model_; }
  void render();

  // The file dialogs ("Raport PDF…", "Eksport XLSX…"): a path or "" for a cancel. Tests hand
  // the path in here.
  std::function<QString(const QString& tytul, const QString& filtr)> wybierzPlikDoZapisu;
  // Runs the import wizard; true when accepted. Tests drive the wizard here.
  std::function<bool(ImportWizard&)> uruchomKreator;

  // Paste and copy of the readings grid (Ctrl+V, Ctrl+C).
  void wklej();
  void kopiuj();
  void wyczysc();  // Delete: the chosen readings emptied

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  QTableWidget* tabela(Tabela t) const;
  void budujTabele(Tabela t, QTableWidget* w);
  void renderTabela(Tabela t);
  void komorkaZmieniona(Tabela t, int w, int k, const QString& tekst);
  void usunWiersz(Tabela t);
  void importCsv();
  void raport(bool pdf);
  void zapiszMiejsce();

  std::unique_ptr<OknoTurbiny> model_;
  Dialogs& dialogs_;
  const Baza* baza_;
  bool renderuje_ = false;
  bool miejsceOdtworzone_ = false;
  QTabWidget* zakladki_ = nullptr;
  QTableWidget* punkty_ = nullptr;
  QTableWidget* odcinki_ = nullptr;
  QTableWidget* kampanie_ = nullptr;
  QTableWidget* odczyty_ = nullptr;
  QLabel* lblOdczyty_ = nullptr;
  QPushButton* cmdCofnij_ = nullptr;
  WynikiWidget* wyniki_ = nullptr;
  LiniaISWidget* liniaIS_ = nullptr;
  TrendWidget* trend_ = nullptr;
  QTimer* zegar_ = nullptr;
};

}  // namespace kal
