#include "evaluation/rubriktabellen.h"

#include <gtest/gtest.h>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/auswertung.h"
#include "evaluation/testbuch.h"
#include "evaluation/zeitraeume.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Tag;

// January to March 2024: salary on Girokonto and Bargeld, food on a sub-category, a booking on the
// category above it, one on a number the chart lacks, a cancelled one, transfers among the accounts.
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

MonatsDatenTyp Gesamt() {
    MonatsDatenTyp m;
    m.Bezeichnung = "Gesamter Zeitraum";
    return m;
}

std::vector<std::string> Zeilen(const RubrikTabelle& t) {
    std::vector<std::string> z;
    for (const GridZeile& zeile : t.Tabelle.Zeilen) {
        std::string text = std::to_string(zeile.Daten.Zeilenart);
        for (const std::string& c : zeile.Zellen) text += "|" + c;
        z.push_back(text);
    }
    return z;
}

TEST(RubrikKonto, SpaltenJeKontoMitUnterrubrikenUndAnteilen) {
    const Datenbestand d = Buch();
    RubrikTabellenOptionen o;
    o.Zeitraum = Gesamt();
    const RubrikTabelle t = RubrikKontoAufbauen(d, o);
    EXPECT_EQ(t.Tabelle.Titel, "Rubrik-Konto-Übersicht -  Gesamter Zeitraum - Alle Konten");
    EXPECT_EQ(t.Tabelle.Kopf,
              (std::vector<std::string>{"", "Girokonto", "Bargeld", "Sparbuch", "Gesamt", "Anteil in %"}));
    EXPECT_EQ(t.SummenSpalte, 4);
    EXPECT_EQ(t.AnteilSpalte, 5);
    const std::vector<std::string> erwartet = {
        "3|Anfangsstand|500,00|0,00|1.000,00|1.500,00|",
        "10||||||",
        "0|Einnahmen|||||",
        "6|  Gehalt|2.000,00|5,00|0,00|2.005,00|100,0",
        "4|Gesamt|2.000,00|5,00|0,00|2.005,00|",
        "2|  Umbuchungen|140,00|0,00|300,00|440,00|",
        "10||||||",
        "1|Ausgaben|||||",
        // Bookings made on "Haushalt" itself stand in no category row, only in "Gesamt".
        "6|  Haushalt|||||",
        "7|    Lebensmittel|50,00|0,00|0,00|50,00|62,5",
        "7|    Drogerie|0,00|0,00|0,00|0,00|0,0",
        "6|  Auto|0,00|0,00|0,00|0,00|0,0",
        "5|Gesamt|80,00|0,00|0,00|80,00|",
        "11|  Umbuchungen|340,00|0,00|100,00|440,00|",
        "10||||||",
        "8|Endstand|2.220,00|5,00|1.200,00|3.425,00|",
        "10||||||",
        "9|Saldo|1.720,00|5,00|200,00|1.925,00|",
    };
    EXPECT_EQ(Zeilen(t), erwartet);
    const TGridDaten& lebensmittel = t.Tabelle.Zeilen[9].Daten;
    EXPECT_EQ(lebensmittel.RubrikNr, 21);
    EXPECT_EQ(lebensmittel.Zeilentext, "Lebensmittel");
    EXPECT_EQ(lebensmittel.Betraege[1], -5000);  // the signed sum behind the shown amount
    EXPECT_EQ(t.Tabelle.Zeilen[0].Daten.Farben[4], Farbklasse::Positiv);
    EXPECT_EQ(t.Tabelle.Zeilen[12].Daten.Farben[4], Farbklasse::Negativ);
    EXPECT_EQ(t.Tabelle.Zeilen[8].Daten.Betraege[4], std::nullopt);
}

