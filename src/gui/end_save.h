// Ends the user did not choose - SIGTERM, SIGHUP, SIGINT, the end of the desktop session, the
// display gone - save the last inputs as "Za&kończ" does, without a dialog.
#pragma once

namespace kal {

class KalorimoApp;

// From here until RozbrojZapisNaKoniec, such an end writes Kalorimo.tmp of `app` first.
void UzbrojZapisNaKoniec(KalorimoApp& app);
// Ends that must not write it (the error report's "No", the end of main).
void RozbrojZapisNaKoniec();

}  // namespace kal
