#pragma once
// The data file: a dump of the whole store as tagged values (see datendatei.cpp for the layout).
// Reading never trusts the bytes: every length and count is checked against what is left, and a
// failed read leaves the target store untouched.

#include <cstdint>
#include <functional>
#include <iosfwd>
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

// Writes bytes to `pfad` atomically; on failure `fehler` holds the reason in German. The new file
// keeps the permission bits (and, where the system allows, owner and group) of the one it
// replaces. The temporary file lies beside the target under a name derived from the target's and
// never longer than the folder allows; it is removed on every failure, and one left behind by a
// save that was killed is removed by the next save of the same file. Only a regular file (or a
// symbolic link to one) is replaced.
bool DateiAtomarSchreiben(const std::string& pfad, std::string_view bytes, std::string& fehler);
// The same for output made piece by piece: `schreiben` writes into a stream over the temporary
// file, so large output never has to be held in memory whole.
bool DateiAtomarSchreiben(const std::string& pfad, const std::function<void(std::ostream&)>& schreiben,
                          std::string& fehler);

// Reads a whole file into `inhalt`. Only a regular file is opened for reading: a FIFO or a device
// is refused at once instead of blocking. False with errno set when the file cannot be read, is
// no regular file (EINVAL, EISDIR for a folder) or is larger than `hoechstens` bytes (EFBIG).
bool DateiEinlesen(const std::string& pfad, std::string& inhalt, size_t hoechstens = SIZE_MAX);

// Asks for the passwords of the data file at `pfad` as opening it would (file password, then
// write-protect password), reading no more of it than its client record at the start, however
// large that record is. Ungueltig: no data file there (missing, unreadable, or its start is no
// client record); the prompt is then not asked.
LeseErgebnis KennwoerterPruefen(const std::string& pfad, Kennwortabfrage& abfrage);

// True when a file exists at `pfad` and starts with a complete client record, as every data file
// does. Asks nothing.
bool IstDatendatei(const std::string& pfad);

// The 80-bit extended value of the file, encoded exactly from cents (correctly rounded, ties to
// even) and decoded back to cents (rounded half away from zero). Decoding fails for NaN, infinity
// and magnitudes beyond GroessterStandCent (betrag.h), the most a balance of the program can be.
void Extended80AusCent(Cent cent, unsigned char out[10]);
bool Extended80NachCent(const unsigned char in[10], Cent& cent);

}  // namespace talerwerk
