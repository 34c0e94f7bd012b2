// A coefficient record from the input, then one calculation of each pair in a row on the
// headless main window, its boxes typed from the input too. Whatever the coefficients and the
// typed texts, no box and no message shows NaN or infinity, every error report is answered and
// nothing ends the application, and no calculation writes into Kalorimo.dat.
//
// Input: bytes 0..1239 are XOR-ed onto the default record (a short input leaves the rest of the
// record at its defaults); after them one control byte (decimal separator, pressure unit) and
// the sixteen texts of the eight pairs separated by '\n' (a missing text keeps a typical value).
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/kalorimo_app.h"
#include "cli/batch_dialogs.h"
#include "coeffdb/baza.h"

namespace {

struct Pair {
  int a, b;  // check boxes in the order the texts come
  const char* va;
  const char* vb;
};

// The eight pairs in the dispatch order of the calculate command, with typical values.
constexpr Pair kPairs[8] = {
    {0, 1, "1", "200"}, {0, 2, "1", "2900"}, {1, 2, "200", "2900"}, {4, 1, "0,9", "100"},
    {4, 0, "0,9", "1"}, {0, 3, "1", "7"},    {1, 3, "200", "7"},    {2, 3, "2900", "7"},
};

struct DataFolder {
  std::string path;
  std::string dat;
  std::array<std::uint8_t, kal::kRecordLen> defaults{};
  int writer = -1;

  DataFolder() {
    char name[] = "/tmp/kalorimo-fuzz-dat-XXXXXX";
    if (!::mkdtemp(name)) std::abort();
    path = std::string(name) + "/";
    dat = path + "Kalorimo.dat";
    {
      // The first start fills the empty file with the default record.
      kal::cli::BatchDialogs dialogs;
      kal::cli::CliPlatform platform;
      kal::KalorimoApp app(dialogs, platform);
      app.folderOverride = path;
      app.czytajOstatnieDane = false;
      app.Form_Load();
      if (app.db.NrPlikuBazy == 0 || !dialogs.messages.empty()) std::abort();
    }
    writer = ::open(dat.c_str(), O_RDWR | O_CLOEXEC);
    if (writer < 0 || ::pread(writer, defaults.data(), defaults.size(), 0) != static_cast<ssize_t>(defaults.size()))
      std::abort();
  }
  ~DataFolder() {
    ::close(writer);
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

DataFolder& Folder() {
  static DataFolder folder;
  return folder;
}

// Typed texts keep to the characters of numbers (and a few others), so a "nan" or "inf" can
// only come from the program.
std::string Typed(const std::uint8_t* p, std::size_t n) {
  static const std::string kKept = "0123456789,.+-eE /x\t";
  std::string s;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = static_cast<char>(p[i]);
    s.push_back(kKept.find(c) != std::string::npos ? c : static_cast<char>('0' + p[i] % 10));
  }
  return s;
}

// A file error names the data folder, and the error report's first line says "wykonania".
bool Garbage(std::string s, const std::string& folder) {
  for (const std::string& known : {folder, std::string("wykonania")}) {
    for (std::size_t at; (at = s.find(known)) != std::string::npos;) s.erase(at, known.size());
  }
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s.find("nan") != std::string::npos || s.find("inf") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFolder& folder = Folder();

  std::array<std::uint8_t, kal::kRecordLen> record = folder.defaults;
  for (std::size_t i = 0; i < record.size() && i < size; ++i) record[i] ^= data[i];
  if (::pwrite(folder.writer, record.data(), record.size(), 0) != static_cast<ssize_t>(record.size())) std::abort();

  std::uint8_t control = 0;
  std::vector<std::string> texts;
  if (size > kal::kRecordLen) {
    control = data[kal::kRecordLen];
    std::size_t from = kal::kRecordLen + 1;
    for (std::size_t i = from; i <= size && texts.size() < 16; ++i) {
      if (i == size || data[i] == '\n') {
        texts.push_back(Typed(data + from, i - from));
        from = i + 1;
      }
    }
  }
  const char sep = (control & 1) ? '.' : ',';
  const int unit = (control >> 1) % 3;

  kal::cli::BatchDialogs dialogs;
  kal::cli::CliPlatform platform;
  kal::KalorimoApp app(dialogs, platform, sep);
  app.folderOverride = folder.path;
  app.czytajOstatnieDane = false;
  app.Form_Load();
  if (unit != 0) app.Combo1_Click(unit);

  for (int k = 0; k < 8; ++k) {
    const Pair& p = kPairs[k];
    for (int i = 0; i < 5; ++i) {
      if (app.frm.Check[i].Value == 1) {
        app.frm.Check[i].Value = 0;
        app.Check_Click(i);
      }
    }
    for (int i : {p.a, p.b}) {
      app.frm.Check[i].Value = 1;
      app.Check_Click(i);
    }
    const std::size_t ta = 2 * static_cast<std::size_t>(k), tb = ta + 1;
    app.frm.Text_IS[p.a].Text = ta < texts.size() ? texts[ta] : p.va;
    app.frm.Text_IS[p.b].Text = tb < texts.size() ? texts[tb] : p.vb;
    app.cmdOblicz_Click();

    for (const auto& box : app.frm.Text_IS) {
      if (Garbage(box.Text, folder.path)) std::abort();
    }
    if (Garbage(app.frm.Combo1Text, folder.path)) std::abort();
    if (app.mokra.Loaded) {
      for (const auto& box : app.mokra.txtMokra) {
        if (Garbage(box.Text, folder.path)) std::abort();
      }
    }
    for (const auto& m : dialogs.messages) {
      if (Garbage(m.text, folder.path)) std::abort();
    }
    dialogs.messages.clear();
  }
  if (platform.endRequests != 0) std::abort();

  // A calculation only reads the coefficient file.
  std::array<std::uint8_t, kal::kRecordLen> after{};
  if (::pread(folder.writer, after.data(), after.size(), 0) != static_cast<ssize_t>(after.size()) || after != record) {
    std::abort();
  }
  return 0;
}
