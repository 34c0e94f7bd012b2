#include "cli/output.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>

#include "cli/cli_options.h"
#include "cli/reference.h"
#include "common/decimal_digits.h"

namespace kal::cli {

namespace {

// Whether a text goes out between quotes as it stands: ASCII without controls, quotes, backslashes.
bool Plain(const std::string& s) {
  for (unsigned char c : s) {
    if (c < 0x20 || c >= 0x80 || c == '"' || c == '\\') return false;
  }
  return true;
}

// JSON string literal; bytes that are no UTF-8 become U+FFFD instead of failing. Plain ASCII
// (the boxes' numbers) needs no escaping and skips the library's detour through a json value.
void Str(std::string& out, const std::string& s) {
  if (!Plain(s)) {
    out += nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return;
  }
  out += '"';
  out.append(s.data(), s.size());
  out += '"';
}

template <std::size_t N>
void StrArray(std::string& out, const std::array<std::string, N>& a) {
  // The boxes' texts are short and plain: written to one buffer, appended at once.
  char buf[512];
  char* p = buf;
  for (std::size_t i = 0; i < N; ++i) {
    const std::string& s = a[i];
    if (s.size() > 32 || !Plain(s)) {
      p = nullptr;
      break;
    }
    *p++ = i ? ',' : '[';
    *p++ = '"';
    s.copy(p, s.size());
    p += s.size();
    *p++ = '"';
  }
  if (p != nullptr) {
    *p++ = ']';
    out.append(buf, static_cast<std::size_t>(p - buf));
    return;
  }
  out += '[';
  for (std::size_t i = 0; i < N; ++i) {
    if (i) out += ',';
    Str(out, a[i]);
  }
  out += ']';
}

// A member's key as it stands in the state object ("{\"pPary\":", ",\"h1\":"), padded to a
// fixed size so that it is copied in one move.
struct Klucz {
  char text[16] = {};
  std::size_t len = 0;
  constexpr Klucz(const char* name, bool first) {
    text[len++] = first ? '{' : ',';
    text[len++] = '"';
    while (*name) text[len++] = *name++;
    text[len++] = '"';
    text[len++] = ':';
  }
};

// The state object: every member written to one buffer, appended at once.
void AppendState(std::string& out, const SteamState& st) {
  static constexpr Klucz kKlucze[18] = {
      {"pPary", true},  {"pParyWe", false},  {"tPary", false}, {"hPary", false}, {"sPary", false}, {"vPary", false},
      {"xPary", false}, {"tNasPary", false}, {"ob1", false},   {"h1", false},    {"s1", false},    {"ob2", false},
      {"h2", false},    {"s2", false},       {"obx", false},   {"hx", false},    {"sx", false},    {"pIter", false}};
  const float values[18] = {st.pPary, st.pParyWe,  st.tPary, st.hPary, st.sPary, st.vPary,
                            st.xPary, st.tNasPary, st.ob1,   st.h1,    st.s1,    st.ob2,
                            st.h2,    st.s2,       st.obx,   st.hx,    st.sx,    st.pIter};
  char buf[18 * (16 + 32) + 1];
  char* p = buf;
  for (int i = 0; i < 18; ++i) {
    std::memcpy(p, kKlucze[i].text, sizeof kKlucze[i].text);
    p += kKlucze[i].len;
    if (std::isfinite(values[i])) {
      p = detail::PrintfG9(values[i], p);
    } else {
      std::memcpy(p, "null", 4);
      p += 4;
    }
  }
  *p++ = '}';
  out.append(buf, static_cast<std::size_t>(p - buf));
}

// Every message on one line for CSV and text: CR LF becomes " / ".
std::string OneLine(const std::string& s) {
  std::string t;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      t += " / ";
      ++i;
    } else if (s[i] == '\r' || s[i] == '\n') {
      t += " / ";
    } else {
      t += s[i];
    }
  }
  return t;
}

const char* const kPominiety = "wynik pominięty: rozwiązanie odrzuciło dane (Blad), okienka wyników puste";

