// The three output formats of the batch tool: text blocks, JSON lines, CSV rows.
#pragma once
#include <string>

#include "cli/calc.h"

namespace kal::cli {

// "%.9g": enough digits for any single to read back exactly.
std::string Num9(float value);

// A box text as a plain number for CSV: blanks dropped, the locale separator made a point, the
// letter E of the viscosity pattern dropped; empty when it is no number.
std::string BoxNumber(const std::string& text, char decimalSep);

void AppendJson(std::string& out, const LineResult& r, const Settings& s);  // one line
void AppendCsvHeader(std::string& out, bool reference = false);             // reference: the if97_ columns too
void AppendCsv(std::string& out, const LineResult& r, const Settings& s);
void AppendText(std::string& out, const LineResult& r, const Settings& s);

}  // namespace kal::cli
