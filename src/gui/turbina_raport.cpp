#include "gui/turbina_raport.h"

namespace kal {

// Filled in with the report and the workbook.
bool RaportPdf(const turbiny::Dokument&, const std::vector<turbiny::WynikKampanii>&, std::size_t, const QString&,
               QString& blad) {
  blad = QStringLiteral("jeszcze nie zbudowane");
  return false;
}

bool EksportXlsx(const turbiny::Dokument&, const std::vector<turbiny::WynikKampanii>&, std::size_t, const QString&,
                 QString& blad) {
  blad = QStringLiteral("jeszcze nie zbudowane");
  return false;
}

}  // namespace kal
