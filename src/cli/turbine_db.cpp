#include "cli/run.h"
#include "cli/turbine.h"

namespace kal::cli {

int TurbineDatabase(const TurbineArgs&, std::FILE*, std::FILE* err) {
  std::fputs("kalorimo-calc turbine (baza): jeszcze nie zbudowane\n", err);
  return kExitUsage;
}

}  // namespace kal::cli
