#include "accounts/mandantdaten.h"

#include <gtest/gtest.h>

#include "accounts/kennwort.h"

using namespace talerwerk;

namespace {

kontotyp Beispielmandant() {
    kontotyp m;
    m.Art = ArtMandant;
    m.Name = "Familie Müller";
    m.Abk = "MÜLLER";
    m.Text1 = "Kopf eins";
    m.Text2 = "Haushaltsbuch";
    m.Text3 = "Kopf drei";
    m.Text4 = "EUR";
    m.Zahl1 = 30;
    m.Merker1 = true;
    m.Merker2 = false;
    return m;
}

}  // namespace

TEST(MandantEingaben, FilledFromRecordWithPasswordMode) {
    kontotyp m = Beispielmandant();
    MandantEingaben e = MandantEingabenAus(m);
    EXPECT_EQ(e.Name, "Familie Müller");
    EXPECT_EQ(e.Waehrung, "EUR");
    EXPECT_EQ(e.AnzTage, "30");
    EXPECT_TRUE(e.BuchgLoeschen);
    EXPECT_FALSE(e.rgmDatum);
    EXPECT_EQ(e.Modus, KennwortModus::Ohne);
    EXPECT_TRUE(e.Kennwort.empty());
    EXPECT_TRUE(e.Wiederholung.empty());

    m.Kurz2 = "jkl";  // "abc" shifted by 9
    e = MandantEingabenAus(m);
    EXPECT_EQ(e.Modus, KennwortModus::Schreibschutz);
    EXPECT_EQ(e.Kennwort, "abc");
    EXPECT_EQ(e.Wiederholung, "abc");

    // With both passwords the file password is shown.
    m.Kurz1 = "yz{";  // "pqr"
    e = MandantEingabenAus(m);
    EXPECT_EQ(e.Modus, KennwortModus::Datei);
    EXPECT_EQ(e.Kennwort, "pqr");
}

TEST(MandantEingaben, DueWindowShownWithinUpDownRange) {
    kontotyp m = Beispielmandant();
    m.Zahl1 = 0;
    EXPECT_EQ(MandantEingabenAus(m).AnzTage, "1");
    m.Zahl1 = 900;
    EXPECT_EQ(MandantEingabenAus(m).AnzTage, "364");
}

TEST(MandantFaelligkeit, TypedTextClampedToOneTo364) {
    EXPECT_EQ(FaelligkeitsTage("45"), 45);
    EXPECT_EQ(FaelligkeitsTage("0"), 1);
    EXPECT_EQ(FaelligkeitsTage(""), 1);
    EXPECT_EQ(FaelligkeitsTage("500"), 364);
    EXPECT_EQ(FaelligkeitsTage("364"), 364);
    EXPECT_EQ(FaelligkeitsTage("12a"), 1);
    EXPECT_EQ(FaelligkeitsTage("-5"), 1);
    EXPECT_EQ(FaelligkeitsTage("99999999999999999999999"), 364);
    EXPECT_EQ(FaelligkeitsTageSchritt("364", 1), 364);
    EXPECT_EQ(FaelligkeitsTageSchritt("1", -1), 1);
    EXPECT_EQ(FaelligkeitsTageSchritt("", 1), 2);
    EXPECT_EQ(FaelligkeitsTageSchritt("500", -1), 363);
}

TEST(MandantPruefen, ChecksInFixedOrder) {
    MandantEingaben e = MandantEingabenAus(Beispielmandant());
    EXPECT_TRUE(MandantPruefen(e).Ok);

    e.Modus = KennwortModus::Datei;
    e.Wiederholung = "xyz";  // also differs, but the empty password is reported first
    MandantPruefung p = MandantPruefen(e);
    EXPECT_FALSE(p.Ok);
    EXPECT_TRUE(p.Fehlerbox);
    EXPECT_EQ(p.Meldung, "Kein Kennwort eingegeben!");
    EXPECT_EQ(p.Seite, MandantSeite::Dateischutz);
    EXPECT_EQ(p.Feld, MandantFeld::Kennwort);

    e.Kennwort = "abc";
    p = MandantPruefen(e);
    EXPECT_FALSE(p.Ok);
    EXPECT_EQ(p.Meldung, "Kennwort und Wiederholung sind nicht identisch!");
    EXPECT_EQ(p.Seite, MandantSeite::Dateischutz);
    EXPECT_EQ(p.Feld, MandantFeld::Wiederholung);

    e.Wiederholung = "abc";
    EXPECT_TRUE(MandantPruefen(e).Ok);

    // Comparison is case-sensitive.
    e.Modus = KennwortModus::Schreibschutz;
    e.Wiederholung = "ABC";
    EXPECT_EQ(MandantPruefen(e).Meldung, MeldungKennwortUngleich);
}

