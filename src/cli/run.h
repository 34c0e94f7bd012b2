// The whole tool behind main(): arguments, the calculations, the output, the exit status.
#pragma once
#include <cstdio>
#include <istream>

namespace kal::cli {

inline constexpr int kExitOk = 0;      // every calculation ok
inline constexpr int kExitFailed = 1;  // some calculation was not ok (or the start-up failed)
inline constexpr int kExitUsage = 2;   // the command line was wrong

// `in` feeds --batch; results go to `out`, the boxes shown and usage errors to `err`.
int RunCli(int argc, char** argv, std::istream& in, std::FILE* out, std::FILE* err);

}  // namespace kal::cli
