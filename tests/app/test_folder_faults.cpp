// Faults of the data folder: read-only, unusable, lost while running, with blanks and Polish
// letters in its path, and a full disk. Every fault ends in a Polish message, the window keeps
// working and no file that was there is left cut short or half-written.
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/app_fixture.h"
#include "app/tmp_file.h"
#include "common/cp1250.h"
#include "common/file_io.h"
#include "support/file_bytes.h"
#include "support/fs_faults.h"

namespace kal::test {
namespace {

namespace fs = std::filesystem;

using namespace pole;

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

// The error report of a failed file operation: its description names the file.
std::string RaportPliku(int nr, const std::string& path, const std::string& zrodlo, int kodOs,
                        const std::string& whatFormName = "frmKalorimo") {
  return " Wystąpił błąd wykonania nr -> " + std::to_string(nr) + "\r\n  co oznacza ->  " + OpisBledu(nr) + " - plik " +
         path + "\r\n błąd wystąpił w procedurze -> " + zrodlo + " / " + std::to_string(kodOs) +
         "\r\n whatFormName = " + whatFormName + "\r\n kontekst -> 0\r\n help file -> \r\n kontynuować ? ";
}

void ExpectRaportPliku(AppRig& rig, int nr, const std::string& path, const std::string& zrodlo, int kodOs,
                       Answer a = Answer::Yes) {
  rig.dialogs.ExpectBox(RaportPliku(nr, path, zrodlo, kodOs), Buttons::YesNo, Icon::None, "Opis błędu ", a);
}

const char* const kProblemFolderu = "Problem ze ścieżką dostępu  w  ModMain\\CzyJestSubDir()  ";

// One full run as a user has it: a calculation, a saved report and the exit command.
void CalculateSaveExit(AppRig& rig) {
  rig.Oblicz(P, "1", T, "200");
  ASSERT_EQ("2 828,0", rig.Box(2));
  rig.app().mnuZapisz_Click();
  rig.app().mnuZakoncz_Click();
  ASSERT_TRUE(rig.frm().closed);
}

// ---- a folder path with blanks and Polish letters ----

TEST(FolderFaults, PathWithBlanksAndPolishLettersWorksThroughAWholeRunAndTheNext) {
  AppRig rig(',', false);
  const std::string exe = rig.dir.path() + "/Obliczenia pary  żółć Łódź ĄĘ";
  fs::create_directory(exe);
  rig.platform.exeDir = exe;
  rig.Restart();
  const std::string data = exe + "/Kalorimo/";
  EXPECT_EQ(data, rig.frm().Folder);
  EXPECT_EQ(kRecordLen, fs::file_size(data + "Kalorimo.dat"));

  CalculateSaveExit(rig);
  EXPECT_EQ((std::set<std::string>{"Kalorimo.dat", "Kalorimo.tmp", "Notes.txt"}), Names(data));
  // Line 1 of the report names the file in Windows-1250, like the rest of the report.
  EXPECT_EQ(0u, ReadAll(data + "Notes.txt").find("\"" + ToCp1250(data + "/Notes.txt") + "\r\n"));

  rig.Restart();
  EXPECT_EQ("1,00", rig.Box(0));
  EXPECT_EQ("200", rig.Box(1));
  EXPECT_EQ("2 828,0", rig.Box(2));
  rig.Oblicz(P, "1,5", T, "250");
  EXPECT_EQ("2 923,7", rig.Box(2));
}

// ---- a read-only data folder ----

class ReadOnlyFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    CalculateSaveExit(rig);
    notes = ReadAll(rig.DataDir() + "Notes.txt");
    tmp = ReadAll(rig.DataDir() + "Kalorimo.tmp");
    dat = ReadAll(rig.DataDir() + "Kalorimo.dat");
  }
  void ExpectFilesAsTheyWere() {
    EXPECT_EQ((std::set<std::string>{"Kalorimo.dat", "Kalorimo.tmp", "Notes.txt"}), Names(rig.DataDir()));
    EXPECT_EQ(notes, ReadAll(rig.DataDir() + "Notes.txt"));
    EXPECT_EQ(tmp, ReadAll(rig.DataDir() + "Kalorimo.tmp"));
    EXPECT_EQ(dat, ReadAll(rig.DataDir() + "Kalorimo.dat"));
  }

  AppRig rig;
  std::string notes, tmp, dat;
};

