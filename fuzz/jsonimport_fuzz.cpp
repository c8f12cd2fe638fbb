// libFuzzer target for the JSON import: any text. What it accepts must export and import again as
// the same store, and whatever it accepts must save as a data file that reads back as itself.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "store/datendatei.h"
#include "store/datum.h"
#include "store/jsonformat.h"
#include "store/ports.h"

namespace {

// Today for the defaults of new records: a day the data file can hold.
class FesteUhr : public talerwerk::Uhr {
public:
    int32_t Heute() const override { return *talerwerk::TagesNummer(8, 12, 2026); }
};

class Annehmen : public talerwerk::Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    using namespace talerwerk;
    const std::string_view text(reinterpret_cast<const char*>(daten), groesse);
    FesteUhr uhr;
    SystemZufall zufall(1);
    JsonErgebnis erst = JsonEinlesen(text, uhr, zufall);
    if (!erst.Ok()) return 0;

    std::ostringstream json;
    JsonSchreiben(erst.Bestand, json);
    SystemZufall zufall2(1);
    JsonErgebnis zweit = JsonEinlesen(json.str(), uhr, zufall2);
    if (!zweit.Ok()) std::abort();
    const std::string bild = DateiAbbild(erst.Bestand);
    if (DateiAbbild(zweit.Bestand) != bild) std::abort();

    Annehmen annehmen;
    Datenbestand gelesen;
    if (DateiAuslesen(bild, gelesen, annehmen, "fuzz.tlw").Status != LeseStatus::Gelesen) std::abort();
    if (DateiAbbild(gelesen) != bild) std::abort();
    return 0;
}
