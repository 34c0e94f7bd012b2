// "kalorimo-calc turbine …": the turbine workbench's batch commands over the engine.
#pragma once
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "turbiny/model.h"

namespace kal::cli {

struct TurbineArgs {
  std::string command;             // calc | stability | list | import | export | import-csv
  std::vector<std::string> words;  // what follows the command: FILE.json or NAME
  Format format = Format::Text;
  std::optional<std::string> campaign, db, dataDir, csv, mapping, from, to, turbineFile, date, kind;
  bool replace = false;
};

// argv[0] is "turbine". Exit codes as the rest of the tool: 0 all ok, 1 some section or column
// refused or unstable, 2 bad usage, 3 a file could not be read or written.
int RunTurbine(int argc, char** argv, std::FILE* out, std::FILE* err);
std::string TurbineHelpText();
// The whole file into `text`; 0 or the errno of the failure.
int CzytajPlik(const std::string& path, std::string& text);

// Every (or one) campaign of a document; the baseline is sought among all its campaigns.
int TurbineCalc(const turbiny::Dokument& doc, const std::optional<std::string>& campaign, Format format, std::FILE* out,
                std::FILE* err);
int TurbineStability(const TurbineArgs& a, std::FILE* out, std::FILE* err);
// list, import, export, calc NAME, import-csv: the database.
int TurbineDatabase(const TurbineArgs& a, std::FILE* out, std::FILE* err);

}  // namespace kal::cli
