#pragma once
// The lookup fields of the booking-like editors (booking entry, recurring booking editor, template
// editor): the drop-down trees of the two account fields and the text field as flat item lists, the
// resolution of typed abbreviations, and the display texts of accounts and categories that lists and
// evaluations use.
//
// A tree is a flat list in display order. Headings are level 0 and carry no record; records are
// level 1, sub-categories level 2. For entry i the tree widget's item number is i + 1.
//
//   Suchbaum t2 = Konto2Baum(d.Konten);
//   int i = KontoPosition(t2, "LM");          // -1: not resolved
//   int32_t nr = KontoId(t2, "LM");           // 0: not resolved
//   FeldAnzeige a = FeldAuswerten(t2, d.Konten, "LM", true);   // selection, label, booking type

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/datenbestand.h"

namespace talerwerk {

struct SuchEintrag {
    std::string Text;          // the item's text in the tree
    int Ebene = 0;             // 0 heading, 1 record, 2 sub-category
    bool Ueberschrift = false; // headings are never matched and never taken into a field
    std::string Abk;           // heading: its own text; record: its abbreviation
    int32_t Nr = 0;            // record's number; meaningless for headings
};

struct Suchbaum {
    std::vector<SuchEintrag> Eintraege;

    int Anzahl() const { return static_cast<int>(Eintraege.size()); }
    // Number of entries that are records (not headings).
    int Datensaetze() const;
};

// "Abk  \  Name": the item text of an account or category.
std::string SuchText(const kontotyp& k);

// First field: "Bestandskonto" with the Art 3 entries, "Sparkonto" with Art 4.
Suchbaum Konto1Baum(const std::vector<kontotyp>& konten);
// Second field: "Einnahme", "Ausgabe", "Bestandskonto", "Sparkonto".
Suchbaum Konto2Baum(const std::vector<kontotyp>& konten);
// Text field: heading "Textbaustein" and one item per snippet. The item text is given by
// `itemText` (the booking entry shows the expanded text); without it the snippet's abbreviation.
Suchbaum TextBaum(const std::vector<kontotyp>& textbausteine,
                  const std::function<std::string(const kontotyp&)>& itemText = {});

// Position of the entry a typed text resolves to, -1 when none. Examined from the last entry to
// the first: an exact abbreviation wins at once (of equal ones the later), otherwise the earliest
// entry whose abbreviation begins with the text. Case-sensitive; empty text resolves to none.
int KontoPosition(const Suchbaum& baum, std::string_view text);
// The resolved entry's number, 0 when the text does not resolve.
int32_t KontoId(const Suchbaum& baum, std::string_view text);

// Snippet lookup: only an exact abbreviation counts, the last of equal ones wins. -1 / 0 for none.
int TextbausteinPosition(const Suchbaum& baum, std::string_view text);
int32_t TextbausteinId(const Suchbaum& baum, std::string_view text);

// The item selected for a resolved entry: its first child when it has children, else itself.
int AuswahlPosition(const Suchbaum& baum, int position);
// Position of the first entry with this number, -1 when none.
int NrPosition(const Suchbaum& baum, int32_t nr);
// The entry taken for a record without account: the first record below a heading, -1 when the
// tree has headings only.
int VorgabePosition(const Suchbaum& baum);
// The heading above an entry (the entry itself for a heading); -1 for an invalid position.
int UeberschriftVon(const Suchbaum& baum, int position);

// Display path: "Parent  \  Name" for a sub-category (the parent looked for among the entries
// before it), the bare name otherwise, empty for an unknown number.
std::string KontoPfad(const std::vector<kontotyp>& konten, int32_t nr);
std::string KontoName(const std::vector<kontotyp>& konten, int32_t nr);
int KontoIndex(const std::vector<kontotyp>& konten, int32_t nr);
// Every account's display path at once, for views that show many bookings.
std::unordered_map<int32_t, std::string> KontoPfade(const std::vector<kontotyp>& konten);

// How a field shows the current text: the item to select, the label below it and, for the second
// field, the booking type with its summary texts.
enum class ArtFarbe { Blau, Rot, Gelb };

struct ArtTexte {
    int32_t BArt = BArtEinnahme;
    std::string ArtWort;      // "Einnahme", "Ausgabe", "Umbuchung"
    ArtFarbe Farbe = ArtFarbe::Blau;
    std::string Von;          // "auf" / "von"
    std::string Auf;          // "in" / "auf"
    std::string RubrikLabel;  // "&Rubrik" / "Konto &2"
};

ArtTexte ArtTexteVon(int32_t bart);

struct FeldAnzeige {
    int Auswahl = 0;        // entry to select (0: the first heading)
    int32_t Nr = 0;         // resolved number, 0 if none
    std::string Label;      // account path or "Eintrag nicht vorhanden"
    ArtTexte Art;           // booking type chosen by the selected item's heading (second field)
};

// The field's reaction to a change of its text.
FeldAnzeige FeldAuswerten(const Suchbaum& baum, const std::vector<kontotyp>& konten, std::string_view text);

// The field's text after the focus left it: the resolved entry's abbreviation (that of its first
// child if it has children), or the text as typed when it does not resolve.
std::string FeldTextNachVerlassen(const Suchbaum& baum, std::string_view text);
// An item picked in the tree (mouse or keys). For a record the selection moves to its first child
// when it has children and the field's text becomes the selected record's abbreviation; a heading
// leaves the text alone. Returns the position selected in the end.
int BaumAuswahl(const Suchbaum& baum, int position, std::string& feldText);

}  // namespace talerwerk
