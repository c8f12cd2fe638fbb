#pragma once
// The grid every evaluation window shows: a heading row and body rows, each row the cell texts
// exactly as shown plus a descriptor with the numbers behind them. The builders (kontenblatt.h,
// rubriktabellen.h, gewinnverlust.h) compute everything; windows, printing and the command line
// only render the rows. Nothing is ever read back from a displayed text.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/datenbestand.h"

namespace talerwerk {

// Colour of a cell: the window text colour, the settings' colours "Positiv" and "Negativ", or the
// grey of a cancelled booking.
enum class Farbklasse : uint8_t { Text, Positiv, Negativ, Grau };

// Descriptor of one body row. The meaning of Zeilenart depends on the window (constants in the
// builder headers); the other fields are the same everywhere.
struct TGridDaten {
    int32_t Zeilenart = 0;
    int32_t IdentNr = 0;        // booking number of a booking row, 0 for any other row
    int32_t RubrikNr = 0;       // category (cross tables) or grouping key (account sheet), else 0
    bool Storniert = false;     // a cancelled booking (shown grey, counted nowhere)
    std::string Zeilentext;     // the row's caption without the indentation of the cell text
    // Per displayed column: the amount in cents behind the cell, nullopt for a cell without one.
    std::vector<std::optional<Cent>> Betraege;
    // Per displayed column: the colour of the cell's text.
    std::vector<Farbklasse> Farben;
};

struct GridZeile {
    std::vector<std::string> Zellen;  // display order, one text per column (possibly empty)
    TGridDaten Daten;
};

struct Grid {
    std::string Titel;                     // window caption after the computation
    std::vector<std::string> Kopf;         // the heading row, display order
    std::vector<GridZeile> Zeilen;         // body rows in display order

    size_t Spalten() const { return Kopf.size(); }
};

// Colour by sign: "Positiv" for zero and more, "Negativ" below zero.
inline Farbklasse FarbeNachVorzeichen(Cent wert) { return wert < 0 ? Farbklasse::Negativ : Farbklasse::Positiv; }

// The amount without its sign, as subtotals and shares show it.
inline Cent Betrag(Cent wert) { return wert < 0 ? -wert : wert; }

// The caption of an account-tree node: "Alle Konten", "Bestandskonten", "Sparkonten" or the
// account's Name; empty for code 0 (no node selected) and for a number the chart lacks.
std::string AuswahlBezeichnung(const Datenbestand& d, int32_t auswahl);

// "<Prefix> -  <period caption> - <account caption>"; without account caption the last part is
// left out.
std::string AuswertungsTitel(const std::string& praefix, const MonatsDatenTyp& zeitraum,
                             const std::string& kontoText);

}  // namespace talerwerk
