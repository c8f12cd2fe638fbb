// The evaluation windows at a million bookings of the sample book, whole period: the account sheet
// of the busiest account in each grouping, the category × period table (monthly over all years),
// the category × account table and the income and expense overview. The shared month sums are
// built once before the timing (as after opening the file); their first build is reported as
// msErsterAufbau. The baseline of the same run is one plain pass over the booking records.
//
//   cmake -S . -B build -DCMAKE_BUILD_TYPE=Release && cmake --build build --target talerwerk-bench
//   build/bench/talerwerk-bench --benchmark_filter=Fenster

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <unordered_map>

#include "evaluation/gewinnverlust.h"
#include "evaluation/kontenblatt.h"
#include "evaluation/monatssummen.h"
#include "evaluation/rubriktabellen.h"
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

MonatsDatenTyp GesamterZeitraum() {
    MonatsDatenTyp m;
    m.Bezeichnung = "Gesamter Zeitraum";
    return m;
}

// The account most bookings name, on either side.
int32_t BelebtestesKonto(const Datenbestand& d) {
    std::unordered_map<int32_t, int64_t> anzahl;
    for (size_t i = 0; i < d.Buchungen.size(); ++i) {
        ++anzahl[d.Buchungen.Konto1(i)];
        if (d.Buchungen.BArt(i) == BArtUmbuchung && d.Buchungen.Konto2(i) != d.Buchungen.Konto1(i))
            ++anzahl[d.Buchungen.Konto2(i)];
    }
    int32_t best = 0;
    int64_t meiste = -1;
    for (const kontotyp& k : KontenblattKonten(d))
        if (anzahl[k.Nr] > meiste) {
            meiste = anzahl[k.Nr];
            best = k.Nr;
        }
    return best;
}

// Builds the month sums once, untimed in the loop, and reports how long that took.
void MonatssummenBereit(benchmark::State& state) {
    const Datenbestand& d = Buch();
    state.counters["msErsterAufbau"] =
        Zeit([&] { GemeinsameMonatssummen(d)->MonatsendStand(AuswahlAlleKonten, 0, -1); }) * 1000;
}

void Kontenblatt_(benchmark::State& state) {
    const Datenbestand& d = Buch();
    KontenblattOptionen o;
    o.Konto = BelebtestesKonto(d);
    o.Zeitraum = GesamterZeitraum();
    o.Gruppierung = static_cast<KontenblattGruppierung>(state.range(0));
    double summe = 0;
    size_t zeilen = 0;
    for (auto _ : state)
        summe += Zeit([&] {
            const Kontenblatt k = KontenblattAufbauen(d, o);
            zeilen = k.Tabelle.Zeilen.size();
            benchmark::DoNotOptimize(k.Saldo);
        });
    state.counters["Zeilen"] = static_cast<double>(zeilen);
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(Kontenblatt_)->Name("Fenster_Kontenblatt")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void RubrikZeit(benchmark::State& state) {
    MonatssummenBereit(state);
    RubrikTabellenOptionen o;
    o.Zeitraum = GesamterZeitraum();
    o.Heute = kHeute;
    double summe = 0;
    size_t spalten = 0;
    for (auto _ : state)
        summe += Zeit([&] {
            const RubrikTabelle t = RubrikZeitAufbauen(Buch(), o);
            spalten = t.Tabelle.Spalten();
            benchmark::DoNotOptimize(t.Tabelle.Zeilen.data());
        });
    state.counters["Spalten"] = static_cast<double>(spalten);
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(RubrikZeit)->Name("Fenster_RubrikZeit_Monatlich")->Unit(benchmark::kMillisecond);

void RubrikKonto(benchmark::State& state) {
    MonatssummenBereit(state);
    RubrikTabellenOptionen o;
    o.Zeitraum = GesamterZeitraum();
    o.Heute = kHeute;
    double summe = 0;
    for (auto _ : state)
        summe += Zeit([&] { benchmark::DoNotOptimize(RubrikKontoAufbauen(Buch(), o).Tabelle.Zeilen.data()); });
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(RubrikKonto)->Name("Fenster_RubrikKonto")->Unit(benchmark::kMillisecond);

void EinnahmenAusgaben(benchmark::State& state) {
    MonatssummenBereit(state);
    GewinnVerlustOptionen o;
    o.Zeitraum = GesamterZeitraum();
    double summe = 0;
    for (auto _ : state)
        summe += Zeit([&] { benchmark::DoNotOptimize(GewinnVerlustAufbauen(Buch(), o).Zeilen.data()); });
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(EinnahmenAusgaben)->Name("Fenster_EinnahmenAusgaben")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk
