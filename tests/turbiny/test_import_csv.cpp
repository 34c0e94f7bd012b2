// Reading the plant's CSV exports: encodings, separators, decimals, line ends and quoting, detected
// or given; missing cells; and the files that are refused.
#include <gtest/gtest.h>

#include <cmath>

#include "turbiny/import.h"

namespace kal::turbiny {
namespace {

Mapowanie Mapa(const std::string& czas, const std::string& p, const std::string& t) {
  Mapowanie m;
  m.czas = czas;
  m.kolumny.push_back({p, "PS", "p", std::nullopt, std::nullopt});
  m.kolumny.push_back({t, "PS", "t", std::nullopt, std::nullopt});
  return m;
}

struct Plik {
  std::string naglowekP = "Ciśnienie PS", naglowekT = "T_PS";
  std::string sep = ";", eol = "\n";
  char dziesietny = ',';
  bool bom = false, cp1250 = false, cudzyslowy = false;
  std::string czasy[4] = {"2026-03-14 10:00:00", "2026-03-14 10:00:01", "2026-03-14 10:00:02", "2026-03-14 10:00:03"};
  std::string Bajty() const {
    auto pole = [&](std::string s) {
      if (!cudzyslowy) return s;
      std::string q = "\"";
      for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
      return q + "\"";
    };
    auto liczba = [&](std::string s) {
      for (char& c : s)
        if (c == '.') c = dziesietny;
      return pole(s);
    };
    std::string naglowek = pole("Czas") + sep + pole(naglowekP) + sep + pole(naglowekT);
    if (cp1250) {  // "ś" as one Windows-1250 byte
      const std::size_t i = naglowek.find("ś");
      if (i != std::string::npos) naglowek.replace(i, 2, "\x9C");
    }
    std::string b = (bom ? "\xEF\xBB\xBF" : "") + naglowek + eol;
    const char* p[] = {"12.70", "12.72", "12.74", "12.76"};
    const char* t[] = {"535.0", "535.2", "535.4", "535.6"};
    for (int i = 0; i < 4; ++i) b += pole(czasy[i]) + sep + liczba(p[i]) + sep + liczba(t[i]) + eol;
    return b;
  }
};

TEST(ImportCsv, WykrywanieKodowaniaSeparatoraICzesciDziesietnej) {
  struct Przypadek {
    const char* opis;
    Plik plik;
    Mapowanie mapa;
    std::vector<std::string> wykryte;
  };
  std::vector<Przypadek> tabela;
  const Mapowanie zwykla = Mapa("Czas", "Ciśnienie PS", "T_PS");
  {
    Plik f;
    f.bom = true, f.eol = "\r\n";
    tabela.push_back({"UTF-8 z BOM, CRLF",
                      f,
                      zwykla,
                      {"kodowanie: UTF-8 z BOM (wykryte)", "separator: średnik (wykryty)",
                       "część dziesiętna: przecinek (wykryta)"}});
  }
  {
    Plik f;
    f.cp1250 = true, f.eol = "\r\n";
    tabela.push_back({"Windows-1250", f, zwykla, {"kodowanie: Windows-1250 (wykryte)", "średnik"}});
  }
  {
    Plik f;
    f.sep = "\t", f.dziesietny = '.';
    tabela.push_back({"tabulator, kropka", f, zwykla, {"tabulator (wykryty)", "kropka (wykryta)"}});
  }
  {
    Plik f;
    f.sep = ",", f.dziesietny = '.', f.cudzyslowy = true, f.naglowekT = "T, \"PS\"";
    tabela.push_back({"przecinek, pola w cudzysłowach",
                      f,
                      Mapa("Czas", "Ciśnienie PS", "T, \"PS\""),
                      {"UTF-8 (wykryte)", "przecinek (wykryty)", "kropka (wykryta: przecinek rozdziela pola)"}});
  }
  {
    Plik f;
    f.cudzyslowy = true, f.naglowekT = "T;PS", f.eol = "\r\n";
    f.czasy[0] = "2026-03-14T10:00:00.000", f.czasy[1] = "14.03.2026 10:00:01";
    f.czasy[2] = "2026-03-14T10:00:02,0", f.czasy[3] = "2026-03-14 10:00:03";
    tabela.push_back({"średnik w cudzysłowie, trzy postacie czasu",
                      f,
                      Mapa("Czas", "Ciśnienie PS", "T;PS"),
                      {"średnik (wykryty)", "przecinek (wykryta)"}});
  }
  {
    Plik f;
    f.cp1250 = true;
    Mapowanie m = zwykla;
    m.kodowanie = "windows-1250", m.separator = ";", m.dziesietny = ",";
    tabela.push_back({"wszystko z mapowania",
                      f,
                      m,
                      {"Windows-1250 (z mapowania)", "średnik (z mapowania)", "przecinek (z mapowania)"}});
  }
  {
    // Quoted decimal commas between commas: the mapping must say so.
    Plik f;
    f.sep = ",", f.cudzyslowy = true;
    Mapowanie m = zwykla;
    m.dziesietny = ",";
    tabela.push_back({"przecinek dwa razy, z mapowania", f, m, {"przecinek (wykryty)", "przecinek (z mapowania)"}});
  }
  for (const Przypadek& p : tabela) {
    SCOPED_TRACE(p.opis);
    const Stabilnosc s = ObliczStabilnosc(p.plik.Bajty(), p.mapa, nullptr, {});
    for (const std::string& w : p.wykryte) EXPECT_NE(s.wykryte.find(w), std::string::npos) << s.wykryte;
    EXPECT_EQ(s.wiersze, 4u);
    ASSERT_EQ(s.kolumny.size(), 2u);
    EXPECT_EQ(s.kolumny[0].n, 4u);
    EXPECT_NEAR(s.kolumny[0].srednia, 12.73, 1e-12);
    EXPECT_NEAR(s.kolumny[1].srednia, 535.3, 1e-12);
    EXPECT_DOUBLE_EQ(s.od, 1773482400);
    EXPECT_DOUBLE_EQ(s.do_, 1773482403);
    ASSERT_EQ(s.serie.size(), 2u);
    EXPECT_EQ(s.serie[1].wartosc.size(), 4u);
  }
}

TEST(ImportCsv, BrakiLiczoneIPominiete) {
  // Every form of a missing cell, a point in a decimal-comma file, a short row; an empty line is no row.
  const std::string csv =
      "Czas;P;T\r\n"
      "2026-03-14 10:00:00;12,70;535,0\r\n"
      "2026-03-14 10:00:01;;535,1\r\n"
      "2026-03-14 10:00:02;NaN;535,2\r\n"
      "\r\n"
      "2026-03-14 10:00:03;Bad;535,3\r\n"
      "2026-03-14 10:00:04;---;535,4\r\n"
      "2026-03-14 10:00:05;12.5;535,5\r\n"
      "2026-03-14 10:00:06;inf;535,6\r\n"
      "2026-03-14 10:00:07;12,74\r\n"
      "2026-03-14 10:00:08;12,72;nan\r\n"
      "2026-03-14 10:00:09;b\xB3\xB9"
      "d;535,7\r\n";  // "błąd" in Windows-1250
  const Stabilnosc s = ObliczStabilnosc(csv, Mapa("Czas", "P", "T"), nullptr, {});
  EXPECT_EQ(s.wiersze, 10u);
  EXPECT_EQ(s.kolumny[0].n, 3u);
  EXPECT_EQ(s.kolumny[0].brak, 7u);
  EXPECT_NEAR(s.kolumny[0].srednia, 12.72, 1e-12);
  EXPECT_EQ(s.kolumny[1].n, 8u);
  EXPECT_EQ(s.kolumny[1].brak, 2u);
  EXPECT_TRUE(std::isnan(s.serie[0].wartosc[1]));
  EXPECT_NE(s.wykryte.find("Windows-1250"), std::string::npos);
}

TEST(ImportCsv, OdrzuconePliki) {
  const std::string dobry = "Czas;P;T\n2026-03-14 10:00:00;12,7;535\n2026-03-14 10:00:01;12,7;535\n";
  Turbina bezPunktu;
  bezPunktu.nazwa = "TG-4";
  bezPunktu.punkty.push_back(PunktPomiarowy{});
  bezPunktu.punkty[0].id = "WP_WYL";
  struct Przypadek {
    std::string bajty;
    Mapowanie mapa;
    OknoCzasu okno;
    const Turbina* turbina;
    const char* komunikat;
  };
  const Mapowanie m = Mapa("Czas", "P", "T");
  Mapowanie utf8 = m;
  utf8.kodowanie = "utf-8";
  const Przypadek tabela[] = {
      {"", m, {}, nullptr, "plik jest pusty"},
      {"\xEF\xBB\xBF", m, {}, nullptr, "plik jest pusty"},
      {"\r\n \r\n\t\n", m, {}, nullptr, "plik jest pusty"},
      {"Czas;P;T\r\n", m, {}, nullptr, "nie ma wierszy danych"},
      {dobry, Mapa("Czas", "P", "T_PS"), {}, nullptr, "brak kolumny \"T_PS\" (PS.t) w nagłówku; są: Czas, P, T"},
      {dobry, Mapa("Data", "P", "T"), {}, nullptr, "brak kolumny \"Data\" (znacznik czasu)"},
      {"Czas;P;P\n2026-03-14 10:00:00;1;2\n", Mapa("Czas", "P", "X"), {}, nullptr, "dwa razy"},
      {dobry + "2026-03-14 25:00:00;12,7;535\n",
       m,
       {},
       nullptr,
       "wiersz 4: zły znacznik czasu \"2026-03-14 25:00:00\""},
      {dobry + ";12,7;535\n", m, {}, nullptr, "wiersz 4: zły znacznik czasu \"\""},
      {dobry + "2026-03-14 10:00:02;\"12,7;535\n", m, {}, nullptr, "wiersz 4: cudzysłów"},
      {"Czas|P|T\n2026-03-14 10:00:00|1|2\n", m, {}, nullptr, "nie rozpoznano separatora"},
      {"Czas;P;\x9C\n2026-03-14 10:00:00;1;2\n", utf8, {}, nullptr, "nie jest poprawnym tekstem UTF-8 (bajt 8)"},
      {dobry, m, {"2026-03-15T00:00:00", std::nullopt}, nullptr, "nie ma żadnego wiersza"},
      {dobry, m, {"2026-03-14T10:00:01", "2026-03-14T10:00:00"}, nullptr, "jest po końcu"},
      {dobry, m, {"jutro", std::nullopt}, nullptr, "okno czasu: zły początek \"jutro\""},
      {dobry, m, {}, &bezPunktu, "turbina \"TG-4\" nie ma punktu \"PS\""},
  };
  for (const Przypadek& p : tabela) {
    try {
      ObliczStabilnosc(p.bajty, p.mapa, p.turbina, p.okno);
      ADD_FAILURE() << "przyjęty: " << p.komunikat;
    } catch (const BladTurbiny& b) {
      EXPECT_NE(std::string(b.what()).find(p.komunikat), std::string::npos) << b.what();
    }
  }
}

}  // namespace
}  // namespace kal::turbiny
