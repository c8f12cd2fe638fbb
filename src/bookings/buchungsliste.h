#pragma once
// The booking list's rows without a window: which bookings a query selects, their order by a column,
// the text of any cell, the status text, and deleting the bookings of chosen rows.
//
// A row is only a position in Buchungen: a million rows cost a few megabytes, and a cell's text is
// made when the view asks for it (only visible rows are ever asked). The display paths of the
// accounts are computed once per refresh; sorting works on one key per row computed once per sort.
//
//   Buchungsliste liste;
//   liste.Aktualisieren(d, AbfrageAusBaeumen(zeitraum, 5000, 5100), 1);
//   for (size_t z = 0; z < liste.Anzahl(); ++z) liste.Zelle(z, 5);
//   liste.Sortieren(6);                 // a click on "Betrag"
//   liste.StatusText();                 // "17 von 1500"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "bookings/abfrage.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

namespace talerwerk {

inline constexpr int BListeSpalten = 9;
// Column headings, index 0–8.
extern const std::array<const char*, BListeSpalten> BListeUeberschriften;
// Window captions by page.
inline constexpr const char* BListeTitelAllgemein = "Buchungsliste";
inline constexpr const char* BListeTitelSuche = "Filter anwenden / Buchung suchen";
// Default sort column ("Sortierung 1" of section "BListe").
inline constexpr int BListeSortierungVorgabe = 1;

class Buchungsliste {
public:
    // Rebuilds the rows: every booking the query matches, in collection order, then sorted by the
    // column (0–8; others count as the default). The store is referenced until the next refresh.
    void Aktualisieren(const Datenbestand& d, const abfragetyp& q, int spalte);
    void Aktualisieren(const Datenbestand& d, const Abfragefilter& f, int spalte);

    // Sorts the rows by a column, ascending by its rule (stable; "stor." puts cancelled first).
    // Sorting again by the same column keeps the order: there is no reverse order.
    //   0 number, 1 voucher (case-sensitive), 2 cancelled first, 3 date, 4 kind, 5 text, 6 amount
    //   as a number, 7 and 8 the display paths; texts of 5, 7 and 8 compared with a–z upper-cased.
    void Sortieren(int spalte);
    int Sortierung() const { return spalte_; }

    size_t Anzahl() const { return zeilen_.size(); }
    // Number of bookings in Buchungen at the refresh.
    size_t Gesamt() const { return gesamt_; }
    // "<matches> von <all bookings>"
    std::string StatusText() const;

    // The row's booking: its position in Buchungen, its number, its kind (the picture).
    size_t Position(size_t zeile) const { return zeilen_[zeile]; }
    int32_t Nummer(size_t zeile) const;
    int32_t BArt(size_t zeile) const;
    // The cell's text as the list shows it; empty for a row or column out of range.
    std::string Zelle(size_t zeile, int spalte) const;
    // The row showing the booking at this position, −1 when none.
    int32_t ZeileVon(size_t position) const;

    // Whether the bookings are still those of the last refresh.
    bool Aktuell(const Datenbestand& d) const;

private:
    std::optional<size_t> GueltigePosition(size_t zeile) const;
    void Fuellen(const Datenbestand& d, std::vector<uint32_t> treffer, int spalte);
    // The record shown in a row, made from the store; nullopt beyond the rows.
    std::optional<buchungstyp> Satz(size_t zeile) const;

    const Datenbestand* d_ = nullptr;
    uint64_t stand_ = 0;
    size_t gesamt_ = 0;
    int spalte_ = BListeSortierungVorgabe;
    std::vector<uint32_t> treffer_;                    // positions of the matches, in collection order
    std::vector<uint32_t> zeilen_;                     // the same in display order
    std::unordered_map<int32_t, std::string> pfade_;  // display path per account number
};

// The text of one cell for a booking (with the display paths of the refresh).
std::string BListeZelle(const buchungstyp& b, int spalte, const std::unordered_map<int32_t, std::string>& pfade);

// Outcome of deleting the bookings of chosen rows.
struct Listenloeschung {
    Antwort Letzte = Antwort::Ja;  // the last answer given (Ja when nothing was asked)
    size_t Entfernt = 0;
    bool EingabeZeigen = false;    // the open booking entry must show its position again
};

// Deletes the bookings of the chosen rows in list order: one question per row ("Soll Buchung
// "NNNN" wirklich gelöscht werden?", Yes/No/Cancel/All, when the setting "Warnung" is on) until
// All; No spares that booking, Cancel stops and spares the rest. Every question is asked first;
// the confirmed bookings then leave in one pass. With the booking entry open, AktIndex moves back
// by every deleted booking at or before it (not below 0) and AnzeigeIndex by those before it (−1 when
// its own booking went), so the entry keeps its booking and a pending edit cannot land on another.
// Sets Geaendert when something was removed. The list must be refreshed afterwards; a list that is
// no longer current (the bookings changed since its refresh) deletes nothing and answers Abbrechen.
Listenloeschung ZeilenLoeschen(Datenbestand& d, const Buchungsliste& liste, const std::vector<size_t>& zeilen,
                               bool eingabeOffen, const Einstellungen& e, Meldungen& m);

}  // namespace talerwerk
