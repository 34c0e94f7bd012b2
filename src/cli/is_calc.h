// "is": the expansion of a turbine section in kalorimo-calc, from an inlet calculated by the
// pressure-temperature pair of a fresh window, as the window "Wykres I-S" computes it.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "cli/calc.h"
#include "mollier/rozprezanie.h"

namespace kal::cli {

struct IsResult {
  int line = 0;
  IsRequest request;
  LineResult wlot;  // the pressure-temperature calculation of the inlet
  Rozprezanie rozprezanie;
  bool ok = false;
};

IsResult RunIs(Calculator& calc, const IsRequest& request, int line);

void AppendIsJson(std::string& out, const IsResult& r);
void AppendIsCsvHeader(std::string& out);
void AppendIsCsv(std::string& out, const IsResult& r);
void AppendIsText(std::string& out, const IsResult& r, const Settings& s);

}  // namespace kal::cli
