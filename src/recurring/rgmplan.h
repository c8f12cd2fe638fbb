#pragma once
// The schedule of recurring bookings: when an occurrence falls due, which occurrences are booked,
// and the due list the recurring-bookings window, the due check after opening a file and
// `talerwerk-cli bericht faellige` show.
//
// A recurring booking keeps no next-due state. Its occurrences follow from the first due date; a
// booking it created carries the key Kennung + due date ("ddmmyy"), and an occurrence counts as
// booked exactly when a booking with that key exists (cancelled ones too).
//
//   auto zeilen = FaelligeListe(d, d.RgmBuchungen, uhr.Heute(), d.Mandant.Zahl1);
//   FaelligeSortieren(zeilen, FaelligSpalteBetrag);
//   for (const auto& z : zeilen) … d.RgmBuchungen[z.Eintrag] …   // the row's own record

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "store/datenbestand.h"

namespace talerwerk {

inline constexpr const char* MeldungNichtsFaellig = "Keine regelmäßigen Buchungen fällig!";

// Due window W in days: 1 to 364 (a file may hold anything; it is held within these).
inline constexpr int32_t ZeitraumMin = 1;
inline constexpr int32_t ZeitraumMax = 364;
int32_t ZeitraumBegrenzt(int32_t tage);

// Date of occurrence k (0, 1, 2, …) of a recurring booking with this first due date: k months
// later, on the first date's day or the last day of a shorter month. 0 for no date.
int32_t Vorkommen(int32_t erstesDatum, int32_t k);

// The key a booking created for this due date carries: Kennung followed by "ddmmyy".
std::string RgmSchluessel(const std::string& kennung, int32_t faellig);

// The keys of the bookings whose key names a due date from `von` to `bis` (both included): built
// once per run over all bookings, then asked per occurrence.
std::unordered_set<std::string> GebuchteSchluessel(const Datenbestand& d, int32_t von, int32_t bis);

// Columns of the due list.
enum FaelligSpalte : int {
    FaelligSpalteName = 0,
    FaelligSpalteBetrag = 1,
    FaelligSpalteDatum = 2,
    FaelligSpalteKonto1 = 3,
    FaelligSpalteKonto2 = 4,
};
// Header texts as the list shows them.
const std::array<std::string, 5>& FaelligeKoepfe();

// One due occurrence. The row names its own recurring booking by position in the list it was
// computed from (and its number, to notice a list that changed meanwhile): names need not be
// unique in old files.
struct FaelligeZeile {
    size_t Eintrag = 0;
    int32_t IdentNr = 0;
    int32_t Faellig = 0;
    int32_t BArt = 0;
    Cent Betrag = 0;
    std::array<std::string, 5> Zellen;  // Name, Betrag, fällig am, von Konto, auf Konto
};

// The due occurrences of the entries (in their order) at `heute` with window `tage`: every
// occurrence not after today and at most `tage` days before it, in a month whose flag is set and
// not booked. Sorted by name.
std::vector<FaelligeZeile> FaelligeListe(const Datenbestand& d, const std::vector<buchungstyp>& eintraege,
                                        int32_t heute, int32_t tage);

// Sorts ascending by a column, stably. Names and accounts compare with a…z as capitals, the
// amount by its value, the date by the date.
void FaelligeSortieren(std::vector<FaelligeZeile>& zeilen, int spalte);

// "letztes Fälligkeitsdatum": the earliest due date still offered.
inline int32_t LetztesFaelligkeitsdatum(int32_t heute, int32_t tage) { return heute - ZeitraumBegrenzt(tage); }

}  // namespace talerwerk
