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

}  // namespace kal
