// Pieces of the trend screen the tests and the report reach: the hover text of a point and the
// axis time of a campaign's date.
#pragma once
#include <QString>

#include "turbiny/trend.h"

namespace kal {

// "WP, 10.09.2024 09:30 (2024-09-okr, okresowe)\nηi = 86,12 %\nU95 = 0,41 %"
QString OpisPunktuTrendu(const turbiny::SeriaTrendu& s, const turbiny::PunktTrendu& p, turbiny::Formulacja f);

// The chart's time axis counts milliseconds of local time; the series keep the local time as UTC.
double MsOsiCzasu(double sekundy);

}  // namespace kal
