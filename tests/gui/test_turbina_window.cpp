// The turbine workbench on screen: the door in the main window, a turbine made through its
// tables, readings typed and pasted, the results, a wrong cell, undo, and the same data after a
// restart. Scripted dialogs; no real box opens.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "app/stanowisko.h"
#include "gui/turbina_import_wizard.h"
#include "gui/turbina_window.h"
#include "gui_rig.h"
#include "turbiny/dokument.h"

namespace kal::test {

namespace {

QStringList Items(QComboBox* c) {
  QStringList l;
  for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
  return l;
}

// Types into a cell the way an edit ends: the item's text changes.
void Type(QTableWidget* t, int w, int k, const QString& text) {
  QVERIFY2(t->item(w, k), qPrintable(QStringLiteral("%1 (%2, %3)").arg(t->objectName()).arg(w).arg(k)));
  t->item(w, k)->setText(text);
}

// The window "TG-7" chosen from the list (the turbine made first when asked).
TurbinaWindow* Choose(GuiRun& r, const QString& item) {
  auto* combo = r.Main<QComboBox>("comboTurbo");
  const int i = static_cast<int>(Items(combo).indexOf(item));
  if (i < 0) return nullptr;
  emit combo->activated(i);
  return r.win->oknoTurbiny("TG-7");
}

}  // namespace

class TurbinaWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void turbineMadeTypedPastedAndReopened() {
    DialogComplaints complaints;
    TempDir dir;
    std::string zapisane;
    {
      GuiRun r(dir.path());
      Start(r);
      auto* combo = r.Main<QComboBox>("comboTurbo");
      QCOMPARE(Items(combo), QStringList({U("Nowa turbina…"), U("Otwórz bazę…")}));
      QCOMPARE(combo->currentText(), QString());

      r.dialogs.ExpectInput("Nazwa nowej turbiny (np. TG-4):", "Nowa turbina", "TG-7");
      TurbinaWindow* w = Choose(r, U("Nowa turbina…"));
      QVERIFY(w);
      QVERIFY(QTest::qWaitForWindowExposed(w));
      QCOMPARE(Items(combo), QStringList({U("TG-7"), U("Nowa turbina…"), U("Otwórz bazę…")}));
      QCOMPARE(combo->currentIndex(), -1);

      // Five points, the condenser in kPa, three sections, the last one wet.
      auto* punkty = w->findChild<QTableWidget*>("tabPunkty");
      const char* ids[] = {"PS", "WP_WYL", "SP_WLOT", "SP_WYL", "SKR"};
      for (int i = 0; i < 5; ++i) Type(punkty, i, kolPunktu::Id, QString::fromLatin1(ids[i]));
      QCOMPARE(punkty->rowCount(), 6);
      Type(punkty, 4, kolPunktu::Jednostka, "kPa");
      auto* odcinki = w->findChild<QTableWidget*>("tabOdcinki");
      Type(odcinki, 0, kolOdcinka::Nazwa, "WP");
      Type(odcinki, 1, kolOdcinka::Nazwa, "SP");
      Type(odcinki, 1, kolOdcinka::Wylot, "SP_WYL");
      Type(odcinki, 1, kolOdcinka::Wlot, "SP_WLOT");
      Type(odcinki, 2, kolOdcinka::Nazwa, "NP");
      Type(odcinki, 2, kolOdcinka::Rodzaj, "mokry");
      Type(odcinki, 0, kolOdcinka::EtaProjekt, "86,5");
      QCOMPARE(odcinki->rowCount(), 4);
      QCOMPARE(odcinki->item(2, kolOdcinka::Wlot)->text(), U("SP_WYL"));
      QCOMPARE(odcinki->item(2, kolOdcinka::Wylot)->text(), U("SKR"));

      // A wrong cell: its message, the cell shows the saved value, nothing saved.
      r.dialogs.ExpectBox(
          "Punkty pomiarowe, wiersz 2, kolumna „U t [K]”:\r\n„dwa” nie jest liczbą.\r\nNic nie zapisano.", Buttons::OK,
          Icon::Exclamation, "Turbiny");
      const std::string przed = turbiny::ZapiszDokument(w->model().dokument());
      Type(punkty, 1, kolPunktu::U_t, U("dwa"));
      QCOMPARE(punkty->item(1, kolPunktu::U_t)->text(), U("1"));
      QCOMPARE(punkty->currentRow(), 1);
      QCOMPARE(punkty->currentColumn(), kolPunktu::U_t);
      QCOMPARE(turbiny::ZapiszDokument(w->model().dokument()), przed);

      // A campaign; the readings typed and pasted from a spreadsheet.
      w->findChild<QTabWidget*>("zakladki")->setCurrentIndex(1);
      auto* kampanie = w->findChild<QTableWidget*>("tabKampanie");
      Type(kampanie, 0, kolKampanii::Id, "2026-03-odb");
      Type(kampanie, 0, kolKampanii::Data, "14.03.2026 10:00");
      Type(kampanie, 0, kolKampanii::Rodzaj, "odbiorcze");
      QCOMPARE(kampanie->item(0, kolKampanii::Data)->text(), U("2026-03-14T10:00:00"));
      auto* odczyty = w->findChild<QTableWidget*>("tabOdczyty");
      QCOMPARE(odczyty->rowCount(), 5);
      Type(odczyty, 0, kolOdczytu::P, "12,74");
      Type(odczyty, 0, kolOdczytu::T, "535,1");
      const QString blok = U("2,91\t324\n2,66\t535\n0.28\t238.0\n5,6\t\t2 372,0\t15\n");
      QApplication::clipboard()->setText(blok);
      odczyty->setCurrentCell(1, kolOdczytu::P);
      w->wklej();
      QCOMPARE(odczyty->item(4, kolOdczytu::H)->text(), U("2372"));
      QCOMPARE(odczyty->item(3, kolOdczytu::P)->text(), U("0,28"));

      // Copy gives the block back with decimal commas.
      odczyty->setRangeSelected(QTableWidgetSelectionRange(1, kolOdczytu::P, 2, kolOdczytu::T), true);
      w->kopiuj();
      QCOMPARE(QApplication::clipboard()->text(), U("2,91\t324\n2,66\t535\n"));

      // Delete empties the chosen readings; undo brings them back.
      odczyty->clearSelection();
      odczyty->setRangeSelected(QTableWidgetSelectionRange(4, kolOdczytu::Punkt, 4, kolOdczytu::N), true);
      w->wyczysc();
      QCOMPARE(odczyty->item(4, kolOdczytu::H)->text(), QString());
      w->findChild<QPushButton*>("cmdCofnij")->click();
      QCOMPARE(odczyty->item(4, kolOdczytu::H)->text(), U("2372"));

      // Every section computed, and the results widget has them.
      const auto& wyniki = w->model().wyniki();
      QCOMPARE(wyniki.size(), std::size_t{1});
      QCOMPARE(wyniki[0].odcinki.size(), std::size_t{3});
      for (const auto& o : wyniki[0].odcinki) QVERIFY2(o.ok && o.maEta(), o.komunikat.c_str());
      QVERIFY(w->findChild<QWidget*>("wyniki"));

      // Undo takes back the paste.
      w->findChild<QPushButton*>("cmdCofnij")->click();
      QCOMPARE(odczyty->item(4, kolOdczytu::H)->text(), QString());
      w->findChild<QPushButton*>("cmdCofnij")->click();
      QCOMPARE(odczyty->item(0, kolOdczytu::T)->text(), QString());
      Type(odczyty, 0, kolOdczytu::T, "535,1");
      QApplication::clipboard()->setText(blok);
      odczyty->setCurrentCell(1, kolOdczytu::P);
      w->wklej();
      QCOMPARE(w->model().wyniki()[0].odcinki.size(), std::size_t{3});
      zapisane = turbiny::ZapiszDokument(w->model().dokument());

      // The import wizard runs over the turbine; a cancel saves nothing.
      bool uruchomiony = false;
      w->uruchomKreator = [&](ImportWizard&) {
        uruchomiony = true;
        return false;
      };
      w->findChild<QPushButton*>("cmdImportCsv")->click();
      QVERIFY(uruchomiony);
      // A report to a path handed in: written or refused with a message, never a real box.
      w->wybierzPlikDoZapisu = [&](const QString&, const QString&) { return QString(); };
      w->findChild<QPushButton*>("cmdRaportPdf")->click();

      // One window per turbine; closing keeps the data, choosing again brings it back.
      w->move(130, 90);
      w->close();
      QVERIFY(!w->isVisible());
      QCOMPARE(Choose(r, U("TG-7")), w);
      QVERIFY(w->isVisible());
      w->close();
      QVERIFY2(complaints.Failures().isEmpty(), qPrintable(complaints.Failures()));
    }
    {
      // A new run over the same folder: the same turbine, the same cells, the same place.
      GuiRun r(dir.path());
      Start(r);
      TurbinaWindow* w = Choose(r, U("TG-7"));
      QVERIFY(w);
      QVERIFY(QTest::qWaitForWindowExposed(w));
      QCOMPARE(turbiny::ZapiszDokument(w->model().dokument()), zapisane);
      auto* odczyty = w->findChild<QTableWidget*>("tabOdczyty");
      QCOMPARE(odczyty->item(0, kolOdczytu::P)->text(), U("12,74"));
      QCOMPARE(w->pos(), QPoint(130, 90));
      // The main window's close takes the turbine windows with it.
      r.win->close();
      QVERIFY(!w->isVisible());
    }
    QVERIFY2(complaints.Failures().isEmpty(), qPrintable(complaints.Failures()));
  }

