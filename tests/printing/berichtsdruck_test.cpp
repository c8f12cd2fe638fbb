#include "printing/berichtsdruck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "evaluation/auswertung.h"
#include "evaluation/testbuch.h"
#include "printing/testgeraet.h"
#include "store/betrag.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Tag;
using test::TestGeraet;

MonatsDatenTyp Gesamt() {
    MonatsDatenTyp m;
    m.Bezeichnung = "Gesamter Zeitraum";
    return m;
}

// The small book plus `konten` more accounts and `rubriken` more expense categories, each booked
// once in 2024.
Datenbestand Buch(int konten = 0, int rubriken = 0, Cent gross = 12345678) {
    Datenbestand d = test::KleinesBuch();
    d.Mandant.Text1 = "Familie Muster";
    d.Mandant.Text2 = "Dorfstraße 1";
    d.Mandant.Text3 = "12345 Irgendwo";
    d.Buchungen = {
        Buchung(Tag(2, 1, 2024), BArtEinnahme, 200000, 1, 10),
        Buchung(Tag(1, 2, 2024), BArtAusgabe, 5000, 1, 21),
        Buchung(Tag(15, 1, 2024), BArtUmbuchung, 30000, 1, 3),
        Buchung(Tag(3, 3, 2024), BArtEinnahme, gross, 2, 10),
    };
    for (int i = 0; i < konten; ++i) {
        d.Konten.push_back(test::Konto(100 + i, ArtBestandskonto, "Konto " + std::to_string(i + 1)));
        d.Buchungen.push_back(Buchung(Tag(5, 1, 2024), BArtAusgabe, 100 * (i + 1), 100 + i, 30));
    }
    for (int i = 0; i < rubriken; ++i) {
        d.Konten.push_back(test::Konto(1000 + i, ArtAusgabe, "Rubrik " + std::to_string(i + 1)));
        d.Buchungen.push_back(Buchung(Tag(6, 1, 2024), BArtAusgabe, 100 * (i + 1), 1, 1000 + i));
    }
    test::Durchnummerieren(d);
    return d;
}

Druckumgebung Umgebung(const Datenbestand& d) {
    Einstellungen e;
    return DruckumgebungAus(d, e, Tag(8, 12, 2026));
}

RubrikTabellenOptionen RubrikOptionen() {
    RubrikTabellenOptionen o;
    o.Zeitraum = Gesamt();
    o.Heute = Tag(8, 12, 2026);
    return o;
}

// A notice that records what it is told and reports an abort from the given poll on.
class Notiz : public Druckfortschritt {
public:
    explicit Notiz(int abbruchAb = 0) : abbruchAb_(abbruchAb) {}
    void Zeigen() override { ++Gezeigt; }
    void Text(const std::string& t) override { Texte.push_back(t); }
    void Stand(int p) override { Staende.push_back(p); }
    bool Abgebrochen() override { return abbruchAb_ > 0 && ++abfragen_ >= abbruchAb_; }
    void Verbergen() override { ++Verborgen; }
    int Gezeigt = 0, Verborgen = 0;
    std::vector<std::string> Texte;
    std::vector<int> Staende;

private:
    int abbruchAb_;
    int abfragen_ = 0;
};

int Anzahl(const TestGeraet& g, const std::string& text) { return static_cast<int>(g.Finden(text).size()); }

TEST(Berichtsdruck, EinnahmenAusgabenDruckenDieBetraegeDesFensters) {
    const Datenbestand d = Buch();
    const Berichtsanfrage a = EinnahmenAusgabenDruck(d, {AuswahlAlleKonten, Gesamt()});
    TestGeraet g;
    Notiz n;
    const Druckergebnis r = BerichtDrucken(g, a, Umgebung(d), n);
    EXPECT_EQ(r.Exemplare, 1);
    EXPECT_EQ(r.Seiten, 1);
    EXPECT_EQ(g.Titel_, "TLW - Berichtsdruck");
    for (const char* text : {"Einnahmen-Ausgaben-Übersicht", "Alle Konten", "Gesamter Zeitraum", "Konto", "Anf.-stand",
                             "Einnahmen", "Ausgaben", "Endstand", "Saldo", "Girokonto", "Gesamt", "- Umbuchungen",
                             "Gesamt real", "Familie Muster", "Dorfstraße 1", "12345 Irgendwo", "08.12.2026",
                             "Seite 1"})
        EXPECT_EQ(Anzahl(g, text), 1) << text;
    EXPECT_EQ(Anzahl(g, "123.456,78"), 3);  // Bargeld's income, closing balance and result
    // Every amount the window shows is printed.
    for (const GridZeile& z : a.Tabelle.Zeilen)
        for (size_t s = 1; s < z.Zellen.size(); ++s)
            if (!z.Zellen[s].empty()) {
                EXPECT_GE(Anzahl(g, z.Zellen[s]), 1) << z.Zellen[s];
            }
    // "Gesamt real" is bold.
    EXPECT_TRUE(g.Finden("Gesamt real")[0].Schrift.Fett());
    EXPECT_EQ(n.Gezeigt, 1);
    EXPECT_EQ(n.Verborgen, 1);
    EXPECT_EQ(n.Texte, std::vector<std::string>{"Bericht wird gedruckt"});
    EXPECT_EQ(n.Staende.front(), 0);
    EXPECT_EQ(n.Staende.back(), 100);
    EXPECT_FALSE(g.Offen);
}

