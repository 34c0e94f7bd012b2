// "is": the expansion of a turbine section from the command line and in a batch.
#include <gtest/gtest.h>

#include "cli_rig.h"
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

}  // namespace
}  // namespace kal::test
