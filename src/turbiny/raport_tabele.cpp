#include "turbiny/raport_tabele.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/number_text.h"

namespace kal::turbiny {

namespace {

constexpr char kSep = ',';
const char* const kBrak = "—";

std::string BezSpacjiZPrzodu(std::string s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return s.substr(i);
}

// Four significant digits for sensitivities and standard uncertainties, decimal comma.
std::string Znaczace4(double v) {
  if (!std::isfinite(v)) return kBrak;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4G", v);  // "2,5E-05" as the calculator writes small numbers
  std::string s = buf;
  for (char& c : s)
    if (c == '.') c = kSep;
  return s;
}

std::string Opt(const std::optional<double>& v, std::string (*f)(double)) {
  return v && std::isfinite(*v) ? f(*v) : kBrak;
}

std::string Jednostka(const std::string& wejscie) {
  if (wejscie == "ambient") return "kPa";
  const std::size_t kropka = wejscie.rfind('.');
  const std::string w = kropka == std::string::npos ? "" : wejscie.substr(kropka + 1);
  if (w == "p") return "MPa";
  if (w == "t") return "K";
  if (w == "h") return "kJ/kg";
  return "";
}

}  // namespace

std::string TekstProcent(double ulamek) { return BezSpacjiZPrzodu(kal::Format(ulamek * 100, "##0.00", kSep)) + " %"; }

std::string TekstPunktyProcentowe(double roznica) {
  std::string s = TekstProcent(roznica);
  s.resize(s.size() - 2);
  return (roznica >= 0 ? "+" : "") + s + " p.p.";
}

std::string TekstKJ(double v) { return BezSpacjiZPrzodu(kal::Format(v, "##0.0", kSep)) + " kJ/kg"; }

std::string TekstOdczytu(const std::optional<double>& v) { return v ? Text9(*v, kBrak, kSep) : kBrak; }

const char* TekstRodzaju(RodzajKampanii r) {
  switch (r) {
    case RodzajKampanii::Odbiorcze:
      return "badanie odbiorcze";
    case RodzajKampanii::PoRemoncie:
      return "badanie po remoncie";
    case RodzajKampanii::Okresowe:
      break;
  }
  return "badanie okresowe";
}

std::string TekstDaty(const std::string& data) {
  auto cyfry = [&](std::size_t od, std::size_t ile) {
    if (data.size() < od + ile) return false;
    for (std::size_t i = od; i < od + ile; ++i)
      if (data[i] < '0' || data[i] > '9') return false;
    return true;
  };
  if (!cyfry(0, 4) || data[4] != '-' || !cyfry(5, 2) || data[7] != '-' || !cyfry(8, 2)) return data;
  std::string s = data.substr(8, 2) + "." + data.substr(5, 2) + "." + data.substr(0, 4);
  if (data.size() >= 16 && (data[10] == 'T' || data[10] == ' ') && cyfry(11, 2) && data[13] == ':' && cyfry(14, 2))
    s += " " + data.substr(11, 5);
  return s;
}

std::vector<std::string> OpisKampanii(const Dokument& d, std::size_t indeks, const WynikKampanii& w) {
  const Kampania& k = d.kampanie.at(indeks);
  std::vector<std::string> l;
  l.push_back("Pomiar: " + k.id + ", " + TekstDaty(k.data) + ", " + TekstRodzaju(k.rodzaj));
  if (!k.etykieta.empty()) l.push_back("Opis pomiaru: " + k.etykieta);
  l.push_back("Moc: " + (k.mocMW ? BezSpacjiZPrzodu(kal::Format(*k.mocMW, "# ##0.0", kSep)) + " MW" : "nie podano"));
  l.push_back("Ciśnienie otoczenia: " + TekstOdczytu(k.otoczenieKPa) + " kPa (U = " + TekstOdczytu(k.U_otoczenieKPa) +
              " kPa" + (k.u_otoczenieRandom ? ", u losowe " + TekstOdczytu(k.u_otoczenieRandom) + " kPa" : "") + ")");
  l.push_back("Pomiar bazowy: " + (w.baza ? *w.baza : std::string("brak")));
  return l;
}

Tabela TabelaPunktow(const Turbina& t) {
  Tabela tab{"Punkty pomiarowe", {"Punkt", "Nazwa", "Jedn. p", "Nadciśnienie", "U(p)", "U(t)", "Limity p / t"}, {}};
  for (const PunktPomiarowy& p : t.punkty) {
    const std::string up = TekstOdczytu(p.U_p) + (p.U_p_procent ? " %" : " " + p.jednostkaP);
    const std::string lim = TekstOdczytu(p.limity.p) + " % (min " + TekstOdczytu(p.limity.p_min_kPa) + " kPa) / " +
                            TekstOdczytu(p.limity.t) + " K";
    tab.wiersze.push_back(
        {p.id, p.nazwa, p.jednostkaP, p.nadcisnienie ? "tak" : "nie", up, TekstOdczytu(p.U_t) + " K", lim});
  }
  return tab;
}

Tabela TabelaOdczytow(const Turbina& t, const Kampania& k) {
  Tabela tab{"Odczyty i ich stabilność",
             {"Punkt", "p", "Jedn.", "u los. p", "t [°C]", "u los. t [K]", "h [kJ/kg]", "U(h) [kJ/kg]", "n", "Źródło"},
             {}};
  for (const PunktPomiarowy& p : t.punkty) {
    auto it = k.odczyty.find(p.id);
    if (it == k.odczyty.end()) {
      tab.wiersze.push_back({p.id, kBrak, p.jednostkaP, kBrak, kBrak, kBrak, kBrak, kBrak, kBrak, "brak odczytu"});
      continue;
    }
    const Odczyt& o = it->second;
    const bool zImportu = o.n || o.u_p_random || o.u_t_random;
    tab.wiersze.push_back({p.id, TekstOdczytu(o.p), p.jednostkaP + (p.nadcisnienie ? " (nadc.)" : ""),
                           TekstOdczytu(o.u_p_random), TekstOdczytu(o.t), TekstOdczytu(o.u_t_random), TekstOdczytu(o.h),
                           TekstOdczytu(o.U_h), o.n ? std::to_string(*o.n) : kBrak,
                           zImportu ? "średnia z serii" : "wpisane ręcznie"});
  }
  return tab;
}

Tabela TabelaWynikow(const WynikKampanii& w) {
  Tabela tab{"Wyniki odcinków", {"Odcinek", "Wielkość", "Równania", "IF97", "Różnica"}, {}};
  for (const WynikOdcinka& o : w.odcinki) {
    const std::string nazwa = o.nazwa + " (" + o.wlot + " → " + o.wylot + ")";
    std::optional<double> dhsF;
    if (o.fits.izentropa) dhsF = o.fits.dhs;
    bool pierwszy = true;  // the section named on its first row only
    auto wiersz = [&](const std::string& wielkosc, const std::optional<double>& a, const std::optional<double>& b,
                      std::string (*f)(double), std::string (*r)(double)) {
      tab.wiersze.push_back({pierwszy ? nazwa : "", wielkosc, Opt(a, f), Opt(b, f), a && b ? r(*a - *b) : kBrak});
      pierwszy = false;
    };
    wiersz("Δhs", dhsF, o.if97.dhs, TekstKJ, TekstKJ);
    wiersz("Δh", o.fits.dh, o.if97.dh, TekstKJ, TekstKJ);
    wiersz("ηi", o.fits.eta, o.if97.eta, TekstProcent, TekstPunktyProcentowe);
    if (!o.ok)
      tab.wiersze.push_back({"", "uwaga", o.niefizyczne ? "niefizyczne — sprawdź pomiary" : "odrzucony", "", ""});
  }
  return tab;
}

Tabela TabelaPorownan(const WynikKampanii& w) {
  Tabela tab{"Sprawność z niepewnością i porównania",
             {"Odcinek", "Według", "ηi ± U95", "Projekt", "Δ projekt", "Bazowy", "Δ bazowy", "U95 Δ", "Istotność"},
             {}};
  for (const WynikOdcinka& o : w.odcinki) {
    const bool budzet = o.budzet && o.budzet->ok;
    for (int f = 0; f < 2; ++f) {  // the fits, then IF97
      const std::optional<double>& eta = f == 0 ? o.fits.eta : o.if97.eta;
      auto wybierz = [&](const std::optional<ParaEta>& p) {
        return p ? TekstPunktyProcentowe(f == 0 ? p->fits : p->if97) : std::string(kBrak);
      };
      std::string istotnosc = kBrak;
      if (o.istotne) {
        istotnosc = (f == 0 ? o.istotne->first : o.istotne->second) ? "istotna" : "nieistotna";
      }
      tab.wiersze.push_back(
          {f == 0 ? o.nazwa : "", f == 0 ? "równania" : "IF97",
           eta ? TekstProcent(*eta) + (budzet ? " ± " + TekstProcent(o.budzet->U95) : "") : kBrak,
           f == 0 ? Opt(o.etaProjekt, TekstProcent) : "", wybierz(o.dEtaProjekt), f == 0 ? o.baza.value_or(kBrak) : "",
           wybierz(o.dEtaBaza),
           o.U95dEtaBaza ? TekstPunktyProcentowe(*o.U95dEtaBaza).substr(1) + (o.zachowawczo ? "*" : "") : kBrak,
           istotnosc});
    }
  }
  return tab;
}

Tabela TabelaBudzetu(const WynikOdcinka& o) {
  Tabela tab{"Budżet niepewności odcinka " + o.nazwa, {"Wejście", "c = ∂ηi/∂X", "u(X)", "Jedn. X", "Udział"}, {}};
  if (!o.budzet || !o.budzet->ok) return tab;
  for (const SkladnikBudzetu& s : o.budzet->skladniki) {
    const std::string j = Jednostka(s.wejscie);
    tab.wiersze.push_back({s.wejscie + (s.wejscie == o.budzet->dominujace ? " (przeważa)" : ""),
                           Znaczace4(s.c) + (j.empty() ? "" : " 1/" + j), Znaczace4(s.u), j, TekstProcent(s.udzial)});
  }
  return tab;
}

}  // namespace kal::turbiny
