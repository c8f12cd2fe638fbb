#include "recurring/rgmausfuehrung.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <stdexcept>

#include "bookings/buchungsoperationen.h"
#include "bookings/textbausteine.h"
#include "store/datum.h"

namespace talerwerk {
namespace {

std::string DatumseinsetzungEinmal(std::string text, int32_t datum) {
    const Kalendertag k = KalenderAus(datum);
    text = ErsetzeErstes(text, "#D", DatumLangText(datum));
    text = ErsetzeErstes(text, "#M", MonatsName(k.Monat));
    return ErsetzeErstes(text, "#J", std::to_string(k.Jahr));
}

// Fills every placeholder occurrence, not only the first.
std::string AllePlatzhalter(std::string text, int32_t datum) {
    for (;;) {
        std::string neu = PlatzhalterErsetzen(text, datum);
        if (neu == text) return text;
        text = std::move(neu);
    }
}

}  // namespace

std::string RgmTextErweitern(std::string_view text, const std::vector<kontotyp>& textbausteine, int32_t datum) {
    std::string t = DatumseinsetzungEinmal(std::string(text), datum);
    for (const kontotyp& tb : textbausteine) t = AbkuerzungErsetzen(t, tb.Abk, tb.Text1);
    t = DatumseinsetzungEinmal(std::move(t), datum);
    // The built-in snippets stand for the placeholders of today's date; in an executed booking
    // they mean the booking's date, like the "#D" they came from.
    return AllePlatzhalter(std::move(t), datum);
}

buchungstyp RgmBuchungBilden(const Datenbestand& d, const buchungstyp& rgm, int32_t faellig, int32_t heute,
                             int32_t nummer) {
    buchungstyp b = BuchungVorgabe(SatzBuchung, heute);
    b.IdentNr = nummer;
    if (d.Mandant.Merker2) b.Datum = faellig;
    b.Bezeichnung = rgm.Bezeichnung;
    b.BArt = rgm.BArt;
    b.Bemerkung = rgm.Bemerkung;
    b.Belegnr = rgm.Belegnr;
    b.Betrag = rgm.Betrag;
    b.Konto1 = rgm.Konto1;
    b.Konto2 = rgm.Konto2;
    b.Text = RgmTextErweitern(rgm.Text, d.Textbausteine, b.Datum);
    b.Kennung = RgmSchluessel(rgm.Kennung, faellig);
    return b;
}

std::string RgmFrage(const std::string& bezeichnung) {
    return FrageRgmBuchung + bezeichnung + " vorgenommen werden?";
}

RgmLaufErgebnis RgmAusfuehren(Datenbestand& d, const std::vector<buchungstyp>& eintraege,
                              const std::vector<FaelligeZeile>& zeilen, const Einstellungen& einstellungen,
                              Meldungen& meldungen, const Uhr& uhr, const RgmAnschluss& anschluss) {
    RgmLaufErgebnis ergebnis;
    if (zeilen.empty()) return ergebnis;
    const int32_t heute = uhr.Heute();

    // The keys of the rows' dates, once for the whole run; each booking stored adds its own.
    int32_t von = zeilen.front().Faellig, bis = von;
    for (const FaelligeZeile& z : zeilen) {
        von = std::min(von, z.Faellig);
        bis = std::max(bis, z.Faellig);
    }
    std::unordered_set<std::string> gebucht = GebuchteSchluessel(d, von, bis);

    bool alles = false;
    for (const FaelligeZeile& z : zeilen) {
        if (z.Eintrag >= eintraege.size() || eintraege[z.Eintrag].IdentNr != z.IdentNr) continue;
        const buchungstyp& rgm = eintraege[z.Eintrag];
        std::string schluessel = RgmSchluessel(rgm.Kennung, z.Faellig);
        if (gebucht.count(schluessel)) continue;

        try {
            // Next number; the number a blank booking on screen holds is left to that booking.
            int64_t nummer = int64_t{std::max(BuchungsIndex(d).GroessteNr(), 0)} + 1;
            const int32_t reserviert = anschluss.ReservierteNr ? anschluss.ReservierteNr() : 0;
            if (reserviert > 0 && nummer == reserviert) ++nummer;
            if (nummer > std::numeric_limits<int32_t>::max())
                throw std::runtime_error("Keine freie Buchungsnummer mehr!");
            buchungstyp b = RgmBuchungBilden(d, rgm, z.Faellig, heute, static_cast<int32_t>(nummer));

            if (!alles && einstellungen.Buchung) {
                const Antwort a = meldungen.Frage(RgmFrage(rgm.Bezeichnung), Knoepfe::JaNeinAlles);
                if (a == Antwort::Alle) alles = true;
                if (a == Antwort::Nein) continue;
                if (a != Antwort::Ja && a != Antwort::Alle) break;  // the box was closed: the run ends
            }

            BuchungAnhaengen(d, std::move(b));
            d.Geaendert = true;
            gebucht.insert(std::move(schluessel));
            ++ergebnis.Gebucht;
            if (anschluss.Angehaengt)
                anschluss.Angehaengt();
            else
                RgmBuchungAngehaengt(d, false);
        } catch (const std::exception& e) {
            // Our own refusals carry a German reason; anything else (memory) gets a plain one.
            const bool eigener = dynamic_cast<const std::runtime_error*>(&e) != nullptr;
            ergebnis.Fehler = true;
            meldungen.Fehler("Regelmäßige Buchung \"" + rgm.Bezeichnung + "\" konnte nicht ausgeführt werden!\r" +
                             (eigener ? std::string(e.what()) : std::string("Nicht genügend Speicher.")) +
                             "\rDie Ausführung wurde beendet.");
            break;
        }
    }
    if (ergebnis.Gebucht > 0 && anschluss.Aktualisieren) anschluss.Aktualisieren(AktualisierungBuchungen);
    return ergebnis;
}

}  // namespace talerwerk
