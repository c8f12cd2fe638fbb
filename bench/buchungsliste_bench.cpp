// The booking list at a million bookings of the sample book: building it for "Alle Konten / Alle
// Rubriken / Gesamter Zeitraum" (query, matching, rows, sorting by the default column), sorting it
// again by other columns, a saved filter with a text pattern, and deleting 1,000 chosen bookings
// once the questions are answered. The baseline of the same run is one plain pass over the booking
// records that reads the fields the list shows.
//
//   cmake -S . -B build -DCMAKE_BUILD_TYPE=Release && cmake --build build --target talerwerk-bench
//   build/bench/talerwerk-bench --benchmark_filter=Liste

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bookings/abfrage.h"
#include "bookings/buchungsliste.h"
#include "store/betrag.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "benchhilfen.h"

namespace talerwerk {
namespace {

using bench::Verhaeltnis;
using bench::Zeit;

constexpr int64_t kBuchungen = 1000000;
const int32_t kHeute = *TagesNummer(7, 12, 2026);

Datenbestand& Buch() {
    static const std::unique_ptr<Datenbestand> buch = bench::DemoBuchMitIndex(kBuchungen);
    return *buch;
}

abfragetyp AlleBuchungen() { return AbfrageAusBaeumen(MonatsDatenTyp{}, CodeAlleKonten, CodeAlleRubriken); }

void ListeAufbauen(benchmark::State& state) {
    const Datenbestand& d = Buch();
    double summe = 0;
    size_t zeilen = 0;
    for (auto _ : state) {
        Buchungsliste liste;
        summe += Zeit([&] { liste.Aktualisieren(d, AlleBuchungen(), BListeSortierungVorgabe); });
        zeilen = liste.Anzahl();
    }
    state.counters["Zeilen"] = static_cast<double>(zeilen);
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(ListeAufbauen)->Name("Liste_AlleKontenAlleRubrikenGesamt")->Unit(benchmark::kMillisecond);

// Sorting the full list again by a column (after it was sorted by the default one).
void Umsortieren(benchmark::State& state) {
    const Datenbestand& d = Buch();
    Buchungsliste liste;
    liste.Aktualisieren(d, AlleBuchungen(), BListeSortierungVorgabe);
    const int spalte = static_cast<int>(state.range(0));
    double summe = 0;
    for (auto _ : state) {
        state.PauseTiming();
        liste.Sortieren(BListeSortierungVorgabe);
        state.ResumeTiming();
        summe += Zeit([&] { liste.Sortieren(spalte); });
    }
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(Umsortieren)->Name("Liste_Umsortieren")->DenseRange(0, 8)->Unit(benchmark::kMillisecond);

// A saved filter with a text pattern, applied as the page "Erweiterte Suche" applies it.
void Textfilter(benchmark::State& state) {
    const Datenbestand& d = Buch();
    buchungstyp filter = BuchungVorgabe(SatzFilter, kHeute);
    filter.Text = "Miete*";
    double summe = 0;
    size_t zeilen = 0;
    for (auto _ : state) {
        Buchungsliste liste;
        summe += Zeit([&] { liste.Aktualisieren(d, AbfrageAusFilter(d, filter, kHeute), BListeSortierungVorgabe); });
        zeilen = liste.Anzahl();
    }
    state.counters["Zeilen"] = static_cast<double>(zeilen);
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(Textfilter)->Name("Liste_FilterMitTextmuster")->Unit(benchmark::kMillisecond);

class AlleAntwort : public Meldungen {
public:
    void Fehler(const std::string&) override {}
    void Information(const std::string&) override {}
    void Warnung(const std::string&) override {}
    Antwort Frage(const std::string&, Knoepfe) override { return Antwort::Alle; }
    void Piep() override {}
};

// 1,000 rows spread over the list, "All" at the first question; the book is restored untimed.
void Loeschen(benchmark::State& state) {
    Datenbestand& original = Buch();
    AlleAntwort meldungen;
    Einstellungen e;
    double summe = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Datenbestand d = original;
        BuchungenErneuert(d);
        Buchungsliste liste;
        liste.Aktualisieren(d, AlleBuchungen(), 5);
        std::vector<size_t> zeilen;
        for (size_t z = 0; z < 1000; ++z) zeilen.push_back(z * (liste.Anzahl() / 1000));
        d.AktIndex = d.AnzeigeIndex = static_cast<int32_t>(d.Buchungen.size() / 2);
        state.ResumeTiming();
        summe += Zeit([&] {
            const Listenloeschung l = ZeilenLoeschen(d, liste, zeilen, true, e, meldungen);
            benchmark::DoNotOptimize(l.Entfernt);
        });
        state.PauseTiming();
        d = Datenbestand{};
        state.ResumeTiming();
    }
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(Loeschen)->Name("Liste_Loeschen1000")->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk
