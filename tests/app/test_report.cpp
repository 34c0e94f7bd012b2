// Notes.txt: bytes of the report, dryness texts, replacing saves, failed writes and the viewer.
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/app_fixture.h"
#include "support/file_bytes.h"

namespace kal::test {
namespace {

namespace fs = std::filesystem;

std::string Raport(int nr, const std::string& opis, const std::string& zrodlo, int kodOs) {
  return " Wystąpił błąd wykonania nr -> " + std::to_string(nr) + "\r\n  co oznacza ->  " + opis +
         "\r\n błąd wystąpił w procedurze -> " + zrodlo + " / " + std::to_string(kodOs) +
         "\r\n whatFormName = frmKalorimo\r\n kontekst -> 0\r\n help file -> \r\n kontynuować ? ";
}

// Windows-1250 bytes of the labels with Polish letters.
const std::string kCisnienie = "   ci\x9Cnienie  pary      ";
const std::string kObjetosc =
    "   obj\xEAto\x9C\xE6 w\xB3"
    "a\x9C"
    "ciwa  ";
const std::string kSuchosc =
    "   stopie\xF1 sucho\x9C"
    "ci   ";

class ReportTest : public AppTest {
 protected:
  std::string Notes() { return frm().Folder + "/Notes.txt"; }
  // A state as the calculate command leaves it for the report.
  void State(const char* box0, float kod, int16_t t, float h, float s, float v, float x) {
    rig.Type(0, box0);
    frm().kodJednP = kod;
    frm().tParyInt = t;
    frm().hParyZap = h;
    frm().sParyZap = s;
    frm().vParyZap = v;
    st().xPary = x;
  }
  // Line 14 of the saved report, without its closing quote and line end.
  std::string LastLine() {
    std::string f = ReadAll(Notes());
    std::size_t a = f.rfind("\r\n", f.size() - 3);
    return f.substr(a + 2, f.size() - a - 5);
  }
};

TEST_F(ReportTest, WetStateBytes) {
  State("1,5", 1, 198, 2827.94f, 6.5863f, 0.01234f, 0.953f);
  ASSERT_FALSE(frm().mnuOdczytaj.Enabled);
  app().mnuZapisz_Click();
  const std::string expected = "\"" + frm().Folder + "/Notes.txt\r\n\r\n\r\n" + kCisnienie +
                               "1,5       MPa\r\n\r\n"
                               "   temperatura pary   198        C \r\n\r\n"
                               "   kalorimo   pary    2 827,9     kJ/kg\r\n\r\n"
                               "   entropia   pary    6,59        kJ/deg/kg\r\n\r\n" +
                               kObjetosc + "0,012        m3/kg\r\n\r\n" + kSuchosc + " .95\"\r\n";
  EXPECT_EQ(expected, ReadAll(Notes()));
  EXPECT_TRUE(frm().mnuOdczytaj.Enabled);
  EXPECT_EQ("MPa", frm().jednTxt);
  EXPECT_EQ(1.5f, frm().pParyJedn);
}

TEST_F(ReportTest, SuperheatedStateInBarBytes) {
  State("15", 2, 300, 3051.2f, 7.1229f, 0.2579f, 1.0f);
  app().mnuZapisz_Click();
  const std::string expected = "\"" + frm().Folder + "/Notes.txt\r\n\r\n\r\n" + kCisnienie +
                               "15       bar\r\n\r\n"
                               "   temperatura pary   300        C \r\n\r\n"
                               "   kalorimo   pary    3 051,2     kJ/kg\r\n\r\n"
                               "   entropia   pary    7,12        kJ/deg/kg\r\n\r\n" +
                               kObjetosc + "0,258        m3/kg\r\n\r\n" + kSuchosc + "x>1\"\r\n";
  EXPECT_EQ(expected, ReadAll(Notes()));
  EXPECT_EQ(1.5f, st().pParyWe);
}

TEST(ReportPointLocale, UsesThePointWhereTheLocaleDoes) {
  AppRig rig('.');
  rig.Type(0, "1.5");
  rig.frm().hParyZap = 345.2f;
  rig.st().xPary = 0.873f;
  rig.app().mnuZapisz_Click();
  std::string f = ReadAll(rig.frm().Folder + "/Notes.txt");
  EXPECT_NE(std::string::npos, f.find(kCisnienie + "1.5       MPa\r\n"));
  EXPECT_NE(std::string::npos, f.find("   kalorimo   pary     345.2     kJ/kg\r\n"));
  EXPECT_NE(std::string::npos, f.find(kSuchosc + " .87\"\r\n"));
}

TEST(ReportPolishFolder, PathWithBlanksAndPolishLettersIsWindows1250InLineOne) {
  AppRig rig(',', false);
  rig.platform.exeDir = rig.dir.path() + "/Obliczenia żółte";
  fs::create_directory(rig.platform.exeDir);
  rig.Restart();
  rig.app().mnuZapisz_Click();
  const std::string f = ReadAll(rig.frm().Folder + "/Notes.txt");
  EXPECT_EQ(0u, f.find("\"" + rig.dir.path() + "/Obliczenia \xBF\xF3\xB3te/Kalorimo//Notes.txt\r\n"));
  rig.app().mnuOdczytaj_Click();
  EXPECT_EQ(rig.platform.exeDir + "/Kalorimo//Notes.txt", rig.app().raport.Path);
  EXPECT_EQ(0u, rig.app().raport.Text.find("\"" + rig.platform.exeDir + "/Kalorimo//Notes.txt\r\n"));
}

TEST_F(ReportTest, BeforeAnyCalculation) {
  app().mnuZapisz_Click();
  const std::string expected = "\"" + frm().Folder + "/Notes.txt\r\n\r\n\r\n" + kCisnienie +
                               "0       MPa\r\n\r\n"
                               "   temperatura pary   00        C \r\n\r\n"
                               "   kalorimo   pary     00,0     kJ/kg\r\n\r\n"
                               "   entropia   pary    0,00        kJ/deg/kg\r\n\r\n" +
                               kObjetosc + "0,000        m3/kg\r\n\r\n" + kSuchosc + " 0\"\r\n";
  EXPECT_EQ(expected, ReadAll(Notes()));
}

struct Dryness {
  float x;
  const char* text;
};
void PrintTo(const Dryness& c, std::ostream* os) { *os << "x " << c.x << " \"" << c.text << '"'; }

class ReportDryness : public ReportTest, public ::testing::WithParamInterface<Dryness> {};

TEST_P(ReportDryness, LineFourteen) {
  State("1", 1, 100, 2000, 5, 1, GetParam().x);
  app().mnuZapisz_Click();
  EXPECT_EQ(kSuchosc + GetParam().text, LastLine());
}

INSTANTIATE_TEST_SUITE_P(All, ReportDryness,
                         ::testing::Values(Dryness{0.953f, " .95"}, Dryness{0.873f, " .87"}, Dryness{0.0f, " 0"},
                                           Dryness{0.999f, " 1"}, Dryness{0.5f, " .5"}, Dryness{1.0f, "x>1"},
                                           Dryness{1.005f, "x=1"}, Dryness{1.0099f, "x=1"}, Dryness{1.01f, "x>1"},
                                           Dryness{1.2f, "x>1"}));

TEST_F(ReportTest, TwoSavesLeaveOneReportAndNoTemporaryFile) {
  State("1", 1, 100, 2000, 5, 1, 1.2f);
  app().mnuZapisz_Click();
  State("2", 1, 200, 2800, 6, 1, 0.5f);
  app().mnuZapisz_Click();
  std::string f = ReadAll(Notes());
  EXPECT_EQ(0u, f.find('"'));
  EXPECT_EQ(2, std::count(f.begin(), f.end(), '"'));
  EXPECT_NE(std::string::npos, f.find("   temperatura pary   200        C "));
  EXPECT_EQ(kSuchosc + " .5", LastLine());
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(frm().Folder)) names.insert(e.path().filename().string());
  EXPECT_EQ((std::set<std::string>{"Kalorimo.dat", "Notes.txt"}), names);
}

TEST_F(ReportTest, EmptyFolderFallsBackToTheProgramFolder) {
  frm().Folder = "";
  app().mnuZapisz_Click();
  EXPECT_EQ(frm().SciezkaProgramu, frm().Folder);
  std::string f = ReadAll(frm().SciezkaProgramu + "/Notes.txt");
  EXPECT_EQ(0u, f.find("\"/Notes.txt\r\n"));
}

TEST_F(ReportTest, InvalidPressureIsCorrectedBeforeWriting) {
  rig.Type(0, "1..5");
  // The box is checked, then read by the pressure routine, which asks again.
  for (int i = 0; i < 2; ++i) {
    rig.dialogs.ExpectOk("Nieprawidłowa wartość zmiennej   - 1..5", "", Icon::Information);
    rig.dialogs.ExpectInput("Nowa  wartość zmiennej", "Moduł poprawek ", "2,5");
  }
  app().mnuZapisz_Click();
  EXPECT_NE(std::string::npos, ReadAll(Notes()).find(kCisnienie + "2,5       MPa\r\n"));
}

TEST_F(ReportTest, KeptPressureTextIsReportedAndNothingIsWritten) {
  rig.Type(0, "1 MPa");
  for (int i = 0; i < 2; ++i) {
    rig.dialogs.ExpectBox("Zostawić tę  zmieną    1 MPa  ?", Buttons::YesNo, Icon::None, "Poprawność  danych",
                          Answer::Yes);
  }
  rig.dialogs.ExpectBox(Raport(13, "Niezgodność typów", "ParseLocale", 0), Buttons::YesNo, Icon::None, "Opis błędu ",
                        Answer::Yes);
  app().mnuZapisz_Click();
  EXPECT_FALSE(fs::exists(Notes()));
  EXPECT_FALSE(frm().mnuOdczytaj.Enabled);
}

TEST_F(ReportTest, UnwritableReportIsReportedAndTheOldOneStays) {
  fs::create_directory(Notes());  // a folder where the report should go
  rig.dialogs.ExpectBox(Raport(75, "Błąd dostępu do ścieżki lub pliku - plik " + Notes(), "mnuZapisz_Click", EISDIR),
                        Buttons::YesNo, Icon::None, "Opis błędu ", Answer::Yes);
  app().mnuZapisz_Click();
  EXPECT_TRUE(fs::is_directory(Notes()));
  EXPECT_FALSE(frm().mnuOdczytaj.Enabled);
  EXPECT_EQ(2, std::distance(fs::directory_iterator(frm().Folder), fs::directory_iterator{}));
}

TEST_F(ReportTest, FullDiskLeavesTheOldReportWhole) {
  State("1", 1, 100, 2000, 5, 1, 1.2f);
  app().mnuZapisz_Click();
  const std::string old = ReadAll(Notes());
  rig.dialogs.ExpectBox(Raport(61, "Dysk jest pełny - plik " + Notes(), "mnuZapisz_Click", EFBIG), Buttons::YesNo,
                        Icon::None, "Opis błędu ", Answer::Yes);
  frm().mnuOdczytaj.Enabled = false;
  {
    // Files beyond the limit cannot grow (EFBIG), as on a full disk.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit l = saved;
    l.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &l);
    app().mnuZapisz_Click();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
  }
  EXPECT_EQ(old, ReadAll(Notes()));
  EXPECT_FALSE(frm().mnuOdczytaj.Enabled);
  EXPECT_EQ(2, std::distance(fs::directory_iterator(frm().Folder), fs::directory_iterator{}));
}

