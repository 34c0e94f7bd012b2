// The turbine workbench's data: a turbine with its measurement points and sections, and its test
// campaigns with the averaged readings of each point. Plain values, no Qt; the document, the
// database, the calculation and the import all share these types.
#pragma once
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kal::turbiny {

// A refusal of the workbench (a bad document, mapping, CSV or database): Polish, naming the
// field or the file and why.
class BladTurbiny : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Stability limits of a point; the drift has the same limits as the fluctuation.
struct Limity {
  double p = 0.25;          // % of |mean|
  double p_min_kPa = 0.14;  // but never below this [kPa]
  double t = 4.0;           // [K]
};

struct PunktPomiarowy {
  std::string id;
  std::string nazwa;
  std::string jednostkaP = "MPa";  // "MPa" | "bar" | "kPa"
  bool nadcisnienie = false;       // gauge readings: the ambient pressure is added
  double U_p = 0.25;               // instrument U (k = 2)
  bool U_p_procent = true;         // U_p_unit "%": of |reading|; else in jednostkaP
  double U_t = 1.0;                // instrument U (k = 2) [K]
  Limity limity;
};

enum class RodzajWylotu { Przegrzany, Mokry };  // "superheated": t2 measured | "wet": h2 given

struct Odcinek {
  std::string nazwa;
  std::string wlot, wylot;  // point ids
  RodzajWylotu rodzajWylotu = RodzajWylotu::Przegrzany;
  std::optional<double> etaProjekt;  // fraction
};

struct Turbina {
  std::string nazwa;
  std::string opis;
  std::vector<PunktPomiarowy> punkty;  // in steam-path order
  std::vector<Odcinek> odcinki;
  std::string mapowanie;  // the last CSV import's mapping (JSON text), kept for the next import; "" none
};

// "acceptance" | "after-overhaul" (both a baseline) | "routine"
enum class RodzajKampanii { Odbiorcze, PoRemoncie, Okresowe };

// The averaged readings of one point, in the point's unit as the instrument shows them.
struct Odczyt {
  std::optional<double> p, t, h;
  std::optional<double> U_h;                     // [kJ/kg], required with h
  std::optional<double> u_p_random, u_t_random;  // standard uncertainty of the mean (import)
  std::optional<long> n;                         // samples behind the mean
};

struct Kampania {
  std::string id;
  std::string data;  // "2025-10-14T10:00" (local, no zone)
  RodzajKampanii rodzaj = RodzajKampanii::Okresowe;
  std::string etykieta;
  std::optional<double> mocMW;
  double otoczenieKPa = 101.325;
  double U_otoczenieKPa = 0.1;
  std::optional<double> u_otoczenieRandom;  // [kPa], from an imported ambient column
  std::map<std::string, Odczyt> odczyty;    // by point id
};

struct Dokument {
  Turbina turbina;
  std::vector<Kampania> kampanie;
};

// One imported column as read: time [s from 1970-01-01, local time taken as UTC] and value
// (NaN where the cell was missing). Kept in the database so the window can be chosen again.
struct Seria {
  std::string kolumna;
  std::string punkt;     // point id; "" for the ambient column
  std::string wielkosc;  // "p" | "t" | "h" | "ambient"
  std::vector<double> czas;
  std::vector<double> wartosc;
};

// The document's words for the enumerations, and back (nullopt for an unknown word).
const char* NazwaRodzaju(RodzajKampanii r);
std::optional<RodzajKampanii> RodzajZNazwy(const std::string& s);
const char* NazwaWylotu(RodzajWylotu r);
std::optional<RodzajWylotu> WylotZNazwy(const std::string& s);

// MPa per unit of "MPa", "bar", "kPa"; nullopt for another text.
std::optional<double> MpaNaJednostke(const std::string& jednostka);

// Absolute pressure [MPa] of a reading in the point's unit: reading × factor (+ ambient / 1000 when
// gauge), in double.
double CisnienieBezwzgledneMPa(const PunktPomiarowy& punkt, double odczyt, double otoczenieKPa);

const PunktPomiarowy* ZnajdzPunkt(const Turbina& t, const std::string& id);

}  // namespace kal::turbiny
