// One run of the calculator: the services, the coefficient file, the property library, the main
// window and the wet-steam window, with every event handler. The Qt views and the CLI drive it.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/frm_kalorimo.h"
#include "app/frm_para_mokra.h"
#include "app/frm_raport.h"
#include "app/frm_wykres_is.h"
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

// The boxes take either separator, and Kalorimo.tmp may come from a run under another locale:
// a single point or comma (not both) becomes the locale's separator; any other text unchanged.
std::string SeparatorLokalny(std::string s, char decimalSep);

class KalorimoApp : private SteamWindows {
 public:
  KalorimoApp(Dialogs& dialogs, Platform& platform, char decimalSep = ',');

  LiczoneDialogi dialogi;  // first: the library talks through it
  ModMain modMain;
  BazaKalorimo db;
  ModKalorimo lib;
  FrmKalorimo frm;
  FrmParaMokra mokra;
  FrmWykresIS wykresIS;
  FrmRaport raport;
  char decimalSep;
  // When not empty, the start-up uses this folder as the data folder instead of the one
  // beside the executable (the batch tool's --data).
  std::string folderOverride;
  // False: the start-up does not refill the boxes from Kalorimo.tmp (the batch tool starts
  // every line as after a first start).
  bool czytajOstatnieDane = true;

  SteamState& st() { return lib.st; }

  // The batch tool's start of a line. ZapamietajStart(), right after the start-up, keeps all a
  // calculation may change: steam state, counters and the Dane_H_S exit number, both windows'
  // data, the calculate command's own records. WrocDoStartu() puts it back, so every line starts
  // as if the calculator had just started; the open coefficient file and its record stay.
  void ZapamietajStart();
  void WrocDoStartu();

  // Start-up of the main window (its fifteen steps).
  void Form_Load();
  // Reads record 1 of the coefficient file (checked); a refused file is told to the user.
  void CzytajWspolczynniki();

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
  void mnuPPary2_Click();

  // The window "Wykres I-S": the expansion of a turbine section on the chart.
  void cmdObliczIS_Click();  // computes the expansion from the panel's inputs
  void WykresIS_Unload();
  void chkIF97_Click(bool on);  // the tick "IAPWS-IF97": the overlay and its columns
  // The readout at a point of the chart where the mouse rests: h, s, and the state there by the
  // h,s pair on an evaluator of its own (p in the user's unit, t, x in the wet region), by IF97
  // too while the tick is on.
  std::string OdczytIS(double s, double h);
  // The state of the last pressure-temperature calculation that found one: the inlet.
  const std::optional<SteamState>& stanPT() const { return stanPT_; }
  // The number each box gave the latest calculation, before its rounding to single; none where
  // the box was not read or gave none (the correction left it empty, a plain reading failed).
  // Another model of the properties takes exactly these.
  std::array<std::optional<double>, 10> odczytane{};

  // Wet-steam window.
  void ParaMokra_Load();
  void ParaMokra_Unload();
  void Command1_Click();

  // Last-inputs file.
  void mnuZakoncz_Click();
  // The exit command's save without any dialog, for an end the user did not choose (a signal,
  // the end of the session, the display gone): true when the file was written. Nothing after
  // the exit command or before the start-up named the file.
  bool ZapiszOstatnieDaneCicho();
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
  void ZapiszOstatnieDane();               // Kalorimo.tmp from the boxes; file errors raise
  void WykresIS_Odswiez();                 // lines of the current record, then the expansion
  void WykresIS_IF97();                    // the IF97 overlay of the last expansion, or none
  std::optional<SteamState> stanPT_;       // see stanPT()
  bool nowyPT_ = false;                    // this calculation found a pressure-temperature state
  bool oknaBoczne_ = false;                // the chart or report window was used since ZapamietajStart
  WykresyBazy wykresy_;
  std::unique_ptr<Evaluator> odczyt_;  // the chart's record, for OdczytIS
  bool wetRequested_ = false;          // a solver asked for "Para mokra" during this calculation
  long komunikatyPrzed_ = 0;           // library message boxes shown before this calculation
  bool obliczRunning_ = false;         // inside cmdOblicz_Click: window requests wait for its end

  // Calculate command: how a branch ended.
  enum class Koniec { Epilog, Pominiety, Odmowa };
  Koniec ObliczPare();  // prologue done: dispatch and run one pair's branch
  void Epilog(bool pominiety);
  std::optional<Pair> para_;                 // pair of this calculation, none before the dispatch
  bool BladPominiety();                      // a set Blad is cleared and the branch is skipped
  bool StanOdrzucony();                      // a result that is no state of water: told, boxes blanked
  float Odczytana(int box, const Wynik& w);  // w as single, noted in odczytane
  float CzytajPoprawione(int box);           // a box through the input correction, as single
  float CzytajWprost(int box);               // a box read plainly, either separator, as single
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
  struct StanStartu {
    SteamState st;
    std::uint8_t exitNr;
    PassCounts passes;
    FrmKalorimo frm;
    FrmParaMokra mokra;
    FrmWykresIS wykresIS;
    FrmRaport raport;
    std::string whatFormName;
    long pokazane;
  };
  std::unique_ptr<StanStartu> start_;
};

}  // namespace kal
