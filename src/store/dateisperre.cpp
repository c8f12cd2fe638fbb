#include "store/dateisperre.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

namespace talerwerk {

namespace {

std::string ZeileLesen(const std::string& pfad) {
    std::ifstream ein(pfad);
    std::string zeile;
    std::getline(ein, zeile);
    return zeile;
}

std::string EigenesProgramm() {
    std::string name = ZeileLesen("/proc/self/comm");
    return name.empty() ? std::string("talerwerk") : name;
}

std::string EigenerRechner() {
    char puffer[256] = {};
    if (gethostname(puffer, sizeof puffer - 1) != 0) return "localhost";
    return puffer;
}

std::string EigenerBenutzer() {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name) return pw->pw_name;
    return std::to_string(getuid());
}

std::string Inhalt(const SperrInhaber& i) {
    std::ostringstream aus;
    aus << i.Prozess << '\n' << i.Programm << '\n' << i.Rechner << '\n' << i.Benutzer << '\n' << i.Seit << '\n';
    return aus.str();
}

// False when the file is missing; an incomplete file yields what could be read.
bool InhaberLesen(const std::string& sperrdatei, SperrInhaber& i) {
    std::ifstream ein(sperrdatei);
    if (!ein) return false;
    std::string zeile;
    i = SperrInhaber{};
    if (std::getline(ein, zeile)) i.Prozess = std::atoll(zeile.c_str());
    std::getline(ein, i.Programm);
    std::getline(ein, i.Rechner);
    std::getline(ein, i.Benutzer);
    if (std::getline(ein, zeile)) i.Seit = std::atoll(zeile.c_str());
    return true;
}

SperrLage Beurteilen(const SperrInhaber& i) {
    if (i.Rechner != EigenerRechner()) return SperrLage::Fremd;
    if (i.Prozess <= 0) return SperrLage::Verwaist;
    const auto pid = static_cast<pid_t>(i.Prozess);
    if (kill(pid, 0) != 0 && errno == ESRCH) return SperrLage::Verwaist;
    // The process number may have been given to another program since; where the system tells
    // the program of a process, a different one means the holder is gone.
    if (!i.Programm.empty()) {
        const std::string jetzt = ZeileLesen("/proc/" + std::to_string(pid) + "/comm");
        if (!jetzt.empty() && jetzt != i.Programm) return SperrLage::Verwaist;
    }
    return SperrLage::Lebend;
}

std::string ZeitText(int64_t sekunden) {
    const auto t = static_cast<time_t>(sekunden);
    tm ortszeit{};
    if (sekunden <= 0 || !localtime_r(&t, &ortszeit)) return "unbekannt";
    char puffer[32];
    std::strftime(puffer, sizeof puffer, "%d.%m.%Y %H:%M", &ortszeit);
    return puffer;
}

}  // namespace

std::string SperrdateiPfad(const std::string& datei) {
    const auto schnitt = datei.find_last_of('/');
    if (schnitt == std::string::npos) return "." + datei + ".lock";
    return datei.substr(0, schnitt + 1) + "." + datei.substr(schnitt + 1) + ".lock";
}

SperrLage SperreLesen(const std::string& datei, SperrInhaber& inhaber) {
    if (!InhaberLesen(SperrdateiPfad(datei), inhaber)) return SperrLage::Frei;
    return Beurteilen(inhaber);
}

bool SperreEntfernen(const std::string& datei, bool fremdeEntfernen) {
    const std::string sperrdatei = SperrdateiPfad(datei);
    SperrInhaber vorher;
    const SperrLage lage = SperreLesen(datei, vorher);
    if (lage == SperrLage::Frei) return true;
    if (lage == SperrLage::Lebend || (lage == SperrLage::Fremd && !fremdeEntfernen)) return false;
    // Moved aside first and judged again there: a program may have taken the lock between the
    // look above and now, and its lock must survive.
    const std::string beiseite = sperrdatei + ".entfernen." + std::to_string(getpid());
    if (rename(sperrdatei.c_str(), beiseite.c_str()) != 0) return errno == ENOENT;
    SperrInhaber nachher;
    InhaberLesen(beiseite, nachher);
    const SperrLage jetzt = Beurteilen(nachher);
    if (jetzt == SperrLage::Lebend || (jetzt == SperrLage::Fremd && !fremdeEntfernen) ||
        Inhalt(nachher) != Inhalt(vorher)) {
        if (link(beiseite.c_str(), sperrdatei.c_str()) == 0 || errno == EEXIST) unlink(beiseite.c_str());
        else rename(beiseite.c_str(), sperrdatei.c_str());
        return false;
    }
    unlink(beiseite.c_str());
    return true;
}

