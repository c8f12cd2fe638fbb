#include "recurring/rgmplan.h"

#include <algorithm>
#include <numeric>

#include "bookings/kontosuche.h"
#include "store/betrag.h"
#include "store/datum.h"

namespace talerwerk {
namespace {

int32_t Laufend(const Kalendertag& k) { return k.Jahr * 12 + k.Monat - 1; }

// The due date a key names in its last six characters ("ddmmyy", years as the file reads them);
// 0 when they are no date. A recurring booking without Kennung (an old or imported file) makes
// keys of the date alone, and its occurrences must count as booked all the same.
int32_t SchluesselDatum(std::string_view kennung) {
    if (kennung.size() < 6) return 0;
    const char* p = kennung.data() + kennung.size() - 6;
    int32_t z[3];
    for (int i = 0; i < 3; ++i) {
        const char a = p[2 * i], b = p[2 * i + 1];
        if (a < '0' || a > '9' || b < '0' || b > '9') return 0;
        z[i] = (a - '0') * 10 + (b - '0');
    }
    const int32_t jahr = z[2] < 80 ? 2000 + z[2] : 1900 + z[2];
    return TagesNummer(z[0], z[1], jahr).value_or(0);
}

std::string Grossbuchstaben(const std::string& text) {
    std::string t = text;
    for (char& c : t)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return t;
}

}  // namespace

int32_t ZeitraumBegrenzt(int32_t tage) { return std::clamp(tage, ZeitraumMin, ZeitraumMax); }

int32_t Vorkommen(int32_t erstesDatum, int32_t k) {
    if (erstesDatum <= 0 || k < 0) return 0;
    const Kalendertag erst = KalenderAus(erstesDatum);
    const int64_t monat = int64_t{Laufend(erst)} + k;
    const int32_t jahr = static_cast<int32_t>(monat / 12);
    const int32_t m = static_cast<int32_t>(monat % 12) + 1;
    if (jahr > 9999) return 0;
    return TagesNummer(std::min(erst.Tag, MonatsLaenge(m, jahr)), m, jahr).value_or(0);
}

std::string RgmSchluessel(const std::string& kennung, int32_t faellig) {
    const Kalendertag k = KalenderAus(faellig);
    char text[7];
    const int32_t jj = ((k.Jahr % 100) + 100) % 100;
    text[0] = static_cast<char>('0' + k.Tag / 10);
    text[1] = static_cast<char>('0' + k.Tag % 10);
    text[2] = static_cast<char>('0' + k.Monat / 10);
    text[3] = static_cast<char>('0' + k.Monat % 10);
    text[4] = static_cast<char>('0' + jj / 10);
    text[5] = static_cast<char>('0' + jj % 10);
    text[6] = 0;
    return kennung + text;
}

std::unordered_set<std::string> GebuchteSchluessel(const Datenbestand& d, int32_t von, int32_t bis) {
    // Only keys of dates inside the window can match an occurrence asked for, so the set stays
    // small however many bookings the book has.
    std::unordered_set<std::string> schluessel;
    for (size_t i = 0; i < d.Buchungen.size(); ++i) {
        const std::string_view kennung = d.Buchungen.Kennung(i);
        if (kennung.size() < 6) continue;
        const int32_t datum = SchluesselDatum(kennung);
        if (datum >= von && datum <= bis && datum > 0) schluessel.emplace(kennung);
    }
    return schluessel;
}

const std::array<std::string, 5>& FaelligeKoepfe() {
    static const std::array<std::string, 5> koepfe{"Name", "Betrag", "fällig am", " von Konto", "auf Konto"};
    return koepfe;
}

std::vector<FaelligeZeile> FaelligeListe(const Datenbestand& d, const std::vector<buchungstyp>& eintraege,
                                        int32_t heute, int32_t tage) {
    std::vector<FaelligeZeile> zeilen;
    if (heute <= 0) return zeilen;
    const int32_t frueheste = LetztesFaelligkeitsdatum(heute, tage);
    const std::unordered_set<std::string> gebucht = GebuchteSchluessel(d, frueheste, heute);
    const auto pfade = KontoPfade(d.Konten);
    auto pfad = [&](int32_t nr) {
        const auto it = pfade.find(nr);
        return it == pfade.end() ? std::string() : it->second;
    };
    const int32_t fruehesterMonat = Laufend(KalenderAus(frueheste));

    for (size_t i = 0; i < eintraege.size(); ++i) {
        const buchungstyp& r = eintraege[i];
        if (r.Datum <= 0 || r.Datum > heute) continue;
        // Occurrences before the window's first month lie outside it: start there.
        const int32_t k0 = std::max(0, fruehesterMonat - Laufend(KalenderAus(r.Datum)));
        for (int32_t k = k0;; ++k) {
            const int32_t datum = Vorkommen(r.Datum, k);
            if (datum <= 0 || datum > heute) break;
            if (datum < frueheste) continue;
            if (!r.Monate[static_cast<size_t>(KalenderAus(datum).Monat - 1)]) continue;
            if (gebucht.count(RgmSchluessel(r.Kennung, datum))) continue;
            FaelligeZeile z;
            z.Eintrag = i;
            z.IdentNr = r.IdentNr;
            z.Faellig = datum;
            z.BArt = r.BArt;
            z.Betrag = BetragCent(r.Betrag);
            z.Zellen = {r.Bezeichnung, r.Betrag, DatumKurzText(datum), pfad(r.Konto1), pfad(r.Konto2)};
            zeilen.push_back(std::move(z));
        }
    }
    FaelligeSortieren(zeilen, FaelligSpalteName);
    return zeilen;
}

void FaelligeSortieren(std::vector<FaelligeZeile>& zeilen, int spalte) {
    std::vector<size_t> folge(zeilen.size());
    std::iota(folge.begin(), folge.end(), size_t{0});
    if (spalte == FaelligSpalteBetrag || spalte == FaelligSpalteDatum) {
        std::vector<int64_t> schluessel(zeilen.size());
        for (size_t i = 0; i < zeilen.size(); ++i)
            schluessel[i] = spalte == FaelligSpalteBetrag ? zeilen[i].Betrag : zeilen[i].Faellig;
        std::stable_sort(folge.begin(), folge.end(), [&](size_t a, size_t b) { return schluessel[a] < schluessel[b]; });
    } else {
        const size_t s = static_cast<size_t>(std::clamp(spalte, 0, 4));
        std::vector<std::string> schluessel(zeilen.size());
        for (size_t i = 0; i < zeilen.size(); ++i) schluessel[i] = Grossbuchstaben(zeilen[i].Zellen[s]);
        std::stable_sort(folge.begin(), folge.end(), [&](size_t a, size_t b) { return schluessel[a] < schluessel[b]; });
    }
    std::vector<FaelligeZeile> sortiert;
    sortiert.reserve(zeilen.size());
    for (size_t i : folge) sortiert.push_back(std::move(zeilen[i]));
    zeilen = std::move(sortiert);
}

}  // namespace talerwerk
