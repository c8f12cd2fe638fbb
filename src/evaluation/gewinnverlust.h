#pragma once
// The income and expense overview: per account of a selection its opening balance, income,
// expenses, closing balance and result over a period, then the total, the transfers among them
// and the total without transfers ("Gesamt real"). Values from the shared month sums.

#include <cstdint>

#include "evaluation/grid.h"

namespace talerwerk {

// Row kinds (TGridDaten::Zeilenart).
inline constexpr int32_t GvKonto = 0;
inline constexpr int32_t GvGesamt = 1;        // "Gesamt"
inline constexpr int32_t GvUmbuchungen = 2;   // "- Umbuchungen"
inline constexpr int32_t GvGesamtReal = 3;    // "Gesamt real"

// Display columns.
inline constexpr int GvAnfangsstand = 1;
inline constexpr int GvEinnahmen = 2;
inline constexpr int GvAusgaben = 3;
inline constexpr int GvEndstand = 4;
inline constexpr int GvSaldo = 5;

struct GewinnVerlustOptionen {
    int32_t Auswahl = 5000;    // code of the account-tree node; 0: no node chosen
    MonatsDatenTyp Zeitraum;   // the chosen node of the period tree (Nr 0: whole period)
};

// Caption "Einnahmen-Ausgaben-Übersicht -  <period> - <accounts>", header "Konto", "Anfangsstand",
// "Einnahmen", "Ausgaben", "Endstand", "Saldo"; one row per account, then the three summary rows.
// Betraege: the signed value behind every non-empty value cell ("Einnahmen" and "Ausgaben" as the
// positive amounts shown).
Grid GewinnVerlustAufbauen(const Datenbestand& d, const GewinnVerlustOptionen& o);

}  // namespace talerwerk
