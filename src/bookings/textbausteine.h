#pragma once
// Text snippets: short abbreviations that stand for longer booking texts, and the date
// placeholders "[aktuelles Datum]", "[aktueller Monat]", "[aktuelles Jahr]" that the built-in
// snippets #D, #M and #J stand for.
//
//   std::string t = TextbausteineErsetzen("Miete #M", d.Textbausteine, uhr);   // "Miete Dezember"
//   Suchbaum baum = TextBaumErweitert(d.Textbausteine, uhr.Heute());          // booking entry's tree
//   if (auto e = ErsetzungBeimTippen(baum, feldText)) feldText = e->Text;    // after each keystroke
//
// TextbausteinEditor holds the snippet editor's working copy and its rules; the collection only
// changes when the editor is accepted (TextbausteineUebernehmen).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bookings/kontosuche.h"
#include "store/datenbestand.h"
#include "store/ports.h"

namespace talerwerk {

inline constexpr const char* PlatzhalterDatum = "[aktuelles Datum]";
inline constexpr const char* PlatzhalterMonat = "[aktueller Monat]";
inline constexpr const char* PlatzhalterJahr = "[aktuelles Jahr]";

// Replaces the first occurrence of `suche` (exact, case-sensitive) by `ersatz`. An empty search
// text occurs nowhere: a snippet without abbreviation must not prefix every text.
std::string ErsetzeErstes(std::string_view text, std::string_view suche, std::string_view ersatz);

// As ErsetzeErstes for a snippet's abbreviation, but an occurrence that overlaps one of the three
// placeholders does not count: "es" leaves "[aktuelles Datum]" whole and replaces the first "es"
// outside it.
std::string AbkuerzungErsetzen(std::string_view text, std::string_view abk, std::string_view ersatz);

// Fills in the first occurrence of each placeholder with `datum` ("07.12.2026", "Dezember", "2026").
std::string PlatzhalterErsetzen(std::string_view text, int32_t datum);

// Every snippet's abbreviation (first occurrence outside a placeholder, collection order) replaced
// by its text, then the placeholders filled in with today's date. Used for templates taken into
// the booking entry.
std::string TextbausteineErsetzen(std::string_view text, const std::vector<kontotyp>& textbausteine,
                                  const Uhr& uhr);

// The expanded text of snippet `index`: its text with every other snippet's abbreviation replaced
// (first occurrence outside a placeholder, collection order), then the placeholders filled in
// with `datum`.
std::string TextbausteinAusgeschrieben(const std::vector<kontotyp>& textbausteine, size_t index, int32_t datum);

// The booking entry's text tree: heading "Textbaustein", one item per snippet showing its expanded
// text; the lists hold each snippet's abbreviation and number.
Suchbaum TextBaumErweitert(const std::vector<kontotyp>& textbausteine, int32_t datum);

struct TextErsetzung {
    std::string Text;   // the field's new text; the cursor goes to its end
    int Position = -1;  // the tree entry of the snippet, to be selected
};

// Expansion while typing: when the text ends with a space and the word before it is a snippet's
// abbreviation, the word and the space become the snippet's item text. nullopt: nothing to do.
std::optional<TextErsetzung> ErsetzungBeimTippen(const Suchbaum& baum, std::string_view text);
// Leaving the field: a text that is exactly an abbreviation becomes the snippet's item text.
std::optional<TextErsetzung> ErsetzungBeimVerlassen(const Suchbaum& baum, std::string_view text);

// ---- the snippet editor ----

inline constexpr size_t TextbausteineHoechstens = 1000;  // built-ins included
inline constexpr size_t TextbausteineGeschuetzt = 3;     // the first three can be neither edited nor deleted
inline constexpr size_t TbsAbkLaenge = 5;                // typed abbreviation
inline constexpr size_t TbsTextLaenge = 30;              // typed text
inline constexpr int32_t TbsNrVon = 20;
inline constexpr int32_t TbsNrBis = 1969;

inline constexpr const char* MeldungTbsAbkLeer = "Textbausteinabkürzung darf nicht leer sein!";
inline constexpr const char* MeldungTbsVorhanden = "Textbaustein bereits vorhanden!";
inline constexpr const char* HinweisTbsGrenze = "Keine weiteren Textbausteine möglich";

// What the editor's buttons and fields allow for a selection.
struct TbsKnoepfe {
    bool Neu = true;
    bool Loeschen = false;
    bool Felder = false;    // the fields are editable
    std::string Hinweis;    // HinweisLabel
};

class TextbausteinEditor {
public:
    static constexpr int Ueberschrift = -1;  // the heading is selected

    explicit TextbausteinEditor(std::vector<kontotyp> textbausteine);

    const std::vector<kontotyp>& Eintraege() const { return eintraege_; }
    int Anzahl() const { return static_cast<int>(eintraege_.size()); }

    // Button and field state for a selection (Ueberschrift or a snippet's index).
    TbsKnoepfe Knopfzustand(int auswahl) const;
    bool Geschuetzt(int index) const { return index >= 0 && static_cast<size_t>(index) < TextbausteineGeschuetzt; }

    // The checks of the fields for snippet `index`: the messages to show, in order (empty list:
    // valid). An abbreviation equal to another snippet's is reported once per such snippet.
    std::vector<std::string> Pruefen(int index, const std::string& abk, const std::string& text) const;
    // Checks and, when valid, writes the fields into the snippet. Protected snippets and the
    // heading are left alone (true: nothing to refuse). Messages go to `m`.
    bool Zurueckschreiben(int index, const std::string& abk, const std::string& text, Meldungen& m);

    // A new snippet at the end: number drawn from 20…1969 until unused, abbreviation "tbs" with the
    // smallest free number, empty text. Returns its index, -1 at the limit.
    int Neu(Zufall& zufall);
    // Deletes snippet `index` after the question (not the protected ones). True if removed.
    bool Loeschen(int index, Meldungen& m);

private:
    std::vector<kontotyp> eintraege_;
};

// Takes the editor's snippets into the store, in the editor's order, and marks the store changed.
void TextbausteineUebernehmen(Datenbestand& d, const TextbausteinEditor& editor);

}  // namespace talerwerk
