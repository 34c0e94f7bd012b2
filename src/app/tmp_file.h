// Kalorimo.tmp at byte level (self-describing entries) and the whole-file writes of the data
// folder, which never leave an existing file truncated or half-written.
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

// Up to `limit` bytes from the start of a file; a file that cannot be opened or read raises the
// matching file error from `source`.
std::string CzytajPoczatekPliku(const std::string& path, std::size_t limit, const std::string& source);

// Replaces the file at `path` by `head` through a temporary file in the same folder and a
// rename. With `keepTail`, the bytes of the old file beyond head's length follow head, as an
// in-place overwrite without truncation would leave them. Any failure removes the temporary
// file, leaves the old file as it was and raises a file error (61 disk full, 70 no permission,
// 76 path not found, 75 path/file access, 57 other) from `source`, naming the path.
void ZapiszPlikBezpiecznie(const std::string& path, const std::string& head, bool keepTail, const std::string& source);

// Run-time error number of an operating-system error code of a file operation.
int NumerBleduPliku(int errnoValue);

}  // namespace kal
