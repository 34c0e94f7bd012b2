// "turbine stability": the JSON as other programs read it, CSV and text, and the exit codes.
#include <gtest/gtest.h>

#include <fstream>

#include "cli_rig.h"
#include "support/scripted_dialogs.h"

namespace kal::test {
namespace {

void Zapisz(const std::string& sciezka, const std::string& tekst) { std::ofstream(sciezka, std::ios::binary) << tekst; }

struct Pliki {
  TempDir dir;
  std::string csv = dir.path() + "/seria.csv", mapa = dir.path() + "/mapa.json", turbina = dir.path() + "/tg4.json";
  Pliki() {
    // 10:00:00 … 10:00:09; T_PS jumps by 6 K at 10:00:08.
    std::string s = "Czas;P_PS;T_PS;Pbar\r\n";
    for (int i = 0; i < 10; ++i)
      s += "14.03.2026 10:00:0" + std::to_string(i) + ";12," + (i % 2 ? "75" : "73") + ";" +
           (i >= 8 ? "541,0" : "535,0") + ";" + (i == 3 ? "Bad" : "99,2") + "\r\n";
    Zapisz(csv, s);
    Zapisz(mapa, R"({"timestamp": "Czas", "columns": [{"column": "P_PS", "point": "PS", "quantity": "p"},
      {"column": "T_PS", "point": "PS", "quantity": "t"}, {"column": "Pbar", "quantity": "ambient"}]})");
  }
};

TEST(CliTurbineStability, JsonZOknem) {
  Pliki f;
  const CliRun r = RunTool(
      {"turbine", "stability", "--csv", f.csv, "--mapping", f.mapa, "--to", "2026-03-14T10:00:07", "--format", "json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<nlohmann::json> js = r.Json();
  ASSERT_EQ(js.size(), 1u);
  const nlohmann::json& j = js[0];
  EXPECT_EQ(j["rows"], 8);
  EXPECT_EQ(j["window"], nlohmann::json::parse(R"(["2026-03-14T10:00:00", "2026-03-14T10:00:07"])"));
  EXPECT_EQ(j["stable"], true);
  ASSERT_EQ(j["columns"].size(), 3u);
  std::vector<std::string> klucze;
  for (const auto& [k, v] : j["columns"][0].items()) klucze.push_back(k);
  std::sort(klucze.begin(), klucze.end());
  const std::vector<std::string> oczekiwane = {"column", "drift",    "fluctuation", "limit_drift", "limit_fluctuation",
                                               "max",    "mean",     "min",         "missing",     "n",
                                               "point",  "quantity", "s",           "stable",      "u_random"};
  EXPECT_EQ(klucze, oczekiwane);
  const nlohmann::json& p = j["columns"][0];
  EXPECT_EQ(p["column"], "P_PS");
  EXPECT_EQ(p["point"], "PS");
  EXPECT_EQ(p["quantity"], "p");
  EXPECT_EQ(p["n"], 8);
  EXPECT_DOUBLE_EQ(p["mean"].get<double>(), 12.74);
  EXPECT_DOUBLE_EQ(p["fluctuation"].get<double>(), 0.01);
  EXPECT_DOUBLE_EQ(p["limit_fluctuation"].get<double>(), 0.03185);
  EXPECT_DOUBLE_EQ(p["s"].get<double>(), 0.0106904497);  // 9 significant digits of sqrt(8/7) / 100
  const nlohmann::json& b = j["columns"][2];
  EXPECT_TRUE(b["point"].is_null());
  EXPECT_EQ(b["n"], 7);
  EXPECT_EQ(b["missing"], 1);
}

TEST(CliTurbineStability, JednostkiILimityTurbiny) {
  // The point in bar with its own limits: 1 % of 12.74 bar and 8 K; the T_PS step of 6 K passes.
  Pliki f;
  Zapisz(f.turbina, R"({"format": "kalorimo-turbina", "version": 1, "turbine": {"name": "TG-4", "points": [
    {"id": "PS", "p_unit": "bar", "limits": {"p": 1.0, "p_min_kPa": 0.14, "t": 8.0}}], "sections": []},
    "campaigns": []})");
  const CliRun r = RunTool(
      {"turbine", "stability", "--csv", f.csv, "--mapping", f.mapa, "--turbine-file", f.turbina, "--format", "json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const nlohmann::json j = r.Json().at(0);
  EXPECT_DOUBLE_EQ(j["columns"][0]["limit_fluctuation"].get<double>(), 0.1274);
  EXPECT_DOUBLE_EQ(j["columns"][1]["limit_drift"].get<double>(), 8.0);

  Zapisz(f.turbina, R"({"format": "kalorimo-turbina", "version": 1, "turbine": {"name": "TG-4", "points": [
    {"id": "WP_WYL", "p_unit": "MPa"}], "sections": []}, "campaigns": []})");
  const CliRun bez =
      RunTool({"turbine", "stability", "--csv", f.csv, "--mapping", f.mapa, "--turbine-file", f.turbina});
  EXPECT_EQ(bez.status, 3);
  EXPECT_NE(bez.err.find("turbina \"TG-4\" nie ma punktu \"PS\""), std::string::npos) << bez.err;

  Zapisz(f.turbina, R"({"format": "inny"})");
  const CliRun zly =
      RunTool({"turbine", "stability", "--csv", f.csv, "--mapping", f.mapa, "--turbine-file", f.turbina});
  EXPECT_EQ(zly.status, 3);
  EXPECT_NE(zly.err.find("tg4.json: "), std::string::npos) << zly.err;
  EXPECT_TRUE(zly.out.empty());
}

