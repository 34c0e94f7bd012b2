// The door to the turbine workbench and a turbine window's storage, undo and results.
#include "app/stanowisko.h"

#include <sys/stat.h>

#include <algorithm>
#include <utility>

namespace kal {

using turbiny::BladTurbiny;
using turbiny::Dokument;
using turbiny::Kampania;
using turbiny::Seria;
using turbiny::Turbina;

namespace {

bool PlikIstnieje(const std::string& sciezka) {
  struct stat st {};
  return ::stat(sciezka.c_str(), &st) == 0;
}

void Komunikat(Dialogs& d, const std::string& tekst) { d.MsgBox(tekst, Buttons::OK, Icon::Exclamation, kTytulTurbin); }

}  // namespace

void DrzwiTurbin::UstawFolder(const std::string& folderDanych) {
  std::string f = folderDanych;
  while (f.size() > 1 && f.back() == '/') f.pop_back();
  magazyn_.reset();
  turbiny_.clear();
  sciezka_.clear();
  if (f.empty()) return;  // no data folder: nothing to list, "Otwórz bazę…" still works
  sciezka_ = f + "/" + kPlikBazyTurbin;
  if (PlikIstnieje(sciezka_)) Odswiez();
}

bool DrzwiTurbin::OtworzBaze(const std::string& sciezka) {
  try {
    auto m = turbiny::OtworzBaze(sciezka);
    auto lista = m->Turbiny();
    magazyn_ = std::move(m);
    sciezka_ = sciezka;
    turbiny_ = std::move(lista);
    return true;
  } catch (const BladTurbiny& e) {
    Komunikat(dialogs_, e.what());
    return false;
  }
}

std::shared_ptr<turbiny::Magazyn> DrzwiTurbin::Magazyn() {
  if (!magazyn_ && !sciezka_.empty()) {
    try {
      magazyn_ = turbiny::OtworzBaze(sciezka_);
    } catch (const BladTurbiny& e) {
      Komunikat(dialogs_, e.what());
    }
  }
  return magazyn_;
}

void DrzwiTurbin::Odswiez() {
  auto m = Magazyn();
  if (!m) return;
  try {
    turbiny_ = m->Turbiny();
  } catch (const BladTurbiny& e) {
    Komunikat(dialogs_, e.what());
  }
}

std::vector<std::string> DrzwiTurbin::Pozycje() const {
  std::vector<std::string> v = turbiny_;
  v.emplace_back(kNowaTurbina);
  v.emplace_back(kOtworzBaze);
  return v;
}

std::string DrzwiTurbin::NowaTurbina() {
  std::string nazwa = dialogs_.InputBox("Nazwa nowej turbiny (np. TG-4):", "Nowa turbina");
  const auto a = nazwa.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  nazwa = nazwa.substr(a, nazwa.find_last_not_of(" \t") - a + 1);
  if (std::find(turbiny_.begin(), turbiny_.end(), nazwa) != turbiny_.end()) {
    Komunikat(dialogs_, "Turbina " + nazwa + " już jest w bazie " + sciezka_ + ".\r\nPodaj inną nazwę.");
    return "";
  }
  auto m = Magazyn();
  if (!m) return "";
  try {
    Dokument d;
    d.turbina.nazwa = nazwa;
    m->Importuj(d, false);
    turbiny_ = m->Turbiny();
  } catch (const BladTurbiny& e) {
    Komunikat(dialogs_, e.what());
    return "";
  }
  return nazwa;
}

OknoTurbiny::OknoTurbiny(Dialogs& dialogs, std::shared_ptr<turbiny::Magazyn> magazyn, char decimalSep)
    : dialogs_(dialogs), magazyn_(std::move(magazyn)), sep_(decimalSep) {}

bool OknoTurbiny::Otworz(const std::string& nazwa) {
  try {
    auto d = magazyn_ ? magazyn_->Wczytaj(nazwa) : std::nullopt;
    if (!d) {
      Komunikat(dialogs_, "Brak turbiny " + nazwa + " w bazie.");
      return false;
    }
    dok_ = std::move(*d);
  } catch (const BladTurbiny& e) {
    Komunikat(dialogs_, e.what());
    return false;
  }
  cofnij_.clear();
  kampania_ = dok_.kampanie.empty() ? -1 : static_cast<int>(dok_.kampanie.size()) - 1;
  Przelicz();
  return true;
}

void OknoTurbiny::Wspolczynniki(const Baza* baza) {
  std::array<std::uint8_t, kRecordLen> r{};
  if (baza) ZapiszRekord(*baza, r.data());
  if (baza == baza_ && r == rekord_) return;
  baza_ = baza;
  rekord_ = r;
  Przelicz();
}

void OknoTurbiny::Przelicz() {
  wyniki_ = turbiny::ObliczWszystkie(dok_, baza_);
  ++przeliczenia_;
}

bool OknoTurbiny::ZapiszTurbine(const Turbina& nowa) {
  try {
    magazyn_->ZapiszTurbine(nowa);
  } catch (const BladTurbiny& e) {
    Komunikat(dialogs_, e.what());
    return false;
  }
  Krok k;
  k.turbina = dok_.turbina;
  cofnij_.push_back(std::move(k));
  dok_.turbina = nowa;
  Przelicz();
  return true;
}

std::vector<Seria> OknoTurbiny::SuroweKampanii(const std::string& id) {
  const auto it =
      std::find_if(dok_.kampanie.begin(), dok_.kampanie.end(), [&](const Kampania& k) { return k.id == id; });
  if (it == dok_.kampanie.end()) return {};
  // Only an imported campaign has series behind it (its readings carry their sample counts).
  const bool zImportu = std::any_of(it->odczyty.begin(), it->odczyty.end(), [](const auto& o) { return o.second.n; });
  return zImportu ? magazyn_->Surowe(dok_.turbina.nazwa, id) : std::vector<Seria>{};
}

bool OknoTurbiny::ZapiszKampanie(const Kampania& nowa, bool nowaKampania) {
  Krok krok;
  krok.kampaniaId = nowa.id;
  try {
    if (!nowaKampania) {
      krok.surowe = SuroweKampanii(nowa.id);
      krok.kampania = dok_.kampanie[static_cast<std::size_t>(kampania_)];
      krok.byla = true;
    }
    magazyn_->ZapiszKampanie(dok_.turbina.nazwa, nowa, krok.surowe);
  } catch (const BladTurbiny& e) {
    Komunikat(dialogs_, e.what());
    return false;
  }
  if (nowaKampania) {
    dok_.kampanie.push_back(nowa);
    kampania_ = static_cast<int>(dok_.kampanie.size()) - 1;
  } else {
    dok_.kampanie[static_cast<std::size_t>(kampania_)] = nowa;
  }
  cofnij_.push_back(std::move(krok));
  Przelicz();
  return true;
}

bool OknoTurbiny::Cofnij() {
  if (cofnij_.empty()) return false;
  const Krok& k = cofnij_.back();
  try {
    if (k.turbina) {
      magazyn_->ZapiszTurbine(*k.turbina);
      dok_.turbina = *k.turbina;
    } else {
      auto it = std::find_if(dok_.kampanie.begin(), dok_.kampanie.end(),
                             [&](const Kampania& x) { return x.id == k.kampaniaId; });
      if (k.kampania) {
        magazyn_->ZapiszKampanie(dok_.turbina.nazwa, *k.kampania, k.surowe);
        if (it != dok_.kampanie.end())
          *it = *k.kampania;
        else
          dok_.kampanie.push_back(*k.kampania);
      } else {
        magazyn_->UsunKampanie(dok_.turbina.nazwa, k.kampaniaId);
        if (it != dok_.kampanie.end()) dok_.kampanie.erase(it);
      }
    }
  } catch (const BladTurbiny& e) {
    Komunikat(dialogs_, e.what());
    return false;
  }
  cofnij_.pop_back();
  const int n = static_cast<int>(dok_.kampanie.size());
  if (kampania_ >= n) kampania_ = n - 1;
  if (kampania_ < 0 && n > 0) kampania_ = n - 1;
  Przelicz();
  return true;
}

bool OknoTurbiny::ZapiszImport(const Kampania& k, const std::vector<Seria>& surowe, const std::string& mapowanie) {
  const auto it =
      std::find_if(dok_.kampanie.begin(), dok_.kampanie.end(), [&](const Kampania& x) { return x.id == k.id; });
  Krok krok;
  krok.kampaniaId = k.id;
  try {
    if (it != dok_.kampanie.end()) {
      krok.kampania = *it;
      krok.surowe = SuroweKampanii(k.id);
      krok.byla = true;
    }
    magazyn_->ZapiszImport(dok_.turbina.nazwa, mapowanie, k, surowe);
  } catch (const BladTurbiny& e) {
    Komunikat(dialogs_, e.what());
    return false;
  }
  dok_.turbina.mapowanie = mapowanie;
  if (it != dok_.kampanie.end()) {
    *it = k;
    kampania_ = static_cast<int>(it - dok_.kampanie.begin());
  } else {
    dok_.kampanie.push_back(k);
    kampania_ = static_cast<int>(dok_.kampanie.size()) - 1;
  }
  cofnij_.push_back(std::move(krok));
  Przelicz();
  return true;
}

void OknoTurbiny::WybierzKampanie(int w) {
  if (w >= 0 && w < static_cast<int>(dok_.kampanie.size())) kampania_ = w;
}

void OknoTurbiny::Pomoc() {
  dialogs_.MsgBox(
      "Stanowisko turbin — badanie sprawności metodą spadku entalpii.\r\n"
      "\r\n"
      "Turbina: punkty pomiarowe (jednostka ciśnienia, nadciśnienie — wtedy dodaje się ciśnienie otoczenia,\r\n"
      "niepewność rozszerzona U przyrządu dla p i t, granice stabilności) i odcinki (wlot, wylot, rodzaj\r\n"
      "wylotu, sprawność projektowa). Każda zmiana komórki jest sprawdzana i od razu zapisana w bazie;\r\n"
      "„Cofnij” przywraca ostatnią zmianę.\r\n"
      "\r\n"
      "Pomiary: kampanie badań (data, rodzaj, opis, moc, ciśnienie otoczenia) i uśrednione odczyty\r\n"
      "wybranej kampanii. Blok z arkusza wkleja Ctrl+V (przecinek albo kropka dziesiętna), Ctrl+C kopiuje.\r\n"
      "„Import CSV…” czyta szereg czasowy z systemu bloku, liczy średnie i ocenia stabilność.\r\n"
      "\r\n"
      "Wyniki: dla każdego odcinka sprawność wewnętrzna ηi = (h1 − h2) / (h1 − h2s), gdzie h2s to\r\n"
      "entalpia po rozprężaniu izentropowym do p2 (s2s = s1) — wg równań kalkulatora i wg IAPWS-IF97,\r\n"
      "obok siebie, z różnicą. Niepewność U95 = 2 u_c (prawo propagacji GUM, k = 2): wrażliwości ∂ηi/∂X\r\n"
      "z różnic centralnych na IF97, u(X)² = (U przyrządu / 2)² + u losowe². Budżet pokazuje udział\r\n"
      "każdego wejścia. Różnica do wartości projektowej i do badania bazowego (ostatnie odbiorcze lub\r\n"
      "po remoncie przed danym); istotna, gdy |Δηi| > 2 u_Δ, gdzie u_Δ zawiera tylko części losowe\r\n"
      "(te same przyrządy — części systematyczne się znoszą).\r\n"
      "\r\n"
      "Wykres I-S: cała linia rozprężania kampanii, linia bazowa przerywana. Trend: ηi odcinków w czasie\r\n"
      "ze słupkami U95, wartością bazową i projektową.\r\n"
      "\r\n"
      "Granice stabilności: wahanie i dryf ciśnienia do 0,25 % wartości (nie mniej niż 0,14 kPa),\r\n"
      "temperatury do 4 K — dopuszczalne wahania według typowych norm cieplnych badań odbiorczych\r\n"
      "turbin; umowa może ustalić inne (kolumny granic w tabeli punktów).",
      Buttons::OK, Icon::Information, "Pomoc — stanowisko turbin");
}

}  // namespace kal
