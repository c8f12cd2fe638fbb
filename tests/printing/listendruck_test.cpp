// Printed booking lists (account sheet, booking overview) and the overall development, on the
// recording device: A4 at 600 dpi (24 px per mm), report font 12 pt, so every character is 50 px
// (2.083 mm) wide and a line 100 px high. Left margin 25 mm = 600 px; printable width
// 206.67 − 25 − 20 = 161.67 mm.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "evaluation/testbuch.h"
#include "printing/berichtsdruck.h"
#include "printing/testgeraet.h"
#include "store/betrag.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Tag;
using test::TestGeraet;

constexpr int kZeichen = 50;
// x in pixels of a position in millimetres from the left margin.
int Px(double mm) { return 600 + static_cast<int>(std::lround(mm * 24)); }

MonatsDatenTyp Gesamt() {
    MonatsDatenTyp m;
    m.Bezeichnung = "Gesamter Zeitraum";
    return m;
}

// Girokonto (1): salary from Gehalt, fuel for Auto (one cancelled), a transfer to the Sparbuch.
Datenbestand Buch(const std::string& autoName = "Auto") {
    Datenbestand d = test::KleinesBuch();
    d.Mandant.Text1 = "Familie Muster";
    for (kontotyp& k : d.Konten)
        if (k.Nr == 30) k.Name = autoName;
    auto dazu = [&](int32_t nr, buchungstyp b, const char* text) {
        b.IdentNr = nr;
        b.Text = text;
        d.Buchungen.push_back(b);
    };
    dazu(1, Buchung(Tag(2, 1, 2024), BArtEinnahme, 200000, 1, 10), "Lohn Januar");
    dazu(2, Buchung(Tag(3, 1, 2024), BArtAusgabe, 5000, 1, 30), "Tanken");
    dazu(3, Buchung(Tag(4, 1, 2024), BArtAusgabe, 7000, 1, 30, true), "Storniert");
    dazu(4, Buchung(Tag(5, 1, 2024), BArtUmbuchung, 30000, 1, 3), "Sparen");
    return d;
}

Druckumgebung Umgebung(const Datenbestand& d) { return DruckumgebungAus(d, Einstellungen{}, Tag(8, 12, 2026)); }

Berichtsanfrage Blatt(const Datenbestand& d, KontenblattGruppierung g, bool stornierte = true) {
    KontenblattOptionen o;
    o.Konto = 1;
    o.Zeitraum = Gesamt();
    o.Gruppierung = g;
    o.Stornierte = stornierte;
    return KontenblattDruck(d, o);
}

TestGeraet Drucken(const Berichtsanfrage& a, const Datenbestand& d, Druckergebnis* r = nullptr) {
    TestGeraet g;
    OhneFortschritt f;
    const Druckergebnis e = BerichtDrucken(g, a, Umgebung(d), f);
    if (r) *r = e;
    return g;
}

TestGeraet::Gedruckt Eins(const TestGeraet& g, const std::string& text) {
    const auto t = g.Finden(text);
    EXPECT_EQ(t.size(), 1u) << text;
    return t.empty() ? TestGeraet::Gedruckt{} : t.front();
}
int RechterRand(const TestGeraet::Gedruckt& t) {
    return t.X + kZeichen * static_cast<int>(t.Inhalt.size());  // ASCII texts only
}

