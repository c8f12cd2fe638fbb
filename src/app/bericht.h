#pragma once
// `talerwerk-cli bericht ART DATEI [options]`: one evaluation as CSV, computed by the code its window
// uses. The shared part lives here: the table of kinds with the options each accepts, the common
// options (--heute, --konto, --zeitraum), and the CSV form (UTF-8, ";" separator, a field quoted
// only when it holds ";", '"' or a line break, '"' doubled inside). A new kind adds one function and
// one row to the table in bericht.cpp.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "printing/berichtsdruck.h"
#include "store/datenbestand.h"

namespace talerwerk {

struct Grid;
struct Kontenblatt;
struct KontoStandAnzeige;
struct FaelligeZeile;
struct Buchungsuebersicht;
class Buchungsliste;

// --- CSV -------------------------------------------------------------------------------------

// One field in CSV form. With `formelnSchuetzen`, a text a spreadsheet would take for a formula
// (starting with "=", "+", "-", "@", a tab or a carriage return, and no number) gets a leading
// apostrophe. The command line's reports print every cell exactly as its window shows it; the
// files written for a spreadsheet are protected.
std::string CsvFeld(std::string_view text, bool formelnSchuetzen = false);

// Writes the lines of a report: "# " + caption, then the header row and the rows.
class CsvAusgabe {
public:
    explicit CsvAusgabe(std::ostream& aus, bool formelnSchuetzen = false)
        : aus_(aus), formelnSchuetzen_(formelnSchuetzen) {}
    void Titel(const std::string& titel);
    // One row of cells; also the header row.
    template <typename Zellen>
    void Zeile(const Zellen& zellen) {
        zeile_.clear();
        bool erste = true;
        for (const auto& z : zellen) {
            if (!erste) zeile_ += ';';
            erste = false;
            Anfuegen(z);
        }
        zeile_ += '\n';
        aus_ << zeile_;
    }

private:
    void Anfuegen(std::string_view text);
    std::ostream& aus_;
    bool formelnSchuetzen_;
    std::string zeile_;
};

// Writes a CSV file atomically, UTF-8 with a byte-order mark (so that a spreadsheet program reads
// the umlauts right). A data file is never overwritten. False with the reason in `fehler`.
bool CsvDateiSchreiben(const std::string& pfad, const std::function<void(CsvAusgabe&)>& schreiben,
                       std::string& fehler);

// --- Options ---------------------------------------------------------------------------------

// The options as given ("--konto" → "5001"); each at most once.
using Berichtsoptionen = std::map<std::string, std::string>;

// A wrong value of an option or a name that names nothing: the command line's wrong usage.
struct Berichtsfehler {
    std::string Text;
};

// "--heute YYYY-MM-DD"; the given default when missing. nullopt (with the message) for a bad date.
std::optional<int32_t> HeuteAus(const Berichtsoptionen& o, int32_t vorgabe, Berichtsfehler& f);
// "--konto CODE": 5000, 5001, 5002 or the Nr of an account (Art 3 or 4); `vorgabe` when missing.
std::optional<int32_t> KontoAus(const Datenbestand& d, const Berichtsoptionen& o, int32_t vorgabe, Berichtsfehler& f);
// "--rubrik CODE": 5100–5103 or the Nr of a category (Art 1 or 2); `vorgabe` when missing.
std::optional<int32_t> RubrikAus(const Datenbestand& d, const Berichtsoptionen& o, int32_t vorgabe,
                                 Berichtsfehler& f);
// "--zeitraum gesamt|YYYY|YYYY-MM": the entry of the period tree (d.Zeitraeume is rebuilt for
// `heute`); "Gesamter Zeitraum" when missing. A year or month outside the tree names nothing.
std::optional<MonatsDatenTyp> ZeitraumAus(Datenbestand& d, const Berichtsoptionen& o, int32_t heute,
                                          Berichtsfehler& f);
// A whole-number option within lo…hi; `vorgabe` when missing.
std::optional<int32_t> GanzzahlAus(const Berichtsoptionen& o, const std::string& name, int32_t lo, int32_t hi,
                               int32_t vorgabe, Berichtsfehler& f);

// --- Kinds -----------------------------------------------------------------------------------

// Writes the report of one kind; false (with the message in f) on wrong usage.
using Berichtsfunktion = bool (*)(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                                  Berichtsfehler& f);

struct Berichtsart {
    const char* Name;
    std::vector<std::string> Optionen;  // accepted besides --heute and --kennwort
    Berichtsfunktion Erstellen;
};

// The kind with this name; nullptr when there is none.
const Berichtsart* BerichtsartVon(std::string_view name);
// Names of every kind, for the usage text.
std::vector<std::string> Berichtsarten();

// The booking list ("buchungsliste"): --konto, --rubrik, --zeitraum for the page "Allgemein",
// --filter NAME for the page "Erweiterte Suche" ("Buchungen suchen": the search mask),
// --sortierung 0..8.
bool BuchungslisteBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                          Berichtsfehler& f);

