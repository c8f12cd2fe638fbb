#include <gtest/gtest.h>

#include "store/datum.h"

using namespace talerwerk;

TEST(Datum, TagesNummernStimmenMitDemKalenderUeberein) {
    EXPECT_EQ(TagesNummer(30, 12, 1899), 0);
    EXPECT_EQ(TagesNummer(31, 12, 1899), 1);
    EXPECT_EQ(TagesNummer(1, 1, 1900), 2);
    EXPECT_EQ(TagesNummer(1, 1, 1970), 25569);
    EXPECT_EQ(TagesNummer(29, 2, 2000), 36585);
    EXPECT_FALSE(TagesNummer(29, 2, 1900));  // 1900 was no leap year
    EXPECT_FALSE(TagesNummer(31, 4, 2026));
    EXPECT_FALSE(TagesNummer(1, 13, 2026));
    EXPECT_FALSE(TagesNummer(0, 1, 2026));
    for (int32_t n : {-600000, -1, 0, 1, 36585, 46000, 2900000}) {
        const auto k = KalenderAus(n);
        EXPECT_EQ(TagesNummer(k.Tag, k.Monat, k.Jahr), n) << n;
    }
}

TEST(Datum, DateitextHatZweistelligeJahreUndNullFuerKeinDatum) {
    EXPECT_EQ(DatumDateiText(0), "0");
    EXPECT_EQ(DatumDateiText(*TagesNummer(7, 12, 2026)), "07.12.26");
    EXPECT_EQ(DatumDateiText(*TagesNummer(1, 1, 1985)), "01.01.85");
    EXPECT_EQ(DatumDateiLesen("0"), 0);
    EXPECT_EQ(DatumDateiLesen("31.12.79"), TagesNummer(31, 12, 2079));
    EXPECT_EQ(DatumDateiLesen("31.12.80"), TagesNummer(31, 12, 1980));
    EXPECT_EQ(DatumDateiLesen("7.1.5"), TagesNummer(7, 1, 2005));
    for (const char* falsch : {"", "00", "31.02.26", "1.2", "a.b.c", "01.01.", ".01.26", "1.13.26", "-1.01.26"})
        EXPECT_FALSE(DatumDateiLesen(falsch)) << falsch;
}

TEST(Datum, GetippteDaten) {
    EXPECT_EQ(DatumLesen("31.12.99"), TagesNummer(31, 12, 1999));
    EXPECT_EQ(DatumLesen("01.01.05"), TagesNummer(1, 1, 2005));
    EXPECT_EQ(DatumLesen("1.1.79"), TagesNummer(1, 1, 2079));
    EXPECT_EQ(DatumLesen("1.1.80"), TagesNummer(1, 1, 1980));
    EXPECT_EQ(DatumLesen(" 7.12.26"), TagesNummer(7, 12, 2026));
    EXPECT_EQ(DatumLesen("7.12.2026"), TagesNummer(7, 12, 2026));
    EXPECT_FALSE(DatumLesen("  .  .  "));
    EXPECT_FALSE(DatumLesen("30.02.26"));
    EXPECT_FALSE(DatumLesen("12.2026"));
}

TEST(Datum, GetippteJahreBleibenOderWerdenAbgelehnt) {
    // Four digits are taken as typed, within the years the file's two-digit form can keep.
    EXPECT_EQ(DatumLesen("01.01.1980"), TagesNummer(1, 1, 1980));
    EXPECT_EQ(DatumLesen("31.12.2079"), TagesNummer(31, 12, 2079));
    EXPECT_EQ(DatumLesen("29.02.2000"), TagesNummer(29, 2, 2000));
    for (const char* ausserhalb : {"31.12.1979", "01.07.1975", "01.01.2080", "01.01.1900", "01.01.9999"})
        EXPECT_FALSE(DatumLesen(ausserhalb)) << ausserhalb;
    // Neither three nor five digits are a year, nor a four-digit form of a two-digit year.
    for (const char* keinJahr : {"01.01.198", "01.01.02026", "01.01.0075", "01.01.-75"})
        EXPECT_FALSE(DatumLesen(keinJahr)) << keinJahr;
    // One or two digits keep their century rule: 75 is 2075, 80 is 1980, 5 is 2005.
    EXPECT_EQ(DatumLesen("01.07.75"), TagesNummer(1, 7, 2075));
    EXPECT_EQ(DatumLesen("1.7.80"), TagesNummer(1, 7, 1980));
    EXPECT_EQ(DatumLesen("1.7.5 "), TagesNummer(1, 7, 2005));

    // Whatever is accepted survives the file's date text unchanged.
    for (const char* text : {"01.01.1980", "31.12.2079", "15.06.2026", "1.1.80", "31.12.79"}) {
        const auto tag = DatumLesen(text);
        ASSERT_TRUE(tag) << text;
        EXPECT_EQ(DatumDateiLesen(DatumDateiText(*tag)), tag) << text;
    }
    // The file reader applies the same rule: a four-digit year is no longer read as 1900 + it.
    EXPECT_EQ(DatumDateiLesen("01.01.2026"), TagesNummer(1, 1, 2026));
    EXPECT_FALSE(DatumDateiLesen("01.01.1975"));
    EXPECT_FALSE(DatumDateiLesen("01.01.123"));
}

TEST(Datum, TexteUndMonatsnamen) {
    const int32_t tag = *TagesNummer(5, 3, 1997);
    EXPECT_EQ(DatumKurzText(tag), "05.03.97");
    EXPECT_EQ(DatumLangText(tag), "05.03.1997");
    EXPECT_EQ(DatumKurzText(0), "");
    EXPECT_EQ(MonatsName(3), "März");
    EXPECT_EQ(MonatsName(12), "Dezember");
    EXPECT_EQ(MonatsName(13), "");
    EXPECT_EQ(DatumIso(tag), "1997-03-05");
    EXPECT_EQ(DatumIsoLesen("1997-03-05"), tag);
    EXPECT_FALSE(DatumIsoLesen("1997-02-30"));
    EXPECT_FALSE(DatumIsoLesen("97-03-05"));
    EXPECT_EQ(MonatsLaenge(2, 2024), 29);
    EXPECT_EQ(MonatsLaenge(2, 2100), 28);
}
