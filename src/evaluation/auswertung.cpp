#include "evaluation/auswertung.h"

#include "evaluation/zeitraeume.h"
#include "store/betrag.h"

namespace talerwerk {

namespace {

// Whether the entry at `index` is the first of its number: bookings name accounts by number, and
// their effects go to the first entry of a number only.
bool ErsterMitNr(const Datenbestand& d, size_t index) {
    for (size_t i = 0; i < index; ++i)
        if (d.Konten[i].Nr == d.Konten[index].Nr) return false;
    return true;
}

// Whether a chart entry is one of the accounts a selection code stands for.
bool EintragGehoertZuAuswahl(const kontotyp& k, int32_t auswahl) {
    switch (auswahl) {
    case AuswahlAlleKonten: return k.Art == ArtBestandskonto || k.Art == ArtSparkonto;
    case AuswahlBestandskonten: return k.Art == ArtBestandskonto;
    case AuswahlSparkonten: return k.Art == ArtSparkonto;
    default: return k.Nr == auswahl;
    }
}

}  // namespace

bool KontoHatArt(const Datenbestand& d, int32_t nr, int32_t art) {
    for (const kontotyp& k : d.Konten)
        if (k.Nr == nr && k.Art == art) return true;
    return false;
}

int32_t OberNrVon(const Datenbestand& d, int32_t nr) {
    for (const kontotyp& k : d.Konten)
        if (k.Nr == nr) return k.OberNr;
    return 0;
}

bool HatUnterrubriken(const Datenbestand& d, int32_t nr) {
    for (const kontotyp& k : d.Konten)
        if (k.OberNr == nr) return true;
    return false;
}

bool GehoertZuAuswahl(const Datenbestand& d, int32_t auswahl, int32_t nr) {
    switch (auswahl) {
    case AuswahlAlleKonten: return KontoHatArt(d, nr, ArtBestandskonto) || KontoHatArt(d, nr, ArtSparkonto);
    case AuswahlBestandskonten: return KontoHatArt(d, nr, ArtBestandskonto);
    case AuswahlSparkonten: return KontoHatArt(d, nr, ArtSparkonto);
    default: return nr == auswahl;
    }
}

Cent MonatsendStand(const Datenbestand& d, int32_t auswahl, int32_t monat, int32_t jahr) {
    const bool alle = monat == 0 && jahr == -1;
    const int32_t grenze = alle ? 0 : DatumAus(31, monat, jahr);
    // A month that cannot be formed is the earliest possible date: no booking lies on or before it.
    const bool mitBuchungen = alle || grenze != 0;
    Cent summe = 0;
    for (size_t i = 0; i < d.Konten.size(); ++i) {
        const kontotyp& k = d.Konten[i];
        if (!EintragGehoertZuAuswahl(k, auswahl)) continue;
        summe += k.AnfStand;
        if (!mitBuchungen || !ErsterMitNr(d, i)) continue;
        const Buchungsindex& index = BuchungsIndex(d);
        for (size_t p = 0; p < index.Anzahl(); ++p) {
            const Indexzeile b = index.Zeile(p);
            if (alle || b.Datum <= grenze) summe += BuchungsWirkung(b, k.Nr);
        }
    }
    return summe;
}

Cent KontoVeraenderung(const Datenbestand& d, int32_t konto, int32_t vonMonat, int32_t bisMonat, int32_t jahr) {
    const int32_t von = DatumAus(1, vonMonat, jahr);
    const int32_t bis = DatumAus(31, bisMonat, jahr);
    if (bis == 0) return 0;
    Cent summe = 0;
    const Buchungsindex& index = BuchungsIndex(d);
    for (size_t p = 0; p < index.Anzahl(); ++p) {
        const Indexzeile b = index.Zeile(p);
        if ((von == 0 || b.Datum >= von) && b.Datum <= bis) summe += BuchungsWirkung(b, konto);
    }
    return summe;
}

Cent PeriodenSumme(const Datenbestand& d, int32_t auswahl, int32_t rubrik, SummenModus modus, int32_t vonMonat,
                   int32_t vonJahr, int32_t bisMonat, int32_t bisJahr) {
    const bool alle = bisJahr == -1;
    const int32_t von = alle ? 0 : DatumAus(1, vonMonat, vonJahr);
    const int32_t bis = alle ? 0 : DatumAus(31, bisMonat, bisJahr);
    if (!alle && bis == 0) return 0;
    Cent summe = 0;
    const Buchungsindex& index = BuchungsIndex(d);
    for (size_t p = 0; p < index.Anzahl(); ++p) {
        const Indexzeile b = index.Zeile(p);
        if (b.Storniert) continue;
        if (!alle && ((von != 0 && b.Datum < von) || b.Datum > bis)) continue;
        const bool einnahme = b.BArt == BArtEinnahme;
        const bool ausgabe = b.BArt == BArtAusgabe;
        const bool umbuchung = b.BArt == BArtUmbuchung;
        switch (modus) {
        case SummenModus::Rubrik:
            if ((einnahme || ausgabe) && GehoertZuAuswahl(d, auswahl, b.Konto1) &&
                (b.Konto2 == rubrik || OberNrVon(d, b.Konto2) == rubrik))
                summe += einnahme ? b.Betrag : -b.Betrag;
            break;
        case SummenModus::Einnahmen:
            if (einnahme && GehoertZuAuswahl(d, auswahl, b.Konto1)) summe += b.Betrag;
            break;
        case SummenModus::Ausgaben:
            if (ausgabe && GehoertZuAuswahl(d, auswahl, b.Konto1)) summe -= b.Betrag;
            break;
        case SummenModus::UmbuchungenAb:
            if (umbuchung && GehoertZuAuswahl(d, auswahl, b.Konto1)) summe -= b.Betrag;
            break;
        case SummenModus::UmbuchungenAn:
            if (umbuchung && GehoertZuAuswahl(d, auswahl, b.Konto2)) summe += b.Betrag;
            break;
        case SummenModus::Saldo:
            if ((einnahme || ausgabe) && GehoertZuAuswahl(d, auswahl, b.Konto1))
                summe += einnahme ? b.Betrag : -b.Betrag;
            break;
        }
    }
    return summe;
}

Periode PeriodeAus(const MonatsDatenTyp& m) {
    if (m.Jahr == 0) return Periode{};  // "Gesamter Zeitraum"
    return Periode{m.VonMonat, m.Jahr, m.BisMonat, m.Jahr, false};
}

Cent StandVorPeriode(const Datenbestand& d, int32_t auswahl, const Periode& p) {
    int32_t monat = p.Gesamt ? 0 : p.VonMonat;
    int32_t jahr = p.Gesamt ? 0 : p.VonJahr;
    VormonatVon(monat, jahr);  // for the whole span no month is formed: the opening balances remain
    return MonatsendStand(d, auswahl, monat, jahr);
}

Cent StandEndePeriode(const Datenbestand& d, int32_t auswahl, const Periode& p) {
    return p.Gesamt ? MonatsendStand(d, auswahl, 0, -1) : MonatsendStand(d, auswahl, p.BisMonat, p.BisJahr);
}

Cent PeriodenSumme(const Datenbestand& d, int32_t auswahl, int32_t rubrik, SummenModus modus, const Periode& p) {
    return p.Gesamt ? PeriodenSumme(d, auswahl, rubrik, modus, 0, 0, 0, -1)
                    : PeriodenSumme(d, auswahl, rubrik, modus, p.VonMonat, p.VonJahr, p.BisMonat, p.BisJahr);
}

}  // namespace talerwerk
