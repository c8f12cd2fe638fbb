// The evaluation engine over generated books: current balances, month-end balances of every
// account at every month-end of the booked range, and category sums by month, once through the
// month sums (one pass, then prefix sums) and once through the plain per-call functions that scan
// every booking on every call.
//
//   cmake -S . -B build-auswertung-rel -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-auswertung-rel --target talerwerk-bench
//   build-auswertung-rel/talerwerk-bench --benchmark_filter=Auswertung

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <vector>

#include "evaluation/auswertung.h"
#include "evaluation/monatssummen.h"
#include "evaluation/zeitraeume.h"
#include "store/datum.h"
#include "store/demobuch.h"

namespace talerwerk {
namespace {

const int32_t kHeute = *TagesNummer(7, 12, 2026);

// Books are made once per size and kept for all benchmarks.
Datenbestand& Buch(int64_t buchungen) {
    static std::map<int64_t, std::unique_ptr<Datenbestand>> buecher;
    auto& buch = buecher[buchungen];
    if (!buch) buch = std::make_unique<Datenbestand>(DemoBuch(buchungen, 20261207, kHeute));
    return *buch;
}

std::vector<int32_t> Konten(const Datenbestand& d) {
    std::vector<int32_t> nr = {AuswahlAlleKonten, AuswahlBestandskonten, AuswahlSparkonten};
    for (const kontotyp& k : d.Konten)
        if (k.Art == ArtBestandskonto || k.Art == ArtSparkonto) nr.push_back(k.Nr);
    return nr;
}

std::vector<int32_t> Rubriken(const Datenbestand& d) {
    std::vector<int32_t> nr;
    for (const kontotyp& k : d.Konten)
        if (k.Art == ArtEinnahme || k.Art == ArtAusgabe) nr.push_back(k.Nr);
    return nr;
}

void StaendeBerechnenBench(benchmark::State& state) {
    Datenbestand& d = Buch(state.range(0));
    for (auto _ : state) {
        StaendeBerechnen(d);
        benchmark::DoNotOptimize(d.Konten.data());
    }
    state.counters["Buchungen"] = static_cast<double>(d.Buchungen.size());
}
BENCHMARK(StaendeBerechnenBench)->Name("Auswertung_StaendeBerechnen")->Arg(1000000)->Unit(benchmark::kMillisecond);

void MonatssummenAufbau(benchmark::State& state) {
    const Datenbestand& d = Buch(state.range(0));
    for (auto _ : state) {
        Monatssummen summen(d);
        benchmark::DoNotOptimize(&summen);
    }
}
BENCHMARK(MonatssummenAufbau)->Name("Auswertung_Monatssummen_Aufbau")->Arg(1000000)->Unit(benchmark::kMillisecond);

// Every account (and the three groups) at every month-end of the booked range, building the
// month sums included.
template <bool Schnell>
void MonatsendStaende(benchmark::State& state) {
    const Datenbestand& d = Buch(state.range(0));
    const std::vector<MonatsDatenTyp> monate = MonatsListe(d, -1, kHeute);
    const std::vector<int32_t> konten = Konten(d);
    for (auto _ : state) {
        Cent summe = 0;
        if constexpr (Schnell) {
            const Monatssummen s(d);
            for (int32_t konto : konten)
                for (const MonatsDatenTyp& m : monate) summe += s.MonatsendStand(konto, m.BisMonat, m.Jahr);
        } else {
            for (int32_t konto : konten)
                for (const MonatsDatenTyp& m : monate) summe += MonatsendStand(d, konto, m.BisMonat, m.Jahr);
        }
        benchmark::DoNotOptimize(summe);
    }
    state.counters["Werte"] = static_cast<double>(konten.size() * monate.size());
}
BENCHMARK(MonatsendStaende<true>)
    ->Name("Auswertung_MonatsendStand_Schnell")
    ->Arg(1000000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(MonatsendStaende<false>)
    ->Name("Auswertung_MonatsendStand_Einfach")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

// Every category by month in mode Rubrik for all accounts, building the month sums included.
template <bool Schnell>
void RubrikJeMonat(benchmark::State& state) {
    const Datenbestand& d = Buch(state.range(0));
    const std::vector<MonatsDatenTyp> monate = MonatsListe(d, -1, kHeute);
    const std::vector<int32_t> rubriken = Rubriken(d);
    for (auto _ : state) {
        Cent summe = 0;
        if constexpr (Schnell) {
            const Monatssummen s(d);
            for (int32_t rubrik : rubriken)
                for (const MonatsDatenTyp& m : monate)
                    summe += s.PeriodenSumme(AuswahlAlleKonten, rubrik, SummenModus::Rubrik, m.VonMonat, m.Jahr,
                                             m.BisMonat, m.Jahr);
        } else {
            for (int32_t rubrik : rubriken)
                for (const MonatsDatenTyp& m : monate)
                    summe += PeriodenSumme(d, AuswahlAlleKonten, rubrik, SummenModus::Rubrik, m.VonMonat, m.Jahr,
                                           m.BisMonat, m.Jahr);
        }
        benchmark::DoNotOptimize(summe);
    }
    state.counters["Werte"] = static_cast<double>(rubriken.size() * monate.size());
}
BENCHMARK(RubrikJeMonat<true>)
    ->Name("Auswertung_RubrikJeMonat_Schnell")
    ->Arg(1000000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RubrikJeMonat<false>)->Name("Auswertung_RubrikJeMonat_Einfach")->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk
