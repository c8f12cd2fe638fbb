#pragma once
// Executing due occurrences of recurring bookings: each becomes an ordinary booking (fields
// copied, text expanded for its date, key Kennung + due date), asked for one by one with
// Ja/Nein/Alles unless the settings or an "Alles" answer say otherwise.
//
//   RgmAnschluss a;
//   a.ReservierteNr = [&] { return eingabe ? eingabe->ReservierteNr() : 0; };
//   a.Angehaengt = [&] { eingabe ? eingabe->RgmBuchungAngehaengt() : (void)RgmBuchungAngehaengt(d, false); };
//   a.Aktualisieren = [&](int art) { fenster.AnsichtenAktualisieren(art); };
//   RgmAusfuehren(d, eintraege, gewaehlteZeilen, einstellungen, meldungen, uhr, a);

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "recurring/rgmplan.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

namespace talerwerk {

// The booking text of a recurring booking for a booking dated `datum`: "#D", "#M", "#J" filled
// in, the snippets' abbreviations replaced, the placeholders filled in once more. A placeholder
// that a built-in snippet put in (a second "#D") also gets the booking's date.
std::string RgmTextErweitern(std::string_view text, const std::vector<kontotyp>& textbausteine, int32_t datum);

// The booking an execution creates for occurrence `faellig` under number `nummer`: dated on the
// due date (Mandant.Merker2) or today, fields copied, text expanded, key set.
buchungstyp RgmBuchungBilden(const Datenbestand& d, const buchungstyp& rgm, int32_t faellig, int32_t heute,
                             int32_t nummer);

// What a run needs of the windows around it. Every member may stay empty.
struct RgmAnschluss {
    // The number the open booking entry shows on a filled-in blank booking (0: none). An
    // execution does not take it, so that storing that blank later keeps both bookings.
    std::function<int32_t()> ReservierteNr;
    // After each appended booking: the booking cursor rule (default: no entry open).
    std::function<void()> Angehaengt;
    // Once after a run that stored something, with the refresh kind of changed bookings.
    std::function<void(int)> Aktualisieren;
};

inline constexpr const char* FrageRgmBuchung = "Soll rgm. Buchung ";
std::string RgmFrage(const std::string& bezeichnung);

struct RgmLaufErgebnis {
    int Gebucht = 0;
    bool Fehler = false;  // the run stopped on a failure (reported to the user)
};

// Executes the rows in the given order. `eintraege` is the list the rows were computed from. A
// row whose record is gone or whose occurrence is booked meanwhile is passed over. A failure stops
// the run with an error message; what was stored until then stays.
RgmLaufErgebnis RgmAusfuehren(Datenbestand& d, const std::vector<buchungstyp>& eintraege,
                              const std::vector<FaelligeZeile>& zeilen, const Einstellungen& einstellungen,
                              Meldungen& meldungen, const Uhr& uhr, const RgmAnschluss& anschluss = {});

}  // namespace talerwerk
