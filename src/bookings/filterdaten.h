#pragma once
// Saved filters and their editor, without windows: the editor's fields as the dialog holds them,
// what showing a record puts into them, the group rules of the two check lists, the period caption,
// and the OK steps with their order of checks, swaps and amount texts. The filter editor and the
// filter list dialog only show these fields, move the focus and ask the questions.
//
//   Filtereingabe e = FilterZeigen(d, filter, heute);   // fill the dialog
//   KontoGruppeWaehlen(e, 1);                           // radio "Bestandskonten"
//   FilterFeld f = FilterUebernehmen(d, e, filter, true, meldungen, heute);  // OK
//   if (f == FilterFeld::Keins) accept(); else focus(f);

#include <cstdint>
#include <string>
#include <vector>

#include "bookings/abfrage.h"
#include "evaluation/auswahlbaeume.h"
#include "store/datenbestand.h"
#include "store/ports.h"

namespace talerwerk {

inline constexpr const char* SuchmaskenName = "Buchungen suchen";
inline constexpr const char* MeldungNameLeer = "Bezeichnung darf nicht leer sein!";
inline constexpr const char* MeldungNameVergeben = "Bezeichnung bereits vorhanden!";
inline constexpr const char* MeldungDatumLeer = "Datum darf nicht leer sein!";
inline constexpr const char* MeldungKeineFilterMehr = "Keine weiteren Filter möglich";
inline constexpr size_t FilterNameLaenge = 50;
inline constexpr size_t FilterMusterLaenge = 250;
inline constexpr size_t FilterBelegLaenge = 10;
// The filter list's tree holds at most 1000 items, its heading included.
inline constexpr size_t FilterHoechstzahl = 999;

// --- Records ---------------------------------------------------------------------------------

// Number for a new filter: above every filter of the collection and every record the open dialog
// has added but not yet written back (`offen`), at least 12001.
int32_t NeueFilterNr(const std::vector<buchungstyp>& filterliste, const std::vector<buchungstyp>& offen = {});
// A new filter with the defaults and such a number.
buchungstyp NeuerFilter(const std::vector<buchungstyp>& filterliste, const std::vector<buchungstyp>& offen,
                        int32_t heute);

// The unsaved search mask "Buchungen suchen": a new filter's defaults, DatumBis 0, every account
// and category ticked. It is never stored in Filterliste.
buchungstyp Suchmaske(const Datenbestand& d, int32_t heute);

// Whether another filter of the list (position `ausser` not counted, −1 none) has this name; the
// comparison is case-sensitive.
bool NameVergeben(const std::vector<buchungstyp>& filter, const std::string& name, int32_t ausser = -1);

// "Soll Eintrag "NAME" wirklich gelöscht werden?"
std::string FilterLoeschfrage(const std::string& name);

// Removes the filter at this position from Filterliste and sets Geaendert; false for a position
// out of range.
bool FilterLoeschen(Datenbestand& d, size_t position);

// A saved filter edited from the booking list: the record replaces the filter with its IdentNr,
// which moves to the end of Filterliste (appended when it is no longer there). Sets Geaendert.
void GespeichertenFilterAendern(Datenbestand& d, const buchungstyp& filter);

// The items of the "Erweiterte Suche" tree: the search mask first, then every saved filter. The
// search mask is item 0 whatever the saved filters are called.
std::vector<std::string> FilterbaumTexte(const Datenbestand& d);

// --- Editor ----------------------------------------------------------------------------------

// A check list entry: its record and whether it is ticked.
struct Hakeneintrag {
    KontoEintrag Eintrag;
    bool Haken = false;
};

enum class FilterFeld { Keins, Name, DatumVon };

// The editor's fields.
struct Filtereingabe {
    std::string Name;
    int32_t Zeitraum = 0;  // FilterZeitraum
    // The year and month lists of the booked range, newest first. A record whose chosen year or
    // month lies outside that range gets its own entry added in its place, so that saving it again
    // keeps its year or month.
    std::vector<MonatsDatenTyp> Jahre;
    std::vector<MonatsDatenTyp> Monate;
    int32_t JahrWahl = 0;   // index into Jahre, −1 none
    int32_t MonatWahl = 0;  // index into Monate, −1 none
    std::string DatumVon;   // the date fields' texts ("dd.mm.yyyy")
    std::string DatumBis;
    std::string Text;
    std::string Bemerkung;
    std::string NrVon;  // NummerText, empty for 0
    std::string NrBis;
    std::string BelegVon;
    std::string BelegBis;
    int32_t KontoGruppe = 0;   // 0 all, 1 Bestandskonten, 2 Sparkonten, 3 free choice
    std::vector<Hakeneintrag> Konten;   // KontenListe
    int32_t RubrikGruppe = 0;  // 0 all, 1 Einnahmen, 2 Ausgaben, 3 free choice
    bool Umbuchungen = true;
    std::vector<Hakeneintrag> Rubriken; // RubrikenListe of both kinds with sub-categories
    int32_t StornoAuswahl = 0;  // 0 both (grey), 1 cancelled only (ticked), 2 not cancelled (clear)
    std::string BetragVon;  // amount texts
    std::string BetragBis;
};

// The fields for a record: year and month entries matching Datum selected, date fields with Datum
// and DatumBis for a free range (else today), the group rules applied and for a free choice exactly
// the entries of Auswahl ticked, number fields empty for 0.
Filtereingabe FilterZeigen(const Datenbestand& d, const buchungstyp& filter, int32_t heute);

// The radio groups: "all" and the kinds tick exactly their entries; the free choice keeps the ticks.
void KontoGruppeWaehlen(Filtereingabe& e, int32_t gruppe);
void RubrikGruppeWaehlen(Filtereingabe& e, int32_t gruppe);
// A tick set or cleared by hand switches its group to the free choice.
void KontoHakenSetzen(Filtereingabe& e, size_t i, bool haken);
void RubrikHakenSetzen(Filtereingabe& e, size_t i, bool haken);

// The caption beside the period choices 0–2: "<latest month> bis <earliest month>", the current
// year ("2026"), the current month ("Dezember 2026"); empty for the others.
std::string ZeitraumText(const Filtereingabe& e, int32_t heute);

// Whether a number field may hold this text: empty, or digits up to the largest int32.
bool NummerFeldZulaessig(const std::string& text);

// The OK steps, in order: name not empty (search mask: `nameNoetig` false), period with its dates
// (unreadable free dates refused, a reversed range swapped), the choices and Auswahl (ticked
// accounts, then ticked categories), the number range (swapped when reversed), vouchers as typed,
// the amount range (texts made canonical, an empty or "0" end open to "999999,99", swapped when
// reversed), texts and the cancelled choice. A refusal shows its message and returns the field to
// focus; the record is written only on success (FilterFeld::Keins). Geaendert is the caller's: the
// search mask is never stored.
FilterFeld FilterUebernehmen(const Filtereingabe& e, buchungstyp& filter, bool nameNoetig, Meldungen& m);

}  // namespace talerwerk
