// The Qt view tests run on the offscreen platform; no window reaches a screen. Its screen is as
// large as a common desktop's, at 96 DPI and unscaled whatever the session says, so windows placed
// beside each other fit; the settings file goes to a scratch configuration folder.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "gui/app_look.h"

int RunMainWindowTests(int argc, char** argv);
int RunQtServicesTests(int argc, char** argv);
int RunWykresISTests(int argc, char** argv);
int RunDesktopTests(int argc, char** argv);
int RunTurbinaWindowTests(int argc, char** argv);
int RunImportWizardTests(int argc, char** argv);
int RunTurbinaWynikiTests(int argc, char** argv);
int RunTurbinaRaportTests(int argc, char** argv);

int main(int argc, char** argv) {
  QTemporaryDir scratch;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("config"))));
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    const QString conf = scratch.filePath(QStringLiteral("screen.json"));
    QFile f(conf);
    if (f.open(QIODevice::WriteOnly)) {
      f.write(R"({"screens": [{"name": "S", "x": 0, "y": 0, "width": 1600, "height": 1000,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
      f.close();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(conf));
    // A high-DPI desktop session's scaling would shrink that screen (by 2: to 800 x 500, where
    // the windows cannot stand side by side); the tests keep its pixels as they are.
    for (const char* v :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_ENABLE_HIGHDPI_SCALING",
          "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_USE_PHYSICAL_DPI", "QT_FONT_DPI"})
      qunsetenv(v);
  }
  QApplication app(argc, argv);
  kal::SetUpApplication(app);
  int failed = 0;
  failed += RunQtServicesTests(argc, argv);
  failed += RunMainWindowTests(argc, argv);
  failed += RunWykresISTests(argc, argv);
  failed += RunDesktopTests(argc, argv);
  failed += RunTurbinaWindowTests(argc, argv);
  failed += RunImportWizardTests(argc, argv);
  failed += RunTurbinaWynikiTests(argc, argv);
  failed += RunTurbinaRaportTests(argc, argv);
  return failed;
}
