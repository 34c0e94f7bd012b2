// Whole-file reads and writes of the data folder, and the run-time error number of a failed
// file operation.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace kal {

// Which file an operating-system error comes from. The coefficient file has always answered a
// refused access and any failure it does not know with 75 (path/file access); the files written
// whole say 70 (permission denied) and 57 (device I/O). Kept apart so that no error report a user
// may have seen changes its number.
enum class RodzajPliku { Zapisywany, Baza };

// Run-time error number of an operating-system error code of a file operation.
int NumerBleduPliku(int errnoValue, RodzajPliku rodzaj = RodzajPliku::Zapisywany);

// The operating system's reason for a failure, in Polish ("brak miejsca na dysku" for ENOSPC);
// an unknown code gives its number.
std::string PowodBledu(int errnoValue);

// Up to `limit` bytes from the start of a file; a file that cannot be opened or read raises the
// matching file error from `source`.
std::string CzytajPoczatekPliku(const std::string& path, std::size_t limit, const std::string& source);

// Largest old file whose tail a replacement keeps: a real last-inputs file is far smaller.
inline constexpr std::size_t kMaxStaryPlik = 4096;

// Replaces the file at `path` by `head` through a temporary file `path`.XXXXXX in the same
// folder, locked while it exists, and a rename. With `keepTail`, the bytes of a regular old file
// (of at most kMaxStaryPlik bytes) beyond head's length follow head, as an in-place overwrite
// without truncation would leave them. Any failure removes the temporary
// file, leaves the old file as it was and raises a file error (61 disk full, 70 no permission,
// 76 path not found, 75 path/file access, 57 other) from `source`, naming the path.
void ZapiszPlikBezpiecznie(const std::string& path, const std::string& head, bool keepTail, const std::string& source);

// Removes the temporary files `name`.XXXXXX in `folder` of each name that no running process
// holds locked: leftovers of a process killed while writing.
void UsunPorzuconePliki(const std::string& folder, const std::vector<std::string>& names);

}  // namespace kal
