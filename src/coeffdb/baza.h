// The coefficient record: 16 tables of doubles, 1240 bytes, as record 1 of Kalorimo.dat holds it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kal {

inline constexpr std::size_t kRecordLen = 1240;

struct Baza {
  // Tab1 is stored column by column: element (i, j), i = 0..6, j = 0..4, is Tab1[j][i].
  double Tab1[5][7] = {};
  double Tab2[13] = {};
  double Tab3[11] = {};
  double Tab4[12] = {};
  double Tab5[12] = {};
  double Tab6[9] = {};
  double Tab7[11] = {};
  double Tab8[12] = {};
  double Tab9[5] = {};
  double Tab10[5] = {};
  double Tab11[5] = {};
  double Tab12[5] = {};
  double Tab13[5] = {};
  double Tab14[5] = {};
  double Tab15[5] = {};
  double Tab16[5] = {};

  // b(i, j): coefficient of the superheated base equation, i = 1..6, j = 1..4.
  double b(int i, int j) const { return Tab1[j][i]; }

  // A number no other filling of the tables in this process had: what the library derived
  // from the tables (its caches) holds only while this stays the same. CzytajRekord and
  // CzytArray take a new one; code that writes the tables itself calls Zmieniona().
  std::uint64_t wersja = NowaWersja();
  void Zmieniona() { wersja = NowaWersja(); }
  static std::uint64_t NowaWersja();
};

// Byte image of the record: little-endian doubles, field after field, no padding, whatever the
// host's struct layout.
void ZapiszRekord(const Baza& baza, std::uint8_t out[kRecordLen]);
// Reads `n` bytes (n <= 1240) of a record image; the bytes beyond n keep their values in `baza`.
void CzytajRekord(Baza& baza, const std::uint8_t* in, std::size_t n);

}  // namespace kal
