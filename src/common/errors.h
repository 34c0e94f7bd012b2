// Run-time errors of the system: a number, a Polish description and the routine that raised it.
// Thrown by the checked arithmetic and the file and text conversions; caught only by the three
// error traps (start-up, calculate command, input correction), which hand it to RaportBledu.
#pragma once
#include <stdexcept>
#include <string>

namespace kal {

enum ErrNo : int {
  ErrInvalidCall = 5,    // invalid procedure call or argument (log of x <= 0, negative base ^ fraction)
  ErrOverflow = 6,       // non-finite result, single out of range, 0/0
  ErrDivByZero = 11,     // x/0
  ErrTypeMismatch = 13,  // a text that is no number
  ErrBadFileName = 52,   // bad file name or number
  ErrFileNotFound = 53,
  ErrDeviceIO = 57,  // device input/output error
  ErrDiskFull = 61,
  ErrInputPastEnd = 62,  // a record or entry cut short
  ErrPermissionDenied = 70,
  ErrPathFileAccess = 75,
  ErrPathNotFound = 76,
};

// Polish description of a run-time error number ("Przepełnienie" for 6 ...).
std::string OpisBledu(int number);

struct RunTimeError : std::runtime_error {
  int number;
  std::string description;
  std::string source;    // routine that raised it
  int lastDllError = 0;  // last operating-system error code (errno), 0 when none
  int helpContext = 0;
  std::string helpFile;
  std::string szczegoly;  // a file error's path and the system's reason, a line of the report
  RunTimeError(int number, std::string source, int lastDllError = 0);
};

// Raise run-time error `number` from routine `source` with its Polish description.
[[noreturn]] void Raise(int number, const std::string& source, int lastDllError = 0);

}  // namespace kal
