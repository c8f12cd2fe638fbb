#include "bookings/abfrage.h"

#include <gtest/gtest.h>

#include <random>

#include "evaluation/testbuch.h"
#include "store/betrag.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::KleinesBuch;
using test::Tag;

abfragetyp Alles() {
    abfragetyp q;
    q.Konten = {CodeAlleKonten};
    q.Rubriken = {CodeAlleRubriken};
    return q;
}

buchungstyp Satz(int32_t konto1, int32_t konto2, int32_t bart = BArtAusgabe) {
    buchungstyp b = Buchung(Tag(15, 6, 2026), bart, 1234, konto1, konto2);
    b.IdentNr = 42;
    b.Belegnr = "AB";
    b.Text = "Miete Januar";
    b.Bemerkung = "Vermieter";
    return b;
}

struct Fall {
    const char* Name;
    void (*Abfrage)(abfragetyp&);
    void (*Buchung)(buchungstyp&);
    bool Erwartet;
};

TEST(Passt, JedeRegelEinzeln) {
    const Datenbestand d = KleinesBuch();
    // Girokonto 1, Bargeld 2 (Bestand), Sparbuch 3; Gehalt 10; Haushalt 20 > Lebensmittel 21, Drogerie 22; Auto 30.
    const Fall faelle[] = {
        {"alles", [](abfragetyp&) {}, [](buchungstyp&) {}, true},
        // Date
        {"datum bis 0 schränkt nicht ein", [](abfragetyp& q) { q.DatumVon = Tag(1, 1, 2030); }, [](buchungstyp&) {}, true},
        {"datum innen", [](abfragetyp& q) { q.DatumVon = Tag(15, 6, 2026), q.DatumBis = Tag(15, 6, 2026); },
         [](buchungstyp&) {}, true},
        {"datum davor", [](abfragetyp& q) { q.DatumVon = Tag(16, 6, 2026), q.DatumBis = Tag(1, 7, 2026); },
         [](buchungstyp&) {}, false},
        // Accounts
        {"leere kontenliste", [](abfragetyp& q) { q.Konten.clear(); }, [](buchungstyp&) {}, false},
        {"bestandskonten", [](abfragetyp& q) { q.Konten = {CodeBestandskonten}; }, [](buchungstyp&) {}, true},
        {"sparkonten ohne sparkonto", [](abfragetyp& q) { q.Konten = {CodeSparkonten}; }, [](buchungstyp&) {}, false},
        {"sparkonto als konto 2 einer umbuchung", [](abfragetyp& q) { q.Konten = {CodeSparkonten}; },
         [](buchungstyp& b) { b.BArt = BArtUmbuchung, b.Konto2 = 3; }, true},
        {"konto gleich konto1", [](abfragetyp& q) { q.Konten = {2, 1}; }, [](buchungstyp&) {}, true},
        {"anderes konto", [](abfragetyp& q) { q.Konten = {2}; }, [](buchungstyp&) {}, false},
        {"unbekanntes konto gleich konto1", [](abfragetyp& q) { q.Konten = {77}; }, [](buchungstyp& b) { b.Konto1 = 77; },
         true},
        // Categories
        {"leere rubrikenliste", [](abfragetyp& q) { q.Rubriken.clear(); }, [](buchungstyp&) {}, false},
        {"ausgaben", [](abfragetyp& q) { q.Rubriken = {CodeAusgaben}; }, [](buchungstyp&) {}, true},
        {"einnahmen bei ausgabe", [](abfragetyp& q) { q.Rubriken = {CodeEinnahmen}; }, [](buchungstyp&) {}, false},
        {"oberrubrik trifft unterrubrik", [](abfragetyp& q) { q.Rubriken = {20}; }, [](buchungstyp&) {}, true},
        {"unterrubrik trifft nicht die schwester", [](abfragetyp& q) { q.Rubriken = {22}; }, [](buchungstyp&) {}, false},
        {"umbuchungen", [](abfragetyp& q) { q.Rubriken = {CodeUmbuchungen}; },
         [](buchungstyp& b) { b.BArt = BArtUmbuchung, b.Konto2 = 2; }, true},
        {"umbuchungen ohne umbuchung", [](abfragetyp& q) { q.Rubriken = {CodeUmbuchungen}; }, [](buchungstyp&) {}, false},
        // Numbers
        {"nummer 0 bis 25", [](abfragetyp& q) { q.NrBis = 25; }, [](buchungstyp& b) { b.IdentNr = 25; }, true},
        {"nummer 0 bis 25, 26", [](abfragetyp& q) { q.NrBis = 25; }, [](buchungstyp& b) { b.IdentNr = 26; }, false},
        {"nummer 25 bis offen", [](abfragetyp& q) { q.NrVon = 25; }, [](buchungstyp& b) { b.IdentNr = 100000; }, true},
        {"nummer 25 bis offen, 24", [](abfragetyp& q) { q.NrVon = 25; }, [](buchungstyp& b) { b.IdentNr = 24; }, false},
        // Vouchers: texts by character codes
        {"beleg A bis B, AB", [](abfragetyp& q) { q.BelegVon = "A", q.BelegBis = "B"; }, [](buchungstyp&) {}, true},
        {"beleg A bis B, b", [](abfragetyp& q) { q.BelegVon = "A", q.BelegBis = "B"; },
         [](buchungstyp& b) { b.Belegnr = "b"; }, false},
        {"beleg nur bis", [](abfragetyp& q) { q.BelegBis = "AA"; }, [](buchungstyp&) {}, false},
        {"beleg nur von", [](abfragetyp& q) { q.BelegVon = "AA"; }, [](buchungstyp&) {}, true},
        // Amounts as numbers
        {"betrag im bereich", [](abfragetyp& q) { q.BetragVon = 1234, q.BetragBis = 1234; }, [](buchungstyp&) {}, true},
        {"betrag 10,00 über 9,00", [](abfragetyp& q) { q.BetragBis = 900; }, [](buchungstyp& b) { b.Betrag = "10,00"; },
         false},
        {"betrag ohne grenze", [](abfragetyp&) {}, [](buchungstyp& b) { b.Betrag = "5000000,00"; }, true},
        // Cancelled
        {"nur stornierte", [](abfragetyp& q) { q.StornoAuswahl = StornoNur; }, [](buchungstyp&) {}, false},
        {"nur stornierte, storniert", [](abfragetyp& q) { q.StornoAuswahl = StornoNur; },
         [](buchungstyp& b) { b.Storniert = true; }, true},
        {"ohne stornierte, storniert", [](abfragetyp& q) { q.StornoAuswahl = StornoOhne; },
         [](buchungstyp& b) { b.Storniert = true; }, false},
        // Patterns
        {"Miete* trifft Miete Januar", [](abfragetyp& q) { q.TextMuster = "Miete*"; }, [](buchungstyp&) {}, true},
        {"Miete* trifft Miete", [](abfragetyp& q) { q.TextMuster = "Miete*"; }, [](buchungstyp& b) { b.Text = "Miete"; },
         true},
        {"Miete* trifft miete nicht", [](abfragetyp& q) { q.TextMuster = "Miete*"; },
         [](buchungstyp& b) { b.Text = "miete"; }, false},
        {"Miete trifft nur Miete", [](abfragetyp& q) { q.TextMuster = "Miete"; }, [](buchungstyp&) {}, false},
        {"*iete trifft nur sich", [](abfragetyp& q) { q.TextMuster = "*iete"; }, [](buchungstyp& b) { b.Text = "Miete"; },
         false},
        {"*iete trifft *iete", [](abfragetyp& q) { q.TextMuster = "*iete"; }, [](buchungstyp& b) { b.Text = "*iete"; },
         true},
        {"bemerkung V*x", [](abfragetyp& q) { q.BemerkungMuster = "Verm*x"; }, [](buchungstyp&) {}, true},
        {"bemerkung andere", [](abfragetyp& q) { q.BemerkungMuster = "Bank*"; }, [](buchungstyp&) {}, false},
    };
    for (const Fall& f : faelle) {
        abfragetyp q = Alles();
        f.Abfrage(q);
        buchungstyp b = Satz(1, 21);
        f.Buchung(b);
        EXPECT_EQ(Passt(d, q, b), f.Erwartet) << f.Name;
        // The compiled query gives the same answer over a store holding just this booking.
        Datenbestand e = d;
        e.Buchungen = {b};
        EXPECT_EQ(Abfragefilter(e, q).Passt(0), f.Erwartet) << f.Name << " (übersetzt)";
    }
}

