// Whole-file reads and writes of the data folder, and the run-time error number of a failed
// file operation.
#pragma once
#include <cstddef>
#include <string>

namespace kal {

// Which file an operating-system error comes from. The coefficient file has always answered a
// refused access and any failure it does not know with 75 (path/file access); the files written
// whole say 70 (permission denied) and 57 (device I/O). Kept apart so that no error report a user
// may have seen changes its number.
enum class RodzajPliku { Zapisywany, Baza };

// Run-time error number of an operating-system error code of a file operation.
int NumerBleduPliku(int errnoValue, RodzajPliku rodzaj = RodzajPliku::Zapisywany);

// Up to `limit` bytes from the start of a file; a file that cannot be opened or read raises the
// matching file error from `source`.
std::string CzytajPoczatekPliku(const std::string& path, std::size_t limit, const std::string& source);

// Replaces the file at `path` by `head` through a temporary file in the same folder and a
// rename. With `keepTail`, the bytes of the old file beyond head's length follow head, as an
// in-place overwrite without truncation would leave them. Any failure removes the temporary
// file, leaves the old file as it was and raises a file error (61 disk full, 70 no permission,
// 76 path not found, 75 path/file access, 57 other) from `source`, naming the path.
void ZapiszPlikBezpiecznie(const std::string& path, const std::string& head, bool keepTail, const std::string& source);

}  // namespace kal
