// The trend of a turbine's sections over its campaigns: eta with its U95 per campaign, the
// baseline each campaign is judged against with its band, and the design value. Qt-free; the
// trend screen, the report and the workbook draw from the same series.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "turbiny/model.h"
#include "turbiny/obliczenia.h"

namespace kal::turbiny {

enum class Formulacja { Fits, IF97 };

struct PunktTrendu {
  std::size_t kampania = 0;  // index in the document
  std::string id, data;      // the campaign's id and date as written
  double czas = 0;           // seconds from 1970-01-01, the local time taken as UTC
  RodzajKampanii rodzaj = RodzajKampanii::Okresowe;
  double eta = 0;  // fraction
  double U95 = 0;  // fraction, 2 u_c
};

// One baseline's stretch of time: from its own date to the next baseline's (or the last campaign).
// The band is the baseline's eta ± the baseline's own U95: a later test that falls outside it
// differs from the baseline by more than the baseline's uncertainty alone.
struct OkresBazy {
  std::string id;
  double od = 0, doCzasu = 0;  // seconds as PunktTrendu::czas
  double eta = 0, U95 = 0;     // fractions
};

struct SeriaTrendu {
  std::string odcinek;
  std::vector<PunktTrendu> punkty;  // in time order; a campaign without eta gives no point
  std::vector<OkresBazy> bazy;
  std::optional<double> etaProjekt;  // fraction
};

// Per section of the turbine, in its order. `wyniki` as ObliczWszystkie gives them (the document's
// order); a campaign whose date cannot be read gives no point.
std::vector<SeriaTrendu> SerieTrendu(const Dokument& d, const std::vector<WynikKampanii>& wyniki, Formulacja f);

}  // namespace kal::turbiny
