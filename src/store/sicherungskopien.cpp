#include "store/sicherungskopien.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "store/datenbestand.h"
#include "store/datendatei.h"
#include "store/ports.h"

namespace talerwerk {

namespace fs = std::filesystem;

namespace {

std::string Stamm(const std::string& datei) { return fs::path(datei).stem().string(); }
std::string Endung(const std::string& datei) { return fs::path(datei).extension().string(); }

// "name_2026-12-08_11-15-30.tlw" → "2026-12-08_11-15-30"; "" when the name is no copy of `datei`.
std::string ZeitstempelAusName(const std::string& kopie, const std::string& datei) {
    const std::string name = fs::path(kopie).filename().string();
    const std::string vorne = Stamm(datei) + "_";
    const std::string hinten = Endung(datei);
    constexpr size_t Laenge = 19;  // YYYY-MM-DD_HH-MM-SS
    if (name.size() < vorne.size() + hinten.size() + Laenge) return {};
    if (name.compare(0, vorne.size(), vorne) != 0) return {};
    if (name.compare(name.size() - hinten.size(), hinten.size(), hinten) != 0) return {};
    std::string stempel = name.substr(vorne.size(), name.size() - vorne.size() - hinten.size());
    // A second copy within one second carries a suffix "-2", "-3", …
    const std::string grund = stempel.substr(0, Laenge);
    for (size_t i = 0; i < Laenge; ++i) {
        const bool ziffer = grund[i] >= '0' && grund[i] <= '9';
        const char trenner = i == 10 ? '_' : (i == 4 || i == 7 || i == 13 || i == 16) ? '-' : 0;
        if (trenner ? grund[i] != trenner : !ziffer) return {};
    }
    if (stempel.size() > Laenge && stempel[Laenge] != '-') return {};
    return stempel;
}

bool Kopieren(const std::string& von, const std::string& nach, std::string& fehler) {
    std::error_code ec;
    if (fs::copy_file(von, nach, fs::copy_options::none, ec)) return true;
    fehler = ec.message();
    fs::remove(nach, ec);
    return false;
}

// Reads tagged values from the front of a data file without keeping them.
class Ueberspringer {
public:
    explicit Ueberspringer(std::istream& ein) : ein_(ein) {}

