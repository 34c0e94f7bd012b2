// The window "Wykres I-S" as data: the inputs of the expansion, its results as the calculator
// shows numbers, the chart's lines and what is drawn over them.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "mollier/rozprezanie.h"
#include "mollier/rozprezanie_if97.h"
#include "mollier/wykres.h"

namespace kal {

inline constexpr const char* kCaptionWykresIS = "Wykres I-S";
inline constexpr const char* kNakladkaIF97 = "IAPWS-IF97";
inline constexpr const char* kNakladkaRoznica = "różnica";

// Lines, points and result columns drawn over the chart by another model of the properties:
// the window draws each one it is given and adds its columns to the results.
struct Nakladka {
  std::string nazwa;
  std::vector<Linia> linie;
  struct Znak {
    std::string etykieta;
    double s = 0, h = 0;
  };
  std::vector<Znak> punkty;
  std::vector<std::string> kolumna;  // one text per result row of kWynikiIS, "" where none
};

// The result rows of the panel, in order.
inline constexpr std::array<const char*, 11> kWynikiIS = {"h1", "s1", "t2s", "h2s", "x2s", "Δhs",
                                                          "t2", "h2", "x2",  "Δh",  "ηi"};
inline constexpr std::array<const char*, 11> kJednostkiIS = {"kJ/kg", "kJ/(kg K)", "°C", "kJ/kg", "", "kJ/kg",
                                                             "°C",    "kJ/kg",     "",   "kJ/kg", "%"};

struct FrmWykresIS {
  std::string Caption = kCaptionWykresIS;
  bool Visible = false;
  Koniec2 tryb = Koniec2::Eta;  // the option buttons t2 / ηi
  std::string txtT2;
  std::string txtEta = "85";             // [%]
  std::array<std::string, 11> wyniki{};  // texts of kWynikiIS
  std::string komunikat;                 // why the expansion was refused, "" when it was not
  std::string uwaga2s;                   // beside 2s: the saturation the fits took a wet 2s at, or ""
  Rozprezanie rozprezanie;               // the last expansion computed
  const Wykres* wykres = nullptr;        // the chart of the current coefficient record
  std::vector<Linia> izobaryPunktow;     // the isobars of p1 and of the exhaust pressure p2
  std::vector<Nakladka> nakladki;
  Okno widok;  // the part of the chart shown (zoom)
  // The tick "IAPWS-IF97": the same expansion by IF97 over the chart, with an IF97 column and a
  // difference column (fits - IF97) beside the results.
  bool if97 = false;
  std::optional<DaneRozprezania> dane;  // the inputs of the last expansion, for the overlay
  RozprezanieIF97 rozprezanieIF97;
};

}  // namespace kal
