// kalorimo-calc: the calculator's calculate command for scripts and spreadsheets.
#include <cstdio>
#include <iostream>

#include "cli/run.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  int status = kal::cli::RunCli(argc, argv, std::cin, stdout, stderr);
  // The close is the last write: on a full disk or a lost pipe the results are not all there.
  if (std::fclose(stdout) != 0 && status != kal::cli::kExitIo) {
    std::fputs("kalorimo-calc: nie udało się zamknąć standardowego wyjścia\n", stderr);
    return kal::cli::kExitIo;
  }
  return status;
}
