// The common run-time error report and the folder check.
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/file_io.h"
#include "common/mod_main.h"

namespace kal {

void ModMain::RaportBledu(const RunTimeError& err) {
  const std::string text =
      " Wystąpił błąd wykonania nr -> " + std::to_string(err.number) + "\r\n" + "  co oznacza ->  " + err.description +
      "\r\n" + " błąd wystąpił w procedurze -> " + err.source + " / " + std::to_string(err.lastDllError) + "\r\n" +
      (err.szczegoly.empty() ? "" : " " + err.szczegoly + "\r\n") + " whatFormName = " + whatFormName + "\r\n" +
      " kontekst -> " + std::to_string(err.helpContext) + "\r\n" + " help file -> " + err.helpFile + "\r\n" +
      " kontynuować ? ";
  if (dialogs_.MsgBox(text, Buttons::YesNo, Icon::None, "Opis błędu ") == Answer::No) {
    platform_.EndApplication();
  }
}

void ModMain::CzyJestSubDir(const std::string& path, const std::string& dopisek) {
  namespace fs = std::filesystem;
  bool ok = false;
  std::string powod;
  try {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (fs::is_directory(st)) {
      ok = true;
    } else if (path.empty()) {
      powod = "pusta ścieżka";
    } else if (st.type() == fs::file_type::not_found) {
      // One level only, like mkdir: a missing parent is a failure.
      std::error_code mk;
      fs::create_directory(path, mk);
      ok = !mk && fs::is_directory(fs::status(path, mk));
      if (!ok)
        powod = mk.value() == EEXIST ? "istnieje, ale nie jest katalogiem" : PowodBledu(mk ? mk.value() : ENOTDIR);
    } else if (ec) {
      powod = PowodBledu(ec.value());
    } else {
      powod = "istnieje, ale nie jest katalogiem";
    }
    // Anything else (a file in the way, no permission to look) is a failure too: the data
    // folder would not be usable.
  } catch (const std::exception&) {
    ok = false;
    powod = "błąd systemu plików";
  }
  if (!ok) {
    // The window's own text, then the folder and the system's reason.
    dialogs_.MsgBox("Problem ze ścieżką dostępu  w  ModMain\\CzyJestSubDir()  \r\nKatalog: " + path + " - " + powod +
                        (dopisek.empty() ? "" : "\r\n" + dopisek),
                    Buttons::OK, Icon::Information, "Eksplorator");
  }
}

}  // namespace kal
