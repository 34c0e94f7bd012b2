#include "turbiny/trend.h"

#include <algorithm>
#include <cmath>

#include "turbiny/czas.h"

namespace kal::turbiny {

namespace {

std::optional<double> Eta(const WynikOdcinka& w, Formulacja f) {
  const std::optional<double>& e = f == Formulacja::Fits ? w.fits.eta : w.if97.eta;
  if (!e || !std::isfinite(*e) || w.niefizyczne) return std::nullopt;
  return e;
}

bool Bazowa(RodzajKampanii r) { return r == RodzajKampanii::Odbiorcze || r == RodzajKampanii::PoRemoncie; }

}  // namespace

std::vector<SeriaTrendu> SerieTrendu(const Dokument& d, const std::vector<WynikKampanii>& wyniki, Formulacja f) {
  std::vector<SeriaTrendu> serie(d.turbina.odcinki.size());
  for (std::size_t j = 0; j < serie.size(); ++j) {
    serie[j].odcinek = d.turbina.odcinki[j].nazwa;
    serie[j].etaProjekt = d.turbina.odcinki[j].etaProjekt;
  }
  const std::size_t n = std::min(wyniki.size(), d.kampanie.size());
  for (std::size_t i = 0; i < n; ++i) {
    const Kampania& k = d.kampanie[i];
    const std::optional<double> czas = SekundyZTekstu(k.data);
    if (!czas) continue;
    const std::size_t m = std::min(serie.size(), wyniki[i].odcinki.size());
    for (std::size_t j = 0; j < m; ++j) {
      const WynikOdcinka& w = wyniki[i].odcinki[j];
      const std::optional<double> eta = Eta(w, f);
      if (!eta) continue;
      PunktTrendu p;
      p.kampania = i;
      p.id = k.id;
      p.data = k.data;
      p.czas = *czas;
      p.rodzaj = k.rodzaj;
      p.eta = *eta;
      p.U95 = w.budzet && w.budzet->ok && std::isfinite(w.budzet->U95) ? w.budzet->U95 : 0;
      serie[j].punkty.push_back(std::move(p));
    }
  }
  for (SeriaTrendu& s : serie) {
    std::stable_sort(s.punkty.begin(), s.punkty.end(),
                     [](const PunktTrendu& a, const PunktTrendu& b) { return a.czas < b.czas; });
    if (s.punkty.empty()) continue;
    const double koniec = s.punkty.back().czas;
    for (const PunktTrendu& p : s.punkty) {
      if (!Bazowa(p.rodzaj)) continue;
      if (!s.bazy.empty()) s.bazy.back().doCzasu = p.czas;
      s.bazy.push_back({p.id, p.czas, koniec, p.eta, p.U95});
    }
  }
  return serie;
}

}  // namespace kal::turbiny
