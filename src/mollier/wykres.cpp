#include "mollier/wykres.h"

#include <cmath>
#include <cstring>

#include "common/checked.h"
#include "common/errors.h"
#include "common/jednostki.h"
#include "common/number_text.h"
#include "mollier/rozprezanie.h"

namespace kal {

namespace {

using Funkcja = std::function<std::optional<PunktLinii>(double)>;

// Pixels of the whole chart at 1600 x 1000: the measure of "no corner shows".
struct Skala {
  double kx, ky;
  explicit Skala(const Okno& o) : kx(1600 / (o.sMax - o.sMin)), ky(1000 / (o.hMax - o.hMin)) {}
  double Px(const PunktLinii& a, const PunktLinii& b) const { return std::hypot((a.s - b.s) * kx, (a.h - b.h) * ky); }
  // Distance of m from the chord a-b.
  double Odchylenie(const PunktLinii& a, const PunktLinii& m, const PunktLinii& b) const {
    const double ax = a.s * kx, ay = a.h * ky, bx = b.s * kx, by = b.h * ky, mx = m.s * kx, my = m.h * ky;
    const double dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
    if (len == 0) return std::hypot(mx - ax, my - ay);
    return std::fabs((mx - ax) * dy - (my - ay) * dx) / len;
  }
};

constexpr double kRogPx = 0.2;  // a midpoint this far off its chord is a corner
constexpr double kSkokPx = 4;   // a chord this long after the last halving is a jump
constexpr int kGlebokosc = 10;  // halvings of one base step

std::optional<PunktLinii> Licz(const Funkcja& f, double u) {
  try {
    std::optional<PunktLinii> p = f(u);
    if (p && std::isfinite(p->s) && std::isfinite(p->h)) {
      p->u = u;
      return p;
    }
  } catch (const RunTimeError&) {
    // An equation that fails here breaks the line.
  }
  return std::nullopt;
}

class Probkowanie {
 public:
  Probkowanie(const Funkcja& f, const Okno& o) : f_(f), o_(o), skala_(o) {}

  // The line for u from a to b in n base steps, refined until no corner shows, broken where
  // the function fails or jumps, cut to the chart's rectangle.
  std::vector<std::vector<PunktLinii>> Linia(double a, double b, int n) {
    std::vector<std::optional<PunktLinii>> surowe;
    std::optional<PunktLinii> prev;
    for (int i = 0; i <= n; ++i) {
      const double u = i == n ? b : a + (b - a) * i / n;
      std::optional<PunktLinii> p = Licz(f_, u);
      if (prev && p) Pomiedzy(*prev, *p, 0, surowe);
      if (!p) surowe.push_back(std::nullopt);
      if (p) surowe.push_back(p);
      prev = p;
    }
    return Przytnij(surowe);
  }

  // The line through the given parameters only, joined where it runs on and broken where one
  // step stands out from both its neighbours (a jump, not a bend).
  // With `rosnaca` a step back in s or h is a jump as well: an isobar's slope is its
  // temperature, so only the edge of a correction window turns it back.
  std::vector<std::vector<PunktLinii>> Przez(const std::vector<double>& us, bool rosnaca) {
    std::vector<std::optional<PunktLinii>> pts;
    for (double u : us) pts.push_back(Licz(f_, u));
    auto krok = [&](std::size_t i) {  // chord from i - 1 to i, 0 where there is none
      return i >= 1 && i < pts.size() && pts[i - 1] && pts[i] ? skala_.Px(*pts[i - 1], *pts[i]) : 0.0;
    };
    std::vector<std::optional<PunktLinii>> surowe;
    for (std::size_t i = 0; i < pts.size(); ++i) {
      const double k = krok(i);
      const bool wstecz = rosnaca && k > 0 && (pts[i]->s < pts[i - 1]->s || pts[i]->h < pts[i - 1]->h);
      if (wstecz || (k > kSkokPx && k > 3 * std::max(krok(i - 1), krok(i + 1)))) surowe.push_back(std::nullopt);
      surowe.push_back(pts[i]);
    }
    return Przytnij(surowe);
  }

