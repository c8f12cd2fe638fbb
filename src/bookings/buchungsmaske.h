#pragma once
// The booking editor's fields as the booking operations see them. TBuchungDlg implements this over
// its widgets; the tests over plain members. Everything here is a text or a flag: turning texts into
// a record and back is the core's business (BearbeiteterSatz, SatzZeigen in buchungsoperationen.h).

#include <cstdint>
#include <string>

#include "bookings/kontosuche.h"

namespace talerwerk {

enum class MaskenFeld {
    Nummer,       // number label (IdentNrLabel), shows NummerText
    Datum,        // date field, "dd.mm.yy"
    Betrag,       // amount field, stored amount form "1234,56"
    Text,         // booking text
    Bemerkung,    // remark
    Belegnr,      // voucher number
    Konto1,       // first account field
    Konto2,       // second account field (category or receiving account)
    Kennung,      // hidden code of a booking made by a recurring booking
    Hinweis1,     // red hint: "Neuer Datensatz" / "Regelmäßige Buchung"
    Hinweis2,     // the recurring booking's name (Bezeichnung)
    GeheZu,       // go-to field; the core only writes the shown number into it
    Storniert,    // focus target only; the flag itself goes through Storniert()/SetzeStorniert()
};

// What the window shows besides the fields after a position was shown.
struct Maskenzustand {
    bool NeueBuchung = false;      // add mode: caption "Buchung hinzufügen", mode button off
    bool Gesperrt = false;         // editing locked: data panel off, Enter goes to the next booking
    bool BuchenMoeglich = false;   // book and discard commands on (the chart has accounts)
    bool LoeschenMoeglich = false; // an existing booking is shown (delete allowed where visible)
};

class Buchungsmaske {
public:
    virtual ~Buchungsmaske() = default;

    virtual std::string Text(MaskenFeld feld) const = 0;
    virtual void SetzeText(MaskenFeld feld, const std::string& text) = 0;
    virtual bool Storniert() const = 0;
    virtual void SetzeStorniert(bool storniert) = 0;
    // Booking type carried by the (hidden) radio buttons; the second field's changes set it.
    virtual int32_t BArt() const = 0;
    virtual void SetzeBArt(int32_t bart) = 0;

    // The lookup lists of the two account fields, as currently built.
    virtual const Suchbaum& Konto1Liste() const = 0;
    virtual const Suchbaum& Konto2Liste() const = 0;

    virtual void Fokus(MaskenFeld feld) = 0;
    // Mode, lock and command state after a position was shown.
    virtual void Zustand(const Maskenzustand& zustand) = 0;
};

}  // namespace talerwerk
