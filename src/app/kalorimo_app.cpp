#include "app/kalorimo_app.h"

#include "steam/coeff_check.h"

namespace kal {

KalorimoApp::KalorimoApp(Dialogs& dialogs, Platform& platform, char decimalSep_)
    : dialogi(dialogs), modMain(dialogs, platform), lib(db.baza, dialogi, *this), decimalSep(decimalSep_) {
  // One locale for the whole run: the boxes, the input correction and the library's messages.
  modMain.decimalSep = decimalSep_;
  lib.decimalSep = decimalSep_;
  // Every read of the coefficient record is checked for plausibility before it is used.
  db.sprawdz = [decimalSep_](const Baza& b) { return SprawdzRekord(b, decimalSep_); };
}

void KalorimoApp::CzytajWspolczynniki() {
  db.CzytajRekord1();
  if (db.odrzucenie.empty()) return;
  const std::string powod = db.odrzucenie;
  db.odrzucenie.clear();
  modMain.dialogs().MsgBox(
      "Plik współczynników odrzucony:\r\n" + db.PlikBazy + "\r\n" + powod + "\r\nObliczenia korzystają z " +
          (db.naDomyslnych ? "wbudowanych współczynników domyślnych." : "ostatnich poprawnych współczynników."),
      Buttons::OK, Icon::Exclamation, "");
}

void KalorimoApp::ZapamietajStart() {
  oknaBoczne_ = false;
  start_ = std::make_unique<StanStartu>(
      StanStartu{lib.st, lib.exitNr, lib.passes, frm, mokra, wykresIS, raport, modMain.whatFormName, dialogi.pokazane});
}

void KalorimoApp::WrocDoStartu() {
  const StanStartu& s = *start_;
  lib.st = s.st;
  lib.exitNr = s.exitNr;
  lib.passes = s.passes;
  frm = s.frm;
  // Only copied back when they may differ: the wet-steam window changes on load alone (unloading
  // puts back its design), the chart and report windows only through their own handlers.
  if (mokra.Loaded || s.mokra.Loaded) mokra = s.mokra;
  if (oknaBoczne_) {
    wykresIS = s.wykresIS;
    raport = s.raport;
    oknaBoczne_ = false;
  }
  modMain.whatFormName = s.whatFormName;
  dialogi.pokazane = s.pokazane;
  // Records of the calculate command, as a new window has them.
  wetRequested_ = false;
  komunikatyPrzed_ = 0;
  obliczRunning_ = false;
  para_.reset();
  stanPT_.reset();  // no inlet of an earlier line for the I-S expansion
  nowyPT_ = false;
}

}  // namespace kal
