#include "turbiny/model.h"

namespace kal::turbiny {

const char* NazwaRodzaju(RodzajKampanii r) {
  switch (r) {
    case RodzajKampanii::Odbiorcze:
      return "acceptance";
    case RodzajKampanii::PoRemoncie:
      return "after-overhaul";
    case RodzajKampanii::Okresowe:
      break;
  }
  return "routine";
}

std::optional<RodzajKampanii> RodzajZNazwy(const std::string& s) {
  if (s == "acceptance") return RodzajKampanii::Odbiorcze;
  if (s == "after-overhaul") return RodzajKampanii::PoRemoncie;
  if (s == "routine") return RodzajKampanii::Okresowe;
  return std::nullopt;
}

const char* NazwaWylotu(RodzajWylotu r) { return r == RodzajWylotu::Mokry ? "wet" : "superheated"; }

std::optional<RodzajWylotu> WylotZNazwy(const std::string& s) {
  if (s == "superheated") return RodzajWylotu::Przegrzany;
  if (s == "wet") return RodzajWylotu::Mokry;
  return std::nullopt;
}

std::optional<double> MpaNaJednostke(const std::string& jednostka) {
  if (jednostka == "MPa") return 1.0;
  if (jednostka == "bar") return 0.1;
  if (jednostka == "kPa") return 0.001;
  return std::nullopt;
}

double CisnienieBezwzgledneMPa(const PunktPomiarowy& punkt, double odczyt, double otoczenieKPa) {
  double p = odczyt * MpaNaJednostke(punkt.jednostkaP).value_or(1.0);
  if (punkt.nadcisnienie) p += otoczenieKPa / 1000;
  return p;
}

const PunktPomiarowy* ZnajdzPunkt(const Turbina& t, const std::string& id) {
  for (const PunktPomiarowy& p : t.punkty)
    if (p.id == id) return &p;
  return nullptr;
}

}  // namespace kal::turbiny
