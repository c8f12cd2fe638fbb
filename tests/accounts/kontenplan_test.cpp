#include "accounts/kontenplan.h"

#include <gtest/gtest.h>

#include "bookings/kontosuche.h"
#include "testhilfen.h"

using namespace talerwerk;
using talerwerk::test::FesterZufall;

namespace {

kontotyp K(int32_t nr, int32_t art, const std::string& abk, const std::string& name, int32_t ober = 0) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.Abk = abk;
    k.Name = name;
    k.OberNr = ober;
    return k;
}

buchungstyp B(int32_t k1, int32_t k2) {
    buchungstyp b;
    b.Konto1 = k1;
    b.Konto2 = k2;
    return b;
}

std::vector<std::string> Texte(const Kontenplan& p) {
    std::vector<std::string> t;
    for (const auto& k : p.Knoten()) t.push_back(std::to_string(k.Ebene) + " " + k.Text());
    return t;
}

int Position(const Kontenplan& p, const std::string& abk) {
    for (int i = 0; i < p.Anzahl(); ++i)
        if (p[i].Ebene > 0 && p[i].Eintrag.Abk == abk) return i;
    return -1;
}

TEST(Kontenplan, NeuerPlanZeigtNurDieVierTypknoten) {
    Kontenplan p({});
    EXPECT_EQ(Texte(p), (std::vector<std::string>{"0 Einnahme", "0 Ausgabe", "0 Bestandskonto", "0 Sparkonto"}));
    const Knopfzustand z = p.Knoepfe(1, {});
    EXPECT_TRUE(z.Neu);
    EXPECT_FALSE(z.Loeschen);
    EXPECT_FALSE(z.Bearbeiten);
    EXPECT_EQ(z.BuchungLabel, "");
    EXPECT_EQ(z.HinweisLabel, "");

    FesterZufall zufall({41});
    const int neu = p.Neu(1, zufall);
    ASSERT_EQ(neu, 2);
    EXPECT_EQ(zufall.grenzen, std::vector<int32_t>{4999});
    EXPECT_EQ(p[neu].Eintrag.Nr, -42);
    EXPECT_EQ(p[neu].Eintrag.Art, ArtAusgabe);
    EXPECT_EQ(p[neu].Eintrag.OberNr, 0);
    EXPECT_EQ(p[neu].Eintrag.Name, "neuer Eintrag");
    EXPECT_EQ(p[neu].Text(), "neuer Eintrag");
    EXPECT_EQ(p.Pfad(neu), "Ausgabe");
}

TEST(Kontenplan, BaumInTypreihenfolgeUndNeuaufbauDerKonten) {
    // Sub-category before its category, kinds interleaved; an entry whose parent is a
    // sub-category and one whose parent is gone.
    std::vector<kontotyp> konten = {
        K(-7, ArtAusgabe, "BROT", "Brot", -6), K(-1, ArtBestandskonto, "GIRO", "Girokonto"),
        K(-6, ArtAusgabe, "LM", "Lebensmittel"), K(-3, ArtEinnahme, "LOHN", "Lohn"),
        K(-9, ArtAusgabe, "KORN", "Korn", -7), K(-10, ArtAusgabe, "WEG", "Verwaist", -99),
        K(99, ArtMandant, "X", "fremd"),
    };
    Kontenplan p(konten);
    EXPECT_EQ(Texte(p), (std::vector<std::string>{
                            "0 Einnahme", "1 Lohn - [LOHN]", "0 Ausgabe", "1 Lebensmittel - [LM]", "2 Brot - [BROT]",
                            "1 Korn - [KORN]", "1 Verwaist - [WEG]", "0 Bestandskonto", "1 Girokonto - [GIRO]",
                            "0 Sparkonto"}));
    EXPECT_EQ(p.Pfad(Position(p, "BROT")), "Ausgabe \\  Lebensmittel - [LM]");
    const auto neu = p.Konten();
    ASSERT_EQ(neu.size(), konten.size());  // nothing is lost
    EXPECT_EQ(neu[0].Abk, "LOHN");
    EXPECT_EQ(neu[1].Abk, "LM");
    EXPECT_EQ(neu[2].Abk, "BROT");
    EXPECT_EQ(neu[3].OberNr, 0);  // Korn is a top-level entry now
    EXPECT_EQ(neu.back().Art, ArtMandant);
    // Rebuilt in tree order, each category precedes its sub-categories.
    EXPECT_EQ(KontoPfad(neu, -7), "Lebensmittel  \\  Brot");
    Kontenplan wieder(neu);
    EXPECT_EQ(Texte(wieder), Texte(p));
}

