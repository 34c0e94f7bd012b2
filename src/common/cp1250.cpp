// Windows-1250 through the C library's iconv; characters it cannot map become '?'.
#include "common/cp1250.h"

#include <iconv.h>

#include <cerrno>

namespace kal {

namespace {

// Length of the UTF-8 sequence that starts with byte b (1 for a stray byte).
std::size_t Utf8Length(unsigned char b) {
  if (b >= 0xF0 && b <= 0xF4) return 4;
  if (b >= 0xE0) return b <= 0xEF ? 3 : 1;
  if (b >= 0xC2) return 2;
  return 1;
}

// Converts `in`; an unconvertible or malformed piece of `step(byte)` bytes becomes '?'.
std::string Convert(const char* to, const char* from, const std::string& in, std::size_t (*step)(unsigned char)) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in.size(), '?');
  std::string out;
  out.reserve(in.size() * 2 + 4);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char buf[256];
  while (srcLeft > 0) {
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, dst - buf);
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ (no such character, malformed input) or EINVAL (cut short at the end).
    std::size_t skip = step(static_cast<unsigned char>(*src));
    if (skip > srcLeft) skip = srcLeft;
    if (errno == EILSEQ && skip > 1) {
      // A malformed sequence: skip only its lead byte, so that good bytes after it survive.
      for (std::size_t k = 1; k < skip; ++k) {
        const unsigned char c = static_cast<unsigned char>(src[k]);
        if ((c & 0xC0) != 0x80) {
          skip = k;
          break;
        }
      }
    }
    out.push_back('?');
    src += skip;
    srcLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  }
  iconv_close(cd);
  return out;
}

std::size_t OneByte(unsigned char) { return 1; }

}  // namespace

std::string ToCp1250(const std::string& utf8) { return Convert("WINDOWS-1250", "UTF-8", utf8, Utf8Length); }

std::string FromCp1250(const std::string& cp1250) { return Convert("UTF-8", "WINDOWS-1250", cp1250, OneByte); }

}  // namespace kal
