#pragma once
// The few decisions of the program shell that do not depend on any window: where the start-up
// file lies, when the save question is due, which open views a change concerns, and where
// "Hinzufügen" puts the booking cursor. The main window binds them to its menus.

#include <cstdint>
#include <string>
#include <vector>

#include "store/datenbestand.h"

namespace talerwerk {

inline constexpr const char* ProgrammName = "Talerwerk";
inline constexpr const char* ProgrammVersion = "Version 2.1";
inline constexpr const char* FrageGeaendert =
    "Datei wurde bearbeitet. Sollen Änderungen gespeichert werden?";
inline constexpr const char* TitelUnbenannt = "[unbenannt]";
inline constexpr const char* TitelSchreibgeschuetzt = " (Schreibgeschützt)";

// The child windows the refresh dispatcher knows, as bits.
enum AnsichtsTeil : unsigned {
    TeilKeiner = 0,
    TeilBuchungsfenster = 1u << 0,  // the booking window's lookup lists
    TeilKontoStand = 1u << 1,       // the balances window
    TeilBListe = 1u << 2,           // the booking list
};

// Which views a refresh of the given kind reaches:
// 1 balances and list content; 2 booking window's lookups, balances and list in full;
// 3 booking window's lookups only; 4 balances only; 5 list display only. Other kinds: none.
unsigned AnsichtenFuerArt(int art);

// The data file named on the command line: a name without directory part lies beside the
// program; anything with a directory part is taken as given. Empty argument: empty result.
std::string StartDateiPfad(const std::string& programmPfad, const std::string& argument);

// Before new, open, close and exit: only an open, changed, writable store is worth asking about.
bool SpeicherfrageNoetig(const Datenbestand& d);

// Position for "Hinzufügen": the new-booking position behind the last booking, one further when
// the open booking window already stands on the new-booking position (LetzterIndex < AktIndex).
int32_t HinzufuegenPosition(const Datenbestand& d, bool buchungsfensterOffen);

// A child window's place in the main window's work area.
struct Fensterrechteck {
    int32_t x = 0;
    int32_t y = 0;
    int32_t Breite = 0;
    int32_t Hoehe = 0;
    bool operator==(const Fensterrechteck&) const = default;
};

// Whether `oben` covers `unten` entirely, or leaves less than a title bar's height (24) of it
// showing on every side.
bool Ueberdeckt(const Fensterrechteck& oben, const Fensterrechteck& unten);

// Where a child window that is reopened goes so that it neither covers one of `andere` entirely
// nor is covered by one: its own place when that is free, else the first free one of these, each
// moved into the work area (flaecheBreite × flaecheHoehe) as far as it fits: right of another
// window, below another window, down a cascade from its own place. Its own place when none is free.
Fensterrechteck FreierPlatz(const Fensterrechteck& neu, const std::vector<Fensterrechteck>& andere,
                            int32_t flaecheBreite, int32_t flaecheHoehe);

// The file name part of a path (after the last '/' or '\\').
std::string DateinameOhnePfad(const std::string& pfad);

}  // namespace talerwerk
