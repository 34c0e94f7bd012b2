// The property library over the default coefficients, through the private evaluator: boxes
// nobody sees, no windows.
#pragma once
#include "steam/evaluator.h"
#include "steam/mod_kalorimo.h"

namespace kal::bench {

struct BenchLib {
  Evaluator eval;
  ModKalorimo& m = eval.lib();
};

}  // namespace kal::bench
