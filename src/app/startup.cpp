// Start-up of the main window: folders, the coefficient file, the initial control states and
// the last inputs.
#include <filesystem>

#include "app/kalorimo_app.h"
#include "common/data_folder.h"
#include "common/file_io.h"
#include "common/jednostki.h"
#include "common/number_text.h"

namespace kal {

namespace {

bool PlikIstnieje(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

void KalorimoApp::Form_Load() {
  SteamState& s = st();
  // Steps 1 to 7 have no trap of their own in the window's design; a fault there (a data
  // folder that cannot be made, a coefficient file that cannot be opened) still goes to the
  // error report instead of tearing the process down. When the user goes on, the window opens
  // with its initial states (so it can be closed again), without the last inputs; every
  // calculation then reports the missing coefficient file.
  bool wczesnyBlad = false;
  std::string powodUzytkownika;  // why the per-user folder was not taken, when it was tried
  try {
    s.Blad = 0;
    frm.ifMokra = 0;

    frm.SciezkaProgramu = modMain.platform().ExecutableDir();
    if (folderOverride.empty()) {
      // An installed program's folder is not the user's: then the per-user data folder.
      frm.Folder =
          WybierzFolderDanych(frm.SciezkaProgramu + "/Kalorimo", modMain.platform().UserDataDir(), &powodUzytkownika) +
          "/";
    } else {
      frm.Folder = folderOverride.back() == '/' ? folderOverride : folderOverride + "/";
    }
    modMain.CzyJestSubDir(frm.Folder, powodUzytkownika);
    // Leftovers of a run killed while it wrote its files (the batch tool writes neither).
    if (czytajOstatnieDane) UsunPorzuconePliki(frm.Folder, {"Kalorimo.tmp", "Notes.txt"});

    frm.SciezkaMake = frm.SciezkaProgramu + "/makeKalorimo.exe ";

    db.OtworzBaze(frm.Folder, s.Blad);
    if (s.Blad == 1) {
      // No coefficients: hand over to the companion program when it is there, then end.
      std::string program = frm.SciezkaMake.substr(0, frm.SciezkaMake.size() - 1);
      if (PlikIstnieje(program)) {
        modMain.platform().StartDetached(program, {});
      } else {
        modMain.dialogs().MsgBox(" Brak pliku - " + frm.SciezkaMake, Buttons::OK, Icon::None, "");
      }
      modMain.platform().EndApplication();
      return;
    }

    // A record that cannot be right is told at once, not at the first calculation.
    CzytajWspolczynniki();

    frm.PlikTmp = frm.Folder + "/Kalorimo.tmp";

    frm.pParyWylot = 5;
    frm.Text_IS[pole::Wylot].Text = LocaleText(frm.pParyWylot, decimalSep);
  } catch (RunTimeError& e) {
    // Both folders tried are named: the one beside the program in the error, the other here.
    if (!powodUzytkownika.empty()) e.szczegoly += (e.szczegoly.empty() ? "" : "\r\n ") + powodUzytkownika;
    modMain.RaportBledu(e);
    wczesnyBlad = true;
    // The exit command still names its file, and writes it where the folder allows.
    if (frm.PlikTmp.empty() && !frm.Folder.empty()) frm.PlikTmp = frm.Folder + "/Kalorimo.tmp";
  }

  try {
    frm.Visible = true;

    frm.mnuPPary2.Enabled = false;
    frm.mnuHelp.Enabled = false;

    frm.Combo1Items.clear();
    for (const JednostkaCisnienia& j : kJednostkiCisnienia) frm.Combo1Items.push_back(j.pozycjaListy);
    frm.kodJednP = kJednostkiCisnienia[0].kod;

    modMain.whatFormName = "frmKalorimo";

    frm.Frame_ISVisible = true;
    frm.mnuOdczytaj.Enabled = false;
    frm.mnuIS.Enabled = false;

    for (int i = pole::P; i <= pole::V; ++i) frm.Text_IS[i].Enabled = false;

    if (!wczesnyBlad && czytajOstatnieDane && PlikIstnieje(frm.PlikTmp)) CzytajOstatnieDane();
  } catch (const RunTimeError& e) {
    modMain.RaportBledu(e);
  }
}

}  // namespace kal
