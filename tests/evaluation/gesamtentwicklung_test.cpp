#include "evaluation/gesamtentwicklung.h"

#include <gtest/gtest.h>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/auswertung.h"
#include "evaluation/testbuch.h"
#include "evaluation/zeitraeume.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Tag;

MonatsDatenTyp Gesamt() {
    MonatsDatenTyp m;
    m.Bezeichnung = "Gesamter Zeitraum";
    return m;
}

// Girokonto 500,00 and Sparbuch 1.000,00 at the start; bookings in 2024 and 2025.
Datenbestand Buch() {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen.push_back(Buchung(Tag(15, 3, 2024), BArtEinnahme, 200000, 1, 10));
    d.Buchungen.push_back(Buchung(Tag(20, 3, 2024), BArtAusgabe, 50000, 1, 21));
    d.Buchungen.push_back(Buchung(Tag(1, 12, 2024), BArtUmbuchung, 30000, 1, 3));
    d.Buchungen.push_back(Buchung(Tag(5, 2, 2025), BArtAusgabe, 12345, 2, 30));
    d.Buchungen.push_back(Buchung(Tag(6, 2, 2025), BArtAusgabe, 99999, 1, 30, true));
    BuchungenErneuert(d);
    return d;
}

const int32_t Heute = Tag(15, 6, 2025);

Gesamtentwicklung Entwicklung(const Datenbestand& d, bool jaehrlich, bool saldo, int32_t auswahl = 5000,
                              MonatsDatenTyp zeitraum = Gesamt()) {
    GesamtentwicklungOptionen o;
    o.Auswahl = auswahl;
    o.Zeitraum = zeitraum;
    o.Jaehrlich = jaehrlich;
    o.Saldo = saldo;
    o.Heute = Heute;
    return GesamtentwicklungAufbauen(d, o);
}

TEST(Gesamtentwicklung, JaehrlichKontostaende) {
    const Datenbestand d = Buch();
    const Gesamtentwicklung g = Entwicklung(d, true, false);
    EXPECT_EQ(g.Tabelle.Titel, "Gesamtentwicklung -  Gesamter Zeitraum - Alle Konten");
    EXPECT_EQ(g.Tabelle.Kopf, (std::vector<std::string>{"", "Anf.-stand", "Jahr 2024", "Jahr 2025"}));
    EXPECT_EQ(g.Hinweis, "Kontostände");
    ASSERT_EQ(g.Tabelle.Zeilen.size(), 4u);  // Girokonto, Bargeld, Sparbuch, Gesamt
    const GridZeile& giro = g.Tabelle.Zeilen[0];
    EXPECT_EQ(giro.Zellen, (std::vector<std::string>{"Girokonto", "500,00", "1.700,00", "1.700,00"}));
    EXPECT_EQ(g.Tabelle.Zeilen[1].Zellen, (std::vector<std::string>{"Bargeld", "0,00", "0,00", "-123,45"}));
    EXPECT_EQ(g.Tabelle.Zeilen[1].Daten.Farben[3], Farbklasse::Negativ);
    EXPECT_EQ(g.Tabelle.Zeilen[2].Zellen[2], "1.300,00");
    const GridZeile& summe = g.Tabelle.Zeilen[3];
    EXPECT_EQ(summe.Daten.Zeilenart, GeGesamt);
    EXPECT_EQ(summe.Zellen, (std::vector<std::string>{"Gesamt", "1.500,00", "3.000,00", "2.876,55"}));
    EXPECT_EQ(summe.Daten.Betraege[3], 287655);
    EXPECT_EQ(g.Anfang, 150000);
    EXPECT_EQ(g.Staende, (std::vector<Cent>{300000, 287655}));
    EXPECT_EQ(g.Ergebnisse, (std::vector<Cent>{150000, -12345}));
    EXPECT_EQ(g.Achsentexte, (std::vector<std::string>{"2024", "2025"}));
}

TEST(Gesamtentwicklung, SaldoUndGleichesDiagramm) {
    const Datenbestand d = Buch();
    const Gesamtentwicklung stand = Entwicklung(d, false, false);
    const Gesamtentwicklung saldo = Entwicklung(d, false, true);
    EXPECT_EQ(saldo.Hinweis, "Saldo (Gewinn und Verlust)");
    EXPECT_EQ(saldo.Tabelle.Kopf.back(), "Gesamtsaldo");
    EXPECT_EQ(saldo.Tabelle.Kopf[2], "März 2024");  // the first booked month
    EXPECT_EQ(saldo.Tabelle.Kopf[saldo.Tabelle.Kopf.size() - 2], "Juni 2025");
    // Per account: opening plus the results is the last balance, and the total result.
    for (size_t z = 0; z < saldo.Tabelle.Zeilen.size(); ++z) {
        const auto& w = saldo.Tabelle.Zeilen[z].Daten.Betraege;
        Cent summe = 0;
        for (size_t s = 2; s + 1 < w.size(); ++s) summe += *w[s];
        const auto& letzte = stand.Tabelle.Zeilen[z].Daten.Betraege;
        EXPECT_EQ(*w[1] + summe, *letzte.back());
        EXPECT_EQ(*w.back(), summe);
    }
    EXPECT_EQ(stand.Staende, saldo.Staende);
    EXPECT_EQ(stand.Ergebnisse, saldo.Ergebnisse);
    EXPECT_EQ(stand.Achsentexte.front(), "03/2024");
}