TEST(Kontenplan, NutzungZaehltEinmalProDatensatzUeberAlleSammlungen) {
    Datenbestand d;
    d.Buchungen = {B(-1, -6), B(-1, -1), B(-1, -7)};
    d.Buchungen.Aendern(2, [&](buchungstyp& satz) { satz.Storniert = true; });
    d.RgmBuchungen = {B(-2, -6)};
    d.Vorlagen = {B(-2, -8)};
    const Nutzung n = NutzungZaehlen(d);
    EXPECT_EQ(n.at(-1), 3);
    EXPECT_EQ(n.at(-6), 2);
    EXPECT_EQ(n.at(-7), 1);
    EXPECT_EQ(n.at(-2), 2);
    EXPECT_EQ(n.at(-8), 1);
}

TEST(Kontenplan, KnopfregelnNachNutzung) {
    std::vector<kontotyp> konten = {
        K(-1, ArtAusgabe, "LM", "Lebensmittel"), K(-2, ArtAusgabe, "BROT", "Brot", -1),
        K(-3, ArtAusgabe, "AUTO", "Auto"),       K(-4, ArtAusgabe, "KFZ", "Steuer", -3),
        K(-5, ArtAusgabe, "MIET", "Miete"),      K(-6, ArtAusgabe, "FREI", "Frei"),
        K(-7, ArtBestandskonto, "GIRO", "Giro"), K(-8, ArtAusgabe, "DIR", "Direkt"),
        K(-9, ArtAusgabe, "UNT", "Unbenutzt", -8),
    };
    Kontenplan p(konten);
    Nutzung n{{-2, 4}, {-5, 1}, {-7, 3}, {-8, 2}};
    struct Fall {
        const char* abk;
        bool loeschen, neu, bearbeiten;
        const char* label;
    } faelle[] = {
        {"LM", false, true, true, "Einträge für Unterrubrik vorhanden"},
        {"BROT", false, false, true, "4 Einträge vorhanden"},
        {"AUTO", true, true, true, "Keine Einträge vorhanden"},
        {"KFZ", true, false, true, "Keine Einträge vorhanden"},
        {"MIET", false, false, true, "1 Einträge vorhanden"},
        {"FREI", true, true, true, "Keine Einträge vorhanden"},
        {"GIRO", false, false, true, "3 Einträge vorhanden"},
        // Booked directly although it has sub-categories: not deletable.
        {"DIR", false, true, true, "2 Einträge vorhanden"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.abk);
        const Knopfzustand z = p.Knoepfe(Position(p, f.abk), n);
        EXPECT_EQ(z.Loeschen, f.loeschen);
        EXPECT_EQ(z.Neu, f.neu);
        EXPECT_EQ(z.Bearbeiten, f.bearbeiten);
        EXPECT_EQ(z.BuchungLabel, f.label);
    }
    // An unused account cannot get children either.
    EXPECT_FALSE(p.Knoepfe(Position(p, "GIRO"), {}).Neu);
    EXPECT_TRUE(p.Knoepfe(Position(p, "GIRO"), {}).Loeschen);
}

TEST(Kontenplan, UnterrubrikAnlegenUndLoeschenMitKindern) {
    Kontenplan p({K(-1, ArtAusgabe, "AUTO", "Auto"), K(-2, ArtAusgabe, "KFZ", "Steuer", -1),
                  K(-3, ArtAusgabe, "LM", "Lebensmittel")});
    FesterZufall zufall({0, 1, 2, 3});  // -1 … -3 are taken: the fourth draw is used
    const int neu = p.Neu(Position(p, "AUTO"), zufall);
    ASSERT_EQ(neu, 4);  // last child of Auto, after KFZ
    EXPECT_EQ(p[neu].Ebene, 2);
    EXPECT_EQ(p[neu].Eintrag.Nr, -4);
    EXPECT_EQ(p[neu].Eintrag.OberNr, -1);
    EXPECT_EQ(zufall.grenzen.size(), 4u);
    EXPECT_FALSE(p.Knoepfe(neu, {}).Neu);
    EXPECT_EQ(p.Pfad(neu), "Ausgabe \\  Auto - [AUTO]");
    EXPECT_EQ(p.Neu(neu, zufall), -1);  // no third level

    p.Entfernen(Position(p, "AUTO"));
    EXPECT_EQ(Texte(p), (std::vector<std::string>{"0 Einnahme", "0 Ausgabe", "1 Lebensmittel - [LM]",
                                                  "0 Bestandskonto", "0 Sparkonto"}));
    p.Entfernen(0);  // type nodes stay
    EXPECT_EQ(p.Anzahl(), 5);
}

