// The lock beside an open data file and the backup copies made by saving.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "store/dateisperre.h"
#include "store/datendatei.h"
#include "store/betrag.h"
#include "store/datenbestand.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "store/sicherungskopien.h"
#include "testhilfen.h"

using namespace talerwerk;
using namespace talerwerk::test;
namespace fs = std::filesystem;

namespace {

struct Ordner {
    fs::path pfad;
    Ordner() {
        char muster[] = "/tmp/tw_sicherheit_XXXXXX";
        pfad = mkdtemp(muster);
    }
    ~Ordner() { fs::remove_all(pfad); }
    std::string Datei(const std::string& name) const { return (pfad / name).string(); }
};

std::string Lesen(const std::string& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), {}};
}

void Schreiben(const std::string& pfad, const std::string& inhalt) {
    std::ofstream(pfad, std::ios::binary) << inhalt;
}

std::string Rechner() {
    char puffer[256] = {};
    gethostname(puffer, sizeof puffer - 1);
    return puffer;
}

std::string Programm(pid_t pid) {
    std::ifstream ein("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(ein, name);
    return name;
}

// A lock file as another program writes it.
void FremdeSperre(const std::string& datei, int64_t pid, const std::string& programm, const std::string& rechner) {
    Schreiben(SperrdateiPfad(datei), std::to_string(pid) + "\n" + programm + "\n" + rechner + "\nanna\n1700000000\n");
}

// The number of a process that has ended.
pid_t BeendeterProzess() {
    const pid_t kind = fork();
    if (kind == 0) _exit(0);
    waitpid(kind, nullptr, 0);
    return kind;
}

// A store with `n` bookings saved under `pfad`.
Datenbestand Gespeichert(const std::string& pfad, int64_t n) {
    Datenbestand d = DemoBuch(n, 3, *TagesNummer(30, 6, 2026));
    d.Dateiname = pfad;
    SkriptMeldungen m;
    EXPECT_TRUE(DateiSpeichern(d, m));
    return d;
}

}  // namespace

