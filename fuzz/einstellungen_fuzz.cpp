// libFuzzer target for the settings file reader: any bytes as the settings file. Reading never
// fails, and what was read writes and reads back as the same settings.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "store/einstellungen.h"

namespace {

std::string Pfad(const char* name) {
    // Shared memory where there is some: the target writes two files for every input.
    static const std::string ordner = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return ordner + "/talerwerk_fuzz_" + std::to_string(getpid()) + "_" + name + ".ini";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    using namespace talerwerk;
    const std::string eingabe = Pfad("ein");
    const std::string ausgabe = Pfad("aus");
    {
        std::ofstream aus(eingabe, std::ios::binary | std::ios::trunc);
        aus.write(reinterpret_cast<const char*>(daten), static_cast<std::streamsize>(groesse));
    }
    const Einstellungen erst = EinstellungenLaden(eingabe);
    // Saving over the input keeps keys it does not know; a fresh file holds exactly the record.
    unlink(ausgabe.c_str());
    if (!EinstellungenSpeichern(ausgabe, erst)) std::abort();
    if (!(EinstellungenLaden(ausgabe) == erst)) std::abort();
    if (EinstellungenSpeichern(eingabe, erst) && !(EinstellungenLaden(eingabe) == erst)) std::abort();
    return 0;
}
