#include "gui/turbina_raport_zapis.h"

#include <QFile>
#include <exception>

#include "common/errors.h"
#include "common/file_io.h"

namespace kal {

bool ZapiszBajty(const QString& path, const QByteArray& bajty, const QString& co, QString& blad) {
  const QString nie = QStringLiteral("Nie można zapisać %1 „%2”: ").arg(co, path);
  if (path.isEmpty()) {
    blad = QStringLiteral("Nie podano pliku %1.").arg(co);
    return false;
  }
  try {
    ZapiszPlikBezpiecznie(QFile::encodeName(path).toStdString(), bajty.toStdString(), false, "ZapiszBajty");
    return true;
  } catch (const RunTimeError& e) {
    blad = nie + QString::fromStdString(e.lastDllError ? PowodBledu(e.lastDllError) : e.description) +
           QStringLiteral("; poprzedni plik pozostał bez zmian.");
  } catch (const std::exception& e) {
    blad = nie + QString::fromUtf8(e.what());
  }
  return false;
}

bool SprawdzIndeks(std::size_t indeks, std::size_t kampanie, std::size_t wyniki, QString& blad) {
  if (indeks < kampanie && wyniki == kampanie) return true;
  blad = indeks >= kampanie
             ? QStringLiteral("Brak pomiaru nr %1: turbina ma %2 pomiarów.").arg(indeks + 1).arg(kampanie)
             : QStringLiteral(
                   "Wyniki nie odpowiadają pomiarom turbiny (%1 wyników, %2 pomiarów) — "
                   "przelicz je przed raportem.")
                   .arg(wyniki)
                   .arg(kampanie);
  return false;
}

}  // namespace kal
