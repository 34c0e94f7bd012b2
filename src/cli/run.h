// The whole tool behind main(): arguments, the calculations, the output, the exit status.
#pragma once
#include <cstddef>
#include <cstdio>
#include <istream>

namespace kal::cli {

inline constexpr int kExitOk = 0;      // every calculation ok
inline constexpr int kExitFailed = 1;  // some calculation was not ok (or the start-up failed)
inline constexpr int kExitUsage = 2;   // the command line was wrong
inline constexpr int kExitIo = 3;      // results could not be written, input not read, no memory

// Longest batch line taken; a longer one is a bad line of its own.
inline constexpr std::size_t kMaxLine = 4096;

// `in` feeds --batch; results go to `out`, the boxes shown and usage errors to `err`.
int RunCli(int argc, char** argv, std::istream& in, std::FILE* out, std::FILE* err);

}  // namespace kal::cli
