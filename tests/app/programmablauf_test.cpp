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

TEST(FreierPlatz, EinFreierPlatzBleibt) {
    const Fensterrechteck buchung{5, 5, 529, 346};
    EXPECT_EQ(FreierPlatz(buchung, {}, 600, 400), buchung);
    // Overlapping in part is fine: both stay visible.
    EXPECT_EQ(FreierPlatz(buchung, {{300, 200, 204, 270}}, 600, 400), buchung);
}

TEST(FreierPlatz, WeichtNebenDasVerdeckteFensterAus) {
    const Fensterrechteck stand{50, 50, 204, 270};
    // Room enough: the booking window goes right of the balances, whole inside the area.
    const Fensterrechteck platz = FreierPlatz({5, 5, 529, 346}, {stand}, 900, 400);
    EXPECT_EQ(platz, (Fensterrechteck{254, 5, 529, 346}));
    EXPECT_FALSE(Ueberdeckt(platz, stand));
    // A window that lies entirely on top of another moves too, and never out of the area.
    const Fensterrechteck klein = FreierPlatz({60, 60, 100, 100}, {{0, 0, 400, 300}}, 500, 300);
    EXPECT_FALSE(Ueberdeckt({0, 0, 400, 300}, klein));
    EXPECT_LE(klein.x + klein.Breite, 500);
    EXPECT_LE(klein.y + klein.Hoehe, 300);
}

TEST(FreierPlatz, OhneFreienPlatzBleibtDasFenster) {
    // The area is no larger than the window: nothing to move to.
    const Fensterrechteck buchung{5, 5, 529, 346};
    EXPECT_EQ(FreierPlatz(buchung, {{50, 50, 204, 270}}, 540, 355), buchung);
    // The covered window itself can peek out to the right, inside the area.
    const Fensterrechteck stand = FreierPlatz({50, 50, 204, 270}, {buchung}, 575, 355);
    EXPECT_FALSE(Ueberdeckt(buchung, stand));
    EXPECT_LE(stand.x + stand.Breite, 575);
    EXPECT_GE(stand.x, 0);
    EXPECT_GE(stand.y, 0);
}

TEST(Ueberdeckt, WasWenigerAlsEineTitelleisteZeigtGiltAlsVerdeckt) {
    EXPECT_TRUE(Ueberdeckt({0, 0, 100, 100}, {0, 0, 100, 100}));
    EXPECT_TRUE(Ueberdeckt({0, 0, 100, 100}, {10, 10, 90, 90}));
    EXPECT_TRUE(Ueberdeckt({0, 0, 100, 100}, {10, 10, 113, 90}));  // 23 pixels show
    EXPECT_FALSE(Ueberdeckt({0, 0, 100, 100}, {10, 10, 114, 90}));  // 24 pixels show
    EXPECT_FALSE(Ueberdeckt({0, 0, 100, 100}, {-24, 0, 50, 50}));
    EXPECT_FALSE(Ueberdeckt({0, 0, 100, 100}, {0, 100, 50, 50}));
    EXPECT_TRUE(Ueberdeckt({INT32_MAX - 10, 0, INT32_MAX, 10}, {INT32_MAX - 5, 0, 5, 5}));
}
