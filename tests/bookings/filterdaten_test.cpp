#include "bookings/filterdaten.h"

#include <gtest/gtest.h>

#include "evaluation/testbuch.h"
#include "testhilfen.h"

namespace talerwerk {
namespace {

using test::Tag;

// KleinesBuch with bookings from March 2024 to today (7 December 2026).
Datenbestand Buch() {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen.push_back(test::Buchung(Tag(3, 3, 2024), BArtAusgabe, 100, 1, 21));
    d.Buchungen.push_back(test::Buchung(Tag(4, 11, 2026), BArtAusgabe, 100, 1, 21));
    BuchungenErneuert(d);
    return d;
}
const int32_t kHeute = Tag(7, 12, 2026);

TEST(Filternummern, ZweiNeueImSelbenDialogTeilenKeineNummer) {
    std::vector<buchungstyp> liste(2);
    liste[0].IdentNr = 12001;
    liste[1].IdentNr = 12004;
    std::vector<buchungstyp> offen;
    offen.push_back(NeuerFilter(liste, offen, kHeute));
    offen.push_back(NeuerFilter(liste, offen, kHeute));
    EXPECT_EQ(offen[0].IdentNr, 12005);
    EXPECT_EQ(offen[1].IdentNr, 12006);
    EXPECT_EQ(NeueFilterNr({}, {}), 12001);
    EXPECT_EQ(offen[0].Satzart, SatzFilter);
    EXPECT_EQ(offen[0].RubrikAuswahl, -1);
}

TEST(Filterliste, AendernLoeschenUndSuchmaske) {
    Datenbestand d = Buch();
    d.Filterliste.resize(3);
    for (int i = 0; i < 3; ++i) d.Filterliste[static_cast<size_t>(i)].IdentNr = 12001 + i;
    d.Filterliste[0].Bezeichnung = SuchmaskenName;  // a saved filter may carry the mask's name
    d.Filterliste[1].Bezeichnung = "Auto";
    buchungstyp f = d.Filterliste[0];
    f.Text = "Miete*";
    GespeichertenFilterAendern(d, f);
    ASSERT_EQ(d.Filterliste.size(), 3u);
    EXPECT_EQ(d.Filterliste.back().IdentNr, 12001);
    EXPECT_EQ(d.Filterliste.back().Text, "Miete*");
    EXPECT_TRUE(d.Geaendert);
    // The tree lists the search mask first, then the saved filters, whatever their names.
    EXPECT_EQ(FilterbaumTexte(d), (std::vector<std::string>{SuchmaskenName, "Auto", "", SuchmaskenName}));
    EXPECT_TRUE(NameVergeben(d.Filterliste, "Auto"));
    EXPECT_FALSE(NameVergeben(d.Filterliste, "Auto", 0));
    EXPECT_FALSE(NameVergeben(d.Filterliste, "auto"));

    d.Geaendert = false;
    EXPECT_FALSE(FilterLoeschen(d, 3));
    EXPECT_FALSE(d.Geaendert);
    EXPECT_TRUE(FilterLoeschen(d, 0));
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(d.Filterliste.size(), 2u);
    EXPECT_EQ(FilterLoeschfrage("Auto"), "Soll Eintrag \"Auto\" wirklich gelöscht werden?");

    const buchungstyp maske = Suchmaske(d, kHeute);
    EXPECT_EQ(maske.Bezeichnung, SuchmaskenName);
    EXPECT_EQ(maske.DatumBis, 0);
    EXPECT_EQ(maske.Auswahl, (std::vector<std::string>{"1", "2", "3", "10", "20", "21", "22", "30"}));
}

TEST(FilterEditor, GruppenregelnUndHaken) {
    const Datenbestand d = Buch();
    buchungstyp f = BuchungVorgabe(SatzFilter, kHeute);
    f.KontoAuswahl = 3;
    f.RubrikAuswahl = 4;
    f.Auswahl = {"2", "22"};
    Filtereingabe e = FilterZeigen(d, f, kHeute);
    auto haken = [](const std::vector<Hakeneintrag>& l) {
        std::vector<int32_t> nr;
        for (const Hakeneintrag& h : l)
            if (h.Haken) nr.push_back(h.Eintrag.Konto.Nr);
        return nr;
    };
    EXPECT_EQ(haken(e.Konten), std::vector<int32_t>{2});
    EXPECT_EQ(haken(e.Rubriken), std::vector<int32_t>{22});
    EXPECT_FALSE(e.Umbuchungen);
    EXPECT_EQ(e.RubrikGruppe, 3);
    KontoGruppeWaehlen(e, 1);
    EXPECT_EQ(haken(e.Konten), (std::vector<int32_t>{1, 2}));
    KontoGruppeWaehlen(e, 2);
    EXPECT_EQ(haken(e.Konten), std::vector<int32_t>{3});
    RubrikGruppeWaehlen(e, 2);
    EXPECT_EQ(haken(e.Rubriken), (std::vector<int32_t>{21, 22, 30}));
    RubrikHakenSetzen(e, 0, true);  // the first leaf: Gehalt
    EXPECT_EQ(e.RubrikGruppe, 3);
    EXPECT_EQ(haken(e.Rubriken), (std::vector<int32_t>{10, 21, 22, 30}));
    KontoHakenSetzen(e, 0, true);
    EXPECT_EQ(e.KontoGruppe, 3);

    e.Name = "Neu";
    e.Umbuchungen = true;
    test::SkriptMeldungen m;
    ASSERT_EQ(FilterUebernehmen(e, f, true, m), FilterFeld::Keins);
    EXPECT_EQ(f.KontoAuswahl, 3);
    EXPECT_EQ(f.RubrikAuswahl, -4);
    EXPECT_EQ(f.Auswahl, (std::vector<std::string>{"1", "3", "10", "21", "22", "30"}));
}

TEST(FilterEditor, ZeitraumTexte) {
    const Datenbestand d = Buch();
    Filtereingabe e = FilterZeigen(d, BuchungVorgabe(SatzFilter, kHeute), kHeute);
    EXPECT_EQ(ZeitraumText(e, kHeute), "März 2024 bis Dezember 2026");
    e.Zeitraum = ZeitraumAktJahr;
    EXPECT_EQ(ZeitraumText(e, kHeute), "2026");
    e.Zeitraum = ZeitraumAktMonat;
    EXPECT_EQ(ZeitraumText(e, kHeute), "Dezember 2026");
    e.Zeitraum = ZeitraumFrei;
    EXPECT_EQ(ZeitraumText(e, kHeute), "");
}

// A saved year or month that is no longer inside the booked range stays what it was.
TEST(FilterEditor, GewaehltesJahrAusserhalbDesBereichsBleibt) {
    const Datenbestand d = Buch();
    test::SkriptMeldungen m;
    buchungstyp f = BuchungVorgabe(SatzFilter, kHeute);
    f.Bezeichnung = "Alt";
    f.Zeitraum = ZeitraumJahr;
    f.Datum = Tag(1, 1, 1997);
    Filtereingabe e = FilterZeigen(d, f, kHeute);
    ASSERT_GE(e.JahrWahl, 0);
    EXPECT_EQ(e.Jahre[static_cast<size_t>(e.JahrWahl)].Bezeichnung, "Jahr 1997");
    EXPECT_EQ(e.Jahre.back().Jahr, 1997);  // newest first: 2026, 2025, 2024, 1997
    ASSERT_EQ(FilterUebernehmen(e, f, true, m), FilterFeld::Keins);
    EXPECT_EQ(f.Datum, Tag(1, 1, 1997));

    f.Zeitraum = ZeitraumMonat;
    f.Datum = Tag(1, 8, 2030);
    e = FilterZeigen(d, f, kHeute);
    EXPECT_EQ(e.Monate[static_cast<size_t>(e.MonatWahl)].Bezeichnung, "August 2030");
    EXPECT_EQ(e.MonatWahl, 0);
    ASSERT_EQ(FilterUebernehmen(e, f, true, m), FilterFeld::Keins);
    EXPECT_EQ(f.Datum, Tag(1, 8, 2030));

    // Inside the range the entry is found, not added.
    f.Datum = Tag(1, 11, 2026);
    e = FilterZeigen(d, f, kHeute);
    EXPECT_EQ(e.Monate.size(), 34u);  // March 2024 … December 2026
    EXPECT_EQ(e.Monate[static_cast<size_t>(e.MonatWahl)].Bezeichnung, "November 2026");
}

TEST(FilterEditor, OkSchritteInIhrerReihenfolge) {
    const Datenbestand d = Buch();
    test::SkriptMeldungen m;
    buchungstyp f = BuchungVorgabe(SatzFilter, kHeute);
    Filtereingabe e = FilterZeigen(d, f, kHeute);
    e.Zeitraum = ZeitraumFrei;
    e.DatumVon = "";
    // The name is checked first; nothing is written on a refusal.
    EXPECT_EQ(FilterUebernehmen(e, f, true, m), FilterFeld::Name);
    EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{MeldungNameLeer});
    // The search mask has no name to check; the unreadable date is next.
    EXPECT_EQ(FilterUebernehmen(e, f, false, m), FilterFeld::DatumVon);
    EXPECT_EQ(m.Fehlertexte().back(), MeldungDatumLeer);
    EXPECT_EQ(f, BuchungVorgabe(SatzFilter, kHeute));

