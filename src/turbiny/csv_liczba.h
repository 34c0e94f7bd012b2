// Numbers of the export's cells: a decimal comma or point, given or detected from the cells.
#pragma once
#include <optional>
#include <string_view>

namespace kal::turbiny {

// The value of a cell, nullopt when it is missing: empty, "NaN", "Bad", "---", any text that is not
// a whole number in the given decimal ('.' or ','), or not finite.
std::optional<double> LiczbaKomorki(std::string_view komorka, char dziesietny);

// Whether the cell is a number with `znak` as its decimal separator ("12,74" for ',').
bool LiczbaZeZnakiem(std::string_view komorka, char znak);

}  // namespace kal::turbiny
