// The expansion line of a turbine section: from the inlet state of the last pressure-temperature
// calculation to the exhaust pressure, isentropic (2s) and actual (2), and the section's
// internal efficiency. Qt-free; the window and kalorimo-calc share it.
#pragma once
#include <optional>
#include <string>

#include "steam/evaluator.h"
#include "steam/steam_state.h"

namespace kal {

// One state as the calculator shows it (singles as the solvers left them).
struct Punkt {
  float p = 0, t = 0, h = 0, s = 0, v = 0, x = 0;
};

// Where (p, t) falls for the pressure-temperature solver, from its own test on tNasPary and t.
enum class Obszar { Przegrzana, Pasmo, Woda };
Obszar ObszarPT(float tNasPary, float t);

// The pairs' states as points: p,t and p,s show their h, s, v members; p,h in the wet region
// leaves sPary and vPary alone, its state is the mixture's entropy and volume.
Punkt PunktPT(const SteamState& st);
Punkt PunktPS(const SteamState& st);
Punkt PunktPH(const SteamState& st);

// Dryness as the dryness box shows it: "0,87", " x > 1 " or " x = 1 ".
std::string SuchoscTekst(float x, char decimalSep);

// A signed number of the expansion's rows: the pattern's text, with no blank between a minus and
// the digits ("-32,8", not "- 32,8").
std::string LiczbaIS(double v, const char* pattern, char decimalSep);

// What fixes the actual end: its temperature, the efficiency, its enthalpy (a wet exhaust whose h2
// comes from a heat balance), or nothing (the isentropic end only).
enum class Koniec2 { T2, Eta, Brak, H2 };

struct DaneRozprezania {
  std::optional<SteamState> wlot;  // the last pressure-temperature state, none before one
  float wylotKPa = 5;              // the exhaust row's number [kPa], as a single
  Koniec2 tryb = Koniec2::Eta;
  double t2 = 0;   // [C] when tryb is T2
  double eta = 0;  // fraction when tryb is Eta
  double h2 = 0;   // [kJ/kg] when tryb is H2
};

struct Rozprezanie {
  bool ok = false;
  // The numbers are all there but cannot be (s2 < s1, dh <= 0, eta > 1): ok is false, komunikat
  // says what is impossible, and the points and drops stay to be shown.
  bool niefizyczne = false;
  std::string komunikat;  // Polish, why it was refused
  Punkt wlot;
  float wylotKPa = 0;
  float p2 = 0;  // MPa, single(single(kPa) / 1000)
  // 2s at p2: its p is p2. Wet, the fits take the mixture at p2's whole-degree saturation
  // temperature, whose own saturation pressure is not p2: that temperature and pressure.
  struct Nasycenie {
    float t = 0, p = 0;  // C, MPa
  };
  std::optional<Punkt> izentropa;
  std::optional<Nasycenie> nasycenie2s;
  std::optional<Punkt> rzeczywisty;
  double dhs = 0;             // h1 - h2s
  std::optional<double> dh;   // h1 - h2
  std::optional<double> eta;  // dh / dhs
};

Rozprezanie Rozpreznij(Evaluator& ewaluator, const DaneRozprezania& dane);

// What the fits took for a wet 2s, as the panel and the text output say it beside 2s.
std::string Nasycenie2sTekst(const Rozprezanie::Nasycenie& n, char decimalSep);

// Why an expansion from s1 to s2 with the drop dh and efficiency eta cannot be, in Polish, naming
// each impossible thing (s2 < s1, dh <= 0, eta > 1); "" when it can.
std::string Niefizyczne(double s1, double s2, double dh, double eta);

}  // namespace kal
