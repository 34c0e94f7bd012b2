// A campaign's sections: refusals that stay with their section, efficiencies given back from known
// states, and the choice of the baseline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "if97/if97.h"
#include "support/scripted_dialogs.h"
#include "turbina_rig.h"
#include "turbiny/obliczenia.h"

namespace kal::test {
namespace {

using turbiny::Dokument;
using turbiny::RodzajKampanii;
using turbiny::WynikKampanii;

TEST(Obliczenia, RefusalsStayWithTheirSection) {
  struct Przypadek {
    const char* nazwa;
    turbiny::Odczyt wlot, wylot;
    bool mokry, ok;
    const char* komunikat;  // a part of the section's message; "" none
  };
  turbiny::Odczyt brak;
  turbiny::Odczyt tylkoT;
  tylkoT.p = 0.0056;
  tylkoT.t = 35;
  turbiny::Odczyt tylkoP;
  tylkoP.p = 0.0056;
  const Przypadek kPrzypadki[] = {
      {"dobry", PT(10, 500), PT(2, 300), false, true, ""},
      {"bez t2", PT(10, 500), tylkoP, false, false, "/W: brak odczytu temperatury t (wylot pary przegrzanej)"},
      {"bez wlotu", brak, PT(2, 300), false, false, "brak odczytu punktu bez wlotu/A"},
      {"p2 >= p1", PT(2, 500), PT(2.5, 300), false, false, "ciśnienie na wylocie (2,5 MPa) nie jest niższe"},
      {"t2 >= t1", PT(10, 300), PT(2, 300), false, false, "temperatura na wylocie (300 °C) nie jest niższa"},
      {"woda na wlocie", PT(10, 200), PT(2, 150), false, false, "Stan wlotowy to woda"},
      {"pasmo nasycenia", PT(10, 500), PT(0.1, 99.2), false, false, "podaj h2 z bilansu cieplnego"},
      {"mokra t2", PT(10, 500), PT(0.1, 95), false, false, "podaj h2 z bilansu cieplnego"},
      {"mokry z t", PT(1, 300), tylkoT, true, false, "sama temperatura nie wyznacza stanu pary mokrej"},
      {"mokry bez h2", PT(1, 300), tylkoP, true, true, "tylko punkt 2s i spadek izentropowy"},
      {"eta > 1", PT(10, 500), PT(2, 250), false, false, "niefizyczne — sprawdź pomiary"},
      {"poniżej 2 kPa", PT(1, 300), PH(0.001, 2300), true, false, "poniżej 2 kPa"},
  };
  // Every case its own pair of points in one campaign, so a refusal must leave the others alone.
  Dokument d;
  d.turbina.nazwa = "T";
  d.kampanie.push_back(NowaKampania("k", "2025-01-01T10:00"));
  for (const Przypadek& c : kPrzypadki) {
    const std::string n = c.nazwa, a = n + "/A", w = n + "/W";
    d.turbina.punkty.push_back(NowyPunkt(a));
    d.turbina.punkty.push_back(NowyPunkt(w));
    d.turbina.odcinki.push_back(NowyOdcinek(n, a, w, c.mokry));
    if (c.wlot.p) d.kampanie[0].odczyty[a] = c.wlot;
    d.kampanie[0].odczyty[w] = c.wylot;
  }
  const WynikKampanii r = turbiny::ObliczKampanie(d, 0);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(std::size(kPrzypadki), r.odcinki.size());
  for (std::size_t i = 0; i < r.odcinki.size(); ++i) {
    const Przypadek& c = kPrzypadki[i];
    const turbiny::WynikOdcinka& o = r.odcinki[i];
    EXPECT_EQ(c.ok, o.ok) << c.nazwa << ": " << o.komunikat;
    std::string chce = c.komunikat;
    for (const char* z : {"W", "A"}) {
      const std::string stare = std::string(z) + ":", nowe = std::string(c.nazwa) + "/" + z + ":";
      if (chce.compare(0, stare.size(), stare) == 0) chce = nowe + chce.substr(stare.size());
    }
    if (chce == "brak odczytu punktu bez wlotu/A") chce = std::string("brak odczytu punktu ") + c.nazwa + "/A";
    if (chce.empty())
      EXPECT_EQ("", o.komunikat) << c.nazwa;
    else
      EXPECT_NE(std::string::npos, o.komunikat.find(chce)) << c.nazwa << ": " << o.komunikat;
  }
  // The impossible efficiency keeps its numbers; the wet exhaust without h2 has 2s only.
  const turbiny::WynikOdcinka& eta = r.odcinki[10];
  EXPECT_TRUE(eta.niefizyczne && eta.fits.eta && eta.if97.eta && *eta.if97.eta > 1);
  const turbiny::WynikOdcinka& mokry = r.odcinki[9];
  EXPECT_TRUE(mokry.fits.izentropa && mokry.if97.izentropa && !mokry.fits.eta && !mokry.if97.eta && !mokry.budzet);
}

// Readings made from IF97 states of a known efficiency give it back, through gauge and unit
// conversions, by a superheated exhaust's t2 and by a wet exhaust's h2.
TEST(Obliczenia, KnownStatesGiveTheirEfficiencyBack) {
  const double kAmb = 99.2, kEta = 0.87;
  struct Przypadek {
    double p1, t1, p2;  // MPa absolute, C
    const char* jednostka1;
    bool gauge1;
    const char* jednostka2;
    bool gauge2, mokry;
  };
  const Przypadek kPrzypadki[] = {
      {12.74, 535.1, 2.9, "MPa", false, "bar", true, false},
      {2.6, 535, 0.28, "bar", false, "kPa", true, false},
      {0.28, 255, 0.0056, "kPa", true, "kPa", false, true},
  };
  for (const Przypadek& c : kPrzypadki) {
    const if97::Result w1 = if97::FromPT(c.p1, c.t1), w2s = if97::FromPS(c.p2, w1.s);
    const double h2 = w1.h - kEta * (w1.h - w2s.h);
    const if97::Result w2 = if97::FromPH(c.p2, h2);
    ASSERT_TRUE(w1.ok() && w2s.ok() && w2.ok());
    ASSERT_EQ(c.mokry, w2.region == 4);
    Dokument d;
    d.turbina.punkty = {NowyPunkt("A", c.jednostka1, c.gauge1), NowyPunkt("B", c.jednostka2, c.gauge2)};
    d.turbina.odcinki = {NowyOdcinek("X", "A", "B", c.mokry)};
    d.turbina.odcinki[0].etaProjekt = 0.9;
    d.kampanie = {NowaKampania("k", "2025-01-01")};
    d.kampanie[0].otoczenieKPa = kAmb;
    auto odczyt = [&](double p, const char* jednostka, bool gauge) {
      return (p - (gauge ? kAmb / 1000 : 0)) / *turbiny::MpaNaJednostke(jednostka);
    };
    d.kampanie[0].odczyty["A"] = PT(odczyt(c.p1, c.jednostka1, c.gauge1), c.t1);
    const double p2 = odczyt(c.p2, c.jednostka2, c.gauge2);
    d.kampanie[0].odczyty["B"] = c.mokry ? PH(p2, h2) : PT(p2, w2.t);
    const turbiny::WynikOdcinka o = turbiny::ObliczKampanie(d, 0).odcinki.at(0);
    ASSERT_TRUE(o.ok) << o.komunikat;
    EXPECT_NEAR(kEta, *o.if97.eta, 1e-9) << c.p1;
    EXPECT_NEAR(kEta, *o.fits.eta, 0.03) << c.p1;  // the fits are another formulation
    EXPECT_DOUBLE_EQ(*o.if97.eta - 0.9, o.dEtaProjekt->if97);
    EXPECT_DOUBLE_EQ(*o.fits.eta - 0.9, o.dEtaProjekt->fits);
    EXPECT_TRUE(o.budzet && o.budzet->ok && o.budzet->U95 > 0);
  }
}

TEST(Obliczenia, BaselineIsTheLatestAcceptanceOrOverhaulStrictlyBefore) {
  struct Przypadek {
    const char* id;
    const char* data;
    RodzajKampanii rodzaj;
    const char* baza;  // "" none
  };
  const Przypadek kPrzypadki[] = {
      {"A", "2020-01-01T10:00", RodzajKampanii::Odbiorcze, "F"},
      {"B", "2021-01-01T10:00", RodzajKampanii::Okresowe, "A"},
      {"C", "2022-01-01T10:00", RodzajKampanii::PoRemoncie, "A"},   // a baseline compares with the one before
      {"D", "2022-01-01T10:00:00", RodzajKampanii::Okresowe, "A"},  // the same moment is not before
      {"E", "2023-05-01", RodzajKampanii::Okresowe, "C"},
      {"F", "2019-05-01T08:30", RodzajKampanii::Odbiorcze, ""},  // listed last, dated first
      {"G", "2022-01-01T10:00:01", RodzajKampanii::Okresowe, "C"},
  };
  Dokument d;
  for (const Przypadek& c : kPrzypadki) d.kampanie.push_back(NowaKampania(c.id, c.data, c.rodzaj));
  for (std::size_t i = 0; i < d.kampanie.size(); ++i) {
    const std::optional<std::size_t> b = turbiny::IndeksBazowego(d, i);
    EXPECT_EQ(std::string(kPrzypadki[i].baza), b ? d.kampanie[*b].id : "") << kPrzypadki[i].id;
  }
}

// No comparison where the baseline's section was refused; the other sections still compare.
TEST(Obliczenia, NoComparisonWithARefusedBaselineSection) {
  Dokument d;
  d.turbina.punkty = {NowyPunkt("A"), NowyPunkt("B"), NowyPunkt("C")};
  d.turbina.odcinki = {NowyOdcinek("AB", "A", "B"), NowyOdcinek("BC", "B", "C")};
  d.kampanie = {NowaKampania("odb", "2024-01-01", RodzajKampanii::Odbiorcze), NowaKampania("k", "2025-01-01")};
  d.kampanie[0].odczyty = {{"A", PT(10, 500)}, {"B", PT(2, 290)}, {"C", PT(0.5, 290)}};  // BC: t2 = t1
  d.kampanie[1].odczyty = {{"A", PT(10, 500)}, {"B", PT(2, 292)}, {"C", PT(0.5, 180)}};
  const std::vector<WynikKampanii> v = turbiny::ObliczWszystkie(d);
  ASSERT_EQ(2u, v.size());
  EXPECT_FALSE(v[0].ok);
  const WynikKampanii& w = v[1];
  EXPECT_EQ("odb", w.baza.value_or(""));
  ASSERT_TRUE(w.odcinki[0].dEtaBaza);
  EXPECT_DOUBLE_EQ(*w.odcinki[0].if97.eta - *v[0].odcinki[0].if97.eta, w.odcinki[0].dEtaBaza->if97);
  EXPECT_LT(w.odcinki[0].dEtaBaza->fits, 0);  // a hotter exhaust, a lower efficiency
  EXPECT_FALSE(w.odcinki[1].dEtaBaza);
  EXPECT_TRUE(w.odcinki[1].ok);
  EXPECT_NE(w.komunikaty.end(), std::find_if(w.komunikaty.begin(), w.komunikaty.end(), [](const std::string& m) {
              return m.find("BC: bez porównania z pomiarem bazowym odb") == 0;
            }));
  // One campaign alone gives the same line as the whole run.
  const WynikKampanii jedna = turbiny::ObliczKampanie(d, 1);
  EXPECT_EQ(w.odcinki[0].dEtaBaza->fits, jedna.odcinki[0].dEtaBaza->fits);
  EXPECT_EQ(w.komunikaty, jedna.komunikaty);
}

}  // namespace
}  // namespace kal::test

