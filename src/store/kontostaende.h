#pragma once
// What a booking does to an account's balance, and the balances of the whole chart. They live
// with the store because saving writes every balance.

#include <cstdint>

#include "store/datenbestand.h"

namespace talerwerk {

// Amount of one booking in cents, unsigned by type (0 for cancelled bookings).
Cent BuchungsBetrag(const buchungstyp& b);

// Effect of one booking on the account with number `konto`: Einnahme adds to Konto1, Ausgabe
// subtracts from Konto1, Umbuchung subtracts from Konto1 and adds to Konto2. Cancelled bookings
// and bookings of an unknown kind have no effect.
Cent BuchungsWirkung(const buchungstyp& b, int32_t konto);
// The same for a row of the booking index.
Cent BuchungsWirkung(const Indexzeile& z, int32_t konto);

// Sets Stand of every entry of Konten to AnfStand plus the effect of every booking that is not
// cancelled. Bookings are booked on the first entry of a number only. Costs one step per chart
// entry: the booking index keeps every account's effect current.
// False when a balance lies beyond ±GroessterStandCent (betrag.h), the most the data file holds
// (or an opening balance does); that balance is then set to the limit, and the store must not be
// saved.
bool StaendeBerechnen(Datenbestand& d);

}  // namespace talerwerk
