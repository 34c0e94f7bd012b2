// A campaign's date-time ("2025-10-14T10:00", local, no zone) as a key that sorts in time order.
#pragma once
#include <optional>
#include <string>

namespace kal::turbiny {

// "YYYY-MM-DD[(T| )hh:mm[:ss[.fff…]]]" -> "YYYY-MM-DDThh:mm:ss.fffffffff", so "10:00" and
// "10:00:00" give the same key and keys compare as text; nullopt for anything else.
std::optional<std::string> KluczDaty(const std::string& data);

}  // namespace kal::turbiny
