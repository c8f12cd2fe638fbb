#pragma once
// A sample household book for trying the program out, for tests and for benchmarks: one family's
// income, expenses, cash and savings over the years, with everything a real book holds (chart with
// sub-categories, snippets, templates, recurring bookings, filters).

#include <cstdint>

#include "store/datenbestand.h"

namespace talerwerk {

// The bookings end on `bisTag` and reach back as far as their number suggests (about forty a
// month), but never before 1 January 1980, the earliest date the data file can hold. The same
// three arguments always give the same store, on every platform. Balances are computed.
Datenbestand DemoBuch(int64_t buchungen, uint64_t saat, int32_t bisTag);

}  // namespace talerwerk
