#include "bookings/kontosuche.h"

#include <gtest/gtest.h>

using namespace talerwerk;

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

std::vector<std::string> Texte(const Suchbaum& b) {
    std::vector<std::string> t;
    for (const auto& e : b.Eintraege) t.push_back(std::to_string(e.Ebene) + " " + e.Text);
    return t;
}

// A chart whose list order is deliberately mixed: sub-categories before their category, kinds
// interleaved.
std::vector<kontotyp> Plan() {
    return {
        K(-7, ArtAusgabe, "BROT", "Brot", -6),
        K(-1, ArtBestandskonto, "GIRO", "Girokonto"),
        K(-6, ArtAusgabe, "LM", "Lebensmittel"),
        K(-3, ArtEinnahme, "LOHN", "Lohn"),
        K(-2, ArtSparkonto, "SPAR", "Sparbuch"),
        K(-8, ArtAusgabe, "OBST", "Obst", -6),
        K(-9, ArtBestandskonto, "GIRO2", "Zweitkonto"),
        K(-4, ArtAusgabe, "GI", "Geschenke"),
    };
}

TEST(Kontosuche, BaeumeInReihenfolgeUndEbenen) {
    const auto konten = Plan();
    EXPECT_EQ(Texte(Konto1Baum(konten)),
              (std::vector<std::string>{"0 Bestandskonto", "1 GIRO  \\  Girokonto", "1 GIRO2  \\  Zweitkonto",
                                        "0 Sparkonto", "1 SPAR  \\  Sparbuch"}));
    const Suchbaum t2 = Konto2Baum(konten);
    EXPECT_EQ(Texte(t2), (std::vector<std::string>{
                             "0 Einnahme", "1 LOHN  \\  Lohn", "0 Ausgabe", "1 LM  \\  Lebensmittel",
                             "2 BROT  \\  Brot", "2 OBST  \\  Obst", "1 GI  \\  Geschenke", "0 Bestandskonto",
                             "1 GIRO  \\  Girokonto", "1 GIRO2  \\  Zweitkonto", "0 Sparkonto", "1 SPAR  \\  Sparbuch"}));
    EXPECT_TRUE(t2.Eintraege[0].Ueberschrift);
    EXPECT_EQ(t2.Eintraege[4].Nr, -7);
    EXPECT_EQ(t2.Datensaetze(), 8);
}

TEST(Kontosuche, AufloesungExaktVorPraefixUndGrossKlein) {
    const Suchbaum t1 = Konto1Baum(Plan());
    const Suchbaum t2 = Konto2Baum(Plan());
    EXPECT_EQ(KontoId(t2, "GI"), -4);    // exact, although GIRO comes later in the tree
    EXPECT_EQ(KontoId(t1, "GIR"), -1);   // GIRO before GIRO2: the earlier prefix match
    EXPECT_EQ(KontoId(t1, "GIRO2"), -9);
    EXPECT_EQ(KontoId(t1, "giro"), 0);   // case-sensitive
    EXPECT_EQ(KontoId(t1, ""), 0);
    EXPECT_EQ(KontoId(t2, "Einnahme"), 0);  // headings are never matched
    EXPECT_EQ(KontoId(t2, "Ein"), 0);
    EXPECT_EQ(FeldTextNachVerlassen(t1, "GIR"), "GIRO");
    EXPECT_EQ(FeldTextNachVerlassen(t1, "xy"), "xy");
    // The first field stays with accounts when a category's abbreviation also starts alike.
    EXPECT_EQ(FeldAuswerten(t1, Plan(), "G").Label, "Girokonto");

    // Of two equal abbreviations the later one in tree order wins.
    auto doppelt = Plan();
    doppelt.push_back(K(-20, ArtSparkonto, "GIRO", "Tagesgeld"));
    EXPECT_EQ(KontoId(Konto1Baum(doppelt), "GIRO"), -20);
}

