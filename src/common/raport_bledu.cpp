// The common run-time error report and the folder check.
#include <filesystem>
#include <string>
#include <system_error>

#include "common/mod_main.h"

namespace kal {

void ModMain::RaportBledu(const RunTimeError& err) {
  const std::string text =
      " Wystąpił błąd wykonania nr -> " + std::to_string(err.number) + "\r\n" + "  co oznacza ->  " + err.description +
      "\r\n" + " błąd wystąpił w procedurze -> " + err.source + " / " + std::to_string(err.lastDllError) + "\r\n" +
      " whatFormName = " + whatFormName + "\r\n" + " kontekst -> " + std::to_string(err.helpContext) + "\r\n" +
      " help file -> " + err.helpFile + "\r\n" + " kontynuować ? ";
  if (dialogs_.MsgBox(text, Buttons::YesNo, Icon::None, "Opis błędu ") == Answer::No) {
    platform_.EndApplication();
  }
}

void ModMain::CzyJestSubDir(const std::string& path) {
  namespace fs = std::filesystem;
  bool ok = false;
  try {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (fs::is_directory(st)) {
      ok = true;
    } else if (st.type() == fs::file_type::not_found && !path.empty()) {
      // One level only, like mkdir: a missing parent is a failure.
      std::error_code mk;
      fs::create_directory(path, mk);
      ok = !mk && fs::is_directory(fs::status(path, mk));
    }
    // Anything else (a file in the way, no permission to look) is a failure too: the data
    // folder would not be usable.
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok) {
    dialogs_.MsgBox("Problem ze ścieżką dostępu  w  ModMain\\CzyJestSubDir()  ", Buttons::OK, Icon::Information,
                    "Eksplorator");
  }
}

}  // namespace kal