std::string SperrBeschreibung(const std::string& datei, SperrLage lage, const SperrInhaber& i) {
    const auto schnitt = datei.find_last_of('/');
    const std::string name = schnitt == std::string::npos ? datei : datei.substr(schnitt + 1);
    std::string text = "Die Datei \"" + name + "\" ist gesperrt.\r\rSie wurde am " + ZeitText(i.Seit) +
                       " von " + (i.Benutzer.empty() ? std::string("einem Benutzer") : i.Benutzer) +
                       " auf dem Rechner \"" + i.Rechner + "\" geöffnet (Programm " + i.Programm +
                       ", Prozess " + std::to_string(i.Prozess) + ").";
    switch (lage) {
    case SperrLage::Lebend:
        text += "\rDieses Programm läuft noch.";
        break;
    case SperrLage::Verwaist:
        text += "\rDieses Programm läuft nicht mehr; die Sperre ist übrig geblieben.";
        break;
    case SperrLage::Fremd:
        text += "\rOb das Programm auf jenem Rechner noch läuft, lässt sich von hier aus nicht prüfen.";
        break;
    case SperrLage::Frei:
        break;
    }
    return text;
}

Dateisperre::~Dateisperre() { Freigeben(); }

void Dateisperre::Freigeben() {
    if (sperrdatei_.empty()) return;
    // Only our own lock is removed: someone may have removed a lock they took for stale and
    // taken the file themselves.
    SperrInhaber i;
    if (InhaberLesen(sperrdatei_, i) && i.Prozess == getpid() && i.Rechner == EigenerRechner())
        unlink(sperrdatei_.c_str());
    sperrdatei_.clear();
    datei_.clear();
}

Dateisperre::Ergebnis Dateisperre::Nehmen(const std::string& datei, SperrInhaber& inhaber, SperrLage& lage) {
    Freigeben();
    // A lock released between the failed attempt and the look at its holder is tried again, a
    // few times at most.
    for (int versuch = 0; versuch < 3; ++versuch) {
        const Ergebnis e = EinmalNehmen(datei, inhaber, lage);
        if (e != Ergebnis::Belegt || lage != SperrLage::Frei) return e;
    }
    return Ergebnis::Belegt;
}

Dateisperre::Ergebnis Dateisperre::EinmalNehmen(const std::string& datei, SperrInhaber& inhaber, SperrLage& lage) {
    const std::string sperrdatei = SperrdateiPfad(datei);
    SperrInhaber ich;
    ich.Prozess = getpid();
    ich.Programm = EigenesProgramm();
    ich.Rechner = EigenerRechner();
    ich.Benutzer = EigenerBenutzer();
    ich.Seit = static_cast<int64_t>(std::time(nullptr));
    const std::string inhalt = Inhalt(ich);

    // Written whole under a private name and then linked to the lock's name: the link fails when
    // the lock exists, and nobody ever reads a half-written lock.
    const std::string entwurf = sperrdatei + ".neu." + std::to_string(getpid());
    bool genommen = false;
    int fehler = 0;
    int fd = open(entwurf.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        const bool geschrieben = write(fd, inhalt.data(), inhalt.size()) == static_cast<ssize_t>(inhalt.size());
        close(fd);
        if (geschrieben && link(entwurf.c_str(), sperrdatei.c_str()) == 0) genommen = true;
        else fehler = geschrieben ? errno : EIO;
        unlink(entwurf.c_str());
        if (!genommen && fehler != EEXIST) {
            // A medium without hard links: O_EXCL gives the same guarantee, at the price of a
            // short moment in which the lock is empty.
            fd = open(sperrdatei.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd >= 0) {
                genommen = write(fd, inhalt.data(), inhalt.size()) == static_cast<ssize_t>(inhalt.size());
                close(fd);
                if (!genommen) unlink(sperrdatei.c_str());
            } else {
                fehler = errno;
            }
        }
    } else {
        fehler = errno;
    }
    if (genommen) {
        datei_ = datei;
        sperrdatei_ = sperrdatei;
        return Ergebnis::Genommen;
    }
    if (fehler == EEXIST) {
        lage = SperreLesen(datei, inhaber);
        if (lage == SperrLage::Frei) return Ergebnis::Belegt;  // released meanwhile: try again
        if (inhaber.Prozess == ich.Prozess && inhaber.Rechner == ich.Rechner) {
            datei_ = datei;
            sperrdatei_ = sperrdatei;
            return Ergebnis::Genommen;
        }
        return Ergebnis::Belegt;
    }
    return Ergebnis::NichtMoeglich;
}

}  // namespace talerwerk
