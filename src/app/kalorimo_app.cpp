#include "app/kalorimo_app.h"

namespace kal {

KalorimoApp::KalorimoApp(Dialogs& dialogs, Platform& platform, char decimalSep_)
    : dialogi(dialogs), modMain(dialogs, platform), lib(db.baza, dialogi, *this), decimalSep(decimalSep_) {
  // One locale for the whole run: the boxes, the input correction and the library's messages.
  modMain.decimalSep = decimalSep_;
  lib.decimalSep = decimalSep_;
}

}  // namespace kal
