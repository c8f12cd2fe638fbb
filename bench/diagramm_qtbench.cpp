// The chart of the overall development at a million bookings of the sample book, monthly over all
// years: one resize of the chart widget with its repaint (geometry and drawing) at window sizes
// from small to full screen. Runs offscreen.
//
//   cmake -S . -B build -DCMAKE_BUILD_TYPE=Release && cmake --build build --target talerwerk-qtbench
//   build/bench/talerwerk-qtbench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <memory>

#include "evaluation/gesamtentwicklung.h"
#include "evaluation/tdiagrammbild.h"
#include "store/datum.h"
#include "benchhilfen.h"

namespace talerwerk {
namespace {

const Gesamtentwicklung& Entwicklung() {
    static const Gesamtentwicklung g = [] {
        const std::unique_ptr<Datenbestand> d = bench::DemoBuchMitIndex(1000000);
        GesamtentwicklungOptionen o;
        o.Zeitraum.Bezeichnung = "Gesamter Zeitraum";
        o.Jaehrlich = false;
        o.Heute = *TagesNummer(7, 12, 2026);
        return GesamtentwicklungAufbauen(*d, o);
    }();
    return g;
}

void NeuZeichnen(benchmark::State& state) {
    TDiagrammBild bild;
    bild.Setzen(Entwicklung(), DiagrammAnzeige::Beides, Qt::blue, Qt::red, QStringLiteral("EUR"));
    const int breiten[] = {400, 800, 1200, 1920};
    const int hoehen[] = {250, 450, 700, 1000};
    int i = 0;
    double summe = 0;
    for (auto _ : state) {
        const QSize groesse(breiten[i % 4], hoehen[i % 4]);
        ++i;
        QImage ziel(groesse, QImage::Format_RGB32);
        summe += bench::Zeit([&] {
            bild.resize(groesse);
            QPainter p(&ziel);
            bild.render(&p);
        });
    }
    state.counters["Perioden"] = static_cast<double>(Entwicklung().Staende.size());
    state.counters["msCpu"] = summe / static_cast<double>(state.iterations()) * 1000;
}
BENCHMARK(NeuZeichnen)->Name("Diagramm_GroesseAendernUndZeichnen")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talerwerk

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
