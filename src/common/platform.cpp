#include "common/platform.h"

#include <unistd.h>

#include <climits>

namespace kal {

std::string KatalogProgramu() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  const std::string p(buf, static_cast<std::size_t>(n));
  const std::size_t slash = p.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : p.substr(0, slash);
}

}  // namespace kal
