#pragma once
// A new file, empty or with master data taken over from an existing data file: the client record
// and page settings, categories, accounts (optionally with their balances as the new opening
// balances), snippets, templates, recurring bookings and filters. Bookings are never taken over.
//
//   UebernahmeAuswahl a = UebernahmeAuswahl::Alles();
//   switch (NeueDateiEinrichten(d, UebernahmeArt::Alle, a, pfad, meldungen, kennwort, uhr, zufall)) { … }

#include <cstdint>
#include <string>

#include "store/datenbestand.h"
#include "store/ports.h"

namespace talerwerk {

inline constexpr const char* MeldungUebernahmeUngueltig = "Ungültige Datei!\rÜbernahme nicht möglich!";
inline constexpr const char* FrageUebernahmeErfolgreich =
    "Übernahme erfolgreich!\rSollen Mandantendaten geändert werden?";

// The sections to take over.
struct UebernahmeAuswahl {
    bool Mandantendaten = false;  // Mandant and Druckereinstellung (passwords included)
    bool Rubriken = false;        // categories (Art 1, 2)
    bool Konten = false;          // accounts (Art 3, 4)
    bool Anfangsstaende = false;  // each entry's opening balance := its balance in the source
    bool Textbausteine = false;   // the source's snippets instead of the three built-in ones
    bool RgmBuchungen = false;
    bool Vorlagen = false;
    bool Filter = false;

    static UebernahmeAuswahl Alles();
    bool operator==(const UebernahmeAuswahl&) const = default;
};

// Reads the data file at `pfad` and puts the chosen sections into `d`. The source is read whole
// into a store of its own first; `d` changes only when that read succeeded and every password of
// the source was given (file password, then write-protect password, asked as kinds 3 and 4). On
// success `d` holds: the chosen sections, default master data and the three built-in snippets
// where not chosen, no bookings, every taken entry's Stand 0, a new DateiNr in Mandant.OberNr and
// in the key of the source's header record, no write protection. Dateiname, DateiOffen and
// Geaendert are left to the caller.
// Failures: "Datei nicht gefunden!", MeldungUebernahmeUngueltig (error boxes); a refused password
// has been reported by the prompt itself and adds no message. `d` is then untouched.
bool Uebernahme(Datenbestand& d, const std::string& pfad, const UebernahmeAuswahl& auswahl, Meldungen& meldungen,
                Kennwortabfrage& abfrage, const Uhr& uhr, Zufall& zufall);

// The choice of the new-file dialog.
enum class UebernahmeArt { Keine, Alle, Auswahl };

enum class NeuErgebnis {
    Leer,               // an empty store, nothing taken over
    Uebernommen,        // taken over; the user does not want to change the master data now
    MandantBearbeiten,  // taken over; the user wants to change the master data now
    Fehlgeschlagen,     // the takeover failed: an empty store and no file open
};

// A new, unnamed store after the new-file dialog was accepted: set up empty and open, then (for
// Alle with every section, for Auswahl with `auswahl`) the takeover from `pfad`. After a successful
// takeover the store is marked changed and the user is asked whether to edit the master data now;
// after a failed one the store is set up empty again and no file is open.
NeuErgebnis NeueDateiEinrichten(Datenbestand& d, UebernahmeArt art, const UebernahmeAuswahl& auswahl,
                                const std::string& pfad, Meldungen& meldungen, Kennwortabfrage& abfrage,
                                const Uhr& uhr, Zufall& zufall);

}  // namespace talerwerk
