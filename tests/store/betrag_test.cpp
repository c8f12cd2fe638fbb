#include <gtest/gtest.h>

#include "store/betrag.h"

using namespace talerwerk;

TEST(Betrag, BetragTextRundetAufCent) {
    EXPECT_EQ(BetragText(""), "0,00");
    EXPECT_EQ(BetragText("0"), "0,00");
    EXPECT_EQ(BetragText("0.005"), "0,01");
    EXPECT_EQ(BetragText("12.5"), "12,50");
    EXPECT_EQ(BetragText("0.05"), "0,05");
    EXPECT_EQ(BetragText("12,5"), "12,50");
    EXPECT_EQ(BetragText("1.234,56"), "1234,56");
    EXPECT_EQ(BetragText("999999,99"), "999999,99");
    EXPECT_EQ(BetragText("-3,004"), "-3,00");
    EXPECT_EQ(BetragText("-3,005"), "-3,01");
    EXPECT_EQ(BetragText("abc"), "0,00");
    EXPECT_EQ(BetragText("1,2,3"), "0,00");
}

TEST(Betrag, BetragCentLiestDieGespeicherteForm) {
    EXPECT_EQ(BetragCent("0,00"), 0);
    EXPECT_EQ(BetragCent(""), 0);
    EXPECT_EQ(BetragCent("1234,56"), 123456);
    EXPECT_EQ(BetragCent("1.234,56"), 123456);
    EXPECT_EQ(BetragCent("-30,00"), -3000);
    EXPECT_EQ(BetragCent("12,5"), 1250);
    EXPECT_EQ(BetragCent("7"), 700);
    EXPECT_EQ(BetragCent("0,015"), 2);
    EXPECT_EQ(BetragCent("x,00"), 0);
    EXPECT_DOUBLE_EQ(BetragWert("1.234,56"), 1234.56);
}

TEST(Betrag, GespeicherteFormErkannt) {
    for (const char* gut : {"0,00", "-0,00", "1234,56", "-30,00", "99999999,99", "-9999999,99", "000,01"})
        EXPECT_TRUE(IstBetragForm(gut)) << gut;
    for (const char* falsch : {"", ",00", "-,00", "1,0", "1,000", "1.234,56", "99999999999", "999999999,99",
                               "+1,00", " 1,00", "1,00-", "1,-0", "1;00", "--1,00", "1,0\n"})
        EXPECT_FALSE(IstBetragForm(falsch)) << falsch;
    // Whatever the entry fields produce is in the form.
    for (const char* feld : {"", "12,5", "1.234,56", "-3,005", "999999,99"}) EXPECT_TRUE(IstBetragForm(BetragText(feld)));
}

TEST(Betrag, AnzeigeUndNummern) {
    EXPECT_EQ(CentText(5), "0,05");
    EXPECT_EQ(CentText(-3000), "-30,00");
    EXPECT_EQ(CentText(123456), "1234,56");
    EXPECT_EQ(CentAnzeige(123456789), "1.234.567,89");
    EXPECT_EQ(CentAnzeige(-100000), "-1.000,00");
    EXPECT_EQ(CentAnzeige(0), "0,00");
    EXPECT_EQ(CentAnzeige(99999), "999,99");
    EXPECT_EQ(NummerText(7), "0007");
    EXPECT_EQ(NummerText(123), "0123");
    EXPECT_EQ(NummerText(12345), "12345");
}
