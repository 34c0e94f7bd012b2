#include "app/kalorimo_app.h"

namespace kal {

KalorimoApp::KalorimoApp(Dialogs& dialogs, Platform& platform, char decimalSep_)
    : modMain(dialogs, platform), lib(db.baza, dialogs, *this), decimalSep(decimalSep_) {
  modMain.decimalSep = decimalSep_;
}

}  // namespace kal