TEST_F(ReadOnlyFolder, StartsAndCalculatesButSaveAndExitReportTheFolder) {
  BezPrzywilejow user;
  TylkoDoOdczytu ro(rig.DataDir());
  rig.Restart();  // the last inputs are read back, the coefficient file opened
  EXPECT_EQ("200", rig.Box(1));
  rig.Oblicz(P, "2", T, "300");
  EXPECT_EQ("3 024,1", rig.Box(2));

  const std::string notesPath = rig.frm().Folder + "/Notes.txt";
  ExpectRaportPliku(rig, 70, notesPath, "mnuZapisz_Click", EACCES);
  rig.app().mnuZapisz_Click();
  EXPECT_FALSE(rig.frm().mnuOdczytaj.Enabled);

  // The exit keeps the window when its file cannot be written; No in the report still ends.
  ExpectRaportPliku(rig, 70, rig.frm().PlikTmp, "mnuZakoncz_Click", EACCES);
  rig.app().mnuZakoncz_Click();
  EXPECT_FALSE(rig.frm().closed);
  EXPECT_TRUE(rig.frm().Visible);
  EXPECT_EQ(0, rig.platform.endCalls);
  ExpectRaportPliku(rig, 70, rig.frm().PlikTmp, "mnuZakoncz_Click", EACCES, Answer::No);
  rig.app().mnuZakoncz_Click();
  EXPECT_EQ(1, rig.platform.endCalls);
  ExpectFilesAsTheyWere();
}

// Read-only files too (a folder installed for reading only): the coefficient file is read.
TEST_F(ReadOnlyFolder, ReadOnlyFilesStillCalculate) {
  const auto r = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  for (const char* f : {"Kalorimo.dat", "Kalorimo.tmp", "Notes.txt"}) fs::permissions(rig.DataDir() + f, r);
  {
    BezPrzywilejow user;
    TylkoDoOdczytu ro(rig.DataDir());
    rig.Restart();
    EXPECT_EQ("200", rig.Box(1));
    rig.Oblicz(P, "2", T, "300");
    EXPECT_EQ("3 024,1", rig.Box(2));
    ExpectRaportPliku(rig, 70, rig.frm().PlikTmp, "mnuZakoncz_Click", EACCES);
    rig.app().mnuZakoncz_Click();
    EXPECT_FALSE(rig.frm().closed);
  }
  ExpectFilesAsTheyWere();
}

// A read-only coefficient file without a record cannot get its defaults: reported, not used.
TEST(FolderFaults, ReadOnlyCoefficientFileWithoutARecord) {
  AppRig rig(',', false);
  fs::create_directories(rig.DataDir());
  WriteAll(rig.DataDir() + "Kalorimo.dat", std::string(600, '\0'));
  fs::permissions(rig.DataDir() + "Kalorimo.dat", fs::perms::owner_read);
  BezPrzywilejow user;
  rig.dialogs.ExpectBox(
      " Wystąpił błąd wykonania nr -> 75\r\n  co oznacza ->  Błąd dostępu do ścieżki lub pliku"
      "\r\n błąd wystąpił w procedurze -> OtworzBaze / " +
          std::to_string(EACCES) + "\r\n plik -> " + rig.DataDir() + "Kalorimo.dat : brak uprawnień" +
          "\r\n whatFormName = \r\n kontekst -> 0\r\n help file -> \r\n kontynuować ? ",
      Buttons::YesNo, Icon::None, "Opis błędu ");
  rig.Restart();
  EXPECT_EQ(0u + 600, fs::file_size(rig.DataDir() + "Kalorimo.dat"));
  rig.ExpectRaport(52, "CzytajRekord1");
  rig.Oblicz(P, "1", T, "200");
}

// ---- a data folder that cannot be used at all ----

struct Unusable {
  const char* name;
  // Prepares the executable's folder `exe` and returns the errno the coefficient file's open meets.
  int (*prepare)(const std::string& exe);
  int nr;  // run-time error of the open
  bool readOnly = false;
};
void PrintTo(const Unusable& c, std::ostream* os) { *os << c.name; }

const Unusable kUnusable[] = {
    {"fileInTheWay",
     [](const std::string& exe) {
       WriteAll(exe + "/Kalorimo", "x");
       return ENOTDIR;
     },
     76},
    {"programFolderGone",
     [](const std::string& exe) {
       fs::remove_all(exe);
       return ENOENT;
     },
     76},
    // The folder cannot be made, so the coefficient file's open finds no folder.
    {"programFolderReadOnly", [](const std::string&) { return ENOENT; }, 76, true},
};

class UnusableFolder : public ::testing::TestWithParam<Unusable> {};

