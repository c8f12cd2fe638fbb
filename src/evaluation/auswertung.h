#pragma once
// The evaluation engine: balances and sums over the bookings, all in whole cents.
//
// The functions here are the plain ones: each call scans the chart and the bookings from the start.
// They are the reference every evaluation is measured against. Windows that fill whole grids use
// `Monatssummen` (monatssummen.h), which answers the same questions from one pass over the bookings.

#include <cstdint>

#include "store/datenbestand.h"
#include "store/kontostaende.h"

namespace talerwerk {

// Account selection codes carried by the nodes of the account tree; any other value is the Nr of
// a single account.
inline constexpr int32_t AuswahlAlleKonten = 5000;
inline constexpr int32_t AuswahlBestandskonten = 5001;
inline constexpr int32_t AuswahlSparkonten = 5002;

// What PeriodenSumme adds up.
enum class SummenModus {
    Rubrik,          // Einnahme/Ausgabe on a category or one of its sub-categories, signed
    Einnahmen,       // every Einnahme, positive
    Ausgaben,        // every Ausgabe, negative
    UmbuchungenAb,   // transfers leaving the selection's accounts, negative
    UmbuchungenAn,   // transfers arriving at the selection's accounts, positive
    Saldo,           // Einnahmen and Ausgaben together, signed
};

// --- Shared lookups over Konten -------------------------------------------------------------

// Whether an entry with this Nr has this Art.
bool KontoHatArt(const Datenbestand& d, int32_t nr, int32_t art);
// OberNr of the first entry with this Nr; 0 when there is none.
int32_t OberNrVon(const Datenbestand& d, int32_t nr);
// Whether some entry names `nr` as its OberNr, i.e. the category has sub-categories.
bool HatUnterrubriken(const Datenbestand& d, int32_t nr);
// Whether the account field value `nr` (Konto1 or the Konto2 of a transfer) belongs to the selection.
bool GehoertZuAuswahl(const Datenbestand& d, int32_t auswahl, int32_t nr);

// --- Balances and sums (plain, one scan per call) ---------------------------------------------

// Balance of the selection at the end of month `monat` of `jahr`: opening balances of the member
// accounts plus the effects of every booking up to the month's last day. Month 0 of year −1 is
// "Gesamter Zeitraum" (every booking); a month that cannot be formed leaves the opening balances.
Cent MonatsendStand(const Datenbestand& d, int32_t auswahl, int32_t monat, int32_t jahr);

// Net effect on one account of the bookings dated in months vonMonat … bisMonat of `jahr`.
Cent KontoVeraenderung(const Datenbestand& d, int32_t konto, int32_t vonMonat, int32_t bisMonat, int32_t jahr);

// Signed sum of the bookings of one kind from the first day of vonMonat/vonJahr to the last day of
// bisMonat/bisJahr; bisJahr −1 takes every booking whatever its date. `rubrik` is the category of
// mode Rubrik and is ignored by the other modes.
Cent PeriodenSumme(const Datenbestand& d, int32_t auswahl, int32_t rubrik, SummenModus modus, int32_t vonMonat,
                   int32_t vonJahr, int32_t bisMonat, int32_t bisJahr);

// The arguments an evaluation derives from a selected period entry (a node of the period tree).
struct Periode {
    int32_t VonMonat = 0;
    int32_t VonJahr = -1;
    int32_t BisMonat = 0;
    int32_t BisJahr = -1;
    bool Gesamt = true;  // "Gesamter Zeitraum": every booking
};
Periode PeriodeAus(const MonatsDatenTyp& m);
// Balance of the selection just before the period: the opening balances for "Gesamter Zeitraum",
// else the balance at the end of the month before VonMonat.
Cent StandVorPeriode(const Datenbestand& d, int32_t auswahl, const Periode& p);
Cent StandEndePeriode(const Datenbestand& d, int32_t auswahl, const Periode& p);
Cent PeriodenSumme(const Datenbestand& d, int32_t auswahl, int32_t rubrik, SummenModus modus, const Periode& p);

}  // namespace talerwerk
