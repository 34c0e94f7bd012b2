// The lines of a Mollier (h-s) chart from the calculator's own equations, so that a state the
// calculator finds lies on its own lines. Qt-free: the window draws them, the tests check them.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "coeffdb/baza.h"
#include "steam/evaluator.h"

namespace kal {

// A rectangle of the chart: entropy [kJ/(kg K)] across, enthalpy [kJ/kg] up.
struct Okno {
  double sMin = 5.5, sMax = 9.0, hMin = 1900, hMax = 3700;
  bool Zawiera(double s, double h) const { return s >= sMin && s <= sMax && h >= hMin && h <= hMax; }
};

// One point of a line: where it is, and the state it was computed from (u is the line's own
// parameter: t on the saturation and dryness lines and on the superheated part of an isobar,
// x on its wet part, ln p on an isotherm).
struct PunktLinii {
  double s = 0, h = 0;
  double u = 0;
  float p = 0, t = 0, x = 0;
};

enum class RodzajLinii { Nasycenie, Woda, Suchosc, Izobara, Izoterma };

struct Linia {
  RodzajLinii rodzaj = RodzajLinii::Izobara;
  double wartosc = 0;  // p [MPa], t [C] or x
  // Runs of points to be joined; a line is broken where an equation fails or jumps.
  std::vector<std::vector<PunktLinii>> odcinki;
};

struct Wykres {
  Okno okno;
  std::vector<Linia> linie;
};

inline constexpr std::array<double, 14> kIzobary = {0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 20};
inline constexpr std::array<double, 4> kSuchosci = {0.80, 0.85, 0.90, 0.95};
// The temperature-pressure solver takes t < 600 C: the top isotherm and the isobars' ends are
// the largest single below it.
inline constexpr float kTMax = 599.99994f;

Wykres ObliczWykres(Evaluator& ewaluator, const Okno& okno = {});

// Lines of the same kind through a state point (the expansion's own isobars).
Linia Izobara(Evaluator& ewaluator, double p, const Okno& okno = {});

// The label of a line: pressure in the unit of the unit code (the unit table; MPa for a code
// that names none), "500 °C",
// "x = 0,90".
std::string Etykieta(const Linia& linia, float kodJednP, char decimalSep);

// The chart of a coefficient record, computed again only when the record changes.
class WykresyBazy {
 public:
  const Wykres& Daj(const Baza& baza);
  long obliczenia = 0;  // how many times the lines were computed

 private:
  std::array<std::uint8_t, kRecordLen> klucz_{};
  std::unique_ptr<Wykres> wykres_;
};

}  // namespace kal
