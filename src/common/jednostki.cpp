#include "common/jednostki.h"

namespace kal {

const JednostkaCisnienia* ZnanaJednostka(float kod) {
  for (const JednostkaCisnienia& j : kJednostkiCisnienia)
    if (j.kod == kod) return &j;
  return nullptr;
}

int PozycjaJednostki(float kod) {
  const JednostkaCisnienia* j = ZnanaJednostka(kod);
  return j ? static_cast<int>(j - kJednostkiCisnienia) : 0;
}

}  // namespace kal
