#include "evaluation/auswertung.h"

#include <gtest/gtest.h>

#include "evaluation/testbuch.h"
#include "store/betrag.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Konto;
using test::Tag;

Cent StandVon(const Datenbestand& d, int32_t nr) {
    for (const kontotyp& k : d.Konten)
        if (k.Nr == nr) return k.Stand;
    ADD_FAILURE() << "kein Konto " << nr;
    return 0;
}

TEST(StaendeBerechnen, OhneBuchungenGiltDerAnfangsstand) {
    Datenbestand d = test::KleinesBuch();
    for (auto& k : d.Konten) k.Stand = 4711;
    StaendeBerechnen(d);
    for (const auto& k : d.Konten) EXPECT_EQ(k.Stand, k.AnfStand) << k.Name;
}

TEST(StaendeBerechnen, MeldetStaendeJenseitsDerDateigrenze) {
    Datenbestand d = test::KleinesBuch();  // Girokonto 1 opens with 500,00
    d.Buchungen = {Buchung(Tag(1, 1, 2024), BArtEinnahme, GroessterStandCent - 50000, 1, 10)};
    EXPECT_TRUE(StaendeBerechnen(d));
    EXPECT_EQ(StandVon(d, 1), GroessterStandCent);

    // One cent more, in either direction: reported, and the balance is held at the limit.
    d.Buchungen.push_back(Buchung(Tag(2, 1, 2024), BArtEinnahme, 1, 1, 10));
    EXPECT_FALSE(StaendeBerechnen(d));
    EXPECT_EQ(StandVon(d, 1), GroessterStandCent);
    EXPECT_EQ(StandVon(d, 3), 100000);  // the other accounts as always
    d.Buchungen = {Buchung(Tag(1, 1, 2024), BArtUmbuchung, GroessterStandCent + 50001, 1, 3)};
    EXPECT_FALSE(StaendeBerechnen(d));
    EXPECT_EQ(StandVon(d, 1), -GroessterStandCent);
    EXPECT_EQ(StandVon(d, 3), GroessterStandCent);

    // A large intermediate sum that ends within the range is fine.
    d.Buchungen = {Buchung(Tag(1, 1, 2024), BArtEinnahme, GroessterStandCent, 2, 10),
                   Buchung(Tag(2, 1, 2024), BArtAusgabe, GroessterStandCent, 2, 20)};
    EXPECT_TRUE(StaendeBerechnen(d));
    EXPECT_EQ(StandVon(d, 2), 0);
}

TEST(StaendeBerechnen, SummenJenseits64BitLaufenNichtUeber) {
    // Amount texts of a crafted file are as large as BetragCent reads (about 9·10^16 cents); a
    // hundred and more of them leave 64 bits. Under the sanitizers a wrapped sum would stop here.
    Datenbestand d = test::KleinesBuch();
    buchungstyp gross = Buchung(Tag(1, 1, 2024), BArtEinnahme, 0, 1, 10);
    gross.Betrag = "900000000000009,99";
    ASSERT_GT(BetragCent(gross.Betrag), INT64_MAX / 200);
    d.Buchungen.assign(300, gross);
    gross.BArt = BArtAusgabe;
    gross.Konto1 = 2;
    for (int i = 0; i < 300; ++i) d.Buchungen.push_back(gross);
    EXPECT_FALSE(StaendeBerechnen(d));
    EXPECT_EQ(StandVon(d, 1), GroessterStandCent);
    EXPECT_EQ(StandVon(d, 2), -GroessterStandCent);

    // Coming back after the overflow does not make the result right: still reported.
    gross.BArt = BArtAusgabe;
    gross.Konto1 = 1;
    for (int i = 0; i < 300; ++i) d.Buchungen.push_back(gross);
    EXPECT_FALSE(StaendeBerechnen(d));
}

TEST(StaendeBerechnen, WirkungJeBuchungsart) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen = {
        Buchung(Tag(1, 1, 2024), BArtEinnahme, 250000, 1, 10),
        Buchung(Tag(2, 1, 2024), BArtAusgabe, 3050, 1, 21),
        Buchung(Tag(3, 1, 2024), BArtUmbuchung, 10000, 1, 3),
        Buchung(Tag(4, 1, 2024), BArtAusgabe, 3000, 2, 22, /*storniert=*/true),
        Buchung(Tag(5, 1, 2024), BArtAusgabe, 99, 555, 22),  // account without chart entry
    };
    d.Buchungen.push_back(Buchung(Tag(6, 1, 2024), 9, 500, 2, 22));  // unknown kind: no effect
    StaendeBerechnen(d);
    EXPECT_EQ(StandVon(d, 1), 50000 + 250000 - 3050 - 10000);
    EXPECT_EQ(StandVon(d, 2), 0);
    EXPECT_EQ(StandVon(d, 3), 100000 + 10000);
    EXPECT_EQ(StandVon(d, 10), 0);  // categories keep their opening balance
    EXPECT_EQ(StandVon(d, 21), 0);
}

