#include "recurring/rgmverwaltung.h"

#include <gtest/gtest.h>

#include "recurring/rgmtestbuch.h"
#include "testhilfen.h"

using namespace talerwerk;
using talerwerk::test::FesterZufall;
using talerwerk::test::MeldungsArt;
using talerwerk::test::Rgm;
using talerwerk::test::SkriptMeldungen;
using talerwerk::test::Tag;

namespace {

class RgmVerwaltungTest : public ::testing::Test {
protected:
    Datenbestand d;
    SkriptMeldungen m;
    test::FesteUhr uhr{Tag(10, 6, 2024)};
    void SetUp() override { test::RgmBuchAnlegen(d); }
};

TEST_F(RgmVerwaltungTest, NeueNummernUndKennungenSindEindeutigUeberBestandUndNeue) {
    d.RgmBuchungen = {Rgm(11005, "Miete", "A1", Tag(1, 1, 2024))};
    // A deleted recurring booking "B2" left bookings behind: its code is not given out again.
    buchungstyp alt = BuchungVorgabe(SatzBuchung, Tag(1, 1, 2024));
    alt.IdentNr = 1;
    alt.Kennung = "B2010124";
    BuchungAnhaengen(d, alt);
    RgmVerwaltung v(d);
    // Draws: "A1" (taken in the store), "B2" (a booking's key starts with it), then "C3";
    // the second new one draws "C3" (taken by the first new one), then "D4".
    FesterZufall z{'A' - 48, 1, 'B' - 48, 2, 'C' - 48, 3, 'C' - 48, 3, 'D' - 48, 4};
    const int i = v.Neu(uhr, z);
    const int j = v.Neu(uhr, z);
    ASSERT_EQ(i, 1);
    ASSERT_EQ(j, 2);
    const buchungstyp& r = v.Eintraege()[1];
    EXPECT_EQ(r.Kennung, "C3");
    EXPECT_EQ(v.Eintraege()[2].Kennung, "D4");
    EXPECT_EQ(r.IdentNr, 11006);
    EXPECT_EQ(v.Eintraege()[2].IdentNr, 11007);
    EXPECT_EQ(r.Satzart, SatzRgmBuchung);
    EXPECT_EQ(r.Datum, uhr.heute);
    EXPECT_EQ(r.Intervall, 1);
    EXPECT_EQ(r.Betrag, "0,00");
    EXPECT_EQ(r.Monate, (std::array<bool, 12>{}));
    EXPECT_EQ(d.RgmBuchungen.size(), 1u) << "the store changes when the window closes";
    v.Uebernehmen();
    EXPECT_EQ(d.RgmBuchungen.size(), 3u);
    EXPECT_TRUE(d.Geaendert);
}

TEST_F(RgmVerwaltungTest, HoechstensNeunhundertneunundneunzig) {
    for (int i = 0; i < 998; ++i) d.RgmBuchungen.push_back(Rgm(11001 + i, std::to_string(i), "x" + std::to_string(i), 1));
    RgmVerwaltung v(d);
    FesterZufall z{};
    z.vorgabe = 7;
    EXPECT_TRUE(v.NeuMoeglich());
    EXPECT_EQ(v.Neu(uhr, z), 998);
    EXPECT_FALSE(v.NeuMoeglich());
    EXPECT_EQ(v.Neu(uhr, z), -1);
    EXPECT_EQ(v.Anzahl(), 999);
}

TEST_F(RgmVerwaltungTest, LoeschenFragtUndMarkiertGeaendert) {
    d.RgmBuchungen = {Rgm(11001, "Miete", "A1", Tag(1, 1, 2024)), Rgm(11002, "Strom", "B1", Tag(1, 1, 2024))};
    RgmVerwaltung v(d);
    m.antworten = {Antwort::Nein, Antwort::Ja};
    EXPECT_FALSE(v.Loeschen(0, m));
    EXPECT_FALSE(d.Geaendert);
    EXPECT_TRUE(v.Loeschen(0, m));
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(m.Texte(MeldungsArt::Frage).back(), "Soll Eintrag \"Miete\" wirklich gelöscht werden?");
    v.Uebernehmen();
    ASSERT_EQ(d.RgmBuchungen.size(), 1u);
    EXPECT_EQ(d.RgmBuchungen[0].Bezeichnung, "Strom");
}

TEST_F(RgmVerwaltungTest, NamenGenauVerglichen) {
    d.RgmBuchungen = {Rgm(11001, "Miete", "A1", 1), Rgm(11002, "Strom", "B1", 1)};
    RgmVerwaltung v(d);
    EXPECT_TRUE(v.NameVorhanden(1, "Miete"));
    EXPECT_FALSE(v.NameVorhanden(0, "Miete")) << "its own name";
    EXPECT_FALSE(v.NameVorhanden(1, "miete")) << "case counts";
}

TEST(RgmZeitraum, EingabeLesen) {
    SkriptMeldungen m;
    EXPECT_EQ(AnzeigezeitraumLesen("28", m), 28);
    EXPECT_EQ(AnzeigezeitraumLesen("0", m), 1);
    EXPECT_EQ(AnzeigezeitraumLesen("364", m), 364);
    EXPECT_TRUE(m.meldungen.empty());
    EXPECT_EQ(AnzeigezeitraumLesen("365", m), 364);
    EXPECT_EQ(AnzeigezeitraumLesen("99999999999999999999", m), 364);
    EXPECT_EQ(AnzeigezeitraumLesen("", m), 1);
    EXPECT_EQ(AnzeigezeitraumLesen("1a", m), 1);
    EXPECT_EQ(AnzeigezeitraumLesen("-3", m), 1);
    EXPECT_EQ(m.Texte(MeldungsArt::Information),
              (std::vector<std::string>{"Zeitraum ist auf 364 Tage begrenzt!", "Zeitraum ist auf 364 Tage begrenzt!",
                                        "Eingabe fehlerhaft!", "Eingabe fehlerhaft!", "Eingabe fehlerhaft!"}));
}

TEST(RgmEditor, MonateAusIntervall) {
    auto monate = [](int32_t datum, int32_t schritt) {
        std::string t;
        for (bool b : MonateAusIntervall(datum, schritt)) t += b ? 'x' : '.';
        return t;
    };
    EXPECT_EQ(monate(Tag(1, 2, 2024), 3), ".x..x..x..x.");
    EXPECT_EQ(monate(Tag(31, 1, 2024), 1), "xxxxxxxxxxxx");
    EXPECT_EQ(monate(Tag(1, 1, 2024), 6), "x.....x.....");
    EXPECT_EQ(monate(Tag(1, 3, 2024), 6), "..x.....x...");
    EXPECT_EQ(monate(Tag(9, 11, 2024), 6), "....x.....x.") << "counting past December";
    EXPECT_EQ(monate(Tag(9, 11, 2024), 12), "..........x.");
    EXPECT_EQ(monate(0, 1), "............");
}

TEST(RgmEditor, PruefungenInIhrerReihenfolge) {
    Einstellungen e;
    buchungstyp r = BuchungVorgabe(SatzRgmBuchung, 0);
    r.Datum = 0;
    const std::string a = "Regelmäßige Buchung anlegen nicht möglich!\r";
    EXPECT_EQ(RgmPruefen(r, e), (std::vector<RgmFehler>{{"Bezeichnung darf nicht leer sein!", RgmFeld::Name},
                                                        {a + "Datum darf nicht leer sein!", RgmFeld::Faellig},
                                                        {a + "Buchungstext darf nicht leer sein!", RgmFeld::Text},
                                                        {a + "Geldbetrag darf nicht 0,00 sein!", RgmFeld::Betrag},
                                                        {a + "Konto unbekannt!", RgmFeld::Konto1},
                                                        {a + "Konto unbekannt!", RgmFeld::Konto2}}));
    r = Rgm(11001, "Miete", "A1", Tag(1, 1, 2024), "0,00");
    EXPECT_EQ(RgmPruefen(r, e).size(), 1u);
    e.Nullbuchung = true;
    EXPECT_TRUE(RgmPruefen(r, e).empty());
}

}  // namespace
