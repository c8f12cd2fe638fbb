#include "store/demobuch.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "store/betrag.h"
#include "store/datum.h"
#include "store/kontostaende.h"

namespace talerwerk {

namespace {

// splitmix64: small, fast, and the same numbers on every platform and standard library (the
// distributions of <random> are not).
class Wuerfel {
public:
    explicit Wuerfel(uint64_t saat) : zustand_(saat) {}

    uint64_t Naechste() {
        uint64_t z = (zustand_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 … n−1 for n ≥ 1.
    uint32_t Zahl(uint32_t n) { return static_cast<uint32_t>(((Naechste() >> 32) * n) >> 32); }
    int64_t Zwischen(int64_t von, int64_t bis) {
        return von + static_cast<int64_t>(Zahl(static_cast<uint32_t>(bis - von + 1)));
    }
    bool Prozent(uint32_t p) { return Zahl(100) < p; }

private:
    uint64_t zustand_;
};

// A whole euro amount in cents with a plausible cent part.
Cent Euro(Wuerfel& w, int64_t von, int64_t bis) { return w.Zwischen(von * 100, bis * 100); }

// The chart's entries the generator books on.
enum Eintrag {
    Gehalt, Kindergeld, Zinsen, SonstigeEinnahmen,
    Wohnen, Miete, Nebenkosten, Strom, Telefon,
    Lebensmittel,
    Auto, Tanken, KfzVersicherung, Werkstatt, KfzSteuer,
    Freizeit, Restaurant, Urlaub,
    Gesundheit, Apotheke, Arzt,
    Versicherungen, Haftpflicht, Hausrat,
    Kleidung, SonstigeAusgaben,
    Girokonto, Kasse, Sparbuch, Tagesgeld,
    AnzahlEintraege
};

struct EintragDef {
    Eintrag Id;
    int32_t Art;
    Eintrag Ober;  // the parent category, or AnzahlEintraege for a top-level entry
    const char* Name;
    const char* Abk;
};

// Tree order: each category directly followed by its sub-categories, income before expenses
// before accounts.
constexpr EintragDef kPlan[] = {
    {Gehalt, ArtEinnahme, AnzahlEintraege, "Gehalt", "GEH"},
    {Kindergeld, ArtEinnahme, AnzahlEintraege, "Kindergeld", "KIG"},
    {Zinsen, ArtEinnahme, AnzahlEintraege, "Zinsen", "ZIN"},
    {SonstigeEinnahmen, ArtEinnahme, AnzahlEintraege, "Sonstige Einnahmen", "SEI"},
    {Wohnen, ArtAusgabe, AnzahlEintraege, "Wohnen", "WOH"},
    {Miete, ArtAusgabe, Wohnen, "Miete", "MIE"},
    {Nebenkosten, ArtAusgabe, Wohnen, "Nebenkosten", "NK"},
    {Strom, ArtAusgabe, Wohnen, "Strom", "STR"},
    {Telefon, ArtAusgabe, Wohnen, "Telefon und Internet", "TEL"},
    {Lebensmittel, ArtAusgabe, AnzahlEintraege, "Lebensmittel", "LM"},
    {Auto, ArtAusgabe, AnzahlEintraege, "Auto", "AUT"},
    {Tanken, ArtAusgabe, Auto, "Tanken", "TAN"},
    {KfzVersicherung, ArtAusgabe, Auto, "Kfz-Versicherung", "KFZV"},
    {Werkstatt, ArtAusgabe, Auto, "Werkstatt", "WER"},
    {KfzSteuer, ArtAusgabe, Auto, "Kfz-Steuer", "KFZS"},
    {Freizeit, ArtAusgabe, AnzahlEintraege, "Freizeit", "FRZ"},
    {Restaurant, ArtAusgabe, Freizeit, "Restaurant und Café", "RES"},
    {Urlaub, ArtAusgabe, Freizeit, "Urlaub", "URL"},
    {Gesundheit, ArtAusgabe, AnzahlEintraege, "Gesundheit", "GES"},
    {Apotheke, ArtAusgabe, Gesundheit, "Apotheke", "APO"},
    {Arzt, ArtAusgabe, Gesundheit, "Arzt und Zahnarzt", "ARZ"},
    {Versicherungen, ArtAusgabe, AnzahlEintraege, "Versicherungen", "VER"},
    {Haftpflicht, ArtAusgabe, Versicherungen, "Haftpflicht", "HAF"},
    {Hausrat, ArtAusgabe, Versicherungen, "Hausrat", "HAU"},
    {Kleidung, ArtAusgabe, AnzahlEintraege, "Kleidung", "KLE"},
    {SonstigeAusgaben, ArtAusgabe, AnzahlEintraege, "Sonstige Ausgaben", "SAU"},
    {Girokonto, ArtBestandskonto, AnzahlEintraege, "Girokonto", "GIRO"},
    {Kasse, ArtBestandskonto, AnzahlEintraege, "Haushaltskasse", "BAR"},
    {Sparbuch, ArtSparkonto, AnzahlEintraege, "Sparbuch", "SPB"},
    {Tagesgeld, ArtSparkonto, AnzahlEintraege, "Tagesgeld", "TGD"},
};
static_assert(std::size(kPlan) == AnzahlEintraege);

// A recurring booking of the household and the bookings it leaves behind.
struct Dauerauftrag {
    const char* Bezeichnung;
    int32_t BArt;
    Eintrag Konto1;
    Eintrag Konto2;
    Cent Betrag;
    int32_t Tag;        // anchor day of the month
    int32_t Intervall;  // 1, 3 or 12 months
    int32_t ErsterMonat;  // for quarterly and yearly ones: the first month of the year they fall in
    const char* Text;
    const char* Bemerkung;
};

constexpr Dauerauftrag kDauerauftraege[] = {
    {"Miete", BArtAusgabe, Girokonto, Miete, 89000, 1, 1, 1, "Miete #M #J", "Dauerauftrag"},
    {"Sparrate Tagesgeld", BArtUmbuchung, Girokonto, Tagesgeld, 15000, 2, 1, 1, "Sparrate #M", ""},
    {"Telefon und Internet", BArtAusgabe, Girokonto, Telefon, 3999, 5, 1, 1, "Telefon/Internet #M", "Lastschrift"},
    {"Kindergeld", BArtEinnahme, Girokonto, Kindergeld, 25000, 10, 1, 1, "Kindergeld #M #J", ""},
    {"Strom-Abschlag", BArtAusgabe, Girokonto, Strom, 8500, 15, 1, 1, "Strom Abschlag #M", "Lastschrift"},
    {"Gehalt", BArtEinnahme, Girokonto, Gehalt, 318000, 28, 1, 1, "Gehalt #M #J", ""},
    {"Nebenkosten", BArtAusgabe, Girokonto, Nebenkosten, 24000, 3, 3, 1, "Nebenkosten-Vorauszahlung", ""},
    {"Kfz-Versicherung", BArtAusgabe, Girokonto, KfzVersicherung, 48650, 1, 12, 1, "Kfz-Versicherung #J", ""},
    {"Kfz-Steuer", BArtAusgabe, Girokonto, KfzSteuer, 14800, 20, 12, 6, "Kfz-Steuer #J", ""},
    {"Haftpflicht", BArtAusgabe, Girokonto, Haftpflicht, 6490, 1, 12, 3, "Privathaftpflicht #J", ""},
    {"Hausrat", BArtAusgabe, Girokonto, Hausrat, 9870, 1, 12, 9, "Hausratversicherung #J", ""},
};
constexpr size_t kAnzahlDauerauftraege = std::size(kDauerauftraege);

// Everyday spending, drawn at random days.
struct Alltag {
    int32_t BArt;
    Eintrag Rubrik;
    int64_t VonEuro, BisEuro;
    uint32_t Gewicht;
    bool Bar;  // usually paid in cash
    std::array<const char*, 4> Texte;
};

constexpr Alltag kAlltag[] = {
    {BArtAusgabe, Lebensmittel, 4, 120, 46, true,
     {"Einkauf Supermarkt", "Bäckerei Müller", "Wochenmarkt", "Getränkemarkt"}},
    {BArtAusgabe, Tanken, 35, 85, 8, false, {"Tanken", "Tankstelle", "Tanken", "Tankstelle Süd"}},
    {BArtAusgabe, Restaurant, 9, 75, 7, true, {"Pizzeria", "Eiscafé", "Restaurant", "Café am Markt"}},
    {BArtAusgabe, Freizeit, 6, 45, 5, true, {"Kino", "Schwimmbad", "Zoo", "Bücherei"}},
    {BArtAusgabe, Apotheke, 3, 40, 4, true, {"Apotheke", "Apotheke", "Apotheke am Rathaus", "Apotheke"}},
    {BArtAusgabe, Arzt, 10, 180, 1, false, {"Zahnarzt Zuzahlung", "Brille", "Physiotherapie", "Arzt"}},
    {BArtAusgabe, Kleidung, 15, 150, 5, false, {"Kleidung", "Schuhe", "Kinderkleidung", "Jacke"}},
    {BArtAusgabe, Werkstatt, 60, 650, 1, false,
     {"Werkstatt Inspektion", "Reifenwechsel", "TÜV", "Ölwechsel"}},
    {BArtAusgabe, Urlaub, 150, 1500, 1, false, {"Urlaub Ostsee", "Ferienwohnung", "Bahnfahrt", "Urlaub"}},
    {BArtAusgabe, SonstigeAusgaben, 2, 60, 5, true, {"Geschenk", "Schreibwaren", "Porto", "Friseur"}},
    {BArtEinnahme, SonstigeEinnahmen, 5, 90, 2, true,
     {"Flohmarkt", "Erstattung", "Verkauf Kinderwagen", "Rückzahlung"}},
};
constexpr uint32_t kGewichtSumme = [] {
    uint32_t s = 0;
    for (const Alltag& a : kAlltag) s += a.Gewicht;
    return s;
}();

// About this many everyday bookings a month make the amounts above realistic; a book with more
// bookings a month gets smaller ones, so the accounts stay in a sensible range.
constexpr int64_t kAlltagProMonat = 34;

const char* const kStornoGruende[] = {"Fehlbuchung", "doppelt erfasst", "Betrag falsch"};

std::string TTMMJJ(int32_t tag) {
    Kalendertag k = KalenderAus(tag);
    char puffer[8];
    puffer[0] = static_cast<char>('0' + k.Tag / 10);
    puffer[1] = static_cast<char>('0' + k.Tag % 10);
    puffer[2] = static_cast<char>('0' + k.Monat / 10);
    puffer[3] = static_cast<char>('0' + k.Monat % 10);
    puffer[4] = static_cast<char>('0' + (k.Jahr % 100) / 10);
    puffer[5] = static_cast<char>('0' + k.Jahr % 10);
    return std::string(puffer, 6);
}

// The text a recurring booking's execution gives: "#M" the month name, "#J" the year.
std::string TextAusfuellen(std::string text, int32_t tag) {
    Kalendertag k = KalenderAus(tag);
    if (size_t p = text.find("#M"); p != std::string::npos) text.replace(p, 2, MonatsName(k.Monat));
    if (size_t p = text.find("#J"); p != std::string::npos) text.replace(p, 2, std::to_string(k.Jahr));
    return text;
}

bool FaelligImMonat(const Dauerauftrag& a, int32_t monat) {
    if (a.Intervall <= 1) return true;
    return ((monat - a.ErsterMonat) % a.Intervall + a.Intervall) % a.Intervall == 0;
}

class Erzeuger {
public:
    Erzeuger(Datenbestand& d, int64_t anzahl, uint64_t saat, int32_t bisTag)
        : d_(d), w_(saat ^ 0x5441'4C45'5257'4552ULL), anzahl_(std::max<int64_t>(anzahl, 0)) {
        // The data file's dates reach from 1980 to 2079.
        const int32_t erster = *TagesNummer(1, 1, 1980);
        const int32_t letzter = *TagesNummer(31, 12, 2079);
        bis_ = std::clamp(bisTag, erster, letzter);
        Kalendertag e = KalenderAus(bis_);
        endJahr_ = e.Jahr;
        endMonat_ = e.Monat;
        endTag_ = e.Tag;
        // About forty bookings a month, at least one month, at most back to January 1980.
        const int64_t moeglich = (endJahr_ - 1980) * 12 + endMonat_;
        monate_ = std::clamp<int64_t>((anzahl_ + 39) / 40, 1, moeglich);
        const int64_t start = (endJahr_ * 12 + endMonat_ - 1) - (monate_ - 1);
        startJahr_ = static_cast<int32_t>(start / 12);
        startMonat_ = static_cast<int32_t>(start % 12) + 1;
    }

    void Los() {
        Mandant();
        Plan();
        Textbausteine();
        Vorlagen();
        Dauerauftraege();
        Filter();
        Buchungen();
        d_.LetzterIndex = LetzteBuchung(d_);
        d_.AktIndex = d_.LetzterIndex + 1;
        StaendeBerechnen(d_);
    }

private:
    int32_t Nr(Eintrag e) const { return nr_[e]; }

    void Mandant() {
        // The file number as the program forms it: the date as "ddmmyy", then a number 0…98.
        std::string dateiNr = TTMMJJ(bis_) + std::to_string(w_.Zahl(99));
        d_.Mandant = MandantVorgabe(std::stoi(dateiNr));
        d_.Mandant.Name = "Familie Schröder";
        d_.Mandant.Abk = "Schröder";
        d_.Mandant.Text3 = "Lindenstraße 12, 34117 Kassel";
        d_.Mandant.Text4 = "EUR";
        d_.Druckereinstellung = druckereinstellungtyp{};
        d_.Kopfsatz = BuchungVorgabe(SatzBuchung, bis_);
        d_.Kopfsatz.IdentNr = 0;
        d_.Kopfsatz.Kennung = std::to_string(d_.Mandant.OberNr);
    }

    void Plan() {
        // New chart entries get random numbers −1…−4999, as the chart dialog gives them.
        std::vector<bool> vergeben(5000, false);
        d_.Konten.reserve(AnzahlEintraege);
        for (const EintragDef& def : kPlan) {
            int32_t n;
            do n = 1 + static_cast<int32_t>(w_.Zahl(4999)); while (vergeben[n]);
            vergeben[n] = true;
            nr_[def.Id] = -n;
            kontotyp k;
            k.Nr = -n;
            k.Art = def.Art;
            k.OberNr = def.Ober == AnzahlEintraege ? 0 : nr_[def.Ober];
            k.Name = def.Name;
            k.Abk = def.Abk;
            switch (def.Id) {
                case Girokonto:
                    k.Kurz1 = "52050353";
                    k.Text1 = "0012345678";
                    k.Text2 = "Kasseler Sparkasse";
                    k.Text3 = "Jürgen und Anna Schröder";
                    k.AnfStand = 245075;
                    break;
                case Kasse:
                    k.AnfStand = 15000;
                    break;
                case Sparbuch:
                    k.Kurz1 = "52050353";
                    k.Text1 = "3300456789";
                    k.Text2 = "Kasseler Sparkasse";
                    k.Text3 = "Lena Schröder";
                    k.AnfStand = 120000;
                    break;
                case Tagesgeld:
                    k.Kurz1 = "50010517";
                    k.Text1 = "5544332211";
                    k.Text2 = "Direktbank";
                    k.Text3 = "Jürgen Schröder";
                    k.AnfStand = 800000;
                    break;
                default:
                    break;
            }
            stand_[def.Id] = k.AnfStand;
            d_.Konten.push_back(std::move(k));
        }
    }

    void Textbausteine() {
        d_.Textbausteine = EingebauteTextbausteine();
        // No abbreviation occurs in another snippet's text or in a template's text (only the
        // built-ins #M and #J, on purpose), so every text expands as it reads.
        const std::pair<const char*, const char*> eigene[] = {
            {"ek", "Einkauf Supermarkt"},
            {"tk", "Tanken"},
            {"mi", "Miete #M #J"},
            {"bä", "Bäckerei Müller"},
            {"ga", "Geldautomat"},
        };
        std::vector<bool> vergeben(1970, false);
        for (auto [abk, text] : eigene) {
            int32_t nr;
            do nr = 20 + static_cast<int32_t>(w_.Zahl(1950)); while (vergeben[nr]);
            vergeben[nr] = true;
            d_.Textbausteine.push_back(TextbausteinSatz(nr, abk, text));
        }
    }

    void Vorlagen() {
        struct V {
            const char* Name;
            int32_t BArt;
            Eintrag K1, K2;
            const char* Betrag;
            const char* Text;
        };
        const V vorlagen[] = {
            {"Einkauf bar", BArtAusgabe, Kasse, Lebensmittel, "0,00", "Einkauf Supermarkt"},
            {"Tanken", BArtAusgabe, Girokonto, Tanken, "0,00", "Tanken"},
            {"Geldautomat", BArtUmbuchung, Girokonto, Kasse, "200,00", "Geldautomat"},
            {"Sparbuch einzahlen", BArtUmbuchung, Kasse, Sparbuch, "50,00", "Einzahlung Sparbuch"},
        };
        int32_t nr = 10000;
        for (const V& v : vorlagen) {
            buchungstyp b = BuchungVorgabe(SatzVorlage, bis_);
            b.IdentNr = ++nr;
            b.Bezeichnung = v.Name;
            b.BArt = v.BArt;
            b.Konto1 = Nr(v.K1);
            b.Konto2 = Nr(v.K2);
            b.Betrag = v.Betrag;
            b.Text = v.Text;
            d_.Vorlagen.push_back(std::move(b));
        }
    }

    void Dauerauftraege() {
        int32_t nr = 11000;
        for (size_t i = 0; i < kAnzahlDauerauftraege; ++i) {
            const Dauerauftrag& a = kDauerauftraege[i];
            buchungstyp b = BuchungVorgabe(SatzRgmBuchung, bis_);
            b.IdentNr = ++nr;
            b.Bezeichnung = a.Bezeichnung;
            // First due in the first month of the book in which it falls.
            int32_t jahr = startJahr_, monat = startMonat_;
            while (!FaelligImMonat(a, monat)) {
                if (++monat > 12) {
                    monat = 1;
                    ++jahr;
                }
            }
            b.Datum = *TagesNummer(std::min(a.Tag, MonatsLaenge(monat, jahr)), monat, jahr);
            b.BArt = a.BArt;
            b.Intervall = a.Intervall;
            for (int32_t m = 1; m <= 12; ++m) b.Monate[m - 1] = FaelligImMonat(a, m);
            // One character 48…127 and a number 0…999, unique among the recurring bookings.
            std::string kennung;
            bool doppelt;
            do {
                kennung = std::string(1, static_cast<char>(48 + w_.Zahl(80))) + std::to_string(w_.Zahl(1000));
                doppelt = std::any_of(d_.RgmBuchungen.begin(), d_.RgmBuchungen.end(),
                                      [&](const buchungstyp& r) { return r.Kennung == kennung; });
            } while (doppelt);
            b.Kennung = kennung;
            b.Bemerkung = a.Bemerkung;
            b.Betrag = CentText(a.Betrag);
            b.Konto1 = Nr(a.Konto1);
            b.Konto2 = Nr(a.Konto2);
            b.Text = a.Text;
            d_.RgmBuchungen.push_back(std::move(b));
        }
    }

    void Filter() {
        int32_t nr = 12000;
        auto neu = [&](const char* name) {
            buchungstyp f = BuchungVorgabe(SatzFilter, bis_);
            f.IdentNr = ++nr;
            f.Bezeichnung = name;
            f.Datum = 0;
            f.DatumBis = 0;
            return f;
        };
        {
            buchungstyp f = neu("Lebensmittel aktuelles Jahr");
            f.Zeitraum = 1;
            f.RubrikAuswahl = 4;  // free choice, no transfers
            f.Auswahl = {std::to_string(Nr(Lebensmittel))};
            d_.Filterliste.push_back(std::move(f));
        }
        {
            buchungstyp f = neu("Auto vom Girokonto");
            f.KontoAuswahl = 3;
            f.RubrikAuswahl = 4;
            f.Auswahl = {std::to_string(Nr(Girokonto)), std::to_string(Nr(Auto)),
                         std::to_string(Nr(Tanken)), std::to_string(Nr(KfzVersicherung)),
                         std::to_string(Nr(Werkstatt)), std::to_string(Nr(KfzSteuer))};
            d_.Filterliste.push_back(std::move(f));
        }
        {
            buchungstyp f = neu("Große Ausgaben Vorjahr");
            f.Zeitraum = 3;
            f.Datum = *TagesNummer(1, 1, std::max(1980, endJahr_ - 1));
            f.RubrikAuswahl = 3;  // expense categories
            f.Betrag = "250,00";
            d_.Filterliste.push_back(std::move(f));
        }
        {
            buchungstyp f = neu("Stornierte Buchungen");
            f.StornoAuswahl = 1;
            d_.Filterliste.push_back(std::move(f));
        }
        {
            buchungstyp f = neu("Gehalt");
            f.Zeitraum = 5;
            f.Datum = *TagesNummer(1, startMonat_, startJahr_);
            f.DatumBis = bis_;
            f.RubrikAuswahl = 4;
            f.Text = "Gehalt*";
            f.StornoAuswahl = 2;
            f.Auswahl = {std::to_string(Nr(Gehalt))};
            d_.Filterliste.push_back(std::move(f));
        }
    }

    // The booking made last is completed by its caller and stored with the next one (or by
    // Abschliessen): the store takes whole records.
    buchungstyp& Neu(int32_t tag, int32_t bart, Eintrag k1, Eintrag k2, Cent betrag, std::string text) {
        Abschliessen();
        buchungstyp& b = neu_;
        b = buchungstyp{};
        offen_ = true;
        b.IdentNr = static_cast<int32_t>(d_.Buchungen.size()) + 1;
        b.Datum = tag;
        b.BArt = bart;
        b.Konto1 = Nr(k1);
        b.Konto2 = Nr(k2);
        b.Betrag = CentText(betrag);
        b.Text = std::move(text);
        return b;
    }

    void Abschliessen() {
        if (offen_) d_.Buchungen.push_back(neu_);
        offen_ = false;
    }

    void Wirkung(int32_t bart, Eintrag k1, Eintrag k2, Cent betrag) {
        if (bart == BArtEinnahme) stand_[k1] += betrag;
        if (bart == BArtAusgabe) stand_[k1] -= betrag;
        if (bart == BArtUmbuchung) {
            stand_[k1] -= betrag;
            stand_[k2] += betrag;
        }
    }

    void Buchungen() {
        d_.Buchungen.reserve(static_cast<size_t>(anzahl_));
        int64_t erledigt = 0;
        std::vector<int32_t> proTag;
        for (int64_t i = 0; i < monate_; ++i) {
            const int64_t mIndex = static_cast<int64_t>(startJahr_) * 12 + (startMonat_ - 1) + i;
            const int32_t jahr = static_cast<int32_t>(mIndex / 12);
            const int32_t monat = static_cast<int32_t>(mIndex % 12) + 1;
            const bool letzter = i == monate_ - 1;
            const int32_t tage = letzter ? endTag_ : MonatsLaenge(monat, jahr);
            // This month's share of the bookings, spread evenly over the months.
            const int64_t ziel = anzahl_ * (i + 1) / monate_;
            int64_t frei = ziel - erledigt;

            // Recurring bookings due this month (up to the end day) come first out of the share.
            std::array<bool, kAnzahlDauerauftraege> faellig{};
            int64_t dauer = 0;
            for (size_t a = 0; a < kAnzahlDauerauftraege; ++a) {
                const Dauerauftrag& da = kDauerauftraege[a];
                if (FaelligImMonat(da, monat) && std::min(da.Tag, MonatsLaenge(monat, jahr)) <= tage &&
                    dauer < frei) {
                    faellig[a] = true;
                    ++dauer;
                }
            }
            const bool zinsen = monat == 12 && tage == 31;
            int64_t zinsBuchungen = zinsen ? std::min<int64_t>(2, frei - dauer) : 0;
            const int64_t alltag = frei - dauer - zinsBuchungen;

            proTag.assign(static_cast<size_t>(tage) + 1, 0);
            for (int64_t k = 0; k < alltag; ++k) ++proTag[1 + w_.Zahl(static_cast<uint32_t>(tage))];
            // Amounts shrink when a month holds far more everyday bookings than a household has.
            const int64_t teiler = std::max<int64_t>(alltag, kAlltagProMonat);

            for (int32_t tag = 1; tag <= tage; ++tag) {
                const int32_t datum = *TagesNummer(tag, monat, jahr);
                for (size_t a = 0; a < kAnzahlDauerauftraege; ++a) {
                    const Dauerauftrag& da = kDauerauftraege[a];
                    if (!faellig[a] || std::min(da.Tag, MonatsLaenge(monat, jahr)) != tag) continue;
                    buchungstyp& b = Neu(datum, da.BArt, da.Konto1, da.Konto2, da.Betrag,
                                         TextAusfuellen(da.Text, datum));
                    b.Bezeichnung = da.Bezeichnung;
                    b.Bemerkung = da.Bemerkung;
                    b.Kennung = d_.RgmBuchungen[a].Kennung + TTMMJJ(datum);
                    Wirkung(da.BArt, da.Konto1, da.Konto2, da.Betrag);
                }
                for (int32_t k = 0; k < proTag[static_cast<size_t>(tag)]; ++k) Alltagsbuchung(datum, teiler);
                if (tag == 31 && zinsBuchungen > 0) {
                    // Year-end interest on the savings accounts.
                    const Eintrag konten[] = {Tagesgeld, Sparbuch};
                    const int64_t promille[] = {12, 5};
                    for (int z = 0; z < zinsBuchungen; ++z) {
                        const Cent zins = std::max<Cent>(1, stand_[konten[z]] * promille[z] / 1000);
                        buchungstyp& b = Neu(datum, BArtEinnahme, konten[z], Zinsen, zins,
                                             "Zinsen " + std::to_string(jahr));
                        b.Bemerkung = "Zinsgutschrift";
                        Wirkung(BArtEinnahme, konten[z], Zinsen, zins);
                    }
                }
            }
            Abschliessen();
            erledigt = static_cast<int64_t>(d_.Buchungen.size());
        }
    }

    void Alltagsbuchung(int32_t datum, int64_t teiler) {
        const Cent skalieren = kAlltagProMonat;
        // Cash runs low: a withdrawal from the current account.
        if (stand_[Kasse] < 8000 * skalieren / teiler) {
            const Cent betrag = std::max<Cent>(100, 20000 * skalieren / teiler / 100 * 100);
            Neu(datum, BArtUmbuchung, Girokonto, Kasse, betrag, "Geldautomat");
            Wirkung(BArtUmbuchung, Girokonto, Kasse, betrag);
            return;
        }
        uint32_t wahl = w_.Zahl(kGewichtSumme);
        const Alltag* art = &kAlltag[0];
        for (const Alltag& a : kAlltag) {
            if (wahl < a.Gewicht) {
                art = &a;
                break;
            }
            wahl -= a.Gewicht;
        }
        const Cent betrag = std::max<Cent>(1, Euro(w_, art->VonEuro, art->BisEuro) * skalieren / teiler);
        const Eintrag konto =
            art->Bar && stand_[Kasse] >= betrag && w_.Prozent(85) ? Kasse : Girokonto;
        buchungstyp& b = Neu(datum, art->BArt, konto, art->Rubrik, betrag, art->Texte[w_.Zahl(4)]);
        if (art->Rubrik == Werkstatt || art->Rubrik == Arzt)
            b.Belegnr = "R" + std::to_string(100000 + w_.Zahl(900000));
        if (w_.Prozent(2)) {
            b.Storniert = true;
            b.Bemerkung = kStornoGruende[w_.Zahl(3)];
        } else {
            Wirkung(art->BArt, konto, art->Rubrik, betrag);
        }
    }

    Datenbestand& d_;
    buchungstyp neu_;
    bool offen_ = false;
    Wuerfel w_;
    int64_t anzahl_;
    int32_t bis_ = 0;
    int32_t endJahr_ = 0, endMonat_ = 0, endTag_ = 0;
    int32_t startJahr_ = 0, startMonat_ = 0;
    int64_t monate_ = 1;
    std::array<int32_t, AnzahlEintraege> nr_{};
    std::array<Cent, AnzahlEintraege> stand_{};
};

}  // namespace

Datenbestand DemoBuch(int64_t buchungen, uint64_t saat, int32_t bisTag) {
    Datenbestand d;
    Erzeuger(d, buchungen, saat, bisTag).Los();
    d.DateiOffen = true;
    d.Geaendert = true;
    return d;
}

}  // namespace talerwerk
