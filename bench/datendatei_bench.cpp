// Reading and writing the data file of a book with 100,000 bookings (or as many as
// TALERWERK_BENCH_BUCHUNGEN says), against a plain read of the same bytes. The book is made by `talerwerk-cli demo` (the same file every time); should the
// command fail, the same generator is called in-process.
//
//   cmake -S . -B build-datei-rel -DCMAKE_BUILD_TYPE=Release && cmake --build build-datei-rel --target talerwerk-bench
//   build-datei-rel/talerwerk-bench --benchmark_filter=Datendatei
//   TALERWERK_BENCH_BUCHUNGEN=1000000 build-datei-rel/talerwerk-bench --benchmark_filter=Datendatei

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "store/datendatei.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "store/ports.h"
#include "benchhilfen.h"

namespace talerwerk {
namespace {

int Buchungen() {
    const char* anzahl = std::getenv("TALERWERK_BENCH_BUCHUNGEN");
    return anzahl && std::atoi(anzahl) > 0 ? std::atoi(anzahl) : 100000;
}

using bench::Annehmen;
using bench::Stumm;

std::string RohLesen(const std::string& pfad) {
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) throw std::runtime_error("kann " + pfad + " nicht lesen");
    std::fseek(f, 0, SEEK_END);
    const long groesse = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    std::string puffer(static_cast<size_t>(groesse), '\0');
    const size_t n = std::fread(puffer.data(), 1, puffer.size(), f);
    std::fclose(f);
    puffer.resize(n);
    return puffer;
}

// The book, made once per run.
struct Buch {
    std::string ordner;
    std::string pfad;
    std::string bytes;
    bool ausCli = false;

    Buch() {
        char vorlage[] = "/tmp/talerwerk_bench_XXXXXX";
        if (!::mkdtemp(vorlage)) throw std::runtime_error("mkdtemp");
        ordner = vorlage;
        pfad = ordner + "/buch.tlw";
        const std::string befehl = std::string("\"") + TALERWERK_CLI + "\" demo \"" + pfad + "\" --buchungen " +
                                   std::to_string(Buchungen()) + " --seed 1 --bis 2026-12-31 >/dev/null 2>&1";
        ausCli = std::system(befehl.c_str()) == 0 && ::access(pfad.c_str(), R_OK) == 0;
        if (!ausCli) {
            Datenbestand d = DemoBuch(Buchungen(), 1, *DatumIsoLesen("2026-12-31"));
            d.Dateiname = pfad;
            Stumm m;
            if (!DateiSpeichern(d, m)) throw std::runtime_error("Demobuch nicht gespeichert");
        }
        bytes = RohLesen(pfad);
    }
    ~Buch() {
        std::remove(pfad.c_str());
        std::remove((ordner + "/kopie.tlw").c_str());
        ::rmdir(ordner.c_str());
    }
};

Buch& DasBuch() {
    static Buch buch;
    return buch;
}

// Time of a plain read of the file, the best of several, in seconds.
double RohLesezeit() {
    static const double zeit = [] {
        double beste = 1e9;
        for (int i = 0; i < 20; ++i) {
            const auto t0 = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(RohLesen(DasBuch().pfad));
            beste = std::min(beste, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        }
        return beste;
    }();
    return zeit;
}

// Runs the loop, timing it by hand as well, and reports the size and the ratio to a plain read.
template <typename F>
void Messen(benchmark::State& state, F schritt) {
    Buch& buch = DasBuch();
    const double roh = RohLesezeit();
    double summe = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        schritt(buch);
        summe += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(buch.bytes.size()));
    state.counters["DateiBytes"] = static_cast<double>(buch.bytes.size());
    state.counters["malRohLesen"] = summe / static_cast<double>(state.iterations()) / roh;
    state.counters["ausCli"] = buch.ausCli ? 1 : 0;
}

void BM_Datendatei_RohLesen(benchmark::State& state) {
    Messen(state, [](Buch& b) { benchmark::DoNotOptimize(RohLesen(b.pfad)); });
}
BENCHMARK(BM_Datendatei_RohLesen)->Unit(benchmark::kMillisecond);

// Parsing the bytes already in memory.
void BM_Datendatei_Auslesen(benchmark::State& state) {
    Messen(state, [](Buch& b) {
        Datenbestand d;
        Annehmen a;
        if (DateiAuslesen(b.bytes, d, a, b.pfad).Status != LeseStatus::Gelesen) throw std::runtime_error("ungültig");
        benchmark::DoNotOptimize(d.Buchungen.Fassung());
    });
}
BENCHMARK(BM_Datendatei_Auslesen)->Unit(benchmark::kMillisecond);

// Open as the program does it: read the file, parse it into a fresh store, move it in.
void BM_Datendatei_Laden(benchmark::State& state) {
    Messen(state, [](Buch& b) {
        Datenbestand d;
        d.Dateiname = b.pfad;
        Stumm m;
        Annehmen a;
        if (!DateiLaden(d, m, a)) throw std::runtime_error("nicht geladen");
        benchmark::DoNotOptimize(d.Buchungen.Fassung());
    });
}
BENCHMARK(BM_Datendatei_Laden)->Unit(benchmark::kMillisecond);

// Building the file image from the store.
void BM_Datendatei_Abbild(benchmark::State& state) {
    Datenbestand d;
    Annehmen a;
    DateiAuslesen(DasBuch().bytes, d, a, "");
    Messen(state, [&](Buch&) { benchmark::DoNotOptimize(DateiAbbild(d)); });
}
BENCHMARK(BM_Datendatei_Abbild)->Unit(benchmark::kMillisecond);

// Save as the program does it: balances, image, temporary file, fsync, rename.
void BM_Datendatei_Speichern(benchmark::State& state) {
    Datenbestand d;
    Annehmen a;
    DateiAuslesen(DasBuch().bytes, d, a, "");
    d.Dateiname = DasBuch().ordner + "/kopie.tlw";
    Stumm m;
    Messen(state, [&](Buch&) {
        if (!DateiSpeichern(d, m)) throw std::runtime_error("nicht gespeichert");
    });
}
BENCHMARK(BM_Datendatei_Speichern)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk
