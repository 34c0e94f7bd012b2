// Command line of kalorimo-calc: options, the single calculation or --batch, help and usage.
#pragma once
#include <string>

#include "cli/calc.h"
#include "cli/cli_line.h"

namespace kal::cli {

enum class Format { Text, Json, Csv };

struct Options {
  Settings settings;
  Format format = Format::Text;
  bool batch = false;
  Request request;  // the single calculation (without --batch)
};

enum class ArgsStatus { Run, Help, Usage };

// getopt_long over argv; options come before PAIR A B, so a value with a leading minus needs no
// escaping. On Usage, `error` names the fault.
ArgsStatus ParseArgs(int argc, char** argv, Options& options, std::string& error);

std::string UsageText();              // short, names the pairs
std::string HelpText();               // everything: options, pairs, formats, exit status
const char* UnitName(int unitIndex);  // "MPa", "bar", "kPa"

}  // namespace kal::cli
