// The tool as a whole, in-process: batches of good and bad lines, units and locales, usage
// errors, help, CSV and text output.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_rig.h"
#include "support/scripted_dialogs.h"

namespace kal::test {
namespace {

namespace fs = std::filesystem;

TEST(Batch, BadLinesReportedGoodLinesUnaffected) {
  TempDir data;
  const std::string good[] = {"p,t 10 500", "x,t 0,9 100", "h,s 2900 7", "t,h 150 2000"};
  const std::string batch = "# turbine test, stage 1\n" + good[0] + "\n" +
                            "p,t abc 500\n" +               // a letter: keep-text question, input box, then Dane_T_P
                            good[1] + "\n" + "x,p 1 1\n" +  // dryness 1 refused
                            "\n" + good[2] + "\r\n" + "t,h 1x0 2000\n" +  // temperature read plainly: run-time error 13
                            "p,t 0,0001 500\n" +  // below the saturation line: Blad cleared, rows empty
                            "q,z 1 2\n" +         // no pair
                            "p,t 1\n" +           // a value short
                            good[3] + "  # last\n";
  CliRun run = RunTool({"--data", data.path(), "--format", "json", "--batch"}, batch);
  EXPECT_EQ(1, run.status);
  std::vector<nlohmann::json> js = run.Json();
  ASSERT_EQ(10u, js.size()) << run.out;

  // Good lines: exactly what each gives alone.
  const int goodAt[] = {0, 2, 4, 9};
  const int goodLine[] = {2, 4, 7, 12};
  for (int k = 0; k < 4; ++k) {
    std::istringstream words(good[k]);
    std::string pair, va, vb;
    words >> pair >> va >> vb;
    CliRun alone = RunTool({"--data", data.path(), "--format", "json", pair, va, vb});
    ASSERT_EQ(0, alone.status) << alone.err;
    nlohmann::json a = alone.Json().at(0);
    nlohmann::json b = js[goodAt[k]];
    EXPECT_EQ(goodLine[k], b["line"].get<int>());
    a.erase("line");
    b.erase("line");
    EXPECT_EQ(a, b) << good[k];
    EXPECT_TRUE(b["ok"].get<bool>());
  }

  const nlohmann::json& letters = js[1];
  EXPECT_FALSE(letters["ok"].get<bool>());
  ASSERT_EQ(3u, letters["messages"].size());
  EXPECT_EQ("Poprawność  danych", letters["messages"][0]["title"]);
  EXPECT_EQ("Zostawić tę  zmieną    abc  ?", letters["messages"][0]["text"]);
  EXPECT_EQ("Moduł poprawek ", letters["messages"][1]["title"]);
  EXPECT_EQ("Nowa  wartość zmiennej", letters["messages"][1]["text"]);
  EXPECT_EQ("Kalorimo", letters["messages"][2]["title"]);

  const nlohmann::json& dry = js[3];
  EXPECT_FALSE(dry["ok"].get<bool>());
  ASSERT_EQ(1u, dry["messages"].size());
  EXPECT_EQ("Termo_info", dry["messages"][0]["title"]);
  EXPECT_EQ("Stopień suchości x >1 !", dry["messages"][0]["text"]);

  const nlohmann::json& rte = js[5];
  EXPECT_EQ(8, rte["line"].get<int>());
  EXPECT_FALSE(rte["ok"].get<bool>());
  ASSERT_FALSE(rte["error"].is_null());
  EXPECT_EQ(13, rte["error"]["number"].get<int>());
  EXPECT_EQ("Niezgodność typów", rte["error"]["description"]);
  EXPECT_EQ("Opis błędu ", rte["messages"][0]["title"]);

  const nlohmann::json& low = js[6];
  EXPECT_FALSE(low["ok"].get<bool>());
  ASSERT_EQ(1u, low["messages"].size());  // the saturation line's silent refusal is told
  EXPECT_EQ("Ciśnienie pary poniżej zakresu obliczeń,  p < 0,002 [MPa]", low["messages"][0]["text"]);
  EXPECT_EQ(0, low["Blad"].get<int>());  // the command itself cleared it

  for (int k : {7, 8}) {
    EXPECT_FALSE(js[k]["ok"].get<bool>());
    EXPECT_TRUE(js[k]["pair"].is_null());
    EXPECT_EQ(1u, js[k]["messages"].size());
  }
  EXPECT_EQ("q,z 1 2", js[7]["text"]);

  // Every box went to standard error with its line and title.
  EXPECT_NE(std::string::npos, run.err.find("wiersz 3: [Poprawność  danych] Zostawić tę  zmieną    abc  ?"));
  EXPECT_NE(std::string::npos, run.err.find("wiersz 5: [Termo_info] Stopień suchości x >1 !"));
  EXPECT_NE(std::string::npos, run.err.find("wiersz 8: [Opis błędu ]  Wystąpił błąd wykonania nr -> 13"));
  // Neither the last inputs nor the report are written.
  EXPECT_FALSE(fs::exists(data.path() + "/Kalorimo.tmp"));
  EXPECT_FALSE(fs::exists(data.path() + "/Notes.txt"));
  EXPECT_TRUE(fs::exists(data.path() + "/Kalorimo.dat"));
}

TEST(Batch, AllGoodGivesZeroAndSkipsCommentsAndBlanks) {
  TempDir data;
  CliRun run = RunTool({"-d", data.path(), "-f", "json", "-b"}, "\n# nothing\n   \np,t 1 200\nt,p 200 1\n");
  EXPECT_EQ(0, run.status) << run.err;
  std::vector<nlohmann::json> js = run.Json();
  ASSERT_EQ(2u, js.size());
  EXPECT_EQ(js[0]["boxes"], js[1]["boxes"]);  // either order of the pair
  EXPECT_EQ("p,t", js[1]["pair"]);
  EXPECT_EQ(nlohmann::json::array({"1", "200"}), js[1]["input"]);
  EXPECT_TRUE(run.err.empty()) << run.err;
}

// The last inputs of an earlier window session do not leak into a batch line, not even when
// reading them asks questions at start-up.
TEST(Batch, LastInputsFileIgnored) {
  const std::vector<std::vector<const char*>> sessions = {
      {"50", "400", "3000", "7", "x > 1", "0,1"},   // a session in bar: box 0 and the unit list
      {"a b", "400", "3000", "7", "x > 1", "zzz"},  // a pressure text that needs correction
  };
  for (const auto& entries : sessions) {
    TempDir data;
    CliRun clean = RunTool({"--data", data.path(), "--unit", "kPa", "--format", "json", "--batch"},
                           "x,p 0,5 1000\nt,h 200 2900\n");
    // Entries: six texts and the unit code 2 (bar) as a single.
    std::string tmp;
    for (const char* e : entries) {
      std::string s = e;
      tmp += std::string("\x08\0", 2) + static_cast<char>(s.size()) + '\0' + s;
    }
    const char code[] = {'\x04', '\0', 0, 0, 0, 0x40};
    tmp.append(code, sizeof code);
    std::FILE* f = std::fopen((data.path() + "/Kalorimo.tmp").c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fwrite(tmp.data(), 1, tmp.size(), f);
    std::fclose(f);
    CliRun after = RunTool({"--data", data.path(), "--unit", "kPa", "--format", "json", "--batch"},
                           "x,p 0,5 1000\nt,h 200 2900\n");
    EXPECT_EQ(0, after.status) << after.err;
    EXPECT_EQ(clean.out, after.out) << entries[0];
  }
}

struct UnitCase {
  const char* unit;
  const char* locale;
  const char* thPressure;  // pressure box the command writes after t,h 200 2900 (superheated)
  const char* pTyped;      // 10 MPa typed in this unit for p,t ... 500
  const char* ptEnthalpy;  // the enthalpy box it gives
};
void PrintTo(const UnitCase& c, std::ostream* os) { *os << c.unit << " " << c.locale; }

// As the window shows them: "#0.0##" for MPa, "#0.0#" for bar, "# ##0" for kPa.
const UnitCase kUnits[] = {
    {"MPa", "comma", "0,735", "10", "3 373,0"},   {"bar", "comma", "7,35", "100", "3 373,0"},
    {"kPa", "comma", " 735", "10000", "3 373,0"}, {"MPa", "point", "0.735", "10", "3 373.0"},
    {"bar", "point", "7.35", "100", "3 373.0"},   {"kPa", "point", " 735", "10000", "3 373.0"},
};

class UnitLocale : public ::testing::TestWithParam<UnitCase> {};

TEST_P(UnitLocale, BoxTextsAsTheWindow) {
  const UnitCase& c = GetParam();
  TempDir data;
  CliRun th = RunTool(
      {"--data", data.path(), "--unit", c.unit, "--locale", c.locale, "--format", "json", "t,h", "200", "2900"});
  ASSERT_EQ(0, th.status) << th.err;
  EXPECT_EQ(c.thPressure, th.Json()[0]["boxes"][0]);
  EXPECT_EQ(c.unit, th.Json()[0]["unit"]);
  CliRun pt = RunTool(
      {"--data", data.path(), "--unit", c.unit, "--locale", c.locale, "--format", "json", "p,t", c.pTyped, "500"});
  ASSERT_EQ(0, pt.status) << pt.err;
  EXPECT_EQ(c.ptEnthalpy, pt.Json()[0]["boxes"][2]);
  EXPECT_EQ(10.0, pt.Json()[0]["state"]["pParyWe"].get<double>());
  // The wet branch of t,h writes the pressure in MPa whatever the unit, as the window does.
  CliRun wet = RunTool(
      {"--data", data.path(), "--unit", c.unit, "--locale", c.locale, "--format", "json", "t,h", "200", "2000"});
  ASSERT_EQ(0, wet.status) << wet.err;
  EXPECT_EQ(std::string(c.locale) == "comma" ? "1,556" : "1.556", wet.Json()[0]["boxes"][0]);
  EXPECT_EQ("MPa", wet.Json()[0]["unit"]);
}

INSTANTIATE_TEST_SUITE_P(Jednostki, UnitLocale, ::testing::ValuesIn(kUnits),
                         [](const auto& i) { return std::string(i.param.unit) + "_" + i.param.locale; });

TEST(Usage, ErrorsGiveTwoAndNameThePairs) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"p,t", "10"},
      {"p,q", "1", "2"},
      {"p,x", "1", "2", "3"},
      {"--unit", "psi", "p,t", "1", "2"},
      {"--locale", "dot", "p,t", "1", "2"},
      {"--format", "xml", "p,t", "1", "2"},
      {"--batch", "p,t", "1", "2"},
      {"--bogus"},
      {"--data"},
      {"h,x", "2000", "0,5"},  // the window ticks it, but no solver belongs to it
  };
  for (const auto& args : bad) {
    std::vector<std::string> store{"kalorimo-calc"};
    store.insert(store.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : store) argv.push_back(a.data());
    char* outBuf = nullptr;
    char* errBuf = nullptr;
    std::size_t ol = 0, el = 0;
    std::FILE* out = open_memstream(&outBuf, &ol);
    std::FILE* err = open_memstream(&errBuf, &el);
    std::istringstream in;
    int status = cli::RunCli(static_cast<int>(argv.size()), argv.data(), in, out, err);
    std::fclose(out);
    std::fclose(err);
    std::string e(errBuf, el);
    EXPECT_EQ(2, status) << store.size();
    EXPECT_EQ(0u, ol);
    EXPECT_NE(std::string::npos, e.find("p,t p,h t,h x,t x,p p,s t,s h,s")) << e;
    std::free(outBuf);
    std::free(errBuf);
  }
}

