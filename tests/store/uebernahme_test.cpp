// A new file with master data taken over from a data file on disk: each section alone and all
// together, balances as opening balances, the source's passwords, and sources that cannot be read.

#include "store/uebernahme.h"

#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "store/datendatei.h"
#include "store/datendatei_testdaten.h"
#include "store/kontostaende.h"
#include "testhilfen.h"

namespace talerwerk {
namespace {

using test::ErzeugterBestand;
using test::MeldungsArt;
using test::SkriptKennwortabfrage;
using test::SkriptMeldungen;
using test::Tag;

class UebernahmeTest : public ::testing::Test {
protected:
    void SetUp() override {
        char vorlage[] = "/tmp/uebernahme_XXXXXX";
        const char* p = ::mkdtemp(vorlage);
        if (p == nullptr) throw std::runtime_error("mkdtemp");
        ordner = p;
        quellPfad = ordner + "/quelle.tlw";
        Schreiben(ErzeugterBestand(400), quellPfad);
        // The source as opening it shows it: the balances computed on save included.
        quelle.Dateiname = quellPfad;
        SkriptKennwortabfrage keine;
        ASSERT_TRUE(DateiLaden(quelle, m, keine));
        NeuerDatenbestand(d, uhr, zufall);  // draws 3
        d.DateiOffen = true;
    }
    void TearDown() override {
        for (const char* n : {"/quelle.tlw", "/neu.tlw", "/kaputt.tlw", "/geschuetzt.tlw"})
            ::unlink((ordner + n).c_str());
        ::rmdir((ordner + "/ordner.tlw").c_str());
        ::rmdir(ordner.c_str());
    }
    void Schreiben(Datenbestand q, const std::string& pfad) {
        q.Dateiname = pfad;
        SkriptMeldungen still;
        ASSERT_TRUE(DateiSpeichern(q, still));
    }
    bool Uebernehmen(const UebernahmeAuswahl& a, const std::string& pfad = {}) {
        return Uebernahme(d, pfad.empty() ? quellPfad : pfad, a, m, kennwort, uhr, zufall);
    }
    static std::vector<kontotyp> NurArten(std::vector<kontotyp> konten, std::initializer_list<int32_t> arten) {
        std::erase_if(konten, [&](const kontotyp& k) {
            return std::find(arten.begin(), arten.end(), k.Art) == arten.end();
        });
        return konten;
    }

