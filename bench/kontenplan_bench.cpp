// The chart's work over a large book: usage counts for the plan's buttons, the plan tree with the
// button rules of every node, the lookup lists of the booking entry and the display paths, over a
// sample book with 1,000,000 bookings.
//
//   cmake -S . -B build-konten-rel -DCMAKE_BUILD_TYPE=Release && cmake --build build-konten-rel --target talerwerk-bench
//   build-konten-rel/bench/talerwerk-bench --benchmark_filter='Kontenplan|Kontosuche'

#include <benchmark/benchmark.h>

#include "accounts/kontenplan.h"
#include "bookings/buchungsoperationen.h"
#include "bookings/kontosuche.h"
#include "store/datum.h"
#include "store/demobuch.h"

namespace talerwerk {
namespace {

const Datenbestand& Buch() {
    static const Datenbestand d = DemoBuch(1'000'000, 7, *TagesNummer(31, 12, 2025));
    return d;
}

void Kontenplan_NutzungZaehlen(benchmark::State& state) {
    const Datenbestand& d = Buch();
    for (auto _ : state) benchmark::DoNotOptimize(NutzungZaehlen(d));
    state.counters["Buchungen"] = static_cast<double>(d.Buchungen.size());
}
BENCHMARK(Kontenplan_NutzungZaehlen)->Unit(benchmark::kMillisecond);

// Opening the plan: usage counts, tree, and the button rules evaluated once on every node.
void Kontenplan_OeffnenUndAlleKnoepfe(benchmark::State& state) {
    const Datenbestand& d = Buch();
    for (auto _ : state) {
        const Nutzung n = NutzungZaehlen(d);
        Kontenplan plan(d.Konten);
        int an = 0;
        for (int i = 0; i < plan.Anzahl(); ++i) an += plan.Knoepfe(i, n).Loeschen;
        benchmark::DoNotOptimize(an);
    }
    state.counters["Konten"] = static_cast<double>(Buch().Konten.size());
}
BENCHMARK(Kontenplan_OeffnenUndAlleKnoepfe)->Unit(benchmark::kMillisecond);

// A full chart (2996 entries): tree, button rules of every node and rebuilding Konten.
void Kontenplan_VollerPlan(benchmark::State& state) {
    std::vector<kontotyp> konten;
    for (int i = 1; i <= MaxPlanKnoten - 4; ++i) {
        kontotyp k;
        k.Nr = -i;
        k.Art = 1 + i % 4;
        k.OberNr = (k.Art <= 2 && i % 5 == 0) ? -(i - 4) : 0;
        k.Abk = "K" + std::to_string(i);
        k.Name = "Konto " + std::to_string(i);
        konten.push_back(k);
    }
    const Nutzung n;
    for (auto _ : state) {
        Kontenplan plan(konten);
        int an = 0;
        for (int i = 0; i < plan.Anzahl(); ++i) an += plan.Knoepfe(i, n).Neu;
        benchmark::DoNotOptimize(plan.Konten());
        benchmark::DoNotOptimize(an);
    }
}
BENCHMARK(Kontenplan_VollerPlan)->Unit(benchmark::kMillisecond);

void Kontosuche_ListenUndPfade(benchmark::State& state) {
    const Datenbestand& d = Buch();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Konto1Baum(d.Konten));
        benchmark::DoNotOptimize(Konto2Baum(d.Konten));
        benchmark::DoNotOptimize(KontoPfade(d.Konten));
    }
}
BENCHMARK(Kontosuche_ListenUndPfade)->Unit(benchmark::kMicrosecond);

// Going to the last booking by number: a scan of the whole collection.
void Kontosuche_BuchungSuchenNr(benchmark::State& state) {
    const Datenbestand& d = Buch();
    const int32_t letzte = d.Buchungen.back().IdentNr;
    for (auto _ : state) benchmark::DoNotOptimize(BuchungSuchenNr(d, letzte));
}
BENCHMARK(Kontosuche_BuchungSuchenNr)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk
