// File-system faults for the tests: a folder that cannot be written even by root, a full disk,
// and a file edited through a shared mapping. Each is undone when the object goes.
#pragma once
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

namespace kal::test {

// While it lives, this thread obeys file permissions even as root: the capabilities that
// override them leave the effective set (they stay permitted, so they come back afterwards).
class BezPrzywilejow {
 public:
  BezPrzywilejow() {
    __user_cap_header_struct h{_LINUX_CAPABILITY_VERSION_3, 0};
    if (syscall(SYS_capget, &h, saved_) != 0) return;
    __user_cap_data_struct d[2] = {saved_[0], saved_[1]};
    d[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
    dropped_ = syscall(SYS_capset, &h, d) == 0;
  }
  ~BezPrzywilejow() {
    if (!dropped_) return;
    __user_cap_header_struct h{_LINUX_CAPABILITY_VERSION_3, 0};
    syscall(SYS_capset, &h, saved_);
  }
  BezPrzywilejow(const BezPrzywilejow&) = delete;
  BezPrzywilejow& operator=(const BezPrzywilejow&) = delete;

 private:
  __user_cap_data_struct saved_[2]{};
  bool dropped_ = false;
};

// A folder made read-only (r-x) while it lives, and back to rwx afterwards.
class TylkoDoOdczytu {
 public:
  explicit TylkoDoOdczytu(std::string path) : path_(std::move(path)) {
    namespace fs = std::filesystem;
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  }
  ~TylkoDoOdczytu() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(path_,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec,
                    ec);
  }

 private:
  std::string path_;
};

// Files cannot grow beyond `bytes` while it lives (writes fail with EFBIG), as on a full disk.
class PelnyDysk {
 public:
  explicit PelnyDysk(rlim_t bytes) {
    old_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit l = saved_;
    l.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &l);
  }
  ~PelnyDysk() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, old_);
  }
  PelnyDysk(const PelnyDysk&) = delete;
  PelnyDysk& operator=(const PelnyDysk&) = delete;

 private:
  rlimit saved_{};
  void (*old_)(int) = nullptr;
};

// A file written in place through a shared mapping: once its page is writable, further writes
// change neither size nor time stamps (Stempel is the same before and after Zapisz).
class MapaPliku {
 public:
  explicit MapaPliku(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return;
    size_ = static_cast<std::size_t>(st.st_size);
    void* m = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
    if (m == MAP_FAILED) return;
    mem_ = static_cast<std::uint8_t*>(m);
    volatile std::uint8_t* first = mem_;
    first[0] = first[0];  // the page's first write, which may still stamp the file
  }
  ~MapaPliku() {
    if (mem_ != nullptr) ::munmap(mem_, size_);
    if (fd_ >= 0) ::close(fd_);
  }
  MapaPliku(const MapaPliku&) = delete;
  MapaPliku& operator=(const MapaPliku&) = delete;

  bool ok() const { return mem_ != nullptr; }
  void Zapisz(std::size_t off, const void* bytes, std::size_t n) { std::memcpy(mem_ + off, bytes, n); }
  // Size, mtime and ctime, as one text.
  std::string Stempel() const {
    struct stat st {};
    ::fstat(fd_, &st);
    return std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
           std::to_string(st.st_mtim.tv_nsec) + " " + std::to_string(st.st_ctim.tv_sec) + "." +
           std::to_string(st.st_ctim.tv_nsec);
  }

 private:
  int fd_ = -1;
  std::uint8_t* mem_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace kal::test
