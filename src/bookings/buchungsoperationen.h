#pragma once
// Storing, numbering, validating, deleting and finding bookings, and the booking cursor by which
// the booking entry moves between the bookings and the blank new booking at the end.
//
// The stateless operations are free functions over the store. The entry's operations live in
// Buchungseingabe, which holds what the entry window keeps between events (the loaded record and
// the lock state) and works through the Buchungsmaske port:
//
//   Buchungseingabe e(d, einstellungen, meldungen, uhr, maske, [&](int art) { AnsichtenAktualisieren(art); });
//   e.Oeffnen(0);            // first booking
//   e.Buchen();              // the "Buchen" button: validates, asks, stores, moves on
//   e.Naechste();

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bookings/buchungsmaske.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

namespace talerwerk {

// Result codes of BuchungSpeichern.
enum class Speicherergebnis : int {
    Gebucht = 0,
    DatumFalsch = 1,
    TextLeer = 2,
    NullbetragAbgelehnt = 3,
    Verworfen = 4,
    Abgebrochen = 5,
    Konto1Unbekannt = 6,
    Konto2Unbekannt = 7,
    NullbetragVerboten = 8,
};

enum class Speichermodus { Buchen, Nachfrage };

// Kind of refresh asked of the main window's AnsichtenAktualisieren after a store or a deletion:
// the balances window and the booking list's content.
inline constexpr int AktualisierungBuchungen = 1;

// A blank new booking: next number, today's date, amount "0,00".
buchungstyp NeueBuchung(const Datenbestand& d, const Uhr& uhr);

// True when the two records differ in a field the user can change (voucher, date, Satzart,
// amount, text, remark, cancelled flag, both accounts).
bool BuchungVergleich(const buchungstyp& geladen, const buchungstyp& bearbeitet);

// Appends the record when `position` is past the last booking, else replaces every booking with
// the record's number in place. Sets Geaendert. False only if the collection operation failed.
bool BuchungEinfuegen(Datenbestand& d, const buchungstyp& satz, int32_t position);

// Position of the first booking with this number / voucher number, -1 if none.
int32_t BuchungSuchenNr(const Datenbestand& d, int32_t nummer);
int32_t BuchungSuchenBeleg(const Datenbestand& d, const std::string& belegnr);

// Single deletion with the question "Soll Buchung …" (when the setting "Warnung" is on). The
// number text is the one the entry shows. True if a booking was removed.
bool BuchungLoeschen(Datenbestand& d, const std::string& nummerText, const Einstellungen& e, Meldungen& m);
// Deletion within a series: asks with Yes/No/Cancel/All when `fragen` and "Warnung" are on.
// Returns the answer (Ja without a question); Abbrechen also when the removal failed.
Antwort BuchungenLoeschen(Datenbestand& d, const std::string& nummerText, bool fragen, const Einstellungen& e,
                          Meldungen& m);

// Deletion of a series (the bookings chosen in a list), asking for each as above until the answer
// All; Cancel stops asking and keeps the rest. The chosen bookings are removed in one pass.
// Returns the last answer; Abbrechen also when a number has no booking or the removal failed.
Antwort BuchungenLoeschen(Datenbestand& d, const std::vector<std::string>& nummerTexte, const Einstellungen& e,
                          Meldungen& m);

// Keeps the cursor consistent after a recurring booking appended a booking. Returns true when the
// open entry stood at the new-booking position and must show it again (with the next number).
bool RgmBuchungAngehaengt(Datenbestand& d, bool eingabeOffen);

// The message of a refused store ("Buchen nicht möglich!…"), empty for codes without one.
std::string Ergebnismeldung(Speicherergebnis code);

// Builds the edited record from the mask's fields (accounts through the lookup lists).
buchungstyp BearbeiteterSatz(const Buchungsmaske& maske);
// Shows a record in the mask's fields. A record without account takes the first account of the
// lookup list, written into the record, so that the default does not count as a change.
void SatzZeigen(Buchungsmaske& maske, buchungstyp& satz);

class Buchungseingabe {
public:
    Buchungseingabe(Datenbestand& d, const Einstellungen& einstellungen, Meldungen& meldungen, const Uhr& uhr,
                    Buchungsmaske& maske, std::function<void(int)> aktualisieren = {});

    // The store operation with its checks and questions. Does not move the cursor.
    Speicherergebnis BuchungSpeichern(Speichermodus modus);

    // Shows AktIndex after checking pending changes. False when the position was not shown
    // because the pending changes could not be stored or the user cancelled.
    bool PositionAnzeigen();

    // Opening the entry at a position (0 from "Bearbeiten", the new-booking position from
    // "Hinzufügen", a chosen booking from a list).
    void Oeffnen(int32_t position);

    // The "Buchen" command: store, report a refusal with message and focus, move on.
    Speicherergebnis Buchen();
    // "Verwerfen": shows the loaded record again.
    void Verwerfen();

    // Moves.
    void Erste();
    void Vorige();
    void Naechste();
    void Letzte();
    void Hinzufuegen();                // main window's "Hinzufügen"
    bool GeheZu(int32_t position);     // beeps and stays when position < 0
    bool GeheZuNr(int32_t nummer) { return GeheZu(BuchungSuchenNr(d_, nummer)); }
    bool GeheZuBeleg(const std::string& beleg) { return GeheZu(BuchungSuchenBeleg(d_, beleg)); }

    // Deleting the booking shown: from the entry's button (then the preceding booking is shown) or
    // from the main window (the booking that moved up is shown).
    bool Loeschen();
    bool LoeschenHauptfenster();

    // The mode button: lock or allow editing. Locking with pending changes runs the change check;
    // a failed or cancelled check leaves the lock as it was.
    void SperreUmschalten();

    // Closing the entry: true when it may close (no pending change, or stored or dropped).
    bool Schliessen();

    // A recurring booking was appended while the entry is open. A blank new booking the user has
    // typed into stays on screen with its values (the cursor moves with it); an untouched one is
    // shown afresh with the next number.
    void RgmBuchungAngehaengt();
    // The number a filled-in blank new booking on screen holds (0: none), which executions of
    // recurring bookings leave to it.
    int32_t ReservierteNr() const;

    // Whether the chart has at least one account in each field (book and discard available).
    bool BuchenMoeglich() const;

    bool Gesperrt() const { return gesperrt_; }
    bool SperrWahl() const { return sperrWahl_; }
    const buchungstyp& Geladen() const { return geladen_; }
    // Whether the fields differ from the loaded record.
    bool Geaendert() const;

private:
    void Melden(Speicherergebnis code);
    bool NeuePosition() const { return d_.AktIndex > d_.LetzterIndex; }
    void Aktualisieren();
    bool LoeschenGezeigt(bool vonEingabe);

    Datenbestand& d_;
    const Einstellungen& einstellungen_;
    Meldungen& meldungen_;
    const Uhr& uhr_;
    Buchungsmaske& maske_;
    std::function<void(int)> aktualisieren_;

    buchungstyp geladen_;
    bool geladenGueltig_ = false;
    bool neuGezeigt_ = false;  // the loaded record is the blank new booking
    bool gesperrt_ = false;   // editing locked now
    bool sperrWahl_ = false;  // the lock to return to after the new-booking position
};

}  // namespace talerwerk
