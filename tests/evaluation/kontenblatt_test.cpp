#include "evaluation/kontenblatt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "evaluation/auswertung.h"
#include "evaluation/testbuch.h"
#include "evaluation/zeitraeume.h"
#include "store/betrag.h"
#include "store/datum.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Tag;

// Girokonto (1) in January and February 2024: salary, a purchase on a sub-category, transfers to
// and from the Sparbuch, a booking on a category that has sub-categories, one on a number no longer
// in the chart, a cancelled one, a transfer onto itself with a five-digit number.
Datenbestand Buch() {
    Datenbestand d = test::KleinesBuch();
    auto dazu = [&](int32_t nr, buchungstyp b, const char* beleg = "") {
        b.IdentNr = nr;
        b.Belegnr = beleg;
        b.Text = "T" + std::to_string(nr);
        d.Buchungen.push_back(b);
    };
    dazu(1, Buchung(Tag(2, 1, 2024), BArtEinnahme, 200000, 1, 10), "B1");
    dazu(2, Buchung(Tag(1, 2, 2024), BArtAusgabe, 5000, 1, 21));
    dazu(3, Buchung(Tag(15, 1, 2024), BArtUmbuchung, 30000, 1, 3));
    dazu(4, Buchung(Tag(10, 1, 2024), BArtUmbuchung, 10000, 3, 1));
    dazu(5, Buchung(Tag(2, 1, 2024), BArtAusgabe, 2000, 1, 20));
    dazu(6, Buchung(Tag(5, 1, 2024), BArtAusgabe, 1000, 1, 99));
    dazu(7, Buchung(Tag(20, 1, 2024), BArtAusgabe, 700, 1, 30, true));
    dazu(8, Buchung(Tag(3, 3, 2024), BArtEinnahme, 500, 2, 10));
    dazu(12345, Buchung(Tag(12, 1, 2024), BArtUmbuchung, 4000, 1, 1));
    BuchungenErneuert(d);
    return d;
}

Kontenblatt Blatt(const Datenbestand& d, KontenblattGruppierung g, bool zwischensummen = true,
                  bool stornierte = false, MonatsDatenTyp zeitraum = {}) {
    KontenblattOptionen o;
    o.Konto = 1;
    o.Zeitraum = zeitraum;
    o.Zeitraum.Bezeichnung = zeitraum.Jahr == 0 ? "Gesamter Zeitraum" : zeitraum.Bezeichnung;
    o.Gruppierung = g;
    o.Zwischensummen = zwischensummen;
    o.Stornierte = stornierte;
    return KontenblattAufbauen(d, o);
}

MonatsDatenTyp Monat(int32_t monat, int32_t jahr) {
    MonatsDatenTyp m;
    m.Nr = 1;
    m.OberNr = 1;
    m.VonMonat = m.BisMonat = monat;
    m.Jahr = jahr;
    m.Bezeichnung = MonatsName(monat) + " " + std::to_string(jahr);
    return m;
}

// The rows as "kind|cell|cell|…" for comparing whole sheets.
std::vector<std::string> Zeilen(const Kontenblatt& k) {
    std::vector<std::string> z;
    for (const GridZeile& zeile : k.Tabelle.Zeilen) {
        std::string text = std::to_string(zeile.Daten.Zeilenart);
        for (const std::string& c : zeile.Zellen) text += "|" + c;
        z.push_back(text);
    }
    return z;
}

