#include "bookings/eingaberegeln.h"

#include <gtest/gtest.h>

#include "store/datum.h"
#include "testhilfen.h"

namespace talerwerk {
namespace {

TEST(BetragEingabe, TypedAmountsUpToSixDigitsAndTwoDecimals) {
    for (const char* gut : {"", "0", "12", "12,", "12,5", "999999,99", ",5", "000001"}) EXPECT_TRUE(BetragEingabeZulaessig(gut)) << gut;
    for (const char* schlecht : {"1000000", "1,234", "-5", "1,2,3", "1.234,56", "12a", "1 2"})
        EXPECT_FALSE(BetragEingabeZulaessig(schlecht)) << schlecht;
}

TEST(BetragAusRechner, RoundsToCentsAndRefusesWhatTheFieldCannotHold) {
    EXPECT_EQ(BetragAusRechner("15,00"), std::optional<std::string>("15,00"));
    EXPECT_EQ(BetragAusRechner("12,345"), std::optional<std::string>("12,35"));
    EXPECT_EQ(BetragAusRechner("0"), std::optional<std::string>("0,00"));
    EXPECT_EQ(BetragAusRechner("-0,00"), std::optional<std::string>("0,00"));
    EXPECT_EQ(BetragAusRechner("999999,99"), std::optional<std::string>("999999,99"));
    EXPECT_FALSE(BetragAusRechner("999999,999"));  // rounds up past the limit
    EXPECT_FALSE(BetragAusRechner("1000000,00"));
    EXPECT_FALSE(BetragAusRechner("-3,00"));
    EXPECT_FALSE(BetragAusRechner("Fehler"));
    EXPECT_FALSE(BetragAusRechner("Überlauf"));
    EXPECT_FALSE(BetragAusRechner(""));
    EXPECT_FALSE(BetragAusRechner("12345678901234567"));
}

TEST(MitVorlage, TakesTemplateValuesKeepsNumberDateAndCancelledFlag) {
    buchungstyp schirm;
    schirm.IdentNr = 7;
    schirm.Datum = *TagesNummer(3, 2, 2026);
    schirm.Storniert = true;
    schirm.Kennung = "K-1";
    schirm.Bezeichnung = "Miete";
    schirm.Text = "alt";
    buchungstyp v;
    v.IdentNr = 10001;
    v.Datum = *TagesNummer(1, 1, 2020);
    v.Satzart = SatzVorlage;
    v.Belegnr = "B1";
    v.Betrag = "9,99";
    v.Bemerkung = "Notiz";
    v.Konto1 = 3;
    v.Konto2 = 4;
    v.BArt = BArtUmbuchung;
    v.Text = "Umbuchung #M #J";
    kontotyp m;
    m.Abk = "#M";
    m.Text1 = "[aktueller Monat]";
    kontotyp j;
    j.Abk = "#J";
    j.Text1 = "[aktuelles Jahr]";
    test::FesteUhr uhr(*TagesNummer(20, 6, 2026));

    const buchungstyp b = MitVorlage(schirm, v, {m, j}, uhr);
    EXPECT_EQ(b.IdentNr, 7);
    EXPECT_EQ(b.Datum, schirm.Datum);
    EXPECT_TRUE(b.Storniert);
    EXPECT_EQ(b.Satzart, SatzBuchung);
    EXPECT_EQ(b.Belegnr, "B1");
    EXPECT_EQ(b.Betrag, "9,99");
    EXPECT_EQ(b.Bemerkung, "Notiz");
    EXPECT_EQ(b.Konto1, 3);
    EXPECT_EQ(b.Konto2, 4);
    EXPECT_EQ(b.BArt, BArtUmbuchung);
    EXPECT_EQ(b.Text, "Umbuchung Juni 2026");
    EXPECT_EQ(b.Kennung, "");
    EXPECT_EQ(b.Bezeichnung, "");
}

TEST(GeheZuSuchen, ByNumberOrVoucherNumber) {
    Datenbestand d;
    for (int i = 1; i <= 3; ++i) {
        buchungstyp b;
        b.IdentNr = i * 10;
        b.Belegnr = i == 1 ? "A" : "R-17";
        d.Buchungen.push_back(b);
    }
    EXPECT_EQ(GeheZuSuchen(d, true, "20"), 1);
    EXPECT_EQ(GeheZuSuchen(d, true, "0020"), 1);
    EXPECT_EQ(GeheZuSuchen(d, true, "21"), -1);
    EXPECT_EQ(GeheZuSuchen(d, true, ""), -1);
    EXPECT_EQ(GeheZuSuchen(d, true, "2x"), -1);
    EXPECT_EQ(GeheZuSuchen(d, true, "99999999999999"), -1);  // no overflow into a valid number
    EXPECT_EQ(GeheZuSuchen(d, false, "R-17"), 1);  // the first of equal voucher numbers
    EXPECT_EQ(GeheZuSuchen(d, false, "r-17"), -1);
}

}  // namespace
}  // namespace talerwerk
