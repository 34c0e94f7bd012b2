// "is": the expansion of a turbine section from the command line and in a batch.
#include <gtest/gtest.h>

#include <cmath>

#include "cli_rig.h"
#include "if97/if97.h"
#include "support/scripted_dialogs.h"

namespace kal::test {
namespace {

TEST(CliIs, OneShotAndBatchLinesGiveTheSameExpansion) {
  TempDir data;
  struct Przypadek {
    std::vector<std::string> args;  // after "is"
    std::string linia;              // the same as a batch line
    bool ok;
    const char* mode;  // null: no actual end
  };
  const Przypadek kPrzypadki[] = {
      {{"10", "500", "5", "--eta", "0,85"}, "is 10 500 5 eta=0,85", true, "eta"},
      {{"10", "500", "2000", "--t2=290"}, "is 10 500 2000 t2=290", true, "t2"},
      {{"1", "300", "5.5"}, "is 1 300 5.5", true, nullptr},
      {{"1", "100", "5", "--eta", "0.8"}, "is 1 100 5 eta=0.8", false, "eta"},  // a water inlet
      {{"1", "300", "5", "--eta", "1,5"}, "is 1 300 5 eta=1,5", false, "eta"},
  };
  for (const Przypadek& c : kPrzypadki) {
    std::vector<std::string> argv = {"--data", data.path(), "--format", "json", "is"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    CliRun one = RunToolV(argv);
    EXPECT_EQ(c.ok ? 0 : 1, one.status) << c.linia << one.err;
    CliRun batch = RunTool({"--data", data.path(), "--format", "json", "--batch"}, c.linia + "\n");
    ASSERT_EQ(1u, one.Json().size()) << one.out;
    nlohmann::json j = one.Json().at(0), b = batch.Json().at(0);
    EXPECT_EQ(j, b) << c.linia;
    EXPECT_EQ("is", j["kind"]);
    EXPECT_EQ(c.ok, j["ok"].get<bool>()) << c.linia;
    EXPECT_EQ(c.mode ? nlohmann::json(c.mode) : nlohmann::json(), j["mode"]);
    if (c.ok) {
      for (const char* k : {"p", "t", "h", "s", "v", "x"}) EXPECT_TRUE(j["isentropic"][k].is_number()) << k;
      EXPECT_EQ(c.mode == nullptr, j["actual"].is_null());
      EXPECT_EQ(c.mode == nullptr, j["eta"].is_null());
    } else {
      EXPECT_FALSE(j["messages"].empty());
      EXPECT_TRUE(j["actual"].is_null());
    }
  }
}

TEST(CliIs, UsageErrors) {
  TempDir data;
  for (std::vector<std::string> args :
       std::vector<std::vector<std::string>>{{"is", "10", "500"},
                                             {"is", "10", "500", "5", "--t2", "1", "--eta", "0.8"},
                                             {"is", "10", "500", "abc"},
                                             {"is", "10", "500", "5", "--eta"}}) {
    CliRun r = RunToolV(args);
    EXPECT_EQ(2, r.status) << args.size();
  }
  CliRun csv = RunTool({"--data", data.path(), "--format", "csv", "--batch"}, "is 10 500 5 eta=0.85\n");
  EXPECT_NE(std::string::npos, csv.out.find("line,kind,P1,T1,P2_kPa,mode,value,"));
  CliRun help = RunTool({"--help"});
  EXPECT_NE(std::string::npos, help.out.find("is P1 T1 P2 [--t2 T2 | --eta ETA]"));
}

// --reference if97: points 1, 2s, 2 and the drops are the library's own results for the same
// inputs (p1 from --unit, p2 = P2 / 1000 MPa), and diff is fits - IF97.
TEST(CliIs, ReferenceIsTheLibrarysExpansion) {
  TempDir data;
  struct Przypadek {
    std::vector<std::string> args;  // from --unit on
    double p1, t1, p2, t2, eta;     // MPa, C, MPa; t2 or eta 0 when not given
    bool ok;
  };
  const Przypadek kPrzypadki[] = {
      {{"--unit", "MPa", "is", "10", "500", "5", "--eta", "0,85"}, 10, 500, 0.005, 0, 0.85, true},
      {{"--unit", "bar", "is", "100", "500", "2000", "--t2", "290"}, 10, 500, 2, 290, 0, true},
      {{"--unit", "kPa", "is", "1000", "300", "5.5"}, 1, 300, 0.0055, 0, 0, true},
      {{"--unit", "MPa", "is", "1", "300", "5", "--eta", "1,5"}, 1, 300, 0.005, 0, 1.5, false},
  };
  auto same = [](double want, const nlohmann::json& got, const std::string& at) {
    if (!std::isfinite(want)) {
      EXPECT_TRUE(got.is_null()) << at;
      return;
    }
    ASSERT_TRUE(got.is_number()) << at;
    EXPECT_NEAR(want, got.get<double>(), 1e-9 * std::fabs(want) + 1e-12) << at;
  };
  auto punkt = [&](const if97::Result& w, const nlohmann::json& o, const std::string& at) {
    EXPECT_EQ(w.region, o["region"].get<int>()) << at;
    same(w.p, o["p"], at + " p");
    same(w.t, o["t"], at + " t");
    same(w.h, o["h"], at + " h");
    same(w.s, o["s"], at + " s");
    same(w.v, o["v"], at + " v");
    same(w.region == 4 ? w.x : NAN, o["x"], at + " x");  // never NaN: null for a single phase
  };
  for (const Przypadek& c : kPrzypadki) {
    std::vector<std::string> argv = {"--data", data.path(), "--format", "json", "--reference", "if97"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    CliRun run = RunToolV(argv);
    ASSERT_EQ(1u, run.Json().size()) << run.out;
    const nlohmann::json j = run.Json().at(0), g = j["if97"], d = j["diff"];
    const std::string at = c.args[3] + " " + c.args[5];
    const if97::Result w1 = if97::FromPT(c.p1, c.t1), w2s = if97::FromPS(c.p2, w1.s);
    punkt(w1, g["inlet"], at + " 1");
    punkt(w2s, g["isentropic"], at + " 2s");
    const double dhs = w1.h - w2s.h;
    same(dhs, g["dh_s"], at + " dh_s");
    EXPECT_NEAR(j["inlet"]["h"].get<double>() - w1.h, d["inlet"]["h"].get<double>(), 1e-4) << at;
    EXPECT_EQ(c.ok, g["error"].is_null()) << at;
    if (!c.ok) {
      EXPECT_TRUE(g["actual"].is_null() && g["eta"].is_null() && d["eta"].is_null()) << at;
      continue;
    }
    if (c.t2 == 0 && c.eta == 0) {
      EXPECT_TRUE(g["actual"].is_null() && d["actual"]["h"].is_null()) << at;
      continue;
    }
    const if97::Result w2 = c.t2 > 0 ? if97::FromPT(c.p2, c.t2) : if97::FromPH(c.p2, w1.h - c.eta * dhs);
    punkt(w2, g["actual"], at + " 2");
    same((w1.h - w2.h) / dhs, g["eta"], at + " eta");
    EXPECT_NEAR(j["eta"].get<double>() - (w1.h - w2.h) / dhs, d["eta"].get<double>(), 1e-6) << at;
  }
  CliRun csv =
      RunTool({"--data", data.path(), "--format", "csv", "--reference", "if97", "--batch"}, "is 10 500 5 eta=0.85\n");
  EXPECT_NE(std::string::npos, csv.out.find(",if97_p1_MPa,")) << csv.out;
  EXPECT_NE(std::string::npos, csv.out.find(",if97_error,if97_diff_p1_MPa,")) << csv.out;
  EXPECT_EQ(std::string::npos, csv.out.find("nan")) << csv.out;
}

}  // namespace
}  // namespace kal::test
