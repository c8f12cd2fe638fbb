#include "accounts/kennwortpruefung.h"

#include "accounts/kennwort.h"
#include "store/datenbestand.h"

namespace talerwerk {

namespace {
bool IstDateikennwort(int art) { return art == KennwortDateiOeffnen || art == KennwortDateiUebernahme; }
}  // namespace

std::string KennwortHinweis(int art) {
    return IstDateikennwort(art) ? "Bitte geben Sie das Dateikennwort ein!"
                                 : "Bitte geben Sie das Schreibschutzkennwort ein!";
}

std::string KennwortAbbruchKnopf(int art) {
    return art == KennwortSchreibschutzOeffnen ? "&Schreibgeschützt öffnen" : "Abbruch";
}

std::string KennwortAbbruchMeldung(int art) {
    switch (art) {
    case KennwortDateiOeffnen: return "Öffnen der Datei abgebrochen!";
    case KennwortSchreibschutzOeffnen: return "Datei wird schreibgeschützt geöffnet!";
    default: return "Übernahme der Stammdaten abgebrochen!";
    }
}

bool KennwortPasst(const std::string& eingabe, const std::string& gespeichert) {
    return Kuerzen(eingabe, KurzLaenge) == KennwortEntschluesseln(gespeichert);
}

}  // namespace talerwerk