TEST(AbfrageAusFilter, ZeitraeumeNachArt) {
    const Datenbestand d = KleinesBuch();
    const int32_t heute = Tag(7, 2, 2024);
    buchungstyp f = BuchungVorgabe(SatzFilter, heute);
    f.Datum = Tag(20, 5, 1997);
    f.DatumBis = Tag(3, 6, 1997);
    struct {
        int32_t Zeitraum;
        int32_t Von, Bis;
    } const faelle[] = {
        {ZeitraumGesamt, Tag(20, 5, 1997), 0},
        {ZeitraumAktJahr, Tag(1, 1, 2024), Tag(31, 12, 2024)},
        {ZeitraumAktMonat, Tag(1, 2, 2024), Tag(29, 2, 2024)},
        {ZeitraumJahr, Tag(1, 1, 1997), Tag(31, 12, 1997)},
        {ZeitraumMonat, Tag(1, 5, 1997), Tag(31, 5, 1997)},
        {ZeitraumFrei, Tag(20, 5, 1997), Tag(3, 6, 1997)},
    };
    for (const auto& fall : faelle) {
        f.Zeitraum = fall.Zeitraum;
        const abfragetyp q = AbfrageAusFilter(d, f, heute);
        EXPECT_EQ(q.DatumVon, fall.Von) << fall.Zeitraum;
        EXPECT_EQ(q.DatumBis, fall.Bis) << fall.Zeitraum;
    }
}

