// The main window "Parametry pary wodnej  wg WEXTAN" as data: its controls and the values the
// window shares with the report and the wet-steam window.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/controls.h"

namespace kal {

inline constexpr const char* kCaptionGlowne = "Parametry pary wodnej  wg WEXTAN";
inline constexpr const char* kSiedemSpacji = "       ";

// Rows of the main window by index: Check[i] ticks the quantity whose value Text_IS[i] holds
// (P to X); the boxes after them show results only.
namespace pole {
inline constexpr int P = 0;      // pressure, in the unit of the list
inline constexpr int T = 1;      // temperature
inline constexpr int H = 2;      // enthalpy
inline constexpr int S = 3;      // entropy
inline constexpr int X = 4;      // dryness
inline constexpr int V = 5;      // specific volume
inline constexpr int Mu = 6;     // dynamic viscosity
inline constexpr int Nu = 7;     // kinematic viscosity
inline constexpr int R = 8;      // heat of vaporisation
inline constexpr int Wylot = 9;  // exhaust pressure
}  // namespace pole

// A field that a calculation may change is also put back by the batch's reset (PrzywrocZmienne).
struct FrmKalorimo {
  std::string Caption = kCaptionGlowne;
  bool Visible = false;
  Geometry geom{0, 0, 7200, 7140};  // kept up to date by the view; used to place "Para mokra"

  std::array<CheckBox, 5> Check{{{"Ciśnienie"}, {"Temperatura"}, {"Entalpia"}, {"Entropia"}, {"Stopień suchości"}}};
  // Boxes R (heat of vaporisation) and Wylot (exhaust pressure) are hidden at design, like their rows.
  std::array<TextBox, 10> Text_IS{{{}, {}, {}, {}, {}, {}, {}, {}, {"", true, false}, {"", true, false}}};
  // Combo1: the unit list; its text before any choice is "  MPa".
  std::string Combo1Text = "  MPa";
  std::vector<std::string> Combo1Items;
  int Combo1ListIndex = -1;

  std::array<Label, 5> lbl_V{{{"Objętość właściwa"},
                              {"lepkość dynamiczna"},
                              {"lepkość  kinematyczna"},
                              {"ciepło parowania", false},
                              {"ciśnienie pary wylotowej", false}}};
  std::array<Label, 9> Label1{{{" "},
                               {"[kJ/kg]"},
                               {"[kJ/kg/deg]"},
                               {"[m3/kg]"},
                               {"*10^(-5)  [Pa*s ]"},
                               {"*10^(-5) [m2/s]"},
                               {"[ - ]"},
                               {"[kJ/kg]", false},
                               {"[kPa]", false}}};

  bool FrameButtonsVisible = true;
  bool cmdClearAllEnabled = true;
  bool cmdOblicz_Enabled = false;
  std::string cmdClearAllCaption = "Czyść";
  std::string cmdObliczCaption = "Oblicz";
  std::string Frame_ISCaption = "Tablica obliczeń I-S";
  bool Frame_ISVisible = false;
  std::string comboTurboText = "Turbiny";
  std::string lblTime;

  MenuItem mnuOdczytaj{"&Odczytaj"};
  MenuItem mnuZapisz{"&Zapisz "};
  MenuItem mnuIS{"   &IS  "};
  MenuItem mnuPPary2{"&pPary2"};
  MenuItem mnuPomoc{"   &Pomoc"};
  MenuItem mnuHelp{"&Help"};
  MenuItem mnuInfo{"&Info"};
  MenuItem mnuAbout{"&O p&rogramie"};
  MenuItem mnuZakoncz{"   Za&kończ"};

  int focusRequest = -1;  // a Text_IS index the view should focus, -1 none

  // Values of the main window shared with the report, the units and the wet-steam window.
  float pParyJedn = 0;
  float kodJednP = 1;
  float pParyWylot = 5;
  std::int16_t tParyInt = 0;
  float hParyZap = 0, sParyZap = 0, vParyZap = 0;
  std::int16_t ifMokra = 0;  // 16-bit boolean: 0 False, -1 True
  std::string SciezkaProgramu;
  std::string Folder;
  std::string PlikTmp;
  std::string SciezkaMake;      // companion program path, stored only
  std::string jednTxt = "   ";  // fixed 3 characters
  bool closed = false;          // the exit command unloaded the window
};

}  // namespace kal
