#pragma once
// The data file: a dump of the whole store as tagged values (see datendatei.cpp for the layout).
// Reading never trusts the bytes: every length and count is checked against what is left, and a
// failed read leaves the target store untouched.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/datenbestand.h"

namespace talerwerk {

class Meldungen;
class Kennwortabfrage;

inline constexpr const char* MeldungDateiNichtGefunden = "Datei nicht gefunden!";
inline constexpr const char* MeldungUngueltigeDatei = "Ungültige Datei!\rÖffnen nicht möglich!";
// Why a save was refused when a balance lies beyond ±GroessterStandCent (betrag.h).
inline constexpr const char* MeldungStandZuGross =
    "Ein Kontostand liegt außerhalb des Bereichs, den die Datei speichern kann (höchstens "
    "90.071.992.547.409,92 je Konto).";

enum class LeseStatus {
    Gelesen,            // the whole store was read
    Ungueltig,          // the bytes are no valid data file
    KennwortAbgelehnt,  // the file password prompt was not answered with the right password
};

struct LeseErgebnis {
    LeseStatus Status = LeseStatus::Ungueltig;
    bool Schreibschutz = false;  // the write-protect prompt was not answered correctly
};

// The bytes of the data file for the store, items in file order. Does not recompute balances.
// Texts that Windows-1252 cannot hold have been refused where they were typed; should one slip
// through, it is written with "?" in its place.
std::string DateiAbbild(const Datenbestand& d);

// Reads a file image into `ziel`, which is first reset to an empty store. The prompts are asked
// after the client record, as on open (file password, then write-protect password). `pfad` is only
// passed on to the prompt.
LeseErgebnis DateiAuslesen(std::string_view bytes, Datenbestand& ziel, Kennwortabfrage& abfrage,
                           const std::string& pfad);

// Open: reads d.Dateiname. On success the store's contents are replaced (Dateiname is kept,
// Geaendert cleared, Schreibschutz and LetzterIndex set) and the result is true. On any failure
// the message goes through `meldungen` and `d` stays exactly as it was.
bool DateiLaden(Datenbestand& d, Meldungen& meldungen, Kennwortabfrage& abfrage);

// Save: recomputes every Stand (refused with MeldungStandZuGross when one lies beyond what the
// file holds, so that no saved file is one the reader refuses), then writes d.Dateiname atomically (temporary file beside it,
// flushed and synced, renamed over it). Clears Geaendert on success. On failure an error box names
// the file and the reason, Geaendert stays set and the old file is untouched.
bool DateiSpeichern(Datenbestand& d, Meldungen& meldungen);

// Writes bytes to `pfad` atomically; on failure `fehler` holds the reason in German.
bool DateiAtomarSchreiben(const std::string& pfad, std::string_view bytes, std::string& fehler);

// The 80-bit extended value of the file, encoded exactly from cents (correctly rounded, ties to
// even) and decoded back to cents (rounded half away from zero). Decoding fails for NaN, infinity
// and magnitudes beyond GroessterStandCent (betrag.h), the most a balance of the program can be.
void Extended80AusCent(Cent cent, unsigned char out[10]);
bool Extended80NachCent(const unsigned char in[10], Cent& cent);

}  // namespace talerwerk
