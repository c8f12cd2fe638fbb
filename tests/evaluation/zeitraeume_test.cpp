#include "evaluation/zeitraeume.h"

#include <gtest/gtest.h>

#include "evaluation/testbuch.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Tag;

TEST(DatumAus, TagUeberMonatsendeIstLetzterTag) {
    EXPECT_EQ(DatumAus(31, 2, 2000), Tag(29, 2, 2000));
    EXPECT_EQ(DatumAus(31, 2, 1900), Tag(28, 2, 1900));
    EXPECT_EQ(DatumAus(31, 4, 1999), Tag(30, 4, 1999));
    EXPECT_EQ(DatumAus(31, 12, 2024), Tag(31, 12, 2024));
    EXPECT_EQ(DatumAus(1, 3, 1997), Tag(1, 3, 1997));
}

TEST(DatumAus, NichtBildbarIstNull) {
    EXPECT_EQ(DatumAus(1, 0, 1999), 0);
    EXPECT_EQ(DatumAus(31, 13, 1999), 0);
    EXPECT_EQ(DatumAus(1, 1, 0), 0);
    EXPECT_EQ(DatumAus(1, 1, -1), 0);
    EXPECT_EQ(DatumAus(31, 12, 10000), 0);
}

TEST(Monatswechsel, VormonatUndNachmonatUeberJahresgrenze) {
    int32_t m = 1, j = 2000;
    EXPECT_EQ(VormonatVon(m, j), 31);
    EXPECT_EQ(m, 12);
    EXPECT_EQ(j, 1999);
    m = 3;
    j = 2000;
    EXPECT_EQ(VormonatVon(m, j), 29);  // February of a leap year
    EXPECT_EQ(m, 2);
    m = 3;
    j = 1900;
    EXPECT_EQ(VormonatVon(m, j), 28);
    NachmonatVon(m, j);
    EXPECT_EQ(m, 3);
    m = 12;
    NachmonatVon(m, j);
    EXPECT_EQ(m, 1);
    EXPECT_EQ(j, 1901);
}

TEST(Buchungszeitraum, StornierteUndZukuenftigeBuchungenWeitenAus) {
    Datenbestand d = test::KleinesBuch();
    const int32_t heute = Tag(10, 6, 1997);
    EXPECT_EQ(Buchungszeitraum(d, heute), (Monatsspanne{6, 1997, 6, 1997}));
    d.Buchungen.push_back(Buchung(Tag(5, 3, 1995), BArtAusgabe, 100, 1, 21, /*storniert=*/true));
    d.Buchungen.push_back(Buchung(Tag(2, 2, 1999), BArtEinnahme, 100, 1, 10));
    EXPECT_EQ(Buchungszeitraum(d, heute), (Monatsspanne{3, 1995, 2, 1999}));
}

std::vector<std::string> Bezeichnungen(const std::vector<MonatsDatenTyp>& liste) {
    std::vector<std::string> t;
    for (const auto& m : liste) t.push_back(m.Bezeichnung);
    return t;
}

TEST(ZeitraeumeAufbauen, NeuesteZuerstBisZumFruehestenMonat) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen.push_back(Buchung(Tag(20, 3, 1995), BArtAusgabe, 100, 1, 21));
    ZeitraeumeAufbauen(d, Tag(10, 6, 1997));
    const auto& z = d.Zeitraeume;
    // whole span, 3 years, 6 + 12 + 10 months
    ASSERT_EQ(z.size(), 1u + 3u + 6u + 12u + 10u);
    EXPECT_EQ(z[0], (MonatsDatenTyp{0, "Gesamter Zeitraum", 0, 0, 0, 0, 0, true}));
    EXPECT_EQ(z[1], (MonatsDatenTyp{1, "Jahr 1997", 0, 1, 12, 1997, 0, true}));
    EXPECT_EQ(z[2], (MonatsDatenTyp{1, "Juni 1997", 1, 6, 6, 1997, 0, true}));
    EXPECT_EQ(z[7].Bezeichnung, "Januar 1997");
    // the year before shares its number with its December
    EXPECT_EQ(z[8], (MonatsDatenTyp{7, "Jahr 1996", 0, 1, 12, 1996, 0, true}));
    EXPECT_EQ(z[9], (MonatsDatenTyp{7, "Dezember 1996", 7, 12, 12, 1996, 0, true}));
    EXPECT_EQ(z[21].Bezeichnung, "Jahr 1995");
    EXPECT_EQ(z[22].Bezeichnung, "Dezember 1995");
    EXPECT_EQ(z.back(), (MonatsDatenTyp{28, "März 1995", 19, 3, 3, 1995, 0, true}));
    EXPECT_EQ(z[22].OberNr, z[21].Nr);
}

