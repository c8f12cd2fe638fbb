#include "evaluation/auswertung.h"

#include <unordered_map>

#include "store/betrag.h"

namespace talerwerk {

Cent BuchungsBetrag(const buchungstyp& b) { return b.Storniert ? 0 : BetragCent(b.Betrag); }

void StaendeBerechnen(Datenbestand& d) {
    std::unordered_map<int32_t, size_t> index;
    index.reserve(d.Konten.size() * 2);
    for (size_t i = 0; i < d.Konten.size(); ++i) {
        d.Konten[i].Stand = d.Konten[i].AnfStand;
        index.emplace(d.Konten[i].Nr, i);  // the first entry of a number is the one booked on
    }
    for (const auto& b : d.Buchungen) {
        if (b.Storniert) continue;
        const Cent betrag = BetragCent(b.Betrag);
        if (auto it = index.find(b.Konto1); it != index.end())
            d.Konten[it->second].Stand += b.BArt == BArtEinnahme ? betrag : -betrag;
        if (b.BArt == BArtUmbuchung)
            if (auto it = index.find(b.Konto2); it != index.end()) d.Konten[it->second].Stand += betrag;
    }
}

}  // namespace talerwerk