namespace kal::test {
namespace {

// A history of 40 campaigns, enough for the work to be shared between threads; `t2` the first
// exhaust temperature.
turbiny::Dokument Historia(const std::string& nazwa, double t2) {
  turbiny::Dokument d;
  d.turbina.nazwa = nazwa;
  d.turbina.punkty = {NowyPunkt("PS"), NowyPunkt("WYL")};
  d.turbina.odcinki = {NowyOdcinek("WP", "PS", "WYL")};
  for (int i = 0; i < 40; ++i) {
    turbiny::Kampania k = NowaKampania(
        "k" + std::to_string(i), "2020-01-" + std::to_string(10 + i % 19) + "T" + std::to_string(10 + i / 19) + ":00",
        i % 7 == 0 ? turbiny::RodzajKampanii::PoRemoncie : turbiny::RodzajKampanii::Okresowe);
    k.odczyty["PS"] = PT(12.7 + 0.01 * i, 535);
    k.odczyty["WYL"] = PT(3.6, t2 + 0.1 * i);
    d.kampanie.push_back(k);
  }
  return d;
}

// Every campaign as computed alone.
TEST(Obliczenia, EveryCampaignAtOnceEqualsEachAlone) {
  const turbiny::Dokument d = Historia("T", 365);
  const std::vector<turbiny::WynikKampanii> razem = turbiny::ObliczWszystkie(d);
  ASSERT_EQ(razem.size(), d.kampanie.size());
  for (std::size_t i = 0; i < d.kampanie.size(); ++i) {
    const turbiny::WynikKampanii sam = turbiny::ObliczKampanie(d, i);
    SCOPED_TRACE(d.kampanie[i].id);
    ASSERT_EQ(razem[i].kampania, sam.kampania);
    EXPECT_EQ(razem[i].baza, sam.baza);
    ASSERT_TRUE(sam.odcinki[0].ok) << sam.odcinki[0].komunikat;
    EXPECT_EQ(*razem[i].odcinki[0].fits.eta, *sam.odcinki[0].fits.eta);
    EXPECT_EQ(*razem[i].odcinki[0].if97.eta, *sam.odcinki[0].if97.eta);
    EXPECT_EQ(razem[i].odcinki[0].budzet->U95, sam.odcinki[0].budzet->U95);
    EXPECT_EQ(razem[i].odcinki[0].dEtaBaza.has_value(), sam.odcinki[0].dEtaBaza.has_value());
  }
}

}  // namespace
}  // namespace kal::test

