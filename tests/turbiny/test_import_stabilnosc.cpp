// The limits each column is judged by, the verdicts, the mapping's JSON and the campaign made
// from the means.
#include <gtest/gtest.h>

#include <cmath>

#include "turbiny/import.h"

namespace kal::turbiny {
namespace {

// n readings, one a second from 10:00:00, value = f(i).
template <class F>
Seria Seria1s(const std::string& kolumna, const std::string& punkt, const std::string& q, int n, F f) {
  Seria s{kolumna, punkt, q, {}, {}};
  for (int i = 0; i < n; ++i) {
    s.czas.push_back(1773482400.0 + i);
    s.wartosc.push_back(f(i));
  }
  return s;
}

Mapowanie MapaSerii(const std::vector<Seria>& serie) {
  Mapowanie m;
  m.czas = "Czas";
  for (const Seria& s : serie) m.kolumny.push_back({s.kolumna, s.punkt, s.wielkosc, std::nullopt, std::nullopt});
  return m;
}

TEST(ImportStabilnosc, LimityKolumn) {
  Turbina tg;
  tg.nazwa = "TG-4";
  auto punkt = [&](const char* id, const char* jedn) {
    PunktPomiarowy p;
    p.id = id;
    p.jednostkaP = jedn;
    tg.punkty.push_back(p);
    return &tg.punkty.back();
  };
  punkt("PS", "MPa");
  punkt("SKR", "kPa");
  punkt("UP", "bar");
  PunktPomiarowy* wlasne = punkt("WL", "MPa");
  wlasne->limity = {0.5, 1.0, 2.0};
  struct Przypadek {
    const char* punkt;
    const char* q;
    double srednia;
    const Turbina* turbina;
    std::optional<double> limitF, limitD;  // the mapping's
    double fluktuacja, dryf;               // the limits expected
  };
  const Przypadek tabela[] = {
      {"PS", "p", 12.74, nullptr, {}, {}, 0.03185, 0.03185},  // 0.25 % of |mean|, MPa
      {"PS", "p", 0.004, nullptr, {}, {}, 0.00014, 0.00014},  // the floor, 0.14 kPa in MPa
      {"SKR", "p", 5.6, &tg, {}, {}, 0.14, 0.14},             // kPa: the floor
      {"SKR", "p", -80.0, &tg, {}, {}, 0.2, 0.2},             // gauge vacuum: of |mean|
      {"UP", "p", 0.3, &tg, {}, {}, 0.0014, 0.0014},          // bar: the floor
      {"UP", "p", 10.0, &tg, {}, {}, 0.025, 0.025},
      {"WL", "p", 12.74, &tg, {}, {}, 0.0637, 0.0637},  // the point's own 0.5 % and 1 kPa
      {"WL", "p", 0.1, &tg, {}, {}, 0.001, 0.001},
      {"WL", "t", 500, &tg, {}, {}, 2.0, 2.0},
      {"PS", "t", 500, &tg, {}, {}, 4.0, 4.0},
      {"PS", "t", 500, &tg, 1.5, {}, 1.5, 4.0},  // the mapping's first, each limit on its own
      {"WL", "p", 12.74, &tg, {}, 0.01, 0.0637, 0.01},
      {"", "ambient", 99.2, &tg, {}, {}, 0.248, 0.248},  // kPa
      {"", "ambient", 20.0, nullptr, {}, {}, 0.14, 0.14},
      {"PS", "h", 3400, &tg, 5.0, 2.0, 5.0, 2.0},
  };
  for (const Przypadek& p : tabela) {
    std::vector<Seria> serie = {
        Seria1s("K", p.punkt, p.q, 4, [&](int i) { return p.srednia + (i % 2 ? 1e-9 : -1e-9); })};
    Mapowanie m = MapaSerii(serie);
    m.kolumny[0].limitFluktuacji = p.limitF, m.kolumny[0].limitDryfu = p.limitD;
    const Stabilnosc s = StabilnoscSerii(serie, m, p.turbina, {});
    SCOPED_TRACE(std::string(p.punkt) + "." + p.q + " " + std::to_string(p.srednia));
    EXPECT_NEAR(s.kolumny[0].limitFluktuacji, p.fluktuacja, 1e-12);
    EXPECT_NEAR(s.kolumny[0].limitDryfu, p.dryf, 1e-12);
  }
}

TEST(ImportStabilnosc, Werdykty) {
  // 10 min of 1-s temperatures: noise of ±0.5 K is stable; a spike of 5 K breaks the fluctuation; a
  // rise of 5 K over the window keeps the fluctuation at 2.5 K but breaks the drift; too few samples.
  struct Przypadek {
    const char* opis;
    double (*f)(int);
    int n;
    bool stabilny;
  };
  const Przypadek tabela[] = {
      {"szum", [](int i) { return 535.0 + 0.5 * std::sin(i * 0.7); }, 600, true},
      {"skok", [](int i) { return 535.0 + (i == 300 ? 5.0 : 0.0); }, 600, false},
      {"dryf", [](int i) { return 535.0 + 5.0 * i / 599; }, 600, false},
      {"dryf w granicach", [](int i) { return 535.0 + 3.9 * i / 599; }, 600, true},
      {"jedna próbka", [](int) { return 535.0; }, 1, false},
  };
  for (const Przypadek& p : tabela) {
    std::vector<Seria> serie = {Seria1s("T_PS", "PS", "t", p.n, p.f),
                                Seria1s("P_PS", "PS", "p", p.n, [](int) { return 12.74; })};
    const Stabilnosc s = StabilnoscSerii(serie, MapaSerii(serie), nullptr, {});
    EXPECT_EQ(s.kolumny[0].stabilny, p.stabilny) << p.opis;
    EXPECT_EQ(s.stabilny, p.stabilny) << p.opis;
    EXPECT_EQ(s.kolumny[1].stabilny, p.n >= 2) << p.opis;
  }
  // The window picks the steady part of a series that settles after 10:00:59.
  std::vector<Seria> serie = {Seria1s("T_PS", "PS", "t", 600, [](int i) { return i < 60 ? 520.0 + i / 4.0 : 535.0; })};
  EXPECT_FALSE(StabilnoscSerii(serie, MapaSerii(serie), nullptr, {}).stabilny);
  const Stabilnosc okno = StabilnoscSerii(serie, MapaSerii(serie), nullptr, {"14.03.2026 10:01:00", std::nullopt});
  EXPECT_TRUE(okno.stabilny);
  EXPECT_EQ(okno.wiersze, 540u);
  EXPECT_EQ(okno.serie[0].czas.size(), 600u);
}

TEST(ImportStabilnosc, KampaniaZeSrednich) {
  std::vector<Seria> serie = {
      Seria1s("P", "PS", "p", 100, [](int i) { return 12.7 + (i % 2) * 0.02; }),
      Seria1s("T", "PS", "t", 100, [](int i) { return i < 10 ? NAN : 535.0; }),
      Seria1s("PW", "WP_WYL", "p", 100, [](int) { return 3.6; }),
      Seria1s("B", "", "ambient", 100, [](int i) { return 99.0 + (i % 2) * 0.4; }),
  };
  const Stabilnosc s = StabilnoscSerii(serie, MapaSerii(serie), nullptr, {});
  const Kampania k = KampaniaZeStabilnosci(s, "2026-03-pomiar", "2026-03-14T10:00", RodzajKampanii::Okresowe);
  EXPECT_EQ(k.id, "2026-03-pomiar");
  EXPECT_EQ(k.data, "2026-03-14T10:00");
  ASSERT_EQ(k.odczyty.size(), 2u);
  const Odczyt& ps = k.odczyty.at("PS");
  EXPECT_NEAR(*ps.p, 12.71, 1e-12);
  EXPECT_NEAR(*ps.u_p_random, 0.01 * std::sqrt(100.0 / 99) / 10, 1e-12);  // s of ±0.01 with n − 1, over √n
  EXPECT_DOUBLE_EQ(*ps.t, 535.0);
  EXPECT_DOUBLE_EQ(*ps.u_t_random, 0.0);
  EXPECT_EQ(*ps.n, 90);  // the scarcer column
  EXPECT_EQ(*k.odczyty.at("WP_WYL").n, 100);
  EXPECT_FALSE(k.odczyty.at("WP_WYL").t);
  EXPECT_NEAR(k.otoczenieKPa, 99.2, 1e-12);
  EXPECT_NEAR(*k.u_otoczenieRandom, 0.2 * std::sqrt(100.0 / 99) / 10, 1e-12);
}

TEST(ImportMapowanie, JsonTamIZPowrotem) {
  const std::string tekst = R"({"timestamp": "Czas", "separator": ";", "decimal": ",", "encoding": "CP1250",
    "columns": [{"column": "10LBA10CP001", "point": "PS", "quantity": "p", "limit_fluctuation": 0.05},
                {"column": "T_PS", "point": "PS", "quantity": "t", "limit_drift": 2, "note": "kept out"},
                {"column": "Ciśn. otoczenia", "quantity": "ambient"}], "comment": "unknown keys are left out"})";
  const Mapowanie m = MapowanieZJson(tekst);
  EXPECT_EQ(m.czas, "Czas");
  EXPECT_EQ(m.kodowanie, "windows-1250");
  ASSERT_EQ(m.kolumny.size(), 3u);
  EXPECT_EQ(*m.kolumny[0].limitFluktuacji, 0.05);
  EXPECT_FALSE(m.kolumny[0].limitDryfu);
  EXPECT_EQ(m.kolumny[2].punkt, "");
  const Mapowanie z = MapowanieZJson(MapowanieDoJson(m));
  EXPECT_EQ(MapowanieDoJson(z), MapowanieDoJson(m));
  EXPECT_EQ(z.separator, ";");
  EXPECT_EQ(z.kolumny[1].limitDryfu, 2.0);
  EXPECT_EQ(z.kolumny[2].kolumna, "Ciśn. otoczenia");
  EXPECT_EQ(MapowanieZJson(R"({"timestamp":"C","columns":[{"column":"T","point":"PS","quantity":"t"}]})").separator,
            "auto");
}

