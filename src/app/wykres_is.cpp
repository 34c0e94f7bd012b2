// The I-S chart command and the window "Wykres I-S": the chart of the current coefficient
// record and the expansion from the last pressure-temperature state to the exhaust pressure.
// Everything here runs on evaluators of its own: the calculator's state, its error flag, its
// boxes and its message count stay as they are.
#include <fstream>
#include <iterator>

#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/errors.h"
#include "common/number_text.h"

namespace kal {

namespace {

// Record 1 of Kalorimo.dat as it is now, read aside so the calculator's own record stays; a
// file that cannot be read leaves the record the calculator holds.
Baza RekordWykresu(const BazaKalorimo& db) {
  Baza b = db.baza;
  std::ifstream f(db.PlikBazy, std::ios::binary);
  if (!f) return b;
  std::uint8_t buf[kRecordLen];
  f.read(reinterpret_cast<char*>(buf), kRecordLen);
  CzytajRekord(b, buf, static_cast<std::size_t>(f.gcount()));
  return b;
}

}  // namespace

void KalorimoApp::mnuIS_Click() {
  if (frm.Check[pole::P].Value == 1 && frm.Check[pole::T].Value == 1) {
    Chart_Is_On();
  } else {
    modMain.dialogs().MsgBox(" Wykres I-S jest aktywny tylko po wybraniu \r\n opcji ciśnienie / temperatura  ",
                             Buttons::OK, Icon::Information, "");
  }
}

void KalorimoApp::Chart_Is_On() {
  wykresIS.Visible = true;
  WykresIS_Odswiez();
}

void KalorimoApp::mnuPPary2_Click() {
  const bool v = !frm.lbl_V[4].Visible;
  frm.lbl_V[4].Visible = v;
  frm.Text_IS[pole::Wylot].Visible = v;
  frm.Label1[8].Visible = v;
}

void KalorimoApp::WykresIS_Unload() { wykresIS.Visible = false; }

void KalorimoApp::WykresIS_Odswiez() {
  const Baza rekord = RekordWykresu(db);
  wykresIS.wykres = &wykresy_.Daj(rekord);
  cmdObliczIS_Click();
}

void KalorimoApp::cmdObliczIS_Click() {
  FrmWykresIS& w = wykresIS;
  DaneRozprezania d;
  d.wlot = stanPT_;
  d.tryb = w.tryb;
  w.komunikat.clear();
  w.wyniki = {};
  w.izobaryPunktow.clear();
  auto liczba = [this](const std::string& text, double& out) {
    try {
      out = ParseLocale(text, decimalSep);
      return true;
    } catch (const RunTimeError&) {
      return false;
    }
  };
  double kPa = 0, t2 = 0, eta = 0;
  if (!liczba(frm.Text_IS[pole::Wylot].Text, kPa) || !std::isfinite(kPa) || std::fabs(kPa) > 3e38) {
    w.komunikat = "Niewłaściwe ciśnienie pary wylotowej [kPa].";
  } else if (w.tryb == Koniec2::T2 && !liczba(w.txtT2, t2)) {
    w.komunikat = "Niewłaściwa temperatura pary wylotowej [°C].";
  } else if (w.tryb == Koniec2::Eta && !liczba(w.txtEta, eta)) {
    w.komunikat = "Niewłaściwa sprawność wewnętrzna [%].";
  }
  if (!w.komunikat.empty()) {
    w.rozprezanie = Rozprezanie{};
    return;
  }
  d.wylotKPa = static_cast<float>(kPa);
  d.t2 = t2;
  d.eta = eta / 100;
  Evaluator ew(RekordWykresu(db));
  w.rozprezanie = Rozpreznij(ew, d);
  const Rozprezanie& r = w.rozprezanie;
  w.komunikat = r.komunikat;

  const char sep = decimalSep;
  auto h = [sep](double v) { return Format(v, "# ##0.0", sep); };
  if (d.wlot) {
    w.wyniki[0] = h(r.wlot.h);
    w.wyniki[1] = Format(r.wlot.s, "0.000", sep);
    w.izobaryPunktow.push_back(Izobara(ew, r.wlot.p, w.widok));
  }
  if (r.izentropa) {
    w.wyniki[2] = Format(r.izentropa->t, "##0.0", sep);
    w.wyniki[3] = h(r.izentropa->h);
    w.wyniki[4] = SuchoscTekst(r.izentropa->x, sep);
    w.wyniki[5] = h(r.dhs);
    w.izobaryPunktow.push_back(Izobara(ew, r.izentropa->p, w.widok));
  }
  if (r.rzeczywisty) {
    w.wyniki[6] = Format(r.rzeczywisty->t, "##0.0", sep);
    w.wyniki[7] = h(r.rzeczywisty->h);
    w.wyniki[8] = SuchoscTekst(r.rzeczywisty->x, sep);
    w.wyniki[9] = h(*r.dh);
    w.wyniki[10] = Format(*r.eta * 100, "##0.00", sep);
  }
}

}  // namespace kal
