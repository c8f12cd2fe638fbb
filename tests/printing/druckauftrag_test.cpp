#include "printing/druckauftrag.h"

#include <gtest/gtest.h>

#include "printing/testgeraet.h"

namespace talerwerk {
namespace {

using test::TestGeraet;

Druckschrift Schrift12() {
    Druckschrift s;
    s.Name = "Arial";
    s.Groesse = 12;
    return s;
}

// A begun job in the 12-point grid font: 101 px high, 50 px per character at 610 dpi.
struct Job {
    explicit Job(int rand = 0) : geraet(rand), job(geraet) {
        job.Beginne();
        job.SetzeSchrift(Schrift12());
    }
    TestGeraet geraet;
    Druckauftrag job;
};

TEST(Druckauftrag, MillimeterInPunktenDesGeraets) {
    Job j;
    EXPECT_EQ(j.job.PunkteProMMX(), 24);
    EXPECT_EQ(j.job.PunkteProMMY(), 24);
    j.job.SetzeRaender(25, 25, 25, 25);
    EXPECT_DOUBLE_EQ(j.job.RandLinksMM(), 25);
    j.job.TextAn("A", 0, 0);
    ASSERT_EQ(j.geraet.Texte.size(), 1u);
    EXPECT_EQ(j.geraet.Texte[0].X, 600);
    EXPECT_EQ(j.geraet.Texte[0].Y, 600);

    TestGeraet grob(0, 300);
    Druckauftrag job300(grob);
    EXPECT_EQ(job300.PunkteProMMX(), 12);
}

TEST(Druckauftrag, RaenderNieUnterDemUnbedruckbarenRand) {
    Job j(48);  // 2 mm unprintable on every side
    j.job.SetzeRaender(0, 0, 0, 0);
    EXPECT_DOUBLE_EQ(j.job.RandLinksMM(), 2);
    EXPECT_DOUBLE_EQ(j.job.RandObenMM(), 2);
    EXPECT_DOUBLE_EQ(j.job.RandUntenMM(), 2);
    j.job.TextAn("A", 0, 0);
    EXPECT_EQ(j.geraet.Texte.back().X, 0);  // the corner of the printable area
    EXPECT_EQ(j.geraet.Texte.back().Y, 0);

    j.job.SetzeRaender(1, 1, 1, 1);  // below the border: raised to it
    EXPECT_DOUBLE_EQ(j.job.RandLinksMM(), 2);

    // Two margins wider than the sheet: both fall back to the minimum, the others stay.
    j.job.SetzeRaender(20, 20, 150, 100);
    EXPECT_DOUBLE_EQ(j.job.RandLinksMM(), 2);
    EXPECT_DOUBLE_EQ(j.job.RandRechtsMM(), 2);
    EXPECT_DOUBLE_EQ(j.job.RandObenMM(), 20);
    EXPECT_NEAR(j.job.Druckbreite(), j.job.SeitenbreiteMM() - 4, 1e-9);
}

TEST(Druckauftrag, NaechsteUndGleicheZeile) {
    Job j;
    j.job.SetzeRaender(10, 10, 10, 10);
    j.job.TextAn("1", 0, 0);
    j.job.TextAn("2", NaechsteZeileY, 0);
    j.job.TextAn("3", NaechsteZeileY, 0);
    j.job.TextAn("4", GleicheZeileY, 30);
    const auto& t = j.geraet.Texte;
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].Y, 240);
    EXPECT_EQ(t[1].Y, 240 + 101);
    EXPECT_EQ(t[2].Y, 240 + 202);
    EXPECT_EQ(t[3].Y, t[2].Y);
    EXPECT_EQ(t[3].X, 240 + 720);
    EXPECT_NEAR(j.job.PositionY(), 2 * 101 / 24.0, 1e-9);
}

