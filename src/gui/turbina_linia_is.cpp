#include "gui/turbina_linia_is.h"

#include <algorithm>
#include <cmath>

namespace kal {

namespace {

bool Skonczony(double s, double h, double p) { return std::isfinite(s) && std::isfinite(h) && std::isfinite(p); }

std::optional<PunktIS> ZFits(const Punkt& q, const std::string& id) {
  if (!Skonczony(q.s, q.h, q.p)) return std::nullopt;
  return PunktIS{id, q.p, q.s, q.h};
}

std::optional<PunktIS> ZIF97(const std::optional<if97::Result>& r, const std::string& id) {
  if (!r || r->region == 0 || !Skonczony(r->s, r->h, r->p)) return std::nullopt;
  return PunktIS{id, r->p, r->s, r->h};
}

}  // namespace

std::vector<PunktIS> LiniaOdcinka::lamana() const {
  std::vector<PunktIS> v{wlot};
  if (rzeczywisty)
    v.push_back(*rzeczywisty);
  else if (izentropa)
    v.push_back(*izentropa);
  return v;
}

std::vector<LiniaOdcinka> LinieRozprezania(const turbiny::WynikKampanii& w, bool if97) {
  std::vector<LiniaOdcinka> linie;
  for (const turbiny::WynikOdcinka& o : w.odcinki) {
    std::optional<PunktIS> p1, p2s, p2;
    if (if97) {
      p1 = ZIF97(o.if97.wlot, o.wlot);
      p2s = ZIF97(o.if97.izentropa, "");
      p2 = ZIF97(o.if97.rzeczywisty, o.wylot);
    } else if (o.fitsWlot) {
      p1 = ZFits(o.fits.wlot, o.wlot);
      if (o.fits.izentropa) p2s = ZFits(*o.fits.izentropa, "");
      if (o.fits.rzeczywisty) p2 = ZFits(*o.fits.rzeczywisty, o.wylot);
    }
    if (!p1) continue;
    linie.push_back({o.nazwa, *p1, p2s, p2});
  }
  return linie;
}

Okno OknoLinii(const std::vector<LiniaOdcinka>& a, const std::vector<LiniaOdcinka>& b) {
  double sMin = 1e9, sMax = -1e9, hMin = 1e9, hMax = -1e9;
  auto dodaj = [&](const PunktIS& q) {
    sMin = std::min(sMin, q.s), sMax = std::max(sMax, q.s);
    hMin = std::min(hMin, q.h), hMax = std::max(hMax, q.h);
  };
  for (const auto* v : {&a, &b})
    for (const LiniaOdcinka& l : *v) {
      dodaj(l.wlot);
      if (l.izentropa) dodaj(*l.izentropa);
      if (l.rzeczywisty) dodaj(*l.rzeczywisty);
    }
  if (sMin > sMax) return Okno{};
  double ds = std::max(sMax - sMin, 0.6), dh = std::max(hMax - hMin, 300.0);
  const double sS = (sMin + sMax) / 2, sH = (hMin + hMax) / 2;
  ds *= 1.25, dh *= 1.15;
  Okno o{sS - ds / 2, sS + ds / 2, sH - dh / 2, sH + dh / 2};
  // Inside the chart's own range: its lines are computed there.
  const Okno caly{};
  o.sMin = std::max(o.sMin, 3.0), o.sMax = std::min(o.sMax, 10.0);
  o.hMin = std::max(o.hMin, 1000.0), o.hMax = std::min(o.hMax, caly.hMax + 200);
  return o;
}

}  // namespace kal
