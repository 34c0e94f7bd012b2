// The calculation requests of the batch tool: the eight input pairs and one "PAIR A B" line.
#pragma once
#include <string>
#include <vector>

#include "app/pary.h"
#include "mollier/rozprezanie.h"

namespace kal::cli {

// The calculate command's own pair table.
using kal::Info;
using kal::kPairCount;
using kal::Pair;
using kal::PairInfo;

// The pairs as a blank-separated list for usage texts: "p,t p,h t,h x,t x,p p,s t,s h,s".
std::string PairList();

// Reads a pair in either order ("t,p" = "p,t"), letters in either case. `swapped` is true when
// the text names the pair's second quantity first (its values then come in the other order).
bool ParsePair(const std::string& text, Pair& pair, bool& swapped);

// The expansion of a turbine section (see cli/is_calc.h).
struct IsRequest {
  std::string p1, t1, p2;        // P1 in the unit of --unit, T1 [C], P2 [kPa]
  Koniec2 tryb = Koniec2::Brak;  // --t2 / t2=, --eta / eta=, --h2 / h2=, or none
  std::string wartosc;           // T2 [C], ETA (a fraction) or H2 [kJ/kg]
};

// The words after "is": P1 T1 P2 and at most one of "--t2 T2", "--eta ETA", "--h2 H2" (also
// "--t2=T2" ...) (command line) or "t2=T2", "eta=ETA", "h2=H2" (batch line). False with `error` set.
bool ParseIs(const std::vector<std::string>& words, bool commandLine, IsRequest& request, std::string& error);

// A number typed with a decimal comma or point; false when it is none.
bool ReadNumber(const std::string& text, double& value);

// One calculation: the pair and the two texts typed into the boxes (in the pair's own order),
// or an expansion ("is").
struct Request {
  Pair pair = Pair::PT;
  std::string a, b;
  bool is = false;
  IsRequest isRequest{};
};

enum class LineKind { Skip, Calc, Bad };

// One line of a batch: "PAIR A B" or "is P1 T1 P2 [t2=T2 | eta=ETA | h2=H2]" separated by blanks or tabs, a '#' starts
// a comment, a blank or comment-only line is skipped, a trailing CR is ignored. A value may be double-quoted to hold
// blanks ("1 500"), also after its name (eta="0,85"). On Bad, `error` says why.
LineKind ParseLine(const std::string& line, Request& request, std::string& error);

}  // namespace kal::cli
