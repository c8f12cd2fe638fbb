#include "recurring/rgmausfuehrung.h"

#include <gtest/gtest.h>

#include "bookings/textbausteine.h"
#include "recurring/rgmtestbuch.h"
#include "testhilfen.h"

using namespace talerwerk;
using talerwerk::test::MeldungsArt;
using talerwerk::test::Rgm;
using talerwerk::test::SkriptMeldungen;
using talerwerk::test::Tag;

namespace {

class RgmAusfuehrungTest : public ::testing::Test {
protected:
    Datenbestand d;
    Einstellungen e;
    SkriptMeldungen m;
    test::FesteUhr uhr{Tag(10, 6, 2024)};
    std::vector<int> aktualisiert;
    RgmAnschluss anschluss{{}, {}, [this](int art) { aktualisiert.push_back(art); }};

    void SetUp() override { test::RgmBuchAnlegen(d); }

    std::vector<FaelligeZeile> Faellige() { return FaelligeListe(d, d.RgmBuchungen, uhr.heute, 28); }
    RgmLaufErgebnis Alle() { return RgmAusfuehren(d, d.RgmBuchungen, Faellige(), e, m, uhr, anschluss); }
    size_t Fragen() const { return m.Texte(MeldungsArt::Frage).size(); }
};

TEST(RgmText, DatumsplatzhalterUndTextbausteine) {
    std::vector<kontotyp> tb = EingebauteTextbausteine();
    tb.push_back(TextbausteinSatz(20, "mi", "Miete für"));
    const int32_t maerz = Tag(1, 3, 2024);
    EXPECT_EQ(RgmTextErweitern("Miete #M #J", tb, maerz), "Miete März 2024");
    EXPECT_EQ(RgmTextErweitern("mi #D", tb, maerz), "Miete für 01.03.2024");
    // A second "#D" goes through the built-in snippet; it still gets the booking's date.
    EXPECT_EQ(RgmTextErweitern("#D bis #D", tb, maerz), "01.03.2024 bis 01.03.2024");
    EXPECT_EQ(RgmTextErweitern("#M/#M/#M", tb, maerz), "März/März/März");
    EXPECT_EQ(RgmTextErweitern("ohne", tb, maerz), "ohne");
}

TEST_F(RgmAusfuehrungTest, BuchungUebernimmtJedesFeld) {
    buchungstyp r = Rgm(11001, "Miete", "A1", Tag(1, 6, 2024), "750,50");
    r.Text = "Miete #M #J";
    r.Bemerkung = "Wohnung";
    r.Belegnr = "B-7";
    r.BArt = BArtUmbuchung;
    r.Konto2 = 2;
    d.RgmBuchungen = {r};
    e.Buchung = false;
    const auto erg = Alle();
    EXPECT_EQ(erg.Gebucht, 1);
    EXPECT_FALSE(erg.Fehler);
    ASSERT_EQ(d.Buchungen.size(), 1u);
    const buchungstyp& b = d.Buchungen[0];
    EXPECT_EQ(b.Satzart, SatzBuchung);
    EXPECT_EQ(b.IdentNr, 1);
    EXPECT_EQ(b.Datum, Tag(1, 6, 2024));
    EXPECT_EQ(b.Bezeichnung, "Miete");
    EXPECT_EQ(b.BArt, BArtUmbuchung);
    EXPECT_EQ(b.Bemerkung, "Wohnung");
    EXPECT_EQ(b.Belegnr, "B-7");
    EXPECT_EQ(b.Betrag, "750,50");
    EXPECT_EQ(b.Konto1, 1);
    EXPECT_EQ(b.Konto2, 2);
    EXPECT_EQ(b.Text, "Miete Juni 2024");
    EXPECT_EQ(b.Kennung, "A1010624");
    EXPECT_FALSE(b.Storniert);
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(d.RgmBuchungen[0], r) << "the recurring booking itself never changes";
    // The index knows the booking: the balances see it at once.
    EXPECT_EQ(BuchungsIndex(d).Wirkung(1), -75050);
    EXPECT_EQ(aktualisiert, std::vector<int>{1});
    EXPECT_TRUE(Faellige().empty());
}

TEST_F(RgmAusfuehrungTest, OhneFaelligkeitsdatumAlsBuchungsdatumHeuteAberSchluesselMitFaelligkeit) {
    buchungstyp r = Rgm(11001, "Miete", "A1", Tag(1, 6, 2024));
    r.Text = "Miete #D";
    d.RgmBuchungen = {r};
    d.Mandant.Merker2 = false;
    e.Buchung = false;
    Alle();
    ASSERT_EQ(d.Buchungen.size(), 1u);
    EXPECT_EQ(d.Buchungen[0].Datum, uhr.heute);
    EXPECT_EQ(d.Buchungen[0].Text, "Miete 10.06.2024");
    EXPECT_EQ(d.Buchungen[0].Kennung, "A1010624");
}

TEST_F(RgmAusfuehrungTest, JaNeinAlles) {
    d.RgmBuchungen = {Rgm(11001, "A", "A1", Tag(1, 6, 2024)), Rgm(11002, "B", "B1", Tag(2, 6, 2024)),
                      Rgm(11003, "C", "C1", Tag(3, 6, 2024)), Rgm(11004, "D", "D1", Tag(4, 6, 2024))};
    // Nein leaves A, Ja books B, Alles books C and D without asking again.
    m.antworten = {Antwort::Nein, Antwort::Ja, Antwort::Alle};
    auto erg = Alle();
    EXPECT_EQ(erg.Gebucht, 3);
    EXPECT_EQ(m.Texte(MeldungsArt::Frage),
              (std::vector<std::string>{"Soll rgm. Buchung A vorgenommen werden?", "Soll rgm. Buchung B vorgenommen werden?",
                                        "Soll rgm. Buchung C vorgenommen werden?"}));
    EXPECT_EQ(m.meldungen[0].Tasten, Knoepfe::JaNeinAlles);
    ASSERT_EQ(d.Buchungen.size(), 3u);
    EXPECT_EQ(d.Buchungen[0].Bezeichnung, "B");
    EXPECT_EQ(d.Buchungen[2].IdentNr, 3);
    EXPECT_EQ(aktualisiert, std::vector<int>{1}) << "views refreshed once per run";

    // The next run asks again; closing the box ends the run.
    m.Leeren();
    m.antworten = {Antwort::Abbrechen};
    erg = Alle();
    EXPECT_EQ(erg.Gebucht, 0);
    EXPECT_EQ(Fragen(), 1u);
    EXPECT_EQ(aktualisiert.size(), 1u);
}

TEST_F(RgmAusfuehrungTest, ZweiVorkommenJeEigenerSchluesselUndStornoZaehltAlsGebucht) {
    uhr.heute = Tag(10, 6, 2024);
    d.RgmBuchungen = {Rgm(11001, "Miete", "A1", Tag(1, 1, 2024))};
    const auto zeilen = FaelligeListe(d, d.RgmBuchungen, uhr.heute, 60);
    ASSERT_EQ(zeilen.size(), 2u);
    e.Buchung = false;
    RgmAusfuehren(d, d.RgmBuchungen, {zeilen[1]}, e, m, uhr, anschluss);
    ASSERT_EQ(d.Buchungen.size(), 1u);
    EXPECT_EQ(FaelligeListe(d, d.RgmBuchungen, uhr.heute, 60).size(), 1u);
    RgmAusfuehren(d, d.RgmBuchungen, {zeilen[0]}, e, m, uhr, anschluss);
    ASSERT_EQ(d.Buchungen.size(), 2u);
    EXPECT_NE(d.Buchungen[0].Kennung, d.Buchungen[1].Kennung);

    // Cancelled: still booked. Deleted: due again. Executing a stale row twice books it once.
    buchungstyp storniert = d.Buchungen[0];
    storniert.Storniert = true;
    BuchungErsetzen(d, 0, storniert);
    EXPECT_TRUE(FaelligeListe(d, d.RgmBuchungen, uhr.heute, 60).empty());
    BuchungenEntfernen(d, {0});
    EXPECT_EQ(FaelligeListe(d, d.RgmBuchungen, uhr.heute, 60).size(), 1u);
    RgmAusfuehren(d, d.RgmBuchungen, {zeilen[0], zeilen[1], zeilen[0]}, e, m, uhr, anschluss);
    EXPECT_EQ(d.Buchungen.size(), 2u);
}

TEST_F(RgmAusfuehrungTest, OhneKennungWirdEinVorkommenNurEinmalGebucht) {
    d.RgmBuchungen = {Rgm(11001, "Alt", "", Tag(1, 6, 2024))};
    e.Buchung = false;
    EXPECT_EQ(Alle().Gebucht, 1);
    EXPECT_EQ(d.Buchungen[0].Kennung, "010624");
    EXPECT_TRUE(Faellige().empty());
    EXPECT_EQ(Alle().Gebucht, 0);
}

TEST_F(RgmAusfuehrungTest, ZeileOhneIhrenDatensatzTutNichts) {
    d.RgmBuchungen = {Rgm(11001, "Miete", "A1", Tag(1, 6, 2024))};
    const auto zeilen = Faellige();
    std::vector<buchungstyp> geaendert = {Rgm(11005, "Miete", "B1", Tag(1, 6, 2024), "9,00")};
    e.Buchung = false;
    EXPECT_EQ(RgmAusfuehren(d, geaendert, zeilen, e, m, uhr, anschluss).Gebucht, 0);
    EXPECT_TRUE(d.Buchungen.empty());
    EXPECT_TRUE(m.meldungen.empty());
}

TEST_F(RgmAusfuehrungTest, FehlerMittenImLaufWirdGemeldet) {
    d.RgmBuchungen = {Rgm(11001, "A", "A1", Tag(1, 6, 2024)), Rgm(11002, "B", "B1", Tag(2, 6, 2024))};
    e.Buchung = false;
    // The first booking takes the last number there is; the second finds none left.
    buchungstyp alt = BuchungVorgabe(SatzBuchung, Tag(1, 1, 2024));
    alt.IdentNr = 2147483646;
    BuchungAnhaengen(d, alt);
    const auto erg = Alle();
    EXPECT_EQ(erg.Gebucht, 1);
    EXPECT_TRUE(erg.Fehler);
    ASSERT_EQ(m.Fehlertexte().size(), 1u);
    EXPECT_EQ(m.Fehlertexte()[0],
              "Regelmäßige Buchung \"B\" konnte nicht ausgeführt werden!\rKeine freie Buchungsnummer mehr!"
              "\rDie Ausführung wurde beendet.");
    ASSERT_EQ(d.Buchungen.size(), 2u);
    EXPECT_EQ(d.Buchungen[1].IdentNr, 2147483647);
    EXPECT_EQ(aktualisiert, std::vector<int>{1}) << "what was stored is shown";
}

TEST_F(RgmAusfuehrungTest, NummerDerGetipptenNeuenBuchungWirdUebersprungen) {
    d.RgmBuchungen = {Rgm(11001, "A", "A1", Tag(1, 6, 2024)), Rgm(11002, "B", "B1", Tag(2, 6, 2024))};
    e.Buchung = false;
    int angehaengt = 0;
    anschluss.ReservierteNr = [] { return 1; };
    anschluss.Angehaengt = [&] { ++angehaengt; };
    Alle();
    ASSERT_EQ(d.Buchungen.size(), 2u);
    EXPECT_EQ(d.Buchungen[0].IdentNr, 2);
    EXPECT_EQ(d.Buchungen[1].IdentNr, 3);
    EXPECT_EQ(angehaengt, 2);
}

}  // namespace
