// The pressure units of the unit list, in list order: the one table every part reads.
#pragma once

namespace kal {

struct JednostkaCisnienia {
  float kod;                  // kodJednP, as Kalorimo.tmp stores it
  const char* nazwa;          // the report's unit text and the batch tool's --unit
  const char* pozycjaListy;   // the unit list's item
  double mpa;                 // MPa per unit
  const char* wzorzecWyboru;  // the pressure box after a choice from the list (Combo1_Click)
  const char* wzorzecWyniku;  // the pressure box after a calculation (Spr_pPary)
};

inline constexpr int kLiczbaJednostek = 3;

inline constexpr JednostkaCisnienia kJednostkiCisnienia[kLiczbaJednostek] = {
    {1, "MPa", " MPa", 1, "#0.000#", "#0.0##"},
    {2, "bar", " bar", 0.1, "##0.00", "#0.0#"},
    {3, "kPa", " kPa", 0.001, "# ##0", "# ##0"},
};

// The unit of a code, nullptr when the code names none.
const JednostkaCisnienia* ZnanaJednostka(float kod);

// Position of a code's unit in the list. A code that names no unit (0 before any choice, a
// damaged last-inputs file) is MPa, so a pressure is never read or shown unconverted.
int PozycjaJednostki(float kod);
inline const JednostkaCisnienia& JednostkaKodu(float kod) { return kJednostkiCisnienia[PozycjaJednostki(kod)]; }

}  // namespace kal
