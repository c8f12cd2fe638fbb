#pragma once
// What the account balances window shows: the accounts of the chosen kinds with their current
// balance, and the total of the rows shown.

#include <cstdint>
#include <string>
#include <vector>

#include "store/datenbestand.h"

namespace talerwerk {

struct KontoStandZeile {
    std::string Konto;      // the account's Name
    int32_t Art = 0;        // ArtBestandskonto or ArtSparkonto: picks the row's picture
    Cent Stand = 0;
    std::string StandText;  // two decimals, "," as separator, no thousands separator: "-1234,50"
};

struct KontoStandAnzeige {
    std::vector<KontoStandZeile> Zeilen;  // chart order; the window orders them by caption
    Cent Gesamt = 0;                      // total of the rows shown
    std::string GesamtText;
    bool GesamtNegativ = false;           // shown in the negative colour
};

// Recomputes every balance (StaendeBerechnen) and lists the Bestandskonten and/or Sparkonten.
KontoStandAnzeige KontoStaendeAufbauen(Datenbestand& d, bool bestandskonten, bool sparkonten);

}  // namespace talerwerk
