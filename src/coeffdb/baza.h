// The coefficient record: 16 tables of doubles, 1240 bytes, as record 1 of Kalorimo.dat holds it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kal {

inline constexpr std::size_t kRecordLen = 1240;

// Which function each table feeds (element 0 is never read). The defaults are in
// czyt_array.cpp; they reach a data folder only when its Kalorimo.dat holds no record yet.
struct Baza {
  // Tab1 is stored column by column: element (i, j), i = 0..6, j = 0..4, is Tab1[j][i].
  double Tab1[5][7] = {};  // b(i, j) of the superheated base equation: Hpt0, Spt0, Vpt0
  double Tab2[13] = {};    // Tnas (and through it Pnas)
  double Tab3[11] = {};    // H1t, saturated water enthalpy
  double Tab4[12] = {};    // S1t, saturated water entropy
  double Tab5[12] = {};    // V1t, saturated water volume
  double Tab6[9] = {};     // H2t, dry saturated steam enthalpy
  double Tab7[11] = {};    // S2t, dry saturated steam entropy
  double Tab8[12] = {};    // V2t, dry saturated steam volume (its logarithm)
  double Tab9[5] = {};     // Hwpt term A (temperature only), compressed water enthalpy
  double Tab10[5] = {};    // Hwpt term B (times the pressure term)
  double Tab11[5] = {};    // Hwpt term C (times its square)
  double Tab12[5] = {};    // Hwpt term D (times its fourth power)
  double Tab13[5] = {};    // Vwpt term A, compressed water volume
  double Tab14[5] = {};    // Vwpt term B
  double Tab15[5] = {};    // Vwpt term C
  double Tab16[5] = {};    // Vwpt term D

  // b(i, j): coefficient of the superheated base equation, i = 1..6, j = 1..4.
  double b(int i, int j) const { return Tab1[j][i]; }
};

// Byte image of the record: little-endian doubles, field after field, no padding, whatever the
// host's struct layout.
void ZapiszRekord(const Baza& baza, std::uint8_t out[kRecordLen]);
// Reads `n` bytes (n <= 1240) of a record image; the bytes beyond n keep their values in `baza`.
void CzytajRekord(Baza& baza, const std::uint8_t* in, std::size_t n);

}  // namespace kal
