// The batch tool in a hostile environment: failed writes and reads, huge lines, allocation
// failure, and texts a spreadsheet would run as formulas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <streambuf>

#include "cli_rig.h"
#include "support/fs_faults.h"
#include "support/scripted_dialogs.h"

namespace kal::test {
namespace {

// Standard input that yields `text`, then fails as a broken read or a full memory would.
class FailingInput : public std::streambuf {
 public:
  enum class Then { End, ReadError, NoMemory };
  FailingInput(std::string text, Then then, std::size_t repeat = 0, char fill = 0)
      : text_(std::move(text)), then_(then), repeat_(repeat), fill_(fill) {}

 protected:
  int_type underflow() override {
    if (pos_ < text_.size()) {
      const std::size_t n = std::min<std::size_t>(text_.size() - pos_, 1 << 16);
      chunk_.assign(text_, pos_, n);
      pos_ += n;
    } else if (repeat_ > 0) {  // a long run of one byte, made as it is read
      const std::size_t n = std::min<std::size_t>(repeat_, 1 << 16);
      chunk_.assign(n, fill_);
      repeat_ -= n;
    } else if (then_ == Then::ReadError) {
      throw std::ios_base::failure("read");
    } else if (then_ == Then::NoMemory) {
      throw std::bad_alloc();
    } else {
      return traits_type::eof();
    }
    setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
    return traits_type::to_int_type(chunk_[0]);
  }