TEST(Usage, HelpDocumentsEverything) {
  CliRun run = RunTool({"--help"});
  EXPECT_EQ(0, run.status);
  for (const char* word :
       {"--data",       "--unit",    "--locale", "--format", "--batch", "MPa",      "bar",
        "kPa",          "comma",     "point",    "text",     "json",    "csv",      "p,t p,h t,h x,t x,p p,s t,s h,s",
        "Kalorimo.tmp", "Notes.txt", "p_MPa",    "nu_m2_s",  "pIter",   "messages", "error",
        "Opis błędu ",  "0 gdy",     "1 gdy",    "2 przy"}) {
    EXPECT_NE(std::string::npos, run.out.find(word)) << word;
  }
}

TEST(Formats, CsvRowsAndText) {
  TempDir data;
  CliRun csv = RunTool({"--data", data.path(), "--format", "csv", "--batch"}, "p,t 10 500\nx,t 0,9 100\nx,t 1,5 100\n");
  EXPECT_EQ(1, csv.status);
  std::istringstream s(csv.out);
  std::string header, r1, r2, r3;
  std::getline(s, header);
  std::getline(s, r1);
  std::getline(s, r2);
  std::getline(s, r3);
  EXPECT_EQ("line,pair,A,B,p_MPa,t_C,h_kJ_kg,s_kJ_kgK,v_m3_kg,x,ts_C,r_kJ_kg,mu_Pa_s,nu_m2_s,ok,message", header);
  EXPECT_EQ("1,\"p,t\",10,500,10,500,3373.0,6.60,0.033,1,310,,2.810e-5,0.092e-5,true,", r1);
  EXPECT_EQ("2,\"x,t\",\"0,9\",100,0.101944275,100,2450.7,6.751,1.506,0.899999976,100,2257.4,1.270e-5,1.913e-5,true,",
            r2);
  EXPECT_EQ("3,\"x,t\",\"1,5\",100,,,,,,,,,,,false,[Termo_info] Stopień suchości x >1 !", r3);

  CliRun text = RunTool({"--data", data.path(), "x,t", "0,9", "100"});
  EXPECT_EQ(0, text.status);
  EXPECT_NE(std::string::npos, text.out.find("Entalpia              2 450,7      kJ/kg")) << text.out;
  EXPECT_NE(std::string::npos, text.out.find("Ciepło parowania      2 257,4      kJ/kg")) << text.out;
}

TEST(Start, UnusableDataFolderEndsBeforeAnyLine) {
  TempDir dir;
  std::string blocked = dir.path() + "/plik";
  std::FILE* f = std::fopen(blocked.c_str(), "w");
  ASSERT_NE(nullptr, f);
  std::fclose(f);
  CliRun run = RunTool({"--data", blocked + "/dane", "--format", "json", "p,t", "1", "200"});
  EXPECT_EQ(1, run.status);
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(std::string::npos, run.err.find("start")) << run.err;
}

}  // namespace
}  // namespace kal::test
