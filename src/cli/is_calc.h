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
  bool referencja = false;  // --reference if97 was given
  // A batch line that was no request: why, and its text; the rest stays empty.
  std::string skladnia, tekst;
};

// A bad "is" line, reported in the layout of the expansion.
IsResult BadIs(int line, const std::string& text, const std::string& why, bool reference);

// The IF97 expansion of the numbers the fits took: p1 and t1 as the pressure-temperature pair read
// its boxes (none: the fits took no number, IF97 gives none), P2 and the end's value as ParseIs
// reads them.
RozprezanieIF97 ReferenceForIs(const IsRequest& request, int unitIndex, std::optional<double> p1,
                               std::optional<double> t1);

IsResult RunIs(Calculator& calc, const IsRequest& request, int line);

void AppendIsJson(std::string& out, const IsResult& r);  // with r.if97: "if97" and "diff" objects
void AppendIsCsvHeader(std::string& out, bool reference = false);
void AppendIsCsv(std::string& out, const IsResult& r);
void AppendIsText(std::string& out, const IsResult& r, const Settings& s);

}  // namespace kal::cli
