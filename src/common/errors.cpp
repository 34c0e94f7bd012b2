#include "common/errors.h"

namespace kal {

std::string OpisBledu(int number) {
  switch (number) {
    case ErrInvalidCall:
      return "Nieprawidłowe wywołanie procedury lub argument";
    case ErrOverflow:
      return "Przepełnienie";
    case ErrDivByZero:
      return "Dzielenie przez zero";
    case ErrTypeMismatch:
      return "Niezgodność typów";
    case ErrBadFileName:
      return "Zła nazwa lub numer pliku";
    case ErrFileNotFound:
      return "Nie znaleziono pliku";
    case ErrDeviceIO:
      return "Błąd wejścia/wyjścia urządzenia";
    case ErrDiskFull:
      return "Dysk jest pełny";
    case ErrInputPastEnd:
      return "Próba odczytu poza końcem pliku";
    case ErrPermissionDenied:
      return "Brak uprawnień";
    case ErrPathFileAccess:
      return "Błąd dostępu do ścieżki lub pliku";
    case ErrPathNotFound:
      return "Nie znaleziono ścieżki";
    default:
      return "Błąd zdefiniowany przez aplikację lub obiekt";
  }
}

RunTimeError::RunTimeError(int number_, std::string source_, int lastDllError_)
    : std::runtime_error(OpisBledu(number_)),
      number(number_),
      description(OpisBledu(number_)),
      source(std::move(source_)),
      lastDllError(lastDllError_) {}

void Raise(int number, const std::string& source, int lastDllError) {
  throw RunTimeError(number, source, lastDllError);
}

}  // namespace kal
