#include <gtest/gtest.h>

#include "store/datenbestand.h"
#include "store/datum.h"
#include "store/ports.h"

using namespace talerwerk;

namespace {
struct Uhr7Dez : Uhr {
    int32_t Heute() const override { return *TagesNummer(7, 12, 2026); }
};
struct Zahlenfolge : Zufall {
    std::vector<int32_t> zahlen;
    size_t pos = 0;
    int32_t Zahl(int32_t grenze) override { return zahlen.empty() ? 0 : zahlen[pos++ % zahlen.size()] % grenze; }
};
}  // namespace

TEST(Datenbestand, NeuerBestandHatNurDieDreiBausteine) {
    Datenbestand d;
    d.Buchungen.push_back({});
    d.Dateiname = "/tmp/x.tlw";
    d.Geaendert = d.DateiOffen = d.Schreibschutz = true;
    Uhr7Dez uhr;
    Zahlenfolge zufall;
    zufall.zahlen = {42};
    NeuerDatenbestand(d, uhr, zufall);
    EXPECT_TRUE(d.Konten.empty() && d.Buchungen.empty() && d.RgmBuchungen.empty() && d.Vorlagen.empty() &&
                d.Filterliste.empty());
    ASSERT_EQ(d.Textbausteine.size(), 3u);
    EXPECT_EQ(d.Textbausteine[0].Abk, "#D");
    EXPECT_EQ(d.Textbausteine[1].Text1, "[aktueller Monat]");
    EXPECT_EQ(d.Textbausteine[2].Nr, 12);
    EXPECT_EQ(d.Textbausteine[2].Art, ArtTextbaustein);
    EXPECT_EQ(d.Dateiname, "");
    EXPECT_FALSE(d.Geaendert || d.DateiOffen || d.Schreibschutz);
    EXPECT_EQ(d.LetzterIndex, 0);
    EXPECT_EQ(d.AktIndex, 1);
    // "071226" + "42", the leading zero of the day lost.
    EXPECT_EQ(d.Mandant.OberNr, 7122642);
    EXPECT_EQ(d.Kopfsatz.Kennung, "7122642");
    EXPECT_EQ(d.Mandant.Text1, "Talerwerk");
    EXPECT_EQ(d.Mandant.Text4, "DM");
    EXPECT_EQ(d.Mandant.Zahl1, 28);
    EXPECT_TRUE(d.Mandant.Merker1 && d.Mandant.Merker2);
    EXPECT_EQ(d.Druckereinstellung, druckereinstellungtyp{});
}

TEST(Datenbestand, DateiNrMitEinstelligerZufallszahl) {
    Uhr7Dez uhr;
    Zahlenfolge zufall;
    zufall.zahlen = {5};
    EXPECT_EQ(NeueDateiNr(uhr, zufall), 712265);
}

TEST(Datenbestand, ZaehlerBeginnenBeiIhrenBodenUndNutzenFreieNummernWieder) {
    Datenbestand d;
    EXPECT_EQ(NaechsteBuchungsNr(d), 1);
    EXPECT_EQ(LetzteBuchung(d), -1);
    EXPECT_EQ(NaechsteVorlagenNr(d), 10001);
    EXPECT_EQ(NaechsteRgmNr(d), 11001);
    EXPECT_EQ(NaechsteFilterNr(d), 12001);
    Uhr7Dez uhr;
    Zahlenfolge zufall;
    for (int i = 0; i < 3; ++i) d.Buchungen.push_back(NeuerSatz(d, SatzBuchung, uhr, zufall));
    EXPECT_EQ(d.Buchungen[2].IdentNr, 3);
    d.Buchungen.pop_back();
    EXPECT_EQ(NeuerSatz(d, SatzBuchung, uhr, zufall).IdentNr, 3);
}

TEST(Datenbestand, VorgabenJeSatzart) {
    Datenbestand d;
    Uhr7Dez uhr;
    Zahlenfolge zufall;
    zufall.zahlen = {1, 7, 1, 7, 2, 8};
    const auto buchung = NeuerSatz(d, SatzBuchung, uhr, zufall);
    EXPECT_EQ(buchung.Datum, uhr.Heute());
    EXPECT_EQ(buchung.Betrag, "0,00");
    EXPECT_EQ(buchung.BetragBis, "999999,99");
    const auto vorlage = NeuerSatz(d, SatzVorlage, uhr, zufall);
    EXPECT_EQ(vorlage.Datum, 0);
    EXPECT_EQ(vorlage.BetragBis, "999999,99");
    const auto filter = NeuerSatz(d, SatzFilter, uhr, zufall);
    EXPECT_EQ(filter.DatumBis, uhr.Heute());
    EXPECT_EQ(filter.RubrikAuswahl, -1);
    EXPECT_EQ(filter.Intervall, 1);
    auto rgm = NeuerSatz(d, SatzRgmBuchung, uhr, zufall);
    EXPECT_EQ(rgm.IdentNr, 11001);
    EXPECT_EQ(rgm.Intervall, 1);
    EXPECT_EQ(rgm.Kennung, "17");
    d.RgmBuchungen.push_back(rgm);
    // The same draw again is refused; the next one ("28") is taken.
    EXPECT_EQ(NeuerSatz(d, SatzRgmBuchung, uhr, zufall).Kennung, "28");
}

TEST(Datenbestand, KurztexteWerdenAufIhreBreiteGekuerzt) {
    kontotyp k;
    k.Abk = "ABCDEFGHIJKL";
    k.Kurz1 = "123456789";
    k.Kurz2 = "ÄÖÜäöüßé€x";
    KurztexteKuerzen(k);
    EXPECT_EQ(k.Abk, "ABCDEFGHIJ");
    EXPECT_EQ(k.Kurz1, "12345678");
    EXPECT_EQ(k.Kurz2, "ÄÖÜäöüßé");
    EXPECT_EQ(Kuerzen("äb", 5), "äb");
}