TEST_P(UnusableFolder, StartUpReportsTheWindowOpensAndEveryCommandReportsInPolish) {
  AppRig rig(',', false);
  const std::string exe = rig.dir.path() + "/program";
  fs::create_directory(exe);
  rig.platform.exeDir = exe;
  const int e = GetParam().prepare(exe);
  BezPrzywilejow user;
  std::unique_ptr<TylkoDoOdczytu> ro;
  if (GetParam().readOnly) ro = std::make_unique<TylkoDoOdczytu>(exe);

  const std::string powod = e == ENOTDIR          ? "istnieje, ale nie jest katalogiem"
                            : GetParam().readOnly ? PowodBledu(EACCES)
                                                  : PowodBledu(e);
  // The fake platform knows no per-user folder, as a run without HOME.
  const std::string bezHome = "Katalog użytkownika: nieznany (brak HOME i XDG_DATA_HOME)";
  rig.dialogs.ExpectOk(
      std::string(kProblemFolderu) + "\r\nKatalog: " + exe + "/Kalorimo/ - " + powod + "\r\n" + bezHome, "Eksplorator",
      Icon::Information);
  rig.dialogs.ExpectBox(" Wystąpił błąd wykonania nr -> " + std::to_string(GetParam().nr) + "\r\n  co oznacza ->  " +
                            OpisBledu(GetParam().nr) + "\r\n błąd wystąpił w procedurze -> OtworzBaze / " +
                            std::to_string(e) + "\r\n plik -> " + exe + "/Kalorimo/Kalorimo.dat : " + PowodBledu(e) +
                            "\r\n " + bezHome +
                            "\r\n whatFormName = \r\n kontekst -> 0\r\n help file -> \r\n kontynuować ? ",
                        Buttons::YesNo, Icon::None, "Opis błędu ");
  rig.Restart();
  EXPECT_TRUE(rig.frm().Visible);
  EXPECT_EQ(0, rig.platform.endCalls);

  rig.ExpectRaport(52, "CzytajRekord1");
  rig.Oblicz(P, "1", T, "200");
  EXPECT_EQ("", rig.Box(2));

  const std::string notes = rig.frm().Folder + "/Notes.txt";
  ExpectRaportPliku(rig, 76, notes, "mnuZapisz_Click", e);
  rig.app().mnuZapisz_Click();

  // The exit names the file it cannot write and keeps the window.
  ExpectRaportPliku(rig, 76, rig.frm().Folder + "/Kalorimo.tmp", "mnuZakoncz_Click", e);
  rig.app().mnuZakoncz_Click();
  EXPECT_FALSE(rig.frm().closed);
  rig.dialogs.VerifyDone();
  ro.reset();
  if (fs::exists(exe)) {
    std::set<std::string> names = Names(exe);
    names.erase("Kalorimo");  // the file in the way, unchanged
    EXPECT_EQ(std::set<std::string>{}, names);
  }
}

INSTANTIATE_TEST_SUITE_P(All, UnusableFolder, ::testing::ValuesIn(kUnusable),
                         [](const auto& p) { return std::string(p.param.name); });

// ---- the data folder lost while the calculator runs ----

TEST(FolderFaults, FolderReplacedByAFileWhileRunning) {
  AppRig rig;
  rig.Oblicz(P, "1", T, "200");
  const std::string data = rig.DataDir();
  fs::rename(data, rig.dir.path() + "/stary");
  WriteAll(rig.dir.path() + "/Kalorimo", "x");

  // The coefficient file stays open, so calculations go on.
  rig.Oblicz(P, "2", T, "300");
  EXPECT_EQ("3 024,1", rig.Box(2));

  ExpectRaportPliku(rig, 76, rig.frm().Folder + "/Notes.txt", "mnuZapisz_Click", ENOTDIR);
  rig.app().mnuZapisz_Click();
  ExpectRaportPliku(rig, 76, rig.frm().PlikTmp, "mnuZakoncz_Click", ENOTDIR);
  rig.app().mnuZakoncz_Click();
  EXPECT_FALSE(rig.frm().closed);
  EXPECT_EQ("x", ReadAll(rig.dir.path() + "/Kalorimo"));

  // Back in place, the exit works.
  fs::remove(rig.dir.path() + "/Kalorimo");
  fs::rename(rig.dir.path() + "/stary", data);
  rig.app().mnuZakoncz_Click();
  EXPECT_TRUE(rig.frm().closed);
}

