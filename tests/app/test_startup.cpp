// Start-up of the main window over an empty folder beside the executable.
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "app/app_fixture.h"
#include "common/data_folder.h"
#include "support/fs_faults.h"

namespace kal::test {
namespace {

namespace fs = std::filesystem;

TEST_F(AppTest, FirstStartCreatesTheDataFolderAndTheCoefficientFile) {
  EXPECT_TRUE(fs::is_directory(rig.DataDir()));
  EXPECT_EQ(kRecordLen, fs::file_size(rig.DataDir() + "Kalorimo.dat"));
  EXPECT_FALSE(fs::exists(rig.DataDir() + "Kalorimo.tmp"));
  EXPECT_EQ(rig.dir.path(), frm().SciezkaProgramu);
  EXPECT_EQ(rig.dir.path() + "/Kalorimo/", frm().Folder);
  EXPECT_EQ(rig.dir.path() + "/Kalorimo//Kalorimo.tmp", frm().PlikTmp);
  EXPECT_EQ(rig.dir.path() + "/makeKalorimo.exe ", frm().SciezkaMake);
  EXPECT_TRUE(rig.platform.started.empty());
}

TEST_F(AppTest, ControlsAfterStartUp) {
  EXPECT_TRUE(frm().Visible);
  EXPECT_EQ("Parametry pary wodnej  wg WEXTAN", frm().Caption);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(i > 5, frm().Text_IS[i].Enabled) << i;
    EXPECT_EQ(i == 9 ? "5" : "", rig.Box(i)) << i;
  }
  for (const auto& c : frm().Check) {
    EXPECT_EQ(0, c.Value);
    EXPECT_TRUE(c.Enabled);
  }
  EXPECT_FALSE(frm().cmdOblicz_Enabled);
  EXPECT_FALSE(frm().mnuPPary2.Enabled);
  EXPECT_FALSE(frm().mnuHelp.Enabled);
  EXPECT_FALSE(frm().mnuOdczytaj.Enabled);
  EXPECT_FALSE(frm().mnuIS.Enabled);
  EXPECT_TRUE(frm().mnuZapisz.Enabled);
  EXPECT_TRUE(frm().Frame_ISVisible);
  EXPECT_FALSE(frm().lbl_V[3].Visible);  // heat-of-vaporisation row
  EXPECT_FALSE(frm().lbl_V[4].Visible);  // exhaust-pressure row
  EXPECT_FALSE(frm().Label1[8].Visible);
  EXPECT_EQ((std::vector<std::string>{" MPa", " bar", " kPa"}), frm().Combo1Items);
  EXPECT_EQ("  MPa", frm().Combo1Text);
  EXPECT_EQ(1.0f, frm().kodJednP);
  EXPECT_EQ(5.0f, frm().pParyWylot);
  EXPECT_EQ("frmKalorimo", app().modMain.whatFormName);
  EXPECT_EQ(0, st().Blad);
  EXPECT_EQ(0, frm().ifMokra);
}

TEST(StartUp, DataFolderOverride) {
  TempDir data;
  AppRig rig(',', false);
  rig.app().folderOverride = data.path();
  rig.app().Form_Load();
  EXPECT_EQ(data.path() + "/", rig.frm().Folder);
  EXPECT_TRUE(fs::exists(data.path() + "/Kalorimo.dat"));
  EXPECT_FALSE(fs::exists(rig.DataDir()));
}

// The per-user folder of a run without HOME (the fake platform knows none).
const std::string kBezHome = "Katalog użytkownika: nieznany (brak HOME i XDG_DATA_HOME)";

// A file where the data folder should be: the folder check reports, then the coefficient file
// cannot be opened; the error report follows and the window still opens, empty.
TEST(StartUp, DataFolderThatIsAFileEndsInTheErrorReport) {
  AppRig rig(',', false);
  std::ofstream(rig.dir.path() + "/Kalorimo") << "x";
  rig.dialogs.ExpectOk("Problem ze ścieżką dostępu  w  ModMain\\CzyJestSubDir()  \r\nKatalog: " + rig.DataDir() +
                           " - istnieje, ale nie jest katalogiem\r\n" + kBezHome,
                       "Eksplorator", Icon::Information);
  // 76 path not found, errno ENOTDIR; the window's name is set only later in the start-up.
  std::string raport = RaportTekst(76, "OtworzBaze", ENOTDIR, "");
  raport.insert(raport.find("\r\n whatFormName"),
                "\r\n plik -> " + rig.DataDir() + "Kalorimo.dat : część ścieżki nie jest katalogiem\r\n " + kBezHome);
  rig.dialogs.ExpectBox(raport, Buttons::YesNo, Icon::None, "Opis błędu ");
  rig.app().Form_Load();
  EXPECT_TRUE(rig.frm().Visible);
  EXPECT_FALSE(rig.frm().Text_IS[0].Enabled);
  EXPECT_EQ(0, rig.platform.endCalls);

  // Every calculation now reports the missing file instead of using empty coefficients.
  rig.ExpectRaport(52, "CzytajRekord1");
  rig.Oblicz(0, "1", 1, "200");
  EXPECT_EQ("", rig.Box(2));
}

}  // namespace
}  // namespace kal::test

