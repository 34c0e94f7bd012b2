// Kalorimo: the calculator of water and steam properties, its main window and wet-steam window.
#include <QApplication>
#include <QLocale>

#include "app/kalorimo_app.h"
#include "gui/app_look.h"
#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_platform.h"

namespace {

// The user's decimal separator; numbers are typed and shown with it.
char DecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point == QStringLiteral(",") ? ',' : '.';
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication qapp(argc, argv);
  kal::SetUpApplication(qapp);  // without Qt's Polish texts the buttons stay English

  kal::QtDialogs dialogs;
  kal::QtPlatform platform;
  kal::KalorimoApp app(dialogs, platform, DecimalSeparator());
  kal::MainWindow window(app);
  window.start();
  return QApplication::exec();
}
