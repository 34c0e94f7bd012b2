// Keys and clicks of the value boxes, and the I-S chart command (not available yet).
#include "app/kalorimo_app.h"

namespace kal {

void KalorimoApp::Text_IS_KeyPress(int Index, int KeyAscii) {
  if (KeyAscii != 13 && KeyAscii != 9) return;
  if (Index < pole::P || Index > pole::X) return;
  TextBox& next = frm.Text_IS[Index + 1];
  next.Text = "  ";
  if (next.Enabled) frm.focusRequest = Index + 1;
}

void KalorimoApp::Text_IS_Click(int /*Index*/) {
  frm.FrameButtonsVisible = true;
  showMnu(true);
}

void KalorimoApp::mnuIS_Click() {
  if (frm.Check[pole::P].Value == 1 && frm.Check[pole::T].Value == 1) {
    Chart_Is_On();
  } else {
    modMain.dialogs().MsgBox(" Wykres I-S jest aktywny tylko po wybraniu \r\n opcji ciśnienie / temperatura  ",
                             Buttons::OK, Icon::Information, "");
  }
}

void KalorimoApp::Chart_Is_On() { modMain.dialogs().MsgBox(" W opracowaniu ", Buttons::OK, Icon::None, ""); }

}  // namespace kal
