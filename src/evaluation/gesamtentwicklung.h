#pragma once
// The overall development: per account of a selection its balance at the end of every month or
// year (or the result of each period), the sum of all accounts in a last row "Gesamt", and the
// chart drawn from that row — a balance line over result bars.
//
//   GesamtentwicklungOptionen o;
//   o.Auswahl = AuswahlAlleKonten; o.Zeitraum = d.Zeitraeume.front(); o.Heute = heute;
//   Gesamtentwicklung g = GesamtentwicklungAufbauen(d, o);
//   Diagramm bild = DiagrammBerechnen(g, DiagrammAnzeige::Beides, {800, 400, textbreite, "EUR"});
//
// The chart's geometry is computed here, pixel by pixel, from the cents of the "Gesamt" row; the
// window only draws the lines, bars and texts it is handed.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "evaluation/grid.h"

namespace talerwerk {

// Row kinds (TGridDaten::Zeilenart).
inline constexpr int32_t GeKonto = 1;
inline constexpr int32_t GeGesamt = 2;

struct GesamtentwicklungOptionen {
    int32_t Auswahl = 5000;      // account-tree code (5000, 5001, 5002) or an account Nr
    MonatsDatenTyp Zeitraum;     // node of the years-only period tree; Jahr 0: "Gesamter Zeitraum"
    bool Jaehrlich = true;       // one column per year, else per month
    bool Saldo = false;          // period results instead of period-end balances
    int32_t Heute = 0;           // the booked range always reaches today's month
};

struct Gesamtentwicklung {
    // Caption, heading ("", "Anf.-stand", the periods oldest first, with Saldo "Gesamtsaldo") and
    // one row per account, then "Gesamt". Betraege holds the cents of every value cell.
    Grid Tabelle;
    std::vector<MonatsDatenTyp> Perioden;   // the columns' periods, oldest first
    std::string Hinweis;                    // "Kontostände" or "Saldo (Gewinn und Verlust)"
    // The chart's series from the "Gesamt" row, whatever the table shows: the balance before the
    // first period, and per period its end balance and its result.
    Cent Anfang = 0;
    std::vector<Cent> Staende;
    std::vector<Cent> Ergebnisse;
    std::vector<std::string> Achsentexte;   // KurzBezeichnung of each period
};

Gesamtentwicklung GesamtentwicklungAufbauen(const Datenbestand& d, const GesamtentwicklungOptionen& o);

// What the chart shows.
enum class DiagrammAnzeige { Beides = 0, Kontostand = 1, Saldo = 2 };
// "Kontostände und Saldo", "Kontostände", "Saldo (Gewinn und Verlust)".
std::string DiagrammHinweis(DiagrammAnzeige a);

struct DiagrammVorgaben {
    int Breite = 0;
    int Hoehe = 0;
    // Width of a text in the chart's font, in pixels.
    std::function<int(const std::string&)> Textbreite;
    std::string Waehrung;   // the client's currency text
};

// The chart in pixels. Every y lies inside the plot area (the drawing is clipped to it as well).
struct Diagramm {
    int Rand = 15;                     // margin d
    int Links = 0, Oben = 0;           // top left corner of the plot area (L, d)
    int Breite = 0, Hoehe = 0;         // plot width W and height H
    int Nulllinie = 0;                 // y0
    int Halbskala = 0;                 // h: pixels from y0 to the scale top
    int Schritt = 1;                   // pixels between two periods, at least 1
    int Beschriftungsschritt = 1;      // every k-th period is captioned, k ≥ 1
    Cent Groesstes = 0;                // M in cents
    int64_t Einheit = 1;               // u in currency units
    int64_t Skala = 1;                 // S in currency units, never 0
    bool Tausender = false;            // tick labels in thousands
    std::string Einheitstext;          // "in  EUR" or "in 1000 EUR"

    struct Strich {
        int Y = 0;
        std::string Text;
    };
    std::vector<Strich> Teilstriche;   // on the vertical axis, pairs below and above zero
    struct Saeule {
        int X = 0, Breite = 0;         // left edge and width
        int Y1 = 0, Y2 = 0;            // top and bottom (Y1 ≤ Y2)
        bool Positiv = true;
    };
    std::vector<Saeule> Saeulen;
    struct Punkt {
        int X = 0, Y = 0;
    };
    std::vector<Punkt> Linie;          // the balance line, from the opening balance on
    struct Achsentext {
        int X = 0;                     // centre
        std::string Text;
    };
    std::vector<Achsentext> Achsentexte;
    std::vector<int> Periodenstriche;  // x of the small tick of every period on the zero line
};

Diagramm DiagrammBerechnen(const Gesamtentwicklung& g, DiagrammAnzeige a, const DiagrammVorgaben& v);

}  // namespace talerwerk
