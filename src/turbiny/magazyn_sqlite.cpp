// The workbench's SQLite file: one transaction per method, WAL so readers never wait for a
// writer, and the file checked when opened so a damaged one is refused before anything reads it.
#include "turbiny/magazyn_sqlite.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>

#include "turbiny/schemat.h"

namespace kal::turbiny {

namespace {

// Little-endian doubles, bit for bit (a missing sample's NaN included).
std::string NaBlob(const std::vector<double>& v) {
  std::string b(v.size() * 8, '\0');
  for (std::size_t i = 0; i < v.size(); ++i) {
    std::uint64_t u = 0;
    std::memcpy(&u, &v[i], 8);
    for (std::size_t j = 0; j < 8; ++j) b[i * 8 + j] = static_cast<char>((u >> (8 * j)) & 0xFFu);
  }
  return b;
}

bool ZBlobu(const void* dane, int rozmiar, std::vector<double>& v) {
  if (rozmiar < 0 || rozmiar % 8 != 0) return false;
  const auto* p = static_cast<const unsigned char*>(dane);
  v.resize(static_cast<std::size_t>(rozmiar) / 8);
  for (std::size_t i = 0; i < v.size(); ++i) {
    std::uint64_t u = 0;
    for (std::size_t j = 0; j < 8; ++j) u |= static_cast<std::uint64_t>(p[i * 8 + j]) << (8 * j);
    std::memcpy(&v[i], &u, 8);
  }
  return true;
}

std::uint32_t Be32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
}

// "10" or "0,2": the wait as the message gives it.
std::string Sekundy(int ms) {
  std::string s = std::to_string(ms / 1000);
  if (ms % 1000 != 0) s += "," + std::to_string(ms % 1000 / 100);
  return s;
}

class BazaSqlite;

// One prepared statement; columns and parameters counted from 1 and 0 as SQLite does. The store
// keeps it for the next use of the same text (every turbine read runs the same few).
class Zapytanie {
 public:
  Zapytanie(BazaSqlite& baza, const char* sql);
  ~Zapytanie();
  Zapytanie(const Zapytanie&) = delete;
  Zapytanie& operator=(const Zapytanie&) = delete;

  Zapytanie& Tekst(int i, const std::string& s) {
    Sprawdz(sqlite3_bind_text(st_, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT));
    return *this;
  }
  Zapytanie& Liczba(int i, double x) {
    Sprawdz(sqlite3_bind_double(st_, i, x));
    return *this;
  }
  Zapytanie& Calk(int i, std::int64_t x) {
    Sprawdz(sqlite3_bind_int64(st_, i, x));
    return *this;
  }
  Zapytanie& Opcja(int i, const std::optional<double>& x) {
    Sprawdz(x ? sqlite3_bind_double(st_, i, *x) : sqlite3_bind_null(st_, i));
    return *this;
  }
  Zapytanie& Blob(int i, const std::string& b) {
    Sprawdz(sqlite3_bind_blob(st_, i, b.data(), static_cast<int>(b.size()), SQLITE_TRANSIENT));
    return *this;
  }
  // True while a row is there.
  bool Krok();
  // Runs a statement that returns no rows, then makes it ready to run again.
  void Wykonaj() {
    while (Krok()) {
    }
    Od();
  }
  void Od() {
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
  }

  std::string T(int i) const {
    const unsigned char* p = sqlite3_column_text(st_, i);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(sqlite3_column_bytes(st_, i)))
             : std::string();
  }
  double D(int i) const { return sqlite3_column_double(st_, i); }
  std::int64_t I(int i) const { return sqlite3_column_int64(st_, i); }
  bool Null(int i) const { return sqlite3_column_type(st_, i) == SQLITE_NULL; }
  std::optional<double> O(int i) const { return Null(i) ? std::nullopt : std::optional<double>(D(i)); }
  bool B(int i, std::vector<double>& v) const {
    return ZBlobu(sqlite3_column_blob(st_, i), sqlite3_column_bytes(st_, i), v);
  }

 private:
  void Sprawdz(int kod);
  BazaSqlite& baza_;
  const char* sql_;
  sqlite3_stmt* st_ = nullptr;
};