TEST(Listendruck, KontenblattNachTypSpaltenpositionen) {
    const Datenbestand d = Buch();
    const Berichtsanfrage a = Blatt(d, KontenblattGruppierung::Buchungstyp);
    EXPECT_EQ(a.ZweiterName, "Nach Typ");
    const TestGeraet g = Drucken(a, d);
    // Widths, rounded up to whole mm: number (its 14-character heading) 32, date 23, sto. 11,
    // amount 29, counter side (its heading) 38, the text the rest (28). Slots begin a gap right
    // of each column's left edge.
    EXPECT_EQ(Eins(g, "0001  ").X, Px(2));
    EXPECT_EQ(Eins(g, "02.01.24").X, Px(34));
    EXPECT_EQ(Eins(g, "x").X, Px(57));
    EXPECT_EQ(RechterRand(Eins(g, "2000,00")), Px(95));
    EXPECT_EQ(Eins(g, "Lohn Januar").X, Px(97));
    EXPECT_EQ(Eins(g, "Gehalt").X, Px(125));
    // Headings: bold, centred in their slots, never cut.
    const auto betrag = Eins(g, "Betrag");
    EXPECT_TRUE(betrag.Schrift.Fett());
    EXPECT_EQ(betrag.X, 600 + (27 * 24) / 2 + 68 * 24 - 3 * kZeichen);
    EXPECT_EQ(Eins(g, "B.-text").Y, betrag.Y);
    EXPECT_EQ(Eins(g, "B-nr./Belegnr.").Y, betrag.Y);
    EXPECT_EQ(Eins(g, "Rubrik/Gegenkonto").Y, betrag.Y);
    // Expenses stand five blanks left of the income amounts, in the negative colour; a cancelled
    // booking in the font's colour.
    const auto tanken = Eins(g, "50,00     ");
    EXPECT_EQ(RechterRand(tanken), Px(95));
    EXPECT_EQ(tanken.Schrift.Farbe, Einstellungen{}.Negativ);
    EXPECT_EQ(Eins(g, "70,00     ").Schrift.Farbe, 0);
    EXPECT_EQ(Eins(g, "2000,00").Schrift.Farbe, Einstellungen{}.Positiv);
    // Section headings across the line from the first slot, bold; the subtotals' caption
    // right-aligned in the date column, the sum right-aligned in the amount column, by sign.
    const auto einnahmen = Eins(g, "Einnahmen");
    EXPECT_EQ(einnahmen.X, Px(2));
    EXPECT_TRUE(einnahmen.Schrift.Fett());
    const auto gesamte = g.Finden("Gesamt");
    ASSERT_EQ(gesamte.size(), 3u);
    for (const auto& t : gesamte) EXPECT_EQ(RechterRand(t), Px(55));
    const auto minus = Eins(g, "-50,00");  // the cancelled booking counts nowhere
    EXPECT_EQ(RechterRand(minus), Px(95));
    EXPECT_EQ(minus.Schrift.Farbe, Einstellungen{}.Negativ);
    EXPECT_EQ(minus.Y, gesamte[1].Y);
    EXPECT_EQ(Eins(g, "2.000,00").Schrift.Farbe, Einstellungen{}.Positiv);
    // One page group, one page.
    for (const auto& t : g.Texte) EXPECT_EQ(t.Seite, 1) << t.Inhalt;
    // Title block: account, period and grouping.
    for (const char* text : {"Kontenblatt", "Girokonto", "Gesamter Zeitraum", "Nach Typ"}) EXPECT_EQ(g.Finden(text).size(), 1u) << text;
}

TEST(Listendruck, KontenblattNachRubrikKategorieVorneSummenHinten) {
    const Datenbestand d = Buch();
    const TestGeraet g = Drucken(Blatt(d, KontenblattGruppierung::Rubrik), d);
    // Order: counter side (heading + two gaps: 40 mm), number 32, date 23, sto. 11, text (the
    // rest: 26), amount 29 at the right.
    EXPECT_EQ(Eins(g, "0001  E  ").X, Px(42));
    EXPECT_EQ(Eins(g, "02.01.24").X, Px(74));
    EXPECT_EQ(Eins(g, "x").X, Px(97));
    EXPECT_EQ(Eins(g, "Lohn Januar").X, Px(108));
    EXPECT_EQ(RechterRand(Eins(g, "2000,00")), Px(161));
    // The category heading in the first slot, bold.
    const auto gehalt = Eins(g, "Gehalt");
    EXPECT_EQ(gehalt.X, Px(2));
    EXPECT_TRUE(gehalt.Schrift.Fett());
    // Group subtotal: caption at the right of the text column; section total: caption at the
    // right of the first column, bold; the sums at the right of the amount column.
    const auto gesamte = g.Finden("Gesamt");
    ASSERT_EQ(gesamte.size(), 3u);  // Gehalt, Auto, Sparbuch
    for (const auto& t : gesamte) EXPECT_EQ(RechterRand(t), Px(132));
    const auto summe = Eins(g, "Gesamt Einnahmen");
    EXPECT_EQ(RechterRand(summe), Px(40));
    EXPECT_TRUE(summe.Schrift.Fett());
    const auto betrag = g.Finden("2.000,00");
    ASSERT_EQ(betrag.size(), 2u);  // the group's and the section's sums
    for (const auto& t : betrag) EXPECT_EQ(RechterRand(t), Px(161));
    EXPECT_EQ(betrag[1].Y, summe.Y);
    EXPECT_TRUE(betrag[1].Schrift.Fett());
    EXPECT_EQ(Eins(g, "Nach Rubrik").Seite, 1);
}

