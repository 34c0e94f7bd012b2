#include "steam/coeff_check.h"

#include <cmath>
#include <functional>

#include "common/errors.h"
#include "common/number_text.h"
#include "steam/evaluator.h"

namespace kal {

namespace {

struct Wzorzec {
  const char* name;  // what is computed, as the message names it
  double reference;  // the physical value
  double zero;       // a temperature is compared in kelvin: 273.15, else 0
  std::function<double(ModKalorimo&)> compute;
};

constexpr double kTolerancja = 0.03;  // relative: broad, a deliberate edit stays within it

}  // namespace

std::string SprawdzRekord(const Baza& baza, char decimalSep) {
  const Wzorzec wzorce[] = {
      {"temperatura nasycenia przy 0,1 MPa [°C]", 99.6, 273.15, [](ModKalorimo& m) { return m.Tnas(0.1); }},
      {"temperatura nasycenia przy 10 MPa [°C]", 311.0, 273.15, [](ModKalorimo& m) { return m.Tnas(10); }},
      {"entalpia pary suchej nasyconej h'' przy 100 °C [kJ/kg]", 2676.0, 0, [](ModKalorimo& m) { return m.H2t(100); }},
      {"entropia pary suchej nasyconej s'' przy 100 °C [kJ/(kg K)]", 7.355, 0,
       [](ModKalorimo& m) { return m.S2t(100); }},
      {"entalpia pary przy 10 MPa i 500 °C [kJ/kg]", 3373.0, 0,
       [](ModKalorimo& m) {
         m.st.tNasPary = static_cast<float>(m.Tnas(10));
         return m.Hpt(10, 500);
       }},
      {"objętość właściwa pary przy 10 MPa i 500 °C [m3/kg]", 0.03279, 0,
       [](ModKalorimo& m) {
         m.st.tNasPary = static_cast<float>(m.Tnas(10));
         return m.Vpt(10, 500);
       }},
      {"entalpia wody przy 10 MPa i 200 °C [kJ/kg]", 856.0, 0, [](ModKalorimo& m) { return m.Hwpt(10, 200); }},
  };
  // On the private evaluator: nothing is shown, no window is asked, the calculator's state
  // stays untouched.
  Evaluator ewaluator(baza);
  ModKalorimo& lib = ewaluator.lib();
  for (const Wzorzec& w : wzorce) {
    double v = 0;
    std::string blad;
    try {
      lib.st.Blad = 0;
      v = w.compute(lib);
    } catch (const RunTimeError& e) {
      blad = e.description;
    }
    const double lo = (w.reference + w.zero) * (1 - kTolerancja) - w.zero;
    const double hi = (w.reference + w.zero) * (1 + kTolerancja) - w.zero;
    const auto liczba = [decimalSep](double x) {
      if (!std::isfinite(x)) return std::string("nieskończoność");
      return std::fabs(x) < 1e30 ? LocaleText(static_cast<float>(x), decimalSep) : LocaleTextDouble(x, decimalSep);
    };
    if (!blad.empty()) return w.name + std::string(": błąd obliczenia (") + blad + ")";
    if (lib.st.Blad != 0) return w.name + std::string(": wartość odrzucona przez funkcję");
    if (std::isnan(v)) return w.name + std::string(" nie jest liczbą");
    if (!(v >= lo && v <= hi)) {
      return w.name + std::string(" = ") + liczba(v) + ", oczekiwano " + liczba(lo) + " … " + liczba(hi);
    }
  }
  return "";
}

}  // namespace kal