    std::string ordner, quellPfad;
    Datenbestand quelle, d;
    SkriptMeldungen m;
    SkriptKennwortabfrage kennwort;
    test::FesteUhr uhr{Tag(7, 12, 2026)};
    // NeuerDatenbestand draws 3 (DateiNr 712263), the takeover 42 (DateiNr 7122642).
    test::FesterZufall zufall{3, 42};
};

TEST_F(UebernahmeTest, AllesOhneBuchungenMitNeuerDateiNr) {
    ASSERT_GT(quelle.Buchungen.size(), 0u);
    ASSERT_TRUE(Uebernehmen(UebernahmeAuswahl::Alles()));
    EXPECT_TRUE(m.meldungen.empty());
    EXPECT_TRUE(d.Buchungen.empty());
    EXPECT_EQ(BuchungsIndex(d).Anzahl(), 0u);
    EXPECT_EQ(d.LetzterIndex, -1);
    // The client record is the source's (passwords and all) under the new file's number, which
    // the header record carries as its key too.
    EXPECT_EQ(d.Mandant.Name, quelle.Mandant.Name);
    EXPECT_EQ(d.Mandant.Text4, "€");
    EXPECT_EQ(d.Mandant.OberNr, 7122642);
    EXPECT_EQ(d.Kopfsatz.Kennung, "7122642");
    EXPECT_EQ(d.Kopfsatz.Datum, quelle.Kopfsatz.Datum);
    EXPECT_EQ(d.Druckereinstellung, quelle.Druckereinstellung);
    EXPECT_EQ(d.Konten.size(), quelle.Konten.size());
    EXPECT_EQ(d.Textbausteine, quelle.Textbausteine);
    EXPECT_EQ(d.RgmBuchungen, quelle.RgmBuchungen);
    EXPECT_EQ(d.Vorlagen, quelle.Vorlagen);
    EXPECT_EQ(d.Filterliste, quelle.Filterliste);
    EXPECT_FALSE(d.Schreibschutz);
    // Name, open flag and the change mark are the caller's.
    EXPECT_TRUE(d.Dateiname.empty());
    EXPECT_TRUE(d.DateiOffen);

    // The new store saves, and reads back with the opening balances as its balances.
    d.Dateiname = ordner + "/neu.tlw";
    ASSERT_TRUE(DateiSpeichern(d, m));
    Datenbestand zurueck;
    zurueck.Dateiname = d.Dateiname;
    SkriptKennwortabfrage richtig{true};
    ASSERT_TRUE(DateiLaden(zurueck, m, richtig));
    for (size_t i = 0; i < zurueck.Konten.size(); ++i)
        EXPECT_EQ(zurueck.Konten[i].Stand, quelle.Konten[i].Stand) << zurueck.Konten[i].Name;
}

TEST_F(UebernahmeTest, StaendeWerdenAnfangsstaende) {
    UebernahmeAuswahl a;
    a.Konten = true;
    a.Anfangsstaende = true;
    ASSERT_TRUE(Uebernehmen(a));
    ASSERT_EQ(d.Konten, NurArten(d.Konten, {ArtBestandskonto, ArtSparkonto}));
    ASSERT_EQ(d.Konten.size(), 3u);
    // The giro account's balance worked out by hand from the source's bookings.
    Cent giro = 123456;
    for (const buchungstyp& b : quelle.Buchungen) giro += BuchungsWirkung(b, -4);
    EXPECT_EQ(d.Konten[0].Nr, -4);
    EXPECT_EQ(d.Konten[0].AnfStand, giro);
    EXPECT_NE(giro, 123456);
    for (size_t i = 0; i < d.Konten.size(); ++i) {
        EXPECT_EQ(d.Konten[i].Stand, 0);
        EXPECT_EQ(d.Konten[i].AnfStand, NurArten(quelle.Konten, {ArtBestandskonto, ArtSparkonto})[i].Stand);
    }
    // Everything else as in a new store.
    EXPECT_EQ(d.Mandant.Name, "");
    EXPECT_EQ(d.Mandant.Text1, "Talerwerk");
    EXPECT_EQ(d.Mandant.OberNr, 7122642);
    EXPECT_EQ(d.Druckereinstellung, druckereinstellungtyp{});
    EXPECT_EQ(d.Textbausteine, EingebauteTextbausteine());
}

TEST_F(UebernahmeTest, KontostandVonTausendzweihundertvierunddreissigWirdAnfangsstand) {
    Datenbestand q;
    NeuerDatenbestand(q, uhr, zufall);
    kontotyp konto = test::Konto(7, ArtBestandskonto, 0, "Kasse", "KA", 123456, 0);
    q.Konten = {konto};
    const std::string pfad = ordner + "/neu.tlw";
    Schreiben(q, pfad);
    ASSERT_TRUE(Uebernehmen(UebernahmeAuswahl::Alles(), pfad));
    ASSERT_EQ(d.Konten.size(), 1u);
    EXPECT_EQ(d.Konten[0].AnfStand, 123456);
    EXPECT_EQ(d.Konten[0].Stand, 0);
    ASSERT_TRUE(StaendeBerechnen(d));
    EXPECT_EQ(d.Konten[0].Stand, 123456);
}

TEST_F(UebernahmeTest, JederTeilAllein) {
    const std::vector<kontotyp> rubriken = NurArten(quelle.Konten, {ArtEinnahme, ArtAusgabe});
    const std::vector<kontotyp> konten = NurArten(quelle.Konten, {ArtBestandskonto, ArtSparkonto});
    ASSERT_EQ(rubriken.size(), 3u);
    ASSERT_EQ(konten.size(), 3u);

    struct Fall {
        const char* name;
        bool UebernahmeAuswahl::*flag;
    };
    for (const Fall& f : {Fall{"Mandantendaten", &UebernahmeAuswahl::Mandantendaten},
                          Fall{"Rubriken", &UebernahmeAuswahl::Rubriken}, Fall{"Konten", &UebernahmeAuswahl::Konten},
                          Fall{"Anfangsstaende", &UebernahmeAuswahl::Anfangsstaende},
                          Fall{"Textbausteine", &UebernahmeAuswahl::Textbausteine},
                          Fall{"RgmBuchungen", &UebernahmeAuswahl::RgmBuchungen},
                          Fall{"Vorlagen", &UebernahmeAuswahl::Vorlagen}, Fall{"Filter", &UebernahmeAuswahl::Filter}}) {
        SCOPED_TRACE(f.name);
        NeuerDatenbestand(d, uhr, zufall);
        UebernahmeAuswahl a;
        a.*(f.flag) = true;
        ASSERT_TRUE(Uebernehmen(a));
        const std::string name = f.name;

        EXPECT_EQ(d.Mandant.Name, name == "Mandantendaten" ? quelle.Mandant.Name : "");
        EXPECT_EQ(d.Mandant.Kurz1, name == "Mandantendaten" ? quelle.Mandant.Kurz1 : "");
        EXPECT_EQ(d.Druckereinstellung,
                  name == "Mandantendaten" ? quelle.Druckereinstellung : druckereinstellungtyp{});
        std::vector<kontotyp> erwartet;
        if (name == "Rubriken") erwartet = rubriken;
        if (name == "Konten") erwartet = konten;
        for (kontotyp& k : erwartet) k.AnfStand = k.Stand = 0;
        EXPECT_EQ(d.Konten, erwartet);
        // Snippets not taken: only the three built-in ones, never the source's on top of them.
        EXPECT_EQ(d.Textbausteine, name == "Textbausteine" ? quelle.Textbausteine : EingebauteTextbausteine());
        EXPECT_EQ(d.RgmBuchungen, name == "RgmBuchungen" ? quelle.RgmBuchungen : std::vector<buchungstyp>{});
        EXPECT_EQ(d.Vorlagen, name == "Vorlagen" ? quelle.Vorlagen : std::vector<buchungstyp>{});
        EXPECT_EQ(d.Filterliste, name == "Filter" ? quelle.Filterliste : std::vector<buchungstyp>{});
        EXPECT_TRUE(d.Buchungen.empty());
    }
}

// ---- passwords ----

class UebernahmeKennwortTest : public UebernahmeTest {
protected:
    void Geschuetzt(const std::string& dateikennwort, const std::string& schreibschutz) {
        Datenbestand q = ErzeugterBestand(20);
        q.Mandant.Kurz1 = dateikennwort;
        q.Mandant.Kurz2 = schreibschutz;
        geschuetzt = ordner + "/geschuetzt.tlw";
        Schreiben(q, geschuetzt);
        d.Mandant.Name = "unberührt";
        vorher = d;
    }
    std::string geschuetzt;
    Datenbestand vorher;
};

TEST_F(UebernahmeKennwortTest, RichtigesDateikennwort) {
    Geschuetzt("abc", "");
    kennwort.antworten = {true};
    ASSERT_TRUE(Uebernehmen(UebernahmeAuswahl::Alles(), geschuetzt));
    ASSERT_EQ(kennwort.aufrufe.size(), 1u);
    EXPECT_EQ(kennwort.aufrufe[0], (SkriptKennwortabfrage::Aufruf{3, "abc", geschuetzt}));
    EXPECT_EQ(d.Mandant.Kurz1, "abc");  // the master data come with their password
    EXPECT_FALSE(d.Konten.empty());
}

TEST_F(UebernahmeKennwortTest, AbgelehntesDateikennwortHaeltSofortAn) {
    // Both passwords set: after the refused file password nothing more is asked or reported.
    Geschuetzt("abc", "def");
    kennwort.antworten = {false};
    EXPECT_FALSE(Uebernehmen(UebernahmeAuswahl::Alles(), geschuetzt));
    ASSERT_EQ(kennwort.aufrufe.size(), 1u);
    EXPECT_EQ(kennwort.aufrufe[0].Art, 3);
    EXPECT_TRUE(m.meldungen.empty());
    EXPECT_EQ(d.Mandant, vorher.Mandant);
    EXPECT_EQ(d.Konten, vorher.Konten);
    EXPECT_EQ(d.Textbausteine, vorher.Textbausteine);
}

TEST_F(UebernahmeKennwortTest, SchreibgeschuetzteQuelleGibtNichtsHer) {
    Geschuetzt("", "def");
    kennwort.antworten = {false};
    EXPECT_FALSE(Uebernehmen(UebernahmeAuswahl::Alles(), geschuetzt));
    ASSERT_EQ(kennwort.aufrufe.size(), 1u);
    EXPECT_EQ(kennwort.aufrufe[0], (SkriptKennwortabfrage::Aufruf{4, "def", geschuetzt}));
    EXPECT_TRUE(m.meldungen.empty());
    EXPECT_EQ(d.Mandant, vorher.Mandant);
    EXPECT_TRUE(d.Konten.empty());
    EXPECT_TRUE(d.Vorlagen.empty());
}

TEST_F(UebernahmeKennwortTest, BeideKennwoerterRichtig) {
    Geschuetzt("abc", "def");
    kennwort.antworten = {true, true};
    ASSERT_TRUE(Uebernehmen(UebernahmeAuswahl::Alles(), geschuetzt));
    ASSERT_EQ(kennwort.aufrufe.size(), 2u);
    EXPECT_EQ(kennwort.aufrufe[0].Art, 3);
    EXPECT_EQ(kennwort.aufrufe[1].Art, 4);
    EXPECT_EQ(d.Mandant.Kurz2, "def");
    EXPECT_FALSE(d.Schreibschutz);
}

// ---- sources that cannot be taken over ----

TEST_F(UebernahmeTest, FehlendeDatei) {
    const Datenbestand vorher = d;
    EXPECT_FALSE(Uebernehmen(UebernahmeAuswahl::Alles(), ordner + "/fehlt.tlw"));
    EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{"Datei nicht gefunden!"});
    EXPECT_EQ(d.Mandant, vorher.Mandant);
    EXPECT_TRUE(kennwort.aufrufe.empty());
}

TEST_F(UebernahmeTest, KaputteQuelleLaesstDenNeuenBestandUnberuehrt) {
    std::string bytes;
    ASSERT_TRUE(DateiEinlesen(quellPfad, bytes));
    d.Mandant.Name = "unberührt";
    const Datenbestand vorher = d;
    // Cut off within the filters at the end, and cut off right after the client record: in both
    // cases nothing is taken, although the first sections could be read.
    for (size_t laenge : {bytes.size() - 3, bytes.size() / 2, size_t{40}}) {
        SCOPED_TRACE(laenge);
        m.Leeren();
        std::string fehler;
        ASSERT_TRUE(DateiAtomarSchreiben(ordner + "/kaputt.tlw", bytes.substr(0, laenge), fehler));
        EXPECT_FALSE(Uebernehmen(UebernahmeAuswahl::Alles(), ordner + "/kaputt.tlw"));
        EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{"Ungültige Datei!\rÜbernahme nicht möglich!"});
        EXPECT_EQ(d.Mandant, vorher.Mandant);
        EXPECT_EQ(d.Konten, vorher.Konten);
        EXPECT_EQ(d.Textbausteine, vorher.Textbausteine);
        EXPECT_EQ(d.Kopfsatz, vorher.Kopfsatz);
    }
    // A folder is no data file either.
    m.Leeren();
    ASSERT_EQ(::mkdir((ordner + "/ordner.tlw").c_str(), 0700), 0);
    EXPECT_FALSE(Uebernehmen(UebernahmeAuswahl::Alles(), ordner + "/ordner.tlw"));
    EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{"Ungültige Datei!\rÜbernahme nicht möglich!"});
}

