// A coefficient file edited while the calculator runs: NaN, inf, huge or zero coefficients in any
// of the 16 tables, or a file cut short. The next calculation of every pair ends in the error
// report, with a message, or with finite boxes; the file is never rewritten by a calculation;
// after the file is put right the next calculation shows the normal result again.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/kalorimo_app.h"
#include "support/recording_dialogs.h"
#include "support/scripted_dialogs.h"

namespace kal::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace pole;

struct Table {
  const char* name;
  std::size_t offset;  // bytes from the start of the record
  std::size_t count;   // doubles
};
void PrintTo(const Table& c, std::ostream* os) { *os << c.name; }

const Table kTables[16] = {
    {"Tab1", 0, 35},    {"Tab2", 280, 13},  {"Tab3", 384, 11},  {"Tab4", 472, 12},
    {"Tab5", 568, 12},  {"Tab6", 664, 9},   {"Tab7", 736, 11},  {"Tab8", 824, 12},
    {"Tab9", 920, 5},   {"Tab10", 960, 5},  {"Tab11", 1000, 5}, {"Tab12", 1040, 5},
    {"Tab13", 1080, 5}, {"Tab14", 1120, 5}, {"Tab15", 1160, 5}, {"Tab16", 1200, 5},
};

struct Case {
  const char* name;
  int a;
  const char* va;
  int b;
  const char* vb;
};

// Every pair, with the compressed-water searches of both enthalpy pairs besides.
const Case kCases[] = {
    {"p_t", P, "1", T, "200"},         {"p_h", P, "1", H, "2900"}, {"t_h", T, "200", H, "2900"},
    {"x_t", X, "0,9", T, "100"},       {"x_p", X, "0,9", P, "1"},  {"p_s", P, "1", S, "7"},
    {"t_s", T, "200", S, "7"},         {"h_s", H, "2900", S, "7"}, {"p_h_water", P, "10", H, "400"},
    {"t_h_water", T, "100", H, "500"},
};

struct Outcome {
  std::array<std::string, 10> boxes;
  std::vector<std::string> wet;
  std::vector<RecordingDialogs::Box> dialogs;
  std::vector<int> errors;
};

// "nan" or "inf" as a number's text ("Info" of a title does not count), or wider than any finite
// single can be written.
bool Garbage(const std::string& text) {
  std::string t;
  for (char c : text) t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::size_t at; (at = t.find("info")) != std::string::npos;) t.erase(at, 4);
  return t.find("nan") != std::string::npos || t.find("inf") != std::string::npos || t.size() > 60;
}

// One running calculator over a fresh data folder, answered by the recording double.
class Rig {
 public:
  Rig() { platform.exeDir = dir.path(); }

  TempDir dir;
  RecordingDialogs dialogs;
  FakePlatform platform;
  std::unique_ptr<KalorimoApp> app;  // last: it goes before the folder and the doubles