TEST(RubrikKonto, OhneUnterrubrikenKurzUndOhneAnteile) {
    const Datenbestand d = Buch();
    RubrikTabellenOptionen o;
    o.Zeitraum = Gesamt();
    o.Unterrubriken = false;
    o.Kurz = true;
    const RubrikTabelle t = RubrikKontoAufbauen(d, o);
    EXPECT_EQ(t.Tabelle.Kopf, (std::vector<std::string>{"", "Gesamt", "Anteil in %"}));
    const std::vector<std::string> erwartet = {
        "3|Anfangsstand|1.500,00|", "10|||", "0|Einnahmen||", "6|  Gehalt|2.005,00|100,0",
        "4|Gesamt|2.005,00|", "2|  Umbuchungen|440,00|", "10|||", "1|Ausgaben||",
        "6|  Haushalt|70,00|87,5", "6|  Auto|0,00|0,0", "5|Gesamt|80,00|", "11|  Umbuchungen|440,00|",
        "10|||", "8|Endstand|3.425,00|", "10|||", "9|Saldo|1.925,00|",
    };
    EXPECT_EQ(Zeilen(t), erwartet);

    // kurz with a single account: its name heads the one value column.
    o.Auswahl = AuswahlSparkonten;
    o.Anteile = false;
    const RubrikTabelle spar = RubrikKontoAufbauen(d, o);
    EXPECT_EQ(spar.Tabelle.Kopf, (std::vector<std::string>{"", "Sparbuch"}));
    EXPECT_EQ(spar.AnteilSpalte, -1);
    EXPECT_EQ(spar.Tabelle.Zeilen[0].Zellen[1], "1.000,00");

    // No account node: no columns, every total 0, no account part in the caption.
    o.Auswahl = 0;
    o.Kurz = false;
    const RubrikTabelle leer = RubrikKontoAufbauen(d, o);
    EXPECT_EQ(leer.Tabelle.Titel, "Rubrik-Konto-Übersicht -  Gesamter Zeitraum");
    EXPECT_EQ(leer.Tabelle.Kopf, (std::vector<std::string>{"", "Gesamt"}));
    EXPECT_EQ(leer.Tabelle.Zeilen[0].Zellen[1], "0,00");
}

TEST(RubrikZeit, MonateMitAnfangsUndEndstandAusErsterUndLetzterSpalte) {
    Datenbestand d = Buch();
    ZeitraeumeAufbauen(d, Tag(15, 3, 2024));
    RubrikTabellenOptionen o;
    o.Zeitraum = d.Zeitraeume[1];  // Jahr 2024
    ASSERT_EQ(o.Zeitraum.Bezeichnung, "Jahr 2024");
    o.Heute = Tag(15, 3, 2024);
    o.Anteile = false;
    const RubrikTabelle t = RubrikZeitAufbauen(d, o);
    EXPECT_EQ(t.Tabelle.Titel, "Rubrik-Zeit-Übersicht -  Jahr 2024 - Alle Konten");
    EXPECT_EQ(t.Tabelle.Kopf, (std::vector<std::string>{"", "Januar 2024", "Februar 2024", "März 2024", "Gesamt"}));
    EXPECT_FALSE(t.ModiGesperrt);
    const std::vector<std::string> erwartet = {
        "3|Anfangsstand|1.500,00|3.470,00|3.420,00|1.500,00",
        "10|||||",
        "0|Einnahmen||||",
        "6|  Gehalt|2.000,00|0,00|5,00|2.005,00",
        "4|Gesamt|2.000,00|0,00|5,00|2.005,00",
        "2|  Umbuchungen|440,00|0,00|0,00|440,00",
        "10|||||",
        "1|Ausgaben||||",
        "6|  Haushalt||||",
        "7|    Lebensmittel|0,00|50,00|0,00|50,00",
        "7|    Drogerie|0,00|0,00|0,00|0,00",
        "6|  Auto|0,00|0,00|0,00|0,00",
        "5|Gesamt|30,00|50,00|0,00|80,00",
        "11|  Umbuchungen|440,00|0,00|0,00|440,00",
        "10|||||",
        "8|Endstand|3.470,00|3.420,00|3.425,00|3.425,00",
        "10|||||",
        "9|Saldo|1.970,00|-50,00|5,00|1.925,00",
    };
    EXPECT_EQ(Zeilen(t), erwartet);
    EXPECT_EQ(t.Tabelle.Zeilen[17].Daten.Farben[2], Farbklasse::Negativ);

    o.Jaehrlich = true;
    const RubrikTabelle jahre = RubrikZeitAufbauen(d, o);
    EXPECT_EQ(jahre.Tabelle.Kopf, (std::vector<std::string>{"", "Jahr 2024", "Gesamt"}));
    EXPECT_TRUE(jahre.Jaehrlich);

    // A month node: one column, kurz and monatlich whatever the radio groups say.
    o.Zeitraum = d.Zeitraeume[3];
    ASSERT_EQ(o.Zeitraum.Bezeichnung, "Februar 2024");
    o.Kurz = false;
    const RubrikTabelle monat = RubrikZeitAufbauen(d, o);
    EXPECT_TRUE(monat.ModiGesperrt);
    EXPECT_TRUE(monat.Kurz);
    EXPECT_FALSE(monat.Jaehrlich);
    EXPECT_EQ(monat.Tabelle.Kopf, (std::vector<std::string>{"", "Februar 2024"}));
    EXPECT_EQ(monat.Tabelle.Zeilen[0].Zellen[1], "3.470,00");
}

