#include "store/einstellungen.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace talerwerk {
namespace {

class FensterLageDatei : public ::testing::Test {
protected:
    void SetUp() override {
        pfad = (std::filesystem::temp_directory_path() /
                ("fensterlage_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini"))
                   .string();
        std::remove(pfad.c_str());
    }
    void TearDown() override { std::remove(pfad.c_str()); }
    void Schreiben(const std::string& text) { std::ofstream(pfad, std::ios::binary) << text; }
    std::string Lesen() {
        std::ifstream ein(pfad, std::ios::binary);
        std::stringstream s;
        s << ein.rdbuf();
        return s.str();
    }
    std::string pfad;
    const FensterLage vorgabe{50, 50, 204, 270};
};

TEST_F(FensterLageDatei, FehlendesUndUngueltigesBehaeltDieVorgabe) {
    EXPECT_EQ(FensterLageLesen(pfad, "KontoStand", vorgabe), vorgabe);
    Schreiben("[Hauptfenster]\nx=7\n[kontostand]\r\nX = 12\r\nBreite=abc\r\nHoehe=300\r\nHoehe=1\r\n");
    // section and key names ignore case; the first entry of a key counts
    EXPECT_EQ(FensterLageLesen(pfad, "KontoStand", vorgabe), (FensterLage{12, 50, 204, 300}));
}

TEST_F(FensterLageDatei, SchreibenErsetztNurDieVierSchluessel) {
    Schreiben("[Hauptfenster]\nx=7\n\n[KontoStand]\noffen=1\nx=1\nx=2\n\n[Farbe]\nPositiv=5\n");
    ASSERT_TRUE(FensterLageSpeichern(pfad, "KontoStand", {10, 20, 300, 400}));
    EXPECT_EQ(Lesen(),
              "[Hauptfenster]\nx=7\n\n[KontoStand]\noffen=1\nx=10\ny=20\nBreite=300\nHoehe=400\n\n[Farbe]\nPositiv=5\n");
    EXPECT_EQ(FensterLageLesen(pfad, "KontoStand", vorgabe), (FensterLage{10, 20, 300, 400}));
}

TEST_F(FensterLageDatei, FehlenderAbschnittKommtAnsEnde) {
    ASSERT_TRUE(FensterLageSpeichern(pfad, "KontoStand", {1, 2, 3, 4}));
    EXPECT_EQ(Lesen(), "[KontoStand]\nx=1\ny=2\nBreite=3\nHoehe=4\n");
    Schreiben("[Farbe]\nNegativ=255");
    ASSERT_TRUE(FensterLageSpeichern(pfad, "KontoStand", {-5, 0, 200, 100}));
    EXPECT_EQ(Lesen(), "[Farbe]\nNegativ=255\n\n[KontoStand]\nx=-5\ny=0\nBreite=200\nHoehe=100\n");
}

TEST_F(FensterLageDatei, UnschreibbarerOrtMeldetFehlschlag) {
    EXPECT_FALSE(FensterLageSpeichern("/nicht/vorhanden/ordner/x.ini", "KontoStand", vorgabe));
}

}  // namespace
}  // namespace talerwerk

namespace talerwerk {
namespace {

TEST(EinstellungenUndFensterLage, SpeichernBeimBeendenBehaeltDieLageDerFenster) {
    const std::string pfad =
        (std::filesystem::temp_directory_path() / ("lage_beenden_" + std::to_string(::getpid()) + ".ini")).string();
    ASSERT_TRUE(FensterLageSpeichern(pfad, "KontoStand", {10, 20, 300, 400}));
    ASSERT_TRUE(FensterLageSpeichern(pfad, "Eigenes", {1, 2, 3, 4}));
    Einstellungen e;
    e.KontoStandOffen = true;
    ASSERT_TRUE(EinstellungenSpeichern(pfad, e));
    EXPECT_EQ(FensterLageLesen(pfad, "KontoStand", {}), (FensterLage{10, 20, 300, 400}));
    EXPECT_EQ(FensterLageLesen(pfad, "Eigenes", {}), (FensterLage{1, 2, 3, 4}));
    EXPECT_EQ(EinstellungenLaden(pfad), e);
    // Saving twice neither duplicates nor loses anything.
    ASSERT_TRUE(EinstellungenSpeichern(pfad, e));
    std::ifstream ein(pfad);
    std::stringstream inhalt;
    inhalt << ein.rdbuf();
    const std::string text = inhalt.str();
    EXPECT_EQ(text.find("[KontoStand]"), text.rfind("[KontoStand]"));
    EXPECT_EQ(text.find("Breite=300"), text.rfind("Breite=300"));
    std::remove(pfad.c_str());
}

}  // namespace
}  // namespace talerwerk
