// Recurring bookings at a million bookings of the sample book with 999 recurring bookings, due
// window 28 days: computing the due list, and executing every due occurrence in one run (no
// questions, views refreshed once). The baseline of the same run is one plain pass over the
// booking records that reads the same fields as buchungsindex_bench.cpp's.
//
//   cmake -S . -B build -DCMAKE_BUILD_TYPE=Release && cmake --build build --target talerwerk-bench
//   build/bench/talerwerk-bench --benchmark_filter=Rgm

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <string>

#include "recurring/rgmausfuehrung.h"
#include "recurring/rgmplan.h"
#include "store/betrag.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "benchhilfen.h"

namespace talerwerk {
namespace {

using bench::Verhaeltnis;
using bench::Zeit;

constexpr int64_t kBuchungen = 1000000;
constexpr int kRgm = 999;
constexpr int32_t kTage = 28;
const int32_t kHeute = *TagesNummer(7, 12, 2026);

class FesteUhr : public Uhr {
public:
    int32_t Heute() const override { return kHeute; }
};

// The sample book with 999 monthly recurring bookings on every day of the month; a third of them
// already booked this month (their keys sit in bookings spread over the book).
Datenbestand& Buch() {
    static std::unique_ptr<Datenbestand> buch;
    if (!buch) {
        buch = std::make_unique<Datenbestand>(DemoBuch(kBuchungen, 20261207, kHeute));
        BuchungenErneuert(*buch);
        Datenbestand& d = *buch;
        d.Mandant.Zahl1 = kTage;
        d.RgmBuchungen.clear();
        const buchungstyp muster = d.Buchungen.back();
        for (int i = 0; i < kRgm; ++i) {
            buchungstyp r = BuchungVorgabe(SatzRgmBuchung, *TagesNummer(1 + i % 28, 1 + i % 12, 2020));
            r.IdentNr = 11001 + i;
            r.Bezeichnung = "Dauerauftrag " + std::to_string(i);
            r.Kennung = std::string(1, static_cast<char>(48 + i / 13 % 80)) + std::to_string(i);
            r.Monate.fill(true);
            r.BArt = muster.BArt;
            r.Konto1 = muster.Konto1;
            r.Konto2 = muster.Konto2;
            r.Betrag = std::to_string(10 + i) + ",00";
            r.Text = "#M #J";
            d.RgmBuchungen.push_back(r);
        }
        for (int i = 0; i < kRgm; i += 3) {
            const auto zeilen = FaelligeListe(d, {d.RgmBuchungen[static_cast<size_t>(i)]}, kHeute, kTage);
            if (zeilen.empty()) continue;
            const size_t position = static_cast<size_t>(i) * (d.Buchungen.size() / kRgm);
            buchungstyp b = d.Buchungen[position];
            b.Kennung = RgmSchluessel(d.RgmBuchungen[static_cast<size_t>(i)].Kennung, zeilen.front().Faellig);
            BuchungErsetzen(d, position, b);
        }
    }
    return *buch;
}

void FaelligeListeBerechnen(benchmark::State& state) {
    Datenbestand& d = Buch();
    double summe = 0;
    size_t zeilen = 0;
    for (auto _ : state)
        summe += Zeit([&] {
            const auto liste = FaelligeListe(d, d.RgmBuchungen, kHeute, kTage);
            zeilen = liste.size();
            benchmark::DoNotOptimize(liste.data());
        });
    state.counters["Zeilen"] = static_cast<double>(zeilen);
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(FaelligeListeBerechnen)->Name("Rgm_FaelligeListe")->Unit(benchmark::kMillisecond);

// "A&lle Ausführen" without questions; the bookings it made are removed again untimed.
void AlleAusfuehren(benchmark::State& state) {
    Datenbestand& d = Buch();
    Einstellungen e;
    e.Buchung = false;
    bench::Stumm meldungen;
    FesteUhr uhr;
    int aktualisiert = 0;
    RgmAnschluss anschluss;
    anschluss.Aktualisieren = [&](int) { ++aktualisiert; };
    double summe = 0;
    int gebucht = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto zeilen = FaelligeListe(d, d.RgmBuchungen, kHeute, kTage);
        const size_t vorher = d.Buchungen.size();
        state.ResumeTiming();
        summe += Zeit([&] { gebucht = RgmAusfuehren(d, d.RgmBuchungen, zeilen, e, meldungen, uhr, anschluss).Gebucht; });
        state.PauseTiming();
        std::vector<size_t> neu;
        for (size_t i = vorher; i < d.Buchungen.size(); ++i) neu.push_back(i);
        BuchungenEntfernen(d, neu);
        BuchungsIndex(d).PositionVon(0);
        state.ResumeTiming();
    }
    state.counters["Gebucht"] = gebucht;
    state.counters["AktualisierungenJeLauf"] = static_cast<double>(aktualisiert) / static_cast<double>(state.iterations());
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), Buch());
}
BENCHMARK(AlleAusfuehren)->Name("Rgm_AlleAusfuehren")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk
