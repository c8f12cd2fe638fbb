#pragma once
// The bookings of the open books, held compactly. A booking record (buchungstyp) is ten strings
// and a dozen numbers, some 400 bytes; a million of them cost more to place in memory than to read
// from the file. Here the fields every booking has are columns (number, date, kind, accounts,
// amount in cents, cancelled), its texts lie one after the other in one shared buffer, and the
// fields a booking rarely uses (those of recurring bookings, templates and filters) are kept in a
// side table only when they are not at their defaults. About 60 bytes a booking.
//
// Whatever a record held comes back exactly: the amount text when it is not the canonical form
// of its cents, a kind outside the three known ones, every text. So reading and writing a file
// through the store changes no byte.
//
// Reading: `size()`, the cheap field accessors for scans, or `operator[]`, which makes a whole
// record (a value: assigning to a field of it does not compile, since it would change nothing).
// Changing: through the store functions in datenbestand.h, which keep the booking index current;
// the plain changes here (push_back, Ersetzen, …) are for building a collection before that.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talerwerk {

struct buchungstyp;
using Cent = int64_t;

// The fields of a booking that are rarely set; a booking with all of them at their defaults has
// no entry in the side table.
struct SeltenerTeil {
    int32_t IdentNrVon = 0;
    int32_t IdentNrBis = 0;
    int32_t Satzart = 0;
    int32_t DatumBis = 0;
    int32_t BArt = 0;  // only kept when outside the three known kinds
    std::array<bool, 12> Monate{};
    int32_t Intervall = 0;
    std::vector<std::string> Auswahl;
    int32_t Zeitraum = 0;
    int32_t KontoAuswahl = 0;
    int32_t RubrikAuswahl = 0;
    int32_t StornoAuswahl = 0;
    int32_t ReserveNr = 0;

    bool operator==(const SeltenerTeil&) const = default;
};

// One booking as a set of views into its fields; valid until the next change of its store (or,
// when made by a reader, of the bytes it points into).
struct Buchungssicht {
    int32_t IdentNr = 0;
    int32_t Datum = 0;
    int32_t BArt = 0;
    int32_t Konto1 = 0;
    int32_t Konto2 = 0;
    bool Storniert = false;
    std::string_view Bezeichnung, Kennung, Bemerkung, Belegnr, BelegnrBis, Betrag, BetragBis, Text, Reserve;
    const SeltenerTeil* Selten = nullptr;  // null: every rare field at its default

    // The stored amount text; Betrag is empty when the text is the canonical form of the cents.
    Cent BetragCent = 0;
    bool BetragKanonisch = false;
};

// Removes the entries at `positionen` (ascending, each once, all inside the column) from a column
// in one pass. The store and the booking index remove from their columns alike.
template <typename Spalte>
void PositionenEntfernen(Spalte& spalte, const std::vector<size_t>& positionen) {
    if (positionen.empty()) return;
    size_t ziel = positionen.front();
    size_t naechste = 0;
    for (size_t i = positionen.front(); i < spalte.size(); ++i) {
        if (naechste < positionen.size() && positionen[naechste] == i) {
            ++naechste;
            continue;
        }
        spalte[ziel++] = std::move(spalte[i]);
    }
    spalte.resize(ziel);
}

class Buchungsspeicher {
public:
    // Iterates over the records; each step makes the whole record.
    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = buchungstyp;
        using difference_type = std::ptrdiff_t;
        using reference = const buchungstyp;
        using pointer = void;

