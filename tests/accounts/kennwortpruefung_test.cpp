#include "accounts/kennwortpruefung.h"

#include <gtest/gtest.h>

#include "accounts/kennwort.h"

using namespace talerwerk;

TEST(KennwortPruefung, TextsByKind) {
    EXPECT_EQ(KennwortHinweis(1), "Bitte geben Sie das Dateikennwort ein!");
    EXPECT_EQ(KennwortHinweis(3), "Bitte geben Sie das Dateikennwort ein!");
    EXPECT_EQ(KennwortHinweis(2), "Bitte geben Sie das Schreibschutzkennwort ein!");
    EXPECT_EQ(KennwortHinweis(4), "Bitte geben Sie das Schreibschutzkennwort ein!");
    EXPECT_EQ(KennwortAbbruchKnopf(1), "Abbruch");
    EXPECT_EQ(KennwortAbbruchKnopf(2), "&Schreibgeschützt öffnen");
    EXPECT_EQ(KennwortAbbruchKnopf(3), "Abbruch");
    EXPECT_EQ(KennwortAbbruchKnopf(4), "Abbruch");
    EXPECT_EQ(KennwortAbbruchMeldung(1), "Öffnen der Datei abgebrochen!");
    EXPECT_EQ(KennwortAbbruchMeldung(2), "Datei wird schreibgeschützt geöffnet!");
    EXPECT_EQ(KennwortAbbruchMeldung(3), "Übernahme der Stammdaten abgebrochen!");
    EXPECT_EQ(KennwortAbbruchMeldung(4), "Übernahme der Stammdaten abgebrochen!");
}

TEST(KennwortPruefung, ExactComparisonWithStoredForm) {
    const std::string gespeichert = KennwortVerschluesseln("Geheim");
    EXPECT_TRUE(KennwortPasst("Geheim", gespeichert));
    EXPECT_FALSE(KennwortPasst("geheim", gespeichert));
    EXPECT_FALSE(KennwortPasst("Geheim ", gespeichert));
    EXPECT_FALSE(KennwortPasst("", gespeichert));

    // A long password is kept as its first eight characters; the first eight typed are compared,
    // so the password as chosen opens the file, and so do its first eight characters.
    const std::string lang = KennwortVerschluesseln("Sonnenblume");
    EXPECT_EQ(lang, KennwortVerschluesseln("Sonnenbl"));
    EXPECT_TRUE(KennwortPasst("Sonnenblume", lang));
    EXPECT_TRUE(KennwortPasst("Sonnenbl", lang));
    EXPECT_TRUE(KennwortPasst("SonnenblXYZ", lang));  // only eight characters are known
    EXPECT_FALSE(KennwortPasst("Sonnenb", lang));
    EXPECT_FALSE(KennwortPasst("sonnenblume", lang));
    // Characters, not bytes: eight umlauts are eight characters.
    const std::string umlaute = KennwortVerschluesseln("ÄÖÜäöüßéx");
    EXPECT_TRUE(KennwortPasst("ÄÖÜäöüßéx", umlaute));
    EXPECT_TRUE(KennwortPasst("ÄÖÜäöüßé", umlaute));
    EXPECT_FALSE(KennwortPasst("ÄÖÜäöüß", umlaute));

    // Umlauts go through the file's byte form and back.
    EXPECT_TRUE(KennwortPasst("Größe", KennwortVerschluesseln("Größe")));
}
