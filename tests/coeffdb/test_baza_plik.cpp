// Kalorimo.dat: the default record in a new or empty file, files left alone, record 1 re-read
// on request, and file failures raised as run-time errors with Polish descriptions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "coeffdb/baza_plik.h"
#include "common/errors.h"
#include "steam/mod_kalorimo.h"
#include "support/fs_faults.h"
#include "support/scripted_dialogs.h"

namespace kal::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

double At(const Bytes& img, std::size_t off) {
  std::uint64_t bits = 0;
  for (int k = 0; k < 8; ++k) bits |= static_cast<std::uint64_t>(img[off + k]) << (8 * k);
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

// Writes a double's little-endian bytes at an offset of the image.
void Put(Bytes& img, std::size_t off, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, 8);
  for (int k = 0; k < 8; ++k) img[off + k] = static_cast<std::uint8_t>(bits >> (8 * k));
}

class BazaPlikTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string folder = dir.path() + "/";
  std::string plik = folder + "Kalorimo.dat";
  BazaKalorimo db;
  std::uint8_t Blad = 1;

  Bytes Read() const {
    std::ifstream in(plik, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  void Write(const Bytes& b) const {
    std::ofstream out(plik, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  }
  static Bytes DefaultImage() {
    Baza b;
    std::uint8_t blad = 0;
    CzytArray(b, blad);
    Bytes img(kRecordLen);
    ZapiszRekord(b, img.data());
    return img;
  }
};

TEST_F(BazaPlikTest, NewFileHoldsTheDefaultRecord) {
  db.OtworzBaze(folder, Blad);
  EXPECT_EQ(db.PlikBazy, plik);
  EXPECT_EQ(Blad, 0);
  EXPECT_EQ(db.LiczbaRekordow, 0);
  const Bytes f = Read();
  ASSERT_EQ(f.size(), kRecordLen);
  EXPECT_EQ(At(f, 0), 0.0);
  EXPECT_EQ(At(f, 64), 0.8853863);
  EXPECT_EQ(At(f, 288), 0.578025954);
  EXPECT_EQ(At(f, 560), 167356.7598);
  EXPECT_EQ(At(f, 1232), 0.0);
  EXPECT_EQ(f, DefaultImage());
  Bytes mem(kRecordLen);
  ZapiszRekord(db.baza, mem.data());
  EXPECT_EQ(mem, f);
}

struct LengthCase {
  std::size_t bytes;
  bool getsDefaults;
  std::int16_t records;
};
void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.bytes << " bytes"; }
class BazaPlikLength : public BazaPlikTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(BazaPlikLength, HalfARecordCountsAsNone) {
  const auto c = GetParam();
  Bytes old(c.bytes);
  for (std::size_t k = 0; k < old.size(); ++k) old[k] = static_cast<std::uint8_t>(0xA0 + k % 7);
  Write(old);
  db.OtworzBaze(folder, Blad);
  EXPECT_EQ(db.LiczbaRekordow, c.records);
  const Bytes f = Read();
  if (!c.getsDefaults) {
    EXPECT_EQ(f, old);
    EXPECT_EQ(Blad, 1);  // nothing loaded, nothing cleared
    return;
  }
  ASSERT_EQ(f.size(), std::max<std::size_t>(c.bytes, kRecordLen));
  EXPECT_EQ(Blad, 0);
  EXPECT_EQ(At(f, 64), 0.8853863);
  // Element (0, 0) is never copied: it keeps what was read from the fragment.
  if (c.bytes >= 8)
    EXPECT_TRUE(std::equal(f.begin(), f.begin() + 8, old.begin()));
  else
    EXPECT_EQ(At(f, 0), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Lengths, BazaPlikLength,
                         ::testing::Values(LengthCase{0, true, 0}, LengthCase{8, true, 0}, LengthCase{620, true, 0},
                                           LengthCase{621, false, 1}, LengthCase{1240, false, 1},
                                           LengthCase{1860, false, 2}));

TEST_F(BazaPlikTest, OnlyRecordOneIsReadAndOthersStayUntouched) {
  Bytes f = DefaultImage();
  f[64] ^= 1;  // an edited coefficient in record 1
  Bytes rest(3 * kRecordLen);
  for (std::size_t k = 0; k < rest.size(); ++k) rest[k] = static_cast<std::uint8_t>(k * 13);
  f.insert(f.end(), rest.begin(), rest.end());
  Write(f);
  db.OtworzBaze(folder, Blad);
  EXPECT_EQ(db.LiczbaRekordow, 4);
  db.CzytajRekord1();
  EXPECT_EQ(Read(), f);
  Bytes mem(kRecordLen);
  ZapiszRekord(db.baza, mem.data());
  EXPECT_TRUE(std::equal(mem.begin(), mem.end(), f.begin()));
  EXPECT_NE(db.baza.Tab1[1][1], 0.8853863);
}

TEST_F(BazaPlikTest, SecondOpenWritesNothing) {
  db.OtworzBaze(folder, Blad);
  // The user edits the file between calls: neither a changed nor an emptied record is replaced.
  Bytes edited = DefaultImage();
  edited[300] ^= 0xFF;
  Write(edited);
  Blad = 1;
  db.OtworzBaze(folder, Blad);
  EXPECT_EQ(Read(), edited);
  fs::resize_file(plik, 100);
  db.OtworzBaze(folder, Blad);
  EXPECT_EQ(fs::file_size(plik), 100u);
  EXPECT_EQ(Blad, 1);
}

TEST_F(BazaPlikTest, EditedFileTakesEffectAtTheNextRead) {
  db.OtworzBaze(folder, Blad);
  Bytes edited = DefaultImage();
  Put(edited, 288, 0.6);  // Tab2[1]
  Write(edited);
  db.CzytajRekord1();
  EXPECT_EQ(db.baza.Tab2[1], 0.6);
}

// The record's bytes are read before every calculation: the same bytes keep the decoded record
// and its version (the library's kept values); other bytes are seen even when size and stamps
// stay as they were, as with a shared mapping written in place on tmpfs or on disk.
TEST_F(BazaPlikTest, EditWithTheSameStampsIsSeen) {
  const std::string shm = "/dev/shm";
  for (const std::string& gdzie : {dir.path(), shm}) {
    if (!fs::is_directory(gdzie)) continue;
    const std::string f = gdzie + "/kalorimo_mapa_" + std::to_string(::getpid()) + "/";
    fs::create_directories(f);
    BazaKalorimo b;
    b.OtworzBaze(f, Blad);
    b.CzytajRekord1();
    const std::uint64_t wersja = b.baza.wersja;
    b.CzytajRekord1();
    EXPECT_EQ(b.baza.wersja, wersja) << gdzie;  // same bytes: nothing decoded again
    {
      MapaPliku mapa(f + "Kalorimo.dat");
      ASSERT_TRUE(mapa.ok()) << gdzie;
      b.CzytajRekord1();
      const std::string przed = mapa.Stempel();
      const double v = 0.6;
      mapa.Zapisz(288, &v, sizeof v);  // Tab2[1]
      EXPECT_EQ(mapa.Stempel(), przed) << gdzie;
      b.CzytajRekord1();
      EXPECT_EQ(b.baza.Tab2[1], 0.6) << gdzie;
      EXPECT_NE(b.baza.wersja, wersja) << gdzie;
    }
    fs::remove_all(f);
  }
}

TEST_F(BazaPlikTest, ReadOnceKeepsTheFirstRecordForTheRun) {
  db.czytajRaz = true;
  db.OtworzBaze(folder, Blad);
  db.CzytajRekord1();
  Bytes edited = Read();
  Put(edited, 288, 0.6);
  Write(edited);
  db.CzytajRekord1();
  EXPECT_NE(db.baza.Tab2[1], 0.6);
}

// Editors that save into a new file and rename it over the old one: the next read follows the
// name; a file removed meanwhile leaves the last contents in use.
TEST_F(BazaPlikTest, FileReplacedByRenameTakesEffectAtTheNextRead) {
  db.OtworzBaze(folder, Blad);
  Bytes edited = DefaultImage();
  Put(edited, 288, 0.6);  // Tab2[1]
  {
    std::ofstream out(plik + ".new", std::ios::binary);
    out.write(reinterpret_cast<const char*>(edited.data()), static_cast<std::streamsize>(edited.size()));
  }
  fs::rename(plik + ".new", plik);
  db.CzytajRekord1();
  EXPECT_EQ(db.baza.Tab2[1], 0.6);

  fs::remove(plik);
  db.CzytajRekord1();
  EXPECT_EQ(db.baza.Tab2[1], 0.6);
}

TEST_F(BazaPlikTest, RecordCutShortIsReadAsFarAsItGoes) {
  Bytes f = DefaultImage();
  f.resize(700);
  Write(f);
  db.OtworzBaze(folder, Blad);  // more than half a record: a record, no defaults
  EXPECT_EQ(fs::file_size(plik), 700u);
  db.baza.Tab16[2] = 42.0;
  db.CzytajRekord1();
  EXPECT_EQ(db.baza.Tab1[1][1], 0.8853863);
  EXPECT_EQ(db.baza.Tab16[2], 42.0);  // beyond the end: kept
}

TEST_F(BazaPlikTest, ElementZeroMayHoldAnything) {
  Bytes f = DefaultImage();
  // Row 0 and column 0 of Tab1, element 0 of every other table.
  std::vector<std::size_t> zeroOffsets;
  for (int k = 0; k < 7; ++k) zeroOffsets.push_back(8 * k);
  for (int j = 1; j < 5; ++j) zeroOffsets.push_back(8 * (7 * j));
  for (std::size_t off : {280, 384, 472, 568, 664, 736, 824, 920, 960, 1000, 1040, 1080, 1120, 1160, 1200})
    zeroOffsets.push_back(off);
  for (std::size_t off : zeroOffsets) Put(f, off, -9.5e200);
  Write(f);
  db.OtworzBaze(folder, Blad);
  db.CzytajRekord1();

  Baza defaults;
  std::uint8_t b = 0;
  CzytArray(defaults, b);
  ScriptedDialogs dialogs;
  struct NoWindows : SteamWindows {
    void ZaladujParaMokra() override {}
    void PthBlad(double, double) override {}
    void CisnienieMPaDoOkna(double) override {}
  } windows;
  ModKalorimo junkLib(db.baza, dialogs, windows), refLib(defaults, dialogs, windows);
  for (double p : {0.01, 1.0, 12.0, 21.0}) {
    for (double t : {50.0, 250.0, 400.0, 550.0}) {
      junkLib.Dane_T_P(p, t, 0);
      refLib.Dane_T_P(p, t, 0);
      EXPECT_EQ(junkLib.st.hPary, refLib.st.hPary) << p << " " << t;
      EXPECT_EQ(junkLib.st.sPary, refLib.st.sPary) << p << " " << t;
      EXPECT_EQ(junkLib.st.vPary, refLib.st.vPary) << p << " " << t;
    }
  }
}

TEST_F(BazaPlikTest, MissingFolderIsPathNotFound) {
  try {
    db.OtworzBaze(folder + "nie_ma/", Blad);
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number, 76);
    EXPECT_EQ(e.description, "Nie znaleziono ścieżki");
    EXPECT_EQ(e.lastDllError, ENOENT);
  }
  EXPECT_EQ(db.NrPlikuBazy, 0);
  // A later call with a good folder still opens the file.
  db.OtworzBaze(folder, Blad);
  EXPECT_EQ(db.NrPlikuBazy, 1);
}

TEST_F(BazaPlikTest, FileThatIsAFolderIsAccessError) {
  fs::create_directory(plik);
  try {
    db.OtworzBaze(folder, Blad);
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number, 75);
    EXPECT_EQ(e.description, "Błąd dostępu do ścieżki lub pliku");
  }
}

TEST_F(BazaPlikTest, ReadOnlyFolderIsAccessError) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(db.OtworzBaze(folder, Blad), RunTimeError);
  fs::permissions(dir.path(), fs::perms::owner_all);
}

TEST_F(BazaPlikTest, FullDiskIsReported) {
  // The defaults cannot be written whole (a device in the file's place gets none written).
  PelnyDysk full(100);
  try {
    db.OtworzBaze(folder, Blad);
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number, 61);
    EXPECT_EQ(e.description, "Dysk jest pełny");
    EXPECT_EQ(e.lastDllError, EFBIG);
  }
}

TEST_F(BazaPlikTest, ReadingBeforeOpeningIsAnError) { EXPECT_THROW(db.CzytajRekord1(), RunTimeError); }

}  // namespace
}  // namespace kal::test
