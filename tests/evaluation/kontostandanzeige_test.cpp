#include "evaluation/kontostandanzeige.h"

#include <gtest/gtest.h>

#include "evaluation/testbuch.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Tag;

TEST(KontoStaendeAufbauen, ZeilenUndSummeDerGezeigtenKonten) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen = {
        Buchung(Tag(1, 1, 2024), BArtAusgabe, 3000, 1, 21, /*storniert=*/true),
        Buchung(Tag(2, 1, 2024), BArtAusgabe, 123456789012, 2, 30),  // far beyond ten digits
    };
    const KontoStandAnzeige alle = KontoStaendeAufbauen(d, true, true);
    ASSERT_EQ(alle.Zeilen.size(), 3u);
    EXPECT_EQ(alle.Zeilen[0].Konto, "Girokonto");
    EXPECT_EQ(alle.Zeilen[0].StandText, "500,00");  // the cancelled expense changes nothing
    EXPECT_EQ(alle.Zeilen[1].StandText, "-1234567890,12");
    EXPECT_EQ(alle.Zeilen[2].Art, ArtSparkonto);
    EXPECT_EQ(alle.Gesamt, 50000 - 123456789012 + 100000);
    EXPECT_TRUE(alle.GesamtNegativ);

    const KontoStandAnzeige spar = KontoStaendeAufbauen(d, false, true);
    ASSERT_EQ(spar.Zeilen.size(), 1u);
    EXPECT_EQ(spar.GesamtText, "1000,00");
    EXPECT_FALSE(spar.GesamtNegativ);

    const KontoStandAnzeige keine = KontoStaendeAufbauen(d, false, false);
    EXPECT_TRUE(keine.Zeilen.empty());
    EXPECT_EQ(keine.GesamtText, "0,00");
    EXPECT_FALSE(keine.GesamtNegativ);
}

}  // namespace
}  // namespace talerwerk