TEST(Kontenplan, NeueNummerMeidetAuchAlteUndGeloeschteNummern) {
    Kontenplan p({K(-5, ArtEinnahme, "A", "a")});
    p.Entfernen(Position(p, "A"));
    FesterZufall zufall({4, 4, 6});
    EXPECT_EQ(p.NeueNr(zufall), -7);
    // A random source that always repeats itself still ends with a free number.
    Kontenplan q({K(-1, ArtEinnahme, "A", "a")});
    FesterZufall immer({}, 0);
    EXPECT_EQ(q.NeueNr(immer), -2);
}

TEST(Kontenplan, VollerPlan) {
    std::vector<kontotyp> konten;
    for (int i = 1; i <= MaxPlanKnoten - 5; ++i) konten.push_back(K(-i, ArtEinnahme, "E" + std::to_string(i), "e"));
    Kontenplan p(konten);
    ASSERT_EQ(p.Anzahl(), MaxPlanKnoten - 1);
    EXPECT_TRUE(p.Knoepfe(0, {}).Neu);
    EXPECT_EQ(p.Knoepfe(0, {}).HinweisLabel, "");
    FesterZufall zufall({}, 3500);
    ASSERT_GE(p.Neu(0, zufall), 0);
    const Knopfzustand z = p.Knoepfe(0, {});
    EXPECT_FALSE(z.Neu);
    EXPECT_EQ(z.HinweisLabel, "Keine weiteren Konten möglich");
    EXPECT_EQ(p.Neu(0, zufall), -1);
}

TEST(Kontenplan, PruefungenUndUebernahme) {
    KontoPruefung pr = KontoDatenPruefen("", "");
    EXPECT_EQ(pr.Meldungen, (std::vector<std::string>{"Bezeichnung darf nicht leer sein!", "Abkürzung darf nicht leer sein!"}));
    EXPECT_EQ(pr.Fokus, KontoFeld::Abk);
    EXPECT_EQ(KontoDatenPruefen("", "X").Fokus, KontoFeld::Name);
    EXPECT_TRUE(KontoDatenPruefen("Name", "X").Gueltig());

    std::vector<kontotyp> konten = {K(-1, ArtAusgabe, "LM", "Lebensmittel"), K(-2, ArtBestandskonto, "GIRO", "Giro")};
    konten[1].AnfStand = 123456;
    Kontenplan p(konten);
    const int lm = Position(p, "LM");
    EXPECT_TRUE(p.AbkVergeben(lm, "GIRO"));
    EXPECT_FALSE(p.AbkVergeben(lm, "LM"));   // its own abbreviation
    EXPECT_FALSE(p.AbkVergeben(lm, "lm"));   // case counts
    EXPECT_FALSE(p.IstKonto(lm));
    const int giro = Position(p, "GIRO");
    EXPECT_TRUE(p.IstKonto(giro));

    KontoDaten daten = KontoDatenVon(p[giro].Eintrag);
    EXPECT_EQ(daten.AnfStand, "1234,56");
    daten.Name = "Girokonto";
    daten.BLZ = "12345678";
    daten.AnfStand = "1.000,5";
    p.Uebernehmen(giro, daten, konten);
    EXPECT_EQ(p[giro].Text(), "Girokonto - [GIRO]");
    EXPECT_EQ(p[giro].Eintrag.AnfStand, 100050);
    EXPECT_EQ(konten[1].Name, "Girokonto");  // the chart itself takes edits at once
    EXPECT_EQ(konten[1].AnfStand, 100050);
    EXPECT_EQ(konten[1].Kurz1, "12345678");
}

TEST(Kontenplan, AnfangsstandLesen) {
    EXPECT_EQ(AnfStandLesen(""), 0);
    EXPECT_EQ(AnfStandLesen("12,5"), 1250);
    EXPECT_EQ(AnfStandLesen("12.5"), 1250);
    EXPECT_EQ(AnfStandLesen("999.999,99"), 99'999'999);
    EXPECT_EQ(AnfStandLesen("1000000"), std::nullopt);
    EXPECT_EQ(AnfStandLesen("-5"), std::nullopt);
    EXPECT_EQ(AnfStandLesen("1,234"), std::nullopt);
    EXPECT_EQ(AnfStandLesen(","), std::nullopt);
}

}  // namespace
