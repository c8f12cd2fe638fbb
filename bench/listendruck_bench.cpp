// Printing a booking list of some 200 pages from a million-booking sample book into a PDF, as the
// window's "Als PDF speichern…" makes it: the rows from the window's builder (which reads the
// whole book), then the pages through the page engine into a PDF (A4, 600 dpi) in memory. The
// account sheet of the sample's busiest account, grouped by date, over as many of the newest
// months as give at least 200 pages (whole months: some 300), and the booking overview of the same
// account and months. The baseline of the same run is one plain pass over the booking records.
//
//   cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release && cmake --build build-rel --target talerwerk-bench
//   build-rel/bench/talerwerk-bench --benchmark_filter=Listendruck

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

#include <array>
#include <map>
#include <memory>

#include "bookings/kontosuche.h"
#include "evaluation/buchungsuebersicht.h"
#include "evaluation/kontenblatt.h"
#include "printing/berichtsdruck.h"
#include "printing/qtpdfausgabe.h"
#include "printing/qtseitengeraet.h"
#include "store/buchungsindex.h"
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

struct Pdf {
    int Seiten = 0;
    qint64 Bytes = 0;
};

Pdf Drucken(const Berichtsanfrage& a, const Druckumgebung& u) {
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

// The account with the most bookings, and a period of the newest whole months that holds about
// `zeilen` of its bookings: from the first of the month that reaches them to the end of December.
KontenblattOptionen Auswahl(const Datenbestand& d, size_t zeilen) {
    const Buchungsindex& ix = BuchungsIndex(d);
    std::map<int32_t, size_t> anzahl;
    for (size_t i = 0; i < ix.Anzahl(); ++i) ++anzahl[ix.Konto1()[i]];
    KontenblattOptionen o;
    for (const kontotyp& k : KontenblattKonten(d))
        if (o.Konto == 0 || anzahl[k.Nr] > anzahl[o.Konto]) o.Konto = k.Nr;
    // Its bookings per month of the newest booked year up to today.
    int32_t jahr = 0;
    std::array<size_t, 13> jeMonat{};
    for (size_t i = 0; i < ix.Anzahl(); ++i)
        if (ix.Konto1()[i] == o.Konto && ix.Datum()[i] > 0 && ix.Datum()[i] <= kHeute)
            jahr = std::max(jahr, KalenderAus(ix.Datum()[i]).Jahr);
    for (size_t i = 0; i < ix.Anzahl(); ++i)
        if (ix.Konto1()[i] == o.Konto && ix.Datum()[i] > 0 && ix.Datum()[i] <= kHeute) {
            const Kalendertag k = KalenderAus(ix.Datum()[i]);
            if (k.Jahr == jahr) ++jeMonat[static_cast<size_t>(k.Monat)];
        }
    // The newest months that hold `zeilen` bookings (the whole year when it has fewer).
    int32_t von = 12;
    for (size_t summe = jeMonat[12]; von > 1 && summe < zeilen;) summe += jeMonat[static_cast<size_t>(--von)];
    o.Zeitraum.Jahr = jahr;
    o.Zeitraum.VonMonat = von;
    o.Zeitraum.BisMonat = 12;
    o.Zeitraum.Nr = 1;
    o.Zeitraum.Bezeichnung = MonatsName(von) + " bis Dezember " + std::to_string(jahr);
    o.Gruppierung = KontenblattGruppierung::Datum;
    return o;
}

void ListendruckKontenblattPdf(benchmark::State& state) {
    static GuiSitzung gui;
    const Datenbestand& d = Buch();
    const KontenblattOptionen o = Auswahl(d, static_cast<size_t>(state.range(0)));
    const Druckumgebung u = DruckumgebungAus(d, Einstellungen{}, kHeute);
    double summe = 0;
    Pdf p;
    size_t zeilen = 0;
    for (auto _ : state)
        summe += Zeit([&] {
            const Berichtsanfrage a = KontenblattDruck(d, o);
            zeilen = a.Tabelle.Zeilen.size();
            p = Drucken(a, u);
        });
    state.counters["Seiten"] = p.Seiten;
    state.counters["Zeilen"] = static_cast<double>(zeilen);
    state.counters["kB"] = static_cast<double>(p.Bytes) / 1024;
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), d);
}
BENCHMARK(ListendruckKontenblattPdf)->Arg(3000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The booking overview of the same account and months, grouped by category with subtotals, as
// the overview window prints it (its builder runs over the whole book inside the timing).
void ListendruckUebersichtPdf(benchmark::State& state) {
    static GuiSitzung gui;
    const Datenbestand& d = Buch();
    const KontenblattOptionen k = Auswahl(d, static_cast<size_t>(state.range(0)));
    UebersichtOptionen o;
    o.Abfrage = UebersichtAbfrage(k.Zeitraum, k.Konto, CodeAlleRubriken, true);
    o.Gruppierung = UebersichtGruppierung::Rubrik;
    o.Druckkopf = UebersichtKopfAllgemein(KontoName(d.Konten, k.Konto), "Alle Rubriken", k.Zeitraum.Bezeichnung);
    const Druckumgebung u = DruckumgebungAus(d, Einstellungen{}, kHeute);
    double summe = 0;
    Pdf p;
    size_t zeilen = 0;
    for (auto _ : state)
        summe += Zeit([&] {
            const Berichtsanfrage a = BuchungsuebersichtDruck(BuchungsuebersichtAufbauen(d, o));
            zeilen = a.Tabelle.Zeilen.size();
            p = Drucken(a, u);
        });
    state.counters["Seiten"] = p.Seiten;
    state.counters["Zeilen"] = static_cast<double>(zeilen);
    state.counters["kB"] = static_cast<double>(p.Bytes) / 1024;
    Verhaeltnis(state, summe / static_cast<double>(state.iterations()), d);
}
BENCHMARK(ListendruckUebersichtPdf)->Arg(3000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace talerwerk
