// The import of a measured series from the plant's data system: CSV, the mapping of its columns
// to the turbine's points, the window, the statistics of each column and the stability verdicts,
// and the campaign made from the means.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "turbiny/model.h"

namespace kal::turbiny {

struct KolumnaMapowania {
  std::string kolumna;
  std::string punkt;                                  // point id; "" for the ambient column
  std::string wielkosc;                               // "p" | "t" | "h" | "ambient"
  std::optional<double> limitFluktuacji, limitDryfu;  // in the column's unit
};

struct Mapowanie {
  std::string czas;                 // the timestamp column
  std::string separator = "auto";   // ";" "," "\t" or "auto"
  std::string dziesietny = "auto";  // "," "." or "auto"
  std::string kodowanie = "auto";   // "utf-8" "windows-1250" or "auto"
  std::vector<KolumnaMapowania> kolumny;
};

Mapowanie MapowanieZJson(const std::string& json);  // throws BladTurbiny naming the field
std::string MapowanieDoJson(const Mapowanie& m);

struct StatystykaKolumny {
  KolumnaMapowania kolumna;
  std::size_t n = 0, brak = 0;
  double srednia = 0, s = 0, uRandom = 0, min = 0, max = 0, fluktuacja = 0, dryf = 0;
  double limitFluktuacji = 0, limitDryfu = 0;
  bool stabilny = false;
};

struct Stabilnosc {
  std::size_t wiersze = 0;  // rows inside the window
  double od = 0, do_ = 0;   // the window [s], as Seria::czas
  std::vector<StatystykaKolumny> kolumny;
  bool stabilny = false;     // every column
  std::vector<Seria> serie;  // the mapped columns as read (the whole file, not only the window)
  std::string wykryte;       // what was detected: separator, decimal, encoding (Polish, for a preview)
};

// [from, to] inclusive, ISO 8601 or the file's own timestamp format; nullopt: the file's ends.
struct OknoCzasu {
  std::optional<std::string> od, do_;
};

// Throws BladTurbiny (a column of the mapping missing from the file, a bad timestamp, no rows ...).
// `turbina` (may be null) gives the points' units and limits.
Stabilnosc ObliczStabilnosc(const std::string& bajtyCsv, const Mapowanie& m, const Turbina* turbina,
                            const OknoCzasu& okno);

// The same statistics over series already read (the database's raw series, a new window).
Stabilnosc StabilnoscSerii(const std::vector<Seria>& serie, const Mapowanie& m, const Turbina* turbina,
                           const OknoCzasu& okno);

// A campaign from the means: p, t or h with u_*_random and n per point, ambient and its u_random.
Kampania KampaniaZeStabilnosci(const Stabilnosc& s, const std::string& id, const std::string& data,
                               RodzajKampanii rodzaj);

}  // namespace kal::turbiny
