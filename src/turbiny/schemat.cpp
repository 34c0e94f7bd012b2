#include "turbiny/schemat.h"

namespace kal::turbiny {

namespace {

// Version 1: the turbine (points, sections, the last CSV mapping), its campaigns with one row of
// readings per point, and the raw series of an imported campaign as little-endian doubles.
// Positions (poz) keep the document's order. Deleting a turbine or a campaign takes its rows along.
const char* const kWersja1 = R"sql(
CREATE TABLE turbina (
  id INTEGER PRIMARY KEY,
  nazwa TEXT NOT NULL UNIQUE,
  opis TEXT NOT NULL DEFAULT '',
  mapowanie TEXT NOT NULL DEFAULT ''
);
CREATE TABLE punkt (
  turbina INTEGER NOT NULL REFERENCES turbina(id) ON DELETE CASCADE,
  poz INTEGER NOT NULL,
  id TEXT NOT NULL,
  nazwa TEXT NOT NULL DEFAULT '',
  jednostka_p TEXT NOT NULL,
  nadcisnienie INTEGER NOT NULL,
  u_p REAL NOT NULL,
  u_p_procent INTEGER NOT NULL,
  u_t REAL NOT NULL,
  limit_p REAL NOT NULL,
  limit_p_min_kpa REAL NOT NULL,
  limit_t REAL NOT NULL,
  PRIMARY KEY (turbina, id)
) WITHOUT ROWID;
CREATE TABLE odcinek (
  turbina INTEGER NOT NULL REFERENCES turbina(id) ON DELETE CASCADE,
  poz INTEGER NOT NULL,
  nazwa TEXT NOT NULL,
  wlot TEXT NOT NULL,
  wylot TEXT NOT NULL,
  rodzaj_wylotu TEXT NOT NULL,
  eta_projekt REAL,
  PRIMARY KEY (turbina, poz)
) WITHOUT ROWID;
CREATE TABLE kampania (
  id INTEGER PRIMARY KEY,
  turbina INTEGER NOT NULL REFERENCES turbina(id) ON DELETE CASCADE,
  kod TEXT NOT NULL,
  data TEXT NOT NULL,
  rodzaj TEXT NOT NULL,
  etykieta TEXT NOT NULL DEFAULT '',
  moc_mw REAL,
  otoczenie_kpa REAL NOT NULL,
  u_otoczenie_kpa REAL NOT NULL,
  u_otoczenie_random REAL,
  UNIQUE (turbina, kod)
);
CREATE TABLE odczyt (
  kampania INTEGER NOT NULL REFERENCES kampania(id) ON DELETE CASCADE,
  punkt TEXT NOT NULL,
  p REAL, t REAL, h REAL, u_h REAL, u_p_random REAL, u_t_random REAL, n INTEGER,
  PRIMARY KEY (kampania, punkt)
) WITHOUT ROWID;
CREATE TABLE seria (
  kampania INTEGER NOT NULL REFERENCES kampania(id) ON DELETE CASCADE,
  poz INTEGER NOT NULL,
  kolumna TEXT NOT NULL,
  punkt TEXT NOT NULL,
  wielkosc TEXT NOT NULL,
  czas BLOB NOT NULL,
  wartosc BLOB NOT NULL,
  PRIMARY KEY (kampania, poz)
) WITHOUT ROWID;
)sql";

}  // namespace

const std::vector<KrokMigracji>& KrokiMigracji() {
  // A new version appends its step here (ALTER TABLE, new tables, data moved over); the steps
  // already shipped never change, since files of every version must come up to the newest.
  static const std::vector<KrokMigracji> kroki = {{1, kWersja1}};
  return kroki;
}

std::string Migruj(sqlite3* db, int wersja) {
  for (const KrokMigracji& k : KrokiMigracji()) {
    if (k.doWersji <= wersja) continue;
    char* blad = nullptr;
    if (sqlite3_exec(db, k.sql, nullptr, nullptr, &blad) != SQLITE_OK) {
      std::string tekst = blad ? blad : "nieznany błąd";
      sqlite3_free(blad);
      return "migracja do wersji " + std::to_string(k.doWersji) + ": " + tekst;
    }
    wersja = k.doWersji;
  }
  const std::string ustaw = "PRAGMA user_version = " + std::to_string(kWersjaSchematu) +
                            "; PRAGMA application_id = " + std::to_string(kIdAplikacji) + ";";
  char* blad = nullptr;
  if (sqlite3_exec(db, ustaw.c_str(), nullptr, nullptr, &blad) != SQLITE_OK) {
    std::string tekst = blad ? blad : "nieznany błąd";
    sqlite3_free(blad);
    return tekst;
  }
  return "";
}

}  // namespace kal::turbiny
