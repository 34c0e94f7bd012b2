// Whole files as byte strings, and texts turned into one locale's decimal separator.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace kal::test {

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Expected texts are written with a comma; the point locale swaps it for a point.
inline std::string InLocale(std::string s, char sep) {
  for (char& c : s) {
    if (c == ',') c = sep;
  }
  return s;
}

}  // namespace kal::test
