// The desktop program ready with a big file: the main window made as the program makes it, with
// the sample book of a million bookings (or 100,000) named on the command line, shown, and its
// events processed until the window stands with the file open (read, booking index, balances,
// menus). Wall time, since reading the file is part of it; processor time beside it (closing the
// window included). The file is written once before the timing. Runs offscreen.
//
//   cmake -S . -B build -DCMAKE_BUILD_TYPE=Release && cmake --build build --target talerwerk-qtbench
//   QT_QPA_PLATFORM=offscreen build/bench/talerwerk-qtbench --benchmark_filter=Programm

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <map>
#include <memory>
#include <stdexcept>

#include "app/qtprogrammanschluss.h"
#include "app/tprog_fenster.h"
#include "store/datendatei.h"
#include "benchhilfen.h"

namespace talerwerk {
namespace {

// The sample book of this size, saved once per run in a folder of its own.
QString Buchdatei(int64_t buchungen) {
    static QTemporaryDir ordner;
    static std::map<int64_t, QString> dateien;
    if (const auto it = dateien.find(buchungen); it != dateien.end()) return it->second;
    const QString pfad = ordner.filePath(QStringLiteral("buch%1.tlw").arg(buchungen));
    std::unique_ptr<Datenbestand> d = bench::DemoBuchMitIndex(buchungen);
    d->Dateiname = pfad.toStdString();
    bench::Stumm m;
    if (!DateiSpeichern(*d, m)) throw std::runtime_error("Demobuch nicht gespeichert");
    return dateien[buchungen] = pfad;
}

void BereitMitDatei(benchmark::State& state) {
    const QString datei = Buchdatei(state.range(0));
    bench::Stumm meldungen;
    bench::Annehmen kennwort;
    double wand = 0, cpu = 0;
    for (auto _ : state) {
        const auto anfang = std::chrono::steady_clock::now();
        cpu += bench::Zeit([&] {
            TProg_Fenster fenster(meldungen, kennwort, QApplication::applicationFilePath(), {datei});
            Dialoge dialoge(fenster);
            FensterAnschliessen(fenster, dialoge);
            fenster.show();
            QApplication::processEvents();
            if (!fenster.Bestand().DateiOffen) state.SkipWithError("Datei nicht geöffnet");
            wand += std::chrono::duration<double>(std::chrono::steady_clock::now() - anfang).count();
        });
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["msBereit"] = wand / n * 1000;
    state.counters["msCpu"] = cpu / n * 1000;
}
BENCHMARK(BereitMitDatei)
    ->Name("Programm_BereitMitDatei")
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk
