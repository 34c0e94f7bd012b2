// The steam property library: saturation line, saturated water and steam, superheated steam,
// compressed water, their inverses and the solvers that fill the steam state from a pair.
// Functions return numbers; an "empty" result (a rejected input) is returned as 0 with Blad set.
//
// Property functions also work in members of the shared state, as the fits were made with
// single-precision stores: each declaration names the members a call may overwrite ("scratch")
// besides Blad on a rejected input. A caller that needs one of them keeps a copy across the call.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "coeffdb/baza.h"
#include "common/dialogs.h"
#include "steam/steam_state.h"

namespace kal {

// MPa: from here on (or from just above it, as each caller says) the saturation line is the
// straight line of TnasNadkrytyczna.
inline constexpr float kPKrytyczne = 22.12f;

// The saturation temperature's straight continuation above the critical pressure, unrounded.
double TnasNadkrytyczna(double p);

// Pass counts of the last call of each search, for tests and benchmarks.
struct PassCounts {
  long Pnas = 0, Tph = 0, Pth = 0, Tps = 0, Pts = 0, Twph = 0, Pwth = 0;
  long HS_passes = 0, HS_tsteps = 0;  // Dane_H_S pass counter and temperature-step counter
};

class ModKalorimo {
 public:
  ModKalorimo(const Baza& baza, Dialogs& dialogs, SteamWindows& windows)
      : baza_(baza), dialogs_(dialogs), windows_(windows) {}

  SteamState st;
  std::uint8_t exitNr = 0;  // Dane_H_S overdrafts so far in this run
  PassCounts passes;
  char decimalSep = ',';  // the user's locale separator, for numbers joined to message texts
  // true: the base equation of superheated steam runs its four chains side by side, and Tnas
  // and the base equation keep what depends on the temperature alone or the pressure alone for
  // the next call (keyed on the exact bits, dropped when the record changes). false: every value
  // step by step as first written, nothing kept; the reference of the bit-identity checks.
  bool fastPaths = true;

  // Saturation line.
  double Tnas(double p);  // saturation temperature, whole degrees; p < 0.002 -> empty, Blad. Scratch: none
  double Pnas(double t);  // saturation pressure. Scratch: none (passes.Pnas)

  // Saturated water (1) and dry saturated steam (2) at a saturation temperature. Each runs its
  // series in its own member. Scratch: h1, s1, ob1, h2, s2, ob2 in the order below.
  double H1t(double t);
  double S1t(double t);
  double V1t(double t);
  double H2t(double t);
  double S2t(double t);
  double V2t(double t);

  // Superheated steam: base equation and corrected functions (they read st.tNasPary).
  double Hpt0(double pi, double theta, double T);                      // scratch: h1
  double Spt0(double pi, double theta, double T, double p, double t);  // scratch: none
  double Vpt0(double theta, double pi);                                // scratch: none
  double Hpt(double p, double t);  // scratch: h1; h2 in the window just above saturation
  double Spt(double p, double t);  // scratch: s2 in the window just above saturation
  double Vpt(double p, double t);  // scratch: ob2 in the window just above saturation

  // Inverses of superheated steam.
  double Tph(double p, double h);  // scratch: tNasPary (set to Tnas(p)), h1, h2
  double Pth(double t, double h);  // scratch: pIter, h1, h2 (reads the caller's tNasPary)
  double Tps(double p, double s);  // scratch: s2 (reads the caller's tNasPary)
  double Pts(double t, double s);  // scratch: pIter, s2 (reads the caller's tNasPary)

  // Compressed water.
  double Hwpt(double p, double t);  // scratch: none
  double Vwpt(double p, double t);  // scratch: none
  double Twph(double p, double h);  // scratch: none
  double Pwth(double t, double h);  // scratch: pIter

  // Solvers: they write st; whatever they do not set keeps the last value, scratch included.
  void Dane_Nas(int flag);
  void Dane_T_P(double p, double t, int flag);
  void Dane_P_H(int code, int flag);
  void Dane_P_S(double ts, double s, int flag);
  void Dane_H_S(float hParyWe, float sParyWe);

