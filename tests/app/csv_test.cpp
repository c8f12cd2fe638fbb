// The CSV form of the reports and of the windows' exports.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/bericht.h"
#include "store/datendatei.h"
#include "store/datenbestand.h"
#include "store/demobuch.h"
#include "store/datum.h"
#include "testhilfen.h"

using namespace talerwerk;
namespace fs = std::filesystem;

namespace {

std::string Zeile(std::initializer_list<std::string> zellen, bool schuetzen = true) {
    std::ostringstream aus;
    CsvAusgabe csv(aus, schuetzen);
    csv.Zeile(std::vector<std::string>(zellen));
    return aus.str();
}

std::string Lesen(const fs::path& p) {
    std::ifstream ein(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), {}};
}

}  // namespace

TEST(Csv, FelderWerdenNurWennNoetigInAnfuehrungszeichenGesetzt) {
    EXPECT_EQ(Zeile({"Miete", "-650,00", "12,5 %"}), "Miete;-650,00;12,5 %\n");
    EXPECT_EQ(Zeile({"a;b", "sagt \"hallo\"", "zwei\nZeilen"}), "\"a;b\";\"sagt \"\"hallo\"\"\";\"zwei\nZeilen\"\n");
    EXPECT_EQ(CsvFeld("a;b"), "\"a;b\"");
}

TEST(Csv, FormelnWerdenZuText) {
    // Texts a spreadsheet would run get an apostrophe in front; numbers, dates and dashes inside a
    // text stay as they are.
    EXPECT_EQ(Zeile({"=HYPERLINK(\"http://x\")", "+49 30 1234", "-Rabatt", "@SUMME(A1)"}),
              "\"'=HYPERLINK(\"\"http://x\"\")\";'+49 30 1234;'-Rabatt;'@SUMME(A1)\n");
    EXPECT_EQ(Zeile({"\tTab", "\rWagen"}), "'\tTab;\"'\rWagen\"\n");
    EXPECT_EQ(Zeile({"-1.234,56", "+5", "-12,5 %", "-0,01", "07.12.2026", "Strom - Abschlag", "1=1"}),
              "-1.234,56;+5;-12,5 %;-0,01;07.12.2026;Strom - Abschlag;1=1\n");
    EXPECT_EQ(Zeile({"-", "--", "- 5", ""}), "'-;'--;'- 5;\n");
    EXPECT_EQ(CsvFeld("=1+1", true), "'=1+1");
    // The command line prints the window's texts as they are.
    EXPECT_EQ(CsvFeld("=1+1"), "=1+1");
    EXPECT_EQ(Zeile({"- Umbuchungen", "=A1"}, false), "- Umbuchungen;=A1\n");
}

TEST(Csv, DateiHatBomUndErsetztKeineDatendatei) {
    const fs::path ordner = fs::temp_directory_path() / ("tw_csv_" + std::to_string(getpid()));
    fs::create_directories(ordner);
    const std::string ziel = (ordner / "bericht.csv").string();
    std::string fehler;
    ASSERT_TRUE(CsvDateiSchreiben(
        ziel, [](CsvAusgabe& aus) { aus.Zeile(std::vector<std::string>{"Größe", "1,00"}); }, fehler))
        << fehler;
    EXPECT_EQ(Lesen(ziel), "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e;1,00\n");
    ASSERT_TRUE(CsvDateiSchreiben(
        ziel, [](CsvAusgabe& aus) { aus.Zeile(std::vector<std::string>{"- Umbuchungen", "-5,00"}); }, fehler));
    EXPECT_EQ(Lesen(ziel), "\xEF\xBB\xBF'- Umbuchungen;-5,00\n") << "a file for a spreadsheet is protected";

    Datenbestand d = DemoBuch(5, 1, *TagesNummer(1, 6, 2026));
    d.Dateiname = (ordner / "buch.csv").string();  // a data file under any name is kept
    test::SkriptMeldungen m;
    ASSERT_TRUE(DateiSpeichern(d, m));
    const std::string vorher = Lesen(d.Dateiname);
    EXPECT_FALSE(CsvDateiSchreiben(d.Dateiname, [](CsvAusgabe& aus) { aus.Titel("x"); }, fehler));
    EXPECT_NE(fehler.find("Datendatei"), std::string::npos);
    EXPECT_EQ(Lesen(d.Dateiname), vorher);

    EXPECT_FALSE(CsvDateiSchreiben((ordner / "fehlt" / "x.csv").string(), [](CsvAusgabe&) {}, fehler));
    fs::remove_all(ordner);
}
