// libFuzzer target for the settings file reader: any bytes as the settings file. Reading never
// fails, and what is read writes and reads back as the same settings, over the old text or alone.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/einstellungen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    using namespace talerwerk;
    const std::string text(reinterpret_cast<const char*>(daten), groesse);
    const Einstellungen erst = EinstellungenAusText(text);
    if (!(EinstellungenAusText(EinstellungenText("", erst)) == erst)) std::abort();
    const std::string darueber = EinstellungenText(text, erst);
    if (!(EinstellungenAusText(darueber) == erst)) std::abort();
    // Saving twice changes nothing more.
    if (EinstellungenText(darueber, erst) != darueber) std::abort();
    return 0;
}
