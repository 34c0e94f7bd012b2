// The same expansion by IAPWS-IF97: from the same p1, t1, p2 and t2 or ηi as the fits' expansion,
// points 1, 2s, 2 and the section's efficiency, so the two can be shown side by side. Qt-free.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "if97/if97.h"
#include "mollier/rozprezanie.h"
#include "mollier/wykres.h"

namespace kal {

struct RozprezanieIF97 {
  bool ok = false;
  bool niefizyczne = false;  // as Rozprezanie::niefizyczne: numbers kept, ok false, blad says why
  std::string blad;          // Polish, why IF97 gives no expansion here; "" when ok
  std::optional<if97::Result> wlot, izentropa, rzeczywisty;
  std::optional<double> dhs, dh, eta;  // kJ/kg, kJ/kg, fraction
};

// p1, p2 in MPa, t1 in C; t2 [C], eta (fraction) or h2 [kJ/kg] as tryb says.
// 1 = FromPT(p1, t1); 2s = FromPS(p2, s1); 2 = FromPT(p2, t2), FromPH(p2, h1 - eta * dhs) or FromPH(p2, h2).
RozprezanieIF97 RozpreznijIF97(double p1, double t1, double p2, Koniec2 tryb, double t2, double eta, double h2 = 0);

// IF97's saturation line, x = 0 and x = 1 from 0.002 MPa up to the critical point, as chart lines
// (kinds Woda and Nasycenie) cut to the view.
std::vector<Linia> NasycenieIF97(const Okno& okno = {});

}  // namespace kal
