#pragma once
// Dates are whole day numbers counted from 30 December 1899 (day 0 = "no date"), with Gregorian
// month lengths. The program is German: day.month.year forms and German month names.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace talerwerk {

struct Kalendertag {
    int32_t Tag = 0;
    int32_t Monat = 0;
    int32_t Jahr = 0;
    bool operator==(const Kalendertag&) const = default;
};

bool IstSchaltjahr(int32_t jahr);
int32_t MonatsLaenge(int32_t monat, int32_t jahr);  // 0 for a month outside 1…12
bool GueltigesDatum(int32_t tag, int32_t monat, int32_t jahr);  // years 1…9999

// Day number of a calendar date; nullopt when the date does not exist.
std::optional<int32_t> TagesNummer(int32_t tag, int32_t monat, int32_t jahr);
Kalendertag KalenderAus(int32_t tagesNummer);

// The data file keeps two-digit years (below 80 is 20yy), so a date the program keeps lies in
// these years.
inline constexpr int32_t ErstesJahr = 1980;
inline constexpr int32_t LetztesJahr = 2079;

// The file's date text: "0" for no date, else "dd.mm.yy".
std::string DatumDateiText(int32_t tagesNummer);
// Reads a date text of the file; nullopt when it is no valid date ("0" reads as 0). The year as
// DatumLesen takes it.
std::optional<int32_t> DatumDateiLesen(std::string_view text);

// Reads a date typed as day.month.year. A year of one or two digits below 80 is 20yy, 80…99 19yy;
// a year of four digits is taken as typed and must lie within ErstesJahr…LetztesJahr, since the
// file could not keep any other (1975 would come back as 2075). nullopt when the text does not
// make such a date (the caller turns that into 0).
std::optional<int32_t> DatumLesen(std::string_view text);

// "07.12.26" (two-digit year) and "07.12.2026" (four-digit year); empty for day 0.
std::string DatumKurzText(int32_t tagesNummer);
std::string DatumLangText(int32_t tagesNummer);

// German month names, 1 = "Januar".
const std::string& MonatsName(int32_t monat);

// "YYYY-MM-DD" as in the JSON export; nullopt when not such a date.
std::string DatumIso(int32_t tagesNummer);
std::optional<int32_t> DatumIsoLesen(std::string_view text);

}  // namespace talerwerk
