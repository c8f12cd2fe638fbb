// The reader against damaged files: every truncation of a small file and thousands of seeded
// byte mutations of a small and a larger one. Whatever the bytes, DateiAuslesen returns (no crash,
// no read past the buffer — this runs under AddressSanitizer in `make test`), and what it accepts
// is a store that writes and reads back as itself.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "store/datendatei.h"
#include "store/datendatei_testdaten.h"
#include "store/ports.h"

namespace talerwerk {
namespace {

// Answers the prompts alternately yes and no, so both paths are taken.
class Wechselnd : public Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return (++n_ % 2) == 0; }

private:
    int n_ = 0;
};

bool Gueltig(LeseStatus s) {
    return s == LeseStatus::Gelesen || s == LeseStatus::Ungueltig || s == LeseStatus::KennwortAbgelehnt;
}

// What the reader accepted writes an image that reads back to the same image.
void ErwarteStabil(const Datenbestand& d) {
    const std::string bild = DateiAbbild(d);
    Datenbestand zurueck;
    Wechselnd abfrage;
    const LeseErgebnis e = DateiAuslesen(bild, zurueck, abfrage, "x");
    if (e.Status == LeseStatus::KennwortAbgelehnt) return;
    ASSERT_EQ(e.Status, LeseStatus::Gelesen);
    ASSERT_EQ(DateiAbbild(zurueck), bild);
}

class Mutierer {
public:
    explicit Mutierer(uint64_t saat) : zufall_(saat) {}

    std::string Mutiere(std::string bild) {
        const int schritte = 1 + Zahl(4);
        for (int s = 0; s < schritte; ++s) {
            if (bild.empty()) bild.push_back(0);
            const size_t pos = static_cast<size_t>(Zahl(static_cast<int>(bild.size())));
            switch (Zahl(9)) {
                case 0:  // flip one bit
                    bild[pos] = static_cast<char>(bild[pos] ^ (1 << Zahl(8)));
                    break;
                case 1:  // insert a random byte
                    bild.insert(bild.begin() + static_cast<std::ptrdiff_t>(pos), static_cast<char>(Zahl(256)));
                    break;
                case 2:  // delete a run of bytes
                    bild.erase(pos, static_cast<size_t>(1 + Zahl(8)));
                    break;
                case 3:
                    bild[pos] = 0x00;
                    break;
                case 4:
                    bild[pos] = static_cast<char>(0xFF);
                    break;
                case 5:
                    bild[pos] = 0x7F;
                    break;
                case 6: {  // a huge or negative count or length
                    static const char* const zahlen[] = {"\xFF\xFF\xFF\x7F", "\x00\x00\x00\x80", "\xFF\xFF\xFF\xFF",
                                                         "\x00\x00\x01\x00"};
                    bild.replace(pos, 4, zahlen[Zahl(4)], 4);
                    break;
                }
                case 7:  // a random tag byte
                    bild[pos] = static_cast<char>(Zahl(14));
                    break;
                default:  // cut the file
                    bild.resize(pos);
                    break;
            }
        }
        return bild;
    }

private:
    int Zahl(int grenze) { return static_cast<int>(zufall_() % static_cast<uint64_t>(grenze)); }
    std::mt19937_64 zufall_;
};

struct Zaehlung {
    int gelesen = 0;
    int ungueltig = 0;
    int abgelehnt = 0;
};

void Pruefen(const std::string& bytes, Zaehlung& z) {
    Datenbestand d;
    Wechselnd abfrage;
    const LeseErgebnis e = DateiAuslesen(bytes, d, abfrage, "x");
    ASSERT_TRUE(Gueltig(e.Status));
    switch (e.Status) {
        case LeseStatus::Gelesen:
            ++z.gelesen;
            ErwarteStabil(d);
            break;
        case LeseStatus::Ungueltig:
            ++z.ungueltig;
            break;
        case LeseStatus::KennwortAbgelehnt:
            ++z.abgelehnt;
            break;
    }
}

TEST(DatendateiRobust, JedesPraefixIstUngueltig) {
    const std::string bild = DateiAbbild(test::ReicherBestand());
    ASSERT_GT(bild.size(), 2000u);
    for (size_t n = 0; n < bild.size(); ++n) {
        Datenbestand d;
        Wechselnd abfrage;
        // The whole image is needed: every prefix ends inside some value or before a count.
        ASSERT_EQ(DateiAuslesen(std::string_view(bild).substr(0, n), d, abfrage, "x").Status, LeseStatus::Ungueltig)
            << n;
    }
    Datenbestand d;
    Wechselnd abfrage;
    EXPECT_EQ(DateiAuslesen(bild, d, abfrage, "x").Status, LeseStatus::Gelesen);
}

TEST(DatendateiRobust, PraefixeEinesHeapPuffersGenauSoLang) {
    // The prefixes as separate allocations of exactly their length, so that AddressSanitizer sees
    // any read one byte past the end.
    const std::string bild = DateiAbbild(test::ReicherBestand());
    for (size_t n = 0; n < bild.size(); n += 7) {
        std::vector<char> puffer(bild.begin(), bild.begin() + static_cast<std::ptrdiff_t>(n));
        Datenbestand d;
        Wechselnd abfrage;
        EXPECT_EQ(DateiAuslesen(std::string_view(puffer.data(), puffer.size()), d, abfrage, "x").Status,
                  LeseStatus::Ungueltig);
    }
}

