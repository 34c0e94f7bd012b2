// File-system faults for the tests: a folder that cannot be written even by root, and a full
// disk. Both are undone when the object goes.
#pragma once
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
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

}  // namespace kal::test
