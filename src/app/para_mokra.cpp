// "Para mokra": the saturated water, dry steam and wet mixture of the last state, beside the
// main window. It copies the steam state once on load and never refreshes.
#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/number_text.h"

namespace kal {

void KalorimoApp::ParaMokra_Load() {
  if (mokra.Loaded) return;  // an open window stays as it is
  const SteamState& s = st();

  frm.ifMokra = -1;
  mokra.Loaded = true;
  mokra.Visible = true;

  mokra.geom.Top = frm.geom.Top;
  mokra.geom.Left = frm.geom.Left + Sng(1.01 * frm.geom.Width);
  mokra.geom.Height = frm.geom.Height;

  for (auto& box : mokra.txtMokra) box.Enabled = false;

  struct Pole {
    double value;
    const char* wzorzec;
  };
  const Pole pola[12] = {
      {s.pParyWe, s.pPary >= 0.1f ? "##0.0" : "0.000"},
      {static_cast<double>(frm.tParyInt), "#00"},
      {s.xPary, "0.00"},
      {s.ob1, "##0.0000"},
      {s.h1, "# 000.0"},
      {s.s1, "#0.00"},
      {s.ob2, "#0.00"},
      {s.h2, "0 000.0"},
      {s.s2, "#0.00"},
      {s.obx, "##0.00"},
      {s.hx, "0 000.00"},
      {s.sx, "#0.00"},
  };
  for (int i = 0; i < 12; ++i) mokra.txtMokra[i].Text = Format(pola[i].value, pola[i].wzorzec, decimalSep);
}

void KalorimoApp::ParaMokra_Unload() {
  // Unloading discards the instance: the next load starts from the design again.
  mokra = FrmParaMokra{};
}

void KalorimoApp::Command1_Click() { ParaMokra_Unload(); }

}  // namespace kal