 private:
  // Points strictly between a and b (b itself is pushed by the caller); nullopt marks a break.
  void Pomiedzy(const PunktLinii& a, const PunktLinii& b, int glebokosc, std::vector<std::optional<PunktLinii>>& out) {
    const bool widoczny = Blisko(a) || Blisko(b);
    if (glebokosc >= kGlebokosc) {
      if (widoczny && skala_.Px(a, b) > kSkokPx) out.push_back(std::nullopt);
      return;
    }
    std::optional<PunktLinii> m = Licz(f_, (a.u + b.u) / 2);
    if (!m) {
      out.push_back(std::nullopt);
      return;
    }
    if (!widoczny && !Blisko(*m)) return;
    if (skala_.Odchylenie(a, *m, b) <= kRogPx && skala_.Px(a, b) <= 40) return;
    Pomiedzy(a, *m, glebokosc + 1, out);
    out.push_back(m);
    Pomiedzy(*m, b, glebokosc + 1, out);
  }

  // Near enough to the rectangle to matter for its corners (a margin of a tenth of it).
  bool Blisko(const PunktLinii& p) const {
    const double ms = (o_.sMax - o_.sMin) / 10, mh = (o_.hMax - o_.hMin) / 10;
    return p.s >= o_.sMin - ms && p.s <= o_.sMax + ms && p.h >= o_.hMin - mh && p.h <= o_.hMax + mh;
  }

  // Last point inside on the way from `in` to `out`, found on the equation itself.
  std::optional<PunktLinii> Brzeg(PunktLinii in, PunktLinii out) {
    for (int i = 0; i < 30; ++i) {
      std::optional<PunktLinii> m = Licz(f_, (in.u + out.u) / 2);
      if (!m) break;
      if (o_.Zawiera(m->s, m->h)) {
        in = *m;
      } else {
        out = *m;
      }
      if (skala_.Px(in, out) < 0.05) break;
    }
    return in;
  }

  std::vector<std::vector<PunktLinii>> Przytnij(const std::vector<std::optional<PunktLinii>>& surowe) {
    std::vector<std::vector<PunktLinii>> odcinki;
    std::vector<PunktLinii> biezacy;
    auto zamknij = [&] {
      if (biezacy.size() >= 2) odcinki.push_back(std::move(biezacy));
      biezacy.clear();
    };
    std::optional<PunktLinii> prev;
    for (const std::optional<PunktLinii>& q : surowe) {
      if (!q) {
        zamknij();
        prev.reset();
        continue;
      }
      const bool in = o_.Zawiera(q->s, q->h);
      const bool prevIn = prev && o_.Zawiera(prev->s, prev->h);
      if (in && prev && !prevIn) biezacy.push_back(*Brzeg(*q, *prev));
      if (!in && prevIn) {
        biezacy.push_back(*Brzeg(*prev, *q));
        zamknij();
      }
      if (in) biezacy.push_back(*q);
      prev = q;
    }
    zamknij();
    return odcinki;
  }

