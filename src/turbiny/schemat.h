// The turbine database's schema and its forward migrations. The file's version is kept in
// PRAGMA user_version; each step takes the file one version up inside the caller's transaction.
#pragma once
#include <sqlite3.h>

#include <string>
#include <vector>

namespace kal::turbiny {

// The version this program writes; a file of a newer one is refused.
inline constexpr int kWersjaSchematu = 1;
// PRAGMA application_id of a Kalorimo turbine file ("KALT").
inline constexpr int kIdAplikacji = 0x4B414C54;

struct KrokMigracji {
  int doWersji;     // the version the file has after this step
  const char* sql;  // statements run in order
};

// Every step from an empty file (version 0) to kWersjaSchematu, in order.
const std::vector<KrokMigracji>& KrokiMigracji();

// Takes the file from `wersja` to kWersjaSchematu and sets user_version; the caller holds a write
// transaction. Returns "" or SQLite's text of the failure.
std::string Migruj(sqlite3* db, int wersja);

}  // namespace kal::turbiny
