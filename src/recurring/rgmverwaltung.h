#pragma once
// The recurring bookings while their window is open, and the rules of their editor.
//
// RgmVerwaltung holds the list page's entries: new, edited and deleted recurring bookings live
// there until the window closes and Uebernehmen writes them back into RgmBuchungen. Executions
// read the same entries.
//
//   RgmVerwaltung v(d);
//   int i = v.Neu(uhr, zufall);                       // -1 at the limit of 999
//   if (!editor.Bearbeiten(v.Eintraege()[i])) v.Entfernen(i);
//   v.Uebernehmen();                                   // when the window closes

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

namespace talerwerk {

// The list's tree holds its root and at most this many recurring bookings.
inline constexpr size_t RgmHoechstens = 999;

inline constexpr const char* MeldungRgmNameVorhanden = "Bezeichnung bereits vorhanden!";
inline constexpr const char* MeldungEingabeFehlerhaft = "Eingabe fehlerhaft!";
inline constexpr const char* MeldungZeitraumBegrenzt = "Zeitraum ist auf 364 Tage begrenzt!";

class RgmVerwaltung {
public:
    explicit RgmVerwaltung(Datenbestand& d);

    std::vector<buchungstyp>& Eintraege() { return eintraege_; }
    const std::vector<buchungstyp>& Eintraege() const { return eintraege_; }
    int Anzahl() const { return static_cast<int>(eintraege_.size()); }
    bool NeuMoeglich() const { return eintraege_.size() < RgmHoechstens; }

    // A new recurring booking at the end: the defaults, a number and a Kennung that neither the
    // store nor this list has, and a Kennung no booking's key was made from. -1 at the limit.
    int Neu(const Uhr& uhr, Zufall& zufall);
    // Takes a new entry out again (its edit was cancelled).
    void Entfernen(int index);
    // Asks and deletes; true when deleted. Marks the store changed.
    bool Loeschen(int index, Meldungen& m);
    // An edit was accepted.
    void Bearbeitet() { d_.Geaendert = true; }

    // Whether another entry than `index` has exactly this name.
    bool NameVorhanden(int index, const std::string& name) const;

    // Writes the entries back into RgmBuchungen, in list order.
    void Uebernehmen();

private:
    Datenbestand& d_;
    std::vector<buchungstyp> eintraege_;
    std::optional<std::unordered_set<std::string>> schluesselAnfaenge_;  // built on the first "Neu"
};

std::string RgmLoeschfrage(const std::string& bezeichnung);

// A new Kennung: one character 48…127 and 0…999, drawn until no entry has it and no key of a
// booking was made from it.
std::string NeueRgmKennung(const std::vector<buchungstyp>& eintraege, const std::vector<buchungstyp>& gespeichert,
                           const std::unordered_set<std::string>& schluesselAnfaenge, Zufall& zufall);
// The Kennung parts of every booking key ("A12" of "A12310124").
std::unordered_set<std::string> SchluesselAnfaenge(const Buchungsspeicher& buchungen);

// ---- the due window dialog ----

// The typed window: a whole number within 1…364; "Eingabe fehlerhaft!" (→ 1) for anything else,
// "Zeitraum ist auf 364 Tage begrenzt!" (→ 364) above.
int32_t AnzeigezeitraumLesen(const std::string& text, Meldungen& m);

// ---- the editor ----

// Step of an interval choice: 1, 2, 3, 6, 12; 0 for "frei".
inline constexpr std::array<int32_t, 6> RgmIntervalle{1, 2, 3, 6, 12, 0};

// The month checks of an interval: the first due month and every `schritt`-th month after it,
// within a year. All off for a step outside 1…12 or no date.
std::array<bool, 12> MonateAusIntervall(int32_t erstesDatum, int32_t schritt);

enum class RgmFeld { Name, Faellig, Text, Betrag, Konto1, Konto2 };

struct RgmFehler {
    std::string Text;
    RgmFeld Feld;
    bool operator==(const RgmFehler&) const = default;
};

// The checks of the editor's OK, in their order; empty: accepted.
std::vector<RgmFehler> RgmPruefen(const buchungstyp& satz, const Einstellungen& einstellungen);

}  // namespace talerwerk