 private:
  std::string text_, chunk_;
  Then then_;
  std::size_t pos_ = 0, repeat_;
  char fill_;
};

struct Ran {
  int status;
  std::string out, err;
};

Ran RunCalc(const std::vector<std::string>& args, std::streambuf& input, std::FILE* out = nullptr) {
  std::vector<std::string> store{"kalorimo-calc"};
  store.insert(store.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : store) argv.push_back(a.data());
  argv.push_back(nullptr);
  char *ob = nullptr, *eb = nullptr;
  std::size_t ol = 0, el = 0;
  std::FILE* mem = open_memstream(&ob, &ol);
  std::FILE* err = open_memstream(&eb, &el);
  std::istream in(&input);
  Ran r;
  r.status = cli::RunCli(static_cast<int>(store.size()), argv.data(), in, out ? out : mem, err);
  std::fclose(mem);
  std::fclose(err);
  r.out.assign(ob, ol);
  r.err.assign(eb, el);
  std::free(ob);
  std::free(eb);
  return r;
}

// Item: no result is lost silently. Each case ends with status 3 and a Polish message, and the
// results finished before the fault are all in the output.
TEST(Faults, FailedWritesAndReadsGiveThree) {
  TempDir data;
  std::string many;
  for (int i = 0; i < 2001; ++i) many += "p,t 10 500\n";
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    FailingInput::Then then;
    const char* target;    // output file ("" memory)
    long fileLimit;        // bytes a file may grow to (0 no limit)
    const char* message;   // on standard error
    std::size_t goodRows;  // complete result lines kept in memory output
  };
  const Case cases[] = {
      {"single to /dev/full",
       {"p,t", "10", "500"},
       "",
       FailingInput::Then::End,
       "/dev/full",
       0,
       "nie udało się zapisać wyników na standardowe wyjście: brak miejsca na dysku",
       0},
      {"help to /dev/full", {"--help"}, "", FailingInput::Then::End, "/dev/full", 0, "brak miejsca na dysku", 0},
      {"batch to /dev/full",
       {"-f", "csv", "-b"},
       many,
       FailingInput::Then::End,
       "/dev/full",
       0,
       "brak miejsca na dysku",
       0},
      {"batch to a full file", {"-f", "csv", "-b"}, many, FailingInput::Then::End, "r.csv", 8192, "plik za duży", 0},
      {"read error",
       {"-f", "json", "-b"},
       "p,t 10 500\np,t 1 200\n",
       FailingInput::Then::ReadError,
       "",
       0,
       "błąd odczytu standardowego wejścia po wierszu 2",
       2},
      {"no memory",
       {"-f", "json", "-b"},
       "p,t 10 500\np,t 1 200\np,t 2 300",
       FailingInput::Then::NoMemory,
       "",
       0,
       "brak pamięci",
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args{"--data", data.path()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    FailingInput in(c.input, c.then);
    const std::string path = std::string(c.target) == "r.csv" ? data.path() + "/r.csv" : c.target;
    std::FILE* out = path.empty() ? nullptr : std::fopen(path.c_str(), "w");
    Ran r{};
    {
      std::unique_ptr<PelnyDysk> full;
      if (c.fileLimit) full = std::make_unique<PelnyDysk>(static_cast<rlim_t>(c.fileLimit));
      r = RunCalc(args, in, out);
      if (out) std::fclose(out);
    }
    EXPECT_EQ(3, r.status);
    EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err;
    if (path.empty()) {
      EXPECT_EQ(c.goodRows, static_cast<std::size_t>(std::count(r.out.begin(), r.out.end(), '\n'))) << r.out;
    }
  }
}

// Item: one line at a time, none longer than the cap; a byte-order mark is no part of the pair.
TEST(Faults, LongLinesNulBytesAndByteOrderMark) {
  TempDir data;
  struct Case {
    const char* name;
    std::string head;  // the input, then `repeat` bytes of `fill`, then "\np,t 1 200\n"
    std::size_t repeat;
    char fill;
    bool firstOk;       // the first line's result
    const char* error;  // its message when bad
  };
  const std::string exact = "p,t 10 500" + std::string(4096 - 10, ' ');
  const Case cases[] = {
      {"byte-order mark", "\xEF\xBB\xBFp,t 10 500", 0, 0, true, ""},
      {"exactly the cap", exact, 0, 0, true, ""},
      {"one byte over", exact + " ", 0, 0, false, "wiersz za długi (ponad 4096 bajtów)"},
      {"20 MB line", "p,t 10 ", 20u << 20, '5', false, "wiersz za długi"},
      {"20 MB of NUL", "", 20u << 20, '\0', false, "wiersz za długi"},
      {"a few NUL", std::string("p,t\0 1 2", 8), 0, 0, false, "nieznana para"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FailingInput tail("\np,t 1 200\n", FailingInput::Then::End);
    struct Both : std::streambuf {
      std::streambuf *a, *b;
      int_type underflow() override {
        int_type c = a->sgetc();
        if (c == traits_type::eof()) return b->sgetc();
        return c;
      }
      int_type uflow() override {
        int_type c = a->sbumpc();
        if (c == traits_type::eof()) return b->sbumpc();
        return c;
      }
    } both;
    FailingInput head(c.head, FailingInput::Then::End, c.repeat, c.fill);
    both.a = &head;
    both.b = &tail;
    Ran r = RunCalc({"--data", data.path(), "-f", "json", "-b"}, both);
    std::vector<nlohmann::json> js;
    std::istringstream lines(r.out);
    for (std::string l; std::getline(lines, l);) js.push_back(nlohmann::json::parse(l));
    ASSERT_EQ(2u, js.size()) << r.err;
    EXPECT_EQ(c.firstOk, js[0]["ok"].get<bool>());
    if (!c.firstOk) {
      EXPECT_NE(std::string::npos, js[0]["messages"][0]["text"].get<std::string>().find(c.error));
      EXPECT_LE(js[0]["text"].get<std::string>().size(), 64u);  // the echo is cut
    }
    EXPECT_TRUE(js[1]["ok"].get<bool>());  // the next line is whole
    EXPECT_EQ(2, js[1]["line"].get<int>());
  }
}

// Item: CSV fields quoted as RFC 4180 says; a text a spreadsheet would run is neutralised, a
// number never.
TEST(Faults, CsvQuotingAndFormulaTexts) {
  TempDir data;
  struct Case {
    const char* typed;  // the pressure word of the line
    const char* field;  // the A field of the CSV row
  };
  const Case cases[] = {
      {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
      {"+1+cmd", "'+1+cmd"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"\"\t=1\"", "'\t=1"},
      {"-x", "'-x"},
      {"-5", "-5"},
      {"+1,5", "\"+1,5\""},
      {"\"-1 500\"", "-1 500"},
      {"-1,5E+2", "\"-1,5E+2\""},
      {"10", "10"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    FailingInput in(std::string("p,t ") + c.typed + " 500\n", FailingInput::Then::End);
    Ran r = RunCalc({"--data", data.path(), "-f", "csv", "-b"}, in);
    std::istringstream rows(r.out);
    std::string header, row;
    std::getline(rows, header);
    std::getline(rows, row);
    const std::string start = std::string("1,\"p,t\",") + c.field + ",500,";
    EXPECT_EQ(start, row.substr(0, start.size())) << row;
  }
}

}  // namespace
}  // namespace kal::test
