// kalorimo-calc turbine list|import|export|calc NAME|import-csv over a database file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_rig.h"
#include "support/file_bytes.h"
#include "support/scripted_dialogs.h"
#include "turbiny/dokument.h"
#include "turbiny/magazyn.h"

namespace kal::cli {
namespace {

using test::CliRun;
using test::RunToolV;
using test::TempDir;
using test::WriteAll;

const char* const kDokument = R"({"format": "kalorimo-turbina", "version": 1,
 "turbine": {"name": "TG-4", "description": "blok 4, ąę",
  "points": [{"id": "PS", "p_unit": "MPa"}, {"id": "WP_WYL", "p_unit": "bar", "p_gauge": true}],
  "sections": [{"name": "WP", "inlet": "PS", "exhaust": "WP_WYL", "eta_design": 0.865}]},
 "campaigns": [
  {"id": "odb", "date": "2025-10-14T10:00", "kind": "acceptance", "ambient_kPa": 99.2,
   "readings": {"PS": {"p": 12.74, "t": 535.1, "u_p_random": 0.004}, "WP_WYL": {"p": 35.0, "t": 335}}},
  {"id": "okr", "date": "2026-01-10T09:00:00", "kind": "routine",
   "readings": {"PS": {"p": 12.7, "t": 534}, "WP_WYL": {"p": 35.2, "t": 337}}}]})";

const char* const kMapowanie = R"({"timestamp": "Czas", "columns": [
  {"column": "p1", "point": "PS", "quantity": "p"}, {"column": "t1", "point": "PS", "quantity": "t"},
  {"column": "p2", "point": "WP_WYL", "quantity": "p"}, {"column": "t2", "point": "WP_WYL", "quantity": "t"}]})";

struct Rig {
  TempDir dir;
  std::string db = dir.path() + "/t.db";
  std::string doc = dir.path() + "/tg4.json";
  std::string map = dir.path() + "/m.json";
  std::string csv = dir.path() + "/s.csv";
  Rig() {
    WriteAll(doc, kDokument);
    WriteAll(map, kMapowanie);
    WriteAll(csv,
             "Czas;p1;t1;p2;t2\n2026-03-14 10:00:00;12,70;535,0;35,0;336,0\n"
             "2026-03-14 10:00:10;12,71;535,2;35,0;336,1\n2026-03-14 10:00:20;12,70;535,1;35,01;336,0\n"
             "2026-03-14 10:00:30;13,90;560,0;35,0;336,0\n");
  }
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"turbine", "--db", db});  // a --db given later wins
    return RunToolV(args);
  }
  CliRun ImportCsv(const std::string& id, std::vector<std::string> more = {}) {
    std::vector<std::string> a = {"import-csv", "TG-4",       "--csv", csv,      "--mapping",
                                  map,          "--campaign", id,      "--date", "2026-03-14T10:00",
                                  "--kind",     "routine"};
    a.insert(a.end(), more.begin(), more.end());
    return Run(a);
  }
};

TEST(CliTurbineDb, CommandsOverOneFile) {
  Rig r;
  EXPECT_EQ(r.Run({"import", r.doc}).status, 0);
  CliRun again = r.Run({"import", r.doc});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("TG-4 już jest w bazie; nic nie zapisano (--replace, aby zastąpić)"), std::string::npos)
      << again.err;
  EXPECT_EQ(r.Run({"import", r.doc, "--replace"}).status, 0);

  const struct {
    const char* format;
    const char* out;
  } listy[] = {
      {"text", "TG-4 — blok 4, ąę: punktów 2, odcinków 1, pomiarów 2, ostatni 2026-01-10T09:00:00\n"},
      {"json",
       "{\"kind\":\"turbine-list\",\"name\":\"TG-4\",\"description\":\"blok 4, ąę\",\"points\":2,\"sections\":1,"
       "\"campaigns\":2,\"last\":\"2026-01-10T09:00:00\"}\n"},
      {"csv", "name,description,points,sections,campaigns,last\r\nTG-4,\"blok 4, ąę\",2,1,2,2026-01-10T09:00:00\r\n"},
  };
  for (const auto& l : listy) {
    CliRun c = r.Run({"list", "--format", l.format});
    EXPECT_EQ(c.status, 0) << l.format << c.err;
    EXPECT_EQ(c.out, l.out) << l.format;
  }

  // What comes out is what went in; calc NAME prints what calc FILE.json does.
  CliRun e = r.Run({"export", "TG-4"});
  ASSERT_EQ(e.status, 0) << e.err;
  std::string dokument = turbiny::ZapiszDokument(turbiny::WczytajDokument(kDokument));
  if (dokument.back() != '\n') dokument += '\n';
  EXPECT_EQ(e.out, dokument);
  for (const std::vector<std::string>& extra : {std::vector<std::string>{}, {"--campaign", "okr"}}) {
    std::vector<std::string> zBazy = {"calc", "TG-4", "--format", "json"},
                             zPliku = {"turbine", "calc", r.doc, "--format", "json"};
    zBazy.insert(zBazy.end(), extra.begin(), extra.end());
    zPliku.insert(zPliku.end(), extra.begin(), extra.end());
    CliRun a = r.Run(zBazy), b = RunToolV(zPliku);
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.out, b.out);
    EXPECT_FALSE(a.out.empty());
  }
  CliRun brak = r.Run({"export", "TG-9"});
  EXPECT_EQ(brak.status, 1);
  EXPECT_NE(brak.err.find("brak turbiny TG-9"), std::string::npos) << brak.err;
}