TEST(Berichtsdruck, BetraegeWerdenNieAbgeschnitten) {
    // Wider than the "-999.999,99" the columns are made for: the columns grow instead.
    const Datenbestand d = Buch(0, 0, 99999999999);
    TestGeraet g;
    Notiz n;
    BerichtDrucken(g, EinnahmenAusgabenDruck(d, {AuswahlAlleKonten, Gesamt()}), Umgebung(d), n);
    EXPECT_EQ(Anzahl(g, "999.999.999,99"), 3);  // Bargeld's income, closing balance and result
    EXPECT_EQ(Anzahl(g, "1.000.001.999,99"), 1);
}

TEST(Berichtsdruck, VieleKontenGehenAufSeitengruppenMitGleichenSpalten) {
    const Datenbestand d = Buch(30);
    const Berichtsanfrage a = RubrikKontoDruck(d, RubrikOptionen());
    ASSERT_EQ(a.Tabelle.Kopf.size(), 36u);  // caption, 33 accounts, Gesamt, share
    EXPECT_EQ(a.Tabelle.Kopf.front(), "Rubrik");
    EXPECT_EQ(a.Tabelle.Kopf.back(), "Anteile in %");
    TestGeraet g;
    Notiz n;
    const Druckergebnis r = BerichtDrucken(g, a, Umgebung(d), n);
    ASSERT_GT(r.Seiten, 1);
    EXPECT_EQ(r.Seiten, g.Seiten);
    // Each page group repeats the title block, the caption column and its headings.
    EXPECT_EQ(Anzahl(g, "Rubrik-Konto-Übersicht"), r.Seiten);
    EXPECT_EQ(Anzahl(g, "Anfangsstand"), r.Seiten);
    for (int seite = 1; seite <= r.Seiten; ++seite) EXPECT_EQ(Anzahl(g, "Seite " + std::to_string(seite)), 1);
    for (int i = 1; i <= 30; ++i) EXPECT_EQ(Anzahl(g, "Konto " + std::to_string(i)), 1) << i;
    // The amounts of every group end at the same right edges.
    std::map<int, std::set<int>> kanten;
    for (const auto& t : g.Texte)
        if (t.Inhalt.find(',') != std::string::npos && t.Inhalt.find_first_of("0123456789") == 0)
            kanten[t.Seite].insert(t.X + g.TextBreite(t.Inhalt));
    ASSERT_EQ(static_cast<int>(kanten.size()), r.Seiten);
    for (const auto& [seite, rechts] : kanten)
        for (int kante : rechts) EXPECT_TRUE(kanten[1].count(kante)) << seite << " " << kante;
    // Never more than 19 value columns beside the caption column, on any page.
    for (const auto& [seite, rechts] : kanten) EXPECT_LE(rechts.size(), 19u);
}

TEST(Berichtsdruck, LangeTabellenBrechenVorDerUnterenGrenzeUm) {
    for (int rand : {0, 24}) {
        Datenbestand d = Buch(0, 120);
        d.Druckereinstellung.RandUnten = 0;  // the device's minimum, never the edge of the sheet
        const Berichtsanfrage a = RubrikKontoDruck(d, RubrikOptionen());
        TestGeraet g(rand);
        Notiz n;
        const Druckergebnis r = BerichtDrucken(g, a, Umgebung(d), n);
        ASSERT_GE(r.Seiten, 3);
        EXPECT_EQ(Anzahl(g, "Rubrik-Konto-Übersicht"), r.Seiten);
        const int unten = g.Druckbereich().Hoehe;
        for (const auto& t : g.Texte) EXPECT_LE(t.Y + 101, unten) << t.Inhalt;
        for (const auto& s : g.Striche) EXPECT_LE(std::max(s.Y1, s.Y2), unten);
        for (int i = 1; i <= 120; ++i) EXPECT_EQ(Anzahl(g, "Rubrik " + std::to_string(i)), 1) << i;
        // Every page carries its header lines.
        for (int seite = 1; seite <= r.Seiten; ++seite) {
            const auto kopf = g.Finden("Familie Muster");
            EXPECT_TRUE(std::any_of(kopf.begin(), kopf.end(), [&](const auto& t) { return t.Seite == seite; }));
        }
    }
}

