#include "app/programmablauf.h"

#include <filesystem>

namespace talerwerk {

unsigned AnsichtenFuerArt(int art) {
    switch (art) {
    case 1: return TeilKontoStand | TeilBListe;
    case 2: return TeilBuchungsfenster | TeilKontoStand | TeilBListe;
    case 3: return TeilBuchungsfenster;
    case 4: return TeilKontoStand;
    case 5: return TeilBListe;
    default: return TeilKeiner;
    }
}

std::string StartDateiPfad(const std::string& programmPfad, const std::string& argument) {
    if (argument.empty()) return {};
    if (argument.find_first_of("/\\") != std::string::npos) return argument;
    std::filesystem::path ordner = std::filesystem::path(programmPfad).parent_path();
    if (ordner.empty()) return argument;
    return (ordner / argument).string();
}

bool SpeicherfrageNoetig(const Datenbestand& d) {
    return d.DateiOffen && d.Geaendert && !d.Schreibschutz;
}

int32_t HinzufuegenPosition(const Datenbestand& d, bool buchungsfensterOffen) {
    auto position = static_cast<int32_t>(d.Buchungen.size());
    if (buchungsfensterOffen && d.LetzterIndex < d.AktIndex) position += 1;
    return position;
}

std::string DateinameOhnePfad(const std::string& pfad) {
    size_t stelle = pfad.find_last_of("/\\");
    return stelle == std::string::npos ? pfad : pfad.substr(stelle + 1);
}

}  // namespace talerwerk
