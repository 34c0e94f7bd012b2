// Inside the import: the statistics and verdicts of series, without keeping a copy of them.
#pragma once
#include <vector>

#include "turbiny/import.h"

namespace kal::turbiny {

// StabilnoscSerii with Stabilnosc::serie left empty.
Stabilnosc StatystykiSerii(const std::vector<Seria>& serie, const Mapowanie& m, const Turbina* turbina,
                           const OknoCzasu& okno);

// The limits of one column [its unit]: the mapping's, else the point's, else the defaults.
struct LimitKolumny {
  double fluktuacja = 0, dryf = 0;
};
LimitKolumny LimityKolumny(const KolumnaMapowania& k, const Turbina* turbina, double srednia);

}  // namespace kal::turbiny