TEST(Druckauftrag, SpaltenKuerzenAnGanzenZeichen) {
    Job j;
    j.job.SetzeRaender(10, 10, 10, 10);
    j.job.SetzeSpalte(1, 5, 8 * 50 / 24.0);  // room for eight characters
    j.job.TextSpalte(1, "ABCDEFGHIJKL", true, 0);
    j.job.TextSpalte(1, "ABCDEFGHIJKL", false, NaechsteZeileY);
    j.job.TextSpalte(1, "ÄÖÜäöüßÄÖÜäö", true, NaechsteZeileY);
    j.job.TextSpalteRechts(1, "ABCDEFGHIJKL", true, NaechsteZeileY);
    j.job.TextSpalteMitte(1, "AB", NaechsteZeileY);
    const auto& t = j.geraet.Texte;
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0].Inhalt, "ABCDEFGH");
    EXPECT_EQ(t[0].X, 240 + 120);
    EXPECT_EQ(t[1].Inhalt, "ABCDEFGHIJKL");
    EXPECT_EQ(t[2].Inhalt, "ÄÖÜäöüßÄ");  // eight whole characters, sixteen bytes
    EXPECT_EQ(t[3].Inhalt, "ABCDEFGH");
    EXPECT_EQ(t[3].X, 240 + 120);           // right-aligned: the cut text fills the slot
    EXPECT_EQ(t[4].X, 240 + 120 + 200 - 50);  // centred
    // Not even one character fits: the text is drawn whole.
    j.job.SetzeSpalte(2, 5, 1);
    j.job.TextSpalte(2, "XYZ", true, 0);
    EXPECT_EQ(j.geraet.Texte.back().Inhalt, "XYZ");
    // Slots outside 1…20 draw nothing.
    j.job.TextSpalte(21, "nichts", false, 0);
    j.job.TextSpalte(0, "nichts", false, 0);
    EXPECT_TRUE(j.geraet.Finden("nichts").empty());
}

TEST(Druckauftrag, KopfzeilenUndSeitenzahlAufJederSeite) {
    TestGeraet g;
    Druckauftrag job(g);
    job.Beginne();
    job.SetzeSchrift(Schrift12());
    job.SetzeRaender(10, 10, 10, 10);
    job.SetzeKopfzeile(1, "Familie Muster", Schrift12(), Ausrichtung::Links, 0);
    job.SetzeKopfzeile(2, "", Schrift12(), Ausrichtung::Links, NaechsteZeileY);  // skipped
    job.SetzeKopfzeile(3, "Dorfstraße 1", Schrift12(), Ausrichtung::Links, NaechsteZeileY);
    job.SetzeKopfzeile(4, "08.12.2026", Schrift12(), Ausrichtung::Rechts, GleicheZeileY);
    job.SetzeKopfzeile(6, "zu viel", Schrift12(), Ausrichtung::Links, 0);  // ignored
    job.SetzeSeitenzahl("Seite %d", Ausrichtung::Rechts, Schrift12(), 0);
    job.SetzeSeitengrenzen(200, 4 * job.Zeilenhoehe());
    job.NeueSeite();
    job.TextAn("Inhalt", NaechsteZeileY, 0);
    job.NeueSeite();
    job.Beende();

    for (int seite = 1; seite <= 3; ++seite) {
        const auto nr = g.Finden("Seite " + std::to_string(seite));
        ASSERT_EQ(nr.size(), 1u) << seite;
        EXPECT_EQ(nr[0].Seite, seite);
        EXPECT_EQ(nr[0].Y, 240);
        EXPECT_EQ(nr[0].X + 7 * 50, g.Papier().Breite - 240);  // right-aligned at the right margin
    }
    const auto kopf = g.Finden("Familie Muster");
    ASSERT_EQ(kopf.size(), 3u);
    const auto strasse = g.Finden("Dorfstraße 1");
    ASSERT_EQ(strasse.size(), 3u);
    EXPECT_EQ(strasse[0].Y, 240 + 202);  // the empty line 2 prints nothing but keeps its place
    EXPECT_EQ(g.Finden("08.12.2026")[0].Y, strasse[0].Y);
    EXPECT_EQ(g.Finden("08.12.2026").size(), 3u);
    EXPECT_TRUE(g.Finden("zu viel").empty());
    // After a new page the first next-line text sits on the body's first line.
    const auto inhalt = g.Finden("Inhalt");
    ASSERT_EQ(inhalt.size(), 1u);
    EXPECT_EQ(inhalt[0].Seite, 2);
    EXPECT_EQ(inhalt[0].Y, 240 + 4 * 101);
    EXPECT_EQ(g.Seiten, 3);
    EXPECT_FALSE(g.Offen);
}

