// The report's and the workbook's bytes onto disk through the house's safe write: a failure
// keeps the old file whole.
#pragma once
#include <QByteArray>
#include <QString>
#include <cstddef>

namespace kal {

// False with a Polish reason naming `co` ("raportu", "skoroszytu") and the file.
bool ZapiszBajty(const QString& path, const QByteArray& bajty, const QString& co, QString& blad);

// The reason of a failure before any byte was written: which campaign is missing.
bool SprawdzIndeks(std::size_t indeks, std::size_t kampanie, std::size_t wyniki, QString& blad);

}  // namespace kal
