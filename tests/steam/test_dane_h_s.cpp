// State from enthalpy and entropy: range checks, the step tables with their overlaps and gaps,
// the first pass, failures of the inner state evaluation, and the overdraft with the exit
// number that counts across calls.
#include <cmath>
#include <string>
#include <vector>

#include "common/checked.h"
#include "common/number_text.h"
#include "steam/dane_h_s_kroki.h"
#include "steam/steam_fixture.h"

namespace kal::test {
namespace {

struct KCase {
  float d, kBefore, k;
};

TEST(DaneHSSteps, PressureStepFirstRowWinsAndGapsKeepK) {
  const KCase cases[] = {
      {4.0f, 1, 25},    {5.0f, 1, 25},   {5.01f, 3, 3},                        // above 5: kept
      {3.2f, 3, 3},                                                            // 3..3.5: kept
      {2.0f, 1, 20},    {3.0f, 1, 20},   {1.99995f, 3, 3},                     // 1.9999..2: kept
      {0.5f, 1, 10},    {0.3f, 1, 7.5f}, {0.07f, 1, 5},    {0.015f, 7, 2.5f},  // both low rows hold it: 2.5 wins
      {0.01f, 7, 2.5f}, {0.005f, 7, 1},  {0.002f, 7, 1},   {0.001f, 7, 7},    {0.0f, 20, 20},  // below every row: kept
  };
  for (const KCase& c : cases) EXPECT_EQ(KrokCisnienia(c.d, c.kBefore), c.k) << c.d;
}

TEST(DaneHSSteps, TemperatureStepGapsKeepK) {
  const KCase cases[] = {
      {100, 1, 20}, {1000, 1, 20}, {1000.5f, 3, 3},  {50, 1, 10},   {99.99995f, 3, 3}, {7, 1, 7.5f},  {9.99995f, 3, 3},
      {5, 1, 7.5f}, {2, 20, 1.5f}, {4.99995f, 3, 3}, {0.5f, 20, 1}, {0.999995f, 3, 3}, {0.1f, 20, 1},
  };
  for (const KCase& c : cases) EXPECT_EQ(KrokTemperatury(c.d, c.kBefore), c.k) << c.d;
}

struct RangeCase {
  float h, s;
  const char* message;
};

TEST_F(SteamTest, DaneHSRangeChecks) {
  const RangeCase cases[] = {
      {0, 7, " hParyWe = 0 lub sParyWe=0  -> Dane_H_S() "},
      {3000, 0, " hParyWe = 0 lub sParyWe=0  -> Dane_H_S() "},
      {3000, 5.49f, " Wartość entropii poza zakresem  5.5 - 9.0 [kJ/kg deg]"},
      {3000, 9.01f, " Wartość entropii poza zakresem  5.5 - 9.0 [kJ/kg deg]"},
      {1000, 10, " Wartość entropii poza zakresem  5.5 - 9.0 [kJ/kg deg]"},  // entropy first
      {1499, 7, " Wartość entalpii poza zakresem  1500 - 4150 [kJ/kg]"},
      {4151, 7, " Wartość entalpii poza zakresem  1500 - 4150 [kJ/kg]"},
  };
  for (const RangeCase& c : cases) {
    dialogs.ExpectOk(c.message);
    m.st.Blad = 0;
    m.Dane_H_S(c.h, c.s);
    EXPECT_EQ(m.st.Blad, 1) << c.h << " " << c.s;
    EXPECT_EQ(m.st.pPary, 3.5f);
    EXPECT_EQ(m.st.tPary, 425.0f);
  }
  EXPECT_EQ(m.exitNr, 0);
}

struct AcceptedCase {
  float h, s;
  std::vector<std::string> messages;  // what follows when the walk leaves the table's range
  int blad;
};

TEST_F(SteamTest, DaneHSRangeBoundsAreAccepted) {
  const AcceptedCase cases[] = {
      {2600, 5.5f, {}, 0},
      {2800, 9.0f, {}, 0},
      // Too little enthalpy for the entropy: the walk runs below 0.002 MPa.
      {1500, 7, {" Wyskok z obl. entalpii -> Dane_H_S() "}, 1},
      // The walk reaches 600 C: the state's own message, then the search's.
      {4150,
       7,
       {"Niewłaściwa temp.pary , Sub Dane_T_P() ,  t = 607",
        " Wyskok z obl. entropii -> Dane_H_S() , wystąpił błąd w Dane_T_P() "},
       1},
      // The pressure step reaches 22.12 MPa.
      {3000,
       5.5f,
       {"Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = 22,18 [MPa]", " Wyskok z obl. entalpii -> Dane_H_S() "},
       1},
  };
  for (const AcceptedCase& c : cases) {
    for (const std::string& msg : c.messages) dialogs.ExpectOk(msg);
    m.st.Blad = 0;
    m.Dane_H_S(c.h, c.s);
    EXPECT_EQ(m.st.Blad, c.blad) << c.h << " " << c.s;
    dialogs.VerifyDone();
  }
}

TEST_F(SteamTest, DaneHSFindsASuperheatedState) {
  m.Dane_T_P(1, 300, 0);
  const float h = m.st.hPary, s = m.st.sPary;
  m.st.pPary = m.st.tPary = 0;
  m.Dane_H_S(h, s);
  EXPECT_EQ(m.st.Blad, 0);
  EXPECT_LE(std::fabs(m.st.sPary - s), 0.001f);
  EXPECT_NEAR(m.st.pPary, 1, 0.01);
  EXPECT_NEAR(m.st.tPary, 300, 1);
  EXPECT_EQ(m.st.xPary, 1.0f);
  EXPECT_EQ(windows.paraMokraLoads, 0);
}

TEST_F(SteamTest, DaneHSFirstPassConstantsStillStepTheState) {
  // The start point's own enthalpy and entropy: no zero-error row, so the pressure still
  // moves by -2 % and the state is evaluated before the first convergence test.
  m.Dane_H_S(3279.6220703125f, 6.924749851226807f);
  EXPECT_EQ(m.st.Blad, 0);
  EXPECT_GE(m.passes.HS_passes, 1);
  EXPECT_GE(m.passes.HS_tsteps, 1);
  EXPECT_NE(m.st.pPary, 3.5f);
  EXPECT_NEAR(m.st.pPary, 3.5, 0.01);
  EXPECT_NEAR(m.st.tPary, 425, 0.5);
  EXPECT_LE(std::fabs(m.st.sPary - 6.924749851226807f), 0.001f);
}

// The overdraft text, with the epsilon of the last pass as the state shows it afterwards.
std::string OverdraftText(int nr, float hPary, float hWe, char sep) {
  return " Exit   nr " + std::to_string(nr) + "  from  Sub Dane_H_S()  - overdraft  of counter   1251\r\n" +
         std::string(25, ' ') + " epsilon = " + LocaleText(Sng(Round2(Sng(static_cast<double>(hPary) - hWe))), sep);
}

class DaneHSOverdraft : public SteamTest {
 protected:
  // Near 20 MPa and 395 C the search swings around the state without settling.
  void SetUp() override {
    m.Dane_T_P(20, 395, 0);
    h = m.st.hPary;
    s = m.st.sPary;
  }
  // The state the search ends on, from a twin library whose boxes are only recorded.
  float FinalEnthalpy() {
    struct Quiet : Dialogs {
      Answer MsgBox(const std::string&, Buttons, Icon, const std::string&) override { return Answer::Ok; }
      std::string InputBox(const std::string&, const std::string&) override { return ""; }
    } quiet;
    RecordingSteamWindows w;
    ModKalorimo twin{baza, quiet, w};
    twin.Dane_H_S(h, s);
    return twin.st.hPary;
  }
  float h = 0, s = 0;
};

TEST_F(DaneHSOverdraft, ExitNumberCountsAcrossCalls) {
  const float hEnd = FinalEnthalpy();
  dialogs.ExpectOk(OverdraftText(1, hEnd, h, ','));
  dialogs.ExpectOk(OverdraftText(2, hEnd, h, ','));
  m.Dane_H_S(h, s);
  EXPECT_EQ(m.exitNr, 1);
  EXPECT_EQ(m.st.Blad, 0);  // an overdraft is not an error
  EXPECT_EQ(m.passes.HS_passes, 1251);
  // The temperature kept stepping after its own counter passed 1250.
  EXPECT_GT(m.passes.HS_tsteps, 1250);
  EXPECT_EQ(m.st.hPary, hEnd);
  m.Dane_H_S(h, s);
  EXPECT_EQ(m.exitNr, 2);
}

TEST_F(DaneHSOverdraft, EpsilonInThePointLocale) {
  m.decimalSep = '.';
  const float hEnd = FinalEnthalpy();
  const std::string text = OverdraftText(1, hEnd, h, '.');
  EXPECT_NE(text.find('.', text.find("epsilon")), std::string::npos);
  dialogs.ExpectOk(text);
  m.Dane_H_S(h, s);
}

}  // namespace
}  // namespace kal::test
