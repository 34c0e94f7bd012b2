// Saturated water, dry steam and the wet mixture at the saturation temperature and dryness
// already placed in the state.
#include "common/checked.h"
#include "steam/mod_kalorimo.h"

namespace kal {

void ModKalorimo::Nasycenie(double t) {
  st.ob1 = Sng(V1t(t));
  st.h1 = Sng(H1t(t));
  st.s1 = Sng(S1t(t));
  st.ob2 = Sng(V2t(t));
  st.h2 = Sng(H2t(t));
  st.s2 = Sng(S2t(t));
}

void ModKalorimo::Mieszanina(double x) {
  st.hx = Sng((1 - x) * st.h1 + x * st.h2);
  st.sx = Sng((1 - x) * st.s1 + x * st.s2);
  st.obx = Sng((1 - x) * st.ob1 + x * st.ob2);
}

void ModKalorimo::Dane_Nas(int flag) {
  Nasycenie(st.tNasPary);
  Mieszanina(st.xPary);
  if (flag == 1) windows_.ZaladujParaMokra();
}

}  // namespace kal
