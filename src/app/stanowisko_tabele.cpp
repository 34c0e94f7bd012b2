// The turbine window's tables: the text of every cell and the check of every edit.
#include <algorithm>
#include <cmath>
#include <ctime>

#include "app/stanowisko.h"
#include "common/number_text.h"
#include "turbiny/czas.h"

namespace kal {

using turbiny::Kampania;
using turbiny::Odcinek;
using turbiny::Odczyt;
using turbiny::PunktPomiarowy;
using turbiny::RodzajKampanii;
using turbiny::RodzajWylotu;
using turbiny::Turbina;

namespace {

const char* const kJednostki[] = {"MPa", "bar", "kPa"};
const char* const kRodzajeWylotu[] = {"przegrzany", "mokry"};
const char* const kRodzajeKampanii[] = {"odbiorcze", "po remoncie", "okresowe"};
constexpr const char* kUpProcent = "%";
constexpr const char* kUpJednostka = "jedn. punktu";

const char* NazwaTabeli(Tabela t) {
  switch (t) {
    case Tabela::Punkty:
      return "Punkty pomiarowe";
    case Tabela::Odcinki:
      return "Odcinki";
    case Tabela::Kampanie:
      return "Pomiary";
    case Tabela::Odczyty:
      return "Odczyty";
  }
  return "";
}

std::string Cytat(const std::string& s) { return "„" + s + "”"; }

std::string Przytnij(const std::string& s) {
  const auto a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

const char* TekstRodzaju(RodzajKampanii r) {
  switch (r) {
    case RodzajKampanii::Odbiorcze:
      return kRodzajeKampanii[0];
    case RodzajKampanii::PoRemoncie:
      return kRodzajeKampanii[1];
    case RodzajKampanii::Okresowe:
      return kRodzajeKampanii[2];
  }
  return "";
}

// Whether a point's id is used by a section or by a campaign's readings.
bool UzywanyWOdcinku(const Turbina& t, const std::string& id) {
  return std::any_of(t.odcinki.begin(), t.odcinki.end(),
                     [&](const Odcinek& o) { return o.wlot == id || o.wylot == id; });
}
bool MaOdczyty(const std::vector<Kampania>& kampanie, const std::string& id) {
  return std::any_of(kampanie.begin(), kampanie.end(), [&](const Kampania& k) { return k.odczyty.count(id) > 0; });
}

std::string TerazIso() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char b[32];
  std::strftime(b, sizeof b, "%Y-%m-%dT%H:%M", &tm);
  return b;
}

// Reads `tekst` as a number into `x`; "" when it is one within [lo, hi], else why not.
std::string Liczbowe(const std::string& tekst, double lo, double hi, const std::string& zakres, double& x) {
  const auto v = LiczbaZTekstu(tekst);
  if (!v) return Cytat(tekst) + " nie jest liczbą";
  if (*v < lo || *v > hi) return "wartość " + Cytat(tekst) + " poza zakresem " + zakres;
  x = *v;
  return "";
}

}  // namespace

std::string OknoTurbiny::Liczba(double x) const { return Text9(x, "", sep_); }

int OknoTurbiny::Wiersze(Tabela t) const {
  switch (t) {
    case Tabela::Punkty:
      return static_cast<int>(dok_.turbina.punkty.size()) + 1;
    case Tabela::Odcinki:
      return static_cast<int>(dok_.turbina.odcinki.size()) + 1;
    case Tabela::Kampanie:
      return static_cast<int>(dok_.kampanie.size()) + 1;
    case Tabela::Odczyty:
      return kampania_ < 0 ? 0 : static_cast<int>(dok_.turbina.punkty.size());
  }
  return 0;
}

int OknoTurbiny::Kolumny(Tabela t) {
  switch (t) {
    case Tabela::Punkty:
      return kolPunktu::Liczba;
    case Tabela::Odcinki:
      return kolOdcinka::Liczba;
    case Tabela::Kampanie:
      return kolKampanii::Liczba;
    case Tabela::Odczyty:
      return kolOdczytu::Liczba;
  }
  return 0;
}

OpisKolumny OknoTurbiny::Kolumna(Tabela t, int k) const {
  auto wybor = [](std::string n, std::initializer_list<const char*> w) {
    OpisKolumny o{std::move(n), {}, false};
    for (const char* s : w) o.wybory.emplace_back(s);
    return o;
  };
  switch (t) {
    case Tabela::Punkty: {
      static const char* const n[] = {"Id",        "Nazwa",   "Jednostka p",   "Nadciśnienie",        "U p",
                                      "U p jedn.", "U t [K]", "Granica p [%]", "Granica p min [kPa]", "Granica t [K]"};
      if (k == kolPunktu::Jednostka) return wybor(n[k], {"MPa", "bar", "kPa"});
      if (k == kolPunktu::Nadcisnienie) return wybor(n[k], {"nie", "tak"});
      if (k == kolPunktu::U_pJedn) return wybor(n[k], {kUpProcent, kUpJednostka});
      return {n[k], {}, false};
    }
    case Tabela::Odcinki: {
      static const char* const n[] = {"Nazwa", "Wlot", "Wylot", "Wylot jako", "ηi projekt [%]"};
      OpisKolumny o{n[k], {}, false};
      if (k == kolOdcinka::Wlot || k == kolOdcinka::Wylot)
        for (const PunktPomiarowy& p : dok_.turbina.punkty) o.wybory.push_back(p.id);
      if (k == kolOdcinka::Rodzaj) return wybor(n[k], {kRodzajeWylotu[0], kRodzajeWylotu[1]});
      return o;
    }
    case Tabela::Kampanie: {
      static const char* const n[] = {"Id", "Data", "Rodzaj", "Opis", "Moc [MW]", "Otoczenie [kPa]"};
      if (k == kolKampanii::Rodzaj) return wybor(n[k], {kRodzajeKampanii[0], kRodzajeKampanii[1], kRodzajeKampanii[2]});
      return {n[k], {}, false};
    }
    case Tabela::Odczyty: {
      static const char* const n[] = {"Punkt", "Jedn. p", "p", "t [°C]", "h [kJ/kg]", "U h [kJ/kg]", "n"};
      const bool ro = k == kolOdczytu::Punkt || k == kolOdczytu::Jednostka || k == kolOdczytu::N;
      return {n[k], {}, ro};
    }
  }
  return {};
}

std::string OknoTurbiny::Tekst(Tabela t, int w, int k) const {
  if (w < 0 || k < 0 || w >= Wiersze(t) || k >= Kolumny(t)) return "";
  const auto W = static_cast<std::size_t>(w);
  auto opc = [this](const std::optional<double>& x) { return x ? Liczba(*x) : std::string(); };
  switch (t) {
    case Tabela::Punkty: {
      if (W == dok_.turbina.punkty.size()) return "";
      const PunktPomiarowy& p = dok_.turbina.punkty[W];
      switch (k) {
        case kolPunktu::Id:
          return p.id;
        case kolPunktu::Nazwa:
          return p.nazwa;
        case kolPunktu::Jednostka:
          return p.jednostkaP;
        case kolPunktu::Nadcisnienie:
          return p.nadcisnienie ? "tak" : "nie";
        case kolPunktu::U_p:
          return Liczba(p.U_p);
        case kolPunktu::U_pJedn:
          return p.U_p_procent ? kUpProcent : kUpJednostka;
        case kolPunktu::U_t:
          return Liczba(p.U_t);
        case kolPunktu::LimP:
          return Liczba(p.limity.p);
        case kolPunktu::LimPmin:
          return Liczba(p.limity.p_min_kPa);
        case kolPunktu::LimT:
          return Liczba(p.limity.t);
      }
      return "";
    }
    case Tabela::Odcinki: {
      if (W == dok_.turbina.odcinki.size()) return "";
      const Odcinek& o = dok_.turbina.odcinki[W];
      switch (k) {
        case kolOdcinka::Nazwa:
          return o.nazwa;
        case kolOdcinka::Wlot:
          return o.wlot;
        case kolOdcinka::Wylot:
          return o.wylot;
        case kolOdcinka::Rodzaj:
          return kRodzajeWylotu[o.rodzajWylotu == RodzajWylotu::Mokry ? 1 : 0];
        case kolOdcinka::EtaProjekt:
          return o.etaProjekt ? Liczba(*o.etaProjekt * 100) : "";
      }
      return "";
    }
    case Tabela::Kampanie: {
      if (W == dok_.kampanie.size()) return "";
      const Kampania& c = dok_.kampanie[W];
      switch (k) {
        case kolKampanii::Id:
          return c.id;
        case kolKampanii::Data:
          return c.data;
        case kolKampanii::Rodzaj:
          return TekstRodzaju(c.rodzaj);
        case kolKampanii::Etykieta:
          return c.etykieta;
        case kolKampanii::Moc:
          return opc(c.mocMW);
        case kolKampanii::Otoczenie:
          return Liczba(c.otoczenieKPa);
      }
      return "";
    }
    case Tabela::Odczyty: {
      const PunktPomiarowy& p = dok_.turbina.punkty[W];
      if (k == kolOdczytu::Punkt) return p.id;
      if (k == kolOdczytu::Jednostka) return p.jednostkaP;
      const Kampania& c = dok_.kampanie[static_cast<std::size_t>(kampania_)];
      const auto it = c.odczyty.find(p.id);
      if (it == c.odczyty.end()) return "";
      const Odczyt& o = it->second;
      switch (k) {
        case kolOdczytu::P:
          return opc(o.p);
        case kolOdczytu::T:
          return opc(o.t);
        case kolOdczytu::H:
          return opc(o.h);
        case kolOdczytu::U_h:
          return opc(o.U_h);
        case kolOdczytu::N:
          return o.n ? std::to_string(*o.n) : "";
      }
      return "";
    }
  }
  return "";
}

bool OknoTurbiny::Odmowa(Tabela t, int w, int k, const std::string& dlaczego) {
  dialogs_.MsgBox(std::string(NazwaTabeli(t)) + ", wiersz " + std::to_string(w + 1) + ", kolumna " +
                      Cytat(Kolumna(t, k).naglowek) + ":\r\n" + dlaczego + ".\r\nNic nie zapisano.",
                  Buttons::OK, Icon::Exclamation, kTytulTurbin);
  return false;
}

bool OknoTurbiny::Edytuj(Tabela t, int w, int k, const std::string& tekst) {
  if (w < 0 || k < 0 || w >= Wiersze(t) || k >= Kolumny(t)) return false;
  if (Kolumna(t, k).tylkoOdczyt) return Odmowa(t, w, k, "tej kolumny nie można zmieniać");
  switch (t) {
    case Tabela::Punkty:
      return EdytujPunkt(w, k, tekst);
    case Tabela::Odcinki:
      return EdytujOdcinek(w, k, tekst);
    case Tabela::Kampanie:
      return EdytujKampanie(w, k, tekst);
    case Tabela::Odczyty:
      return Wklej(w, k, tekst);
  }
  return false;
}

bool OknoTurbiny::EdytujPunkt(int w, int k, const std::string& surowy) {
  const Tabela T = Tabela::Punkty;
  const std::string tekst = Przytnij(surowy);
  Turbina t = dok_.turbina;
  const auto W = static_cast<std::size_t>(w);
  const bool nowy = W == t.punkty.size();
  if (nowy && k != kolPunktu::Id) return Odmowa(T, w, k, "najpierw wpisz identyfikator punktu w kolumnie „Id”");
  if (nowy) t.punkty.emplace_back();
  PunktPomiarowy& p = t.punkty[W];
  std::string blad;
  double x = 0;
  switch (k) {
    case kolPunktu::Id: {
      if (tekst.empty()) return Odmowa(T, w, k, "identyfikator nie może być pusty");
      if (tekst.find_first_of(" \t.") != std::string::npos)
        return Odmowa(T, w, k, "identyfikator " + Cytat(tekst) + " zawiera spację albo kropkę");
      for (std::size_t i = 0; i < t.punkty.size(); ++i)
        if (i != W && t.punkty[i].id == tekst) return Odmowa(T, w, k, "punkt " + Cytat(tekst) + " już jest");
      if (!nowy && p.id != tekst) {
        if (MaOdczyty(dok_.kampanie, p.id))
          return Odmowa(T, w, k, "punkt " + Cytat(p.id) + " ma odczyty w pomiarach; jego identyfikator zostaje");
        for (Odcinek& o : t.odcinki) {
          if (o.wlot == p.id) o.wlot = tekst;
          if (o.wylot == p.id) o.wylot = tekst;
        }
      }
      p.id = tekst;
      break;
    }
    case kolPunktu::Nazwa:
      p.nazwa = tekst;
      break;
    case kolPunktu::Jednostka:
      if (!turbiny::MpaNaJednostke(tekst)) return Odmowa(T, w, k, "jednostka " + Cytat(tekst) + " (MPa, bar albo kPa)");
      if (tekst != p.jednostkaP && MaOdczyty(dok_.kampanie, p.id))
        return Odmowa(T, w, k, "punkt " + Cytat(p.id) + " ma odczyty w " + p.jednostkaP + "; jednostka zostaje");
      p.jednostkaP = tekst;
      break;
    case kolPunktu::Nadcisnienie:
      if (tekst != "tak" && tekst != "nie") return Odmowa(T, w, k, Cytat(tekst) + " — wybierz „tak” albo „nie”");
      p.nadcisnienie = tekst == "tak";
      break;
    case kolPunktu::U_pJedn:
      if (tekst != kUpProcent && tekst != kUpJednostka)
        return Odmowa(T, w, k, Cytat(tekst) + " — wybierz „%” albo „jedn. punktu”");
      p.U_p_procent = tekst == kUpProcent;
      break;
    case kolPunktu::U_p:
      blad = Liczbowe(tekst, 0, p.U_p_procent ? 100 : 1e6, p.U_p_procent ? "0–100 %" : "nieujemnym", x);
      p.U_p = x;
      break;
    case kolPunktu::U_t:
      blad = Liczbowe(tekst, 0, 100, "0–100 K", x);
      p.U_t = x;
      break;
    case kolPunktu::LimP:
      blad = Liczbowe(tekst, 1e-9, 100, "(0, 100] %", x);
      p.limity.p = x;
      break;
    case kolPunktu::LimPmin:
      blad = Liczbowe(tekst, 0, 1e4, "0–10 000 kPa", x);
      p.limity.p_min_kPa = x;
      break;
    case kolPunktu::LimT:
      blad = Liczbowe(tekst, 1e-9, 100, "(0, 100] K", x);
      p.limity.t = x;
      break;
    default:
      return false;
  }
  if (!blad.empty()) return Odmowa(T, w, k, blad);
  return ZapiszTurbine(t);
}

bool OknoTurbiny::EdytujOdcinek(int w, int k, const std::string& surowy) {
  const Tabela T = Tabela::Odcinki;
  const std::string tekst = Przytnij(surowy);
  Turbina t = dok_.turbina;
  const auto W = static_cast<std::size_t>(w);
  const bool nowy = W == t.odcinki.size();
  if (nowy && k != kolOdcinka::Nazwa) return Odmowa(T, w, k, "najpierw wpisz nazwę odcinka w kolumnie „Nazwa”");
  if (nowy) {
    if (t.punkty.size() < 2) return Odmowa(T, w, k, "odcinek łączy dwa punkty; najpierw dodaj punkty pomiarowe");
    Odcinek o;
    // A new section continues the last one: from its exhaust to the next point.
    std::size_t a = 0;
    if (!t.odcinki.empty()) {
      for (std::size_t i = 0; i < t.punkty.size(); ++i)
        if (t.punkty[i].id == t.odcinki.back().wylot) a = i;
    }
    if (a + 1 >= t.punkty.size()) a = 0;
    o.wlot = t.punkty[a].id;
    o.wylot = t.punkty[a + 1].id;
    t.odcinki.push_back(o);
  }
  Odcinek& o = t.odcinki[W];
  switch (k) {
    case kolOdcinka::Nazwa:
      if (tekst.empty()) return Odmowa(T, w, k, "nazwa nie może być pusta");
      for (std::size_t i = 0; i < t.odcinki.size(); ++i)
        if (i != W && t.odcinki[i].nazwa == tekst) return Odmowa(T, w, k, "odcinek " + Cytat(tekst) + " już jest");
      o.nazwa = tekst;
      break;
    case kolOdcinka::Wlot:
    case kolOdcinka::Wylot: {
      if (!turbiny::ZnajdzPunkt(t, tekst)) return Odmowa(T, w, k, "nieznany punkt " + Cytat(tekst));
      const std::string& drugi = k == kolOdcinka::Wlot ? o.wylot : o.wlot;
      if (tekst == drugi) return Odmowa(T, w, k, "wlot i wylot to ten sam punkt " + Cytat(tekst));
      (k == kolOdcinka::Wlot ? o.wlot : o.wylot) = tekst;
      break;
    }
    case kolOdcinka::Rodzaj:
      if (tekst == kRodzajeWylotu[0])
        o.rodzajWylotu = RodzajWylotu::Przegrzany;
      else if (tekst == kRodzajeWylotu[1])
        o.rodzajWylotu = RodzajWylotu::Mokry;
      else
        return Odmowa(T, w, k, Cytat(tekst) + " — wybierz „przegrzany” (t2 zmierzona) albo „mokry” (h2 z bilansu)");
      break;
    case kolOdcinka::EtaProjekt: {
      if (tekst.empty()) {
        o.etaProjekt.reset();
        break;
      }
      double x = 0;
      const std::string blad = Liczbowe(tekst, 1e-9, 100, "(0, 100] %", x);
      if (!blad.empty()) return Odmowa(T, w, k, blad);
      o.etaProjekt = x / 100;
      break;
    }
    default:
      return false;
  }
  return ZapiszTurbine(t);
}

bool OknoTurbiny::EdytujKampanie(int w, int k, const std::string& surowy) {
  const Tabela T = Tabela::Kampanie;
  const std::string tekst = Przytnij(surowy);
  const auto W = static_cast<std::size_t>(w);
  const bool nowa = W == dok_.kampanie.size();
  if (nowa && k != kolKampanii::Id) return Odmowa(T, w, k, "najpierw wpisz identyfikator pomiaru w kolumnie „Id”");
  Kampania c;
  if (nowa) {
    c.data = TerazIso();
  } else {
    c = dok_.kampanie[W];
  }
  switch (k) {
    case kolKampanii::Id:
      if (tekst.empty()) return Odmowa(T, w, k, "identyfikator nie może być pusty");
      if (!nowa && tekst != c.id)
        return Odmowa(T, w, k,
                      "identyfikator pomiaru zostaje (" + Cytat(c.id) + "); dodaj nowy pomiar w pustym wierszu");
      for (std::size_t i = 0; i < dok_.kampanie.size(); ++i)
        if (i != W && dok_.kampanie[i].id == tekst) return Odmowa(T, w, k, "pomiar " + Cytat(tekst) + " już jest");
      c.id = tekst;
      break;
    case kolKampanii::Data: {
      std::string d = tekst;
      if (d.size() > 10 && d[10] == ' ') d[10] = 'T';
      if (!turbiny::SekundyDatyKampanii(d)) {
        const auto s = turbiny::SekundyZTekstu(tekst);
        if (!s || tekst.size() < 16)
          return Odmowa(T, w, k, "data " + Cytat(tekst) + " (RRRR-MM-DD gg:mm albo DD.MM.RRRR gg:mm)");
        d = turbiny::TekstIso(*s);
      }
      c.data = d;
      break;
    }
    case kolKampanii::Rodzaj:
      if (tekst == kRodzajeKampanii[0])
        c.rodzaj = RodzajKampanii::Odbiorcze;
      else if (tekst == kRodzajeKampanii[1])
        c.rodzaj = RodzajKampanii::PoRemoncie;
      else if (tekst == kRodzajeKampanii[2])
        c.rodzaj = RodzajKampanii::Okresowe;
      else
        return Odmowa(T, w, k, Cytat(tekst) + " — wybierz „odbiorcze”, „po remoncie” albo „okresowe”");
      break;
    case kolKampanii::Etykieta:
      c.etykieta = tekst;
      break;
    case kolKampanii::Moc: {
      if (tekst.empty()) {
        c.mocMW.reset();
        break;
      }
      double x = 0;
      const std::string blad = Liczbowe(tekst, 0, 1e5, "0–100 000 MW", x);
      if (!blad.empty()) return Odmowa(T, w, k, blad);
      c.mocMW = x;
      break;
    }
    case kolKampanii::Otoczenie: {
      double x = 0;
      const std::string blad = Liczbowe(tekst, 1, 200, "1–200 kPa", x);
      if (!blad.empty()) return Odmowa(T, w, k, blad);
      c.otoczenieKPa = x;
      break;
    }
    default:
      return false;
  }
  if (!nowa) kampania_ = w;
  return ZapiszKampanie(c, nowa);
}

bool OknoTurbiny::UsunWiersz(Tabela t, int w) {
  if (w < 0 || w >= Wiersze(t)) return false;
  const auto W = static_cast<std::size_t>(w);
  switch (t) {
    case Tabela::Punkty: {
      if (W >= dok_.turbina.punkty.size()) return false;
      const std::string id = dok_.turbina.punkty[W].id;
      if (UzywanyWOdcinku(dok_.turbina, id))
        return Odmowa(t, w, kolPunktu::Id, "punkt " + Cytat(id) + " jest wlotem albo wylotem odcinka");
      if (MaOdczyty(dok_.kampanie, id))
        return Odmowa(t, w, kolPunktu::Id, "punkt " + Cytat(id) + " ma odczyty w pomiarach");
      Turbina nowa = dok_.turbina;
      nowa.punkty.erase(nowa.punkty.begin() + w);
      return ZapiszTurbine(nowa);
    }
    case Tabela::Odcinki: {
      if (W >= dok_.turbina.odcinki.size()) return false;
      Turbina nowa = dok_.turbina;
      nowa.odcinki.erase(nowa.odcinki.begin() + w);
      return ZapiszTurbine(nowa);
    }
    case Tabela::Kampanie: {
      if (W >= dok_.kampanie.size()) return false;
      Krok krok;
      krok.kampaniaId = dok_.kampanie[W].id;
      krok.kampania = dok_.kampanie[W];
      try {
        krok.surowe = SuroweKampanii(krok.kampaniaId);
        magazyn_->UsunKampanie(dok_.turbina.nazwa, krok.kampaniaId);
      } catch (const turbiny::BladTurbiny& e) {
        dialogs_.MsgBox(e.what(), Buttons::OK, Icon::Exclamation, kTytulTurbin);
        return false;
      }
      dok_.kampanie.erase(dok_.kampanie.begin() + w);
      cofnij_.push_back(std::move(krok));
      const int n = static_cast<int>(dok_.kampanie.size());
      if (kampania_ >= n) kampania_ = n - 1;
      Przelicz();
      return true;
    }
    case Tabela::Odczyty:
      return false;
  }
  return false;
}

}  // namespace kal