TEST(MandantPruefen, PasswordFieldsIgnoredWithoutPasswordMode) {
    MandantEingaben e = MandantEingabenAus(Beispielmandant());
    e.Modus = KennwortModus::Ohne;
    e.Kennwort = "abc";
    e.Wiederholung = "abd";
    EXPECT_TRUE(MandantPruefen(e).Ok);
    EXPECT_FALSE(KennwortFelderAktiv(KennwortModus::Ohne));
    EXPECT_TRUE(KennwortFelderAktiv(KennwortModus::Datei));
    EXPECT_TRUE(KennwortFelderAktiv(KennwortModus::Schreibschutz));
}

TEST(MandantPruefen, TextsTheFileCannotHoldAreRefusedAtTheirField) {
    MandantEingaben e = MandantEingabenAus(Beispielmandant());
    e.Waehrung = "€";  // Windows-1252 has the euro sign
    EXPECT_TRUE(MandantPruefen(e).Ok);

    e.Waehrung = "₽";
    MandantPruefung p = MandantPruefen(e);
    EXPECT_FALSE(p.Ok);
    EXPECT_FALSE(p.Fehlerbox);
    EXPECT_EQ(p.Seite, MandantSeite::Mandant);
    EXPECT_EQ(p.Feld, MandantFeld::Waehrung);
    EXPECT_NE(p.Meldung.find("Währung"), std::string::npos);

    e.Name = "Łukasz";  // the earlier field is reported first
    EXPECT_EQ(MandantPruefen(e).Feld, MandantFeld::Name);

    e = MandantEingabenAus(Beispielmandant());
    e.Modus = KennwortModus::Datei;
    e.Kennwort = e.Wiederholung = "ßłß";
    p = MandantPruefen(e);
    EXPECT_FALSE(p.Ok);
    EXPECT_EQ(p.Seite, MandantSeite::Dateischutz);
    EXPECT_EQ(p.Feld, MandantFeld::Kennwort);
}

TEST(MandantUebernehmen, StoresFieldsAndCutsAbbreviation) {
    kontotyp m = Beispielmandant();
    MandantEingaben e = MandantEingabenAus(m);
    e.Name = "Neu";
    e.Abk = "ABCDEFGHIJKLM";
    e.Waehrung = "€";
    e.AnzTage = "0";
    e.rgmDatum = true;
    e.BuchgLoeschen = false;
    e.Text1 = "ignoriert nicht";  // header lines come back as shown
    MandantUebernehmen(e, m);
    EXPECT_EQ(m.Name, "Neu");
    EXPECT_EQ(m.Abk, "ABCDEFGHIJ");
    EXPECT_EQ(m.Text4, "€");
    EXPECT_EQ(m.Zahl1, 1);
    EXPECT_TRUE(m.Merker2);
    EXPECT_FALSE(m.Merker1);
    EXPECT_EQ(m.Text1, "ignoriert nicht");
    EXPECT_EQ(m.Text2, "Haushaltsbuch");

    e.AnzTage = "500";
    MandantUebernehmen(e, m);
    EXPECT_EQ(m.Zahl1, 364);
    e.AnzTage = "";
    MandantUebernehmen(e, m);
    EXPECT_EQ(m.Zahl1, 1);

    e.Abk = "ÄÖÜäöüßÄÖÜäöü";  // cut by characters, not bytes
    MandantUebernehmen(e, m);
    EXPECT_EQ(m.Abk, "ÄÖÜäöüßÄÖÜ");
}

TEST(MandantUebernehmen, PasswordsStoredByMode) {
    kontotyp m = Beispielmandant();
    MandantEingaben e = MandantEingabenAus(m);
    e.Modus = KennwortModus::Datei;
    e.Kennwort = e.Wiederholung = "abc";
    MandantUebernehmen(e, m);
    EXPECT_EQ(m.Kurz1, "jkl");
    EXPECT_TRUE(m.Kurz2.empty());

    // Switching to the write-protect password clears the file password.
    e = MandantEingabenAus(m);
    EXPECT_EQ(e.Kennwort, "abc");
    e.Modus = KennwortModus::Schreibschutz;
    MandantUebernehmen(e, m);
    EXPECT_TRUE(m.Kurz1.empty());
    EXPECT_EQ(m.Kurz2, "jkl");

    e.Modus = KennwortModus::Ohne;
    MandantUebernehmen(e, m);
    EXPECT_TRUE(m.Kurz1.empty());
    EXPECT_TRUE(m.Kurz2.empty());

    // Stored passwords hold 8 characters; the shift wraps past code 255.
    e.Modus = KennwortModus::Datei;
    e.Kennwort = e.Wiederholung = "0123456789";
    MandantUebernehmen(e, m);
    EXPECT_EQ(KennwortEntschluesseln(m.Kurz1), "01234567");
    e.Kennwort = e.Wiederholung = "\xC3\xBA";  // ú, code 250 in Windows-1252
    MandantUebernehmen(e, m);
    EXPECT_EQ(m.Kurz1, "\x03");
    EXPECT_EQ(MandantEingabenAus(m).Kennwort, "ú");
}