TEST(RubrikZeit, GesamterZeitraumVomAeltestenBisHeute) {
    Datenbestand d = Buch();
    RubrikTabellenOptionen o;
    o.Zeitraum = Gesamt();
    o.Heute = Tag(7, 5, 2024);
    const RubrikTabelle t = RubrikZeitAufbauen(d, o);
    ASSERT_EQ(t.Tabelle.Kopf.size(), 1u + 5u + 1u + 1u);
    EXPECT_EQ(t.Tabelle.Kopf[1], "Januar 2024");
    EXPECT_EQ(t.Tabelle.Kopf[5], "Mai 2024");
    EXPECT_EQ(t.Tabelle.Zeilen[0].Zellen[6], "1.500,00");
    EXPECT_EQ(t.Tabelle.Zeilen[15].Zellen[6], "3.425,00");
}

TEST(Anteil, EineNachkommastelleDreiStellen) {
    EXPECT_EQ(AnteilText(3, 7), "42,9");
    EXPECT_EQ(AnteilText(1, 3), "33,3");
    EXPECT_EQ(AnteilText(7, 7), "100,0");
    EXPECT_EQ(AnteilText(5, 0), "0,0");
    EXPECT_EQ(AnteilText(0, 80), "0,0");
    EXPECT_EQ(AnteilText(1, 1000), "0,1");
    EXPECT_EQ(AnteilText(-1, 4), "-25,0");
}

// Every cell equals the plain evaluation functions on generated books.
class RubrikTabellenZufall : public ::testing::TestWithParam<uint32_t> {};

std::optional<Cent> Einfach(const Datenbestand& d, const TGridDaten& z, int32_t auswahl, const Periode& p,
                            bool unterrubriken) {
    switch (z.Zeilenart) {
    case RtAnfangsstand: return StandVorPeriode(d, auswahl, p);
    case RtEndstand: return StandEndePeriode(d, auswahl, p);
    case RtSaldo: return StandEndePeriode(d, auswahl, p) - StandVorPeriode(d, auswahl, p);
    case RtEinnahmenGesamt: return PeriodenSumme(d, auswahl, 0, SummenModus::Einnahmen, p);
    case RtAusgabenGesamt: return PeriodenSumme(d, auswahl, 0, SummenModus::Ausgaben, p);
    case RtUmbuchungenAn: return PeriodenSumme(d, auswahl, 0, SummenModus::UmbuchungenAn, p);
    case RtUmbuchungenAb: return PeriodenSumme(d, auswahl, 0, SummenModus::UmbuchungenAb, p);
    case RtRubrik:
        if (unterrubriken && HatUnterrubriken(d, z.RubrikNr)) return std::nullopt;
        return PeriodenSumme(d, auswahl, z.RubrikNr, SummenModus::Rubrik, p);
    case RtUnterrubrik: return PeriodenSumme(d, auswahl, z.RubrikNr, SummenModus::Rubrik, p);
    default: return std::nullopt;
    }
}

