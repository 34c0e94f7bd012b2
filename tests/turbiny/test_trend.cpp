// The trend's series: a point per campaign with an efficiency, in time order, and the stretches
// of time each baseline holds.
#include <gtest/gtest.h>

#include "turbina_rig.h"
#include "turbiny/czas.h"
#include "turbiny/trend.h"

namespace kal::turbiny {
namespace {

using test::NowaKampania;
using test::NowyOdcinek;

struct Przypadek {
  const char* id;
  const char* data;
  RodzajKampanii rodzaj;
  double eta;  // 0: the section gave none
  bool niefizyczne;
};

TEST(Trend, PunktyWCzasieIOkresyBaz) {
  const Przypadek kTabela[] = {
      {"okr-2", "2024-09-10T09:30", RodzajKampanii::Okresowe, 0.86, false},
      {"odb", "2023-06-20T11:00", RodzajKampanii::Odbiorcze, 0.87, false},
      {"bez-daty", "jutro", RodzajKampanii::Okresowe, 0.85, false},
      {"odrzucony", "2024-12-01T10:00", RodzajKampanii::Okresowe, 0, false},
      {"zly", "2025-01-01T10:00", RodzajKampanii::Okresowe, 1.2, true},
      {"rem", "2025-03-02T08:00", RodzajKampanii::PoRemoncie, 0.88, false},
      {"okr-3", "2025-10-14T10:00", RodzajKampanii::Okresowe, 0.875, false},
  };
  Dokument d;
  d.turbina.odcinki.push_back(NowyOdcinek("WP", "PS", "WP_WYL"));
  d.turbina.odcinki[0].etaProjekt = 0.865;
  std::vector<WynikKampanii> wyniki;
  for (const Przypadek& p : kTabela) {
    d.kampanie.push_back(NowaKampania(p.id, p.data, p.rodzaj));
    WynikOdcinka o;
    o.niefizyczne = p.niefizyczne;
    if (p.eta > 0) {
      o.fits.eta = p.eta;
      o.if97.eta = p.eta + 0.01;
      o.budzet = Budzet{};
      o.budzet->ok = true;
      o.budzet->U95 = 0.004;
    }
    WynikKampanii w;
    w.odcinki.push_back(o);
    wyniki.push_back(w);
  }
  for (Formulacja f : {Formulacja::Fits, Formulacja::IF97}) {
    const std::vector<SeriaTrendu> s = SerieTrendu(d, wyniki, f);
    ASSERT_EQ(1u, s.size());
    EXPECT_EQ(0.865, s[0].etaProjekt);
    std::vector<std::string> ids;
    for (const PunktTrendu& p : s[0].punkty) {
      ids.push_back(p.id);
      EXPECT_EQ(*SekundyZTekstu(d.kampanie[p.kampania].data), p.czas);
      EXPECT_DOUBLE_EQ(kTabela[p.kampania].eta + (f == Formulacja::IF97 ? 0.01 : 0), p.eta);
      EXPECT_EQ(0.004, p.U95);
    }
    EXPECT_EQ((std::vector<std::string>{"odb", "okr-2", "rem", "okr-3"}), ids);
    ASSERT_EQ(2u, s[0].bazy.size());
    EXPECT_EQ("odb", s[0].bazy[0].id);
    EXPECT_EQ(*SekundyZTekstu("2023-06-20T11:00"), s[0].bazy[0].od);
    EXPECT_EQ(*SekundyZTekstu("2025-03-02T08:00"), s[0].bazy[0].doCzasu);
    EXPECT_EQ("rem", s[0].bazy[1].id);
    EXPECT_EQ(*SekundyZTekstu("2025-10-14T10:00"), s[0].bazy[1].doCzasu);
  }
}

}  // namespace
}  // namespace kal::turbiny
