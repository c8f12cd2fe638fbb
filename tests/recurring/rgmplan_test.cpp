#include "recurring/rgmplan.h"

#include <gtest/gtest.h>

#include "recurring/rgmtestbuch.h"
#include "store/datum.h"

using namespace talerwerk;
using talerwerk::test::Rgm;
using talerwerk::test::Tag;

namespace {

std::vector<int32_t> Daten(const std::vector<FaelligeZeile>& zeilen) {
    std::vector<int32_t> t;
    for (const auto& z : zeilen) t.push_back(z.Faellig);
    return t;
}

std::vector<std::string> Spalte(const std::vector<FaelligeZeile>& zeilen, int spalte) {
    std::vector<std::string> t;
    for (const auto& z : zeilen) t.push_back(z.Zellen[static_cast<size_t>(spalte)]);
    return t;
}

class RgmPlanTest : public ::testing::Test {
protected:
    Datenbestand d;
    void SetUp() override { test::RgmBuchAnlegen(d); }

    void Gebucht(const std::string& kennung, bool storniert = false) {
        buchungstyp b = BuchungVorgabe(SatzBuchung, Tag(1, 1, 2024));
        b.IdentNr = static_cast<int32_t>(d.Buchungen.size()) + 1;
        b.Kennung = kennung;
        b.Storniert = storniert;
        BuchungAnhaengen(d, b);
    }
};

TEST(RgmVorkommen, AnkertagUeberlebtKurzeMonate) {
    const int32_t erst = Tag(31, 1, 2024);
    EXPECT_EQ(Vorkommen(erst, 0), Tag(31, 1, 2024));
    EXPECT_EQ(Vorkommen(erst, 1), Tag(29, 2, 2024));  // leap year
    EXPECT_EQ(Vorkommen(erst, 2), Tag(31, 3, 2024));
    EXPECT_EQ(Vorkommen(erst, 3), Tag(30, 4, 2024));
    EXPECT_EQ(Vorkommen(erst, 4), Tag(31, 5, 2024));
    EXPECT_EQ(Vorkommen(erst, 13), Tag(28, 2, 2025));
    EXPECT_EQ(Vorkommen(erst, 11), Tag(31, 12, 2024));
    EXPECT_EQ(Vorkommen(erst, 12), Tag(31, 1, 2025));  // past December into the next year
    EXPECT_EQ(Vorkommen(Tag(29, 2, 2000), 12), Tag(28, 2, 2001));
    EXPECT_EQ(Vorkommen(0, 3), 0);
}

TEST(RgmVorkommen, SchluesselIstKennungUndTagMonatJahr) {
    EXPECT_EQ(RgmSchluessel("A12", Tag(5, 3, 2024)), "A12050324");
    EXPECT_EQ(RgmSchluessel("z0", Tag(31, 12, 1999)), "z0311299");
}

TEST_F(RgmPlanTest, MonatsendeImFebruarUndNurGesetzteMonate) {
    d.RgmBuchungen = {Rgm(11001, "Miete", "A1", Tag(31, 1, 2024))};
    auto zeilen = FaelligeListe(d, d.RgmBuchungen, Tag(1, 3, 2024), 60);
    EXPECT_EQ(Daten(zeilen), (std::vector<int32_t>{Tag(31, 1, 2024), Tag(29, 2, 2024)}));

    // February switched off: only January is left.
    d.RgmBuchungen[0].Monate[1] = false;
    zeilen = FaelligeListe(d, d.RgmBuchungen, Tag(1, 3, 2024), 60);
    EXPECT_EQ(Daten(zeilen), std::vector<int32_t>{Tag(31, 1, 2024)});

    // 15 March with only March flagged: once a year.
    d.RgmBuchungen = {Rgm(11001, "Jahr", "A1", Tag(15, 3, 2020), "5,00", "..x.........")};
    EXPECT_EQ(Daten(FaelligeListe(d, d.RgmBuchungen, Tag(20, 3, 2024), 364)), std::vector<int32_t>{Tag(15, 3, 2024)});
    EXPECT_TRUE(FaelligeListe(d, d.RgmBuchungen, Tag(14, 3, 2024), 364).empty());
    // On 14.03.2024, 15.03.2023 lies 365 days back: a window above 364 days is held at 364.
    EXPECT_TRUE(FaelligeListe(d, d.RgmBuchungen, Tag(14, 3, 2024), 364 + 100).empty());
    EXPECT_EQ(FaelligeListe(d, d.RgmBuchungen, Tag(13, 3, 2024), 364 + 100).size(), 1u);
    EXPECT_EQ(FaelligeListe(d, d.RgmBuchungen, Tag(15, 3, 2023), 0).size(), 1u) << "a window of 0 is 1 day";
}

TEST_F(RgmPlanTest, FensterraenderUndErstesDatumInDerZukunft) {
    const int32_t heute = Tag(10, 6, 2024);
    d.RgmBuchungen = {Rgm(11001, "A", "A1", heute - 28, "1,00", "xxxxxxxxxxxx"),
                      Rgm(11002, "B", "B1", heute - 29, "1,00", "xxxxxxxxxxxx"),
                      Rgm(11003, "C", "C1", heute, "1,00"), Rgm(11004, "D", "D1", heute + 1, "1,00")};
    const auto zeilen = FaelligeListe(d, d.RgmBuchungen, heute, 28);
    // 28 days back is inside, 29 outside; today is inside; tomorrow never, whatever the window.
    EXPECT_EQ(Spalte(zeilen, FaelligSpalteName), (std::vector<std::string>{"A", "C"}));
    EXPECT_TRUE(FaelligeListe(d, {Rgm(11004, "D", "D1", heute + 1)}, heute, 364).empty());
    EXPECT_EQ(LetztesFaelligkeitsdatum(heute, 28), heute - 28);
    // The window counts back across a year end.
    d.RgmBuchungen = {Rgm(11001, "A", "A1", Tag(20, 12, 2023))};
    EXPECT_EQ(Daten(FaelligeListe(d, d.RgmBuchungen, Tag(5, 1, 2024), 28)),
              (std::vector<int32_t>{Tag(20, 12, 2023)}));
}

TEST_F(RgmPlanTest, GebuchteVorkommenFallenWegAuchStornierte) {
    const int32_t heute = Tag(10, 6, 2024);
    d.RgmBuchungen = {Rgm(11001, "Miete", "A1", Tag(1, 1, 2020)), Rgm(11002, "Strom", "A10", Tag(1, 1, 2020))};
    EXPECT_EQ(FaelligeListe(d, d.RgmBuchungen, heute, 60).size(), 4u);
    Gebucht("A1010524", true);  // cancelled still counts
    Gebucht("A10010624");
    const auto zeilen = FaelligeListe(d, d.RgmBuchungen, heute, 60);
    ASSERT_EQ(zeilen.size(), 2u);
    EXPECT_EQ(zeilen[0].Zellen[0], "Miete");
    EXPECT_EQ(zeilen[0].Faellig, Tag(1, 6, 2024));
    EXPECT_EQ(zeilen[1].Zellen[0], "Strom");
    EXPECT_EQ(zeilen[1].Faellig, Tag(1, 5, 2024));
    // A key that only starts like another's is not that key.
    Gebucht("A1010624x");
    EXPECT_EQ(FaelligeListe(d, d.RgmBuchungen, heute, 60).size(), 2u);
}

TEST_F(RgmPlanTest, ZeileTraegtIhrenEigenenDatensatzAuchBeiGleichemNamen) {
    const int32_t heute = Tag(10, 6, 2024);
    d.RgmBuchungen = {Rgm(11001, "Miete", "A1", Tag(1, 6, 2024), "700,00"),
                      Rgm(11002, "Miete", "B1", Tag(2, 6, 2024), "800,00")};
    const auto zeilen = FaelligeListe(d, d.RgmBuchungen, heute, 28);
    ASSERT_EQ(zeilen.size(), 2u);
    for (const auto& z : zeilen) {
        const buchungstyp& r = d.RgmBuchungen[z.Eintrag];
        EXPECT_EQ(r.IdentNr, z.IdentNr);
        EXPECT_EQ(r.Betrag, z.Zellen[FaelligSpalteBetrag]);
        EXPECT_EQ(r.Datum, z.Faellig);
    }
    EXPECT_EQ(zeilen[0].Zellen[FaelligSpalteKonto1], "Girokonto");
    EXPECT_EQ(zeilen[0].Zellen[FaelligSpalteKonto2], "Miete");
    EXPECT_EQ(zeilen[0].Zellen[FaelligSpalteDatum], "01.06.24");
}

TEST_F(RgmPlanTest, SortierungBetragNachWertNamenOhneGrossKlein) {
    const int32_t heute = Tag(10, 6, 2024);
    d.RgmBuchungen = {Rgm(11001, "beta", "A1", Tag(3, 6, 2024), "100,00"),
                      Rgm(11002, "Alpha", "B1", Tag(1, 6, 2024), "20,00"),
                      Rgm(11003, "Gamma", "C1", Tag(2, 6, 2024), "-5,00"),
                      Rgm(11004, "alpha", "D1", Tag(4, 6, 2024), "20,00")};
    auto zeilen = FaelligeListe(d, d.RgmBuchungen, heute, 28);
    // New rows by name, a…z as capitals, equal keys keep their order.
    EXPECT_EQ(Spalte(zeilen, 0), (std::vector<std::string>{"Alpha", "alpha", "beta", "Gamma"}));
    FaelligeSortieren(zeilen, FaelligSpalteBetrag);
    EXPECT_EQ(Spalte(zeilen, 1), (std::vector<std::string>{"-5,00", "20,00", "20,00", "100,00"}));
    FaelligeSortieren(zeilen, FaelligSpalteDatum);
    EXPECT_EQ(Spalte(zeilen, 0), (std::vector<std::string>{"Alpha", "Gamma", "beta", "alpha"}));
}

}  // namespace
