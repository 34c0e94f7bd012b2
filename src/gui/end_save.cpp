#include "gui/end_save.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/kalorimo_app.h"

namespace kal {

namespace {

KalorimoApp* g_app = nullptr;
int g_pipe[2] = {-1, -1};
QtMessageHandler g_prev = nullptr;

void Zapisz() {
  KalorimoApp* app = g_app;
  g_app = nullptr;  // once
  if (app) app->ZapiszOstatnieDaneCicho();
}

// Only what is safe in a signal handler: the work is done by the event loop.
extern "C" void NaSygnal(int sig) {
  const int e = errno;
  const unsigned char c = static_cast<unsigned char>(sig);
  (void)!::write(g_pipe[1], &c, 1);
  errno = e;
}

// The display lost: the X11 platform ends with exit(), which the atexit hook catches; the
// Wayland one with a fatal message, caught here.
void NaKomunikat(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
  if (type == QtFatalMsg) Zapisz();
  if (g_prev) {
    g_prev(type, ctx, msg);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(msg));
  }
}

}  // namespace

void UzbrojZapisNaKoniec(KalorimoApp& app) {
  g_app = &app;
  if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) == 0) {
    auto* n = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(n, &QSocketNotifier::activated, [] {
      unsigned char c;
      while (::read(g_pipe[0], &c, 1) > 0) {
      }
      Zapisz();
      // The windows hold nothing else worth keeping; a modal box open now must not go on.
      std::_Exit(0);
    });
    struct sigaction sa {};
    sa.sa_handler = NaSygnal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(s, &sa, nullptr);
    std::atexit(Zapisz);
    g_prev = qInstallMessageHandler(NaKomunikat);
  }
  // The session ends: save now, the session manager may end the process without more ado.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, [](QSessionManager&) {
    if (g_app) g_app->ZapiszOstatnieDaneCicho();
  });
}

void RozbrojZapisNaKoniec() { g_app = nullptr; }

}  // namespace kal