TEST(Gesamtentwicklung, EinJahrUndLeereAuswahl) {
    Datenbestand d = Buch();
    MonatsDatenTyp jahr;
    jahr.Bezeichnung = "Jahr 2024";
    jahr.Jahr = 2024;
    jahr.VonMonat = 1;
    jahr.BisMonat = 12;
    const Gesamtentwicklung g = Entwicklung(d, false, false, 1, jahr);
    EXPECT_EQ(g.Tabelle.Titel, "Gesamtentwicklung -  Jahr 2024 - Girokonto");
    EXPECT_EQ(g.Tabelle.Kopf.size(), 2u + 10u);           // March to December
    EXPECT_EQ(g.Tabelle.Zeilen[0].Zellen[1], "500,00");   // end of February
    EXPECT_EQ(g.Tabelle.Zeilen[0].Zellen[2], "2.000,00"); // end of March
    // Without any account: only the total row, all zero, and the chart's scale top is 1.
    d.Konten.erase(std::remove_if(d.Konten.begin(), d.Konten.end(), [](const kontotyp& k) { return k.Art == ArtSparkonto; }),
                   d.Konten.end());
    const Gesamtentwicklung leer = Entwicklung(d, true, false, AuswahlSparkonten);
    ASSERT_EQ(leer.Tabelle.Zeilen.size(), 1u);
    for (size_t s = 1; s < leer.Tabelle.Zeilen[0].Zellen.size(); ++s) EXPECT_EQ(leer.Tabelle.Zeilen[0].Zellen[s], "0,00");
    const Diagramm c = DiagrammBerechnen(leer, DiagrammAnzeige::Beides, {400, 300, nullptr, "EUR"});
    EXPECT_EQ(c.Skala, 1);
}

TEST(Gesamtentwicklung, GleichDerSchlichtenRechnung) {
    // The random book without its dates far outside the calendar, which would ask for some
    // millions of month columns.
    Datenbestand d = test::ZufallsBuch(5, 800);
    std::vector<size_t> fern;
    for (size_t i = 0; i < d.Buchungen.size(); ++i)
        if (d.Buchungen.Datum(i) < Tag(1, 1, 1990) || d.Buchungen.Datum(i) > Tag(31, 12, 2030)) fern.push_back(i);
    d.Buchungen.Entfernen(fern);
    BuchungenErneuert(d);
    for (int32_t auswahl : {AuswahlAlleKonten, AuswahlBestandskonten, 3}) {
        for (bool saldo : {false, true}) {
            const Gesamtentwicklung g = Entwicklung(d, false, saldo, auswahl);
            const auto konten = KontenDerAuswahl(d, auswahl);
            ASSERT_EQ(g.Tabelle.Zeilen.size(), konten.size() + 1);
            for (size_t k = 0; k < konten.size(); ++k) {
                const auto& w = g.Tabelle.Zeilen[k].Daten.Betraege;
                for (size_t j = 0; j < g.Perioden.size(); ++j) {
                    const MonatsDatenTyp& p = g.Perioden[j];
                    const Cent plain = saldo ? KontoVeraenderung(d, konten[k].Nr, p.VonMonat, p.BisMonat, p.Jahr)
                                             : MonatsendStand(d, konten[k].Nr, p.BisMonat, p.Jahr);
                    ASSERT_EQ(*w[2 + j], plain) << konten[k].Name << " " << p.Bezeichnung;
                }
            }
        }
    }
}

// A chart over hand-made series; text six pixels per character.
Gesamtentwicklung Reihe(Cent anfang, std::vector<Cent> staende) {
    Gesamtentwicklung g;
    g.Anfang = anfang;
    Cent vorher = anfang;
    for (size_t j = 0; j < staende.size(); ++j) {
        g.Staende.push_back(staende[j]);
        g.Ergebnisse.push_back(staende[j] - vorher);
        vorher = staende[j];
        g.Achsentexte.push_back(std::to_string(2000 + j));
    }
    return g;
}

DiagrammVorgaben Vorgaben(int breite, int hoehe) {
    return {breite, hoehe, [](const std::string& t) { return static_cast<int>(t.size()) * 6; }, "EUR"};
}

