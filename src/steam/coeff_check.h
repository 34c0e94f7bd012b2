// Plausibility of a coefficient record: a few reference states computed from it must lie near
// the physical values. A file of zeros, random bytes or a damaged edit fails here instead of
// giving impossible states at every calculation.
#pragma once
#include <string>

#include "coeffdb/baza.h"

namespace kal {

// "" when the record is plausible; otherwise the first failing value, in Polish, with its number
// and the bounds (decimal separator `decimalSep`).
std::string SprawdzRekord(const Baza& baza, char decimalSep = ',');

}  // namespace kal
