// The whole expansion line of a campaign as points of the I-S chart: per section its inlet 1, its
// isentropic end 2s and its actual end 2, by the fits or by IF97. Sections are kept apart, so the
// reheat between the HP exhaust and the hot reheat inlet stays a gap. Plain values, no Qt.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "mollier/wykres.h"
#include "turbiny/obliczenia.h"

namespace kal {

struct PunktIS {
  std::string id;  // the measuring point's id; "" for an isentropic end
  double p = 0, s = 0, h = 0;
};

struct LiniaOdcinka {
  std::string odcinek;
  PunktIS wlot;
  std::optional<PunktIS> izentropa, rzeczywisty;
  // The polyline drawn solid: 1 -> 2, or 1 -> 2s when the section has no actual end.
  std::vector<PunktIS> lamana() const;
};

// Sections with an inlet state (the others give no line), finite numbers only.
std::vector<LiniaOdcinka> LinieRozprezania(const turbiny::WynikKampanii& w, bool if97);

// The view around the lines: their extent with a margin, at least 0.6 kJ/(kg K) by 300 kJ/kg so the
// chart's own lines give a scale; the default chart when there is no line.
Okno OknoLinii(const std::vector<LiniaOdcinka>& a, const std::vector<LiniaOdcinka>& b);

}  // namespace kal
