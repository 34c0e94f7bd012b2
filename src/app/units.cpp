// Pressure units: choosing another unit converts the number in the pressure box.
#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/jednostki.h"
#include "common/number_text.h"

namespace kal {

void KalorimoApp::Combo1_Click(int listIndex) {
  if (listIndex < 0 || listIndex >= kLiczbaJednostek) return;
  // The box may hold a text the user chose to keep: its conversion error goes to the error
  // report like any other, and the unit stays as it was.
  try {
    std::string tekst = frm.Text_IS[pole::P].Text;
    float v = modMain.PoprawDane(tekst).ToSingle(decimalSep);
    v = Sng(static_cast<double>(v) * JednostkaKodu(frm.kodJednP).mpa);

    const JednostkaCisnienia& nowa = kJednostkiCisnienia[listIndex];
    frm.kodJednP = nowa.kod;
    frm.Combo1ListIndex = listIndex;
    if (listIndex < static_cast<int>(frm.Combo1Items.size())) frm.Combo1Text = frm.Combo1Items[listIndex];

    st().pParyWe = v;
    v = Sng(Div(v, nowa.mpa));
    if (frm.Check[pole::P].Value == 1) frm.Text_IS[pole::P].Text = Format(v, nowa.wzorzecWyboru, decimalSep);
  } catch (const RunTimeError& e) {
    modMain.RaportBledu(e);
  }
}

}  // namespace kal
