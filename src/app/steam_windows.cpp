// What the property library may ask of the windows.
#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/jednostki.h"
#include "common/number_text.h"

namespace kal {

void KalorimoApp::ZaladujParaMokra() {
  // During a calculation the window is filled from its final state, at the command's end.
  if (obliczRunning_) {
    wetRequested_ = true;
  } else {
    ParaMokra_Load();
  }
}

void KalorimoApp::PthBlad(double t, double h) {
  for (int i = pole::P; i <= pole::V; ++i) frm.Text_IS[i].Text = kSiedemSpacji;
  frm.Text_IS[pole::T].Text = LocaleText(Sng(t), decimalSep);
  frm.Text_IS[pole::H].Text = LocaleText(Sng(h), decimalSep);
}

void KalorimoApp::CisnienieMPaDoOkna(double p) {
  frm.Text_IS[pole::P].Text = LocaleText(Sng(p), decimalSep);
  // The list shows the unit's bare name here, without the blank of its items.
  frm.Combo1Text = kJednostkiCisnienia[0].nazwa;
  frm.Combo1ListIndex = 0;
  frm.kodJednP = kJednostkiCisnienia[0].kod;  // the number shown and the unit used agree
}

}  // namespace kal
