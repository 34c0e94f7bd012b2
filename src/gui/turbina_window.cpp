#include "gui/turbina_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/turbina_import_wizard.h"
#include "gui/turbina_raport.h"
#include "gui/turbina_wyniki.h"

namespace kal {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A column whose cells are a choice among the model's words edits with a list.
class WyborDelegate : public QStyledItemDelegate {
 public:
  WyborDelegate(std::function<std::vector<std::string>(int)> wybory, QObject* parent)
      : QStyledItemDelegate(parent), wybory_(std::move(wybory)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    const auto w = wybory_(i.column());
    if (w.empty()) return QStyledItemDelegate::createEditor(parent, o, i);
    auto* c = new QComboBox(parent);
    c->setObjectName(QStringLiteral("wybor"));
    for (const auto& s : w) c->addItem(Q(s));
    connect(c, QOverload<int>::of(&QComboBox::activated), this, [this, c] {
      emit const_cast<WyborDelegate*>(this)->commitData(c);
      emit const_cast<WyborDelegate*>(this)->closeEditor(c);
    });
    return c;
  }
  void setEditorData(QWidget* e, const QModelIndex& i) const override {
    if (auto* c = qobject_cast<QComboBox*>(e)) {
      c->setCurrentIndex(c->findText(i.data().toString()));
      return;
    }
    QStyledItemDelegate::setEditorData(e, i);
  }
  void setModelData(QWidget* e, QAbstractItemModel* m, const QModelIndex& i) const override {
    if (auto* c = qobject_cast<QComboBox*>(e)) {
      if (c->currentText() != i.data().toString()) m->setData(i, c->currentText());
      return;
    }
    QStyledItemDelegate::setModelData(e, m, i);
  }

