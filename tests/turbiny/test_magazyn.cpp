// The turbine database: what goes in comes back, a refused change leaves nothing, the file is
// checked when opened, and a file of the first version opens and is brought up to date.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "support/file_bytes.h"
#include "support/fs_faults.h"
#include "support/scripted_dialogs.h"
#include "turbiny/magazyn_sqlite.h"
#include "turbiny/schemat.h"

namespace kal::turbiny {
namespace {

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

Dokument Przyklad(const std::string& nazwa = "TG-4") {
  Dokument d;
  d.turbina.nazwa = nazwa;
  d.turbina.opis = "blok 4, ąćęłńóśźż";
  d.turbina.mapowanie = R"({"timestamp":"Czas"})";
  PunktPomiarowy ps;
  ps.id = "PS";
  ps.nazwa = "para świeża przed WP";
  PunktPomiarowy wyl;
  wyl.id = "WP_WYL";
  wyl.jednostkaP = "bar";
  wyl.nadcisnienie = true;
  wyl.U_p = 0.02;
  wyl.U_p_procent = false;
  wyl.U_t = 1.5;
  wyl.limity = {0.3, 0.2, 3.0};
  d.turbina.punkty = {ps, wyl};
  d.turbina.odcinki = {{"WP", "PS", "WP_WYL", RodzajWylotu::Przegrzany, 0.865},
                       {"NP", "WP_WYL", "PS", RodzajWylotu::Mokry, std::nullopt}};
  Kampania a;
  a.id = "2025-10-odb";
  a.data = "2025-10-14T10:00";
  a.rodzaj = RodzajKampanii::Odbiorcze;
  a.etykieta = "po remoncie kapitalnym";
  a.mocMW = 201.3;
  a.otoczenieKPa = 99.2;
  a.u_otoczenieRandom = 0.01;
  a.odczyty["PS"] = {12.74, 535.1, std::nullopt, std::nullopt, 0.004, 0.06, 720};
  a.odczyty["WP_WYL"] = {36.2, std::nullopt, 2345.0, 15.0, std::nullopt, std::nullopt, std::nullopt};
  Kampania b;
  b.id = "2024-03";
  b.data = "2024-03-01T08:30:00";
  b.odczyty["PS"].p = 12.8;
  d.kampanie = {a, b};  // not in date order: the order given is kept
  return d;
}

void Rowne(const Dokument& a, const Dokument& b) {
  const Turbina &x = a.turbina, &y = b.turbina;
  EXPECT_EQ(x.nazwa, y.nazwa);
  EXPECT_EQ(x.opis, y.opis);
  EXPECT_EQ(x.mapowanie, y.mapowanie);
  ASSERT_EQ(x.punkty.size(), y.punkty.size());
  for (std::size_t i = 0; i < x.punkty.size(); ++i) {
    const PunktPomiarowy &p = x.punkty[i], &q = y.punkty[i];
    EXPECT_EQ(p.id, q.id);
    EXPECT_EQ(p.nazwa, q.nazwa);
    EXPECT_EQ(p.jednostkaP, q.jednostkaP);
    EXPECT_EQ(p.nadcisnienie, q.nadcisnienie);
    EXPECT_EQ(p.U_p, q.U_p);
    EXPECT_EQ(p.U_p_procent, q.U_p_procent);
    EXPECT_EQ(p.U_t, q.U_t);
    EXPECT_EQ(p.limity.p, q.limity.p);
    EXPECT_EQ(p.limity.p_min_kPa, q.limity.p_min_kPa);
    EXPECT_EQ(p.limity.t, q.limity.t);
  }
  ASSERT_EQ(x.odcinki.size(), y.odcinki.size());
  for (std::size_t i = 0; i < x.odcinki.size(); ++i) {
    EXPECT_EQ(x.odcinki[i].nazwa, y.odcinki[i].nazwa);
    EXPECT_EQ(x.odcinki[i].wlot, y.odcinki[i].wlot);
    EXPECT_EQ(x.odcinki[i].wylot, y.odcinki[i].wylot);
    EXPECT_EQ(x.odcinki[i].rodzajWylotu, y.odcinki[i].rodzajWylotu);
    EXPECT_EQ(x.odcinki[i].etaProjekt, y.odcinki[i].etaProjekt);
  }
  ASSERT_EQ(a.kampanie.size(), b.kampanie.size());
  for (std::size_t i = 0; i < a.kampanie.size(); ++i) {
    const Kampania &k = a.kampanie[i], &l = b.kampanie[i];
    EXPECT_EQ(k.id, l.id);
    EXPECT_EQ(k.data, l.data);
    EXPECT_EQ(k.rodzaj, l.rodzaj);
    EXPECT_EQ(k.etykieta, l.etykieta);
    EXPECT_EQ(k.mocMW, l.mocMW);
    EXPECT_EQ(k.otoczenieKPa, l.otoczenieKPa);
    EXPECT_EQ(k.U_otoczenieKPa, l.U_otoczenieKPa);
    EXPECT_EQ(k.u_otoczenieRandom, l.u_otoczenieRandom);
    ASSERT_EQ(k.odczyty.size(), l.odczyty.size()) << k.id;
    for (const auto& [punkt, o] : k.odczyty) {
      ASSERT_TRUE(l.odczyty.count(punkt)) << k.id << " " << punkt;
      const Odczyt& r = l.odczyty.at(punkt);
      EXPECT_EQ(o.p, r.p);
      EXPECT_EQ(o.t, r.t);
      EXPECT_EQ(o.h, r.h);
      EXPECT_EQ(o.U_h, r.U_h);
      EXPECT_EQ(o.u_p_random, r.u_p_random);
      EXPECT_EQ(o.u_t_random, r.u_t_random);
      EXPECT_EQ(o.n, r.n);
    }
  }
}

bool TeSameBity(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

void Sql(const std::string& plik, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(plik.c_str(), &db), SQLITE_OK);
  char* blad = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &blad), SQLITE_OK) << (blad ? blad : "");
  sqlite3_free(blad);
  sqlite3_close(db);
}

