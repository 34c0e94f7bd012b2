// Windows-1250 text of the files (Kalorimo.tmp, Notes.txt); UTF-8 inside the program.
#pragma once
#include <string>

namespace kal {

// UTF-8 -> Windows-1250; a character the code page lacks becomes '?'.
std::string ToCp1250(const std::string& utf8);
// Windows-1250 -> UTF-8; bytes the code page leaves undefined become '?'.
std::string FromCp1250(const std::string& cp1250);

}  // namespace kal
