// The unit lookup: a code that names no unit is MPa.
#include <gtest/gtest.h>

#include <limits>

#include "common/jednostki.h"

namespace kal {
namespace {

TEST(JednostkaKodu, KnownCodesTheirRowOthersMPa) {
  const struct {
    float kod;
    int pozycja;
    bool znana;
  } kCases[] = {{1, 0, true},  {2, 1, true},     {3, 2, true},   {0, 0, false},
                {4, 0, false}, {2.5f, 0, false}, {-1, 0, false}, {std::numeric_limits<float>::quiet_NaN(), 0, false}};
  for (const auto& c : kCases) {
    EXPECT_EQ(c.pozycja, PozycjaJednostki(c.kod)) << c.kod;
    EXPECT_EQ(&kJednostkiCisnienia[c.pozycja], &JednostkaKodu(c.kod)) << c.kod;
    EXPECT_EQ(c.znana, ZnanaJednostka(c.kod) != nullptr) << c.kod;
  }
}

}  // namespace
}  // namespace kal
