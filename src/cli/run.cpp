#include "cli/run.h"

#include <string>

#include "cli/cli_options.h"
#include "cli/output.h"
#include "cli/reference.h"

namespace kal::cli {

namespace {

class Printer {
 public:
  Printer(Format f, const Settings& s, std::FILE* out) : format_(f), settings_(s), out_(out) {
    if (format_ == Format::Csv) {
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

 private:
  void Flush() {
    std::fwrite(buf_.data(), 1, buf_.size(), out_);
    buf_.clear();
  }
  Format format_;
  const Settings& settings_;
  std::FILE* out_;
  std::string buf_;
};

}  // namespace

int RunCli(int argc, char** argv, std::istream& in, std::FILE* out, std::FILE* err) {
  Options o;
  std::string why;
  switch (ParseArgs(argc, argv, o, why)) {
    case ArgsStatus::Help:
      std::fputs(HelpText().c_str(), out);
      return kExitOk;
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

  Printer printer(o.format, calc.settings(), out);
  if (!o.batch) {
    LineResult r = calc.Run(o.request, 1);
    if (o.settings.referenceIf97) r.if97 = ReferenceFor(o.request, o.settings.unitIndex);
    printer.Print(r);
    std::fflush(out);
    return r.ok ? kExitOk : kExitFailed;
  }

  bool allOk = true;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    Request rq;
    std::string bad;
    LineKind kind = ParseLine(line, rq, bad);
    if (kind == LineKind::Skip) continue;
    LineResult r;
    if (kind == LineKind::Bad) {
      std::fprintf(err, "kalorimo-calc: wiersz %d: %s\n", number, bad.c_str());
      std::string text = line;
      if (!text.empty() && text.back() == '\r') text.pop_back();
      r = Calculator::Bad(number, text, bad);
    } else {
      r = calc.Run(rq, number);
      if (o.settings.referenceIf97) r.if97 = ReferenceFor(rq, o.settings.unitIndex);
    }
    allOk = allOk && r.ok;
    printer.Print(r);
  }
  std::fflush(out);
  return allOk ? kExitOk : kExitFailed;
}

}  // namespace kal::cli