TEST(AbfrageAusFilter, KontenRubrikenUndAuswahl) {
    const Datenbestand d = KleinesBuch();
    buchungstyp f = BuchungVorgabe(SatzFilter, Tag(1, 1, 2026));
    EXPECT_EQ(AbfrageAusFilter(d, f, 0).Konten, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(AbfrageAusFilter(d, f, 0).Rubriken, (std::vector<int32_t>{10, 20, 21, 22, 30, CodeUmbuchungen}));
    f.KontoAuswahl = 1;
    f.RubrikAuswahl = 2;  // Einnahmen, no transfers
    EXPECT_EQ(AbfrageAusFilter(d, f, 0).Konten, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(AbfrageAusFilter(d, f, 0).Rubriken, (std::vector<int32_t>{10}));
    f.KontoAuswahl = 2;
    f.RubrikAuswahl = -3;
    EXPECT_EQ(AbfrageAusFilter(d, f, 0).Konten, (std::vector<int32_t>{3}));
    EXPECT_EQ(AbfrageAusFilter(d, f, 0).Rubriken, (std::vector<int32_t>{20, 21, 22, 30, CodeUmbuchungen}));
    // Free choices take from Auswahl what names an account or a category; the rest is skipped.
    f.KontoAuswahl = 3;
    f.RubrikAuswahl = 4;
    f.Auswahl = {"2", "21", "99", "x", "", "10", "3"};
    const abfragetyp q = AbfrageAusFilter(d, f, 0);
    EXPECT_EQ(q.Konten, (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(q.Rubriken, (std::vector<int32_t>{21, 10}));
}

TEST(AbfrageAusFilter, NeuerFilterTrifftJedeBuchungImBetragsbereich) {
    Datenbestand d = KleinesBuch();
    buchungstyp f = BuchungVorgabe(SatzFilter, Tag(1, 1, 2026));
    const abfragetyp q = AbfrageAusFilter(d, f, Tag(1, 1, 2026));
    for (buchungstyp b : {Satz(1, 21), Satz(2, 10, BArtEinnahme), Satz(1, 3, BArtUmbuchung), Satz(3, 30)}) {
        b.IdentNr = 123456;
        b.Storniert = true;
        b.Belegnr = "zz";
        EXPECT_TRUE(Passt(d, q, b)) << b.Konto1 << "/" << b.Konto2;
    }
    // Clearing the transfers excludes every Umbuchung.
    f.RubrikAuswahl = 1;
    EXPECT_FALSE(Passt(d, AbfrageAusFilter(d, f, 0), Satz(1, 3, BArtUmbuchung)));
}

TEST(AbfrageAusBaeumen, KeineGrenzeFuerNummernUndBetraege) {
    const Datenbestand d = KleinesBuch();
    MonatsDatenTyp gesamt;
    const abfragetyp q = AbfrageAusBaeumen(gesamt, CodeAlleKonten, CodeAlleRubriken);
    EXPECT_EQ(q.DatumVon, 0);
    EXPECT_EQ(q.DatumBis, 0);
    buchungstyp b = Satz(1, 21);
    for (int32_t nr : {0, 9999, 10000, 2147483647}) {
        b.IdentNr = nr;
        EXPECT_TRUE(Passt(d, q, b)) << nr;
    }
    for (const char* betrag : {"-30,00", "1000000,00", "99999999,99"}) {
        b.Betrag = betrag;
        EXPECT_TRUE(Passt(d, q, b)) << betrag;
    }
    MonatsDatenTyp februar;
    februar.VonMonat = februar.BisMonat = 2;
    februar.Jahr = 2024;
    const abfragetyp m = AbfrageAusBaeumen(februar, 1, CodeUmbuchungen);
    EXPECT_EQ(m.DatumVon, Tag(1, 2, 2024));
    EXPECT_EQ(m.DatumBis, Tag(29, 2, 2024));
    EXPECT_EQ(m.Konten, std::vector<int32_t>{1});
    EXPECT_EQ(m.Rubriken, std::vector<int32_t>{CodeUmbuchungen});
}

// Random queries over a random book with every awkward record: the compiled query answers exactly
// as the plain rule.
TEST(Abfragefilter, GleichDerEinfachenRegel) {
    const Datenbestand d = [] {
        Datenbestand b = test::ZufallsBuch(7, 3000);
        test::Durchnummerieren(b);
        std::mt19937 z(3);
        std::vector<buchungstyp> alle = b.Buchungen.Alle();
        for (buchungstyp& x : alle) {
            const char* texte[] = {"Miete", "Miete Mai", "miete", "*iete", "Auto", ""};
            x.Text = texte[z() % 6];
            x.Bemerkung = texte[z() % 6];
            x.Belegnr = std::string(1, static_cast<char>('A' + z() % 4)) + (z() % 2 ? "b" : "");
        }
        b.Buchungen = Buchungsspeicher(alle);
        BuchungenErneuert(b);
        return b;
    }();
    std::mt19937 z(11);
    auto wahl = [&](int n) { return static_cast<int>(z() % static_cast<uint32_t>(n)); };
    const int32_t konten[] = {5000, 5001, 5002, 1, 2, 3, 4, 77, 0, 21, 10};
    const int32_t rubriken[] = {5100, 5101, 5102, 5103, 10, 20, 21, 22, 30, 40, 41, 50, 99, 0, 1, 2};
    const char* muster[] = {"", "Miete*", "Miete", "*iete", "M*", "Auto*"};
    const char* belege[] = {"", "A", "B", "Bb", "C"};
    for (int runde = 0; runde < 300; ++runde) {
        abfragetyp q;
        for (int k = wahl(3); k >= 0; --k) q.Konten.push_back(konten[wahl(11)]);
        for (int k = wahl(3); k >= 0; --k) q.Rubriken.push_back(rubriken[wahl(16)]);
        if (wahl(10) == 0) q.Konten.clear();
        if (wahl(3) == 0) q.DatumVon = Tag(1, 1, 1996) + wahl(3000), q.DatumBis = q.DatumVon + wahl(2000);
        if (wahl(3) == 0) q.NrVon = wahl(2000), q.NrBis = wahl(3) ? wahl(3000) : 0;
        if (wahl(3) == 0) q.BelegVon = belege[wahl(5)], q.BelegBis = belege[wahl(5)];
        if (wahl(3) == 0) q.BetragVon = wahl(200000) - 1000;
        if (wahl(3) == 0) q.BetragBis = wahl(400000);
        q.StornoAuswahl = wahl(3);
        if (wahl(2) == 0) q.TextMuster = muster[wahl(6)];
        if (wahl(4) == 0) q.BemerkungMuster = muster[wahl(6)];
        const Abfragefilter f(d, q);
        std::vector<uint32_t> erwartet;
        for (size_t i = 0; i < d.Buchungen.size(); ++i)
            if (Passt(d, q, d.Buchungen[i])) erwartet.push_back(static_cast<uint32_t>(i));
        ASSERT_EQ(f.Treffer(), erwartet) << "Runde " << runde;
    }
}

TEST(RubrikBaum, GruppenMitUnterrubriken) {
    const Datenbestand d = KleinesBuch();
    const Auswahlbaum b = RubrikBaum(d);
    std::vector<std::pair<std::string, int32_t>> knoten;
    for (const Auswahlknoten& k : b.Knoten) knoten.emplace_back(k.Text, k.Elter);
    const std::vector<std::pair<std::string, int32_t>> erwartet = {
        {"Alle Rubriken", -1}, {"Einnahmen", 0}, {"Gehalt", 1},   {"Ausgaben", 0}, {"Haushalt", 3},
        {"Lebensmittel", 4},   {"Drogerie", 4},  {"Auto", 3},     {"Umbuchungen", 0},
    };
    EXPECT_EQ(knoten, erwartet);
    EXPECT_EQ(b.Knoten[0].Konto.Nr, CodeAlleRubriken);
    EXPECT_EQ(b.Knoten[3].Konto.Nr, CodeAusgaben);
    EXPECT_EQ(b.Knoten[5].Konto.Nr, 21);
    EXPECT_EQ(b.Knoten[8].Konto.Nr, CodeUmbuchungen);
    EXPECT_TRUE(b.Knoten[0].Aufgeklappt);
    EXPECT_FALSE(b.Knoten[1].Aufgeklappt);
    EXPECT_EQ(b.Gewaehlt, 0);
}

TEST(FilterIndex, PositionNachNummer) {
    Datenbestand d;
    d.Filterliste.resize(3);
    d.Filterliste[0].IdentNr = 12001;
    d.Filterliste[1].IdentNr = 12005;
    d.Filterliste[2].IdentNr = 12003;
    EXPECT_EQ(FilterIndex(d, 12005), 1);
    EXPECT_EQ(FilterIndex(d, 12003), 2);
    EXPECT_EQ(FilterIndex(d, 12002), -1);
}

}  // namespace
}  // namespace talerwerk
