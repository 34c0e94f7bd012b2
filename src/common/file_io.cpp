#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/errors.h"

namespace kal {

int NumerBleduPliku(int e, RodzajPliku rodzaj) {
  const bool baza = rodzaj == RodzajPliku::Baza;
  switch (e) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return ErrDiskFull;
    case ENOENT:
    case ENOTDIR:
      return ErrPathNotFound;
    case EISDIR:
    case EEXIST:
    case ENAMETOOLONG:
    case ELOOP:
      return ErrPathFileAccess;
    case EIO:
      return ErrDeviceIO;
    case EACCES:
    case EPERM:
    case EROFS:
      return baza ? ErrPathFileAccess : ErrPermissionDenied;
    default:
      return baza ? ErrPathFileAccess : ErrDeviceIO;
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
