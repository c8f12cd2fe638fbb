#pragma once
// The account sheet: the bookings of one account over a period in one of four groupings, with
// subtotals and the period's income, expenses and result.
//
//   KontenblattOptionen o;
//   o.Konto = 1; o.Zeitraum = d.Zeitraeume.front(); o.Gruppierung = KontenblattGruppierung::Datum;
//   Kontenblatt k = KontenblattAufbauen(d, o);
//   k.Tabelle.Zeilen[i].Daten.IdentNr;   // the booking a double-click opens
//
// Every counted kind of booking of the account (Einnahme, Ausgabe, Umbuchung away from it, and
// each Umbuchung into it as a " U+" row) appears exactly once in every grouping, so the totals
// panel is the same whichever grouping is shown. Bookings of a kind no booking can have move no
// money and appear in none.

#include <array>
#include <cstdint>
#include <string>

#include "evaluation/grid.h"

namespace talerwerk {

enum class KontenblattGruppierung { Buchungstyp = 0, Buchungsnummer = 1, Rubrik = 2, Datum = 3 };

// Captions of the grouping radio items, index 0–3, and the captions print hands over.
extern const std::array<const char*, 4> KontenblattGruppierungen;     // "Buchungs&typ", …
extern const std::array<const char*, 4> KontenblattGruppierungsNamen; // "Nach Typ", …

// Row kinds (TGridDaten::Zeilenart).
inline constexpr int32_t KbUeberschrift = 1;
inline constexpr int32_t KbZwischensumme = 2;
inline constexpr int32_t KbZugang = 3;   // Einnahme, transfer in (also the one empty row)
inline constexpr int32_t KbAbgang = 4;   // Ausgabe, transfer out
inline constexpr int32_t KbGesamt = 5;   // section total of the grouping by category

// Logical columns; Kontenblatt::Spalten maps display columns to these.
inline constexpr int KbNummer = 0;   // "B-nr.   Belegnr."
inline constexpr int KbDatum = 1;
inline constexpr int KbStorno = 2;
inline constexpr int KbBetrag = 3;
inline constexpr int KbText = 4;
inline constexpr int KbGegen = 5;    // "Rubrik/Gegenkonto"

struct KontenblattOptionen {
    int32_t Konto = 0;                 // Nr of the account; 0: no account chosen
    MonatsDatenTyp Zeitraum;           // the chosen node of the period tree (Nr 0: whole period)
    KontenblattGruppierung Gruppierung = KontenblattGruppierung::Buchungstyp;
    bool Zwischensummen = true;        // ignored by the grouping by number, which has none
    bool Stornierte = false;           // list cancelled bookings too (never summed)
};

struct Kontenblatt {
    // Caption "Kontenblatt -  <period> - <account>", header and rows in display order. Every row has
    // six cells. Betraege holds the booking's amount (signed as it acts on the account: a taking is
    // negative) in the amount cell of a booking row and the sum in the sum cell of subtotal and
    // total rows. RubrikNr of heading and subtotal rows in the grouping by category: the number the
    // group stands for.
    Grid Tabelle;
    // Logical column (KbNummer…KbGegen) of each display column.
    std::array<int, 6> Spalten{};
    // The logical column holding the sums of subtotal and total rows (KbBetrag by category, else KbGegen).
    int SummenSpalte = KbGegen;

    // Totals panel: income E and expenses A (both positive), result S = E − A.
    Cent Einnahmen = 0;
    Cent Ausgaben = 0;
    Cent Saldo = 0;
    std::string EinnahmenText;   // "1.234,56"
    std::string AusgabenText;
    std::string SaldoText;
    std::string SaldoBeschriftung;  // "Saldo (Gewinn)" or "Saldo (Verlust)"
    Farbklasse SaldoFarbe = Farbklasse::Positiv;
};

// Header texts of the six logical columns.
extern const std::array<const char*, 6> KontenblattUeberschriften;

Kontenblatt KontenblattAufbauen(const Datenbestand& d, const KontenblattOptionen& o);

// The accounts of the sheet's account tree: Bestandskonten, then Sparkonten, chart order. The first
// is selected when the sheet opens (0 when the chart has none).
std::vector<kontotyp> KontenblattKonten(const Datenbestand& d);

}  // namespace talerwerk
