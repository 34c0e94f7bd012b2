#include "mollier/ewaluator.h"

#include "common/checked.h"

namespace kal {

template <class F>
WynikPary Ewaluator::Run(F&& f) {
  WynikPary w;
  dialogs_.first.clear();
  lib_.st.Blad = 0;
  try {
    f(lib_.st);
  } catch (const RunTimeError& e) {
    w.error = e;
  }
  w.state = lib_.st;
  w.message = dialogs_.first;
  w.ok = !w.error && w.state.Blad == 0 && w.message.empty();
  return w;
}

WynikPary Ewaluator::PT(float p, float t) {
  return Run([&](SteamState& s) {
    s.pParyWe = p;
    s.tPary = t;
    s.pPary = p;
    lib_.Dane_T_P(s.pParyWe, s.tPary, 1);
  });
}

WynikPary Ewaluator::PH(float p, float h) {
  return Run([&](SteamState& s) {
    s.pParyWe = p;
    s.hPary = h;
    s.pPary = p;
    lib_.Dane_P_H(2, 1);
  });
}

WynikPary Ewaluator::PS(float p, float sv) {
  return Run([&](SteamState& s) {
    s.pParyWe = p;
    s.pPary = p;
    s.sPary = sv;
    if (p >= 22.12f) {
      s.tNasPary = Sng((static_cast<double>(p) * 10.194 - 225.4) * 0.348 + 374.3);
    } else {
      s.tPary = Sng(lib_.Tnas(p));
      if (s.Blad != 0) return;
      s.tNasPary = s.tPary;
    }
    lib_.Dane_P_S(s.tNasPary, s.sPary, 1);
  });
}

}  // namespace kal
