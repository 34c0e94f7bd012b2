// The turbine document: what it refuses and why, and that a document survives its own writing.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <tuple>

#include "turbiny/dokument.h"

namespace kal::turbiny {
namespace {

using nlohmann::json;

json Wzor() {
  return json::parse(R"({"format": "kalorimo-turbina", "version": 1,
    "turbine": {"name": "TG-4",
      "points": [{"id": "PS", "p_unit": "MPa"}, {"id": "WP_WYL", "p_unit": "bar", "p_gauge": true},
                 {"id": "NP_WYL", "p_unit": "kPa"}],
      "sections": [{"name": "WP", "inlet": "PS", "exhaust": "WP_WYL"},
                   {"name": "NP", "inlet": "WP_WYL", "exhaust": "NP_WYL", "exhaust_kind": "wet"}]},
    "campaigns": [{"id": "a", "date": "2025-10-14T10:00", "kind": "acceptance",
                   "readings": {"PS": {"p": 12.7, "t": 535}, "NP_WYL": {"p": 5.6, "h": 2345, "U_h": 15}}}]})");
}

TEST(Dokument, RefusesNamingTheFieldAndWhy) {
  struct Przypadek {
    std::function<void(json&)> zmiana;
    const char* komunikat;
  };
  const Przypadek kPrzypadki[] = {
      {[](json& j) { j["turbine"]["points"][2].erase("id"); }, "turbine.points[2].id: brak wymaganego pola"},
      {[](json& j) { j["turbine"]["points"][1]["id"] = "PS"; },
       "turbine.points[1].id: powtórzony identyfikator punktu \"PS\""},
      {[](json& j) { j["turbine"]["sections"][1]["exhaust"] = "XX"; },
       "turbine.sections[1].exhaust: nieznany punkt \"XX\""},
      {[](json& j) { j["campaigns"][0]["readings"]["XX"] = json::object(); },
       "campaigns[0].readings.XX: nieznany punkt \"XX\""},
      {[](json& j) { j["turbine"]["points"][0]["p_unit"] = "psi"; },
       "turbine.points[0].p_unit: nieznana jednostka ciśnienia \"psi\" (MPa, bar albo kPa)"},
      {[](json& j) { j["turbine"]["points"][1]["U_p_unit"] = "kPa"; },
       "turbine.points[1].U_p_unit: niewłaściwa jednostka \"kPa\" (\"%\" albo jednostka punktu \"bar\")"},
      {[](json& j) { j["turbine"]["sections"][0]["exhaust_kind"] = "dry"; },
       "turbine.sections[0].exhaust_kind: nieznany rodzaj wylotu \"dry\" (superheated albo wet)"},
      {[](json& j) { j["campaigns"][0]["kind"] = "yearly"; },
       "campaigns[0].kind: nieznany rodzaj pomiaru \"yearly\" (acceptance, after-overhaul, routine)"},
      {[](json& j) { j["campaigns"][0]["readings"]["NP_WYL"].erase("U_h"); },
       "campaigns[0].readings.NP_WYL.U_h: brak wymaganego pola (niepewność entalpii podanej h)"},
      {[](json& j) { j["campaigns"][0]["readings"]["PS"]["p"] = "12,7"; },
       "campaigns[0].readings.PS.p: oczekiwano liczby"},
      {[](json& j) { j["campaigns"][0]["readings"]["PS"]["n"] = -3; },
       "campaigns[0].readings.PS.n: liczba spoza zakresu (0 … 9223372036854775807)"},
      {[](json& j) { j["campaigns"][0]["date"] = "14.10.2025"; },
       "campaigns[0].date: niewłaściwa data \"14.10.2025\" (RRRR-MM-DDTgg:mm[:ss])"},
      {[](json& j) { j["campaigns"].push_back(j["campaigns"][0]); },
       "campaigns[1].id: powtórzony identyfikator pomiaru \"a\""},
      {[](json& j) { j["turbine"]["sections"][0]["eta_design"] = 86.5; },
       "turbine.sections[0].eta_design: sprawność projektowa jako ułamek z przedziału (0, 1]"},
      {[](json& j) { j["format"] = "inny"; },
       "format: inny format dokumentu \"inny\" (oczekiwano \"kalorimo-turbina\")"},
      {[](json& j) { j["version"] = 2; }, "version: dokument w nowszej wersji 2 (obsługiwana wersja 1)"},
      {[](json& j) { j.erase("turbine"); }, "turbine: brak wymaganego pola"},
      {[](json& j) { j["turbine"]["points"] = json::object(); }, "turbine.points: oczekiwano tablicy JSON"},
  };
  for (const Przypadek& c : kPrzypadki) {
    json j = Wzor();
    c.zmiana(j);
    try {
      WczytajDokument(j.dump());
      ADD_FAILURE() << "przyjęty: " << c.komunikat;
    } catch (const BladTurbiny& b) {
      EXPECT_EQ(c.komunikat, std::string(b.what()));
    }
  }
  for (const char* tekst : {"{\"format\": ", "[1, 2]", "{\"a\": 1e999}"}) {
    EXPECT_THROW(WczytajDokument(tekst), BladTurbiny) << tekst;
  }
  // Unknown keys are no reason to refuse.
  json j = Wzor();
  j["turbine"]["points"][0]["color"] = "red";
  j["campaigns"][0]["operator"] = {{"name", "x"}};
  EXPECT_EQ(3u, WczytajDokument(j.dump()).turbina.punkty.size());
}

auto Pola(const PunktPomiarowy& p) {
  return std::tie(p.id, p.nazwa, p.jednostkaP, p.nadcisnienie, p.U_p, p.U_p_procent, p.U_t, p.limity.p,
                  p.limity.p_min_kPa, p.limity.t);
}
auto Pola(const Odcinek& o) { return std::tie(o.nazwa, o.wlot, o.wylot, o.rodzajWylotu, o.etaProjekt); }
auto Pola(const Odczyt& o) { return std::tie(o.p, o.t, o.h, o.U_h, o.u_p_random, o.u_t_random, o.n); }

TEST(Dokument, RoundTrip) {
  Dokument d;
  d.turbina.nazwa = "TG-4";
  d.turbina.opis = "blok 4, część WP–SP–NP";
  d.turbina.mapowanie = R"({"columns":[{"column":"T_PS","point":"PS","quantity":"t"}],"timestamp":"Czas"})";
  PunktPomiarowy ps{"PS", "para świeża", "MPa", false, 0.2, true, 1.5, {0.3, 0.2, 5.0}};
  PunktPomiarowy wyl{"WYL", "wylot", "bar", true, 0.01, false, 0.8, {}};
  d.turbina.punkty = {ps, wyl};
  d.turbina.odcinki = {{"WP", "PS", "WYL", RodzajWylotu::Mokry, 0.865},
                       {"X", "WYL", "PS", RodzajWylotu::Przegrzany, {}}};
  Kampania k;
  k.id = "2025-10-odb";
  k.data = "2025-10-14T10:00:05.25";
  k.rodzaj = RodzajKampanii::PoRemoncie;
  k.etykieta = "po remoncie";
  k.mocMW = 201.3;
  k.otoczenieKPa = 99.2;
  k.U_otoczenieKPa = 0.05;
  k.u_otoczenieRandom = 0.003;
  k.odczyty["PS"] = {12.74, 535.1, {}, {}, 0.004, 0.06, 720};
  k.odczyty["WYL"] = {0.1 + 0.2, {}, 2345.0, 15.0, {}, {}, {}};  // a double that prints long
  d.kampanie = {k, Kampania{}};
  d.kampanie[1].id = "b";
  d.kampanie[1].data = "2026-01-01";

  const Dokument r = WczytajDokument(ZapiszDokument(d));
  EXPECT_EQ(d.turbina.nazwa, r.turbina.nazwa);
  EXPECT_EQ(d.turbina.opis, r.turbina.opis);
  EXPECT_EQ(d.turbina.mapowanie, r.turbina.mapowanie);
  ASSERT_EQ(2u, r.turbina.punkty.size());
  for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(Pola(d.turbina.punkty[i]), Pola(r.turbina.punkty[i])) << i;
  ASSERT_EQ(2u, r.turbina.odcinki.size());
  for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(Pola(d.turbina.odcinki[i]), Pola(r.turbina.odcinki[i])) << i;
  ASSERT_EQ(2u, r.kampanie.size());
  for (std::size_t i = 0; i < 2; ++i) {
    const Kampania &a = d.kampanie[i], &b = r.kampanie[i];
    EXPECT_EQ(
        std::tie(a.id, a.data, a.rodzaj, a.etykieta, a.mocMW, a.otoczenieKPa, a.U_otoczenieKPa, a.u_otoczenieRandom),
        std::tie(b.id, b.data, b.rodzaj, b.etykieta, b.mocMW, b.otoczenieKPa, b.U_otoczenieKPa, b.u_otoczenieRandom));
    ASSERT_EQ(a.odczyty.size(), b.odczyty.size());
    for (const auto& [id, o] : a.odczyty) EXPECT_EQ(Pola(o), Pola(b.odczyty.at(id))) << id;
  }
}

}  // namespace
}  // namespace kal::turbiny