// The file's version and its tables as SQLite keeps them.
std::string Schemat(const std::string& plik) {
  sqlite3* db = nullptr;
  std::string s;
  if (sqlite3_open(plik.c_str(), &db) == SQLITE_OK) {
    for (const char* sql : {"PRAGMA user_version", "SELECT sql FROM sqlite_master ORDER BY name"}) {
      sqlite3_stmt* st = nullptr;
      sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
      while (sqlite3_step(st) == SQLITE_ROW) {
        const unsigned char* t = sqlite3_column_text(st, 0);
        s += std::string(sql[0] == 'P' ? "user_version " : "") + (t ? reinterpret_cast<const char*>(t) : "") + "\n";
      }
      sqlite3_finalize(st);
    }
  }
  sqlite3_close(db);
  return s;
}

TEST(Magazyn, TurbineWithCampaignsAndRawSeriesComesBack) {
  TempDir dir;
  const std::string plik = dir.path() + "/turbiny.db";
  Dokument d = Przyklad();
  const double nan = std::nan("");
  const std::vector<Seria> surowe = {{"T_PS", "PS", "t", {0, 5, 10}, {535.2, nan, -0.0}},
                                     {"Pbar", "", "ambient", {0, 5, 10}, {99.2, 99.25, 1e-300}}};
  {
    auto m = OtworzBaze(plik);
    m->Importuj(d, false);
    m->Importuj(Przyklad("TG-1"), false);
    // Replaced in place, now with its series, and the mapping it was read by.
    m->ZapiszImport("TG-4", R"({"timestamp":"T"})", d.kampanie[0], surowe);
  }
  d.turbina.mapowanie = R"({"timestamp":"T"})";
  auto m = OtworzBaze(plik, true);  // another process later, reading only
  EXPECT_EQ(m->Turbiny(), (std::vector<std::string>{"TG-1", "TG-4"}));
  const auto w = m->Wczytaj("TG-4");
  ASSERT_TRUE(w);
  Rowne(d, *w);
  const std::vector<Seria> s = m->Surowe("TG-4", "2025-10-odb");
  ASSERT_EQ(s.size(), 2u);
  for (std::size_t i = 0; i < s.size(); ++i) {
    EXPECT_EQ(s[i].kolumna, surowe[i].kolumna);
    EXPECT_EQ(s[i].punkt, surowe[i].punkt);
    EXPECT_EQ(s[i].wielkosc, surowe[i].wielkosc);
    EXPECT_TRUE(TeSameBity(s[i].czas, surowe[i].czas));
    EXPECT_TRUE(TeSameBity(s[i].wartosc, surowe[i].wartosc));
  }
  EXPECT_TRUE(m->Surowe("TG-4", "2024-03").empty());
  EXPECT_FALSE(m->Wczytaj("TG-9"));
}