TEST(DatendateiRobust, MutationenDesReichenBestands) {
    const std::string bild = DateiAbbild(test::ReicherBestand());
    Mutierer m(20261207);
    Zaehlung z;
    for (int i = 0; i < 6000; ++i) {
        const std::string kaputt = m.Mutiere(bild);
        std::vector<char> genau(kaputt.begin(), kaputt.end());
        ASSERT_NO_FATAL_FAILURE(Pruefen(std::string(genau.data(), genau.size()), z)) << "Mutation " << i;
    }
    // Both outcomes occur: the mutations are neither all harmless nor all fatal.
    EXPECT_GT(z.gelesen, 100);
    EXPECT_GT(z.ungueltig, 1000);
}

TEST(DatendateiRobust, MutationenEinesErzeugtenBuchs) {
    const std::string bild = DateiAbbild(test::ErzeugterBestand(300));
    ASSERT_GT(bild.size(), 20000u);
    Mutierer m(4711);
    Zaehlung z;
    for (int i = 0; i < 600; ++i) {
        ASSERT_NO_FATAL_FAILURE(Pruefen(m.Mutiere(bild), z)) << "Mutation " << i;
    }
    EXPECT_GT(z.gelesen, 10);
    EXPECT_GT(z.ungueltig, 100);
}

TEST(DatendateiRobust, RiesigeZaehlerOhneFolgebytes) {
    Datenbestand leer;
    const std::string bild = DateiAbbild(leer);
    // Every count of the file (page settings, Konten, Textbausteine, the four collections) set
    // to 2^31−1 with nothing behind it: refused at once, without trying to make room for it.
    std::vector<size_t> stellen;
    stellen.push_back(4 + 55);                 // page settings, behind the empty Mandant
    stellen.push_back(bild.size() - 16);       // Buchungen
    stellen.push_back(bild.size() - 12);
    stellen.push_back(bild.size() - 8);
    stellen.push_back(bild.size() - 4);
    for (size_t stelle : stellen) {
        const std::string erwartet = stelle == 59 ? std::string("\x01\0\0\0", 4) : std::string(4, '\0');
        ASSERT_EQ(bild.substr(stelle, 4), erwartet) << stelle;
        std::string kaputt = bild.substr(0, stelle) + "\xFF\xFF\xFF\x7F";
        Datenbestand d;
        Wechselnd abfrage;
        EXPECT_EQ(DateiAuslesen(kaputt, d, abfrage, "x").Status, LeseStatus::Ungueltig) << stelle;
    }
    // Konten and Textbausteine counts, behind the default page settings (35 bytes).
    const size_t konten = 4 + 55 + 4 + 35;
    ASSERT_EQ(bild.substr(konten, 8), std::string(8, '\0'));
    for (size_t stelle : {konten, konten + 4}) {
        std::string kaputt = bild.substr(0, stelle) + "\xFF\xFF\xFF\x7F";
        Datenbestand d;
        Wechselnd abfrage;
        EXPECT_EQ(DateiAuslesen(kaputt, d, abfrage, "x").Status, LeseStatus::Ungueltig) << stelle;
    }
}

// Writes the seed files of the data-file fuzzer (fuzz/korpus/datendatei) from real stores. Runs only when asked:
//   TALERWERK_KORPUS=fuzz/korpus/datendatei build-asan/tests/kern_tests --gtest_filter=DatendateiRobust.KorpusSchreiben
TEST(DatendateiRobust, KorpusSchreiben) {
    const char* ordner = std::getenv("TALERWERK_KORPUS");
    if (ordner == nullptr) GTEST_SKIP() << "TALERWERK_KORPUS nicht gesetzt";
    auto Schreibe = [&](const std::string& name, const Datenbestand& d) {
        std::ofstream f(std::string(ordner) + "/" + name, std::ios::binary | std::ios::trunc);
        f << DateiAbbild(d);
        ASSERT_TRUE(f.good()) << name;
    };
    Datenbestand leer;
    kontotyp baustein;
    baustein.Art = ArtTextbaustein;
    for (auto [nr, abk, text] : {std::tuple{10, "#D", "[aktuelles Datum]"}, std::tuple{11, "#M", "[aktueller Monat]"},
                                 std::tuple{12, "#J", "[aktuelles Jahr]"}}) {
        baustein.Nr = nr;
        baustein.Abk = abk;
        baustein.Text1 = text;
        leer.Textbausteine.push_back(baustein);
    }
    Schreibe("leer.tlw", leer);
    Schreibe("reich.tlw", test::ReicherBestand());
    Schreibe("erzeugt.tlw", test::ErzeugterBestand(40));
    Datenbestand geschuetzt = test::ReicherBestand();
    geschuetzt.Mandant.Kurz1 = "jxm|";
    geschuetzt.Mandant.Kurz2 = "q{|";
    Schreibe("kennwort.tlw", geschuetzt);
}

}  // namespace
}  // namespace talerwerk
