// The branches of the calculate command, one per pair of given quantities, in dispatch order.
// Each reads its two boxes, lets its solver fill the steam state and shows the results; a
// rejected input (Blad) skips the rest of the branch.
#include <cmath>

#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/number_text.h"

namespace kal {

bool KalorimoApp::OdmowaSuchosci() {
  float x = st().xPary;
  const char* tekst = nullptr;
  if (x >= 1.0f)
    tekst = "Stopień suchości x >1 !";
  else if (x < 0.0f)
    tekst = "Stopień suchości x <0 !";  // a mixture cannot hold less than no steam
  if (tekst == nullptr) return false;
  modMain.dialogs().MsgBox(tekst, Buttons::OK, Icon::Exclamation, "Termo_info");
  return true;
}

// The solver's water side beyond the saturation band is no wet steam but compressed water; in
// this pair it becomes the state the pressure-enthalpy pair finds there (the solver itself stays
// as it is: the enthalpy-entropy search steps through it).
void KalorimoApp::WodaSciskanaPT() {
  SteamState& s = st();
  const float tn = s.tNasPary;
  const double t = s.tPary;
  const bool pasmoNasycenia = std::fabs(1 - tn / t) < 0.005;  // the solver's own test
  if (pasmoNasycenia || tn < t) return;
  wetRequested_ = false;  // no "Para mokra" for water
  s.hPary = Sng(lib.Hwpt(s.pParyWe, t));
  s.vPary = Sng(lib.Vwpt(s.pParyWe, t));
  s.sPary = Sng(lib.S1t(t));
  s.xPary = 0;
  s.hx = s.hPary;
  s.sx = s.sPary;
  s.obx = s.vPary;
}

// Pressure + temperature.
KalorimoApp::Koniec KalorimoApp::Para1_P_T() {
  SteamState& s = st();
  stanPT_.reset();  // until this pair finds a state, the I-S chart has no inlet
  Spr_pPary(1);
  s.tPary = CzytajPoprawione(pole::T);
  frm.tParyInt = CInt(s.tPary);
  s.pPary = s.pParyWe;
  lib.Dane_T_P(s.pParyWe, s.tPary, 1);
  if (BladPominiety()) {
    // No state: no results of an earlier pair in the boxes.
    for (int i : {pole::H, pole::S, pole::X, pole::V, pole::R}) frm.Text_IS[i].Text = kSiedemSpacji;
    return Koniec::Pominiety;
  }
  WodaSciskanaPT();
  stanPT_ = s;  // the inlet of the I-S chart
  nowyPT_ = true;
  frm.Text_IS[pole::V].Visible = true;
  if (s.xPary >= 1.0f) {
    Pokaz(pole::H, s.hPary, "# #00.0");
    Pokaz(pole::S, s.sPary, "0.00");
  } else {
    Pokaz(pole::H, s.hx, "# #00.");
    Pokaz(pole::S, s.sx, "0.00");
  }
  Spr_xPary();
  return Koniec::Epilog;
}

// Pressure + enthalpy.
KalorimoApp::Koniec KalorimoApp::Para2_P_H() {
  SteamState& s = st();
  frm.Text_IS[pole::V].Visible = true;
  Spr_pPary(1);
  s.hPary = CzytajPoprawione(pole::H);
  s.pPary = s.pParyWe;
  lib.Dane_P_H(2, 1);
  if (BladPominiety()) return Koniec::Pominiety;
  Pokaz(pole::T, s.tPary, "##0");
  Pokaz(pole::S, s.sPary, "0.000");
  Spr_xPary();
  return Koniec::Epilog;
}

// Temperature + enthalpy.
KalorimoApp::Koniec KalorimoApp::Para3_T_H() {
  SteamState& s = st();
  frm.Text_IS[pole::V].Visible = true;
  s.tPary = CzytajWprost(pole::T);
  s.hPary = CzytajPoprawione(pole::H);
  lib.Dane_P_H(5, 1);
  if (BladPominiety()) return Koniec::Pominiety;
  s.pParyWe = s.pPary;
  Spr_pPary(0);
  Pokaz(pole::S, s.sPary, "0.000");
  Spr_xPary();
  return Koniec::Epilog;
}

// Dryness + temperature.
KalorimoApp::Koniec KalorimoApp::Para4_X_T() {
  SteamState& s = st();
  frm.Text_IS[pole::V].Visible = true;
  s.tPary = CzytajWprost(pole::T);
  s.tNasPary = s.tPary;
  s.xPary = CzytajPoprawione(pole::X);
  if (OdmowaSuchosci()) return Koniec::Odmowa;
  s.pParyWe = Sng(lib.Pnas(s.tPary));
  s.pPary = s.pParyWe;
  lib.Dane_Nas(1);
  if (BladPominiety()) return Koniec::Pominiety;
  s.hPary = s.hx;
  s.sPary = s.sx;
  s.vPary = s.obx;
  Spr_pPary(0);
  Pokaz(pole::H, s.hx, "# ##0.0");
  Pokaz(pole::S, s.sx, "0.000");
  Pokaz(pole::V, s.obx, "#0.000");
  PokazCieploParowania();
  return Koniec::Epilog;
}

// Dryness + pressure.
KalorimoApp::Koniec KalorimoApp::Para5_X_P() {
  SteamState& s = st();
  Spr_pPary(1);
  s.xPary = CzytajPoprawione(pole::X);
  if (OdmowaSuchosci()) return Koniec::Odmowa;
  s.tNasPary = Sng(lib.Tnas(s.pParyWe));
  if (BladPominiety()) return Koniec::Pominiety;
  s.pPary = s.pParyWe;
  s.tPary = s.tNasPary;
  lib.Dane_Nas(1);
  if (BladPominiety()) return Koniec::Pominiety;
  s.hPary = s.hx;
  s.sPary = s.sx;
  s.vPary = s.obx;
  Pokaz(pole::T, s.tNasPary, "##0");
  Pokaz(pole::H, s.hx, "# ##0.0");
  Pokaz(pole::S, s.sx, "0.000");
  Pokaz(pole::V, s.obx, "#0.000");
  PokazCieploParowania();
  return Koniec::Epilog;
}

// Pressure + entropy.
KalorimoApp::Koniec KalorimoApp::Para6_P_S() {
  SteamState& s = st();
  Spr_pPary(1);
  s.pPary = s.pParyWe;
  s.sPary = CzytajPoprawione(pole::S);
  if (!lib.UstawTnasDlaP_S() && BladPominiety()) return Koniec::Pominiety;
  lib.Dane_P_S(s.tNasPary, s.sPary, 1);
  if (BladPominiety()) return Koniec::Pominiety;
  Pokaz(pole::T, s.tPary, "##0");
  Pokaz(pole::H, s.hPary, "# ##0.0");
  Spr_xPary();
  return Koniec::Epilog;
}

// Temperature + entropy: the pressure is found.
KalorimoApp::Koniec KalorimoApp::Para7_T_S() {
  SteamState& s = st();
  s.tPary = CzytajWprost(pole::T);
  s.tNasPary = s.tPary;
  s.pParyWe = 0;
  s.pPary = 0;
  s.sPary = CzytajPoprawione(pole::S);
  lib.Dane_P_S(s.tNasPary, s.sPary, 1);
  if (BladPominiety()) return Koniec::Pominiety;
  s.pParyWe = s.pPary;
  Spr_pPary(0);
  Pokaz(pole::H, s.hPary, "# ##0.0");
  Spr_xPary();
  return Koniec::Epilog;
}

// Enthalpy + entropy: pressure and temperature are found.
KalorimoApp::Koniec KalorimoApp::Para8_H_S() {
  SteamState& s = st();
  float hWe = CzytajPoprawione(pole::H);
  float sWe = CzytajPoprawione(pole::S);
  lib.Dane_H_S(hWe, sWe);
  if (BladPominiety()) return Koniec::Pominiety;
  s.pParyWe = s.pPary;
  Spr_pPary(0);
  Pokaz(pole::T, s.tPary, "0.00");
  // In MPa only when the box shows MPa; in another unit Spr_pPary has shown it already.
  if (frm.kodJednP == 1) Pokaz(pole::P, s.pPary, s.pPary > 0.1f ? "#0.00" : "0.000");
  Spr_xPary();
  return Koniec::Epilog;
}

}  // namespace kal
