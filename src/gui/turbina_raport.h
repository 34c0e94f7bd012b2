// "Raport PDF…" of a campaign (Qt's own PDF writer, A4, Polish letters embedded) and "Eksport
// XLSX…" (sheets of readings, results and trend, numbers as numbers, through libxlsxwriter).
#pragma once
#include <QString>
#include <cstddef>
#include <vector>

#include "turbiny/model.h"
#include "turbiny/obliczenia.h"

namespace kal {

// Campaign `indeks` of `d`, with every campaign's results (`wyniki`, as ObliczWszystkie gives them)
// for the trend. False with a Polish reason; an old file at `path` stays whole on failure.
bool RaportPdf(const turbiny::Dokument& d, const std::vector<turbiny::WynikKampanii>& wyniki, std::size_t indeks,
               const QString& path, QString& blad);
bool EksportXlsx(const turbiny::Dokument& d, const std::vector<turbiny::WynikKampanii>& wyniki, std::size_t indeks,
                 const QString& path, QString& blad);

}  // namespace kal