TEST(Druckauftrag, KopfzeilenBleibenObenWennDerKoerperUntenEndet) {
    // Client lines all empty, the date on the line of the third: it stays at the top, however far
    // down the body has come.
    Job j;
    j.job.SetzeRaender(10, 10, 10, 10);
    for (int nr = 1; nr <= 3; ++nr)
        j.job.SetzeKopfzeile(nr, "", Schrift12(), Ausrichtung::Links, nr == 1 ? 0 : NaechsteZeileY);
    j.job.SetzeKopfzeile(4, "08.12.2026", Schrift12(), Ausrichtung::Rechts, GleicheZeileY);
    j.job.TextAn("unten", 200, 0);
    j.job.Beende();
    const auto datum = j.geraet.Finden("08.12.2026");
    ASSERT_EQ(datum.size(), 1u);
    EXPECT_EQ(datum[0].Y, 240 + 202);
    EXPECT_NEAR(j.job.PositionY(), 200, 1e-9);  // the body's cursor is left as it was
}

TEST(Druckauftrag, SeitenzahlNurDurchErsetzen) {
    EXPECT_EQ(SeitenzahlText("Seite %d", 3), "Seite 3");
    EXPECT_EQ(SeitenzahlText("%s%n Seite %d von %d", 12), "%s%n Seite 12 von %d");
    EXPECT_EQ(SeitenzahlText("ohne Platzhalter", 2), "ohne Platzhalter");
    EXPECT_EQ(Utf8Praefix("aä", 2), "a");
    EXPECT_EQ(Utf8Praefix("aä", 3), "aä");
    EXPECT_EQ(Utf8Praefix("€", 2), "");
}

TEST(Druckauftrag, NichtsFaelltVomBlatt) {
    Job j(24);
    j.job.SetzeRaender(0, 0, 0, 0);
    const TestGeraet& g = j.geraet;
    const Pixelrechteck bereich = g.Druckbereich();
    // Far below the sheet, as the next line after the last, and a line running past the right edge.
    j.job.TextAn("unten", 1000, 0);
    j.job.SetzePositionY(j.job.SeitenhoeheMM());
    j.job.TextAn("weiter", NaechsteZeileY, 0);
    j.job.TextAn(std::string(300, 'x') + "ende", 10, 20);
    j.job.TextAn(std::string(200, 'a') + "ääää", 20, 0);
    for (const auto& t : g.Texte) {
        EXPECT_GE(t.Y, 0) << t.Inhalt;
        EXPECT_LE(t.Y + 101, bereich.Hoehe) << t.Inhalt;
        EXPECT_LE(t.X + g.TextBreite(t.Inhalt), bereich.Breite) << t.Inhalt;
    }
    ASSERT_EQ(g.Texte.size(), 4u);
    EXPECT_EQ(g.Texte[2].Inhalt.find("ende"), std::string::npos);
    j.job.Linie(-10, -10, 500, 500, 0.3);
    const auto& s = g.Striche.back();
    EXPECT_EQ(s.X1, 0);
    EXPECT_EQ(s.Y1, 0);
    EXPECT_EQ(s.X2, bereich.Breite);
    EXPECT_EQ(s.Y2, bereich.Hoehe);
    EXPECT_EQ(s.Dicke, 7);  // 0.3 mm at 24 px per mm
}

TEST(Druckauftrag, MitteUndRechtsZwischenDenRaendern) {
    Job j;
    j.job.SetzeRaender(10, 10, 30, 10);
    const int breite = j.geraet.Papier().Breite;
    j.job.TextMitte("ABCD", 0);
    j.job.TextRechts("ABCD", 0);
    const int mitte = (breite - 720 - 240) / 2 - 100 + 720;
    EXPECT_EQ(j.geraet.Texte[0].X, mitte);
    EXPECT_EQ(j.geraet.Texte[1].X, breite - 240 - 200);
}

TEST(Druckauftrag, QuerformatMisstNeu) {
    TestGeraet g;
    Druckauftrag job(g);
    const double hoch = job.SeitenhoeheMM();
    job.SetzeAusrichtung(true);
    EXPECT_NEAR(job.SeitenbreiteMM(), hoch, 1e-9);
    TestGeraet stur;
    stur.QuerVerweigern = true;
    Druckauftrag job2(stur);
    job2.SetzeAusrichtung(true);  // refused: the job goes on in portrait
    EXPECT_GT(job2.SeitenhoeheMM(), job2.SeitenbreiteMM());
}

}  // namespace
}  // namespace talerwerk
