#pragma once
// The lists and selection trees every evaluation window offers: the accounts, the categories, the
// account tree ("Alle Konten", "Bestandskonten", "Sparkonten" and the single accounts) and the
// period tree ("Gesamter Zeitraum", years, months). The trees are plain item lists here; the
// windows render them (qtbaumhilfe.h) and read the chosen node back from them.

#include <cstdint>
#include <string>
#include <vector>

#include "store/datenbestand.h"

namespace talerwerk {

// An entry of a keyed list: the key shown to the user and the record it stands for.
struct KontoEintrag {
    std::string Schluessel;
    kontotyp Konto;
};

// All accounts (Art 3 and 4) in chart order, keyed by Name.
std::vector<KontoEintrag> KontenListe(const Datenbestand& d);

// The accounts (Art 3 and 4) a selection code stands for, in chart order: all of them (5000), the
// Bestandskonten (5001), the Sparkonten (5002), or the account with that Nr.
std::vector<kontotyp> KontenDerAuswahl(const Datenbestand& d, int32_t auswahl);

// The categories (Art 1 and 2; artFilter 0 both, else only that Art) in chart order, keyed by their
// display path. With sub-categories: the leaves of the chart (sub-categories and categories without
// any); without: the top-level categories.
std::vector<KontoEintrag> RubrikenListe(const Datenbestand& d, int32_t artFilter, bool mitUnterrubriken);

// One node of a selection tree. Nodes stand in display order; a node's parent stands before it.
struct Auswahlknoten {
    std::string Text;
    int32_t Elter = -1;        // index of the parent node, −1 for the root
    bool Aufgeklappt = false;  // shown expanded
    kontotyp Konto;            // account tree: the record the node carries; Nr is the selection code
    MonatsDatenTyp Zeitraum;   // period tree: the period entry
};

struct Auswahlbaum {
    std::vector<Auswahlknoten> Knoten;
    int32_t Gewaehlt = 0;  // node selected when the tree is shown
};

// Root "Alle Konten" (5000), below it "Bestandskonten" (5001) with the Art 3 accounts and
// "Sparkonten" (5002) with the Art 4 accounts, in chart order. Root expanded, groups collapsed,
// root selected.
Auswahlbaum KontenBaum(const Datenbestand& d);

// Rebuilds d.Zeitraeume for `heute` and returns the tree over it: root "Gesamter Zeitraum", the
// years below it, the months below their year (left out with nurJahre). Root expanded and selected.
Auswahlbaum ZeitBaum(Datenbestand& d, int32_t heute, bool nurJahre = false);

}  // namespace talerwerk
