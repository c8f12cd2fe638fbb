#include "evaluation/gewinnverlust.h"

#include <gtest/gtest.h>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/auswertung.h"
#include "evaluation/testbuch.h"
#include "evaluation/zeitraeume.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Tag;

Datenbestand Buch() {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen = {
        Buchung(Tag(2, 1, 2024), BArtEinnahme, 200000, 1, 10),
        Buchung(Tag(1, 2, 2024), BArtAusgabe, 5000, 1, 21),
        Buchung(Tag(15, 1, 2024), BArtUmbuchung, 30000, 1, 3),
        Buchung(Tag(10, 1, 2024), BArtUmbuchung, 10000, 3, 1),
        Buchung(Tag(2, 1, 2024), BArtAusgabe, 2000, 1, 20),
        Buchung(Tag(5, 1, 2024), BArtAusgabe, 1000, 1, 99),
        Buchung(Tag(20, 1, 2024), BArtAusgabe, 700, 1, 30, true),
        Buchung(Tag(3, 3, 2024), BArtEinnahme, 500, 2, 10),
        Buchung(Tag(12, 1, 2024), BArtUmbuchung, 4000, 1, 1),
    };
    test::Durchnummerieren(d);
    return d;
}

std::vector<std::string> Zeilen(const Grid& g) {
    std::vector<std::string> z;
    for (const GridZeile& zeile : g.Zeilen) {
        std::string text = std::to_string(zeile.Daten.Zeilenart);
        for (const std::string& c : zeile.Zellen) text += "|" + c;
        z.push_back(text);
    }
    return z;
}

TEST(GewinnVerlust, KontenUndDreiSummenzeilen) {
    Datenbestand d = Buch();
    ZeitraeumeAufbauen(d, Tag(15, 3, 2024));
    const Grid g = GewinnVerlustAufbauen(d, {AuswahlAlleKonten, d.Zeitraeume.front()});
    EXPECT_EQ(g.Titel, "Einnahmen-Ausgaben-Übersicht -  Gesamter Zeitraum - Alle Konten");
    EXPECT_EQ(g.Kopf,
              (std::vector<std::string>{"Konto", "Anfangsstand", "Einnahmen", "Ausgaben", "Endstand", "Saldo"}));
    const std::vector<std::string> erwartet = {
        "0|Girokonto|500,00|2.140,00|420,00|2.220,00|1.720,00",
        "0|Bargeld|0,00|5,00|0,00|5,00|5,00",
        "0|Sparbuch|1.000,00|300,00|100,00|1.200,00|200,00",
        "1|Gesamt||2.445,00|520,00||",
        "2|- Umbuchungen||440,00|440,00||",
        // Transfers stay within the selection: "Gesamt real" is what came in and went out.
        "3|Gesamt real|1.500,00|2.005,00|80,00|3.425,00|1.925,00",
    };
    EXPECT_EQ(Zeilen(g), erwartet);
    EXPECT_EQ(g.Zeilen[0].Daten.Farben[GvAusgaben], Farbklasse::Negativ);
    EXPECT_EQ(g.Zeilen[3].Daten.Farben[GvAnfangsstand], Farbklasse::Positiv);  // empty counts as zero
    EXPECT_EQ(g.Zeilen[0].Daten.Betraege[GvEinnahmen], 214000);
}

TEST(GewinnVerlust, EinMonatUndKeinKonto) {
    Datenbestand d = Buch();
    ZeitraeumeAufbauen(d, Tag(15, 3, 2024));
    const MonatsDatenTyp februar = d.Zeitraeume[3];
    ASSERT_EQ(februar.Bezeichnung, "Februar 2024");
    const Grid g = GewinnVerlustAufbauen(d, {1, februar});
    EXPECT_EQ(g.Titel, "Einnahmen-Ausgaben-Übersicht -  Februar 2024 - Girokonto");
    ASSERT_EQ(g.Zeilen.size(), 4u);
    EXPECT_EQ(g.Zeilen[0].Zellen, (std::vector<std::string>{"Girokonto", "2.270,00", "0,00", "50,00", "2.220,00",
                                                            "-50,00"}));
    EXPECT_EQ(g.Zeilen[0].Daten.Farben[GvSaldo], Farbklasse::Negativ);

    const Grid leer = GewinnVerlustAufbauen(d, {0, februar});
    EXPECT_EQ(leer.Titel, "Einnahmen-Ausgaben-Übersicht -  Februar 2024");
    EXPECT_EQ(Zeilen(leer), (std::vector<std::string>{"1|Gesamt||0,00|0,00||", "2|- Umbuchungen||0,00|0,00||",
                                                       "3|Gesamt real|0,00|0,00|0,00|0,00|0,00"}));
}

// On generated books: every value equals the plain functions, and each account row balances.
class GewinnVerlustZufall : public ::testing::TestWithParam<uint32_t> {};

TEST_P(GewinnVerlustZufall, GleichEinfacherRechnung) {
    Datenbestand d = test::ZufallsBuch(GetParam(), 1000);
    for (size_t i = 0; i < d.Buchungen.size(); ++i)
        if (d.Buchungen.Datum(i) > Tag(31, 12, 2100))
            d.Buchungen.Aendern(i, [](buchungstyp& b) { b.Datum = Tag(3, 3, 2090); });
    BuchungenErneuert(d);
    ZeitraeumeAufbauen(d, Tag(1, 6, 2000));
    for (const MonatsDatenTyp& z : d.Zeitraeume) {
        if (z.Jahr != 0 && z.Jahr != 1998 && z.Jahr != 2090) continue;
        for (int32_t auswahl : {AuswahlAlleKonten, AuswahlBestandskonten, AuswahlSparkonten, 1, 4}) {
            const Grid g = GewinnVerlustAufbauen(d, {auswahl, z});
            const Periode p = PeriodeAus(z);
            const std::vector<kontotyp> konten = KontenDerAuswahl(d, auswahl);
            ASSERT_EQ(g.Zeilen.size(), konten.size() + 3);
            Cent ein = 0, an = 0;
            for (size_t i = 0; i < konten.size(); ++i) {
                const TGridDaten& r = g.Zeilen[i].Daten;
                const int32_t nr = konten[i].Nr;
                const Cent anfang = StandVorPeriode(d, nr, p), ende = StandEndePeriode(d, nr, p);
                const Cent e = PeriodenSumme(d, nr, 0, SummenModus::Einnahmen, p);
                const Cent u = PeriodenSumme(d, nr, 0, SummenModus::UmbuchungenAn, p);
                ASSERT_EQ(r.Betraege[GvAnfangsstand], anfang) << z.Bezeichnung;
                ASSERT_EQ(r.Betraege[GvEndstand], ende);
                ASSERT_EQ(r.Betraege[GvEinnahmen], std::abs(e + u));
                ASSERT_EQ(r.Betraege[GvSaldo], ende - anfang);
                ein += std::abs(e);
                an += std::abs(u);
            }
            ASSERT_EQ(g.Zeilen[konten.size()].Daten.Betraege[GvEinnahmen], ein + an);
            ASSERT_EQ(g.Zeilen[konten.size() + 1].Daten.Betraege[GvEinnahmen], an);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Zufallsbuecher, GewinnVerlustZufall, ::testing::Values(4u, 11u));

}  // namespace
}  // namespace talerwerk
