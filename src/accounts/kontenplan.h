#pragma once
// The chart of accounts and categories as the plan dialog edits it: a tree of four type nodes
// ("Einnahme", "Ausgabe", "Bestandskonto", "Sparkonto"), the top-level entries below them and the
// sub-categories of income and expense categories. Additions and deletions live in the tree until
// the plan is closed, then Konten is rebuilt in tree order; edits of an entry reach Konten at once.
//
//   Kontenplan plan(d.Konten);
//   Nutzung nutzung = NutzungZaehlen(d);
//   Knopfzustand k = plan.Knoepfe(pos, nutzung);
//   int neu = plan.Neu(pos, zufall);            // child of pos, then edit it
//   d.Konten = plan.Konten();                   // on "Schließen"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "store/datenbestand.h"

namespace talerwerk {

class Zufall;

// Largest number of tree nodes, the four type nodes included.
inline constexpr int MaxPlanKnoten = 3000;

// Field limits of the entry dialog, in characters.
inline constexpr int MaxAbkEingabe = 5;
inline constexpr int MaxNameEingabe = 25;
inline constexpr int MaxBLZEingabe = 8;
inline constexpr int MaxKontoNrEingabe = 20;
inline constexpr int MaxInstitutEingabe = 30;
inline constexpr int MaxInhaberEingabe = 30;
inline constexpr int MaxAnfStandEingabe = 12;
inline constexpr Cent MaxAnfStand = 99'999'999;  // 999999,99

// The type word of a kind 1…4, empty otherwise.
std::string TypWort(int32_t art);
// "Name - [Abk]"
std::string KnotenText(const kontotyp& k);

// How many bookings, recurring bookings and templates name each entry (Konto1 or Konto2; a record
// naming the same entry twice counts once). Made in one pass over the three collections.
using Nutzung = std::unordered_map<int32_t, int64_t>;
Nutzung NutzungZaehlen(const Datenbestand& d);

struct PlanKnoten {
    int Ebene = 0;     // 0 type node, 1 entry, 2 sub-category
    int32_t Art = 0;   // the kind of the branch (1…4)
    kontotyp Eintrag;  // meaningless for type nodes
    bool Neu = false;  // just added and not yet accepted in the entry dialog
    std::string Text() const {
        if (Ebene == 0) return TypWort(Art);
        return Neu ? Eintrag.Name : KnotenText(Eintrag);
    }
};

struct Knopfzustand {
    bool Loeschen = false;
    bool Neu = false;
    bool Bearbeiten = false;
    std::string BuchungLabel;
    std::string HinweisLabel;
};

// Result of checking the entry dialog's two required fields: the messages in order and the field
// that gets the focus in the end (empty messages: accepted).
enum class KontoFeld { Keins, Name, Abk };
struct KontoPruefung {
    std::vector<std::string> Meldungen;
    KontoFeld Fokus = KontoFeld::Keins;
    bool Gueltig() const { return Meldungen.empty(); }
};
KontoPruefung KontoDatenPruefen(const std::string& name, const std::string& abk);

// The seven texts of the entry dialog.
struct KontoDaten {
    std::string Abk;
    std::string Name;
    std::string BLZ;
    std::string KontoNr;
    std::string AnfStand;  // "1234,56"
    std::string Institut;
    std::string Inhaber;
    bool operator==(const KontoDaten&) const = default;
};
KontoDaten KontoDatenVon(const kontotyp& k);
// Writes the dialog's texts into the entry: name, abbreviation (at most 10 characters), bank code
// (at most 8), account number, institution, holder and opening balance.
void KontoDatenSchreiben(kontotyp& k, const KontoDaten& daten);
// Opening balance typed in the money field ("1234,56", "1.234,56", "12.5", empty = 0), in cents;
// nullopt when it is no amount in 0 … 999999,99.
std::optional<Cent> AnfStandLesen(const std::string& text);

class Kontenplan {
public:
    explicit Kontenplan(const std::vector<kontotyp>& konten);

    const std::vector<PlanKnoten>& Knoten() const { return knoten_; }
    int Anzahl() const { return static_cast<int>(knoten_.size()); }
    const PlanKnoten& operator[](int pos) const { return knoten_[static_cast<size_t>(pos)]; }

    int Eltern(int pos) const;           // -1 for a type node
    int TypKnoten(int pos) const;        // the level-0 ancestor (itself for a type node)
    bool HatKinder(int pos) const;
    int TeilbaumEnde(int pos) const;     // one past the last node below pos
    bool Voll() const { return Anzahl() >= MaxPlanKnoten; }

    // Buttons and usage text for the selected node.
    Knopfzustand Knoepfe(int pos, const Nutzung& nutzung) const;

    // A fresh number -1 … -4999 that no entry of the tree (nor of the chart it was made from) has.
    int32_t NeueNr(Zufall& zufall) const;
    // Adds a new entry as the last child of pos; returns its position.
    int Neu(int pos, Zufall& zufall);
    // Removes pos with everything below it.
    void Entfernen(int pos);

    // " \  "-joined texts of the ancestors, from the type node down.
    std::string Pfad(int pos) const;
    bool IstKonto(int pos) const;  // below "Bestandskonto" or "Sparkonto"
    // Whether another entry of the tree has exactly this abbreviation.
    bool AbkVergeben(int pos, const std::string& abk) const;

    // Takes the dialog's values into the entry at pos, and into the entry of the same number in
    // `konten` when it is there already (edits are kept even when the plan is not closed properly).
    void Uebernehmen(int pos, const KontoDaten& daten, std::vector<kontotyp>& konten);

    // All entries in tree order: Einnahme, Ausgabe, Bestandskonto, Sparkonto, each category
    // followed by its sub-categories. Records the tree cannot show are kept at the end.
    std::vector<kontotyp> Konten() const;

private:
    std::vector<PlanKnoten> knoten_;
    std::vector<kontotyp> ausserhalb_;       // records of no kind 1…4: kept, not shown
    std::unordered_set<int32_t> alteNummern_;  // numbers of the chart the plan was made from
};

}  // namespace talerwerk