TEST(Berichtsdruck, SpaltenzahlJeSeiteBleibtZwischenEinsUndNeunzehn) {
    // A sheet narrower than the caption column and one amount: one column per group, no division by 0.
    Tabellenmasse m = TabellenmasseAus(40, 30, 25, 12, true);
    EXPECT_EQ(m.N, 1);
    EXPECT_EQ(m.W0, 35);
    // A wide sheet with many narrow columns: at most 19.
    m = TabellenmasseAus(2000, 40, 20, 60, true);
    EXPECT_EQ(m.N, 19);
    EXPECT_LE(m.W, 30);  // capped at 1.5 × the amount width
    // Squeezed columns: the caption column keeps 35 mm.
    m = TabellenmasseAus(160, 80, 25, 8, true);
    EXPECT_EQ(m.W0, 35);
    EXPECT_EQ(m.N, 5);
    EXPECT_EQ(m.W, 25);
    // Room to spare: one group, the income overview's columns are not capped.
    m = TabellenmasseAus(160, 40, 25, 4, false);
    EXPECT_EQ(m.N, 4);
    EXPECT_EQ(m.W, 30);
}

TEST(Berichtsdruck, AbbruchNachDerErstenSeitengruppe) {
    Datenbestand d = Buch(30);
    d.Druckereinstellung.Exemplare = 3;
    const Berichtsanfrage a = RubrikKontoDruck(d, RubrikOptionen());
    TestGeraet g;
    Notiz n(2);  // the check before the table passes, the one before the second group aborts
    const Druckergebnis r = BerichtDrucken(g, a, Umgebung(d), n);
    EXPECT_TRUE(r.Abgebrochen);
    EXPECT_EQ(g.Dokumente, 1);  // no further copy
    EXPECT_EQ(r.Seiten, 1);
    EXPECT_FALSE(g.Offen);      // the document is ended all the same
    EXPECT_EQ(Anzahl(g, "Konto 30"), 0);
    EXPECT_EQ(Anzahl(g, "Girokonto"), 1);
    EXPECT_EQ(n.Verborgen, 1);
}

TEST(Berichtsdruck, JedesExemplarEinDokument) {
    Datenbestand d = Buch();
    d.Druckereinstellung.Exemplare = 2;
    TestGeraet g;
    Notiz n;
    const Druckergebnis r = BerichtDrucken(g, EinnahmenAusgabenDruck(d, {AuswahlAlleKonten, Gesamt()}), Umgebung(d), n);
    EXPECT_EQ(r.Exemplare, 2);
    EXPECT_EQ(g.Dokumente, 2);
    EXPECT_EQ(n.Texte, (std::vector<std::string>{"Exemplar 1 wird gedruckt", "Exemplar 2 wird gedruckt"}));
    const auto titel = g.Finden("Einnahmen-Ausgaben-Übersicht");
    ASSERT_EQ(titel.size(), 2u);
    EXPECT_EQ(titel[1].Dokument, 2);
    EXPECT_EQ(titel[0].Y, titel[1].Y);

    // More than the page setup offers (a damaged file): no more than 100.
    d.Druckereinstellung.Exemplare = 2147483647;
    TestGeraet viele;
    Notiz nv;
    EXPECT_EQ(BerichtDrucken(viele, EinnahmenAusgabenDruck(d, {AuswahlAlleKonten, Gesamt()}), Umgebung(d), nv).Exemplare,
              100);

    d.Druckereinstellung.Exemplare = 0;
    TestGeraet leer;
    Notiz n0;
    const Druckergebnis r0 = BerichtDrucken(leer, EinnahmenAusgabenDruck(d, {AuswahlAlleKonten, Gesamt()}), Umgebung(d), n0);
    EXPECT_EQ(r0.Exemplare, 0);
    EXPECT_EQ(leer.Dokumente, 0);
    EXPECT_EQ(n0.Gezeigt, 1);
    EXPECT_EQ(n0.Verborgen, 1);
}

