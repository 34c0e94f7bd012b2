// The I-S chart command and the window "Wykres I-S": the chart of the current coefficient
// record and the expansion from the last pressure-temperature state to the exhaust pressure.
// Everything here runs on evaluators of its own: the calculator's state, its error flag, its
// boxes and its message count stay as they are.
#include <cmath>
#include <fstream>
#include <iterator>

#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/errors.h"
#include "common/jednostki.h"
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
  oknaBoczne_ = true;
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

std::string KalorimoApp::OdczytIS(double s, double h) {
  const char sep = decimalSep;
  std::string t = "s = " + Format(s, "0.000", sep) + " kJ/(kg K)    h = " + Format(h, "# ##0.0", sep) + " kJ/kg";
  const JednostkaCisnienia& j = JednostkaKodu(frm.kodJednP);
  const char* wzorP = j.mpa >= 1 ? "#0.0000" : j.mpa >= 0.1 ? "##0.000" : "# ##0.0";
  auto stan = [&](double p, double tc, double x) {
    std::string l =
        "p = " + Format(p / j.mpa, wzorP, sep) + " " + j.nazwa + "    t = " + Format(tc, "##0.0", sep) + " °C";
    if (x >= 0 && x < 1) l += "    x = " + Format(x, "0.000", sep);
    return l;
  };
  if (odczyt_) {
    const EvalResult r = odczyt_->H_S(static_cast<float>(h), static_cast<float>(s));
    const SteamState& st = r.state;
    if (r.ok && std::isfinite(st.pPary) && std::isfinite(st.tPary) && st.pPary > 0)
      t += "\n" + stan(st.pPary, st.tPary, std::isfinite(st.xPary) ? st.xPary : -1);
  }
  if (wykresIS.if97) {
    const if97::Result r = if97::FromHS(h, s);
    if (r.ok()) t += "\nIF97: " + stan(r.p, r.t, r.region == 4 ? r.x : -1);
  }
  return t;
}

void KalorimoApp::chkIF97_Click(bool on) {
  oknaBoczne_ = true;
  wykresIS.if97 = on;
  WykresIS_IF97();
}

void KalorimoApp::WykresIS_Odswiez() {
  const Baza rekord = RekordWykresu(db);
  wykresIS.wykres = &wykresy_.Daj(rekord);
  odczyt_ = std::make_unique<Evaluator>(rekord);
  cmdObliczIS_Click();
}

void KalorimoApp::cmdObliczIS_Click() {
  oknaBoczne_ = true;
  FrmWykresIS& w = wykresIS;
  DaneRozprezania d;
  d.wlot = stanPT_;
  d.tryb = w.tryb;
  w.komunikat.clear();
  w.uwaga2s.clear();
  w.wyniki = {};
  w.izobaryPunktow.clear();
  // Either separator, as the main window's boxes take them.
  auto liczba = [this](const std::string& text, double& out) {
    std::string t = ZdejmijGrupyCyfr(text);
    for (char& c : t)
      if (c == ',' || c == '.') c = decimalSep;
    try {
      out = ParseLocale(t, decimalSep);
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
    w.dane.reset();
    WykresIS_IF97();
    return;
  }
  d.wylotKPa = static_cast<float>(kPa);
  d.t2 = t2;
  d.eta = eta / 100;
  w.dane = d;
  Evaluator ew(RekordWykresu(db));
  w.rozprezanie = Rozpreznij(ew, d);
  const Rozprezanie& r = w.rozprezanie;
  w.komunikat = r.komunikat;

  const char sep = decimalSep;
  auto h = [sep](double v) { return LiczbaIS(v, "# ##0.0", sep); };
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
    // The exhaust isobar at p2 itself, not at the saturation pressure a wet 2s was taken at.
    w.izobaryPunktow.push_back(Izobara(ew, r.p2, w.widok));
    if (r.nasycenie2s) w.uwaga2s = Nasycenie2sTekst(*r.nasycenie2s, sep);
  }
  if (r.rzeczywisty) {
    w.wyniki[6] = Format(r.rzeczywisty->t, "##0.0", sep);
    w.wyniki[7] = h(r.rzeczywisty->h);
    w.wyniki[8] = SuchoscTekst(r.rzeczywisty->x, sep);
    w.wyniki[9] = h(*r.dh);
    w.wyniki[10] = LiczbaIS(*r.eta * 100, "##0.00", sep);
  }
  WykresIS_IF97();
}

