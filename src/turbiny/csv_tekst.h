// The bytes of a CSV export as UTF-8 text: UTF-8 (a BOM allowed) or Windows-1250, detected or given.
#pragma once
#include <string>

namespace kal::turbiny {

struct TekstCsv {
  std::string tekst;  // UTF-8, without the BOM
  std::string opis;   // Polish: "UTF-8 z BOM", "Windows-1250" ...
};

// kodowanie: "utf-8", "windows-1250" or "auto" (valid UTF-8 is UTF-8, anything else Windows-1250).
// Throws BladTurbiny for bytes that are not UTF-8 when UTF-8 is given.
TekstCsv TekstZBajtow(const std::string& bajty, const std::string& kodowanie);

// The offset of the first byte that breaks UTF-8, or npos when all of `s` is valid.
std::size_t BlednyBajtUtf8(const std::string& s);

}  // namespace kal::turbiny
