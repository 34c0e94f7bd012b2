#include "steam/validity.h"

#include <cmath>

#include "common/number_text.h"

namespace kal {

std::string LiczbaKomunikatu(double v, char decimalSep, const char* pattern) {
  if (std::isnan(v)) return "(nieokreślona)";
  if (std::isinf(v)) return v < 0 ? "(ujemna poza zakresem liczb)" : "(dodatnia poza zakresem liczb)";
  return pattern != nullptr ? Format(v, pattern, decimalSep) : LocaleText(static_cast<float>(v), decimalSep);
}

std::string StanNiefizyczny(const SteamState& s, bool nasycenie, char decimalSep) {
  const auto n = [decimalSep](float v) { return LiczbaKomunikatu(v, decimalSep); };
  const std::string naglowek = "Stan niefizyczny - wynik odrzucony:\r\n";
  const bool mokra = nasycenie || (s.xPary > 0.0f && s.xPary < 1.0f);
  const bool przegrzana = s.xPary == 1.0f || s.xPary >= 1.01f;
  const float v = s.xPary < 1.0f ? s.obx : s.vPary;
  if (s.pPary < kPMin) {
    return naglowek + "ciśnienie p = " + n(s.pPary) + " [MPa] poniżej zakresu obliczeń,  p < " + n(kPMin) + " [MPa]";
  }
  if (mokra && (s.pPary > kPKrytyczne || s.tPary > kTKrytyczna)) {
    return naglowek + "para mokra powyżej punktu krytycznego (" + n(kPKrytyczne) + " [MPa], " + n(kTKrytyczna) +
           " [C]):  p = " + n(s.pPary) + " [MPa],  t = " + n(s.tPary) + " [C]";
  }
  if (!(v > 0.0f)) {
    return naglowek + "objętość właściwa v = " + n(v) + " [m3/kg] nie jest dodatnia (poza zakresem równań)";
  }
  if (przegrzana && s.pPary <= kPKrytyczne && s.tPary < s.tNasPary - kPrzechlodzenie) {
    return naglowek + "para przegrzana poniżej temperatury nasycenia:  t = " + n(s.tPary) +
           " [C] < ts = " + n(s.tNasPary) + " [C]";
  }
  return "";
}

}  // namespace kal
