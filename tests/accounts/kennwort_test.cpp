#include <gtest/gtest.h>

#include "accounts/kennwort.h"
#include "store/zeichensatz.h"

using namespace talerwerk;

TEST(Kennwort, ZeichenUmNeunVerschobenUndAufAchtGekuerzt) {
    EXPECT_EQ(KennwortVerschluesseln("abc"), "jkl");
    EXPECT_EQ(KennwortEntschluesseln("jkl"), "abc");
    EXPECT_EQ(KennwortVerschluesseln("geheim1234"), KennwortVerschluesseln("geheim12"));
    EXPECT_EQ(KennwortEntschluesseln(KennwortVerschluesseln("geheim1234")), "geheim12");
    // Code 250 ("ú") wraps around to code 3 and back.
    const std::string gespeichert = KennwortVerschluesseln("\u00FA");
    EXPECT_EQ(NachCp1252(gespeichert), std::string("\x03"));
    EXPECT_EQ(KennwortEntschluesseln(gespeichert), "\u00FA");
    EXPECT_EQ(KennwortEntschluesseln(KennwortVerschluesseln("Öl€ß")), "Öl€ß");
}
