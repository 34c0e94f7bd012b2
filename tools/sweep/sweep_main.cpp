// kalorimo-sweep: the property sweep over every pair, with its figures.
//   kalorimo-sweep [--count N] [--seed S] [--faults N] [--data FOLDER]
// --faults: how many faulty calculations to list with their inputs (20).
// Without --data the coefficient file lives in a temporary folder, removed at the end.
// Exit status 0 when every calculation ended soundly, 1 when some did not, 2 on a bad option.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "sweep/sweep.h"

namespace {

bool Number(const char* text, unsigned long long& out) {
  char* end = nullptr;
  out = std::strtoull(text, &end, 10);
  return *text != '\0' && *text != '-' && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  kal::cli::SweepOptions o;
  o.count = 200000;
  o.timing = true;
  o.progress = stderr;
  for (int i = 1; i < argc; ++i) {
    unsigned long long v = 0;
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--count") == 0 && hasValue && Number(argv[i + 1], v) && v > 0) {
      o.count = static_cast<long>(v);
      ++i;
    } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue && Number(argv[i + 1], v)) {
      o.seed = v;
      ++i;
    } else if (std::strcmp(argv[i], "--faults") == 0 && hasValue && Number(argv[i + 1], v)) {
      o.keepFaults = static_cast<std::size_t>(v);
      ++i;
    } else if (std::strcmp(argv[i], "--data") == 0 && hasValue) {
      o.dataDir = argv[++i];
    } else {
      std::fprintf(stderr, "Użycie: kalorimo-sweep [--count N] [--seed S] [--faults N] [--data KATALOG]\n");
      return 2;
    }
  }
  std::string temp;
  if (o.dataDir.empty()) {
    char tmpl[] = "/tmp/kalorimo-sweep-XXXXXX";
    if (!::mkdtemp(tmpl)) {
      std::perror("kalorimo-sweep: mkdtemp");
      return 2;
    }
    temp = o.dataDir = tmpl;
  }
  std::printf("sweep: %ld calculations, seed %llu\n", o.count, static_cast<unsigned long long>(o.seed));
  kal::cli::SweepFigures f = kal::cli::RunSweep(o);
  kal::cli::PrintFigures(stdout, f);
  if (!temp.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(temp, ec);
  }
  return f.faults == 0 ? 0 : 1;
}
