#include "store/kontostaende.h"

#include "store/betrag.h"
#include "store/nrindex.h"

#include <cstdint>

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

Cent BuchungsWirkung(const Indexzeile& z, int32_t konto) {
    if (z.Storniert) return 0;
    Cent wirkung = 0;
    switch (z.BArt) {
    case BArtEinnahme:
        if (z.Konto1 == konto) wirkung += z.Betrag;
        break;
    case BArtAusgabe:
        if (z.Konto1 == konto) wirkung -= z.Betrag;
        break;
    case BArtUmbuchung:
        if (z.Konto1 == konto) wirkung -= z.Betrag;
        if (z.Konto2 == konto) wirkung += z.Betrag;
        break;
    default: break;
    }
    return wirkung;
}

bool StaendeBerechnen(Datenbestand& d) {
    // A sum that left 64 bits is held at the end of the range by the index; once the bookings
    // behind it changed, only a new count tells whether it is still out of range.
    if (BuchungsIndex(d).Ueberlauf()) BuchungenErneuert(d);
    const Buchungsindex& index = BuchungsIndex(d);
    bool imBereich = !index.Ueberlauf();
    NrIndex erste(d.Konten.size());
    for (size_t i = 0; i < d.Konten.size(); ++i) {
        kontotyp& k = d.Konten[i];
        const bool erster = erste.Einfuegen(k.Nr, static_cast<int32_t>(i)) == static_cast<int32_t>(i);
        if (!StandImBereich(k.AnfStand)) imBereich = false;
        const Cent wirkung = erster ? index.Wirkung(k.Nr) : 0;
        if (__builtin_add_overflow(k.AnfStand, wirkung, &k.Stand)) k.Stand = wirkung > 0 ? INT64_MAX : INT64_MIN;
        // A balance beyond what the file holds is kept at the limit, so that sums over the
        // accounts stay within 64 bits as well.
        if (!StandImBereich(k.Stand)) {
            k.Stand = k.Stand > 0 ? GroessterStandCent : -GroessterStandCent;
            imBereich = false;
        }
    }
    return imBereich;
}

}  // namespace talerwerk
