#pragma once
// The booking index: what the evaluations, the lists and the filters read of every booking, in
// compact columns, one row per booking in the order of Buchungen. A booking record is some 400
// bytes of texts; the few numbers every scan needs fit in about 40, so a scan over a million
// bookings touches 40 MB instead of 400 MB and never parses an amount text.
//
// The store keeps the index current: every change of the bookings goes through the functions in
// datenbestand.h (BuchungAnhaengen, BuchungErsetzen, BuchungenEntfernen, BuchungenErneuert), which
// update the columns and move the change counter `Stand`. Readers remember the Stand they have
// seen; when it moved, they bring their own results up to date with `AenderungenSeit` or rebuild.
//
// The chart's lookups live in a Kontoindex: one dense slot per account number, with the arrays an
// evaluation needs per booking (kinds, parent, top-level category, position in the chart).

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "store/nrindex.h"

namespace talerwerk {

struct buchungstyp;
class Buchungsspeicher;
struct kontotyp;
using Cent = int64_t;

// Running month of a day number: year·12 + month − 1. Dates before year 1 and after year 9999
// (which the program never forms, but a file may hold) get the two ends of the scale.
inline constexpr int32_t MonatVorJahrEins = std::numeric_limits<int32_t>::min();
inline constexpr int32_t MonatNachJahr9999 = std::numeric_limits<int32_t>::max();
int32_t LaufenderMonat(int32_t tag);

// Booking kind in the index: the three kinds, and one value for anything else a file may hold.
inline constexpr uint8_t IndexArtUnbekannt = 3;

// One booking as the index holds it.
struct Indexzeile {
    int32_t Nr = 0;
    int32_t Datum = 0;
    int32_t Monat = 0;  // LaufenderMonat(Datum)
    int32_t Konto1 = 0;
    int32_t Konto2 = 0;
    Cent Betrag = 0;    // the stored amount in cents, also of a cancelled booking
    uint8_t BArt = 0;   // BArtEinnahme, BArtAusgabe, BArtUmbuchung or IndexArtUnbekannt
    bool Storniert = false;

    // Whether the booking moves money: not cancelled and of a known kind.
    bool Zaehlt() const { return !Storniert && BArt != IndexArtUnbekannt; }
    bool operator==(const Indexzeile&) const = default;
};
Indexzeile IndexzeileAus(const buchungstyp& b);
Indexzeile IndexzeileAus(const Buchungsspeicher& buchungen, size_t position);

class Buchungsindex {
public:
    // One change of the bookings: a booking left (Alt), came (Neu) or both (overwritten).
    struct Aenderung {
        std::optional<Indexzeile> Alt;
        std::optional<Indexzeile> Neu;
    };

    size_t Anzahl() const { return nr_.size(); }
    // Moves with every change; two equal values mean equal contents.
    uint64_t Stand() const { return stand_; }

    // The columns, indexed by the position in Buchungen.
    const std::vector<int32_t>& Nr() const { return nr_; }
    const std::vector<int32_t>& Datum() const { return datum_; }
    const std::vector<int32_t>& Monat() const { return monat_; }
    const std::vector<int32_t>& Konto1() const { return konto1_; }
    const std::vector<int32_t>& Konto2() const { return konto2_; }
    const std::vector<Cent>& Betrag() const { return betrag_; }
    const std::vector<uint8_t>& BArt() const { return bart_; }
    const std::vector<uint8_t>& Storniert() const { return storniert_; }
    Indexzeile Zeile(size_t position) const;

    // Position of the first booking with this number, −1 when there is none.
    int32_t PositionVon(int32_t nr) const;
    // The largest booking number, 0 for no bookings.
    int32_t GroessteNr() const;
    // Effect of every counted booking on the account number `konto` (Einnahme adds on Konto1,
    // Ausgabe subtracts, Umbuchung moves from Konto1 to Konto2), whether or not the chart has it.
    // A crafted file can hold amounts whose sum leaves 64 bits: that sum is held at the end of the
    // range, and Ueberlauf tells so until the next rebuild.
    Cent Wirkung(int32_t konto) const;
    bool Ueberlauf() const { return ueberlauf_; }
    // Earliest and latest date of all bookings, cancelled ones included; nullopt without bookings.
    std::optional<std::pair<int32_t, int32_t>> Datumsspanne() const;

    // The changes since an earlier Stand, oldest first; nullopt when they are no longer known
    // (the index was rebuilt, or too many changes came since): the reader then rebuilds.
    std::optional<std::span<const Aenderung>> AenderungenSeit(uint64_t stand) const;

    // Whether the index describes this collection as it is now: every change of the collection
    // moves its Fassung, so a change the index was not told of is noticed.
    bool Beschreibt(const Buchungsspeicher& buchungen) const;

