#include "turbiny/dokument.h"

#include <climits>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "turbiny/czas.h"

namespace kal::turbiny {

namespace {

using nlohmann::json;
using ojson = nlohmann::ordered_json;

constexpr const char* kFormat = "kalorimo-turbina";
constexpr int kWersja = 1;

[[noreturn]] void Odrzuc(const std::string& sciezka, const std::string& dlaczego) {
  throw BladTurbiny(sciezka + ": " + dlaczego);
}

std::string Cytat(const std::string& s) { return "\"" + s + "\""; }

// A key's value; null counts as absent.
const json* Pole(const json& obj, const char* klucz) {
  const auto it = obj.find(klucz);
  return it == obj.end() || it->is_null() ? nullptr : &*it;
}

const json& Wymagane(const json& obj, const std::string& sciezka, const char* klucz) {
  const json* v = Pole(obj, klucz);
  if (!v) Odrzuc(sciezka.empty() ? std::string(klucz) : sciezka + "." + klucz, "brak wymaganego pola");
  return *v;
}

const json& Obiekt(const json& v, const std::string& sciezka) {
  if (!v.is_object()) Odrzuc(sciezka, "oczekiwano obiektu JSON");
  return v;
}

const json& Tablica(const json& v, const std::string& sciezka) {
  if (!v.is_array()) Odrzuc(sciezka, "oczekiwano tablicy JSON");
  return v;
}

std::string Tekst(const json& v, const std::string& sciezka) {
  if (!v.is_string()) Odrzuc(sciezka, "oczekiwano tekstu");
  return v.get<std::string>();
}

std::string NiepustyTekst(const json& v, const std::string& sciezka) {
  std::string s = Tekst(v, sciezka);
  if (s.empty()) Odrzuc(sciezka, "pusty tekst");
  return s;
}

double Liczba(const json& v, const std::string& sciezka) {
  if (!v.is_number()) Odrzuc(sciezka, "oczekiwano liczby");
  const double d = v.get<double>();
  if (!std::isfinite(d)) Odrzuc(sciezka, "liczba spoza zakresu");
  return d;
}

double Nieujemna(const json& v, const std::string& sciezka) {
  const double d = Liczba(v, sciezka);
  if (d < 0) Odrzuc(sciezka, "wartość nie może być ujemna");
  return d;
}

double Dodatnia(const json& v, const std::string& sciezka) {
  const double d = Liczba(v, sciezka);
  if (!(d > 0)) Odrzuc(sciezka, "wartość musi być dodatnia");
  return d;
}

bool Logiczna(const json& v, const std::string& sciezka) {
  if (!v.is_boolean()) Odrzuc(sciezka, "oczekiwano wartości logicznej (true albo false)");
  return v.get<bool>();
}

long Licznik(const json& v, const std::string& sciezka) {
  if (!v.is_number_integer()) Odrzuc(sciezka, "oczekiwano liczby całkowitej");
  if (v.is_number_unsigned() ? v.get<unsigned long long>() > static_cast<unsigned long long>(LONG_MAX)
                             : v.get<long long>() < 0)
    Odrzuc(sciezka, "liczba spoza zakresu (0 … " + std::to_string(LONG_MAX) + ")");
  return static_cast<long>(v.get<long long>());
}

// Optional fields: the value read when present, else the field keeps its default.
template <class T, class F>
void Opcjonalne(const json& obj, const std::string& sciezka, const char* klucz, T& pole, F czytaj) {
  if (const json* v = Pole(obj, klucz)) pole = czytaj(*v, sciezka + "." + klucz);
}

std::string Indeks(const std::string& sciezka, std::size_t i) { return sciezka + "[" + std::to_string(i) + "]"; }

PunktPomiarowy CzytajPunkt(const json& j, const std::string& sc) {
  Obiekt(j, sc);
  PunktPomiarowy p;
  p.id = NiepustyTekst(Wymagane(j, sc, "id"), sc + ".id");
  Opcjonalne(j, sc, "name", p.nazwa, Tekst);
  p.jednostkaP = Tekst(Wymagane(j, sc, "p_unit"), sc + ".p_unit");
  if (!MpaNaJednostke(p.jednostkaP))
    Odrzuc(sc + ".p_unit", "nieznana jednostka ciśnienia " + Cytat(p.jednostkaP) + " (MPa, bar albo kPa)");
  Opcjonalne(j, sc, "p_gauge", p.nadcisnienie, Logiczna);
  Opcjonalne(j, sc, "U_p", p.U_p, Nieujemna);
  if (const json* v = Pole(j, "U_p_unit")) {
    const std::string u = Tekst(*v, sc + ".U_p_unit");
    if (u != "%" && u != p.jednostkaP)
      Odrzuc(sc + ".U_p_unit",
             "niewłaściwa jednostka " + Cytat(u) + " (\"%\" albo jednostka punktu " + Cytat(p.jednostkaP) + ")");
    p.U_p_procent = u == "%";
  }
  Opcjonalne(j, sc, "U_t", p.U_t, Nieujemna);
  if (const json* v = Pole(j, "limits")) {
    const std::string sl = sc + ".limits";
    Obiekt(*v, sl);
    Opcjonalne(*v, sl, "p", p.limity.p, Nieujemna);
    Opcjonalne(*v, sl, "p_min_kPa", p.limity.p_min_kPa, Nieujemna);
    Opcjonalne(*v, sl, "t", p.limity.t, Nieujemna);
  }
  return p;
}

Odcinek CzytajOdcinek(const json& j, const std::string& sc, const Turbina& t) {
  Obiekt(j, sc);
  Odcinek o;
  o.nazwa = NiepustyTekst(Wymagane(j, sc, "name"), sc + ".name");
  o.wlot = Tekst(Wymagane(j, sc, "inlet"), sc + ".inlet");
  o.wylot = Tekst(Wymagane(j, sc, "exhaust"), sc + ".exhaust");
  if (!ZnajdzPunkt(t, o.wlot)) Odrzuc(sc + ".inlet", "nieznany punkt " + Cytat(o.wlot));
  if (!ZnajdzPunkt(t, o.wylot)) Odrzuc(sc + ".exhaust", "nieznany punkt " + Cytat(o.wylot));
  if (o.wlot == o.wylot) Odrzuc(sc + ".exhaust", "wylot to ten sam punkt co wlot");
  if (const json* v = Pole(j, "exhaust_kind")) {
    const std::string k = Tekst(*v, sc + ".exhaust_kind");
    const auto w = WylotZNazwy(k);
    if (!w) Odrzuc(sc + ".exhaust_kind", "nieznany rodzaj wylotu " + Cytat(k) + " (superheated albo wet)");
    o.rodzajWylotu = *w;
  }
  if (const json* v = Pole(j, "eta_design")) {
    const double e = Liczba(*v, sc + ".eta_design");
    if (!(e > 0 && e <= 1)) Odrzuc(sc + ".eta_design", "sprawność projektowa jako ułamek z przedziału (0, 1]");
    o.etaProjekt = e;
  }
  return o;
}

Odczyt CzytajOdczyt(const json& j, const std::string& sc) {
  Obiekt(j, sc);
  Odczyt o;
  Opcjonalne(j, sc, "p", o.p, Liczba);
  Opcjonalne(j, sc, "t", o.t, Liczba);
  Opcjonalne(j, sc, "h", o.h, Liczba);
  Opcjonalne(j, sc, "U_h", o.U_h, Nieujemna);
  Opcjonalne(j, sc, "u_p_random", o.u_p_random, Nieujemna);
  Opcjonalne(j, sc, "u_t_random", o.u_t_random, Nieujemna);
  Opcjonalne(j, sc, "n", o.n, Licznik);
  if (o.h && !o.U_h) Odrzuc(sc + ".U_h", "brak wymaganego pola (niepewność entalpii podanej h)");
  return o;
}

Kampania CzytajKampanie(const json& j, const std::string& sc, const Turbina& t) {
  Obiekt(j, sc);
  Kampania k;
  k.id = NiepustyTekst(Wymagane(j, sc, "id"), sc + ".id");
  k.data = Tekst(Wymagane(j, sc, "date"), sc + ".date");
  if (!SekundyDatyKampanii(k.data))
    Odrzuc(sc + ".date", "niewłaściwa data " + Cytat(k.data) + " (RRRR-MM-DDTgg:mm[:ss])");
  const std::string rodzaj = Tekst(Wymagane(j, sc, "kind"), sc + ".kind");
  const auto r = RodzajZNazwy(rodzaj);
  if (!r) Odrzuc(sc + ".kind", "nieznany rodzaj pomiaru " + Cytat(rodzaj) + " (acceptance, after-overhaul, routine)");
  k.rodzaj = *r;
  Opcjonalne(j, sc, "label", k.etykieta, Tekst);
  Opcjonalne(j, sc, "load_MW", k.mocMW, Liczba);
  Opcjonalne(j, sc, "ambient_kPa", k.otoczenieKPa, Dodatnia);
  Opcjonalne(j, sc, "U_ambient_kPa", k.U_otoczenieKPa, Nieujemna);
  Opcjonalne(j, sc, "u_ambient_random", k.u_otoczenieRandom, Nieujemna);
  if (const json* v = Pole(j, "readings")) {
    const std::string sr = sc + ".readings";
    Obiekt(*v, sr);
    for (auto it = v->begin(); it != v->end(); ++it) {
      const std::string so = sr + "." + it.key();
      if (!ZnajdzPunkt(t, it.key())) Odrzuc(so, "nieznany punkt " + Cytat(it.key()));
      if (it->is_null()) continue;
      k.odczyty[it.key()] = CzytajOdczyt(*it, so);
    }
  }
  return k;
}

// Line and column of a byte offset, for a syntax error a person can find.
std::string Miejsce(const std::string& tekst, std::size_t bajt) {
  std::size_t wiersz = 1, kolumna = 1;
  for (std::size_t i = 0; i + 1 < bajt && i < tekst.size(); ++i) {
    if (tekst[i] == '\n') {
      ++wiersz;
      kolumna = 1;
    } else if ((static_cast<unsigned char>(tekst[i]) & 0xC0) != 0x80) {
      ++kolumna;
    }
  }
  return "wiersz " + std::to_string(wiersz) + ", kolumna " + std::to_string(kolumna);
}

}  // namespace

Dokument WczytajDokument(const std::string& tekst) {
  json j;
  try {
    j = json::parse(tekst);
  } catch (const json::parse_error& e) {
    throw BladTurbiny("to nie jest poprawny dokument JSON (błąd składni: " + Miejsce(tekst, e.byte) + ")");
  } catch (const json::exception&) {
    throw BladTurbiny("to nie jest poprawny dokument JSON (liczba spoza zakresu)");
  }
  if (!j.is_object()) throw BladTurbiny("dokument: oczekiwano obiektu JSON");
  const std::string format = Tekst(Wymagane(j, "", "format"), "format");
  if (format != kFormat)
    Odrzuc("format", "inny format dokumentu " + Cytat(format) + " (oczekiwano " + Cytat(kFormat) + ")");
  const json& w = Wymagane(j, "", "version");
  if (!w.is_number_integer()) Odrzuc("version", "oczekiwano liczby całkowitej");
  if (w.is_number_unsigned() ? w.get<unsigned long long>() > static_cast<unsigned long long>(kWersja)
                             : w.get<long long>() > kWersja)
    Odrzuc("version",
           "dokument w nowszej wersji " + w.dump() + " (obsługiwana wersja " + std::to_string(kWersja) + ")");
  if (w.get<long long>() < 1) Odrzuc("version", "niewłaściwa wersja " + w.dump());

  Dokument d;
  const json& jt = Obiekt(Wymagane(j, "", "turbine"), "turbine");
  Turbina& t = d.turbina;
  t.nazwa = NiepustyTekst(Wymagane(jt, "turbine", "name"), "turbine.name");
  Opcjonalne(jt, "turbine", "description", t.opis, Tekst);
  const json& punkty = Tablica(Wymagane(jt, "turbine", "points"), "turbine.points");
  std::set<std::string> ids;
  for (std::size_t i = 0; i < punkty.size(); ++i) {
    const std::string sc = Indeks("turbine.points", i);
    t.punkty.push_back(CzytajPunkt(punkty[i], sc));
    if (!ids.insert(t.punkty.back().id).second)
      Odrzuc(sc + ".id", "powtórzony identyfikator punktu " + Cytat(t.punkty.back().id));
  }
  if (const json* v = Pole(jt, "sections")) {
    Tablica(*v, "turbine.sections");
    std::set<std::string> nazwy;
    for (std::size_t i = 0; i < v->size(); ++i) {
      const std::string sc = Indeks("turbine.sections", i);
      t.odcinki.push_back(CzytajOdcinek((*v)[i], sc, t));
      if (!nazwy.insert(t.odcinki.back().nazwa).second)
        Odrzuc(sc + ".name", "powtórzona nazwa odcinka " + Cytat(t.odcinki.back().nazwa));
    }
  }
  if (const json* v = Pole(jt, "mapping")) t.mapowanie = Obiekt(*v, "turbine.mapping").dump();

  if (const json* v = Pole(j, "campaigns")) {
    Tablica(*v, "campaigns");
    std::set<std::string> kampanie;
    for (std::size_t i = 0; i < v->size(); ++i) {
      const std::string sc = Indeks("campaigns", i);
      d.kampanie.push_back(CzytajKampanie((*v)[i], sc, t));
      if (!kampanie.insert(d.kampanie.back().id).second)
        Odrzuc(sc + ".id", "powtórzony identyfikator pomiaru " + Cytat(d.kampanie.back().id));
    }
  }
  return d;
}

std::string ZapiszDokument(const Dokument& d) {
  const Turbina& t = d.turbina;
  ojson jt;
  jt["name"] = t.nazwa;
  jt["description"] = t.opis;
  jt["points"] = ojson::array();
  for (const PunktPomiarowy& p : t.punkty) {
    jt["points"].push_back({{"id", p.id},
                            {"name", p.nazwa},
                            {"p_unit", p.jednostkaP},
                            {"p_gauge", p.nadcisnienie},
                            {"U_p", p.U_p},
                            {"U_p_unit", p.U_p_procent ? std::string("%") : p.jednostkaP},
                            {"U_t", p.U_t},
                            {"limits", {{"p", p.limity.p}, {"p_min_kPa", p.limity.p_min_kPa}, {"t", p.limity.t}}}});
  }
  jt["sections"] = ojson::array();
  for (const Odcinek& o : t.odcinki) {
    ojson jo = {
        {"name", o.nazwa}, {"inlet", o.wlot}, {"exhaust", o.wylot}, {"exhaust_kind", NazwaWylotu(o.rodzajWylotu)}};
    if (o.etaProjekt) jo["eta_design"] = *o.etaProjekt;
    jt["sections"].push_back(jo);
  }
  if (!t.mapowanie.empty()) {
    ojson m = ojson::parse(t.mapowanie, nullptr, false);
    if (m.is_discarded() || !m.is_object()) throw BladTurbiny("turbine.mapping: mapowanie nie jest obiektem JSON");
    jt["mapping"] = m;
  }

  ojson kampanie = ojson::array();
  for (const Kampania& k : d.kampanie) {
    ojson jk = {{"id", k.id}, {"date", k.data}, {"kind", NazwaRodzaju(k.rodzaj)}, {"label", k.etykieta}};
    if (k.mocMW) jk["load_MW"] = *k.mocMW;
    jk["ambient_kPa"] = k.otoczenieKPa;
    jk["U_ambient_kPa"] = k.U_otoczenieKPa;
    if (k.u_otoczenieRandom) jk["u_ambient_random"] = *k.u_otoczenieRandom;
    ojson odczyty = ojson::object();
    // Readings in the turbine's point order, the way an engineer reads them down the steam path.
    auto zapisz = [&](const std::string& id, const Odczyt& o) {
      ojson jo = ojson::object();
      auto wpisz = [&](const char* klucz, const auto& v) {
        if (v) jo[klucz] = *v;
      };
      wpisz("p", o.p);
      wpisz("t", o.t);
      wpisz("h", o.h);
      wpisz("U_h", o.U_h);
      wpisz("u_p_random", o.u_p_random);
      wpisz("u_t_random", o.u_t_random);
      wpisz("n", o.n);
      odczyty[id] = jo;
    };
    for (const PunktPomiarowy& p : t.punkty) {
      const auto it = k.odczyty.find(p.id);
      if (it != k.odczyty.end()) zapisz(it->first, it->second);
    }
    for (const auto& [id, o] : k.odczyty)
      if (!ZnajdzPunkt(t, id)) zapisz(id, o);
    jk["readings"] = odczyty;
    kampanie.push_back(jk);
  }
  const ojson j = {{"format", kFormat}, {"version", kWersja}, {"turbine", jt}, {"campaigns", kampanie}};
  return j.dump(2, ' ', false, ojson::error_handler_t::replace) + "\n";
}

}  // namespace kal::turbiny
