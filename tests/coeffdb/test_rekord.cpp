// The record image: field order, Tab1 column by column, little-endian, a record cut short.
#include <gtest/gtest.h>

#include <cstring>

#include "coeffdb/baza.h"

namespace kal::test {
namespace {

double At(const std::uint8_t* img, std::size_t off) {
  std::uint64_t bits = 0;
  for (int k = 0; k < 8; ++k) bits |= static_cast<std::uint64_t>(img[off + k]) << (8 * k);
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

TEST(Rekord, FieldOffsetsAndColumnOrder) {
  Baza b;
  b.Tab1[2][3] = 23.0;  // element (3, 2): offset 8 * (7 * 2 + 3)
  b.Tab2[0] = 2.0;
  b.Tab3[10] = 3.0;
  b.Tab4[11] = 4.0;
  b.Tab8[1] = 8.0;
  b.Tab9[1] = 9.0;
  b.Tab16[4] = 16.0;
  std::uint8_t img[kRecordLen];
  ZapiszRekord(b, img);
  EXPECT_EQ(At(img, 8 * (7 * 2 + 3)), 23.0);
  EXPECT_EQ(At(img, 280), 2.0);
  EXPECT_EQ(At(img, 384 + 80), 3.0);
  EXPECT_EQ(At(img, 472 + 88), 4.0);
  EXPECT_EQ(At(img, 824 + 8), 8.0);
  EXPECT_EQ(At(img, 920 + 8), 9.0);
  EXPECT_EQ(At(img, 1232), 16.0);
  // Little-endian: 16.0 is 0x4030000000000000.
  EXPECT_EQ(img[1239], 0x40);
  EXPECT_EQ(img[1238], 0x30);
  EXPECT_EQ(img[1232], 0x00);
}

TEST(Rekord, RoundTripIsExact) {
  std::uint8_t img[kRecordLen];
  for (std::size_t k = 0; k < kRecordLen; ++k) img[k] = static_cast<std::uint8_t>(k * 37 + 11);
  Baza b;
  CzytajRekord(b, img, kRecordLen);
  std::uint8_t back[kRecordLen];
  ZapiszRekord(b, back);
  EXPECT_EQ(std::memcmp(img, back, kRecordLen), 0);
}

TEST(Rekord, ShortReadKeepsTheRestByteForByte) {
  Baza b;
  for (auto& v : b.Tab16) v = 1.5;
  b.Tab2[1] = -7.25;
  std::uint8_t before[kRecordLen];
  ZapiszRekord(b, before);
  std::uint8_t in[700];
  std::memset(in, 0, sizeof in);
  CzytajRekord(b, in, 700);  // 700 = 87 whole values and half of the 88th
  std::uint8_t after[kRecordLen];
  ZapiszRekord(b, after);
  for (std::size_t k = 0; k < 700; ++k) ASSERT_EQ(after[k], 0) << k;
  EXPECT_EQ(std::memcmp(after + 700, before + 700, kRecordLen - 700), 0);
  EXPECT_EQ(b.Tab2[1], 0.0);
  EXPECT_EQ(b.Tab16[4], 1.5);
}

TEST(Rekord, NothingReadLeavesAllAndLongInputIsCut) {
  Baza b;
  b.Tab7[3] = 3.0;
  CzytajRekord(b, nullptr, 0);
  EXPECT_EQ(b.Tab7[3], 3.0);
  std::uint8_t big[2 * kRecordLen] = {};
  CzytajRekord(b, big, sizeof big);
  EXPECT_EQ(b.Tab7[3], 0.0);
}

}  // namespace
}  // namespace kal::test
