// Saturated water, dry steam and the wet mixture at the saturation temperature and dryness
// already placed in the state.
#include "common/checked.h"
#include "steam/mod_kalorimo.h"

namespace kal {

void ModKalorimo::Dane_Nas(int flag) {
  const float tn = st.tNasPary;
  st.ob1 = Sng(V1t(tn));
  st.h1 = Sng(H1t(tn));
  st.s1 = Sng(S1t(tn));
  st.ob2 = Sng(V2t(tn));
  st.h2 = Sng(H2t(tn));
  st.s2 = Sng(S2t(tn));
  const double x = st.xPary;
  st.hx = Sng((1 - x) * st.h1 + x * st.h2);
  st.sx = Sng((1 - x) * st.s1 + x * st.s2);
  st.obx = Sng((1 - x) * st.ob1 + x * st.ob2);
  if (flag == 1) windows_.ZaladujParaMokra();
}

}  // namespace kal
