#pragma once
// The booking overview: the bookings a query selects, split into an income part and an expense
// part, listed in the order of their numbers or grouped by category, date or account, with group
// and part subtotals, and the totals of income, expenses and the balance.
//
//   UebersichtOptionen o;
//   o.Abfrage = UebersichtAbfrage(zeitraum, 5000, 5100, true);   // page "Allgemein"
//   o.Gruppierung = UebersichtGruppierung::Rubrik;
//   Buchungsuebersicht u = BuchungsuebersichtAufbauen(d, o);
//   u.Zeile(i).Daten.Betraege;   // the cents behind every amount cell of row i < u.Zeilenzahl()
//   u.DruckZeilen();             // the rows a printout lays out, balance row last
//
// A whole book's overview has more than a million rows; made complete, seven texts and a
// descriptor each, they took some 600 MB and most of the time of building. So the overview keeps
// one small entry per row and makes a row's texts when somebody asks for that row: the window for
// the rows it shows, the CSV output one row after the other, printing all of its rows.
//
// The rows read the booking texts and the chart from the store they were built from: they are
// valid until that store changes. (The window is modal and rebuilds on every change.) Copies of
// an overview share the entries and are cheap.
//
// A transfer whose receiving account is in the query's account list is an income row, one whose
// paying account is in it an expense row; between two listed accounts it is both. Within its part
// every booking lands in exactly one group: a booking on a category that has sub-categories or on
// a number the chart no longer has gets a group of its own.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bookings/abfrage.h"
#include "evaluation/grid.h"

namespace talerwerk {

enum class UebersichtGruppierung { Buchungsnummer = 0, Rubrik = 1, Datum = 2, Konto = 3 };

// Window captions by page.
inline constexpr const char* UebersichtTitelAllgemein = "Buchungsübersicht";
inline constexpr const char* UebersichtTitelSuche = "Buchungsübersicht - Filter anwenden";

// Captions of the grouping radio items, index 0–3.
extern const std::array<const char*, 4> UebersichtGruppierungen;  // "Buchungs&nummer", …
// Headings of the seven logical columns.
extern const std::array<const char*, 7> UebersichtUeberschriften;

// Row kinds (TGridDaten::Zeilenart).
inline constexpr int32_t BuUeberschrift = 1;    // part or group heading
inline constexpr int32_t BuZwischensumme = 2;   // group subtotal
inline constexpr int32_t BuEinnahme = 3;        // income row (also the one empty row)
inline constexpr int32_t BuAusgabe = 4;         // expense row
inline constexpr int32_t BuEinnGesamt = 5;
inline constexpr int32_t BuEinnUmbuchung = 6;
inline constexpr int32_t BuEinnReal = 7;
inline constexpr int32_t BuAusgGesamt = 8;
inline constexpr int32_t BuAusgUmbuchung = 9;
inline constexpr int32_t BuAusgReal = 10;
inline constexpr int32_t BuSaldo = 11;          // only in the rows handed to printing

// Logical columns.
inline constexpr int BuNummer = 0;   // "B-nr.   Belegnr."
inline constexpr int BuDatum = 1;
inline constexpr int BuStorno = 2;
inline constexpr int BuBetrag = 3;
inline constexpr int BuText = 4;
inline constexpr int BuGegen = 5;    // "Rubrik/Gegenkonto"
inline constexpr int BuKonto = 6;

struct UebersichtOptionen {
    abfragetyp Abfrage;
    UebersichtGruppierung Gruppierung = UebersichtGruppierung::Buchungsnummer;
    bool Zwischensummen = true;
    bool Unterrubriken = true;   // grouping by category: sub-categories as groups of their own
    std::string Titel = "Buchungsübersicht";
    // The lines a printout is headed with (see UebersichtKopfAllgemein / UebersichtKopfFilter).
    std::vector<std::string> Druckkopf;
};

// The entries of an overview's rows and what their texts are made from (buchungsuebersicht.cpp).
class Uebersichtszeilen;

struct Buchungsuebersicht {
    // Caption and heading row. Its Zeilen stay empty: the rows are made by Zeile().
    Grid Tabelle;
    // Logical column of each display column; the first is the grouping's key column.
    std::array<int, 7> Spalten{};

    Cent Einnahmen = 0;   // both positive; cancelled bookings count nowhere
    Cent Ausgaben = 0;
    Cent Saldo = 0;
    std::string EinnahmenText;
    std::string AusgabenText;
    std::string SaldoText;
    std::string SaldoBeschriftung;   // "Saldo (Gewinn)" or "Saldo (Verlust)"
    Farbklasse SaldoFarbe = Farbklasse::Positiv;
    std::vector<std::string> Druckkopf;

    // The display column of a logical column.
    int Anzeige(int logisch) const;

    // Number of body rows; an empty overview has one empty income row.
    size_t Zeilenzahl() const;
    // Body row i < Zeilenzahl() in display order, seven cells. Betraege holds the cents in the
    // amount cell: a booking's amount (income positive, expense negative, also when cancelled), a
    // group's signed sum, a part subtotal as shown (positive).
    GridZeile Zeile(size_t i) const;
    // Caption, heading row and every body row made: for small books, tests and printing.
    Grid Ganz() const;
    // The rows a printout lays out: every body row, then the balance row (kind 11) with the
    // balance text in the amount cell and "Saldo (Gewinn)" / "Saldo (Verlust)" in the key column.
    std::vector<GridZeile> DruckZeilen() const;

    // Shared by copies; null in an overview never built (no rows).
    std::shared_ptr<const Uebersichtszeilen> Quelle;
};

Buchungsuebersicht BuchungsuebersichtAufbauen(const Datenbestand& d, const UebersichtOptionen& o);

// The query of the page "Allgemein": that of the booking list, with cancelled bookings only
// when `stornierte` is set.
abfragetyp UebersichtAbfrage(const MonatsDatenTyp& zeitraum, int32_t kontoCode, int32_t rubrikCode, bool stornierte);

// Heading lines of a printout. Page "Allgemein": the captions of the three chosen nodes; page
// "Erweiterte Suche": the filter's name and the period its query covers.
std::vector<std::string> UebersichtKopfAllgemein(const std::string& konto, const std::string& rubrik,
                                                 const std::string& zeitraum);
std::vector<std::string> UebersichtKopfFilter(const std::string& filterName, const abfragetyp& q);

}  // namespace talerwerk