TEST(ZeitraeumeAufbauen, BuchungInDerZukunftVerlaengertBisZuIhremMonat) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen.push_back(Buchung(Tag(1, 2, 1998), BArtEinnahme, 100, 1, 10));
    ZeitraeumeAufbauen(d, Tag(10, 11, 1997));
    ASSERT_GE(d.Zeitraeume.size(), 4u);
    EXPECT_EQ(d.Zeitraeume[1].Bezeichnung, "Jahr 1998");
    EXPECT_EQ(d.Zeitraeume[2].Bezeichnung, "Februar 1998");
    EXPECT_EQ(d.Zeitraeume.back().Bezeichnung, "November 1997");
    EXPECT_EQ(d.Zeitraeume.size(), 1u + 2u + 2u + 2u);
}

TEST(Spaltenlisten, MonateUndJahreNeuesteZuerst) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen.push_back(Buchung(Tag(20, 11, 1995), BArtAusgabe, 100, 1, 21));
    const int32_t heute = Tag(10, 2, 1997);
    EXPECT_EQ(Bezeichnungen(MonatsListe(d, 1996, heute)).size(), 12u);
    const auto alle = MonatsListe(d, -1, heute);
    ASSERT_EQ(alle.size(), 16u);
    EXPECT_EQ(alle[0], (MonatsDatenTyp{0, "Februar 1997", 0, 2, 2, 1997, 0, true}));
    EXPECT_EQ(alle[15], (MonatsDatenTyp{15, "November 1995", 0, 11, 11, 1995, 0, true}));
    EXPECT_EQ(Bezeichnungen(MonatsListe(d, 1995, heute)), (std::vector<std::string>{"Dezember 1995", "November 1995"}));
    EXPECT_TRUE(MonatsListe(d, 1990, heute).empty());

    EXPECT_EQ(Bezeichnungen(JahresListe(d, -1, heute)),
              (std::vector<std::string>{"Jahr 1997", "Jahr 1996", "Jahr 1995"}));
    const auto jahr = JahresListe(d, 1996, heute);
    ASSERT_EQ(jahr.size(), 1u);
    EXPECT_EQ(jahr[0], (MonatsDatenTyp{0, "Jahr 1996", 0, 1, 12, 1996, 0, true}));
}

TEST(KurzBezeichnung, MonatJahrUndAndere) {
    EXPECT_EQ(KurzBezeichnung("März 1997"), "03/1997");
    EXPECT_EQ(KurzBezeichnung("Dezember 2001"), "12/2001");
    EXPECT_EQ(KurzBezeichnung("Jahr 1997"), "1997");
    EXPECT_EQ(KurzBezeichnung("Gesamter Zeitraum"), "GesamterZeitraum");
    EXPECT_EQ(KurzBezeichnung("Gesamt"), "");
    EXPECT_EQ(KurzBezeichnung("Mai 1998 Rest"), "05/1998 Rest");
}

TEST(BuchungsDaten, EindeutigUndAlsTextSortiert) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen.push_back(Buchung(Tag(2, 1, 2024), BArtEinnahme, 1, 1, 10));
    d.Buchungen.push_back(Buchung(Tag(1, 2, 2023), BArtEinnahme, 1, 1, 10));
    d.Buchungen.push_back(Buchung(Tag(2, 1, 2024), BArtAusgabe, 1, 1, 20, true));
    d.Buchungen.push_back(Buchung(Tag(1, 2, 1923), BArtAusgabe, 1, 1, 20));  // same text as 2023
    EXPECT_EQ(BuchungsDaten(d), (std::vector<std::string>{"01.02.23", "02.01.24"}));
}

}  // namespace
}  // namespace talerwerk
