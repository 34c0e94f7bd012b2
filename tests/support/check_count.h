// Sample sizes of the bit-identity checks: a quick slice in the suite; the full run sets
// KALORIMO_FULL_CHECK to the count it wants (scripts/bitcheck.sh).
#pragma once
#include <cstdlib>

namespace kal::test {

inline long CheckCount(long slice) {
  const char* full = std::getenv("KALORIMO_FULL_CHECK");
  if (full == nullptr || *full == '\0') return slice;
  const long n = std::atol(full);
  return n > 0 ? n : slice;
}

}  // namespace kal::test
