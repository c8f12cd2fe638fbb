#pragma once
// Month sums: the fast way to fill a whole evaluation grid. Every counted booking's effect is
// filed under its account and month (and, per account selection, under its category and kind);
// month-end balances and period sums are then differences of prefix sums. The results equal those
// of the plain functions in auswertung.h to the cent.
//
// A Monatssummen reads the store's booking index and follows it: before answering, it takes in
// the bookings changed since it last looked (or rebuilds when a booking falls in a month it has
// no column for). A change of the chart needs a new one; GemeinsameMonatssummen hands out the one
// every window of a store shares and replaces it when the chart changed. The store must outlive it.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "evaluation/auswertung.h"
#include "store/buchungsindex.h"

namespace talerwerk {

class Monatssummen {
public:
    explicit Monatssummen(const Datenbestand& d);
    ~Monatssummen();
    Monatssummen(const Monatssummen&) = delete;
    Monatssummen& operator=(const Monatssummen&) = delete;

    Cent MonatsendStand(int32_t auswahl, int32_t monat, int32_t jahr) const;
    Cent KontoVeraenderung(int32_t konto, int32_t vonMonat, int32_t bisMonat, int32_t jahr) const;
    Cent PeriodenSumme(int32_t auswahl, int32_t rubrik, SummenModus modus, int32_t vonMonat, int32_t vonJahr,
                       int32_t bisMonat, int32_t bisJahr) const;

    Cent StandVorPeriode(int32_t auswahl, const Periode& p) const;
    Cent StandEndePeriode(int32_t auswahl, const Periode& p) const;
    Cent PeriodenSumme(int32_t auswahl, int32_t rubrik, SummenModus modus, const Periode& p) const;

    // Whether it was built over this chart (numbers, kinds, parents, opening balances).
    bool PasstZuKonten() const { return konten_.Beschreibt(d_.Konten); }
    // How often it was built from all bookings: for tests and measurements of the upkeep.
    int Aufbauten() const { return aufbauten_; }

private:
    // Sums of one selection, built on first request (one more pass over the index).
    struct AuswahlSummen;

    // A range of positions [von, bis) in the month axis.
    struct Bereich {
        size_t von = 0;
        size_t bis = 0;
    };
    // Positions of the month axis: 0 holds bookings before year 1, 1…K the booked months in order,
    // K+1 bookings after year 9999 (a date the program never forms).
    Bereich BisMonatsende(int32_t monat, int32_t jahr) const;
    Bereich ZwischenMonaten(int32_t vonMonat, int32_t vonJahr, int32_t bisMonat, int32_t bisJahr) const;
    static Cent Summe(const std::vector<Cent>& praefix, Bereich b);

    // Brings the sums to the index's current Stand.
    void Nachfuehren() const;
    void Aufbauen() const;
    // Files one booking's effect (vorzeichen −1 takes it back); false when its month has no column.
    bool Anwenden(const Indexzeile& z, int vorzeichen) const;
    void AuswahlFuellen(int32_t auswahl, AuswahlSummen& a) const;
    bool AuswahlAnwenden(int32_t auswahl, AuswahlSummen& a, const Indexzeile& z, size_t stelle, int vorzeichen) const;
    // Position of a running month on the axis; −1 for a month without column.
    int32_t Position(int32_t monat) const;

    const AuswahlSummen& SummenFuer(int32_t auswahl) const;
    bool GehoertZuAuswahl(int32_t auswahl, int32_t nr) const;

    const Datenbestand& d_;
    struct Eintrag {
        int32_t Nr = 0;
        int32_t Art = 0;
        Cent AnfStand = 0;
        int32_t Platz = -1;  // slot of its number when it is the first entry of that number, else −1
    };

    const Kontoindex konten_;      // the chart as it was when built
    std::vector<Eintrag> eintraege_;
    mutable uint64_t stand_ = 0;        // Stand of the index the sums describe
    mutable int aufbauten_ = 0;
    mutable std::vector<int32_t> monate_;               // booked months (running), ascending
    mutable int32_t rangBasis_ = 0;                     // running month of rang_[0]
    mutable std::vector<int32_t> rang_;                 // per month from the first booked: position, or −1
    mutable std::vector<std::vector<Cent>> bewegung_;   // per slot: prefix sums of the effects by position
    mutable std::map<int32_t, std::unique_ptr<AuswahlSummen>> auswahlSummen_;
};

// The month sums every window and report of this store shares: built once, then brought up to
// date with each change of the bookings, and built anew when the chart changed.
std::shared_ptr<const Monatssummen> GemeinsameMonatssummen(const Datenbestand& d);

}  // namespace talerwerk
