// Byte image of the coefficient record: the 16 tables back to back as little-endian doubles,
// written element by element so the host's struct layout never matters.
#include "coeffdb/baza.h"

#include <atomic>
#include <cstring>

namespace kal {

namespace {

// Calls f(double&) for every element in file order (Tab1 column by column).
template <class B, class F>
void EachElement(B& b, F f) {
  for (auto& col : b.Tab1)
    for (auto& v : col) f(v);
  for (auto& v : b.Tab2) f(v);
  for (auto& v : b.Tab3) f(v);
  for (auto& v : b.Tab4) f(v);
  for (auto& v : b.Tab5) f(v);
  for (auto& v : b.Tab6) f(v);
  for (auto& v : b.Tab7) f(v);
  for (auto& v : b.Tab8) f(v);
  for (auto& v : b.Tab9) f(v);
  for (auto& v : b.Tab10) f(v);
  for (auto& v : b.Tab11) f(v);
  for (auto& v : b.Tab12) f(v);
  for (auto& v : b.Tab13) f(v);
  for (auto& v : b.Tab14) f(v);
  for (auto& v : b.Tab15) f(v);
  for (auto& v : b.Tab16) f(v);
}

void Put(double v, std::uint8_t* out) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, 8);
  for (int k = 0; k < 8; ++k) out[k] = static_cast<std::uint8_t>(bits >> (8 * k));
}

double Get(const std::uint8_t* in) {
  std::uint64_t bits = 0;
  for (int k = 0; k < 8; ++k) bits |= static_cast<std::uint64_t>(in[k]) << (8 * k);
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

}  // namespace

std::uint64_t Baza::NowaWersja() {
  static std::atomic<std::uint64_t> next{1};
  return next++;
}

void ZapiszRekord(const Baza& baza, std::uint8_t out[kRecordLen]) {
  std::size_t at = 0;
  EachElement(baza, [&](const double& v) {
    Put(v, out + at);
    at += 8;
  });
}

void CzytajRekord(Baza& baza, const std::uint8_t* in, std::size_t n) {
  if (n > kRecordLen) n = kRecordLen;
  // Overlay the bytes read on the current image, so a value cut short keeps its remaining bytes.
  std::uint8_t img[kRecordLen];
  ZapiszRekord(baza, img);
  if (n > 0) std::memcpy(img, in, n);
  std::size_t at = 0;
  EachElement(baza, [&](double& v) {
    v = Get(img + at);
    at += 8;
  });
  baza.Zmieniona();
}

}  // namespace kal
