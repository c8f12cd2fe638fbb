#include "store/einstellungen.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "testhilfen.h"

namespace fs = std::filesystem;
using namespace talerwerk;

namespace {

class EinstellungenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ordner = fs::temp_directory_path() /
                 ("tw_einst_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        pfad = (ordner / "talerwerk.ini").string();
    }
    void TearDown() override {
        fs::remove_all(ordner);
    }
    void Schreiben(const std::string& inhalt) {
        std::ofstream aus(pfad, std::ios::binary);
        aus << inhalt;
    }
    std::string Lesen() {
        std::ifstream ein(pfad, std::ios::binary);
        std::ostringstream s;
        s << ein.rdbuf();
        return s.str();
    }
    fs::path ordner;
    std::string pfad;
};

TEST_F(EinstellungenTest, SpeichernSchreibtAlleSchluesselInFesterReihenfolge) {
    Einstellungen e;
    e.x = -12;
    e.Nullbuchung = true;
    e.RechnerHoehe = 55;
    ASSERT_TRUE(EinstellungenSpeichern(pfad, e));
    EXPECT_EQ(Lesen(),
              "[Hauptfenster]\nx=-12\ny=0\nBreite=580\nHoehe=420\nSymbolleiste=1\n"
              "Symbolleiste_Ausrichtung=1\nStatuszeile=1\nMaximiert=0\n\n"
              "[Meldungen]\nWarnung=1\nBuchung=1\n\xC3\x9C" "berschreiben=1\n\n"
              "[Einstellungen]\nTextbaustein=1\nBuchungsdatum=1\nNullbuchung=1\nrgmBuchung1=1\n"
              "rgmBuchung2=1\nBuchungEdit=1\n\n"
              "[Rechner]\noffen=0\nx=5\ny=5\nBreite=164\nHoehe=55\n\n"
              "[Buchung]\noffen=0\n\n[KontoStand]\noffen=0\n\n[BListe]\noffen=0\n\n"
              "[Farbe]\nPositiv=16711680\nNegativ=255\n\n"
              "[Sicherung]\nAktiv=1\nAnzahl=5\n");
    // The file's text is the text the settings make, and reads back as them.
    EXPECT_EQ(EinstellungenText("", e), Lesen());
    EXPECT_EQ(EinstellungenAusText(Lesen()), e);
    EXPECT_EQ(EinstellungenAusText(std::string("[Hauptfenster]\nx=5\0", 19)), Einstellungen{});
}

TEST_F(EinstellungenTest, JederWertUeberlebtSpeichernUndLaden) {
    Einstellungen e;
    e.x = 10; e.y = 20; e.Breite = 800; e.Hoehe = 600;
    e.Symbolleiste = false; e.Symbolleiste_Ausrichtung = 3; e.Statuszeile = false; e.Maximiert = true;
    e.Warnung = false; e.Buchung = false; e.Ueberschreiben = false;
    e.Textbaustein = false; e.Buchungsdatum = false; e.Nullbuchung = true;
    e.rgmBuchung1 = false; e.rgmBuchung2 = false; e.BuchungEdit = false;
    e.RechnerOffen = true; e.RechnerX = 1; e.RechnerY = 2; e.RechnerBreite = 3; e.RechnerHoehe = 4;
    e.BuchungOffen = true; e.KontoStandOffen = true; e.BListeOffen = true;
    e.Positiv = 0x00123456; e.Negativ = 0;
    e.SicherungAktiv = false; e.SicherungAnzahl = 12;
    ASSERT_TRUE(EinstellungenSpeichern(pfad, e));
    EXPECT_EQ(EinstellungenLaden(pfad), e);
}

