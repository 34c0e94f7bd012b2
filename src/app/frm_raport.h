// The report viewer as data: the text of Notes.txt decoded from Windows-1250, read-only.
#pragma once
#include <string>

namespace kal {

struct FrmRaport {
  std::string Caption = "Raport - Notes.txt";
  bool Visible = false;
  std::string Path;  // the report file shown
  std::string Text;  // its text in UTF-8, CR LF line breaks kept
  std::string cmdKopiujCaption = "&Kopiuj";
  std::string cmdEdytorCaption = "Otwórz w &edytorze";
  std::string cmdZamknijCaption = "&Zamknij";
};

}  // namespace kal
