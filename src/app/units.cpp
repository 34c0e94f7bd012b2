// Pressure units: choosing another unit converts the number in the pressure box.
#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/number_text.h"

namespace kal {

namespace {

struct Jednostka {
  float kod;
  double mpa;  // MPa per unit
  const char* wzorzec;
};

constexpr Jednostka kJednostki[3] = {{1, 1, "#0.000#"}, {2, 0.1, "##0.00"}, {3, 0.001, "# ##0"}};

double MPaNaJednostke(float kod) {
  for (const auto& j : kJednostki)
    if (j.kod == kod) return j.mpa;
  return 1;  // an unknown code leaves the number as it is
}

}  // namespace

void KalorimoApp::Combo1_Click(int listIndex) {
  if (listIndex < 0 || listIndex > 2) return;
  // The box may hold a text the user chose to keep: its conversion error goes to the error
  // report like any other, and the unit stays as it was.
  try {
    std::string tekst = frm.Text_IS[0].Text;
    float v = modMain.PoprawDane(tekst).ToSingle(decimalSep);
    v = Sng(static_cast<double>(v) * MPaNaJednostke(frm.kodJednP));

    const Jednostka& nowa = kJednostki[listIndex];
    frm.kodJednP = nowa.kod;
    frm.Combo1ListIndex = listIndex;
    if (listIndex < static_cast<int>(frm.Combo1Items.size())) frm.Combo1Text = frm.Combo1Items[listIndex];

    st().pParyWe = v;
    v = Sng(Div(v, nowa.mpa));
    if (frm.Check[0].Value == 1) frm.Text_IS[0].Text = Format(v, nowa.wzorzec, decimalSep);
  } catch (const RunTimeError& e) {
    modMain.RaportBledu(e);
  }
}

}  // namespace kal
