// Runs the real talerwerk-cli binary on files made here and checks what a script would see: exit
// status, standard output and standard error.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "accounts/kennwort.h"
#include "accounts/mandantdaten.h"
#include "evaluation/auswertung.h"
#include "recurring/rgmtestbuch.h"
#include "store/dateisperre.h"
#include "store/datendatei.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "store/jsonformat.h"
#include "testhilfen.h"

namespace fs = std::filesystem;
using namespace talerwerk;

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

void Schreiben(const fs::path& p, const std::string& inhalt) {
    std::ofstream aus(p, std::ios::binary);
    aus << inhalt;
}

int32_t Tag(int t, int m, int j) { return *TagesNummer(t, m, j); }

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        ordner = fs::temp_directory_path() /
                 ("tw_cli_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(ordner);
        fs::create_directories(ordner);
    }
    void TearDown() override { fs::remove_all(ordner); }

    Ergebnis Lauf(const std::vector<std::string>& argumente) {
        std::string befehl = vorsatz + Quoten(TALERWERK_CLI);
        for (const std::string& a : argumente) befehl += " " + Quoten(a);
        const fs::path aus = ordner / "stdout.txt", fehler = ordner / "stderr.txt";
        befehl += " >" + Quoten(aus.string()) + " 2>" + Quoten(fehler.string()) + " </dev/null";
        const int roh = std::system(befehl.c_str());
        Ergebnis e;
        e.Status = WIFEXITED(roh) ? WEXITSTATUS(roh) : -1;
        e.Aus = Lesen(aus);
        e.Fehler = Lesen(fehler);
        return e;
    }

    std::string Pfad(const std::string& name) const { return (ordner / name).string(); }

    // A small book with every kind of account, written the normal way.
    std::string KleinesBuch(const std::string& name, const std::string& kurz1 = "", const std::string& kurz2 = "") {
        Datenbestand d;
        talerwerk::test::FesteUhr uhr(Tag(7, 12, 2026));
        talerwerk::test::FesterZufall zufall;
        NeuerDatenbestand(d, uhr, zufall);
        d.Mandant.Kurz1 = kurz1;
        d.Mandant.Kurz2 = kurz2;
        d.Mandant.Name = "Müller";
        auto konto = [&](int32_t nr, int32_t art, const char* name, Cent anf) {
            kontotyp k;
            k.Nr = nr;
            k.Art = art;
            k.Name = name;
            k.Abk = name;
            k.AnfStand = anf;
            d.Konten.push_back(k);
        };
        konto(-1, ArtEinnahme, "Gehalt", 0);
        konto(-2, ArtAusgabe, "Lebensmittel", 0);
        konto(-3, ArtBestandskonto, "Girokonto", 100000);
        konto(-4, ArtBestandskonto, "Kasse", 0);
        konto(-5, ArtSparkonto, "Sparbuch", 0);
        konto(-6, ArtBestandskonto, "Leer", 0);
        auto buchung = [&](int32_t bart, int32_t k1, int32_t k2, const char* betrag, bool storniert = false) {
            buchungstyp b = BuchungVorgabe(SatzBuchung, Tag(1, 12, 2026));
            b.IdentNr = static_cast<int32_t>(d.Buchungen.size()) + 1;
            b.BArt = bart;
            b.Konto1 = k1;
            b.Konto2 = k2;
            b.Betrag = betrag;
            b.Text = "Text";
            b.Storniert = storniert;
            d.Buchungen.push_back(b);
        };
        buchung(BArtAusgabe, -3, -2, "65,44");           // Girokonto 1000,00 → 934,56
        buchung(BArtUmbuchung, -3, -5, "300,00");        // → 634,56, Sparbuch 300,00
        buchung(BArtEinnahme, -3, -1, "600,00");         // → 1234,56
        buchung(BArtAusgabe, -4, -2, "30,00");           // Kasse −30,00
        buchung(BArtAusgabe, -3, -2, "5000,00", true);   // cancelled: no effect
        d.Dateiname = Pfad(name);
        talerwerk::test::SkriptMeldungen meldungen;
        EXPECT_TRUE(DateiSpeichern(d, meldungen));
        return d.Dateiname;
    }

    fs::path ordner;
    std::string vorsatz;  // put before the command, e.g. "timeout 60 "
};

const char* const kUngueltig = "Ungültige Datei!\nÖffnen nicht möglich!\n";

TEST_F(Cli, CheckZaehltJedeListe) {
    const std::string datei = KleinesBuch("buch.tlw");
    Ergebnis e = Lauf({"check", datei});
    EXPECT_EQ(e.Status, 0);
    EXPECT_EQ(e.Aus, "Konten: 6\nTextbausteine: 3\nBuchungen: 5\nRgmBuchungen: 0\nVorlagen: 0\nFilterliste: 0\n");
    EXPECT_EQ(e.Fehler, "");
}

TEST_F(Cli, StaendeImFestenFormat) {
    Ergebnis e = Lauf({"staende", KleinesBuch("buch.tlw")});
    EXPECT_EQ(e.Status, 0);
    EXPECT_EQ(e.Aus, "Girokonto;1234,56\nKasse;-30,00\nSparbuch;300,00\nLeer;0,00\nGesamt;1504,56\n");
}

TEST_F(Cli, SonderbareAberGueltigeDateien) {
    const std::string datei = KleinesBuch("buch.tlw");
    const std::string erwartet = Lauf({"check", datei}).Aus;
    std::string bytes = Lesen(datei);

    // The first count means nothing; 5 reads like 1.
    std::string fuenf = bytes;
    fuenf[0] = 5;
    Schreiben(Pfad("fuenf.tlw"), fuenf);
    Ergebnis e = Lauf({"check", Pfad("fuenf.tlw")});
    EXPECT_EQ(e.Status, 0);
    EXPECT_EQ(e.Aus, erwartet);

    // Whatever follows the last filter is ignored.
    Schreiben(Pfad("rest.tlw"), bytes + std::string("\x07\xFF\x00 Rest", 8));
    e = Lauf({"check", Pfad("rest.tlw")});
    EXPECT_EQ(e.Status, 0);
    EXPECT_EQ(e.Aus, erwartet);
}