class BazaSqlite : public Magazyn {
 public:
  BazaSqlite(std::string sciezka, const OpcjeBazy& opcje) : sciezka_(std::move(sciezka)), opcje_(opcje) {}
  ~BazaSqlite() override {
    ZwolnijZapytania();
    sqlite3_close(db_);
  }
  BazaSqlite(const BazaSqlite&) = delete;
  BazaSqlite& operator=(const BazaSqlite&) = delete;

  void Otworz();

  std::vector<std::string> Turbiny() override;
  std::optional<Dokument> Wczytaj(const std::string& nazwa) override;
  void Importuj(const Dokument& d, bool zastap) override;
  void ZapiszTurbine(const Turbina& t) override;
  void ZapiszKampanie(const std::string& turbina, const Kampania& k, const std::vector<Seria>& surowe) override;
  void ZapiszImport(const std::string& turbina, const std::string& mapowanie, const Kampania& k,
                    const std::vector<Seria>& surowe) override;
  void UsunKampanie(const std::string& turbina, const std::string& kampania) override;
  std::vector<Seria> Surowe(const std::string& turbina, const std::string& kampania) override;

  // The file refused: its path and why.
  [[noreturn]] void Odmowa(const std::string& powod) const {
    throw BladPlikuBazy("baza turbin " + sciezka_ + ": " + powod);
  }
  // The data refused (the file is fine).
  [[noreturn]] void OdmowaDanych(const std::string& powod) const {
    throw BladTurbiny("baza turbin " + sciezka_ + ": " + powod);
  }
  [[noreturn]] void BladSqlite(int kod) const { Odmowa(Powod(kod)); }

  std::string Powod(int kod) const {
    switch (kod & 0xFF) {
      case SQLITE_NOTADB:
        return "to nie jest plik bazy danych";
      case SQLITE_CORRUPT:
        return "plik jest uszkodzony (" + std::string(sqlite3_errmsg(db_)) + ")";
      case SQLITE_BUSY:
      case SQLITE_LOCKED:
        return "plik jest zajęty przez inny program (czekano " + Sekundy(opcje_.czekanieMs) +
               " s); nic nie zapisano, spróbuj ponownie";
      case SQLITE_READONLY:
        return "plik jest tylko do odczytu; nic nie zapisano";
      case SQLITE_FULL:
        return "brak miejsca na dysku; nic nie zapisano";
      case SQLITE_CANTOPEN:
        return "nie można otworzyć ani utworzyć pliku";
      case SQLITE_IOERR:
        return "błąd odczytu lub zapisu pliku";
      case SQLITE_NOMEM:
        return "brak pamięci";
      case SQLITE_CONSTRAINT:
        return "dane niespójne (" + std::string(sqlite3_errmsg(db_)) + "); nic nie zapisano";
      default:
        break;
    }
    return "błąd bazy danych (" + std::string(sqlite3_errmsg(db_)) + ")";
  }

  sqlite3* db() const { return db_; }

  // A statement of this text kept from before (taken out while in use), or none.
  sqlite3_stmt* Wez(const char* sql) {
    const auto it = zapytania_.find(sql);
    if (it == zapytania_.end()) return nullptr;
    sqlite3_stmt* st = it->second;
    zapytania_.erase(it);
    return st;
  }
  // Back after use, ready to run again.
  void Oddaj(const char* sql, sqlite3_stmt* st) {
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (!zapytania_.emplace(sql, st).second) sqlite3_finalize(st);
  }
  void ZwolnijZapytania() {
    for (const auto& z : zapytania_) sqlite3_finalize(z.second);
    zapytania_.clear();
  }

  void Exec(const char* sql) {
    const int kod = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (kod != SQLITE_OK) BladSqlite(kod);
  }

  void DoZapisu() const {
    if (!powodTylkoOdczyt_.empty()) Odmowa(powodTylkoOdczyt_);
  }

