// The batch line reader, the pair names and the error report's reading.
#include <gtest/gtest.h>

#include "app/app_fixture.h"
#include "cli/batch_dialogs.h"
#include "cli/cli_line.h"
#include "cli/output.h"

namespace kal::test {
namespace {

using cli::LineKind;
using cli::Pair;

struct LineCase {
  const char* line;
  LineKind kind;
  Pair pair;
  const char* a;
  const char* b;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.line)); }

const LineCase kLines[] = {
    {"p,t 10 500", LineKind::Calc, Pair::PT, "10", "500"},
    {"t,p 500 10", LineKind::Calc, Pair::PT, "10", "500"},
    {"  P,T\t12,5   500  ", LineKind::Calc, Pair::PT, "12,5", "500"},
    {"p,x 1 0,9", LineKind::Calc, Pair::XP, "0,9", "1"},
    {"s,h 7 2900\r", LineKind::Calc, Pair::HS, "2900", "7"},
    {"p,t \"1 500\" 200 # kPa with a blank", LineKind::Calc, Pair::PT, "1 500", "200"},
    {"p,t \"\" 200", LineKind::Calc, Pair::PT, "", "200"},
    {"x,t -0,5 100", LineKind::Calc, Pair::XT, "-0,5", "100"},
    {"p,t 10 500#comment", LineKind::Calc, Pair::PT, "10", "500"},
    {"", LineKind::Skip, Pair::PT, "", ""},
    {"   \t\r", LineKind::Skip, Pair::PT, "", ""},
    {"# p,t 1 2", LineKind::Skip, Pair::PT, "", ""},
    {"p,t 10", LineKind::Bad, Pair::PT, "", ""},
    {"p,t 10 500 7", LineKind::Bad, Pair::PT, "", ""},
    {"h,x 2000 0,5", LineKind::Bad, Pair::PT, "", ""},
    {"p,p 1 2", LineKind::Bad, Pair::PT, "", ""},
    {"pt 1 2", LineKind::Bad, Pair::PT, "", ""},
    {"p;t 1 2", LineKind::Bad, Pair::PT, "", ""},
    {"p,t \"1 2", LineKind::Bad, Pair::PT, "", ""},
    {"p,t \"1\"2 3", LineKind::Bad, Pair::PT, "", ""},
};

class LineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineTest, Reads) {
  const LineCase& c = GetParam();
  cli::Request rq;
  std::string why;
  ASSERT_EQ(c.kind, cli::ParseLine(c.line, rq, why)) << c.line;
  if (c.kind == LineKind::Calc) {
    EXPECT_EQ(c.pair, rq.pair);
    EXPECT_EQ(c.a, rq.a);
    EXPECT_EQ(c.b, rq.b);
  }
  if (c.kind == LineKind::Bad) {
    EXPECT_FALSE(why.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Wiersze, LineTest, ::testing::ValuesIn(kLines));

// An expansion's values read alike quoted (as a spreadsheet writes them) or not; a bad expansion line
// stays one, so it is reported in its own layout.
TEST(IsLines, QuotedValuesReadLikeUnquoted) {
  struct Przypadek {
    const char* line;
    LineKind kind;
    const char* p1;
    const char* wartosc;
  };
  const Przypadek kPrzypadki[] = {
      {"is 10 500 5 eta=0,85", LineKind::Calc, "10", "0,85"},
      {"is 10 500 5 eta=\"0,85\"", LineKind::Calc, "10", "0,85"},
      {"is \"10\" 500 5 t2=\"150,5\" # comment", LineKind::Calc, "10", "150,5"},
      {"is 10 500 5 h2=\"2350\"", LineKind::Calc, "10", "2350"},
      {"is a\"b 500 5", LineKind::Calc, "a\"b", ""},  // a quote inside a word is a character
      {"is 10 500 5 eta=\"0,85\"x", LineKind::Bad, "", ""},
      {"is 10 500 5 eta=\"0,85", LineKind::Bad, "", ""},
  };
  for (const Przypadek& c : kPrzypadki) {
    cli::Request rq;
    std::string why;
    ASSERT_EQ(c.kind, cli::ParseLine(c.line, rq, why)) << c.line << why;
    EXPECT_TRUE(rq.is) << c.line;
    if (c.kind == LineKind::Calc) {
      EXPECT_EQ(c.p1, rq.isRequest.p1) << c.line;
      EXPECT_EQ(c.wartosc, rq.isRequest.wartosc) << c.line;
    }
  }
}

TEST(Pairs, CheckBoxesOfEachPair) {
  // Check / Text_IS indexes: p 0, t 1, h 2, s 3, x 4.
  const int expected[8][2] = {{0, 1}, {0, 2}, {1, 2}, {4, 1}, {4, 0}, {0, 3}, {1, 3}, {2, 3}};
  for (int i = 0; i < cli::kPairCount; ++i) {
    const cli::PairInfo& info = cli::Info(static_cast<Pair>(i));
    EXPECT_EQ(expected[i][0], info.checkA) << info.name;
    EXPECT_EQ(expected[i][1], info.checkB) << info.name;
  }
  EXPECT_EQ("p,t p,h t,h x,t x,p p,s t,s h,s", cli::PairList());
}

TEST(ErrorReport, NumberAndDescriptionFromTheReportText) {
  auto e = cli::ParseErrorReport(RaportTekst(13, "frmKalorimo"));
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(13, e->number);
  EXPECT_EQ(OpisBledu(13), e->description);
  EXPECT_FALSE(cli::ParseErrorReport("Nieprawidłowa wartość").has_value());
  EXPECT_FALSE(cli::ParseErrorReport(" Wystąpił błąd wykonania nr -> x").has_value());
}

TEST(ErrorReport, AnsweredAsTheBriefSays) {
  cli::BatchDialogs d;
  EXPECT_EQ(Answer::Yes, d.MsgBox(RaportTekst(6, "Sng"), Buttons::YesNo, Icon::None, "Opis błędu "));
  EXPECT_EQ(Answer::No, d.MsgBox("Zostawić tę  zmieną    a  ?", Buttons::YesNo, Icon::None, "Poprawność  danych"));
  EXPECT_EQ(Answer::Ok, d.MsgBox("x", Buttons::OK, Icon::Information, ""));
  EXPECT_EQ("", d.InputBox("Nowa  wartość zmiennej", "Moduł poprawek "));
  ASSERT_EQ(4u, d.messages.size());
  EXPECT_EQ("Kalorimo", d.messages[2].title);
  ASSERT_TRUE(d.error.has_value());
  EXPECT_EQ(6, d.error->number);
}

struct BoxNumberCase {
  const char* text;
  char sep;
  const char* number;
};

TEST(BoxNumber, WindowTextsAsCsvNumbers) {
  const BoxNumberCase cases[] = {
      {"2 827,9", ',', "2827.9"}, {" 345,2", ',', "345.2"}, {"1,646E", ',', "1.646"}, {"1.646E", '.', "1.646"},
      {" x > 1 ", ',', ""},       {"       ", ',', ""},     {"-2,50", ',', "-2.50"},  {"1,2,3", ',', ""},
      {"2 827.9", ',', ""},       {"2,5", '.', ""}};
  for (const auto& c : cases) EXPECT_EQ(c.number, cli::BoxNumber(c.text, c.sep)) << c.text;
}

}  // namespace
}  // namespace kal::test
