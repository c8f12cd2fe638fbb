#include "bookings/buchungsliste.h"

#include <algorithm>

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

// Compares two texts by character codes, optionally upper-cased, from byte `ab`.
int Vergleich(const std::string& a, const std::string& b, bool gross, size_t ab) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = ab; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (gross) x = Gross(x), y = Gross(y);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The first eight bytes as one number in the order of the texts (a shorter text before a longer one
// with the same start: missing bytes count 0, and the full comparison settles ties).
uint64_t Praefix(const std::string& text, bool gross) {
    uint64_t k = 0;
    for (size_t i = 0; i < 8; ++i) {
        const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        k = (k << 8) | (gross ? Gross(c) : c);
    }
    return k;
}

uint64_t Vorzeichenlos(int64_t wert) { return static_cast<uint64_t>(wert) ^ (uint64_t{1} << 63); }

struct Schluessel {
    uint64_t Wert;
    uint32_t Position;
};

const std::string& TextDerSpalte(const buchungstyp& b, int spalte) { return spalte == 1 ? b.Belegnr : b.Text; }

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
    zeilen_ = std::move(treffer);
    pfade_ = KontoPfade(d.Konten);
    Sortieren(spalte);
}

void Buchungsliste::Sortieren(int spalte) {
    spalte_ = spalte >= 0 && spalte < BListeSpalten ? spalte : BListeSortierungVorgabe;
    if (!d_ || zeilen_.empty()) return;
    const Datenbestand& d = *d_;
    const Buchungsindex& index = BuchungsIndex(d);

    // Display paths: one rank per account number, equal paths equal ranks.
    NrIndex rang;
    if (spalte_ == 7 || spalte_ == 8) {
        std::vector<std::pair<const std::string*, int32_t>> pfade;
        pfade.reserve(pfade_.size());
        for (const auto& [nr, text] : pfade_) pfade.emplace_back(&text, nr);
        std::sort(pfade.begin(), pfade.end(), [](const auto& a, const auto& b) {
            return Vergleich(*a.first, *b.first, true, 0) < 0;
        });
        // Rank 0 belongs to the empty path of numbers the chart does not know.
        int32_t r = 0;
        for (size_t i = 0; i < pfade.size(); ++i) {
            if (i == 0 ? !pfade[i].first->empty() : Vergleich(*pfade[i - 1].first, *pfade[i].first, true, 0) != 0) ++r;
            rang.Einfuegen(pfade[i].second, r);
        }
    }

    std::vector<Schluessel> schluessel(zeilen_.size());
    for (size_t z = 0; z < zeilen_.size(); ++z) {
        const uint32_t p = zeilen_[z];
        uint64_t w = 0;
        switch (spalte_) {
            case 0: w = Vorzeichenlos(index.Nr()[p]); break;
            case 1: w = Praefix(d.Buchungen[p].Belegnr, false); break;
            case 2: w = index.Storniert()[p] ? 0 : 1; break;
            case 3: w = Vorzeichenlos(index.Datum()[p]); break;
            case 4: w = Vorzeichenlos(d.Buchungen[p].BArt); break;
            case 5: w = Praefix(d.Buchungen[p].Text, true); break;
            case 6: w = Vorzeichenlos(index.Betrag()[p]); break;
            case 7:
            case 8: {
                const int32_t r = rang.Finden(spalte_ == 7 ? index.Konto1()[p] : index.Konto2()[p]);
                w = r == NrIndex::Fehlt ? 0 : static_cast<uint64_t>(r);
                break;
            }
        }
        schluessel[z] = {w, p};
    }

    // Rows come in collection order; equal keys keep it, so the sort is stable.
    if (spalte_ == 1 || spalte_ == 5) {
        const bool gross = spalte_ == 5;
        const int sp = spalte_;
        std::sort(schluessel.begin(), schluessel.end(), [&](const Schluessel& a, const Schluessel& b) {
            if (a.Wert != b.Wert) return a.Wert < b.Wert;
            const int v = Vergleich(TextDerSpalte(d.Buchungen[a.Position], sp), TextDerSpalte(d.Buchungen[b.Position], sp),
                                    gross, 8);
            return v != 0 ? v < 0 : a.Position < b.Position;
        });
    } else {
        std::sort(schluessel.begin(), schluessel.end(), [](const Schluessel& a, const Schluessel& b) {
            return a.Wert != b.Wert ? a.Wert < b.Wert : a.Position < b.Position;
        });
    }
    for (size_t z = 0; z < zeilen_.size(); ++z) zeilen_[z] = schluessel[z].Position;
}

std::string Buchungsliste::StatusText() const {
    return std::to_string(zeilen_.size()) + " von " + std::to_string(gesamt_);
}

const buchungstyp* Buchungsliste::Satz(size_t zeile) const {
    if (!d_ || zeile >= zeilen_.size() || zeilen_[zeile] >= d_->Buchungen.size()) return nullptr;
    return &d_->Buchungen[zeilen_[zeile]];
}

int32_t Buchungsliste::Nummer(size_t zeile) const {
    const buchungstyp* b = Satz(zeile);
    return b ? b->IdentNr : 0;
}

int32_t Buchungsliste::BArt(size_t zeile) const {
    const buchungstyp* b = Satz(zeile);
    return b ? b->BArt : 0;
}

std::string Buchungsliste::Zelle(size_t zeile, int spalte) const {
    const buchungstyp* b = Satz(zeile);
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