TEST(ImportMapowanie, OdrzuconeMapowania) {
  const std::string k = R"({"column": "T", "point": "PS", "quantity": "t"})";
  const struct {
    std::string json;
    const char* komunikat;
  } tabela[] = {
      {"{", "nie jest poprawny JSON"},
      {"[]", "oczekiwano obiektu"},
      {R"({"columns": [)" + k + "]}", "brak pola \"timestamp\""},
      {R"({"timestamp": 5, "columns": [)" + k + "]}", "\"timestamp\" musi być tekstem"},
      {R"({"timestamp": "C", "columns": []})", "niepustą listą"},
      {R"({"timestamp": "C", "separator": "|", "columns": [)" + k + "]}", "pole \"separator\": \"|\""},
      {R"({"timestamp": "C", "decimal": ";", "columns": [)" + k + "]}", "pole \"decimal\""},
      {R"({"timestamp": "C", "encoding": "latin2", "columns": [)" + k + "]}", "nieznane kodowanie \"latin2\""},
      {R"({"timestamp": "C", "columns": [{"point": "PS", "quantity": "t"}]})", "brak pola \"column\" w kolumnie nr 1"},
      {R"({"timestamp": "C", "columns": [{"column": "T", "quantity": "t"}]})", "brak pola \"point\" kolumny \"T\""},
      {R"({"timestamp": "C", "columns": [{"column": "T", "point": "PS", "quantity": "x"}]})", "nieznana wielkość"},
      {R"({"timestamp": "C", "columns": [{"column": "B", "point": "PS", "quantity": "ambient"}]})", "nie należy"},
      {R"({"timestamp": "C", "columns": [{"column": "H", "point": "PS", "quantity": "h"}]})", "entalpia wymaga"},
      {R"({"timestamp": "C", "columns": [{"column": "T", "point": "PS", "quantity": "t", "limit_drift": -1}]})",
       "\"limit_drift\" kolumny \"T\" musi być liczbą dodatnią"},
      {R"({"timestamp": "C", "columns": [)" + k + "," + k + "]}", "powtórzona"},
      {R"({"timestamp": "C", "columns": [)" + k + R"(, {"column": "T2", "point": "PS", "quantity": "t"}]})",
       "PS.t ma już kolumnę"},
      {R"({"timestamp": "C", "columns": [{"column": "C", "point": "PS", "quantity": "t"}]})", "kolumną czasu"},
  };
  for (const auto& p : tabela) {
    try {
      MapowanieZJson(p.json);
      ADD_FAILURE() << "przyjęte: " << p.json;
    } catch (const BladTurbiny& b) {
      EXPECT_NE(std::string(b.what()).find(p.komunikat), std::string::npos) << b.what();
    }
  }
}

}  // namespace
}  // namespace kal::turbiny
