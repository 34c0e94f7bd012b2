// The pressure box between the user's unit and MPa, and the dryness display of a state.
#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/jednostki.h"
#include "common/number_text.h"

namespace kal {

void KalorimoApp::Spr_pPary(int mode) {
  // A code that names no unit (a damaged last-inputs file) is taken as MPa, so the pressure
  // read is never a stale one and the box never shows an unconverted number.
  const JednostkaCisnienia& j = JednostkaKodu(frm.kodJednP);
  frm.kodJednP = j.kod;
  SteamState& s = st();

  if (mode == 1) {
    std::string tekst = frm.Text_IS[pole::P].Text;
    frm.pParyJedn = Odczytana(pole::P, modMain.PoprawDane(tekst));
    s.pParyWe = Sng(static_cast<double>(frm.pParyJedn) * j.mpa);
    return;
  }

  frm.pParyJedn = Sng(Div(s.pParyWe, j.mpa));
  frm.Text_IS[pole::P].Text = Format(frm.pParyJedn, j.wzorzecWyniku, decimalSep);
}

void KalorimoApp::PokazCieploParowania() {
  const SteamState& s = st();
  frm.Text_IS[pole::R].Visible = true;
  frm.lbl_V[3].Visible = true;
  frm.Label1[7].Visible = true;
  frm.Text_IS[pole::R].Text = Format(Sng(static_cast<double>(s.h2) - s.h1), " 0 000.0", decimalSep);
}

void KalorimoApp::Spr_xPary() {
  const SteamState& s = st();
  if (s.xPary < 1.0f) {  // wet steam
    frm.Text_IS[pole::V].Text = Format(s.obx, "#0.000", decimalSep);
    frm.Text_IS[pole::X].Text = Format(s.xPary, "0.00", decimalSep);
    PokazCieploParowania();
  } else if (s.xPary == 1.0f || s.xPary >= 1.01f) {  // superheated
    frm.Text_IS[pole::V].Text = Format(s.vPary, "#0.000", decimalSep);
    frm.Text_IS[pole::X].Text = " x > 1 ";
    frm.Text_IS[pole::R].Visible = false;
    frm.lbl_V[3].Visible = false;
    frm.Label1[7].Visible = false;
  } else {  // dry saturated: the row keeps its visibility but shows this state's value
    frm.Text_IS[pole::V].Text = Format(s.vPary, "#0.000", decimalSep);
    frm.Text_IS[pole::X].Text = " x = 1 ";
    frm.Text_IS[pole::R].Text = Format(Sng(static_cast<double>(s.h2) - s.h1), " 0 000.0", decimalSep);
  }
}

}  // namespace kal
