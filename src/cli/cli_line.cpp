#include "cli/cli_line.h"

#include <cctype>
#include <utility>
#include <vector>

namespace kal::cli {

namespace {

// The box of a quantity letter.
int Quantity(char c) {
  switch (std::tolower(static_cast<unsigned char>(c))) {
    case 'p':
      return pole::P;
    case 't':
      return pole::T;
    case 'h':
      return pole::H;
    case 's':
      return pole::S;
    case 'x':
      return pole::X;
    default:
      return -1;
  }
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// "eta=", "t2=": letters and digits, then '='.
bool NazwaWartosci(const std::string& w) {
  if (w.size() < 2 || w.back() != '=') return false;
  for (std::size_t i = 0; i + 1 < w.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(w[i]))) return false;
  return true;
}

}  // namespace

std::string PairList() {
  std::string s;
  for (const PairInfo& p : kPairs) {
    if (!s.empty()) s += ' ';
    s += p.name;
  }
  return s;
}

bool ParsePair(const std::string& text, Pair& pair, bool& swapped) {
  if (text.size() != 3 || text[1] != ',') return false;
  int q1 = Quantity(text[0]), q2 = Quantity(text[2]);
  if (q1 < 0 || q2 < 0) return false;
  for (const PairInfo& p : kPairs) {
    if (p.checkA == q1 && p.checkB == q2) {
      pair = p.pair;
      swapped = false;
      return true;
    }
    if (p.checkA == q2 && p.checkB == q1) {
      pair = p.pair;
      swapped = true;
      return true;
    }
  }
  return false;
}

LineKind ParseLine(const std::string& line, Request& request, std::string& error) {
  std::vector<std::string> words;
  words.reserve(4);
  // A bad line that began as an expansion is reported as one.
  auto zly = [&](const char* why) {
    error = why;
    request.is = !words.empty() && (words[0] == "is" || words[0] == "IS");
    return LineKind::Bad;
  };
  std::size_t i = 0, n = line.size();
  while (i < n) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i >= n || line[i] == '#') break;
    // A quoted part opens a word or follows a value's name ("1 500", eta="0,85"), and ends the word;
    // any other quote is a character of the word.
    std::string w;
    while (i < n && !IsBlank(line[i]) && line[i] != '#') {
      if (line[i] != '"' || !(w.empty() || NazwaWartosci(w))) {
        w += line[i++];
        continue;
      }
      const std::size_t close = line.find('"', i + 1);
      if (close == std::string::npos) return zly("niezamknięty cudzysłów");
      w.append(line, i + 1, close - i - 1);
      i = close + 1;
      if (i < n && !IsBlank(line[i]) && line[i] != '#') return zly("po cudzysłowie oczekiwano odstępu");
      break;
    }
    words.push_back(std::move(w));
  }
  if (words.empty()) return LineKind::Skip;
  if (words[0] == "is" || words[0] == "IS") {
    request.is = true;
    return ParseIs(std::vector<std::string>(words.begin() + 1, words.end()), false, request.isRequest, error)
               ? LineKind::Calc
               : LineKind::Bad;
  }
  bool swapped = false;
  if (!ParsePair(words[0], request.pair, swapped)) {
    error = "nieznana para \"" + words[0] + "\" (dozwolone: " + PairList() + ")";
    return LineKind::Bad;
  }
  if (words.size() != 3) {
    error = "oczekiwano: PARA A B, a podano " + std::to_string(words.size()) + " pól";
    return LineKind::Bad;
  }
  request.a = std::move(swapped ? words[2] : words[1]);
  request.b = std::move(swapped ? words[1] : words[2]);
  return LineKind::Calc;
}

}  // namespace kal::cli
