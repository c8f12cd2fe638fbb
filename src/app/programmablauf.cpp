#include "app/programmablauf.h"

#include <algorithm>
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

bool Ueberdeckt(const Fensterrechteck& oben, const Fensterrechteck& unten) {
    // A strip narrower than a title bar is no use to anyone: less than that showing counts as hidden.
    constexpr int64_t Rest = 24;
    return int64_t{unten.x} > oben.x - Rest &&
           int64_t{unten.x} + unten.Breite < int64_t{oben.x} + oben.Breite + Rest &&
           int64_t{unten.y} > oben.y - Rest && int64_t{unten.y} + unten.Hoehe < int64_t{oben.y} + oben.Hoehe + Rest;
}

Fensterrechteck FreierPlatz(const Fensterrechteck& neu, const std::vector<Fensterrechteck>& andere,
                            int32_t flaecheBreite, int32_t flaecheHoehe) {
    auto frei = [&](const Fensterrechteck& r) {
        for (const Fensterrechteck& a : andere)
            if (Ueberdeckt(r, a) || Ueberdeckt(a, r)) return false;
        return true;
    };
    if (frei(neu)) return neu;
    // Inside the work area where it fits; a window larger than the area keeps to its top left.
    auto hinein = [&](Fensterrechteck r) {
        r.x = std::max(0, std::min(r.x, flaecheBreite - r.Breite));
        r.y = std::max(0, std::min(r.y, flaecheHoehe - r.Hoehe));
        return r;
    };
    std::vector<Fensterrechteck> kandidaten;
    for (const Fensterrechteck& a : andere) kandidaten.push_back({a.x + a.Breite, neu.y, neu.Breite, neu.Hoehe});
    for (const Fensterrechteck& a : andere) kandidaten.push_back({neu.x, a.y + a.Hoehe, neu.Breite, neu.Hoehe});
    constexpr int32_t Stufe = 24;  // one step of the cascade, about a title bar
    for (int32_t k = 1; k <= 40; ++k)
        kandidaten.push_back({neu.x + k * Stufe, neu.y + k * Stufe, neu.Breite, neu.Hoehe});
    for (const Fensterrechteck& k : kandidaten) {
        const Fensterrechteck r = hinein(k);
        if (frei(r)) return r;
    }
    return neu;
}

std::string DateinameOhnePfad(const std::string& pfad) {
    size_t stelle = pfad.find_last_of("/\\");
    return stelle == std::string::npos ? pfad : pfad.substr(stelle + 1);
}

}  // namespace talerwerk
