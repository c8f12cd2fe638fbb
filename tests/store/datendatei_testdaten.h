#pragma once
// Stores for the data-file tests: a small one that sets every field of every record kind to a
// value other than its default (umlauts, the euro sign, the five bytes Windows-1252 leaves
// undefined, texts longer than 255 bytes, integers of every width, amounts of every sign), and a
// generated one of any size.

#include <cstdint>
#include <random>
#include <string>

#include "store/datenbestand.h"
#include "store/datum.h"

namespace talerwerk::test {

inline int32_t Tag(int32_t t, int32_t m, int32_t j) { return TagesNummer(t, m, j).value(); }

// The five code points of the bytes Windows-1252 leaves undefined, as UTF-8.
inline const std::string UndefinierteZeichen = "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D";

inline kontotyp Konto(int32_t nr, int32_t art, int32_t oberNr, const std::string& name, const std::string& abk,
                      Cent anfStand, Cent stand) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.OberNr = oberNr;
    k.Name = name;
    k.Abk = abk;
    k.AnfStand = anfStand;
    k.Stand = stand;
    return k;
}

inline Datenbestand ReicherBestand() {
    Datenbestand d;

    kontotyp& m = d.Mandant;
    m.Nr = 0;
    m.Art = ArtMandant;
    m.OberNr = 712269;
    m.Stand = 0;
    m.AnfStand = 0;
    m.Name = "Familie Müller-Lüdenscheidt";
    m.Abk = "FaMü";
    m.Text1 = "Talerwerk";
    m.Text2 = "Haushaltsbuch";
    m.Text3 = "Große Straße 5 – 12345 Köln";
    m.Merker1 = true;
    m.Merker2 = false;
    m.Text4 = "€";
    m.Zahl1 = 28;
    m.Datum = Tag(7, 12, 2026);
    m.Text5 = "Rest";
    m.Zahl2 = -129;

    druckereinstellungtyp& p = d.Druckereinstellung;
    p.Schriftart = "Times New Roman";
    p.Schriftgroesse = 10;
    p.Schriftfarbe = 0x123456;
    p.Schriftstil = {true, false, true, false};
    p.RandOben = 11;
    p.RandUnten = 12;
    p.RandLinks = 13;
    p.RandRechts = 14;
    p.Ausrichtung = 1;
    p.Exemplare = 3;
    p.Mandantendaten = true;
    p.Seitenzahl = false;
    p.DatumDruck = true;
    p.Trennlinien = false;
    p.FarbigerBetrag = false;
    p.Tabellenrahmen = true;
    p.NullwerteAusblenden = false;
    p.DruckReserve = true;

    d.Konten.push_back(Konto(-1, ArtEinnahme, 0, "Einkünfte", "Eink", 0, 0));
    d.Konten.push_back(Konto(-2, ArtEinnahme, -1, "Gehalt", "Geh", 0, 0));
    d.Konten.push_back(Konto(-3, ArtAusgabe, 0, "Lebensmittel & Getränke", "Lebm", 0, 0));
    kontotyp giro = Konto(-4, ArtBestandskonto, 0, "Girokonto", "Giro", 123456, -3000);
    giro.Kurz1 = "37050198";
    giro.Text1 = "DE02 3705 0198 0000 1234 56";
    giro.Text2 = "Sparkasse Köln/Bonn";
    giro.Text3 = "Jürgen Müller";
    giro.Text4 = "x";
    giro.Text5 = "y";
    giro.Zahl1 = 40000;
    giro.Zahl2 = -32768;
    giro.Datum = Tag(1, 1, 1980);
    giro.Merker1 = true;
    giro.Merker2 = true;
    d.Konten.push_back(giro);
    d.Konten.push_back(Konto(-4999, ArtSparkonto, 0, "Sparbuch " + UndefinierteZeichen, "Spar€", -1, 99999999999));
    d.Konten.push_back(Konto(-5, ArtBestandskonto, 0, "Bargeld", "Bar", 10, 1));

    auto Baustein = [](int32_t nr, const std::string& abk, const std::string& text) {
        kontotyp k;
        k.Nr = nr;
        k.Art = ArtTextbaustein;
        k.Abk = abk;
        k.Text1 = text;
        return k;
    };
    d.Textbausteine.push_back(Baustein(10, "#D", "[aktuelles Datum]"));
    d.Textbausteine.push_back(Baustein(11, "#M", "[aktueller Monat]"));
    d.Textbausteine.push_back(Baustein(12, "#J", "[aktuelles Jahr]"));
    std::string lang;
    for (int i = 0; i < 40; ++i) lang += "Überweisung Nr. " + std::to_string(i) + " €; ";
    d.Textbausteine.push_back(Baustein(1969, "tbs1", lang));

    buchungstyp& kopf = d.Kopfsatz;
    kopf.IdentNr = 0;
    kopf.Satzart = SatzBuchung;
    kopf.Datum = Tag(7, 12, 2026);
    kopf.Kennung = "712269";

    buchungstyp b;
    b.IdentNr = 1;
    b.Satzart = SatzBuchung;
    b.Datum = Tag(2, 1, 2026);
    b.BArt = BArtEinnahme;
    b.Belegnr = "K-001";
    b.Betrag = "2500,00";
    b.Konto1 = -4;
    b.Konto2 = -2;
    b.Text = "Gehalt Januar";
    d.Buchungen.push_back(b);

    b = buchungstyp{};
    b.IdentNr = 2;
    b.Satzart = SatzBuchung;
    b.Datum = Tag(29, 2, 2024);
    b.BArt = BArtAusgabe;
    b.Betrag = "-30,00";
    b.Konto1 = -4;
    b.Konto2 = -3;
    b.Text = "Bäckerei Größe € " + UndefinierteZeichen;
    b.Bemerkung = "Bemerkung mit „Anführungszeichen“ und … und ‰";
    b.Storniert = true;
    b.Bezeichnung = "Brötchen";
    b.Kennung = "A123311225";
    d.Buchungen.push_back(b);

    b = buchungstyp{};
    b.IdentNr = 40000;
    b.IdentNrVon = 127;
    b.IdentNrBis = 128;
    b.Satzart = SatzBuchung;
    b.Datum = Tag(31, 12, 2079);
    b.DatumBis = Tag(1, 1, 1980);
    b.BArt = BArtUmbuchung;
    b.Monate = {true, false, true, false, true, false, true, false, true, false, true, true};
    b.Intervall = 6;
    b.Betrag = "99999999,99";
    b.BetragBis = "-9999999,99";
    b.Konto1 = -4;
    b.Konto2 = -4999;
    b.Text = lang;  // a text of more than 255 bytes
    b.Belegnr = "B1";
    b.BelegnrBis = "B2";
    b.Zeitraum = 5;
    b.KontoAuswahl = 5000;
    b.RubrikAuswahl = -3;
    b.StornoAuswahl = 2;
    b.Reserve = "reserviert";
    b.ReserveNr = -2147483647 - 1;
    d.Buchungen.push_back(b);

    b = buchungstyp{};
    b.IdentNr = 11001;
    b.Satzart = SatzRgmBuchung;
    b.Bezeichnung = "Miete";
    b.Datum = Tag(1, 3, 2025);
    b.BArt = BArtAusgabe;
    b.Monate.fill(true);
    b.Intervall = 1;
    b.Kennung = "~999";
    b.Betrag = "850,00";
    b.Konto1 = -4;
    b.Konto2 = -3;
    b.Text = "Miete Wohnung";
    d.RgmBuchungen.push_back(b);
    b.IdentNr = 11002;
    b.Bezeichnung = "Versicherung";
    b.Monate = {};
    b.Monate[5] = true;
    b.Intervall = 12;
    b.Kennung = "0";
    d.RgmBuchungen.push_back(b);

    b = buchungstyp{};
    b.IdentNr = 10001;
    b.Satzart = SatzVorlage;
    b.Bezeichnung = "Tanken";
    b.BArt = BArtAusgabe;
    b.Betrag = "0,00";
    b.Konto1 = -5;
    b.Konto2 = -3;
    b.Text = "Tankstelle";
    d.Vorlagen.push_back(b);

    b = buchungstyp{};
    b.IdentNr = 12001;
    b.Satzart = SatzFilter;
    b.Bezeichnung = "Alles vom Girokonto";
    b.Datum = Tag(1, 1, 2026);
    b.DatumBis = Tag(31, 12, 2026);
    b.Intervall = 1;
    b.RubrikAuswahl = -1;
    b.Auswahl = {"-4", "-3", "5000"};
    b.Betrag = "-100,00";
    b.BetragBis = "999999,99";
    b.Belegnr = "A";
    b.BelegnrBis = "Z";
    d.Filterliste.push_back(b);
    b.IdentNr = 12002;
    b.Auswahl = {};
    b.Bezeichnung = "Leer";
    d.Filterliste.push_back(b);
    b.IdentNr = 12003;
    b.Auswahl = {"Ä", "", "€" + UndefinierteZeichen};
    d.Filterliste.push_back(b);
    return d;
}

