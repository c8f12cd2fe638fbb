// The template list's working copy: numbers of new templates, the limit, deleting, the name
// check, writing back into the store; and the summary the list shows.

#include "bookings/vorlagen.h"

#include <gtest/gtest.h>

#include "testhilfen.h"

using namespace talerwerk;
using talerwerk::test::MeldungsArt;
using talerwerk::test::SkriptMeldungen;

namespace {

buchungstyp Vorlage(int32_t nr, const std::string& name) {
    buchungstyp v = BuchungVorgabe(SatzVorlage, 0);
    v.IdentNr = nr;
    v.Bezeichnung = name;
    return v;
}

kontotyp Eintrag(int32_t nr, int32_t art, int32_t ober, const std::string& abk, const std::string& name) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.OberNr = ober;
    k.Abk = abk;
    k.Name = name;
    return k;
}

TEST(VorlagenListe, NeueNummernZaehlenDieNeuHinzugefuegtenMit) {
    Datenbestand d;
    d.Vorlagen = {Vorlage(10004, "Tanken"), Vorlage(10002, "Miete")};
    VorlagenListe v(d);
    const int i = v.Neu();
    const int j = v.Neu();
    ASSERT_EQ(i, 2);
    ASSERT_EQ(j, 3);
    EXPECT_EQ(v.Eintraege()[2].IdentNr, 10005);
    EXPECT_EQ(v.Eintraege()[3].IdentNr, 10006);
    EXPECT_EQ(v.Eintraege()[2].Satzart, SatzVorlage);
    EXPECT_EQ(v.Eintraege()[2].Datum, 0);
    EXPECT_EQ(v.Eintraege()[2].Betrag, "0,00");
    EXPECT_EQ(v.Eintraege()[2].Bezeichnung, "");
    // A number given out and taken back again may be given out again.
    v.Entfernen(j);
    EXPECT_EQ(v.Eintraege()[v.Neu()].IdentNr, 10006);
    EXPECT_EQ(d.Vorlagen.size(), 2u) << "the store changes when the list closes";
    EXPECT_FALSE(d.Geaendert);

    // The highest template deleted while the list is open: the store still holds its number.
    VorlagenListe u(d);
    u.Entfernen(0);
    EXPECT_EQ(u.Eintraege()[u.Neu()].IdentNr, 10005);

    // An empty store starts at 10001.
    Datenbestand leer;
    VorlagenListe w(leer);
    EXPECT_EQ(w.Eintraege()[w.Neu()].IdentNr, 10001);
}

TEST(VorlagenListe, HoechstensNeunhundertneunundneunzig) {
    Datenbestand d;
    for (int i = 0; i < 997; ++i) d.Vorlagen.push_back(Vorlage(10001 + i, std::to_string(i)));
    VorlagenListe v(d);
    EXPECT_TRUE(v.NeuMoeglich());
    EXPECT_EQ(v.Neu(), 997);
    EXPECT_TRUE(v.NeuMoeglich());
    EXPECT_EQ(v.Neu(), 998);
    EXPECT_FALSE(v.NeuMoeglich());
    EXPECT_EQ(v.Neu(), -1);
    EXPECT_EQ(v.Anzahl(), 999);
    v.Entfernen(0);
    EXPECT_TRUE(v.NeuMoeglich());
}

TEST(VorlagenListe, NamenspruefungUndBearbeiten) {
    Datenbestand d;
    d.Vorlagen = {Vorlage(10001, "Tanken"), Vorlage(10002, "Miete")};
    VorlagenListe v(d);
    EXPECT_TRUE(v.NameVorhanden(1, "Tanken"));
    EXPECT_FALSE(v.NameVorhanden(0, "Tanken"));  // its own name
    EXPECT_FALSE(v.NameVorhanden(0, "tanken"));  // names are compared exactly
    const int neu = v.Neu();
    EXPECT_TRUE(v.NameVorhanden(neu, "Miete"));

    buchungstyp geaendert = v.Eintraege()[1];
    geaendert.Bezeichnung = "Kaltmiete";
    geaendert.Betrag = "650,00";
    v.Bearbeitet(1, geaendert);
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(d.Vorlagen[1].Bezeichnung, "Miete");
    v.Entfernen(neu);
    v.Uebernehmen();
    EXPECT_EQ(d.Vorlagen[1].Bezeichnung, "Kaltmiete");
    EXPECT_EQ(d.Vorlagen[1].Betrag, "650,00");

    // Closing without a change leaves the store unmarked.
    Datenbestand e;
    e.Vorlagen = d.Vorlagen;
    VorlagenListe w(e);
    w.Uebernehmen();
    EXPECT_FALSE(e.Geaendert);
}

TEST(VorlageZusammenfassung, ArtPfadeBetragUndText) {
    Datenbestand d;
    d.Mandant.Text4 = "EUR";
    d.Konten = {Eintrag(1, ArtAusgabe, 0, "HH", "Haushalt"), Eintrag(2, ArtAusgabe, 1, "LM", "Lebensmittel"),
                Eintrag(3, ArtBestandskonto, 0, "BAR", "Bargeld"), Eintrag(4, ArtSparkonto, 0, "SP", "Sparbuch")};
    buchungstyp v = Vorlage(10001, "Einkauf");
    v.BArt = BArtAusgabe;
    v.Konto1 = 3;
    v.Konto2 = 2;
    v.Betrag = "42,50";
    v.Text = "Einkauf #D";
    VorlagenAnzeige a = VorlageZusammenfassung(d, v);
    EXPECT_EQ(a.Art.ArtWort, "Ausgabe");
    EXPECT_EQ(a.Art.Farbe, ArtFarbe::Rot);
    EXPECT_EQ(a.Text2, "Rubrik");
    EXPECT_EQ(a.Konto1, "Bargeld");
    EXPECT_EQ(a.Konto2, "Haushalt  \\  Lebensmittel");
    EXPECT_EQ(a.Betrag, "42,50 EUR");
    EXPECT_EQ(a.Text, "Einkauf #D");  // shown as stored, expanded only when used

    v.BArt = BArtUmbuchung;
    v.Konto2 = 4;
    a = VorlageZusammenfassung(d, v);
    EXPECT_EQ(a.Art.ArtWort, "Umbuchung");
    EXPECT_EQ(a.Art.Farbe, ArtFarbe::Gelb);
    EXPECT_EQ(a.Text2, "Konto 2");
    EXPECT_EQ(a.Konto2, "Sparbuch");

    v.BArt = BArtEinnahme;
    v.Konto1 = 0;  // a template may name no account
    a = VorlageZusammenfassung(d, v);
    EXPECT_EQ(a.Art.ArtWort, "Einnahme");
    EXPECT_EQ(a.Art.Farbe, ArtFarbe::Blau);
    EXPECT_EQ(a.Konto1, "");
}

}  // namespace
