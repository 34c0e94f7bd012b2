#include "app/tmp_file.h"

#include <cmath>
#include <cstring>

#include "common/cp1250.h"
#include "common/errors.h"
#include "common/number_text.h"

namespace kal {

OstatniaDana OstatniaDana::ZTekstu(std::string t) {
  OstatniaDana d;
  d.typ = Tekst;
  d.tekst = std::move(t);
  return d;
}

OstatniaDana OstatniaDana::ZLiczby(float x) {
  OstatniaDana d;
  d.typ = Liczba;
  d.liczba = x;
  return d;
}

std::string OstatniaDana::Text(char decimalSep) const {
  switch (typ) {
    case Tekst:
      return tekst;
    case Liczba:
      return LocaleText(liczba, decimalSep);
    default:
      return "";
  }
}

namespace {

void PutU16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

// Reads forward through a byte buffer; every read checks the bytes left first.
class Czytnik {
 public:
  explicit Czytnik(const std::string& b) : b_(b) {}
  std::uint16_t U16() {
    Need(2);
    auto lo = static_cast<unsigned char>(b_[pos_]);
    auto hi = static_cast<unsigned char>(b_[pos_ + 1]);
    pos_ += 2;
    return static_cast<std::uint16_t>(lo | (hi << 8));
  }
  std::string Bytes(std::size_t n) {
    Need(n);
    std::string s = b_.substr(pos_, n);
    pos_ += n;
    return s;
  }

 private:
  void Need(std::size_t n) const {
    if (b_.size() - pos_ < n) Raise(ErrInputPastEnd, "CzytajOstatnieDane");
  }
  const std::string& b_;
  std::size_t pos_ = 0;
};

}  // namespace

std::string KodujWpisy(const OstatnieDane& d) {
  std::string out;
  for (const OstatniaDana& w : d) {
    PutU16(out, w.typ);
    if (w.typ == OstatniaDana::Tekst) {
      std::string bytes = ToCp1250(w.tekst);
      if (bytes.size() > 0xFFFF) bytes.resize(0xFFFF);
      PutU16(out, static_cast<std::uint16_t>(bytes.size()));
      out += bytes;
    } else if (w.typ == OstatniaDana::Liczba) {
      std::uint32_t bits;
      std::memcpy(&bits, &w.liczba, 4);
      for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    }
  }
  return out;
}

OstatnieDane CzytajWpisy(const std::string& bytes) {
  OstatnieDane d;
  Czytnik in(bytes);
  for (OstatniaDana& w : d) {
    std::uint16_t typ = in.U16();
    if (typ == OstatniaDana::Tekst) {
      std::uint16_t n = in.U16();
      w = OstatniaDana::ZTekstu(FromCp1250(in.Bytes(n)));
    } else if (typ == OstatniaDana::Liczba) {
      std::string b = in.Bytes(4);
      std::uint32_t bits = 0;
      for (int i = 0; i < 4; ++i) bits |= std::uint32_t(static_cast<unsigned char>(b[i])) << (8 * i);
      float x;
      std::memcpy(&x, &bits, 4);
      // The program never holds NaN or inf; such bits come from a damaged file.
      if (!std::isfinite(x)) Raise(ErrOverflow, "CzytajOstatnieDane");
      w = OstatniaDana::ZLiczby(x);
    } else if (typ == OstatniaDana::Pusta) {
      w = OstatniaDana{};
    } else {
      Raise(ErrTypeMismatch, "CzytajOstatnieDane");
    }
  }
  return d;
}

}  // namespace kal