    e.Name = "Alles";
    e.DatumVon = "31.12.2026";
    e.DatumBis = "1.1.26";
    e.NrVon = "30";
    e.NrBis = "25";
    e.BetragVon = "500";
    e.BetragBis = "0";
    ASSERT_EQ(FilterUebernehmen(e, f, true, m), FilterFeld::Keins);
    EXPECT_EQ(f.Datum, Tag(1, 1, 2026));
    EXPECT_EQ(f.DatumBis, Tag(31, 12, 2026));
    EXPECT_EQ(f.IdentNrVon, 25);
    EXPECT_EQ(f.IdentNrBis, 30);
    EXPECT_EQ(f.Betrag, "500,00");
    EXPECT_EQ(f.BetragBis, "999999,99");

    e.NrVon = "25";
    e.NrBis = "";
    e.BetragVon = "";
    e.BetragBis = "12,5";
    e.Zeitraum = ZeitraumAktMonat;
    ASSERT_EQ(FilterUebernehmen(e, f, true, m), FilterFeld::Keins);
    EXPECT_EQ(f.IdentNrVon, 25);
    EXPECT_EQ(f.IdentNrBis, 0);
    EXPECT_EQ(f.Betrag, "0,00");
    EXPECT_EQ(f.BetragBis, "12,50");
    EXPECT_EQ(f.Datum, 0);
    EXPECT_EQ(f.DatumBis, 0);