TEST(Kontenblatt, NachTypMitZwischensummenUndSummenfeld) {
    const Datenbestand d = Buch();
    const Kontenblatt k = Blatt(d, KontenblattGruppierung::Buchungstyp);
    EXPECT_EQ(k.Tabelle.Titel, "Kontenblatt -  Gesamter Zeitraum - Girokonto");
    EXPECT_EQ(k.Tabelle.Kopf, (std::vector<std::string>{"B-nr.   Belegnr.", "Datum", "sto.", "Betrag",
                                                         "Buchungstext", "Rubrik/Gegenkonto"}));
    const std::vector<std::string> erwartet = {
        "1|Einnahmen|||||",
        "3|0001  B1|02.01.24||2000,00|T1|Gehalt",
        "2|||||Gesamt|2.000,00",
        "1|Ausgaben|||||",
        "4|0002  |01.02.24||50,00|T2|Haushalt  \\  Lebensmittel",
        "4|0005  |02.01.24||20,00|T5|Haushalt",
        "4|0006  |05.01.24||10,00|T6|",
        "2|||||Gesamt|-80,00",
        "1|Umbuchungen|||||",
        "4|0003  |15.01.24||300,00|T3|Sparbuch",
        "3|0004  |10.01.24||100,00|T4|Sparbuch",
        "3|12345  |12.01.24||40,00|T12345|Girokonto",
        "4|12345  |12.01.24||40,00|T12345|Girokonto",
        "2|||||Gesamt|-200,00",
    };
    EXPECT_EQ(Zeilen(k), erwartet);
    EXPECT_EQ(k.Einnahmen, 214000);
    EXPECT_EQ(k.Ausgaben, 42000);
    EXPECT_EQ(k.EinnahmenText, "2.140,00");
    EXPECT_EQ(k.AusgabenText, "420,00");
    EXPECT_EQ(k.SaldoText, "1.720,00");
    EXPECT_EQ(k.SaldoBeschriftung, "Saldo (Gewinn)");
    // Descriptors carry the numbers: the whole booking number, signed amounts, the sum's colour.
    EXPECT_EQ(k.Tabelle.Zeilen[11].Daten.IdentNr, 12345);
    EXPECT_EQ(k.Tabelle.Zeilen[12].Daten.Betraege[3], -4000);
    EXPECT_EQ(k.Tabelle.Zeilen[7].Daten.Betraege[5], -8000);
    EXPECT_EQ(k.Tabelle.Zeilen[7].Daten.Farben[5], Farbklasse::Negativ);
    EXPECT_EQ(k.Tabelle.Zeilen[1].Daten.Farben[3], Farbklasse::Positiv);
    EXPECT_EQ(k.Tabelle.Zeilen[0].Daten.IdentNr, 0);

    // Without subtotals only headings and bookings remain.
    EXPECT_EQ(Blatt(d, KontenblattGruppierung::Buchungstyp, false).Tabelle.Zeilen.size(), erwartet.size() - 3);
}

TEST(Kontenblatt, NachNummerMitEingehendenUmbuchungen) {
    const Datenbestand d = Buch();
    const Kontenblatt k = Blatt(d, KontenblattGruppierung::Buchungsnummer);
    const std::vector<std::string> erwartet = {
        "3|0001  E  B1|02.01.24||2000,00|T1|Gehalt",
        "4|0002  A  |01.02.24||50,00|T2|Haushalt  \\  Lebensmittel",
        "4|0003 U-  |15.01.24||300,00|T3|Sparbuch",
        "3|0004 U+  |10.01.24||100,00|T4|Sparbuch",
        "4|0005  A  |02.01.24||20,00|T5|Haushalt",
        "4|0006  A  |05.01.24||10,00|T6|",
        "4|12345 U-  |12.01.24||40,00|T12345|Girokonto",
        "3|12345 U+  |12.01.24||40,00|T12345|Girokonto",
    };
    EXPECT_EQ(Zeilen(k), erwartet);
    // The subtotal option does not apply to this grouping.
    EXPECT_EQ(Zeilen(Blatt(d, KontenblattGruppierung::Buchungsnummer, false)), erwartet);
    EXPECT_EQ(k.Saldo, 172000);
}

TEST(Kontenblatt, NachDatumChronologischNichtNachText) {
    const Datenbestand d = Buch();
    const Kontenblatt k = Blatt(d, KontenblattGruppierung::Datum);
    EXPECT_EQ(k.Tabelle.Kopf.front(), "Datum");
    EXPECT_EQ(k.Spalten, (std::array<int, 6>{KbDatum, KbNummer, KbStorno, KbBetrag, KbText, KbGegen}));
    const std::vector<std::string> erwartet = {
        "1|02.01.24|||||",
        "3||0001  E  B1||2000,00|T1|Gehalt",
        "4||0005  A  ||20,00|T5|Haushalt",
        "2|||||Gesamt|1.980,00",
        "1|05.01.24|||||",
        "4||0006  A  ||10,00|T6|",
        "2|||||Gesamt|-10,00",
        "1|10.01.24|||||",
        "3||0004 U+  ||100,00|T4|Sparbuch",
        "2|||||Gesamt|100,00",
        "1|12.01.24|||||",
        "4||12345 U-  ||40,00|T12345|Girokonto",
        "3||12345 U+  ||40,00|T12345|Girokonto",
        "2|||||Gesamt|0,00",
        "1|15.01.24|||||",
        "4||0003 U-  ||300,00|T3|Sparbuch",
        "2|||||Gesamt|-300,00",
        "1|01.02.24|||||",
        "4||0002  A  ||50,00|T2|Haushalt  \\  Lebensmittel",
        "2|||||Gesamt|-50,00",
    };
    EXPECT_EQ(Zeilen(k), erwartet);
}

