// The window model in a hostile environment: odd old last-inputs files, a file written under
// another locale, leftovers of killed runs, implausible coefficient files, states past the fits.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>

#include "app/kalorimo_app.h"
#include "app_fixture.h"
#include "coeffdb/baza.h"
#include "support/recording_dialogs.h"

namespace kal::test {
namespace {

namespace fs = std::filesystem;
constexpr int P = 0, T = 1, H = 2, X = 4;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// One run over `exe` with recorded boxes.
struct Uruchomienie {
  explicit Uruchomienie(const std::string& exe, char sep = ',') {
    platform.exeDir = exe;
    app = std::make_unique<KalorimoApp>(dialogs, platform, sep);
    app->Form_Load();
  }
  // The boxes of one calculation, the messages it showed.
  std::string Oblicz(int a, const std::string& va, int b, const std::string& vb) {
    dialogs.Clear();
    for (int i = 0; i < 5; ++i) app->frm.Check[i].Value = i == a || i == b;
    app->Check_Click(a);
    app->frm.Text_IS[a].Text = va;
    app->frm.Text_IS[b].Text = vb;
    app->cmdOblicz_Click();
    std::string all;
    for (int i = 0; i <= 8; ++i) all += app->frm.Text_IS[i].Text + "|";
    return all;
  }
  RecordingDialogs dialogs;
  FakePlatform platform;
  std::unique_ptr<KalorimoApp> app;
};

// Item: the exit command copies the old file's stale tail only from a small regular file; a
// FIFO, a device, a link or a huge file is no old file, and the exit neither hangs nor fills
// the disk.
TEST(Reliability, ExitWithAnOddOldLastInputsFile) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
    bool tailKept;
  };
  const std::string stale(300, 'S');
  const Case cases[] = {
      {"small regular file", [&](const std::string& p) { Put(p, stale); }, true},
      {"FIFO", [](const std::string& p) { ASSERT_EQ(0, ::mkfifo(p.c_str(), 0644)); }, false},
      {"link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, false},
      {"link to a regular file",
       [&](const std::string& p) {
         Put(p + ".cel", stale);
         fs::create_symlink(p + ".cel", p);
       },
       false},
      {"10 MB file", [](const std::string& p) { Put(p, std::string(10u << 20, 'Z')); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    fs::create_directory(dir.path() + "/Kalorimo");
    const std::string tmp = dir.path() + "/Kalorimo/Kalorimo.tmp";
    c.make(tmp);
    Uruchomienie run(dir.path());
    run.app->frm.Text_IS[1].Text = "200";
    run.app->mnuZakoncz_Click();
    EXPECT_TRUE(run.app->frm.closed);
    ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(tmp)));
    const std::string bytes = Slurp(tmp);
    EXPECT_EQ(c.tailKept, bytes.size() == stale.size()) << bytes.size();
    EXPECT_LT(bytes.size(), 4096u);
  }
}

// Item: a file written under one locale reads back under the other, whichever separator the
// user typed; no question, no error report.
TEST(Reliability, LastInputsReadBackWithEitherSeparator) {
  struct Case {
    char writer, reader;
    const char* t;  // typed temperature
    const char* v;  // typed volume
    const char* box1;
    const char* box5;
  };
  const Case cases[] = {
      {',', ',', "374.5", "0.033", "375", "0,033"}, {',', ',', "374,5", "0,033", "375", "0,033"},
      {',', '.', "374,5", "0,033", "375", "0.033"}, {'.', ',', "374.5", "0.033", "375", "0,033"},
      {'.', '.', "374,5", "0,033", "375", "0.033"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.t) + " " + c.writer + c.reader);
    TempDir dir;
    {
      Uruchomienie first(dir.path(), c.writer);
      first.app->frm.Text_IS[0].Text = "10";
      first.app->frm.Text_IS[1].Text = c.t;
      first.app->frm.Text_IS[5].Text = c.v;
      first.app->mnuZakoncz_Click();
    }
    Uruchomienie next(dir.path(), c.reader);
    EXPECT_TRUE(next.dialogs.boxes.empty()) << next.dialogs.boxes[0].text;
    EXPECT_EQ(c.box1, next.app->frm.Text_IS[1].Text);
    EXPECT_EQ(c.box5, next.app->frm.Text_IS[5].Text);
  }
}

