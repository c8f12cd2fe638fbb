#pragma once
// The lock beside an open data file, so that two programs never save over each other's changes.
// A small file next to the data file names the process that holds it (process number, program,
// host, user, since when). It is created with O_EXCL, so of two programs opening at the same
// moment only one wins. A lock whose process has died on this host is stale and may be removed;
// a lock of another host cannot be checked from here and is left to the user's judgement. A lock
// of a live process on this host is never removed.

#include <cstdint>
#include <string>

namespace talerwerk {

struct SperrInhaber {
    int64_t Prozess = 0;
    std::string Programm;  // the holder's program name as the system knows it
    std::string Rechner;
    std::string Benutzer;
    int64_t Seit = 0;      // seconds since 1970
};

enum class SperrLage {
    Frei,      // no lock file (or an empty/unreadable one being written right now counts as held)
    Lebend,    // held by a running process on this host
    Verwaist,  // held by a process of this host that no longer runs
    Fremd,     // held by a process of another host: whether it still runs cannot be known here
};

// "/pfad/.name.tlw.lock" for "/pfad/name.tlw".
std::string SperrdateiPfad(const std::string& datei);

// Who holds the lock of `datei` and whether that holder still runs.
SperrLage SperreLesen(const std::string& datei, SperrInhaber& inhaber);

// Removes the lock of `datei` when it is still stale (Verwaist, or Fremd with `fremdeEntfernen`)
// at the moment of removal; a lock that has meanwhile been taken by a live process stays. True
// when no lock is left.
bool SperreEntfernen(const std::string& datei, bool fremdeEntfernen);

// The message shown to a user who finds the file locked, in German.
std::string SperrBeschreibung(const std::string& datei, SperrLage lage, const SperrInhaber& inhaber);

// One held lock; released on Freigeben, on destruction and with the end of the process (the lock
// file then stays behind, but is stale).
class Dateisperre {
public:
    Dateisperre() = default;
    ~Dateisperre();
    Dateisperre(const Dateisperre&) = delete;
    Dateisperre& operator=(const Dateisperre&) = delete;

    enum class Ergebnis {
        Genommen,       // this program now holds the lock
        Belegt,         // another holder has it; see `inhaber` and `lage`
        NichtMoeglich,  // the folder does not allow a lock file (read-only medium, no rights)
    };
    // Takes the lock of `datei`, giving up one held before. A lock of this very process for the
    // same file counts as taken.
    Ergebnis Nehmen(const std::string& datei, SperrInhaber& inhaber, SperrLage& lage);
    void Freigeben();
    // Hands the lock (or none) over to `andere` and takes over the one it held.
    void Tauschen(Dateisperre& andere) noexcept {
        datei_.swap(andere.datei_);
        sperrdatei_.swap(andere.sperrdatei_);
    }
    bool Gehalten() const { return !sperrdatei_.empty(); }
    const std::string& Datei() const { return datei_; }

private:
    Ergebnis EinmalNehmen(const std::string& datei, SperrInhaber& inhaber, SperrLage& lage);
    std::string datei_;
    std::string sperrdatei_;
};

}  // namespace talerwerk