        Iterator() = default;
        Iterator(const Buchungsspeicher* s, size_t i) : s_(s), i_(i) {}
        const buchungstyp operator*() const;
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator alt = *this;
            ++i_;
            return alt;
        }
        Iterator operator+(difference_type n) const { return {s_, i_ + static_cast<size_t>(n)}; }
        difference_type operator-(const Iterator& o) const {
            return static_cast<difference_type>(i_) - static_cast<difference_type>(o.i_);
        }
        bool operator==(const Iterator& o) const { return i_ == o.i_; }
        size_t Position() const { return i_; }

    private:
        const Buchungsspeicher* s_ = nullptr;
        size_t i_ = 0;
    };
    using value_type = buchungstyp;
    using size_type = size_t;
    using iterator = Iterator;
    using const_iterator = Iterator;

    Buchungsspeicher();
    Buchungsspeicher(std::initializer_list<buchungstyp> saetze);
    explicit Buchungsspeicher(const std::vector<buchungstyp>& saetze);
    Buchungsspeicher(const Buchungsspeicher& o);
    Buchungsspeicher(Buchungsspeicher&& o) noexcept;
    Buchungsspeicher& operator=(const Buchungsspeicher& o);
    Buchungsspeicher& operator=(Buchungsspeicher&& o) noexcept;
    Buchungsspeicher& operator=(std::initializer_list<buchungstyp> saetze);
    ~Buchungsspeicher();

    size_t size() const { return nr_.size(); }
    bool empty() const { return nr_.empty(); }

    // Whole records, made on demand.
    const buchungstyp operator[](size_t i) const;
    const buchungstyp at(size_t i) const;  // std::out_of_range beyond the end
    const buchungstyp front() const;
    const buchungstyp back() const;
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, size()}; }
    std::vector<buchungstyp> Alle() const;

    // Single fields, without making the record.
    int32_t IdentNr(size_t i) const { return nr_[i]; }
    int32_t Datum(size_t i) const { return datum_[i]; }
    int32_t Konto1(size_t i) const { return konto1_[i]; }
    int32_t Konto2(size_t i) const { return konto2_[i]; }
    Cent BetragCent(size_t i) const { return cent_[i]; }
    bool Storniert(size_t i) const { return storniert_[i] != 0; }
    int32_t BArt(size_t i) const;  // as stored, also outside the three known kinds
    std::string_view Text(size_t i) const { return Sicht(i).Text; }
    std::string_view Belegnr(size_t i) const { return Sicht(i).Belegnr; }
    std::string_view Bemerkung(size_t i) const { return Sicht(i).Bemerkung; }
    std::string_view Kennung(size_t i) const { return Sicht(i).Kennung; }
    std::string Betrag(size_t i) const;  // the stored amount text
    // Every field at once as views; BetragText below gives the amount text of a view.
    Buchungssicht Sicht(size_t i) const;
    static std::string BetragText(const Buchungssicht& s);

    // The columns, indexed by position. BArt holds the three known kinds and 3 for anything else.
    const std::vector<int32_t>& NrSpalte() const { return nr_; }
    const std::vector<int32_t>& DatumSpalte() const { return datum_; }
    const std::vector<int32_t>& Konto1Spalte() const { return konto1_; }
    const std::vector<int32_t>& Konto2Spalte() const { return konto2_; }
    const std::vector<Cent>& CentSpalte() const { return cent_; }
    const std::vector<uint8_t>& ArtSpalte() const { return art_; }
    const std::vector<uint8_t>& StorniertSpalte() const { return storniert_; }

    // Moves with every change of any store; equal values mean equal contents.
    uint64_t Fassung() const { return fassung_; }
    // Bytes in the text buffer: at least the texts' total size.
    size_t TexteBytes() const { return texteLaenge_; }
    // Bytes held (columns, texts, side table), for measuring.
    size_t Belegt() const;

    // --- Changes ---
    void push_back(const buchungstyp& b);
    void Anhaengen(const Buchungssicht& s);
    void Ersetzen(size_t i, const buchungstyp& b);
    // Reads the record, lets `aendern` change it and stores it back.
    void Aendern(size_t i, const std::function<void(buchungstyp&)>& aendern);
    // Removes the records at these positions in one pass; positions out of range or given twice
    // count once.
    void Entfernen(const std::vector<size_t>& positionen);
    void pop_back();
    void clear();
    void assign(size_t n, const buchungstyp& b);
    void resize(size_t n);  // new records are default records
    // Room for n records without moving the columns.
    void reserve(size_t n);
    size_t capacity() const { return nr_.capacity(); }
    // Room for this many bytes of texts (a reader knows roughly how many will come).
    void TexteReservieren(size_t bytes);

    bool operator==(const Buchungsspeicher& o) const;
    friend bool operator==(const Buchungsspeicher& a, const std::vector<buchungstyp>& b);

private:
    void SpaltenAnhaengen(const Buchungssicht& s, uint64_t textStelle);
    uint64_t TexteSchreiben(const Buchungssicht& s, int32_t seltenPlatz);
    size_t TextLaenge(uint64_t stelle) const;  // bytes of one booking's entry in the text buffer
    int32_t SeltenPlatz(size_t i) const;
    void SeltenFreigeben(size_t i);
    int32_t SeltenBelegen(const SeltenerTeil& s);
    void MuellSammeln();
    void Neu();  // a new Fassung

    std::vector<int32_t> nr_, datum_, konto1_, konto2_;
    std::vector<Cent> cent_;
    std::vector<uint8_t> art_, storniert_;
    std::vector<uint64_t> textStelle_;

    // The texts: one entry per booking at textStelle_. An entry is a 2-byte mask of the texts
    // present (and whether a side-table entry exists), the side-table slot, the lengths, the bytes.
    // Grown with realloc, which moves large buffers by remapping pages instead of copying them.
    struct Frei {
        void operator()(char* p) const;
    };
    std::unique_ptr<char, Frei> texte_;
    size_t texteLaenge_ = 0;
    size_t texteKapazitaet_ = 0;
    size_t muell_ = 0;  // bytes of entries no booking points to any more

    std::vector<SeltenerTeil> selten_;
    std::vector<int32_t> seltenFrei_;

    uint64_t fassung_ = 0;
};

}  // namespace talerwerk
