// The eight input pairs of the calculate command, in its dispatch order: the first pair whose
// two check boxes are both ticked is the one calculated. The batch tool reads the same table.
#pragma once
#include "app/frm_kalorimo.h"

namespace kal {

enum class Pair { PT, PH, TH, XT, XP, PS, TS, HS };
inline constexpr int kPairCount = 8;

struct PairInfo {
  Pair pair;
  const char* name;  // the batch tool's spelling, as in its usage text
  int checkA;        // Check / Text_IS index of the first value
  int checkB;        // ... of the second value
};

inline constexpr PairInfo kPairs[kPairCount] = {
    {Pair::PT, "p,t", pole::P, pole::T}, {Pair::PH, "p,h", pole::P, pole::H}, {Pair::TH, "t,h", pole::T, pole::H},
    {Pair::XT, "x,t", pole::X, pole::T}, {Pair::XP, "x,p", pole::X, pole::P}, {Pair::PS, "p,s", pole::P, pole::S},
    {Pair::TS, "t,s", pole::T, pole::S}, {Pair::HS, "h,s", pole::H, pole::S},
};

inline const PairInfo& Info(Pair pair) { return kPairs[static_cast<int>(pair)]; }

}  // namespace kal
