// "turbine calc": the fits' numbers are the is command's, bit for bit; the formats and exit codes.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "app/kalorimo_app.h"
#include "cli/is_calc.h"
#include "cli/output.h"
#include "cli/turbine.h"
#include "cli_rig.h"
#include "support/scripted_dialogs.h"
#include "turbiny/dokument.h"
#include "turbiny/obliczenia.h"

namespace kal::test {
namespace {

// `slowo` standing alone in `tekst` (not inside a longer word).
bool MaSlowo(const std::string& tekst, const std::string& slowo) {
  auto litera = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  for (std::size_t i = tekst.find(slowo); i != std::string::npos; i = tekst.find(slowo, i + 1)) {
    const std::size_t j = i + slowo.size();
    if ((i == 0 || !litera(tekst[i - 1])) && (j == tekst.size() || !litera(tekst[j]))) return true;
  }
  return false;
}

using nlohmann::json;

turbiny::PunktPomiarowy NowyPunktCli(const std::string& id, const std::string& jednostka, bool nadcisnienie) {
  turbiny::PunktPomiarowy p;
  p.id = id;
  p.jednostkaP = jednostka;
  p.nadcisnienie = nadcisnienie;
  return p;
}

void TenSamPunkt(const Punkt& a, const Punkt& b, const std::string& at) {
  EXPECT_EQ(a.p, b.p) << at;
  EXPECT_EQ(a.t, b.t) << at;
  EXPECT_EQ(a.h, b.h) << at;
  EXPECT_EQ(a.s, b.s) << at;
  EXPECT_EQ(a.v, b.v) << at;
  EXPECT_EQ(a.x, b.x) << at;
}

// Each section as `kalorimo-calc --unit MPa is P1 T1 P2 --t2 T2` (or --h2 H2) with the singles
// written as texts of 9 significant digits, on a fresh calculator.
TEST(CliTurbineCalc, FitsAreTheIsCommandsNumbersBitForBit) {
  struct Przypadek {
    const char* nazwa;
    const char *j1, *j2;  // units
    bool g1, g2;          // gauge
    double p1, t1, p2;    // readings
    std::optional<double> t2, h2;
    bool mokry;
  };
  const Przypadek kPrzypadki[] = {
      {"WP", "MPa", "bar", false, false, 12.74, 535.1, 29.2, 326.8, {}, false},
      {"SP", "bar", "kPa", false, true, 26.7, 535.3, 181.0, 239.6, {}, false},
      {"NP", "kPa", "kPa", true, false, 181.0, 239.6, 5.5, {}, 2381.0, true},
      {"upusty 3-4", "bar", "MPa", true, true, 7.4, 360.2, 0.35, 296.5, {}, false},
      {"WP, bar nadciśnienie", "bar", "MPa", true, false, 127.3, 540, 3.1, 335.0, {}, false},
      {"NP bez h2", "MPa", "kPa", false, false, 0.28, 240, 5.6, {}, {}, true},
  };
  TempDir data;
  cli::Settings s;
  s.dataDir = data.path();
  cli::Calculator calc(s, nullptr);
  ASSERT_TRUE(calc.Start());
  for (const Przypadek& c : kPrzypadki) {
    turbiny::Dokument d;
    d.turbina.nazwa = "T";
    d.turbina.punkty = {NowyPunktCli("A", c.j1, c.g1), NowyPunktCli("B", c.j2, c.g2)};
    turbiny::Odcinek o;
    o.nazwa = c.nazwa;
    o.wlot = "A";
    o.wylot = "B";
    o.rodzajWylotu = c.mokry ? turbiny::RodzajWylotu::Mokry : turbiny::RodzajWylotu::Przegrzany;
    d.turbina.odcinki = {o};
    turbiny::Kampania k;
    k.id = "k";
    k.data = "2025-10-14T10:00";
    k.otoczenieKPa = 99.2;
    k.odczyty["A"].p = c.p1;
    k.odczyty["A"].t = c.t1;
    k.odczyty["B"].p = c.p2;
    k.odczyty["B"].t = c.t2;
    k.odczyty["B"].h = c.h2;
    if (c.h2) k.odczyty["B"].U_h = 15;
    d.kampanie = {k};
    const turbiny::WynikOdcinka w = turbiny::ObliczKampanie(d, 0).odcinki.at(0);
    ASSERT_TRUE(w.ok && w.dane) << c.nazwa << ": " << w.komunikat;

    cli::IsRequest rq;
    rq.p1 = cli::Num9(static_cast<float>(w.dane->p1));
    rq.t1 = cli::Num9(static_cast<float>(w.dane->t1));
    rq.p2 = cli::Num9(static_cast<float>(w.dane->p2 * 1000));
    cli::IsResult is;
    if (c.h2) {
      // The is command's own path with --h2: the window's inlet, then the expansion to (p2, h2).
      rq.tryb = Koniec2::H2;
      rq.wartosc = cli::Num9(static_cast<float>(*c.h2));
      cli::Request pt;
      pt.a = rq.p1;
      pt.b = rq.t1;
      is.request = rq;
      is.wlot = calc.Run(pt, 1, [&](KalorimoApp& app) {
        ASSERT_TRUE(app.stanPT());
        DaneRozprezania dr;
        dr.wlot = app.stanPT();
        double v = 0;
        cli::ReadNumber(rq.p2, v);
        dr.wylotKPa = static_cast<float>(v);
        dr.tryb = Koniec2::H2;
        cli::ReadNumber(rq.wartosc, dr.h2);
        Evaluator ew(app.db.baza);
        is.rozprezanie = Rozpreznij(ew, dr);
      });
      is.ok = is.wlot.ok && is.rozprezanie.ok;
    } else {
      if (c.t2) {
        rq.tryb = Koniec2::T2;
        rq.wartosc = cli::Num9(static_cast<float>(*c.t2));
      }
      is = cli::RunIs(calc, rq, 1);
    }
    ASSERT_TRUE(is.ok) << c.nazwa << " " << rq.p1 << " " << rq.t1 << " " << rq.p2 << " " << rq.wartosc;
    const Rozprezanie &a = w.fits, &b = is.rozprezanie;
    TenSamPunkt(a.wlot, b.wlot, std::string(c.nazwa) + " 1");
    ASSERT_EQ(b.izentropa.has_value(), a.izentropa.has_value()) << c.nazwa;
    TenSamPunkt(*a.izentropa, *b.izentropa, std::string(c.nazwa) + " 2s");
    ASSERT_EQ(b.rzeczywisty.has_value(), a.rzeczywisty.has_value()) << c.nazwa;
    if (b.rzeczywisty) TenSamPunkt(*a.rzeczywisty, *b.rzeczywisty, std::string(c.nazwa) + " 2");
    EXPECT_EQ(b.dhs, a.dhs) << c.nazwa;
    EXPECT_EQ(b.dh, a.dh) << c.nazwa;
    EXPECT_EQ(b.eta, a.eta) << c.nazwa;

    // And the printed numbers are the is command's printed numbers.
    std::string linia;
    cli::AppendIsJson(linia, is);
    const json ij = json::parse(linia);
    char* buf = nullptr;
    std::size_t len = 0;
    std::FILE* out = open_memstream(&buf, &len);
    EXPECT_EQ(0, cli::TurbineCalc(d, std::nullopt, cli::Format::Json, out, stderr));
    std::fclose(out);
    const json tj = json::parse(std::string(buf, len));
    std::free(buf);
    const json& f = tj["sections"][0]["fits"];
    for (const char* key : {"inlet", "isentropic", "actual", "dh_s", "dh", "eta"})
      EXPECT_EQ(ij[key], f[key]) << c.nazwa << " " << key;
  }
}

std::string Przyklad() { return std::string(KALORIMO_DATA_DIR) + "/turbiny/tg4.json"; }

std::size_t PolaCsv(const std::string& wiersz) {
  std::size_t n = 1;
  bool cudzyslow = false;
  for (char ch : wiersz) {
    if (ch == '"') cudzyslow = !cudzyslow;
    if (ch == ',' && !cudzyslow) ++n;
  }
  return n;
}

TEST(CliTurbineCalc, FormatsAndExitCodes) {
  TempDir dir;
  std::string tekst;
  ASSERT_EQ(0, cli::CzytajPlik(Przyklad(), tekst));
  // A refused section: the exhaust hotter than the inlet.
  json zly = json::parse(tekst);
  zly["campaigns"][2]["readings"]["WP_WYL"]["t"] = 600;
  const std::string odrzucony = dir.path() + "/odrzucony.json", nieznany = dir.path() + "/nieznany.json";
  std::ofstream(odrzucony) << zly.dump();
  zly["turbine"]["sections"][0]["exhaust"] = "WP_WYLOT";
  std::ofstream(nieznany) << zly.dump();

  const CliRun full = RunTool({"turbine", "calc", Przyklad(), "--format", "json"});
  ASSERT_EQ(0, full.status) << full.err;
  const std::vector<json> linie = full.Json();
  ASSERT_EQ(3u, linie.size());
  const std::set<std::string> kKampania = {"kind", "turbine", "campaign", "date", "ok", "messages", "sections"};
  const std::set<std::string> kOdcinek = {"name",         "inlet",    "exhaust",        "ok",
                                          "message",      "fits",     "if97",           "diff",
                                          "U95_eta",      "budget",   "dominant",       "eta_design",
                                          "d_eta_design", "baseline", "d_eta_baseline", "U95_d_eta_baseline",
                                          "significant"};
  auto klucze = [](const json& j) {
    std::set<std::string> k;
    for (auto it = j.begin(); it != j.end(); ++it) k.insert(it.key());
    return k;
  };
  for (const json& j : linie) {
    EXPECT_EQ(kKampania, klucze(j));
    EXPECT_TRUE(j["ok"].get<bool>()) << j["campaign"];
    for (const json& o : j["sections"]) {
      EXPECT_EQ(kOdcinek, klucze(o));
      EXPECT_TRUE(o["if97"]["inlet"].contains("region"));
      EXPECT_GT(o["U95_eta"].get<double>(), 0);
    }
  }
  EXPECT_TRUE(linie[0]["sections"][0]["baseline"].is_null());
  EXPECT_EQ("2023-06-odb", linie[2]["sections"][0]["baseline"]);
  EXPECT_EQ("WP_WYL.t", linie[2]["sections"][0]["dominant"]);

  struct Przypadek {
    std::vector<std::string> args;
    int status;
    const char* wOut;  // a part of standard output ("" nothing expected)
    const char* wErr;
  };
  const Przypadek kPrzypadki[] = {
      {{"--campaign", "2024-09-okr", "--format", "json"}, 0, "\"campaign\":\"2024-09-okr\"", ""},
      {{"--format", "csv"}, 0, "turbine,campaign,date,kind,section,inlet,exhaust,ok,message,fits_p1_MPa", ""},
      {{"--format", "text"}, 0, "Odcinek NP (SP_WYL → NP_WYL)", ""},
      {{"--campaign", "brak"}, 2, "", "brak pomiaru \"brak\""},
  };
  for (const Przypadek& c : kPrzypadki) {
    std::vector<std::string> args = {"turbine", "calc", Przyklad()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun r = RunToolV(args);
    EXPECT_EQ(c.status, r.status) << c.args[0] << r.err;
    EXPECT_NE(std::string::npos, r.out.find(c.wOut)) << r.out;
    EXPECT_NE(std::string::npos, r.err.find(c.wErr)) << r.err;
    EXPECT_FALSE(MaSlowo(r.out, "nan") || MaSlowo(r.out, "inf")) << r.out;
  }
  // One campaign prints the line of the whole run.
  EXPECT_EQ(linie[1],
            RunTool({"turbine", "calc", Przyklad(), "--campaign", "2024-09-okr", "--format", "json"}).Json().at(0));
  const CliRun csv = RunTool({"turbine", "calc", Przyklad(), "--format", "csv"});
  std::istringstream wiersze(csv.out);
  std::string w, naglowek;
  std::getline(wiersze, naglowek);
  int n = 0;
  while (std::getline(wiersze, w)) {
    EXPECT_EQ(PolaCsv(naglowek), PolaCsv(w)) << w;
    ++n;
  }
  EXPECT_EQ(9, n);

  const CliRun r1 = RunTool({"turbine", "calc", odrzucony, "--format", "json"});
  EXPECT_EQ(1, r1.status);
  EXPECT_FALSE(r1.Json().at(2)["ok"].get<bool>());
  EXPECT_TRUE(r1.Json().at(1)["ok"].get<bool>());
  const CliRun r3 = RunTool({"turbine", "calc", nieznany});
  EXPECT_EQ(3, r3.status);
  EXPECT_EQ("", r3.out);
  EXPECT_NE(std::string::npos, r3.err.find("turbine.sections[0].exhaust: nieznany punkt \"WP_WYLOT\"")) << r3.err;

  // A full disk: the results cannot be written.
  std::FILE* pelny = std::fopen("/dev/full", "w");
  ASSERT_TRUE(pelny);
  std::FILE* bledy = std::tmpfile();
  EXPECT_EQ(3, cli::TurbineCalc(turbiny::WczytajDokument(tekst), std::nullopt, cli::Format::Text, pelny, bledy));
  std::fclose(pelny);
  std::fclose(bledy);
}

}  // namespace
}  // namespace kal::test
