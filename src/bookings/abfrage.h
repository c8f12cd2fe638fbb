#pragma once
// The query: the form in which a saved filter, the search mask or a selection in the trees of the
// booking list and the booking overview is applied to the bookings.
//
//   abfragetyp q = AbfrageAusFilter(d, filter, uhr.Heute());      // page "Erweiterte Suche"
//   abfragetyp q = AbfrageAusBaeumen(zeitraum, konto, rubrik);    // page "Allgemein"
//   bool ja = Passt(d, q, d.Buchungen[i]);                        // the plain rule
//   Abfragefilter f(d, q);                                        // once per refresh
//   bool ja = f.Passt(i);                                          // the same answer, O(1)
//
// `Passt` is the rule as written, checked booking by booking against the chart; it is the reference.
// `Abfragefilter` compiles a query once into flags per chart slot and per group, and answers from the
// store's booking index and Kontoindex without touching a text list or Konten per booking. The
// tests hold both to the same answer on generated books.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/auswahlbaeume.h"
#include "store/buchungsindex.h"
#include "store/datenbestand.h"

namespace talerwerk {

// Group codes of the account list (as the account tree's nodes carry them) and of the category
// list; any other entry is the Nr of a record of Konten.
inline constexpr int32_t CodeAlleKonten = 5000;
inline constexpr int32_t CodeBestandskonten = 5001;
inline constexpr int32_t CodeSparkonten = 5002;
inline constexpr int32_t CodeAlleRubriken = 5100;
inline constexpr int32_t CodeEinnahmen = 5101;
inline constexpr int32_t CodeAusgaben = 5102;
inline constexpr int32_t CodeUmbuchungen = 5103;

// Choices of a filter record.
enum FilterZeitraum : int32_t {
    ZeitraumGesamt = 0,
    ZeitraumAktJahr = 1,
    ZeitraumAktMonat = 2,
    ZeitraumJahr = 3,
    ZeitraumMonat = 4,
    ZeitraumFrei = 5,
};
enum FilterStorno : int32_t { StornoAlle = 0, StornoNur = 1, StornoOhne = 2 };

struct abfragetyp {
    int32_t DatumVon = 0;
    int32_t DatumBis = 0;           // 0: no date restriction at all
    std::vector<int32_t> Konten;    // account Nrs or 5000–5002; empty matches nothing
    std::vector<int32_t> Rubriken;  // category Nrs or 5100–5103; empty matches nothing
    // Booking number range, 0 = open end (both 0: every number). The trees put no limit here:
    // books run past number 9999.
    int32_t NrVon = 0;
    int32_t NrBis = 0;
    std::string BelegVon;  // voucher range, compared as texts (case-sensitive); empty = open end
    std::string BelegBis;
    std::string TextMuster;       // "Miete*": begins with; "Miete": equal; empty: any
    std::string BemerkungMuster;  // the same for the remark
    // Amount range in cents, nullopt = open end. A filter carries both ends ("0,00" to "999999,99"
    // by default); the trees carry none, so no booking falls out of the list by its amount.
    std::optional<Cent> BetragVon;
    std::optional<Cent> BetragBis;
    // Copied from the filter; only StornoAuswahl takes part in the matching.
    int32_t Zeitraum = 0;
    int32_t KontoAuswahl = 0;
    int32_t RubrikAuswahl = 0;
    int32_t StornoAuswahl = StornoAlle;

    bool operator==(const abfragetyp&) const = default;
};

// The query of a filter record (a saved filter or the search mask) on the day `heute`: the period
// by its kind ("current" year and month are those of `heute`), the account and category lists by
// the choices (Auswahl entries that name no account or category are skipped), the rest copied.
abfragetyp AbfrageAusFilter(const Datenbestand& d, const buchungstyp& filter, int32_t heute);

// The query of the page "Allgemein": the period entry's first and last day ("Gesamter Zeitraum"
// restricts nothing), the account node's code or Nr, the category node's code or Nr; no limit on
// numbers, vouchers, amounts, texts, cancelled or not.
abfragetyp AbfrageAusBaeumen(const MonatsDatenTyp& zeitraum, int32_t kontoCode, int32_t rubrikCode);

// The matching rule, booking by booking: date, account, category, number, voucher, amount,
// cancelled choice, remark pattern, text pattern.
bool Passt(const Datenbestand& d, const abfragetyp& q, const buchungstyp& b);

// The pattern rule of the text and the remark: empty matches anything; a pattern with "*" matches
// a text that begins with the part before the first "*" when that part is not empty; otherwise
// only the equal text matches. Case-sensitive.
bool MusterPasst(const std::string& muster, std::string_view text);

// A query compiled for one refresh over the store's current booking index and chart. Valid while
// the bookings and the chart stay as they were; a refresh builds a new one.
class Abfragefilter {
public:
    Abfragefilter(const Datenbestand& d, const abfragetyp& q);

    // Whether the booking at this position of Buchungen matches (the answer of Passt).
    bool Passt(size_t position) const;
    // Every matching position in collection order.
    std::vector<uint32_t> Treffer() const;

private:
    // Bit 1: the number matches the account list as Konto1 or Konto2; bit 2: the category list as
    // Konto2 (itself, its parent, its kind). Small numbers by a plain table, others by a hash.
    uint8_t Bits(int32_t nr) const;

    const Datenbestand& d_;
    const Buchungsindex& index_;
    abfragetyp q_;
    bool nichts_ = false;        // an empty account or category list: nothing matches
    bool alleKonten_ = false;    // 5000 listed
    bool alleRubriken_ = false;  // 5100 listed
    bool umbuchungen_ = false;   // 5103 listed
    bool texte_ = false;         // a voucher range or a pattern: the record itself is read
    uint8_t vorgabe_ = 0;        // bits of a number that is neither listed nor in the chart
    int32_t grenze_ = 0;
    std::vector<uint8_t> tabelle_;
    NrIndex sonst_;
    std::vector<uint8_t> sonstBits_;
};

// Position of the filter with this IdentNr in Filterliste, −1 if none.
int32_t FilterIndex(const Datenbestand& d, int32_t identNr);

// The category tree of the page "Allgemein": root "Alle Rubriken" (5100) with "Einnahmen" (5101)
// over the top-level Art 1 categories and their sub-categories, "Ausgaben" (5102) likewise for
// Art 2, and "Umbuchungen" (5103). Each node's Konto.Nr is its code or the record's Nr, its Text the
// record's Name. Root expanded one level and selected.
Auswahlbaum RubrikBaum(const Datenbestand& d);

}  // namespace talerwerk
