// Documents for the workbench's tests, built in code.
#pragma once
#include <string>
#include <vector>

#include "turbiny/model.h"

namespace kal::test {

inline turbiny::PunktPomiarowy NowyPunkt(const std::string& id, const std::string& jednostka = "MPa",
                                         bool nadcisnienie = false) {
  turbiny::PunktPomiarowy p;
  p.id = id;
  p.jednostkaP = jednostka;
  p.nadcisnienie = nadcisnienie;
  return p;
}

inline turbiny::Odcinek NowyOdcinek(const std::string& nazwa, const std::string& wlot, const std::string& wylot,
                                    bool mokry = false) {
  turbiny::Odcinek o;
  o.nazwa = nazwa;
  o.wlot = wlot;
  o.wylot = wylot;
  o.rodzajWylotu = mokry ? turbiny::RodzajWylotu::Mokry : turbiny::RodzajWylotu::Przegrzany;
  return o;
}

inline turbiny::Odczyt PT(double p, double t) {
  turbiny::Odczyt o;
  o.p = p;
  o.t = t;
  return o;
}

inline turbiny::Odczyt PH(double p, double h, double U_h = 15) {
  turbiny::Odczyt o;
  o.p = p;
  o.h = h;
  o.U_h = U_h;
  return o;
}

inline turbiny::Kampania NowaKampania(const std::string& id, const std::string& data,
                                      turbiny::RodzajKampanii rodzaj = turbiny::RodzajKampanii::Okresowe) {
  turbiny::Kampania k;
  k.id = id;
  k.data = data;
  k.rodzaj = rodzaj;
  return k;
}

}  // namespace kal::test
