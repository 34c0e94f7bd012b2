// Kalorimo.tmp at byte level: seven self-describing entries.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kal {

// One self-describing value: 2-byte type code (8 text, 4 single, 0 nothing), for a text a
// 2-byte length and its Windows-1250 bytes, for a single its 4 IEEE bytes; little-endian.
struct OstatniaDana {
  enum Typ : std::uint16_t { Pusta = 0, Liczba = 4, Tekst = 8 };
  Typ typ = Pusta;
  float liczba = 0;
  std::string tekst;  // UTF-8 inside the program

  static OstatniaDana ZTekstu(std::string t);
  static OstatniaDana ZLiczby(float x);
  // The value as a text: a number in the locale text form, nothing as "".
  std::string Text(char decimalSep) const;
};

inline constexpr std::size_t kWpisyTmp = 7;
using OstatnieDane = std::array<OstatniaDana, kWpisyTmp>;

// Longest file part the reader can need: seven texts of the greatest length.
inline constexpr std::size_t kMaxBajtowTmp = kWpisyTmp * (4 + 0xFFFF);

// Bytes of the seven entries. A text longer than 65535 bytes keeps its first 65535.
std::string KodujWpisy(const OstatnieDane& d);

// Reads seven entries from the start of `bytes` (anything after them is ignored). An entry cut
// short raises error 62, an unknown type code error 13, a single that is not finite error 6;
// nothing is read beyond the end.
OstatnieDane CzytajWpisy(const std::string& bytes);

}  // namespace kal
