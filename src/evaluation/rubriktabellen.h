#pragma once
// The two category cross tables: categories × accounts ("Rubrik-Konto-Übersicht") and
// categories × periods ("Rubrik-Zeit-Übersicht"). Same rows, same cell rules, same share column;
// they differ in the columns and in how the totals column takes the three balance rows.
//
// All values come from the shared month sums (monatssummen.h): one pass over the bookings, then
// every cell is a difference of prefix sums.

#include <cstdint>
#include <string>

#include "evaluation/grid.h"

namespace talerwerk {

// Row kinds (TGridDaten::Zeilenart), in the words of the table's captions.
inline constexpr int32_t RtEinnahmenKopf = 0;      // "Einnahmen"
inline constexpr int32_t RtAusgabenKopf = 1;       // "Ausgaben"
inline constexpr int32_t RtUmbuchungenAn = 2;      // "Umbuchungen" in the income section
inline constexpr int32_t RtAnfangsstand = 3;
inline constexpr int32_t RtEinnahmenGesamt = 4;    // "Gesamt" of the income section
inline constexpr int32_t RtAusgabenGesamt = 5;     // "Gesamt" of the expense section
inline constexpr int32_t RtRubrik = 6;             // top-level category
inline constexpr int32_t RtUnterrubrik = 7;
inline constexpr int32_t RtEndstand = 8;
inline constexpr int32_t RtSaldo = 9;
inline constexpr int32_t RtLeer = 10;              // spacer of half height
inline constexpr int32_t RtUmbuchungenAb = 11;     // "Umbuchungen" in the expense section

struct RubrikTabellenOptionen {
    int32_t Auswahl = 5000;        // code of the account-tree node; 0: no node chosen
    MonatsDatenTyp Zeitraum;       // the chosen node of the period tree (Nr 0: whole period)
    bool Unterrubriken = true;     // "&Unterrubriken einzeln"
    bool Anteile = true;           // "&Anteile in %"
    bool Kurz = false;             // "&kurz": only the totals column
    bool Jaehrlich = false;        // category × period: "&jährlich" instead of "&monatlich"
    int32_t Heute = 0;             // today (day number): widens the booked range for the column list
};

struct RubrikTabelle {
    // Caption, header, rows. Cell 0 is the caption with its indentation ("  " for kinds 2, 6 and
    // 11, "    " for kind 7); Zeilentext is the caption alone. Betraege holds the signed value
    // behind every value cell that shows one (the cell itself shows the absolute value for the
    // category and sum rows); the share cell's Betraege entry is empty.
    Grid Tabelle;
    int SummenSpalte = 1;          // display column of the totals ("Gesamt")
    int AnteilSpalte = -1;         // display column "Anteil in %", −1 without
    // Category × period: the modes in effect. A month node forces kurz and monatlich and the
    // window disables both radio groups (ModiGesperrt).
    bool Kurz = false;
    bool Jaehrlich = false;
    bool ModiGesperrt = false;
};

RubrikTabelle RubrikKontoAufbauen(const Datenbestand& d, const RubrikTabellenOptionen& o);
RubrikTabelle RubrikZeitAufbauen(const Datenbestand& d, const RubrikTabellenOptionen& o);

// Share text of a part of a base: one decimal, "," separator ("42,9"); "0,0" for a zero base.
std::string AnteilText(Cent teil, Cent basis);

}  // namespace talerwerk
