// kalorimo-calc: the calculator's calculate command for scripts and spreadsheets.
#include <iostream>

#include "cli/run.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return kal::cli::RunCli(argc, argv, std::cin, stdout, stderr);
}
