#pragma once
// A small book for the recurring-booking tests: a current account, a savings account, one income
// and one expense category, and recurring bookings made to measure.

#include <string>

#include "store/datenbestand.h"
#include "store/datum.h"

namespace talerwerk::test {

inline kontotyp RgmKonto(int32_t nr, int32_t art, const std::string& abk, const std::string& name) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.Abk = abk;
    k.Name = name;
    return k;
}

inline int32_t Tag(int32_t tag, int32_t monat, int32_t jahr) { return *TagesNummer(tag, monat, jahr); }

// Giro 1, Spar 2, Gehalt 3 (Einnahme), Miete 4 (Ausgabe).
inline void RgmBuchAnlegen(Datenbestand& d) {
    d.Konten = {RgmKonto(1, ArtBestandskonto, "GIRO", "Girokonto"), RgmKonto(2, ArtSparkonto, "SPAR", "Sparbuch"),
                RgmKonto(3, ArtEinnahme, "GEH", "Gehalt"), RgmKonto(4, ArtAusgabe, "MIE", "Miete")};
    d.Mandant.Merker2 = true;
    d.Mandant.Zahl1 = 28;
    d.Textbausteine = EingebauteTextbausteine();
    d.LetzterIndex = -1;
    d.AktIndex = 0;
}

// A recurring booking due every month flagged in `monate` (12 letters 'x' or '.', January first).
inline buchungstyp Rgm(int32_t nr, const std::string& name, const std::string& kennung, int32_t erstesDatum,
                       const std::string& betrag = "100,00", const std::string& monate = "xxxxxxxxxxxx") {
    buchungstyp r = BuchungVorgabe(SatzRgmBuchung, erstesDatum);
    r.IdentNr = nr;
    r.Bezeichnung = name;
    r.Kennung = kennung;
    r.Betrag = betrag;
    r.BArt = BArtAusgabe;
    r.Konto1 = 1;
    r.Konto2 = 4;
    r.Text = name;
    for (size_t i = 0; i < 12 && i < monate.size(); ++i) r.Monate[i] = monate[i] == 'x';
    return r;
}

}  // namespace talerwerk::test
