#include "common/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

std::string PowodBledu(int e) {
  switch (e) {
    case ENOSPC:
      return "brak miejsca na dysku";
#ifdef EDQUOT
    case EDQUOT:
      return "przekroczony przydział miejsca na dysku";
#endif
    case EFBIG:
      return "plik za duży";
    case ENOENT:
      return "brak takiego pliku lub katalogu";
    case ENOTDIR:
      return "część ścieżki nie jest katalogiem";
    case EISDIR:
      return "to jest katalog";
    case EEXIST:
      return "plik już istnieje";
    case ENAMETOOLONG:
      return "za długa nazwa";
    case ELOOP:
      return "za dużo dowiązań symbolicznych";
    case EACCES:
    case EPERM:
      return "brak uprawnień";
    case EROFS:
      return "system plików tylko do odczytu";
    case EIO:
      return "błąd wejścia/wyjścia urządzenia";
    case EPIPE:
      return "odbiorca danych zakończył pracę";
    case ENOMEM:
      return "brak pamięci";
    case EBADF:
      return "strumień nie jest otwarty";
    case ENXIO:
    case ENODEV:
      return "brak urządzenia";
    case EMFILE:
    case ENFILE:
      return "za dużo otwartych plików";
    default:
      return "błąd systemu nr " + std::to_string(e);
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

// Copies the old file's bytes from `from` on to `fd`. Only a regular file has a tail, and only
// up to kMaxStaryPlik bytes: a FIFO, a device, a link or a huge file counts as no old file, so
// the copy never blocks, never runs on without end and never fills the disk.
bool CopyTail(const std::string& path, std::size_t from, int fd) {
  int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
  if (in < 0) return true;
  struct stat st {};
  if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) > kMaxStaryPlik ||
      static_cast<std::size_t>(st.st_size) <= from) {
    ::close(in);
    return true;
  }
  char buf[kMaxStaryPlik];
  std::size_t n = 0;
  bool ok = true;
  while (n < kMaxStaryPlik) {
    ssize_t r = ::pread(in, buf + n, kMaxStaryPlik - n, static_cast<off_t>(n));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) {
      ok = r == 0;
      break;
    }
    n += static_cast<std::size_t>(r);
  }
  int e = errno;
  ::close(in);
  if (ok && n > from) ok = WriteAll(fd, buf + from, n - from);
  if (!ok) errno = e ? e : errno;
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
  std::string tmp;
  int fd = -1;
  // The temporary file is locked while it exists, so a start-up's clean-up leaves it alone; one
  // removed by a clean-up between its creation and the lock is made again.
  for (int proba = 0; proba < 100 && fd < 0; ++proba) {
    tmp = path + ".XXXXXX";
    fd = ::mkstemp(tmp.data());
    if (fd < 0) BladPliku(errno, path, source);
    struct stat st {};
    if (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &st) != 0 || st.st_nlink == 0) {
      ::close(fd);
      fd = -1;
    }
  }
  if (fd < 0) BladPliku(EIO, path, source);
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

void UsunPorzuconePliki(const std::string& folder, const std::vector<std::string>& names) {
  DIR* d = ::opendir(folder.c_str());
  if (!d) return;
  const int dfd = ::dirfd(d);
  while (const dirent* e = ::readdir(d)) {
    const std::string n = e->d_name;
    bool nasz = false;
    for (const std::string& name : names) {
      nasz = nasz || (n.size() == name.size() + 7 && n.compare(0, name.size() + 1, name + ".") == 0 &&
                      n.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                                          name.size() + 1) == std::string::npos);
    }
    if (!nasz) continue;
    const int fd = ::openat(dfd, n.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st {};
    // Removed only while locked here, so a writer that locks it later sees it gone.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      (void)::unlinkat(dfd, n.c_str(), 0);
    }
    ::close(fd);
  }
  ::closedir(d);
}

}  // namespace kal
