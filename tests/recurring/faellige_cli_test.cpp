// `talerwerk-cli bericht faellige` run from outside, as a script would.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "accounts/kennwort.h"
#include "recurring/rgmtestbuch.h"
#include "store/datendatei.h"
#include "testhilfen.h"

namespace fs = std::filesystem;
using namespace talerwerk;
using talerwerk::test::Rgm;
using talerwerk::test::Tag;

namespace {

struct Ergebnis {
    int Status = -1;
    std::string Aus;
    std::string Fehler;
};

std::string Quoten(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Lesen(const fs::path& p) {
    std::ifstream ein(p, std::ios::binary);
    std::ostringstream s;
    s << ein.rdbuf();
    return s.str();
}

class FaelligeCli : public ::testing::Test {
protected:
    fs::path ordner;
    void SetUp() override {
        ordner = fs::temp_directory_path() / ("tw_faellig_" + std::to_string(::getpid()));
        fs::remove_all(ordner);
        fs::create_directories(ordner);
    }
    void TearDown() override { fs::remove_all(ordner); }

    Ergebnis Lauf(const std::vector<std::string>& argumente) {
        std::string befehl = Quoten(TALERWERK_CLI);
        for (const std::string& a : argumente) befehl += " " + Quoten(a);
        const fs::path aus = ordner / "aus.txt", fehler = ordner / "fehler.txt";
        befehl += " >" + Quoten(aus.string()) + " 2>" + Quoten(fehler.string()) + " </dev/null";
        const int roh = std::system(befehl.c_str());
        return {WIFEXITED(roh) ? WEXITSTATUS(roh) : -1, Lesen(aus), Lesen(fehler)};
    }
};

TEST_F(FaelligeCli, ZeilenWieDieFaelligeListe) {
    Datenbestand d;
    test::FesteUhr uhr(Tag(10, 6, 2024));
    test::FesterZufall zufall;
    NeuerDatenbestand(d, uhr, zufall);
    test::RgmBuchAnlegen(d);
    d.Mandant.Zahl1 = 10;
    buchungstyp miete = Rgm(11001, "Miete; Wohnung", "A1", Tag(1, 1, 2024), "750,00");
    buchungstyp strom = Rgm(11002, "Strom", "B1", Tag(25, 5, 2024), "80,00");
    strom.BArt = BArtUmbuchung;
    strom.Konto2 = 2;
    d.RgmBuchungen = {strom, miete, Rgm(11003, "Zeitung", "C1", Tag(9, 6, 2024), "20,00")};
    buchungstyp gebucht = BuchungVorgabe(SatzBuchung, Tag(9, 6, 2024));
    gebucht.IdentNr = 1;
    gebucht.Kennung = "C1090624";
    d.Buchungen.push_back(gebucht);
    d.Dateiname = (ordner / "rgm.tlw").string();
    test::SkriptMeldungen m;
    ASSERT_TRUE(DateiSpeichern(d, m));

    const std::string kopf = "# Regelmäßige Buchungen\nName;Betrag;fällig am; von Konto;auf Konto\n";
    Ergebnis e = Lauf({"bericht", "faellige", d.Dateiname, "--heute", "2024-06-10"});
    EXPECT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_EQ(e.Aus, kopf + "\"Miete; Wohnung\";750,00;01.06.24;Girokonto;Miete\n");
    e = Lauf({"bericht", "faellige", d.Dateiname, "--heute", "2024-06-10", "--tage", "60"});
    EXPECT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_EQ(e.Aus, kopf + "\"Miete; Wohnung\";750,00;01.05.24;Girokonto;Miete\n" +
                         "\"Miete; Wohnung\";750,00;01.06.24;Girokonto;Miete\n" +
                         "Strom;80,00;25.05.24;Girokonto;Sparbuch\n");

    for (const char* falsch : {"0", "365", "x"}) {
        e = Lauf({"bericht", "faellige", d.Dateiname, "--tage", falsch});
        EXPECT_EQ(e.Status, 2) << falsch;
        EXPECT_NE(e.Fehler.find("--tage"), std::string::npos) << e.Fehler;
        EXPECT_EQ(e.Aus, "");
    }
    EXPECT_EQ(Lauf({"bericht", "faellige", d.Dateiname, "--konto", "5000"}).Status, 2);

    // A file password is never bypassed.
    d.Mandant.Kurz1 = KennwortVerschluesseln("geheim");
    ASSERT_TRUE(DateiSpeichern(d, m));
    EXPECT_EQ(Lauf({"bericht", "faellige", d.Dateiname}).Status, 3);
    EXPECT_EQ(Lauf({"bericht", "faellige", d.Dateiname, "--kennwort", "geheim", "--heute", "2024-06-10"}).Aus,
              kopf + "\"Miete; Wohnung\";750,00;01.06.24;Girokonto;Miete\n");
}

}  // namespace
