// The property sweep: a fixed-seed slice of it, and the checks it applies to each calculation.
#include <gtest/gtest.h>

#include <string>

#include "support/scripted_dialogs.h"
#include "sweep/sweep.h"

namespace kal::test {
namespace {

using cli::LineResult;
using cli::Pair;
using cli::SweepCase;

// 20 000 calculations over every pair, unit and locale: none may end unsoundly, and the draw must
// reach all three sound ends, or it tests nothing.
TEST(Sweep, FixedSeedSliceEndsSoundly) {
  TempDir dir;
  cli::SweepOptions o;
  o.count = 20000;
  o.seed = 20240611;
  o.dataDir = dir.path() + "/Kalorimo";
  cli::SweepFigures f = cli::RunSweep(o);
  EXPECT_EQ(20000, f.calculations);
  std::string faults;
  for (const std::string& s : f.firstFaults) faults += "\n" + s;
  EXPECT_EQ(0, f.faults) << faults;
  EXPECT_EQ(8u, f.pairs.size());
  EXPECT_GT(f.ok, 5000);
  EXPECT_GT(f.withMessage, 2500);
  EXPECT_GT(f.withError, 500);
  // No calculation may show a box per pass of a search.
  EXPECT_LE(f.mostBoxes, 6u) << cli::Describe(f.mostBoxesCase);
}

TEST(Sweep, SameSeedSameCases) {
  cli::SweepDraw a(7), b(7), c(8);
  bool differs = false;
  for (int i = 0; i < 200; ++i) {
    SweepCase x = a.Next(), y = b.Next(), z = c.Next();
    EXPECT_EQ(cli::Describe(x), cli::Describe(y));
    differs = differs || cli::Describe(x) != cli::Describe(z);
  }
  EXPECT_TRUE(differs);
}

SweepCase PT(const char* p, const char* t) {
  SweepCase c;
  c.request.pair = Pair::PT;
  c.request.a = p;
  c.request.b = t;
  return c;
}

LineResult Boxes(std::initializer_list<std::pair<int, std::string>> set) {
  LineResult r;
  for (const auto& [i, text] : set) r.boxes[static_cast<std::size_t>(i)] = text;
  return r;
}

struct EndCase {
  const char* name;
  LineResult result;
  bool fault;
};

TEST(Sweep, CheckEndFlagsGarbageOnly) {
  const std::string wide(61, '9');
  LineResult wetNan = Boxes({{2, "2 828,0"}});
  wetNan.wet = std::array<std::string, 12>{};
  (*wetNan.wet)[3] = "-nan";
  LineResult flagLeft = Boxes({{2, "2 828,0"}});
  flagLeft.state.Blad = 1;
  LineResult msgInf = Boxes({});
  msgInf.messages.push_back({"Kalorimo", "Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = inf [MPa]"});
  LineResult titled = Boxes({});
  titled.messages.push_back({"Info programu Kalorimo", "Przekroczono licznik obliczeń "});
  const EndCase cases[] = {
      {"normal", Boxes({{2, "2 828,0"}, {3, "6,69"}, {6, "1,646E"}}), false},
      {"nanInABox", Boxes({{2, "nan"}}), true},
      {"infInABox", Boxes({{5, "-inf"}}), true},
      {"upperCaseInf", Boxes({{6, "INF,000E"}}), true},
      {"widerThanAnySingle", Boxes({{1, wide}}), true},
      {"wideButFinite", Boxes({{1, std::string(40, '9')}}), false},
      {"typedTextIsTheUsers", Boxes({{0, "nan"}, {1, "200"}}), false},
      {"wetBox", wetNan, true},
      {"flagLeftWithoutABox", flagLeft, true},
      {"messageWithInf", msgInf, true},
      {"titleWithInfo", titled, false},
  };
  for (const EndCase& c : cases) {
    EXPECT_EQ(c.fault, !cli::CheckEnd(PT("nan", "200"), c.result).empty()) << c.name;
  }
}

TEST(Sweep, MessageKindHidesNumbersOnly) {
  const std::pair<cli::Message, std::string> cases[] = {
      {{"Kalorimo", "Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = 25,3 [MPa]"},
       "[Kalorimo] Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = # [MPa]"},
      {{"Kalorimo", "Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = -1 234"},
       "[Kalorimo] Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = #"},
      {{"Kalorimo", " Exit   nr 1  from  Sub Dane_H_S()  - overdraft  of counter   1251\r\n epsilon = -1,5E-05"},
       "[Kalorimo]  Exit   nr #  from  Sub Dane_H_S()  - overdraft  of counter   # / epsilon = #"},
      {{"Termo_info", "Stopień suchości x >1 !"}, "[Termo_info] Stopień suchości x ># !"},
      {{"Kalorimo", "Tph() -> niewłaściwe parametry  pPary/hPary "},
       "[Kalorimo] Tph() -> niewłaściwe parametry  pPary/hPary "},
  };
  for (const auto& [m, kind] : cases) EXPECT_EQ(kind, cli::MessageKind(m));
}

}  // namespace
}  // namespace kal::test
