// Step factors of the enthalpy-entropy search, per mille of the pressure or the temperature,
// chosen by the size of the entropy or the enthalpy error.
#pragma once

namespace kal {

// The first row that holds d gives the factor; where no row holds d, k is returned unchanged.
float KrokCisnienia(float d, float k);    // from the entropy error
float KrokTemperatury(float d, float k);  // from the enthalpy error

}  // namespace kal