namespace {

// The panel's numbers of an expansion, NaN where there is none, in the order of kWynikiIS; x only
// inside the dome, so a difference of x compares like with like.
std::array<double, 11> Liczby(const Rozprezanie& r, bool maWlot) {
  std::array<double, 11> v;
  v.fill(NAN);
  auto x = [](float q) { return q < 1.0f ? static_cast<double>(q) : NAN; };
  if (maWlot) v[0] = r.wlot.h, v[1] = r.wlot.s;
  if (r.izentropa) v[2] = r.izentropa->t, v[3] = r.izentropa->h, v[4] = x(r.izentropa->x), v[5] = r.dhs;
  if (r.rzeczywisty) {
    v[6] = r.rzeczywisty->t, v[7] = r.rzeczywisty->h, v[8] = x(r.rzeczywisty->x);
    v[9] = *r.dh, v[10] = *r.eta * 100;
  }
  return v;
}

std::array<double, 11> Liczby(const RozprezanieIF97& r) {
  std::array<double, 11> v;
  v.fill(NAN);
  auto x = [](const if97::Result& q) { return q.region == 4 ? q.x : NAN; };
  if (r.wlot) v[0] = r.wlot->h, v[1] = r.wlot->s;
  if (r.izentropa) v[2] = r.izentropa->t, v[3] = r.izentropa->h, v[4] = x(*r.izentropa);
  v[5] = r.dhs.value_or(NAN);
  if (r.rzeczywisty) v[6] = r.rzeczywisty->t, v[7] = r.rzeczywisty->h, v[8] = x(*r.rzeczywisty);
  v[9] = r.dh.value_or(NAN);
  v[10] = r.eta ? *r.eta * 100 : NAN;
  return v;
}

// The panel's number patterns, row by row; a value that does not exist is blank, never NaN. A
// difference is small and signed: no thousands gap (it would stand between the sign and the
// digits), and x to three places.
std::string Tekst(std::size_t wiersz, double v, char sep, bool roznica = false) {
  static constexpr const char* kWzory[11] = {"# ##0.0", "0.000",   "##0.0", "# ##0.0", "0.00",  "# ##0.0",
                                             "##0.0",   "# ##0.0", "0.00",  "# ##0.0", "##0.00"};
  static constexpr const char* kRoznice[11] = {"0.0", "0.000", "0.0",   "0.0", "0.000", "0.0",
                                               "0.0", "0.0",   "0.000", "0.0", "0.00"};
  if (!std::isfinite(v)) return std::string();
  return LiczbaIS(v, (roznica ? kRoznice : kWzory)[wiersz], sep);
}

Linia Odcinek(double s1, double h1, double s2, double h2) {
  Linia l;
  PunktLinii a, b;
  a.s = s1, a.h = h1, b.s = s2, b.h = h2;
  l.odcinki.push_back({a, b});
  return l;
}

}  // namespace

void KalorimoApp::WykresIS_IF97() {
  FrmWykresIS& w = wykresIS;
  w.nakladki.clear();
  w.rozprezanieIF97 = RozprezanieIF97{};
  if (!w.if97) return;
  // IF97's saturation line does not depend on the record: computed once.
  static const std::vector<Linia> kNasycenie = NasycenieIF97();
  Nakladka n;
  n.nazwa = kNakladkaIF97;
  n.linie = kNasycenie;
  n.kolumna.assign(kWynikiIS.size(), std::string());
  Nakladka roznica;
  roznica.nazwa = kNakladkaRoznica;
  roznica.kolumna.assign(kWynikiIS.size(), std::string());
  if (w.dane && w.dane->wlot) {
    const DaneRozprezania& d = *w.dane;
    // The same inputs as the fits' expansion: the p,T state's pressure and temperature, p2 from kPa.
    w.rozprezanieIF97 =
        RozpreznijIF97(d.wlot->pPary, d.wlot->tPary, static_cast<double>(d.wylotKPa) / 1000, d.tryb, d.t2, d.eta, d.h2);
    const RozprezanieIF97& g = w.rozprezanieIF97;
    if (g.wlot && g.izentropa) n.linie.push_back(Odcinek(g.wlot->s, g.wlot->h, g.izentropa->s, g.izentropa->h));
    if (g.wlot && g.rzeczywisty) n.linie.push_back(Odcinek(g.wlot->s, g.wlot->h, g.rzeczywisty->s, g.rzeczywisty->h));
    if (g.wlot) n.punkty.push_back({"1", g.wlot->s, g.wlot->h});
    if (g.izentropa) n.punkty.push_back({"2s", g.izentropa->s, g.izentropa->h});
    if (g.rzeczywisty) n.punkty.push_back({"2", g.rzeczywisty->s, g.rzeczywisty->h});
    const std::array<double, 11> f = Liczby(w.rozprezanie, true), v = Liczby(g);
    for (std::size_t i = 0; i < v.size(); ++i) {
      n.kolumna[i] = Tekst(i, v[i], decimalSep);
      // Fits' results exist only where the fits' panel shows them.
      if (!w.wyniki[i].empty()) roznica.kolumna[i] = Tekst(i, f[i] - v[i], decimalSep, true);
    }
    // Superheated ends read as the fits' dryness box reads them.
    if (g.izentropa && g.izentropa->region == 2) n.kolumna[4] = SuchoscTekst(2.0f, decimalSep);
    if (g.rzeczywisty && g.rzeczywisty->region == 2) n.kolumna[8] = SuchoscTekst(2.0f, decimalSep);
    if (!g.ok && w.komunikat.empty()) w.komunikat = g.blad;
  }
  w.nakladki.push_back(std::move(n));
  w.nakladki.push_back(std::move(roznica));
}

}  // namespace kal
