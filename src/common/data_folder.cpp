#include "common/data_folder.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "common/platform.h"

namespace kal {

std::string Platform::UserDataDir() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/Kalorimo";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/share/Kalorimo";
  return std::string();
}

bool FolderDoZapisu(const std::string& path) {
  namespace fs = std::filesystem;
  if (path.empty()) return false;
  std::error_code ec;
  if (!fs::is_directory(path, ec)) {
    // A folder another start made a moment ago is as good as one made here (create_directory
    // reports it as not made); a file in the way is no folder.
    fs::create_directory(path, ec);
    if (!fs::is_directory(path, ec)) return false;
  }
  // Permissions alone do not tell (root, read-only mounts): a probe file does.
  std::string probe = path + "/.kalorimo-XXXXXX";
  const int fd = mkstemp(probe.data());
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

std::string WybierzFolderDanych(const std::string& obokProgramu, const std::string& uzytkownika,
                                std::string* powodUzytkownika) {
  std::string powod;
  std::string wynik = obokProgramu;
  if (!FolderDoZapisu(obokProgramu)) {
    if (uzytkownika.empty()) {
      powod = "Katalog użytkownika: nieznany (brak HOME i XDG_DATA_HOME)";
    } else {
      std::error_code ec;
      std::filesystem::create_directories(std::filesystem::path(uzytkownika).parent_path(), ec);
      if (FolderDoZapisu(uzytkownika))
        wynik = uzytkownika;
      else
        powod = "Katalog użytkownika: " + uzytkownika + " - nie można go utworzyć ani w nim pisać";
    }
  }
  if (powodUzytkownika != nullptr) *powodUzytkownika = powod;
  return wynik;
}

}  // namespace kal