TEST(Kontosuche, KategorieMitUnterrubrikenWaehltDieErste) {
    const auto konten = Plan();
    const Suchbaum t2 = Konto2Baum(konten);
    const FeldAnzeige a = FeldAuswerten(t2, konten, "LM");
    EXPECT_EQ(a.Nr, -6);
    EXPECT_EQ(t2.Eintraege[static_cast<size_t>(a.Auswahl)].Abk, "BROT");
    EXPECT_EQ(a.Label, "Lebensmittel");
    EXPECT_EQ(a.Art.BArt, BArtAusgabe);
    EXPECT_EQ(FeldTextNachVerlassen(t2, "LM"), "BROT");
    std::string feld = "x";
    EXPECT_EQ(BaumAuswahl(t2, 3, feld), 4);
    EXPECT_EQ(feld, "BROT");
    EXPECT_EQ(BaumAuswahl(t2, 2, feld), 2);  // a heading leaves the field alone
    EXPECT_EQ(feld, "BROT");
    EXPECT_EQ(FeldAuswerten(t2, konten, "OBST").Label, "Lebensmittel  \\  Obst");
}

TEST(Kontosuche, BuchungsartAusDemZweitenFeld) {
    const auto konten = Plan();
    const Suchbaum t2 = Konto2Baum(konten);
    FeldAnzeige a = FeldAuswerten(t2, konten, "SPAR");
    EXPECT_EQ(a.Art.BArt, BArtUmbuchung);
    EXPECT_EQ(a.Art.RubrikLabel, "Konto &2");
    EXPECT_EQ(a.Art.ArtWort, "Umbuchung");
    EXPECT_EQ(a.Art.Farbe, ArtFarbe::Gelb);
    EXPECT_EQ(a.Art.Von, "von");
    EXPECT_EQ(a.Art.Auf, "auf");
    a = FeldAuswerten(t2, konten, "");
    EXPECT_EQ(a.Auswahl, 0);
    EXPECT_EQ(a.Label, "Eintrag nicht vorhanden");
    EXPECT_EQ(a.Art.BArt, BArtEinnahme);
    EXPECT_EQ(a.Art.RubrikLabel, "&Rubrik");
    EXPECT_EQ(a.Art.Von, "auf");
    EXPECT_EQ(FeldAuswerten(t2, konten, "giro").Label, "Eintrag nicht vorhanden");
    EXPECT_EQ(FeldAuswerten(t2, konten, "LO").Art.ArtWort, "Einnahme");
}

TEST(Kontosuche, PfadNameIndexUndVorgabe) {
    auto konten = Plan();
    // The parent only counts when it comes before the sub-category.
    EXPECT_EQ(KontoPfad(konten, -7), "Brot");
    EXPECT_EQ(KontoPfad(konten, -8), "Lebensmittel  \\  Obst");
    EXPECT_EQ(KontoPfad(konten, 42), "");
    EXPECT_EQ(KontoName(konten, -8), "Obst");
    EXPECT_EQ(KontoIndex(konten, -2), 4);
    EXPECT_EQ(KontoIndex(konten, 42), -1);
    const auto pfade = KontoPfade(konten);
    for (const kontotyp& k : konten) EXPECT_EQ(pfade.at(k.Nr), KontoPfad(konten, k.Nr));

    EXPECT_EQ(VorgabePosition(Konto1Baum(konten)), 1);
    EXPECT_EQ(VorgabePosition(Konto1Baum({K(-3, ArtEinnahme, "L", "Lohn")})), -1);
}

TEST(Kontosuche, Textbausteine) {
    std::vector<kontotyp> t = {K(10, ArtTextbaustein, "#D", ""), K(11, ArtTextbaustein, "#M", ""),
                               K(20, ArtTextbaustein, "#D", "")};
    const Suchbaum b = TextBaum(t);
    EXPECT_EQ(b.Eintraege[0].Text, "Textbaustein");
    EXPECT_EQ(b.Eintraege[2].Text, "#M");
    EXPECT_EQ(TextbausteinId(b, "#D"), 20);
    EXPECT_EQ(TextbausteinId(b, "#"), 0);   // no prefix matching for snippets
    EXPECT_EQ(TextbausteinId(b, "Textbaustein"), 0);
    const Suchbaum lang = TextBaum(t, [](const kontotyp& k) { return "Text " + k.Abk; });
    EXPECT_EQ(lang.Eintraege[1].Text, "Text #D");
}

}  // namespace
