#include "cli/run.h"
#include "cli/turbine.h"

namespace kal::cli {

int TurbineCalc(const turbiny::Dokument&, const std::optional<std::string>&, Format, std::FILE*, std::FILE* err) {
  std::fputs("kalorimo-calc turbine calc: jeszcze nie zbudowane\n", err);
  return kExitUsage;
}

}  // namespace kal::cli
