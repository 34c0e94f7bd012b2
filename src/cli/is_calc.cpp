#include "cli/is_calc.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/kalorimo_app.h"
#include "cli/cli_options.h"
#include "cli/output.h"
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
    if (commandLine && (w == "--t2" || w == "--eta")) {
      if (i + 1 >= words.size()) {
        error = "opcja " + w + " wymaga wartości";
        return false;
      }
      name = w.substr(2);
      value = words[++i];
      named = true;
    } else {
      const std::string prefix = commandLine ? "--" : "";
      for (const char* n : {"t2", "eta"}) {
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
      error = "podaj t2 albo eta, nie oba";
      return false;
    }
    rq.tryb = name == "t2" ? Koniec2::T2 : Koniec2::Eta;
    rq.wartosc = value;
  }
  if (pos.size() != 3) {
    error = "oczekiwano: is P1 T1 P2 [" + std::string(commandLine ? "--t2 T2 | --eta ETA" : "t2=T2 | eta=ETA") +
            "], a podano " + std::to_string(pos.size()) + " wartości";
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
    error = std::string(rq.tryb == Koniec2::T2 ? "T2" : "ETA") + " \"" + rq.wartosc + "\" nie jest liczbą";
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
  Request pt;
  pt.pair = Pair::PT;
  pt.a = rq.p1;
  pt.b = rq.t1;
  r.wlot = calc.Run(pt, line, [&](KalorimoApp& app) {
    // The inlet only when the pair found one; its refusal is the line's.
    if (!app.stanPT()) return;
    d.wlot = app.stanPT();
    Evaluator ew(app.db.baza);
    r.rozprezanie = Rozpreznij(ew, d);
  });
  if (!r.wlot.ok) r.rozprezanie = Rozprezanie{};  // the inlet's own messages say why
  r.ok = r.wlot.ok && r.rozprezanie.ok;
  return r;
}

namespace {

std::string Num9d(double v) {
  if (!std::isfinite(v)) return "null";
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 9);
  return std::string(buf, res.ptr);
}

std::string F(float v) { return std::isfinite(v) ? Num9(v) : "null"; }

std::string PunktJson(const Punkt& p) {
  return "{\"p\":" + F(p.p) + ",\"t\":" + F(p.t) + ",\"h\":" + F(p.h) + ",\"s\":" + F(p.s) + ",\"v\":" + F(p.v) +
         ",\"x\":" + F(p.x) + "}";
}

std::string Js(const std::string& s) {
  return nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

const char* const kSilnik = "kalorimo-calc";

}  // namespace

void AppendIsJson(std::string& out, const IsResult& r) {
  const Rozprezanie& e = r.rozprezanie;
  const bool maWlot = r.wlot.ok;
  out += "{\"line\":" + std::to_string(r.line) + ",\"kind\":\"is\",\"input\":[" + Js(r.request.p1) + "," +
         Js(r.request.t1) + "," + Js(r.request.p2) + ",";
  out += r.request.tryb == Koniec2::Brak ? "null" : Js(r.request.wartosc);
  out += "],\"mode\":";
  out += r.request.tryb == Koniec2::T2 ? "\"t2\"" : r.request.tryb == Koniec2::Eta ? "\"eta\"" : "null";
  out += r.ok ? ",\"ok\":true" : ",\"ok\":false";
  out += ",\"inlet\":" + (maWlot ? PunktJson(e.wlot) : std::string("null"));
  out += ",\"exhaust_kPa\":" + F(e.wylotKPa);
  out += ",\"isentropic\":" + (e.izentropa ? PunktJson(*e.izentropa) : std::string("null"));
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
  out += "}\n";
}

void AppendIsCsvHeader(std::string& out) {
  out +=
      "line,kind,P1,T1,P2_kPa,mode,value,p1_MPa,t1_C,h1,s1,p2s_MPa,t2s_C,h2s,s2s,x2s,p2_MPa,t2_C,h2,s2,x2,dh_s,dh,eta,"
      "ok,message\n";
}

void AppendIsCsv(std::string& out, const IsResult& r) {
  const Rozprezanie& e = r.rozprezanie;
  auto pole = [](const std::string& s) {
    std::string f;
    CsvText(f, s);
    return f;
  };
  auto num = [](float v) { return std::isfinite(v) ? Num9(v) : std::string(); };
  out +=
      std::to_string(r.line) + ",is," + pole(r.request.p1) + "," + pole(r.request.t1) + "," + pole(r.request.p2) + ",";
  out += r.request.tryb == Koniec2::T2 ? "t2" : r.request.tryb == Koniec2::Eta ? "eta" : "";
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
  out += pole(m) + "\n";
}

void AppendIsText(std::string& out, const IsResult& r, const Settings& s) {
  const Rozprezanie& e = r.rozprezanie;
  const char sep = s.decimalSep;
  out += "[" + std::to_string(r.line) + "] is  " + r.request.p1 + " " + UnitName(s.unitIndex) + "  " + r.request.t1 +
         " °C  -> " + r.request.p2 + " kPa";
  if (r.request.tryb == Koniec2::T2) out += "  t2 = " + r.request.wartosc + " °C";
  if (r.request.tryb == Koniec2::Eta) out += "  ηi = " + r.request.wartosc;
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
  if (r.wlot.ok) wiersz("1", e.wlot);
  if (e.izentropa) wiersz("2s", *e.izentropa);
  if (e.rzeczywisty) wiersz("2", *e.rzeczywisty);
  if (e.izentropa) out += "  Δhs = " + kal::Format(e.dhs, "# ##0.0", sep) + " kJ/kg\n";
  if (e.dh) out += "  Δh  = " + kal::Format(*e.dh, "# ##0.0", sep) + " kJ/kg\n";
  if (e.eta) out += "  ηi  = " + kal::Format(*e.eta * 100, "##0.00", sep) + " %\n";
  for (const Message& m : r.wlot.messages) out += "  ! [" + m.title + "] " + m.text + "\n";
  if (r.wlot.error) out += "  ! błąd wykonania nr " + std::to_string(r.wlot.error->number) + "\n";
  if (!e.komunikat.empty()) out += "  ! " + e.komunikat + "\n";
  out += '\n';
}

}  // namespace kal::cli
