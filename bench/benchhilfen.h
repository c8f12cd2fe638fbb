#pragma once
// What the benchmarks share: ports for opening files (every password taken, errors to stderr,
// every question answered Yes), processor-time measuring, and the baseline every figure is stated
// against — one plain pass over the booking records of the same book in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "store/betrag.h"
#include "store/datenbestand.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "store/ports.h"

namespace talerwerk::bench {

// The sample book of `buchungen` bookings up to 7 December 2026, as `talerwerk-cli demo` makes it,
// with its booking index built.
inline std::unique_ptr<Datenbestand> DemoBuchMitIndex(int64_t buchungen) {
    auto buch = std::make_unique<Datenbestand>(DemoBuch(buchungen, 20261207, *TagesNummer(7, 12, 2026)));
    BuchungenErneuert(*buch);
    return buch;
}

// Processor time of this thread (page faults included): the machines are shared, and wall time
// counts the other programs' turns as well.
inline double CpuSekunden() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <typename F>
double Zeit(F&& f) {
    const double anfang = CpuSekunden();
    f();
    return CpuSekunden() - anfang;
}

// The plain pass: every booking's number, date, accounts, kind, flag and amount, each booking read
// whole from the store (as a view of its fields, the cheapest whole read there is).
inline double PlainDurchlauf(const Datenbestand& d) {
    int64_t summe = 0;
    return Zeit([&] {
        for (size_t i = 0; i < d.Buchungen.size(); ++i) {
            const Buchungssicht b = d.Buchungen.Sicht(i);
            summe += b.IdentNr + b.Datum + b.Konto1 + b.Konto2 + b.BArt + b.Storniert + b.BetragCent +
                     static_cast<int64_t>(b.Text.size());
        }
        benchmark::DoNotOptimize(summe);
    });
}

// States the time of one run beside the fastest of three plain passes over the same book.
inline void Verhaeltnis(benchmark::State& state, double sekundenJeDurchlauf, const Datenbestand& d) {
    double roh = PlainDurchlauf(d);
    for (int i = 0; i < 2; ++i) roh = std::min(roh, PlainDurchlauf(d));
    state.counters["msCpu"] = sekundenJeDurchlauf * 1000;
    state.counters["msPlainDurchlauf"] = roh * 1000;
    state.counters["malPlainDurchlauf"] = sekundenJeDurchlauf / roh;
}

class Annehmen : public Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return true; }
};

class Stumm : public Meldungen {
public:
    void Fehler(const std::string& t) override { std::fprintf(stderr, "%s\n", t.c_str()); }
    void Information(const std::string&) override {}
    void Warnung(const std::string&) override {}
    Antwort Frage(const std::string&, Knoepfe) override { return Antwort::Ja; }
    void Piep() override {}
};

}  // namespace talerwerk::bench
