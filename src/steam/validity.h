// The physical limits of a state the calculate command may show. The fits go on past the
// region they were made for; a result that crosses one of these limits is no state of water.
#pragma once
#include <string>

#include "steam/mod_kalorimo.h"  // kPKrytyczne
#include "steam/steam_state.h"

namespace kal {

inline constexpr float kPMin = 0.002f;         // MPa: the saturation line starts here
inline constexpr float kTKrytyczna = 374.12f;  // C
// Superheated steam may lie below tNasPary by the saturation line's rounding to whole degrees
// and the searches' tolerance, no more.
inline constexpr float kPrzechlodzenie = 1.0f;  // K

// A number in a message text: through `pattern` (LocaleText of a single without one); a value
// that is no finite number is named in words, never shown as "Inf" or "NaN".
std::string LiczbaKomunikatu(double v, char decimalSep, const char* pattern = nullptr);

// "" for a state within the limits; otherwise a Polish message that names the limit crossed.
// `nasycenie`: the state was asked for on the saturation line (a dryness was given).
std::string StanNiefizyczny(const SteamState& s, bool nasycenie, char decimalSep);

}  // namespace kal
