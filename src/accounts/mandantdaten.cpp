#include "accounts/mandantdaten.h"

#include <algorithm>
#include <charconv>

#include "accounts/kennwort.h"
#include "store/zeichensatz.h"

namespace talerwerk {

MandantEingaben MandantEingabenAus(const kontotyp& mandant) {
    MandantEingaben e;
    e.Name = mandant.Name;
    e.Abk = mandant.Abk;
    e.Text1 = mandant.Text1;
    e.Text2 = mandant.Text2;
    e.Text3 = mandant.Text3;
    e.Waehrung = mandant.Text4;
    e.AnzTage = std::to_string(std::clamp(mandant.Zahl1, FaelligkeitMin, FaelligkeitMax));
    e.rgmDatum = mandant.Merker2;
    e.BuchgLoeschen = mandant.Merker1;
    if (!mandant.Kurz1.empty()) {
        e.Modus = KennwortModus::Datei;
        e.Kennwort = e.Wiederholung = KennwortEntschluesseln(mandant.Kurz1);
    } else if (!mandant.Kurz2.empty()) {
        e.Modus = KennwortModus::Schreibschutz;
        e.Kennwort = e.Wiederholung = KennwortEntschluesseln(mandant.Kurz2);
    }
    return e;
}

bool KennwortFelderAktiv(KennwortModus modus) { return modus != KennwortModus::Ohne; }

int32_t FaelligkeitsTage(const std::string& text) {
    // Only plain digits make a whole number; anything else (empty, signs, blanks) counts as 1.
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return FaelligkeitMin;
    int64_t wert = 0;
    auto [p, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (fehler == std::errc::result_out_of_range) return FaelligkeitMax;
    if (fehler != std::errc() || wert == 0) return FaelligkeitMin;
    return wert > FaelligkeitMax ? FaelligkeitMax : static_cast<int32_t>(wert);
}

int32_t FaelligkeitsTageSchritt(const std::string& text, int schritt) {
    return std::clamp(FaelligkeitsTage(text) + schritt, FaelligkeitMin, FaelligkeitMax);
}

std::string NichtDarstellbarMeldung(const std::string& feld) {
    return "Das Feld \"" + feld + "\" enthält ein Zeichen, das in der Datei nicht gespeichert "
           "werden kann.\rBitte ändern Sie die Eingabe!";
}

MandantPruefung MandantPruefen(const MandantEingaben& e) {
    MandantPruefung p;
    if (KennwortFelderAktiv(e.Modus) && e.Kennwort.empty()) {
        p.Ok = false;
        p.Meldung = MeldungKeinKennwort;
        p.Seite = MandantSeite::Dateischutz;
        p.Feld = MandantFeld::Kennwort;
        return p;
    }
    // Outside a password mode the fields are disabled and their contents are not stored, so
    // there is nothing to compare.
    if (KennwortFelderAktiv(e.Modus) && e.Kennwort != e.Wiederholung) {
        p.Ok = false;
        p.Meldung = MeldungKennwortUngleich;
        p.Seite = MandantSeite::Dateischutz;
        p.Feld = MandantFeld::Wiederholung;
        return p;
    }

    struct Textfeld {
        const std::string& text;
        const char* beschriftung;
        MandantSeite seite;
        MandantFeld feld;
    };
    const Textfeld felder[] = {
        {e.Name, "Mandantbezeichnung", MandantSeite::Mandant, MandantFeld::Name},
        {e.Abk, "Abkürzung", MandantSeite::Mandant, MandantFeld::Abk},
        {e.Waehrung, "Währung", MandantSeite::Mandant, MandantFeld::Waehrung},
        {e.Kennwort, "Kennwort", MandantSeite::Dateischutz, MandantFeld::Kennwort},
    };
    for (const Textfeld& f : felder) {
        if (f.feld == MandantFeld::Kennwort && !KennwortFelderAktiv(e.Modus)) continue;
        if (!Cp1252Darstellbar(f.text)) {
            p.Ok = false;
            p.Fehlerbox = false;
            p.Meldung = NichtDarstellbarMeldung(f.beschriftung);
            p.Seite = f.seite;
            p.Feld = f.feld;
            return p;
        }
    }
    return p;
}

void MandantUebernehmen(const MandantEingaben& e, kontotyp& mandant) {
    mandant.Name = e.Name;
    mandant.Abk = Kuerzen(e.Abk, AbkLaenge);
    mandant.Text1 = e.Text1;
    mandant.Text2 = e.Text2;
    mandant.Text3 = e.Text3;
    mandant.Text4 = e.Waehrung;
    mandant.Zahl1 = FaelligkeitsTage(e.AnzTage);
    switch (e.Modus) {
    case KennwortModus::Ohne:
        mandant.Kurz1.clear();
        mandant.Kurz2.clear();
        break;
    case KennwortModus::Datei:
        mandant.Kurz1 = KennwortVerschluesseln(e.Kennwort);
        mandant.Kurz2.clear();
        break;
    case KennwortModus::Schreibschutz:
        mandant.Kurz1.clear();
        mandant.Kurz2 = KennwortVerschluesseln(e.Kennwort);
        break;
    }
    mandant.Merker2 = e.rgmDatum;
    mandant.Merker1 = e.BuchgLoeschen;
}

}  // namespace talerwerk

namespace talerwerk {

bool StammdatenBearbeitbar(const Datenbestand& d) { return d.DateiOffen && !d.Schreibschutz; }

}  // namespace talerwerk
