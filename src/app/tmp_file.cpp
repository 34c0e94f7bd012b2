#include "app/tmp_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

int NumerBleduPliku(int e) {
  switch (e) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return ErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return ErrPermissionDenied;
    case ENOENT:
    case ENOTDIR:
      return ErrPathNotFound;
    case EISDIR:
    case EEXIST:
    case ENAMETOOLONG:
    case ELOOP:
      return ErrPathFileAccess;
    default:
      return ErrDeviceIO;
  }
}

namespace {

[[noreturn]] void BladPliku(int e, const std::string& path, const std::string& source) {
  RunTimeError err(NumerBleduPliku(e), source, e);
  err.description += " - plik " + path;
  throw err;
}

bool WriteAll(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    n -= static_cast<std::size_t>(w);
  }
  return true;
}

// Copies the old file's bytes from `from` on to `fd`. A missing old file has no tail.
bool CopyTail(const std::string& path, std::size_t from, int fd) {
  int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno == ENOENT;
  bool ok = ::lseek(in, static_cast<off_t>(from), SEEK_SET) >= 0;
  char buf[1 << 14];
  while (ok) {
    ssize_t r = ::read(in, buf, sizeof buf);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) {
      ok = r == 0;
      break;
    }
    ok = WriteAll(fd, buf, static_cast<std::size_t>(r));
  }
  int e = errno;
  ::close(in);
  errno = e;
  return ok;
}

// Mode of the new file: the old file's, else what a plain create would give.
mode_t NewMode(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::string CzytajPoczatekPliku(const std::string& path, std::size_t limit, const std::string& source) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) BladPliku(errno, path, source);
  std::string out;
  char buf[1 << 14];
  while (out.size() < limit) {
    ssize_t r = ::read(fd, buf, std::min(sizeof buf, limit - out.size()));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      int e = errno;
      ::close(fd);
      BladPliku(e, path, source);
    }
    if (r == 0) break;
    out.append(buf, static_cast<std::size_t>(r));
  }
  ::close(fd);
  return out;
}

void ZapiszPlikBezpiecznie(const std::string& path, const std::string& head, bool keepTail, const std::string& source) {
  std::string tmp = path + ".XXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) BladPliku(errno, path, source);
  bool ok = ::fchmod(fd, NewMode(path)) == 0 && WriteAll(fd, head.data(), head.size()) &&
            (!keepTail || CopyTail(path, head.size(), fd)) && ::fsync(fd) == 0;
  int e = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    e = errno;
  }
  if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
    ok = false;
    e = errno;
  }
  if (!ok) {
    ::unlink(tmp.c_str());
    BladPliku(e, path, source);
  }
}

}  // namespace kal