std::string Messages(const LineResult& r) {
  std::string m = r.parsed ? "" : r.syntax;
  if (r.skipped) m = kPominiety;
  for (const Message& msg : r.messages) {
    if (!m.empty()) m += " | ";
    m += "[" + msg.title + "] " + OneLine(msg.text);
  }
  return m;
}

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Pads to a width counted in characters, not bytes (Polish letters are two bytes).
std::string Pad(const std::string& s, std::size_t width) {
  std::size_t chars = 0;
  for (unsigned char c : s) chars += (c & 0xC0) != 0x80;
  return chars >= width ? s : s + std::string(width - chars, ' ');
}

}  // namespace

void CsvField(std::string& out, const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) {
    out += s;
    return;
  }
  out += '"';
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// A number as the boxes take it: sign, digits (blanks between them), one separator, exponent.
bool LooksNumeric(const std::string& s) {
  std::size_t i = s.find_first_not_of(' '), n = s.find_last_not_of(' ') + 1;
  if (i == std::string::npos) return false;
  if (s[i] == '+' || s[i] == '-') ++i;
  bool digit = false, sep = false;
  for (; i < n; ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if ((c == ',' || c == '.') && !sep) {
      sep = true;
    } else if (c == ' ' && digit) {
    } else {
      break;
    }
  }
  if (i < n && digit && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t exp = i;
    while (i < n && s[i] >= '0' && s[i] <= '9') ++i;
    if (i == exp) return false;
  }
  return digit && i == n;
}

// A typed or message text: a spreadsheet takes a cell that starts with = + - @ or a tab for a
// formula, so such a text (never a number) gets an apostrophe in front.
void CsvText(std::string& out, const std::string& s) {
  const bool formula = !s.empty() && std::string("=+-@\t\r").find(s[0]) != std::string::npos && !LooksNumeric(s);
  CsvField(out, formula ? "'" + s : s);
}

std::string Num9(float value) { return detail::PrintfG9(value); }

std::string BoxNumber(const std::string& text, char decimalSep) {
  std::string t;
  for (char c : text) {
    if (c == ' ') continue;
    if (c == '.' || c == ',') {
      if (c != decimalSep) return "";  // the other separator never is one in the window's texts
      c = '.';
    }
    t += c;
  }
  if (!t.empty() && t.back() == 'E') t.pop_back();
  if (t.empty() || t.find_first_not_of("+-.0123456789") != std::string::npos) return "";
  char* end = nullptr;
  std::strtod(t.c_str(), &end);
  return *end == '\0' ? t : "";
}

void AppendJson(std::string& out, const LineResult& r, const Settings& s) {
  out += "{\"line\":";
  out += std::to_string(r.line);
  out += ",\"pair\":";
  if (r.parsed) {
    Str(out, r.pairName);
    out += ",\"input\":[";
    Str(out, r.a);
    out += ',';
    Str(out, r.b);
    out += ']';
  } else {
    out += "null,\"input\":null,\"text\":";
    Str(out, r.a);
  }
  out += ",\"unit\":";
  Str(out, r.parsed ? r.unitShown : std::string(UnitName(s.unitIndex)));
  out += r.ok ? ",\"ok\":true" : ",\"ok\":false";
  if (r.parsed) {
    out += ",\"boxes\":";
    StrArray(out, r.boxes);
    out += ",\"wet\":";
    if (r.wet) {
      StrArray(out, *r.wet);
    } else {
      out += "null";
    }
    const SteamState& st = r.state;
    out += ",\"state\":";
    AppendState(out, r.state);
    out += ",\"Blad\":";
    out += std::to_string(st.Blad);
    out += r.skipped ? ",\"skipped\":true" : ",\"skipped\":false";
  } else {
    out += ",\"boxes\":null,\"wet\":null,\"state\":null,\"Blad\":null,\"skipped\":false";
  }
  out += ",\"messages\":[";
  bool first = true;
  if (!r.parsed) {
    out += "{\"title\":\"kalorimo-calc\",\"text\":";
    Str(out, r.syntax);
    out += '}';
    first = false;
  }
  for (const Message& m : r.messages) {
    if (!first) out += ',';
    first = false;
    out += "{\"title\":";
    Str(out, m.title);
    out += ",\"text\":";
    Str(out, m.text);
    out += '}';
  }
  out += "],\"error\":";
  if (r.error) {
    out += "{\"number\":" + std::to_string(r.error->number) + ",\"description\":";
    Str(out, r.error->description);
    out += '}';
  } else {
    out += "null";
  }
  if (s.referenceIf97) AppendJsonReference(out, r, s);
  out += "}\n";
}