// ---- the steps after the new-file dialog ----

TEST_F(UebernahmeTest, NeueDateiOhneUebernahme) {
    d.Konten = quelle.Konten;
    d.Geaendert = true;
    EXPECT_EQ(NeueDateiEinrichten(d, UebernahmeArt::Keine, UebernahmeAuswahl::Alles(), quellPfad, m, kennwort, uhr,
                                  zufall),
              NeuErgebnis::Leer);
    EXPECT_TRUE(d.DateiOffen);
    EXPECT_FALSE(d.Geaendert);
    EXPECT_TRUE(d.Konten.empty());
    EXPECT_TRUE(d.Dateiname.empty());
    EXPECT_EQ(d.Textbausteine, EingebauteTextbausteine());
    EXPECT_TRUE(m.meldungen.empty());
}

TEST_F(UebernahmeTest, NeueDateiMitUebernahmeFragtNachDenMandantendaten) {
    m.antworten = {Antwort::Ja};
    EXPECT_EQ(NeueDateiEinrichten(d, UebernahmeArt::Alle, {}, quellPfad, m, kennwort, uhr, zufall),
              NeuErgebnis::MandantBearbeiten);
    EXPECT_TRUE(d.DateiOffen);
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(d.Vorlagen, quelle.Vorlagen);  // Alle takes every section, whatever the flags say
    ASSERT_EQ(m.meldungen.size(), 1u);
    EXPECT_EQ(m.meldungen[0].Text, "Übernahme erfolgreich!\rSollen Mandantendaten geändert werden?");
    EXPECT_EQ(m.meldungen[0].Tasten, Knoepfe::JaNein);

    m.Leeren();
    m.antworten = {Antwort::Nein};
    UebernahmeAuswahl a;
    a.Vorlagen = true;
    EXPECT_EQ(NeueDateiEinrichten(d, UebernahmeArt::Auswahl, a, quellPfad, m, kennwort, uhr, zufall),
              NeuErgebnis::Uebernommen);
    EXPECT_EQ(d.Vorlagen, quelle.Vorlagen);
    EXPECT_TRUE(d.Konten.empty());
    EXPECT_TRUE(d.Geaendert);
}

TEST_F(UebernahmeTest, FehlgeschlageneUebernahmeLaesstKeineDateiOffen) {
    EXPECT_EQ(NeueDateiEinrichten(d, UebernahmeArt::Alle, {}, ordner + "/fehlt.tlw", m, kennwort, uhr, zufall),
              NeuErgebnis::Fehlgeschlagen);
    EXPECT_FALSE(d.DateiOffen);
    EXPECT_FALSE(d.Geaendert);
    EXPECT_TRUE(d.Konten.empty());
    EXPECT_EQ(m.Texte(MeldungsArt::Frage).size(), 0u);
}

}  // namespace
}  // namespace talerwerk