// The evaluation windows, from the builders the windows use: the balances ("kontostaende":
// --bestand, --spar, --gesamt), the account sheet ("kontenblatt": --konto, --zeitraum,
// --gruppierung 0..3, --zwischensummen, --storniert; a last line with the totals panel), the
// category cross tables ("rubrik-konto", "rubrik-zeit": --konto, --zeitraum, --unterrubriken,
// --anteile, --anzeige lang|kurz, and --modus monatlich|jaehrlich) and the income and expense
// overview ("einnahmen-ausgaben": --konto, --zeitraum).
bool KontostaendeBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                         Berichtsfehler& f);
bool KontenblattBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                        Berichtsfehler& f);
bool RubrikKontoBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                        Berichtsfehler& f);
bool RubrikZeitBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                       Berichtsfehler& f);
bool EinnahmenAusgabenBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                              Berichtsfehler& f);
// The overall development ("gesamtentwicklung": --konto, --zeitraum gesamt|YYYY, --modus
// monatlich|jaehrlich, --saldo) and the booking overview ("buchungsuebersicht": --konto, --rubrik,
// --zeitraum or --filter NAME, --gruppierung 0..3, --zwischensummen, --storniert, --unterrubriken;
// a last line with the totals panel).
bool GesamtentwicklungBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                              Berichtsfehler& f);
bool BuchungsuebersichtBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                               Berichtsfehler& f);
// The due recurring bookings ("faellige"): --tage W (1…364; the client's due window when missing).
bool FaelligeBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus, Berichtsfehler& f);

// --- From what a window shows ----------------------------------------------------------------
// The reports above write what these write; a window's "Als CSV speichern…" calls them with what
// it shows, so that its file equals the report of the same selection.

void GridAusgeben(const Grid& g, CsvAusgabe& aus);
void KontostaendeAusgeben(const KontoStandAnzeige& anzeige, bool gesamt, CsvAusgabe& aus);
void KontenblattAusgeben(const Kontenblatt& blatt, CsvAusgabe& aus);
void BuchungslisteAusgeben(const std::string& titel, const Buchungsliste& liste, CsvAusgabe& aus);
void FaelligeAusgeben(const std::vector<FaelligeZeile>& zeilen, CsvAusgabe& aus);
void UebersichtAusgeben(const Buchungsuebersicht& b, CsvAusgabe& aus);

// --- Printing --------------------------------------------------------------------------------

// `talerwerk-cli drucke ART DATEI --pdf AUSGABE.pdf`: the kinds the program can print, with the
// same options as `bericht`.
std::vector<std::string> DruckbareArten();
// The print request of the kind from the options (the window's request for the same choices);
// false (with the message in f) on wrong usage, also for a kind that cannot be printed.
bool DruckanfrageAus(Datenbestand& d, const std::string& art, const Berichtsoptionen& o, int32_t heute,
                     Berichtsanfrage& anfrage, Berichtsfehler& f);

}  // namespace talerwerk
