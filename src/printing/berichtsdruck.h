#pragma once
// Report printing: one job per copy on a page device, with a progress notice that can abort it.
// The page is set up from the page settings of the data file; the header lines (client data,
// date, page number) are printed by the page engine on every page; each page group begins with
// the title block (report title, account selection, period). The table below it is laid out
// from the rows of the window's grid builder — amounts from their cents, never from a shown text.
//
//   Berichtsanfrage a = RubrikKontoDruck(d, optionen);
//   BerichtDrucken(geraet, a, DruckumgebungAus(d, einstellungen, heute), fortschritt);
//
// A report kind of its own (a booking list, the overall development) adds a layout function in
// berichtsdruck.cpp and a request builder; the job, the notice, the header lines and the title
// block are shared.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "evaluation/buchungsuebersicht.h"
#include "evaluation/gesamtentwicklung.h"
#include "evaluation/gewinnverlust.h"
#include "evaluation/grid.h"
#include "evaluation/kontenblatt.h"
#include "evaluation/rubriktabellen.h"
#include "printing/seitengeraet.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"

namespace talerwerk {

// Report kinds and their printed titles.
inline constexpr int DruckGesamtentwicklung = 0;
inline constexpr int DruckEinnahmenAusgaben = 1;
inline constexpr int DruckBuchungsuebersicht = 2;
inline constexpr int DruckRubrikKonto = 3;
inline constexpr int DruckRubrikZeit = 4;
inline constexpr int DruckKontenblatt = 5;
const char* BerichtsTitel(int art);

inline constexpr int HoechstensExemplare = 100;
inline constexpr const char* DruckJobTitel = "TLW - Berichtsdruck";
inline constexpr const char* DruckAbbruchText = "Druck wurde abgebrochen, Bitte Geduld...";

// The progress notice: shown for the whole print, moved from 0 to 100, polled for an abort between
// page groups and pages.
class Druckfortschritt {
public:
    virtual ~Druckfortschritt() = default;
    virtual void Zeigen() = 0;  // clears the abort flag
    virtual void Text(const std::string& text) = 0;
    virtual void Stand(int prozent) = 0;
    virtual bool Abgebrochen() = 0;
    virtual void Verbergen() = 0;
};

// A print without notice (the command line, the preview's repaints).
class OhneFortschritt : public Druckfortschritt {
public:
    void Zeigen() override {}
    void Text(const std::string&) override {}
    void Stand(int) override {}
    bool Abgebrochen() override { return false; }
    void Verbergen() override {}
};

// What is printed: the kind, the captions of the title block and the window's rows. The grid's
// heading row holds the printed headings: the caption column's first, then one per value column.
struct Berichtsanfrage {
    int Art = DruckEinnahmenAusgaben;
    std::string KontoName;     // caption of the account selection, left in the title block
    std::string ZeitraumName;  // the period, centred
    std::string ZweiterName;   // right; empty for the tables
    Grid Tabelle;
    int SummenSpalte = -1;  // cross tables: the column "Gesamt"
    int AnteilSpalte = -1;  // cross tables: the share column, −1 without
    // Booking lists (account sheet, booking overview): the logical column of each cell of the
    // rows (ListeNummer … ListeKonto), in the window's display order, which is also the printed
    // order; and the window's grouping index.
    std::vector<int> Spalten;
    int Gruppierung = 0;
};

// Logical columns of a printed booking list; the headings they are printed with.
inline constexpr int ListeNummer = 0;
inline constexpr int ListeDatum = 1;
inline constexpr int ListeStorno = 2;
inline constexpr int ListeBetrag = 3;
inline constexpr int ListeText = 4;
inline constexpr int ListeGegen = 5;
inline constexpr int ListeKonto = 6;
extern const std::array<const char*, 7> ListenUeberschriften;

// The requests of the evaluation windows, from the same builders and options as the windows.
Berichtsanfrage EinnahmenAusgabenDruck(const Datenbestand& d, const GewinnVerlustOptionen& o);
Berichtsanfrage RubrikKontoDruck(const Datenbestand& d, const RubrikTabellenOptionen& o);
Berichtsanfrage RubrikZeitDruck(const Datenbestand& d, const RubrikTabellenOptionen& o);
// The account sheet: its rows in its grouping, the grouping's name at the right of the title block.
Berichtsanfrage KontenblattDruck(const Datenbestand& d, const KontenblattOptionen& o);
// The booking overview as built (the window's own rows, the balance row last), headed with its
// heading lines: the selections of the page "Allgemein" or the filter's name and period.
Berichtsanfrage BuchungsuebersichtDruck(const Buchungsuebersicht& u);
// The overall development's table: the accounts' rows and "Gesamt", one value column per period.
Berichtsanfrage GesamtentwicklungDruck(const Datenbestand& d, const GesamtentwicklungOptionen& o,
                                       const Gesamtentwicklung& g);

// Everything besides the request that decides the pages.
struct Druckumgebung {
    druckereinstellungtyp Seite;
    int32_t Positiv = 16711680;  // colours as 0x00BBGGRR
    int32_t Negativ = 255;
    std::string Text1, Text2, Text3;  // client data
    std::string Datum;                // today, as printed at the top right
};
Druckumgebung DruckumgebungAus(const Datenbestand& d, const Einstellungen& e, int32_t heute);

struct Druckergebnis {
    int Exemplare = 0;  // copies begun
    int Seiten = 0;     // pages of all copies
    bool Abgebrochen = false;
};

Druckergebnis BerichtDrucken(Seitengeraet& geraet, const Berichtsanfrage& anfrage, const Druckumgebung& umgebung,
                             Druckfortschritt& fortschritt);

// The table geometry of one report, in millimetres: caption column W0, value columns W, n value
// columns per page group (always 1…19: slot 1 is the caption column).
struct Tabellenmasse {
    double W0 = 0;
    double W = 0;
    int N = 1;
};
// breite: printable width; beschriftung: widest caption plus the gaps; mindest: the width of an
// amount plus a gap; spalten: number of value columns; deckeln: cap W at 1.5 × mindest.
Tabellenmasse TabellenmasseAus(double breite, double beschriftung, double mindest, int spalten, bool deckeln);

}  // namespace talerwerk
