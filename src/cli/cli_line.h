// The calculation requests of the batch tool: the eight input pairs and one "PAIR A B" line.
#pragma once
#include <string>

#include "app/pary.h"

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

// One calculation: the pair and the two texts typed into the boxes (in the pair's own order).
struct Request {
  Pair pair = Pair::PT;
  std::string a, b;
};

enum class LineKind { Skip, Calc, Bad };

// One line of a batch: "PAIR A B" separated by blanks or tabs, a '#' starts a comment, a blank
// or comment-only line is skipped, a trailing CR is ignored. A value may be double-quoted to hold
// blanks ("1 500"). On Bad, `error` says why.
LineKind ParseLine(const std::string& line, Request& request, std::string& error);

}  // namespace kal::cli
