// The built executable itself, as scripts call it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/scripted_dialogs.h"

namespace kal::test {
namespace {

struct Exec {
  int status = -1;
  std::string out;
};

Exec Shell(const std::string& command) {
  Exec e;
  std::FILE* p = popen(command.c_str(), "r");
  if (!p) return e;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) e.out.append(buf, n);
  int st = pclose(p);
  e.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return e;
}

std::string Slurp(const std::string& path) {
  std::string s;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
  }
  return s;
}

TEST(Executable, SingleCalculationCreatesTheDataFolder) {
  TempDir dir;
  std::string data = dir.path() + "/nowy";
  Exec e = Shell(std::string(KALORIMO_CALC_EXE) + " --data '" + data + "' --format json 'p,t' 1 200");
  ASSERT_EQ(0, e.status) << e.out;
  nlohmann::json j = nlohmann::json::parse(e.out);
  EXPECT_EQ("2 828,0", j["boxes"][2]);
  EXPECT_TRUE(j["ok"].get<bool>());
  EXPECT_EQ(1240u, std::filesystem::file_size(data + "/Kalorimo.dat"));
  EXPECT_FALSE(std::filesystem::exists(data + "/Kalorimo.tmp"));
}

TEST(Executable, BatchFromStandardInputWithBoxesOnStandardError) {
  TempDir dir;
  std::string lines = dir.path() + "/wiersze.txt", err = dir.path() + "/err.txt";
  {
    std::FILE* f = std::fopen(lines.c_str(), "w");
    ASSERT_NE(nullptr, f);
    std::fputs("p,t 10 500\nx,p 1,2 1\nh,s 2900 7\n", f);
    std::fclose(f);
  }
  Exec e = Shell(std::string(KALORIMO_CALC_EXE) + " --data '" + dir.path() + "' --format csv --batch < '" + lines +
                 "' 2> '" + err + "'");
  EXPECT_EQ(1, e.status);
  EXPECT_EQ(4, std::count(e.out.begin(), e.out.end(), '\n')) << e.out;
  EXPECT_EQ("kalorimo-calc: wiersz 2: [Termo_info] Stopień suchości x >1 !\n", Slurp(err));
}

TEST(Executable, UsageErrorGivesTwo) {
  Exec e = Shell(std::string(KALORIMO_CALC_EXE) + " p,q 1 2 2>&1");
  EXPECT_EQ(2, e.status);
  EXPECT_NE(std::string::npos, e.out.find("p,t p,h t,h x,t x,p p,s t,s h,s"));
}

}  // namespace
}  // namespace kal::test
