// "is": the expansion of a turbine section from the command line and in a batch.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

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
    float h2 = 0;      // the actual end's enthalpy when given
  };
  const Przypadek kPrzypadki[] = {
      {{"10", "500", "5", "--eta", "0,85"}, "is 10 500 5 eta=0,85", true, "eta"},
      {{"10", "500", "2000", "--t2=290"}, "is 10 500 2000 t2=290", true, "t2"},
      {{"1", "300", "5.5"}, "is 1 300 5.5", true, nullptr},
      {{"1", "100", "5", "--eta", "0.8"}, "is 1 100 5 eta=0.8", false, "eta"},  // a water inlet
      {{"1", "300", "5", "--eta", "1,5"}, "is 1 300 5 eta=1,5", false, "eta"},
      {{"10", "500", "5", "--eta", "0.85"}, "is 10 500 5 eta=\"0.85\"", true, "eta"},
      {{"10", "500", "5", "--h2", "2350"}, "is 10 500 5 h2=2350", true, "h2", 2350},
      {{"10", "500", "5", "--h2=2350,5"}, "is 10 500 5 h2=\"2350,5\"", true, "h2", 2350.5f},  // quoted like CSV
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
      if (c.h2 > 0) {
        EXPECT_EQ(c.h2, j["actual"]["h"].get<float>());  // (p2, single(h2)) by the p,h pair
      }
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
  EXPECT_NE(std::string::npos, help.out.find("is P1 T1 P2 [--t2 T2 | --eta ETA | --h2 H2]"));
}