TEST(CliTurbineStability, FormatyIKodyWyjscia) {
  Pliki f;
  Zapisz(f.dir.path() + "/zla_mapa.json", R"({"timestamp": "Czas"})");
  Zapisz(f.dir.path() + "/bez_kolumny.json",
         R"({"timestamp": "Czas", "columns": [{"column": "T_WP", "point": "WP", "quantity": "t"}]})");
  const std::string brak = f.dir.path() + "/nie_ma.csv";
  struct Przypadek {
    std::vector<std::string> argumenty;
    int status;
    const char* wyjscie;  // in stdout
    const char* bledy;    // in stderr
  };
  const Przypadek tabela[] = {
      {{"--format", "text"}, 1, "T_PS  (PS.t)  NIESTABILNA: fluktuacja i dryf ponad limit", ""},
      {{}, 1, "Seria niestabilna; kolumny poza granicami: T_PS.", ""},
      {{"--format", "csv"},
       1,
       "column,point,quantity,n,missing,mean,s,u_random,min,max,fluctuation,drift,limit_fluctuation,limit_drift,"
       "stable,rows,from,to\nP_PS,PS,p,10,0,12.74,",
       ""},
      {{"--from", "14.03.2026 10:00:08", "--format", "csv"}, 0, "T_PS,PS,t,2,0,541,0,0,541,541,0,0,4,4,true,2,", ""},
      {{"--from", "14.03.2026 10:00:09", "--format", "json"}, 1, "\"s\":null,\"u_random\":null", ""},
      {{"--from", "wczoraj"}, 2, "", "--from \"wczoraj\": zły czas"},
      {{"--from", "2026-03-14T10:00:05", "--to", "2026-03-14T10:00:01"}, 2, "", "--from jest po --to"},
      {{"--db", "x.db"}, 2, "", "nie dotyczą polecenia stability"},
      {{"nadmiar"}, 2, "", "nieoczekiwane słowo \"nadmiar\""},
      {{"--from", "2026-03-15T00:00:00"}, 3, "", "seria.csv: w oknie 2026-03-15T00:00:00"},
  };
  for (const Przypadek& p : tabela) {
    std::vector<std::string> a = {"turbine", "stability", "--csv", f.csv, "--mapping", f.mapa};
    a.insert(a.end(), p.argumenty.begin(), p.argumenty.end());
    const CliRun r = RunToolV(a);
    SCOPED_TRACE(p.argumenty.empty() ? std::string("-") : p.argumenty[0]);
    EXPECT_EQ(r.status, p.status) << r.err;
    EXPECT_NE(r.out.find(p.wyjscie), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(p.bledy), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("nan"), std::string::npos);
    EXPECT_EQ(r.out.find("inf"), std::string::npos);
  }
  const struct {
    std::vector<std::string> argumenty;
    int status;
    std::string bledy;
  } pliki[] = {
      {{"turbine", "stability", "--csv", f.csv}, 2, "podaj --csv PLIK i --mapping M.json"},
      {{"turbine", "stability", "--csv", brak, "--mapping", f.mapa}, 3, "nie można odczytać pliku " + brak},
      {{"turbine", "stability", "--csv", f.csv, "--mapping", f.dir.path() + "/zla_mapa.json"},
       3,
       "zla_mapa.json: mapowanie: pole \"columns\""},
      {{"turbine", "stability", "--csv", f.csv, "--mapping", f.dir.path() + "/bez_kolumny.json"},
       3,
       "seria.csv: brak kolumny \"T_WP\""},
      {{"turbine", "stability", "--csv", f.csv, "--mapping", f.mapa, "--turbine-file", brak}, 3, brak},
  };
  for (const auto& p : pliki) {
    const CliRun r = RunToolV(p.argumenty);
    EXPECT_EQ(r.status, p.status) << r.err;
    EXPECT_NE(r.err.find(p.bledy), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

}  // namespace
}  // namespace kal::test
