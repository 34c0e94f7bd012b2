// --reference if97: the same input pair interpreted by IAPWS-IF97, beside the fits' result, and the
// difference fits - IF97. Pressures of IF97 are in MPa whatever --unit says.
#pragma once
#include <string>

#include "cli/cli_line.h"
#include "if97/if97.h"

namespace kal::cli {

struct LineResult;
struct Settings;

// A and B as the fits took them (fits.taken), the pressure converted from the unit list's entry to
// MPa; a box the fits took no number from gives an IF97 refusal with the reason.
if97::Result ReferenceFor(const Request& request, const LineResult& fits, int unitIndex);

// ,"if97":{...},"diff":{...}: numbers, or null where a value does not exist (NaN never printed).
void AppendJsonReference(std::string& out, const LineResult& r, const Settings& s);
// The columns after "message": if97_region ... if97_error, then if97_diff_* (fits - IF97).
void AppendCsvReferenceHeader(std::string& out);
void AppendCsvReference(std::string& out, const LineResult& r, const Settings& s);
// The IF97 column of the text block for a box (0 p, 1 t, 2 h, 3 s, 4 x, 5 v, 6 mu); empty when none.
std::string TextReferenceCell(const LineResult& r, int box);
// "  IAPWS-IF97: obszar 2" or the refusal, the line above the text block's rows.
std::string TextReferenceHeader(const LineResult& r);

}  // namespace kal::cli
