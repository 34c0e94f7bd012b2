#include "turbiny/obliczenia.h"

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <exception>
#include <future>
#include <iterator>
#include <system_error>
#include <thread>

#include "common/errors.h"
#include "turbiny/czas.h"

namespace kal::turbiny {

namespace {

// A number in a message, the Polish way: "0,56".
std::string Liczba(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  std::string s = buf;
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

bool MiesciSieWSingle(double v) { return std::fabs(v) <= static_cast<double>(FLT_MAX); }

std::string PowodFits(const char* punkt, const EvalResult& w) {
  std::string s = std::string("Punkt ") + punkt + ": ";
  if (w.errorNumber != 0)
    return s + "błąd wykonania nr " + std::to_string(w.errorNumber) + " (" + OpisBledu(w.errorNumber) + ")";
  if (!w.message.empty()) return s + w.message;
  return s + "obliczenie odrzucone przez równania (poza zakresem)";
}

bool PozaPrzedzialem(const std::optional<double>& eta) { return eta && !(*eta > 0 && *eta <= 1); }

// u of a pressure reading in MPa: the instrument's U (of |reading| when in %) and the random part.
Wejscie WejscieP(const PunktPomiarowy& p, const Odczyt& o) {
  const double f = MpaNaJednostke(p.jednostkaP).value_or(1.0);
  const double U = p.U_p_procent ? p.U_p * std::fabs(*o.p) / 100 : p.U_p;
  const double ul = o.u_p_random.value_or(0);
  return {p.id + ".p", f * UStandardowa(U, ul), f * ul};
}

Wejscie WejscieT(const PunktPomiarowy& p, const Odczyt& o) {
  const double ul = o.u_t_random.value_or(0);
  return {p.id + ".t", UStandardowa(p.U_t, ul), ul};
}

}  // namespace

WynikOdcinka ObliczOdcinek(Evaluator& ew, const Turbina& t, const Odcinek& o, const Kampania& k) {
  WynikOdcinka r;
  r.nazwa = o.nazwa;
  r.wlot = o.wlot;
  r.wylot = o.wylot;
  r.etaProjekt = o.etaProjekt;
  auto odrzuc = [&](std::string why) {
    r.komunikat = std::move(why);
    return r;
  };
  const PunktPomiarowy* P1 = ZnajdzPunkt(t, o.wlot);
  const PunktPomiarowy* P2 = ZnajdzPunkt(t, o.wylot);
  if (!P1 || !P2) return odrzuc("nieznany punkt " + (P1 ? o.wylot : o.wlot));
  const auto i1 = k.odczyty.find(o.wlot), i2 = k.odczyty.find(o.wylot);
  if (i1 == k.odczyty.end()) return odrzuc("brak odczytu punktu " + o.wlot);
  if (i2 == k.odczyty.end()) return odrzuc("brak odczytu punktu " + o.wylot);
  const Odczyt &r1 = i1->second, &r2 = i2->second;
  if (!r1.p) return odrzuc(o.wlot + ": brak odczytu ciśnienia p");
  if (!r1.t) return odrzuc(o.wlot + ": brak odczytu temperatury t");
  if (!r2.p) return odrzuc(o.wylot + ": brak odczytu ciśnienia p");

  DaneOdcinka d;
  d.wlotNadcisnienie = P1->nadcisnienie;
  d.wylotNadcisnienie = P2->nadcisnienie;
  d.p1 = CisnienieBezwzgledneMPa(*P1, *r1.p, k.otoczenieKPa);
  d.t1 = *r1.t;
  d.p2 = CisnienieBezwzgledneMPa(*P2, *r2.p, k.otoczenieKPa);
  d.p1u = WejscieP(*P1, r1);
  d.t1u = WejscieT(*P1, r1);
  d.p2u = WejscieP(*P2, r2);
  d.otoczenie = {"ambient", UStandardowa(k.U_otoczenieKPa, k.u_otoczenieRandom.value_or(0)),
                 k.u_otoczenieRandom.value_or(0)};
  d.losowe = r1.u_p_random || r1.u_t_random || r2.u_p_random || r2.u_t_random;
  Koniec2 tryb = Koniec2::T2;
  if (o.rodzajWylotu == RodzajWylotu::Przegrzany) {
    if (!r2.t) return odrzuc(o.wylot + ": brak odczytu temperatury t (wylot pary przegrzanej)");
    d.t2 = *r2.t;
    d.koniec2u = WejscieT(*P2, r2);
  } else if (r2.h) {
    tryb = Koniec2::H2;
    d.h2 = *r2.h;
    d.koniec2u = {P2->id + ".h", UStandardowa(r2.U_h.value_or(0), 0), 0};
  } else if (r2.t) {
    return odrzuc(o.wylot + ": sama temperatura nie wyznacza stanu pary mokrej, podaj h2 z bilansu cieplnego");
  } else {
    tryb = Koniec2::Brak;
  }
  d.tryb = tryb;

  if (!(d.p1 > 0) || !(d.p2 > 0)) return odrzuc("ciśnienie bezwzględne musi być dodatnie");
  if (!(d.p2 < d.p1))
    return odrzuc("ciśnienie na wylocie (" + Liczba(d.p2) + " MPa) nie jest niższe niż na wlocie (" + Liczba(d.p1) +
                  " MPa)");
  if (tryb == Koniec2::T2 && !(d.t2 < d.t1))
    return odrzuc("temperatura na wylocie (" + Liczba(d.t2) + " °C) nie jest niższa niż na wlocie (" + Liczba(d.t1) +
                  " °C)");
  if (!MiesciSieWSingle(d.p1 * 1000) || !MiesciSieWSingle(d.t1) || !MiesciSieWSingle(d.t2) || !MiesciSieWSingle(d.h2))
    return odrzuc("wartość odczytu poza zakresem liczb");
  r.dane = d;

  // The fits, as `kalorimo-calc --unit MPa is P1 T1 P2 --t2 T2` (or --h2 H2) computes them.
  const EvalResult w = ew.P_T(static_cast<float>(d.p1), static_cast<float>(d.t1));
  if (!w.ok) {
    r.fits.komunikat = PowodFits("1", w);
  } else {
    r.fitsWlot = true;
    DaneRozprezania dr;
    dr.wlot = w.state;
    dr.wylotKPa = static_cast<float>(d.p2 * 1000);
    dr.tryb = tryb;
    dr.t2 = static_cast<float>(d.t2);
    dr.h2 = static_cast<float>(d.h2);
    r.fits = Rozpreznij(ew, dr);
    if (tryb == Koniec2::T2 && !r.fits.ok && r.fits.izentropa && !r.fits.rzeczywisty && !r.fits.niefizyczne) {
      // A measured exhaust temperature in the wet region or the saturation band fixes no state.
      const EvalResult k2 = ew.P_T(r.fits.p2, static_cast<float>(d.t2));
      if (k2.ok && ObszarPT(k2.state.tNasPary, k2.state.tPary) != Obszar::Przegrzana)
        r.fits.komunikat = o.wylot +
                           ": (p2, t2) leży w obszarze pary mokrej lub w paśmie nasycenia — podaj h2 z "
                           "bilansu cieplnego (wylot mokry)";
    }
  }
  r.if97 = RozpreznijIF97(d.p1, d.t1, d.p2, tryb, d.t2, 0, d.h2);

  const bool fitsLiczby = r.fits.ok || r.fits.niefizyczne;
  const bool if97Liczby = r.if97.ok || r.if97.niefizyczne;
  r.niefizyczne = (fitsLiczby && (r.fits.niefizyczne || PozaPrzedzialem(r.fits.eta))) ||
                  (if97Liczby && (r.if97.niefizyczne || PozaPrzedzialem(r.if97.eta)));
  if (!fitsLiczby) return odrzuc(r.fits.komunikat);
  if (!if97Liczby) return odrzuc(r.if97.blad);
  if (r.niefizyczne) {
    std::string m = "ηi poza przedziałem (0, 1]: niefizyczne — sprawdź pomiary";
    if (!r.fits.komunikat.empty()) m += " (" + r.fits.komunikat + ")";
    return odrzuc(m);
  }
  r.ok = true;
  if (tryb == Koniec2::Brak) {
    r.komunikat = o.wylot + ": wylot mokry bez h2 — tylko punkt 2s i spadek izentropowy";
    return r;
  }
  r.budzet = BudzetEta(d, &r.if97);
  if (!r.budzet->ok) r.komunikat = r.budzet->blad;
  if (r.etaProjekt && r.maEta()) r.dEtaProjekt = ParaEta{*r.fits.eta - *r.etaProjekt, *r.if97.eta - *r.etaProjekt};
  return r;
}

namespace {

// The date-time of every campaign, each parsed once.
std::vector<std::optional<double>> Klucze(const Dokument& d) {
  std::vector<std::optional<double>> v;
  v.reserve(d.kampanie.size());
  for (const Kampania& k : d.kampanie) v.push_back(SekundyDatyKampanii(k.data));
  return v;
}

// The baseline of every campaign: the baselines sorted by date-time, and of one moment by their
// place in the document (the later counts), each campaign's the last of them strictly earlier.
std::vector<std::optional<std::size_t>> Bazowe(const Dokument& d, const std::vector<std::optional<double>>& klucze) {
  std::vector<std::pair<double, std::size_t>> bazy;
  for (std::size_t j = 0; j < d.kampanie.size(); ++j)
    if (d.kampanie[j].rodzaj != RodzajKampanii::Okresowe && klucze[j] && !std::isnan(*klucze[j]))
      bazy.emplace_back(*klucze[j], j);
  std::sort(bazy.begin(), bazy.end());
  std::vector<std::optional<std::size_t>> wynik(d.kampanie.size());
  for (std::size_t i = 0; i < d.kampanie.size(); ++i) {
    if (!klucze[i]) continue;
    const auto za = std::lower_bound(bazy.begin(), bazy.end(), std::make_pair(*klucze[i], std::size_t{0}));
    if (za != bazy.begin()) wynik[i] = std::prev(za)->second;
  }
  return wynik;
}

}  // namespace

std::optional<std::size_t> IndeksBazowego(const Dokument& d, std::size_t indeks) {
  return Bazowe(d, Klucze(d)).at(indeks);
}

namespace {

std::vector<WynikOdcinka> Odcinki(Evaluator& ew, const Dokument& d, std::size_t indeks) {
  std::vector<WynikOdcinka> v;
  v.reserve(d.turbina.odcinki.size());
  for (const Odcinek& o : d.turbina.odcinki) v.push_back(ObliczOdcinek(ew, d.turbina, o, d.kampanie.at(indeks)));
  return v;
}

WynikKampanii Porownaj(const Dokument& d, std::size_t indeks, std::vector<WynikOdcinka> odcinki,
                       const std::vector<WynikOdcinka>* bazowe, const std::optional<std::size_t>& ib) {
  const Kampania& k = d.kampanie.at(indeks);
  WynikKampanii w;
  w.turbina = d.turbina.nazwa;
  w.kampania = k.id;
  w.data = k.data;
  w.rodzaj = k.rodzaj;
  w.odcinki = std::move(odcinki);
  w.ok = true;
  for (const WynikOdcinka& o : w.odcinki) w.ok = w.ok && o.ok;
  if (!ib) {
    w.komunikaty.push_back("brak wcześniejszego pomiaru bazowego (odbiorczego lub po remoncie)");
    return w;
  }
  w.baza = d.kampanie[*ib].id;
  for (std::size_t i = 0; i < w.odcinki.size() && bazowe && i < bazowe->size(); ++i) {
    WynikOdcinka& a = w.odcinki[i];
    const WynikOdcinka& b = (*bazowe)[i];
    a.baza = w.baza;
    if (!a.ok || !a.maEta()) continue;
    if (!b.ok || !b.maEta()) {
      w.komunikaty.push_back(a.nazwa + ": bez porównania z pomiarem bazowym " + *w.baza + " (odcinek tam odrzucony)");
      continue;
    }
    a.dEtaBaza = ParaEta{*a.fits.eta - *b.fits.eta, *a.if97.eta - *b.if97.eta};
    if (!a.budzet || !a.budzet->ok || !b.budzet || !b.budzet->ok) continue;
    const NiepewnoscRoznicy u = UDelta(*a.budzet, *b.budzet);
    a.U95dEtaBaza = 2 * u.u;
    a.zachowawczo = u.zachowawczo;
    a.istotne = std::make_pair(std::fabs(a.dEtaBaza->fits) > 2 * u.u, std::fabs(a.dEtaBaza->if97) > 2 * u.u);
    if (u.zachowawczo)
      w.komunikaty.push_back(a.nazwa +
                             ": niepewność różnicy z pomiarem bazowym oszacowana zachowawczo (u_Δ² = u_c,a² + u_c,b²), "
                             "brak składowych losowych w jednym z pomiarów");
  }
  return w;
}

}  // namespace

WynikKampanii ObliczKampanie(const Dokument& d, std::size_t indeks, const Baza* baza) {
  std::optional<Evaluator> e;
  baza ? e.emplace(*baza) : e.emplace();
  Evaluator& ew = *e;
  const std::optional<std::size_t> ib = IndeksBazowego(d, indeks);
  std::vector<WynikOdcinka> bazowe;
  if (ib) bazowe = Odcinki(ew, d, *ib);
  return Porownaj(d, indeks, Odcinki(ew, d, indeks), ib ? &bazowe : nullptr, ib);
}

namespace {

// Below this many campaigns a second thread costs more than it saves.
constexpr std::size_t kKampaniiNaDwaWatki = 16;

// Every campaign's own sections, a long history on two threads. Each thread has an evaluator of
// its own and takes the next campaign not yet taken, so a thread held up by other work does not
// hold up the other; each campaign is computed by one thread only, from its inputs only: the
// results are the same however the campaigns are shared.
std::vector<std::vector<WynikOdcinka>> WszystkieOdcinki(const Dokument& d, const Baza* baza) {
  const std::size_t n = d.kampanie.size();
  std::vector<std::vector<WynikOdcinka>> wlasne(n);
  std::atomic<std::size_t> nastepna{0};
  auto licz = [&] {
    std::optional<Evaluator> e;
    baza ? e.emplace(*baza) : e.emplace();
    for (std::size_t i = nastepna++; i < n; i = nastepna++) wlasne[i] = Odcinki(*e, d, i);
  };
  std::exception_ptr blad;
  std::thread drugi;
  if (n >= kKampaniiNaDwaWatki) {
    try {
      drugi = std::thread([&] {
        try {
          licz();
        } catch (...) {
          blad = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
      // no thread to be had: all on this one
    }
  }
  try {
    licz();
  } catch (...) {
    nastepna = n;  // the other thread stops after its campaign
    if (drugi.joinable()) drugi.join();
    throw;
  }
  if (drugi.joinable()) drugi.join();
  if (blad) std::rethrow_exception(blad);
  return wlasne;
}

}  // namespace

std::vector<WynikKampanii> ObliczWszystkie(const Dokument& d, const Baza* baza) {
  std::vector<std::vector<WynikOdcinka>> wlasne = WszystkieOdcinki(d, baza);
  const std::vector<std::optional<std::size_t>> ib = Bazowe(d, Klucze(d));
  // Each campaign's sections move into its result; a baseline's are kept as they were for the others.
  std::vector<std::optional<std::vector<WynikOdcinka>>> bazowe(d.kampanie.size());
  for (const std::optional<std::size_t>& b : ib)
    if (b && !bazowe[*b]) bazowe[*b] = wlasne[*b];
  std::vector<WynikKampanii> v;
  v.reserve(d.kampanie.size());
  for (std::size_t i = 0; i < d.kampanie.size(); ++i)
    v.push_back(Porownaj(d, i, std::move(wlasne[i]), ib[i] ? &*bazowe[*ib[i]] : nullptr, ib[i]));
  return v;
}

void ObliczWszystkieTurbiny(Magazyn& m, const std::function<void(const Dokument&, std::vector<WynikKampanii>)>& wynik,
                            const Baza* baza) {
  const std::vector<std::string> nazwy = m.Turbiny();
  // The store is read by one thread at a time: each reading starts once the one before is taken.
  auto czytaj = [&m, &nazwy](std::size_t i) {
    auto wczytaj = [&m, &nazwy, i] { return m.Wczytaj(nazwy[i]); };
    try {
      return std::async(std::launch::async, wczytaj);
    } catch (const std::system_error&) {
      return std::async(std::launch::deferred, wczytaj);  // no thread to be had: read when wanted
    }
  };
  std::future<std::optional<Dokument>> nastepny;
  if (!nazwy.empty()) nastepny = czytaj(0);
  for (std::size_t i = 0; i < nazwy.size(); ++i) {
    const std::optional<Dokument> d = nastepny.get();
    if (i + 1 < nazwy.size()) nastepny = czytaj(i + 1);
    if (d) wynik(*d, ObliczWszystkie(*d, baza));  // a turbine removed meanwhile by another program is left out
  }
}

}  // namespace kal::turbiny