TEST(Kontenblatt, NachRubrikJedeBuchungGenauEinmal) {
    const Datenbestand d = Buch();
    const Kontenblatt k = Blatt(d, KontenblattGruppierung::Rubrik);
    EXPECT_EQ(k.Tabelle.Kopf, (std::vector<std::string>{"Rubrik/Gegenkonto", "B-nr.   Belegnr.", "Datum", "sto.",
                                                         "Buchungstext", "Betrag"}));
    const std::vector<std::string> erwartet = {
        "1|Einnahmen|||||",
        "1|Gehalt|||||",
        "3||0001  E  B1|02.01.24||T1|2000,00",
        "2|||||Gesamt|2.000,00",
        "5|||||Gesamt Einnahmen|2.000,00",
        "1|Ausgaben|||||",
        "1|Haushalt  \\  Lebensmittel|||||",
        "4||0002  A  |01.02.24||T2|50,00",
        "2|||||Gesamt|-50,00",
        // After the leaves: a category that has sub-categories, then a number the chart lacks.
        "1|Haushalt|||||",
        "4||0005  A  |02.01.24||T5|20,00",
        "2|||||Gesamt|-20,00",
        "1|Nr. 99 (nicht im Kontenplan)|||||",
        "4||0006  A  |05.01.24||T6|10,00",
        "2|||||Gesamt|-10,00",
        "5|||||Gesamt Ausgaben|-80,00",
        "1|Umbuchungen|||||",
        "1|Girokonto|||||",
        "4||12345 U-  |12.01.24||T12345|40,00",
        "3||12345 U+  |12.01.24||T12345|40,00",
        "2|||||Gesamt|0,00",
        "1|Sparbuch|||||",
        "4||0003 U-  |15.01.24||T3|300,00",
        "3||0004 U+  |10.01.24||T4|100,00",
        "2|||||Gesamt|-200,00",
        "5|||||Gesamt Umbuchungen|-200,00",
    };
    EXPECT_EQ(Zeilen(k), erwartet);
    EXPECT_EQ(k.SummenSpalte, KbBetrag);
    EXPECT_EQ(k.Tabelle.Zeilen[9].Daten.RubrikNr, 20);
    EXPECT_EQ(k.Tabelle.Zeilen[12].Daten.RubrikNr, 99);
    EXPECT_EQ(k.Tabelle.Zeilen[4].Daten.Betraege[5], 200000);
}

TEST(Kontenblatt, SummenfeldGleichInJederGruppierung) {
    const Datenbestand d = Buch();
    for (int g = 0; g < 4; ++g)
        for (bool storno : {false, true}) {
            const Kontenblatt k = Blatt(d, static_cast<KontenblattGruppierung>(g), true, storno);
            EXPECT_EQ(k.Einnahmen, 214000) << g;
            EXPECT_EQ(k.Ausgaben, 42000) << g;
            size_t buchungen = 0;
            for (const GridZeile& z : k.Tabelle.Zeilen) buchungen += z.Daten.IdentNr != 0;
            EXPECT_EQ(buchungen, storno ? 9u : 8u) << g;
        }
}

