// The data file on disk: the atomic save under failures and with unusual names, what is opened for
// reading, and the password check of an existing file that is about to be replaced.

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/datendatei.h"
#include "store/datendatei_testdaten.h"
#include "testhilfen.h"

namespace talerwerk {
namespace {

using test::ReicherBestand;
using test::SkriptKennwortabfrage;
using test::SkriptMeldungen;

class Ordner {
public:
    Ordner() {
        char vorlage[] = "/tmp/datendatei_dateien_XXXXXX";
        const char* p = ::mkdtemp(vorlage);
        if (p == nullptr) throw std::runtime_error("mkdtemp");
        pfad = p;
    }
    ~Ordner() {
        for (const std::string& n : Eintraege()) ::unlink((pfad + "/" + n).c_str());
        ::rmdir(pfad.c_str());
    }
    std::vector<std::string> Eintraege() const {
        std::vector<std::string> namen;
        if (DIR* d = ::opendir(pfad.c_str())) {
            while (dirent* e = ::readdir(d)) {
                const std::string n = e->d_name;
                if (n != "." && n != "..") namen.push_back(n);
            }
            ::closedir(d);
        }
        std::sort(namen.begin(), namen.end());
        return namen;
    }
    std::string Datei(const std::string& name) const { return pfad + "/" + name; }
    std::string pfad;
};

std::string Inhalt(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void Schreiben(const std::string& pfad, const std::string& inhalt) {
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f << inhalt;
}

mode_t Rechte(const std::string& pfad) {
    struct stat st {};
    if (::stat(pfad.c_str(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

// Writes larger than `bytes` fail with EFBIG while it lives (the signal the kernel would send
// instead is ignored), as on a full disk, but without filling one.
class Dateigrenze {
public:
    explicit Dateigrenze(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &alt_);
        altesSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit neu = alt_;
        neu.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~Dateigrenze() {
        ::setrlimit(RLIMIT_FSIZE, &alt_);
        std::signal(SIGXFSZ, altesSignal_);
    }

private:
    rlimit alt_{};
    void (*altesSignal_)(int) = nullptr;
};

// Starts a save of `pfad` in a child process that dies half-way through writing, as a save does
// when the program is killed; returns once the child is gone.
void AbgebrochenesSpeichern(const std::string& pfad) {
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        std::string fehler;
        DateiAtomarSchreiben(
            pfad,
            [](std::ostream& aus) {
                aus << std::string(100000, 'h');
                aus.flush();
                ::_exit(0);
            },
            fehler);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(kind, &status, 0), kind);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// ----------------------------------------------------------------------------------------------
// Saving

TEST(DatendateiAtomar, BehaeltDieRechteInBeidenFormen) {
    Ordner ordner;
    const std::string pfad = ordner.Datei("buch.tlw");
    for (const mode_t rechte : {0600, 0604, 0640, 0660, 0750, 02750}) {
        Schreiben(pfad, "alt");
        ASSERT_EQ(::chmod(pfad.c_str(), rechte), 0);
        std::string fehler;
        ASSERT_TRUE(DateiAtomarSchreiben(pfad, "neu", fehler)) << fehler;
        EXPECT_EQ(Rechte(pfad), rechte) << std::oct << rechte;
        EXPECT_EQ(Inhalt(pfad), "neu");
        ASSERT_TRUE(DateiAtomarSchreiben(pfad, [](std::ostream& aus) { aus << "gestroemt"; }, fehler)) << fehler;
        EXPECT_EQ(Rechte(pfad), rechte) << std::oct << rechte;
        EXPECT_EQ(Inhalt(pfad), "gestroemt");
    }
    EXPECT_EQ(ordner.Eintraege(), std::vector<std::string>{"buch.tlw"});
}

TEST(DatendateiAtomar, BehaeltEigentuemerUndGruppeWoDasSystemEsErlaubt) {
    // Saving someone else's file with the rights to do so (as root) leaves it theirs.
    if (::geteuid() != 0) GTEST_SKIP() << "braucht Sonderrechte";
    Ordner ordner;
    const std::string pfad = ordner.Datei("fremd.tlw");
    Schreiben(pfad, "alt");
    ASSERT_EQ(::chown(pfad.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(pfad.c_str(), 02640), 0);
    std::string fehler;
    ASSERT_TRUE(DateiAtomarSchreiben(pfad, "neu", fehler)) << fehler;
    struct stat st {};
    ASSERT_EQ(::stat(pfad.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 02640u);
    EXPECT_EQ(Inhalt(pfad), "neu");
}

TEST(DatendateiAtomar, GestroemteAusgabeVollstaendigUndInStuecken) {
    // Small and large pieces mixed, more than the stream's buffer holds at once.
    Ordner ordner;
    std::string erwartet;
    std::string fehler;
    ASSERT_TRUE(DateiAtomarSchreiben(
        ordner.Datei("gross.json"),
        [&](std::ostream& aus) {
            for (int i = 0; i < 300; ++i) {
                const std::string stueck(static_cast<size_t>((i * 7919) % 200000), static_cast<char>('a' + i % 26));
                aus << stueck << i;
                erwartet += stueck + std::to_string(i);
            }
        },
        fehler))
        << fehler;
    EXPECT_EQ(Inhalt(ordner.Datei("gross.json")), erwartet);
}

TEST(DatendateiAtomar, ScheiternLaesstKeineTempDateiUndDasZielUnberuehrt) {
    Ordner ordner;
    const std::string pfad = ordner.Datei("buch.tlw");
    Schreiben(pfad, "alter Inhalt");
    ASSERT_EQ(::chmod(pfad.c_str(), 0640), 0);
    std::string fehler;
    {
        Dateigrenze grenze(64 * 1024);
        EXPECT_FALSE(DateiAtomarSchreiben(pfad, std::string(1 << 20, 'x'), fehler));
        EXPECT_EQ(fehler, "Die Datei wird zu groß");
        EXPECT_FALSE(DateiAtomarSchreiben(
            pfad, [](std::ostream& aus) { for (int i = 0; i < 1000; ++i) aus << std::string(1000, 'y'); }, fehler));
        EXPECT_EQ(fehler, "Die Datei wird zu groß");

        // The normal save says so and keeps the store marked as changed.
        Datenbestand d = test::ErzeugterBestand(2000);
        d.Dateiname = pfad;
        d.Geaendert = true;
        SkriptMeldungen m;
        EXPECT_FALSE(DateiSpeichern(d, m));
        EXPECT_TRUE(d.Geaendert);
        EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{"Datei \"" + pfad +
                                                             "\" konnte nicht gespeichert werden:\rDie Datei wird zu groß"});
    }
    // A writer that gives up, or runs out of memory.
    EXPECT_FALSE(DateiAtomarSchreiben(
        pfad, [](std::ostream& aus) { aus << "halb"; throw std::runtime_error("Abbruch beim Schreiben"); }, fehler));
    EXPECT_EQ(fehler, "Abbruch beim Schreiben");
    EXPECT_FALSE(DateiAtomarSchreiben(pfad, [](std::ostream&) { throw std::bad_alloc(); }, fehler));
    EXPECT_EQ(fehler, "Nicht genügend Speicher");

    EXPECT_EQ(Inhalt(pfad), "alter Inhalt");
    EXPECT_EQ(Rechte(pfad), 0640u);
    EXPECT_EQ(ordner.Eintraege(), std::vector<std::string>{"buch.tlw"});
}

TEST(DatendateiAtomar, ResteEinesAbgebrochenenSpeichernsVerschwindenBeimNaechsten) {
    Ordner ordner;
    const std::string pfad = ordner.Datei("buch.tlw");
    Schreiben(pfad, "alt");
    AbgebrochenesSpeichern(pfad);
    // The target is untouched, and the half-written file lies beside it.
    EXPECT_EQ(Inhalt(pfad), "alt");
    ASSERT_EQ(ordner.Eintraege().size(), 2u);

    std::string fehler;
    ASSERT_TRUE(DateiAtomarSchreiben(pfad, "neu", fehler)) << fehler;
    EXPECT_EQ(Inhalt(pfad), "neu");
    EXPECT_EQ(ordner.Eintraege(), std::vector<std::string>{"buch.tlw"});

    // Also when the file did not exist before the killed save.
    const std::string frisch = ordner.Datei("frisch.tlw");
    AbgebrochenesSpeichern(frisch);
    EXPECT_EQ(ordner.Eintraege().size(), 2u);
    ASSERT_TRUE(DateiAtomarSchreiben(frisch, "da", fehler)) << fehler;
    EXPECT_EQ(ordner.Eintraege(), (std::vector<std::string>{"buch.tlw", "frisch.tlw"}));
}

TEST(DatendateiAtomar, LaufendesSpeichernWirdNichtGestoert) {
    // While one save of a file is writing, a second save of the same file neither removes the
    // first one's temporary file nor writes over it; the first save ends as it would alone.
    Ordner ordner;
    const std::string pfad = ordner.Datei("buch.tlw");
    std::string fehlerInnen, fehler;
    bool innen = true;
    ASSERT_TRUE(DateiAtomarSchreiben(
        pfad,
        [&](std::ostream& aus) {
            aus << "erster Teil, ";
            aus.flush();
            innen = DateiAtomarSchreiben(pfad, "dazwischen", fehlerInnen);
            aus << "zweiter Teil";
        },
        fehler))
        << fehler;
    EXPECT_FALSE(innen);
    EXPECT_EQ(fehlerInnen, "Die Datei wird gerade von einem anderen Vorgang gespeichert");
    EXPECT_EQ(Inhalt(pfad), "erster Teil, zweiter Teil");
    EXPECT_EQ(ordner.Eintraege(), std::vector<std::string>{"buch.tlw"});
}

TEST(DatendateiAtomar, JederZulaessigeDateinameBisZurGrenzeDesOrdners) {
    Ordner ordner;
    const long grenze = ::pathconf(ordner.pfad.c_str(), _PC_NAME_MAX);
    ASSERT_GE(grenze, 255);
    std::vector<std::string> namen;
    for (size_t laenge = 240; laenge <= 255; ++laenge) namen.push_back(std::string(laenge - 4, 'n') + ".tlw");
    // Multi-byte characters up to the end of the shortened part, and names that differ only at
    // their end.
    std::string umlaute;
    while (umlaute.size() + 2 <= 250) umlaute += "ä";
    namen.push_back(umlaute + ".tlw");
    namen.push_back(std::string(250, 'n') + "1.tlw");
    namen.push_back(std::string(250, 'n') + "2.tlw");
    std::string fehler;
    for (const std::string& name : namen) {
        ASSERT_LE(name.size(), 255u);
        ASSERT_TRUE(DateiAtomarSchreiben(ordner.Datei(name), "eins " + name, fehler)) << name.size() << ": " << fehler;
        ASSERT_TRUE(DateiAtomarSchreiben(ordner.Datei(name), "zwei " + name, fehler)) << name.size() << ": " << fehler;
    }
    std::sort(namen.begin(), namen.end());
    EXPECT_EQ(ordner.Eintraege(), namen);
    for (const std::string& name : namen) EXPECT_EQ(Inhalt(ordner.Datei(name)), "zwei " + name);

    // The leftover of a killed save of the longest name is found again as well.
    const std::string lang = ordner.Datei(std::string(251, 'n') + ".tlw");
    AbgebrochenesSpeichern(lang);
    EXPECT_EQ(ordner.Eintraege().size(), namen.size() + 1);
    ASSERT_TRUE(DateiAtomarSchreiben(lang, "drei", fehler)) << fehler;
    EXPECT_EQ(ordner.Eintraege(), namen);
    EXPECT_EQ(Inhalt(lang), "drei");
}

TEST(DatendateiAtomar, NurGewoehnlicheDateienWerdenErsetzt) {
    Ordner ordner;
    const std::string fifo = ordner.Datei("fifo.tlw");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string fehler;
    EXPECT_FALSE(DateiAtomarSchreiben(fifo, "x", fehler));
    EXPECT_EQ(fehler, "Der Pfad ist keine gewöhnliche Datei");
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(ordner.Eintraege(), std::vector<std::string>{"fifo.tlw"});
    // Nor a device behind a symbolic link.
    const std::string link = ordner.Datei("null.tlw");
    ASSERT_EQ(::symlink("/dev/null", link.c_str()), 0);
    EXPECT_FALSE(DateiAtomarSchreiben(link, "x", fehler));
    EXPECT_EQ(fehler, "Der Pfad ist keine gewöhnliche Datei");
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// ----------------------------------------------------------------------------------------------
// Reading

TEST(DatendateiEinlesen, NurGewoehnlicheDateienUndOhneZuWarten) {
    Ordner ordner;
    // A FIFO without a writer would block an open for reading for ever; the alarm ends the test
    // should it ever do so again.
    ::alarm(60);
    const std::string fifo = ordner.Datei("fifo.tlw");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string inhalt;
    errno = 0;
    EXPECT_FALSE(DateiEinlesen(fifo, inhalt));
    EXPECT_EQ(errno, EINVAL);
    EXPECT_FALSE(DateiEinlesen("/dev/zero", inhalt));
    EXPECT_EQ(errno, EINVAL);
    EXPECT_FALSE(DateiEinlesen(ordner.pfad, inhalt));
    EXPECT_EQ(errno, EISDIR);
    EXPECT_FALSE(DateiEinlesen(ordner.Datei("fehlt.tlw"), inhalt));
    EXPECT_EQ(errno, ENOENT);

    Datenbestand d = ReicherBestand();
    d.Dateiname = fifo;
    SkriptMeldungen m;
    SkriptKennwortabfrage abfrage;
    EXPECT_FALSE(DateiLaden(d, m, abfrage));
    EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{MeldungUngueltigeDatei});
    EXPECT_FALSE(IstDatendatei(fifo));
    EXPECT_EQ(KennwoerterPruefen(fifo, abfrage).Status, LeseStatus::Ungueltig);
    EXPECT_TRUE(abfrage.aufrufe.empty());
    ::alarm(0);
}

TEST(DatendateiEinlesen, GanzOderMitObergrenze) {
    Ordner ordner;
    const std::string pfad = ordner.Datei("a.txt");
    const std::string text = std::string(200000, 'a') + "ende";
    Schreiben(pfad, text);
    std::string inhalt;
    ASSERT_TRUE(DateiEinlesen(pfad, inhalt));
    EXPECT_EQ(inhalt, text);
    ASSERT_TRUE(DateiEinlesen(pfad, inhalt, text.size()));
    EXPECT_EQ(inhalt, text);
    errno = 0;
    EXPECT_FALSE(DateiEinlesen(pfad, inhalt, text.size() - 1));
    EXPECT_EQ(errno, EFBIG);
    Schreiben(pfad, "");
    ASSERT_TRUE(DateiEinlesen(pfad, inhalt));
    EXPECT_EQ(inhalt, "");
}

// ----------------------------------------------------------------------------------------------
// The passwords of a file about to be replaced

TEST(DatendateiKennwoerterPruefen, GrosserMandantsatzWirdGanzGelesen) {
    // A client record of several megabytes: its passwords come after the long text.
    Ordner ordner;
    Datenbestand d = ReicherBestand();
    d.Mandant.Name = std::string(3 << 20, 'M');
    d.Mandant.Kurz1 = "";
    d.Mandant.Kurz2 = "q{|";
    d.Dateiname = ordner.Datei("gross.tlw");
    SkriptMeldungen m;
    ASSERT_TRUE(DateiSpeichern(d, m));

    SkriptKennwortabfrage abfrage{false};
    LeseErgebnis e = KennwoerterPruefen(d.Dateiname, abfrage);
    EXPECT_EQ(e.Status, LeseStatus::Gelesen);
    EXPECT_TRUE(e.Schreibschutz);
    EXPECT_EQ(abfrage.aufrufe, (std::vector<SkriptKennwortabfrage::Aufruf>{{2, "q{|", d.Dateiname}}));
    EXPECT_TRUE(IstDatendatei(d.Dateiname));

    d.Mandant.Kurz1 = "jxm|";
    ASSERT_TRUE(DateiSpeichern(d, m));
    SkriptKennwortabfrage ablehnen{false};
    e = KennwoerterPruefen(d.Dateiname, ablehnen);
    EXPECT_EQ(e.Status, LeseStatus::KennwortAbgelehnt);
    ASSERT_EQ(ablehnen.aufrufe.size(), 1u);
    EXPECT_EQ(ablehnen.aufrufe[0].Art, 1);

    SkriptKennwortabfrage annehmen{true, true};
    e = KennwoerterPruefen(d.Dateiname, annehmen);
    EXPECT_EQ(e.Status, LeseStatus::Gelesen);
    EXPECT_FALSE(e.Schreibschutz);
    EXPECT_EQ(annehmen.aufrufe.size(), 2u);
}

TEST(DatendateiKennwoerterPruefen, OhneMandantsatzKeineDatendatei) {
    Ordner ordner;
    Datenbestand d = ReicherBestand();
    d.Mandant.Kurz2 = "q{|";
    d.Mandant.Text1 = std::string(200000, 'T');
    const std::string bild = DateiAbbild(d);
    SkriptKennwortabfrage abfrage;  // must not be asked
    // The client record cut off in its long text, a JSON file, an empty and a missing file.
    Schreiben(ordner.Datei("kurz.tlw"), bild.substr(0, 150000));
    Schreiben(ordner.Datei("a.json"), "{\n  \"Mandant\": {}\n}\n");
    Schreiben(ordner.Datei("leer.tlw"), "");
    for (const char* name : {"kurz.tlw", "a.json", "leer.tlw", "fehlt.tlw"}) {
        EXPECT_EQ(KennwoerterPruefen(ordner.Datei(name), abfrage).Status, LeseStatus::Ungueltig) << name;
        EXPECT_FALSE(IstDatendatei(ordner.Datei(name))) << name;
    }
    EXPECT_TRUE(abfrage.aufrufe.empty());
    // Only the client record counts: what follows it may be cut off.
    Schreiben(ordner.Datei("rest.tlw"), bild.substr(0, bild.size() - 10));
    EXPECT_TRUE(IstDatendatei(ordner.Datei("rest.tlw")));
}

}  // namespace
}  // namespace talerwerk