namespace kal::test {
namespace {

// The data folder of an installed program: the one beside the executable while the user can
// write it (or make it), else the per-user folder, silently; with neither, the old messages.
TEST(StartUpFolder, PerUserFolderWhenTheProgramFolderCannotBeWritten) {
  enum Beside { Missing, Writable, ReadOnlyFolder, ReadOnlyParent, AFile };
  struct Case {
    const char* name;
    Beside beside;
    bool userFolder;  // a per-user folder is known
    bool wantUser;
  } const cases[] = {
      {"missing, parent writable", Missing, true, false},
      {"writable", Writable, true, false},
      {"read-only folder", ReadOnlyFolder, true, true},
      {"missing under a read-only parent", ReadOnlyParent, true, true},
      {"a file in its place", AFile, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppRig rig(',', false);
    const std::string exe = rig.dir.path() + "/bin";
    fs::create_directories(exe);
    if (c.beside == Writable || c.beside == ReadOnlyFolder) fs::create_directory(exe + "/Kalorimo");
    if (c.beside == AFile) std::ofstream(exe + "/Kalorimo") << "x";
    const std::string user = rig.dir.path() + "/home/.local/share/Kalorimo";  // parents missing
    rig.platform.exeDir = exe;
    rig.platform.userDataDir = c.userFolder ? user : "";
    {
      std::unique_ptr<TylkoDoOdczytu> ro;
      if (c.beside == ReadOnlyFolder) ro = std::make_unique<TylkoDoOdczytu>(exe + "/Kalorimo");
      if (c.beside == ReadOnlyParent) ro = std::make_unique<TylkoDoOdczytu>(exe);
      BezPrzywilejow bez;
      rig.Restart();  // no dialog: the scripted double fails on any
    }
    EXPECT_EQ((c.wantUser ? user : exe + "/Kalorimo") + "/", rig.frm().Folder);
    EXPECT_TRUE(fs::is_regular_file(rig.frm().Folder + "Kalorimo.dat"));
    rig.dialogs.VerifyDone();
  }
}

// Neither folder usable (a file beside the program, the per-user one unknown or not makeable):
// the folder check and the error report name both.
TEST(StartUpFolder, MessagesNameBothFolders) {
  struct Case {
    const char* name;
    bool userKnown;
  } const cases[] = {{"HOME unset", false}, {"per-user folder under a file", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppRig rig(',', false);
    std::ofstream(rig.dir.path() + "/Kalorimo") << "x";
    std::ofstream(rig.dir.path() + "/dane") << "x";
    const std::string user = rig.dir.path() + "/dane/Kalorimo";
    rig.platform.userDataDir = c.userKnown ? user : "";
    const std::string drugi =
        c.userKnown ? "Katalog użytkownika: " + user + " - nie można go utworzyć ani w nim pisać" : kBezHome;
    rig.dialogs.ExpectOk("Problem ze ścieżką dostępu  w  ModMain\\CzyJestSubDir()  \r\nKatalog: " + rig.DataDir() +
                             " - istnieje, ale nie jest katalogiem\r\n" + drugi,
                         "Eksplorator", Icon::Information);
    std::string raport = RaportTekst(76, "OtworzBaze", ENOTDIR, "");
    raport.insert(raport.find("\r\n whatFormName"),
                  "\r\n plik -> " + rig.DataDir() + "Kalorimo.dat : część ścieżki nie jest katalogiem\r\n " + drugi);
    rig.dialogs.ExpectBox(raport, Buttons::YesNo, Icon::None, "Opis błędu ");
    rig.app().Form_Load();
    rig.dialogs.VerifyDone();
  }
}

// Folders for the data: made, found, or refused; one made by another start a moment ago counts
// as found (the outcome of two first starts at once).
TEST(StartUpFolder, FolderDoZapisu) {
  TempDir d;
  std::ofstream(d.path() + "/plik") << "x";
  fs::create_directory(d.path() + "/jest");
  struct Case {
    std::string path;
    bool ok;
  } const cases[] = {{d.path() + "/nowy", true},
                     {d.path() + "/jest", true},
                     {d.path() + "/plik", false},
                     {d.path() + "/brak/nowy", false},
                     {"", false}};
  for (const Case& c : cases) EXPECT_EQ(c.ok, FolderDoZapisu(c.path)) << c.path;
}

}  // namespace
}  // namespace kal::test
