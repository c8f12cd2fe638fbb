#include <gtest/gtest.h>

#include "store/zeichensatz.h"

using namespace talerwerk;

TEST(Zeichensatz, JedesByteUeberlebtDenHinUndRueckweg) {
    std::string alle;
    for (int b = 0; b < 256; ++b) alle.push_back(static_cast<char>(b));
    const std::string utf8 = AusCp1252(alle);
    EXPECT_EQ(NachCp1252(utf8), alle);
    EXPECT_EQ(ZeichenAnzahl(utf8), 256u);
}

TEST(Zeichensatz, BekannteZeichen) {
    EXPECT_EQ(AusCp1252("\x80"), "€");
    EXPECT_EQ(AusCp1252("\xE4\xF6\xFC\xDF"), "äöüß");
    EXPECT_EQ(AusCp1252("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(NachCp1252("Größe 5€"), std::string("Gr\xF6\xDF" "e 5\x80"));
    EXPECT_FALSE(NachCp1252("Łódź"));      // Ł has no Windows-1252 byte
    EXPECT_FALSE(NachCp1252("\u0080"));    // a C1 control that Windows-1252 maps elsewhere
    EXPECT_FALSE(NachCp1252("\xC3"));      // broken UTF-8
    EXPECT_EQ(NachCp1252Ersetzt("aŁb€"), std::string("a?b\x80"));
    EXPECT_TRUE(Cp1252Darstellbar("Müller & Söhne – „Haushalt“"));
    EXPECT_FALSE(Cp1252Darstellbar("😀"));
}
