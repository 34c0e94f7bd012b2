// The statistics of each mapped column over the window and its stability verdict.
#include <algorithm>
#include <cmath>

#include "turbiny/czas.h"
#include "turbiny/import_statystyki.h"
#include "turbiny/statystyka.h"

namespace kal::turbiny {

namespace {

std::string Nazwa(const KolumnaMapowania& k) {
  return "kolumna \"" + k.kolumna + "\" (" + (k.punkt.empty() ? k.wielkosc : k.punkt + "." + k.wielkosc) + ")";
}

double Granica(const std::optional<std::string>& tekst, double domyslna, const char* co) {
  if (!tekst) return domyslna;
  const std::optional<double> s = SekundyZTekstu(*tekst);
  if (!s)
    throw BladTurbiny(std::string("okno czasu: zły ") + co + " \"" + *tekst +
                      "\" (oczekiwano 2026-03-14T10:00:05, 2026-03-14 10:00:05 albo 14.03.2026 10:00:05)");
  return *s;
}

}  // namespace

LimitKolumny LimityKolumny(const KolumnaMapowania& k, const Turbina* turbina, double srednia) {
  const PunktPomiarowy* punkt = nullptr;
  if (turbina && k.wielkosc != "ambient") {
    punkt = ZnajdzPunkt(*turbina, k.punkt);
    if (!punkt) throw BladTurbiny(Nazwa(k) + ": turbina \"" + turbina->nazwa + "\" nie ma punktu \"" + k.punkt + "\"");
  }
  const Limity domyslne;
  const Limity& lim = punkt ? punkt->limity : domyslne;
  double limit = 0;
  if (k.wielkosc == "p" || k.wielkosc == "ambient") {
    // A share of |mean| as read, never below the floor in the column's unit (the ambient is in kPa).
    const std::string jednostka = k.wielkosc == "ambient" ? "kPa" : punkt ? punkt->jednostkaP : "MPa";
    const double kpaNaJednostke = MpaNaJednostke(jednostka).value_or(1.0) * 1000;
    const double dolna = lim.p_min_kPa / kpaNaJednostke;
    limit = std::isfinite(srednia) ? std::max(lim.p / 100 * std::fabs(srednia), dolna) : dolna;
  } else if (k.wielkosc == "t") {
    limit = lim.t;
  } else if (!k.limitFluktuacji || !k.limitDryfu) {
    throw BladTurbiny(Nazwa(k) +
                      ": entalpia nie ma domyślnych limitów stabilności; podaj \"limit_fluctuation\" i "
                      "\"limit_drift\" w mapowaniu");
  }
  return {k.limitFluktuacji.value_or(limit), k.limitDryfu.value_or(limit)};
}

Stabilnosc StatystykiSerii(const std::vector<Seria>& serie, const Mapowanie& m, const Turbina* turbina,
                           const OknoCzasu& okno) {
  if (serie.empty()) throw BladTurbiny("brak kolumn do oceny");
  double pierwszy = HUGE_VAL, ostatni = -HUGE_VAL;
  for (const Seria& s : serie) {
    for (const double t : s.czas) pierwszy = std::min(pierwszy, t), ostatni = std::max(ostatni, t);
  }
  if (!(pierwszy <= ostatni)) throw BladTurbiny("seria nie ma żadnego wiersza");
  Stabilnosc w;
  w.od = Granica(okno.od, pierwszy, "początek");
  w.do_ = Granica(okno.do_, ostatni, "koniec");
  if (okno.od && okno.do_ && w.od > w.do_)
    throw BladTurbiny("okno czasu: początek " + TekstIso(w.od) + " jest po końcu " + TekstIso(w.do_));
  for (const Seria& s : serie) {
    const auto ile = static_cast<std::size_t>(
        std::count_if(s.czas.begin(), s.czas.end(), [&](double t) { return t >= w.od && t <= w.do_; }));
    w.wiersze = std::max(w.wiersze, ile);
  }
  if (w.wiersze == 0)
    throw BladTurbiny("w oknie " + TekstIso(w.od) + " – " + TekstIso(w.do_) +
                      " nie ma żadnego wiersza (seria: " + TekstIso(pierwszy) + " – " + TekstIso(ostatni) + ")");
  w.stabilny = true;
  for (const Seria& s : serie) {
    StatystykaKolumny k;
    k.kolumna.kolumna = s.kolumna;
    k.kolumna.punkt = s.punkt;
    k.kolumna.wielkosc = s.wielkosc;
    for (const KolumnaMapowania& km : m.kolumny) {
      if (km.kolumna != s.kolumna) continue;
      k.kolumna.limitFluktuacji = km.limitFluktuacji;
      k.kolumna.limitDryfu = km.limitDryfu;
    }
    const StatystykaSerii st = ObliczStatystyke(s.czas, s.wartosc, w.od, w.do_);
    k.n = st.n, k.brak = st.brak;
    k.srednia = st.srednia, k.s = st.s, k.uRandom = st.uRandom, k.min = st.min, k.max = st.max;
    k.fluktuacja = st.fluktuacja, k.dryf = st.dryf;
    const LimitKolumny lim = LimityKolumny(k.kolumna, turbina, st.srednia);
    k.limitFluktuacji = lim.fluktuacja, k.limitDryfu = lim.dryf;
    // Fewer than two samples show nothing of the steadiness: not stable.
    k.stabilny = st.n >= 2 && st.fluktuacja <= lim.fluktuacja && std::fabs(st.dryf) <= lim.dryf;
    w.stabilny = w.stabilny && k.stabilny;
    w.kolumny.push_back(k);
  }
  return w;
}

Stabilnosc StabilnoscSerii(const std::vector<Seria>& serie, const Mapowanie& m, const Turbina* turbina,
                           const OknoCzasu& okno) {
  Stabilnosc w = StatystykiSerii(serie, m, turbina, okno);
  w.serie = serie;
  return w;
}

}  // namespace kal::turbiny
