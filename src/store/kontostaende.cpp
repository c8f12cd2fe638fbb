#include "store/kontostaende.h"

#include "store/betrag.h"
#include "store/nrindex.h"

namespace talerwerk {

Cent BuchungsBetrag(const buchungstyp& b) { return b.Storniert ? 0 : BetragCent(b.Betrag); }

Cent BuchungsWirkung(const buchungstyp& b, int32_t konto) {
    if (b.Storniert) return 0;
    Cent wirkung = 0;
    switch (b.BArt) {
    case BArtEinnahme:
        if (b.Konto1 == konto) wirkung += BetragCent(b.Betrag);
        break;
    case BArtAusgabe:
        if (b.Konto1 == konto) wirkung -= BetragCent(b.Betrag);
        break;
    case BArtUmbuchung:
        if (b.Konto1 == konto) wirkung -= BetragCent(b.Betrag);
        if (b.Konto2 == konto) wirkung += BetragCent(b.Betrag);
        break;
    default: break;
    }
    return wirkung;
}

void StaendeBerechnen(Datenbestand& d) {
    const Buchungsindex& index = BuchungsIndex(d);
    NrIndex erste(d.Konten.size());
    for (size_t i = 0; i < d.Konten.size(); ++i) {
        kontotyp& k = d.Konten[i];
        const bool erster = erste.Einfuegen(k.Nr, static_cast<int32_t>(i)) == static_cast<int32_t>(i);
        k.Stand = k.AnfStand + (erster ? index.Wirkung(k.Nr) : 0);
    }
}

}  // namespace talerwerk
