// Timestamps of the plant's exports: local time without a zone, as seconds from 1970-01-01 with
// the local time taken as UTC (plain calendar arithmetic, no time zone rules).
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kal::turbiny {

// "2026-03-14T10:00:05", "2026-03-14 10:00:05" or "14.03.2026 10:00:05"; seconds may be left out
// ("10:00") and may carry a fraction (".25" or ",25"). nullopt for any other text, a zone, or a
// date or time that does not exist.
std::optional<double> SekundyZTekstu(std::string_view tekst);

// A campaign's date as a document stores it: ISO only ("2026-03-14T10:00[:05[.25]]", a space for
// the "T", or the date alone for its midnight), as seconds like SekundyZTekstu; nullopt otherwise.
std::optional<double> SekundyDatyKampanii(std::string_view tekst);

// ISO 8601 "2026-03-14T10:00:05", the fraction to milliseconds when there is one; "" for NaN or
// a time beyond the calendar.
std::string TekstIso(double sekundy);

// Days from 1970-01-01 of a proleptic Gregorian date.
long DniOdEpoki(int rok, unsigned miesiac, unsigned dzien);

}  // namespace kal::turbiny
