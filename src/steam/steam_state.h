// The shared steam state: single-precision members that the solvers write and the windows and
// the report read. All 0 at start-up; no solver clears them.
#pragma once
#include <cstdint>

namespace kal {

struct SteamState {
  float pPary = 0;                // pressure of the state [MPa]
  float pParyWe = 0;              // pressure as entered, in MPa
  float tPary = 0;                // temperature [C]
  float hPary = 0;                // enthalpy [kJ/kg]
  float sPary = 0;                // entropy [kJ/(kg K)]
  float vPary = 0;                // specific volume [m3/kg]
  float xPary = 0;                // dryness fraction (1 for superheated steam)
  float tNasPary = 0;             // saturation temperature of the state's pressure [C]
  float ob1 = 0, h1 = 0, s1 = 0;  // saturated water
  float ob2 = 0, h2 = 0, s2 = 0;  // dry saturated steam
  float obx = 0, hx = 0, sx = 0;  // wet mixture of dryness xPary
  float pIter = 0;                // working pressure of the pressure searches [MPa]
  std::uint8_t Blad = 0;          // error flag of the library
};

// What the library asks of the windows, and nothing more.
class SteamWindows {
 public:
  virtual ~SteamWindows() = default;
  // A solver found a saturated, wet or water state and was asked to show it.
  virtual void ZaladujParaMokra() = 0;
  // The pressure search from temperature and enthalpy failed: blank boxes 0..5, then write
  // t into the temperature box and h into the enthalpy box as text.
  virtual void PthBlad(double t, double h) = 0;
  // The temperature-enthalpy wet branch: the pressure box shows `p` (already rounded to
  // 3 decimals) as text and the unit list shows "MPa".
  virtual void CisnienieMPaDoOkna(double p) = 0;
};

}  // namespace kal
