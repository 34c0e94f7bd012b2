// The tool's numbers are the window's numbers: one table of inputs drives the main-window model
// directly (as the GUI does) and the tool, and every box, every "Para mokra" box and every
// state member must agree; the state's JSON numbers read back as the very same singles.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "app/app_fixture.h"
#include "cli/calc.h"
#include "cli/output.h"

namespace kal::test {
namespace {

struct Input {
  const char* pair;
  const char* a;
  const char* b;
};
void PrintTo(const Input& c, std::ostream* os) { *os << c.pair << " " << c.a << " " << c.b; }

// Every pair, superheated and wet or water where the pair reaches them; values typed with a
// comma or a point, as users do.
const Input kInputs[] = {
    {"p,t", "1", "200"},    {"p,t", "10", "500"},  {"p,t", "1", "150"},  {"p,t", "0,05", "80"},
    {"p,h", "1", "2900"},   {"p,h", "1", "2000"},  {"p,h", "5", "800"},  {"t,h", "200", "2900"},
    {"t,h", "150", "2000"}, {"x,t", "0,9", "100"}, {"x,t", "0", "250"},  {"x,p", "0.9", "1"},
    {"x,p", "0,25", "0,1"}, {"p,s", "1", "7"},     {"p,s", "1", "5"},    {"p,s", "25", "6"},
    {"t,s", "200", "7"},    {"t,s", "150", "5"},   {"h,s", "2900", "7"}, {"h,s", "2500", "6,5"},
    {"h,s", "3400", "6,6"},
};

struct Setting {
  const char* name;
  int unit;  // position in the unit list
  char sep;
};
void PrintTo(const Setting& c, std::ostream* os) { *os << c.name; }

const Setting kSettings[] = {{"MPa_comma", 0, ','}, {"bar_point", 1, '.'}, {"kPa_comma", 2, ','}};

// A pressure typed in MPa, in the unit of the setting, as a user would type it.
std::string InUnit(const std::string& mpa, int unit) {
  if (unit == 0) return mpa;
  std::string t = mpa;
  for (char& c : t) c = c == ',' ? '.' : c;
  double v = std::stod(t) * (unit == 1 ? 10 : 1000);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

const char* const kMembers[] = {"pPary", "pParyWe", "tPary", "hPary", "sPary", "vPary", "xPary", "tNasPary", "ob1",
                                "h1",    "s1",      "ob2",   "h2",    "s2",    "obx",   "hx",    "sx",       "pIter"};

float Member(const SteamState& s, int i) {
  const float v[] = {s.pPary, s.pParyWe, s.tPary, s.hPary, s.sPary, s.vPary, s.xPary, s.tNasPary, s.ob1,
                     s.h1,    s.s1,      s.ob2,   s.h2,    s.s2,    s.obx,   s.hx,    s.sx,       s.pIter};
  return v[i];
}

class CliEqualsWindow : public ::testing::TestWithParam<std::tuple<Input, Setting>> {};

TEST_P(CliEqualsWindow, BoxesAndState) {
  const Input& in = std::get<0>(GetParam());
  const Setting& set = std::get<1>(GetParam());
  cli::Request rq;
  bool swapped = false;
  ASSERT_TRUE(cli::ParsePair(in.pair, rq.pair, swapped));
  const cli::PairInfo& info = cli::Info(rq.pair);
  rq.a = info.checkA == 0 ? InUnit(in.a, set.unit) : in.a;
  rq.b = info.checkB == 0 ? InUnit(in.b, set.unit) : in.b;

  // The window: the user picks the unit, ticks the pair, types, presses "Oblicz".
  AppRig rig(set.sep);
  if (set.unit != 0) rig.app().Combo1_Click(set.unit);
  rig.Oblicz(info.checkA, rq.a, info.checkB, rq.b);

  TempDir data;
  cli::Calculator calc({data.path(), set.unit, set.sep}, nullptr);
  ASSERT_TRUE(calc.Start());
  cli::LineResult r = calc.Run(rq, 1);
  std::string line;
  cli::AppendJson(line, r, calc.settings());
  nlohmann::json j = nlohmann::json::parse(line);

  EXPECT_TRUE(j["ok"].get<bool>()) << line;
  EXPECT_EQ(in.pair, j["pair"].get<std::string>());
  for (int i = 0; i < 10; ++i) EXPECT_EQ(rig.Box(i), j["boxes"][i].get<std::string>()) << "box " << i;
  ASSERT_EQ(rig.app().mokra.Loaded, !j["wet"].is_null());
  if (rig.app().mokra.Loaded) {
    for (int i = 0; i < 12; ++i) {
      EXPECT_EQ(rig.app().mokra.txtMokra[i].Text, j["wet"][i].get<std::string>()) << "txtMokra " << i;
    }
  }
  for (int i = 0; i < 18; ++i) {
    float window = Member(rig.st(), i);
    float back = static_cast<float>(j["state"][kMembers[i]].get<double>());
    EXPECT_EQ(0, std::memcmp(&window, &back, sizeof(float)))
        << kMembers[i] << " window " << window << " json " << j["state"][kMembers[i]];
  }
  EXPECT_EQ(0, j["Blad"].get<int>());
  EXPECT_TRUE(j["messages"].empty());
  EXPECT_TRUE(j["error"].is_null());
}

INSTANTIATE_TEST_SUITE_P(Tabela, CliEqualsWindow,
                         ::testing::Combine(::testing::ValuesIn(kInputs), ::testing::ValuesIn(kSettings)),
                         [](const auto& p) {
                           const Input& in = std::get<0>(p.param);
                           std::string n =
                               std::string(in.pair) + "_" + in.a + "_" + in.b + "_" + std::get<1>(p.param).name;
                           for (char& c : n) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return std::to_string(p.index) + "_" + n;
                         });

// Nine significant digits bring back the very single, including awkward ones.
TEST(Num9, ReadsBackExactly) {
  const float vals[] = {0.1f,  1.0f / 3, 3372.97485f, 1e-7f,        3.4028235e38f, 1.17549435e-38f,
                        -2.5f, 0.0f,     16777216.0f, 123456789.0f, 1e-45f,        0.000123456789f};
  for (float v : vals) {
    float back = std::strtof(cli::Num9(v).c_str(), nullptr);
    EXPECT_EQ(0, std::memcmp(&v, &back, sizeof v)) << cli::Num9(v);
    char printf9[32];
    std::snprintf(printf9, sizeof printf9, "%.9g", static_cast<double>(v));
    EXPECT_EQ(printf9, cli::Num9(v));
  }
}

}  // namespace
}  // namespace kal::test