TEST_P(RubrikTabellenZufall, ZellenGleichEinfacherRechnung) {
    Datenbestand d = test::ZufallsBuch(GetParam(), 800);
    // The period lists run over every booked month: bookings dated past any year a file can hold
    // would make millions of columns.
    for (size_t i = 0; i < d.Buchungen.size(); ++i)
        if (d.Buchungen.Datum(i) > Tag(31, 12, 2100))
            d.Buchungen.Aendern(i, [](buchungstyp& b) { b.Datum = Tag(3, 3, 2090); });
    BuchungenErneuert(d);
    const int32_t heute = Tag(1, 6, 2000);
    ZeitraeumeAufbauen(d, heute);
    const MonatsDatenTyp jahr1997 = *std::find_if(d.Zeitraeume.begin(), d.Zeitraeume.end(), [](const auto& z) {
        return z.Jahr == 1997 && z.OberNr == 0;
    });
    for (int32_t auswahl : {AuswahlAlleKonten, AuswahlBestandskonten, AuswahlSparkonten, 3})
        for (bool unter : {true, false}) {
            RubrikTabellenOptionen o;
            o.Auswahl = auswahl;
            o.Unterrubriken = unter;
            o.Heute = heute;
            o.Zeitraum = jahr1997;
            const Periode p = PeriodeAus(o.Zeitraum);
            const RubrikTabelle konto = RubrikKontoAufbauen(d, o);
            const std::vector<kontotyp> konten = KontenDerAuswahl(d, auswahl);
            for (const GridZeile& z : konto.Tabelle.Zeilen) {
                std::optional<Cent> summe;
                for (size_t s = 0; s < konten.size(); ++s) {
                    const std::optional<Cent> w = Einfach(d, z.Daten, konten[s].Nr, p, unter);
                    ASSERT_EQ(z.Daten.Betraege[s + 1], w) << auswahl << " " << z.Daten.Zeilentext;
                    if (w) summe = summe.value_or(0) + *w;
                }
                ASSERT_EQ(z.Daten.Betraege[static_cast<size_t>(konto.SummenSpalte)], summe) << z.Daten.Zeilentext;
            }
            for (bool jaehrlich : {false, true}) {
                o.Jaehrlich = jaehrlich;
                o.Zeitraum = d.Zeitraeume.front();
                const RubrikTabelle zeit = RubrikZeitAufbauen(d, o);
                std::vector<MonatsDatenTyp> spalten =
                    jaehrlich ? JahresListe(d, -1, heute) : MonatsListe(d, -1, heute);
                std::reverse(spalten.begin(), spalten.end());
                ASSERT_EQ(zeit.Tabelle.Kopf.size(), spalten.size() + 3);
                // A sample of the columns is enough to see each rule at work.
                for (size_t s = 0; s < spalten.size(); s += jaehrlich ? 3 : 17)
                    for (const GridZeile& z : zeit.Tabelle.Zeilen)
                        ASSERT_EQ(z.Daten.Betraege[s + 1], Einfach(d, z.Daten, auswahl, PeriodeAus(spalten[s]), unter))
                            << spalten[s].Bezeichnung << " " << z.Daten.Zeilentext;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Zufallsbuecher, RubrikTabellenZufall, ::testing::Values(2u, 9u));

}  // namespace
}  // namespace talerwerk