 private:
  std::function<std::vector<std::string>(int)> wybory_;
};

QString KluczMiejsca(const std::string& nazwa) {
  QString n = Q(nazwa);
  n.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
  return QStringLiteral("turbiny/%1/geometria").arg(n);
}

QLabel* Tytul(const QString& tekst, QWidget* parent) {
  auto* l = new QLabel(tekst, parent);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

}  // namespace

TurbinaWindow::TurbinaWindow(std::unique_ptr<OknoTurbiny> model, Dialogs& dialogs, const Baza* baza, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(std::move(model)), dialogs_(dialogs), baza_(baza) {
  setObjectName(QStringLiteral("frmTurbina"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  QFont f = font();
  if (f.pointSizeF() < 10) f.setPointSizeF(10);
  setFont(f);

  wybierzPlikDoZapisu = [this](const QString& tytul, const QString& filtr) {
    return QFileDialog::getSaveFileName(this, tytul, QString(), filtr);
  };
  uruchomKreator = [](ImportWizard& w) { return w.exec() == QDialog::Accepted; };

  auto* outer = new QVBoxLayout(this);
  zakladki_ = new QTabWidget(this);
  zakladki_->setObjectName(QStringLiteral("zakladki"));
  outer->addWidget(zakladki_);

  // "Turbina": the points and the sections.
  auto* tTurbina = new QWidget(zakladki_);
  tTurbina->setObjectName(QStringLiteral("tabTurbina"));
  auto* lt = new QVBoxLayout(tTurbina);
  punkty_ = new QTableWidget(tTurbina);
  punkty_->setObjectName(QStringLiteral("tabPunkty"));
  odcinki_ = new QTableWidget(tTurbina);
  odcinki_->setObjectName(QStringLiteral("tabOdcinki"));
  auto* cmdUsunPunkt = new QPushButton(QStringLiteral("Usuń punkt"), tTurbina);
  cmdUsunPunkt->setObjectName(QStringLiteral("cmdUsunPunkt"));
  auto* cmdUsunOdcinek = new QPushButton(QStringLiteral("Usuń odcinek"), tTurbina);
  cmdUsunOdcinek->setObjectName(QStringLiteral("cmdUsunOdcinek"));
  auto* rp = new QHBoxLayout;
  rp->addWidget(Tytul(QStringLiteral("Punkty pomiarowe"), tTurbina));
  rp->addStretch();
  rp->addWidget(cmdUsunPunkt);
  lt->addLayout(rp);
  lt->addWidget(punkty_, 3);
  auto* ro = new QHBoxLayout;
  ro->addWidget(Tytul(QStringLiteral("Odcinki (ηi = (h1 − h2) / (h1 − h2s))"), tTurbina));
  ro->addStretch();
  ro->addWidget(cmdUsunOdcinek);
  lt->addLayout(ro);
  lt->addWidget(odcinki_, 2);
  zakladki_->addTab(tTurbina, QStringLiteral("Turbina"));
  connect(cmdUsunPunkt, &QPushButton::clicked, this, [this] { usunWiersz(Tabela::Punkty); });
  connect(cmdUsunOdcinek, &QPushButton::clicked, this, [this] { usunWiersz(Tabela::Odcinki); });

  // "Pomiary": the campaigns and the chosen one's readings.
  auto* tPomiary = new QWidget(zakladki_);
  tPomiary->setObjectName(QStringLiteral("tabPomiary"));
  auto* lp = new QVBoxLayout(tPomiary);
  kampanie_ = new QTableWidget(tPomiary);
  kampanie_->setObjectName(QStringLiteral("tabKampanie"));
  odczyty_ = new QTableWidget(tPomiary);
  odczyty_->setObjectName(QStringLiteral("tabOdczyty"));
  auto* rk = new QHBoxLayout;
  rk->addWidget(Tytul(QStringLiteral("Pomiary"), tPomiary));
  rk->addStretch();
  auto przycisk = [&](const char* nazwa, const QString& tekst, QHBoxLayout* l) {
    auto* b = new QPushButton(tekst, tPomiary);
    b->setObjectName(QLatin1String(nazwa));
    l->addWidget(b);
    return b;
  };
  auto* cmdImport = przycisk("cmdImportCsv", QStringLiteral("Import CSV…"), rk);
  auto* cmdPdf = przycisk("cmdRaportPdf", QStringLiteral("Raport PDF…"), rk);
  auto* cmdXlsx = przycisk("cmdEksportXlsx", QStringLiteral("Eksport XLSX…"), rk);
  auto* cmdUsunPomiar = przycisk("cmdUsunPomiar", QStringLiteral("Usuń pomiar"), rk);
  lp->addLayout(rk);
  lp->addWidget(kampanie_, 2);
  lblOdczyty_ = Tytul(QString(), tPomiary);
  lblOdczyty_->setObjectName(QStringLiteral("lblOdczyty"));
  lp->addWidget(lblOdczyty_);
  lp->addWidget(odczyty_, 3);
  auto* podpowiedz = new QLabel(
      QStringLiteral("Ctrl+V wkleja blok z arkusza (tabulatory, przecinek albo kropka dziesiętna), Ctrl+C kopiuje "
                     "zaznaczenie. Ciśnienie w jednostce punktu, nadciśnienie jak wskazuje przyrząd."),
      tPomiary);
  podpowiedz->setWordWrap(true);
  lp->addWidget(podpowiedz);
  zakladki_->addTab(tPomiary, QStringLiteral("Pomiary"));
  connect(cmdImport, &QPushButton::clicked, this, [this] { importCsv(); });
  connect(cmdPdf, &QPushButton::clicked, this, [this] { raport(true); });
  connect(cmdXlsx, &QPushButton::clicked, this, [this] { raport(false); });
  connect(cmdUsunPomiar, &QPushButton::clicked, this, [this] { usunWiersz(Tabela::Kampanie); });

  wyniki_ = new WynikiWidget(zakladki_);
  wyniki_->setObjectName(QStringLiteral("wyniki"));
  zakladki_->addTab(wyniki_, QStringLiteral("Wyniki"));
  liniaIS_ = new LiniaISWidget(zakladki_);
  liniaIS_->setObjectName(QStringLiteral("liniaIS"));
  zakladki_->addTab(liniaIS_, QStringLiteral("Wykres I-S"));
  trend_ = new TrendWidget(zakladki_);
  trend_->setObjectName(QStringLiteral("trend"));
  zakladki_->addTab(trend_, QStringLiteral("Trend"));

  auto* dol = new QHBoxLayout;
  cmdCofnij_ = new QPushButton(QStringLiteral("Cofnij"), this);
  cmdCofnij_->setObjectName(QStringLiteral("cmdCofnij"));
  cmdCofnij_->setShortcut(QKeySequence::Undo);
  auto* cmdPomoc = new QPushButton(QStringLiteral("Pomoc"), this);
  cmdPomoc->setObjectName(QStringLiteral("cmdPomoc"));
  cmdPomoc->setShortcut(QKeySequence::HelpContents);
  auto* cmdZamknij = new QPushButton(QStringLiteral("Zamknij"), this);
  cmdZamknij->setObjectName(QStringLiteral("cmdZamknij"));
  dol->addWidget(cmdCofnij_);
  dol->addWidget(cmdPomoc);
  dol->addStretch();
  dol->addWidget(cmdZamknij);
  outer->addLayout(dol);
  connect(cmdCofnij_, &QPushButton::clicked, this, [this] {
    model_->Cofnij();
    render();
  });
  connect(cmdPomoc, &QPushButton::clicked, this, [this] { model_->Pomoc(); });
  connect(cmdZamknij, &QPushButton::clicked, this, &QWidget::close);

  for (Tabela t : {Tabela::Punkty, Tabela::Odcinki, Tabela::Kampanie, Tabela::Odczyty}) budujTabele(t, tabela(t));
  connect(kampanie_, &QTableWidget::currentCellChanged, this, [this](int w, int, int poprzedni, int) {
    // The new row "*" chooses nothing: the readings below stay those of the chosen campaign.
    if (renderuje_ || w == poprzedni || w >= static_cast<int>(model_->dokument().kampanie.size())) return;
    model_->WybierzKampanie(w);
    render();
  });

  auto* wklejA = new QAction(odczyty_);
  wklejA->setShortcut(QKeySequence::Paste);
  wklejA->setShortcutContext(Qt::WidgetShortcut);
  odczyty_->addAction(wklejA);
  connect(wklejA, &QAction::triggered, this, &TurbinaWindow::wklej);
  // Delete: a row of a table goes; in the readings grid the chosen cells are emptied.
  for (Tabela t : {Tabela::Punkty, Tabela::Odcinki, Tabela::Kampanie, Tabela::Odczyty}) {
    auto* usun = new QAction(tabela(t));
    usun->setShortcut(QKeySequence::Delete);
    usun->setShortcutContext(Qt::WidgetShortcut);
    tabela(t)->addAction(usun);
    connect(usun, &QAction::triggered, this, [this, t] {
      if (t == Tabela::Odczyty)
        wyczysc();
      else
        usunWiersz(t);
    });
  }
  auto* kopiujA = new QAction(odczyty_);
  kopiujA->setShortcut(QKeySequence::Copy);
  kopiujA->setShortcutContext(Qt::WidgetShortcut);
  odczyty_->addAction(kopiujA);
  connect(kopiujA, &QAction::triggered, this, &TurbinaWindow::kopiuj);

  // The coefficient file may have been read again by the calculator: the results follow it.
  model_->Wspolczynniki(baza_);
  zegar_ = new QTimer(this);
  zegar_->setInterval(1000);
  connect(zegar_, &QTimer::timeout, this, [this] {
    const long n = model_->przeliczenia();
    model_->Wspolczynniki(baza_);
    if (model_->przeliczenia() != n) render();
  });
  zegar_->start();

  resize(1280, 820);
  render();
}

TurbinaWindow::~TurbinaWindow() = default;

QTableWidget* TurbinaWindow::tabela(Tabela t) const {
  switch (t) {
    case Tabela::Punkty:
      return punkty_;
    case Tabela::Odcinki:
      return odcinki_;
    case Tabela::Kampanie:
      return kampanie_;
    case Tabela::Odczyty:
      return odczyty_;
  }
  return nullptr;
}

void TurbinaWindow::budujTabele(Tabela t, QTableWidget* w) {
  w->setColumnCount(OknoTurbiny::Kolumny(t));
  QStringList naglowki;
  for (int k = 0; k < OknoTurbiny::Kolumny(t); ++k) naglowki << Q(model_->Kolumna(t, k).naglowek);
  w->setHorizontalHeaderLabels(naglowki);
  w->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // The free text takes the room left; the numbers keep their width.
  const int tekstowa = t == Tabela::Punkty ? kolPunktu::Nazwa : t == Tabela::Kampanie ? kolKampanii::Etykieta : -1;
  if (tekstowa >= 0) w->horizontalHeader()->setSectionResizeMode(tekstowa, QHeaderView::Stretch);
  w->verticalHeader()->setDefaultSectionSize(w->fontMetrics().height() + 10);
  w->setSelectionMode(t == Tabela::Odczyty ? QAbstractItemView::ContiguousSelection
                                           : QAbstractItemView::SingleSelection);
  if (t == Tabela::Kampanie) w->setSelectionBehavior(QAbstractItemView::SelectRows);
  w->setItemDelegate(new WyborDelegate([this, t](int k) { return model_->Kolumna(t, k).wybory; }, w));
  connect(w, &QTableWidget::itemChanged, this, [this, t](QTableWidgetItem* it) {
    if (renderuje_) return;
    komorkaZmieniona(t, it->row(), it->column(), it->text());
  });
}

void TurbinaWindow::komorkaZmieniona(Tabela t, int w, int k, const QString& tekst) {
  // The message comes at its cell: the cell is the current one while the box is shown.
  QTableWidget* tab = tabela(t);
  {
    const QSignalBlocker b(tab);
    tab->setCurrentCell(w, k);
  }
  const std::string nowy = tekst.toStdString();
  if (nowy != model_->Tekst(t, w, k)) model_->Edytuj(t, w, k, nowy);
  // Deferred: the edit may have come from an editor that is still closing.
  QTimer::singleShot(0, this, [this] { render(); });
  render();
}

void TurbinaWindow::usunWiersz(Tabela t) {
  QTableWidget* tab = tabela(t);
  const int w = tab->currentRow();
  if (w < 0) return;
  model_->UsunWiersz(t, w);
  render();
}

void TurbinaWindow::renderTabela(Tabela t) {
  QTableWidget* tab = tabela(t);
  const int wiersze = model_->Wiersze(t), kolumny = OknoTurbiny::Kolumny(t);
  tab->setRowCount(wiersze);
  QStringList boczne;
  for (int w = 0; w < wiersze; ++w) {
    const bool nowy = t != Tabela::Odczyty && w == wiersze - 1;
    boczne << (nowy ? QStringLiteral("*") : QString::number(w + 1));
    for (int k = 0; k < kolumny; ++k) {
      QTableWidgetItem* it = tab->item(w, k);
      if (!it) {
        it = new QTableWidgetItem;
        tab->setItem(w, k, it);
      }
      const QString tekst = Q(model_->Tekst(t, w, k));
      if (it->text() != tekst) it->setText(tekst);
      const OpisKolumny opis = model_->Kolumna(t, k);
      Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
      if (!opis.tylkoOdczyt) f |= Qt::ItemIsEditable;
      it->setFlags(f);
      const bool liczba = t == Tabela::Odczyty    ? k >= kolOdczytu::P
                          : t == Tabela::Punkty   ? (k >= kolPunktu::U_p && k != kolPunktu::U_pJedn)
                          : t == Tabela::Kampanie ? k >= kolKampanii::Moc
                                                  : k == kolOdcinka::EtaProjekt;
      it->setTextAlignment(liczba ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
      if (opis.tylkoOdczyt) it->setBackground(tab->palette().alternateBase());
    }
  }
  tab->setVerticalHeaderLabels(boczne);
}

void TurbinaWindow::render() {
  renderuje_ = true;
  const turbiny::Dokument& d = model_->dokument();
  setWindowTitle(QStringLiteral("Turbina %1 — stanowisko badań").arg(Q(d.turbina.nazwa)));
  for (Tabela t : {Tabela::Punkty, Tabela::Odcinki, Tabela::Kampanie, Tabela::Odczyty}) renderTabela(t);
  const int k = model_->kampania();
  const int naNowym = static_cast<int>(d.kampanie.size());
  if (k >= 0 && kampanie_->currentRow() != k && kampanie_->currentRow() != naNowym)
    kampanie_->setCurrentCell(k, std::max(kampanie_->currentColumn(), 0));
  if (k >= 0) {
    const turbiny::Kampania& c = d.kampanie[static_cast<std::size_t>(k)];
    lblOdczyty_->setText(QStringLiteral("Odczyty pomiaru %1 (%2)").arg(Q(c.id), Q(c.data)));
  } else {
    lblOdczyty_->setText(QStringLiteral("Odczyty — dodaj pomiar w wierszu * powyżej"));
  }
  for (Tabela t : {Tabela::Punkty, Tabela::Odcinki, Tabela::Kampanie, Tabela::Odczyty}) {
    QTableWidget* tab = tabela(t);
    tab->resizeColumnsToContents();
    // A choice's list needs room for its arrow too.
    for (int c = 0; c < tab->columnCount(); ++c) {
      const int lista = model_->Kolumna(t, c).wybory.empty() ? 0 : 32;
      tab->setColumnWidth(c, std::max(tab->columnWidth(c) + 12 + lista, 80));
    }
  }
  cmdCofnij_->setEnabled(model_->moznaCofnac());

  const auto& w = model_->wyniki();
  if (k >= 0 && static_cast<std::size_t>(k) < w.size()) {
    const turbiny::WynikKampanii& wk = w[static_cast<std::size_t>(k)];
    wyniki_->pokaz(wk);
    const turbiny::WynikKampanii* bazowy = nullptr;
    if (wk.baza) {
      for (const auto& x : w)
        if (x.kampania == *wk.baza) bazowy = &x;
    }
    liniaIS_->pokaz(wk, bazowy);
  }
  trend_->pokaz(d, w);
  renderuje_ = false;
}

void TurbinaWindow::wklej() {
  const QList<QTableWidgetSelectionRange> z = odczyty_->selectedRanges();
  int w = odczyty_->currentRow(), k = odczyty_->currentColumn();
  if (!z.isEmpty()) {
    w = z.first().topRow();
    k = z.first().leftColumn();
  }
  if (w < 0 || k < 0) return;
  model_->Wklej(w, k, QApplication::clipboard()->text().toStdString());
  render();
}

void TurbinaWindow::wyczysc() {
  const QList<QTableWidgetSelectionRange> z = odczyty_->selectedRanges();
  if (z.isEmpty()) return;
  const QTableWidgetSelectionRange& r = z.first();
  const int k0 = std::max(r.leftColumn(), kolOdczytu::P), k1 = std::min(r.rightColumn(), kolOdczytu::U_h);
  if (k0 > k1) return;
  std::string blok;
  for (int w = r.topRow(); w <= r.bottomRow(); ++w) blok += std::string(static_cast<std::size_t>(k1 - k0), '\t') + '\n';
  model_->Wklej(r.topRow(), k0, blok);
  render();
}

void TurbinaWindow::kopiuj() {
  const QList<QTableWidgetSelectionRange> z = odczyty_->selectedRanges();
  if (z.isEmpty()) return;
  int w0 = z.first().topRow(), w1 = z.first().bottomRow(), k0 = z.first().leftColumn(), k1 = z.first().rightColumn();
  for (const auto& r : z) {
    w0 = std::min(w0, r.topRow());
    w1 = std::max(w1, r.bottomRow());
    k0 = std::min(k0, r.leftColumn());
    k1 = std::max(k1, r.rightColumn());
  }
  QApplication::clipboard()->setText(Q(model_->Kopiuj(w0, k0, w1, k1)));
}

void TurbinaWindow::importCsv() {
  ImportWizard kreator(model_->dokument().turbina, dialogs_, this);
  kreator.setObjectName(QStringLiteral("kreatorImportu"));
  if (!uruchomKreator(kreator)) return;
  model_->ZapiszImport(kreator.kampania(), kreator.serie(), kreator.mapowanie());
  render();
}

void TurbinaWindow::raport(bool pdf) {
  const int k = model_->kampania();
  if (k < 0) {
    dialogs_.MsgBox("Wybierz pomiar, którego raport ma powstać.", Buttons::OK, Icon::Information, kTytulTurbin);
    return;
  }
  const QString sciezka =
      pdf ? wybierzPlikDoZapisu(QStringLiteral("Raport PDF"), QStringLiteral("PDF (*.pdf)"))
          : wybierzPlikDoZapisu(QStringLiteral("Eksport XLSX"), QStringLiteral("Skoroszyt (*.xlsx)"));
  if (sciezka.isEmpty()) return;
  QString blad;
  const auto i = static_cast<std::size_t>(k);
  const bool ok = pdf ? RaportPdf(model_->dokument(), model_->wyniki(), i, sciezka, blad)
                      : EksportXlsx(model_->dokument(), model_->wyniki(), i, sciezka, blad);
  if (!ok)
    dialogs_.MsgBox((pdf ? "Raport PDF " : "Eksport XLSX ") + sciezka.toStdString() + ": " + blad.toStdString(),
                    Buttons::OK, Icon::Exclamation, kTytulTurbin);
}

void TurbinaWindow::showEvent(QShowEvent* e) {
  if (!miejsceOdtworzone_) {
    miejsceOdtworzone_ = true;
    const QByteArray g = QSettings().value(KluczMiejsca(model_->nazwa())).toByteArray();
    if (!g.isEmpty()) {
      restoreGeometry(g);
    } else if (QScreen* s = QGuiApplication::primaryScreen()) {
      // The first time in the middle of the screen, over the calculator's window.
      QRect r = frameGeometry();
      r.moveCenter(s->availableGeometry().center());
      move(r.topLeft());
    }
    // Kept on a screen that is there now.
    if (!QGuiApplication::screenAt(frameGeometry().center())) {
      if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().topLeft());
    }
  }
  QWidget::showEvent(e);
}

void TurbinaWindow::zapiszMiejsce() { QSettings().setValue(KluczMiejsca(model_->nazwa()), saveGeometry()); }

void TurbinaWindow::closeEvent(QCloseEvent* e) {
  zapiszMiejsce();
  e->accept();
}

}  // namespace kal
