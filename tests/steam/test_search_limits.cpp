// Searches that run to their pass limit, in their short forms against every pass computed.
// The saturation pressure search with its known degrees against every pass computed, over the
// temperature grid in 0.01 K steps from -50 to 700 C: the same bits, pass count and error. The
// suite runs slices (where the search runs to its limit and near its ends); KALORIMO_PNAS_GRID=1
// runs the whole grid (scripts/pnas_grid.sh). One library per side serves the whole grid, so the
// known degrees carry from call to call as in a batch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/errors.h"
#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

struct Strona {
  explicit Strona(bool fast, const Baza& b) : baza(b) { m.fastPaths = fast; }
  Baza baza;
  ScriptedDialogs dialogs;
  RecordingSteamWindows windows;
  ModKalorimo m{baza, dialogs, windows};

  std::string Pnas(double t) {
    std::string out;
    try {
      const double p = m.Pnas(t);
      out.append(reinterpret_cast<const char*>(&p), sizeof p);
    } catch (const RunTimeError& e) {
      out = "error " + std::to_string(e.number);
    }
    return out + "/" + std::to_string(m.passes.Pnas) + "/" + std::to_string(m.st.Blad);
  }
};

// Hundredths of a degree: [from, to].
std::vector<std::pair<long, long>> Zakresy() {
  const char* full = std::getenv("KALORIMO_PNAS_GRID");
  if (full != nullptr && *full != '\0') return {{-5000, 70000}};
  return {{-5000, -4900}, {1000, 1100}, {9900, 10200}, {25000, 25100}, {37300, 37450}, {69900, 70000}};
}

void Porownaj(const Baza& baza, const char* nazwa) {
  Strona szybka(true, baza), krokami(false, baza);
  long dlugie = 0;
  // Twice: the second time the temperatures were seen before.
  for (int raz = 0; raz < 2; ++raz) {
    for (const auto& [od, dodo] : Zakresy()) {
      for (long i = od; i <= dodo; ++i) {
        const double t = static_cast<float>(static_cast<double>(i) / 100);  // as a box gives it
        ASSERT_EQ(krokami.Pnas(t), szybka.Pnas(t)) << nazwa << " t=" << t;
        if (krokami.m.passes.Pnas > 10000) ++dlugie;
      }
    }
  }
  EXPECT_GT(dlugie, 0) << nazwa;  // the slices hold searches that run to the limit
}

TEST(PnasGrid, KnownDegreesGiveEveryPassAsComputed) {
  Porownaj(DefaultBaza(), "default");
  // An edited record: the known degrees are its own.
  Baza inna = DefaultBaza();
  inna.Tab2[2] *= 1.001;
  inna.Zmieniona();
  Porownaj(inna, "edited");
}

TEST(PnasGrid, RecordChangeDropsKnownDegrees) {
  Strona szybka(true, DefaultBaza()), krokami(false, DefaultBaza());
  EXPECT_EQ(krokami.Pnas(100.5), szybka.Pnas(100.5));
  for (Strona* s : {&szybka, &krokami}) {
    s->baza.Tab2[1] += 0.002;  // every degree moves
    s->baza.Zmieniona();
  }
  for (double t : {100.5, 100.45, 200.55}) EXPECT_EQ(krokami.Pnas(t), szybka.Pnas(t)) << t;
}

// Results kept by the temperature, also once thousands of temperatures have filled the table and
// it started again: each the same as a fresh library's search.
TEST(PnasGrid, KeptResultsAreTheSearchesOwn) {
  const Baza baza = DefaultBaza();
  Strona jedna(true, baza);
  for (int raz = 0; raz < 2; ++raz) {
    for (long i = 0; i < 6000; ++i) {
      const double t = static_cast<float>(40 + static_cast<double>(i) * 0.0137);
      Strona swieza(true, baza);
      ASSERT_EQ(swieza.Pnas(t), jedna.Pnas(t)) << "t=" << t << " round " << raz;
    }
  }
}

