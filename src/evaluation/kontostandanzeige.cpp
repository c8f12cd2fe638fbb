#include "evaluation/kontostandanzeige.h"

#include "evaluation/auswertung.h"
#include "store/betrag.h"

namespace talerwerk {

KontoStandAnzeige KontoStaendeAufbauen(Datenbestand& d, bool bestandskonten, bool sparkonten) {
    KontoStandAnzeige anzeige;
    StaendeBerechnen(d);
    for (const kontotyp& k : d.Konten) {
        const bool zeigen = (k.Art == ArtBestandskonto && bestandskonten) || (k.Art == ArtSparkonto && sparkonten);
        if (!zeigen) continue;
        // Balances are exact cents; the window shows every digit rather than a rounded float.
        anzeige.Zeilen.push_back({k.Name, k.Art, k.Stand, CentText(k.Stand)});
        anzeige.Gesamt += k.Stand;
    }
    anzeige.GesamtText = CentText(anzeige.Gesamt);
    anzeige.GesamtNegativ = anzeige.Gesamt < 0;
    return anzeige;
}

}  // namespace talerwerk
