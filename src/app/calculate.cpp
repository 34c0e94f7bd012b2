// The calculate command "Oblicz": prologue, choice of the pair, epilogue with the viscosities,
// and its error trap. The branches of the eight pairs are in calculate_pairs.cpp.
#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/number_text.h"
#include "steam/validity.h"

namespace kal {

double KalorimoApp::LepkoscDyn(double t) {
  const float mu0 = 9.0417313e-6f;  // Pa s at 0 C
  return static_cast<double>(mu0) * Pow(Div(273.15 + t, 273.15), 1.09);
}

float KalorimoApp::Odczytana(int box, const Wynik& w) {
  const float v = w.ToSingle(decimalSep);
  if (w.kind != Wynik::Empty) odczytane[static_cast<std::size_t>(box)] = w.kind == Wynik::Number ? w.number : v;
  return v;
}

float KalorimoApp::CzytajPoprawione(int box) {
  std::string kopia = frm.Text_IS[box].Text;  // a newly typed value replaces the copy only
  return Odczytana(box, modMain.PoprawDane(kopia));
}

std::string SeparatorLokalny(std::string s, char decimalSep) {
  const std::size_t kropka = s.find('.'), przecinek = s.find(',');
  const std::size_t at = kropka == std::string::npos ? przecinek : kropka;
  if (at != std::string::npos && (kropka == std::string::npos || przecinek == std::string::npos) &&
      s.find(s[at], at + 1) == std::string::npos) {
    s[at] = decimalSep;
  }
  return s;
}

float KalorimoApp::CzytajWprost(int box) {
  const std::string t = SeparatorLokalny(ZdejmijGrupyCyfr(frm.Text_IS[box].Text), decimalSep);
  const double v = ParseLocale(t, decimalSep);
  odczytane[static_cast<std::size_t>(box)] = v;
  return Sng(v / 1);
}

void KalorimoApp::Pokaz(int box, double value, const char* pattern) {
  frm.Text_IS[box].Text = Format(value, pattern, decimalSep);
}

bool KalorimoApp::BladPominiety() {
  SteamState& s = st();
  if (s.Blad == 0) return false;
  s.Blad = 0;
  // The saturation line refuses a pressure below its range without a word of its own: say it,
  // so a rejected input never looks like a calculation that did nothing.
  if (dialogi.pokazane == komunikatyPrzed_) {
    modMain.dialogs().MsgBox(
        "Ciśnienie pary poniżej zakresu obliczeń,  p < " + Format(0.002, "0.000", decimalSep) + " [MPa]", Buttons::OK,
        Icon::None, "");
  }
  wetRequested_ = false;  // nothing of a rejected state goes to "Para mokra"
  return true;
}

bool KalorimoApp::StanOdrzucony() {
  // The one check of every pair's result, after its solver: the solvers stay as they are, so a
  // state within the limits comes out bit for bit as before.
  const std::string why = StanNiefizyczny(st(), para_ == Pair::XT || para_ == Pair::XP, decimalSep);
  if (why.empty()) return false;
  modMain.dialogs().MsgBox(why, Buttons::OK, Icon::Exclamation, "Termo_info");
  // As after a failed search: every box but the two given ones is blank.
  for (int i = 0; i <= 8; ++i) {
    if (i > 4 || frm.Check[i].Value != 1) frm.Text_IS[i].Text = kSiedemSpacji;
  }
  if (para_ == Pair::PT) stanPT_.reset();  // no inlet for the I-S chart
  wetRequested_ = false;
  return true;
}

void KalorimoApp::cmdOblicz_Click() {
  wetRequested_ = false;
  obliczRunning_ = true;
  para_.reset();
  nowyPT_ = false;
  komunikatyPrzed_ = dialogi.pokazane;
  odczytane = {};
  try {
    SteamState& s = st();
    s.Blad = 0;
    CzytajWspolczynniki();  // an edited Kalorimo.dat applies to this calculation
    frm.mnuIS.Enabled = true;
    frm.mnuPPary2.Enabled = true;  // the exhaust row belongs to the I-S chart
    if (frm.ifMokra != 0) ParaMokra_Unload();
    float wylot = CzytajPoprawione(pole::Wylot);
    frm.pParyWylot = frm.lbl_V[4].Visible ? wylot : 5.0f;

    Koniec k = ObliczPare();
    if (k == Koniec::Epilog && para_ && StanOdrzucony()) k = Koniec::Pominiety;
    if (k != Koniec::Odmowa) Epilog(k == Koniec::Pominiety);
  } catch (const RunTimeError& e) {
    wetRequested_ = false;
    obliczRunning_ = false;
    modMain.RaportBledu(e);
    return;
  }
  obliczRunning_ = false;
  // The wet-steam window shows the final state of this calculation.
  if (wetRequested_) {
    wetRequested_ = false;
    ParaMokra_Load();
  }
  // An open "Wykres I-S" follows a new inlet state.
  if (nowyPT_ && wykresIS.Visible) WykresIS_Odswiez();
}

KalorimoApp::Koniec KalorimoApp::ObliczPare() {
  for (const PairInfo& p : kPairs) {
    if (frm.Check[p.checkA].Value != 1 || frm.Check[p.checkB].Value != 1) continue;
    para_ = p.pair;
    switch (p.pair) {
      case Pair::PT:
        return Para1_P_T();
      case Pair::PH:
        return Para2_P_H();
      case Pair::TH:
        return Para3_T_H();
      case Pair::XT:
        return Para4_X_T();
      case Pair::XP:
        return Para5_X_P();
      case Pair::PS:
        return Para6_P_S();
      case Pair::TS:
        return Para7_T_S();
      case Pair::HS:
        return Para8_H_S();
    }
  }
  return Koniec::Epilog;
}

void KalorimoApp::Epilog(bool pominiety) {
  SteamState& s = st();
  // A rejected state has no volume of its own, and a temperature of its own only where the
  // user gave it (p,t, t,h and t,s): the rows that would show an earlier state are blanked.
  bool tWlasna = !pominiety || para_ == Pair::PT || para_ == Pair::TH || para_ == Pair::TS;
  if (tWlasna) {
    float m = Sng(LepkoscDyn(s.tPary) * 1e5);
    Pokaz(pole::Mu, m, "#0.000E");
    if (pominiety) {
      frm.Text_IS[pole::Nu].Text = kSiedemSpacji;
    } else {
      Pokaz(pole::Nu, Sng(static_cast<double>(s.vPary) * m), "#0.000E");
    }
  } else {
    frm.Text_IS[pole::Mu].Text = kSiedemSpacji;
    frm.Text_IS[pole::Nu].Text = kSiedemSpacji;
  }
  if (s.xPary > 1.0f) frm.ifMokra = 0;
  frm.tParyInt = CInt(s.tPary);
  frm.hParyZap = s.hPary;
  frm.sParyZap = s.sPary;
  frm.vParyZap = s.vPary;
}

}  // namespace kal
