// "is": the expansion of a turbine section in kalorimo-calc, from an inlet calculated by the
// pressure-temperature pair of a fresh window, as the window "Wykres I-S" computes it.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "cli/calc.h"
#include "mollier/rozprezanie.h"
#include "mollier/rozprezanie_if97.h"

namespace kal::cli {

struct IsResult {
  int line = 0;
  IsRequest request;
  LineResult wlot;  // the pressure-temperature calculation of the inlet
  Rozprezanie rozprezanie;
  bool ok = false;
  // With --reference if97: the same inputs by IAPWS-IF97 (p1 in MPa from --unit, p2 = P2 / 1000).
  std::optional<RozprezanieIF97> if97;
};

// The IF97 expansion of the request's own numbers; a text that is no number gives the reason.
RozprezanieIF97 ReferenceForIs(const IsRequest& request, int unitIndex);

IsResult RunIs(Calculator& calc, const IsRequest& request, int line);

void AppendIsJson(std::string& out, const IsResult& r);  // with r.if97: "if97" and "diff" objects
void AppendIsCsvHeader(std::string& out, bool reference = false);
void AppendIsCsv(std::string& out, const IsResult& r);
void AppendIsText(std::string& out, const IsResult& r, const Settings& s);

}  // namespace kal::cli
