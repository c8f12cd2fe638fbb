#include "store/buchungsindex.h"

#include <algorithm>

#include "store/betrag.h"
#include "store/datenbestand.h"
#include "store/datum.h"

namespace talerwerk {

namespace {

// How many changes the log keeps for readers that bring their results up to date; a reader that
// fell further behind rebuilds, which costs no more than applying that many changes.
constexpr size_t ProtokollHoechstens = 4096;

const int32_t ErsterTag = *TagesNummer(1, 1, 1);
const int32_t LetzterTag = *TagesNummer(31, 12, 9999);

// Month of a day number, remembering the month found last: bookings come mostly in date order,
// so the calendar is asked about once per month rather than once per booking.
struct Monatsrechner {
    int32_t von = 1, bis = 0, monat = 0;
    int32_t operator()(int32_t tag) {
        if (tag < ErsterTag) return MonatVorJahrEins;
        if (tag > LetzterTag) return MonatNachJahr9999;
        if (tag < von || tag > bis) {
            const Kalendertag k = KalenderAus(tag);
            von = tag - (k.Tag - 1);
            bis = von + MonatsLaenge(k.Monat, k.Jahr) - 1;
            monat = k.Jahr * 12 + (k.Monat - 1);
        }
        return monat;
    }
};

uint8_t IndexArt(int32_t bart) {
    return bart == BArtEinnahme || bart == BArtAusgabe || bart == BArtUmbuchung ? static_cast<uint8_t>(bart)
                                                                                 : IndexArtUnbekannt;
}

}  // namespace

int32_t LaufenderMonat(int32_t tag) { return Monatsrechner{}(tag); }

Indexzeile IndexzeileAus(const buchungstyp& b) {
    return {b.IdentNr, b.Datum,        LaufenderMonat(b.Datum), b.Konto1, b.Konto2, BetragCent(b.Betrag),
            IndexArt(b.BArt), b.Storniert};
}

// -------------------------------------------------------------------------------------------------
// Buchungsindex

Indexzeile Buchungsindex::Zeile(size_t i) const {
    return {nr_[i], datum_[i], monat_[i], konto1_[i], konto2_[i], betrag_[i], bart_[i], storniert_[i] != 0};
}

bool Buchungsindex::Beschreibt(const Buchungsspeicher& buchungen) const {
    return buchungen.size() == nr_.size() && buchungen.Fassung() == fassung_;
}

void Buchungsindex::Aufbauen(const Buchungsspeicher& buchungen) {
    const size_t n = buchungen.size();
    // The columns get the same spare room as the collection, so appending does not move them.
    const size_t platz = BuchungenKapazitaet(n);
    auto uebernehmen = [&](auto& ziel, const auto& quelle) {
        ziel.clear();
        ziel.reserve(platz);
        ziel.assign(quelle.begin(), quelle.end());
    };
    uebernehmen(nr_, buchungen.NrSpalte());
    uebernehmen(datum_, buchungen.DatumSpalte());
    uebernehmen(konto1_, buchungen.Konto1Spalte());
    uebernehmen(konto2_, buchungen.Konto2Spalte());
    uebernehmen(betrag_, buchungen.CentSpalte());
    uebernehmen(bart_, buchungen.ArtSpalte());
    uebernehmen(storniert_, buchungen.StorniertSpalte());
    monat_.clear();
    monat_.reserve(platz);
    monat_.resize(n);
    wirkungsPlatz_ = NrIndex(64);
    wirkung_.clear();
    ueberlauf_ = false;

    Monatsrechner monat;
    for (size_t i = 0; i < n; ++i) {
        monat_[i] = monat(datum_[i]);
        Wirken(Zeile(i), +1);
    }
    // The number lookup is wanted by the first booking stored; built here, it costs a sequential
    // pass instead of a pause at that first booking.
    positionGueltig_ = false;
    PositionVon(0);
    groessteGueltig_ = false;
    fassung_ = buchungen.Fassung();
    ++stand_;
    protokollBasis_ = stand_;
    protokoll_.clear();
}

void Buchungsindex::Setzen(size_t i, const Indexzeile& z) {
    nr_[i] = z.Nr;
    datum_[i] = z.Datum;
    monat_[i] = z.Monat;
    konto1_[i] = z.Konto1;
    konto2_[i] = z.Konto2;
    betrag_[i] = z.Betrag;
    bart_[i] = z.BArt;
    storniert_[i] = z.Storniert ? 1 : 0;
}

void Buchungsindex::Wirken(const Indexzeile& z, int vorzeichen) {
    if (!z.Zaehlt() || z.Betrag == 0) return;
    auto buchen = [&](int32_t konto, Cent betrag) {
        const int32_t neu = static_cast<int32_t>(wirkung_.size());
        const int32_t platz = wirkungsPlatz_.Einfuegen(konto, neu);
        if (platz == neu) wirkung_.push_back(0);
        Cent& summe = wirkung_[platz];
        const Cent wert = vorzeichen * betrag;  // |betrag| < 2^63: the sign turns safely
        if (__builtin_add_overflow(summe, wert, &summe)) {
            summe = wert > 0 ? INT64_MAX : INT64_MIN;
            ueberlauf_ = true;
        }
    };
    buchen(z.Konto1, z.BArt == BArtEinnahme ? z.Betrag : -z.Betrag);
    if (z.BArt == BArtUmbuchung) buchen(z.Konto2, z.Betrag);
}

void Buchungsindex::Protokollieren(std::optional<Indexzeile> alt, std::optional<Indexzeile> neu) {
    if (protokoll_.size() >= ProtokollHoechstens) {
        // The older half goes: only a reader that far behind has to rebuild.
        const size_t weg = protokoll_.size() / 2;
        protokoll_.erase(protokoll_.begin(), protokoll_.begin() + static_cast<std::ptrdiff_t>(weg));
        protokollBasis_ += weg;
    }
    protokoll_.push_back({alt, neu});
    ++stand_;
}

void Buchungsindex::Verweisen(const Buchungsspeicher& buchungen) { fassung_ = buchungen.Fassung(); }

Indexzeile IndexzeileAus(const Buchungsspeicher& buchungen, size_t i) {
    return {buchungen.IdentNr(i),
            buchungen.Datum(i),
            LaufenderMonat(buchungen.Datum(i)),
            buchungen.Konto1(i),
            buchungen.Konto2(i),
            buchungen.BetragCent(i),
            buchungen.ArtSpalte()[i],
            buchungen.Storniert(i)};
}

void Buchungsindex::Angehaengt(const Buchungsspeicher& buchungen) {
    const size_t i = nr_.size();
    const Indexzeile z = IndexzeileAus(buchungen, i);
    for (auto* v : {&nr_, &datum_, &monat_, &konto1_, &konto2_}) v->push_back(0);
    betrag_.push_back(0);
    bart_.push_back(0);
    storniert_.push_back(0);
    Setzen(i, z);
    Wirken(z, +1);
    if (positionGueltig_) PositionMerken(z.Nr, static_cast<int32_t>(i));
    if (groessteGueltig_) groessteNr_ = std::max(groessteNr_, z.Nr);
    Verweisen(buchungen);
    Protokollieren(std::nullopt, z);
}

void Buchungsindex::Ersetzt(const Buchungsspeicher& buchungen, size_t i) {
    const Indexzeile alt = Zeile(i);
    const Indexzeile neu = IndexzeileAus(buchungen, i);
    Wirken(alt, -1);
    Setzen(i, neu);
    Wirken(neu, +1);
    if (alt.Nr != neu.Nr) {
        positionGueltig_ = false;
        groessteGueltig_ = false;
    }
    Verweisen(buchungen);
    Protokollieren(alt, neu);
}

void Buchungsindex::Entfernt(const Buchungsspeicher& buchungen, const std::vector<size_t>& positionen) {
    if (positionen.empty()) return;
    for (size_t p : positionen) {
        const Indexzeile z = Zeile(p);
        Wirken(z, -1);
        Protokollieren(z, std::nullopt);
    }
    // One pass moves every remaining row to its new place.
    for (auto* v : {&nr_, &datum_, &monat_, &konto1_, &konto2_}) PositionenEntfernen(*v, positionen);
    PositionenEntfernen(betrag_, positionen);
    PositionenEntfernen(bart_, positionen);
    PositionenEntfernen(storniert_, positionen);
    positionGueltig_ = false;
    groessteGueltig_ = false;
    Verweisen(buchungen);
}

void Buchungsindex::PositionMerken(int32_t nr, int32_t position) const {
    // The table grows with the numbers as long as it stays within a few entries per booking.
    const size_t grenze = 4 * nr_.size() + 1024;
    if (nr >= 0 && static_cast<size_t>(nr) < grenze) {
        if (static_cast<size_t>(nr) >= positionDirekt_.size())
            positionDirekt_.resize(std::max(static_cast<size_t>(nr) + 1, positionDirekt_.size() * 3 / 2), -1);
        // A number kept in the hash map before the table reached it stays there: it came first.
        if (positionDirekt_[nr] < 0 && positionSonst_.Finden(nr) == NrIndex::Fehlt) positionDirekt_[nr] = position;
    } else {
        positionSonst_.Einfuegen(nr, position);
    }
}

int32_t Buchungsindex::PositionVon(int32_t nr) const {
    if (!positionGueltig_) {
        positionDirekt_.assign(nr_.size() + 1, -1);
        positionSonst_ = NrIndex();
        for (size_t i = 0; i < nr_.size(); ++i) PositionMerken(nr_[i], static_cast<int32_t>(i));
        positionGueltig_ = true;
    }
    if (nr >= 0 && static_cast<size_t>(nr) < positionDirekt_.size()) {
        if (positionDirekt_[nr] >= 0) return positionDirekt_[nr];
    }
    return positionSonst_.Finden(nr);
}

int32_t Buchungsindex::GroessteNr() const {
    if (!groessteGueltig_) {
        groessteNr_ = nr_.empty() ? 0 : *std::max_element(nr_.begin(), nr_.end());
        groessteGueltig_ = true;
    }
    return groessteNr_;
}

Cent Buchungsindex::Wirkung(int32_t konto) const {
    const int32_t platz = wirkungsPlatz_.Finden(konto);
    return platz == NrIndex::Fehlt ? 0 : wirkung_[platz];
}

std::optional<std::pair<int32_t, int32_t>> Buchungsindex::Datumsspanne() const {
    if (datum_.empty()) return std::nullopt;
    const auto [frueh, spaet] = std::minmax_element(datum_.begin(), datum_.end());
    return std::pair{*frueh, *spaet};
}

std::optional<std::span<const Buchungsindex::Aenderung>> Buchungsindex::AenderungenSeit(uint64_t stand) const {
    if (stand > stand_ || stand < protokollBasis_) return std::nullopt;
    const size_t ab = static_cast<size_t>(stand - protokollBasis_);
    return std::span<const Aenderung>(protokoll_).subspan(ab);
}

// -------------------------------------------------------------------------------------------------
// Kontoindex

Kontoindex::Kontoindex(const std::vector<kontotyp>& konten) : platz_(konten.size()), unterGruppe_(16) {
    abbild_.reserve(konten.size());
    for (size_t i = 0; i < konten.size(); ++i) {
        const kontotyp& k = konten[i];
        abbild_.push_back({k.Nr, k.Art, k.OberNr, k.AnfStand});
        const int32_t neu = static_cast<int32_t>(nr_.size());
        const int32_t platz = platz_.Einfuegen(k.Nr, neu);
        if (platz == neu) {
            nr_.push_back(k.Nr);
            artBits_.push_back(ArtBit(k.Art));
            oberNr_.push_back(k.OberNr);
            listenPosition_.push_back(static_cast<int32_t>(i));
        } else {
            artBits_[platz] |= ArtBit(k.Art);
        }
    }
    // Top-level categories: follow the parents; a chain longer than the chart runs in a circle.
    hauptrubrik_.resize(nr_.size());
    for (size_t s = 0; s < nr_.size(); ++s) {
        int32_t oben = static_cast<int32_t>(s);
        for (size_t schritte = 0; schritte < nr_.size(); ++schritte) {
            const int32_t vater = platz_.Finden(oberNr_[oben]);
            if (oberNr_[oben] == 0 || vater == Fehlt || vater == oben) break;
            oben = vater;
        }
        hauptrubrik_[s] = oben;
    }
    for (size_t s = 0; s < nr_.size(); ++s) {
        const int32_t neu = static_cast<int32_t>(unter_.size());
        const int32_t gruppe = unterGruppe_.Einfuegen(oberNr_[s], neu);
        if (gruppe == neu) unter_.emplace_back();
        unter_[gruppe].push_back(static_cast<int32_t>(s));
    }
}

bool Kontoindex::HatArt(int32_t platz, int32_t art) const {
    return platz != Fehlt && (artBits_[platz] & ArtBit(art)) != 0;
}

std::span<const int32_t> Kontoindex::Unterplaetze(int32_t oberNr) const {
    const int32_t gruppe = unterGruppe_.Finden(oberNr);
    if (gruppe == NrIndex::Fehlt) return {};
    return unter_[gruppe];
}

bool Kontoindex::Beschreibt(const std::vector<kontotyp>& konten) const {
    if (konten.size() != abbild_.size()) return false;
    for (size_t i = 0; i < konten.size(); ++i) {
        const kontotyp& k = konten[i];
        if (!(abbild_[i] == Abbild{k.Nr, k.Art, k.OberNr, k.AnfStand})) return false;
    }
    return true;
}

}  // namespace talerwerk
