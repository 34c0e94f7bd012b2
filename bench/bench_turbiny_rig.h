// A turbine of three sections with a long history of campaigns (one after-overhaul baseline in
// twenty), for the workbench's benchmarks; and a temporary folder for its database.
#pragma once
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "turbiny/model.h"

namespace kal::turbiny::bench {

// Campaigns monthly from January 2000; `tWylotuWP` is the HP exhaust temperature.
inline Dokument TurbinaDoTestu(const std::string& nazwa, int kampanii, double tWylotuWP) {
  Dokument d;
  d.turbina.nazwa = nazwa;
  for (const char* id : {"PS", "WP_WYL", "SP_WL", "SP_WYL", "NP_WYL"}) {
    PunktPomiarowy p;
    p.id = id;
    d.turbina.punkty.push_back(p);
  }
  d.turbina.odcinki = {{"WP", "PS", "WP_WYL", RodzajWylotu::Przegrzany, 0.865},
                       {"SP", "SP_WL", "SP_WYL", RodzajWylotu::Przegrzany, 0.91},
                       {"NP", "SP_WYL", "NP_WYL", RodzajWylotu::Mokry, 0.88}};
  for (int k = 0; k < kampanii; ++k) {
    Kampania c;
    c.id = "K" + std::to_string(k);
    c.data = std::to_string(2000 + k / 12) + "-" + (k % 12 < 9 ? "0" : "") + std::to_string(k % 12 + 1) + "-01T10:00";
    c.rodzaj = k % 20 == 0 ? RodzajKampanii::PoRemoncie : RodzajKampanii::Okresowe;
    const double dp = k * 1e-3;
    c.odczyty["PS"] = {12.74 + dp, 535.1, std::nullopt, std::nullopt, 0.004, 0.06, 720};
    c.odczyty["WP_WYL"] = {3.62 + dp, tWylotuWP, std::nullopt, std::nullopt, 0.002, 0.05, 720};
    c.odczyty["SP_WL"] = {3.3, 535.0, std::nullopt, std::nullopt, 0.002, 0.05, 720};
    c.odczyty["SP_WYL"] = {0.25, 240.0 + dp, std::nullopt, std::nullopt, 0.001, 0.05, 720};
    c.odczyty["NP_WYL"] = {0.0056, std::nullopt, 2345.0, 15.0, std::nullopt, std::nullopt, 720};
    d.kampanie.push_back(std::move(c));
  }
  return d;
}

// A folder of its own below the temporary one, removed with its files at the end.
struct FolderTymczasowy {
  std::string path;
  explicit FolderTymczasowy(const std::string& przedrostek) {
    std::string t = (std::filesystem::temp_directory_path() / (przedrostek + "-XXXXXX")).string();
    if (mkdtemp(t.data())) path = t;
  }
  ~FolderTymczasowy() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
  FolderTymczasowy(const FolderTymczasowy&) = delete;
  FolderTymczasowy& operator=(const FolderTymczasowy&) = delete;
};

}  // namespace kal::turbiny::bench