// --reference if97: points 1, 2s, 2 and the drops are the library's own results for the same
// inputs (p1 from --unit, p2 = P2 / 1000 MPa), and diff is fits - IF97.
TEST(CliIs, ReferenceIsTheLibrarysExpansion) {
  TempDir data;
  struct Przypadek {
    std::vector<std::string> args;  // from --unit on
    double p1, t1, p2, t2, eta;     // MPa, C, MPa; t2 or eta 0 when not given
    bool ok;
    double h2 = 0;  // kJ/kg when given
  };
  const Przypadek kPrzypadki[] = {
      {{"--unit", "MPa", "is", "10", "500", "5", "--eta", "0,85"}, 10, 500, 0.005, 0, 0.85, true},
      {{"--unit", "bar", "is", "100", "500", "2000", "--t2", "290"}, 10, 500, 2, 290, 0, true},
      {{"--unit", "kPa", "is", "1000", "300", "5.5"}, 1, 300, 0.0055, 0, 0, true},
      {{"--unit", "MPa", "is", "1", "300", "5", "--eta", "1,5"}, 1, 300, 0.005, 0, 1.5, false},
      {{"--unit", "MPa", "is", "10", "500", "5", "--h2", "2350"}, 10, 500, 0.005, 0, 0, true, 2350},
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
    if (c.t2 == 0 && c.eta == 0 && c.h2 == 0) {
      EXPECT_TRUE(g["actual"].is_null() && d["actual"]["h"].is_null()) << at;
      continue;
    }
    const if97::Result w2 = c.t2 > 0   ? if97::FromPT(c.p2, c.t2)
                            : c.h2 > 0 ? if97::FromPH(c.p2, c.h2)
                                       : if97::FromPH(c.p2, w1.h - c.eta * dhs);
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

// A measured exhaust below the isentropic end keeps its numbers but is no good, by the fits and by
// IF97 alike; IF97 refuses t2 on the water side of region 3 as of region 1.
TEST(CliIs, ImpossibleExpansionsMarked) {
  TempDir data;
  struct Przypadek {
    std::vector<std::string> args;  // after "is"
    const char* fits;               // a fragment of the fits' message; null: the fits refuse the inlet
    const char* if97;               // a fragment of IF97's error
  };
  const Przypadek kPrzypadki[] = {
      {{"0,35", "565", "276", "--t2", "190"}, "(s2 < s1)", "(ηi > 100 %)"},
      {{"21,86", "408", "5,93", "--t2", "175,5"}, "(Δh ≤ 0)", "(Δh ≤ 0)"},
      {{"1", "400", "100", "--t2", "100"}, "(ηi > 100 %)", "(s2 < s1)"},
      {{"10", "500", "5", "--h2", "1950"}, "(ηi > 100 %)", "(ηi > 100 %)"},
      {{"25", "550", "20000", "--t2", "360"}, nullptr, "po stronie wody"},
      {{"25", "550", "23000", "--t2", "375"}, nullptr, "po stronie wody"},
  };
  for (const Przypadek& c : kPrzypadki) {
    std::vector<std::string> argv = {"--data", data.path(), "--format", "json", "--reference", "if97", "is"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    CliRun run = RunToolV(argv);
    const std::string at = c.args[0] + " " + c.args[4];
    EXPECT_EQ(1, run.status) << at;
    ASSERT_EQ(1u, run.Json().size()) << run.out;
    const nlohmann::json j = run.Json().at(0), g = j["if97"];
    EXPECT_FALSE(j["ok"].get<bool>()) << at;
    EXPECT_NE(std::string::npos, g["error"].get<std::string>().find(c.if97)) << at << g["error"];
    if (!c.fits) {
      EXPECT_TRUE(g["actual"].is_null()) << at;  // no "x > 1" water
      continue;
    }
    EXPECT_TRUE(j["unphysical"].get<bool>()) << at;
    EXPECT_TRUE(g["unphysical"].get<bool>()) << at;
    EXPECT_TRUE(j["eta"].is_number() && g["eta"].is_number() && j["actual"].is_object()) << at;  // numbers kept
    EXPECT_NE(std::string::npos, j["messages"].back()["text"].get<std::string>().find(c.fits)) << at;
  }
  CliRun text = RunTool({"--data", data.path(), "is", "21,86", "408", "5,93", "--t2", "175,5"});
  EXPECT_EQ(1, text.status);
  EXPECT_NE(std::string::npos, text.out.find("Δh  = -32,8 kJ/kg")) << text.out;
  EXPECT_NE(std::string::npos, text.out.find("! Rozprężanie niemożliwe: spadek entalpii nie jest dodatni")) << text.out;
}

// 2s lies on p2; a wet one says which saturation temperature and pressure the fits took it at.
TEST(CliIs, SaturationOfAWetIsentropicEndNamed) {
  TempDir data;
  CliRun json = RunTool({"--data", data.path(), "--format", "json", "is", "10", "500", "2", "--eta", "0,85"});
  const nlohmann::json j = json.Json().at(0);
  EXPECT_EQ(0.002f, j["isentropic"]["p"].get<float>());
  EXPECT_EQ(j["actual"]["p"], j["isentropic"]["p"]);
  EXPECT_EQ(17, j["saturation_2s"]["t"].get<double>());
  EXPECT_NEAR(0.0023546, j["saturation_2s"]["p"].get<double>(), 1e-7);
  CliRun text = RunTool({"--data", data.path(), "is", "10", "500", "2", "--eta", "0,85"});
  EXPECT_NE(std::string::npos, text.out.find("2s   p 0,002 MPa")) << text.out;
  EXPECT_NE(std::string::npos,
            text.out.find("2s liczone w temperaturze nasycenia 17,0 °C (jej ciśnienie nasycenia 2,355 kPa, nie p2)"))
      << text.out;
  CliRun para = RunTool({"--data", data.path(), "--format", "json", "is", "10", "500", "2000"});
  EXPECT_TRUE(para.Json().at(0)["saturation_2s"].is_null());
}

// IF97 takes exactly the numbers the fits took from the boxes, and none where the fits took none.
TEST(CliIs, If97TakesTheNumbersTheFitsTook) {
  TempDir data;
  struct Przypadek {
    std::vector<std::string> args;  // after --reference if97
    double p;                       // IF97's pressure [MPa]; 0: IF97 gives nothing
  };
  const Przypadek kPrzypadki[] = {
      {{"p,t", "1e1", "500"}, 0},   // the correction asks, the answer No leaves the box empty
      {{"p,t", "0x10", "500"}, 0},  // strtod would read 16
      {{"p,t", "10", "5e2"}, 0},
      {{"p,t", "10", "500"}, 10},
      {{"p,t", "10.5", "500"}, 10.5},
      {{"p,t", "\"1 0\"", "500"}, 0},
      {{"x,p", "0,5", "1e1"}, 0},
      {{"is", "1e1", "500", "5", "--eta", "0,85"}, 0},
      {{"is", "10", "0x1F4", "5", "--eta", "0,85"}, 0},
      {{"is", "10,5", "500", "5", "--eta", "0,85"}, 10.5},
  };
  for (const Przypadek& c : kPrzypadki) {
    std::vector<std::string> argv = {"--data", data.path(), "--format", "json", "--reference", "if97"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    CliRun run = RunToolV(argv);
    ASSERT_EQ(1u, run.Json().size()) << run.out;
    const nlohmann::json j = run.Json().at(0);
    const bool is = c.args[0] == "is";
    const nlohmann::json g = is ? j["if97"]["inlet"] : j["if97"];
    const std::string at = c.args[1] + " " + c.args[2];
    if (c.p == 0) {
      EXPECT_TRUE(is ? g.is_null() : g["p"].is_null()) << at << g;
      EXPECT_FALSE(j["if97"]["error"].is_null()) << at;
      EXPECT_EQ(1, run.status) << at;  // the fits refused it too
      continue;
    }
    EXPECT_EQ(c.p, g["p"].get<double>()) << at;
    EXPECT_EQ(0, run.status) << at;
  }
  // The exhaust stays as given when the inlet fails.
  CliRun bad = RunTool({"--data", data.path(), "--format", "json", "is", "0", "500", "5"});
  EXPECT_EQ(5, bad.Json().at(0)["exhaust_kPa"].get<double>());
}

// A bad "is" line of a batch goes out in the layout of the expansion, under its header.
TEST(CliIs, BadLinesInTheLayoutOfTheExpansion) {
  TempDir data;
  auto pola = [](const std::string& row) {  // fields of a CSV row, quotes honoured
    std::size_t n = 1;
    bool q = false;
    for (char c : row) {
      if (c == '"') q = !q;
      n += !q && c == ',';
    }
    return n;
  };
  for (bool ref : {false, true}) {
    std::vector<std::string> argv = {"--data", data.path(), "--format", "csv", "--batch"};
    if (ref) argv.insert(argv.end(), {"--reference", "if97"});
    CliRun run = RunToolV(argv, "is 10 500 5 eta=0,85\nis 1 2\nis 1 2 3 t2=\"4\n");
    std::vector<std::string> rows;
    std::istringstream in(run.out);
    for (std::string l; std::getline(in, l);)
      if (l.rfind("line,pair,", 0) != 0) rows.push_back(l);  // the pairs' header comes first
    ASSERT_EQ(4u, rows.size()) << run.out;
    EXPECT_EQ(0u, rows[0].rfind("line,kind,", 0));
    for (std::size_t i = 2; i <= 3; ++i) {
      const std::string& row = rows[i];
      EXPECT_EQ(std::to_string(i) + ",is,", row.substr(0, 5)) << row;
      EXPECT_EQ(pola(rows[0]), pola(row)) << row;
      EXPECT_NE(std::string::npos, row.find(",false,")) << row;
    }
  }
}

}  // namespace
}  // namespace kal::test
