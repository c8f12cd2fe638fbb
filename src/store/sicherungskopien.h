#pragma once
// Backup copies: before a save replaces a data file, the file as it stood is kept in a folder
// beside it, under its name and the time of the save; the newest few are kept. The copy is a
// second name for the old file (a hard link), so making it neither reads nor writes the data and
// cannot touch the file being replaced; where the medium has no hard links, the old file is
// copied into the backup folder. A backup that fails never stops the save.

#include <cstdint>
#include <string>
#include <vector>

namespace talerwerk {

struct Datenbestand;
class Meldungen;

inline constexpr const char* SicherungsOrdnerName = "Sicherungskopien";

struct Sicherungsvorgaben {
    bool Aktiv = true;
    int32_t Anzahl = 5;  // copies kept per data file, 1 … 99
};

struct Sicherungskopie {
    std::string Pfad;
    std::string Zeitpunkt;   // "2026-12-08 11:15:30", from the name
    uint64_t Groesse = 0;    // bytes
    int64_t Buchungen = -1;  // -1 when the file cannot be read as a data file
};

// "/pfad/Sicherungskopien" for "/pfad/name.tlw".
std::string SicherungsOrdner(const std::string& datei);

// Keeps the file `datei` as it stands now as a copy named with `zeitstempel`
// ("YYYY-MM-DD_HH-MM-SS"), then removes the oldest copies beyond `anzahl`. Nothing to keep when
// the file does not exist yet. Returns the copy's path, or "" with `fehler` set.
std::string SicherungAnlegen(const std::string& datei, const std::string& zeitstempel, int32_t anzahl,
                             std::string& fehler);

// The copies of `datei`, newest first.
std::vector<Sicherungskopie> SicherungenAuflisten(const std::string& datei);

// The number of bookings of a data file, read from the front part of the file only; -1 when it
// cannot be read so far.
int64_t BuchungsanzahlLesen(const std::string& pfad);

// Saves the store (DateiSpeichern) after keeping a copy of the file it replaces. A backup that
// fails is reported through `meldungen` once per `fehlerGemeldet` (the caller keeps the flag per
// open file) and the save goes on; a save that fails takes back the copy it made.
bool DateiSpeichernMitSicherung(Datenbestand& d, Meldungen& meldungen, const Sicherungsvorgaben& vorgaben,
                                const std::string& zeitstempel, bool& fehlerGemeldet);

}  // namespace talerwerk
