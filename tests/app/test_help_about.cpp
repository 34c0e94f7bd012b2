// The "   &Pomoc" boxes and the clock.
#include "app/app_fixture.h"

namespace kal::test {
namespace {

TEST_F(AppTest, InfoShowsTheUsageHint) {
  dialogs().ExpectOk(
      "Zawsze należy wstawić dwa parametry pary ,\r\naby obliczyć pozostałe - zaznacz w tym  \r\n"
      "celu odpowienie pole wyboru - wówczas \r\nuaktywni się klawisz OBLICZ .",
      "Info co i jak ?", Icon::Information);
  app().mnuInfo_Click();
}

TEST_F(AppTest, AboutShowsFiveLines) {
  dialogs().ExpectOk(
      " Turbinowo \r\n zajmującej się diagnostyką termodynamiczną turbin \r\n"
      " parowych we współpracy  z  Pracownią Przepływów Parowych Akademii   \r\n"
      " Nadrzecznej.   Kontakt -     kalorimo@example.org  \r\n          \r\n"
      " Folder danych: " +
          rig.dir.path() + "/Kalorimo ",
      "Termodynamika to potęga ", Icon::Information);
  app().mnuAbout_Click();
}

TEST_F(AppTest, HelpIsDisabledAndDoesNothing) {
  EXPECT_FALSE(frm().mnuHelp.Enabled);
  app().mnuHelp_Click();  // no dialog expected
}

TEST_F(AppTest, ClockShowsTheTimeAfterATick) {
  EXPECT_EQ("", frm().lblTime);
  rig.platform.timeText = "08:15:42";
  app().Timer1_Timer();
  EXPECT_EQ("08:15:42", frm().lblTime);
  rig.platform.timeText = "08:15:43";
  app().Timer1_Timer();
  EXPECT_EQ("08:15:43", frm().lblTime);
}

}  // namespace
}  // namespace kal::test
