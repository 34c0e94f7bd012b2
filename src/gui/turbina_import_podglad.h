// The first rows of a plant export as the import wizard previews them, and what was detected in
// them: encoding, separator, decimal and the timestamp column. Qt-free.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace kal {

struct PodgladCsv {
  std::string kodowanie, separator, dziesietny;  // Polish, each with "(wykryte)" or "(wybrane)"
  char znakSeparatora = ';', znakDziesietny = ',';
  std::vector<std::string> naglowek;
  std::vector<std::vector<std::string>> wiersze;  // the first data rows
  int kolumnaCzasu = -1;                          // in naglowek; -1 when no column holds timestamps
  std::string blad;                               // Polish, when the rows cannot be shown
};

// The head of a file: at most `bajtow` bytes, cut after a line end so no character is split.
std::string PoczatekPliku(const std::string& bajty, std::size_t bajtow);

// `poczatek` from PoczatekPliku; `caloscUtf8`: the whole file is valid UTF-8 (for "auto").
// kodowanie/separator/dziesietny as in a mapping ("auto" or the literal); `czas` the timestamp
// column wanted ("" to detect).
PodgladCsv ZrobPodglad(const std::string& poczatek, bool caloscUtf8, const std::string& kodowanie,
                       const std::string& separator, const std::string& dziesietny, const std::string& czas,
                       std::size_t ileWierszy);

}  // namespace kal