 private:
  // One transaction: BEGIN IMMEDIATE for a change (the write lock taken at once, so a busy file
  // is found before any work), a plain BEGIN for a consistent read; rolled back unless committed.
  class Transakcja {
   public:
    Transakcja(BazaSqlite& b, bool zapis) : b_(b) {
      if (zapis) b.DoZapisu();
      b.Exec(zapis ? "BEGIN IMMEDIATE" : "BEGIN");
      otwarta_ = true;
    }
    ~Transakcja() {
      if (otwarta_) sqlite3_exec(b_.db(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transakcja(const Transakcja&) = delete;
    Transakcja& operator=(const Transakcja&) = delete;
    void Zatwierdz() {
      const int kod = sqlite3_exec(b_.db(), "COMMIT", nullptr, nullptr, nullptr);
      if (kod != SQLITE_OK) b_.BladSqlite(kod);  // the destructor rolls back what is left
      otwarta_ = false;
    }

   private:
    BazaSqlite& b_;
    bool otwarta_ = false;
  };

  void SprawdzNaglowek();
  std::optional<std::int64_t> IdTurbiny(const std::string& nazwa);
  std::int64_t WstawTurbine(const Turbina& t);
  void WstawPunktyIOdcinki(std::int64_t id, const Turbina& t);
  void WstawKampanie(std::int64_t turbina, const Kampania& k, const std::vector<Seria>& surowe);

  std::string sciezka_;
  OpcjeBazy opcje_;
  sqlite3* db_ = nullptr;
  std::string powodTylkoOdczyt_;                              // "" when changes may be written
  bool bezSchematu_ = false;                                  // an empty file opened read-only: nothing in it yet
  std::unordered_map<const char*, sqlite3_stmt*> zapytania_;  // by the text's address: the code's literals
};

Zapytanie::Zapytanie(BazaSqlite& baza, const char* sql) : baza_(baza), sql_(sql), st_(baza.Wez(sql)) {
  if (st_) return;
  const int kod = sqlite3_prepare_v3(baza.db(), sql, -1, SQLITE_PREPARE_PERSISTENT, &st_, nullptr);
  if (kod != SQLITE_OK) {
    sqlite3_finalize(st_);
    baza.BladSqlite(kod);
  }
}

Zapytanie::~Zapytanie() {
  if (st_) baza_.Oddaj(sql_, st_);
}

void Zapytanie::Sprawdz(int kod) {
  if (kod != SQLITE_OK) baza_.BladSqlite(kod);
}

bool Zapytanie::Krok() {
  const int kod = sqlite3_step(st_);
  if (kod == SQLITE_ROW) return true;
  if (kod == SQLITE_DONE) return false;
  baza_.BladSqlite(kod);
}

// Before SQLite reads the file: a regular file, the SQLite header, whole pages and as many of them
// as the header counts (a cut file is told as such, not only as a failed check).
void BazaSqlite::SprawdzNaglowek() {
  struct stat s {};
  if (::stat(sciezka_.c_str(), &s) != 0) {
    if (errno == ENOENT && !opcje_.tylkoOdczyt) return;  // a new file
    Odmowa(errno == ENOENT ? "plik nie istnieje" : std::string("nie można odczytać pliku: ") + std::strerror(errno));
  }
  if (!S_ISREG(s.st_mode)) Odmowa("to nie jest plik bazy danych (nie zwykły plik)");
  if (s.st_size == 0) return;  // SQLite takes an empty file as an empty database
  const int fd = ::open(sciezka_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Odmowa(std::string("nie można odczytać pliku: ") + std::strerror(errno));
  unsigned char h[100] = {};
  const ssize_t n = ::read(fd, h, sizeof h);
  ::close(fd);
  if (n < 0) Odmowa(std::string("nie można odczytać pliku: ") + std::strerror(errno));
  if (n < 100 || std::memcmp(h, "SQLite format 3", 16) != 0)
    Odmowa("to nie jest plik bazy danych (brak nagłówka SQLite)");
  std::uint32_t strona = (std::uint32_t{h[16]} << 8) | h[17];
  if (strona == 1) strona = 65536;
  if (strona < 512 || strona > 65536 || (strona & (strona - 1)) != 0)
    Odmowa("plik jest uszkodzony (błędny rozmiar strony w nagłówku)");
  const auto rozmiar = static_cast<std::uint64_t>(s.st_size);
  if (rozmiar % strona != 0) Odmowa("plik jest uszkodzony (obcięty: niepełna strona na końcu)");
  // The header's page count holds when its change counter matches; pages still in the write-ahead
  // log may not have reached the file yet, so only a file without a log is measured by it.
  struct stat w {};
  const bool log = ::stat((sciezka_ + "-wal").c_str(), &w) == 0 && w.st_size > 0;
  if (!log && Be32(h + 24) == Be32(h + 92)) {
    const std::uint64_t strony = Be32(h + 28);
    if (strony > 0 && rozmiar < strony * strona)
      Odmowa("plik jest uszkodzony (obcięty: " + std::to_string(rozmiar) + " z " + std::to_string(strony * strona) +
             " bajtów)");
  }
}

void BazaSqlite::Otworz() {
  SprawdzNaglowek();
  bool tylkoOdczyt = opcje_.tylkoOdczyt;
  if (tylkoOdczyt) {
    powodTylkoOdczyt_ = "otwarta tylko do odczytu; nic nie zapisano";
  } else if (::access(sciezka_.c_str(), F_OK) == 0) {
    // Effective rights (root without its override capabilities obeys the mode as well).
    const int fd = ::open(sciezka_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
      ::close(fd);
    } else if (errno == EACCES || errno == EPERM || errno == EROFS) {
      tylkoOdczyt = true;
      powodTylkoOdczyt_ = "plik jest tylko do odczytu; nic nie zapisano";
    }
  }
  // One store is used by one thread at a time: SQLite's own locking of each call is not needed.
  const int flagi =
      SQLITE_OPEN_NOMUTEX | (tylkoOdczyt ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
  int kod = sqlite3_open_v2(sciezka_.c_str(), &db_, flagi, nullptr);
  if (kod != SQLITE_OK) BladSqlite(kod);
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, opcje_.czekanieMs);

  int wersja = 0, aplikacja = 0;
  bool tabele = false;
  {
    sqlite3_stmt* st = nullptr;
    kod = sqlite3_prepare_v2(db_, "PRAGMA user_version", -1, &st, nullptr);
    if (kod == SQLITE_OK) kod = sqlite3_step(st);
    if (kod == SQLITE_ROW) wersja = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    struct stat w {};
    const bool log = ::stat((sciezka_ + "-wal").c_str(), &w) == 0 && w.st_size > 0;
    // A read-only file in a folder we cannot write has no room for the log's index; with no log
    // there is nothing of another writer to see, so it is read as it lies.
    if (tylkoOdczyt && !log && ((kod & 0xFF) == SQLITE_READONLY || (kod & 0xFF) == SQLITE_CANTOPEN)) {
      ZwolnijZapytania();
      sqlite3_close(db_);
      db_ = nullptr;
      std::string uri = "file:";
      for (const char c : sciezka_) {
        if (c == '%' || c == '?' || c == '#') {
          char b[4];
          std::snprintf(b, sizeof b, "%%%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
          uri += b;
        } else {
          uri += c;
        }
      }
      uri += "?immutable=1";
      kod = sqlite3_open_v2(uri.c_str(), &db_, SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
      if (kod != SQLITE_OK) BladSqlite(kod);
      sqlite3_extended_result_codes(db_, 1);
      Zapytanie q(*this, "PRAGMA user_version");
      if (q.Krok()) wersja = static_cast<int>(q.I(0));
    } else if (kod != SQLITE_ROW && kod != SQLITE_DONE) {
      BladSqlite(kod);
    }
  }
  {
    Zapytanie q(*this, "PRAGMA application_id");
    if (q.Krok()) aplikacja = static_cast<int>(q.I(0));
  }
  {
    Zapytanie q(*this, "PRAGMA quick_check");
    if (q.Krok() && q.T(0) != "ok") Odmowa("plik jest uszkodzony (" + q.T(0) + ")");
  }
  {
    Zapytanie q(*this, "SELECT count(*) FROM sqlite_master");
    tabele = q.Krok() && q.I(0) > 0;
  }
  if (aplikacja != 0 && aplikacja != kIdAplikacji) Odmowa("to nie jest baza turbin (plik innego programu)");
  if (wersja > kWersjaSchematu)
    Odmowa("plik ma wersję " + std::to_string(wersja) + ", nowszą niż znana temu programowi (" +
           std::to_string(kWersjaSchematu) + "); potrzebny nowszy Kalorimo");
  if (wersja == 0 && tabele) Odmowa("to nie jest baza turbin (plik innego programu)");
  if (wersja < 0) Odmowa("plik jest uszkodzony (wersja " + std::to_string(wersja) + ")");

  Exec("PRAGMA foreign_keys = ON");
  if (tylkoOdczyt) {
    if (wersja == 0) {
      bezSchematu_ = true;
    } else if (wersja < kWersjaSchematu) {
      Odmowa("plik w wersji " + std::to_string(wersja) + " trzeba uaktualnić, a jest tylko do odczytu");
    }
    return;
  }
  {
    Zapytanie q(*this, "PRAGMA journal_mode = WAL");
    if (!q.Krok() || q.T(0) != "wal") Odmowa("nie można włączyć dziennika zapisu z wyprzedzeniem (WAL)");
  }
  if (wersja < kWersjaSchematu) {
    Transakcja t(*this, true);
    Zapytanie q(*this, "PRAGMA user_version");
    wersja = q.Krok() ? static_cast<int>(q.I(0)) : 0;  // another process may have done it meanwhile
    q.Od();
    if (wersja < kWersjaSchematu) {
      const std::string blad = Migruj(db_, wersja);
      if (!blad.empty()) Odmowa(blad);
    }
    t.Zatwierdz();
  }
}

std::vector<std::string> BazaSqlite::Turbiny() {
  std::vector<std::string> v;
  if (bezSchematu_) return v;
  Transakcja t(*this, false);
  Zapytanie q(*this, "SELECT nazwa FROM turbina ORDER BY nazwa");
  while (q.Krok()) v.push_back(q.T(0));
  return v;
}

std::optional<std::int64_t> BazaSqlite::IdTurbiny(const std::string& nazwa) {
  Zapytanie q(*this, "SELECT id FROM turbina WHERE nazwa = ?");
  q.Tekst(1, nazwa);
  if (!q.Krok()) return std::nullopt;
  return q.I(0);
}

std::optional<Dokument> BazaSqlite::Wczytaj(const std::string& nazwa) {
  if (bezSchematu_) return std::nullopt;
  Transakcja tr(*this, false);
  Dokument d;
  Turbina& t = d.turbina;
  std::int64_t id = 0;
  {
    Zapytanie q(*this, "SELECT id, nazwa, opis, mapowanie FROM turbina WHERE nazwa = ?");
    q.Tekst(1, nazwa);
    if (!q.Krok()) return std::nullopt;
    id = q.I(0);
    t.nazwa = q.T(1);
    t.opis = q.T(2);
    t.mapowanie = q.T(3);
  }
  {
    Zapytanie q(*this,
                "SELECT id, nazwa, jednostka_p, nadcisnienie, u_p, u_p_procent, u_t, limit_p, limit_p_min_kpa, limit_t "
                "FROM punkt WHERE turbina = ? ORDER BY poz");
    q.Calk(1, id);
    while (q.Krok()) {
      PunktPomiarowy p;
      p.id = q.T(0);
      p.nazwa = q.T(1);
      p.jednostkaP = q.T(2);
      p.nadcisnienie = q.I(3) != 0;
      p.U_p = q.D(4);
      p.U_p_procent = q.I(5) != 0;
      p.U_t = q.D(6);
      p.limity.p = q.D(7);
      p.limity.p_min_kPa = q.D(8);
      p.limity.t = q.D(9);
      t.punkty.push_back(std::move(p));
    }
  }
  {
    Zapytanie q(*this,
                "SELECT nazwa, wlot, wylot, rodzaj_wylotu, eta_projekt FROM odcinek WHERE turbina = ? ORDER BY poz");
    q.Calk(1, id);
    while (q.Krok()) {
      Odcinek o;
      o.nazwa = q.T(0);
      o.wlot = q.T(1);
      o.wylot = q.T(2);
      const auto w = WylotZNazwy(q.T(3));
      if (!w) Odmowa("plik jest uszkodzony (odcinek " + o.nazwa + ": nieznany rodzaj wylotu \"" + q.T(3) + "\")");
      o.rodzajWylotu = *w;
      o.etaProjekt = q.O(4);
      t.odcinki.push_back(std::move(o));
    }
  }
  std::map<std::int64_t, std::size_t> indeks;
  {
    Zapytanie q(*this,
                "SELECT id, kod, data, rodzaj, etykieta, moc_mw, otoczenie_kpa, u_otoczenie_kpa, u_otoczenie_random "
                "FROM kampania WHERE turbina = ? ORDER BY id");
    q.Calk(1, id);
    while (q.Krok()) {
      Kampania k;
      k.id = q.T(1);
      k.data = q.T(2);
      const auto r = RodzajZNazwy(q.T(3));
      if (!r) Odmowa("plik jest uszkodzony (pomiar " + k.id + ": nieznany rodzaj \"" + q.T(3) + "\")");
      k.rodzaj = *r;
      k.etykieta = q.T(4);
      k.mocMW = q.O(5);
      k.otoczenieKPa = q.D(6);
      k.U_otoczenieKPa = q.D(7);
      k.u_otoczenieRandom = q.O(8);
      indeks[q.I(0)] = d.kampanie.size();
      d.kampanie.push_back(std::move(k));
    }
  }
  {
    Zapytanie q(*this,
                "SELECT o.kampania, o.punkt, o.p, o.t, o.h, o.u_h, o.u_p_random, o.u_t_random, o.n "
                "FROM odczyt o JOIN kampania k ON k.id = o.kampania WHERE k.turbina = ?");
    q.Calk(1, id);
    while (q.Krok()) {
      Odczyt o;
      o.p = q.O(2);
      o.t = q.O(3);
      o.h = q.O(4);
      o.U_h = q.O(5);
      o.u_p_random = q.O(6);
      o.u_t_random = q.O(7);
      if (!q.Null(8)) o.n = static_cast<long>(q.I(8));
      d.kampanie[indeks.at(q.I(0))].odczyty[q.T(1)] = o;
    }
  }
  tr.Zatwierdz();
  return d;
}

std::int64_t BazaSqlite::WstawTurbine(const Turbina& t) {
  Zapytanie q(*this, "INSERT INTO turbina (nazwa, opis, mapowanie) VALUES (?, ?, ?)");
  q.Tekst(1, t.nazwa).Tekst(2, t.opis).Tekst(3, t.mapowanie).Wykonaj();
  return sqlite3_last_insert_rowid(db_);
}

void BazaSqlite::WstawPunktyIOdcinki(std::int64_t id, const Turbina& t) {
  Zapytanie p(*this,
              "INSERT INTO punkt (turbina, poz, id, nazwa, jednostka_p, nadcisnienie, u_p, u_p_procent, u_t, limit_p, "
              "limit_p_min_kpa, limit_t) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  std::int64_t poz = 0;
  for (const PunktPomiarowy& x : t.punkty) {
    p.Calk(1, id).Calk(2, poz++).Tekst(3, x.id).Tekst(4, x.nazwa).Tekst(5, x.jednostkaP);
    p.Calk(6, x.nadcisnienie ? 1 : 0).Liczba(7, x.U_p).Calk(8, x.U_p_procent ? 1 : 0).Liczba(9, x.U_t);
    p.Liczba(10, x.limity.p).Liczba(11, x.limity.p_min_kPa).Liczba(12, x.limity.t).Wykonaj();
  }
  Zapytanie o(*this,
              "INSERT INTO odcinek (turbina, poz, nazwa, wlot, wylot, rodzaj_wylotu, eta_projekt) "
              "VALUES (?, ?, ?, ?, ?, ?, ?)");
  poz = 0;
  for (const Odcinek& x : t.odcinki) {
    o.Calk(1, id).Calk(2, poz++).Tekst(3, x.nazwa).Tekst(4, x.wlot).Tekst(5, x.wylot);
    o.Tekst(6, NazwaWylotu(x.rodzajWylotu)).Opcja(7, x.etaProjekt).Wykonaj();
  }
}

namespace {

// A campaign's own fields from parameter `od` on, in the order both the insert and the update
// name them: data, rodzaj, etykieta, moc_mw, otoczenie_kpa, u_otoczenie_kpa, u_otoczenie_random.
Zapytanie& PolaKampanii(Zapytanie& q, int od, const Kampania& k) {
  return q.Tekst(od, k.data)
      .Tekst(od + 1, NazwaRodzaju(k.rodzaj))
      .Tekst(od + 2, k.etykieta)
      .Opcja(od + 3, k.mocMW)
      .Liczba(od + 4, k.otoczenieKPa)
      .Liczba(od + 5, k.U_otoczenieKPa)
      .Opcja(od + 6, k.u_otoczenieRandom);
}

}  // namespace

void BazaSqlite::WstawKampanie(std::int64_t turbina, const Kampania& k, const std::vector<Seria>& surowe) {
  if (k.id.empty()) OdmowaDanych("pomiar bez identyfikatora; nic nie zapisano");
  std::int64_t id = 0;
  {
    Zapytanie q(*this, "SELECT id FROM kampania WHERE turbina = ? AND kod = ?");
    q.Calk(1, turbina).Tekst(2, k.id);
    if (q.Krok()) id = q.I(0);
  }
  if (id != 0) {
    // Replaced in place, so it keeps its place among the turbine's campaigns.
    Zapytanie u(*this,
                "UPDATE kampania SET data = ?, rodzaj = ?, etykieta = ?, moc_mw = ?, otoczenie_kpa = ?, "
                "u_otoczenie_kpa = ?, u_otoczenie_random = ? WHERE id = ?");
    PolaKampanii(u, 1, k).Calk(8, id).Wykonaj();
    Zapytanie d1(*this, "DELETE FROM odczyt WHERE kampania = ?");
    d1.Calk(1, id).Wykonaj();
    Zapytanie d2(*this, "DELETE FROM seria WHERE kampania = ?");
    d2.Calk(1, id).Wykonaj();
  } else {
    Zapytanie q(*this,
                "INSERT INTO kampania (turbina, kod, data, rodzaj, etykieta, moc_mw, otoczenie_kpa, u_otoczenie_kpa, "
                "u_otoczenie_random) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    PolaKampanii(q.Calk(1, turbina).Tekst(2, k.id), 3, k).Wykonaj();
    id = sqlite3_last_insert_rowid(db_);
  }
  Zapytanie o(*this,
              "INSERT INTO odczyt (kampania, punkt, p, t, h, u_h, u_p_random, u_t_random, n) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
  for (const auto& [punkt, x] : k.odczyty) {
    o.Calk(1, id).Tekst(2, punkt).Opcja(3, x.p).Opcja(4, x.t).Opcja(5, x.h).Opcja(6, x.U_h);
    o.Opcja(7, x.u_p_random).Opcja(8, x.u_t_random);
    if (x.n) o.Calk(9, *x.n);
    o.Wykonaj();
  }
  Zapytanie s(
      *this, "INSERT INTO seria (kampania, poz, kolumna, punkt, wielkosc, czas, wartosc) VALUES (?, ?, ?, ?, ?, ?, ?)");
  std::int64_t poz = 0;
  for (const Seria& x : surowe) {
    s.Calk(1, id).Calk(2, poz++).Tekst(3, x.kolumna).Tekst(4, x.punkt).Tekst(5, x.wielkosc);
    s.Blob(6, NaBlob(x.czas)).Blob(7, NaBlob(x.wartosc)).Wykonaj();
  }
}

void BazaSqlite::Importuj(const Dokument& d, bool zastap) {
  Transakcja tr(*this, true);
  if (d.turbina.nazwa.empty()) OdmowaDanych("turbina bez nazwy; nic nie zapisano");
  if (const auto id = IdTurbiny(d.turbina.nazwa)) {
    if (!zastap) OdmowaDanych("turbina " + d.turbina.nazwa + " już jest w bazie; nic nie zapisano");
    Zapytanie q(*this, "DELETE FROM turbina WHERE id = ?");
    q.Calk(1, *id).Wykonaj();
  }
  const std::int64_t id = WstawTurbine(d.turbina);
  WstawPunktyIOdcinki(id, d.turbina);
  for (const Kampania& k : d.kampanie) {
    Zapytanie q(*this, "SELECT 1 FROM kampania WHERE turbina = ? AND kod = ?");
    q.Calk(1, id).Tekst(2, k.id);
    if (q.Krok()) OdmowaDanych("pomiar " + k.id + " występuje dwa razy; nic nie zapisano");
    WstawKampanie(id, k, {});
  }
  tr.Zatwierdz();
}

void BazaSqlite::ZapiszTurbine(const Turbina& t) {
  Transakcja tr(*this, true);
  if (t.nazwa.empty()) OdmowaDanych("turbina bez nazwy; nic nie zapisano");
  std::int64_t id = 0;
  if (const auto jest = IdTurbiny(t.nazwa)) {
    id = *jest;
    Zapytanie u(*this, "UPDATE turbina SET opis = ?, mapowanie = ? WHERE id = ?");
    u.Tekst(1, t.opis).Tekst(2, t.mapowanie).Calk(3, id).Wykonaj();
    Zapytanie d1(*this, "DELETE FROM punkt WHERE turbina = ?");
    d1.Calk(1, id).Wykonaj();
    Zapytanie d2(*this, "DELETE FROM odcinek WHERE turbina = ?");
    d2.Calk(1, id).Wykonaj();
  } else {
    id = WstawTurbine(t);
  }
  WstawPunktyIOdcinki(id, t);
  tr.Zatwierdz();
}

void BazaSqlite::ZapiszKampanie(const std::string& turbina, const Kampania& k, const std::vector<Seria>& surowe) {
  Transakcja tr(*this, true);
  const auto id = IdTurbiny(turbina);
  if (!id) OdmowaDanych("brak turbiny " + turbina + "; nic nie zapisano");
  WstawKampanie(*id, k, surowe);
  tr.Zatwierdz();
}

void BazaSqlite::ZapiszImport(const std::string& turbina, const std::string& mapowanie, const Kampania& k,
                              const std::vector<Seria>& surowe) {
  Transakcja tr(*this, true);
  const auto id = IdTurbiny(turbina);
  if (!id) OdmowaDanych("brak turbiny " + turbina + "; nic nie zapisano");
  WstawKampanie(*id, k, surowe);
  Zapytanie u(*this, "UPDATE turbina SET mapowanie = ? WHERE id = ?");
  u.Tekst(1, mapowanie).Calk(2, *id).Wykonaj();
  tr.Zatwierdz();
}

void BazaSqlite::UsunKampanie(const std::string& turbina, const std::string& kampania) {
  Transakcja tr(*this, true);
  const auto id = IdTurbiny(turbina);
  if (!id) OdmowaDanych("brak turbiny " + turbina);
  Zapytanie q(*this, "DELETE FROM kampania WHERE turbina = ? AND kod = ?");
  q.Calk(1, *id).Tekst(2, kampania).Wykonaj();
  if (sqlite3_changes(db_) == 0) OdmowaDanych("brak pomiaru " + kampania + " turbiny " + turbina);
  tr.Zatwierdz();
}

std::vector<Seria> BazaSqlite::Surowe(const std::string& turbina, const std::string& kampania) {
  std::vector<Seria> v;
  if (bezSchematu_) return v;
  Transakcja tr(*this, false);
  Zapytanie q(*this,
              "SELECT s.kolumna, s.punkt, s.wielkosc, s.czas, s.wartosc FROM seria s "
              "JOIN kampania k ON k.id = s.kampania JOIN turbina t ON t.id = k.turbina "
              "WHERE t.nazwa = ? AND k.kod = ? ORDER BY s.poz");
  q.Tekst(1, turbina).Tekst(2, kampania);
  while (q.Krok()) {
    Seria s;
    s.kolumna = q.T(0);
    s.punkt = q.T(1);
    s.wielkosc = q.T(2);
    if (!q.B(3, s.czas) || !q.B(4, s.wartosc))
      Odmowa("plik jest uszkodzony (seria " + s.kolumna + " pomiaru " + kampania + ")");
    v.push_back(std::move(s));
  }
  tr.Zatwierdz();
  return v;
}

}  // namespace

std::unique_ptr<Magazyn> OtworzBazeSqlite(const std::string& sciezka, const OpcjeBazy& opcje) {
  auto b = std::make_unique<BazaSqlite>(sciezka, opcje);
  b->Otworz();
  return b;
}

std::unique_ptr<Magazyn> OtworzBaze(const std::string& sciezka, bool tylkoOdczyt) {
  OpcjeBazy o;
  o.tylkoOdczyt = tylkoOdczyt;
  return OtworzBazeSqlite(sciezka, o);
}

}  // namespace kal::turbiny