    bool Zahl32(int32_t& wert) {
        unsigned char b[4];
        if (!Bytes(b, 4)) return false;
        wert = static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
        return true;
    }
    // One tagged value; a text list (0x01 … 0x00) counts as one value.
    bool Wert() {
        unsigned char tag;
        if (!Bytes(&tag, 1)) return false;
        switch (tag) {
        case 0x01:
            for (;;) {
                if (ein_.peek() == 0x00) return Bytes(&tag, 1);
                if (!Wert()) return false;
            }
        case 0x00: case 0x08: case 0x09: return true;
        case 0x02: return Weiter(1);
        case 0x03: return Weiter(2);
        case 0x04: return Weiter(4);
        case 0x05: return Weiter(10);
        case 0x06: {
            unsigned char n;
            return Bytes(&n, 1) && Weiter(n);
        }
        case 0x0C: {
            int32_t n;
            return Zahl32(n) && n >= 0 && Weiter(static_cast<uint32_t>(n));
        }
        default: return false;
        }
    }
    bool Werte(int anzahl) {
        for (int i = 0; i < anzahl; ++i)
            if (!Wert()) return false;
        return true;
    }
    bool Saetze(int werteJeSatz) {
        int32_t n;
        if (!Zahl32(n) || n < 0) return false;
        for (int32_t i = 0; i < n; ++i)
            if (!Werte(werteJeSatz)) return false;
        return true;
    }

private:
    bool Bytes(unsigned char* ziel, size_t n) {
        ein_.read(reinterpret_cast<char*>(ziel), static_cast<std::streamsize>(n));
        return static_cast<size_t>(ein_.gcount()) == n;
    }
    bool Weiter(uint32_t n) {
        ein_.seekg(n, std::ios::cur);
        return static_cast<bool>(ein_);
    }
    std::istream& ein_;
};

constexpr int KontoWerte = 19;
constexpr int DruckWerte = 21;  // font (3), four style flags, four margins, copies, orientation, eight flags
constexpr int BuchungWerte = 38;

}  // namespace

std::string SicherungsOrdner(const std::string& datei) {
    return (fs::path(datei).parent_path() / SicherungsOrdnerName).string();
}

int64_t BuchungsanzahlLesen(const std::string& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    if (!ein) return -1;
    Ueberspringer u(ein);
    int32_t eins;
    int32_t buchungen;
    // client record, page settings, accounts, snippets, header record, then the bookings' count
    if (!u.Zahl32(eins) || !u.Werte(KontoWerte) || !u.Saetze(DruckWerte) || !u.Saetze(KontoWerte) ||
        !u.Saetze(KontoWerte) || !u.Werte(BuchungWerte) || !u.Zahl32(buchungen) || buchungen < 0)
        return -1;
    return buchungen;
}

std::vector<Sicherungskopie> SicherungenAuflisten(const std::string& datei) {
    std::vector<Sicherungskopie> kopien;
    std::error_code ec;
    for (fs::directory_iterator it(SicherungsOrdner(datei), ec), ende; !ec && it != ende; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string stempel = ZeitstempelAusName(it->path().string(), datei);
        if (stempel.empty()) continue;
        Sicherungskopie k;
        k.Pfad = it->path().string();
        k.Zeitpunkt = stempel.substr(0, 10) + " " + stempel.substr(11, 8);
        std::replace(k.Zeitpunkt.begin() + 11, k.Zeitpunkt.end(), '-', ':');
        k.Groesse = it->file_size(ec);
        kopien.push_back(std::move(k));
    }
    // Newest first: by the time in the name, then by the number of a second copy in that second.
    const auto schluessel = [&](const Sicherungskopie& k) {
        const std::string stempel = ZeitstempelAusName(k.Pfad, datei);
        return std::make_pair(stempel.substr(0, 19), stempel.size() > 20 ? std::atoi(stempel.c_str() + 20) : 1);
    };
    std::sort(kopien.begin(), kopien.end(),
              [&](const Sicherungskopie& a, const Sicherungskopie& b) { return schluessel(a) > schluessel(b); });
    for (auto& k : kopien) k.Buchungen = BuchungsanzahlLesen(k.Pfad);
    return kopien;
}

std::string SicherungAnlegen(const std::string& datei, const std::string& zeitstempel, int32_t anzahl,
                             std::string& fehler) {
    struct stat st {};
    if (::stat(datei.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};  // nothing to keep yet
    const std::string ordner = SicherungsOrdner(datei);
    std::error_code ec;
    fs::create_directories(ordner, ec);
    if (ec) {
        fehler = ec.message();
        return {};
    }
    std::string ziel;
    for (int nr = 1;; ++nr) {
        ziel = (fs::path(ordner) / (Stamm(datei) + "_" + zeitstempel + (nr > 1 ? "-" + std::to_string(nr) : "") +
                                    Endung(datei)))
                   .string();
        if (!fs::exists(ziel, ec)) break;
        if (nr > 99) {
            fehler = "zu viele Sicherungskopien in derselben Sekunde";
            return {};
        }
    }
    // The link is made to the file a symbolic link points to, as the save replaces that one.
    if (linkat(AT_FDCWD, datei.c_str(), AT_FDCWD, ziel.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        // No hard links here (another medium, a file system without them): a plain copy.
        if (!Kopieren(datei, ziel, fehler)) return {};
    }
    const auto kopien = SicherungenAuflisten(datei);
    const size_t behalten = static_cast<size_t>(std::clamp(anzahl, 1, 99));
    for (size_t i = behalten; i < kopien.size(); ++i) fs::remove(kopien[i].Pfad, ec);
    return ziel;
}

bool DateiSpeichernMitSicherung(Datenbestand& d, Meldungen& meldungen, const Sicherungsvorgaben& vorgaben,
                                const std::string& zeitstempel, bool& fehlerGemeldet) {
    std::string kopie;
    if (vorgaben.Aktiv && !d.Dateiname.empty()) {
        std::string fehler;
        kopie = SicherungAnlegen(d.Dateiname, zeitstempel, vorgaben.Anzahl, fehler);
        if (kopie.empty() && !fehler.empty() && !fehlerGemeldet) {
            fehlerGemeldet = true;
            meldungen.Warnung("Die Sicherungskopie von \"" + fs::path(d.Dateiname).filename().string() +
                              "\" konnte nicht angelegt werden (" + fehler +
                              ").\rDie Datei wird trotzdem gespeichert; diese Meldung erscheint für diese "
                              "Datei nur einmal.");
        }
    }
    if (DateiSpeichern(d, meldungen)) return true;
    // The old file is still in place: the copy of it would only be a duplicate.
    if (!kopie.empty()) {
        std::error_code ec;
        fs::remove(kopie, ec);
    }
    return false;
}

}  // namespace talerwerk