TEST(Diagramm, SkalaUndTeilstriche) {
    const Gesamtentwicklung g = Reihe(0, {123456, 100000});
    const Diagramm c = DiagrammBerechnen(g, DiagrammAnzeige::Beides, Vorgaben(615, 330));
    EXPECT_EQ(c.Links, 36 + 15 + 5);
    EXPECT_EQ(c.Hoehe, 300);
    EXPECT_EQ(c.Breite, 615 - 15 - 56);
    EXPECT_EQ(c.Nulllinie, 165);
    EXPECT_EQ(c.Halbskala, 135);
    EXPECT_EQ(c.Einheit, 100);
    EXPECT_EQ(c.Skala, 1200);
    EXPECT_EQ(c.Einheitstext, "in  EUR");
    std::vector<std::string> oben;
    for (size_t i = 1; i < c.Teilstriche.size(); i += 2) oben.push_back(c.Teilstriche[i].Text);
    EXPECT_EQ(oben, (std::vector<std::string>{"240", "480", "720", "960", "1200"}));
    EXPECT_EQ(c.Teilstriche[0].Text, "-240");
    EXPECT_EQ(c.Teilstriche[0].Y, 165 + 27);
    EXPECT_EQ(c.Teilstriche[9].Y, 165 - 135);
    // Step round(544 / 2.5) = 218; bars a quarter step left of each period, half a step wide.
    EXPECT_EQ(c.Schritt, 218);
    ASSERT_EQ(c.Saeulen.size(), 2u);
    EXPECT_EQ(c.Saeulen[0].X, 56 + 218 - 54);
    EXPECT_EQ(c.Saeulen[0].Breite, 109);
    EXPECT_TRUE(c.Saeulen[0].Positiv);
    EXPECT_FALSE(c.Saeulen[1].Positiv);
    EXPECT_EQ(c.Saeulen[1].Y1, 165);
    EXPECT_EQ(c.Saeulen[1].Y2, 165 + 26);  // round(234,56 / 1200 · 135)
    ASSERT_EQ(c.Linie.size(), 3u);
    EXPECT_EQ(c.Linie[0].Y, 165);
    EXPECT_EQ(c.Linie[1].Y, 165 - 139);  // 1234,56 lies above the scale top
    EXPECT_EQ(c.Achsentexte.size(), 2u);
}

TEST(Diagramm, KleineWerteTausenderUndAnzeige) {
    const Diagramm klein = DiagrammBerechnen(Reihe(0, {4250, -3000}), DiagrammAnzeige::Beides, Vorgaben(400, 300));
    EXPECT_EQ(klein.Einheit, 1);
    EXPECT_EQ(klein.Skala, 72);  // M = 72,50 (the second result)
    EXPECT_EQ(klein.Teilstriche.size(), 10u);
    const Diagramm gross = DiagrammBerechnen(Reihe(0, {6543210}), DiagrammAnzeige::Kontostand, Vorgaben(400, 300));
    EXPECT_TRUE(gross.Tausender);
    EXPECT_EQ(gross.Skala, 65000);
    EXPECT_EQ(gross.Einheitstext, "in 1000 EUR");
    EXPECT_EQ(gross.Teilstriche.back().Text, "65");
    EXPECT_EQ(gross.Teilstriche[1].Text, "13");
    EXPECT_TRUE(gross.Saeulen.empty());
    // Only results: no line, and the balances do not set the scale.
    const Diagramm saldo = DiagrammBerechnen(Reihe(1000000, {1000500}), DiagrammAnzeige::Saldo, Vorgaben(400, 300));
    EXPECT_TRUE(saldo.Linie.empty());
    EXPECT_EQ(saldo.Skala, 5);
    EXPECT_EQ(DiagrammHinweis(DiagrammAnzeige::Beides), "Kontostände und Saldo");
}

TEST(Diagramm, VieleMonateImKleinenFenster) {
    // 40 years monthly in a window narrower than the periods: the step stays 1 pixel, captions
    // keep their distance, and every bar stays inside the plot area.
    std::vector<Cent> staende;
    for (int i = 0; i < 480; ++i) staende.push_back((i % 7) * 100000 - 300000);
    const Gesamtentwicklung g = Reihe(0, staende);
    for (auto [b, h] : {std::pair{120, 80}, std::pair{10, 10}, std::pair{600, 200}}) {
        const Diagramm c = DiagrammBerechnen(g, DiagrammAnzeige::Beides, Vorgaben(b, h));
        EXPECT_GE(c.Schritt, 1);
        EXPECT_GE(c.Hoehe, 1);
        for (size_t i = 1; i < c.Achsentexte.size(); ++i)
            EXPECT_GE(c.Achsentexte[i].X - c.Achsentexte[i - 1].X, 24);
        for (const auto& s : c.Saeulen) {
            EXPECT_GE(s.Y1, c.Oben);
            EXPECT_LE(s.Y2, c.Oben + c.Hoehe);
        }
    }
    // 1,50 lies above the scale top of 1: the bar is cut at the plot's top, the line's point lies
    // outside (the drawing is clipped there).
    const Diagramm c = DiagrammBerechnen(Reihe(0, {150}), DiagrammAnzeige::Beides, Vorgaben(300, 200));
    EXPECT_EQ(c.Skala, 1);
    EXPECT_EQ(c.Halbskala, 76);
    EXPECT_EQ(c.Saeulen[0].Y1, c.Oben);
    EXPECT_EQ(c.Saeulen[0].Y2, c.Nulllinie);
    EXPECT_LT(c.Linie[1].Y, c.Oben);
}

}  // namespace
}  // namespace talerwerk