TEST(CliTurbineDb, ImportCsvStoresCampaignSeriesAndMapping) {
  Rig r;
  ASSERT_EQ(r.Run({"import", r.doc}).status, 0);
  // The last row jumps: unstable over the whole file (exit 1, stored all the same), stable without it.
  const struct {
    const char* id;
    std::vector<std::string> okno;
    int status;
    const char* out;
  } przypadki[] = {
      {"cala", {}, 1, "seria niestabilna, kolumny poza granicami: p1, t1"},
      {"okno", {"--to", "14.03.2026 10:00:20"}, 0, "okno 2026-03-14T10:00:00 – 2026-03-14T10:00:20; seria stabilna"},
  };
  for (const auto& p : przypadki) {
    CliRun c = r.ImportCsv(p.id, p.okno);
    EXPECT_EQ(c.status, p.status) << p.id << c.err;
    EXPECT_NE(c.out.find(p.out), std::string::npos) << c.out;
  }
  CliRun json = r.ImportCsv("okno", {"--to", "2026-03-14T10:00:20", "--replace", "--format", "json"});
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(
      json.out,
      "{\"kind\":\"turbine-import\",\"turbine\":\"TG-4\",\"campaign\":\"okno\",\"date\":\"2026-03-14T10:00\","
      "\"rows\":3,\"window\":[\"2026-03-14T10:00:00\",\"2026-03-14T10:00:20\"],\"stable\":true,\"unstable\":[]}\n");
  auto baza = turbiny::OtworzBaze(r.db, true);
  const auto d = baza->Wczytaj("TG-4");
  ASSERT_TRUE(d);
  ASSERT_EQ(d->kampanie.size(), 4u);
  const turbiny::Kampania& k = d->kampanie[3];
  EXPECT_EQ(k.id, "okno");
  EXPECT_EQ(k.odczyty.at("PS").n, 3);
  EXPECT_NEAR(*k.odczyty.at("PS").p, 12.70333333, 1e-8);
  EXPECT_TRUE(k.odczyty.at("WP_WYL").u_t_random);
  EXPECT_NE(d->turbina.mapowanie.find("\"p1\""), std::string::npos) << d->turbina.mapowanie;
  const auto s = baza->Surowe("TG-4", "okno");
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0].wartosc.size(), 4u);  // the whole file, not only the window
}

// A refused command: its exit status, a message naming what and why, and the file as before.
TEST(CliTurbineDb, RefusalsLeaveTheFileAsItWas) {
  Rig r;
  ASSERT_EQ(r.Run({"import", r.doc}).status, 0);
  WriteAll(r.dir.path() + "/zly.json", R"({"format": "kalorimo-turbina", "version": 1, "turbine": {}})");
  WriteAll(r.dir.path() + "/obcy.json", R"({"timestamp": "Czas", "columns": [
    {"column": "p1", "point": "XX", "quantity": "p"}]})");
  WriteAll(r.dir.path() + "/tekst.db", std::string(200, 'a'));
  const struct {
    std::vector<std::string> args;
    int status;
    const char* err;
  } przypadki[] = {
      {{"list", "x"}, 2, "list nie przyjmuje argumentów (x)"},
      {{"import"}, 2, "brak pliku dokumentu turbiny"},
      {{"export", "TG-4", "--replace"}, 2, "--replace tylko z import albo import-csv"},
      {{"import-csv", "TG-4", "--csv", r.csv}, 2, "podaj --csv PLIK, --mapping M.json, --campaign ID"},
      {{"import-csv", "TG-4", "--csv", r.csv, "--mapping", r.map, "--campaign", "x", "--date", "2026-03-14", "--kind",
        "routine"},
       2,
       "--date \"2026-03-14\": zły czas"},
      {{"import-csv", "TG-4", "--csv", r.csv, "--mapping", r.map, "--campaign", "x", "--date", "2026-03-14T10:00",
        "--kind", "yearly"},
       2,
       "--kind \"yearly\": acceptance, after-overhaul albo routine"},
      {{"import", r.dir.path() + "/zly.json"}, 3, "zly.json: turbine.name: brak wymaganego pola"},
      {{"import", r.dir.path() + "/brak.json"}, 3, "nie można odczytać pliku"},
      {{"import-csv", "TG-4", "--csv", r.csv, "--mapping", r.dir.path() + "/obcy.json", "--campaign", "x", "--date",
        "2026-03-14T10:00", "--kind", "routine"},
       3,
       "XX"},
      {{"import-csv", "TG-9", "--csv", r.csv, "--mapping", r.map, "--campaign", "x", "--date", "2026-03-14T10:00",
        "--kind", "routine"},
       1,
       "brak turbiny TG-9"},
      {{"import-csv", "TG-4", "--csv", r.csv, "--mapping", r.map, "--campaign", "odb", "--date", "2026-03-14T10:00",
        "--kind", "routine"},
       1,
       "turbina TG-4 ma już pomiar odb (--replace, aby zastąpić)"},
      {{"list", "--db", r.dir.path() + "/tekst.db"}, 3, "tekst.db: to nie jest plik bazy danych"},
      {{"list", "--db", r.dir.path() + "/nowa.db"}, 3, "nowa.db: plik nie istnieje"},
  };
  const std::string przed = r.Run({"export", "TG-4"}).out;
  for (const auto& p : przypadki) {
    CliRun c = r.Run(p.args);
    EXPECT_EQ(c.status, p.status) << p.args[0] << " " << c.err;
    EXPECT_NE(c.err.find(p.err), std::string::npos) << c.err;
    EXPECT_EQ(r.Run({"export", "TG-4"}).out, przed) << c.err;
  }
}

}  // namespace
}  // namespace kal::cli