TEST(Listendruck, BreiteGegenkontenSchiebenDenTextAufSeitengruppen) {
    // A category name of 70 characters (146 mm): the text column shrinks to 35 mm and the counter
    // side goes to a second page group, which repeats the title block.
    const std::string lang(70, 'R');
    const Datenbestand d = Buch(lang);
    Druckergebnis r;
    const TestGeraet g = Drucken(Blatt(d, KontenblattGruppierung::Buchungstyp), d, &r);
    EXPECT_EQ(r.Seiten, 2);
    const auto titel = g.Finden("Kontenblatt");
    ASSERT_EQ(titel.size(), 2u);
    EXPECT_EQ(titel[1].Seite, 2);
    const auto name = g.Finden(lang);
    ASSERT_EQ(name.size(), 2u);  // both bookings on Auto
    for (const auto& t : name) {
        EXPECT_EQ(t.Seite, 2);
        EXPECT_EQ(t.X, Px(2));
    }
    // Page 1: the number … text columns; the text column is 35 mm.
    EXPECT_EQ(Eins(g, "Lohn Januar").Seite, 1);
    EXPECT_EQ(Eins(g, "Lohn Januar").X, Px(97));
    // The section headings only on the first group's pages, the rows keep their lines.
    EXPECT_EQ(Eins(g, "Einnahmen").Seite, 1);
    EXPECT_EQ(g.Finden("Gehalt")[0].Y, Eins(g, "Lohn Januar").Y);
    // Nothing is drawn right of the printable width.
    for (const auto& t : g.Texte) EXPECT_LE(t.X, Px(161.67)) << t.Inhalt;
}

TEST(Listendruck, LangeListenBrechenUmUndWiederholenDieKopfzeile) {
    Datenbestand d = Buch();
    for (int i = 0; i < 150; ++i) {
        buchungstyp b = Buchung(Tag(1 + i % 28, 3, 2024), BArtAusgabe, 100 + i, 1, 30);
        b.IdentNr = 100 + i;
        b.Text = "Posten " + std::to_string(i);
        d.Buchungen.push_back(b);
    }
    for (const auto g : {KontenblattGruppierung::Buchungstyp, KontenblattGruppierung::Buchungsnummer,
                         KontenblattGruppierung::Rubrik, KontenblattGruppierung::Datum}) {
        Druckergebnis r;
        const TestGeraet geraet = Drucken(Blatt(d, g), d, &r);
        ASSERT_GE(r.Seiten, 3);
        EXPECT_EQ(static_cast<int>(geraet.Finden("B.-text").size()), r.Seiten);
        EXPECT_EQ(static_cast<int>(geraet.Finden("Kontenblatt").size()), r.Seiten);
        const int unten = geraet.Druckbereich().Hoehe - 25 * 24;  // bottom margin
        for (const auto& t : geraet.Texte)
            if (t.Inhalt != "Seite " + std::to_string(t.Seite)) {
                EXPECT_LE(t.Y + 100, unten) << t.Inhalt;
            }
        for (const auto& s : geraet.Striche) EXPECT_LE(std::max(s.Y1, s.Y2), unten);
        for (int i = 0; i < 150; ++i) EXPECT_EQ(geraet.Finden("Posten " + std::to_string(i)).size(), 1u) << i;
    }
}

// Aborts at the given poll.
class AbbruchNach : public OhneFortschritt {
public:
    explicit AbbruchNach(int n) : n_(n) {}
    bool Abgebrochen() override { return ++abfragen_ >= n_; }
    int abfragen_ = 0;

private:
    int n_;
};

TEST(Listendruck, AbbruchZwischenDenSeitenEinerLangenListe) {
    Datenbestand d = Buch();
    for (int i = 0; i < 300; ++i) {
        buchungstyp b = Buchung(Tag(1 + i % 28, 3, 2024), BArtAusgabe, 100 + i, 1, 30);
        b.IdentNr = 100 + i;
        d.Buchungen.push_back(b);
    }
    const Berichtsanfrage a = Blatt(d, KontenblattGruppierung::Buchungsnummer);
    TestGeraet ganz;
    OhneFortschritt ohne;
    const Druckergebnis voll = BerichtDrucken(ganz, a, Umgebung(d), ohne);
    ASSERT_GE(voll.Seiten, 4);
    // The notice is polled before the table and at every page break: the third poll stops the
    // copy after its second page; the document is still ended.
    TestGeraet g;
    AbbruchNach abbruch(3);
    const Druckergebnis r = BerichtDrucken(g, a, Umgebung(d), abbruch);
    EXPECT_TRUE(r.Abgebrochen);
    EXPECT_EQ(r.Seiten, 2);
    EXPECT_EQ(g.Seiten, 2);
    EXPECT_FALSE(g.Offen);
    EXPECT_EQ(g.Dokumente, 1);
}

