// kalorimo-calc --reference if97: the if97 objects are the library's results for the same inputs, and
// diff is fits - IF97; a value that does not exist is null, never NaN.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "if97/if97.h"
#include "support/scripted_dialogs.h"

namespace kal::test {
namespace {

std::vector<nlohmann::json> RunBatch(const std::string& dir, const std::string& unit, const std::string& lines) {
  const std::string in = dir + "/in.txt";
  std::ofstream(in) << lines;
  const std::string cmd = std::string(KALORIMO_CALC_EXE) + " --data '" + dir + "' --unit " + unit +
                          " --reference if97 --format json --batch < '" + in + "' 2>/dev/null";
  std::vector<nlohmann::json> out;
  std::FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
  pclose(p);
  std::istringstream ss(text);
  for (std::string line; std::getline(ss, line);) out.push_back(nlohmann::json::parse(line));
  return out;
}

void ExpectSame(double want, const nlohmann::json& got, const std::string& what) {
  if (!std::isfinite(want)) {
    EXPECT_TRUE(got.is_null()) << what;
    return;
  }
  ASSERT_TRUE(got.is_number()) << what;
  EXPECT_NEAR(want, got.get<double>(), 1e-9 * std::fabs(want) + 1e-300) << what;
}

TEST(CliReference, If97ObjectsAreTheLibrarysResults) {
  TempDir dir;
  struct Row {
    const char* line;
    if97::Result want;
  };
  const Row rows[] = {
      {"p,t 10 500", if97::FromPT(10, 500)},   {"x,p 0.5 1", if97::FromXP(0.5, 1)},
      {"h,s 3000 7", if97::FromHS(3000, 7)},   {"p,h 30 2000", if97::FromPH(30, 2000)},
      {"t,s 200 2,5", if97::FromTS(200, 2.5)}, {"t,h 400 3000", if97::FromTH(400, 3000)},
      {"x,t 0 100", if97::FromXT(0, 100)},     {"p,s 1 -1", if97::FromPS(1, -1)},
  };
  std::string lines;
  for (const Row& r : rows) lines += std::string(r.line) + "\n";
  const auto got = RunBatch(dir.path(), "MPa", lines);
  ASSERT_EQ(std::size(rows), got.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    const if97::Result& w = rows[i].want;
    const nlohmann::json& o = got[i]["if97"];
    const std::string at = rows[i].line;
    if (!w.ok()) {
      EXPECT_TRUE(o["region"].is_null()) << at;
      EXPECT_EQ(w.reason, o["error"].get<std::string>()) << at;
      for (const char* k : {"p", "t", "h", "s", "v", "mu"}) EXPECT_TRUE(got[i]["diff"][k].is_null()) << at << k;
      continue;
    }
    EXPECT_EQ(w.region, o["region"].get<int>()) << at;
    EXPECT_TRUE(o["error"].is_null()) << at;
    ExpectSame(w.p, o["p"], at + " p");
    ExpectSame(w.t, o["t"], at + " t");
    ExpectSame(w.h, o["h"], at + " h");
    ExpectSame(w.s, o["s"], at + " s");
    ExpectSame(w.v, o["v"], at + " v");
    ExpectSame(w.region == 4 ? w.x : NAN, o["x"], at + " x");
    ExpectSame(w.mu, o["mu"], at + " mu");  // NaN in a wet state: null
    if (got[i]["ok"].get<bool>()) {
      EXPECT_NEAR(got[i]["state"]["hPary"].get<double>() - w.h, got[i]["diff"]["h"].get<double>(), 1e-5) << at;
      EXPECT_NEAR(got[i]["state"]["tPary"].get<double>() - w.t, got[i]["diff"]["t"].get<double>(), 1e-5) << at;
    }
  }
}

// The pressure goes to IF97 in MPa whatever --unit says, in either position of the pair.
TEST(CliReference, PressureIsConvertedToMPa) {
  TempDir dir;
  const auto bar = RunBatch(dir.path(), "bar", "p,t 100 500\nx,p 0,5 10\n");
  ASSERT_EQ(2u, bar.size());
  EXPECT_NEAR(10.0, bar[0]["if97"]["p"].get<double>(), 1e-12);
  EXPECT_NEAR(if97::FromPT(10, 500).h, bar[0]["if97"]["h"].get<double>(), 1e-6);
  EXPECT_NEAR(if97::FromXP(0.5, 1).h, bar[1]["if97"]["h"].get<double>(), 1e-6);
  const auto kpa = RunBatch(dir.path(), "kPa", "p,s 1000 6\n");
  ASSERT_EQ(1u, kpa.size());
  EXPECT_NEAR(if97::FromPS(1, 6).t, kpa[0]["if97"]["t"].get<double>(), 1e-6);
}

}  // namespace
}  // namespace kal::test
