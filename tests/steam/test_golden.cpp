// Golden values: one point inside every correction window and branch of the property functions
// and of each solver, against the values the library gives today, bit for bit. A changed
// coefficient, tolerance or window bound shows here even where every other test's tolerance
// still holds. After a deliberate change the failure prints the row's new values to paste.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/checked.h"
#include "common/errors.h"
#include "steam/evaluator.h"

namespace kal::test {
namespace {

// Hpt, Spt, Vpt and Tps (p, t or s) set tNasPary = Tnas(p) first, Pth and Pts (t, h or s) set
// tNasPary = t, as their solvers do; the pairs take their arguments in the order of their names.
// clang-format off
enum class Fn {
  Tnas, Pnas, H1t, S1t, V1t, H2t, S2t, V2t, Hpt, Spt, Vpt, Tph, Tps, Pth, Pts, Hwpt, Vwpt, Twph, Pwth,
  PT, PH, TH, XT, XP, PS, TS, HS
};
// clang-format on

struct Row {
  const char* what;
  Fn fn;
  double a, b;
  // Run-time error number, Blad, then the result (functions) or p, t, h, s, v, x (pairs).
  std::vector<double> want;
};

std::vector<double> Calc(Evaluator& ev, Fn fn, double a, double b) {
  ModKalorimo& m = ev.lib();
  m.st = SteamState{};
  const auto one = [&](auto f) -> std::vector<double> {
    try {
      const double v = f();
      return {0, static_cast<double>(m.st.Blad), v};
    } catch (const RunTimeError& e) {
      return {static_cast<double>(e.number), static_cast<double>(m.st.Blad), 0};
    }
  };
  const auto pair = [](const EvalResult& r) -> std::vector<double> {
    const SteamState& s = r.state;
    return {static_cast<double>(r.errorNumber),
            static_cast<double>(s.Blad),
            s.pPary,
            s.tPary,
            s.hPary,
            s.sPary,
            s.vPary,
            s.xPary};
  };
  const auto ts = [&](double p) { m.st.tNasPary = Sng(m.Tnas(p)); };
  const float fa = static_cast<float>(a), fb = static_cast<float>(b);
  switch (fn) {
    case Fn::Tnas:
      return one([&] { return m.Tnas(a); });
    case Fn::Pnas:
      return one([&] { return m.Pnas(a); });
    case Fn::H1t:
      return one([&] { return m.H1t(a); });
    case Fn::S1t:
      return one([&] { return m.S1t(a); });
    case Fn::V1t:
      return one([&] { return m.V1t(a); });
    case Fn::H2t:
      return one([&] { return m.H2t(a); });
    case Fn::S2t:
      return one([&] { return m.S2t(a); });
    case Fn::V2t:
      return one([&] { return m.V2t(a); });
    case Fn::Hpt:
      return one([&] { return ts(a), m.Hpt(a, b); });
    case Fn::Spt:
      return one([&] { return ts(a), m.Spt(a, b); });
    case Fn::Vpt:
      return one([&] { return ts(a), m.Vpt(a, b); });
    case Fn::Tph:
      return one([&] { return m.Tph(a, b); });
    case Fn::Tps:
      return one([&] { return ts(a), m.Tps(a, b); });
    case Fn::Pth:
      return one([&] { return m.st.tNasPary = fa, m.Pth(a, b); });
    case Fn::Pts:
      return one([&] { return m.st.tNasPary = fa, m.Pts(a, b); });
    case Fn::Hwpt:
      return one([&] { return m.Hwpt(a, b); });
    case Fn::Vwpt:
      return one([&] { return m.Vwpt(a, b); });
    case Fn::Twph:
      return one([&] { return m.Twph(a, b); });
    case Fn::Pwth:
      return one([&] { return m.Pwth(a, b); });
    case Fn::PT:
      return pair(ev.P_T(fa, fb));
    case Fn::PH:
      return pair(ev.P_H(fa, fb));
    case Fn::TH:
      return pair(ev.T_H(fa, fb));
    case Fn::XT:
      return pair(ev.X_T(fa, fb));
    case Fn::XP:
      return pair(ev.X_P(fa, fb));
    case Fn::PS:
      return pair(ev.P_S(fa, fb));
    case Fn::TS:
      return pair(ev.T_S(fa, fb));
    case Fn::HS:
      return pair(ev.H_S(fa, fb));
  }
  return {};
}

std::uint64_t Bits(double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, sizeof u);
  return u;
}

std::string Show(const std::vector<double>& v, const char* format) {
  std::string s = "{";
  char buf[40];
  for (std::size_t i = 0; i < v.size(); ++i) {
    std::snprintf(buf, sizeof buf, format, v[i]);
    s += (i ? ", " : "") + std::string(buf);
  }
  return s + "}";
}

const Row kGolden[] = {
    {"Tnas: below its range: empty, Blad", Fn::Tnas, 0.001, 0, {0x0p+0, 0x1p+0, 0x0p+0}},
    {"Tnas: series", Fn::Tnas, 1, 0, {0x0p+0, 0x0p+0, 0x1.66p+7}},
    {"Tnas: straight line above 22.115 MPa", Fn::Tnas, 25, 0, {0x0p+0, 0x0p+0, 0x1.8p+8}},
    {"Pnas: straight line above 374.12 C", Fn::Pnas, 400, 0, {0x0p+0, 0x0p+0, 0x1.d683126e978dp+4}},
    {"Pnas: settles within 0.4 C", Fn::Pnas, 100, 0, {0x0p+0, 0x0p+0, 0x1.a190521ab18dcp-4}},
    {"Pnas: ended by the 0.003 MPa floor", Fn::Pnas, 10, 0, {0x0p+0, 0x0p+0, 0x1.c17e118eecaf9p-10}},
    {"Pnas: never settles: pass limit", Fn::Pnas, 100.5, 0, {0x0p+0, 0x0p+0, 0x1.ad7964342b12cp-4}},
    {"H1t: series", Fn::H1t, 200, 0, {0x0p+0, 0x0p+0, 0x1.aa339dc6594bp+9}},
    {"H1t: 356.9..374.16 window", Fn::H1t, 360, 0, {0x0p+0, 0x0p+0, 0x1.b868548e9e1b1p+10}},
    {"H1t: both windows from 369.78", Fn::H1t, 372, 0, {0x0p+0, 0x0p+0, 0x1.e51a6a2a1632bp+10}},
    {"H1t: closed formula from 374.12", Fn::H1t, 380, 0, {0x0p+0, 0x0p+0, 0x1.0913d07c84b5ep+11}},
    {"S1t: series", Fn::S1t, 200, 0, {0x0p+0, 0x0p+0, 0x1.2a4f9f05d6bcap+1}},
    {"S1t: +8e-4 above 263", Fn::S1t, 300, 0, {0x0p+0, 0x0p+0, 0x1.a0be8056606bdp+1}},
    {"S1t: +12e-4 above 324.6", Fn::S1t, 340, 0, {0x0p+0, 0x0p+0, 0x1.d4eb6836593c7p+1}},
    {"S1t: power window above 350", Fn::S1t, 360, 0, {0x0p+0, 0x0p+0, 0x1.f57f3b3d2d084p+1}},
    {"S1t: cube window above 369", Fn::S1t, 372, 0, {0x0p+0, 0x0p+0, 0x1.0c17b0a2402ecp+2}},
    {"S1t: closed formula", Fn::S1t, 380, 0, {0x0p+0, 0x0p+0, 0x1.1d0abb44e50c6p+2}},
    {"V1t: series", Fn::V1t, 300, 0, {0x0p+0, 0x0p+0, 0x1.701b6d4801f75p-10}},
    {"V1t: power window above 352", Fn::V1t, 360, 0, {0x0p+0, 0x0p+0, 0x1.ee2eb84387831p-10}},
    {"V1t: second window above 371", Fn::V1t, 372, 0, {0x0p+0, 0x0p+0, 0x1.38ffb4bb4a8aep-9}},
    {"V1t: closed formula", Fn::V1t, 380, 0, {0x0p+0, 0x0p+0, 0x1.9c7bcc2938de7p-9}},
    {"H2t: series", Fn::H2t, 200, 0, {0x0p+0, 0x0p+0, 0x1.5cf1029p+11}},
    {"H2t: eighth power above 300", Fn::H2t, 330, 0, {0x0p+0, 0x0p+0, 0x1.4d4cc988dc713p+11}},
    {"H2t: +6 from 357", Fn::H2t, 365, 0, {0x0p+0, 0x0p+0, 0x1.2ee9ffa80db3cp+11}},
    {"H2t: fourth power above 370", Fn::H2t, 372, 0, {0x0p+0, 0x0p+0, 0x1.1cdb1a5c4b3dbp+11}},
    {"H2t: closed formula", Fn::H2t, 380, 0, {0x0p+0, 0x0p+0, 0x1.0913d07c84b5ep+11}},
    {"S2t: series", Fn::S2t, 200, 0, {0x0p+0, 0x0p+0, 0x1.9b748p+2}},
    {"S2t: twentieth power above 300", Fn::S2t, 330, 0, {0x0p+0, 0x0p+0, 0x1.5c48a233c3cb2p+2}},
    {"S2t: fifth power above 363.6", Fn::S2t, 370, 0, {0x0p+0, 0x0p+0, 0x1.331316db829fbp+2}},
    {"S2t: closed formula", Fn::S2t, 380, 0, {0x0p+0, 0x0p+0, 0x1.1d0abb44e50c6p+2}},
    {"V2t: series", Fn::V2t, 300, 0, {0x0p+0, 0x0p+0, 0x1.62b67bb387c03p-6}},
    {"V2t: +20e-6 above 340", Fn::V2t, 350, 0, {0x0p+0, 0x0p+0, 0x1.20e07502e8068p-7}},
    {"V2t: base-19 window above 357", Fn::V2t, 365, 0, {0x0p+0, 0x0p+0, 0x1.92c3c085b608p-8}},
    {"V2t: third window above 369", Fn::V2t, 372, 0, {0x0p+0, 0x0p+0, 0x1.3f2d2557b9d8fp-8}},
    {"V2t: closed formula", Fn::V2t, 380, 0, {0x0p+0, 0x0p+0, 0x1.9c7bcc2938de7p-9}},
    {"Hpt: 0 C refused", Fn::Hpt, 1, 0, {0x0p+0, 0x1p+0, 0x0p+0}},
    {"Hpt: base equation", Fn::Hpt, 1, 300, {0x0p+0, 0x0p+0, 0x1.7d652c5dab5a8p+11}},
    {"Hpt: blend just above saturation, 12 MPa ts+3", Fn::Hpt, 12, 327, {0x0p+0, 0x0p+0, 0x1.50cf28e11676ep+11}},
    {"Hpt: +2.5: 11..13 MPa, ts+30", Fn::Hpt, 12, 354, {0x0p+0, 0x0p+0, 0x1.668183b77dd98p+11}},
    {"Hpt: +5: 13..17.5 MPa, ts+30", Fn::Hpt, 15, 372, {0x0p+0, 0x0p+0, 0x1.637e074f240b8p+11}},
    {"Hpt: +8: 17.5..23 MPa, ts+30", Fn::Hpt, 20, 395, {0x0p+0, 0x0p+0, 0x1.5c163ec76e7d5p+11}},
    {"Hpt: +15: from 23 MPa, ts+30", Fn::Hpt, 25, 414, {0x0p+0, 0x0p+0, 0x1.5477deae7b7e9p+11}},
    {"Hpt: +1.5: above 7.5 MPa, 540..600 C", Fn::Hpt, 10, 560, {0x0p+0, 0x0p+0, 0x1.b8a48812042c4p+11}},
    {"Hpt: -1: 15.5..22 MPa, 450..500 C", Fn::Hpt, 18, 480, {0x0p+0, 0x0p+0, 0x1.90c80b3218034p+11}},
    {"Spt: base equation", Fn::Spt, 1, 300, {0x0p+0, 0x0p+0, 0x1.c7e327c05804ep+2}},
    {"Spt: blend, x = 0: 12 MPa ts+4", Fn::Spt, 12, 328, {0x0p+0, 0x0p+0, 0x1.5ff7p+2}},
    {"Spt: blend, x = 1: 12 MPa ts+8", Fn::Spt, 12, 332, {0x0p+0, 0x0p+0, 0x1.65a79e82afd08p+2}},
    {"Spt: ts+15..25 window", Fn::Spt, 15, 362, {0x0p+0, 0x0p+0, 0x1.657d734aa8c69p+2}},
    {"Spt: ts+25..65 window", Fn::Spt, 15, 382, {0x0p+0, 0x0p+0, 0x1.70b2636ad4924p+2}},
    {"Spt: gap ts+65..70", Fn::Spt, 15, 409, {0x0p+0, 0x0p+0, 0x1.7c03f4564f0b1p+2}},
    {"Spt: ts+70..135 window", Fn::Spt, 15, 442, {0x0p+0, 0x0p+0, 0x1.86ec5ca9fd6cbp+2}},
    {"Spt: beyond the windows", Fn::Spt, 15, 500, {0x0p+0, 0x0p+0, 0x1.9633c09c97879p+2}},
    {"Vpt: base equation", Fn::Vpt, 1, 300, {0x0p+0, 0x0p+0, 0x1.0812e1e4dd483p-2}},
    {"Vpt: blend above 15 MPa, ts+3", Fn::Vpt, 18, 359, {0x0p+0, 0x0p+0, 0x1.0244418194d1fp-7}},
    {"Vpt: +1e-4 up to 23 MPa, ts+20", Fn::Vpt, 18, 376, {0x0p+0, 0x0p+0, 0x1.4a2327de970eap-7}},
    {"Vpt: +2e-4 above 23 MPa, ts+20", Fn::Vpt, 25, 404, {0x0p+0, 0x0p+0, 0x1.a4eac32796901p-8}},
    {"Tph: settles, 1 MPa", Fn::Tph, 1, 3000, {0x0p+0, 0x0p+0, 0x1.13fae147ae148p+8}},
    {"Tph: settles, 0.1 MPa", Fn::Tph, 0.1, 2700, {0x0p+0, 0x0p+0, 0x1.bf28f5c28f5c3p+6}},
    {"Tph: settles, 10 MPa", Fn::Tph, 10, 3300, {0x0p+0, 0x0p+0, 0x1.d78f5c28f5c29p+8}},
    {"Tph: settles, 15 MPa", Fn::Tph, 15, 3100, {0x0p+0, 0x0p+0, 0x1.affae147ae148p+8}},
    {"Tph: settles, 20 MPa", Fn::Tph, 20, 2900, {0x0p+0, 0x0p+0, 0x1.9db5c28f5c28fp+8}},
    {"Tph: stops at or below saturation", Fn::Tph, 1, 2000, {0x0p+0, 0x0p+0, 0x1.3c4cccccccccdp+7}},
    {"Tph: never settles: pass limit", Fn::Tph, 1, 1e14, {0x0p+0, 0x1p+0, 0x0p+0}},
    {"Tps: settles, 1 MPa", Fn::Tps, 1, 7, {0x0p+0, 0x0p+0, 0x1.09e032a0c88e4p+8}},
    {"Tps: settles, 10 MPa", Fn::Tps, 10, 6.5, {0x0p+0, 0x0p+0, 0x1.d5afdb577005cp+8}},
    {"Tps: across the near-saturation step: pass limit", Fn::Tps, 20, 5.15, {0x0p+0, 0x1p+0, 0x0p+0}},
    {"Pth: settles, 300 C", Fn::Pth, 300, 3000, {0x0p+0, 0x0p+0, 0x1.20f5d8p+2}},
    {"Pth: settles, 200 C", Fn::Pth, 200, 2800, {0x0p+0, 0x0p+0, 0x1.8cf948p+0}},
    {"Pth: above 22.3 MPa", Fn::Pth, 400, 3000, {0x0p+0, 0x1p+0, 0x0p+0}},
    {"Pth: 0 C refused", Fn::Pth, 0, 2600, {0x0p+0, 0x1p+0, 0x0p+0}},
    {"Pth: never settles: pass limit", Fn::Pth, 300, 5000, {0x0p+0, 0x1p+0, 0x0p+0}},
    {"Pts: settles", Fn::Pts, 200, 7, {0x0p+0, 0x0p+0, 0x1.257af2p-1}},
    {"Pts: below dry steam: run-time error", Fn::Pts, 200, 6, {0x1.4p+2, 0x0p+0, 0x0p+0}},
    {"Pts: flat entropy: pass limit", Fn::Pts, 30000, 155.8616, {0x0p+0, 0x1p+0, 0x0p+0}},
    {"Hwpt: base", Fn::Hwpt, 10, 200, {0x0p+0, 0x0p+0, 0x1.abf7e9afbf476p+9}},
    {"Hwpt: near-critical window from 320 C, 12 MPa", Fn::Hwpt, 15, 330, {0x0p+0, 0x0p+0, 0x1.7bdfe7dbc75b4p+10}},
    {"Hwpt: +3 and -5 above 360 C", Fn::Hwpt, 20, 365, {0x0p+0, 0x0p+0, 0x1.be43a8f0135c7p+10}},
    {"Hwpt: -5 only at 360 C", Fn::Hwpt, 15, 360, {0x0p+0, 0x0p+0, 0x1.c3670d47f0f72p+10}},
    {"Hwpt: +3 only at 22.1 MPa", Fn::Hwpt, 22.1, 365, {0x0p+0, 0x0p+0, 0x1.ba70b6811de8bp+10}},
    {"Vwpt: base", Fn::Vwpt, 5, 200, {0x0p+0, 0x0p+0, 0x1.2e164dcbe454ep-10}},
    {"Vwpt: low temperature", Fn::Vwpt, 1, 50, {0x0p+0, 0x0p+0, 0x1.092e3585777eep-10}},
    {"Vwpt: window above 300 C, 10 MPa", Fn::Vwpt, 15, 320, {0x0p+0, 0x0p+0, 0x1.82037cd6d7816p-10}},
    {"Twph: settles", Fn::Twph, 5, 800, {0x0p+0, 0x0p+0, 0x1.77c04917de5e1p+7}},
    {"Twph: settles, high", Fn::Twph, 15, 1500, {0x0p+0, 0x0p+0, 0x1.472cd2931cd43p+8}},
    {"Pwth: found at the 1 MPa start", Fn::Pwth, 100, 419.75, {0x0p+0, 0x0p+0, 0x1p+0}},
    {"Pwth: found by bisection", Fn::Pwth, 100, 430.274238, {0x0p+0, 0x0p+0, 0x1.ep+3}},
    {"Pwth: found by bisection, 200 C", Fn::Pwth, 200, 853.7849, {0x0p+0, 0x0p+0, 0x1.4p+2}},
    {"Pwth: no pressure", Fn::Pwth, 100, 400, {0x0p+0, 0x1p+0, 0x0p+0}},
    {"PT: pressure out of range",
     Fn::PT,
     25,
     300,
     {0x0p+0, 0x1p+0, 0x1.9p+4, 0x1.2cp+8, 0x0p+0, 0x0p+0, 0x0p+0, 0x0p+0}},
    {"PT: temperature out of range",
     Fn::PT,
     1,
     700,
     {0x0p+0, 0x1p+0, 0x1p+0, 0x1.5ep+9, 0x0p+0, 0x0p+0, 0x0p+0, 0x0p+0}},
    {"PT: saturated within 0.5 %",
     Fn::PT,
     1,
     179.5,
     {0x0p+0, 0x0p+0, 0x1p+0, 0x1.67p+7, 0x1.5bbf46p+11, 0x1.a6b15p+2, 0x1.96d88p-3, 0x1.00b71p+0}},
    {"PT: water",
     Fn::PT,
     1,
     100,
     {0x0p+0, 0x0p+0, 0x1p+0, 0x1.9p+6, 0x1.d778fep+10, 0x1.2bec88p+2, 0x1.c75a56p-4, 0x1.1e0894p-1}},
    {"PT: superheated",
     Fn::PT,
     1,
     300,
     {0x0p+0, 0x0p+0, 0x1p+0, 0x1.2cp+8, 0x1.7d652cp+11, 0x1.c7e328p+2, 0x1.0812e2p-2, 0x1p+0}},
    {"PT: superheated near saturation, 20 MPa",
     Fn::PT,
     20,
     395,
     {0x0p+0, 0x0p+0, 0x1.4p+4, 0x1.8bp+8, 0x1.5c163ep+11, 0x1.6035acp+2, 0x1.399e2ap-7, 0x1p+0}},
    {"PH: superheated",
     Fn::PH,
     1,
     3000,
     {0x0p+0, 0x0p+0, 0x1p+0, 0x1.13fae2p+8, 0x1.77p+11, 0x1.c20254p+2, 0x1.f7983cp-3, 0x1p+0}},
    {"PH: water",
     Fn::PH,
     1,
     400,
     {0x0p+0, 0x0p+0, 0x1p+0, 0x1.7d4bd4p+6, 0x1.9p+8, 0x1.40f286p+0, 0x1.10bf7ep-10, 0x0p+0}},
    {"PH: wet",
     Fn::PH,
     1,
     2000,
     {0x0p+0, 0x0p+0, 0x1p+0, 0x1.66p+7, 0x1.f4p+10, 0x1.37ff28p+2, 0x1.f4fc04p-4, 0x1.3afd9cp-1}},
    {"PH: above the critical pressure: straight line",
     Fn::PH,
     25,
     3000,
     {0x0p+0, 0x0p+0, 0x1.9p+4, 0x1.cc75c2p+8, 0x1.77p+11, 0x1.6faf18p+2, 0x1.3a6e84p-7, 0x1p+0}},
    {"PH: Tph fails", Fn::PH, 1, 1e14, {0x0p+0, 0x1p+0, 0x1p+0, 0x0p+0, 0x1.6bcc42p+46, 0x0p+0, 0x0p+0, 0x0p+0}},
    {"TH: superheated",
     Fn::TH,
     200,
     2800,
     {0x0p+0, 0x0p+0, 0x1.8cf948p+0, 0x1.9p+7, 0x1.5ep+11, 0x1.9b8dc6p+2, 0x1.05293cp-3, 0x1p+0}},
    {"TH: water", Fn::TH, 100, 300, {0x0p+0, 0x1p+0, 0x0p+0, 0x1.9p+6, 0x1.2cp+8, 0x0p+0, 0x0p+0, 0x0p+0}},
    {"TH: wet",
     Fn::TH,
     150,
     2000,
     {0x0p+0, 0x0p+0, 0x1.eaacp-2, 0x1.2cp+7, 0x1.f4p+10, 0x1.44c07p+2, 0x1.04640cp-2, 0x1.4b3d36p-1}},
    {"TH: Pth fails", Fn::TH, 400, 3000, {0x0p+0, 0x1p+0, 0x0p+0, 0x1.9p+8, 0x1.77p+11, 0x0p+0, 0x0p+0, 0x0p+0}},
    {"XT: wet",
     Fn::XT,
     0.9,
     100,
     {0x0p+0, 0x0p+0, 0x1.a19052p-4, 0x1.9p+6, 0x1.3256b4p+11, 0x1.b01358p+2, 0x1.81795ep+0, 0x1.ccccccp-1}},
    {"XT: dryness refused", Fn::XT, 1.5, 100, {0x0p+0, 0x0p+0, 0x0p+0, 0x1.9p+6, 0x0p+0, 0x0p+0, 0x0p+0, 0x1.8p+0}},
    {"XP: wet",
     Fn::XP,
     0.9,
     1,
     {0x0p+0, 0x0p+0, 0x1p+0, 0x1.66p+7, 0x1.41d298p+11, 0x1.895576p+2, 0x1.6d60aap-3, 0x1.ccccccp-1}},
    {"XP: pressure below the saturation line",
     Fn::XP,
     0.5,
     0.001,
     {0x0p+0, 0x1p+0, 0x0p+0, 0x0p+0, 0x0p+0, 0x0p+0, 0x0p+0, 0x1p-1}},
    {"PS: superheated",
     Fn::PS,
     1,
     7,
     {0x0p+0, 0x0p+0, 0x1p+0, 0x1.09e032p+8, 0x1.7436a6p+11, 0x1.cp+2, 0x1.ed23b6p-3, 0x1p+0}},
    {"PS: wet",
     Fn::PS,
     1,
     6,
     {0x0p+0, 0x0p+0, 0x1.f75278p-1, 0x1.66p+7, 0x1.3994a4p+11, 0x1.8p+2, 0x1.6031a4p-3, 0x1.bc1152p-1}},
    {"PS: below saturated water", Fn::PS, 1, 1, {0x0p+0, 0x1p+0, 0x1p+0, 0x1.66p+7, 0x0p+0, 0x1p+0, 0x0p+0, 0x0p+0}},
    {"PS: at 25 MPa: straight line",
     Fn::PS,
     25,
     6,
     {0x0p+0, 0x0p+0, 0x1.9p+4, 0x1.fa628ap+8, 0x1.8ed7e2p+11, 0x1.8p+2, 0x1.740f72p-7, 0x1p+0}},
    {"PS: pressure below the saturation line",
     Fn::PS,
     0.001,
     7,
     {0x0p+0, 0x1p+0, 0x1.0624dep-10, 0x0p+0, 0x0p+0, 0x1.cp+2, 0x0p+0, 0x0p+0}},
    {"TS: superheated",
     Fn::TS,
     200,
     7,
     {0x0p+0, 0x0p+0, 0x1.257af2p-1, 0x1.9p+7, 0x1.64804ap+11, 0x1.cp+2, 0x1.79ead2p-2, 0x1p+0}},
    {"TS: wet",
     Fn::TS,
     200,
     5,
     {0x0p+0, 0x0p+0, 0x1.8e6b14p+0, 0x1.9p+7, 0x1.086d84p+11, 0x1.4p+2, 0x1.54e24p-4, 0x1.4d7b94p-1}},
    {"TS: high pressure",
     Fn::TS,
     300,
     5.8,
     {0x0p+0, 0x0p+0, 0x1.fe1994p+2, 0x1.2cp+8, 0x1.5c47bp+11, 0x1.733334p+2, 0x1.8f358ap-6, 0x1p+0}},
    {"TS: high pressure, 350 C",
     Fn::TS,
     350,
     5.5,
     {0x1.4p+2, 0x0p+0, 0x0p+0, 0x1.5ep+8, 0x0p+0, 0x1.6p+2, 0x0p+0, 0x0p+0}},
    {"HS: settles",
     Fn::HS,
     3051.16162,
     7.12323952,
     {0x0p+0, 0x0p+0, 0x1.ffc73ap-1, 0x1.2c0a9ap+8, 0x1.7d685ep+11, 0x1.c7e6aep+2, 0x1.083654p-2, 0x1p+0}},
    {"HS: overdraft",
     Fn::HS,
     2784.69507,
     5.50327587,
     {0x0p+0, 0x0p+0, 0x1.3e9d9cp+4, 0x1.8a3672p+8, 0x1.5c3304p+11, 0x1.60a04p+2, 0x1.3b4b86p-7, 0x1p+0}},
    {"HS: zero enthalpy", Fn::HS, 0, 7, {0x0p+0, 0x1p+0, 0x1.cp+1, 0x1.a9p+8, 0x0p+0, 0x0p+0, 0x0p+0, 0x0p+0}},
    {"HS: entropy out of range",
     Fn::HS,
     3000,
     5,
     {0x0p+0, 0x1p+0, 0x1.cp+1, 0x1.a9p+8, 0x0p+0, 0x0p+0, 0x0p+0, 0x0p+0}},
    {"HS: enthalpy out of range",
     Fn::HS,
     1000,
     7,
     {0x0p+0, 0x1p+0, 0x1.cp+1, 0x1.a9p+8, 0x0p+0, 0x0p+0, 0x0p+0, 0x0p+0}},
};

TEST(Golden, EveryWindowAndBranchGivesTodaysBits) {
  Evaluator ev;
  for (const Row& r : kGolden) {
    const std::vector<double> got = Calc(ev, r.fn, r.a, r.b);
    bool same = got.size() == r.want.size();
    for (std::size_t i = 0; same && i < got.size(); ++i) same = Bits(got[i]) == Bits(r.want[i]);
    EXPECT_TRUE(same) << r.what << "\n  got  " << Show(got, "%.9g") << "\n  want " << Show(r.want, "%.9g")
                      << "\n  new  " << Show(got, "%a");
  }
}

}  // namespace
}  // namespace kal::test
