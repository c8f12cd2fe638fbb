// The booking overview and the overall development at a million bookings of the sample book:
// the overview for "Alle Konten / Alle Rubriken / Gesamter Zeitraum" in each grouping (with
// subtotals and cancelled bookings, as the window opens), and the overall development monthly
// over all years from the shared month sums (built once before the timing, as after opening the
// file). The baseline of the same run is one plain pass over the booking records. Beside the
// overview, the copy of its finished rows shows the part of its time that the rows' shape costs.
//
//   cmake -S . -B build -DCMAKE_BUILD_TYPE=Release && cmake --build build --target talerwerk-bench
//   build/bench/talerwerk-bench --benchmark_filter='Uebersicht|Gesamtentwicklung'
//   build/bench/talerwerk-bench --benchmark_filter=Buchungsuebersicht   (the overview and the copy)

#include <benchmark/benchmark.h>

#include <memory>

#include "evaluation/buchungsuebersicht.h"
#include "evaluation/gesamtentwicklung.h"
#include "evaluation/monatssummen.h"
#include "store/datum.h"
#include "benchhilfen.h"

namespace talerwerk {
namespace {

using bench::Verhaeltnis;
using bench::Zeit;

const int32_t kHeute = *TagesNummer(7, 12, 2026);

Datenbestand& Buch() {
    static const std::unique_ptr<Datenbestand> buch = bench::DemoBuchMitIndex(1000000);
    return *buch;
}

MonatsDatenTyp GesamterZeitraum() {
    MonatsDatenTyp m;
    m.Bezeichnung = "Gesamter Zeitraum";
    return m;
}

void Uebersicht(benchmark::State& state) {
    const Datenbestand& d = Buch();
    UebersichtOptionen o;
    o.Abfrage = UebersichtAbfrage(GesamterZeitraum(), CodeAlleKonten, CodeAlleRubriken, true);
    o.Gruppierung = static_cast<UebersichtGruppierung>(state.range(0));
    double summe = 0;
    size_t zeilen = 0;
    for (auto _ : state)
        summe += Zeit([&] {
            const Buchungsuebersicht u = BuchungsuebersichtAufbauen(d, o);
            zeilen = u.Tabelle.Zeilen.size();
            benchmark::DoNotOptimize(u.Saldo);
        });
    state.counters["Zeilen"] = static_cast<double>(zeilen);
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), d);
}
BENCHMARK(Uebersicht)->Name("Fenster_Buchungsuebersicht")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// What the rows' shape costs by itself: copying the finished rows of the same overview (and
// freeing the copy) takes every allocation, page and free that building them takes, without
// filtering, grouping or making a text. Building cannot get below this while the rows keep their
// shape: each a vector of seven strings, seven optional amounts and seven colours.
void UebersichtZeilenKopie(benchmark::State& state) {
    const Datenbestand& d = Buch();
    UebersichtOptionen o;
    o.Abfrage = UebersichtAbfrage(GesamterZeitraum(), CodeAlleKonten, CodeAlleRubriken, true);
    o.Gruppierung = static_cast<UebersichtGruppierung>(state.range(0));
    const Buchungsuebersicht u = BuchungsuebersichtAufbauen(d, o);
    double summe = 0;
    for (auto _ : state)
        summe += Zeit([&] {
            const std::vector<GridZeile> kopie = u.Tabelle.Zeilen;
            benchmark::DoNotOptimize(kopie.data());
        });
    state.counters["Zeilen"] = static_cast<double>(u.Tabelle.Zeilen.size());
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), d);
}
BENCHMARK(UebersichtZeilenKopie)
    ->Name("Fenster_Buchungsuebersicht_NurZeilenKopie")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);

void Gesamtentwicklung_(benchmark::State& state) {
    const Datenbestand& d = Buch();
    state.counters["msErsterAufbau"] =
        Zeit([&] { GemeinsameMonatssummen(d)->MonatsendStand(AuswahlAlleKonten, 0, -1); }) * 1000;
    GesamtentwicklungOptionen o;
    o.Zeitraum = GesamterZeitraum();
    o.Jaehrlich = false;
    o.Saldo = state.range(0) == 1;
    o.Heute = kHeute;
    double summe = 0;
    size_t spalten = 0;
    for (auto _ : state)
        summe += Zeit([&] {
            const Gesamtentwicklung g = GesamtentwicklungAufbauen(d, o);
            spalten = g.Tabelle.Spalten();
            benchmark::DoNotOptimize(g.Staende.data());
        });
    state.counters["Spalten"] = static_cast<double>(spalten);
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), d);
}
BENCHMARK(Gesamtentwicklung_)->Name("Fenster_Gesamtentwicklung_Monatlich")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk
