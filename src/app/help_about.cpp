// The "   &Pomoc" submenu (help, usage hint, about box) and the clock.
#include "app/kalorimo_app.h"

namespace kal {

namespace {

std::string FolderBezUkosnika(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

// Help has no content yet; its menu item stays disabled.
void KalorimoApp::mnuHelp_Click() {}

void KalorimoApp::mnuInfo_Click() {
  modMain.dialogs().MsgBox(
      "Zawsze należy wstawić dwa parametry pary ,\r\n"
      "aby obliczyć pozostałe - zaznacz w tym  \r\n"
      "celu odpowienie pole wyboru - wówczas \r\n"
      "uaktywni się klawisz OBLICZ .",
      Buttons::OK, Icon::Information, "Info co i jak ?");
}

void KalorimoApp::mnuAbout_Click() {
  modMain.dialogs().MsgBox(
      " Turbinowo \r\n"
      " zajmującej się diagnostyką termodynamiczną turbin \r\n"
      " parowych we współpracy  z  Pracownią Przepływów Parowych Akademii   \r\n"
      " Nadrzecznej.   Kontakt -     kalorimo@example.org  \r\n"
      "          \r\n"
      " Folder danych: " +
          FolderBezUkosnika(frm.Folder) + " ",
      Buttons::OK, Icon::Information, "Termodynamika to potęga ");
}

void KalorimoApp::Timer1_Timer() { frm.lblTime = modMain.platform().TimeOfDayText(); }

}  // namespace kal
