// Timestamps of the plant's exports: the three forms, fractions, and what is refused.
#include <gtest/gtest.h>

#include "turbiny/czas.h"

namespace kal::turbiny {
namespace {

TEST(CzasImportu, TrzyPostacieZUlamkami) {
  struct Przypadek {
    const char* tekst;
    double sekundy;  // from the calendar of another implementation
  };
  const Przypadek tabela[] = {
      {"2026-03-14T10:00:05", 1773482405},
      {"2026-03-14 10:00:05", 1773482405},
      {"14.03.2026 10:00:05", 1773482405},
      {"2026-03-14T10:00:05.25", 1773482405.25},
      {"14.03.2026 10:00:05,5", 1773482405.5},
      {"2026-03-14 10:00:05.123456789", 1773482405.123456789},
      {"2026-03-14T10:00", 1773482400},
      {"  14.03.2026  10:00:05 ", 1773482405},
      {"1970-01-01T00:00:00", 0},
      {"2000-02-29 23:59:59", 951868799},
      {"31.12.2024 00:00:00", 1735603200},
      {"1969-12-31T23:00:00", -3600},
      {"01.03.2100 00:00:00", 4107542400},
  };
  for (const Przypadek& p : tabela) {
    const std::optional<double> s = SekundyZTekstu(p.tekst);
    ASSERT_TRUE(s) << p.tekst;
    EXPECT_NEAR(*s, p.sekundy, 1e-6) << p.tekst;
  }
}

TEST(CzasImportu, OdrzuconeTeksty) {
  for (const char* tekst :
       {"", "2026-03-14", "2026-03-14T10", "2026-03-14T10:00:05Z", "2026-03-14T10:00:05+01:00", "2026-02-29T10:00:00",
        "2100-02-29 00:00:00", "2026-13-01 00:00:00", "2026-04-31 00:00:00", "2026-03-14T24:00:00",
        "2026-03-14T10:60:00", "2026-03-14T10:00:60", "2026-03-14T10:00:05.", "14.03.2026T10:00:05",
        "14/03/2026 10:00:05", "2026-3-14 10:00:05", "14.03.26 10:00:05", "Bad", "2026-03-14T10:00:05.1234567890"})
    EXPECT_FALSE(SekundyZTekstu(tekst)) << tekst;
}

// A document's campaign date: ISO only, the date alone is its midnight.
TEST(CzasImportu, DataKampanii) {
  const struct {
    const char* tekst;
    double sekundy;
  } tabela[] = {{"2026-03-14", 1773446400},
                {"2026-03-14T10:00", 1773482400},
                {"2026-03-14 10:00:00", 1773482400},
                {"2026-03-14T10:00:05.25", 1773482405.25}};
  for (const auto& p : tabela) EXPECT_EQ(SekundyDatyKampanii(p.tekst).value_or(-1), p.sekundy) << p.tekst;
  for (const char* tekst : {"14.03.2026 10:00", " 2026-03-14T10:00", "2026-03-14T10:00 ", "2026-03-14  10:00",
                            "2026-03-14T10:00:05,5", "2026-03-14T", "2026-02-30", "2026-03-14T10"})
    EXPECT_FALSE(SekundyDatyKampanii(tekst)) << tekst;
}

TEST(CzasImportu, TekstIsoWracaDoTychSamychSekund) {
  const struct {
    double sekundy;
    const char* iso;
  } tabela[] = {{1773482405, "2026-03-14T10:00:05"},
                {1773482405.25, "2026-03-14T10:00:05.25"},
                {951868799, "2000-02-29T23:59:59"},
                {-3600, "1969-12-31T23:00:00"},
                {4107542400, "2100-03-01T00:00:00"}};
  for (const auto& p : tabela) {
    EXPECT_EQ(TekstIso(p.sekundy), p.iso);
    EXPECT_EQ(SekundyZTekstu(p.iso).value_or(-1e18), p.sekundy) << p.iso;
  }
}

}  // namespace
}  // namespace kal::turbiny