TEST(Magazyn, EditsKeepWhatTheyDoNotTouch) {
  TempDir dir;
  auto m = OtworzBaze(dir.path() + "/turbiny.db");
  Dokument d = Przyklad();
  m->Importuj(d, false);
  // The turbine's points change, its campaigns stay.
  d.turbina.punkty.pop_back();
  d.turbina.mapowanie = "";
  m->ZapiszTurbine(d.turbina);
  // A new campaign goes last, a removed one goes with its series.
  Kampania c;
  c.id = "2026-01";
  c.data = "2026-01-05T12:00";
  c.odczyty["PS"].t = 530;
  m->ZapiszKampanie("TG-4", c, {{"T", "PS", "t", {1}, {2}}});
  m->UsunKampanie("TG-4", "2024-03");
  d.kampanie = {d.kampanie[0], c};
  Rowne(d, *m->Wczytaj("TG-4"));
  // A turbine made in the window: no campaigns yet.
  Turbina nowa;
  nowa.nazwa = "TG-2";
  m->ZapiszTurbine(nowa);
  EXPECT_TRUE(m->Wczytaj("TG-2")->kampanie.empty());
  // Replaced whole: its old campaigns and their series are gone.
  m->Importuj(Przyklad(), true);
  Rowne(Przyklad(), *m->Wczytaj("TG-4"));
  EXPECT_TRUE(m->Surowe("TG-4", "2026-01").empty());
}

// A refused change: a BladTurbiny naming the file and what, and the data as before.
TEST(Magazyn, RefusedChangeLeavesNothing) {
  TempDir dir;
  const std::string plik = dir.path() + "/turbiny.db";
  auto m = OtworzBaze(plik);
  m->Importuj(Przyklad(), false);
  Dokument dwaRazy = Przyklad();
  dwaRazy.kampanie.push_back(dwaRazy.kampanie[0]);
  Dokument bezNazwy = Przyklad("");
  struct Przypadek {
    const char* co;
    std::function<void()> zmiana;
    const char* powod;
  } przypadki[] = {
      {"turbine already there", [&] { m->Importuj(Przyklad(), false); }, "TG-4 już jest w bazie"},
      {"replacement with a campaign twice", [&] { m->Importuj(dwaRazy, true); }, "2025-10-odb występuje dwa razy"},
      {"turbine without a name", [&] { m->Importuj(bezNazwy, false); }, "turbina bez nazwy"},
      {"campaign of no turbine", [&] { m->ZapiszKampanie("TG-9", Przyklad().kampanie[0], {}); }, "brak turbiny TG-9"},
      {"import to no turbine", [&] { m->ZapiszImport("TG-9", "{}", Przyklad().kampanie[0], {}); }, "brak turbiny TG-9"},
      {"campaign that is not there", [&] { m->UsunKampanie("TG-4", "x"); }, "brak pomiaru x"},
  };
  for (const Przypadek& p : przypadki) {
    try {
      p.zmiana();
      ADD_FAILURE() << p.co << ": not refused";
    } catch (const BladTurbiny& b) {
      EXPECT_NE(std::string(b.what()).find(plik), std::string::npos) << p.co << ": " << b.what();
      EXPECT_NE(std::string(b.what()).find(p.powod), std::string::npos) << p.co << ": " << b.what();
      EXPECT_EQ(dynamic_cast<const BladPlikuBazy*>(&b), nullptr) << p.co;
    }
    EXPECT_EQ(m->Turbiny(), std::vector<std::string>{"TG-4"}) << p.co;
    Rowne(Przyklad(), *m->Wczytaj("TG-4"));
  }
}

