// One model for the whole batch, put back to its start-up state before each line, against a new
// model and start-up per line: the sweep's mixed lines of all eight pairs (failures, wet
// windows, run-time errors) must give the same output in every format and the same echoed
// boxes, byte for byte. KALORIMO_FULL_CHECK sets the number of lines (scripts/bitcheck.sh).
#include <gtest/gtest.h>
#include <stdio.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "cli/output.h"
#include "support/check_count.h"
#include "support/scripted_dialogs.h"
#include "sweep/sweep.h"

namespace kal::test {
namespace {

using cli::Calculator;

struct Loop {
  Loop(const cli::Settings& s, bool fresh) {
    echo = open_memstream(&buf, &len);
    calc = std::make_unique<Calculator>(s, echo);
    calc->freshPerLine = fresh;
    calc->Start();
  }
  ~Loop() {
    calc.reset();
    std::fclose(echo);
    std::free(buf);
  }
  std::string Echo() {
    std::fflush(echo);
    return std::string(buf, len);
  }
  char* buf = nullptr;
  std::size_t len = 0;
  std::FILE* echo;
  std::unique_ptr<Calculator> calc;
  std::string out;
};

TEST(ResetLoop, SameBytesAsAFreshModelPerLine) {
  TempDir data;
  std::unique_ptr<Loop> loops[3][2][2];  // unit, locale, fresh
  for (int u = 0; u < 3; ++u)
    for (int l = 0; l < 2; ++l)
      for (int f = 0; f < 2; ++f)
        loops[u][l][f] = std::make_unique<Loop>(cli::Settings{data.path(), u, l ? '.' : ','}, f);

  cli::SweepDraw draw(16);
  const long n = CheckCount(4000);
  long wet = 0, messages = 0, errors = 0, pairs[8] = {};
  for (long i = 0; i < n; ++i) {
    const cli::SweepCase c = draw.Next();
    const int l = c.decimalSep == ',' ? 0 : 1;
    Loop* both[2] = {loops[c.unitIndex][l][0].get(), loops[c.unitIndex][l][1].get()};
    for (Loop* lp : both) {
      const cli::LineResult r = lp->calc->Run(c.request, static_cast<int>(i + 1));
      cli::AppendJson(lp->out, r, lp->calc->settings());
      cli::AppendCsv(lp->out, r, lp->calc->settings());
      cli::AppendText(lp->out, r, lp->calc->settings());
      if (lp == both[0]) {
        wet += r.wet.has_value();
        messages += !r.messages.empty();
        errors += r.error.has_value();
        ++pairs[static_cast<int>(c.request.pair) % 8];
      }
    }
    if (both[0]->out != both[1]->out) {
      ADD_FAILURE() << "line " << i + 1 << ": " << cli::Describe(c);
      break;
    }
    both[0]->out.clear();
    both[1]->out.clear();
  }
  for (auto& u : loops)
    for (auto& l : u) EXPECT_EQ(l[0]->Echo(), l[1]->Echo());
  for (long p : pairs) EXPECT_GT(p, 0);
  EXPECT_GT(wet, 0);
  EXPECT_GT(messages, 0);
  EXPECT_GT(errors, 0);
  std::printf("lines: %ld, wet windows: %ld, with boxes: %ld, run-time errors: %ld\n", n, wet, messages, errors);
}

}  // namespace
}  // namespace kal::test
