#include "store/datum.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace talerwerk {
namespace {

// Day 0 is 30 December 1899; the civil-day algorithm below counts from 1 January 1970.
constexpr int64_t Versatz1970 = 25569;

int64_t TageAusKalender(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Kalendertag KalenderAusTagen(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp + (mp < 10 ? 3 : -9);
    return {static_cast<int32_t>(d), static_cast<int32_t>(m), static_cast<int32_t>(y + (m <= 2))};
}

std::string_view Trimmen(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A non-negative decimal number of at most 9 digits; nothing else.
std::optional<int32_t> ZahlLesen(std::string_view s) {
    s = Trimmen(s);
    if (s.empty() || s.size() > 9) return std::nullopt;
    int32_t wert = 0;
    auto [ende, fehler] = std::from_chars(s.data(), s.data() + s.size(), wert);
    if (fehler != std::errc() || ende != s.data() + s.size() || wert < 0) return std::nullopt;
    return wert;
}

// The year of a typed or stored date: one or two digits in the file's two-digit form, or four
// digits within the years the file can keep; anything else is no year.
std::optional<int32_t> JahrLesen(std::string_view s) {
    s = Trimmen(s);
    const auto jahr = ZahlLesen(s);
    if (!jahr) return std::nullopt;
    if (s.size() <= 2) return *jahr < 80 ? 2000 + *jahr : 1900 + *jahr;
    if (s.size() == 4 && *jahr >= ErstesJahr && *jahr <= LetztesJahr) return *jahr;
    return std::nullopt;
}

struct Teile {
    std::string_view tag, monat, jahr;
};

std::optional<Teile> Zerlegen(std::string_view text) {
    const auto p1 = text.find('.');
    if (p1 == std::string_view::npos) return std::nullopt;
    const auto p2 = text.find('.', p1 + 1);
    if (p2 == std::string_view::npos) return std::nullopt;
    return Teile{text.substr(0, p1), text.substr(p1 + 1, p2 - p1 - 1), text.substr(p2 + 1)};
}

std::string ZweiStellen(int32_t n) {
    char puffer[16];
    std::snprintf(puffer, sizeof puffer, "%02d", n);
    return puffer;
}

}  // namespace

bool IstSchaltjahr(int32_t jahr) { return (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0; }

int32_t MonatsLaenge(int32_t monat, int32_t jahr) {
    static constexpr std::array<int32_t, 12> Laengen = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (monat < 1 || monat > 12) return 0;
    return monat == 2 && IstSchaltjahr(jahr) ? 29 : Laengen[monat - 1];
}

bool GueltigesDatum(int32_t tag, int32_t monat, int32_t jahr) {
    return jahr >= 1 && jahr <= 9999 && tag >= 1 && tag <= MonatsLaenge(monat, jahr);
}

std::optional<int32_t> TagesNummer(int32_t tag, int32_t monat, int32_t jahr) {
    if (!GueltigesDatum(tag, monat, jahr)) return std::nullopt;
    return static_cast<int32_t>(TageAusKalender(jahr, monat, tag) + Versatz1970);
}

Kalendertag KalenderAus(int32_t tagesNummer) { return KalenderAusTagen(int64_t{tagesNummer} - Versatz1970); }

std::string DatumDateiText(int32_t tagesNummer) {
    if (tagesNummer == 0) return "0";
    return DatumKurzText(tagesNummer);
}

std::optional<int32_t> DatumDateiLesen(std::string_view text) {
    if (text == "0") return 0;
    return DatumLesen(text);
}

std::optional<int32_t> DatumLesen(std::string_view text) {
    const auto teile = Zerlegen(text);
    if (!teile) return std::nullopt;
    const auto tag = ZahlLesen(teile->tag), monat = ZahlLesen(teile->monat), jahr = JahrLesen(teile->jahr);
    if (!tag || !monat || !jahr) return std::nullopt;
    return TagesNummer(*tag, *monat, *jahr);
}

std::string DatumKurzText(int32_t tagesNummer) {
    if (tagesNummer == 0) return {};
    const auto k = KalenderAus(tagesNummer);
    return ZweiStellen(k.Tag) + "." + ZweiStellen(k.Monat) + "." + ZweiStellen(((k.Jahr % 100) + 100) % 100);
}

std::string DatumLangText(int32_t tagesNummer) {
    if (tagesNummer == 0) return {};
    const auto k = KalenderAus(tagesNummer);
    return ZweiStellen(k.Tag) + "." + ZweiStellen(k.Monat) + "." + std::to_string(k.Jahr);
}

const std::string& MonatsName(int32_t monat) {
    static const std::array<std::string, 13> Namen = {"",     "Januar", "Februar", "März",      "April",
                                                      "Mai",  "Juni",   "Juli",    "August",    "September",
                                                      "Oktober", "November", "Dezember"};
    return Namen[(monat >= 1 && monat <= 12) ? monat : 0];
}

std::string DatumIso(int32_t tagesNummer) {
    const auto k = KalenderAus(tagesNummer);
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, "%04d-%02d-%02d", k.Jahr, k.Monat, k.Tag);
    return puffer;
}

std::optional<int32_t> DatumIsoLesen(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto jahr = ZahlLesen(text.substr(0, 4)), monat = ZahlLesen(text.substr(5, 2)),
               tag = ZahlLesen(text.substr(8, 2));
    if (!jahr || !monat || !tag) return std::nullopt;
    return TagesNummer(*tag, *monat, *jahr);
}

}  // namespace talerwerk
