#include "cli/run.h"
#include "cli/turbine.h"

namespace kal::cli {

int TurbineStability(const TurbineArgs&, std::FILE*, std::FILE* err) {
  std::fputs("kalorimo-calc turbine stability: jeszcze nie zbudowane\n", err);
  return kExitUsage;
}

}  // namespace kal::cli
