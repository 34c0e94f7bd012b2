// The last-inputs file Kalorimo.tmp: written by the exit command, read back at start-up.
#include <cmath>

#include "app/kalorimo_app.h"
#include "app/tmp_file.h"
#include "common/checked.h"
#include "common/file_io.h"
#include "common/jednostki.h"
#include "common/number_text.h"

namespace kal {

namespace {

std::string TrimBlanks(const std::string& s) {
  std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// The window's patterns group thousands with a blank ("3 051,2"), which the input correction
// would question; the file holds the window's own texts, so such blanks are dropped on reading.
std::string BezOdstepowGrup(const std::string& s) {
  auto cyfra = [](char c) { return c >= '0' && c <= '9'; };
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == ' ' && i > 0 && i + 1 < s.size() && cyfra(s[i - 1]) && cyfra(s[i + 1])) continue;
    out.push_back(s[i]);
  }
  return out;
}

// The entries are the boxes P to V, then the unit code.
constexpr int kWpisJednostki = pole::V + 1;

}  // namespace

void KalorimoApp::ZapiszOstatnieDane() {
  OstatnieDane d;
  for (int i = pole::P; i <= pole::V; ++i) d[i] = OstatniaDana::ZTekstu(frm.Text_IS[i].Text);
  d[kWpisJednostki] = OstatniaDana::ZLiczby(frm.kodJednP);
  if (st().xPary > 1) d[pole::X] = OstatniaDana::ZTekstu("x > 1");
  // Same bytes as an overwrite in place without truncation, but a failed write (disk full)
  // leaves the old file whole.
  ZapiszPlikBezpiecznie(frm.PlikTmp, KodujWpisy(d), true, "mnuZakoncz_Click");
}

bool KalorimoApp::ZapiszOstatnieDaneCicho() {
  if (frm.closed || frm.PlikTmp.empty()) return false;
  try {
    ZapiszOstatnieDane();
  } catch (const RunTimeError&) {
    return false;  // nobody left to tell
  }
  return true;
}

void KalorimoApp::mnuZakoncz_Click() {
  try {
    ZapiszOstatnieDane();
  } catch (const RunTimeError& e) {
    // Not written: the windows stay open, so the user loses nothing and may try again.
    modMain.RaportBledu(e);
    return;
  }
  frm.closed = true;
  frm.Visible = false;
  if (mokra.Loaded) ParaMokra_Unload();
}

void KalorimoApp::CzytajOstatnieDane() {
  PokazOstatnieDane(CzytajPoczatekPliku(frm.PlikTmp, kMaxBajtowTmp, "CzytajOstatnieDane"));
}

void KalorimoApp::PokazOstatnieDane(const std::string& bytes) {
  try {
    Odtworz(bytes);
  } catch (RunTimeError& e) {
    // The report names the reading step, not the conversion helper deep inside it.
    e.source = "CzytajOstatnieDane";
    throw;
  }
}

void KalorimoApp::Odtworz(const std::string& bytes) {
  // All seven entries first: a file cut short shows nothing rather than a pressure without
  // its unit.
  const OstatnieDane d = CzytajWpisy(bytes);
  if (TrimBlanks(d[pole::T].Text(decimalSep)).empty()) return;

  auto popraw = [this](const OstatniaDana& w) {
    if (w.typ == OstatniaDana::Liczba) return modMain.PoprawDane(static_cast<double>(w.liczba)).ToSingle(decimalSep);
    std::string t = BezOdstepowGrup(w.tekst);
    return modMain.PoprawDane(t).ToSingle(decimalSep);
  };
  const float p = popraw(d[pole::P]);
  const float t =
      d[pole::T].typ == OstatniaDana::Liczba
          ? d[pole::T].liczba
          : Sng(ParseLocale(SeparatorLokalny(BezOdstepowGrup(d[pole::T].tekst), decimalSep), decimalSep) / 1);
  const float h = popraw(d[pole::H]);
  const float s = popraw(d[pole::S]);
  float kod = popraw(d[kWpisJednostki]);

  // The unit list follows the restored code, so the shown pressure and the unit of the next
  // calculation agree; a code that names no unit falls back to MPa.
  const int pozycja = PozycjaJednostki(kod);
  kod = kJednostkiCisnienia[pozycja].kod;

  std::string v = d[pole::V].Text(decimalSep);
  if (d[pole::V].typ == OstatniaDana::Liczba) {
    v = Format(d[pole::V].liczba, "#0.000", decimalSep);
  } else {
    try {
      v = Format(ParseLocale(SeparatorLokalny(v, decimalSep), decimalSep), "#0.000", decimalSep);
    } catch (const RunTimeError&) {
      // not a number: shown unchanged
    }
  }

  // pParyWe stays in the file's unit until the next reading of the pressure box.
  st().pParyWe = p;
  st().tPary = t;
  st().hPary = h;
  st().sPary = s;
  frm.kodJednP = kod;
  frm.Combo1ListIndex = pozycja;
  frm.Combo1Text = kJednostkiCisnienia[pozycja].pozycjaListy;
  frm.Text_IS[pole::P].Text = Format(p, "#0.00", decimalSep);
  frm.Text_IS[pole::T].Text = Format(t, "#00", decimalSep);
  frm.Text_IS[pole::H].Text = Format(h, "# 000.0", decimalSep);
  frm.Text_IS[pole::S].Text = Format(s, "#0.00", decimalSep);
  frm.Text_IS[pole::X].Text = d[pole::X].Text(decimalSep);
  frm.Text_IS[pole::V].Text = v;
}

}  // namespace kal
