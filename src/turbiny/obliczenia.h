// One campaign of a turbine: every section's expansion by the calculator's fits and by
// IAPWS-IF97, the efficiency's uncertainty, and the comparison with the design value and with
// the baseline test. Qt-free; the batch tool, the results screen and the trend share it.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "coeffdb/baza.h"
#include "mollier/rozprezanie.h"
#include "mollier/rozprezanie_if97.h"
#include "steam/evaluator.h"
#include "turbiny/magazyn.h"
#include "turbiny/model.h"
#include "turbiny/niepewnosc.h"

namespace kal::turbiny {

// A value per formulation: this campaign minus the other (the design value, the baseline).
struct ParaEta {
  double fits = 0, if97 = 0;
};

struct WynikOdcinka {
  std::string nazwa, wlot, wylot;  // section name, point ids
  bool ok = false;
  // eta outside (0, 1] by either formulation: the numbers stay, ok is false.
  bool niefizyczne = false;
  std::string komunikat;  // Polish: why refused, or a note (a wet exhaust without h2); "" none
  // The section's own numbers once its readings were there (absolute p [MPa], C, kJ/kg).
  std::optional<DaneOdcinka> dane;
  Rozprezanie fits;              // as `kalorimo-calc is` computes it; empty when refused before
  bool fitsWlot = false;         // the fits found the inlet (fits.wlot holds it)
  RozprezanieIF97 if97;          // as `--reference if97` computes it
  std::optional<Budzet> budzet;  // with eta by both formulations and the section ok
  std::optional<double> etaProjekt;
  std::optional<ParaEta> dEtaProjekt;
  std::optional<std::string> baza;  // the baseline campaign's id
  std::optional<ParaEta> dEtaBaza;
  std::optional<double> U95dEtaBaza;             // 2 u_Δ
  bool zachowawczo = false;                      // u_Δ from the whole uncertainties, a test lacking random parts
  std::optional<std::pair<bool, bool>> istotne;  // |Δ| > 2 u_Δ: fits, IF97

  bool maEta() const { return fits.eta && if97.eta; }
};

struct WynikKampanii {
  std::string turbina, kampania, data;
  RodzajKampanii rodzaj = RodzajKampanii::Okresowe;
  bool ok = false;                      // every section ok
  std::vector<std::string> komunikaty;  // Polish notes of the campaign
  std::optional<std::string> baza;      // the baseline campaign's id
  std::vector<WynikOdcinka> odcinki;
};

// The section's own numbers, nothing compared. `ew` gives the fits (its state is its own).
WynikOdcinka ObliczOdcinek(Evaluator& ew, const Turbina& t, const Odcinek& o, const Kampania& k);

// The baseline of campaign `indeks`: the latest acceptance or after-overhaul campaign strictly
// earlier by date-time; nullopt when there is none.
std::optional<std::size_t> IndeksBazowego(const Dokument& d, std::size_t indeks);

// Campaign `indeks` with the comparisons; the fits over `baza` (null: the default coefficients).
WynikKampanii ObliczKampanie(const Dokument& d, std::size_t indeks, const Baza* baza = nullptr);
// Every campaign, each calculated once.
std::vector<WynikKampanii> ObliczWszystkie(const Dokument& d, const Baza* baza = nullptr);

// Every turbine of the store in Turbiny()'s order, each with ObliczWszystkie's results: `wynik` gets
// them one turbine after another on the calling thread. The next turbine is read meanwhile, so
// `wynik` leaves the store alone.
void ObliczWszystkieTurbiny(Magazyn& m, const std::function<void(const Dokument&, std::vector<WynikKampanii>)>& wynik,
                            const Baza* baza = nullptr);

}  // namespace kal::turbiny
