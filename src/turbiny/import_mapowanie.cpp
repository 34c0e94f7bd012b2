// The mapping of an export's columns to the turbine's points, as JSON kept with the turbine.
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "turbiny/import.h"

namespace kal::turbiny {

namespace {

using nlohmann::json;

std::string Tekst(const json& o, const char* klucz, const std::string& gdzie, const std::string& domyslny,
                  bool wymagany) {
  const auto it = o.find(klucz);
  if (it == o.end() || it->is_null()) {
    if (wymagany) throw BladTurbiny("mapowanie: brak pola \"" + std::string(klucz) + "\"" + gdzie);
    return domyslny;
  }
  if (!it->is_string())
    throw BladTurbiny("mapowanie: pole \"" + std::string(klucz) + "\"" + gdzie + " musi być tekstem");
  return it->get<std::string>();
}

std::optional<double> Limit(const json& o, const char* klucz, const std::string& gdzie) {
  const auto it = o.find(klucz);
  if (it == o.end() || it->is_null()) return std::nullopt;
  if (!it->is_number() || !std::isfinite(it->get<double>()) || it->get<double>() <= 0)
    throw BladTurbiny("mapowanie: pole \"" + std::string(klucz) + "\"" + gdzie + " musi być liczbą dodatnią");
  return it->get<double>();
}

std::string Kodowanie(std::string k) {
  for (char& c : k) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (k == "utf-8" || k == "utf8") return "utf-8";
  if (k == "windows-1250" || k == "cp1250") return "windows-1250";
  if (k == "auto") return k;
  throw BladTurbiny("mapowanie: pole \"encoding\": nieznane kodowanie \"" + k + "\" (utf-8, windows-1250 albo auto)");
}

}  // namespace

Mapowanie MapowanieZJson(const std::string& tekst) {
  json j;
  try {
    j = json::parse(tekst);
  } catch (const json::parse_error& e) {
    throw BladTurbiny("mapowanie: to nie jest poprawny JSON (bajt " + std::to_string(e.byte) + ")");
  }
  if (!j.is_object()) throw BladTurbiny("mapowanie: oczekiwano obiektu JSON");
  Mapowanie m;
  m.czas = Tekst(j, "timestamp", "", "", true);
  if (m.czas.empty()) throw BladTurbiny("mapowanie: pole \"timestamp\" jest puste");
  m.separator = Tekst(j, "separator", "", "auto", false);
  if (m.separator != "auto" && m.separator != ";" && m.separator != "," && m.separator != "\t")
    throw BladTurbiny("mapowanie: pole \"separator\": \"" + m.separator + "\" (\";\", \",\", \"\\t\" albo \"auto\")");
  m.dziesietny = Tekst(j, "decimal", "", "auto", false);
  if (m.dziesietny != "auto" && m.dziesietny != "," && m.dziesietny != ".")
    throw BladTurbiny("mapowanie: pole \"decimal\": \"" + m.dziesietny + "\" (\",\", \".\" albo \"auto\")");
  m.kodowanie = Kodowanie(Tekst(j, "encoding", "", "auto", false));
  const auto kol = j.find("columns");
  if (kol == j.end() || !kol->is_array() || kol->empty())
    throw BladTurbiny("mapowanie: pole \"columns\" musi być niepustą listą kolumn");
  std::set<std::string> nazwy, wielkosci;
  for (std::size_t i = 0; i < kol->size(); ++i) {
    const json& c = (*kol)[i];
    const std::string gdzie = " w kolumnie nr " + std::to_string(i + 1);
    if (!c.is_object()) throw BladTurbiny("mapowanie: kolumna nr " + std::to_string(i + 1) + " musi być obiektem");
    KolumnaMapowania k;
    k.kolumna = Tekst(c, "column", gdzie, "", true);
    const std::string nazwa = " kolumny \"" + k.kolumna + "\"";
    k.wielkosc = Tekst(c, "quantity", nazwa, "", true);
    k.punkt = Tekst(c, "point", nazwa, "", k.wielkosc != "ambient");
    if (k.wielkosc != "p" && k.wielkosc != "t" && k.wielkosc != "h" && k.wielkosc != "ambient")
      throw BladTurbiny("mapowanie: kolumna \"" + k.kolumna + "\": nieznana wielkość \"" + k.wielkosc +
                        "\" (p, t, h albo ambient)");
    if (k.wielkosc == "ambient" && !k.punkt.empty())
      throw BladTurbiny("mapowanie: kolumna \"" + k.kolumna + "\": ciśnienie otoczenia nie należy do punktu");
    if (k.wielkosc != "ambient" && k.punkt.empty())
      throw BladTurbiny("mapowanie: kolumna \"" + k.kolumna + "\": pole \"point\" jest puste");
    k.limitFluktuacji = Limit(c, "limit_fluctuation", nazwa);
    k.limitDryfu = Limit(c, "limit_drift", nazwa);
    // An enthalpy has no default limit: it must come with its own.
    if (k.wielkosc == "h" && (!k.limitFluktuacji || !k.limitDryfu))
      throw BladTurbiny("mapowanie: kolumna \"" + k.kolumna +
                        "\": entalpia wymaga \"limit_fluctuation\" i \"limit_drift\" [kJ/kg]");
    if (k.kolumna.empty() || k.kolumna == m.czas || !nazwy.insert(k.kolumna).second)
      throw BladTurbiny("mapowanie: kolumna \"" + k.kolumna + "\" jest pusta, powtórzona albo jest kolumną czasu");
    if (!wielkosci.insert(k.punkt + "." + k.wielkosc).second)
      throw BladTurbiny("mapowanie: kolumna \"" + k.kolumna +
                        "\": " + (k.punkt.empty() ? std::string("ciśnienie otoczenia") : k.punkt + "." + k.wielkosc) +
                        " ma już kolumnę");
    m.kolumny.push_back(k);
  }
  return m;
}

std::string MapowanieDoJson(const Mapowanie& m) {
  nlohmann::ordered_json j;
  j["timestamp"] = m.czas;
  j["separator"] = m.separator;
  j["decimal"] = m.dziesietny;
  j["encoding"] = m.kodowanie;
  nlohmann::ordered_json kol = nlohmann::ordered_json::array();
  for (const KolumnaMapowania& k : m.kolumny) {
    nlohmann::ordered_json c;
    c["column"] = k.kolumna;
    if (!k.punkt.empty()) c["point"] = k.punkt;
    c["quantity"] = k.wielkosc;
    if (k.limitFluktuacji) c["limit_fluctuation"] = *k.limitFluktuacji;
    if (k.limitDryfu) c["limit_drift"] = *k.limitDryfu;
    kol.push_back(c);
  }
  j["columns"] = kol;
  return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace kal::turbiny
