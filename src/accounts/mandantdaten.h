#pragma once
// The rules of the client master-data dialog, apart from its widgets: what the dialog shows for a
// client record, which fields are enabled, the checks before OK (in their fixed order) and how the
// typed values are stored back.

#include <cstdint>
#include <string>

#include "store/datenbestand.h"

namespace talerwerk {

// Protection modes of a data file, as offered by the three radio buttons.
enum class KennwortModus { Ohne = 0, Datei = 1, Schreibschutz = 2 };

// Pages of the dialog.
enum class MandantSeite { Mandant = 0, Optionen = 1, Dateischutz = 2 };

// Fields a check can send the focus to.
enum class MandantFeld { Keins, Name, Abk, Waehrung, AnzTage, Kennwort, Wiederholung };

// The dialog's values as texts and states, the way the controls hold them.
struct MandantEingaben {
    std::string Name;
    std::string Abk;
    std::string Text1, Text2, Text3;  // shown only; the dialog does not change them
    std::string Waehrung;
    std::string AnzTage;  // text of the due-window field
    bool rgmDatum = false;       // Merker2: due date = booking date
    KennwortModus Modus = KennwortModus::Ohne;
    std::string Kennwort;
    std::string Wiederholung;
    bool BuchgLoeschen = false;  // Merker1: deleting bookings allowed

    bool operator==(const MandantEingaben&) const = default;
};

inline constexpr int32_t FaelligkeitMin = 1;
inline constexpr int32_t FaelligkeitMax = 364;
inline constexpr size_t AnzTageLaenge = 3;

inline constexpr const char* MeldungKeinKennwort = "Kein Kennwort eingegeben!";
inline constexpr const char* MeldungKennwortUngleich = "Kennwort und Wiederholung sind nicht identisch!";

// Values for the dialog: a file password wins over a write-protect password (a file carrying both
// shows the file password); the password fields show the decoded password; the due window is
// brought into 1…364 as the up-down control would.
MandantEingaben MandantEingabenAus(const kontotyp& mandant);

// The password fields are usable only when a password mode is chosen.
bool KennwortFelderAktiv(KennwortModus modus);

// The due window from its typed text: 1 when it is no whole number or 0, 364 when larger.
int32_t FaelligkeitsTage(const std::string& text);
// One step of the up-down control from the typed text, kept within 1…364.
int32_t FaelligkeitsTageSchritt(const std::string& text, int schritt);

struct MandantPruefung {
    bool Ok = true;
    bool Fehlerbox = true;  // error box (password checks) or information box (text checks)
    std::string Meldung;
    MandantSeite Seite = MandantSeite::Mandant;
    MandantFeld Feld = MandantFeld::Keins;
};

// The checks before OK, in order: a password mode needs a password; password and repetition must
// agree; then every typed text must be one the data file can hold (Windows-1252), checked in the
// order of the pages. The first failing check is returned.
MandantPruefung MandantPruefen(const MandantEingaben& e);

// Stores the values into the client record: Abk cut to 10 characters, the due window from its
// text, the passwords by mode in their stored form (cut to 8 characters), both options.
// Text1…Text3 are left as they are. Call only after MandantPruefen succeeded.
void MandantUebernehmen(const MandantEingaben& e, kontotyp& mandant);

// Information text for a typed text that the data file cannot hold; `feld` is the field's caption
// without its access key.
std::string NichtDarstellbarMeldung(const std::string& feld);

}  // namespace talerwerk

namespace talerwerk {

// The master data can be edited only while a file is open and not write-protected.
bool StammdatenBearbeitbar(const Datenbestand& d);

}  // namespace talerwerk