TEST_F(ReportTest, OpenShowsTheReportDecodedInTheViewerAndLeavesTheFileAsItWas) {
  State("1,5", 1, 198, 2827.94f, 6.5863f, 0.01234f, 0.953f);
  app().mnuZapisz_Click();
  const std::string bytes = ReadAll(Notes());
  app().mnuOdczytaj_Click();
  EXPECT_TRUE(rig.platform.started.empty());
  ASSERT_TRUE(app().raport.Visible);
  EXPECT_EQ(Notes(), app().raport.Path);
  EXPECT_NE(std::string::npos, app().raport.Text.find("   ciśnienie  pary      1,5       MPa\r\n"));
  EXPECT_NE(std::string::npos, app().raport.Text.find("   objętość właściwa  "));
  EXPECT_EQ(bytes, ReadAll(Notes()));
  app().Raport_Zamknij();
  EXPECT_FALSE(app().raport.Visible);
}

TEST_F(ReportTest, OpenWithoutAReportIsReportedAndStartsNothing) {
  frm().mnuOdczytaj.Enabled = true;
  rig.dialogs.ExpectBox(Raport(53, "Nie znaleziono pliku - plik " + Notes(), "mnuOdczytaj_Click", ENOENT),
                        Buttons::YesNo, Icon::None, "Opis błędu ", Answer::Yes);
  app().mnuOdczytaj_Click();
  EXPECT_TRUE(rig.platform.started.empty());
  EXPECT_TRUE(frm().mnuOdczytaj.Enabled);
}

TEST_F(ReportTest, EditorButtonOpensTheFileOrNamesItWhenItCannot) {
  app().mnuZapisz_Click();
  app().mnuOdczytaj_Click();
  for (bool opens : {true, false}) {
    rig.platform.started.clear();
    rig.platform.startResult = opens;
    if (!opens)
      rig.dialogs.ExpectOk("Nie udało się otworzyć pliku " + Notes() +
                               " w edytorze tekstu.\r\nRaport można skopiować przyciskiem \"Kopiuj\".",
                           "", Icon::Exclamation);
    app().cmdEdytor_Click();
    rig.dialogs.VerifyDone();
    ASSERT_EQ(1u, rig.platform.started.size());
    EXPECT_EQ((std::vector<std::string>{"xdg-open", Notes()}), rig.platform.started[0]);
    EXPECT_TRUE(app().raport.Visible);
  }
}

}  // namespace
}  // namespace kal::test