TEST(FolderFaults, CoefficientFileThatIsAFolder) {
  AppRig rig(',', false);
  fs::create_directories(rig.DataDir() + "Kalorimo.dat");
  rig.dialogs.ExpectBox(
      " Wystąpił błąd wykonania nr -> 75\r\n  co oznacza ->  Błąd dostępu do ścieżki lub pliku"
      "\r\n błąd wystąpił w procedurze -> OtworzBaze / " +
          std::to_string(EISDIR) + "\r\n plik -> " + rig.DataDir() + "Kalorimo.dat : to jest katalog" +
          "\r\n whatFormName = \r\n kontekst -> 0\r\n help file -> \r\n kontynuować ? ",
      Buttons::YesNo, Icon::None, "Opis błędu ");
  rig.Restart();
  EXPECT_TRUE(rig.frm().Visible);
  // The folder itself is usable: the exit still keeps what the user typed.
  rig.Type(1, "100");
  rig.app().mnuZakoncz_Click();
  EXPECT_TRUE(rig.frm().closed);
  EXPECT_TRUE(fs::is_directory(rig.DataDir() + "Kalorimo.dat"));
  EXPECT_EQ(rig.DataDir() + "/Kalorimo.tmp", rig.frm().PlikTmp);
  EXPECT_NE(std::string::npos, ReadAll(rig.frm().PlikTmp).find("100"));
}

TEST(FolderFaults, LastInputsFileThatIsAFolderIsSkippedAndNotReplaced) {
  AppRig rig(',', false);
  fs::create_directories(rig.DataDir() + "Kalorimo.tmp/x");
  rig.Restart();  // nothing to read, no box
  EXPECT_EQ("", rig.Box(1));
  rig.Type(1, "100");
  ExpectRaportPliku(rig, 75, rig.frm().PlikTmp, "mnuZakoncz_Click", EISDIR);
  rig.app().mnuZakoncz_Click();
  EXPECT_FALSE(rig.frm().closed);
  EXPECT_TRUE(fs::exists(rig.DataDir() + "Kalorimo.tmp/x"));
  EXPECT_EQ((std::set<std::string>{"Kalorimo.dat", "Kalorimo.tmp"}), Names(rig.DataDir()));
}

// ---- a full disk ----

TEST(FolderFaults, FullDiskAtFirstStartLeavesNoHalfRecord) {
  AppRig rig(',', false);
  {
    PelnyDysk full(1000);  // room for part of the record only
    rig.dialogs.ExpectBox(
        " Wystąpił błąd wykonania nr -> 61\r\n  co oznacza ->  Dysk jest pełny"
        "\r\n błąd wystąpił w procedurze -> WpisujDane / " +
            std::to_string(EFBIG) + "\r\n plik -> " + rig.DataDir() + "Kalorimo.dat : plik za duży" +
            "\r\n whatFormName = \r\n kontekst -> 0\r\n help file -> \r\n kontynuować ? ",
        Buttons::YesNo, Icon::None, "Opis błędu ");
    rig.Restart();
    EXPECT_TRUE(rig.frm().Visible);
    rig.dialogs.VerifyDone();
  }
  // Whatever the first start left, the next one finds no record and writes the defaults whole.
  EXPECT_GE(620u, fs::file_size(rig.DataDir() + "Kalorimo.dat"));
  rig.Restart();
  EXPECT_EQ(kRecordLen, fs::file_size(rig.DataDir() + "Kalorimo.dat"));
  rig.Oblicz(P, "1", T, "200");
  EXPECT_EQ("2 828,0", rig.Box(2));
}

TEST(FolderFaults, FullDiskOnSaveAndExitWithoutEarlierFilesLeavesNothing) {
  AppRig rig;
  rig.Oblicz(P, "1", T, "200");
  {
    PelnyDysk full(10);
    ExpectRaportPliku(rig, 61, rig.frm().Folder + "/Notes.txt", "mnuZapisz_Click", EFBIG);
    rig.app().mnuZapisz_Click();
    ExpectRaportPliku(rig, 61, rig.frm().PlikTmp, "mnuZakoncz_Click", EFBIG);
    rig.app().mnuZakoncz_Click();
  }
  EXPECT_FALSE(rig.frm().closed);
  EXPECT_FALSE(rig.frm().mnuOdczytaj.Enabled);
  EXPECT_EQ(std::set<std::string>{"Kalorimo.dat"}, Names(rig.DataDir()));
  // With room again both work.
  rig.app().mnuZapisz_Click();
  EXPECT_TRUE(rig.frm().mnuOdczytaj.Enabled);
  rig.app().mnuZakoncz_Click();
  EXPECT_TRUE(rig.frm().closed);
}

}  // namespace
}  // namespace kal::test
