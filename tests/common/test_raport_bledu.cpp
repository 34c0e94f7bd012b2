#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/cp1250.h"
#include "common/errors.h"
#include "common/mod_main.h"
#include "support/scripted_dialogs.h"

namespace kal {
namespace {

namespace fs = std::filesystem;
using test::FakePlatform;
using test::ScriptedDialogs;
using test::TempDir;

const char kPathProblem[] = "Problem ze ścieżką dostępu  w  ModMain\\CzyJestSubDir()  ";

TEST(RaportBledu, SevenLinesYesContinues) {
  ScriptedDialogs dialogs;
  FakePlatform platform;
  ModMain mod(dialogs, platform);
  mod.whatFormName = "frmKalorimo";
  RunTimeError err(ErrDivByZero, "Dane_H_S", 2);
  err.helpContext = 1000011;
  err.helpFile = "VBA.chm";
  dialogs.ExpectBox(
      " Wystąpił błąd wykonania nr -> 11\r\n"
      "  co oznacza ->  Dzielenie przez zero\r\n"
      " błąd wystąpił w procedurze -> Dane_H_S / 2\r\n"
      " whatFormName = frmKalorimo\r\n"
      " kontekst -> 1000011\r\n"
      " help file -> VBA.chm\r\n"
      " kontynuować ? ",
      Buttons::YesNo, Icon::None, "Opis błędu ", Answer::Yes);
  mod.RaportBledu(err);
  EXPECT_EQ(0, platform.endCalls);
}

TEST(RaportBledu, NoEndsTheApplication) {
  ScriptedDialogs dialogs;
  FakePlatform platform;
  ModMain mod(dialogs, platform);
  RunTimeError err(ErrOverflow, "Sng");
  dialogs.ExpectBox(
      " Wystąpił błąd wykonania nr -> 6\r\n  co oznacza ->  Przepełnienie\r\n"
      " błąd wystąpił w procedurze -> Sng / 0\r\n whatFormName = \r\n kontekst -> 0\r\n"
      " help file -> \r\n kontynuować ? ",
      Buttons::YesNo, Icon::None, "Opis błędu ", Answer::No);
  mod.RaportBledu(err);
  EXPECT_EQ(1, platform.endCalls);
}

TEST(Errors, EveryRaisedNumberHasAPolishDescription) {
  const std::string fallback = OpisBledu(9999);
  for (int n : {5, 6, 11, 13, 52, 53, 57, 61, 62, 70, 75, 76}) {
    EXPECT_NE(fallback, OpisBledu(n)) << n;
    EXPECT_EQ(OpisBledu(n), RunTimeError(n, "x").description);
  }
}

struct DirFixture {
  ScriptedDialogs dialogs;
  FakePlatform platform;
  ModMain mod{dialogs, platform};
  TempDir tmp;
  // The window's text, then the folder and the system's reason.
  void ExpectProblem(const std::string& path, const std::string& powod) {
    dialogs.ExpectBox(std::string(kPathProblem) + "\r\nKatalog: " + path + " - " + powod, Buttons::OK,
                      Icon::Information, "Eksplorator");
  }
};

TEST(CzyJestSubDir, ExistingFolderWithOrWithoutTrailingSeparator) {
  DirFixture f;
  f.mod.CzyJestSubDir(f.tmp.path());
  f.mod.CzyJestSubDir(f.tmp.path() + "/");
  f.mod.CzyJestSubDir(f.tmp.path() + "//");
  f.mod.CzyJestSubDir(f.tmp.path() + "/.");
  EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(CzyJestSubDir, MissingFolderIsCreated) {
  DirFixture f;
  const std::string dir = f.tmp.path() + "/Kalorimo";
  f.mod.CzyJestSubDir(dir + "/");
  EXPECT_TRUE(fs::is_directory(dir));
  const std::string dir2 = f.tmp.path() + "/Inny";
  f.mod.CzyJestSubDir(dir2);
  EXPECT_TRUE(fs::is_directory(dir2));
  EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(CzyJestSubDir, MissingParentShowsTheMessageAndReturns) {
  DirFixture f;
  const std::string dir = f.tmp.path() + "/brak/Kalorimo/";
  f.ExpectProblem(dir, "brak takiego pliku lub katalogu");
  f.mod.CzyJestSubDir(dir);
  EXPECT_FALSE(fs::exists(f.tmp.path() + "/brak"));
}

TEST(CzyJestSubDir, AFileInTheWayShowsTheMessage) {
  DirFixture f;
  const std::string file = f.tmp.path() + "/Kalorimo";
  std::ofstream(file) << "x";
  f.ExpectProblem(file, "istnieje, ale nie jest katalogiem");
  f.mod.CzyJestSubDir(file);
  f.ExpectProblem(file + "/", "istnieje, ale nie jest katalogiem");
  f.mod.CzyJestSubDir(file + "/");
  EXPECT_TRUE(fs::is_regular_file(file));
}

TEST(CzyJestSubDir, EmptyPathShowsTheMessage) {
  DirFixture f;
  f.ExpectProblem("", "pusta ścieżka");
  f.mod.CzyJestSubDir("");
}

TEST(CzyJestSubDir, NoPermissionShowsTheMessage) {
  DirFixture f;
  const std::string locked = f.tmp.path() + "/zamkniety";
  fs::create_directory(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  if (::access(locked.c_str(), W_OK) == 0) {  // running as root: permissions do not bind
    fs::permissions(locked, fs::perms::owner_all);
    GTEST_SKIP() << "permissions not enforced";
  }
  f.ExpectProblem(locked + "/Kalorimo", "brak uprawnień");
  f.mod.CzyJestSubDir(locked + "/Kalorimo");
  fs::permissions(locked, fs::perms::owner_all);
}

TEST(Cp1250, PolishLettersTakeOneByteAndComeBack) {
  const std::string utf8 = "ciśnienie  pary ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ objętość właściwa";
  const std::string cp = ToCp1250(utf8);
  EXPECT_EQ('\x9c', ToCp1250("ś")[0]);
  EXPECT_EQ(std::string("\xb9\xe6\xea\xb3\xf1\xf3\x9c\x9f\xbf"), ToCp1250("ąćęłńóśźż"));
  EXPECT_EQ(FromCp1250(cp), utf8);
  EXPECT_EQ("abc\r\n\"", ToCp1250("abc\r\n\""));
}

TEST(Cp1250, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(
      "a\x80"
      "b",
      ToCp1250("a€b"));  // the euro sign exists in the code page
  EXPECT_EQ("a?b", ToCp1250("a漢b"));
  EXPECT_EQ("a?b", ToCp1250("a\xff"
                            "b"));
  EXPECT_EQ("a?", ToCp1250("a\xc5"));  // cut short at the end
  EXPECT_EQ("?A", ToCp1250("\xe6"
                           "A"));  // a lead byte followed by a plain letter
  EXPECT_EQ("a?b", FromCp1250("a\x81"
                              "b"));  // undefined in the code page
  EXPECT_EQ("", ToCp1250(""));
  const std::string big(100000, 'x');
  EXPECT_EQ(big, FromCp1250(ToCp1250(big)));
}

}  // namespace
}  // namespace kal
