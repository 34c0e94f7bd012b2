// The turbine workbench's window models: the door over the database, the checked edits of the
// tables, undo, paste and copy, and what a reopened window shows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/stanowisko.h"
#include "support/scripted_dialogs.h"
#include "turbiny/dokument.h"

namespace kal::test {
namespace {

using turbiny::Dokument;

constexpr const char* kNic = ".\r\nNic nie zapisano.";

// A database in a fresh folder with turbine "TG-1": points PS, WP_WYL, SKR, sections WP and NP,
// campaign "k1" with the readings of PS and WP_WYL, all typed through the window's tables.
class Stanowisko : public ::testing::Test {
 protected:
  void SetUp() override {
    drzwi = std::make_unique<DrzwiTurbin>(dialogs);
    drzwi->UstawFolder(dir.path() + "/");
    dialogs.ExpectInput("Nazwa nowej turbiny (np. TG-4):", "Nowa turbina", " TG-1 ");
    ASSERT_EQ(drzwi->NowaTurbina(), "TG-1");
    okno = Otworz();
    for (const char* id : {"PS", "WP_WYL", "SKR"})
      Ok(Tabela::Punkty, okno->Wiersze(Tabela::Punkty) - 1, kolPunktu::Id, id);
    Ok(Tabela::Punkty, 2, kolPunktu::Jednostka, "kPa");
    Ok(Tabela::Odcinki, 0, kolOdcinka::Nazwa, "WP");
    Ok(Tabela::Odcinki, 1, kolOdcinka::Nazwa, "NP");
    Ok(Tabela::Odcinki, 1, kolOdcinka::Rodzaj, "mokry");
    Ok(Tabela::Kampanie, 0, kolKampanii::Id, "k1");
    Ok(Tabela::Kampanie, 0, kolKampanii::Data, "2025-10-14 10:00");
    ASSERT_TRUE(okno->Wklej(0, kolOdczytu::P, "12,74\t535,1\n2.9\t320.5\n"));
  }
  void TearDown() override { dialogs.VerifyDone(); }

  std::unique_ptr<OknoTurbiny> Otworz() {
    auto o = std::make_unique<OknoTurbiny>(dialogs, drzwi->Magazyn(), ',');
    EXPECT_TRUE(o->Otworz("TG-1"));
    return o;
  }
  void Ok(Tabela t, int w, int k, const std::string& tekst) { ASSERT_TRUE(okno->Edytuj(t, w, k, tekst)) << tekst; }
  // What the database holds now, as the document.
  std::string Zapisane() { return turbiny::ZapiszDokument(*drzwi->Magazyn()->Wczytaj("TG-1")); }

  TempDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<DrzwiTurbin> drzwi;
  std::unique_ptr<OknoTurbiny> okno;
};

TEST_F(Stanowisko, DoorListsTheTurbinesThenItsTwoCommands) {
  EXPECT_EQ(drzwi->Pozycje(), (std::vector<std::string>{"TG-1", "Nowa turbina…", "Otwórz bazę…"}));
  EXPECT_EQ(drzwi->sciezka(), dir.path() + "/turbiny.db");
  // A name already there, and a cancel, add nothing.
  dialogs.ExpectInput("Nazwa nowej turbiny (np. TG-4):", "Nowa turbina", "TG-1")
      .ExpectBox("Turbina TG-1 już jest w bazie " + dir.path() + "/turbiny.db.\r\nPodaj inną nazwę.", Buttons::OK,
                 Icon::Exclamation, "Turbiny")
      .ExpectInput("Nazwa nowej turbiny (np. TG-4):", "Nowa turbina", "");
  EXPECT_EQ(drzwi->NowaTurbina(), "");
  EXPECT_EQ(drzwi->NowaTurbina(), "");
  // Another file: a text file is refused and the open one stays.
  const std::string zly = dir.path() + "/notatki.db";
  FILE* f = std::fopen(zly.c_str(), "w");
  std::fputs("to nie jest baza danych, tylko zwykły tekst o długości większej niż nagłówek SQLite\n", f);
  std::fclose(f);
  dialogs.ExpectBox("baza turbin " + zly + ": to nie jest plik bazy danych (brak nagłówka SQLite)", Buttons::OK,
                    Icon::Exclamation, "Turbiny");
  EXPECT_FALSE(drzwi->OtworzBaze(zly));
  EXPECT_EQ(drzwi->sciezka(), dir.path() + "/turbiny.db");
  EXPECT_TRUE(drzwi->OtworzBaze(dir.path() + "/druga.db"));
  EXPECT_TRUE(drzwi->turbiny().empty());
}

// Every wrong cell: its message names the table, row and column and why; nothing is saved.
TEST_F(Stanowisko, WrongCellIsToldAtItsCellAndNothingSaved) {
  struct Przypadek {
    Tabela t;
    int w, k;
    const char* tekst;
    const char* komunikat;
  };
  const Przypadek przypadki[] = {
      {Tabela::Punkty, 0, kolPunktu::U_p, "abc", "Punkty pomiarowe, wiersz 1, kolumna „U p”:\r\n„abc” nie jest liczbą"},
      {Tabela::Punkty, 1, kolPunktu::U_t, "-1",
       "Punkty pomiarowe, wiersz 2, kolumna „U t [K]”:\r\nwartość „-1” poza zakresem 0–100 K"},
      {Tabela::Punkty, 3, kolPunktu::Id, "PS", "Punkty pomiarowe, wiersz 4, kolumna „Id”:\r\npunkt „PS” już jest"},
      {Tabela::Punkty, 3, kolPunktu::Nazwa, "x",
       "Punkty pomiarowe, wiersz 4, kolumna „Nazwa”:\r\nnajpierw wpisz identyfikator punktu w kolumnie „Id”"},
      {Tabela::Punkty, 0, kolPunktu::Id, "PX",
       "Punkty pomiarowe, wiersz 1, kolumna „Id”:\r\npunkt „PS” ma odczyty w pomiarach; jego identyfikator zostaje"},
      {Tabela::Punkty, 2, kolPunktu::Id, "S K",
       "Punkty pomiarowe, wiersz 3, kolumna „Id”:\r\nidentyfikator „S K” zawiera spację albo kropkę"},
      {Tabela::Punkty, 0, kolPunktu::Jednostka, "psi",
       "Punkty pomiarowe, wiersz 1, kolumna „Jednostka p”:\r\njednostka „psi” (MPa, bar albo kPa)"},
      {Tabela::Odcinki, 0, kolOdcinka::Wylot, "PS",
       "Odcinki, wiersz 1, kolumna „Wylot”:\r\nwlot i wylot to ten sam punkt „PS”"},
      {Tabela::Odcinki, 0, kolOdcinka::Wlot, "XX", "Odcinki, wiersz 1, kolumna „Wlot”:\r\nnieznany punkt „XX”"},
      {Tabela::Odcinki, 0, kolOdcinka::EtaProjekt, "120",
       "Odcinki, wiersz 1, kolumna „ηi projekt [%]”:\r\nwartość „120” poza zakresem (0, 100] %"},
      {Tabela::Odcinki, 1, kolOdcinka::Nazwa, "WP", "Odcinki, wiersz 2, kolumna „Nazwa”:\r\nodcinek „WP” już jest"},
      {Tabela::Kampanie, 0, kolKampanii::Data, "14.13.2025 10:00",
       "Pomiary, wiersz 1, kolumna „Data”:\r\ndata „14.13.2025 10:00” (RRRR-MM-DD gg:mm albo DD.MM.RRRR gg:mm)"},
      {Tabela::Kampanie, 0, kolKampanii::Otoczenie, "0",
       "Pomiary, wiersz 1, kolumna „Otoczenie [kPa]”:\r\nwartość „0” poza zakresem 1–200 kPa"},
      {Tabela::Kampanie, 0, kolKampanii::Id, "k2",
       "Pomiary, wiersz 1, kolumna „Id”:\r\nidentyfikator pomiaru zostaje („k1”); dodaj nowy pomiar w pustym wierszu"},
      {Tabela::Odczyty, 0, kolOdczytu::P, "-0,1",
       "Odczyty, wiersz 1, kolumna „p”:\r\nciśnienie bezwzględne musi być dodatnie"},
      {Tabela::Odczyty, 1, kolOdczytu::T, "900",
       "Odczyty, wiersz 2, kolumna „t [°C]”:\r\ntemperatura poza zakresem 0–800 °C"},
      {Tabela::Odczyty, 2, kolOdczytu::H, "2345",
       "Odczyty, wiersz 3, kolumna „U h [kJ/kg]”:\r\nentalpia h wymaga niepewności U h (kJ/kg); wpisz ją najpierw"},
      {Tabela::Odczyty, 0, kolOdczytu::N, "5", "Odczyty, wiersz 1, kolumna „n”:\r\ntej kolumny nie można zmieniać"},
  };
  const std::string przed = Zapisane();
  const long obliczen = okno->przeliczenia();
  for (const Przypadek& p : przypadki) {
    dialogs.ExpectBox(std::string(p.komunikat) + kNic, Buttons::OK, Icon::Exclamation, "Turbiny");
    EXPECT_FALSE(okno->Edytuj(p.t, p.w, p.k, p.tekst)) << p.komunikat;
    EXPECT_EQ(Zapisane(), przed) << p.komunikat;
  }
  // A point in use is not removed.
  dialogs.ExpectBox(std::string("Punkty pomiarowe, wiersz 1, kolumna „Id”:\r\npunkt „PS” jest wlotem albo wylotem "
                                "odcinka") +
                        kNic,
                    Buttons::OK, Icon::Exclamation, "Turbiny");
  EXPECT_FALSE(okno->UsunWiersz(Tabela::Punkty, 0));
  EXPECT_EQ(Zapisane(), przed);
  EXPECT_EQ(okno->przeliczenia(), obliczen);
}

// A block from a spreadsheet: decimal comma or point, thousands spaces, an empty cell clears.
TEST_F(Stanowisko, PasteTakesCommaOrPointAndCopyGivesComma) {
  struct Przypadek {
    int w, k;
    const char* blok;
    const char* kopia;  // rows 0..2, columns p..U h afterwards
  };
  const Przypadek przypadki[] = {
      {0, kolOdczytu::P, "12.5\t540", "12,5\t540\t\t\n2,9\t320,5\t\t\n\t\t\t\n"},
      {2, kolOdczytu::P, "5,6\t\t2 345,0\t15\r\n", "12,74\t535,1\t\t\n2,9\t320,5\t\t\n5,6\t\t2345\t15\n"},
      {1, kolOdczytu::T, "\n321,25", "12,74\t535,1\t\t\n2,9\t\t\t\n\t321,25\t\t\n"},
      {2, kolOdczytu::P, "1.234,5\t", "12,74\t535,1\t\t\n2,9\t320,5\t\t\n1234,5\t\t\t\n"},
  };
  for (const Przypadek& p : przypadki) {
    okno = Otworz();
    EXPECT_TRUE(okno->Wklej(p.w, p.k, p.blok)) << p.blok;
    EXPECT_EQ(okno->Kopiuj(0, kolOdczytu::P, 2, kolOdczytu::U_h), p.kopia) << p.blok;
    EXPECT_EQ(Otworz()->Kopiuj(0, kolOdczytu::P, 2, kolOdczytu::U_h), p.kopia) << "reopened: " << p.blok;
    ASSERT_TRUE(okno->Cofnij());
  }
  // A bad cell anywhere in the block: named, and none of the block is saved.
  const std::string przed = Zapisane();
  dialogs.ExpectBox(std::string("Odczyty, wiersz 2, kolumna „t [°C]”:\r\n„3x” nie jest liczbą") + kNic, Buttons::OK,
                    Icon::Exclamation, "Turbiny");
  EXPECT_FALSE(okno->Wklej(0, kolOdczytu::P, "13\t536\n3\t3x\n"));
  dialogs.ExpectBox(std::string("Odczyty, wiersz 3, kolumna „p”:\r\nwklejany blok wychodzi poza tabelę") + kNic,
                    Buttons::OK, Icon::Exclamation, "Turbiny");
  EXPECT_FALSE(okno->Wklej(2, kolOdczytu::P, "5\n6"));
  EXPECT_EQ(Zapisane(), przed);
  EXPECT_EQ(okno->Kopiuj(0, kolOdczytu::Punkt, 0, kolOdczytu::T), "PS\tMPa\t12,74\t535,1\n");
}

// Numbers as a spreadsheet writes them; anything else is no number.
TEST(LiczbaZTekstu, CommaOrPointAndThousands) {
  const std::pair<const char*, std::optional<double>> przypadki[] = {
      {"12,74", 12.74},        {"12.74", 12.74},       {" 2 345,5 ", 2345.5},    {"1.234,5", 1234.5},
      {"1,234.5", 1234.5},     {"1.234.567", 1234567}, {"2\u00a0345,5", 2345.5}, {"-0,5", -0.5},
      {"1e-3", 1e-3},          {"abc", std::nullopt},  {"", std::nullopt},       {"1,2.3,4", std::nullopt},
      {"1e999", std::nullopt}, {"nan", std::nullopt},  {"12,7x", std::nullopt},
  };
  for (const auto& [tekst, wynik] : przypadki) EXPECT_EQ(LiczbaZTekstu(tekst), wynik) << tekst;
}

// Undo takes back the last edits one by one, in the database too.
TEST_F(Stanowisko, UndoTakesBackEachEditInTheDatabase) {
  struct Przypadek {
    Tabela t;
    int w, k;
    const char* tekst;
  };
  const Przypadek przypadki[] = {
      {Tabela::Punkty, 0, kolPunktu::U_p, "0,1"},           {Tabela::Punkty, 3, kolPunktu::Id, "NOWY"},
      {Tabela::Odcinki, 0, kolOdcinka::EtaProjekt, "86,5"}, {Tabela::Kampanie, 1, kolKampanii::Id, "k2"},
      {Tabela::Kampanie, 0, kolKampanii::Moc, "201,3"},     {Tabela::Odczyty, 0, kolOdczytu::T, "536"},
  };
  std::vector<std::string> stany{Zapisane()};
  okno = Otworz();
  for (const Przypadek& p : przypadki) {
    if (p.t == Tabela::Odczyty) okno->WybierzKampanie(0);
    Ok(p.t, p.w, p.k, p.tekst);
    stany.push_back(Zapisane());
    EXPECT_NE(stany.back(), stany[stany.size() - 2]) << p.tekst;
  }
  EXPECT_EQ(okno->Tekst(Tabela::Odcinki, 0, kolOdcinka::EtaProjekt), "86,5");
  EXPECT_EQ(okno->dokument().turbina.odcinki[0].etaProjekt, 0.865);
  for (std::size_t i = stany.size() - 1; i > 0; --i) {
    ASSERT_TRUE(okno->Cofnij());
    EXPECT_EQ(Zapisane(), stany[i - 1]) << i;
    EXPECT_EQ(turbiny::ZapiszDokument(okno->dokument()), stany[i - 1]) << i;
  }
  EXPECT_FALSE(okno->moznaCofnac());
  // A campaign removed comes back with its readings.
  ASSERT_TRUE(okno->UsunWiersz(Tabela::Kampanie, 0));
  EXPECT_EQ(okno->Wiersze(Tabela::Odczyty), 0);
  ASSERT_TRUE(okno->Cofnij());
  EXPECT_EQ(Zapisane(), stany[0]);
}

// The results follow the readings and the coefficient record; a reopened window shows the same.
TEST_F(Stanowisko, ResultsFollowReadingsAndCoefficients) {
  ASSERT_EQ(okno->wyniki().size(), 1u);
  ASSERT_EQ(okno->wyniki()[0].odcinki.size(), 2u);
  const auto& wp = okno->wyniki()[0].odcinki[0];
  ASSERT_TRUE(wp.ok) << wp.komunikat;
  const double eta = *wp.if97.eta;
  EXPECT_GT(eta, 0.7);
  EXPECT_LT(eta, 1.0);
  Ok(Tabela::Odczyty, 1, kolOdczytu::T, "330");
  EXPECT_LT(*okno->wyniki()[0].odcinki[0].if97.eta, eta);  // a hotter exhaust: less work

  auto drugie = Otworz();
  EXPECT_EQ(turbiny::ZapiszDokument(drugie->dokument()), turbiny::ZapiszDokument(okno->dokument()));
  for (Tabela t : {Tabela::Punkty, Tabela::Odcinki, Tabela::Kampanie, Tabela::Odczyty})
    for (int w = 0; w < okno->Wiersze(t); ++w)
      for (int k = 0; k < OknoTurbiny::Kolumny(t); ++k) EXPECT_EQ(drugie->Tekst(t, w, k), okno->Tekst(t, w, k));

  Baza baza{};
  const long n = drugie->przeliczenia();
  drugie->Wspolczynniki(&baza);
  drugie->Wspolczynniki(&baza);  // the same record: nothing to do
  EXPECT_EQ(drugie->przeliczenia(), n + 1);
  baza.Zmieniona();  // read again, the same numbers
  drugie->Wspolczynniki(&baza);
  EXPECT_EQ(drugie->przeliczenia(), n + 1);
  baza.Tab2[1] = 1;
  drugie->Wspolczynniki(&baza);
  EXPECT_EQ(drugie->przeliczenia(), n + 2);
}

}  // namespace
}  // namespace kal::test