TEST(Dateisperre, WirdGenommenUndFreigegebenUndSchuetztVorEinemZweiten) {
    Ordner o;
    const std::string datei = o.Datei("buch.tlw");
    EXPECT_EQ(SperrdateiPfad(datei), o.Datei(".buch.tlw.lock"));
    {
        Dateisperre sperre;
        SperrInhaber inhaber;
        SperrLage lage;
        ASSERT_EQ(sperre.Nehmen(datei, inhaber, lage), Dateisperre::Ergebnis::Genommen);
        EXPECT_TRUE(sperre.Gehalten());
        ASSERT_EQ(SperreLesen(datei, inhaber), SperrLage::Lebend);
        EXPECT_EQ(inhaber.Prozess, getpid());
        EXPECT_EQ(inhaber.Rechner, Rechner());
        // A live lock of this host is never removed, whatever the caller asks.
        EXPECT_FALSE(SperreEntfernen(datei, true));
        EXPECT_TRUE(fs::exists(SperrdateiPfad(datei)));

        // Another process sees the lock as held by a running program and cannot take it.
        const pid_t kind = fork();
        if (kind == 0) {
            Dateisperre zweite;
            SperrInhaber i;
            SperrLage l;
            const bool belegt = zweite.Nehmen(datei, i, l) == Dateisperre::Ergebnis::Belegt &&
                                l == SperrLage::Lebend && i.Prozess == getppid();
            _exit(belegt ? 0 : 1);
        }
        int status = -1;
        waitpid(kind, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_FALSE(fs::exists(SperrdateiPfad(datei))) << "the destructor releases the lock";
    // The lock file carries no leftovers of its making.
    EXPECT_TRUE(fs::is_empty(o.pfad));
}

TEST(Dateisperre, VerwaisteUndFremdeSperrenWerdenErkanntUndNurMitRechtEntfernt) {
    Ordner o;
    const std::string datei = o.Datei("buch.tlw");
    SperrInhaber inhaber;

    // A process of this host that has ended: stale, removed on request, then the lock is free.
    FremdeSperre(datei, BeendeterProzess(), "talerwerk", Rechner());
    EXPECT_EQ(SperreLesen(datei, inhaber), SperrLage::Verwaist);
    EXPECT_EQ(inhaber.Benutzer, "anna");
    Dateisperre sperre;
    SperrLage lage;
    EXPECT_EQ(sperre.Nehmen(datei, inhaber, lage), Dateisperre::Ergebnis::Belegt);
    EXPECT_EQ(lage, SperrLage::Verwaist);
    EXPECT_TRUE(SperreEntfernen(datei, false));
    EXPECT_EQ(sperre.Nehmen(datei, inhaber, lage), Dateisperre::Ergebnis::Genommen);
    sperre.Freigeben();

    // A live process number now used by another program: the holder is gone.
    FremdeSperre(datei, 1, Programm(1) + "-nicht", Rechner());
    EXPECT_EQ(SperreLesen(datei, inhaber), SperrLage::Verwaist);
    // The same process number with its own program name: alive, never removed.
    FremdeSperre(datei, 1, Programm(1), Rechner());
    EXPECT_EQ(SperreLesen(datei, inhaber), SperrLage::Lebend);
    EXPECT_FALSE(SperreEntfernen(datei, true));
    EXPECT_EQ(SperreLesen(datei, inhaber), SperrLage::Lebend);

    // Another host's lock cannot be judged from here: removed only when the user says so.
    FremdeSperre(datei, 4242, "talerwerk", Rechner() + "-anderer");
    EXPECT_EQ(SperreLesen(datei, inhaber), SperrLage::Fremd);
    EXPECT_FALSE(SperreEntfernen(datei, false));
    EXPECT_TRUE(fs::exists(SperrdateiPfad(datei)));
    const std::string text = SperrBeschreibung(datei, SperrLage::Fremd, inhaber);
    EXPECT_NE(text.find("\"buch.tlw\" ist gesperrt"), std::string::npos) << text;
    EXPECT_NE(text.find("anna"), std::string::npos) << text;
    EXPECT_NE(text.find("lässt sich von hier aus nicht prüfen"), std::string::npos) << text;
    EXPECT_TRUE(SperreEntfernen(datei, true));
    EXPECT_FALSE(fs::exists(SperrdateiPfad(datei)));
}

TEST(Dateisperre, FreigebenLaesstDieSperreEinesAnderenStehen) {
    Ordner o;
    const std::string datei = o.Datei("buch.tlw");
    Dateisperre sperre;
    SperrInhaber inhaber;
    SperrLage lage;
    ASSERT_EQ(sperre.Nehmen(datei, inhaber, lage), Dateisperre::Ergebnis::Genommen);
    // Someone took our lock for stale and holds the file now.
    FremdeSperre(datei, 1, Programm(1), Rechner());
    sperre.Freigeben();
    EXPECT_EQ(SperreLesen(datei, inhaber), SperrLage::Lebend);
    EXPECT_EQ(inhaber.Prozess, 1);
}

TEST(Sicherungskopien, JedesSpeichernBehaeltDieVorigeDateiUndDieNeuestenBleiben) {
    Ordner o;
    const std::string datei = o.Datei("haushalt.tlw");
    Datenbestand d = Gespeichert(datei, 10);
    SkriptMeldungen m;
    bool gemeldet = false;
    std::vector<std::string> staende{Lesen(datei)};
    for (int i = 1; i <= 7; ++i) {
        d.Mandant.Name = "Stand " + std::to_string(i);
        ASSERT_TRUE(DateiSpeichernMitSicherung(d, m, {true, 5}, "2026-12-08_10-00-0" + std::to_string(i), gemeldet));
        staende.push_back(Lesen(datei));
    }
    EXPECT_TRUE(m.meldungen.empty());
    const auto kopien = SicherungenAuflisten(datei);
    ASSERT_EQ(kopien.size(), 5u);
    // Newest first; each copy holds the file as it stood before that save.
    for (size_t k = 0; k < kopien.size(); ++k) {
        const int save = 7 - static_cast<int>(k);
        EXPECT_EQ(kopien[k].Zeitpunkt, "2026-12-08 10:00:0" + std::to_string(save));
        EXPECT_EQ(Lesen(kopien[k].Pfad), staende[static_cast<size_t>(save - 1)]) << k;
        EXPECT_EQ(kopien[k].Groesse, staende[static_cast<size_t>(save - 1)].size());
        EXPECT_EQ(kopien[k].Buchungen, 10);
    }
    // The data file itself is the newest state and no copy shares it.
    EXPECT_EQ(Lesen(datei), staende.back());
    EXPECT_EQ(fs::hard_link_count(datei), 1u);

    // Two saves within one second keep both, the second one listed first.
    ASSERT_TRUE(DateiSpeichernMitSicherung(d, m, {true, 9}, "2026-12-08_10-00-09", gemeldet));
    ASSERT_TRUE(DateiSpeichernMitSicherung(d, m, {true, 9}, "2026-12-08_10-00-09", gemeldet));
    const auto mehr = SicherungenAuflisten(datei);
    ASSERT_EQ(mehr.size(), 7u);
    EXPECT_EQ(fs::path(mehr[0].Pfad).filename(), "haushalt_2026-12-08_10-00-09-2.tlw");
    EXPECT_EQ(fs::path(mehr[1].Pfad).filename(), "haushalt_2026-12-08_10-00-09.tlw");

    // Switched off: no copy.
    ASSERT_TRUE(DateiSpeichernMitSicherung(d, m, {false, 5}, "2026-12-08_10-00-10", gemeldet));
    EXPECT_EQ(SicherungenAuflisten(datei).size(), 7u);
}

TEST(Sicherungskopien, ListeKenntNurKopienDieserDateiUndZaehltIhreBuchungen) {
    Ordner o;
    const std::string datei = o.Datei("a.tlw");
    Gespeichert(datei, 0);
    fs::create_directory(SicherungsOrdner(datei));
    const fs::path ordner = SicherungsOrdner(datei);
    Gespeichert((ordner / "a_2026-01-02_03-04-05.tlw").string(), 1234);
    Schreiben((ordner / "a_2026-01-02_03-04-06.tlw").string(), "kaputt");
    Schreiben((ordner / "ab_2026-01-02_03-04-07.tlw").string(), "andere Datei");
    Schreiben((ordner / "a_2026-01-02.tlw").string(), "kein Zeitstempel");
    Schreiben((ordner / "a_2026-01-02_03-04-08.txt").string(), "andere Endung");
    const auto kopien = SicherungenAuflisten(datei);
    ASSERT_EQ(kopien.size(), 2u);
    EXPECT_EQ(kopien[0].Buchungen, -1);
    EXPECT_EQ(kopien[1].Buchungen, 1234);
    EXPECT_EQ(BuchungsanzahlLesen(datei), 0);
    EXPECT_EQ(BuchungsanzahlLesen(o.Datei("fehlt.tlw")), -1);
    // Cut inside the front part: unreadable, never a wrong count.
    const std::string ganz = Lesen(kopien[1].Pfad);
    Schreiben(o.Datei("kurz.tlw"), ganz.substr(0, 200));
    EXPECT_EQ(BuchungsanzahlLesen(o.Datei("kurz.tlw")), -1);
}

TEST(Sicherungskopien, EinFehlerDerKopieHaeltDasSpeichernNichtAufUndWirdEinmalGemeldet) {
    Ordner o;
    const std::string datei = o.Datei("buch.tlw");
    Datenbestand d = Gespeichert(datei, 3);
    // Where the folder should be lies a file: no copy can be made.
    Schreiben(SicherungsOrdner(datei), "im Weg");
    SkriptMeldungen m;
    bool gemeldet = false;
    d.Mandant.Name = "neu";
    ASSERT_TRUE(DateiSpeichernMitSicherung(d, m, {true, 5}, "2026-12-08_10-00-01", gemeldet));
    d.Mandant.Name = "neuer";
    ASSERT_TRUE(DateiSpeichernMitSicherung(d, m, {true, 5}, "2026-12-08_10-00-02", gemeldet));
    ASSERT_EQ(m.Texte(MeldungsArt::Warnung).size(), 1u);
    EXPECT_NE(m.Texte(MeldungsArt::Warnung)[0].find("\"buch.tlw\" konnte nicht angelegt werden"),
              std::string::npos);
    EXPECT_TRUE(gemeldet);
    EXPECT_FALSE(d.Geaendert);
    Datenbestand zurueck;
    zurueck.Dateiname = datei;
    SkriptKennwortabfrage k;
    ASSERT_TRUE(DateiLaden(zurueck, m, k));
    EXPECT_EQ(zurueck.Mandant.Name, "neuer");
}

TEST(Sicherungskopien, EinMisslungenesSpeichernNimmtSeineKopieZurueck) {
    Ordner o;
    const std::string datei = o.Datei("buch.tlw");
    Datenbestand d = Gespeichert(datei, 3);
    const std::string vorher = Lesen(datei);
    // A balance beyond what the file holds: the save is refused and the file stays.
    d.Konten.front().AnfStand = GroessterStandCent;
    d.Konten.front().Stand = GroessterStandCent;
    BuchungErsetzen(d, 0, [&] {
        buchungstyp b = d.Buchungen[0];
        b.Konto1 = d.Konten.front().Nr;
        b.Konto2 = 0;
        b.BArt = BArtEinnahme;
        b.Betrag = "999999,99";
        b.Storniert = false;
        return b;
    }());
    SkriptMeldungen m;
    bool gemeldet = false;
    EXPECT_FALSE(DateiSpeichernMitSicherung(d, m, {true, 5}, "2026-12-08_10-00-01", gemeldet));
    EXPECT_EQ(Lesen(datei), vorher);
    EXPECT_TRUE(SicherungenAuflisten(datei).empty());
}