// A booking overview's print rows by hand, in the order of the grouping by number.
GridZeile Zeile(int32_t art, std::vector<std::string> zellen, std::optional<Cent> betrag = std::nullopt) {
    GridZeile z;
    z.Daten.Zeilenart = art;
    z.Zellen = std::move(zellen);
    z.Zellen.resize(7);
    z.Daten.Betraege.assign(7, std::nullopt);
    z.Daten.Betraege[6] = betrag;
    z.Daten.Farben.assign(7, Farbklasse::Text);
    return z;
}

Berichtsanfrage Uebersicht(Cent saldo) {
    Berichtsanfrage a;
    a.Art = DruckBuchungsuebersicht;
    a.KontoName = "Filter: Urlaub";
    a.ZeitraumName = "Zeitraum: 01.01.2024 - 31.12.2024";
    a.Spalten = {0, 1, 2, 6, 5, 4, 3};
    a.Tabelle.Zeilen = {
        Zeile(1, {"Einnahmen"}),
        Zeile(3, {"0001  ", "02.01.24", "", "Girokonto", "Gehalt", "Lohn", "100,00"}, 10000),
        Zeile(5, {"Einn. Gesamt", "", "", "", "", "", "100,00"}, 10000),
        Zeile(6, {"davon Umbuchg.", "", "", "", "", "", "0,00"}, 0),
        Zeile(7, {"Einn. real", "", "", "", "", "", "100,00"}, 10000),
        Zeile(1, {"Ausgaben"}),
        Zeile(4, {"0002  ", "03.01.24", "x", "Girokonto", "Auto", "Tanken", "40,00"}, -4000),
        Zeile(4, {"0003  ", "04.01.24", "", "Girokonto", "Auto", "Reifen", "250,00"}, -25000),
        Zeile(2, {"", "", "", "", "", "", "-250,00"}, -25000),
        Zeile(8, {"Ausg. Gesamt", "", "", "", "", "", "250,00"}, 25000),
        Zeile(11, {saldo >= 0 ? "Saldo (Gewinn)" : "Saldo (Verlust)", "", "", "", "", "", CentAnzeige(saldo)}, saldo),
    };
    return a;
}

// The overview's seven columns fill a landscape sheet (247 mm wide).
Datenbestand Quer() {
    Datenbestand d = Buch();
    d.Druckereinstellung.Ausrichtung = 1;
    return d;
}

TEST(Listendruck, UebersichtZeilenartenBetraegeUndFarben) {
    const Datenbestand d = Quer();
    const Einstellungen e;
    const TestGeraet g = Drucken(Uebersicht(-15000), d);
    // Subtotal and balance without sign, from their cents, negative ones five blanks to the left:
    // the expense row, the group subtotal and the part total all read "250,00     ".
    const auto zweihundert = g.Finden("250,00     ");
    ASSERT_EQ(zweihundert.size(), 3u);
    for (const auto& t : zweihundert) EXPECT_EQ(t.Schrift.Farbe, e.Negativ);
    EXPECT_FALSE(zweihundert[1].Schrift.Fett());  // subtotal
    EXPECT_TRUE(zweihundert[2].Schrift.Fett());   // "Ausg. Gesamt"
    const auto saldo = Eins(g, "150,00     ");
    EXPECT_EQ(saldo.Schrift.Farbe, e.Negativ);
    EXPECT_TRUE(saldo.Schrift.Fett());
    EXPECT_TRUE(Eins(g, "Saldo (Verlust)").Schrift.Fett());
    EXPECT_EQ(Eins(g, "Saldo (Verlust)").X, Px(2));
    EXPECT_TRUE(g.Finden("-250,00").empty());
    EXPECT_EQ(g.Finden("100,00").size(), 3u);
    for (const auto& t : g.Finden("100,00")) EXPECT_EQ(t.Schrift.Farbe, e.Positiv);
    EXPECT_TRUE(Eins(g, "Einn. Gesamt").Schrift.Fett());
    EXPECT_FALSE(Eins(g, "davon Umbuchg.").Schrift.Fett());
    EXPECT_TRUE(Eins(g, "Einn. real").Schrift.Fett());
    // A cancelled booking: the font's colour.
    EXPECT_EQ(Eins(g, "40,00     ").Schrift.Farbe, 0);
    // The amount column is the last one: every amount ends at its right edge.
    const int rechts = RechterRand(Eins(g, "40,00     "));
    EXPECT_EQ(RechterRand(saldo), rechts);
    for (const auto& t : g.Finden("100,00")) EXPECT_EQ(RechterRand(t), rechts);
    // Title block from the request: the filter's name and period.
    EXPECT_EQ(Eins(g, "Buchungsübersicht").Seite, 1);
    EXPECT_EQ(Eins(g, "Filter: Urlaub").X, 600);
    EXPECT_EQ(g.Finden("Zeitraum: 01.01.2024 - 31.12.2024").size(), 1u);
    // A profit: positive colour, no blanks.
    const TestGeraet gewinn = Drucken(Uebersicht(2500), d);
    EXPECT_EQ(Eins(gewinn, "25,00").Schrift.Farbe, e.Positiv);
    EXPECT_EQ(Eins(gewinn, "Saldo (Gewinn)").X, Px(2));
}

