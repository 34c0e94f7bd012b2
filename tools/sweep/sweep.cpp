// Property sweep: drawing the cases, checking each end, counting the figures.
#include "sweep/sweep.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "cli/cli_options.h"
#include "common/errors.h"
#include "common/jednostki.h"
#include "steam/evaluator.h"

namespace kal::cli {

namespace {

// No finite single, whatever its pattern, needs more than 39 digits, 13 thousand blanks, a sign
// and a few decimals: a wider box holds a text that is no number of the model.
constexpr std::size_t kMaxWidth = 60;
// A sound state of water needs far less: a pressure in kPa near the critical point with its
// thousand group is 6 characters, an enthalpy "4 149,9" 7. A wider box holds a finite but
// implausible value (a temperature of 10^9 C given to a pair without a range check).
constexpr std::size_t kPlausibleWidth = 16;

std::string Lower(const std::string& s) {
  std::string t = s;
  for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return t;
}

// "nan" or "inf" as a number's text; the words of the titles ("Info programu") do not count.
bool NonFiniteText(const std::string& text) {
  std::string t = Lower(text);
  for (std::size_t at; (at = t.find("info")) != std::string::npos;) t.erase(at, 4);
  return t.find("nan") != std::string::npos || t.find("inf") != std::string::npos;
}

// The text of "box N" or "wet box N".
std::string BoxText(const LineResult& r, const std::string& which) {
  bool wet = which.compare(0, 4, "wet ") == 0;
  int i = std::atoi(which.c_str() + which.rfind(' ') + 1);
  return wet ? (*r.wet)[static_cast<std::size_t>(i)] : r.boxes[static_cast<std::size_t>(i)];
}

std::string BoxFault(const std::string& where, const std::string& text) {
  if (NonFiniteText(text)) return where + " shows \"" + text + "\"";
  if (text.size() > kMaxWidth) return where + " is " + std::to_string(text.size()) + " wide: \"" + text + "\"";
  return "";
}

}  // namespace

// Saturation line and saturated properties of the default coefficients, for values drawn on
// and around the wet/superheated boundaries.
struct SweepDraw::Curves {
  Evaluator eval;
  ModKalorimo* lib = &eval.lib();
  // Saturation temperature of a pressure inside the series' range.
  double Ts(double p) {
    try {
      return lib->Tnas(p);
    } catch (const RunTimeError&) {
      return 100;
    }
  }
  // h', h'' (which = 1, 2) or s', s'' (which = 3, 4) at the saturation temperature of p.
  double Saturated(double p, int which) {
    try {
      double t = lib->Tnas(p);
      switch (which) {
        case 1:
          return lib->H1t(t);
        case 2:
          return lib->H2t(t);
        case 3:
          return lib->S1t(t);
        default:
          return lib->S2t(t);
      }
    } catch (const RunTimeError&) {
      return which <= 2 ? 2000 : 6;
    }
  }
  // h (which = 2) or s (3) of the state (p, t); false when the solver rejects it.
  bool State(double p, double t, int which, double& out) {
    try {
      lib->st = SteamState{};
      lib->Dane_T_P(p, t, 0);
      if (lib->st.Blad != 0) return false;
      out = which == 2 ? lib->st.hPary : lib->st.sPary;
      return std::isfinite(out);
    } catch (const RunTimeError&) {
      return false;
    }
  }
};

SweepDraw::SweepDraw(std::uint64_t seed) : state_(seed), curves_(new Curves) {}
SweepDraw::~SweepDraw() { delete curves_; }

// splitmix64: small, fast and the same everywhere.
std::uint64_t SweepDraw::Bits() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double SweepDraw::Uniform(double lo, double hi) {
  return lo + (hi - lo) * static_cast<double>(Bits() >> 11) * 0x1.0p-53;
}

int SweepDraw::Below(int n) { return static_cast<int>(Bits() % static_cast<std::uint64_t>(n)); }

namespace {

template <std::size_t N>
double Pick(const double (&list)[N], int i) {
  return list[static_cast<std::size_t>(i) % N];
}

}  // namespace

double SweepDraw::Pressure() {
  static const double kSpecial[] = {
      0,  0.001, 0.0019, 0.00199, 0.002,  0.00201, 0.0021, 0.003, 0.01,   0.1,   1,    5,     7.5, 10, 13, 15, 17.5,
      22, 22.1,  22.11,  22.114,  22.115, 22.116,  22.119, 22.12, 22.121, 22.13, 22.3, 22.31, 23,  25, 30, 100};
  int mode = Below(100);
  if (mode < 35) return std::pow(10.0, Uniform(std::log10(0.002), std::log10(22.12)));
  if (mode < 50) return Uniform(0, 23);
  if (mode < 75) {
    double v = Pick(kSpecial, Below(1000));
    if (Below(2) == 0) v *= 1 + (Below(2) == 0 ? 1 : -1) * std::pow(10.0, Uniform(-7, -2));
    return v;
  }
  if (mode < 85) return -std::pow(10.0, Uniform(-4, 3));
  if (mode < 95) return std::pow(10.0, Uniform(2, 40));
  return std::pow(10.0, Uniform(-12, -3));
}

double SweepDraw::Temperature(double p) {
  static const double kSpecial[] = {
      -273.15, -273.16, -300, -50, -1,  -0.001, 0,     0.001,  0.01, 0.5,    1,   50,    99.63, 100,   212.37, 263,
      300,     324.6,   340,  350, 352, 357,    360,   363.6,  369,  370,    371, 373.9, 374,   374.1, 374.12, 374.13,
      374.15,  374.3,   375,  400, 425, 540,    599.9, 599.99, 600,  600.01, 601, 650,   700,   800,   1000};
  int mode = Below(100);
  if (mode < 30) return Uniform(0, 600);
  if (mode < 50) {
    if (!(p >= 0.002 && p <= 22.115)) p = std::pow(10.0, Uniform(std::log10(0.002), std::log10(22.1)));
    double ts = curves_->Ts(p);
    double sign = Below(2) == 0 ? 1 : -1;
    if (Below(2) == 0) return ts + sign * std::pow(10.0, Uniform(-4, 1));
    // Around the 0.5 % band of the saturated branch.
    double edge = Below(2) == 0 ? ts / 1.005 : ts / 0.995;
    return edge * (1 + sign * std::pow(10.0, Uniform(-7, -3)));
  }
  if (mode < 70) {
    double v = Pick(kSpecial, Below(1000));
    if (Below(2) == 0) v += (Below(2) == 0 ? 1 : -1) * std::pow(10.0, Uniform(-6, -1));
    return v;
  }
  if (mode < 75) return -std::pow(10.0, Uniform(0, 4));
  if (mode < 80) return std::pow(10.0, Uniform(3, 40));
  return Uniform(-10, 800);
}

double SweepDraw::Enthalpy(double p) {
  static const double kSpecial[] = {-1,   0,       0.001, 1,       100,  419,  1000, 1499, 1499.99,
                                    1500, 1500.01, 2000,  2085,    2500, 2675, 2800, 3000, 3500,
                                    4000, 4149.99, 4150,  4150.01, 4151, 5000, 10000};
  int mode = Below(100);
  if (mode < 30) return Uniform(0, 4500);
  if (mode < 50) {
    if (!(p >= 0.002 && p <= 22.115)) p = std::pow(10.0, Uniform(std::log10(0.002), std::log10(22.1)));
    double h = curves_->Saturated(p, 1 + Below(2));
    return h + (Below(2) == 0 ? 1 : -1) * std::pow(10.0, Uniform(-3, 2));
  }
  if (mode < 65) {
    double v = Pick(kSpecial, Below(1000));
    if (Below(2) == 0) v += (Below(2) == 0 ? 1 : -1) * std::pow(10.0, Uniform(-4, 0));
    return v;
  }
  if (mode < 80) return Uniform(1500, 4150);
  if (mode < 85) return -std::pow(10.0, Uniform(-2, 6));
  if (mode < 90) return std::pow(10.0, Uniform(4, 40));
  return Uniform(-1000, 10000);
}

double SweepDraw::Entropy(double p) {
  static const double kSpecial[] = {-1,  0, 0.001, 1, 2,   3,       4.4, 5,       5.49, 5.5, 5.50001, 6,
                                    6.9, 7, 7.5,   8, 8.5, 8.99999, 9,   9.00001, 9.5,  10,  12};
  int mode = Below(100);
  if (mode < 30) return Uniform(0, 10);
  if (mode < 50) {
    if (!(p >= 0.002 && p <= 22.115)) p = std::pow(10.0, Uniform(std::log10(0.002), std::log10(22.1)));
    double s = curves_->Saturated(p, 3 + Below(2));
    return s + (Below(2) == 0 ? 1 : -1) * std::pow(10.0, Uniform(-5, 0));
  }
  if (mode < 65) {
    double v = Pick(kSpecial, Below(1000));
    if (Below(2) == 0) v += (Below(2) == 0 ? 1 : -1) * std::pow(10.0, Uniform(-6, -1));
    return v;
  }
  if (mode < 80) return Uniform(5.5, 9);
  if (mode < 85) return -std::pow(10.0, Uniform(-3, 4));
  if (mode < 90) return std::pow(10.0, Uniform(2, 40));
  return Uniform(-2, 20);
}

double SweepDraw::Dryness() {
  static const double kSpecial[] = {-1,    -0.01,     -1e-7, 0,         1e-7,  0.001, 0.5,  0.9, 0.99,
                                    0.999, 0.9999999, 1,     1.0000001, 1.001, 1.01,  1.02, 2,   100};
  int mode = Below(100);
  if (mode < 40) return Uniform(0, 1);
  if (mode < 70) return Pick(kSpecial, Below(1000));
  if (mode < 78) return -std::pow(10.0, Uniform(-8, 3));
  if (mode < 85) return std::pow(10.0, Uniform(0, 40));
  return Uniform(-0.5, 1.5);
}

// A typed text of the value: mostly the shortest decimal text that gives the same single, else
// a few decimals; now and then the other separator, a plus sign or a text that is no number.
std::string SweepDraw::Text(double value, char sep) {
  static const char* const kOdd[] = {"",   " ",  "1,2,3", "1.2.3", "abc", "1e5",   "--1",  "1 500",
                                     ",5", "5,", "-",     "+",     ".",   "1,5.2", "0x10", "\t7"};
  if (Below(100) < 2) return kOdd[Below(16)];
  char buf[512];
  if (!(std::fabs(value) < 1e300)) value = std::copysign(1e300, value);
  if (Below(100) < 70 && std::fabs(value) < 3e38) {
    const float f = static_cast<float>(value);
    for (int d = 0; d <= 20; ++d) {
      std::snprintf(buf, sizeof buf, "%.*f", d, value);
      if (static_cast<float>(std::strtod(buf, nullptr)) == f) break;
    }
  } else {
    std::snprintf(buf, sizeof buf, "%.*f", Below(7), value);
  }
  std::string t = buf;
  char use = Below(100) < 10 ? (sep == ',' ? '.' : ',') : sep;
  std::replace(t.begin(), t.end(), '.', use);
  if (Below(100) < 2 && value >= 0) t = "+" + t;
  return t;
}

SweepCase SweepDraw::Next() {
  SweepCase c;
  c.request.pair = static_cast<Pair>(Below(kPairCount));
  int u = Below(100);
  c.unitIndex = u < 70 ? 0 : (u < 85 ? 1 : 2);
  c.decimalSep = Below(100) < 75 ? ',' : '.';

  // A pressure for context even where none is given: it places t, h and s near its saturation.
  double p = Pressure();
  double t = Temperature(p);
  double h = Enthalpy(p);
  double s = Entropy(p);
  double x = Dryness();
  // A quarter of the enthalpies and entropies come from a state the solver accepts, so the
  // inverse searches get pairs that have an answer.
  if (Below(4) == 0) {
    double pp = std::pow(10.0, Uniform(std::log10(0.002), std::log10(22.1)));
    double tt = Uniform(1, 599);
    double v;
    if (c.request.pair == Pair::HS || c.request.pair == Pair::TS || c.request.pair == Pair::TH) {
      p = pp;
      t = tt;
    } else {
      tt = t;
      pp = p;
    }
    if (curves_->State(pp, tt, 2, v)) h = v;
    if (curves_->State(pp, tt, 3, v)) s = v;
  }
  // 1 / 0.1 and 1 / 0.001 are exactly 10 and 1000 in double.
  const double pUnit = p * (1 / kJednostkiCisnienia[c.unitIndex].mpa);
  auto text = [&](int quantity) {
    switch (quantity) {
      case 0:
        return Text(pUnit, c.decimalSep);
      case 1:
        return Text(t, c.decimalSep);
      case 2:
        return Text(h, c.decimalSep);
      case 3:
        return Text(s, c.decimalSep);
      default:
        return Text(x, c.decimalSep);
    }
  };
  const PairInfo& info = Info(c.request.pair);
  c.request.a = text(info.checkA);
  c.request.b = text(info.checkB);
  return c;
}

std::string CheckEnd(const SweepCase& c, const LineResult& r) {
  const PairInfo& info = Info(c.request.pair);
  for (int i = 0; i < 10; ++i) {
    // A given box that still holds the typed text is the user's, not a result.
    if (i == info.checkA && r.boxes[i] == c.request.a) continue;
    if (i == info.checkB && r.boxes[i] == c.request.b) continue;
    std::string f = BoxFault("box " + std::to_string(i), r.boxes[i]);
    if (!f.empty()) return f;
  }
  if (r.wet) {
    for (int i = 0; i < 12; ++i) {
      std::string f = BoxFault("wet box " + std::to_string(i), (*r.wet)[i]);
      if (!f.empty()) return f;
    }
  }
  for (const Message& m : r.messages) {
    if (m.title == kTytulRaportu) continue;  // the report names the routine, not a number
    if (NonFiniteText(m.text)) return "message \"" + m.text + "\"";
  }
  if (r.messages.empty() && !r.error && r.state.Blad != 0) return "the error flag stayed set without a message";
  return "";
}

std::string WideBox(const SweepCase& c, const LineResult& r) {
  const PairInfo& info = Info(c.request.pair);
  for (int i = 0; i < 10; ++i) {
    if (i == info.checkA && r.boxes[i] == c.request.a) continue;
    if (i == info.checkB && r.boxes[i] == c.request.b) continue;
    if (r.boxes[i].size() > kPlausibleWidth) return "box " + std::to_string(i);
  }
  if (r.wet) {
    for (int i = 0; i < 12; ++i) {
      if ((*r.wet)[i].size() > kPlausibleWidth) return "wet box " + std::to_string(i);
    }
  }
  return "";
}

std::string MessageKind(const Message& m) {
  std::string out = "[" + m.title + "] ";
  const std::string& t = m.text;
  for (std::size_t i = 0; i < t.size();) {
    auto digit = [&](std::size_t k) { return k < t.size() && std::isdigit(static_cast<unsigned char>(t[k])); };
    bool starts = digit(i) || ((t[i] == '-' || t[i] == '+' || t[i] == '.' || t[i] == ',') && digit(i + 1));
    if (!starts) {
      out += t[i] == '\r' ? ' ' : (t[i] == '\n' ? '/' : t[i]);
      ++i;
      continue;
    }
    // The number's digits, separators, thousand blanks between digits and its exponent.
    ++i;
    while (i < t.size()) {
      char ch = t[i];
      if (digit(i) || ((ch == '.' || ch == ',' || ch == ' ') && digit(i + 1))) {
        ++i;
      } else if ((ch == 'E' || ch == 'e') && (digit(i + 1) || ((t[i + 1] == '+' || t[i + 1] == '-') && digit(i + 2)))) {
        i += 2;
      } else {
        break;
      }
    }
    out += '#';
  }
  return out;
}

std::string Describe(const SweepCase& c) {
  std::string s = "kalorimo-calc";
  if (c.unitIndex != 0) s += std::string(" --unit ") + UnitName(c.unitIndex);
  if (c.decimalSep == '.') s += " --locale point";
  s += std::string(" ") + Info(c.request.pair).name + " \"" + c.request.a + "\" \"" + c.request.b + "\"";
  return s;
}

SweepFigures RunSweep(const SweepOptions& options) {
  ::mkdir(options.dataDir.c_str(), 0777);
  // One calculator per unit and locale; each starts every calculation from a fresh model.
  std::unique_ptr<Calculator> calcs[3][2];
  for (int u = 0; u < 3; ++u) {
    for (int l = 0; l < 2; ++l) {
      Settings s;
      s.dataDir = options.dataDir;
      s.unitIndex = u;
      s.decimalSep = l == 0 ? ',' : '.';
      calcs[u][l] = std::make_unique<Calculator>(s, nullptr);
      calcs[u][l]->Start();
    }
  }

  SweepFigures f;
  SweepDraw draw(options.seed);
  for (long n = 0; n < options.count; ++n) {
    SweepCase c = draw.Next();
    Calculator& calc = *calcs[c.unitIndex][c.decimalSep == ',' ? 0 : 1];
    auto t0 = std::chrono::steady_clock::now();
    LineResult r = calc.Run(c.request, static_cast<int>(n + 1));
    if (options.timing) {
      double sec = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      if (sec > f.slowestSeconds) {
        f.slowestSeconds = sec;
        f.slowest = c;
      }
    }
    ++f.calculations;
    if (r.messages.size() > f.mostBoxes) {
      f.mostBoxes = r.messages.size();
      f.mostBoxesCase = c;
    }
    ++f.pairs[Info(c.request.pair).name];
    for (const Message& m : r.messages) {
      if (m.title != kTytulRaportu) ++f.messages[MessageKind(m)];
    }
    if (r.error) {
      ++f.withError;
      ++f.errors[r.error->number];
    } else if (!r.messages.empty()) {
      ++f.withMessage;
    } else if (r.skipped) {
      ++f.skipped;
    } else {
      ++f.ok;
    }
    std::string wide = WideBox(c, r);
    if (!wide.empty()) {
      std::string key = std::string(Info(c.request.pair).name) + " " + wide;
      auto [it, fresh] = f.implausible.emplace(key, std::make_pair(0L, std::string()));
      ++it->second.first;
      if (fresh) it->second.second = Describe(c) + "  ->  \"" + BoxText(r, wide) + "\"";
    }
    std::string fault = CheckEnd(c, r);
    if (!fault.empty()) {
      ++f.faults;
      if (f.firstFaults.size() < options.keepFaults) f.firstFaults.push_back(Describe(c) + "  ->  " + fault);
    }
    if (options.progress && (n + 1) % 10000 == 0) {
      std::fprintf(options.progress, "%ld calculations, %ld faults\n", n + 1, f.faults);
      std::fflush(options.progress);
    }
  }
  return f;
}

void PrintFigures(std::FILE* out, const SweepFigures& f) {
  std::fprintf(out, "calculations: %ld\n", f.calculations);
  std::fprintf(out, "  finite results without a box: %ld\n", f.ok);
  std::fprintf(out, "  ended with a message box:     %ld\n", f.withMessage);
  std::fprintf(out, "  ended in the error report:    %ld\n", f.withError);
  std::fprintf(out, "  rejected without a box:       %ld\n", f.skipped);
  std::fprintf(out, "  faults:                       %ld\n", f.faults);
  std::fprintf(out, "by pair:\n");
  for (const auto& [pair, n] : f.pairs) std::fprintf(out, "  %8ld  %s\n", n, pair.c_str());
  std::fprintf(out, "messages by text (numbers as #):\n");
  std::vector<std::pair<long, std::string>> msgs;
  for (const auto& [text, n] : f.messages) msgs.emplace_back(n, text);
  std::sort(msgs.rbegin(), msgs.rend());
  for (const auto& [n, text] : msgs) std::fprintf(out, "  %8ld  %s\n", n, text.c_str());
  std::fprintf(out, "run-time errors by number:\n");
  for (const auto& [nr, n] : f.errors) std::fprintf(out, "  %8ld  %d %s\n", n, nr, OpisBledu(nr).c_str());
  std::fprintf(out, "implausible values shown (a box wider than %zu characters), by pair and box:\n", kPlausibleWidth);
  for (const auto& [key, v] : f.implausible) {
    std::fprintf(out, "  %8ld  %s   e.g. %s\n", v.first, key.c_str(), v.second.c_str());
  }
  if (f.slowestSeconds > 0) {
    std::fprintf(out, "slowest calculation: %.3f ms  %s\n", f.slowestSeconds * 1e3, Describe(f.slowest).c_str());
  }
  if (f.mostBoxes > 0) {
    std::fprintf(out, "most boxes in one calculation: %zu  %s\n", f.mostBoxes, Describe(f.mostBoxesCase).c_str());
  }
  for (const std::string& s : f.firstFaults) std::fprintf(out, "FAULT: %s\n", s.c_str());
}

}  // namespace kal::cli
