#include "store/einstellungen.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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
              "[Farbe]\nPositiv=16711680\nNegativ=255\n");
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

}  // namespace