TEST(Berichtsdruck, NullwerteFarbenUndRahmen) {
    Datenbestand d = Buch();
    const Berichtsanfrage a = RubrikKontoDruck(d, RubrikOptionen());
    int nullen = 0;
    {
        TestGeraet g;
        Notiz n;
        BerichtDrucken(g, a, Umgebung(d), n);
        // Drogerie was not booked: its row stays blank with the option, share included.
        const auto drogerie = g.Finden("   Drogerie");
        ASSERT_EQ(drogerie.size(), 1u);
        for (const auto& t : g.Texte)
            if (t.Y == drogerie[0].Y) {
                EXPECT_EQ(t.Inhalt, "   Drogerie");
            }
        nullen = Anzahl(g, "0,00");
        const auto ausgabe = g.Finden("50,00");  // Lebensmittel, an expense: negative colour
        ASSERT_FALSE(ausgabe.empty());
        EXPECT_EQ(ausgabe[0].Schrift.Farbe, 255);
        const auto gehalt = g.Finden("125.456,78");
        ASSERT_FALSE(gehalt.empty());
        EXPECT_EQ(gehalt[0].Schrift.Farbe, 16711680);
        EXPECT_FALSE(g.Striche.empty());
    }
    d.Druckereinstellung.NullwerteAusblenden = false;
    d.Druckereinstellung.FarbigerBetrag = false;
    d.Druckereinstellung.Trennlinien = false;
    d.Druckereinstellung.Tabellenrahmen = false;
    d.Druckereinstellung.Schriftfarbe = 0x123456;
    TestGeraet g;
    Notiz n;
    BerichtDrucken(g, a, Umgebung(d), n);
    EXPECT_GT(Anzahl(g, "0,00"), nullen);
    for (const auto& t : g.Texte) EXPECT_EQ(t.Schrift.Farbe, 0x123456) << t.Inhalt;
    EXPECT_TRUE(g.Striche.empty());
}

TEST(Berichtsdruck, OhneKopfangabenBeginntDerKoerperAmOberenRand) {
    Datenbestand d = Buch();
    d.Druckereinstellung.Mandantendaten = false;
    d.Druckereinstellung.DatumDruck = false;
    d.Druckereinstellung.Seitenzahl = false;
    TestGeraet g;
    Notiz n;
    BerichtDrucken(g, EinnahmenAusgabenDruck(d, {AuswahlAlleKonten, Gesamt()}), Umgebung(d), n);
    const auto titel = g.Finden("Einnahmen-Ausgaben-Übersicht");
    ASSERT_EQ(titel.size(), 1u);
    EXPECT_EQ(titel[0].Y, 25 * 24 + 101 / 2);  // half a line below the top margin
    EXPECT_EQ(Anzahl(g, "Familie Muster"), 0);
    EXPECT_EQ(Anzahl(g, "Seite 1"), 0);
    EXPECT_EQ(Anzahl(g, "08.12.2026"), 0);
}

TEST(Berichtsdruck, RubrikZeitMitKurzenZeitraumKoepfen) {
    const Datenbestand d = Buch();
    RubrikTabellenOptionen o = RubrikOptionen();
    o.Zeitraum.Jahr = 2024;
    o.Zeitraum.Bezeichnung = "Jahr 2024";
    o.Zeitraum.VonMonat = 1;
    o.Zeitraum.BisMonat = 12;
    const Berichtsanfrage a = RubrikZeitDruck(d, o);
    ASSERT_GE(a.Tabelle.Kopf.size(), 4u);
    EXPECT_EQ(a.Tabelle.Kopf[1], "Jan 2024");
    EXPECT_EQ(a.Tabelle.Kopf[3], "Mär 2024");
    EXPECT_EQ(a.Tabelle.Kopf[static_cast<size_t>(a.SummenSpalte)], "Gesamt");
    o.Jaehrlich = true;
    o.Zeitraum = Gesamt();
    const Berichtsanfrage j = RubrikZeitDruck(d, o);
    EXPECT_NE(std::find(j.Tabelle.Kopf.begin(), j.Tabelle.Kopf.end(), "Jahr 2024"), j.Tabelle.Kopf.end());
    TestGeraet g;
    Notiz n;
    BerichtDrucken(g, a, Umgebung(d), n);
    EXPECT_EQ(Anzahl(g, "Rubrik-Zeit-Übersicht"), g.Seiten);
    EXPECT_EQ(Anzahl(g, "Jahr 2024"), g.Seiten);  // the period in the title block
    EXPECT_EQ(Anzahl(g, "Feb 2024"), 1);
}

}  // namespace
}  // namespace talerwerk
