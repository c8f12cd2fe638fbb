#include "evaluation/monatssummen.h"

#include <gtest/gtest.h>

#include "evaluation/testbuch.h"
#include "evaluation/zeitraeume.h"

#include <random>

namespace talerwerk {
namespace {

using test::Tag;

// Selection codes to try: the groups, single accounts, a number used twice, a number only bookings
// name, a category and a number nobody uses.
const int32_t kAuswahlen[] = {AuswahlAlleKonten, AuswahlBestandskonten, AuswahlSparkonten, 1, 2, 3, 4, 77, 20, 0, 4242};

struct Monat {
    int32_t monat, jahr;
};

std::vector<Monat> Monate() {
    std::vector<Monat> m;
    for (int32_t jahr = 1994; jahr <= 2008; ++jahr)
        for (int32_t monat = 1; monat <= 12; monat += (jahr % 3 == 0 ? 1 : 5)) m.push_back({monat, jahr});
    m.push_back({6, 1850});
    m.push_back({5, 1850});
    m.push_back({3, 2090});
    m.push_back({12, 9999});
    m.push_back({0, -1});   // whole span
    m.push_back({0, 2000}); // cannot be formed
    m.push_back({13, 2000});
    return m;
}

class SchnellGleichEinfach : public ::testing::TestWithParam<uint32_t> {};

TEST_P(SchnellGleichEinfach, MonatsendStandUndKontoVeraenderung) {
    const Datenbestand d = test::ZufallsBuch(GetParam(), 1500);
    const Monatssummen schnell(d);
    for (int32_t auswahl : kAuswahlen)
        for (const Monat& m : Monate())
            ASSERT_EQ(schnell.MonatsendStand(auswahl, m.monat, m.jahr), MonatsendStand(d, auswahl, m.monat, m.jahr))
                << "Auswahl " << auswahl << " Monat " << m.monat << "/" << m.jahr;
    for (int32_t konto : {1, 2, 3, 4, 77, 21, 5})
        for (int32_t jahr : {1850, 1995, 1999, 2003, 2090, -1, 0})
            for (auto [von, bis] : {std::pair{1, 12}, {3, 3}, {2, 7}, {8, 2}, {0, 5}, {4, 13}})
                ASSERT_EQ(schnell.KontoVeraenderung(konto, von, bis, jahr), KontoVeraenderung(d, konto, von, bis, jahr))
                    << "Konto " << konto << " " << von << "-" << bis << "/" << jahr;
}

TEST_P(SchnellGleichEinfach, PeriodenSummeInAllenModi) {
    const Datenbestand d = test::ZufallsBuch(GetParam(), 1500);
    const Monatssummen schnell(d);
    struct Spanne {
        int32_t vm, vj, bm, bj;
    };
    const Spanne spannen[] = {{1, 1995, 12, 1995}, {3, 1996, 3, 1996}, {11, 1995, 2, 1997}, {1, 1990, 12, 2010},
                              {0, 0, 0, -1},       {6, 1850, 6, 1850}, {1, 2000, 12, 1999}, {0, 1999, 6, 1999},
                              {1, 1999, 13, 1999}, {1, 2090, 12, 2090}};
    const SummenModus modi[] = {SummenModus::Einnahmen, SummenModus::Ausgaben, SummenModus::UmbuchungenAb,
                                SummenModus::UmbuchungenAn, SummenModus::Saldo};
    for (int32_t auswahl : kAuswahlen) {
        for (const Spanne& s : spannen) {
            for (SummenModus modus : modi)
                ASSERT_EQ(schnell.PeriodenSumme(auswahl, 0, modus, s.vm, s.vj, s.bm, s.bj),
                          PeriodenSumme(d, auswahl, 0, modus, s.vm, s.vj, s.bm, s.bj))
                    << "Auswahl " << auswahl << " Modus " << static_cast<int>(modus);
            for (int32_t rubrik : {10, 20, 21, 22, 30, 40, 41, 50, 99, 0, 1})
                ASSERT_EQ(schnell.PeriodenSumme(auswahl, rubrik, SummenModus::Rubrik, s.vm, s.vj, s.bm, s.bj),
                          PeriodenSumme(d, auswahl, rubrik, SummenModus::Rubrik, s.vm, s.vj, s.bm, s.bj))
                    << "Auswahl " << auswahl << " Rubrik " << rubrik << " " << s.vm << "/" << s.vj << "-" << s.bm
                    << "/" << s.bj;
        }
    }
}

TEST_P(SchnellGleichEinfach, StaendeGleichStandAmEndeDesGesamtenZeitraums) {
    Datenbestand d = test::ZufallsBuch(GetParam(), 1500);
    StaendeBerechnen(d);
    Cent anfang = 0, ende = 0;
    for (size_t i = 0; i < d.Konten.size(); ++i) {
        const kontotyp& k = d.Konten[i];
        if (k.Art == ArtEinnahme || k.Art == ArtAusgabe) {
            EXPECT_EQ(k.Stand, k.AnfStand) << k.Name;  // categories have no balance of their own
            continue;
        }
        anfang += k.AnfStand;
        ende += k.Stand;
        if (k.Nr == 2 && k.Art == ArtSparkonto) {
            EXPECT_EQ(k.Stand, k.AnfStand);  // second entry of a number: never booked on
            continue;
        }
        // both entries of number 2 open with 0, so the selection's balance is the first one's
        EXPECT_EQ(k.Stand, MonatsendStand(d, k.Nr, 0, -1)) << k.Name;
    }
    EXPECT_EQ(ende, MonatsendStand(d, AuswahlAlleKonten, 0, -1));
    EXPECT_NE(ende, anfang);  // the book does move money
}

INSTANTIATE_TEST_SUITE_P(Zufallsbuecher, SchnellGleichEinfach, ::testing::Values(1u, 2u, 3u, 17u));

TEST(Monatssummen, RubrikJeMonatUeberDieMonatsliste) {
    // The way the category-by-period table asks: every leaf category, every month of the list.
    Datenbestand d = test::ZufallsBuch(99, 800);
    const int32_t heute = Tag(1, 1, 2008);
    std::vector<size_t> spaeter;
    for (size_t i = 0; i < d.Buchungen.size(); ++i)
        if (d.Buchungen.Datum(i) > Tag(1, 1, 2010)) spaeter.push_back(i);
    d.Buchungen.Entfernen(spaeter);
    const Monatssummen schnell(d);
    const auto monate = MonatsListe(d, 1996, heute);
    ASSERT_EQ(monate.size(), 12u);
    for (int32_t rubrik : {10, 20, 21, 30, 41})
        for (const MonatsDatenTyp& m : monate) {
            const Periode p = PeriodeAus(m);
            EXPECT_EQ(schnell.PeriodenSumme(AuswahlAlleKonten, rubrik, SummenModus::Rubrik, p),
                      PeriodenSumme(d, AuswahlAlleKonten, rubrik, SummenModus::Rubrik, p));
            EXPECT_EQ(schnell.StandVorPeriode(1, p), StandVorPeriode(d, 1, p));
            EXPECT_EQ(schnell.StandEndePeriode(AuswahlSparkonten, p), StandEndePeriode(d, AuswahlSparkonten, p));
        }
}

TEST(Monatssummen, LeeresBuchGibtAnfangsstaende) {
    const Datenbestand d = test::KleinesBuch();
    const Monatssummen schnell(d);
    EXPECT_EQ(schnell.MonatsendStand(AuswahlAlleKonten, 5, 2024), 150000);
    EXPECT_EQ(schnell.MonatsendStand(AuswahlAlleKonten, 0, -1), 150000);
    EXPECT_EQ(schnell.PeriodenSumme(AuswahlAlleKonten, 20, SummenModus::Rubrik, 0, 0, 0, -1), 0);
    EXPECT_EQ(schnell.KontoVeraenderung(1, 1, 12, 2024), 0);
}

// The shared month sums follow every change of the bookings: a booking in a month that has a
// column is taken in without a rebuild, and the answers stay those of the plain scans.
TEST(GemeinsameMonatssummen, FolgenJederAenderungOhneNeuaufbau) {
    Datenbestand d = test::ZufallsBuch(31, 600);
    test::Durchnummerieren(d);
    std::mt19937 zufall(31);
    const auto summen = GemeinsameMonatssummen(d);
    const Periode jahr{1, 1997, 12, 1997, false};
    for (int schritt = 0; schritt < 120; ++schritt) {
        test::ZufaelligAendern(d, zufall);
        ASSERT_EQ(GemeinsameMonatssummen(d), summen) << "one shared object while the chart stays";
        for (int32_t auswahl : {AuswahlAlleKonten, AuswahlSparkonten, 1, 77}) {
            ASSERT_EQ(summen->MonatsendStand(auswahl, 6, 1998), MonatsendStand(d, auswahl, 6, 1998)) << schritt;
            ASSERT_EQ(summen->StandEndePeriode(auswahl, Periode{}), StandEndePeriode(d, auswahl, Periode{}));
            ASSERT_EQ(summen->PeriodenSumme(auswahl, 20, SummenModus::Rubrik, jahr),
                      PeriodenSumme(d, auswahl, 20, SummenModus::Rubrik, jahr));
            ASSERT_EQ(summen->PeriodenSumme(auswahl, 0, SummenModus::UmbuchungenAn, Periode{}),
                      PeriodenSumme(d, auswahl, 0, SummenModus::UmbuchungenAn, Periode{}));
        }
        ASSERT_EQ(summen->KontoVeraenderung(3, 1, 12, 1996), KontoVeraenderung(d, 3, 1, 12, 1996));
    }
    // Only bookings in months nobody had booked in (one in twenty of the new ones) rebuild.
    EXPECT_LT(summen->Aufbauten(), 20);
}

TEST(GemeinsameMonatssummen, NeuNachAenderungDesKontenplans) {
    Datenbestand d = test::ZufallsBuch(32, 200);
    const auto vorher = GemeinsameMonatssummen(d);
    EXPECT_EQ(GemeinsameMonatssummen(d), vorher);
    d.Konten.push_back(test::Konto(23, ArtAusgabe, "Obst", 21));
    d.Konten[5].AnfStand += 100;  // Girokonto
    const auto nachher = GemeinsameMonatssummen(d);
    EXPECT_NE(nachher, vorher);
    EXPECT_EQ(nachher->MonatsendStand(1, 0, -1), MonatsendStand(d, 1, 0, -1));
    EXPECT_EQ(nachher->PeriodenSumme(AuswahlAlleKonten, 21, SummenModus::Rubrik, Periode{}),
              PeriodenSumme(d, AuswahlAlleKonten, 21, SummenModus::Rubrik, Periode{}));
}

}  // namespace
}  // namespace talerwerk
