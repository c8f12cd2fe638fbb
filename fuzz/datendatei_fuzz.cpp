// libFuzzer target for the data-file reader: any bytes, read once with a prompt that refuses and
// once with one that accepts every password. What is read must write and read back as itself.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTALERWERK_FUZZ=ON
//   cmake --build build-fuzz --target datendatei_fuzz
//   build-fuzz/datendatei_fuzz -max_total_time=60 fuzz/korpus

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/datendatei.h"
#include "store/ports.h"

namespace {

class Ablehnen : public talerwerk::Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return false; }
};

class Annehmen : public talerwerk::Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    using namespace talerwerk;
    const std::string_view bytes(reinterpret_cast<const char*>(daten), groesse);

    Ablehnen ablehnen;
    Datenbestand d1;
    DateiAuslesen(bytes, d1, ablehnen, "fuzz.tlw");

    Annehmen annehmen;
    Datenbestand d2;
    const LeseErgebnis e = DateiAuslesen(bytes, d2, annehmen, "fuzz.tlw");
    if (e.Status == LeseStatus::Gelesen) {
        // Writing what was read and reading it again gives the same image.
        const std::string bild = DateiAbbild(d2);
        Datenbestand d3;
        if (DateiAuslesen(bild, d3, annehmen, "fuzz.tlw").Status != LeseStatus::Gelesen) std::abort();
        if (DateiAbbild(d3) != bild) std::abort();
    }
    return 0;
}