TEST(Kontenblatt, StornierteNurAufWunschGrauUndOhneSumme) {
    const Datenbestand d = Buch();
    const Kontenblatt k = Blatt(d, KontenblattGruppierung::Buchungsnummer, true, true);
    const auto it = std::find_if(k.Tabelle.Zeilen.begin(), k.Tabelle.Zeilen.end(),
                                 [](const GridZeile& z) { return z.Daten.IdentNr == 7; });
    ASSERT_NE(it, k.Tabelle.Zeilen.end());
    EXPECT_EQ(it->Zellen[KbStorno], "x");
    EXPECT_TRUE(it->Daten.Storniert);
    EXPECT_EQ(it->Daten.Farben[KbBetrag], Farbklasse::Grau);
    EXPECT_EQ(k.Ausgaben, 42000);
}

TEST(Kontenblatt, ZeitraumMitErstemTagDesMonats) {
    const Datenbestand d = Buch();
    const Kontenblatt februar = Blatt(d, KontenblattGruppierung::Buchungsnummer, true, false, Monat(2, 2024));
    ASSERT_EQ(februar.Tabelle.Zeilen.size(), 1u);
    EXPECT_EQ(februar.Tabelle.Zeilen[0].Daten.IdentNr, 2);
    EXPECT_EQ(februar.Ausgaben, 5000);
    EXPECT_EQ(februar.SaldoBeschriftung, "Saldo (Verlust)");
    EXPECT_EQ(februar.SaldoFarbe, Farbklasse::Negativ);
    EXPECT_EQ(februar.Tabelle.Titel, "Kontenblatt -  Februar 2024 - Girokonto");
}

TEST(Kontenblatt, LeererZeitraum) {
    const Datenbestand d = Buch();
    const MonatsDatenTyp mai = Monat(5, 2024);
    const Kontenblatt typ = Blatt(d, KontenblattGruppierung::Buchungstyp, true, false, mai);
    EXPECT_EQ(Zeilen(typ), (std::vector<std::string>{"1|Einnahmen|||||", "2|||||Gesamt|0,00", "1|Ausgaben|||||",
                                                      "2|||||Gesamt|0,00", "1|Umbuchungen|||||",
                                                      "2|||||Gesamt|0,00"}));
    const Kontenblatt rubrik = Blatt(d, KontenblattGruppierung::Rubrik, true, false, mai);
    EXPECT_EQ(Zeilen(rubrik),
              (std::vector<std::string>{"1|Einnahmen|||||", "5|||||Gesamt Einnahmen|0,00", "1|Ausgaben|||||",
                                        "5|||||Gesamt Ausgaben|0,00", "1|Umbuchungen|||||",
                                        "5|||||Gesamt Umbuchungen|0,00"}));
    for (auto g : {KontenblattGruppierung::Buchungsnummer, KontenblattGruppierung::Datum}) {
        const Kontenblatt k = Blatt(d, g, true, false, mai);
        EXPECT_EQ(Zeilen(k), (std::vector<std::string>{"3||||||"}));
        EXPECT_EQ(k.SaldoBeschriftung, "Saldo (Gewinn)");
        EXPECT_EQ(k.SaldoText, "0,00");
    }
}

TEST(Kontenblatt, OhneKontoUndKontenbaum) {
    const Datenbestand d = Buch();
    KontenblattOptionen o;
    o.Zeitraum.Bezeichnung = "Gesamter Zeitraum";
    const Kontenblatt k = KontenblattAufbauen(d, o);
    EXPECT_EQ(k.Tabelle.Titel, "Kontenblatt -  Gesamter Zeitraum");
    EXPECT_EQ(k.Einnahmen + k.Ausgaben, 0);
    const std::vector<kontotyp> konten = KontenblattKonten(d);
    ASSERT_EQ(konten.size(), 3u);
    EXPECT_EQ(konten[0].Nr, 1);
    EXPECT_EQ(konten[1].Nr, 2);
    EXPECT_EQ(konten[2].Nr, 3);
}

// On generated books every grouping lists the same bookings once each, its subtotals add up its
// rows, its dates run forward, and the totals equal a plain scan.
class KontenblattZufall : public ::testing::TestWithParam<uint32_t> {};

