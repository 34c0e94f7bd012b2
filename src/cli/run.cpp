#include "cli/run.h"

#include <algorithm>
#include <cerrno>
#include <ios>
#include <new>
#include <string>

#include "cli/cli_options.h"
#include "cli/is_calc.h"
#include "cli/output.h"
#include "cli/reference.h"
#include "cli/turbine.h"
#include "common/file_io.h"

namespace kal::cli {

namespace {

// Results go out line by line, and every write is checked: a result that did not reach the
// output must not look written. After the first failure nothing more is written.
class Printer {
 public:
  Printer(Format f, const Settings& s, std::FILE* out, bool pairHeader = true) : format_(f), settings_(s), out_(out) {
    if (format_ == Format::Csv && pairHeader) {
      AppendCsvHeader(buf_, s.referenceIf97);
      Flush();
    }
  }
  void Print(const LineResult& r) {
    switch (format_) {
      case Format::Text:
        AppendText(buf_, r, settings_);
        break;
      case Format::Json:
        AppendJson(buf_, r, settings_);
        break;
      case Format::Csv:
        AppendCsv(buf_, r, settings_);
        break;
    }
    Flush();
  }
  // Everything buffered pushed to the output; false when any write failed.
  bool Finish() {
    Flush();
    if (errno_ == 0 && std::fflush(out_) != 0) errno_ = errno ? errno : EIO;
    if (errno_ == 0 && std::ferror(out_)) errno_ = EIO;
    return errno_ == 0;
  }
  bool ok() const { return errno_ == 0; }
  int error() const { return errno_; }

  void Print(const IsResult& r) {
    switch (format_) {
      case Format::Text:
        AppendIsText(buf_, r, settings_);
        break;
      case Format::Json:
        AppendIsJson(buf_, r);
        break;
      case Format::Csv:
        if (!isHeader_) AppendIsCsvHeader(buf_, settings_.referenceIf97);
        isHeader_ = true;
        AppendIsCsv(buf_, r);
        break;
    }
    Flush();
  }

 private:
  bool isHeader_ = false;
  void Flush() {
    if (errno_ == 0 && !buf_.empty()) {
      errno = 0;
      if (std::fwrite(buf_.data(), 1, buf_.size(), out_) != buf_.size()) errno_ = errno ? errno : EIO;
    }
    buf_.clear();
  }
  Format format_;
  const Settings& settings_;
  std::FILE* out_;
  std::string buf_;
  int errno_ = 0;
};

// Batch lines one at a time, never more than kMaxLine bytes of one held: the rest of a longer
// line is read and dropped. A byte-order mark at the very start is skipped.
class LineReader {
 public:
  enum class Got { Line, TooLong, End, Error };
  explicit LineReader(std::istream& in) : sb_(in.rdbuf()), in_(in) {}

  Got Next(std::string& line) {
    line.clear();
    if (!sb_) return Got::End;
    bool tooLong = false, any = false;
    // The line gathers in a local array: stores into it cannot touch the stream buffer's pointers.
    char buf[kMaxLine];
    std::size_t n = 0;
    try {
      for (;;) {
        const int c = sb_->sbumpc();
        if (c == std::char_traits<char>::eof()) break;
        any = true;
        if (c == '\n') {
          line.assign(buf, n);
          return Finish(line, tooLong);
        }
        if (n < kMaxLine) {
          buf[n++] = static_cast<char>(c);
        } else {
          tooLong = true;
        }
      }
    } catch (const std::ios_base::failure&) {
      // The stream buffer of standard input throws when read(2) fails.
      in_.setstate(std::ios::badbit);
    }
    line.assign(buf, n);
    if (in_.bad()) return Got::Error;
    if (!any) return Got::End;
    return Finish(line, tooLong);
  }