  void Start() {
    app = std::make_unique<KalorimoApp>(dialogs, platform, ',');
    app->Form_Load();
  }
  std::string Plik() const { return dir.path() + "/Kalorimo/Kalorimo.dat"; }
  Bytes Read() const {
    std::ifstream in(Plik(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  // Rewrites the file in place, as an editor that saves over it does: the calculator's open
  // file sees the new bytes.
  void Write(const Bytes& b) const {
    std::ofstream out(Plik(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  }

  Outcome Oblicz(const Case& c) {
    KalorimoApp& m = *app;
    for (int i = 0; i < 5; ++i) {
      if (m.frm.Check[i].Value == 1) {
        m.frm.Check[i].Value = 0;
        m.Check_Click(i);
      }
    }
    for (int i : {c.a, c.b}) {
      m.frm.Check[i].Value = 1;
      m.Check_Click(i);
    }
    m.frm.Text_IS[c.a].Text = c.va;
    m.frm.Text_IS[c.b].Text = c.vb;
    dialogs.Clear();
    m.cmdOblicz_Click();
    Outcome o;
    // A hidden box (the heat-of-vaporisation row of a superheated state) is not on screen.
    for (int i = 0; i < 10; ++i) o.boxes[i] = m.frm.Text_IS[i].Visible ? m.frm.Text_IS[i].Text : "(hidden)";
    if (m.mokra.Loaded) {
      for (const auto& box : m.mokra.txtMokra) o.wet.push_back(box.Text);
    }
    o.dialogs = dialogs.boxes;
    o.errors = dialogs.errors;
    return o;
  }
};

void PutDouble(Bytes& img, std::size_t at, double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, 8);
  for (int k = 0; k < 8; ++k) img[at + k] = static_cast<std::uint8_t>(bits >> (8 * k));
}

std::string Describe(const Outcome& o) {
  std::string s;
  for (const auto& b : o.boxes) s += "[" + b + "]";
  for (const auto& d : o.dialogs) s += "\n  box " + d.title + ": " + d.text;
  return s;
}

void ExpectSound(const Outcome& o, const std::string& where) {
  for (const auto& b : o.boxes) EXPECT_FALSE(Garbage(b)) << where << ": box [" << b << "]";
  for (const auto& b : o.wet) EXPECT_FALSE(Garbage(b)) << where << ": wet box [" << b << "]";
  for (const auto& d : o.dialogs) {
    if (d.title != "Opis błędu ") {
      EXPECT_FALSE(Garbage(d.text)) << where << ": message [" << d.text << "]";
    }
  }
}

struct Fault {
  const char* name;
  double value;
  bool mustReport;  // a state that reads this table cannot come out of it as a number
};

const Fault kFaults[] = {
    {"nan", std::numeric_limits<double>::quiet_NaN(), true},
    {"inf", std::numeric_limits<double>::infinity(), true},
    {"minus_inf", -std::numeric_limits<double>::infinity(), true},
    {"huge", 1e308, true},
    {"minus_huge", -1e308, true},
    {"zero", 0.0, false},
};

class CoeffFaults : public ::testing::TestWithParam<Table> {};

// For one table and every fault: each case ends soundly, the file keeps its bytes, and the
// right file brings the normal result back in the same run.
TEST_P(CoeffFaults, EveryPairEndsSoundlyAndRecovers) {
  const Table& tab = GetParam();
  Rig rig;
  rig.Start();
  const Bytes good = rig.Read();
  ASSERT_EQ(good.size(), 1240u);

  std::vector<Outcome> normal;
  for (const Case& c : kCases) {
    normal.push_back(rig.Oblicz(c));
    ASSERT_TRUE(normal.back().dialogs.empty()) << c.name << Describe(normal.back());
  }

  bool reportedSomewhere = false;
  for (const Fault& f : kFaults) {
    Bytes bad = good;
    for (std::size_t k = 0; k < tab.count; ++k) PutDouble(bad, tab.offset + 8 * k, f.value);
    for (std::size_t i = 0; i < std::size(kCases); ++i) {
      const Case& c = kCases[i];
      const std::string where = std::string(tab.name) + " " + f.name + " " + c.name;
      rig.Write(bad);
      Outcome o = rig.Oblicz(c);
      EXPECT_EQ(rig.Read(), bad) << where << ": the calculation rewrote the file";
      ExpectSound(o, where);
      EXPECT_EQ(rig.platform.endCalls, 0) << where;
      const bool reported = !o.dialogs.empty();
      if (reported) reportedSomewhere = true;
      // A table this state does not read leaves its result as it was; one it reads cannot give
      // a silent result out of a non-finite or overflowing coefficient.
      if (f.mustReport && !reported) {
        EXPECT_EQ(o.boxes, normal[i].boxes) << where << ": a silent result out of a faulty table" << Describe(o);
      }

      rig.Write(good);
      Outcome back = rig.Oblicz(c);
      EXPECT_EQ(back.boxes, normal[i].boxes) << where << ": not the normal result after the repair" << Describe(back);
      EXPECT_TRUE(back.dialogs.empty()) << where << Describe(back);
    }
  }
  // Every table is read by some pair: its faults must have shown up.
  EXPECT_TRUE(reportedSomewhere) << tab.name << " was never reported";
}

INSTANTIATE_TEST_SUITE_P(AllTables, CoeffFaults, ::testing::ValuesIn(kTables),
                         [](const ::testing::TestParamInfo<Table>& i) { return std::string(i.param.name); });

// One element at a time: a NaN in any of the 155 doubles of the record is either read by a case
// (which then reports) or by none (element 0 of every table: the result stays normal). A single
// 1e308 is a finite coefficient: the searches may still find a (meaningless) root with it, e.g.
// 0 C for water of 400 kJ/kg, so only a sound end is asked of it.
TEST(CoeffFaultsElements, EveryElementIsReportedOrUnused) {
  Rig rig;
  rig.Start();
  const Bytes good = rig.Read();
  std::vector<Outcome> normal;
  for (const Case& c : kCases) normal.push_back(rig.Oblicz(c));
  for (double v : {std::numeric_limits<double>::quiet_NaN(), 1e308}) {
    for (std::size_t e = 0; e < 155; ++e) {
      Bytes bad = good;
      PutDouble(bad, 8 * e, v);
      rig.Write(bad);
      for (std::size_t i = 0; i < std::size(kCases); ++i) {
        const std::string where =
            "element " + std::to_string(e) + (std::isnan(v) ? " nan " : " huge ") + kCases[i].name;
        Outcome o = rig.Oblicz(kCases[i]);
        ExpectSound(o, where);
        if (std::isnan(v) && o.dialogs.empty()) {
          EXPECT_EQ(o.boxes, normal[i].boxes) << where << Describe(o);
        }
      }
    }
  }
  rig.Write(good);
  EXPECT_EQ(rig.Oblicz(kCases[0]).boxes, normal[0].boxes);
}

// A NaN in a table every state reads ends each pair in the error report, not in a message.
TEST(CoeffFaultsReport, NanInTheSaturationLineIsAnOverflowInEveryPair) {
  Rig rig;
  rig.Start();
  Bytes bad = rig.Read();
  for (std::size_t k = 0; k < 13; ++k) PutDouble(bad, 280 + 8 * k, std::numeric_limits<double>::quiet_NaN());
  rig.Write(bad);
  for (const Case& c : kCases) {
    Outcome o = rig.Oblicz(c);
    // x_t and t_h/t_s read the saturation line only through Pnas, from the temperature.
    EXPECT_FALSE(o.errors.empty() && o.dialogs.empty()) << c.name << Describe(o);
    ExpectSound(o, c.name);
  }
}

// A file cut short while the calculator runs: the record is read as far as it goes and the
// rest stays as last read, so the results are the normal ones; nothing writes the file back.
class CutShort : public ::testing::TestWithParam<std::size_t> {};

TEST_P(CutShort, WhileRunningKeepsTheResultsAndTheFile) {
  Rig rig;
  rig.Start();
  const Bytes good = rig.Read();
  std::vector<Outcome> normal;
  for (const Case& c : kCases) normal.push_back(rig.Oblicz(c));

  const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(GetParam()));
  rig.Write(cut);
  for (std::size_t i = 0; i < std::size(kCases); ++i) {
    Outcome o = rig.Oblicz(kCases[i]);
    EXPECT_EQ(o.boxes, normal[i].boxes) << kCases[i].name << Describe(o);
    EXPECT_TRUE(o.dialogs.empty()) << kCases[i].name << Describe(o);
    EXPECT_EQ(rig.Read(), cut) << kCases[i].name;
  }
}

// A run that starts over a file cut short (more than half a record, so no defaults are written)
// has zeros where the file ends: every pair still ends soundly and the file keeps its bytes.
TEST_P(CutShort, AtStartUpEndsSoundlyAndKeepsTheFile) {
  Bytes cut;
  {
    Rig first;
    first.Start();
    const Bytes good = first.Read();
    cut.assign(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(GetParam()));
  }
  Rig rig;
  std::filesystem::create_directory(rig.dir.path() + "/Kalorimo");
  rig.Write(cut);
  rig.Start();
  const bool defaultsWritten = GetParam() <= 620;
  for (const Case& c : kCases) {
    Outcome o = rig.Oblicz(c);
    ExpectSound(o, c.name);
    if (!defaultsWritten) {
      EXPECT_EQ(rig.Read(), cut) << c.name;
    }
  }
  if (defaultsWritten) {
    EXPECT_EQ(rig.Read().size(), 1240u);
  }
}

INSTANTIATE_TEST_SUITE_P(Lengths, CutShort, ::testing::Values(0, 300, 620, 621, 700, 1000, 1196, 1236, 1239));

}  // namespace
}  // namespace kal::test
