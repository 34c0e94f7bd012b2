// State from the enthalpy with the pressure (code 2) or the temperature (code 5): the region
// comes from comparing the enthalpy with the two saturation enthalpies.
#include "common/checked.h"
#include "steam/mod_kalorimo.h"

namespace kal {

void ModKalorimo::Dane_P_H(int code, int flag) {
  const bool pressureGiven = code == 2;
  if (pressureGiven) {
    // Above the critical pressure the saturation line continues as a straight line.
    if (st.pPary > kPKrytyczne)
      st.tNasPary = Sng(TnasNadkrytyczna(st.pPary));
    else
      st.tNasPary = Sng(Tnas(st.pPary));
  } else {
    st.tNasPary = st.tPary;
  }
  st.h1 = Sng(H1t(st.tNasPary));
  st.h2 = Sng(H2t(st.tNasPary));

  if (st.hPary > st.h2) {  // superheated steam
    if (pressureGiven)
      st.tPary = Sng(Tph(st.pPary, st.hPary));
    else
      st.pPary = Sng(Pth(st.tPary, st.hPary));
    if (st.Blad == 1) return;
    st.sPary = Sng(Spt(st.pPary, st.tPary));
    st.vPary = Sng(Vpt(st.pPary, st.tPary));
    st.xPary = 1;
    return;
  }

  if (st.hPary < st.h1) {  // compressed water
    if (pressureGiven)
      st.tPary = Sng(Twph(st.pPary, st.hPary));
    else
      st.pPary = Sng(Pwth(st.tPary, st.hPary));
    if (st.Blad == 1) return;
    st.vPary = Sng(Vwpt(st.pPary, st.tPary));
    st.xPary = 0;
    // The fit has no entropy of its own: saturated water at the found temperature stands in,
    // and the mixture members describe this water, not an earlier state.
    st.sPary = Sng(S1t(st.tPary));
    st.hx = st.hPary;
    st.sx = st.sPary;
    st.obx = st.vPary;
    return;
  }

  // Wet steam.
  if (pressureGiven) {
    st.tPary = Sng(Tnas(st.pPary));
  } else {
    st.pPary = Sng(Pnas(st.tPary));
    st.pParyWe = st.pPary;
    windows_.CisnienieMPaDoOkna(Round3(st.pPary));
  }
  const float ts = st.tNasPary;
  Nasycenie(ts);
  // Above 374.12 C both saturation enthalpies follow one line: 0/0 is a run-time error.
  const double x = st.xPary = Sng(Div(static_cast<double>(st.hPary) - st.h1, static_cast<double>(st.h2) - st.h1));
  Mieszanina(x);
  st.sPary = st.sx;
  st.vPary = st.obx;
  if (flag == 1) windows_.ZaladujParaMokra();
}

}  // namespace kal
