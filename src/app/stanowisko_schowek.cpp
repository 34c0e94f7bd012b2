// The readings grid: typed cells, a block pasted from a spreadsheet, and the block copied out.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "app/stanowisko.h"

namespace kal {

using turbiny::Kampania;
using turbiny::Odczyt;
using turbiny::PunktPomiarowy;

std::optional<double> LiczbaZTekstu(const std::string& tekst) {
  // Spaces (also the no-break ones a spreadsheet puts between thousands) are left out.
  std::string s;
  for (std::size_t i = 0; i < tekst.size() && i < 256; ++i) {
    const unsigned char c = static_cast<unsigned char>(tekst[i]);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    if (c == 0xC2 && i + 1 < tekst.size() && static_cast<unsigned char>(tekst[i + 1]) == 0xA0) {
      ++i;
      continue;
    }
    if (c == 0xE2 && i + 2 < tekst.size() && static_cast<unsigned char>(tekst[i + 1]) == 0x80 &&
        static_cast<unsigned char>(tekst[i + 2]) == 0xAF) {
      i += 2;
      continue;
    }
    s += static_cast<char>(c);
  }
  if (s.empty() || s.size() > 64) return std::nullopt;
  // The decimal sign: with both a comma and a point the last one (the other groups thousands);
  // one sign used once is the decimal sign; one used more often groups thousands ("1.234.567").
  const auto ostatni = s.find_last_of(",.");
  const auto przecinki = std::count(s.begin(), s.end(), ','), kropki = std::count(s.begin(), s.end(), '.');
  char dziesietny = 0;
  if (ostatni != std::string::npos) {
    dziesietny = s[ostatni];
    const auto ile = dziesietny == ',' ? przecinki : kropki;
    if (ile > 1) {
      if (przecinki > 0 && kropki > 0) return std::nullopt;  // "1.2.3,4" or "1,2,3.4" is no number
      dziesietny = 0;
    }
  }
  std::string c;
  for (char z : s) {
    if (z == ',' || z == '.') {
      if (z == dziesietny) c += '.';
      continue;
    }
    if (!(std::isdigit(static_cast<unsigned char>(z)) || z == '-' || z == '+' || z == 'e' || z == 'E'))
      return std::nullopt;
    c += z;
  }
  errno = 0;
  char* end = nullptr;
  const double x = std::strtod(c.c_str(), &end);
  if (end == c.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(x)) return std::nullopt;
  return x;
}

std::string OknoTurbiny::WpiszOdczyt(const PunktPomiarowy& p, int k, const std::string& tekst, Odczyt& o) const {
  std::optional<double>* pole = k == kolOdczytu::P   ? &o.p
                                : k == kolOdczytu::T ? &o.t
                                : k == kolOdczytu::H ? &o.h
                                                     : &o.U_h;
  const bool puste = tekst.find_first_not_of(" \t\r\n") == std::string::npos;
  if (puste) {
    pole->reset();
    return "";
  }
  const auto x = LiczbaZTekstu(tekst);
  if (!x) return "„" + tekst + "” nie jest liczbą";
  const Kampania& c = dok_.kampanie[static_cast<std::size_t>(kampania_)];
  switch (k) {
    case kolOdczytu::P: {
      const double pa = turbiny::CisnienieBezwzgledneMPa(p, *x, c.otoczenieKPa);
      if (!(pa > 0)) return "ciśnienie bezwzględne musi być dodatnie";
      if (pa > 100) return "ciśnienie powyżej 100 MPa";
      break;
    }
    case kolOdczytu::T:
      if (*x < 0 || *x > 800) return "temperatura poza zakresem 0–800 °C";
      break;
    case kolOdczytu::H:
      if (*x <= 0 || *x > 4200) return "entalpia poza zakresem (0, 4200] kJ/kg";
      break;
    default:
      if (*x < 0 || *x > 1000) return "niepewność U h poza zakresem 0–1000 kJ/kg";
      break;
  }
  *pole = *x;
  return "";
}

bool OknoTurbiny::Wklej(int w, int k, const std::string& blok) {
  const Tabela T = Tabela::Odczyty;
  if (kampania_ < 0) return false;
  // The block's rows (a final line break ends the last row) and cells.
  std::vector<std::vector<std::string>> wiersze;
  std::string linia;
  constexpr std::size_t kMaxWierszy = 100000;
  for (std::size_t i = 0; i <= blok.size() && wiersze.size() < kMaxWierszy; ++i) {
    const char ch = i < blok.size() ? blok[i] : '\n';
    if (ch == '\r') continue;
    if (ch != '\n') {
      linia += ch;
      continue;
    }
    if (i == blok.size() && linia.empty() && !wiersze.empty()) break;
    std::vector<std::string> komorki(1);
    for (char z : linia) {
      if (z == '\t')
        komorki.emplace_back();
      else
        komorki.back() += z;
    }
    wiersze.push_back(std::move(komorki));
    linia.clear();
  }

  Kampania c = dok_.kampanie[static_cast<std::size_t>(kampania_)];
  const int nw = Wiersze(T);
  for (std::size_t i = 0; i < wiersze.size(); ++i) {
    const int r = w + static_cast<int>(i);
    for (std::size_t j = 0; j < wiersze[i].size(); ++j) {
      const int col = k + static_cast<int>(j);
      if (r >= nw || col >= Kolumny(T))
        return Odmowa(T, std::min(r, nw - 1), std::min(col, Kolumny(T) - 1), "wklejany blok wychodzi poza tabelę");
      if (Kolumna(T, col).tylkoOdczyt) return Odmowa(T, r, col, "tej kolumny nie można zmieniać");
      const PunktPomiarowy& p = dok_.turbina.punkty[static_cast<std::size_t>(r)];
      Odczyt& o = c.odczyty[p.id];
      const std::string blad = WpiszOdczyt(p, col, wiersze[i][j], o);
      if (!blad.empty()) return Odmowa(T, r, col, blad);
    }
  }
  // Rows checked whole: an enthalpy needs its uncertainty; a point with nothing left goes.
  for (std::size_t i = 0; i < wiersze.size(); ++i) {
    const int r = w + static_cast<int>(i);
    const std::string& id = dok_.turbina.punkty[static_cast<std::size_t>(r)].id;
    const auto it = c.odczyty.find(id);
    if (it == c.odczyty.end()) continue;
    const Odczyt& o = it->second;
    if (o.h && !o.U_h)
      return Odmowa(T, r, kolOdczytu::U_h, "entalpia h wymaga niepewności U h (kJ/kg); wpisz ją najpierw");
    if (!o.p && !o.t && !o.h && !o.U_h) c.odczyty.erase(it);
  }
  return ZapiszKampanie(c, false);
}

std::string OknoTurbiny::Kopiuj(int w0, int k0, int w1, int k1) const {
  const Tabela T = Tabela::Odczyty;
  w0 = std::max(w0, 0);
  k0 = std::max(k0, 0);
  w1 = std::min(w1, Wiersze(T) - 1);
  k1 = std::min(k1, Kolumny(T) - 1);
  std::string s;
  for (int r = w0; r <= w1; ++r) {
    for (int col = k0; col <= k1; ++col) {
      if (col > k0) s += '\t';
      s += Tekst(T, r, col);
    }
    s += '\n';
  }
  return s;
}

}  // namespace kal
