#include "bookings/buchungsliste.h"

#include <algorithm>
#include <string_view>

#include "bookings/kontosuche.h"
#include "store/betrag.h"
#include "store/datum.h"

namespace talerwerk {

const std::array<const char*, BListeSpalten> BListeUeberschriften = {
    "B.-Nr.", "Beleg-Nr.", "stor.", "Datum", "Art", "Buchungstext", "Betrag", "Konto 1", "Rubrik/ Konto 2 ",
};

namespace {

// Upper-casing of the list changes the letters a–z only.
inline unsigned char Gross(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

// Compares two texts by character codes, optionally upper-cased.
int Vergleich(std::string_view a, std::string_view b, bool gross) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (gross) x = Gross(x), y = Gross(y);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// Ranks of texts: equal texts (after upper-casing, where asked) equal ranks, in the order of the
// texts. Lists repeat their texts a great deal, so the distinct texts are few and sorting them is cheap.
class Textraenge {
public:
    explicit Textraenge(size_t erwartet) { ids_.reserve(std::min<size_t>(erwartet, 4096)); }
    uint32_t Id(std::string_view text) {
        const auto [it, neu] = ids_.try_emplace(text, static_cast<uint32_t>(texte_.size()));
        if (neu) texte_.push_back(text);
        return it->second;
    }
    // Rank of every id given so far.
    std::vector<uint32_t> Raenge(bool gross) const {
        std::vector<uint32_t> ordnung(texte_.size());
        for (uint32_t i = 0; i < ordnung.size(); ++i) ordnung[i] = i;
        std::sort(ordnung.begin(), ordnung.end(),
                  [&](uint32_t a, uint32_t b) { return Vergleich(texte_[a], texte_[b], gross) < 0; });
        std::vector<uint32_t> rang(texte_.size());
        uint32_t r = 0;
        for (size_t i = 0; i < ordnung.size(); ++i) {
            if (i > 0 && Vergleich(texte_[ordnung[i - 1]], texte_[ordnung[i]], gross) != 0) ++r;
            rang[ordnung[i]] = r;
        }
        return rang;
    }

private:
    std::unordered_map<std::string_view, uint32_t> ids_;
    std::vector<std::string_view> texte_;
};

uint64_t Vorzeichenlos(int64_t wert) { return static_cast<uint64_t>(wert) ^ (uint64_t{1} << 63); }

struct Schluessel {
    uint64_t Wert;
    uint32_t Position;
};

std::string Artbuchstabe(int32_t bart) {
    switch (bart) {
        case BArtEinnahme: return "E";
        case BArtAusgabe: return "A";
        case BArtUmbuchung: return "U";
        default: return {};
    }
}

}  // namespace

std::string BListeZelle(const buchungstyp& b, int spalte, const std::unordered_map<int32_t, std::string>& pfade) {
    auto pfad = [&](int32_t nr) {
        const auto it = pfade.find(nr);
        return it == pfade.end() ? std::string() : it->second;
    };
    switch (spalte) {
        case 0: return NummerText(b.IdentNr);
        case 1: return b.Belegnr;
        case 2: return b.Storniert ? "  x" : "";
        case 3: return DatumKurzText(b.Datum);
        case 4: return Artbuchstabe(b.BArt);
        case 5: return b.Text;
        case 6: return b.Betrag;
        case 7: return pfad(b.Konto1);
        case 8: return pfad(b.Konto2);
        default: return {};
    }
}

void Buchungsliste::Aktualisieren(const Datenbestand& d, const abfragetyp& q, int spalte) {
    Aktualisieren(d, Abfragefilter(d, q), spalte);
}

void Buchungsliste::Aktualisieren(const Datenbestand& d, const Abfragefilter& f, int spalte) {
    Fuellen(d, f.Treffer(), spalte);
}

void Buchungsliste::Fuellen(const Datenbestand& d, std::vector<uint32_t> treffer, int spalte) {
    d_ = &d;
    stand_ = BuchungsIndex(d).Stand();
    gesamt_ = d.Buchungen.size();
    treffer_ = std::move(treffer);
    pfade_ = KontoPfade(d.Konten);
    Sortieren(spalte);
}

void Buchungsliste::Sortieren(int spalte) {
    spalte_ = spalte >= 0 && spalte < BListeSpalten ? spalte : BListeSortierungVorgabe;
    zeilen_.clear();
    if (!d_ || treffer_.empty()) return;
    const Datenbestand& d = *d_;
    const Buchungsindex& index = BuchungsIndex(d);
    const size_t n = treffer_.size();

    // One key per row, computed in collection order (the records are read front to back).
    std::vector<Schluessel> schluessel(n);
    if (spalte_ == 1 || spalte_ == 5) {
        Textraenge raenge(n);
        for (size_t z = 0; z < n; ++z) {
            const size_t p = treffer_[z];
            schluessel[z] = {raenge.Id(spalte_ == 1 ? d.Buchungen.Belegnr(p) : d.Buchungen.Text(p)), treffer_[z]};
        }
        const std::vector<uint32_t> rang = raenge.Raenge(spalte_ == 5);
        for (Schluessel& s : schluessel) s.Wert = rang[s.Wert];
    } else if (spalte_ == 7 || spalte_ == 8) {
        // Display paths: one rank per account number; numbers the chart does not know show "".
        Textraenge raenge(pfade_.size() + 1);
        raenge.Id("");
        std::vector<std::pair<int32_t, uint32_t>> ids;
        for (const auto& [nr, text] : pfade_) ids.emplace_back(nr, raenge.Id(text));
        const std::vector<uint32_t> rang = raenge.Raenge(true);
        NrIndex nachNr(ids.size());
        for (const auto& [nr, id] : ids) nachNr.Einfuegen(nr, static_cast<int32_t>(rang[id]));
        const std::vector<int32_t>& konto = spalte_ == 7 ? index.Konto1() : index.Konto2();
        for (size_t z = 0; z < n; ++z) {
            const int32_t r = nachNr.Finden(konto[treffer_[z]]);
            schluessel[z] = {r == NrIndex::Fehlt ? rang[0] : static_cast<uint64_t>(r), treffer_[z]};
        }
    } else {
        for (size_t z = 0; z < n; ++z) {
            const uint32_t p = treffer_[z];
            uint64_t w = 0;
            switch (spalte_) {
                case 0: w = Vorzeichenlos(index.Nr()[p]); break;
                case 2: w = index.Storniert()[p] ? 0 : 1; break;
                case 3: w = Vorzeichenlos(index.Datum()[p]); break;
                case 4: w = Vorzeichenlos(d.Buchungen.BArt(p)); break;
                case 6: w = Vorzeichenlos(index.Betrag()[p]); break;
            }
            schluessel[z] = {w, p};
        }
    }
    // Equal keys keep the collection order: the sort is stable, and sorting again changes nothing.
    std::sort(schluessel.begin(), schluessel.end(), [](const Schluessel& a, const Schluessel& b) {
        return a.Wert != b.Wert ? a.Wert < b.Wert : a.Position < b.Position;
    });
    zeilen_.resize(n);
    for (size_t z = 0; z < n; ++z) zeilen_[z] = schluessel[z].Position;
}

std::string Buchungsliste::StatusText() const {
    return std::to_string(zeilen_.size()) + " von " + std::to_string(gesamt_);
}

std::optional<size_t> Buchungsliste::GueltigePosition(size_t zeile) const {
    if (!d_ || zeile >= zeilen_.size() || zeilen_[zeile] >= d_->Buchungen.size()) return std::nullopt;
    return zeilen_[zeile];
}

std::optional<buchungstyp> Buchungsliste::Satz(size_t zeile) const {
    const auto p = GueltigePosition(zeile);
    if (!p) return std::nullopt;
    return d_->Buchungen[*p];
}

int32_t Buchungsliste::Nummer(size_t zeile) const {
    const auto p = GueltigePosition(zeile);
    return p ? d_->Buchungen.IdentNr(*p) : 0;
}

int32_t Buchungsliste::BArt(size_t zeile) const {
    const auto p = GueltigePosition(zeile);
    return p ? d_->Buchungen.BArt(*p) : 0;
}

std::string Buchungsliste::Zelle(size_t zeile, int spalte) const {
    const auto b = Satz(zeile);
    return b ? BListeZelle(*b, spalte, pfade_) : std::string();
}

int32_t Buchungsliste::ZeileVon(size_t position) const {
    const auto it = std::find(zeilen_.begin(), zeilen_.end(), position);
    return it == zeilen_.end() ? -1 : static_cast<int32_t>(it - zeilen_.begin());
}

bool Buchungsliste::Aktuell(const Datenbestand& d) const {
    return d_ == &d && BuchungsIndex(d).Stand() == stand_ && d.Buchungen.size() == gesamt_;
}

Listenloeschung ZeilenLoeschen(Datenbestand& d, const Buchungsliste& liste, const std::vector<size_t>& zeilen,
                               bool eingabeOffen, const Einstellungen& e, Meldungen& m) {
    Listenloeschung ergebnis;
    if (!liste.Aktuell(d)) {
        ergebnis.Letzte = Antwort::Abbrechen;
        return ergebnis;
    }
    bool fragen = e.Warnung;
    std::vector<size_t> positionen;
    for (size_t zeile : zeilen) {
        if (zeile >= liste.Anzahl()) continue;
        Antwort a = Antwort::Ja;
        if (fragen)
            a = m.Frage("Soll Buchung \"" + NummerText(liste.Nummer(zeile)) + "\" wirklich gelöscht werden?",
                        Knoepfe::JaNeinAbbrechenAlle);
        ergebnis.Letzte = a;
        if (a == Antwort::Abbrechen) break;
        if (a == Antwort::Alle) fragen = false;
        if (a == Antwort::Ja || a == Antwort::Alle) positionen.push_back(liste.Position(zeile));
    }
    std::sort(positionen.begin(), positionen.end());
    positionen.erase(std::unique(positionen.begin(), positionen.end()), positionen.end());
    ergebnis.Entfernt = BuchungenEntfernen(d, positionen);
    if (ergebnis.Entfernt == 0) return ergebnis;
    d.Geaendert = true;

    auto davor = [&](int64_t index, bool mitGleich) {
        const auto ende = mitGleich ? std::upper_bound(positionen.begin(), positionen.end(), static_cast<size_t>(index))
                                    : std::lower_bound(positionen.begin(), positionen.end(), static_cast<size_t>(index));
        return static_cast<int32_t>(ende - positionen.begin());
    };
    d.LetzterIndex = LetzteBuchung(d);
    if (eingabeOffen) {
        if (d.AktIndex > 0) d.AktIndex = std::max(0, d.AktIndex - davor(d.AktIndex, true));
        if (d.AnzeigeIndex >= 0) {
            const bool eigene = std::binary_search(positionen.begin(), positionen.end(), static_cast<size_t>(d.AnzeigeIndex));
            d.AnzeigeIndex = eigene ? -1 : d.AnzeigeIndex - davor(d.AnzeigeIndex, false);
        }
        ergebnis.EingabeZeigen = true;
    }
    d.AktIndex = std::min(d.AktIndex, d.LetzterIndex + 1);
    return ergebnis;
}

}  // namespace talerwerk
