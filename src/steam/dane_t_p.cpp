// The state from pressure and temperature: saturated (within 0.5 % of the saturation
// temperature), water below it, superheated steam above it.
#include <cmath>
#include <string>

#include "common/checked.h"
#include "common/number_text.h"
#include "steam/mod_kalorimo.h"
#include "steam/validity.h"

namespace kal {

void ModKalorimo::Dane_T_P(double p, double t, int flag) {
  if (p <= 0 || p >= 22.12) {
    dialogs_.MsgBox(
        "Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = " + LiczbaKomunikatu(p, decimalSep, "#0.0#") + " [MPa]",
        Buttons::OK, Icon::None, "");
    st.Blad = 1;
    return;
  }
  if (t <= 0 || t >= 600) {
    dialogs_.MsgBox("Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = " + LiczbaKomunikatu(t, decimalSep, "##0"),
                    Buttons::OK, Icon::None, "");
    st.Blad = 1;
    return;
  }
  // The superheated functions read tNasPary: it must be set first.
  st.tNasPary = Sng(Tnas(p));
  const float tn = st.tNasPary;
  const double d = std::fabs(1 - tn / t);

  if (d < 0.005) {
    // Saturated: the ratio t / tNasPary (it may pass 1 slightly) interpolates between the ends.
    st.xPary = Sng(t / tn);
    Nasycenie(tn);
    const double x = st.xPary;
    st.hPary = Sng((static_cast<double>(st.h2) - st.h1) * x + st.h1);
    st.sPary = Sng((static_cast<double>(st.s2) - st.s1) * x + st.s1);
    st.vPary = Sng((static_cast<double>(st.ob2) - st.ob1) * x + st.ob1);
    // The mixture members show this same state in every display that reads them.
    st.hx = st.hPary;
    st.sx = st.sPary;
    st.obx = st.vPary;
    if (flag == 1) windows_.ZaladujParaMokra();
    return;
  }

  if (tn >= t) {
    // Water: enthalpy of the mixture at the ratio, entropy between the ends at t itself.
    st.xPary = Sng(t / tn);
    Dane_Nas(0);
    st.hPary = st.hx;
    st.s1 = Sng(S1t(t));
    st.s2 = Sng(S2t(t));
    const double x = st.xPary;
    st.sPary = Sng((static_cast<double>(st.s2) - st.s1) * x + st.s1);
    st.vPary = Sng((static_cast<double>(st.ob2) - st.ob1) * x + st.ob1);
    if (flag == 1) windows_.ZaladujParaMokra();
    return;
  }

  st.hPary = Sng(Hpt(p, t));
  st.vPary = Sng(Vpt(p, t));
  st.sPary = Sng(Spt(p, t));
  st.xPary = 1;
}

}  // namespace kal
