#include "gui/qt_platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QStringList>
#include <QTime>
#include <cstdlib>

#include "gui/end_save.h"

namespace kal {

QString TimeFormatWithoutZone(const QString& format) {
  QString out;
  bool quoted = false;
  for (QChar c : format) {
    if (c == QLatin1Char('\'')) quoted = !quoted;
    if (!quoted && c == QLatin1Char('t')) continue;  // time-zone field
    out += c;
  }
  // What stood before the zone (a blank, a comma) goes with it.
  while (!out.isEmpty() && (out.back().isSpace() || out.back() == QLatin1Char(','))) out.chop(1);
  return out.trimmed();
}

// The path's bytes as the file system has them: a folder name that is no UTF-8 must not turn
// into another folder, and the batch tool finds the same one.
std::string QtPlatform::ExecutableDir() {
  const std::string dir = KatalogProgramu();
  if (dir != ".") return dir;
  return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

bool QtPlatform::StartDetached(const std::string& program, const std::vector<std::string>& args) {
  QStringList list;
  for (const auto& a : args) list << QString::fromStdString(a);
  return QProcess::startDetached(QString::fromStdString(program), list);
}

bool QtPlatform::OpenInEditor(const std::string& path) {
  // xdg-open says by its exit code when the desktop has no program for the file; it normally
  // hands the file over at once. One that keeps running is left to run.
  auto* open = new QProcess(QCoreApplication::instance());
  QObject::connect(open, &QProcess::finished, open, &QObject::deleteLater);
  open->setProcessChannelMode(QProcess::ForwardedChannels);
  open->start(QStringLiteral("xdg-open"), {QString::fromStdString(path)});
  if (!open->waitForStarted(3000)) {
    open->deleteLater();
    return false;
  }
  if (!open->waitForFinished(4000)) return true;
  return open->exitStatus() == QProcess::NormalExit && open->exitCode() == 0;
}

void QtPlatform::EndApplication() {
  RozbrojZapisNaKoniec();  // "No" in the error report ends without the last inputs
  std::exit(0);
}

std::string QtPlatform::TimeOfDayText() {
  const QLocale loc = QLocale::system();
  const QString fmt = TimeFormatWithoutZone(loc.timeFormat(QLocale::LongFormat));
  return loc.toString(QTime::currentTime(), fmt).toStdString();
}

}  // namespace kal