TEST_P(KontenblattZufall, GruppierungenStimmenMitEinfacherRechnung) {
    Datenbestand d = test::ZufallsBuch(GetParam(), 1500);
    test::Durchnummerieren(d);
    MonatsDatenTyp jahr1996, februar1999;
    jahr1996.VonMonat = 1;
    jahr1996.BisMonat = 12;
    jahr1996.Jahr = 1996;
    februar1999.OberNr = 1;
    februar1999.VonMonat = februar1999.BisMonat = 2;
    februar1999.Jahr = 1999;
    const std::vector<MonatsDatenTyp> zeitraeume = {MonatsDatenTyp{}, jahr1996, februar1999};
    for (int32_t konto : {1, 2, 3, 4, 77})
        for (const MonatsDatenTyp& zeitraum : zeitraeume)
            for (bool storno : {false, true}) {
                // Plain: every booking row the account's bookings give, by (number, side).
                const Periode p = PeriodeAus(zeitraum);
                const int32_t von = p.Gesamt ? 0 : DatumAus(1, p.VonMonat, p.VonJahr);
                const int32_t bis = p.Gesamt ? 0 : DatumAus(31, p.BisMonat, p.BisJahr);
                std::multiset<std::pair<int32_t, int32_t>> erwartet;
                Cent ein = 0, aus = 0;
                for (const buchungstyp& b : d.Buchungen) {
                    if (!p.Gesamt && (b.Datum < von || b.Datum > bis)) continue;
                    if (b.Storniert && !storno) continue;
                    if (b.BArt < 0 || b.BArt > 2) continue;
                    const Cent c = b.Storniert ? 0 : BetragCent(b.Betrag);
                    if (b.Konto1 == konto) {
                        erwartet.insert({b.IdentNr, KbAbgang - (b.BArt == BArtEinnahme)});
                        (b.BArt == BArtEinnahme ? ein : aus) += c;
                    }
                    if (b.BArt == BArtUmbuchung && b.Konto2 == konto) {
                        erwartet.insert({b.IdentNr, KbZugang});
                        ein += c;
                    }
                }
                for (int g = 0; g < 4; ++g) {
                    KontenblattOptionen o;
                    o.Konto = konto;
                    o.Zeitraum = zeitraum;
                    o.Gruppierung = static_cast<KontenblattGruppierung>(g);
                    o.Stornierte = storno;
                    const Kontenblatt k = KontenblattAufbauen(d, o);
                    const std::string wo = "Konto " + std::to_string(konto) + " " + std::to_string(zeitraum.Jahr) +
                                           " Gruppierung " + std::to_string(g);
                    ASSERT_EQ(k.Einnahmen, ein) << wo;
                    ASSERT_EQ(k.Ausgaben, aus) << wo;
                    if (!storno && zeitraum.OberNr == 0 && zeitraum.Jahr != 0 && konto != 77) {
                        ASSERT_EQ(k.Saldo, KontoVeraenderung(d, konto, 1, 12, zeitraum.Jahr)) << wo;
                    }
                    std::multiset<std::pair<int32_t, int32_t>> gefunden;
                    Cent gruppe = 0;
                    int32_t letzterTag = INT32_MIN;
                    // Sums stand in the last display column, amounts in column 3 ("Betrag" last by category).
                    const size_t betrag = g == 2 ? 5 : 3;
                    for (const GridZeile& z : k.Tabelle.Zeilen) {
                        ASSERT_EQ(z.Zellen.size(), 6u);
                        const int32_t art = z.Daten.Zeilenart;
                        if (z.Daten.IdentNr != 0) {
                            gefunden.insert({z.Daten.IdentNr, art});
                            if (!z.Daten.Storniert) gruppe += z.Daten.Betraege[betrag].value();
                            if (g == 3) {
                                const int32_t tag = d.Buchungen[static_cast<size_t>(z.Daten.IdentNr - 1)].Datum;
                                ASSERT_LE(letzterTag, tag) << wo;
                                letzterTag = tag;
                            }
                        } else if (art == KbUeberschrift) {
                            gruppe = 0;
                        } else if (art == KbZwischensumme) {
                            ASSERT_EQ(z.Daten.Betraege[5].value(), gruppe) << wo;
                            gruppe = 0;
                        }
                    }
                    ASSERT_EQ(gefunden, erwartet) << wo;
                }
            }
}

INSTANTIATE_TEST_SUITE_P(Zufallsbuecher, KontenblattZufall, ::testing::Values(1u, 5u, 23u));

}  // namespace
}  // namespace talerwerk
