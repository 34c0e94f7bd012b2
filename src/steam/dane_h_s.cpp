// State from enthalpy and entropy: walk pressure and temperature in small relative steps,
// pressure steered by the entropy error and temperature by the enthalpy error, evaluating the
// state from pressure and temperature after each step.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>

#include "common/checked.h"
#include "common/dialogs.h"
#include "common/errors.h"
#include "common/number_text.h"
#include "steam/dane_h_s_kroki.h"
#include "steam/mod_kalorimo.h"

namespace kal {

namespace {

constexpr std::int16_t kCounterLimit = 1250;

struct StepRow {
  float from, to, k;
};

// Entropy error -> pressure step per mille. The rows leave gaps (1.9999-2, 3-3.5, above 5);
// there k keeps its last value.
constexpr StepRow kPressureSteps[] = {
    {3.5f, 5.0f, 25.0f},      {2.0f, 3.0f, 20.0f},      {0.5f, 1.9999f, 10.0f},      {0.1f, 0.49999f, 7.5f},
    {0.05f, 0.099999f, 5.0f}, {0.01f, 0.049999f, 2.5f}, {0.002f, 0.01999999f, 1.0f},
};

// Enthalpy error -> temperature step per mille; gaps as above, and above 1000.
constexpr StepRow kTemperatureSteps[] = {
    {100.0f, 1000.0f, 20.0f}, {10.0f, 99.9999f, 10.0f}, {5.0f, 9.9999f, 7.5f},
    {1.0f, 4.9999f, 1.5f},    {0.1f, 0.99999f, 1.0f},
};

// The pressure rows overlap: the first row that holds d wins.
template <std::size_t N>
float StepFactor(const StepRow (&rows)[N], float d, float k) {
  for (const StepRow& r : rows)
    if (d >= r.from && d <= r.to) return r.k;
  return k;
}

// One relative step, computed in extended precision and stored as a single.
float Step(std::int16_t sign, float k, float value) {
  const long double x = ChkX((sign * static_cast<long double>(k) / 1000.0L + 1.0L) * value);
  if (std::fabs(x) > static_cast<long double>(FLT_MAX)) Raise(ErrOverflow, "Dane_H_S");
  return static_cast<float>(x);
}

}  // namespace

float KrokCisnienia(float d, float k) { return StepFactor(kPressureSteps, d, k); }
float KrokTemperatury(float d, float k) { return StepFactor(kTemperatureSteps, d, k); }

void ModKalorimo::Dane_H_S(float hParyWe, float sParyWe) {
  st.pPary = 3.5f;
  st.tPary = 425.0f;
  if (hParyWe == 0 || sParyWe == 0) {
    st.Blad = 1;
    dialogs_.MsgBox(" hParyWe = 0 lub sParyWe=0  -> Dane_H_S() ", Buttons::OK, Icon::None, "");
    return;
  }
  if (sParyWe < 5.5f || sParyWe > 9.0f) {
    dialogs_.MsgBox(" Wartość entropii poza zakresem  5.5 - 9.0 [kJ/kg deg]", Buttons::OK, Icon::None, "");
    st.Blad = 1;
    return;
  }
  if (hParyWe < 1500.0f || hParyWe > 4150.0f) {
    dialogs_.MsgBox(" Wartość entalpii poza zakresem  1500 - 4150 [kJ/kg]", Buttons::OK, Icon::None, "");
    st.Blad = 1;
    return;
  }

  float k = 20.0f;
  std::int16_t tSteps = 0;
  std::int16_t passCount = 0;
  bool firstPass = true;
  float diff = 0;  // signed enthalpy error of the last pass
  st.Blad = 0;
  passes.HS_passes = 0;
  passes.HS_tsteps = 0;

  for (;;) {
    if (firstPass) {
      // The state at the start point (3.5 MPa, 425 C), known in advance.
      st.sPary = 6.924749851226807f;
      st.hPary = 3279.6220703125f;
      firstPass = false;
    } else {
      Dane_T_P(st.pPary, st.tPary, 0);
      if (st.Blad == 1) {
        dialogs_.MsgBox(" Wyskok z obl. entropii -> Dane_H_S() , wystąpił błąd w Dane_T_P() ", Buttons::OK, Icon::None,
                        "");
        return;
      }
    }

    // Pressure step: too much entropy means too low a pressure.
    std::int16_t sign = st.sPary > sParyWe ? 1 : -1;
    float d = Sng(std::fabs(static_cast<double>(st.sPary) - sParyWe));
    k = KrokCisnienia(d, k);
    st.pPary = Step(sign, k, st.pPary);

    Dane_T_P(st.pPary, st.tPary, 0);
    if (st.Blad == 1) {
      dialogs_.MsgBox(" Wyskok z obl. entalpii -> Dane_H_S() ", Buttons::OK, Icon::None, "");
      return;
    }

    // Temperature step: too much enthalpy means too high a temperature.
    sign = st.hPary > hParyWe ? -1 : 1;
    diff = Sng(static_cast<double>(st.hPary) - hParyWe);
    d = Sng(std::fabs(static_cast<double>(st.hPary) - hParyWe));
    if (d >= 0.1f) {
      k = KrokTemperatury(d, k);
      st.tPary = Step(sign, k, st.tPary);
      tSteps = static_cast<std::int16_t>(tSteps + 1);
      passes.HS_tsteps = tSteps;
      // Past its limit the temperature still steps, but the pass is then counted and the
      // entropy tested, so the call ends within another 1250 passes.
      if (tSteps <= kCounterLimit) continue;
    }

    passCount = static_cast<std::int16_t>(passCount + 1);
    passes.HS_passes = passCount;
    if (passCount > kCounterLimit) {
      dialogs_.MsgBox(" Exit   nr " + LocaleText(static_cast<float>(exitNr + 1), decimalSep) +
                          "  from  Sub Dane_H_S()  - overdraft  of counter   " + LocaleText(passCount, decimalSep) +
                          "\r\n" + std::string(25, ' ') + " epsilon = " + LocaleText(Sng(Round2(diff)), decimalSep),
                      Buttons::OK, Icon::None, "");
      exitNr = CByte(exitNr + 1);
      return;
    }
    if (Sng(std::fabs(static_cast<double>(st.sPary) - sParyWe)) <= 0.001f) return;
  }
}

}  // namespace kal