TEST_F(Cli, KaputteUndFehlendeDateien) {
    const std::string bytes = Lesen(KleinesBuch("buch.tlw"));
    // Cut in the middle of the bookings, cut to nothing, and a tag that fits nowhere.
    Schreiben(Pfad("halb.tlw"), bytes.substr(0, bytes.size() - 150));
    Schreiben(Pfad("leer.tlw"), "");
    std::string falsch = bytes;
    falsch[4] = 0x07;
    Schreiben(Pfad("falsch.tlw"), falsch);
    for (const char* name : {"halb.tlw", "leer.tlw", "falsch.tlw"}) {
        for (const char* befehl : {"check", "export", "staende"}) {
            Ergebnis e = Lauf({befehl, Pfad(name)});
            EXPECT_EQ(e.Status, 1) << befehl << " " << name;
            EXPECT_EQ(e.Fehler, kUngueltig) << befehl << " " << name;
            EXPECT_EQ(e.Aus, "") << befehl << " " << name;
        }
    }
    Ergebnis e = Lauf({"check", Pfad("fehlt.tlw")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(e.Fehler, "Datei nicht gefunden!\n");
    e = Lauf({"import", Pfad("fehlt.json"), Pfad("neu.tlw")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(e.Fehler, "Datei nicht gefunden!\n");
    EXPECT_FALSE(fs::exists(Pfad("neu.tlw")));
}

TEST_F(Cli, DateikennwortWirdNieUmgangen) {
    const std::string datei = KleinesBuch("geheim.tlw", KennwortVerschluesseln("Geheim"));
    for (const char* befehl : {"check", "export", "staende"}) {
        Ergebnis e = Lauf({befehl, datei});
        EXPECT_EQ(e.Status, 3) << befehl;
        EXPECT_EQ(e.Fehler, "Öffnen der Datei abgebrochen!\n") << befehl;
        EXPECT_EQ(e.Aus, "") << befehl;
        e = Lauf({befehl, datei, "--kennwort", "geheim"});  // case counts
        EXPECT_EQ(e.Status, 3) << befehl;
        EXPECT_EQ(e.Fehler, "Kennwort falsch.\n") << befehl;
        EXPECT_EQ(e.Aus, "") << befehl;
    }
    Ergebnis e = Lauf({"check", "--kennwort", "Geheim", datei});
    EXPECT_EQ(e.Status, 0);
    EXPECT_NE(e.Aus.find("Buchungen: 5\n"), std::string::npos);
    e = Lauf({"staende", datei, "--kennwort=Geheim"});
    EXPECT_EQ(e.Status, 0);
    EXPECT_NE(e.Aus.find("Gesamt;1504,56\n"), std::string::npos);

    // Nor can the file be replaced without it.
    const std::string vorher = Lesen(datei);
    Schreiben(Pfad("leer.json"), "{}");
    e = Lauf({"import", Pfad("leer.json"), datei});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(e.Fehler, "Datei ist schreibgeschützt!\n");
    e = Lauf({"demo", datei, "--buchungen", "10", "--kennwort", "falsch"});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(e.Fehler, "Datei ist schreibgeschützt!\n");
    EXPECT_EQ(Lesen(datei), vorher);
    e = Lauf({"import", Pfad("leer.json"), datei, "--kennwort", "Geheim"});
    EXPECT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_EQ(Lauf({"check", datei}).Status, 0);  // the new store has no password
}

TEST_F(Cli, KennwortZaehltDieErstenAchtZeichen) {
    // The master-data dialog keeps the first eight characters of the password chosen.
    kontotyp mandant;
    MandantEingaben eingaben = MandantEingabenAus(mandant);
    eingaben.Modus = KennwortModus::Datei;
    eingaben.Kennwort = eingaben.Wiederholung = "Sonnenblume";
    MandantUebernehmen(eingaben, mandant);
    const std::string datei = KleinesBuch("lang.tlw", mandant.Kurz1);

    // The password as chosen opens the file, and so do its first eight characters.
    for (const char* kennwort : {"Sonnenblume", "Sonnenbl", "Sonnenblumenfeld"}) {
        Ergebnis e = Lauf({"check", datei, "--kennwort", kennwort});
        EXPECT_EQ(e.Status, 0) << kennwort << e.Fehler;
    }
    for (const char* kennwort : {"Sonnenb", "sonnenblume", "SonnenBlume"}) {
        Ergebnis e = Lauf({"check", datei, "--kennwort", kennwort});
        EXPECT_EQ(e.Status, 3) << kennwort;
        EXPECT_EQ(e.Fehler, "Kennwort falsch.\n") << kennwort;
    }

    // The write-protect password likewise, when a command replaces the file.
    eingaben.Modus = KennwortModus::Schreibschutz;
    eingaben.Kennwort = eingaben.Wiederholung = "Nurlesen123";
    MandantUebernehmen(eingaben, mandant);
    const std::string geschuetzt = KleinesBuch("schutz.tlw", "", mandant.Kurz2);
    Ergebnis e = Lauf({"demo", geschuetzt, "--buchungen", "3", "--kennwort", "Nurlese"});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(e.Fehler, "Datei ist schreibgeschützt!\n");
    e = Lauf({"demo", geschuetzt, "--buchungen", "3", "--kennwort", "Nurlesen123"});
    EXPECT_EQ(e.Status, 0) << e.Fehler;
}

TEST_F(Cli, SchreibschutzErlaubtLesenAberKeinUeberschreiben) {
    const std::string datei = KleinesBuch("schutz.tlw", "", KennwortVerschluesseln("nurlesen"));
    Ergebnis e = Lauf({"staende", datei});
    EXPECT_EQ(e.Status, 0);
    EXPECT_NE(e.Aus.find("Gesamt;1504,56\n"), std::string::npos);
    EXPECT_EQ(Lauf({"check", datei}).Status, 0);

    const std::string vorher = Lesen(datei);
    Schreiben(Pfad("leer.json"), "{}");
    for (const std::vector<std::string>& aufruf :
         {std::vector<std::string>{"import", Pfad("leer.json"), datei},
          std::vector<std::string>{"import", Pfad("leer.json"), datei, "--kennwort", "falsch"},
          std::vector<std::string>{"demo", datei, "--buchungen", "3"}}) {
        e = Lauf(aufruf);
        EXPECT_EQ(e.Status, 1) << aufruf[0];
        EXPECT_EQ(e.Fehler, "Datei ist schreibgeschützt!\n") << aufruf[0];
    }
    EXPECT_EQ(Lesen(datei), vorher);

    e = Lauf({"demo", datei, "--buchungen", "3", "--kennwort", "nurlesen"});
    EXPECT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_NE(Lesen(datei), vorher);
}

TEST_F(Cli, GesperrteDateiWirdNichtErsetztVerwaisteSperreSchon) {
    const std::string datei = KleinesBuch("offen.tlw");
    const std::string vorher = Lesen(datei);
    Schreiben(Pfad("leer.json"), "{}");
    {
        // This test process holds the file, as the desktop program would.
        Dateisperre sperre;
        SperrInhaber inhaber;
        SperrLage lage;
        ASSERT_EQ(sperre.Nehmen(datei, inhaber, lage), Dateisperre::Ergebnis::Genommen);
        for (const std::vector<std::string>& aufruf :
             {std::vector<std::string>{"import", Pfad("leer.json"), datei},
              std::vector<std::string>{"demo", datei, "--buchungen", "3"}}) {
            Ergebnis e = Lauf(aufruf);
            EXPECT_EQ(e.Status, 1) << aufruf[0];
            EXPECT_NE(e.Fehler.find("\"offen.tlw\" ist gesperrt"), std::string::npos) << e.Fehler;
            EXPECT_NE(e.Fehler.find("Prozess " + std::to_string(::getpid())), std::string::npos) << e.Fehler;
        }
        EXPECT_EQ(Lesen(datei), vorher);
        EXPECT_EQ(Lauf({"check", datei}).Status, 0) << "reading a locked file is allowed";
    }
    // The holder has gone and left its lock behind (a crash): the command removes it, works, and
    // leaves no lock of its own.
    const pid_t kind = fork();
    if (kind == 0) {
        Dateisperre sperre;
        SperrInhaber inhaber;
        SperrLage lage;
        sperre.Nehmen(datei, inhaber, lage);
        _exit(0);  // no destructor runs
    }
    waitpid(kind, nullptr, 0);
    ASSERT_TRUE(fs::exists(SperrdateiPfad(datei)));
    Ergebnis e = Lauf({"import", Pfad("leer.json"), datei});
    EXPECT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_NE(Lesen(datei), vorher);
    EXPECT_FALSE(fs::exists(SperrdateiPfad(datei)));
}

TEST_F(Cli, ExportUndImportErgebenDieselbeDatei) {
    // A book with umlauts and the five bytes Windows-1252 leaves undefined, straight in the file.
    Datenbestand d = DemoBuch(300, 11, Tag(7, 12, 2026));
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Text = "Grüße \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D €"; });
    d.Dateiname = Pfad("a.tlw");
    talerwerk::test::SkriptMeldungen meldungen;
    ASSERT_TRUE(DateiSpeichern(d, meldungen));

    Ergebnis ex = Lauf({"export", Pfad("a.tlw")});
    ASSERT_EQ(ex.Status, 0);
    EXPECT_EQ(ex.Aus, JsonText(d));
    EXPECT_NE(ex.Aus.find("Grüße \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D €"), std::string::npos);

    ASSERT_EQ(Lauf({"export", Pfad("a.tlw"), "-o", Pfad("a.json")}).Status, 0);
    EXPECT_EQ(Lesen(Pfad("a.json")), ex.Aus);

    Ergebnis im = Lauf({"import", Pfad("a.json"), Pfad("b.tlw")});
    ASSERT_EQ(im.Status, 0) << im.Fehler;
    EXPECT_EQ(im.Fehler, "");
    EXPECT_EQ(Lauf({"export", Pfad("b.tlw")}).Aus, ex.Aus);
    EXPECT_EQ(Lesen(Pfad("b.tlw")), Lesen(Pfad("a.tlw")));
}

TEST_F(Cli, ImportRechnetStaendeNeuUndLehntFehlerAb) {
    // Balances in the JSON are stale: the save recomputes them from the bookings.
    Schreiben(Pfad("e.json"), R"({"Konten": [{"Nr": -1, "Art": 3, "Name": "Giro", "AnfStand": 10, "Stand": 999},
                                              {"Nr": -2, "Art": 1, "Name": "Lohn"}],
                                  "Buchungen": [{"IdentNr": 1, "BArt": 0, "Konto1": -1, "Konto2": -2,
                                                 "Betrag": "2,50", "Text": "x", "Datum": "2026-01-31"}]})");
    ASSERT_EQ(Lauf({"import", Pfad("e.json"), Pfad("e.tlw")}).Status, 0);
    EXPECT_EQ(Lauf({"staende", Pfad("e.tlw")}).Aus, "Giro;12,50\nGesamt;12,50\n");

    // A wrong value leaves the old output as it was.
    const std::string vorher = Lesen(Pfad("e.tlw"));
    Schreiben(Pfad("f.json"), R"({"Buchungen": [{}, {"Datum": 20260131}]})");
    Ergebnis e = Lauf({"import", Pfad("f.json"), Pfad("e.tlw")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_NE(e.Fehler.find("Buchungen[1].Datum"), std::string::npos);
    Schreiben(Pfad("g.json"), R"({"Konten": [{"Name": "Kaffee ☕"}]})");
    e = Lauf({"import", Pfad("g.json"), Pfad("e.tlw")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_NE(e.Fehler.find("Konten[0].Name"), std::string::npos);
    EXPECT_EQ(Lesen(Pfad("e.tlw")), vorher);

    // Writing the output over its own input would lose the input.
    e = Lauf({"import", Pfad("f.json"), Pfad("f.json")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(Lesen(Pfad("f.json")), R"({"Buchungen": [{}, {"Datum": 20260131}]})");
}

TEST_F(Cli, ImportSchreibtNurDateienDieDerLeserNimmt) {
    // A thousand bookings of "99999999999": the amount is not in the stored form, so the import
    // refuses it by its key and writes nothing (before, the file was written and was then invalid).
    std::string json = R"({"Konten": [{"Nr": -1, "Art": 3, "Name": "Giro"}, {"Nr": -2, "Art": 1, "Name": "Lohn"}],
                          "Buchungen": [)";
    for (int i = 0; i < 1000; ++i)
        json += std::string(i ? "," : "") + R"({"BArt": 0, "Konto1": -1, "Konto2": -2, "Betrag": "99999999999"})";
    Schreiben(Pfad("gross.json"), json + "]}");
    Ergebnis e = Lauf({"import", Pfad("gross.json"), Pfad("gross.tlw")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_NE(e.Fehler.find("Buchungen[0].Betrag: kein gültiger Betrag \"99999999999\""), std::string::npos) << e.Fehler;
    EXPECT_FALSE(fs::exists(Pfad("gross.tlw")));

    // The largest amount in the stored form is taken, and the file reads back.
    Schreiben(Pfad("max.json"), R"({"Konten": [{"Nr": -1, "Art": 3, "Name": "Giro", "AnfStand": -1e12},
                                                {"Nr": -2, "Art": 1, "Name": "Lohn"}],
                                    "Buchungen": [{"BArt": 0, "Konto1": -1, "Konto2": -2, "Betrag": "99999999,99"},
                                                  {"BArt": 1, "Konto1": -1, "Konto2": -2, "Betrag": "-9999999,99"}]})");
    e = Lauf({"import", Pfad("max.json"), Pfad("max.tlw")});
    ASSERT_EQ(e.Status, 0) << e.Fehler;
    e = Lauf({"staende", Pfad("max.tlw")});
    EXPECT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_EQ(e.Aus, "Giro;-999890000000,02\nGesamt;-999890000000,02\n");
}

TEST_F(Cli, StaendeJenseitsDerDateigrenzeWerdenGemeldet) {
    // A crafted file: the reader cuts amount texts to 11 characters and takes them, but a thousand
    // of "99999999999" add up to more than a balance may be.
    Datenbestand d;
    kontotyp giro;
    giro.Nr = -1;
    giro.Art = ArtBestandskonto;
    giro.Name = "Giro";
    d.Konten.push_back(giro);
    buchungstyp b = BuchungVorgabe(SatzBuchung, Tag(1, 12, 2026));
    b.BArt = BArtEinnahme;
    b.Konto1 = -1;
    b.Betrag = "99999999999";
    b.Text = "x";
    d.Buchungen.assign(1000, b);
    Schreiben(Pfad("gross.tlw"), DateiAbbild(d));
    EXPECT_EQ(Lauf({"check", Pfad("gross.tlw")}).Status, 0);

    Ergebnis e = Lauf({"staende", Pfad("gross.tlw")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(e.Aus, "");
    EXPECT_EQ(e.Fehler, std::string(MeldungStandZuGross) + "\n");

    // Its export cannot be imported: the amounts are refused by their key.
    ASSERT_EQ(Lauf({"export", Pfad("gross.tlw"), "-o", Pfad("gross.json")}).Status, 0);
    e = Lauf({"import", Pfad("gross.json"), Pfad("neu.tlw")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_NE(e.Fehler.find("Buchungen[0].Betrag"), std::string::npos);
    EXPECT_FALSE(fs::exists(Pfad("neu.tlw")));
}

TEST_F(Cli, DemoSchreibtDasBeispielbuch) {
    Ergebnis e = Lauf({"demo", Pfad("d.tlw"), "--buchungen", "700", "--seed", "5", "--bis", "2025-06-30"});
    ASSERT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_EQ(e.Aus, "");
    Datenbestand erwartet = DemoBuch(700, 5, Tag(30, 6, 2025));
    StaendeBerechnen(erwartet);
    EXPECT_EQ(Lesen(Pfad("d.tlw")), DateiAbbild(erwartet));
    EXPECT_NE(Lauf({"check", Pfad("d.tlw")}).Aus.find("Buchungen: 700\n"), std::string::npos);

    // Defaults: 1500 bookings up to today, seed 1.
    ASSERT_EQ(Lauf({"demo", Pfad("vorgabe.tlw")}).Status, 0);
    Datenbestand heute = DemoBuch(1500, 1, SystemUhr().Heute());
    StaendeBerechnen(heute);
    EXPECT_EQ(Lesen(Pfad("vorgabe.tlw")), DateiAbbild(heute));
}

TEST_F(Cli, NichtSchreibbareAusgabe) {
    const std::string unmoeglich = Pfad("keinordner/unter/d.tlw");
    Ergebnis e = Lauf({"demo", unmoeglich, "--buchungen", "5"});
    EXPECT_EQ(e.Status, 1);
    EXPECT_NE(e.Fehler.find("konnte nicht gespeichert werden"), std::string::npos);
    EXPECT_FALSE(fs::exists(unmoeglich));
    e = Lauf({"export", KleinesBuch("buch.tlw"), "-o", Pfad("keinordner/x.json")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_NE(e.Fehler.find("konnte nicht gespeichert werden"), std::string::npos);
}

TEST_F(Cli, FalscherAufrufZeigtDieBenutzung) {
    const std::string datei = KleinesBuch("buch.tlw");
    const std::vector<std::vector<std::string>> falsch = {
        {},
        {"pruefen", datei},
        {"check"},
        {"check", datei, datei},
        {"check", datei, "--kennwort"},
        {"check", datei, "--unbekannt", "1"},
        {"check", datei, "-o", Pfad("x.json")},  // only export writes JSON
        {"import", Pfad("a.json")},
        {"demo", Pfad("d.tlw"), "--buchungen", "viele"},
        {"demo", Pfad("d.tlw"), "--buchungen", "-5"},
        {"demo", Pfad("d.tlw"), "--seed", "1x"},
        {"demo", Pfad("d.tlw"), "--bis", "2026-13-01"},
        {"demo", Pfad("d.tlw"), "--bis", "1979-12-31"},
        {"demo", Pfad("d.tlw"), "--bis", "07.12.2026"},
        {"demo", Pfad("d.tlw"), "--seed", "1", "--seed", "2"},
    };
    for (const auto& aufruf : falsch) {
        Ergebnis e = Lauf(aufruf);
        std::string text;
        for (const auto& a : aufruf) text += a + " ";
        EXPECT_EQ(e.Status, 2) << text;
        EXPECT_NE(e.Fehler.find("Aufruf:"), std::string::npos) << text;
        EXPECT_EQ(e.Aus, "") << text;
    }
    EXPECT_FALSE(fs::exists(Pfad("d.tlw")));
}

// The booking list as CSV: caption, headings, rows in the list's order, each cell as the list shows it.
TEST_F(Cli, BerichtBuchungsliste) {
    Datenbestand d;
    talerwerk::test::FesteUhr uhr(Tag(7, 12, 2026));
    talerwerk::test::FesterZufall zufall;
    NeuerDatenbestand(d, uhr, zufall);
    auto konto = [&](int32_t nr, int32_t art, const char* name, int32_t oberNr = 0) {
        kontotyp k;
        k.Nr = nr;
        k.Art = art;
        k.Name = k.Abk = name;
        k.OberNr = oberNr;
        d.Konten.push_back(k);
    };
    konto(1, ArtEinnahme, "Gehalt");
    konto(2, ArtAusgabe, "Haushalt");
    konto(3, ArtAusgabe, "Lebensmittel", 2);
    konto(4, ArtBestandskonto, "Girokonto");
    konto(5, ArtSparkonto, "Sparbuch");
    auto buchung = [&](int32_t nr, int32_t datum, int32_t bart, int32_t k2, const char* betrag, const char* text,
                       const char* beleg = "", bool storniert = false) {
        buchungstyp b = BuchungVorgabe(SatzBuchung, datum);
        b.IdentNr = nr;
        b.BArt = bart;
        b.Konto1 = 4;
        b.Konto2 = k2;
        b.Betrag = betrag;
        b.Text = text;
        b.Belegnr = beleg;
        b.Storniert = storniert;
        d.Buchungen.push_back(b);
    };
    buchung(1, Tag(1, 11, 2026), BArtAusgabe, 3, "12,50", "Brot; \"frisch\"");
    buchung(12000, Tag(2, 12, 2026), BArtUmbuchung, 5, "1000000,00", "Sparen", "", true);
    buchung(2, Tag(30, 11, 2026), BArtEinnahme, 1, "2500,00", "Gehalt", "B7");
    buchungstyp filter = BuchungVorgabe(SatzFilter, Tag(7, 12, 2026));
    filter.IdentNr = 12001;
    filter.Bezeichnung = "Sparen";
    filter.Text = "Spar*";
    filter.BetragBis = "99999999,99";
    d.Filterliste.push_back(filter);
    filter.IdentNr = 12002;
    filter.Bezeichnung = "Buchungen suchen";  // a saved filter with the search mask's name
    filter.Text = "nichts";
    d.Filterliste.push_back(filter);
    d.Dateiname = Pfad("liste.tlw");
    talerwerk::test::SkriptMeldungen meldungen;
    ASSERT_TRUE(DateiSpeichern(d, meldungen));

    const std::string kopf = "B.-Nr.;Beleg-Nr.;stor.;Datum;Art;Buchungstext;Betrag;Konto 1;Rubrik/ Konto 2 \n";
    const std::string z1 = "0001;;;01.11.26;A;\"Brot; \"\"frisch\"\"\";12,50;Girokonto;Haushalt  \\  Lebensmittel\n";
    const std::string z2 = "0002;B7;;30.11.26;E;Gehalt;2500,00;Girokonto;Gehalt\n";
    const std::string z3 = "12000;;  x;02.12.26;U;Sparen;1000000,00;Girokonto;Sparbuch\n";
    auto bericht = [&](std::vector<std::string> optionen) {
        std::vector<std::string> a{"bericht", "buchungsliste", d.Dateiname, "--heute", "2026-12-07"};
        a.insert(a.end(), optionen.begin(), optionen.end());
        return Lauf(a);
    };
    const struct {
        std::vector<std::string> Optionen;
        std::string Aus;
    } faelle[] = {
        {{}, "# Buchungsliste\n" + kopf + z1 + z3 + z2},
        {{"--sortierung", "6"}, "# Buchungsliste\n" + kopf + z1 + z2 + z3},
        {{"--sortierung=2"}, "# Buchungsliste\n" + kopf + z3 + z1 + z2},
        {{"--rubrik", "2", "--zeitraum", "2026-11"}, "# Buchungsliste\n" + kopf + z1},
        {{"--rubrik", "5103"}, "# Buchungsliste\n" + kopf + z3},
        {{"--konto", "5002", "--zeitraum", "2026"}, "# Buchungsliste\n" + kopf + z3},
        {{"--zeitraum", "2026-12"}, "# Buchungsliste\n" + kopf + z3},
        {{"--filter", "Sparen"}, "# Filter anwenden / Buchung suchen\n" + kopf + z3},
        {{"--filter", "Buchungen suchen", "--sortierung", "0"}, "# Filter anwenden / Buchung suchen\n" + kopf + z1 + z2},
    };
    for (const auto& fall : faelle) {
        std::string text;
        for (const auto& o : fall.Optionen) text += o + " ";
        const Ergebnis e = bericht(fall.Optionen);
        EXPECT_EQ(e.Status, 0) << text << e.Fehler;
        EXPECT_EQ(e.Aus, fall.Aus) << text;
    }

    // Names that name nothing are wrong usage, with the name in the message.
    const struct {
        std::vector<std::string> Optionen;
        std::string Name;
    } falsch[] = {
        {{"--konto", "3"}, "\"3\""},        {{"--rubrik", "4"}, "\"4\""},
        {{"--zeitraum", "2025"}, "\"2025\""}, {{"--zeitraum", "2026-1"}, "\"2026-1\""},
        {{"--filter", "Auto"}, "\"Auto\""},   {{"--sortierung", "9"}, "--sortierung"},
        {{"--gruppierung", "1"}, "--gruppierung"}, {{"--heute", "7.12.2026"}, "--heute"},
    };
    for (const auto& fall : falsch) {
        const Ergebnis e = bericht(fall.Optionen);
        EXPECT_EQ(e.Status, 2) << fall.Name;
        EXPECT_NE(e.Fehler.find(fall.Name), std::string::npos) << e.Fehler;
        EXPECT_EQ(e.Aus, "") << fall.Name;
    }
    Ergebnis e = Lauf({"bericht", "gibtsnicht", d.Dateiname});
    EXPECT_EQ(e.Status, 2);
    EXPECT_NE(e.Fehler.find("gibtsnicht"), std::string::npos);
    EXPECT_EQ(Lauf({"bericht", "buchungsliste", Pfad("fehlt.tlw")}).Status, 1);
    EXPECT_EQ(Lauf({"bericht", "buchungsliste"}).Status, 2);
}

// The evaluation windows as CSV: caption, headings, rows as the windows show them, the totals
// panel of the account sheet, the balances' total.
TEST_F(Cli, BerichtAuswertungsfenster) {
    Datenbestand d;
    talerwerk::test::FesteUhr uhr(Tag(7, 12, 2026));
    talerwerk::test::FesterZufall zufall;
    NeuerDatenbestand(d, uhr, zufall);
    auto konto = [&](int32_t nr, int32_t art, const char* name, int32_t oberNr = 0) {
        kontotyp k;
        k.Nr = nr;
        k.Art = art;
        k.Name = k.Abk = name;
        k.OberNr = oberNr;
        d.Konten.push_back(k);
    };
    konto(1, ArtEinnahme, "Gehalt");
    konto(2, ArtAusgabe, "Haushalt");
    konto(3, ArtAusgabe, "Lebensmittel", 2);
    konto(4, ArtBestandskonto, "Girokonto");
    konto(5, ArtSparkonto, "Sparbuch");
    auto buchung = [&](int32_t nr, int32_t datum, int32_t bart, int32_t k1, int32_t k2, const char* betrag,
                       const char* text, const char* beleg = "", bool storniert = false) {
        buchungstyp b = BuchungVorgabe(SatzBuchung, datum);
        b.IdentNr = nr;
        b.BArt = bart;
        b.Konto1 = k1;
        b.Konto2 = k2;
        b.Betrag = betrag;
        b.Text = text;
        b.Belegnr = beleg;
        b.Storniert = storniert;
        d.Buchungen.push_back(b);
    };
    buchung(1, Tag(1, 11, 2026), BArtAusgabe, 4, 3, "12,50", "Brot; \"frisch\"");
    buchung(12000, Tag(2, 12, 2026), BArtUmbuchung, 4, 5, "1000000,00", "Sparen", "", true);
    buchung(2, Tag(30, 11, 2026), BArtEinnahme, 4, 1, "2500,00", "Gehalt", "B7");
    buchung(3, Tag(1, 12, 2026), BArtUmbuchung, 5, 4, "100,00", "Zurück");
    d.Dateiname = Pfad("fenster.tlw");
    talerwerk::test::SkriptMeldungen meldungen;
    ASSERT_TRUE(DateiSpeichern(d, meldungen));

    auto bericht = [&](const std::string& art, std::vector<std::string> optionen) {
        std::vector<std::string> a{"bericht", art, d.Dateiname, "--heute", "2026-12-07"};
        a.insert(a.end(), optionen.begin(), optionen.end());
        return Lauf(a);
    };
    const struct {
        std::string Art;
        std::vector<std::string> Optionen;
        std::string Aus;
    } faelle[] = {
        // By date: chronological (30.11. before 01.12.), the incoming transfer as " U+", the
        // cancelled transfer marked and left out of every sum.
        {"kontenblatt",
         {"--gruppierung", "3", "--storniert", "1"},
         "# Kontenblatt -  Gesamter Zeitraum - Girokonto\n"
         "Datum;B-nr.   Belegnr.;sto.;Betrag;Buchungstext;Rubrik/Gegenkonto\n"
         "01.11.26;;;;;\n"
         ";0001  A  ;;12,50;\"Brot; \"\"frisch\"\"\";Haushalt  \\  Lebensmittel\n"
         ";;;;Gesamt;-12,50\n"
         "30.11.26;;;;;\n"
         ";0002  E  B7;;2500,00;Gehalt;Gehalt\n"
         ";;;;Gesamt;2.500,00\n"
         "01.12.26;;;;;\n"
         ";0003 U+  ;;100,00;Zurück;Sparbuch\n"
         ";;;;Gesamt;100,00\n"
         "02.12.26;;;;;\n"
         ";12000 U-  ;x;1000000,00;Sparen;Sparbuch\n"
         ";;;;Gesamt;0,00\n"
         "# Einnahmen;2.600,00;Ausgaben;12,50;Saldo (Gewinn);2.587,50\n"},
        {"kontenblatt",
         {"--konto", "5", "--zeitraum", "2026-12", "--gruppierung", "1"},
         "# Kontenblatt -  Dezember 2026 - Sparbuch\n"
         "B-nr.   Belegnr.;Datum;sto.;Betrag;Buchungstext;Rubrik/Gegenkonto\n"
         "0003 U-  ;01.12.26;;100,00;Zurück;Girokonto\n"
         "# Einnahmen;0,00;Ausgaben;100,00;Saldo (Verlust);-100,00\n"},
        {"einnahmen-ausgaben",
         {"--zeitraum", "2026-12"},
         "# Einnahmen-Ausgaben-Übersicht -  Dezember 2026 - Alle Konten\n"
         "Konto;Anfangsstand;Einnahmen;Ausgaben;Endstand;Saldo\n"
         "Girokonto;2.487,50;100,00;0,00;2.587,50;100,00\n"
         "Sparbuch;0,00;0,00;100,00;-100,00;-100,00\n"
         "Gesamt;;100,00;100,00;;\n"
         "- Umbuchungen;;100,00;100,00;;\n"
         "Gesamt real;2.487,50;0,00;0,00;2.487,50;0,00\n"},
        {"gesamtentwicklung",
         {"--zeitraum", "2026", "--modus", "monatlich", "--saldo", "1"},
         "# Gesamtentwicklung -  Jahr 2026 - Alle Konten\n"
         ";Anf.-stand;November 2026;Dezember 2026;Gesamtsaldo\n"
         "Girokonto;0,00;2.487,50;100,00;2.587,50\n"
         "Sparbuch;0,00;0,00;-100,00;-100,00\n"
         "Gesamt;0,00;2.487,50;0,00;2.487,50\n"},
        {"gesamtentwicklung",
         {"--konto", "5001"},
         "# Gesamtentwicklung -  Gesamter Zeitraum - Bestandskonten\n"
         ";Anf.-stand;Jahr 2026\n"
         "Girokonto;0,00;2.587,50\n"
         "Gesamt;0,00;2.587,50\n"},
        // Both sides of a transfer between two chosen accounts; the cancelled one counts nowhere.
        {"buchungsuebersicht",
         {},
         "# Buchungsübersicht\n"
         "B-nr.   Belegnr.;Datum;sto.;Konto;Rubrik/Gegenkonto;Buchungstext;Betrag\n"
         "Einnahmen;;;;;;\n"
         "12000  ;02.12.26;x;Sparbuch;Girokonto;Sparen;1000000,00\n"
         "0002  B7;30.11.26;;Girokonto;Gehalt;Gehalt;2500,00\n"
         "0003  ;01.12.26;;Girokonto;Sparbuch;Zurück;100,00\n"
         "Einn. Gesamt;;;;;;2.600,00\n"
         "davon Umbuchg.;;;;;;100,00\n"
         "Einn. real;;;;;;2.500,00\n"
         "Ausgaben;;;;;;\n"
         "0001  ;01.11.26;;Girokonto;Haushalt  \\  Lebensmittel;\"Brot; \"\"frisch\"\"\";12,50\n"
         "12000  ;02.12.26;x;Girokonto;Sparbuch;Sparen;1000000,00\n"
         "0003  ;01.12.26;;Sparbuch;Girokonto;Zurück;100,00\n"
         "Ausg. Gesamt;;;;;;112,50\n"
         "davon Umbuchg.;;;;;;100,00\n"
         "Ausg. real;;;;;;12,50\n"
         "# Einnahmen;2.600,00;Ausgaben;112,50;Saldo (Gewinn);2.487,50\n"},
        {"buchungsuebersicht",
         {"--gruppierung", "1", "--konto", "4", "--zwischensummen", "0", "--storniert", "0"},
         "# Buchungsübersicht\n"
         "Rubrik/Gegenkonto;B-nr.   Belegnr.;Datum;sto.;Konto;Buchungstext;Betrag\n"
         "Einnahmen;;;;;;\n"
         "Gehalt;;;;;;\n"
         ";0002  B7  E;30.11.26;;Girokonto;Gehalt;2500,00\n"
         "Umbuchungen;;;;;;\n"
         "Sparbuch;;;;;;\n"
         ";0003   U+;01.12.26;;Girokonto;Zurück;100,00\n"
         "Ausgaben;;;;;;\n"
         "Haushalt  \\  Lebensmittel;;;;;;\n"
         ";0001    A;01.11.26;;Girokonto;\"Brot; \"\"frisch\"\"\";12,50\n"
         "# Einnahmen;2.600,00;Ausgaben;12,50;Saldo (Gewinn);2.587,50\n"},
        {"kontostaende", {}, "# Kontostände\nKonto;Stand\nGirokonto;2587,50\nSparbuch;-100,00\n# Gesamt;2487,50\n"},
        {"kontostaende", {"--spar", "0", "--gesamt", "0"}, "# Kontostände\nKonto;Stand\nGirokonto;2587,50\n"},
        {"rubrik-konto",
         {"--anzeige", "kurz", "--konto", "4", "--zeitraum", "2026-11"},
         "# Rubrik-Konto-Übersicht -  November 2026 - Girokonto\n"
         ";Girokonto;Anteil in %\n"
         "Anfangsstand;0,00;\n;;\nEinnahmen;;\n  Gehalt;2.500,00;100,0\nGesamt;2.500,00;\n  Umbuchungen;0,00;\n;;\n"
         "Ausgaben;;\n  Haushalt;;\n    Lebensmittel;12,50;100,0\nGesamt;12,50;\n  Umbuchungen;0,00;\n;;\n"
         "Endstand;2.487,50;\n;;\nSaldo;2.487,50;\n"},
        {"rubrik-zeit",
         {"--zeitraum", "2026", "--modus", "jaehrlich", "--unterrubriken", "0", "--anteile", "0"},
         "# Rubrik-Zeit-Übersicht -  Jahr 2026 - Alle Konten\n"
         ";Jahr 2026;Gesamt\n"
         "Anfangsstand;0,00;0,00\n;;\nEinnahmen;;\n  Gehalt;2.500,00;2.500,00\nGesamt;2.500,00;2.500,00\n"
         "  Umbuchungen;100,00;100,00\n;;\nAusgaben;;\n  Haushalt;12,50;12,50\nGesamt;12,50;12,50\n"
         "  Umbuchungen;100,00;100,00\n;;\nEndstand;2.487,50;2.487,50\n;;\nSaldo;2.487,50;2.487,50\n"},
    };
    for (const auto& fall : faelle) {
        std::string text = fall.Art + " ";
        for (const auto& o : fall.Optionen) text += o + " ";
        const Ergebnis e = bericht(fall.Art, fall.Optionen);
        EXPECT_EQ(e.Status, 0) << text << e.Fehler;
        EXPECT_EQ(e.Aus, fall.Aus) << text;
    }

    // A month node: one column headed with the month whatever --modus and --anzeige say.
    const Ergebnis monat = bericht("rubrik-zeit", {"--zeitraum", "2026-11", "--modus", "jaehrlich"});
    EXPECT_EQ(monat.Status, 0) << monat.Fehler;
    EXPECT_NE(monat.Aus.find("\n;November 2026;Anteil in %\n"), std::string::npos) << monat.Aus;

    const struct {
        std::string Art;
        std::vector<std::string> Optionen;
        std::string Name;
    } falsch[] = {
        {"kontenblatt", {"--konto", "5000"}, "\"5000\""},   // the sheet's tree has single accounts only
        {"kontenblatt", {"--konto", "1"}, "\"1\""},         // a category
        {"kontenblatt", {"--gruppierung", "4"}, "--gruppierung"},
        {"kontenblatt", {"--storniert", "ja"}, "--storniert"},
        {"rubrik-zeit", {"--modus", "taeglich"}, "--modus"},
        {"rubrik-konto", {"--modus", "monatlich"}, "--modus"},  // not an option of this kind
        {"rubrik-konto", {"--anzeige", "mittel"}, "--anzeige"},
        {"einnahmen-ausgaben", {"--zeitraum", "2025"}, "\"2025\""},
        {"kontostaende", {"--zeitraum", "2026"}, "--zeitraum"},
        {"gesamtentwicklung", {"--zeitraum", "2026-11"}, "\"2026-11\""},  // the tree holds years only
        {"gesamtentwicklung", {"--saldo", "2"}, "--saldo"},
        {"buchungsuebersicht", {"--gruppierung", "4"}, "--gruppierung"},
        {"buchungsuebersicht", {"--filter", "Gibt es nicht"}, "\"Gibt es nicht\""},
        {"buchungsuebersicht", {"--rubrik", "4"}, "\"4\""},  // an account, not a category
    };
    for (const auto& fall : falsch) {
        const Ergebnis e = bericht(fall.Art, fall.Optionen);
        EXPECT_EQ(e.Status, 2) << fall.Art << " " << fall.Name;
        EXPECT_NE(e.Fehler.find(fall.Name), std::string::npos) << e.Fehler;
        EXPECT_EQ(e.Aus, "") << fall.Name;
    }
}

// The due recurring bookings as CSV: the rows of the due list in name order, with the window of
// the file or of --tage.
TEST_F(Cli, BerichtFaellige) {
    Datenbestand d;
    talerwerk::test::FesteUhr uhr(Tag(10, 6, 2024));
    talerwerk::test::FesterZufall zufall;
    NeuerDatenbestand(d, uhr, zufall);
    talerwerk::test::RgmBuchAnlegen(d);
    d.Mandant.Zahl1 = 10;
    buchungstyp miete = talerwerk::test::Rgm(11001, "Miete; Wohnung", "A1", Tag(1, 1, 2024), "750,00");
    buchungstyp strom = talerwerk::test::Rgm(11002, "Strom", "B1", Tag(25, 5, 2024), "80,00");
    strom.BArt = BArtUmbuchung;
    strom.Konto2 = 2;
    d.RgmBuchungen = {strom, miete, talerwerk::test::Rgm(11003, "Zeitung", "C1", Tag(9, 6, 2024), "20,00")};
    buchungstyp gebucht = BuchungVorgabe(SatzBuchung, Tag(9, 6, 2024));
    gebucht.IdentNr = 1;
    gebucht.Kennung = "C1090624";
    d.Buchungen.push_back(gebucht);
    d.Dateiname = Pfad("rgm.tlw");
    talerwerk::test::SkriptMeldungen m;
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

TEST_F(Cli, GeschuetzteZieleJederGroesseBleiben) {
    // The client record holds several megabytes of text before its passwords, more than was once
    // looked at before replacing a file.
    Datenbestand d = DemoBuch(20, 3, Tag(7, 12, 2026));
    d.Mandant.Text1 = std::string(3 << 20, 'T');
    d.Mandant.Kurz2 = KennwortVerschluesseln("nurlesen");
    d.Dateiname = Pfad("schutz.tlw");
    talerwerk::test::SkriptMeldungen meldungen;
    ASSERT_TRUE(DateiSpeichern(d, meldungen));
    d.Mandant.Kurz1 = KennwortVerschluesseln("Geheim");
    d.Dateiname = Pfad("geheim.tlw");
    ASSERT_TRUE(DateiSpeichern(d, meldungen));
    const std::string schutz = Lesen(Pfad("schutz.tlw")), geheim = Lesen(Pfad("geheim.tlw"));
    Schreiben(Pfad("leer.json"), "{}");

    for (const std::vector<std::string>& aufruf :
         {std::vector<std::string>{"import", Pfad("leer.json"), Pfad("schutz.tlw")},
          std::vector<std::string>{"demo", Pfad("schutz.tlw"), "--buchungen", "3"}}) {
        Ergebnis e = Lauf(aufruf);
        EXPECT_EQ(e.Status, 1) << aufruf[0];
        EXPECT_EQ(e.Fehler, "Datei ist schreibgeschützt!\n") << aufruf[0];
    }
    for (const std::vector<std::string>& aufruf :
         {std::vector<std::string>{"import", Pfad("leer.json"), Pfad("geheim.tlw")},
          std::vector<std::string>{"demo", Pfad("geheim.tlw"), "--buchungen", "3"}}) {
        Ergebnis e = Lauf(aufruf);
        EXPECT_EQ(e.Status, 1) << aufruf[0];
        EXPECT_EQ(e.Fehler, "Datei ist schreibgeschützt!\n") << aufruf[0];
    }
    EXPECT_EQ(Lesen(Pfad("schutz.tlw")), schutz);
    EXPECT_EQ(Lesen(Pfad("geheim.tlw")), geheim);

    Ergebnis e = Lauf({"demo", Pfad("schutz.tlw"), "--buchungen", "3", "--kennwort", "nurlesen"});
    EXPECT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_NE(e.Fehler, "Datei ist schreibgeschützt!\n");
    EXPECT_NE(Lesen(Pfad("schutz.tlw")), schutz);
}

TEST_F(Cli, ExportUeberschreibtKeineDatendatei) {
    const std::string buch = KleinesBuch("buch.tlw");
    const std::string vorher = Lesen(buch);
    // A data file under another name, and a damaged one under the data file's name.
    Schreiben(Pfad("sicherung.dat"), vorher);
    Schreiben(Pfad("kaputt.TLW"), "kein Inhalt");
    for (const std::string& ziel : {buch, Pfad("sicherung.dat"), Pfad("kaputt.TLW")}) {
        Ergebnis e = Lauf({"export", buch, "-o", ziel});
        EXPECT_EQ(e.Status, 1) << ziel;
        EXPECT_EQ(e.Fehler, "Datei \"" + ziel + "\" ist eine Datendatei und wird nicht überschrieben!\n");
        EXPECT_EQ(e.Aus, "");
    }
    EXPECT_EQ(Lesen(buch), vorher);
    EXPECT_EQ(Lesen(Pfad("sicherung.dat")), vorher);
    EXPECT_EQ(Lesen(Pfad("kaputt.TLW")), "kein Inhalt");

    // An earlier export is replaced, with exactly what standard output gets.
    Schreiben(Pfad("alt.json"), "{\"alt\": true}\n");
    ASSERT_EQ(::chmod(Pfad("alt.json").c_str(), 0604), 0);
    Ergebnis e = Lauf({"export", buch, "-o", Pfad("alt.json")});
    ASSERT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_EQ(Lesen(Pfad("alt.json")), Lauf({"export", buch}).Aus);
    struct stat st {};
    ASSERT_EQ(::stat(Pfad("alt.json").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
}

TEST_F(Cli, FifoUndGeraetWerdenNichtGeoeffnet) {
    vorsatz = "timeout 60 ";  // should a command block again, it fails instead of hanging
    const std::string fifo = Pfad("fifo.tlw");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& datei : {fifo, std::string("/dev/zero")}) {
        for (const char* befehl : {"check", "export", "staende"}) {
            Ergebnis e = Lauf({befehl, datei});
            EXPECT_EQ(e.Status, 1) << befehl << " " << datei;
            EXPECT_EQ(e.Fehler, kUngueltig) << befehl << " " << datei;
        }
    }
    Ergebnis e = Lauf({"import", fifo, Pfad("aus.tlw")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(e.Fehler, "Datei \"" + fifo + "\" kann nicht gelesen werden!\n");
    // Nor is the FIFO replaced by a file when it is named as output.
    e = Lauf({"demo", fifo, "--buchungen", "3"});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(e.Fehler, "Datei \"" + fifo + "\" konnte nicht gespeichert werden:\nDer Pfad ist keine gewöhnliche Datei\n");
    const std::string fifoJson = Pfad("fifo.json");
    ASSERT_EQ(::mkfifo(fifoJson.c_str(), 0600), 0);
    e = Lauf({"export", KleinesBuch("buch.tlw"), "-o", fifoJson});
    EXPECT_EQ(e.Status, 1);
    EXPECT_EQ(e.Fehler,
              "Datei \"" + fifoJson + "\" konnte nicht gespeichert werden:\nDer Pfad ist keine gewöhnliche Datei\n");
    for (const std::string& f : {fifo, fifoJson}) {
        struct stat st {};
        ASSERT_EQ(::lstat(f.c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << f;
    }
}

TEST_F(Cli, LangeNamenRechteUndKeineReste) {
    // Names up to the longest a folder takes; the temporary file of the save fits beside them.
    const std::string lang = Pfad(std::string(251, 'b') + ".tlw");
    const std::string json = Pfad(std::string(250, 'j') + ".json");
    Ergebnis e = Lauf({"demo", lang, "--buchungen", "50"});
    ASSERT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_NE(Lauf({"check", lang}).Aus.find("Buchungen: 50\n"), std::string::npos);
    ASSERT_EQ(::chmod(lang.c_str(), 0604), 0);
    e = Lauf({"demo", lang, "--buchungen", "60"});
    ASSERT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_NE(Lauf({"check", lang}).Aus.find("Buchungen: 60\n"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(lang.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    e = Lauf({"export", lang, "-o", json});
    ASSERT_EQ(e.Status, 0) << e.Fehler;
    e = Lauf({"import", json, Pfad("zurueck.tlw")});
    ASSERT_EQ(e.Status, 0) << e.Fehler;
    EXPECT_EQ(Lesen(Pfad("zurueck.tlw")), Lesen(lang));

    std::vector<std::string> namen;
    for (const auto& eintrag : fs::directory_iterator(ordner)) namen.push_back(eintrag.path().filename().string());
    std::sort(namen.begin(), namen.end());
    std::vector<std::string> erwartet = {fs::path(lang).filename().string(), fs::path(json).filename().string(),
                                         "stderr.txt", "stdout.txt", "zurueck.tlw"};
    std::sort(erwartet.begin(), erwartet.end());
    EXPECT_EQ(namen, erwartet);
}

}  // namespace