TEST_F(EinstellungenTest, UngueltigeOderFehlendeWerteNehmenDieVorgabe) {
    EXPECT_EQ(EinstellungenLaden(pfad), Einstellungen{});  // no file at all
    Schreiben(
        "[Hauptfenster]\r\n"
        "Breite=abc\r\n"
        "Hoehe = 300 \r\n"
        "x=12abc\r\n"
        "y=99999999999\r\n"
        "Symbolleiste=\r\n"
        "Statuszeile=7\r\n"
        "[Einstellungen]\r\n"
        "Nullbuchung=-1\r\n");
    Einstellungen e = EinstellungenLaden(pfad);
    EXPECT_EQ(e.Breite, 580);
    EXPECT_EQ(e.Hoehe, 300);
    EXPECT_EQ(e.x, 0);
    EXPECT_EQ(e.y, 0);
    EXPECT_TRUE(e.Symbolleiste);
    EXPECT_TRUE(e.Statuszeile);   // any non-zero number is on
    EXPECT_TRUE(e.Nullbuchung);
    EXPECT_TRUE(e.Warnung);       // section missing
}

TEST_F(EinstellungenTest, AnzahlDerSicherungskopienBleibtImAngebotenenBereich) {
    Schreiben("[Sicherung]\nAnzahl=0\n");
    EXPECT_EQ(EinstellungenLaden(pfad).SicherungAnzahl, 1);
    Schreiben("[Sicherung]\nAnzahl=5000\nAktiv=0\n");
    EXPECT_EQ(EinstellungenLaden(pfad).SicherungAnzahl, 99);
    EXPECT_FALSE(EinstellungenLaden(pfad).SicherungAktiv);
}

TEST_F(EinstellungenTest, SchluesselGehoerenZuIhremAbschnitt) {
    // "x" of the calculator must not be taken for "x" of the main window and the other way round.
    Schreiben("[Rechner]\nx=77\n[Hauptfenster]\ny=33\n[Fremd]\nBreite=1\n");
    Einstellungen e = EinstellungenLaden(pfad);
    EXPECT_EQ(e.RechnerX, 77);
    EXPECT_EQ(e.x, 0);
    EXPECT_EQ(e.y, 33);
    EXPECT_EQ(e.RechnerY, 5);
    EXPECT_EQ(e.Breite, 580);
}

TEST_F(EinstellungenTest, UeberschreibenInBeidenKodierungen) {
    Schreiben("[Meldungen]\n\xC3\x9C" "berschreiben=0\n");
    EXPECT_FALSE(EinstellungenLaden(pfad).Ueberschreiben);
    Schreiben("[Meldungen]\n\xDC" "berschreiben=0\n");
    EXPECT_FALSE(EinstellungenLaden(pfad).Ueberschreiben);
    Schreiben("\xEF\xBB\xBF[Meldungen]\nBuchung=0\n");
    EXPECT_FALSE(EinstellungenLaden(pfad).Buchung);
}

TEST_F(EinstellungenTest, RechnerLageAendertNurDieVierSchluessel) {
    Schreiben(
        "; eigene Notiz\n"
        "[Hauptfenster]\nx=3\n\n"
        "[Rechner]\noffen=1\nx=1\nHoehe=2\n\n"
        "[Farbe]\nPositiv=42\n");
    Einstellungen e;
    e.RechnerX = 100;
    e.RechnerY = 200;
    e.RechnerBreite = 300;
    e.RechnerHoehe = 55;
    e.RechnerOffen = false;  // not one of the geometry keys: stays as in the file
    e.x = 999;               // likewise
    ASSERT_TRUE(RechnerLageSpeichern(pfad, e));
    EXPECT_EQ(Lesen(),
              "; eigene Notiz\n"
              "[Hauptfenster]\nx=3\n\n"
              "[Rechner]\noffen=1\nx=100\nHoehe=55\ny=200\nBreite=300\n\n"
              "[Farbe]\nPositiv=42\n");
    Einstellungen gelesen = EinstellungenLaden(pfad);
    EXPECT_TRUE(gelesen.RechnerOffen);
    EXPECT_EQ(gelesen.x, 3);
    EXPECT_EQ(gelesen.Positiv, 42);
    EXPECT_EQ(gelesen.RechnerBreite, 300);
}

