// The chart's evaluator over the default coefficients.
#pragma once
#include <cstdint>

#include "coeffdb/baza_plik.h"
#include "steam/evaluator.h"

namespace kal::test {

inline Baza DomyslnaBaza() {
  Baza b;
  std::uint8_t blad = 0;
  CzytArray(b, blad);
  return b;
}

}  // namespace kal::test
