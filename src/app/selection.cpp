// Choice of the two given quantities, the clear command and the button-frame switch.
#include "app/kalorimo_app.h"

namespace kal {

void KalorimoApp::Check_Click(int /*Index*/) {
  int count = 0;
  for (int i = pole::P; i <= pole::X; ++i) {
    bool ticked = frm.Check[i].Value == 1;
    frm.Text_IS[i].Enabled = ticked;
    if (ticked) ++count;
  }
  if (count == 2) {
    frm.cmdOblicz_Enabled = true;
    for (auto& c : frm.Check) {
      if (c.Value != 1) c.Enabled = false;
    }
  } else {
    frm.cmdOblicz_Enabled = false;
    for (auto& c : frm.Check) c.Enabled = true;
  }
}

void KalorimoApp::cmdClearAll_Click() {
  for (int i = pole::P; i <= pole::R; ++i) frm.Text_IS[i].Text = kSiedemSpacji;
}

void KalorimoApp::frameButtons_click() {
  frm.FrameButtonsVisible = false;
  showMnu(false);
}

void KalorimoApp::showMnu(bool ifShow) {
  frm.mnuOdczytaj.Visible = ifShow;
  frm.mnuZapisz.Visible = ifShow;
  frm.mnuIS.Visible = ifShow;
  frm.mnuPomoc.Visible = ifShow;
  frm.mnuZakoncz.Visible = ifShow;
}

}  // namespace kal
