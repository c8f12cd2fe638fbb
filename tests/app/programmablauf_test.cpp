#include <gtest/gtest.h>

#include "app/programmablauf.h"

using namespace talerwerk;

TEST(AnsichtenFuerArt, JedeArtErreichtNurIhreFenster) {
    EXPECT_EQ(AnsichtenFuerArt(1), TeilKontoStand | TeilBListe);
    EXPECT_EQ(AnsichtenFuerArt(2), TeilBuchungsfenster | TeilKontoStand | TeilBListe);
    EXPECT_EQ(AnsichtenFuerArt(3), TeilBuchungsfenster);
    EXPECT_EQ(AnsichtenFuerArt(4), TeilKontoStand);
    EXPECT_EQ(AnsichtenFuerArt(5), TeilBListe);
    EXPECT_EQ(AnsichtenFuerArt(0), TeilKeiner);
    EXPECT_EQ(AnsichtenFuerArt(6), TeilKeiner);
}

TEST(StartDateiPfad, OhneOrdnerBeimProgrammSonstWieGegeben) {
    EXPECT_EQ(StartDateiPfad("/opt/talerwerk/talerwerk", "haus.tlw"), "/opt/talerwerk/haus.tlw");
    EXPECT_EQ(StartDateiPfad("/opt/talerwerk/talerwerk", "/daten/haus.tlw"), "/daten/haus.tlw");
    EXPECT_EQ(StartDateiPfad("/opt/talerwerk/talerwerk", "./haus.tlw"), "./haus.tlw");
    EXPECT_EQ(StartDateiPfad("/opt/talerwerk/talerwerk", "unter\\haus.tlw"), "unter\\haus.tlw");
    EXPECT_EQ(StartDateiPfad("talerwerk", "haus.tlw"), "haus.tlw");
    EXPECT_EQ(StartDateiPfad("/opt/talerwerk/talerwerk", ""), "");
}

TEST(SpeicherfrageNoetig, NurOffenGeaendertUndBeschreibbar) {
    Datenbestand d;
    d.DateiOffen = true;
    d.Geaendert = true;
    EXPECT_TRUE(SpeicherfrageNoetig(d));
    d.Schreibschutz = true;
    EXPECT_FALSE(SpeicherfrageNoetig(d));
    d.Schreibschutz = false;
    d.Geaendert = false;
    EXPECT_FALSE(SpeicherfrageNoetig(d));
    d.Geaendert = true;
    d.DateiOffen = false;
    EXPECT_FALSE(SpeicherfrageNoetig(d));
}

TEST(HinzufuegenPosition, HinterDerLetztenBuchungOderEinsWeiter) {
    Datenbestand d;
    d.Buchungen.resize(3);
    d.LetzterIndex = 2;
    d.AktIndex = 1;
    EXPECT_EQ(HinzufuegenPosition(d, false), 3);
    EXPECT_EQ(HinzufuegenPosition(d, true), 3);
    d.AktIndex = 3;  // the window already stands on the new booking
    EXPECT_EQ(HinzufuegenPosition(d, true), 4);
    EXPECT_EQ(HinzufuegenPosition(d, false), 3);
}

TEST(DateinameOhnePfad, NimmtDenLetztenTeil) {
    EXPECT_EQ(DateinameOhnePfad("/a/b/Haus.TLW"), "Haus.TLW");
    EXPECT_EQ(DateinameOhnePfad("C:\\daten\\x.tlw"), "x.tlw");
    EXPECT_EQ(DateinameOhnePfad("x.tlw"), "x.tlw");
}
