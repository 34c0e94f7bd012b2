// One run of the calculator: the services, the coefficient file, the property library, the main
// window and the wet-steam window, with every event handler. The Qt views and the CLI drive it.
#pragma once
#include <array>
#include <optional>
#include <string>

#include "app/frm_kalorimo.h"
#include "app/frm_para_mokra.h"
#include "app/frm_raport.h"
#include "app/pary.h"
#include "coeffdb/baza_plik.h"
#include "common/mod_main.h"
#include "steam/mod_kalorimo.h"

namespace kal {

// Passes the property library's boxes on to the real dialogs and counts them, so the calculate
// command knows whether the library has told the user why it rejected an input.
class LiczoneDialogi : public Dialogs {
 public:
  explicit LiczoneDialogi(Dialogs& inner) : inner_(inner) {}
  Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title) override {
    ++pokazane;
    return inner_.MsgBox(text, buttons, icon, title);
  }
  std::string InputBox(const std::string& prompt, const std::string& title) override {
    return inner_.InputBox(prompt, title);
  }
  long pokazane = 0;

 private:
  Dialogs& inner_;
};

class KalorimoApp : private SteamWindows {
 public:
  KalorimoApp(Dialogs& dialogs, Platform& platform, char decimalSep = ',');

  LiczoneDialogi dialogi;  // first: the library talks through it
  ModMain modMain;
  BazaKalorimo db;
  ModKalorimo lib;
  FrmKalorimo frm;
  FrmParaMokra mokra;
  FrmRaport raport;
  char decimalSep;
  // When not empty, the start-up uses this folder as the data folder instead of the one
  // beside the executable (the batch tool's --data).
  std::string folderOverride;
  // False: the start-up does not refill the boxes from Kalorimo.tmp (the batch tool starts
  // every line as after a first start).
  bool czytajOstatnieDane = true;

  SteamState& st() { return lib.st; }

  // Start-up of the main window (its fifteen steps).
  void Form_Load();

  // Input-pair selection and clearing.
  void Check_Click(int Index);
  void cmdClearAll_Click();
  void frameButtons_click();
  void showMnu(bool ifShow);

  // Pressure units.
  void Combo1_Click(int listIndex);

  // Calculate command.
  void cmdOblicz_Click();
  static double LepkoscDyn(double t);

  // Pressure box, dryness display, box keys, I-S command.
  void Spr_pPary(int mode);
  void Spr_xPary();
  void Text_IS_KeyPress(int Index, int KeyAscii);
  void Text_IS_Click(int Index);
  void mnuIS_Click();
  void Chart_Is_On();

  // Wet-steam window.
  void ParaMokra_Load();
  void ParaMokra_Unload();
  void Command1_Click();

  // Last-inputs file.
  void mnuZakoncz_Click();
  void CzytajOstatnieDane();  // start-up step 15
  // The reading step over the file's bytes (CzytajOstatnieDane reads them from PlikTmp).
  void PokazOstatnieDane(const std::string& bytes);

  // Results report.
  void mnuZapisz_Click();
  void mnuOdczytaj_Click();  // shows Notes.txt in the report viewer
  void cmdEdytor_Click();    // the viewer's file in the desktop's editor
  void Raport_Zamknij();

  // Help, information, about, clock.
  void mnuHelp_Click();
  void mnuInfo_Click();
  void mnuAbout_Click();
  void Timer1_Timer();

 private:
  // SteamWindows: what the library may ask of the windows.
  void ZaladujParaMokra() override;
  void PthBlad(double t, double h) override;
  void CisnienieMPaDoOkna(double p) override;

  void Odtworz(const std::string& bytes);  // body of PokazOstatnieDane
  bool wetRequested_ = false;              // a solver asked for "Para mokra" during this calculation
  long komunikatyPrzed_ = 0;               // library message boxes shown before this calculation
  bool obliczRunning_ = false;             // inside cmdOblicz_Click: window requests wait for its end

  // Calculate command: how a branch ended.
  enum class Koniec { Epilog, Pominiety, Odmowa };
  Koniec ObliczPare();  // prologue done: dispatch and run one pair's branch
  void Epilog(bool pominiety);
  std::optional<Pair> para_;        // pair of this calculation, none before the dispatch
  bool BladPominiety();             // a set Blad is cleared and the branch is skipped
  float CzytajPoprawione(int box);  // a box through the input correction, as single
  float CzytajWprost(int box);      // a box read plainly with the locale's rules, as single
  void Pokaz(int box, double value, const char* pattern);
  bool OdmowaSuchosci();        // dryness outside [0, 1): message, and the command ends
  void PokazCieploParowania();  // the heat-of-vaporisation row of a wet state
  Koniec Para1_P_T();
  void WodaSciskanaPT();  // compressed water on the water side of the pressure-temperature pair
  Koniec Para2_P_H();
  Koniec Para3_T_H();
  Koniec Para4_X_T();
  Koniec Para5_X_P();
  Koniec Para6_P_S();
  Koniec Para7_T_S();
  Koniec Para8_H_S();
};

}  // namespace kal
