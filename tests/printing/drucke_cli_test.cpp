// `talerwerk-cli drucke`: runs the real binary without a display and reads the PDF it writes back
// with pdftotext (poppler-utils): the captions and every amount the same report shows as CSV.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "store/datendatei.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "testhilfen.h"

namespace fs = std::filesystem;
using namespace talerwerk;

namespace {

struct Ergebnis {
    int Status = -1;
    std::string Aus;
    std::string Fehler;
};

std::string Quoten(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Lesen(const fs::path& p) {
    std::ifstream ein(p, std::ios::binary);
    std::ostringstream s;
    s << ein.rdbuf();
    return s.str();
}

// The cells of a CSV line (no quoted fields in the reports used here).
std::vector<std::string> Zellen(const std::string& zeile) {
    std::vector<std::string> z;
    std::stringstream s(zeile);
    std::string zelle;
    while (std::getline(s, zelle, ';')) z.push_back(zelle);
    return z;
}

class Drucke : public ::testing::Test {
protected:
    void SetUp() override {
        ordner = fs::temp_directory_path() / ("tw_drucke_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "pdftotext fehlt (scripts/install-deps.sh installiert poppler-utils)";
    }
    void TearDown() override { fs::remove_all(ordner); }

    // Without a display and without a chosen Qt platform, as on a server.
    Ergebnis Lauf(const std::vector<std::string>& argumente, const std::string& befehl = TALERWERK_CLI) {
        std::string zeile = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 120 " + Quoten(befehl);
        for (const std::string& a : argumente) zeile += " " + Quoten(a);
        const fs::path aus = ordner / "stdout.txt", fehler = ordner / "stderr.txt";
        zeile += " >" + Quoten(aus.string()) + " 2>" + Quoten(fehler.string()) + " </dev/null";
        const int roh = std::system(zeile.c_str());
        Ergebnis e;
        e.Status = WIFEXITED(roh) ? WEXITSTATUS(roh) : -1;
        e.Aus = Lesen(aus);
        e.Fehler = Lesen(fehler);
        return e;
    }

    std::string PdfText(const std::string& pdf) {
        const Ergebnis e = Lauf({"-layout", pdf, "-"}, "pdftotext");
        EXPECT_EQ(e.Status, 0) << e.Fehler;
        return e.Aus;
    }

    std::string Buch(int exemplare = 1) {
        Datenbestand d = DemoBuch(400, 7, *TagesNummer(7, 12, 2026));
        d.Druckereinstellung.Exemplare = exemplare;
        d.Dateiname = (ordner / "buch.tlw").string();
        talerwerk::test::SkriptMeldungen meldungen;
        EXPECT_TRUE(DateiSpeichern(d, meldungen));
        return d.Dateiname;
    }

    std::string Pfad(const std::string& name) const { return (ordner / name).string(); }

    fs::path ordner;
};

TEST_F(Drucke, JedeArtHaeltTitelUndAlleBetraegeDesBerichts) {
    const std::string buch = Buch();
    const struct {
        std::string Art;
        std::vector<std::string> Optionen;
        std::vector<std::string> Texte;
    } faelle[] = {
        {"einnahmen-ausgaben", {}, {"Einnahmen-Ausgaben-Übersicht", "Anf.-stand", "Gesamt real", "Alle Konten"}},
        {"rubrik-konto", {"--konto", "5001"}, {"Rubrik-Konto-Übersicht", "Rubrik", "Anteile", "Bestandskonten"}},
        {"rubrik-zeit", {"--zeitraum", "2026"}, {"Rubrik-Zeit-Übersicht", "Nov 2026", "Dez 2026", "Jahr 2026"}},
        {"kontenblatt", {"--zeitraum", "2026"}, {"Kontenblatt", "Nach Typ", "B-nr./Belegnr.", "Einnahmen", "Umbuchungen"}},
        {"kontenblatt",
         {"--zeitraum", "gesamt", "--gruppierung", "2", "--storniert", "1"},
         {"Kontenblatt", "Nach Rubrik", "Rubrik/Gegenkonto", "Gesamt Ausgaben", "Gesamt Einnahmen"}},
        {"kontenblatt", {"--gruppierung", "3", "--zeitraum", "2026-11"}, {"Nach Datum", "Datum", "B.-text"}},
        {"gesamtentwicklung", {}, {"Gesamtentwicklung", "Anf.-stand", "Gesamt", "Alle Konten", "Kontostände"}},
        {"gesamtentwicklung",
         {"--modus", "monatlich", "--zeitraum", "2026", "--saldo", "1"},
         {"Gesamtentwicklung", "Saldo (Gewinn und Verlust)", "Nov 2026", "Dez 2026"}},
        {"buchungsuebersicht",
         {"--zeitraum", "2026-11", "--gruppierung", "1"},
         {"Buchungsübersicht", "Konten: Alle Konten", "Rubriken: Alle Rubriken", "Zeitraum: ", "Einn. Gesamt",
          "Ausg. Gesamt", "Saldo ("}},
        {"buchungsuebersicht",
         {"--filter", "Buchungen suchen", "--gruppierung", "2"},
         {"Buchungsübersicht", "Filter: Buchungen suchen", "Zeitraum: "}},
    };
    for (const auto& fall : faelle) {
        const std::string pdf = Pfad(fall.Art + std::to_string(fall.Optionen.size()) + ".pdf");
        std::vector<std::string> drucke{"drucke", fall.Art, buch, "--pdf", pdf, "--heute", "2026-12-07"};
        std::vector<std::string> bericht{"bericht", fall.Art, buch, "--heute", "2026-12-07"};
        drucke.insert(drucke.end(), fall.Optionen.begin(), fall.Optionen.end());
        bericht.insert(bericht.end(), fall.Optionen.begin(), fall.Optionen.end());
        const Ergebnis e = Lauf(drucke);
        ASSERT_EQ(e.Status, 0) << fall.Art << e.Fehler;
        EXPECT_EQ(e.Aus, "");
        EXPECT_EQ(e.Fehler, "");
        EXPECT_EQ(Lesen(pdf).substr(0, 5), "%PDF-");
        const std::string text = PdfText(pdf);
        for (const std::string& t : fall.Texte) EXPECT_NE(text.find(t), std::string::npos) << fall.Art << ": " << t;
        EXPECT_NE(text.find("Seite 1"), std::string::npos);
        EXPECT_NE(text.find("07.12.2026"), std::string::npos);

        // Every amount of the same report is on the pages (zeros are left blank there).
        const Ergebnis csv = Lauf(bericht);
        ASSERT_EQ(csv.Status, 0) << csv.Fehler;
        std::stringstream zeilen(csv.Aus);
        std::string zeile;
        int betraege = 0;
        while (std::getline(zeilen, zeile)) {
            if (zeile.rfind("#", 0) == 0) continue;
            const std::vector<std::string> z = Zellen(zeile);
            for (size_t s = 1; s < z.size(); ++s) {
                // Amounts only (a booking text may hold a comma); the overview prints its
                // subtotals and balance without their sign.
                std::string betrag = z[s];
                if (!betrag.empty() && betrag[0] == '-') betrag.erase(0, 1);
                if (betrag.find(',') == std::string::npos || betrag == "0,00" || betrag == "0,0" ||
                    betrag.find_first_not_of("0123456789.,") != std::string::npos)
                    continue;
                ++betraege;
                EXPECT_NE(text.find(betrag), std::string::npos) << fall.Art << ": " << z[s];
            }
        }
        EXPECT_GE(betraege, 10) << fall.Art;
    }
}

TEST_F(Drucke, FalscheAufrufeUndGeschuetzteZiele) {
    const std::string buch = Buch();
    const std::string pdf = Pfad("aus.pdf");
    EXPECT_EQ(Lauf({"drucke", "rubrik-konto", buch}).Status, 2);                        // no --pdf
    EXPECT_EQ(Lauf({"drucke", "faellige", buch, "--pdf", pdf}).Status, 2);              // not printable
    EXPECT_EQ(Lauf({"drucke", "kontenblatt", buch, "--pdf", pdf, "--gruppierung", "4"}).Status, 2);
    EXPECT_EQ(Lauf({"drucke", "kontenblatt", buch, "--pdf", pdf, "--konto", "5000"}).Status, 2);
    EXPECT_EQ(Lauf({"drucke", "rubrik-konto", buch, "--pdf", pdf, "--modus", "x"}).Status, 2);
    EXPECT_EQ(Lauf({"drucke", "einnahmen-ausgaben", buch, "--pdf", pdf, "--zeitraum", "1900"}).Status, 2);
    EXPECT_EQ(Lauf({"drucke", "rubrik-konto", Pfad("fehlt.tlw"), "--pdf", pdf}).Status, 1);
    EXPECT_FALSE(fs::exists(pdf));

    // Printing runs in talerwerk-drucke beside the program; without it, the command says so.
    const fs::path allein = ordner / "allein";
    fs::create_directory(allein);
    fs::copy_file(TALERWERK_CLI, allein / "talerwerk-cli");
    const Ergebnis ohne = Lauf({"drucke", "rubrik-konto", buch, "--pdf", pdf}, (allein / "talerwerk-cli").string());
    EXPECT_EQ(ohne.Status, 1);
    EXPECT_NE(ohne.Fehler.find("talerwerk-drucke"), std::string::npos) << ohne.Fehler;
    EXPECT_FALSE(fs::exists(pdf));

    // A data file is never the target; the book stays as it was.
    const std::string vorher = Lesen(buch);
    const Ergebnis e = Lauf({"drucke", "rubrik-konto", buch, "--pdf", buch});
    EXPECT_EQ(e.Status, 1);
    EXPECT_NE(e.Fehler.find("Datendatei"), std::string::npos) << e.Fehler;
    EXPECT_EQ(Lesen(buch), vorher);

    // A folder that cannot take the file: exit 1, nothing left behind.
    EXPECT_EQ(Lauf({"drucke", "rubrik-konto", buch, "--pdf", Pfad("gibtsnicht/aus.pdf")}).Status, 1);

    // An existing PDF is replaced whole.
    {
        std::ofstream alt(pdf);
        alt << "alt";
    }
    EXPECT_EQ(Lauf({"drucke", "rubrik-konto", buch, "--pdf", pdf}).Status, 0);
    EXPECT_EQ(Lesen(pdf).substr(0, 5), "%PDF-");
    for (const auto& eintrag : fs::directory_iterator(ordner))
        EXPECT_EQ(eintrag.path().filename().string().find("aus.pdf."), std::string::npos) << eintrag.path();
}

TEST_F(Drucke, ExemplareDerSeiteneinstellung) {
    // Two copies: every page twice, each copy counting from page 1.
    std::string buch = Buch(2);
    const std::string pdf = Pfad("zwei.pdf");
    ASSERT_EQ(Lauf({"drucke", "einnahmen-ausgaben", buch, "--pdf", pdf}).Status, 0);
    const std::string text = PdfText(pdf);
    size_t seiteEins = 0;
    for (size_t p = text.find("Seite 1"); p != std::string::npos; p = text.find("Seite 1", p + 1))
        if (p + 7 >= text.size() || !std::isdigit(static_cast<unsigned char>(text[p + 7]))) ++seiteEins;
    EXPECT_EQ(seiteEins, 2u);
    // No copy: nothing to write, and the command says so.
    fs::remove(buch);
    buch = Buch(0);
    const Ergebnis e = Lauf({"drucke", "einnahmen-ausgaben", buch, "--pdf", Pfad("keins.pdf")});
    EXPECT_EQ(e.Status, 1);
    EXPECT_NE(e.Fehler.find("0 Exemplare"), std::string::npos) << e.Fehler;
    EXPECT_FALSE(fs::exists(Pfad("keins.pdf")));
}

}  // namespace