// A file refused when opened or at the first change, with a Polish reason, and not a byte of it
// changed.
TEST(Magazyn, RefusedFiles) {
  TempDir dir;
  const std::string dobra = dir.path() + "/dobra.db";
  {
    auto m = OtworzBaze(dobra);
    for (int i = 0; i < 40; ++i) m->Importuj(Przyklad("TG-" + std::to_string(i)), false);
  }  // the last connection checkpoints the log into the file and removes it
  const std::string bajty = ReadAll(dobra);
  ASSERT_GT(bajty.size(), 8192u);
  sqlite3* blokada = nullptr;
  struct Przypadek {
    const char* co;
    std::function<void(const std::string&)> przygotuj;
    const char* powod;
    bool przyZmianie;  // opens, reads, then refuses the change
  } przypadki[] = {
      {"not a database", [](const std::string& f) { WriteAll(f, std::string(300, 'x')); },
       "to nie jest plik bazy danych", false},
      {"truncated", [&](const std::string& f) { WriteAll(f, bajty.substr(0, bajty.size() / 2)); }, "obcięty", false},
      {"damaged",
       [&](const std::string& f) {
         std::string b = bajty;
         // Every page after the first gets a page header no b-tree has.
         for (std::size_t i = 4096; i + 8 <= b.size(); i += 4096) b.replace(i, 8, "\x55\x01\x02\x03\x04\x05\x06\x07");
         WriteAll(f, b);
       },
       "uszkodzony", false},
      {"another program's database", [](const std::string& f) { Sql(f, "CREATE TABLE notatki(x);"); },
       "innego programu", false},
      {"newer version",
       [&](const std::string& f) {
         WriteAll(f, bajty);
         Sql(f, "PRAGMA user_version = 2;");
       },
       "wersję 2, nowszą", false},
      {"read-only",
       [&](const std::string& f) {
         WriteAll(f, bajty);
         ::chmod(f.c_str(), 0444);
       },
       "tylko do odczytu", true},
      {"busy",
       [&](const std::string& f) {
         WriteAll(f, bajty);
         ASSERT_EQ(sqlite3_open(f.c_str(), &blokada), SQLITE_OK);
         ASSERT_EQ(sqlite3_exec(blokada, "PRAGMA journal_mode=WAL; BEGIN IMMEDIATE;", nullptr, nullptr, nullptr),
                   SQLITE_OK);
       },
       "zajęty przez inny program (czekano 0,2 s)", true},
  };
  int n = 0;
  for (const Przypadek& p : przypadki) {
    const std::string plik = dir.path() + "/" + std::to_string(n++) + ".db";
    p.przygotuj(plik);
    const std::string przed = ReadAll(plik);
    test::BezPrzywilejow bez;  // root obeys the file's mode too
    try {
      OpcjeBazy o;
      o.czekanieMs = 200;
      auto m = OtworzBazeSqlite(plik, o);
      ASSERT_TRUE(p.przyZmianie) << p.co << ": opened";
      EXPECT_EQ(m->Turbiny().size(), 40u) << p.co;
      m->Importuj(Przyklad("TG-99"), false);
      ADD_FAILURE() << p.co << ": change not refused";
    } catch (const BladPlikuBazy& b) {
      EXPECT_NE(std::string(b.what()).find("baza turbin " + plik + ": "), std::string::npos)
          << p.co << ": " << b.what();
      EXPECT_NE(std::string(b.what()).find(p.powod), std::string::npos) << p.co << ": " << b.what();
    }
    EXPECT_EQ(ReadAll(plik), przed) << p.co;
    if (blokada) {
      sqlite3_close(blokada);
      blokada = nullptr;
    }
  }
}

TEST(Magazyn, FirstVersionFileOpensAndMigrates) {
  TempDir dir;
  const std::string plik = dir.path() + "/wersja1.db";
  const std::string zrodlo = std::string(KALORIMO_TURBINY_FIXTURES) + "/wersja1.sql";
  const std::string sql = ReadAll(zrodlo);
  ASSERT_FALSE(sql.empty()) << zrodlo;
  Sql(plik, sql);
  {
    auto m = OtworzBaze(plik);
    const auto d = m->Wczytaj("TG-4");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->turbina.opis, "blok 4");
    ASSERT_EQ(d->turbina.punkty.size(), 2u);
    EXPECT_TRUE(d->turbina.punkty[1].nadcisnienie);
    ASSERT_EQ(d->kampanie.size(), 1u);
    EXPECT_EQ(d->kampanie[0].odczyty.at("PS").n, 720);
    const auto s = m->Surowe("TG-4", "2025-10-odb");
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].czas, (std::vector<double>{0, 5}));
    EXPECT_EQ(s[0].wartosc[0], 535.2);
    EXPECT_TRUE(std::isnan(s[0].wartosc[1]));
    m->ZapiszKampanie("TG-4", Przyklad().kampanie[1], {});  // and takes changes
  }
  // Brought up to date, it has the version and the very schema of a file made new.
  const std::string nowa = dir.path() + "/nowa.db";
  OtworzBaze(nowa);
  EXPECT_EQ(Schemat(plik), Schemat(nowa));
  EXPECT_NE(Schemat(plik).find("user_version " + std::to_string(kWersjaSchematu)), std::string::npos);
}

}  // namespace
}  // namespace kal::turbiny