void AppendCsvHeader(std::string& out, bool reference) {
  out += "line,pair,A,B,p_MPa,t_C,h_kJ_kg,s_kJ_kgK,v_m3_kg,x,ts_C,r_kJ_kg,mu_Pa_s,nu_m2_s,ok,message";
  if (reference) AppendCsvReferenceHeader(out);
  out += '\n';
}

void AppendCsv(std::string& out, const LineResult& r, const Settings& s) {
  out += std::to_string(r.line) + ',';
  CsvField(out, r.parsed ? r.pairName : "");
  out += ',';
  CsvText(out, r.a);
  out += ',';
  CsvText(out, r.b);
  if (r.ok) {
    const char sep = s.decimalSep;
    auto box = [&](int i) { return BoxNumber(r.boxes[i], sep); };
    auto visc = [&](int i) {
      std::string n = box(i);
      return n.empty() ? n : n + "e-5";  // the boxes show the viscosities times 10^5
    };
    out += ',' + Num9(r.state.pParyWe) + ',' + box(1) + ',' + box(2) + ',' + box(3) + ',' + box(5) + ',' +
           Num9(r.state.xPary) + ',' + Num9(r.state.tNasPary) + ',' + (r.heatRowVisible ? box(8) : "") + ',' + visc(6) +
           ',' + visc(7) + ",true,";
  } else {
    out += ",,,,,,,,,,,false,";
  }
  CsvText(out, Messages(r));
  if (s.referenceIf97) AppendCsvReference(out, r, s);
  out += '\n';
}

void AppendText(std::string& out, const LineResult& r, const Settings& s) {
  if (!r.parsed) {
    out += "[" + std::to_string(r.line) + "] " + r.a + "\n  ! " + r.syntax + "\n\n";
    return;
  }
  out += "[" + std::to_string(r.line) + "] " + r.pairName + "  " + r.a + "  " + r.b + (r.ok ? "" : "  (błąd)") + "\n";
  struct Row {
    const char* label;
    int box;
    std::string unit;
  };
  const Row rows[] = {{"Ciśnienie", 0, r.unitShown},
                      {"Temperatura", 1, "°C"},
                      {"Entalpia", 2, "kJ/kg"},
                      {"Entropia", 3, "kJ/(kg K)"},
                      {"Stopień suchości", 4, "-"},
                      {"Objętość właściwa", 5, "m3/kg"},
                      {"Lepkość dynamiczna", 6, "*10^(-5) Pa*s"},
                      {"Lepkość kinematyczna", 7, "*10^(-5) m2/s"},
                      {"Ciepło parowania", 8, "kJ/kg"}};
  if (s.referenceIf97) out += TextReferenceHeader(r);
  for (const Row& row : rows) {
    if (row.box == 8 && !r.heatRowVisible) continue;
    std::string v = Trim(r.boxes[row.box]);
    const std::string unit = row.box == 4 && v.find('x') != std::string::npos ? "" : row.unit;
    std::string line = "  " + Pad(row.label, 22) + Pad(v, 12) + " " + unit;
    // With --reference if97 the IF97 value and its unit follow in a second column.
    if (s.referenceIf97) line = Pad(line, 54) + TextReferenceCell(r, row.box);
    out += line;
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += '\n';
  }
  if (r.wet) out += "  (otwarte okno \"Para mokra\")\n";
  for (const Message& m : r.messages) out += "  ! [" + m.title + "] " + OneLine(m.text) + "\n";
  if (r.error) out += "  ! błąd wykonania nr " + std::to_string(r.error->number) + ": " + r.error->description + "\n";
  if (r.state.Blad) out += "  ! Blad = " + std::to_string(r.state.Blad) + "\n";
  if (r.skipped) out += std::string("  ! ") + kPominiety + "\n";
  out += '\n';
}

}  // namespace kal::cli
