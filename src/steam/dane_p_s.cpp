// State from the entropy with a saturation temperature prepared by the caller; a non-zero
// pPary means the pressure is given, 0 that it is to be found from the temperature.
#include "common/checked.h"
#include "common/dialogs.h"
#include "steam/mod_kalorimo.h"

namespace kal {

// The pressure-entropy pair takes the straight line already at the critical pressure itself,
// where Dane_P_H takes it only above.
bool ModKalorimo::UstawTnasDlaP_S() {
  if (st.pParyWe >= kPKrytyczne) {
    st.tNasPary = Sng(TnasNadkrytyczna(st.pParyWe));
    return true;
  }
  st.tPary = Sng(Tnas(st.pParyWe));
  if (st.Blad != 0) return false;
  st.tNasPary = st.tPary;
  return true;
}

void ModKalorimo::Dane_P_S(double ts, double s, int flag) {
  st.s1 = Sng(S1t(ts));
  st.s2 = Sng(S2t(ts));

  if (s >= st.s2) {  // superheated steam
    if (st.pPary != 0)
      st.tPary = Sng(Tps(st.pPary, s));
    else
      st.pPary = Sng(Pts(ts, s));
    if (st.Blad == 1) return;  // no properties at an empty result
    st.hPary = Sng(Hpt(st.pPary, st.tPary));
    st.vPary = Sng(Vpt(st.pPary, st.tPary));
    st.xPary = 1;
    return;
  }

  if (s < st.s1) {
    dialogs_.MsgBox("Niewłaściwy zestaw parametrów sPary < s1", Buttons::OK, Icon::Exclamation, "Termo info ");
    st.Blad = 1;
    return;
  }

  // Wet steam.
  st.pPary = Sng(Pnas(st.tPary));
  Nasycenie(ts);
  const double x = st.xPary = Sng(Div(s - st.s1, Sng(static_cast<double>(st.s2) - st.s1)));
  Mieszanina(x);
  // The state is the mixture, not dry steam: its enthalpy and volume before the window copies them.
  st.hPary = st.hx;
  st.vPary = st.obx;
  if (flag == 1) windows_.ZaladujParaMokra();
}

}  // namespace kal