TEST(Listendruck, TrennlinienUmSummenUndOhneFarbigeBetraege) {
    Datenbestand d = Quer();
    d.Druckereinstellung.Tabellenrahmen = false;
    const TestGeraet mit = Drucken(Uebersicht(100), d);
    d.Druckereinstellung.Trennlinien = false;
    d.Druckereinstellung.FarbigerBetrag = false;
    const TestGeraet ohne = Drucken(Uebersicht(100), d);
    EXPECT_TRUE(ohne.Striche.empty());
    // Title block 2, heading line 2; above kinds 2, 5, 8, 11; below 2, 7, 11 (10 is absent).
    EXPECT_EQ(mit.Striche.size(), 4u + 4u + 3u);
    for (const auto& t : ohne.Texte) EXPECT_EQ(t.Schrift.Farbe, 0) << t.Inhalt;
    // The rows are moved down by the rules: the balance is lower with them.
    EXPECT_GT(Eins(mit, "1,00").Y, Eins(ohne, "1,00").Y);
}

TEST(Listendruck, LeereListeDrucktNurDieKopfzeile) {
    const Datenbestand d = Quer();
    Berichtsanfrage a = Uebersicht(0);
    a.Tabelle.Zeilen.clear();
    Druckergebnis r;
    const TestGeraet g = Drucken(a, d, &r);
    EXPECT_EQ(r.Seiten, 1);
    for (const char* kopf : {"B-nr./Belegnr.", "Datum", "sto.", "Konto", "Rubrik/Gegenkonto", "B.-text", "Betrag"})
        EXPECT_EQ(g.Finden(kopf).size(), 1u) << kopf;
    EXPECT_TRUE(g.Finden("0,00").empty());
}

// ---- the overall development ----

Berichtsanfrage Entwicklung(int konten, int perioden) {
    Berichtsanfrage a;
    a.Art = DruckGesamtentwicklung;
    a.KontoName = "Alle Konten";
    a.ZeitraumName = "Gesamter Zeitraum";
    a.Tabelle.Kopf = {"", "Anf.-stand"};
    for (int p = 0; p < perioden; ++p) a.Tabelle.Kopf.push_back("Jahr " + std::to_string(2000 + p));
    std::vector<Cent> summe(static_cast<size_t>(perioden) + 1, 0);
    auto zeile = [&](int32_t art, const std::string& name, const std::vector<Cent>& werte) {
        GridZeile z;
        z.Daten.Zeilenart = art;
        z.Daten.Zeilentext = name;
        z.Zellen.push_back(name);
        z.Daten.Betraege.push_back(std::nullopt);
        for (Cent w : werte) {
            z.Zellen.push_back(CentAnzeige(w));
            z.Daten.Betraege.push_back(w);
        }
        a.Tabelle.Zeilen.push_back(std::move(z));
    };
    for (int k = 0; k < konten; ++k) {
        std::vector<Cent> werte;
        for (int p = 0; p <= perioden; ++p) {
            const Cent w = (k + 1) * 100000 + p * 1000 - (k % 3 == 0 ? 50000000 : 0);
            werte.push_back(w);
            summe[static_cast<size_t>(p)] += w;
        }
        zeile(1, "Konto " + std::to_string(k + 1), werte);
    }
    zeile(2, "Gesamt", summe);
    return a;
}

