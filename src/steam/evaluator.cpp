// The pairs set up as the calculate command sets them up, over a private library.
#include "steam/evaluator.h"

#include <cstdint>

#include "coeffdb/baza_plik.h"
#include "common/checked.h"
#include "common/errors.h"

namespace kal {

Answer SilentDialogs::MsgBox(const std::string& text, Buttons, Icon, const std::string&) {
  lastText = text;
  ++count;
  return Answer::Ok;
}

std::string SilentDialogs::InputBox(const std::string&, const std::string&) { return {}; }

namespace {

Baza DefaultBaza() {
  Baza b;
  std::uint8_t blad = 0;
  CzytArray(b, blad);
  return b;
}

// The window's refusal of a dryness (the box would say "x >1" or "x <0").
bool SuchoscDozwolona(float x) { return x < 1.0f && x >= 0.0f; }

}  // namespace

Evaluator::Evaluator(const Baza& baza) : baza_(baza) {}
Evaluator::Evaluator() : Evaluator(DefaultBaza()) {}

// `solve` returns false when the set-up refuses before the library's own test of Blad.
template <class Solve>
EvalResult Evaluator::Run(Solve solve) {
  lib_.st = SteamState{};
  dialogs_.lastText.clear();
  windows_.Clear();
  EvalResult r;
  try {
    r.ok = solve(lib_.st) && lib_.st.Blad == 0;
  } catch (const RunTimeError& e) {
    r.ok = false;
    r.errorNumber = e.number;
  }
  r.state = lib_.st;
  r.message = dialogs_.lastText;
  return r;
}

EvalResult Evaluator::P_T(float p, float t) {
  return Run([&](SteamState& s) {
    s.pParyWe = p;
    s.tPary = t;
    s.pPary = s.pParyWe;
    lib_.Dane_T_P(s.pParyWe, s.tPary, 1);
    return true;
  });
}

EvalResult Evaluator::P_H(float p, float h) {
  return Run([&](SteamState& s) {
    s.pParyWe = p;
    s.hPary = h;
    s.pPary = s.pParyWe;
    lib_.Dane_P_H(2, 1);
    return true;
  });
}

EvalResult Evaluator::T_H(float t, float h) {
  return Run([&](SteamState& s) {
    s.tPary = t;
    s.hPary = h;
    lib_.Dane_P_H(5, 1);
    if (s.Blad != 0) return false;
    s.pParyWe = s.pPary;
    return true;
  });
}

// The dryness pairs: the mixture of the saturation state becomes the state's h, s and v.
void Evaluator::NasyconaMieszanina(SteamState& s) {
  lib_.Dane_Nas(1);
  s.hPary = s.hx;
  s.sPary = s.sx;
  s.vPary = s.obx;
}

EvalResult Evaluator::X_T(float x, float t) {
  return Run([&](SteamState& s) {
    s.tPary = t;
    s.tNasPary = s.tPary;
    s.xPary = x;
    if (!SuchoscDozwolona(x)) return false;
    s.pParyWe = Sng(lib_.Pnas(s.tPary));
    s.pPary = s.pParyWe;
    NasyconaMieszanina(s);
    return true;
  });
}

EvalResult Evaluator::X_P(float x, float p) {
  return Run([&](SteamState& s) {
    s.pParyWe = p;
    s.xPary = x;
    if (!SuchoscDozwolona(x)) return false;
    s.tNasPary = Sng(lib_.Tnas(s.pParyWe));
    if (s.Blad != 0) return false;
    s.pPary = s.pParyWe;
    s.tPary = s.tNasPary;
    NasyconaMieszanina(s);
    return true;
  });
}

EvalResult Evaluator::P_S(float p, float s0) {
  return Run([&](SteamState& s) {
    s.pParyWe = p;
    s.pPary = s.pParyWe;
    s.sPary = s0;
    if (!lib_.UstawTnasDlaP_S()) return false;
    lib_.Dane_P_S(s.tNasPary, s.sPary, 1);
    return true;
  });
}

EvalResult Evaluator::T_S(float t, float s0) {
  return Run([&](SteamState& s) {
    s.tPary = t;
    s.tNasPary = s.tPary;
    s.pParyWe = 0;
    s.pPary = 0;  // no pressure given: Dane_P_S finds it
    s.sPary = s0;
    lib_.Dane_P_S(s.tNasPary, s.sPary, 1);
    if (s.Blad != 0) return false;
    s.pParyWe = s.pPary;
    return true;
  });
}

EvalResult Evaluator::H_S(float h, float s0) {
  return Run([&](SteamState& s) {
    lib_.Dane_H_S(h, s0);
    if (s.Blad != 0) return false;
    s.pParyWe = s.pPary;
    return true;
  });
}

}  // namespace kal