// Records far from a saturation line: the same passes, errors included.
TEST(PnasGrid, SeriesThatIsNoSaturationLine) {
  struct Case {
    const char* name;
    int k;
    double v;
  };
  const Case cases[] = {
      {"wavy", 11, 0.05},  // the slope changes sign: every pass computed
      {"low", 1, -0.5},    // degrees around and below 0
      {"steep", 12, 1e-3},
  };
  for (const Case& c : cases) {
    Baza b = DefaultBaza();
    b.Tab2[c.k] = c.v;
    b.Zmieniona();
    Strona szybka(true, b), krokami(false, b);
    for (double t : {-20.5, 0.5, 17.45, 100.5, 250.55, 374.1})
      EXPECT_EQ(krokami.Pnas(t), szybka.Pnas(t)) << c.name << " " << t;
  }
}

// The pressure from temperature and enthalpy: a search that can only shrink the pressure toward
// the smallest single ends with the pass limit's outcome, pressure at rest, scratch, passes and
// overdraft message as every pass computes them; the batch's lines and a wide grid, over the
// default record and one with an edited base equation. KALORIMO_PTH_GRID=1 runs 400 x 400.
TEST(PthLimit, SearchThatCannotSucceedGivesThePassLimitsOutcome) {
  const char* full = std::getenv("KALORIMO_PTH_GRID");
  const int n = full != nullptr && *full != '\0' ? 400 : 24;
  std::vector<std::pair<double, double>> wsad, siatka, rzadka;  // (t, h)
  for (int i = 0; i < 400; ++i) wsad.emplace_back(300 + 200.0 * (i % 97) / 97, 3000 + 300.0 * (i % 61) / 61);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      siatka.emplace_back(1 + 699.0 * i / n, 2000 + 2200.0 * j / n);
      if (i % 2 == 0 && j % 2 == 0) rzadka.push_back(siatka.back());
    }
  Baza edytowana = DefaultBaza();
  edytowana.Tab1[1][1] *= 1.05;
  edytowana.Zmieniona();
  const Baza domyslna = DefaultBaza();
  const struct {
    const char* nazwa;
    const Baza& baza;
    const std::vector<std::pair<double, double>>& punkty;
  } zbiory[] = {{"batch", domyslna, wsad}, {"grid", domyslna, siatka}, {"edited", edytowana, rzadka}};
  for (const auto& z : zbiory) {
    long limity = 0;
    for (const auto& [tt, hh] : z.punkty) {
      const double t = static_cast<float>(tt), h = static_cast<float>(hh);  // as the boxes give them
      std::string wynik[2];
      for (int fast = 0; fast < 2; ++fast) {
        Baza baza = z.baza;
        SilentDialogs dialogs;
        RecordingSteamWindows windows;
        ModKalorimo m{baza, dialogs, windows};
        m.fastPaths = fast == 1;
        m.st.tNasPary = static_cast<float>(t);
        std::string& w = wynik[fast];
        try {
          const double p = m.Pth(t, h);
          w.append(reinterpret_cast<const char*>(&p), sizeof p);
        } catch (const RunTimeError& e) {
          w = "error " + std::to_string(e.number);
        }
        for (float f : {m.st.pIter, m.st.h1, m.st.h2}) w.append(reinterpret_cast<const char*>(&f), sizeof f);
        w += "/" + std::to_string(m.passes.Pth) + "/" + std::to_string(m.st.Blad) + "/" + dialogs.lastText + "/" +
             std::to_string(dialogs.count) + "/" + std::to_string(windows.pthBledy.size());
        if (fast == 0 && m.passes.Pth > 10000) ++limity;
      }
      ASSERT_EQ(wynik[0], wynik[1]) << z.nazwa << " t=" << t << " h=" << h;
    }
    EXPECT_GT(limity, 0) << z.nazwa;
  }
}

}  // namespace
}  // namespace kal::test
