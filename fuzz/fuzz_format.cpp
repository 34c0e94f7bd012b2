// Random values through random number patterns and the text forms; the typed-number reading
// on random texts.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/errors.h"
#include "common/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 9) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  const char sep = (data[8] & 1) ? ',' : '.';
  const std::string pattern(reinterpret_cast<const char*>(data + 9), size - 9);

  const std::string s = kal::Format(value, pattern, sep);
  // The text is bounded by the pattern plus the value's integer digits, a sign and an exponent.
  if (s.size() > pattern.size() + 330) std::abort();

  float single = static_cast<float>(value);
  if (std::isfinite(value) && std::fabs(value) <= 3.4e38) {
    const std::string t = kal::LocaleText(single, sep);
    if (t.size() > 16) std::abort();
    // The locale text reads back to the same single when rounded to 7 digits it is exact enough.
    const double back = kal::ParseLocale(t, sep);
    if (std::fabs(back - single) > std::fabs(single) * 1e-6) std::abort();
    if (kal::PlainText(single).size() > 16) std::abort();
  }
  try {
    (void)kal::ParseLocale(pattern, sep);
  } catch (const kal::RunTimeError& e) {
    if (e.number != kal::ErrTypeMismatch && e.number != kal::ErrOverflow) std::abort();
  }
  return 0;
}
