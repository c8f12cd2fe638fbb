#include "store/datenbestand.h"

#include <algorithm>

#include "store/datum.h"
#include "store/ports.h"

namespace talerwerk {
namespace {

int32_t NaechsteNr(const std::vector<buchungstyp>& liste, int32_t boden) {
    int32_t groesste = boden;
    for (const auto& b : liste) groesste = std::max(groesste, b.IdentNr);
    return groesste + 1;
}

}  // namespace

kontotyp TextbausteinSatz(int32_t nr, const std::string& abk, const std::string& text) {
    kontotyp k;
    k.Nr = nr;
    k.Art = ArtTextbaustein;
    k.Abk = abk;
    k.Text1 = text;
    return k;
}

std::vector<kontotyp> EingebauteTextbausteine() {
    return {TextbausteinSatz(10, "#D", "[aktuelles Datum]"), TextbausteinSatz(11, "#M", "[aktueller Monat]"),
            TextbausteinSatz(12, "#J", "[aktuelles Jahr]")};
}

kontotyp MandantVorgabe(int32_t dateiNr) {
    kontotyp m;
    m.Art = ArtMandant;
    m.OberNr = dateiNr;
    m.Text1 = "Talerwerk";
    m.Text2 = MandantKopfzeile2;
    m.Merker1 = true;
    m.Merker2 = true;
    m.Text4 = "DM";
    m.Zahl1 = 28;
    return m;
}

buchungstyp BuchungVorgabe(int32_t satzart, int32_t heute) {
    buchungstyp b;
    b.Satzart = satzart;
    switch (satzart) {
        case SatzBuchung:
            b.Datum = heute;
            break;
        case SatzRgmBuchung:
            b.Datum = heute;
            b.Intervall = 1;
            break;
        case SatzVorlage:
            break;
        case SatzFilter:
            b.Datum = heute;
            b.DatumBis = heute;
            b.Intervall = 1;
            b.RubrikAuswahl = -1;
            break;
        default:
            break;
    }
    return b;
}

int32_t NaechsteBuchungsNr(const Datenbestand& d) { return std::max(BuchungsIndex(d).GroessteNr(), 0) + 1; }
int32_t NaechsteVorlagenNr(const Datenbestand& d) { return NaechsteNr(d.Vorlagen, 10000); }
int32_t NaechsteRgmNr(const Datenbestand& d) { return NaechsteNr(d.RgmBuchungen, 11000); }
int32_t NaechsteFilterNr(const Datenbestand& d) { return NaechsteNr(d.Filterliste, 12000); }
int32_t LetzteBuchung(const Datenbestand& d) { return static_cast<int32_t>(d.Buchungen.size()) - 1; }

std::string NeueKennung(const Datenbestand& d, Zufall& zufall) {
    // 80 × 1000 possible codes; the bound only keeps a broken random source from hanging the program.
    std::string kennung;
    for (int versuch = 0; versuch < 1'000'000; ++versuch) {
        const char zeichen = static_cast<char>(48 + zufall.Zahl(80));  // drawn first, then the number
        kennung = std::string(1, zeichen) + std::to_string(zufall.Zahl(1000));
        const bool vergeben = std::any_of(d.RgmBuchungen.begin(), d.RgmBuchungen.end(),
                                          [&](const buchungstyp& r) { return r.Kennung == kennung; });
        if (!vergeben) break;
    }
    return kennung;
}

buchungstyp NeuerSatz(const Datenbestand& d, int32_t satzart, const Uhr& uhr, Zufall& zufall) {
    buchungstyp b = BuchungVorgabe(satzart, uhr.Heute());
    switch (satzart) {
        case SatzBuchung:
            b.IdentNr = NaechsteBuchungsNr(d);
            break;
        case SatzRgmBuchung:
            b.IdentNr = NaechsteRgmNr(d);
            b.Kennung = NeueKennung(d, zufall);
            break;
        case SatzVorlage:
            b.IdentNr = NaechsteVorlagenNr(d);
            break;
        case SatzFilter:
            b.IdentNr = NaechsteFilterNr(d);
            break;
        default:
            break;
    }
    return b;
}

int32_t NeueDateiNr(const Uhr& uhr, Zufall& zufall) {
    const auto k = KalenderAus(uhr.Heute());
    // "ddmmyy" followed by the digits of 0…98, read as one decimal number (a leading zero of the
    // day is lost on the way, as it always was).
    const int64_t datum = int64_t{k.Tag} * 10000 + int64_t{k.Monat} * 100 + ((k.Jahr % 100) + 100) % 100;
    const int32_t zusatz = zufall.Zahl(99);
    const int64_t faktor = zusatz < 10 ? 10 : 100;
    return static_cast<int32_t>(datum * faktor + zusatz);
}

void NeuerDatenbestand(Datenbestand& d, const Uhr& uhr, Zufall& zufall) {
    d.Konten.clear();
    d.Textbausteine.clear();
    d.Buchungen.clear();
    BuchungenErneuert(d);
    d.RgmBuchungen.clear();
    d.Vorlagen.clear();
    d.Filterliste.clear();
    d.Zeitraeume.clear();
    d.Dateiname.clear();
    const int32_t dateiNr = NeueDateiNr(uhr, zufall);
    d.Mandant = MandantVorgabe(dateiNr);
    d.Druckereinstellung = druckereinstellungtyp{};
    d.Kopfsatz = BuchungVorgabe(SatzBuchung, uhr.Heute());
    d.Kopfsatz.IdentNr = 0;
    d.Kopfsatz.Kennung = std::to_string(dateiNr);
    d.Textbausteine = EingebauteTextbausteine();
    d.DateiOffen = false;
    d.Geaendert = false;
    d.Schreibschutz = false;
    d.LetzterIndex = 0;
    d.AktIndex = 1;
    d.AnzeigeIndex = -1;
}

// -------------------------------------------------------------------------------------------------
// Changes of the bookings

size_t BuchungenKapazitaet(size_t n) { return n + n / 8 + 64; }

void BuchungAnhaengen(Datenbestand& d, buchungstyp b) {
    BuchungsIndex(d);  // current before the change is added to it
    d.Buchungen.push_back(b);
    d.Index.Buchungen.Angehaengt(d.Buchungen);
}

void BuchungErsetzen(Datenbestand& d, size_t position, const buchungstyp& b) {
    BuchungsIndex(d);
    d.Buchungen.Ersetzen(position, b);
    d.Index.Buchungen.Ersetzt(d.Buchungen, position);
}

size_t BuchungenEntfernen(Datenbestand& d, std::vector<size_t> positionen) {
    BuchungsIndex(d);
    std::sort(positionen.begin(), positionen.end());
    positionen.erase(std::unique(positionen.begin(), positionen.end()), positionen.end());
    while (!positionen.empty() && positionen.back() >= d.Buchungen.size()) positionen.pop_back();
    if (positionen.empty()) return 0;
    d.Buchungen.Entfernen(positionen);
    // The index reads the leaving rows from its own columns.
    d.Index.Buchungen.Entfernt(d.Buchungen, positionen);
    return positionen.size();
}

void BuchungenErneuert(Datenbestand& d) {
    if (d.Buchungen.capacity() < BuchungenKapazitaet(d.Buchungen.size()))
        d.Buchungen.reserve(BuchungenKapazitaet(d.Buchungen.size()));
    d.Index.Buchungen.Aufbauen(d.Buchungen);
    d.Index.BuchungenGueltig = true;
}

const Buchungsindex& BuchungsIndex(const Datenbestand& d) {
    if (!d.Index.BuchungenGueltig || !d.Index.Buchungen.Beschreibt(d.Buchungen)) {
        d.Index.Buchungen.Aufbauen(d.Buchungen);
        d.Index.BuchungenGueltig = true;
    }
    return d.Index.Buchungen;
}

std::string Kuerzen(const std::string& text, size_t n) {
    size_t zeichen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (zeichen == n) return text.substr(0, i);
            ++zeichen;
        }
    }
    return text;
}

void KurztexteKuerzen(kontotyp& k) {
    if (k.Abk.size() > AbkLaenge) k.Abk = Kuerzen(k.Abk, AbkLaenge);
    if (k.Kurz1.size() > KurzLaenge) k.Kurz1 = Kuerzen(k.Kurz1, KurzLaenge);
    if (k.Kurz2.size() > KurzLaenge) k.Kurz2 = Kuerzen(k.Kurz2, KurzLaenge);
}

void KurztexteKuerzen(buchungstyp& b) {
    if (b.Betrag.size() > BetragLaenge) b.Betrag = Kuerzen(b.Betrag, BetragLaenge);
    if (b.BetragBis.size() > BetragLaenge) b.BetragBis = Kuerzen(b.BetragBis, BetragLaenge);
}

}  // namespace talerwerk
