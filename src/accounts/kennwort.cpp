#include "accounts/kennwort.h"

#include "store/datenbestand.h"
#include "store/zeichensatz.h"

namespace talerwerk {
namespace {

// The shift works on the file's bytes, so the text goes through Windows-1252 and back.
std::string Verschieben(const std::string& text, int um) {
    std::string bytes = NachCp1252Ersetzt(text);
    if (bytes.size() > KurzLaenge) bytes.resize(KurzLaenge);
    for (char& ch : bytes) ch = static_cast<char>((static_cast<unsigned char>(ch) + um + 256) % 256);
    return AusCp1252(bytes);
}

}  // namespace

std::string KennwortVerschluesseln(const std::string& text) { return Verschieben(text, 9); }
std::string KennwortEntschluesseln(const std::string& gespeichert) { return Verschieben(gespeichert, -9); }

}  // namespace talerwerk