namespace kal::test {
namespace {

// Every turbine of a store, each read while the one before is computed: all of them in the store's
// order, each with the results of its own document.
TEST(Obliczenia, EveryTurbineOfAStore) {
  TempDir dir;
  auto m = turbiny::OtworzBaze(dir.path() + "/turbiny.db");
  const std::pair<const char*, double> kTurbiny[] = {{"TG-2", 350}, {"TG-1", 365}, {"TG-3", 380}};
  for (const auto& [nazwa, t2] : kTurbiny) m->Importuj(Historia(nazwa, t2), false);
  std::vector<std::string> nazwy;
  turbiny::ObliczWszystkieTurbiny(*m, [&](const Dokument& d, std::vector<WynikKampanii> w) {
    nazwy.push_back(d.turbina.nazwa);
    const std::vector<WynikKampanii> sam = turbiny::ObliczWszystkie(d);
    ASSERT_EQ(w.size(), sam.size());
    for (std::size_t i = 0; i < w.size(); ++i) {
      EXPECT_EQ(w[i].turbina, d.turbina.nazwa);
      EXPECT_EQ(*w[i].odcinki[0].fits.eta, *sam[i].odcinki[0].fits.eta);
      EXPECT_EQ(w[i].odcinki[0].budzet->U95, sam[i].odcinki[0].budzet->U95);
    }
  });
  EXPECT_EQ(nazwy, (std::vector<std::string>{"TG-1", "TG-2", "TG-3"}));
}

}  // namespace
}  // namespace kal::test