  const Funkcja& f_;
  Okno o_;
  Skala skala_;
};

std::vector<std::vector<PunktLinii>> Rysuj(const Funkcja& f, const Okno& o, double a, double b, int n) {
  return Probkowanie(f, o).Linia(a, b, n);
}

void Dolacz(Linia& l, std::vector<std::vector<PunktLinii>> odcinki) {
  for (auto& o : odcinki) l.odcinki.push_back(std::move(o));
}

// Saturation temperature of the chart's lowest pressure and the top of the saturation line.
double TDolna(ModKalorimo& m) { return m.Tnas(0.002); }
constexpr double kTKrytyczna = 374.12;

Linia LiniaNasycenia(Evaluator& ew, const Okno& o, RodzajLinii rodzaj, double x) {
  ModKalorimo& m = ew.lib();
  Linia l{rodzaj, x, {}};
  Funkcja f = [&m, x](double t) -> std::optional<PunktLinii> {
    m.Nasycenie(t);
    m.Mieszanina(x);
    PunktLinii p;
    p.s = m.st.sx;
    p.h = m.st.hx;
    p.t = static_cast<float>(t);
    p.x = static_cast<float>(x);
    return p;
  };
  m.st.Blad = 0;
  const double t0 = TDolna(m);
  if (m.st.Blad != 0) return l;
  Dolacz(l, Rysuj(f, o, t0, kTKrytyczna, 64));
  return l;
}

}  // namespace

Linia Izobara(Evaluator& ew, double p, const Okno& o) {
  Linia l{RodzajLinii::Izobara, p, {}};
  ModKalorimo& m = ew.lib();
  m.st.Blad = 0;
  const float pf = static_cast<float>(p);
  float ts = 0;
  try {
    ts = Sng(m.Tnas(pf));
  } catch (const RunTimeError&) {
    return l;
  }
  if (m.st.Blad != 0) return l;
  // Wet: straight between the saturated water and the dry steam of its saturation temperature.
  Funkcja mokra = [&m, ts, pf](double x) -> std::optional<PunktLinii> {
    m.Nasycenie(ts);
    m.Mieszanina(x);
    PunktLinii q;
    q.s = m.st.sx;
    q.h = m.st.hx;
    q.p = pf;
    q.t = ts;
    q.x = static_cast<float>(x);
    return q;
  };
  Dolacz(l, Rysuj(mokra, o, 0, 1, 8));
  // Superheated: the pressure-temperature pair, as the calculator finds the state.
  Funkcja para = [&ew, pf](double t) -> std::optional<PunktLinii> {
    EvalResult w = ew.P_T(pf, static_cast<float>(t));
    if (!w.ok || ObszarPT(w.state.tNasPary, w.state.tPary) == Obszar::Woda) return std::nullopt;
    PunktLinii q;
    q.s = w.state.sPary;
    q.h = w.state.hPary;
    q.p = pf;
    q.t = static_cast<float>(t);
    q.x = w.state.xPary;
    return q;
  };
  // The entropy fit takes whole kelvins: between whole degrees it stands still while the
  // enthalpy rises, so the isobar goes through the whole degrees, where the fit is exact.
  std::vector<double> stopnie;
  for (double t = ts; t < kTMax; t += 1) stopnie.push_back(t);
  stopnie.push_back(kTMax);
  Dolacz(l, Probkowanie(para, o).Przez(stopnie, true));
  return l;
}

namespace {

Linia Izoterma(Evaluator& ew, double t, const Okno& o) {
  Linia l{RodzajLinii::Izoterma, t, {}};
  const float tf = t >= kTMax ? kTMax : static_cast<float>(t);
  Funkcja f = [&ew, tf](double lnp) -> std::optional<PunktLinii> {
    const float pf = static_cast<float>(std::exp(lnp));
    EvalResult w = ew.P_T(pf, tf);
    if (!w.ok || ObszarPT(w.state.tNasPary, w.state.tPary) == Obszar::Woda) return std::nullopt;
    PunktLinii q;
    q.s = w.state.sPary;
    q.h = w.state.hPary;
    q.p = pf;
    q.t = tf;
    q.x = w.state.xPary;
    return q;
  };
  // Up to the saturation pressure of t (the water side is no part of it) or the solver's limit.
  ModKalorimo& m = ew.lib();
  m.st.Blad = 0;
  double pGorne = 22.11;
  try {
    if (t < kTKrytyczna) pGorne = std::min(pGorne, m.Pnas(t) * 1.02);
  } catch (const RunTimeError&) {
  }
  Dolacz(l, Rysuj(f, o, std::log(0.002), std::log(pGorne), 48));
  return l;
}

}  // namespace

Wykres ObliczWykres(Evaluator& ew, const Okno& o) {
  Wykres w;
  w.okno = o;
  w.linie.push_back(LiniaNasycenia(ew, o, RodzajLinii::Nasycenie, 1));
  w.linie.push_back(LiniaNasycenia(ew, o, RodzajLinii::Woda, 0));
  for (double x : kSuchosci) w.linie.push_back(LiniaNasycenia(ew, o, RodzajLinii::Suchosc, x));
  for (double p : kIzobary) w.linie.push_back(Izobara(ew, p, o));
  for (int t = 100; t <= 600; t += 50) w.linie.push_back(Izoterma(ew, t, o));
  return w;
}

std::string Etykieta(const Linia& l, float kodJednP, char sep) {
  switch (l.rodzaj) {
    case RodzajLinii::Izobara: {
      const JednostkaCisnienia& j = JednostkaKodu(kodJednP);
      return LocaleText(Sng(l.wartosc / j.mpa), sep) + " " + j.nazwa;
    }
    case RodzajLinii::Izoterma:
      return LocaleText(Sng(l.wartosc), sep) + " °C";
    case RodzajLinii::Nasycenie:
      return "x = 1";
    case RodzajLinii::Woda:
      return "x = 0";
    case RodzajLinii::Suchosc:
      return "x = " + Format(l.wartosc, "0.00", sep);
  }
  return {};
}

const Wykres& WykresyBazy::Daj(const Baza& baza) {
  std::array<std::uint8_t, kRecordLen> klucz{};
  ZapiszRekord(baza, klucz.data());
  if (!wykres_ || klucz != klucz_) {
    Evaluator ew(baza);
    wykres_ = std::make_unique<Wykres>(ObliczWykres(ew));
    klucz_ = klucz;
    ++obliczenia;
  }
  return *wykres_;
}

}  // namespace kal
