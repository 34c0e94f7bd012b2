// A campaign from a series' means: what the document and the database keep of an import.
#include <algorithm>
#include <cmath>

#include "turbiny/import.h"

namespace kal::turbiny {

Kampania KampaniaZeStabilnosci(const Stabilnosc& s, const std::string& id, const std::string& data,
                               RodzajKampanii rodzaj) {
  Kampania k;
  k.id = id;
  k.data = data;
  k.rodzaj = rodzaj;
  for (const StatystykaKolumny& c : s.kolumny) {
    const std::optional<double> srednia = c.n >= 1 ? std::optional<double>(c.srednia) : std::nullopt;
    const std::optional<double> u = c.n >= 2 ? std::optional<double>(c.uRandom) : std::nullopt;
    const std::string& q = c.kolumna.wielkosc;
    if (q == "ambient") {
      if (srednia) k.otoczenieKPa = *srednia;
      k.u_otoczenieRandom = u;
      continue;
    }
    Odczyt& o = k.odczyty[c.kolumna.punkt];
    if (q == "p") {
      o.p = srednia;
      o.u_p_random = u;
    } else if (q == "t") {
      o.t = srednia;
      o.u_t_random = u;
    } else if (q == "h") {
      o.h = srednia;
    }
    // The point's count is that of its scarcest column.
    const long n = static_cast<long>(c.n);
    o.n = o.n ? std::min(*o.n, n) : n;
  }
  return k;
}

}  // namespace kal::turbiny
