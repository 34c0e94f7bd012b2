// Kalorimo.tmp: the exit command's bytes, the start-up's reading, damaged files and failed writes.
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/app_fixture.h"
#include "app/tmp_file.h"
#include "support/file_bytes.h"

namespace kal::test {
namespace {

namespace fs = std::filesystem;

// A text entry as the file holds it.
std::string T(const std::string& cp1250) {
  std::string out{'\x08', '\x00', static_cast<char>(cp1250.size() & 0xFF), static_cast<char>(cp1250.size() >> 8)};
  return out + cp1250;
}
const std::string kKodMPa("\x04\x00\x00\x00\x80\x3F", 6);  // single 1.0
const std::string kKodBar("\x04\x00\x00\x00\x00\x40", 6);  // single 2.0

// The common error report for a fault of the last-inputs reading.
std::string Raport(int nr, const std::string& opis, const std::string& zrodlo, int kodOs = 0) {
  return " Wystąpił błąd wykonania nr -> " + std::to_string(nr) + "\r\n  co oznacza ->  " + opis +
         "\r\n błąd wystąpił w procedurze -> " + zrodlo + " / " + std::to_string(kodOs) +
         "\r\n whatFormName = frmKalorimo\r\n kontekst -> 0\r\n help file -> \r\n kontynuować ? ";
}

// ---- entries at byte level ----

TEST(TmpEntries, EncodesTextsSinglesAndNothing) {
  OstatnieDane d;
  d[0] = OstatniaDana::ZTekstu("1,5");
  d[1] = OstatniaDana::ZTekstu("");
  d[2] = OstatniaDana::ZTekstu("ąę");
  d[3] = OstatniaDana::ZLiczby(-2.5f);
  // d[4] .. d[6] nothing
  std::string expected =
      T("1,5") + T("") + T("\xB9\xEA") + std::string("\x04\x00\x00\x00\x20\xC0", 6) + std::string(6, '\0');
  EXPECT_EQ(expected, KodujWpisy(d));
  OstatnieDane back = CzytajWpisy(expected + "stale tail");
  EXPECT_EQ("ąę", back[2].tekst);
  EXPECT_EQ(OstatniaDana::Liczba, back[3].typ);
  EXPECT_EQ(-2.5f, back[3].liczba);
  EXPECT_EQ(OstatniaDana::Pusta, back[6].typ);
}

TEST(TmpEntries, OverlongTextKeepsItsFirst65535Bytes) {
  OstatnieDane d;
  d[0] = OstatniaDana::ZTekstu(std::string(70000, '7'));
  OstatnieDane back = CzytajWpisy(KodujWpisy(d));
  EXPECT_EQ(std::string(65535, '7'), back[0].tekst);
}

struct Damaged {
  const char* name;
  std::string bytes;
  int error;
};
void PrintTo(const Damaged& c, std::ostream* os) { *os << c.name; }

class TmpEntriesDamaged : public ::testing::TestWithParam<Damaged> {};

TEST_P(TmpEntriesDamaged, RaiseTheirErrorWithoutReadingBeyondTheEnd) {
  try {
    CzytajWpisy(GetParam().bytes);
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(GetParam().error, e.number);
    EXPECT_EQ("CzytajOstatnieDane", e.source);
  }
}

const std::string kSix = T("1") + T("2") + T("3") + T("4") + T("5") + T("6");

INSTANTIATE_TEST_SUITE_P(All, TmpEntriesDamaged,
                         ::testing::Values(Damaged{"empty", "", 62}, Damaged{"oneByte", std::string(1, '\x08'), 62},
                                           Damaged{"lengthCut", std::string("\x08\x00\x05", 3), 62},
                                           Damaged{"lengthBeyondEnd", std::string("\x08\x00\xFF\xFF", 4) + "abc", 62},
                                           Damaged{"sixEntries", kSix, 62},
                                           Damaged{"singleCut", kSix + std::string("\x04\x00\x00\x00", 4), 62},
                                           Damaged{"unknownType",
                                                   kSix + std::string("\x05\x00", 2) + std::string(8, '\0'), 13},
                                           Damaged{"typeHighByte", std::string("\x08\x01\x00\x00", 4), 13},
                                           Damaged{"nanSingle", kSix + std::string("\x04\x00\x00\x00\xC0\x7F", 6), 6},
                                           Damaged{"infSingle", kSix + std::string("\x04\x00\x00\x00\x80\x7F", 6), 6}),
                         [](const auto& p) { return std::string(p.param.name); });

// ---- exit command ----

class LastInputsTest : public AppTest {
 protected:
  std::string TmpPath() { return frm().PlikTmp; }
  void Fill(const std::array<const char*, 6>& boxes) {
    for (int i = 0; i < 6; ++i) rig.Type(i, boxes[i]);
  }
};

TEST_F(LastInputsTest, ExitWritesSevenEntriesAndClosesBothWindows) {
  Fill({"1,5", "198", "2 827,9", "6,59", "0,95", "0,012"});
  st().xPary = 0.953f;
  app().mokra.Loaded = true;
  app().mnuZakoncz_Click();
  EXPECT_EQ(T("1,5") + T("198") + T("2 827,9") + T("6,59") + T("0,95") + T("0,012") + kKodMPa, ReadAll(TmpPath()));
  EXPECT_TRUE(frm().closed);
  EXPECT_FALSE(app().mokra.Loaded);
  EXPECT_EQ(frm().Folder + "/Kalorimo.tmp", TmpPath());
}

TEST_F(LastInputsTest, SuperheatedExitWritesXAboveOne) {
  Fill({"1", "300", "3 051,2", "7,12", " x > 1 ", "0,258"});
  st().xPary = 1.2f;
  app().mnuZakoncz_Click();
  EXPECT_EQ(T("1") + T("300") + T("3 051,2") + T("7,12") + T("x > 1") + T("0,258") + kKodMPa, ReadAll(TmpPath()));
  rig.Restart();
  EXPECT_EQ("x > 1", rig.Box(4));
}

TEST_F(LastInputsTest, DrynessOfExactlyOneKeepsTheBoxText) {
  Fill({"1", "300", "", "", " x > 1 ", ""});
  st().xPary = 1;
  app().mnuZakoncz_Click();
  EXPECT_EQ(T("1") + T("300") + T("") + T("") + T(" x > 1 ") + T("") + kKodMPa, ReadAll(TmpPath()));
}

TEST_F(LastInputsTest, StaleTailOfALongerOldFileStaysAndIsIgnored) {
  const std::string old = T("111111111111") + T("222222222222") + T("333333333333") + T("44444444444") +
                          T("5555555555") + T("666666666") + kKodBar + "OLD TAIL";
  WriteAll(TmpPath(), old);
  Fill({"2", "250", "", "", "", ""});
  app().mnuZakoncz_Click();
  const std::string head = T("2") + T("250") + T("") + T("") + T("") + T("") + kKodMPa;
  ASSERT_LT(head.size(), old.size());
  EXPECT_EQ(head + old.substr(head.size()), ReadAll(TmpPath()));

  rig.Restart();
  EXPECT_EQ("2,00", rig.Box(0));
  EXPECT_EQ("250", rig.Box(1));
  EXPECT_EQ(1.0f, frm().kodJednP);
}

TEST_F(LastInputsTest, BarUnitRoundTrip) {
  rig.Tick({0, 1});
  rig.Type(0, "1,5");
  rig.Type(1, "200");
  app().Combo1_Click(1);
  ASSERT_EQ("15,00", rig.Box(0));
  app().mnuZakoncz_Click();
  EXPECT_EQ(T("15,00") + T("200") + T("") + T("") + T("") + T("") + kKodBar, ReadAll(TmpPath()));

  rig.Restart();
  EXPECT_EQ("15,00", rig.Box(0));
  EXPECT_EQ(2.0f, frm().kodJednP);
  // The list names the restored unit, so what is shown and what is used agree.
  EXPECT_EQ(1, frm().Combo1ListIndex);
  EXPECT_EQ(" bar", frm().Combo1Text);
  app().Spr_pPary(1);
  EXPECT_EQ(1.5f, st().pParyWe);
}

TEST_F(LastInputsTest, StartUpShowsTheBoxesOfThePreviousRun) {
  rig.Oblicz(0, "1,00", 1, "300");
  std::array<std::string, 6> before;
  for (int i = 0; i < 6; ++i) before[i] = rig.Box(i);
  ASSERT_EQ(" x > 1 ", before[4]);
  const float h = st().hPary, s = st().sPary;
  app().mnuZakoncz_Click();

  rig.Restart();
  for (int i = 0; i < 6; ++i) EXPECT_EQ(before[i], rig.Box(i)) << "box " << i;
  EXPECT_EQ(1.0f, st().pParyWe);
  EXPECT_EQ(300.0f, st().tPary);
  EXPECT_NEAR(h, st().hPary, 0.05);
  EXPECT_NEAR(s, st().sPary, 0.005);
  // Refilled texts tick nothing.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(0, frm().Check[i].Value);
}

TEST_F(LastInputsTest, PolishLettersAreWindows1250InTheFile) {
  Fill({"", "20", "", "", "zażółć", ""});
  app().mnuZakoncz_Click();
  EXPECT_NE(std::string::npos, ReadAll(TmpPath()).find(T("za\xBF\xF3\xB3\xE6")));
  rig.Restart();
  EXPECT_EQ("zażółć", rig.Box(4));
}

TEST_F(LastInputsTest, EmptyTemperatureShowsNothing) {
  WriteAll(TmpPath(), T("5") + T("   ") + T("1") + T("2") + T("x > 1") + T("3") + kKodBar);
  rig.Restart();
  for (int i = 0; i < 6; ++i) EXPECT_EQ("", rig.Box(i));
  EXPECT_EQ(1.0f, frm().kodJednP);
  EXPECT_EQ("  MPa", frm().Combo1Text);
}

TEST_F(LastInputsTest, ReadingUsesThePatternsAndLeavesANonNumberVolumeAsIs) {
  WriteAll(TmpPath(), T("0,5") + T("7,6") + T("345,21") + T("1,567") + T("0,93") + T("brak") + kKodMPa);
  rig.Restart();
  EXPECT_EQ("0,50", rig.Box(0));
  EXPECT_EQ("08", rig.Box(1));
  EXPECT_EQ(" 345,2", rig.Box(2));
  EXPECT_EQ("1,57", rig.Box(3));
  EXPECT_EQ("0,93", rig.Box(4));
  EXPECT_EQ("brak", rig.Box(5));
  EXPECT_EQ(7.6f, st().tPary);
}

TEST_F(LastInputsTest, ThousandGroupsOfTheWindowsPatternsReadWithoutQuestions) {
  WriteAll(TmpPath(), T("1 500") + T("1 000") + T("3 051,2") + T("7,12") + T("") + T("") +
                          std::string("\x04\x00\x00\x00\x40\x40", 6));  // kPa
  rig.Restart();
  EXPECT_EQ("1500,00", rig.Box(0));
  EXPECT_EQ("1000", rig.Box(1));
  EXPECT_EQ("3 051,2", rig.Box(2));
  EXPECT_EQ(1500.0f, st().pParyWe);
  EXPECT_EQ(3.0f, frm().kodJednP);
  EXPECT_EQ(" kPa", frm().Combo1Text);
}

TEST_F(LastInputsTest, UnknownUnitCodeFallsBackToMPa) {
  WriteAll(TmpPath(),
           T("1") + T("100") + T("") + T("") + T("") + T("") + std::string("\x04\x00\x00\x00\xE0\x40", 6));  // 7.0
  rig.Restart();
  EXPECT_EQ(1.0f, frm().kodJednP);
  EXPECT_EQ(" MPa", frm().Combo1Text);
}

struct DamagedFile {
  const char* name;
  std::string bytes;
  int nr;
  const char* opis;
};
void PrintTo(const DamagedFile& c, std::ostream* os) { *os << c.name; }

class LastInputsDamaged : public ::testing::TestWithParam<DamagedFile> {};

TEST_P(LastInputsDamaged, GoToTheErrorReportAndTheWindowOpensEmpty) {
  AppRig rig;
  WriteAll(rig.frm().PlikTmp, GetParam().bytes);
  rig.dialogs.ExpectBox(Raport(GetParam().nr, GetParam().opis, "CzytajOstatnieDane"), Buttons::YesNo, Icon::None,
                        "Opis błędu ", Answer::Yes);
  rig.Restart();
  EXPECT_TRUE(rig.frm().Visible);
  for (int i = 0; i < 6; ++i) EXPECT_EQ("", rig.Box(i));
  EXPECT_EQ(1.0f, rig.frm().kodJednP);
  EXPECT_EQ(0, rig.platform.endCalls);
}

INSTANTIATE_TEST_SUITE_P(
    All, LastInputsDamaged,
    ::testing::Values(DamagedFile{"empty", "", 62, "Próba odczytu poza końcem pliku"},
                      DamagedFile{"cutAfterFourEntries", T("1") + T("100") + T("2") + T("3"), 62,
                                  "Próba odczytu poza końcem pliku"},
                      DamagedFile{"lengthBeyondEnd", T("1") + std::string("\x08\x00\x10\x27", 4) + "100", 62,
                                  "Próba odczytu poza końcem pliku"},
                      DamagedFile{"unknownType", T("1") + std::string("\x07\x00", 2) + std::string(40, '\0'), 13,
                                  "Niezgodność typów"},
                      DamagedFile{"temperatureNoNumber", T("1") + T("abc") + T("") + T("") + T("") + T("") + kKodMPa,
                                  13, "Niezgodność typów"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(LastInputsTest, KeptInvalidPressureEndsTheStartUpInTheErrorReport) {
  WriteAll(TmpPath(), T("1 MPa") + T("100") + T("") + T("") + T("") + T("") + kKodMPa);
  rig.dialogs.ExpectBox("Zostawić tę  zmieną    1 MPa  ?", Buttons::YesNo, Icon::None, "Poprawność  danych",
                        Answer::Yes);
  rig.dialogs.ExpectBox(Raport(13, "Niezgodność typów", "CzytajOstatnieDane"), Buttons::YesNo, Icon::None,
                        "Opis błędu ", Answer::Yes);
  rig.Restart();
  EXPECT_EQ("", rig.Box(1));
}

// ---- failed writes ----

TEST_F(LastInputsTest, WriteIntoAFolderThatIsAFileIsReportedAndTheWindowStays) {
  const std::string file = rig.dir.path() + "/plik";
  WriteAll(file, "x");
  frm().PlikTmp = file + "/Kalorimo.tmp";
  rig.dialogs.ExpectBox(Raport(76, "Nie znaleziono ścieżki - plik " + frm().PlikTmp, "mnuZakoncz_Click", ENOTDIR),
                        Buttons::YesNo, Icon::None, "Opis błędu ", Answer::Yes);
  app().mnuZakoncz_Click();
  EXPECT_FALSE(frm().closed);
  EXPECT_EQ(0, rig.platform.endCalls);
}

// Files beyond the size limit fail to grow (EFBIG), as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit l = saved_;
    l.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &l);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, old_);
  }

 private:
  rlimit saved_{};
  void (*old_)(int);
};

TEST_F(LastInputsTest, FullDiskLeavesTheOldFileWholeAndNoTemporaryFile) {
  const std::string old = T("1") + T("100") + T("") + T("") + T("") + T("") + kKodMPa;
  WriteAll(TmpPath(), old);
  Fill({"1,23456789", "123,456789", "2 700,123456", "6,123456789", "0,95", "1,23456789"});
  rig.dialogs.ExpectBox(Raport(61, "Dysk jest pełny - plik " + TmpPath(), "mnuZakoncz_Click", EFBIG), Buttons::YesNo,
                        Icon::None, "Opis błędu ", Answer::Yes);
  {
    FileSizeLimit limit(old.size() + 4);
    app().mnuZakoncz_Click();
  }
  EXPECT_FALSE(frm().closed);
  EXPECT_EQ(old, ReadAll(TmpPath()));
  for (const auto& e : fs::directory_iterator(frm().Folder)) {
    EXPECT_EQ(std::string::npos, e.path().filename().string().find("Kalorimo.tmp."));
  }
}

}  // namespace
}  // namespace kal::test