    // Upkeep; called by the store functions only, each right after the change of the collection.
    void Aufbauen(const Buchungsspeicher& buchungen);
    void Angehaengt(const Buchungsspeicher& buchungen);  // the last booking is new
    void Ersetzt(const Buchungsspeicher& buchungen, size_t position);
    // The bookings at these positions (ascending, before the removal) have left the collection.
    void Entfernt(const Buchungsspeicher& buchungen, const std::vector<size_t>& positionen);

private:
    void Setzen(size_t position, const Indexzeile& z);
    void Wirken(const Indexzeile& z, int vorzeichen);
    void Protokollieren(std::optional<Indexzeile> alt, std::optional<Indexzeile> neu);
    void Verweisen(const Buchungsspeicher& buchungen);

    std::vector<int32_t> nr_, datum_, monat_, konto1_, konto2_;
    std::vector<Cent> betrag_;
    std::vector<uint8_t> bart_, storniert_;

    // Number → first position; built when first asked after a change that moved positions.
    // Booking numbers are mostly 1…n, so a plain table answers them; others go to a hash map.
    void PositionMerken(int32_t nr, int32_t position) const;
    mutable std::vector<int32_t> positionDirekt_;
    mutable NrIndex positionSonst_;
    mutable bool positionGueltig_ = false;
    mutable int32_t groessteNr_ = 0;
    mutable bool groessteGueltig_ = false;

    // Effect per account number named by a booking.
    NrIndex wirkungsPlatz_;
    std::vector<Cent> wirkung_;
    bool ueberlauf_ = false;

    uint64_t stand_ = 0;
    uint64_t protokollBasis_ = 0;  // Stand before the first logged change
    std::vector<Aenderung> protokoll_;

    uint64_t fassung_ = 0;  // of the collection described
};

// The chart as the evaluations look it up: a slot per distinct account number (its first entry
// in Konten, which is the one bookings are booked on), with what the scans ask per booking.
class Kontoindex {
public:
    static constexpr int32_t Fehlt = NrIndex::Fehlt;

    Kontoindex() = default;
    explicit Kontoindex(const std::vector<kontotyp>& konten);

    // Slot of an account number, Fehlt when the chart has no entry with it.
    int32_t Platz(int32_t nr) const { return platz_.Finden(nr); }
    size_t Anzahl() const { return nr_.size(); }

    int32_t Nr(int32_t platz) const { return nr_[platz]; }
    // Bit (1 << Art) for every chart entry with the slot's number.
    int32_t ArtBits(int32_t platz) const { return artBits_[platz]; }
    bool HatArt(int32_t platz, int32_t art) const;
    int32_t OberNr(int32_t platz) const { return oberNr_[platz]; }
    // The top-level category above the slot (the slot itself for a top-level entry); the parent
    // chain ends at a number without entry, at 0, or where it would run in a circle.
    int32_t Hauptrubrik(int32_t platz) const { return hauptrubrik_[platz]; }
    // Position of the slot's first entry in Konten.
    int32_t ListenPosition(int32_t platz) const { return listenPosition_[platz]; }
    // Slots whose OberNr is this number.
    std::span<const int32_t> Unterplaetze(int32_t oberNr) const;

    // Whether the index was built from a chart with these numbers, kinds, parents and opening
    // balances; O(chart), for readers that must notice an edited chart.
    bool Beschreibt(const std::vector<kontotyp>& konten) const;

    static int32_t ArtBit(int32_t art) { return art >= 0 && art < 31 ? (1 << art) : 0; }

private:
    struct Abbild {
        int32_t Nr, Art, OberNr;
        Cent AnfStand;
        bool operator==(const Abbild&) const = default;
    };
    std::vector<Abbild> abbild_;
    NrIndex platz_;
    std::vector<int32_t> nr_, artBits_, oberNr_, hauptrubrik_, listenPosition_;
    NrIndex unterGruppe_;                      // OberNr → its group in unter_
    std::vector<std::vector<int32_t>> unter_;  // slots naming that OberNr, in slot order
};

// Held by the store and never copied with it: a copy starts without index and builds its own.
struct Indexspeicher {
    Buchungsindex Buchungen;
    bool BuchungenGueltig = false;
    std::shared_ptr<void> Monatssummen;  // the evaluations' shared month sums

    Indexspeicher() = default;
    Indexspeicher(const Indexspeicher&) {}
    Indexspeicher(Indexspeicher&&) noexcept {}
    Indexspeicher& operator=(const Indexspeicher&) {
        Leeren();
        return *this;
    }
    Indexspeicher& operator=(Indexspeicher&&) noexcept {
        Leeren();
        return *this;
    }
    void Leeren() {
        BuchungenGueltig = false;
        Monatssummen.reset();
    }
};

}  // namespace talerwerk
