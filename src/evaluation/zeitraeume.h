#pragma once
// Months and periods of the evaluations: month limits, the booked range, the period list behind
// every period tree, the column lists of the development and cross-tab windows.

#include <cstdint>
#include <string>
#include <vector>

#include "store/datenbestand.h"

namespace talerwerk {

// The date d.m.y, with a day beyond the month's end taken as its last day (31 always means the
// last day). 0 when no date can be formed (month 0 or 13, year outside 1…9999); 0 stands for the
// earliest possible date.
int32_t DatumAus(int32_t tag, int32_t monat, int32_t jahr);

// Previous month in place (January becomes December of the year before); returns the length of
// the resulting month in days (0 for a month outside 1…12).
int32_t VormonatVon(int32_t& monat, int32_t& jahr);
// Next month in place; month 12 or more becomes January of the next year.
void NachmonatVon(int32_t& monat, int32_t& jahr);

// Earliest and latest month among the dates of all bookings, cancelled ones included, widened to
// contain the current month.
struct Monatsspanne {
    int32_t VonMonat = 0;
    int32_t VonJahr = 0;
    int32_t BisMonat = 0;
    int32_t BisJahr = 0;
    bool operator==(const Monatsspanne&) const = default;
};
Monatsspanne Buchungszeitraum(const Datenbestand& d, int32_t heute);

// Fills d.Zeitraeume: "Gesamter Zeitraum", then per year newest first its year entry followed by
// its months from the latest back to the earliest of the booked range.
void ZeitraeumeAufbauen(Datenbestand& d, int32_t heute);

// Column lists, newest first: the months (or years) of the booked range, only those of `jahr`
// unless it is −1.
std::vector<MonatsDatenTyp> MonatsListe(const Datenbestand& d, int32_t jahr, int32_t heute);
std::vector<MonatsDatenTyp> JahresListe(const Datenbestand& d, int32_t jahr, int32_t heute);

// Short caption for chart axes: "März 1997" → "03/1997", "Jahr 1997" → "1997"; other captions lose
// their first blank; a caption without a blank gives "".
std::string KurzBezeichnung(const std::string& bezeichnung);

// The distinct booking dates as short date texts ("dd.mm.yy"), sorted as texts.
std::vector<std::string> BuchungsDaten(const Datenbestand& d);

}  // namespace talerwerk
