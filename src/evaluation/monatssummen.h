#pragma once
// Month sums: the fast way to fill a whole evaluation grid. One pass over the bookings files every
// booking's effect under its account and month (and, per account selection, under its category
// and kind); month-end balances and period sums are then differences of prefix sums. The results
// equal those of the plain functions in auswertung.h to the cent.
//
// A Monatssummen describes the book as it was when it was built: build a new one after any change
// to the chart or the bookings. The store must outlive it.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "evaluation/auswertung.h"
#include "evaluation/nrindex.h"

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

private:
    // Sums of one selection, built on first request (one more pass over the bookings).
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

    const AuswahlSummen& SummenFuer(int32_t auswahl) const;
    bool GehoertZuAuswahl(int32_t auswahl, int32_t nr) const;

    struct Eintrag {
        int32_t Nr = 0;
        int32_t Art = 0;
        Cent AnfStand = 0;
        int32_t Platz = -1;  // slot of its number when it is the first entry of that number, else −1
    };

    const Datenbestand& d_;
    std::vector<Eintrag> eintraege_;       // the chart as it was when built
    std::vector<int32_t> monate_;          // distinct booked months (year·12 + month − 1), ascending
    std::vector<int32_t> position_;        // per booking: its position on the month axis
    std::vector<Cent> betrag_;             // per booking: its amount, 0 when cancelled or of unknown kind
    std::vector<int32_t> platz1_;          // per booking: slot of Konto1 (−1 when not in the chart)
    std::vector<int32_t> platz2_;          // per booking: slot of Konto2
    std::vector<int32_t> konto1_;          // per booking: Konto1 and Konto2 themselves, for numbers
    std::vector<int32_t> konto2_;          //   without chart entry
    std::vector<uint8_t> art_;             // per booking: BArt (a counted booking has 0, 1 or 2)
    NrIndex platz_;                        // Nr → slot (first chart entry of a number)
    std::vector<int32_t> platzArten_;      // per slot: bit (1 << Art) for every entry of that number
    std::vector<int32_t> platzOberNr_;     // per slot: OberNr of the first entry of that number
    std::vector<std::vector<Cent>> bewegung_;  // per slot: prefix sums of the booking effects by position
    std::map<int32_t, std::vector<int32_t>> unterPlaetze_;  // OberNr → slots naming it
    mutable std::map<int32_t, std::unique_ptr<AuswahlSummen>> auswahlSummen_;
};

}  // namespace talerwerk