// A plausible book of n bookings over the years 2015…2026, the same for the same seed.
inline Datenbestand ErzeugterBestand(int n, uint64_t saat = 42) {
    Datenbestand d = ReicherBestand();
    d.Buchungen.clear();
    std::mt19937_64 zufall(saat);
    auto Zahl = [&](int grenze) { return static_cast<int>(zufall() % static_cast<uint64_t>(grenze)); };
    static const char* const texte[] = {"Supermarkt", "Bäckerei Schäfer", "Gehalt", "Miete", "Strom", "Tanken",
                                        "Apotheke", "Überweisung an Jürgen", "Café Süß", "Kino"};
    const int32_t anfang = Tag(1, 1, 2015);
    const int32_t spanne = Tag(31, 12, 2026) - anfang;
    d.Buchungen.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        buchungstyp b;
        b.IdentNr = i + 1;
        b.Satzart = SatzBuchung;
        b.Datum = anfang + static_cast<int32_t>(static_cast<int64_t>(spanne) * i / (n > 0 ? n : 1));
        b.BArt = Zahl(3);
        const int cent = 1 + Zahl(250000);
        b.Betrag = std::to_string(cent / 100) + "," + (cent % 100 < 10 ? "0" : "") + std::to_string(cent % 100);
        b.Konto1 = b.BArt == BArtUmbuchung ? -4 : (Zahl(2) ? -4 : -5);
        b.Konto2 = b.BArt == BArtUmbuchung ? -4999 : (b.BArt == BArtEinnahme ? -2 : -3);
        b.Text = texte[Zahl(10)];
        if (Zahl(4) == 0) b.Belegnr = "R" + std::to_string(Zahl(100000));
        if (Zahl(8) == 0) b.Bemerkung = "bezahlt mit Karte";
        b.Storniert = Zahl(50) == 0;
        d.Buchungen.push_back(std::move(b));
    }
    return d;
}

}  // namespace talerwerk::test
