// The fast forms of the library (chains side by side, values kept between calls) against the
// step-by-step forms: drawn calls of every solver and inverse in every region, failures and
// run-time errors included, must leave the same bits, boxes and errors on both sides. The
// record changes now and then, which must drop whatever was kept. KALORIMO_FULL_CHECK sets the
// number of calls for the full run (scripts/bitcheck.sh).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/errors.h"
#include "steam/steam_fixture.h"
#include "support/check_count.h"

namespace kal::test {
namespace {

class Boxes : public Dialogs {
 public:
  std::vector<std::string> texts;
  Answer MsgBox(const std::string& text, Buttons, Icon, const std::string& title) override {
    texts.push_back(title + "|" + text);
    return Answer::Ok;
  }
  std::string InputBox(const std::string&, const std::string&) override { return ""; }
};

struct Side {
  explicit Side(bool fast) { m.fastPaths = fast; }
  Baza baza = DefaultBaza();
  Boxes dialogs;
  RecordingSteamWindows windows;
  ModKalorimo m{baza, dialogs, windows};
  std::string error;  // number and source of the run-time error of the last call
};

// Everything a call can leave behind, as bytes.
std::string Trace(const Side& s, double result) {
  const SteamState& st = s.m.st;
  std::string t;
  auto put = [&t](const void* p, std::size_t n) { t.append(static_cast<const char*>(p), n); };
  for (float f : {st.pPary, st.pParyWe, st.tPary, st.hPary, st.sPary, st.vPary, st.xPary, st.tNasPary, st.ob1, st.h1,
                  st.s1, st.ob2, st.h2, st.s2, st.obx, st.hx, st.sx, st.pIter})
    put(&f, sizeof f);
  put(&st.Blad, 1);
  put(&s.m.exitNr, 1);
  put(&result, sizeof result);
  for (const std::string& b : s.dialogs.texts) t += b + "\n";
  t += std::to_string(s.windows.paraMokraLoads) + "/" + std::to_string(s.windows.pthBledy.size()) + "/" +
       std::to_string(s.windows.cisnienia.size()) + "/" + s.error;
  return t;
}

struct Draw {
  int kind;
  double a, b;
};

// A value between lo and hi, now and then one of the awkward ones.
double Value(std::mt19937_64& g, double lo, double hi) {
  static const double kOdd[] = {0.0, -1.0, 0.001, 22.12, 600.0, 1e30, 374.12};
  if (g() % 40 == 0) return kOdd[g() % 7];
  return lo + (hi - lo) * std::uniform_real_distribution<double>(0, 1)(g);
}

Draw Next(std::mt19937_64& g) {
  const int kind = static_cast<int>(g() % 12);
  switch (kind) {
    case 0:  // state from p, t: superheated, saturated and water, and out of range
    case 1:
      return {kind, Value(g, 0.0005, 23), Value(g, -5, 610)};
    case 2:  // enthalpy with pressure or temperature
    case 3:
      return {kind, kind == 2 ? Value(g, 0.001, 30) : Value(g, 1, 420), Value(g, 50, 4200)};
    case 4:  // entropy with pressure or temperature
    case 5:
      return {kind, kind == 4 ? Value(g, 0.001, 25) : Value(g, 1, 400), Value(g, 0.5, 9.5)};
    case 6:  // enthalpy and entropy
      return {kind, Value(g, 1400, 4200), Value(g, 5.4, 9.1)};
    case 7:  // the forward functions themselves, below saturation too
      return {kind, Value(g, 0.0005, 26), Value(g, -5, 610)};
    default:  // the inverses: Tph, Pth, Tps, Pts
      return {kind, Value(g, 0.0005, 23), kind % 2 ? Value(g, 1500, 4000) : Value(g, 5, 9.5)};
  }
}

double Call(Side& s, const Draw& d) {
  ModKalorimo& m = s.m;
  s.error.clear();
  m.st.Blad = 0;
  double r = 0;
  try {
    switch (d.kind) {
      case 0:
      case 1:
        m.Dane_T_P(d.a, d.b, d.kind);
        break;
      case 2:
      case 3:
        m.st.pPary = static_cast<float>(d.a);
        m.st.tPary = static_cast<float>(d.a);
        m.st.hPary = static_cast<float>(d.b);
        m.Dane_P_H(d.kind == 2 ? 2 : 5, 1);
        break;
      case 4:
      case 5: {
        const float ts = d.kind == 4 ? static_cast<float>(m.Tnas(d.a)) : static_cast<float>(d.a);
        m.st.pPary = d.kind == 4 ? static_cast<float>(d.a) : 0.0f;
        m.st.tPary = ts;
        m.st.tNasPary = ts;
        m.Dane_P_S(ts, d.b, 1);
        break;
      }
      case 6:
        m.Dane_H_S(static_cast<float>(d.a), static_cast<float>(d.b));
        break;
      case 7:
        m.st.tNasPary = static_cast<float>(m.Tnas(d.a));
        r = m.Hpt(d.a, d.b) + 3 * m.Spt(d.a, d.b) + 7 * m.Vpt(d.a, d.b);
        break;
      case 8:
        r = m.Tph(d.a, d.b);
        break;
      case 9:
        r = m.Pth(d.a * 20, d.b);
        break;
      case 10:
        m.st.tNasPary = static_cast<float>(m.Tnas(d.a));
        r = m.Tps(d.a, d.b);
        break;
      default:
        r = m.Pts(d.a * 20, d.b);
        break;
    }
  } catch (const RunTimeError& e) {
    s.error = std::to_string(e.number) + " " + e.source;
  }
  return r;
}

TEST(FastPaths, SameBitsAsTheStepByStepForms) {
  Side fast(true), ref(false);
  std::mt19937_64 g(16);
  const long n = CheckCount(2500);
  long errors = 0, failures = 0, mismatches = 0;
  for (long i = 0; i < n; ++i) {
    if (i % 997 == 500) {
      // An edited record: one coefficient of each cached table moves a little.
      for (Side* s : {&fast, &ref}) {
        s->baza.Tab1[1 + i % 4][1 + i % 6] *= 1.0001;
        s->baza.Tab2[1 + i % 12] *= 1.00001;
        s->baza.Zmieniona();
      }
    }
    const Draw d = Next(g);
    fast.dialogs.texts.clear();
    ref.dialogs.texts.clear();
    const double rf = Call(fast, d);
    const double rr = Call(ref, d);
    errors += !fast.error.empty();
    failures += fast.m.st.Blad == 1;
    if (Trace(fast, rf) != Trace(ref, rr) && ++mismatches <= 5)
      ADD_FAILURE() << "call " << i << " kind " << d.kind << " (" << d.a << ", " << d.b << ")";
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(errors, 0);
  EXPECT_GT(failures, 0);
  std::printf("calls: %ld, run-time errors: %ld, rejected: %ld, mismatches: %ld\n", n, errors, failures, mismatches);
}

}  // namespace
}  // namespace kal::test
