#include "bookings/buchungsoperationen.h"

#include <algorithm>
#include <charconv>
#include <exception>

#include "store/betrag.h"
#include "store/datum.h"

namespace talerwerk {

namespace {

const char* const FrageVeraendert = "Daten wurden verändert!\rSoll Buchung mit neuen Werten vorgenommen werden?";
const char* const FrageRegelmaessig =
    "Buchung ist eine regelmäßige Buchung.\rDaten wurden verändert!\rSoll Buchung zur normalen Buchung werden?";
const char* const FrageBuchen = "Soll Buchung mit diesen Werten vorgenommen werden?";
const char* const FrageUeberschreiben = "Bestehende Buchung mit diesen Werten überschreiben?";
const char* const FrageNullbetrag = "Buchungsbetrag ist 0.00!\rSoll trotzdem gebucht werden?";

int32_t ZahlAus(const std::string& text) {
    int32_t n = 0;
    const char* anfang = text.data();
    const char* ende = text.data() + text.size();
    while (anfang < ende && *anfang == ' ') ++anfang;
    auto [p, fehler] = std::from_chars(anfang, ende, n);
    if (fehler != std::errc() || p == anfang) return -1;
    return n;
}

std::string Loeschfrage(const std::string& nummerText) {
    return "Soll Buchung \"" + nummerText + "\" wirklich gelöscht werden?";
}

// Removes the first booking with this number; false when there is none or the removal failed.
bool Entfernen(Datenbestand& d, int32_t nummer) {
    try {
        const int32_t position = BuchungsIndex(d).PositionVon(nummer);
        if (position < 0) return false;
        BuchungenEntfernen(d, {static_cast<size_t>(position)});
        d.Geaendert = true;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool DatumsfeldLeer(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '.'; });
}

}  // namespace

buchungstyp NeueBuchung(const Datenbestand& d, const Uhr& uhr) {
    buchungstyp b = BuchungVorgabe(SatzBuchung, uhr.Heute());
    b.IdentNr = NaechsteBuchungsNr(d);
    return b;
}

bool BuchungVergleich(const buchungstyp& a, const buchungstyp& b) {
    return a.Belegnr != b.Belegnr || a.Datum != b.Datum || a.Satzart != b.Satzart || a.Betrag != b.Betrag ||
           a.Text != b.Text || a.Bemerkung != b.Bemerkung || a.Storniert != b.Storniert || a.Konto1 != b.Konto1 ||
           a.Konto2 != b.Konto2;
}

bool BuchungEinfuegen(Datenbestand& d, const buchungstyp& satz, int32_t position) {
    try {
        // Booking numbers are unique, so the overwrite stops at the booking it replaces.
        const int32_t vorhanden = BuchungsIndex(d).PositionVon(satz.IdentNr);
        if (position <= d.LetzterIndex && vorhanden >= 0) {
            BuchungErsetzen(d, static_cast<size_t>(vorhanden), satz);
        } else {
            // Appended. Also when the booking to overwrite has gone meanwhile (deleted from the
            // list): the user's values are kept rather than silently dropped. A number that was
            // taken meanwhile (a recurring booking appended while the blank form was on screen)
            // is replaced by the next free one, so booking numbers stay unique.
            buchungstyp neu = satz;
            if (vorhanden >= 0 || neu.IdentNr <= 0) neu.IdentNr = NaechsteBuchungsNr(d);
            BuchungAnhaengen(d, std::move(neu));
        }
        d.Geaendert = true;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int32_t BuchungSuchenNr(const Datenbestand& d, int32_t nummer) { return BuchungsIndex(d).PositionVon(nummer); }

int32_t BuchungSuchenBeleg(const Datenbestand& d, const std::string& belegnr) {
    for (size_t i = 0; i < d.Buchungen.size(); ++i)
        if (d.Buchungen.Belegnr(i) == belegnr) return static_cast<int32_t>(i);
    return -1;
}

bool BuchungLoeschen(Datenbestand& d, const std::string& nummerText, const Einstellungen& e, Meldungen& m) {
    const int32_t nummer = ZahlAus(nummerText);
    if (nummer < 0) return false;
    if (e.Warnung && m.Frage(Loeschfrage(nummerText), Knoepfe::JaNein) != Antwort::Ja) return false;
    return Entfernen(d, nummer);
}

Antwort BuchungenLoeschen(Datenbestand& d, const std::string& nummerText, bool fragen, const Einstellungen& e,
                          Meldungen& m) {
    const int32_t nummer = ZahlAus(nummerText);
    if (nummer < 0) return Antwort::Abbrechen;
    Antwort a = Antwort::Ja;
    if (fragen && e.Warnung) a = m.Frage(Loeschfrage(nummerText), Knoepfe::JaNeinAbbrechenAlle);
    if (a != Antwort::Ja && a != Antwort::Alle) return a;
    return Entfernen(d, nummer) ? a : Antwort::Abbrechen;
}

Antwort BuchungenLoeschen(Datenbestand& d, const std::vector<std::string>& nummerTexte, const Einstellungen& e,
                          Meldungen& m) {
    Antwort a = Antwort::Ja;
    bool fragen = true;
    std::vector<size_t> positionen;
    try {
        const Buchungsindex& index = BuchungsIndex(d);
        for (const std::string& text : nummerTexte) {
            const int32_t nummer = ZahlAus(text);
            const int32_t position = nummer < 0 ? -1 : index.PositionVon(nummer);
            if (position < 0) {
                a = Antwort::Abbrechen;
                break;
            }
            a = fragen && e.Warnung ? m.Frage(Loeschfrage(text), Knoepfe::JaNeinAbbrechenAlle) : Antwort::Ja;
            if (a == Antwort::Abbrechen) break;
            if (a == Antwort::Alle) fragen = false;
            if (a == Antwort::Ja || a == Antwort::Alle) positionen.push_back(static_cast<size_t>(position));
        }
        // Those confirmed before a cancel go, as they would have one by one; all in one pass.
        if (BuchungenEntfernen(d, std::move(positionen)) > 0) d.Geaendert = true;
    } catch (const std::exception&) {
        return Antwort::Abbrechen;
    }
    return a;
}

bool RgmBuchungAngehaengt(Datenbestand& d, bool eingabeOffen) {
    if (eingabeOffen && d.AktIndex > d.LetzterIndex) {
        ++d.AktIndex;
        ++d.LetzterIndex;
        return true;
    }
    ++d.LetzterIndex;
    return false;
}

std::string Ergebnismeldung(Speicherergebnis code) {
    switch (code) {
        case Speicherergebnis::DatumFalsch:
            return "Buchen nicht möglich!\rDatumseingabe falsch!";
        case Speicherergebnis::TextLeer:
            return "Buchen nicht möglich!\rBuchungstext darf nicht leer sein!";
        case Speicherergebnis::Konto1Unbekannt:
        case Speicherergebnis::Konto2Unbekannt:
            return "Buchen nicht möglich!\rKonto unbekannt!";
        case Speicherergebnis::NullbetragVerboten:
            return "Buchen nicht möglich!\rGeldbetrag darf nicht 0,00 sein!";
        default:
            return {};
    }
}

buchungstyp BearbeiteterSatz(const Buchungsmaske& maske) {
    buchungstyp b;
    b.Satzart = SatzBuchung;
    b.IdentNr = std::max<int32_t>(0, ZahlAus(maske.Text(MaskenFeld::Nummer)));
    b.Belegnr = maske.Text(MaskenFeld::Belegnr);
    b.Bemerkung = maske.Text(MaskenFeld::Bemerkung);
    b.Text = maske.Text(MaskenFeld::Text);
    b.Datum = DatumLesen(maske.Text(MaskenFeld::Datum)).value_or(0);
    b.BArt = maske.BArt();
    b.Betrag = BetragText(maske.Text(MaskenFeld::Betrag));
    b.Storniert = maske.Storniert();
    b.Konto1 = KontoId(maske.Konto1Liste(), maske.Text(MaskenFeld::Konto1));
    b.Konto2 = KontoId(maske.Konto2Liste(), maske.Text(MaskenFeld::Konto2));
    b.Kennung = maske.Text(MaskenFeld::Kennung);
    b.Bezeichnung = maske.Text(MaskenFeld::Hinweis2);
    return b;
}

void SatzZeigen(Buchungsmaske& maske, buchungstyp& satz) {
    auto kontoText = [](const Suchbaum& liste, int32_t& konto, int mindestens) {
        if (konto == 0 && liste.Anzahl() > mindestens) {
            const int vorgabe = VorgabePosition(liste);
            if (vorgabe >= 0) konto = liste.Eintraege[static_cast<size_t>(vorgabe)].Nr;
        }
        const int i = NrPosition(liste, konto);
        return i < 0 ? std::string() : liste.Eintraege[static_cast<size_t>(i)].Abk;
    };
    const std::string nummer = NummerText(satz.IdentNr);
    maske.SetzeText(MaskenFeld::Nummer, nummer);
    maske.SetzeText(MaskenFeld::Belegnr, satz.Belegnr);
    maske.SetzeText(MaskenFeld::Datum, DatumKurzText(satz.Datum));
    maske.SetzeBArt(satz.BArt);
    maske.SetzeText(MaskenFeld::Betrag, satz.Betrag);
    maske.SetzeText(MaskenFeld::Text, satz.Text);
    maske.SetzeText(MaskenFeld::Bemerkung, satz.Bemerkung);
    maske.SetzeStorniert(satz.Storniert);
    maske.SetzeText(MaskenFeld::Konto1, kontoText(maske.Konto1Liste(), satz.Konto1, 2));
    maske.SetzeText(MaskenFeld::Konto2, kontoText(maske.Konto2Liste(), satz.Konto2, 4));
    if (maske.Text(MaskenFeld::GeheZu) != nummer) maske.SetzeText(MaskenFeld::GeheZu, nummer);
    maske.SetzeText(MaskenFeld::Kennung, satz.Kennung);
    if (!satz.Kennung.empty()) {
        maske.SetzeText(MaskenFeld::Hinweis1, "Regelmäßige Buchung");
        maske.SetzeText(MaskenFeld::Hinweis2, satz.Bezeichnung);
    } else {
        maske.SetzeText(MaskenFeld::Hinweis2, "");
    }
}

Buchungseingabe::Buchungseingabe(Datenbestand& d, const Einstellungen& einstellungen, Meldungen& meldungen,
                                 const Uhr& uhr, Buchungsmaske& maske, std::function<void(int)> aktualisieren)
    : d_(d),
      einstellungen_(einstellungen),
      meldungen_(meldungen),
      uhr_(uhr),
      maske_(maske),
      aktualisieren_(std::move(aktualisieren)) {}

bool Buchungseingabe::BuchenMoeglich() const {
    return maske_.Konto1Liste().Anzahl() >= 3 && maske_.Konto2Liste().Anzahl() >= 5;
}

bool Buchungseingabe::Geaendert() const {
    return geladenGueltig_ && BuchungVergleich(geladen_, BearbeiteterSatz(maske_));
}

void Buchungseingabe::Aktualisieren() {
    if (aktualisieren_) aktualisieren_(AktualisierungBuchungen);
}

Speicherergebnis Buchungseingabe::BuchungSpeichern(Speichermodus modus) {
    using S = Speicherergebnis;
    buchungstyp bearbeitet = BearbeiteterSatz(maske_);
    const bool geaendert = !geladenGueltig_ || BuchungVergleich(geladen_, bearbeitet);
    // Whether the record on screen is an existing booking is remembered from showing it: the
    // cursor alone can mislead once a recurring booking was appended behind a blank new booking.
    const bool bestehend = geladenGueltig_ && !neuGezeigt_ && d_.AnzeigeIndex >= 0;
    const bool ueberschreiben = bestehend && geaendert;

    S code = S::Gebucht;
    if (bearbeitet.Datum == 0)
        code = S::DatumFalsch;
    else if (bearbeitet.Text.empty())
        code = S::TextLeer;
    else if (bearbeitet.Betrag == "0,00")
        code = einstellungen_.Nullbuchung ? S::NullbetragAbgelehnt : S::NullbetragVerboten;
    if (bearbeitet.Konto1 == 0) code = S::Konto1Unbekannt;
    if (bearbeitet.Konto2 == 0) code = S::Konto2Unbekannt;

    if (modus == Speichermodus::Nachfrage) {
        const Antwort a = meldungen_.Frage(FrageVeraendert, Knoepfe::JaNeinAbbrechen);
        if (a == Antwort::Nein)
            code = S::Verworfen;
        else if (a != Antwort::Ja)
            code = S::Abgebrochen;
    }

    // Asked whatever the checks and the change question gave; its Cancel still stops the command.
    if (!bearbeitet.Kennung.empty() && geaendert) {
        const Antwort a = meldungen_.Frage(FrageRegelmaessig, Knoepfe::JaNeinAbbrechen);
        if (a == Antwort::Ja) {
            bearbeitet.Kennung.clear();
            bearbeitet.Bezeichnung.clear();
        } else if (a != Antwort::Nein) {
            code = S::Abgebrochen;
        }
    }

    if (code != S::Gebucht && code != S::NullbetragAbgelehnt) return code;

    if (modus == Speichermodus::Buchen) {
        Antwort a = Antwort::Ja;
        if (!ueberschreiben && einstellungen_.Buchung)
            a = meldungen_.Frage(FrageBuchen, Knoepfe::JaNeinAbbrechen);
        else if (ueberschreiben && einstellungen_.Ueberschreiben)
            a = meldungen_.Frage(FrageUeberschreiben, Knoepfe::JaNeinAbbrechen);
        if (a != Antwort::Ja) return S::Abgebrochen;
    }

    if (code == S::NullbetragAbgelehnt && einstellungen_.Warnung &&
        meldungen_.Frage(FrageNullbetrag, Knoepfe::JaNein) != Antwort::Ja)
        return S::NullbetragAbgelehnt;

    const int32_t position = bestehend ? d_.AnzeigeIndex : d_.LetzterIndex + 1;
    if (!BuchungEinfuegen(d_, bearbeitet, position)) return S::Abgebrochen;
    d_.AnzeigeIndex = -1;
    d_.Geaendert = true;
    Aktualisieren();
    return S::Gebucht;
}

void Buchungseingabe::Melden(Speicherergebnis code) {
    using S = Speicherergebnis;
    const std::string text = Ergebnismeldung(code);
    if (!text.empty()) meldungen_.Information(text);
    switch (code) {
        case S::DatumFalsch:
            maske_.Fokus(MaskenFeld::Datum);
            break;
        case S::TextLeer:
            maske_.Fokus(MaskenFeld::Text);
            break;
        case S::NullbetragAbgelehnt:
        case S::NullbetragVerboten:
            maske_.Fokus(MaskenFeld::Betrag);
            break;
        case S::Konto1Unbekannt:
            maske_.Fokus(MaskenFeld::Konto1);
            break;
        case S::Konto2Unbekannt:
            maske_.Fokus(MaskenFeld::Konto2);
            break;
        default:
            break;
    }
}

bool Buchungseingabe::PositionAnzeigen() {
    const bool pruefen = (d_.AnzeigeIndex >= 0 && d_.AktIndex != d_.AnzeigeIndex) || gesperrt_;
    if (pruefen && Geaendert()) {
        const Speicherergebnis code = BuchungSpeichern(Speichermodus::Nachfrage);
        if (code != Speicherergebnis::Gebucht && code != Speicherergebnis::Verworfen) {
            Melden(code);
            if (code == Speicherergebnis::Abgebrochen && d_.AnzeigeIndex >= 0) d_.AktIndex = d_.AnzeigeIndex;
            return false;
        }
    }

    d_.LetzterIndex = LetzteBuchung(d_);
    if (d_.AktIndex < 0) d_.AktIndex = 0;
    const bool vorherGezeigt = geladenGueltig_;
    const int32_t vorherNr = geladen_.IdentNr;
    const bool vorherNeu = neuGezeigt_;

    Maskenzustand z;
    if (d_.AktIndex > d_.LetzterIndex) {
        d_.AktIndex = d_.LetzterIndex + 1;
        const std::string datumsfeld = maske_.Text(MaskenFeld::Datum);
        geladen_ = NeueBuchung(d_, uhr_);
        if (einstellungen_.Buchungsdatum && !DatumsfeldLeer(datumsfeld))
            if (auto datum = DatumLesen(datumsfeld)) geladen_.Datum = *datum;
        // Coming from an existing booking the lock in force is remembered; a blank booking
        // shown after another one keeps what was remembered then.
        if (!vorherNeu || !vorherGezeigt) sperrWahl_ = gesperrt_;
        gesperrt_ = false;
        neuGezeigt_ = true;
        z.NeueBuchung = true;
    } else {
        geladen_ = d_.Buchungen[static_cast<size_t>(d_.AktIndex)];
        gesperrt_ = sperrWahl_;
        if (einstellungen_.BuchungEdit && (!vorherGezeigt || vorherNeu || vorherNr != geladen_.IdentNr))
            gesperrt_ = true;
        neuGezeigt_ = false;
    }
    geladenGueltig_ = true;
    if (z.NeueBuchung)
        maske_.SetzeText(MaskenFeld::Hinweis1, "Neuer Datensatz");
    else
        maske_.SetzeText(MaskenFeld::Hinweis1, "");
    SatzZeigen(maske_, geladen_);
    d_.AnzeigeIndex = d_.AktIndex;

    z.Gesperrt = gesperrt_;
    z.BuchenMoeglich = BuchenMoeglich();
    z.LoeschenMoeglich = !z.NeueBuchung;
    maske_.Zustand(z);
    return true;
}

void Buchungseingabe::Oeffnen(int32_t position) {
    d_.AktIndex = position;
    PositionAnzeigen();
}

Speicherergebnis Buchungseingabe::Buchen() {
    const Speicherergebnis code = BuchungSpeichern(Speichermodus::Buchen);
    if (code == Speicherergebnis::Gebucht) {
        if (d_.AktIndex > d_.LetzterIndex) ++d_.AktIndex;
        PositionAnzeigen();
        maske_.Fokus(MaskenFeld::Datum);
    } else {
        Melden(code);
    }
    return code;
}

void Buchungseingabe::Verwerfen() {
    if (!geladenGueltig_) return;
    SatzZeigen(maske_, geladen_);
}

void Buchungseingabe::Erste() {
    if (d_.AktIndex == 0) return;
    d_.AktIndex = 0;
    PositionAnzeigen();
}

void Buchungseingabe::Vorige() {
    const int32_t ziel = std::max<int32_t>(0, d_.AktIndex - 1);
    if (ziel == d_.AktIndex) return;
    d_.AktIndex = ziel;
    PositionAnzeigen();
}

void Buchungseingabe::Naechste() {
    ++d_.AktIndex;
    PositionAnzeigen();
}

void Buchungseingabe::Letzte() {
    if (d_.AktIndex < d_.LetzterIndex)
        d_.AktIndex = d_.LetzterIndex;
    else
        ++d_.AktIndex;
    PositionAnzeigen();
}

void Buchungseingabe::Hinzufuegen() {
    const int32_t anzahl = static_cast<int32_t>(d_.Buchungen.size());
    d_.AktIndex = d_.LetzterIndex < d_.AktIndex ? anzahl + 1 : anzahl;
    PositionAnzeigen();
}

bool Buchungseingabe::GeheZu(int32_t position) {
    if (position < 0) {
        meldungen_.Piep();
        return false;
    }
    d_.AktIndex = position;
    return PositionAnzeigen();
}

bool Buchungseingabe::LoeschenGezeigt(bool vonEingabe) {
    // Only an existing booking on screen can be deleted; the cursor then works from the position
    // shown, even if a refused move left AktIndex elsewhere.
    if (!geladenGueltig_ || neuGezeigt_ || d_.AnzeigeIndex < 0) return false;
    if (!BuchungLoeschen(d_, maske_.Text(MaskenFeld::Nummer), einstellungen_, meldungen_)) return false;
    d_.LetzterIndex = LetzteBuchung(d_);
    d_.AktIndex = d_.AnzeigeIndex;
    if (vonEingabe && d_.AktIndex > 0) --d_.AktIndex;
    // The deleted booking's fields must not be offered for storing.
    d_.AnzeigeIndex = -1;
    geladen_ = BearbeiteterSatz(maske_);
    PositionAnzeigen();
    Aktualisieren();
    return true;
}

bool Buchungseingabe::Loeschen() { return LoeschenGezeigt(true); }
bool Buchungseingabe::LoeschenHauptfenster() { return LoeschenGezeigt(false); }

void Buchungseingabe::SperreUmschalten() {
    const bool gesperrt = gesperrt_;
    const bool wahl = sperrWahl_;
    // The user's click is the choice to return to after the new-booking position.
    gesperrt_ = !gesperrt_;
    sperrWahl_ = gesperrt_;
    if (!PositionAnzeigen()) {
        gesperrt_ = gesperrt;
        sperrWahl_ = wahl;
    }
}

bool Buchungseingabe::Schliessen() {
    if (BuchenMoeglich() && Geaendert()) {
        const Speicherergebnis code = BuchungSpeichern(Speichermodus::Nachfrage);
        if (code != Speicherergebnis::Gebucht && code != Speicherergebnis::Verworfen) {
            Melden(code);
            return false;
        }
    }
    d_.AnzeigeIndex = -1;
    geladenGueltig_ = false;
    return true;
}

void Buchungseingabe::RgmBuchungAngehaengt() {
    const bool getippt = neuGezeigt_ && Geaendert() && d_.AnzeigeIndex == d_.AktIndex;
    if (!talerwerk::RgmBuchungAngehaengt(d_, true)) return;
    if (!getippt) {
        PositionAnzeigen();
        return;
    }
    // Showing the position again would ask about the typed values in the middle of the run (and
    // drop them on "Nein"): the blank moves one place on with the cursor instead. Its number
    // stays unless the appended booking took it.
    d_.AnzeigeIndex = d_.AktIndex;
    if (BuchungsIndex(d_).PositionVon(geladen_.IdentNr) >= 0) {
        geladen_.IdentNr = NaechsteBuchungsNr(d_);
        maske_.SetzeText(MaskenFeld::Nummer, NummerText(geladen_.IdentNr));
        maske_.SetzeText(MaskenFeld::GeheZu, NummerText(geladen_.IdentNr));
    }
}

int32_t Buchungseingabe::ReservierteNr() const {
    return geladenGueltig_ && neuGezeigt_ && Geaendert() ? geladen_.IdentNr : 0;
}

}  // namespace talerwerk