TEST_F(EinstellungenTest, RechnerLageOhneDateiLegtAbschnittAn) {
    Einstellungen e;
    e.RechnerX = 8;
    ASSERT_TRUE(RechnerLageSpeichern(pfad, e));
    EXPECT_EQ(Lesen(), "[Rechner]\nx=8\ny=5\nBreite=164\nHoehe=234\n");
    ASSERT_TRUE(EinstellungenSpeichern(pfad, Einstellungen{}));
    e.RechnerY = 9;
    ASSERT_TRUE(RechnerLageSpeichern(pfad, e));
    Einstellungen gelesen = EinstellungenLaden(pfad);
    EXPECT_EQ(gelesen.RechnerX, 8);
    EXPECT_EQ(gelesen.RechnerY, 9);
}

TEST_F(EinstellungenTest, NichtSchreibbarerPfadMeldetFehlschlag) {
    // A path below a plain file cannot be created, whoever runs the test.
    Schreiben("[Hauptfenster]\nBreite=700\n");
    EXPECT_FALSE(EinstellungenSpeichern(pfad + "/talerwerk.ini", Einstellungen{}));
    EXPECT_FALSE(RechnerLageSpeichern(pfad + "/talerwerk.ini", Einstellungen{}));
    EXPECT_EQ(EinstellungenLaden(pfad).Breite, 700);
}

