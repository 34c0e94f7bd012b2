// Which data folder a run uses: the folder beside the executable for a portable copy, the
// per-user folder for an installed one whose program folder the user may not write.
#pragma once
#include <string>

namespace kal {

// `obokProgramu` when it is a folder the user can write, or can be made; otherwise `uzytkownika`
// (made with its parents) when that one can be written; otherwise `obokProgramu`, whose
// failures the start-up then reports. Paths without a trailing separator.
// When it falls back to `obokProgramu`, `powodUzytkownika` (if given) says why the per-user folder
// was not taken: a line for the start-up's message; else it is emptied.
std::string WybierzFolderDanych(const std::string& obokProgramu, const std::string& uzytkownika,
                                std::string* powodUzytkownika = nullptr);

// A folder that exists, or was just made (one level), and takes a new file.
bool FolderDoZapisu(const std::string& path);

}  // namespace kal