TEST(Nachschlagen, ArtOberNrUndUnterrubriken) {
    Datenbestand d = test::KleinesBuch();
    EXPECT_TRUE(KontoHatArt(d, 3, ArtSparkonto));
    EXPECT_FALSE(KontoHatArt(d, 3, ArtBestandskonto));
    EXPECT_FALSE(KontoHatArt(d, 99, ArtSparkonto));
    EXPECT_EQ(OberNrVon(d, 21), 20);
    EXPECT_EQ(OberNrVon(d, 20), 0);
    EXPECT_EQ(OberNrVon(d, 99), 0);
    EXPECT_TRUE(HatUnterrubriken(d, 20));
    EXPECT_FALSE(HatUnterrubriken(d, 30));
    EXPECT_TRUE(GehoertZuAuswahl(d, AuswahlAlleKonten, 3));
    EXPECT_FALSE(GehoertZuAuswahl(d, AuswahlAlleKonten, 10));
    EXPECT_TRUE(GehoertZuAuswahl(d, AuswahlBestandskonten, 2));
    EXPECT_FALSE(GehoertZuAuswahl(d, AuswahlSparkonten, 2));
    EXPECT_TRUE(GehoertZuAuswahl(d, 2, 2));
    EXPECT_FALSE(GehoertZuAuswahl(d, 2, 1));
}

// A transfer of 100,00 from a Bestandskonto to a Sparkonto in March 2024.
class Umbuchung : public ::testing::Test {
protected:
    void SetUp() override {
        d = test::KleinesBuch();
        d.Buchungen = {Buchung(Tag(15, 3, 2024), BArtUmbuchung, 10000, 1, 3)};
    }
    Datenbestand d;
};

TEST_F(Umbuchung, MonatsendStandJeGruppe) {
    EXPECT_EQ(MonatsendStand(d, AuswahlAlleKonten, 2, 2024), 150000);
    EXPECT_EQ(MonatsendStand(d, AuswahlAlleKonten, 3, 2024), 150000);
    EXPECT_EQ(MonatsendStand(d, AuswahlBestandskonten, 2, 2024), 50000);
    EXPECT_EQ(MonatsendStand(d, AuswahlBestandskonten, 3, 2024), 40000);
    EXPECT_EQ(MonatsendStand(d, AuswahlSparkonten, 3, 2024), 110000);
    EXPECT_EQ(MonatsendStand(d, 1, 3, 2024), 40000);
    EXPECT_EQ(MonatsendStand(d, 3, 0, -1), 110000);  // whole span
}

TEST_F(Umbuchung, PeriodenSummeAbUndAn) {
    auto summe = [&](int32_t auswahl, SummenModus modus) {
        return PeriodenSumme(d, auswahl, 0, modus, 1, 2024, 12, 2024);
    };
    EXPECT_EQ(summe(AuswahlBestandskonten, SummenModus::UmbuchungenAb), -10000);
    EXPECT_EQ(summe(AuswahlBestandskonten, SummenModus::UmbuchungenAn), 0);
    EXPECT_EQ(summe(AuswahlSparkonten, SummenModus::UmbuchungenAn), 10000);
    // within one selection both sides count
    EXPECT_EQ(summe(AuswahlAlleKonten, SummenModus::UmbuchungenAb), -10000);
    EXPECT_EQ(summe(AuswahlAlleKonten, SummenModus::UmbuchungenAn), 10000);
    // transfers are neither income nor expense
    EXPECT_EQ(summe(AuswahlAlleKonten, SummenModus::Saldo), 0);
    EXPECT_EQ(PeriodenSumme(d, AuswahlAlleKonten, 3, SummenModus::Rubrik, 1, 2024, 12, 2024), 0);
}

TEST(MonatsendStand, GrenzeIstDerLetzteTagDesMonats) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen = {
        Buchung(Tag(29, 2, 2024), BArtEinnahme, 100, 1, 10),
        Buchung(Tag(1, 3, 2024), BArtEinnahme, 200, 1, 10),
        Buchung(Tag(31, 3, 2024), BArtAusgabe, 50, 1, 21, /*storniert=*/true),
    };
    EXPECT_EQ(MonatsendStand(d, 1, 1, 2024), 50000);
    EXPECT_EQ(MonatsendStand(d, 1, 2, 2024), 50100);
    EXPECT_EQ(MonatsendStand(d, 1, 3, 2024), 50300);
    EXPECT_EQ(MonatsendStand(d, 1, 0, -1), 50300);
    // no month can be formed: only the opening balances remain
    EXPECT_EQ(MonatsendStand(d, 1, 0, 2024), 50000);
    EXPECT_EQ(MonatsendStand(d, AuswahlAlleKonten, -1, 0), 150000);
    EXPECT_EQ(MonatsendStand(d, 4242, 3, 2024), 0);  // unknown account
}