  void anotherDatabaseChosen() {
    DialogComplaints complaints;
    TempDir dir;
    GuiRun r(dir.path());
    Start(r);
    const std::string druga = dir.path() + "/druga.db";
    {
      DrzwiTurbin d(r.dialogs);
      QVERIFY(d.OtworzBaze(druga));
      r.dialogs.ExpectInput("Nazwa nowej turbiny (np. TG-4):", "Nowa turbina", "TG-7");
      QCOMPARE(d.NowaTurbina(), std::string("TG-7"));
    }
    r.win->wybierzBazeTurbin = [&] { return QString::fromStdString(druga); };
    QVERIFY(!Choose(r, U("Otwórz bazę…")));
    QCOMPARE(Items(r.Main<QComboBox>("comboTurbo")), QStringList({U("TG-7"), U("Nowa turbina…"), U("Otwórz bazę…")}));
    TurbinaWindow* w = Choose(r, U("TG-7"));
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), U("Turbina TG-7 — stanowisko badań"));
    w->close();
    QVERIFY2(complaints.Failures().isEmpty(), qPrintable(complaints.Failures()));
  }
};

}  // namespace kal::test

int RunTurbinaWindowTests(int argc, char** argv) {
  kal::test::TurbinaWindowTest t;
  return QTest::qExec(&t, argc, argv);
}

#include "test_turbina_window.moc"
