// Printing at a million bookings of the sample book: the category × period table, monthly over
// every year with its sub-categories and shares, as the window's "Als PDF speichern…" makes it —
// the rows from the window's builder, then the pages through the page engine into a PDF (A4, 600
// dpi) in memory. The month sums are built once before the timing (as after opening the file).
// The baseline of the same run is one plain pass over the booking records.
//
//   cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release && cmake --build build-rel --target talerwerk-bench
//   build-rel/bench/talerwerk-bench --benchmark_filter=Druck

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>

#include "evaluation/auswertung.h"
#include "evaluation/monatssummen.h"
#include "printing/berichtsdruck.h"
#include "printing/qtpdfausgabe.h"
#include "printing/qtseitengeraet.h"
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

// Pages and bytes of one PDF of the report.
struct Pdf {
    int Seiten = 0;
    qint64 Bytes = 0;
};

Pdf Drucken(const Datenbestand& d, const RubrikTabellenOptionen& o, const Druckumgebung& u) {
    const Berichtsanfrage a = RubrikZeitDruck(d, o);
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&puffer);
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QtSeitengeraet geraet(pdf);
    OhneFortschritt f;
    const Druckergebnis r = BerichtDrucken(geraet, a, u, f);
    geraet.Abschliessen();
    return {r.Seiten, daten.size()};
}

void DruckRubrikZeitPdf(benchmark::State& state) {
    static GuiSitzung gui;
    const Datenbestand& d = Buch();
    state.counters["msMonatssummen"] =
        Zeit([&] { GemeinsameMonatssummen(d)->MonatsendStand(AuswahlAlleKonten, 0, -1); }) * 1000;
    RubrikTabellenOptionen o;
    o.Zeitraum.Bezeichnung = "Gesamter Zeitraum";
    o.Heute = kHeute;
    o.Jaehrlich = state.range(0) == 1;
    const Druckumgebung u = DruckumgebungAus(d, Einstellungen{}, kHeute);
    double summe = 0;
    Pdf p;
    for (auto _ : state) summe += Zeit([&] { p = Drucken(d, o, u); });
    state.counters["Seiten"] = p.Seiten;
    state.counters["kB"] = static_cast<double>(p.Bytes) / 1024;
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), d);
}
BENCHMARK(DruckRubrikZeitPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace talerwerk