TEST(KontoVeraenderung, NurDieMonateDesJahresOhneAnfangsstand) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen = {
        Buchung(Tag(31, 12, 2023), BArtEinnahme, 1, 1, 10),
        Buchung(Tag(1, 1, 2024), BArtEinnahme, 20, 1, 10),
        Buchung(Tag(30, 4, 2024), BArtUmbuchung, 300, 3, 1),
        Buchung(Tag(1, 5, 2024), BArtAusgabe, 4000, 1, 30),
    };
    EXPECT_EQ(KontoVeraenderung(d, 1, 1, 4, 2024), 320);
    EXPECT_EQ(KontoVeraenderung(d, 1, 1, 12, 2024), 320 - 4000);
    EXPECT_EQ(KontoVeraenderung(d, 3, 4, 4, 2024), -300);
    EXPECT_EQ(KontoVeraenderung(d, 1, 12, 12, 2023), 1);
    EXPECT_EQ(KontoVeraenderung(d, 1, 5, 4, 2024), 0);  // empty span
}

TEST(PeriodenSumme, RubrikZaehltKategorieUndUnterrubriken) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen = {
        Buchung(Tag(3, 5, 2024), BArtAusgabe, 1000, 1, 20),   // on the category itself
        Buchung(Tag(4, 5, 2024), BArtAusgabe, 200, 1, 21),
        Buchung(Tag(5, 5, 2024), BArtAusgabe, 30, 2, 22),
        Buchung(Tag(6, 5, 2024), BArtEinnahme, 4, 2, 21),     // refund adds
        Buchung(Tag(7, 5, 2024), BArtAusgabe, 50000, 1, 30),
        Buchung(Tag(8, 5, 2024), BArtAusgabe, 7, 3, 21),      // Sparkonto, outside Bestandskonten
        Buchung(Tag(9, 5, 2024), BArtAusgabe, 900, 1, 21, true),
        Buchung(Tag(1, 6, 2024), BArtAusgabe, 8000, 1, 21),   // next month
    };
    auto rubrik = [&](int32_t auswahl, int32_t r, int32_t bis) {
        return PeriodenSumme(d, auswahl, r, SummenModus::Rubrik, 5, 2024, bis, 2024);
    };
    EXPECT_EQ(rubrik(AuswahlAlleKonten, 20, 5), -1000 - 200 - 30 + 4 - 7);
    EXPECT_EQ(rubrik(AuswahlBestandskonten, 20, 5), -1000 - 200 - 30 + 4);
    EXPECT_EQ(rubrik(AuswahlBestandskonten, 21, 5), -200 + 4);
    EXPECT_EQ(rubrik(2, 22, 5), -30);
    EXPECT_EQ(rubrik(AuswahlAlleKonten, 21, 6), -200 + 4 - 7 - 8000);
    EXPECT_EQ(PeriodenSumme(d, AuswahlAlleKonten, 21, SummenModus::Rubrik, 0, 0, 0, -1), -200 + 4 - 7 - 8000);

    auto modus = [&](SummenModus m) { return PeriodenSumme(d, AuswahlBestandskonten, 0, m, 5, 2024, 5, 2024); };
    EXPECT_EQ(modus(SummenModus::Einnahmen), 4);
    EXPECT_EQ(modus(SummenModus::Ausgaben), -1000 - 200 - 30 - 50000);
    EXPECT_EQ(modus(SummenModus::Saldo), 4 - 1000 - 200 - 30 - 50000);
    // a period whose end cannot be formed holds nothing
    EXPECT_EQ(PeriodenSumme(d, AuswahlAlleKonten, 0, SummenModus::Ausgaben, 5, 2024, 13, 2024), 0);
}

TEST(Periode, AusPeriodeneintragUndStandDavor) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen = {
        Buchung(Tag(31, 1, 2024), BArtEinnahme, 100, 1, 10),
        Buchung(Tag(1, 2, 2024), BArtEinnahme, 200, 1, 10),
        Buchung(Tag(1, 1, 2025), BArtEinnahme, 400, 1, 10),
    };
    const Periode gesamt = PeriodeAus(MonatsDatenTyp{0, "Gesamter Zeitraum", 0, 0, 0, 0, 0, true});
    EXPECT_TRUE(gesamt.Gesamt);
    EXPECT_EQ(StandVorPeriode(d, 1, gesamt), 50000);
    EXPECT_EQ(StandEndePeriode(d, 1, gesamt), 50700);
    EXPECT_EQ(PeriodenSumme(d, 1, 0, SummenModus::Einnahmen, gesamt), 700);

    const Periode februar = PeriodeAus(MonatsDatenTyp{3, "Februar 2024", 1, 2, 2, 2024, 0, true});
    EXPECT_FALSE(februar.Gesamt);
    EXPECT_EQ(StandVorPeriode(d, 1, februar), 50100);
    EXPECT_EQ(StandEndePeriode(d, 1, februar), 50300);
    EXPECT_EQ(PeriodenSumme(d, 1, 0, SummenModus::Einnahmen, februar), 200);

    const Periode jahr2025 = PeriodeAus(MonatsDatenTyp{1, "Jahr 2025", 0, 1, 12, 2025, 0, true});
    EXPECT_EQ(StandVorPeriode(d, 1, jahr2025), 50300);  // December of the year before
    EXPECT_EQ(StandEndePeriode(d, 1, jahr2025), 50700);
}

}  // namespace
}  // namespace talerwerk
