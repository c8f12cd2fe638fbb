// The booking index at a million bookings of the sample book: building it, keeping it and the
// shared month sums current when one booking is stored, the balances from it, and the first
// booking added after opening. The baseline of the same run is one plain pass over the booking
// records that reads the same fields (what every evaluation did before the index).
//
//   cmake -S . -B build -DCMAKE_BUILD_TYPE=Release && cmake --build build --target talerwerk-bench
//   build/bench/talerwerk-bench --benchmark_filter=Index

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bookings/buchungsoperationen.h"
#include "evaluation/kontostandanzeige.h"
#include "evaluation/monatssummen.h"
#include "store/betrag.h"
#include "store/datendatei.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "store/ports.h"
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

void IndexAufbau(benchmark::State& state) {
    Datenbestand& d = Buch();
    double summe = 0;
    for (auto _ : state) summe += Zeit([&] { BuchungenErneuert(d); });
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(IndexAufbau)->Name("Index_Aufbau")->Unit(benchmark::kMillisecond);

void MonatssummenAufbau(benchmark::State& state) {
    Datenbestand& d = Buch();
    double summe = 0;
    for (auto _ : state)
        summe += Zeit([&] {
            Monatssummen m(d);
            benchmark::DoNotOptimize(m.MonatsendStand(AuswahlAlleKonten, 0, -1));
        });
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(MonatssummenAufbau)->Name("Index_Monatssummen_Neuaufbau")->Unit(benchmark::kMillisecond);

// One booking stored through the booking operation, then the shared month sums asked (which
// takes the booking in) for a balance and a category sum. The booking is removed untimed.
template <bool Neu>
void EineBuchung(benchmark::State& state) {
    Datenbestand& d = Buch();
    d.LetzterIndex = static_cast<int32_t>(d.Buchungen.size()) - 1;
    const auto summen = GemeinsameMonatssummen(d);
    summen->PeriodenSumme(AuswahlAlleKonten, d.Buchungen.back().Konto2, SummenModus::Rubrik, Periode{});
    const size_t position = d.Buchungen.size() / 2;
    const buchungstyp alt = d.Buchungen[position];
    double summe = 0;
    for (auto _ : state) {
        buchungstyp b = Neu ? d.Buchungen.back() : alt;
        if (Neu) b.IdentNr = NaechsteBuchungsNr(d);
        b.Betrag = "47,11";
        summe += Zeit([&] {
            BuchungEinfuegen(d, b, Neu ? d.LetzterIndex + 1 : static_cast<int32_t>(position));
            benchmark::DoNotOptimize(summen->MonatsendStand(AuswahlAlleKonten, 0, -1));
            benchmark::DoNotOptimize(
                summen->PeriodenSumme(AuswahlAlleKonten, b.Konto2, SummenModus::Rubrik, Periode{}));
        });
        state.PauseTiming();
        if (Neu) {
            BuchungenEntfernen(d, {d.Buchungen.size() - 1});
            BuchungsIndex(d).PositionVon(0);  // the number lookup is rebuilt after a removal
        } else {
            BuchungEinfuegen(d, alt, static_cast<int32_t>(position));
        }
        state.ResumeTiming();
    }
    state.counters["Neuaufbauten"] = summen->Aufbauten();
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(EineBuchung<true>)->Name("Index_EineBuchungNeu_MitMonatssummen")->Unit(benchmark::kMillisecond);
BENCHMARK(EineBuchung<false>)->Name("Index_EineBuchungUeberschreiben_MitMonatssummen")->Unit(benchmark::kMillisecond);

void Staende(benchmark::State& state) {
    Datenbestand& d = Buch();
    double summe = 0;
    for (auto _ : state) summe += Zeit([&] { StaendeBerechnen(d); });
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(Staende)->Name("Index_StaendeBerechnen")->Unit(benchmark::kMillisecond);

// What the balances window computes when a booking was stored.
void KontostandFenster(benchmark::State& state) {
    Datenbestand& d = Buch();
    d.LetzterIndex = static_cast<int32_t>(d.Buchungen.size()) - 1;
    const size_t position = d.Buchungen.size() / 3;
    buchungstyp b = d.Buchungen[position];
    double summe = 0;
    for (auto _ : state) {
        b.Betrag = b.Betrag == "12,34" ? "43,21" : "12,34";
        BuchungEinfuegen(d, b, static_cast<int32_t>(position));
        summe += Zeit([&] { benchmark::DoNotOptimize(KontoStaendeAufbauen(d, true, true).Gesamt); });
    }
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(KontostandFenster)->Name("Index_KontostaendeNachEinerBuchung")->Unit(benchmark::kMillisecond);

// The first booking added after the million-booking file was opened.
using bench::Annehmen;
using bench::Stumm;

void ErsteBuchungNachDemOeffnen(benchmark::State& state) {
    char ordner[] = "/tmp/talerwerk-indexbench-XXXXXX";
    if (!::mkdtemp(ordner)) return state.SkipWithError("kein Ordner");
    const std::string pfad = std::string(ordner) + "/million.tlw";
    const std::string befehl = std::string("\"") + TALERWERK_CLI + "\" demo \"" + pfad + "\" --buchungen " +
                               std::to_string(kBuchungen) + " --bis 2026-12-07 >/dev/null";
    if (std::system(befehl.c_str()) != 0) return state.SkipWithError("talerwerk-cli demo schlug fehl");
    double laden = 0, anhaengen = 0;
    for (auto _ : state) {
        Datenbestand d;
        d.Dateiname = pfad;
        Stumm meldungen;
        Annehmen abfrage;
        laden += Zeit([&] {
            if (!DateiLaden(d, meldungen, abfrage)) state.SkipWithError("Laden schlug fehl");
            BuchungsIndex(d);
        });
        buchungstyp b = d.Buchungen.back();
        b.IdentNr = NaechsteBuchungsNr(d);
        anhaengen += Zeit([&] { BuchungEinfuegen(d, b, static_cast<int32_t>(d.Buchungen.size())); });
        state.PauseTiming();
        d = Datenbestand{};
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["msOeffnenMitIndex"] = laden / n * 1000;
    state.counters["msErsteBuchung"] = anhaengen / n * 1000;
    std::remove(pfad.c_str());
    ::rmdir(ordner);
    Verhaeltnis(state, anhaengen / n, Buch());
}
BENCHMARK(ErsteBuchungNachDemOeffnen)->Name("Index_ErsteBuchungNachDemOeffnen")->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk
