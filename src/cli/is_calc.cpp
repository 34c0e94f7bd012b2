#include "cli/is_calc.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/kalorimo_app.h"
#include "cli/cli_options.h"
#include "cli/output.h"
#include "common/jednostki.h"
#include "common/number_text.h"

namespace kal::cli {

bool ReadNumber(const std::string& text, double& value) {
  std::string t = text;
  for (char& c : t)
    if (c == ',') c = '.';
  try {
    value = ParseLocale(t, '.');
  } catch (const RunTimeError&) {
    return false;
  }
  return std::isfinite(value);
}

bool ParseIs(const std::vector<std::string>& words, bool commandLine, IsRequest& rq, std::string& error) {
  std::vector<std::string> pos;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    std::string name, value;
    bool named = false;
    if (commandLine && (w == "--t2" || w == "--eta" || w == "--h2")) {
      if (i + 1 >= words.size()) {
        error = "opcja " + w + " wymaga wartości";
        return false;
      }
      name = w.substr(2);
      value = words[++i];
      named = true;
    } else {
      const std::string prefix = commandLine ? "--" : "";
      for (const char* n : {"t2", "eta", "h2"}) {
        const std::string key = prefix + n + "=";
        if (w.compare(0, key.size(), key) == 0) {
          name = n;
          value = w.substr(key.size());
          named = true;
        }
      }
    }
    if (!named) {
      pos.push_back(w);
      continue;
    }
    if (rq.tryb != Koniec2::Brak) {
      error = "podaj tylko jedno z t2, eta, h2";
      return false;
    }
    rq.tryb = name == "t2" ? Koniec2::T2 : name == "h2" ? Koniec2::H2 : Koniec2::Eta;
    rq.wartosc = value;
  }
  if (pos.size() != 3) {
    error = "oczekiwano: is P1 T1 P2 [" +
            std::string(commandLine ? "--t2 T2 | --eta ETA | --h2 H2" : "t2=T2 | eta=ETA | h2=H2") + "], a podano " +
            std::to_string(pos.size()) + " wartości";
    return false;
  }
  rq.p1 = pos[0];
  rq.t1 = pos[1];
  rq.p2 = pos[2];
  double v = 0;
  if (!ReadNumber(rq.p2, v)) {
    error = "P2 \"" + rq.p2 + "\" nie jest liczbą";
    return false;
  }
  if (rq.tryb != Koniec2::Brak && !ReadNumber(rq.wartosc, v)) {
    error = std::string(rq.tryb == Koniec2::T2   ? "T2"
                        : rq.tryb == Koniec2::H2 ? "H2"
                                                 : "ETA") +
            " \"" + rq.wartosc + "\" nie jest liczbą";
    return false;
  }
  return true;
}

IsResult RunIs(Calculator& calc, const IsRequest& rq, int line) {
  IsResult r;
  r.line = line;
  r.request = rq;
  DaneRozprezania d;
  double v = 0;
  ReadNumber(rq.p2, v);
  d.wylotKPa = static_cast<float>(v);
  d.tryb = rq.tryb;
  if (rq.tryb != Koniec2::Brak) ReadNumber(rq.wartosc, v);
  d.t2 = v;
  d.eta = v;
  d.h2 = v;
  std::optional<double> p1, t1;
  Request pt;
  pt.pair = Pair::PT;
  pt.a = rq.p1;
  pt.b = rq.t1;
  r.wlot = calc.Run(pt, line, [&](KalorimoApp& app) {
    p1 = app.odczytane[pole::P];
    t1 = app.odczytane[pole::T];
    // The inlet only when the pair found one; its refusal is the line's.
    if (!app.stanPT()) return;
    d.wlot = app.stanPT();
    Evaluator ew(app.db.baza);
    r.rozprezanie = Rozpreznij(ew, d);
  });
  if (!r.wlot.ok) {
    r.rozprezanie = Rozprezanie{};  // the inlet's own messages say why
    r.rozprezanie.wylotKPa = d.wylotKPa;
  }
  r.referencja = calc.settings().referenceIf97;
  if (r.referencja) r.if97 = ReferenceForIs(rq, calc.settings().unitIndex, p1, t1);
  // An expansion that cannot be is no good by either model.
  r.ok = r.wlot.ok && r.rozprezanie.ok && !(r.if97 && r.if97->niefizyczne);
  return r;
}

IsResult BadIs(int line, const std::string& text, const std::string& why, bool reference) {
  IsResult r;
  r.line = line;
  r.tekst = text;
  r.skladnia = why;
  r.referencja = reference;
  return r;
}

RozprezanieIF97 ReferenceForIs(const IsRequest& rq, int unitIndex, std::optional<double> p1, std::optional<double> t1) {
  double p2 = 0, v = 0;
  RozprezanieIF97 e;
  if (!p1 || !t1) {
    e.blad = std::string("IF97: ") + (p1 ? "T1" : "P1") + " bez liczby (równania jej nie przyjęły)";
    return e;
  }
  if (!ReadNumber(rq.p2, p2) || (rq.tryb != Koniec2::Brak && !ReadNumber(rq.wartosc, v))) {
    e.blad = "IF97: wartość nie jest liczbą";
    return e;
  }
  const double toMPa = kJednostkiCisnienia[unitIndex >= 0 && unitIndex < kLiczbaJednostek ? unitIndex : 0].mpa;
  return RozpreznijIF97(*p1 * toMPa, *t1, p2 / 1000, rq.tryb, v, v, v);
}

namespace {

std::string Num9d(double v) { return Text9(v, "null"); }

std::string F(float v) { return std::isfinite(v) ? Num9(v) : "null"; }

std::string PunktJson(const Punkt& p) {
  return "{\"p\":" + F(p.p) + ",\"t\":" + F(p.t) + ",\"h\":" + F(p.h) + ",\"s\":" + F(p.s) + ",\"v\":" + F(p.v) +
         ",\"x\":" + F(p.x) + "}";
}

std::string Js(const std::string& s) {
  return nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

const char* const kSilnik = "kalorimo-calc";

std::string Tryb(Koniec2 t) {
  switch (t) {
    case Koniec2::T2:
      return "t2";
    case Koniec2::Eta:
      return "eta";
    case Koniec2::H2:
      return "h2";
    case Koniec2::Brak:
      break;
  }
  return "";
}

// The CSV's number columns of the expansion, in order; with --reference if97 each comes again as
// if97_NAME (IF97's value) and if97_diff_NAME (fits - IF97).
constexpr const char* kKolumny[] = {"p1_MPa", "t1_C", "h1", "s1", "p2s_MPa", "t2s_C", "h2s", "s2s", "x2s",
                                    "p2_MPa", "t2_C", "h2", "s2", "x2",      "dh_s",  "dh",  "eta"};
constexpr int kLiczbaKolumn = 17;
using Wartosci = std::array<double, kLiczbaKolumn>;

void Wpisz(Wartosci& w, int od, double p, double t, double h, double s, double x) {
  const int n = od == 0 ? 4 : 5;  // the inlet has no dryness column
  const double v[5] = {p, t, h, s, x};
  for (int i = 0; i < n; ++i) w[static_cast<std::size_t>(od + i)] = v[i];
}

// Dryness only inside the dome on either side, so a difference of x compares like with like.
Wartosci Fits(const IsResult& r) {
  Wartosci w;
  w.fill(NAN);
  const Rozprezanie& e = r.rozprezanie;
  auto x = [](float v) { return v < 1.0f ? static_cast<double>(v) : NAN; };
  if (r.wlot.ok) Wpisz(w, 0, e.wlot.p, e.wlot.t, e.wlot.h, e.wlot.s, NAN);
  if (e.izentropa) Wpisz(w, 4, e.izentropa->p, e.izentropa->t, e.izentropa->h, e.izentropa->s, x(e.izentropa->x));
  if (e.rzeczywisty) {
    const Punkt& q = *e.rzeczywisty;
    Wpisz(w, 9, q.p, q.t, q.h, q.s, x(q.x));
  }
  if (e.izentropa) w[14] = e.dhs;
  if (e.dh) w[15] = *e.dh;
  if (e.eta) w[16] = *e.eta;
  return w;
}

Wartosci If97(const RozprezanieIF97& e) {
  Wartosci w;
  w.fill(NAN);
  auto pkt = [&](int od, const std::optional<if97::Result>& q) {
    if (q) Wpisz(w, od, q->p, q->t, q->h, q->s, q->region == 4 ? q->x : NAN);
  };
  pkt(0, e.wlot);
  pkt(4, e.izentropa);
  pkt(9, e.rzeczywisty);
  w[14] = e.dhs.value_or(NAN);
  w[15] = e.dh.value_or(NAN);
  w[16] = e.eta.value_or(NAN);
  return w;
}

std::string NumD(double v, int digits) {
  if (!std::isfinite(v)) return "";
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
  return std::string(buf, res.ptr);
}

std::string Num10(double v) { return NumD(v, 10); }

std::string Json10(double v) {
  const std::string s = Num10(v);
  return s.empty() ? "null" : s;
}

std::string PunktIf97Json(const std::optional<if97::Result>& q) {
  if (!q) return "null";
  return "{\"region\":" + std::to_string(q->region) + ",\"p\":" + Json10(q->p) + ",\"t\":" + Json10(q->t) +
         ",\"h\":" + Json10(q->h) + ",\"s\":" + Json10(q->s) + ",\"v\":" + Json10(q->v) +
         ",\"x\":" + Json10(q->region == 4 ? q->x : NAN) + "}";
}

void AppendIf97Json(std::string& out, const IsResult& r) {
  const RozprezanieIF97& e = *r.if97;
  out += ",\"if97\":{\"inlet\":" + PunktIf97Json(e.wlot) + ",\"isentropic\":" + PunktIf97Json(e.izentropa) +
         ",\"actual\":" + PunktIf97Json(e.rzeczywisty) + ",\"dh_s\":" + Json10(e.dhs.value_or(NAN)) +
         ",\"dh\":" + Json10(e.dh.value_or(NAN)) + ",\"eta\":" + Json10(e.eta.value_or(NAN)) +
         (e.niefizyczne ? ",\"unphysical\":true" : ",\"unphysical\":false") + ",\"error\":";
  out += e.ok ? "null" : Js(e.blad);
  // fits - IF97 for every number both sides have; null where either lacks it.
  const Wartosci f = Fits(r), g = If97(e);
  auto d = [&](int i) {
    const std::size_t k = static_cast<std::size_t>(i);
    const std::string v = NumD(f[k] - g[k], 7);
    return v.empty() ? std::string("null") : v;
  };
  auto pkt = [&](int od) {
    const int n = od == 0 ? 4 : 5;
    std::string s = "{";
    const char* nazwy[5] = {"p", "t", "h", "s", "x"};
    for (int i = 0; i < n; ++i) s += std::string(i ? "," : "") + "\"" + nazwy[i] + "\":" + d(od + i);
    return s + "}";
  };
  out += "},\"diff\":{\"inlet\":" + pkt(0) + ",\"isentropic\":" + pkt(4) + ",\"actual\":" + pkt(9) +
         ",\"dh_s\":" + d(14) + ",\"dh\":" + d(15) + ",\"eta\":" + d(16) + "}";
}

}  // namespace

void AppendIsJson(std::string& out, const IsResult& r) {
  const Rozprezanie& e = r.rozprezanie;
  if (!r.skladnia.empty()) {
    out += "{\"line\":" + std::to_string(r.line) + ",\"kind\":\"is\",\"input\":null,\"text\":" + Js(r.tekst) +
           ",\"mode\":null,\"ok\":false,\"unphysical\":false,\"inlet\":null,\"exhaust_kPa\":null,"
           "\"isentropic\":null,\"saturation_2s\":null,\"actual\":null,\"dh_s\":null,\"dh\":null,\"eta\":null,"
           "\"messages\":[{\"title\":\"" +
           kSilnik + "\",\"text\":" + Js(r.skladnia) + "}],\"error\":null";
    if (r.referencja) out += ",\"if97\":null,\"diff\":null";
    out += "}\n";
    return;
  }
  const bool maWlot = r.wlot.ok;
  out += "{\"line\":" + std::to_string(r.line) + ",\"kind\":\"is\",\"input\":[" + Js(r.request.p1) + "," +
         Js(r.request.t1) + "," + Js(r.request.p2) + ",";
  out += r.request.tryb == Koniec2::Brak ? "null" : Js(r.request.wartosc);
  out += "],\"mode\":";
  out += Tryb(r.request.tryb).empty() ? std::string("null") : "\"" + Tryb(r.request.tryb) + "\"";
  out += r.ok ? ",\"ok\":true" : ",\"ok\":false";
  out += e.niefizyczne ? ",\"unphysical\":true" : ",\"unphysical\":false";
  out += ",\"inlet\":" + (maWlot ? PunktJson(e.wlot) : std::string("null"));
  out += ",\"exhaust_kPa\":" + F(e.wylotKPa);
  out += ",\"isentropic\":" + (e.izentropa ? PunktJson(*e.izentropa) : std::string("null"));
  out +=
      ",\"saturation_2s\":" +
      (e.nasycenie2s ? "{\"t\":" + F(e.nasycenie2s->t) + ",\"p\":" + F(e.nasycenie2s->p) + "}" : std::string("null"));
  out += ",\"actual\":" + (e.rzeczywisty ? PunktJson(*e.rzeczywisty) : std::string("null"));
  out += ",\"dh_s\":" + (e.izentropa ? Num9d(e.dhs) : std::string("null"));
  out += ",\"dh\":" + (e.dh ? Num9d(*e.dh) : std::string("null"));
  out += ",\"eta\":" + (e.eta ? Num9d(*e.eta) : std::string("null"));
  out += ",\"messages\":[";
  bool first = true;
  for (const Message& m : r.wlot.messages) {
    out += (first ? "" : ",") + std::string("{\"title\":") + Js(m.title) + ",\"text\":" + Js(m.text) + "}";
    first = false;
  }
  if (!e.komunikat.empty()) {
    out += (first ? "" : ",") + std::string("{\"title\":\"") + kSilnik + "\",\"text\":" + Js(e.komunikat) + "}";
  }
  out += "],\"error\":";
  if (r.wlot.error) {
    out += "{\"number\":" + std::to_string(r.wlot.error->number) + ",\"description\":" + Js(r.wlot.error->description) +
           "}";
  } else {
    out += "null";
  }
  if (r.if97) {
    AppendIf97Json(out, r);
  } else if (r.referencja) {
    out += ",\"if97\":null,\"diff\":null";
  }
  out += "}\n";
}

void AppendIsCsvHeader(std::string& out, bool reference) {
  out +=
      "line,kind,P1,T1,P2_kPa,mode,value,p1_MPa,t1_C,h1,s1,p2s_MPa,t2s_C,h2s,s2s,x2s,p2_MPa,t2_C,h2,s2,x2,dh_s,dh,eta,"
      "ok,message";
  if (reference) {
    for (const char* k : kKolumny) out += std::string(",if97_") + k;
    out += ",if97_error";
    for (const char* k : kKolumny) out += std::string(",if97_diff_") + k;
  }
  out += '\n';
}

void AppendIsCsv(std::string& out, const IsResult& r) {
  const Rozprezanie& e = r.rozprezanie;
  auto pole = [](const std::string& s) {
    std::string f;
    CsvText(f, s);
    return f;
  };
  if (!r.skladnia.empty()) {
    // The line's text stands in P1; every number column is empty.
    out += std::to_string(r.line) + ",is," + pole(r.tekst) + std::string(5 + kLiczbaKolumn, ',') + "false," +
           pole(r.skladnia);
    if (r.referencja) out += std::string(2 * kLiczbaKolumn + 1, ',');
    out += "\n";
    return;
  }
  auto num = [](float v) { return std::isfinite(v) ? Num9(v) : std::string(); };
  out +=
      std::to_string(r.line) + ",is," + pole(r.request.p1) + "," + pole(r.request.t1) + "," + pole(r.request.p2) + ",";
  out += Tryb(r.request.tryb);
  out += "," + pole(r.request.wartosc);
  if (r.wlot.ok) {
    out += "," + num(e.wlot.p) + "," + num(e.wlot.t) + "," + num(e.wlot.h) + "," + num(e.wlot.s);
  } else {
    out += ",,,,";
  }
  if (e.izentropa) {
    const Punkt& p = *e.izentropa;
    out += "," + num(p.p) + "," + num(p.t) + "," + num(p.h) + "," + num(p.s) + "," + num(p.x);
  } else {
    out += ",,,,,";
  }
  if (e.rzeczywisty) {
    const Punkt& p = *e.rzeczywisty;
    out += "," + num(p.p) + "," + num(p.t) + "," + num(p.h) + "," + num(p.s) + "," + num(p.x);
  } else {
    out += ",,,,,";
  }
  out +=
      "," + (e.izentropa ? Num9d(e.dhs) : "") + "," + (e.dh ? Num9d(*e.dh) : "") + "," + (e.eta ? Num9d(*e.eta) : "");
  out += r.ok ? ",true," : ",false,";
  std::string m;
  for (const Message& msg : r.wlot.messages) m += (m.empty() ? "" : " | ") + ("[" + msg.title + "] " + msg.text);
  if (!e.komunikat.empty()) m += (m.empty() ? "" : " | ") + e.komunikat;
  out += pole(m);
  if (r.if97) {
    const Wartosci f = Fits(r), g = If97(*r.if97);
    for (double v : g) out += "," + Num10(v);
    out += "," + pole(r.if97->blad);
    for (std::size_t i = 0; i < f.size(); ++i) out += "," + NumD(f[i] - g[i], 7);
  }
  out += "\n";
}

void AppendIsText(std::string& out, const IsResult& r, const Settings& s) {
  const Rozprezanie& e = r.rozprezanie;
  const char sep = s.decimalSep;
  if (!r.skladnia.empty()) {
    out += "[" + std::to_string(r.line) + "] " + r.tekst + "\n  ! " + r.skladnia + "\n\n";
    return;
  }
  out += "[" + std::to_string(r.line) + "] is  " + r.request.p1 + " " + UnitName(s.unitIndex) + "  " + r.request.t1 +
         " °C  -> " + r.request.p2 + " kPa";
  if (r.request.tryb == Koniec2::T2) out += "  t2 = " + r.request.wartosc + " °C";
  if (r.request.tryb == Koniec2::Eta) out += "  ηi = " + r.request.wartosc;
  if (r.request.tryb == Koniec2::H2) out += "  h2 = " + r.request.wartosc + " kJ/kg";
  out += r.ok ? "\n" : "  (błąd)\n";
  auto wiersz = [&](const char* nazwa, const Punkt& p) {
    char buf[200];
    std::snprintf(buf, sizeof buf, "  %-4s p %s MPa  t %s °C  h %s kJ/kg  s %s kJ/(kg K)  v %s m3/kg  %s\n", nazwa,
                  kal::Format(p.p, "#0.0###", sep).c_str(), kal::Format(p.t, "##0.0", sep).c_str(),
                  kal::Format(p.h, "# ##0.0", sep).c_str(), kal::Format(p.s, "0.0000", sep).c_str(),
                  kal::Format(p.v, "#0.0000", sep).c_str(),
                  (p.x < 1 ? "x " + SuchoscTekst(p.x, sep) : SuchoscTekst(p.x, sep).substr(1)).c_str());
    out += buf;
  };
  // With --reference if97 each point has an IF97 row under it and each drop a second column.
  const RozprezanieIF97* g = r.if97 ? &*r.if97 : nullptr;
  auto wierszIf97 = [&](const std::optional<if97::Result>& q) {
    if (!g || !q) return;
    Punkt k;
    k.p = static_cast<float>(q->p), k.t = static_cast<float>(q->t), k.h = static_cast<float>(q->h);
    k.s = static_cast<float>(q->s), k.v = static_cast<float>(q->v);
    k.x = q->region == 4 ? static_cast<float>(q->x) : 2.0f;  // single phase shows as the fits' " x > 1 "
    wiersz("IF97", k);
  };
  if (g) out += g->ok ? "  IAPWS-IF97: wiersze IF97 i druga kolumna\n" : "  " + g->blad + "\n";
  if (r.wlot.ok) wiersz("1", e.wlot);
  if (g) wierszIf97(g->wlot);
  if (e.izentropa) wiersz("2s", *e.izentropa);
  if (e.nasycenie2s) out += "       " + Nasycenie2sTekst(*e.nasycenie2s, sep) + "\n";
  if (g) wierszIf97(g->izentropa);
  if (e.rzeczywisty) wiersz("2", *e.rzeczywisty);
  if (g) wierszIf97(g->rzeczywisty);
  auto spadek = [&](const char* nazwa, double v, const std::optional<double>& w, double k, const char* wzor,
                    const char* jedn) {
    std::string l = std::string("  ") + nazwa + LiczbaIS(v * k, wzor, sep) + " " + jedn;
    if (g && w) {
      l.resize(std::max<std::size_t>(l.size(), 30), ' ');
      l += "IF97 " + LiczbaIS(*w * k, wzor, sep) + " " + jedn + "   różnica " + LiczbaIS((v - *w) * k, wzor, sep) +
           " " + jedn;
    }
    out += l + "\n";
  };
  if (e.izentropa) spadek("Δhs = ", e.dhs, g ? g->dhs : std::nullopt, 1, "# ##0.0", "kJ/kg");
  if (e.dh) spadek("Δh  = ", *e.dh, g ? g->dh : std::nullopt, 1, "# ##0.0", "kJ/kg");
  if (e.eta) spadek("ηi  = ", *e.eta, g ? g->eta : std::nullopt, 100, "##0.00", "%");
  for (const Message& m : r.wlot.messages) out += "  ! [" + m.title + "] " + m.text + "\n";
  if (r.wlot.error) out += "  ! błąd wykonania nr " + std::to_string(r.wlot.error->number) + "\n";
  if (!e.komunikat.empty()) out += "  ! " + e.komunikat + "\n";
  out += '\n';
}

}  // namespace kal::cli