TEST(Listendruck, EntwicklungSpalteFuerSpalteAufDenZeilenDerKonten) {
    const Datenbestand d = Buch();
    const Berichtsanfrage a = Entwicklung(3, 2);
    Druckergebnis r;
    const TestGeraet g = Drucken(a, d, &r);
    EXPECT_EQ(r.Seiten, 1);
    EXPECT_EQ(Eins(g, "Gesamtentwicklung").Seite, 1);
    // Every value on its account's line, in the column under its heading.
    for (const GridZeile& z : a.Tabelle.Zeilen) {
        const auto name = Eins(g, z.Zellen[0]);
        EXPECT_EQ(name.X, Px(2));
        for (size_t s = 1; s < z.Zellen.size(); ++s) {
            const auto werte = g.Finden(z.Zellen[s]);
            ASSERT_FALSE(werte.empty()) << z.Zellen[s];
            EXPECT_TRUE(std::any_of(werte.begin(), werte.end(), [&](const auto& t) { return t.Y == name.Y; }))
                << z.Zellen[s];
        }
    }
    // The total row one empty line below the last account, bold, coloured by sign.
    const auto gesamt = Eins(g, "Gesamt");
    EXPECT_TRUE(gesamt.Schrift.Fett());
    EXPECT_NEAR(gesamt.Y, Eins(g, "Konto 3").Y + 200, 2);
    const auto minus = g.Finden(a.Tabelle.Zeilen[3].Zellen[1]);
    ASSERT_FALSE(minus.empty());
    EXPECT_TRUE(minus.back().Schrift.Fett());
    EXPECT_EQ(minus.back().Schrift.Farbe, Einstellungen{}.Negativ);
    EXPECT_EQ(Eins(g, "Konto").X, Px(2));
}

TEST(Listendruck, EntwicklungMitVielenKontenBrichtInSeitenbloeckeUm) {
    // 90 accounts do not fit on one sheet: the rows are cut into blocks, each block printed whole
    // on its page with the title block and the heading line, nothing below the bottom limit.
    const Datenbestand d = Buch();
    const Berichtsanfrage a = Entwicklung(90, 3);
    Druckergebnis r;
    const TestGeraet g = Drucken(a, d, &r);
    ASSERT_GE(r.Seiten, 3);
    EXPECT_EQ(static_cast<int>(g.Finden("Anf.-stand").size()), r.Seiten);
    EXPECT_EQ(static_cast<int>(g.Finden("Gesamtentwicklung").size()), r.Seiten);
    const int unten = g.Druckbereich().Hoehe - 25 * 24;
    for (const auto& t : g.Texte)
        if (t.Inhalt.rfind("Seite ", 0) != 0) {
            EXPECT_LE(t.Y + 100, unten) << t.Inhalt << " page " << t.Seite;
        }
    for (const auto& s : g.Striche) EXPECT_LE(std::max(s.Y1, s.Y2), unten);
    // Every value stands on the page and line of its account.
    for (const GridZeile& z : a.Tabelle.Zeilen) {
        const auto name = Eins(g, z.Zellen[0]);
        for (size_t s = 1; s < z.Zellen.size(); ++s) {
            const auto werte = g.Finden(z.Zellen[s]);
            EXPECT_TRUE(std::any_of(werte.begin(), werte.end(),
                                    [&](const auto& t) { return t.Y == name.Y && t.Seite == name.Seite; }))
                << z.Zellen[s];
        }
    }
    // The total row comes last, on the last page.
    EXPECT_EQ(Eins(g, "Gesamt").Seite, r.Seiten);
}

TEST(Listendruck, EntwicklungSeitengruppeFolgtAufDerselbenSeiteWennPlatzIst) {
    // 2 accounts, 20 yearly columns: several page groups, all below each other on one page.
    const Datenbestand d = Buch();
    const Berichtsanfrage a = Entwicklung(2, 19);
    Druckergebnis r;
    const TestGeraet g = Drucken(a, d, &r);
    EXPECT_EQ(r.Seiten, 1);
    const auto koepfe = g.Finden("Konto");
    ASSERT_GE(koepfe.size(), 2u);
    EXPECT_GT(koepfe[1].Y, g.Finden("Gesamt")[0].Y);
    EXPECT_EQ(g.Finden("Gesamt").size(), koepfe.size());
    EXPECT_EQ(Eins(g, "Jahr 2018").Seite, 1);
}

}  // namespace
}  // namespace talerwerk