 private:
  Got Finish(std::string& line, bool tooLong) {
    if (first_) {
      first_ = false;
      if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    }
    return tooLong ? Got::TooLong : Got::Line;
  }
  std::streambuf* sb_;
  std::istream& in_;
  bool first_ = true;
};

// The start of an overlong line, cut at a character boundary, for the echo.
std::string Cut(const std::string& line) {
  std::size_t n = std::min<std::size_t>(line.size(), 60);
  while (n > 0 && n < line.size() && (static_cast<unsigned char>(line[n]) & 0xC0) == 0x80) --n;
  return line.substr(0, n) + "…";
}

int WriteFailed(std::FILE* err, int e) {
  std::fprintf(err, "kalorimo-calc: nie udało się zapisać wyników na standardowe wyjście: %s\n", PowodBledu(e).c_str());
  return kExitIo;
}

}  // namespace

int RunCli(int argc, char** argv, std::istream& in, std::FILE* out, std::FILE* err) {
  if (argc >= 2 && std::string(argv[1]) == "turbine") return RunTurbine(argc - 1, argv + 1, out, err);
  Options o;
  std::string why;
  switch (ParseArgs(argc, argv, o, why)) {
    case ArgsStatus::Help: {
      const std::string help = HelpText();
      errno = 0;
      if (std::fwrite(help.data(), 1, help.size(), out) != help.size() || std::fflush(out) != 0) {
        return WriteFailed(err, errno ? errno : EIO);
      }
      return kExitOk;
    }
    case ArgsStatus::Usage:
      std::fprintf(err, "kalorimo-calc: %s\n%s", why.c_str(), UsageText().c_str());
      return kExitUsage;
    case ArgsStatus::Run:
      break;
  }

  Calculator calc(o.settings, err);
  if (!calc.Start()) {
    // A data folder or coefficient file that cannot be used ends the tool before any line.
    std::fprintf(err, "kalorimo-calc: start nieudany, katalog danych: %s\n",
                 o.settings.dataDir.empty() ? "(obok programu lub katalog użytkownika)" : o.settings.dataDir.c_str());
    return kExitFailed;
  }

  Printer printer(o.format, calc.settings(), out, o.batch || !o.request.is);
  if (!o.batch && o.request.is) {
    IsResult r = RunIs(calc, o.request.isRequest, 1);
    printer.Print(r);
    if (!printer.Finish()) return WriteFailed(err, printer.error());
    return r.ok ? kExitOk : kExitFailed;
  }
  if (!o.batch) {
    LineResult r = calc.Run(o.request, 1);
    if (o.settings.referenceIf97) r.if97 = ReferenceFor(o.request, r, o.settings.unitIndex);
    printer.Print(r);
    if (!printer.Finish()) return WriteFailed(err, printer.error());
    return r.ok ? kExitOk : kExitFailed;
  }

  bool allOk = true;
  int number = 0;
  try {
    std::string line;
    LineReader reader(in);
    for (;;) {
      const LineReader::Got got = reader.Next(line);
      if (got == LineReader::Got::End) break;
      if (got == LineReader::Got::Error) {
        if (!printer.Finish()) return WriteFailed(err, printer.error());
        std::fprintf(err, "kalorimo-calc: błąd odczytu standardowego wejścia po wierszu %d\n", number);
        return kExitIo;
      }
      ++number;
      Request rq;
      std::string bad;
      LineKind kind = got == LineReader::Got::TooLong ? LineKind::Bad : ParseLine(line, rq, bad);
      if (kind == LineKind::Skip) continue;
      if (rq.is) {
        // An "is" line, good or bad, goes out in the expansion's layout.
        std::string text = line;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (kind == LineKind::Bad) std::fprintf(err, "kalorimo-calc: wiersz %d: %s\n", number, bad.c_str());
        IsResult ir = kind == LineKind::Calc ? RunIs(calc, rq.isRequest, number)
                                             : BadIs(number, text, bad, o.settings.referenceIf97);
        allOk = allOk && ir.ok;
        printer.Print(ir);
        if (!printer.ok()) return WriteFailed(err, printer.error());
        continue;
      }
      auto result = [&]() {
        if (kind == LineKind::Calc) {
          LineResult r = calc.Run(rq, number);
          if (o.settings.referenceIf97) r.if97 = ReferenceFor(rq, r, o.settings.unitIndex);
          return r;
        }
        std::string text = line;
        if (got == LineReader::Got::TooLong) {
          bad = "wiersz za długi (ponad " + std::to_string(kMaxLine) + " bajtów)";
          text = Cut(line);
        } else if (!text.empty() && text.back() == '\r') {
          text.pop_back();
        }
        std::fprintf(err, "kalorimo-calc: wiersz %d: %s\n", number, bad.c_str());
        return Calculator::Bad(number, text, bad);
      };
      const LineResult r = result();
      allOk = allOk && r.ok;
      printer.Print(r);
      if (!printer.ok()) return WriteFailed(err, printer.error());
    }
  } catch (const std::bad_alloc&) {
    // The results finished so far still go out before the tool ends.
    printer.Finish();
    std::fprintf(err, "kalorimo-calc: brak pamięci w wierszu %d\n", number);
    return kExitIo;
  }
  if (!printer.Finish()) return WriteFailed(err, printer.error());
  return allOk ? kExitOk : kExitFailed;
}

}  // namespace kal::cli
