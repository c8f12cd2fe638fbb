// The booking overview and the overall development at a million bookings of the sample book:
// the overview for "Alle Konten / Alle Rubriken / Gesamter Zeitraum" in each grouping (with
// subtotals and cancelled bookings, as the window opens), and the overall development monthly
// over all years from the shared month sums (built once before the timing, as after opening the
// file). The baseline of the same run is one plain pass over the booking records. The overview
// keeps one small entry per row; beside it, making one screenful of rows far down shows what the
// window pays per view.
//
//   cmake -S . -B build -DCMAKE_BUILD_TYPE=Release && cmake --build build --target talerwerk-bench
//   build/bench/talerwerk-bench --benchmark_filter='Uebersicht|Gesamtentwicklung'
//   build/bench/talerwerk-bench --benchmark_filter=Buchungsuebersicht

#include <benchmark/benchmark.h>

#include <algorithm>
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
            zeilen = u.Zeilenzahl();
            benchmark::DoNotOptimize(u.Saldo);
        });
    state.counters["Zeilen"] = static_cast<double>(zeilen);
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), d);
}
BENCHMARK(Uebersicht)->Name("Fenster_Buchungsuebersicht")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// What a view pays: the fifty rows of a screenful in the middle of the same overview, made
// from their entries and the store's texts.
void UebersichtBildschirm(benchmark::State& state) {
    const Datenbestand& d = Buch();
    UebersichtOptionen o;
    o.Abfrage = UebersichtAbfrage(GesamterZeitraum(), CodeAlleKonten, CodeAlleRubriken, true);
    o.Gruppierung = static_cast<UebersichtGruppierung>(state.range(0));
    const Buchungsuebersicht u = BuchungsuebersichtAufbauen(d, o);
    const size_t anfang = u.Zeilenzahl() / 2;
    const size_t ende = std::min(u.Zeilenzahl(), anfang + 50);
    for (auto _ : state)
        for (size_t i = anfang; i < ende; ++i) benchmark::DoNotOptimize(u.Zeile(i).Zellen.data());
    state.counters["Zeilen"] = static_cast<double>(ende - anfang);
}
BENCHMARK(UebersichtBildschirm)
    ->Name("Fenster_Buchungsuebersicht_Bildschirmseite")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMicrosecond);

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
