#pragma once
// Templates: named bookings without a date that the user keeps in a list and takes into the
// booking being entered. Their texts keep snippet abbreviations and date placeholders as typed;
// MitVorlage (eingaberegeln.h) expands them when a template is used.
//
// VorlagenListe holds the template list's entries while the list is open: new, edited and deleted
// templates live there until the list closes and Uebernehmen writes them back into Vorlagen.
//
//   VorlagenListe v(d);
//   int i = v.Neu();                                  // -1 at the limit of 999
//   buchungstyp kopie = v.Eintraege()[i];
//   if (editor.Bearbeiten(kopie) && !v.NameVorhanden(i, kopie.Bezeichnung)) v.Bearbeitet(i, kopie);
//   v.Uebernehmen();                                   // when the list closes, whatever closed it

#include <cstdint>
#include <string>
#include <vector>

#include "bookings/kontosuche.h"
#include "store/datenbestand.h"
#include "store/ports.h"

namespace talerwerk {

// The list's tree holds its heading and at most this many templates.
inline constexpr size_t VorlagenHoechstens = 999;
inline constexpr size_t VorlagenNameLaenge = 10;
inline constexpr int32_t VorlagenNrBoden = 10000;  // numbers start above it

inline constexpr const char* MeldungVorlageNameLeer = "Bezeichnung darf nicht leer sein!";
inline constexpr const char* MeldungVorlageNameVorhanden = "Bezeichnung bereits vorhanden!";
inline constexpr const char* HinweisVorlagenGrenze = "Keine weiteren Vorlagen möglich";

class VorlagenListe {
public:
    explicit VorlagenListe(Datenbestand& d);

    std::vector<buchungstyp>& Eintraege() { return eintraege_; }
    const std::vector<buchungstyp>& Eintraege() const { return eintraege_; }
    int Anzahl() const { return static_cast<int>(eintraege_.size()); }
    bool NeuMoeglich() const { return eintraege_.size() < VorlagenHoechstens; }

    // A new template at the end, with the defaults of a template and a number that neither the
    // store nor this list has (so two new ones never share one). -1 at the limit.
    int Neu();
    // Takes an entry out without asking (a new template whose editor was cancelled).
    void Entfernen(int index);
    // Asks whether to delete and deletes; true when deleted. Marks the store changed.
    bool Loeschen(int index, Meldungen& m);
    // Whether another entry than `index` has exactly this name.
    bool NameVorhanden(int index, const std::string& name) const;
    // An edit was accepted: the edited record goes into the list and the store is marked changed.
    void Bearbeitet(int index, const buchungstyp& satz);

    // Writes the entries back into Vorlagen, in list order.
    void Uebernehmen();

private:
    Datenbestand& d_;
    std::vector<buchungstyp> eintraege_;
};

std::string VorlageLoeschfrage(const std::string& bezeichnung);

// The summary of a selected template in the list.
struct VorlagenAnzeige {
    ArtTexte Art;            // type word and colour
    std::string Text2;       // "Rubrik", or "Konto 2" for an Umbuchung
    std::string Konto1;      // display paths
    std::string Konto2;
    std::string Betrag;      // amount, a blank, the currency
    std::string Text;        // as stored, abbreviations unexpanded
};

VorlagenAnzeige VorlageZusammenfassung(const Datenbestand& d, const buchungstyp& vorlage);

// What the editor's OK writes into its record when the editor's name is empty: the message to show.
// Empty: accepted. Nothing else is checked; a template may name no account and any amount.
std::string VorlagePruefen(const buchungstyp& satz);

}  // namespace talerwerk