// Item: the temporary files of a run killed while writing go at the next start; one a running
// instance holds (locked), other names and other programs' files stay.
TEST(Reliability, StartUpRemovesLeftoverTemporaryFiles) {
  TempDir dir;
  const std::string data = dir.path() + "/Kalorimo/";
  fs::create_directory(data);
  struct Case {
    const char* name;
    bool removed;
  };
  const Case cases[] = {
      {"Kalorimo.tmp.a1B2c3", true}, {"Notes.txt.XyZ789", true},     {"Kalorimo.tmp.held01", false},
      {"Kalorimo.tmp.abc", false},   {"Kalorimo.tmp.ab-123", false}, {"Inny.txt.ABCDEF", false},
      {"Kalorimo.tmp", false},
  };
  for (const Case& c : cases) Put(data + c.name, "x");
  const int held = ::open((data + "Kalorimo.tmp.held01").c_str(), O_RDONLY);
  ASSERT_EQ(0, ::flock(held, LOCK_EX));
  {
    Uruchomienie run(dir.path());
    for (const Case& c : cases) EXPECT_EQ(c.removed, !fs::exists(data + c.name)) << c.name;
  }
  ::close(held);
}

// Item: a coefficient file that cannot be right is refused, at start-up and at the read before
// a calculation, with the file and the failing value named; the last good record (the defaults
// when there was none) stays in use. A plausible edit still applies.
TEST(Reliability, ImplausibleCoefficientFileIsRefused) {
  std::string good;
  {
    TempDir first;
    Uruchomienie run(first.path());
    good = Slurp(first.path() + "/Kalorimo/Kalorimo.dat");
  }
  ASSERT_EQ(1240u, good.size());
  std::mt19937 gen(7);
  std::string random(1240, '\0');
  for (char& ch : random) ch = static_cast<char>(gen());
  std::string scaled = good;  // the saturation series' first coefficient doubled
  double c;
  std::memcpy(&c, &scaled[288], 8);
  c *= 2;
  std::memcpy(&scaled[288], &c, 8);

  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
    const char* names;  // the failing value the message names
  };
  const Case cases[] = {
      {"zeros", [](const std::string& p) { Put(p, std::string(1240, '\0')); }, "temperatura nasycenia przy 0,1 MPa"},
      {"random", [&](const std::string& p) { Put(p, random); }, ""},
      {"link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, "zwykły plik"},
      {"40 MB", [&](const std::string& p) { Put(p, good + std::string(40u << 20, 'x')); }, "długość"},
      {"cut short", [&](const std::string& p) { Put(p, good.substr(0, 700)); }, "długość 700"},
      {"scaled saturation line", [&](const std::string& p) { Put(p, scaled); }, "temperatura nasycenia"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TempDir dir;
    const std::string dat = dir.path() + "/Kalorimo/Kalorimo.dat";
    fs::create_directory(dir.path() + "/Kalorimo");
    k.make(dat);
    Uruchomienie run(dir.path());
    ASSERT_EQ(1u, run.dialogs.boxes.size());
    const std::string& m = run.dialogs.boxes[0].text;
    EXPECT_NE(std::string::npos, m.find("Plik współczynników odrzucony")) << m;
    EXPECT_NE(std::string::npos, m.find(dat)) << m;
    EXPECT_NE(std::string::npos, m.find(k.names)) << m;
    EXPECT_NE(std::string::npos, m.find("wbudowanych współczynników domyślnych")) << m;
    // Calculated with the defaults, the refusal told again at the read before it.
    const std::string defaults = "10|370|3000|6,067| x > 1 |0,024|";
    EXPECT_EQ(defaults, run.Oblicz(P, "10", H, "3000").substr(0, defaults.size()));
    EXPECT_EQ(1u, run.dialogs.boxes.size());
  }

  // In a run with a good record: refused edits keep it, plausible ones apply.
  TempDir dir;
  const std::string dat = dir.path() + "/Kalorimo/Kalorimo.dat";
  Uruchomienie run(dir.path());
  const std::string wet = run.Oblicz(X, "0,5", T, "100");
  const std::string normal = run.Oblicz(P, "10", H, "3000");
  Put(dat, std::string(1240, '\0'));
  EXPECT_EQ(normal, run.Oblicz(P, "10", H, "3000"));
  ASSERT_EQ(1u, run.dialogs.boxes.size());
  EXPECT_NE(std::string::npos, run.dialogs.boxes[0].text.find("ostatnich poprawnych współczynników"));
  std::string edited = good;  // h'' 0.1 % higher: still plausible
  for (std::size_t off = 664 + 8; off < 736; off += 8) {
    double h;
    std::memcpy(&h, &edited[off], 8);
    h *= 1.001;
    std::memcpy(&edited[off], &h, 8);
  }
  Put(dat, edited);
  EXPECT_NE(wet, run.Oblicz(X, "0,5", T, "100"));
  EXPECT_TRUE(run.dialogs.boxes.empty());
}

// Item: a state past the fits' validity is refused with the limit it crossed, its result boxes
// blank; states within the limits are as before.
TEST(Reliability, ImpossibleStatesAreRefused) {
  struct Case {
    int a;
    const char* va;
    int b;
    const char* vb;
    const char* limit;  // "" for a good state
  };
  const Case cases[] = {
      {P, "25", H, "2200", "objętość właściwa"},
      {P, "20", H, "2500", "poniżej temperatury nasycenia"},
      {X, "0,5", P, "100", "powyżej punktu krytycznego"},
      {X, "0,5", T, "380", "powyżej punktu krytycznego"},
      {X, "0", T, "10", "p < 0,002"},
      {X, "0,5", T, "370", ""},
      {P, "20", H, "2800", ""},
      {P, "10", T, "500", ""},
      {X, "0", T, "20", ""},
  };
  TempDir dir;
  Uruchomienie run(dir.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.va) + " " + c.vb);
    const std::string boxes = run.Oblicz(c.a, c.va, c.b, c.vb);
    if (*c.limit == '\0') {
      EXPECT_TRUE(run.dialogs.boxes.empty()) << run.dialogs.boxes[0].text;
      continue;
    }
    ASSERT_EQ(1u, run.dialogs.boxes.size());
    EXPECT_EQ("Termo_info", run.dialogs.boxes[0].title);
    EXPECT_NE(std::string::npos, run.dialogs.boxes[0].text.find(c.limit)) << run.dialogs.boxes[0].text;
    for (int i = 0; i <= 5; ++i) {
      if (i != c.a && i != c.b) {
        EXPECT_EQ(kSiedemSpacji, run.app->frm.Text_IS[i].Text) << i;
      }
    }
    EXPECT_FALSE(run.app->mokra.Loaded);
  }
}

// Item: the folder messages name the path and the system's reason.
TEST(Reliability, FolderMessagesNameThePathAndTheReason) {
  TempDir dir;
  Put(dir.path() + "/Kalorimo", "x");  // a file where the folder should be
  Uruchomienie run(dir.path());
  ASSERT_GE(run.dialogs.boxes.size(), 2u);
  EXPECT_EQ("Problem ze ścieżką dostępu  w  ModMain\\CzyJestSubDir()  \r\nKatalog: " + dir.path() +
                "/Kalorimo/ - istnieje, ale nie jest katalogiem\r\n"
                "Katalog użytkownika: nieznany (brak HOME i XDG_DATA_HOME)",  // no per-user folder known
            run.dialogs.boxes[0].text);
  EXPECT_NE(std::string::npos,
            run.dialogs.boxes[1].text.find("\r\n plik -> " + dir.path() +
                                           "/Kalorimo/Kalorimo.dat : część ścieżki nie jest katalogiem\r\n"))
      << run.dialogs.boxes[1].text;
}

}  // namespace
}  // namespace kal::test
