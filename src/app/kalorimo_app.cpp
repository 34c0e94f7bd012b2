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

namespace {

// What a calculation may change in the main window, put back from the start: the boxes, ticks,
// the unit list's choice, the visibility of rows, buttons and menus, and the shared values. The
// captions are the design's and the paths the start-up's; nothing after the start-up writes them.
void PrzywrocZmienne(FrmKalorimo& f, const FrmKalorimo& s) {
  f.Visible = s.Visible;
  f.geom = s.geom;
  for (std::size_t i = 0; i < f.Check.size(); ++i) {
    f.Check[i].Value = s.Check[i].Value;
    f.Check[i].Enabled = s.Check[i].Enabled;
  }
  f.Text_IS = s.Text_IS;
  f.Combo1Text = s.Combo1Text;
  f.Combo1ListIndex = s.Combo1ListIndex;
  for (std::size_t i = 0; i < f.lbl_V.size(); ++i) f.lbl_V[i].Visible = s.lbl_V[i].Visible;
  for (std::size_t i = 0; i < f.Label1.size(); ++i) f.Label1[i].Visible = s.Label1[i].Visible;
  f.FrameButtonsVisible = s.FrameButtonsVisible;
  f.cmdClearAllEnabled = s.cmdClearAllEnabled;
  f.cmdOblicz_Enabled = s.cmdOblicz_Enabled;
  f.Frame_ISVisible = s.Frame_ISVisible;
  f.lblTime = s.lblTime;
  MenuItem FrmKalorimo::*const menus[] = {&FrmKalorimo::mnuOdczytaj, &FrmKalorimo::mnuZapisz, &FrmKalorimo::mnuIS,
                                          &FrmKalorimo::mnuPPary2,   &FrmKalorimo::mnuPomoc,  &FrmKalorimo::mnuHelp,
                                          &FrmKalorimo::mnuInfo,     &FrmKalorimo::mnuAbout,  &FrmKalorimo::mnuZakoncz};
  for (MenuItem FrmKalorimo::*m : menus) {
    (f.*m).Enabled = (s.*m).Enabled;
    (f.*m).Visible = (s.*m).Visible;
  }
  f.focusRequest = s.focusRequest;
  f.pParyJedn = s.pParyJedn;
  f.kodJednP = s.kodJednP;
  f.pParyWylot = s.pParyWylot;
  f.tParyInt = s.tParyInt;
  f.hParyZap = s.hParyZap;
  f.sParyZap = s.sParyZap;
  f.vParyZap = s.vParyZap;
  f.ifMokra = s.ifMokra;
  f.jednTxt = s.jednTxt;
  f.closed = s.closed;
}

}  // namespace

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
  PrzywrocZmienne(frm, s.frm);
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