  // Before Dane_P_S with the pressure given (st.pParyWe): the saturation temperature it starts
  // from, in tNasPary (and tPary below the critical pressure). False when Tnas refuses the
  // pressure (Blad set).
  bool UstawTnasDlaP_S();

  const Baza& baza() const { return baza_; }

  // The six saturation members at saturation temperature t, in the order V1t, H1t, S1t, V2t,
  // H2t, S2t (each function works in its own member before its result is stored there).
  void Nasycenie(double t);
  // The mixture members of dryness x from the saturation members.
  void Mieszanina(double x);

 private:
  // The base equation and Tnas step by step, each check in its place: what the fast forms
  // fall back on whenever one of their deferred checks failed, so errors stay the same.
  double Hpt0Krokami(double pi, double theta, double T);
  // Bounds [lo, hi] of every enthalpy Hpt gives at t for a pressure from 0 to p (p <= 7.5 MPa, the
  // base equation alone), and h0, its exact value at every pressure below 1e-30 MPa. False when
  // the series kept for t are not at hand or the bounds cannot be given.
  bool HptPonizej(double p, double t, double& lo, double& hi, double& h0);
  // A pressure search at p after n passes that can no longer succeed: the single it comes to
  // rest at, in `koniec`. False when that is not certain.
  bool PthBezWyjscia(double t, double h, float p, long n, float& koniec);
  double Spt0Krokami(double pi, double theta, double T, double p);
  double Vpt0Krokami(double theta, double pi);
  double TnasSzereg(double p) const;  // Tnas's series before the floor (0.002 <= p <= 22.115)
  double PnasKrokami(double t);       // every pass of the search
  double PnasZnane(double t);         // the same passes, degrees known for certain not recomputed

  // What is kept between calls, valid for the record version `wersja`.
  struct Pamiec {
    std::uint64_t wersja = 0;
    double cH[7][4] = {}, cS[7][4] = {}, cV[7][4] = {};  // i*b(i,j), (i-1)*b(i,j), j*b(i,j)
    bool tnasOk = false, hAOk = false, hH0Ok = false, sAOk = false, sTOk = false, sPOk = false, vAOk = false;
    std::uint64_t tnasP = 0, hTheta = 0, hT = 0, sTheta = 0, sT = 0, sP = 0, vTheta = 0;
    double tnas = 0;
    float hA[4] = {}, sA[4] = {}, vA[4] = {};
    float hH0 = 0;
    double sLnT = 0, sKT = 0, sDT = 0;  // 1.48285 ln T, 0.75805e-3 T, 46.174 / T
    double sLnP = 0;                    // 0.46151 ln(10^6 p)
    // Pnas: the pressures known to give each whole degree K of Tnas's series for certain:
    // K = stopnie[K + kStopien0], every p from lo to hi (none while lo > hi).
    struct Stopien {
      double lo = 1, hi = 0;
    };
    static constexpr int kStopien0 = 64, kStopnie = 512;
    Stopien stopnie[kStopnie];
    double pewnosc = -1;  // distance from a whole degree a sum must keep; 0: none, -1: not yet known
    // Pnas results by the temperature's bits (a batch repeats its temperatures): open
    // addressing over kPnasWyniki slots, made at the first search.
    struct PnasWynik {
      std::uint64_t t = 0;
      double p = 0;
      long passes = 0;
      bool ok = false;
    };
    static constexpr std::size_t kPnasWyniki = 4096, kPnasProby = 8;
    std::vector<PnasWynik> pnas;
  };
  double PewnoscSzeregu(Pamiec& c) const;  // Pamiec::pewnosc of the record
  Pamiec pamiec_;
  Pamiec& PamiecBazy();  // the kept values, emptied when the record changed

  const Baza& baza_;
  Dialogs& dialogs_;
  SteamWindows& windows_;
};

}  // namespace kal
