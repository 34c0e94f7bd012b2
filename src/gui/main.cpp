// Kalorimo: the calculator of water and steam properties, its main window and wet-steam window.
#include <QApplication>
#include <QLocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/kalorimo_app.h"
#include "gui/app_look.h"
#include "gui/end_save.h"
#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_platform.h"

namespace {

// The user's decimal separator; numbers are typed and shown with it.
char DecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point == QStringLiteral(",") ? ',' : '.';
}

// Without a platform to show windows on, Qt prints an English hint and aborts: say it in Polish
// and end with status 2 before Qt starts.
bool JestEkran(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  }
  auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0';
  };
  const char* qpa = std::getenv("QT_QPA_PLATFORM");
  if (qpa != nullptr && *qpa != '\0') {
    if (std::strncmp(qpa, "xcb", 3) == 0) return set("DISPLAY");
    if (std::strncmp(qpa, "wayland", 7) == 0) return set("WAYLAND_DISPLAY");
    return true;  // offscreen, vnc, eglfs ... need no session
  }
  return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!JestEkran(argc, argv)) {
    std::fputs(
        "Kalorimo: brak sesji graficznej (DISPLAY i WAYLAND_DISPLAY nie są ustawione).\n"
        "Okno kalkulatora wymaga ekranu; obliczenia bez okna wykonuje kalorimo-calc (kalorimo-calc --help).\n",
        stderr);
    return 2;
  }
  // Under a file-size limit (ulimit -f) a write that passes it fails like one to a full disk,
  // and the program says so, instead of being ended in the middle of it.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication qapp(argc, argv);
  kal::SetUpApplication(qapp);  // without Qt's Polish texts the buttons stay English

  kal::QtDialogs dialogs;
  kal::QtPlatform platform;
  kal::KalorimoApp app(dialogs, platform, DecimalSeparator());
  kal::MainWindow window(app);
  kal::UzbrojZapisNaKoniec(app);
  window.start();
  const int status = QApplication::exec();
  kal::RozbrojZapisNaKoniec();
  return status;
}
