// The Qt view tests run on the offscreen platform; no window reaches a screen.
#include <QApplication>

int RunMainWindowTests(int argc, char** argv);
int RunQtServicesTests(int argc, char** argv);
int RunWykresISTests(int argc, char** argv);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  int failed = 0;
  failed += RunQtServicesTests(argc, argv);
  failed += RunMainWindowTests(argc, argv);
  failed += RunWykresISTests(argc, argv);
  return failed;
}
