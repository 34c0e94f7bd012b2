#include "cli/reference.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "cli/calc.h"
#include "cli/output.h"
#include "common/jednostki.h"

namespace kal::cli {

namespace {

// Shortest text that reads back to within `digits` significant digits; "null" (JSON) or "" (CSV) for
// a value that does not exist.
std::string Num(double v, int digits) {
  if (!std::isfinite(v)) return "";
  char buf[40];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
  return std::string(buf, res.ptr);
}

std::string JsonNum(double v, int digits) {
  std::string s = Num(v, digits);
  return s.empty() ? "null" : s;
}

// The fits' value of a quantity, NaN when the line has none.
double Fits(const LineResult& r, const Settings& s, int q) {
  if (!r.ok) return NAN;
  switch (q) {
    case 0:
      return r.state.pParyWe;
    case 1:
      return r.state.tPary;
    case 2:
      return r.state.hPary;
    case 3:
      return r.state.sPary;
    case 4:
      return r.state.vPary;
    default: {
      // The box shows the dynamic viscosity times 10^5.
      const std::string n = BoxNumber(r.boxes[6], s.decimalSep);
      return n.empty() ? NAN : std::strtod(n.c_str(), nullptr) * 1e-5;
    }
  }
}

double If97Value(const if97::Result& f, int q) {
  if (!f.ok()) return NAN;
  switch (q) {
    case 0:
      return f.p;
    case 1:
      return f.t;
    case 2:
      return f.h;
    case 3:
      return f.s;
    case 4:
      return f.v;
    default:
      return f.mu;  // NaN inside the dome: printed as null / blank
  }
}

constexpr const char* kDiffNames[6] = {"p", "t", "h", "s", "v", "mu"};
constexpr const char* kDiffColumns =
    "if97_diff_p_MPa,if97_diff_t_C,if97_diff_h_kJ_kg,if97_diff_s_kJ_kgK,"
    "if97_diff_v_m3_kg,if97_diff_mu_Pa_s";

double Diff(const LineResult& r, const Settings& s, int q) {
  return r.if97 ? Fits(r, s, q) - If97Value(*r.if97, q) : NAN;  // NaN on either side stays NaN
}

}  // namespace

if97::Result ReferenceFor(const Request& request, const LineResult& fits, int unitIndex) {
  if (!fits.taken[0] || !fits.taken[1]) {
    if97::Result r;
    r.error = if97::Error::kOutOfRange;
    r.reason = "równania nie przyjęły wartości: IF97 nie liczy";
    return r;
  }
  double a = *fits.taken[0], b = *fits.taken[1];
  const PairInfo& info = Info(request.pair);
  const double toMPa = kJednostkiCisnienia[unitIndex >= 0 && unitIndex < kLiczbaJednostek ? unitIndex : 0].mpa;
  if (info.checkA == 0) a *= toMPa;
  if (info.checkB == 0) b *= toMPa;
  switch (request.pair) {
    case Pair::PT:
      return if97::FromPT(a, b);
    case Pair::PH:
      return if97::FromPH(a, b);
    case Pair::TH:
      return if97::FromTH(a, b);
    case Pair::XT:
      return if97::FromXT(a, b);
    case Pair::XP:
      return if97::FromXP(a, b);
    case Pair::PS:
      return if97::FromPS(a, b);
    case Pair::TS:
      return if97::FromTS(a, b);
    case Pair::HS:
      return if97::FromHS(a, b);
  }
  return if97::FromPT(a, b);
}

void AppendJsonReference(std::string& out, const LineResult& r, const Settings& s) {
  if (!r.if97) {
    out += ",\"if97\":null,\"diff\":null";
    return;
  }
  const if97::Result& f = *r.if97;
  out += ",\"if97\":{\"region\":";
  out += f.ok() ? std::to_string(f.region) : "null";
  out += ",\"p\":" + JsonNum(If97Value(f, 0), 10);
  out += ",\"t\":" + JsonNum(If97Value(f, 1), 10);
  out += ",\"h\":" + JsonNum(If97Value(f, 2), 10);
  out += ",\"s\":" + JsonNum(If97Value(f, 3), 10);
  out += ",\"v\":" + JsonNum(If97Value(f, 4), 10);
  out += ",\"x\":" + JsonNum(f.ok() && f.region == 4 ? f.x : NAN, 10);
  out += ",\"mu\":" + JsonNum(If97Value(f, 5), 10);
  out += ",\"dp\":" + JsonNum(f.ok() && f.dp > 0 ? f.dp : NAN, 3);
  out += ",\"error\":";
  if (f.ok()) {
    out += "null";
  } else {
    out += '"';
    out += f.reason;  // static Polish texts without quotes or backslashes
    out += '"';
  }
  out += "},\"diff\":{";
  for (int q = 0; q < 6; ++q) {
    if (q) out += ',';
    out += '"';
    out += kDiffNames[q];
    out += "\":" + JsonNum(Diff(r, s, q), 7);
  }
  out += '}';
}

void AppendCsvReferenceHeader(std::string& out) {
  out += ",if97_region,if97_p_MPa,if97_t_C,if97_h_kJ_kg,if97_s_kJ_kgK,if97_v_m3_kg,if97_x,if97_mu_Pa_s,if97_error,";
  out += kDiffColumns;
}

void AppendCsvReference(std::string& out, const LineResult& r, const Settings& s) {
  if (!r.if97) {
    out += ",,,,,,,,,,,,,,,";
    return;
  }
  const if97::Result& f = *r.if97;
  out += ',' + (f.ok() ? std::to_string(f.region) : std::string());
  for (int q = 0; q < 5; ++q) {
    out += ',' + Num(If97Value(f, q), 10);
    if (q == 4) out += ',' + Num(f.ok() && f.region == 4 ? f.x : NAN, 10);
  }
  out += ',' + Num(If97Value(f, 5), 10) + ',';
  if (!f.ok()) out += f.reason;  // no comma, quote or line break in these texts
  for (int q = 0; q < 6; ++q) out += ',' + Num(Diff(r, s, q), 7);
}

std::string TextReferenceHeader(const LineResult& r) {
  if (!r.if97) return "";
  if (!r.if97->ok()) return std::string("  IAPWS-IF97: ") + r.if97->reason + "\n";
  return "  IAPWS-IF97 (druga kolumna, ciśnienie w MPa): obszar " + std::to_string(r.if97->region) + "\n";
}

std::string TextReferenceCell(const LineResult& r, int box) {
  if (!r.if97 || !r.if97->ok()) return "";
  const if97::Result& f = *r.if97;
  switch (box) {
    case 0:
      return Num(f.p, 7) + " MPa";
    case 1:
      return Num(f.t, 7) + " °C";
    case 2:
      return Num(f.h, 7) + " kJ/kg";
    case 3:
      return Num(f.s, 7) + " kJ/(kg K)";
    case 4:
      return f.region == 4 ? Num(f.x, 7) + " -" : "";
    case 5:
      return Num(f.v, 7) + " m3/kg";
    case 6:
      return std::isfinite(f.mu) ? Num(f.mu * 1e5, 7) + " *10^(-5) Pa*s" : "";
    default:
      return "";
  }
}

}  // namespace kal::cli
