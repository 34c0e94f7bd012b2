// Keys and clicks of the value boxes.
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

}  // namespace kal
