#include "evaluation/grid.h"

#include "evaluation/auswertung.h"

namespace talerwerk {

std::string AuswahlBezeichnung(const Datenbestand& d, int32_t auswahl) {
    switch (auswahl) {
    case 0: return {};
    case AuswahlAlleKonten: return "Alle Konten";
    case AuswahlBestandskonten: return "Bestandskonten";
    case AuswahlSparkonten: return "Sparkonten";
    default: break;
    }
    for (const kontotyp& k : d.Konten)
        if (k.Nr == auswahl && (k.Art == ArtBestandskonto || k.Art == ArtSparkonto)) return k.Name;
    return {};
}

std::string AuswertungsTitel(const std::string& praefix, const MonatsDatenTyp& zeitraum,
                             const std::string& kontoText) {
    std::string titel = praefix + " -  " + zeitraum.Bezeichnung;
    if (!kontoText.empty()) titel += " - " + kontoText;
    return titel;
}

}  // namespace talerwerk
