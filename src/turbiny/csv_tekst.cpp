#include "turbiny/csv_tekst.h"

#include "common/cp1250.h"
#include "turbiny/model.h"

namespace kal::turbiny {

std::size_t BlednyBajtUtf8(const std::string& s) {
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t dl = 0;
    unsigned char min2 = 0x80, max2 = 0xBF;  // the second byte's range (no overlongs, no surrogates)
    if (c < 0x80)
      dl = 1;
    else if (c >= 0xC2 && c <= 0xDF)
      dl = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
      dl = 3;
      if (c == 0xE0) min2 = 0xA0;
      if (c == 0xED) max2 = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      dl = 4;
      if (c == 0xF0) min2 = 0x90;
      if (c == 0xF4) max2 = 0x8F;
    } else
      return i;
    if (i + dl > n) return i;
    for (std::size_t k = 1; k < dl; ++k) {
      const unsigned char d = static_cast<unsigned char>(s[i + k]);
      const unsigned char lo = k == 1 ? min2 : 0x80, hi = k == 1 ? max2 : 0xBF;
      if (d < lo || d > hi) return i;
    }
    i += dl;
  }
  return std::string::npos;
}

namespace {

// Windows-1250 keeps ASCII as it is: only the runs of other bytes (the header's letters, mostly)
// go through iconv, so a large export of numbers is not converted byte by byte.
std::string ZCp1250(const std::string& bajty) {
  std::string out;
  out.reserve(bajty.size() + bajty.size() / 8);
  std::size_t i = 0;
  const std::size_t n = bajty.size();
  while (i < n) {
    std::size_t j = i;
    while (j < n && static_cast<unsigned char>(bajty[j]) < 0x80) ++j;
    out.append(bajty, i, j - i);
    i = j;
    while (j < n && static_cast<unsigned char>(bajty[j]) >= 0x80) ++j;
    if (j > i) out += FromCp1250(bajty.substr(i, j - i));
    i = j;
  }
  return out;
}

}  // namespace

TekstCsv TekstZBajtow(const std::string& bajty, const std::string& kodowanie) {
  const bool bom = bajty.size() >= 3 && bajty.compare(0, 3, "\xEF\xBB\xBF") == 0;
  const bool dobreUtf8 = BlednyBajtUtf8(bajty) == std::string::npos;
  const std::string zrodlo = kodowanie == "auto" ? " (wykryte)" : " (z mapowania)";
  TekstCsv t;
  if (kodowanie == "windows-1250" || (kodowanie == "auto" && !dobreUtf8 && !bom)) {
    t.tekst = ZCp1250(bajty);
    t.opis = "Windows-1250" + zrodlo;
    return t;
  }
  if (!dobreUtf8) {
    throw BladTurbiny("plik nie jest poprawnym tekstem UTF-8 (bajt " + std::to_string(BlednyBajtUtf8(bajty) + 1) + ")" +
                      (kodowanie == "auto" ? ", choć zaczyna się znacznikiem BOM" : "") +
                      "; podaj w mapowaniu \"encoding\": \"windows-1250\", jeśli to ta strona kodowa");
  }
  t.tekst = bom ? bajty.substr(3) : bajty;
  t.opis = std::string(bom ? "UTF-8 z BOM" : "UTF-8") + zrodlo;
  return t;
}

}  // namespace kal::turbiny