    e.BetragVon = "100";
    e.BetragBis = "20";
    e.NrVon = "2147483647";
    ASSERT_EQ(FilterUebernehmen(e, f, true, m), FilterFeld::Keins);
    EXPECT_EQ(f.Betrag, "20,00");
    EXPECT_EQ(f.BetragBis, "100,00");
    EXPECT_EQ(f.IdentNrVon, 2147483647);
}

TEST(FilterEditor, NummernfelderFassenDenGanzenBereich) {
    EXPECT_TRUE(NummerFeldZulaessig(""));
    EXPECT_TRUE(NummerFeldZulaessig("12345"));
    EXPECT_TRUE(NummerFeldZulaessig("2147483647"));
    EXPECT_FALSE(NummerFeldZulaessig("2147483648"));
    EXPECT_FALSE(NummerFeldZulaessig("99999999999"));
    EXPECT_FALSE(NummerFeldZulaessig("12a"));
    EXPECT_FALSE(NummerFeldZulaessig("-1"));
    // A number beyond four digits shows in full.
    buchungstyp f = BuchungVorgabe(SatzFilter, kHeute);
    f.IdentNrVon = 7;
    f.IdentNrBis = 123456;
    const Filtereingabe e = FilterZeigen(Buch(), f, kHeute);
    EXPECT_EQ(e.NrVon, "0007");
    EXPECT_EQ(e.NrBis, "123456");
}

}  // namespace
}  // namespace talerwerk
