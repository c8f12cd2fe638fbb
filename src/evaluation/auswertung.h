#pragma once
// The evaluation engine: balances and sums over the bookings, all in whole cents.

#include "store/datenbestand.h"

namespace talerwerk {

// Amount of one booking in cents; 0 for a cancelled booking, which counts nowhere.
Cent BuchungsBetrag(const buchungstyp& b);

// Sets Stand of every entry of Konten to AnfStand plus the effect of every booking that is not
// cancelled: Einnahme adds to Konto1, Ausgabe subtracts from Konto1, Umbuchung moves from Konto1
// to Konto2.
void StaendeBerechnen(Datenbestand& d);

}  // namespace talerwerk