TEST_F(EinstellungenTest, PfadBeimProgrammOderImKonfigurationsordner) {
    EXPECT_EQ(EinstellungsPfad((ordner / "talerwerk").string()), (ordner / "talerwerk.ini").string());

    // A program folder that cannot be written (here: one that does not exist) sends the settings
    // to the user's configuration folder, which is created.
    const char* alt = std::getenv("XDG_CONFIG_HOME");
    std::string altWert = alt ? alt : "";
    ::setenv("XDG_CONFIG_HOME", (ordner / "konfig").c_str(), 1);
    std::string p = EinstellungsPfad((ordner / "fehlt" / "talerwerk").string());
    if (alt) ::setenv("XDG_CONFIG_HOME", altWert.c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(p, (ordner / "konfig" / "talerwerk" / "talerwerk.ini").string());
    EXPECT_TRUE(fs::is_directory(ordner / "konfig" / "talerwerk"));
}

// Peak memory in KiB of a child process that runs `f`; the child's exit status tells whether `f`
// returned true. A child whose memory ran out does not exit normally.
long KindSpitzeKiB(const std::function<bool()>& f, bool& ok) {
    const pid_t kind = ::fork();
    if (kind == 0) ::_exit(f() ? 0 : 1);
    int status = 0;
    struct rusage ru {};
    ok = kind > 0 && ::wait4(kind, &status, 0, &ru) == kind && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return ru.ru_maxrss;
}

TEST_F(EinstellungenTest, LangerAbschnittskopfVorVielenZeilenKostetNurSeineGroesse) {
    // A megabyte-long section header followed by thousands of lines: every line once referred to
    // its section by a copy of the name, two gigabytes in all.
    std::string text = "[" + std::string(1000000, 'x') + "]\n";
    for (int i = 0; i < 2000; ++i) text += "Schluessel" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    text += "[Farbe]\nPositiv=7\n[Rechner]\nx=33\n";
    Schreiben(text);

    bool geladen = false, gespeichert = false, leer = false;
    const long ohne = KindSpitzeKiB([] { return true; }, leer);
    const long laden = KindSpitzeKiB([&] {
        const Einstellungen e = EinstellungenLaden(pfad);
        return e.Positiv == 7 && e.RechnerX == 33 &&
               FensterLageLesen(pfad, "Rechner", FensterLage{}).x == 33;
    }, geladen);
    const long speichern = KindSpitzeKiB([&] {
        Einstellungen e;
        e.Breite = 640;
        return EinstellungenSpeichern(pfad, e) && FensterLageSpeichern(pfad, "Rechner", {1, 2, 3, 4});
    }, gespeichert);
    ASSERT_TRUE(leer);
    EXPECT_TRUE(geladen);
    EXPECT_TRUE(gespeichert);
    // A few copies of the file at most, even with the sanitizers' bookkeeping.
    EXPECT_LT(laden - ohne, 128 * 1024) << "KiB";
    EXPECT_LT(speichern - ohne, 128 * 1024) << "KiB";

    // The unknown section and its lines survived the save, the known values are the new ones.
    const std::string neu = Lesen();
    EXPECT_NE(neu.find("\n[" + std::string(1000000, 'x') + "]\nSchluessel0=0\n"), std::string::npos);
    EXPECT_NE(neu.find("Schluessel1999=1999\n"), std::string::npos);
    const Einstellungen e = EinstellungenLaden(pfad);
    EXPECT_EQ(e.Breite, 640);
    EXPECT_EQ(e.RechnerX, 1);
    EXPECT_EQ(e.RechnerHoehe, 4);
}

TEST_F(EinstellungenTest, VieleUnbekannteAbschnitteBleibenInIhrerReihenfolge) {
    // Twenty thousand sections of child windows: each keeps its lines, in the file's order, also
    // when a name comes back later in other letter case.
    std::string text, erwartet;
    for (int i = 0; i < 20000; ++i) {
        text += "[Fenster" + std::to_string(i) + "]\nx=" + std::to_string(i) + "\n";
        erwartet += "\n[Fenster" + std::to_string(i) + "]\nx=" + std::to_string(i) + "\n" + (i == 5 ? "y=5\n" : "");
    }
    text += "[FENSTER5]\ny=5\n";
    Schreiben(text);
    ASSERT_TRUE(EinstellungenSpeichern(pfad, Einstellungen{}));
    const std::string neu = Lesen();
    const size_t anfang = neu.find("\n[Fenster0]");
    ASSERT_NE(anfang, std::string::npos);
    EXPECT_EQ(neu.substr(anfang), erwartet);
}

TEST_F(EinstellungenTest, BeschaedigteDateiWirdBeiseiteGelegt) {
    test::SkriptMeldungen meldungen;
    const std::string beiseite = pfad + ".defekt";
    const std::string meldung = "Die Einstellungsdatei \"" + pfad + "\" ist beschädigt und wurde in \"" + beiseite +
                                "\" umbenannt.\rDas Programm verwendet die Standardeinstellungen.";
    // Binary bytes, and a file far larger than any settings file.
    for (const std::string& kaputt : {std::string("[Hauptfenster]\nBreite=700\n\0\x01\xff", 29),
                                      "[Hauptfenster]\nBreite=700\n" + std::string(2 << 20, ';')}) {
        Schreiben(kaputt);
        meldungen.Leeren();
        // Without a way to tell the user, the file is only not used.
        EXPECT_EQ(EinstellungenLaden(pfad), Einstellungen{});
        EXPECT_TRUE(fs::exists(pfad));

        EXPECT_EQ(EinstellungenLaden(pfad, meldungen), Einstellungen{});
        EXPECT_EQ(meldungen.Texte(test::MeldungsArt::Warnung), std::vector<std::string>{meldung});
        EXPECT_FALSE(fs::exists(pfad));
        std::ifstream ein(beiseite, std::ios::binary);
        std::ostringstream s;
        s << ein.rdbuf();
        EXPECT_EQ(s.str(), kaputt);
        // The next save writes a fresh file.
        ASSERT_TRUE(EinstellungenSpeichern(pfad, Einstellungen{}));
        EXPECT_EQ(EinstellungenLaden(pfad), Einstellungen{});
    }

    // A FIFO in its place: set aside at once, without waiting for a writer.
    ::alarm(60);
    fs::remove(pfad);
    ASSERT_EQ(::mkfifo(pfad.c_str(), 0600), 0);
    meldungen.Leeren();
    EXPECT_EQ(EinstellungenLaden(pfad, meldungen), Einstellungen{});
    EXPECT_EQ(meldungen.Texte(test::MeldungsArt::Warnung), std::vector<std::string>{meldung});
    EXPECT_TRUE(fs::is_fifo(beiseite));
    ::alarm(0);

    // A missing or sound file says nothing.
    meldungen.Leeren();
    EXPECT_EQ(EinstellungenLaden(pfad, meldungen), Einstellungen{});
    Schreiben("[Hauptfenster]\nBreite=700\n");
    EXPECT_EQ(EinstellungenLaden(pfad, meldungen).Breite, 700);
    EXPECT_TRUE(meldungen.meldungen.empty());
}

}  // namespace
