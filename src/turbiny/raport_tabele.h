// The report's tables as rows of texts, numbers formatted as the batch tool's text form prints
// them (decimal comma, the same rounding), so the PDF, the workbook and `turbine calc` agree.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "turbiny/model.h"
#include "turbiny/obliczenia.h"

namespace kal::turbiny {

// An efficiency (a fraction) in percent, two decimals: "86,52 %".
std::string TekstProcent(double ulamek);
// A difference of efficiencies in percentage points with its sign: "+0,12 p.p.".
std::string TekstPunktyProcentowe(double roznica);
// An enthalpy difference, one decimal: "312,4 kJ/kg".
std::string TekstKJ(double v);
// A reading as typed: up to 9 significant digits, decimal comma; "—" when absent.
std::string TekstOdczytu(const std::optional<double>& v);
// "badanie odbiorcze" | "badanie po remoncie" | "badanie okresowe"
const char* TekstRodzaju(RodzajKampanii r);
// "2025-10-14T10:00" -> "14.10.2025 10:00"; a text of another shape stays as it is.
std::string TekstDaty(const std::string& data);

struct Tabela {
  std::string tytul;
  std::vector<std::string> naglowek;
  std::vector<std::vector<std::string>> wiersze;  // each as long as naglowek
};

// The report's opening lines: the campaign's date, kind, label, load, ambient pressure, baseline.
std::vector<std::string> OpisKampanii(const Dokument& d, std::size_t indeks, const WynikKampanii& w);
Tabela TabelaPunktow(const Turbina& t);
// The readings with what the import knows of their stability (u_random, n); typed ones say so.
Tabela TabelaOdczytow(const Turbina& t, const Kampania& k);
// Per section Δhs, Δh and ηi by the fits and IF97 with their difference.
Tabela TabelaWynikow(const WynikKampanii& w);
// Per section and formulation ηi ± U95 and the comparisons with the design value and the
// baseline; a U95 of the difference taken conservatively is starred.
Tabela TabelaPorownan(const WynikKampanii& w);
// A section's uncertainty budget (empty rows when it has none).
Tabela TabelaBudzetu(const WynikOdcinka& o);

}  // namespace kal::turbiny
