#include "mollier/rozprezanie.h"

#include <cmath>

#include "common/checked.h"
#include "common/errors.h"
#include "common/number_text.h"

namespace kal {

Obszar ObszarPT(float tNasPary, float t) {
  // The solver's own test, in the same precision, so the region agrees with its branch.
  const double td = t;
  if (std::fabs(1 - tNasPary / td) < 0.005) return Obszar::Pasmo;
  return tNasPary >= td ? Obszar::Woda : Obszar::Przegrzana;
}

Punkt PunktPT(const SteamState& st) { return {st.pPary, st.tPary, st.hPary, st.sPary, st.vPary, st.xPary}; }

Punkt PunktPS(const SteamState& st) { return PunktPT(st); }

Punkt PunktPH(const SteamState& st) {
  Punkt p = PunktPT(st);
  if (st.xPary < 1.0f && st.xPary > 0.0f) {
    p.s = st.sx;
    p.v = st.obx;
  }
  return p;
}

std::string SuchoscTekst(float x, char decimalSep) {
  if (x < 1.0f) return Format(x, "0.00", decimalSep);
  if (x == 1.0f || x >= 1.01f) return " x > 1 ";
  return " x = 1 ";
}

std::string LiczbaIS(double v, const char* pattern, char decimalSep) {
  std::string s = Format(v, pattern, decimalSep);
  const std::size_t m = s.find('-');
  if (m != std::string::npos) {
    const std::size_t d = s.find_first_not_of(' ', m + 1);
    s.erase(m + 1, (d == std::string::npos ? s.size() : d) - m - 1);
  }
  return s;
}

std::string Niefizyczne(double s1, double s2, double dh, double eta) {
  std::string s;
  auto dodaj = [&s](const char* t) { s += (s.empty() ? "" : "; ") + std::string(t); };
  if (s2 < s1) dodaj("entropia na wylocie mniejsza niż na wlocie (s2 < s1)");
  if (!(dh > 0)) dodaj("spadek entalpii nie jest dodatni (Δh ≤ 0)");
  if (eta > 1) dodaj("sprawność wewnętrzna powyżej 100 % (ηi > 100 %)");
  if (s.empty()) return s;
  return "Rozprężanie niemożliwe: " + s + ". Sprawdź pomiar stanu wylotowego.";
}

std::string Nasycenie2sTekst(const Rozprezanie::Nasycenie& n, char sep) {
  auto bez = [](std::string s) { return s.erase(0, s.find_first_not_of(' ')); };
  return "2s liczone w temperaturze nasycenia " + bez(Format(n.t, "##0.0", sep)) + " °C (jej ciśnienie nasycenia " +
         bez(Format(static_cast<double>(n.p) * 1000, "# ##0.000", sep)) + " kPa, nie p2)";
}

namespace {

std::string Powod(const char* punkt, const EvalResult& w) {
  std::string s = std::string("Punkt ") + punkt + ": ";
  if (w.errorNumber != 0)
    return s + "błąd wykonania nr " + std::to_string(w.errorNumber) + " (" + OpisBledu(w.errorNumber) + ")";
  if (!w.message.empty()) return s + w.message;
  return s + "obliczenie odrzucone przez równania (poza zakresem)";
}

}  // namespace

Rozprezanie Rozpreznij(Evaluator& ew, const DaneRozprezania& d) {
  Rozprezanie r;
  r.wylotKPa = d.wylotKPa;
  if (!d.wlot) {
    r.komunikat = "Brak stanu wlotowego: najpierw oblicz stan pary z ciśnienia i temperatury.";
    return r;
  }
  const SteamState& w = *d.wlot;
  r.wlot = PunktPT(w);
  const Punkt& p1 = r.wlot;
  if (ObszarPT(w.tNasPary, w.tPary) == Obszar::Woda) {
    r.komunikat = "Stan wlotowy to woda: odcinek turbiny rozpręża parę.";
    return r;
  }
  if (!std::isfinite(d.wylotKPa)) {
    r.komunikat = "Niewłaściwe ciśnienie pary wylotowej.";
    return r;
  }
  r.p2 = Sng(static_cast<double>(d.wylotKPa) / 1000);
  if (r.p2 < 0.002f) {
    r.komunikat = "Ciśnienie pary wylotowej poniżej 2 kPa: poza zakresem równań.";
    return r;
  }
  if (r.p2 >= p1.p) {
    r.komunikat = "Ciśnienie pary wylotowej musi być mniejsze od ciśnienia na wlocie.";
    return r;
  }
  if (d.tryb == Koniec2::Eta && !(d.eta > 0 && d.eta <= 1)) {
    r.komunikat = "Sprawność wewnętrzna musi leżeć w przedziale (0, 100] %.";
    return r;
  }
  if (d.tryb == Koniec2::H2 && !std::isfinite(d.h2)) {
    r.komunikat = "Niewłaściwa entalpia pary wylotowej.";
    return r;
  }
  if (d.tryb == Koniec2::T2 && !(d.t2 < p1.t)) {
    r.komunikat = "Temperatura pary wylotowej musi być niższa od temperatury na wlocie.";
    return r;
  }

  EvalResult s2 = ew.P_S(r.p2, p1.s);
  if (!s2.ok) {
    r.komunikat = Powod("2s", s2);
    return r;
  }
  r.izentropa = PunktPS(s2.state);
  r.izentropa->p = r.p2;
  if (s2.state.xPary < 1.0f) r.nasycenie2s = Rozprezanie::Nasycenie{s2.state.tPary, s2.state.pPary};
  r.dhs = static_cast<double>(p1.h) - r.izentropa->h;
  if (!(r.dhs > 0)) {
    r.komunikat = "Spadek izentropowy nie jest dodatni: brak rozprężania.";
    return r;
  }

  if (d.tryb == Koniec2::Brak) {
    r.ok = true;
    return r;
  }
  EvalResult k;
  if (d.tryb == Koniec2::T2) {
    k = ew.P_T(r.p2, static_cast<float>(d.t2));
    if (k.ok && ObszarPT(k.state.tNasPary, k.state.tPary) != Obszar::Przegrzana) {
      r.komunikat =
          "Para wylotowa o tej temperaturze nie jest przegrzana: temperatura nie wyznacza stanu pary mokrej, "
          "podaj sprawność.";
      return r;
    }
  } else if (d.tryb == Koniec2::H2) {
    // The pressure-enthalpy pair, code 2, as the efficiency mode reaches it.
    k = ew.P_H(r.p2, Sng(d.h2));
  } else {
    const float h2 = Sng(static_cast<double>(p1.h) - d.eta * r.dhs);
    k = ew.P_H(r.p2, h2);
  }
  if (!k.ok) {
    r.komunikat = Powod("2", k);
    return r;
  }
  r.rzeczywisty = d.tryb == Koniec2::T2 ? PunktPT(k.state) : PunktPH(k.state);
  r.dh = static_cast<double>(p1.h) - r.rzeczywisty->h;
  r.eta = *r.dh / r.dhs;
  // A measured exhaust (t2 or h2) below the isentropic end: the numbers stay, the result is no good.
  // A given efficiency lies in (0, 1] by the check above.
  if (d.tryb != Koniec2::Eta) {
    r.komunikat = Niefizyczne(p1.s, r.rzeczywisty->s, *r.dh, *r.eta);
    r.niefizyczne = !r.komunikat.empty();
  }
  r.ok = !r.niefizyczne;
  return r;
}

}  // namespace kal
