// The data file: byte layout, reader rules, passwords, open and atomic save.

#include "store/datendatei.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/betrag.h"
#include "store/datum.h"
#include "store/datendatei_testdaten.h"
#include "testhilfen.h"

namespace talerwerk {
namespace {

using test::ReicherBestand;
using test::SkriptKennwortabfrage;
using test::SkriptMeldungen;
using test::Tag;

std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}

std::string Hex(std::string_view s) {
    std::string h;
    char puffer[4];
    for (unsigned char c : s) {
        std::snprintf(puffer, sizeof puffer, "%02X ", c);
        h += puffer;
    }
    if (!h.empty()) h.pop_back();
    return h;
}

// An independent encoder, written straight from the documented byte layout, to check the
// writer against. Texts are given as Windows-1252 bytes.
class Bild {
public:
    std::string bytes;

    Bild& Anzahl(int32_t n) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((static_cast<uint32_t>(n) >> (8 * i)) & 0xFF));
        return *this;
    }
    Bild& Int(int32_t v) {
        if (v >= -128 && v <= 127) {
            bytes += B({0x02, v & 0xFF});
        } else if (v >= -32768 && v <= 32767) {
            bytes += B({0x03, v & 0xFF, (v >> 8) & 0xFF});
        } else {
            bytes.push_back(0x04);
            for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
        }
        return *this;
    }
    Bild& Flag(bool f) {
        bytes.push_back(f ? 0x09 : 0x08);
        return *this;
    }
    Bild& Text(const std::string& cp1252) {
        if (cp1252.size() <= 255) {
            bytes.push_back(0x06);
            bytes.push_back(static_cast<char>(cp1252.size()));
        } else {
            bytes.push_back(0x0C);
            Anzahl(static_cast<int32_t>(cp1252.size()));
        }
        bytes += cp1252;
        return *this;
    }
    Bild& Geld(Cent c) {
        unsigned char e[10];
        Extended80AusCent(c, e);
        bytes.push_back(0x05);
        bytes.append(reinterpret_cast<const char*>(e), 10);
        return *this;
    }
    Bild& Roh(const std::string& s) {
        bytes += s;
        return *this;
    }
    // A kontotyp with ASCII texts, the money fields and dates as given.
    Bild& Konto(const kontotyp& k) {
        Int(k.Nr).Int(k.Art).Int(k.OberNr).Geld(k.Stand).Geld(k.AnfStand);
        Text(k.Name).Text(k.Abk).Text(k.Kurz1).Text(k.Kurz2).Text(k.Text1).Text(k.Text2).Text(k.Text3);
        Flag(k.Merker1).Flag(k.Merker2).Text(k.Text4).Int(k.Zahl1).Text(DatumDateiText(k.Datum)).Text(k.Text5);
        return Int(k.Zahl2);
    }
    Bild& Buchung(const buchungstyp& b) {
        Int(b.IdentNr).Int(b.IdentNrVon).Int(b.IdentNrBis).Text(b.Bezeichnung).Int(b.Satzart);
        Text(DatumDateiText(b.Datum)).Text(DatumDateiText(b.DatumBis)).Int(b.BArt);
        for (bool m : b.Monate) Flag(m);
        Int(b.Intervall).Text(b.Kennung).Text(b.Bemerkung);
        bytes.push_back(0x01);
        for (const std::string& e : b.Auswahl) Text(e);
        bytes.push_back(0x00);
        Text(b.Belegnr).Text(b.BelegnrBis).Text(b.Betrag).Text(b.BetragBis).Int(b.Konto1).Int(b.Konto2);
        Text(b.Text).Flag(b.Storniert).Int(b.Zeitraum).Int(b.KontoAuswahl).Int(b.RubrikAuswahl);
        return Int(b.StornoAuswahl).Text(b.Reserve).Int(b.ReserveNr);
    }
    Bild& Drucker(const druckereinstellungtyp& e) {
        Text(e.Schriftart).Int(e.Schriftgroesse).Int(e.Schriftfarbe);
        for (bool f : e.Schriftstil) Flag(f);
        Int(e.RandOben).Int(e.RandUnten).Int(e.RandLinks).Int(e.RandRechts).Int(e.Exemplare).Int(e.Ausrichtung);
        Flag(e.Mandantendaten).Flag(e.DruckReserve).Flag(e.Trennlinien).Flag(e.Seitenzahl).Flag(e.DatumDruck);
        return Flag(e.FarbigerBetrag).Flag(e.Tabellenrahmen).Flag(e.NullwerteAusblenden);
    }
};

// A small store with ASCII texts only, so that Bild can encode it independently.
Datenbestand KleinerBestand() {
    Datenbestand d;
    d.Mandant.OberNr = 712269;
    d.Mandant.Name = "Familie Meier";
    d.Mandant.Text1 = "Talerwerk";
    d.Mandant.Text4 = "EUR";
    d.Mandant.Merker1 = true;
    d.Mandant.Zahl1 = 28;
    d.Druckereinstellung.Ausrichtung = 1;  // differs from Exemplare, so the order shows
    d.Druckereinstellung.Exemplare = 2;
    d.Druckereinstellung.Seitenzahl = false;
    d.Druckereinstellung.DruckReserve = true;
    kontotyp giro = test::Konto(-4, ArtBestandskonto, 0, "Giro", "G", 150000, -250);
    d.Konten.push_back(giro);
    kontotyp tb;
    tb.Nr = 10;
    tb.Art = ArtTextbaustein;
    tb.Abk = "#D";
    tb.Text1 = "[aktuelles Datum]";
    d.Textbausteine.push_back(tb);
    d.Kopfsatz.Kennung = "712269";
    d.Kopfsatz.Datum = Tag(7, 12, 2026);
    buchungstyp b;
    b.IdentNr = 1;
    b.Datum = Tag(3, 4, 2025);
    b.Betrag = "12,34";
    b.Konto1 = -4;
    b.Konto2 = -1;
    b.Text = "Test";
    d.Buchungen.push_back(b);
    buchungstyp r = b;
    r.IdentNr = 11001;
    r.Satzart = SatzRgmBuchung;
    r.Kennung = "A7";
    r.Monate[0] = true;
    d.RgmBuchungen.push_back(r);
    buchungstyp v = b;
    v.IdentNr = 10001;
    v.Satzart = SatzVorlage;
    v.Datum = 0;
    d.Vorlagen.push_back(v);
    buchungstyp f;
    f.IdentNr = 12001;
    f.Satzart = SatzFilter;
    f.RubrikAuswahl = -1;
    f.Auswahl = {"-4", "5000"};
    d.Filterliste.push_back(f);
    return d;
}

std::string BildVon(const Datenbestand& d, int32_t ersteAnzahl = 1) {
    Bild b;
    b.Anzahl(ersteAnzahl).Konto(d.Mandant).Anzahl(1).Drucker(d.Druckereinstellung);
    b.Anzahl(static_cast<int32_t>(d.Konten.size()));
    for (const auto& k : d.Konten) b.Konto(k);
    b.Anzahl(static_cast<int32_t>(d.Textbausteine.size()));
    for (const auto& k : d.Textbausteine) b.Konto(k);
    b.Buchung(d.Kopfsatz);
    b.Anzahl(static_cast<int32_t>(d.Buchungen.size()));
    for (const buchungstyp& s : d.Buchungen) b.Buchung(s);
    for (const auto* liste : {&d.RgmBuchungen, &d.Vorlagen, &d.Filterliste}) {
        b.Anzahl(static_cast<int32_t>(liste->size()));
        for (const auto& s : *liste) b.Buchung(s);
    }
    return b.bytes;
}

// A prompt that accepts every password and counts the calls.
class Annehmen : public Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return true; }
};

void ErwarteGleich(const Datenbestand& a, const Datenbestand& b) {
    EXPECT_EQ(a.Mandant, b.Mandant);
    EXPECT_EQ(a.Druckereinstellung, b.Druckereinstellung);
    EXPECT_EQ(a.Kopfsatz, b.Kopfsatz);
    EXPECT_EQ(a.Konten, b.Konten);
    EXPECT_EQ(a.Textbausteine, b.Textbausteine);
    EXPECT_EQ(a.Buchungen, b.Buchungen);
    EXPECT_EQ(a.RgmBuchungen, b.RgmBuchungen);
    EXPECT_EQ(a.Vorlagen, b.Vorlagen);
    EXPECT_EQ(a.Filterliste, b.Filterliste);
}

LeseErgebnis Lesen(std::string_view bytes, Datenbestand& ziel) {
    Annehmen a;
    return DateiAuslesen(bytes, ziel, a, "/tmp/x.tlw");
}

LeseStatus StatusVon(std::string_view bytes) {
    Datenbestand d;
    return Lesen(bytes, d).Status;
}

// Offset of the first value of Buchungen's first record in an image of a store whose Buchungen,
// RgmBuchungen, Vorlagen and Filterliste are empty but for one booking.
size_t BuchungsAnfang(const Datenbestand& mitEinerBuchung) {
    Datenbestand ohne = mitEinerBuchung;
    ohne.Buchungen.clear();
    return DateiAbbild(ohne).size() - 12;
}

// ----------------------------------------------------------------------------------------------
// Writer

TEST(DatendateiSchreiben, GleichDemUnabhaengigGebautenBild) {
    const Datenbestand d = KleinerBestand();
    EXPECT_EQ(Hex(DateiAbbild(d)), Hex(BildVon(d)));
}

TEST(DatendateiSchreiben, KleinsteGanzzahlTags) {
    struct Fall {
        int32_t wert;
        std::string bytes;
    };
    const Fall faelle[] = {
        {0, B({0x02, 0x00})},
        {127, B({0x02, 0x7F})},
        {-128, B({0x02, 0x80})},
        {128, B({0x03, 0x80, 0x00})},
        {-129, B({0x03, 0x7F, 0xFF})},
        {32767, B({0x03, 0xFF, 0x7F})},
        {-32768, B({0x03, 0x00, 0x80})},
        {32768, B({0x04, 0x00, 0x80, 0x00, 0x00})},
        {40000, B({0x04, 0x40, 0x9C, 0x00, 0x00})},
        {-32769, B({0x04, 0xFF, 0x7F, 0xFF, 0xFF})},
        {2147483647, B({0x04, 0xFF, 0xFF, 0xFF, 0x7F})},
        {-2147483647 - 1, B({0x04, 0x00, 0x00, 0x00, 0x80})},
    };
    for (const Fall& f : faelle) {
        Datenbestand d;
        d.Mandant.Nr = f.wert;  // the first value of the file, at offset 4
        const std::string bild = DateiAbbild(d);
        EXPECT_EQ(Hex(bild.substr(0, 4)), "01 00 00 00");
        EXPECT_EQ(Hex(bild.substr(4, f.bytes.size())), Hex(f.bytes)) << f.wert;
        Datenbestand zurueck;
        ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
        EXPECT_EQ(zurueck.Mandant.Nr, f.wert);
    }
}

// Mandant.Name lies at offset 4 + 3 · 2 (Nr, Art, OberNr as int8) + 2 · 11 (the amounts).
constexpr size_t NameOffset = 4 + 6 + 22;

TEST(DatendateiSchreiben, TextBis255BytesKurzDarueberLang) {
    Datenbestand d;
    d.Mandant.Name = std::string(255, 'a');
    std::string bild = DateiAbbild(d);
    EXPECT_EQ(Hex(bild.substr(NameOffset, 2)), "06 FF");
    EXPECT_EQ(bild.substr(NameOffset + 2, 255), std::string(255, 'a'));
    EXPECT_EQ(Hex(bild.substr(NameOffset + 257, 2)), "06 00");  // Abk

    d.Mandant.Name = std::string(256, 'b');
    bild = DateiAbbild(d);
    EXPECT_EQ(Hex(bild.substr(NameOffset, 5)), "0C 00 01 00 00");
    EXPECT_EQ(bild.substr(NameOffset + 5, 256), std::string(256, 'b'));
    EXPECT_EQ(Hex(bild.substr(NameOffset + 261, 2)), "06 00");

    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Mandant.Name, std::string(256, 'b'));
}

TEST(DatendateiSchreiben, LaengeZaehltWindows1252Bytes) {
    Datenbestand d;
    // 128 umlauts are 256 UTF-8 bytes but 128 Windows-1252 bytes: a short string.
    std::string name;
    for (int i = 0; i < 128; ++i) name += "ä";
    d.Mandant.Name = name;
    std::string bild = DateiAbbild(d);
    EXPECT_EQ(Hex(bild.substr(NameOffset, 3)), "06 80 E4");
    // 300 euro signs: 900 UTF-8 bytes, 300 Windows-1252 bytes (0x80 each).
    std::string euro;
    for (int i = 0; i < 300; ++i) euro += "€";
    d.Mandant.Name = euro;
    bild = DateiAbbild(d);
    EXPECT_EQ(Hex(bild.substr(NameOffset, 6)), "0C 2C 01 00 00 80");
    EXPECT_EQ(bild.substr(NameOffset + 5, 300), std::string(300, '\x80'));
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Mandant.Name, euro);
}

TEST(DatendateiSchreiben, TexteInWindows1252) {
    Datenbestand d;
    d.Mandant.Name = "Müß€" + test::UndefinierteZeichen + "‰";
    const std::string bild = DateiAbbild(d);
    EXPECT_EQ(Hex(bild.substr(NameOffset, 11)), "06 0A 4D FC DF 80 81 8D 8F 90 9D");
    EXPECT_EQ(Hex(bild.substr(NameOffset + 11, 1)), "89");
}

TEST(DatendateiSchreiben, NichtDarstellbareZeichenAlsFragezeichen) {
    Datenbestand d;
    d.Mandant.Name = "A漢B😀C\xC2\x80" "D";  // U+0080 is no Windows-1252 character either
    d.Mandant.Abk = std::string("x\xFFy\xE2\x82", 5);  // not UTF-8: one "?" per stray byte
    const std::string bild = DateiAbbild(d);
    EXPECT_EQ(bild.substr(NameOffset, 9), B({0x06, 7}) + "A?B?C?D");
    EXPECT_EQ(bild.substr(NameOffset + 9, 7), B({0x06, 5}) + "x?y??");
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Mandant.Name, "A?B?C?D");
}

TEST(DatendateiSchreiben, BuchungOhneDatumSchreibtNull) {
    Datenbestand d;
    buchungstyp b;
    b.Datum = 0;
    d.Buchungen.push_back(b);
    const std::string bild = DateiAbbild(d);
    const size_t anfang = BuchungsAnfang(d);
    // IdentNr, IdentNrVon, IdentNrBis, Bezeichnung, Satzart: 5 · 2 bytes, then Datum and DatumBis.
    EXPECT_EQ(Hex(bild.substr(anfang + 10, 6)), "06 01 30 06 01 30");
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    ASSERT_EQ(zurueck.Buchungen.size(), 1u);
    EXPECT_EQ(zurueck.Buchungen[0].Datum, 0);
}

TEST(DatendateiSchreiben, DatumAlsTextMitZweistelligemJahr) {
    Datenbestand d;
    buchungstyp b;
    b.Datum = Tag(7, 12, 2026);
    b.DatumBis = Tag(29, 2, 2000);
    d.Buchungen.push_back(b);
    const std::string bild = DateiAbbild(d);
    const size_t anfang = BuchungsAnfang(d);
    EXPECT_EQ(bild.substr(anfang + 10, 20), B({0x06, 8}) + "07.12.26" + B({0x06, 8}) + "29.02.00");
}

TEST(DatendateiSchreiben, JederTagDesZweistelligenJahrhunderts) {
    // Every day the two-digit years can hold, written as DatumDateiText does and read back.
    Datenbestand d;
    for (int32_t tag = Tag(1, 1, 1980); tag <= Tag(31, 12, 2079); ++tag) {
        buchungstyp b;
        b.Datum = tag;
        b.DatumBis = tag + 1 <= Tag(31, 12, 2079) ? tag + 1 : 0;
        d.Buchungen.push_back(b);
    }
    const std::string bild = DateiAbbild(d);
    EXPECT_TRUE(bild == BildVon(d));
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_TRUE(zurueck.Buchungen == d.Buchungen);
}

TEST(DatendateiSchreiben, SeiteneinstellungInDateireihenfolge) {
    Datenbestand d;
    d.Druckereinstellung = druckereinstellungtyp{};
    d.Druckereinstellung.Schriftart = "A";
    d.Druckereinstellung.Schriftstil = {true, false, false, true};
    d.Druckereinstellung.Ausrichtung = 1;
    d.Druckereinstellung.Exemplare = 3;
    // Mandantendaten, DruckReserve, Trennlinien, Seitenzahl, DatumDruck, FarbigerBetrag,
    // Tabellenrahmen, NullwerteAusblenden.
    d.Druckereinstellung.Mandantendaten = true;
    d.Druckereinstellung.Seitenzahl = false;
    d.Druckereinstellung.DatumDruck = true;
    d.Druckereinstellung.Trennlinien = false;
    d.Druckereinstellung.FarbigerBetrag = false;
    d.Druckereinstellung.Tabellenrahmen = true;
    d.Druckereinstellung.NullwerteAusblenden = false;
    d.Druckereinstellung.DruckReserve = true;
    Datenbestand leer;
    leer.Druckereinstellung = d.Druckereinstellung;
    const std::string bild = DateiAbbild(d);
    // Mandant of an empty store: 3 ints, 2 amounts, 7 texts, 2 flags, text, int, date, text, int.
    const size_t anfang = 4 + (6 + 22 + 14 + 2 + 2 + 2 + 3 + 2 + 2) + 4;
    EXPECT_EQ(Hex(bild.substr(anfang - 4, 4)), "01 00 00 00");
    EXPECT_EQ(Hex(bild.substr(anfang, 3 + 2 + 2 + 4 + 8 + 2 + 2 + 8)),
              "06 01 41 02 0C 02 00 09 08 08 09 02 19 02 19 02 19 02 14 02 03 02 01 "
              "09 09 08 08 09 08 09 08");
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Druckereinstellung, d.Druckereinstellung);
}

TEST(DatendateiSchreiben, LeererBestandHatNurNullZaehler) {
    Datenbestand d;
    kontotyp tb;
    tb.Art = ArtTextbaustein;
    for (int nr : {10, 11, 12}) {
        tb.Nr = nr;
        d.Textbausteine.push_back(tb);
    }
    const std::string bild = DateiAbbild(d);
    EXPECT_EQ(Hex(bild.substr(bild.size() - 16)), "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    ErwarteGleich(zurueck, d);
    EXPECT_EQ(zurueck.LetzterIndex, -1);
    EXPECT_EQ(DateiAbbild(zurueck), bild);
}

TEST(DatendateiSchreiben, AuswahlNurInFiltern) {
    Datenbestand d;
    buchungstyp b;
    b.Auswahl = {"1", "2"};  // a booking owns no list: written empty
    d.Buchungen.push_back(b);
    const std::string bild = DateiAbbild(d);
    const size_t anfang = BuchungsAnfang(d);
    // 5 values of 2 bytes, two dates of 3, BArt 2, 12 flags, Intervall 2, Kennung 2, Bemerkung 2.
    EXPECT_EQ(Hex(bild.substr(anfang + 10 + 6 + 2 + 12 + 6, 2)), "01 00");
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_TRUE(zurueck.Buchungen[0].Auswahl.empty());
}

// ----------------------------------------------------------------------------------------------
// 80-bit extended

std::string Ext(Cent c) {
    unsigned char e[10];
    Extended80AusCent(c, e);
    return Hex(std::string_view(reinterpret_cast<const char*>(e), 10));
}

TEST(Extended80, BekannteWerte) {
    EXPECT_EQ(Ext(0), "00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(Ext(100), "00 00 00 00 00 00 00 80 FF 3F");          // 1.00
    EXPECT_EQ(Ext(10), "CD CC CC CC CC CC CC CC FB 3F");           // 0.10
    EXPECT_EQ(Ext(5), "CD CC CC CC CC CC CC CC FA 3F");            // 0.05
    EXPECT_EQ(Ext(1), "0A D7 A3 70 3D 0A D7 A3 F8 3F");            // 0.01
    EXPECT_EQ(Ext(-1), "0A D7 A3 70 3D 0A D7 A3 F8 BF");           // -0.01
    EXPECT_EQ(Ext(123456), "EC 51 B8 1E 85 EB 51 9A 09 40");       // 1234.56
    EXPECT_EQ(Ext(-3000), "00 00 00 00 00 00 00 F0 03 C0");        // -30.00
    EXPECT_EQ(Ext(99999999999), "5C 8F C2 F5 FF 27 6B EE 1C 40");  // 999999999.99
    EXPECT_EQ(Ext(INT64_MAX), "09 D7 A3 70 3D 0A D7 A3 37 40");
    EXPECT_EQ(Ext(INT64_MIN), "0A D7 A3 70 3D 0A D7 A3 37 C0");
}

#if defined(__x86_64__) && LDBL_MANT_DIG == 64
// The platform's long double is the same 80-bit format, and dividing two exact long doubles is
// correctly rounded: an independent check of the integer arithmetic.
TEST(Extended80, WieLongDouble) {
    std::vector<Cent> werte = {1, 3, 7, 10, 33, 99, 100, 101, 12345, 123456, -3000, 99999999999, -99999999999,
                               INT64_MAX, INT64_MIN + 1, 1LL << 53, (1LL << 53) + 1, 4503599627370497};
    uint64_t x = 88172645463325252ULL;
    for (int i = 0; i < 20000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const int bits = static_cast<int>(x % 63);
        werte.push_back(static_cast<Cent>(x >> (63 - bits)) * ((x & 1) ? -1 : 1));
    }
    for (Cent c : werte) {
        const long double wert = static_cast<long double>(c) / 100.0L;
        unsigned char erwartet[16] = {};
        std::memcpy(erwartet, &wert, 10);
        unsigned char e[10];
        Extended80AusCent(c, e);
        ASSERT_EQ(std::memcmp(e, erwartet, 10), 0) << c;
        Cent zurueck = 0;
        if (c > -(1LL << 53) && c < (1LL << 53)) {
            ASSERT_TRUE(Extended80NachCent(e, zurueck)) << c;
            ASSERT_EQ(zurueck, c);
        }
    }
}

#endif

TEST(Extended80, LesenRundetHalbVonNullWeg) {
    // 0.005 exactly is not representable; 2^-1 · 2^-7 = 1/256 ≈ 0.0039 → 0 cents, 3/512 ≈ 0.00586 → 1 cent.
    unsigned char e[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0};
    const unsigned exp = 16383 - 8;  // 1/256
    e[8] = exp & 0xFF;
    e[9] = static_cast<unsigned char>(exp >> 8);
    Cent c = 99;
    ASSERT_TRUE(Extended80NachCent(e, c));
    EXPECT_EQ(c, 0);
    e[7] = 0xC0;  // 1.5 · 2^-8 = 3/512
    const unsigned exp2 = 16383 - 8;
    e[8] = exp2 & 0xFF;
    ASSERT_TRUE(Extended80NachCent(e, c));
    EXPECT_EQ(c, 1);
    e[9] |= 0x80;
    ASSERT_TRUE(Extended80NachCent(e, c));
    EXPECT_EQ(c, -1);
    // 0.125 · 100 = 12.5 → 13; −12.5 → −13.
    unsigned char achtel[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, (16383 - 3) & 0xFF, (16383 - 3) >> 8};
    ASSERT_TRUE(Extended80NachCent(achtel, c));
    EXPECT_EQ(c, 13);
    achtel[9] |= 0x80;
    ASSERT_TRUE(Extended80NachCent(achtel, c));
    EXPECT_EQ(c, -13);
}

TEST(Extended80, UngueltigeWerte) {
    Cent c = 0;
    const unsigned char unendlich[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
    EXPECT_FALSE(Extended80NachCent(unendlich, c));
    const unsigned char nan[10] = {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xFF};
    EXPECT_FALSE(Extended80NachCent(nan, c));
    const unsigned char riesig[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F};
    EXPECT_FALSE(Extended80NachCent(riesig, c));
    unsigned char e[10];
    Extended80AusCent(INT64_MAX, e);
    EXPECT_FALSE(Extended80NachCent(e, c));
    // The largest magnitude held: 2^53 cents.
    Extended80AusCent(1LL << 53, e);
    ASSERT_TRUE(Extended80NachCent(e, c));
    EXPECT_EQ(c, 1LL << 53);
    Extended80AusCent((1LL << 53) + 2, e);
    EXPECT_FALSE(Extended80NachCent(e, c));
    // Zero of either sign, denormals and unnormals are harmless.
    const unsigned char minusNull[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80};
    ASSERT_TRUE(Extended80NachCent(minusNull, c));
    EXPECT_EQ(c, 0);
    const unsigned char denormal[10] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(Extended80NachCent(denormal, c));
    EXPECT_EQ(c, 0);
    const unsigned char unnormal[10] = {0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F};  // 0.5
    ASSERT_TRUE(Extended80NachCent(unnormal, c));
    EXPECT_EQ(c, 50);
}

// ----------------------------------------------------------------------------------------------
// Reader

TEST(DatendateiLesen, ReicherBestandUnveraendertZurueck) {
    const Datenbestand d = ReicherBestand();
    const std::string bild = DateiAbbild(d);
    Datenbestand zurueck;
    zurueck.AktIndex = 77;
    const LeseErgebnis e = Lesen(bild, zurueck);
    ASSERT_EQ(e.Status, LeseStatus::Gelesen);
    EXPECT_FALSE(e.Schreibschutz);
    ErwarteGleich(zurueck, d);
    EXPECT_EQ(zurueck.LetzterIndex, 2);
    EXPECT_EQ(zurueck.Filterliste[0].Auswahl, (std::vector<std::string>{"-4", "-3", "5000"}));
    EXPECT_EQ(zurueck.Filterliste[2].Auswahl[2], "€" + test::UndefinierteZeichen);
    EXPECT_EQ(DateiAbbild(zurueck), bild);
}

TEST(DatendateiLesen, JedesByteUeberlebtDieRundreise) {
    Datenbestand d;
    std::string alle;
    for (int i = 1; i < 256; ++i) alle.push_back(static_cast<char>(i));
    Bild b;
    b.Anzahl(1).Konto(d.Mandant);
    std::string bild = b.bytes;
    // Replace the empty Name (06 00) by the 255 bytes 0x01…0xFF.
    ASSERT_EQ(Hex(bild.substr(NameOffset, 2)), "06 00");
    bild.replace(NameOffset, 2, B({0x06, 0xFF}) + alle);
    bild += Bild().Anzahl(0).Anzahl(0).Anzahl(0).Buchung(buchungstyp{}).Anzahl(0).Anzahl(0).Anzahl(0).Anzahl(0).bytes;
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(DateiAbbild(zurueck).substr(NameOffset, 257), B({0x06, 0xFF}) + alle);
}

TEST(DatendateiLesen, ErsteAnzahlZaehltNicht) {
    const Datenbestand d = KleinerBestand();
    for (int32_t erste : {5, 0, -1, 2147483647}) {
        Datenbestand zurueck;
        ASSERT_EQ(Lesen(BildVon(d, erste), zurueck).Status, LeseStatus::Gelesen) << erste;
        ErwarteGleich(zurueck, d);
    }
}

TEST(DatendateiLesen, ZweiSeiteneinstellungenDieLetzteGilt) {
    const Datenbestand d = KleinerBestand();
    druckereinstellungtyp erste;
    erste.Schriftart = "Courier";
    druckereinstellungtyp zweite;
    zweite.Schriftart = "Verdana";
    zweite.RandOben = 99;
    Bild b;
    b.Anzahl(1).Konto(d.Mandant).Anzahl(2).Drucker(erste).Drucker(zweite).Anzahl(0).Anzahl(0);
    b.Buchung(d.Kopfsatz).Anzahl(0).Anzahl(0).Anzahl(0).Anzahl(0);
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(b.bytes, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Druckereinstellung, zweite);

    // No page settings at all: the defaults stay.
    Bild ohne;
    ohne.Anzahl(1).Konto(d.Mandant).Anzahl(0).Anzahl(0).Anzahl(0).Buchung(d.Kopfsatz).Anzahl(0).Anzahl(0).Anzahl(0).Anzahl(0);
    ASSERT_EQ(Lesen(ohne.bytes, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Druckereinstellung, druckereinstellungtyp{});
}

TEST(DatendateiLesen, JahrNeunundsiebzigUndAchtzig) {
    for (const auto& [text, erwartet] : std::vector<std::pair<std::string, int32_t>>{
             {"31.12.79", Tag(31, 12, 2079)}, {"01.01.80", Tag(1, 1, 1980)}, {"29.02.00", Tag(29, 2, 2000)},
             {"0", 0}}) {
        Datenbestand d = KleinerBestand();
        std::string bild = BildVon(d);
        const std::string alt = B({0x06, 8}) + "03.04.25";
        const size_t pos = bild.find(alt);
        ASSERT_NE(pos, std::string::npos);
        bild.replace(pos, alt.size(), B({0x06, static_cast<int>(text.size())}) + text);
        Datenbestand zurueck;
        ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen) << text;
        EXPECT_EQ(zurueck.Buchungen[0].Datum, erwartet) << text;
    }
}

TEST(DatendateiLesen, UngueltigesDatumMachtDateiUngueltig) {
    for (const std::string text : {"30.02.25", "", "1.1", "a.b.c", "00.01.25", "01.13.25", "x"}) {
        Datenbestand d = KleinerBestand();
        std::string bild = BildVon(d);
        const std::string alt = B({0x06, 8}) + "03.04.25";
        const size_t pos = bild.find(alt);
        ASSERT_NE(pos, std::string::npos);
        bild.replace(pos, alt.size(), B({0x06, static_cast<int>(text.size())}) + text);
        EXPECT_EQ(StatusVon(bild), LeseStatus::Ungueltig) << text;
    }
}

TEST(DatendateiLesen, GanzzahlTagsVorzeichenerweitert) {
    Datenbestand d;
    std::string bild = DateiAbbild(d);
    // Nr as int32 0xFFFFFF85 = −123, as int16 FF FF = −1; Art as int8 0x80 = −128.
    bild.replace(4, 4, B({0x04, 0x85, 0xFF, 0xFF, 0xFF, 0x02, 0x80}));
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Mandant.Nr, -123);
    EXPECT_EQ(zurueck.Mandant.Art, -128);
    bild = DateiAbbild(d);
    bild.replace(4, 2, B({0x03, 0xFF, 0xFF}));
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Mandant.Nr, -1);
    // A text tag where an integer belongs.
    bild = DateiAbbild(d);
    bild.replace(4, 2, B({0x06, 0x00}));
    EXPECT_EQ(StatusVon(bild), LeseStatus::Ungueltig);
}

TEST(DatendateiLesen, BetragAlsGanzzahl) {
    Datenbestand d;
    std::string bild = DateiAbbild(d);
    // Stand (offset 10) as int8 −7, AnfStand as int32 100000: whole currency units.
    bild.replace(10, 22, B({0x02, 0xF9, 0x04, 0xA0, 0x86, 0x01, 0x00}));
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Mandant.Stand, -700);
    EXPECT_EQ(zurueck.Mandant.AnfStand, 10000000);
    bild = DateiAbbild(d);
    bild[10] = 0x06;  // a text tag for an amount
    EXPECT_EQ(StatusVon(bild), LeseStatus::Ungueltig);
    bild = DateiAbbild(d);
    bild.replace(11, 10, B({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F}));  // NaN
    EXPECT_EQ(StatusVon(bild), LeseStatus::Ungueltig);
}

TEST(DatendateiLesen, FlagJedesAndereByteIstFalsch) {
    Datenbestand d;
    d.Mandant.Merker1 = true;
    d.Mandant.Merker2 = true;
    std::string bild = DateiAbbild(d);
    // Merker1, Merker2 follow the seven empty texts after Name's offset.
    const size_t pos = NameOffset + 14;
    ASSERT_EQ(Hex(bild.substr(pos, 2)), "09 09");
    for (int byte : {0x00, 0x01, 0x08, 0x0A, 0x06, 0xFF}) {
        bild[pos] = static_cast<char>(byte);
        Datenbestand zurueck;
        ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen) << byte;
        EXPECT_FALSE(zurueck.Mandant.Merker1);
        EXPECT_TRUE(zurueck.Mandant.Merker2);
    }
}

TEST(DatendateiLesen, TextTagsKurzUndLang) {
    Datenbestand d;
    std::string bild = DateiAbbild(d);
    // A short text written with the long tag reads the same.
    bild.replace(NameOffset, 2, B({0x0C, 3, 0, 0, 0}) + "abc");
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(bild, zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Mandant.Name, "abc");
    // A length running past the end.
    bild = DateiAbbild(d);
    bild.replace(NameOffset, 2, B({0x0C, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(StatusVon(bild), LeseStatus::Ungueltig);
    bild = DateiAbbild(d);
    bild.replace(NameOffset, 2, B({0x0C, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(StatusVon(bild), LeseStatus::Ungueltig);
    // An integer tag where a text belongs.
    bild = DateiAbbild(d);
    bild.replace(NameOffset, 2, B({0x02, 0x00}));
    EXPECT_EQ(StatusVon(bild), LeseStatus::Ungueltig);
}

TEST(DatendateiLesen, KurztexteAufKapazitaetGekuerzt) {
    Datenbestand d = KleinerBestand();
    d.Mandant.Abk = "ÄbcdefghijKL";  // 12 characters
    d.Mandant.Kurz1 = "";
    d.Konten[0].Kurz1 = "123456789";
    d.Konten[0].Kurz2 = "äöüäöüäöü";
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Betrag = "123456789,00"; });
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.BetragBis = "-12345678,99"; });
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(DateiAbbild(d), zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Mandant.Abk, "Äbcdefghij");
    EXPECT_EQ(zurueck.Konten[0].Kurz1, "12345678");
    EXPECT_EQ(zurueck.Konten[0].Kurz2, "äöüäöüäö");
    EXPECT_EQ(zurueck.Buchungen[0].Betrag, "123456789,0");
    EXPECT_EQ(zurueck.Buchungen[0].BetragBis, "-12345678,9");
    // Texts that are not short keep every character.
    d = KleinerBestand();
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Text = std::string(1000, 'x'); });
    ASSERT_EQ(Lesen(DateiAbbild(d), zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Buchungen[0].Text.size(), 1000u);
}

TEST(DatendateiLesen, AuswahlMitDreiEintraegen) {
    Datenbestand d = KleinerBestand();
    d.Filterliste[0].Auswahl = {"-4", "Ü", "5002"};
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(DateiAbbild(d), zurueck).Status, LeseStatus::Gelesen);
    EXPECT_EQ(zurueck.Filterliste[0].Auswahl, (std::vector<std::string>{"-4", "Ü", "5002"}));
}

TEST(DatendateiLesen, AuswahlAusserhalbDerFilterUngueltig) {
    const Datenbestand d = KleinerBestand();
    // Put a one-entry list into each collection's first record, and into Kopfsatz.
    auto MitListe = [&](int welche) {
        Datenbestand x = d;
        if (welche == 1) {
            x.Buchungen.Aendern(0, [](buchungstyp& b) { b.Auswahl = {"7"}; });
            return BildVon(x);
        }
        buchungstyp* ziele[] = {&x.Kopfsatz, nullptr, &x.RgmBuchungen[0], &x.Vorlagen[0], &x.Filterliste[0]};
        ziele[welche]->Auswahl = {"7"};
        return BildVon(x);
    };
    EXPECT_EQ(StatusVon(MitListe(0)), LeseStatus::Ungueltig);
    EXPECT_EQ(StatusVon(MitListe(1)), LeseStatus::Ungueltig);
    EXPECT_EQ(StatusVon(MitListe(2)), LeseStatus::Ungueltig);
    EXPECT_EQ(StatusVon(MitListe(3)), LeseStatus::Ungueltig);
    EXPECT_EQ(StatusVon(MitListe(4)), LeseStatus::Gelesen);
    // The record's own Satzart does not matter, only its collection.
    Datenbestand x = d;
    x.Filterliste[0].Satzart = SatzBuchung;
    x.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Satzart = SatzFilter; });
    EXPECT_EQ(StatusVon(BildVon(x)), LeseStatus::Gelesen);
    x.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Auswahl = {"1"}; });
    EXPECT_EQ(StatusVon(BildVon(x)), LeseStatus::Ungueltig);
    // A list without its begin marker.
    std::string bild = BildVon(d);
    const size_t pos = bild.find(B({0x01, 0x00}), BuchungsAnfang(d));
    ASSERT_NE(pos, std::string::npos);
    bild[pos] = 0x02;
    EXPECT_EQ(StatusVon(bild), LeseStatus::Ungueltig);
}

TEST(DatendateiLesen, AbgeschnitteneBuchungUngueltig) {
    Datenbestand d = KleinerBestand();
    const std::string bild = DateiAbbild(d);
    const size_t anfang = BuchungsAnfang(d);
    for (size_t ende = anfang; ende < anfang + 60; ++ende) {
        EXPECT_EQ(StatusVon(std::string_view(bild).substr(0, ende)), LeseStatus::Ungueltig) << ende;
    }
}

TEST(DatendateiLesen, NachfolgendeBytesZaehlenNicht) {
    const Datenbestand d = KleinerBestand();
    Datenbestand zurueck;
    ASSERT_EQ(Lesen(DateiAbbild(d) + "Müll\xFF\x00\x04", zurueck).Status, LeseStatus::Gelesen);
    ErwarteGleich(zurueck, d);
}

TEST(DatendateiLesen, ZaehlerGegenRestGeprueft) {
    Datenbestand d;
    const std::string bild = DateiAbbild(d);
    const size_t n = bild.size();
    // Each of the four last counts replaced by a huge or negative one, the file ending there.
    for (size_t stelle : {n - 16, n - 12, n - 8, n - 4}) {
        for (const std::string& zahl : {B({0xFF, 0xFF, 0xFF, 0x7F}), B({0x00, 0x00, 0x00, 0x80}), B({0xFF, 0xFF, 0xFF, 0xFF}),
                                        B({0x01, 0x00, 0x00, 0x00})}) {
            const std::string kaputt = bild.substr(0, stelle) + zahl;
            EXPECT_EQ(StatusVon(kaputt), LeseStatus::Ungueltig) << stelle << " " << Hex(zahl);
            // Still refused with many bytes behind it, as long as they are too few for the count.
            EXPECT_EQ(StatusVon(kaputt + std::string(10000, '\x08')), LeseStatus::Ungueltig);
        }
    }
    // The same for the page settings, Konten and Textbausteine counts.
    Bild b;
    b.Anzahl(1).Konto(d.Mandant).Anzahl(2147483647);
    EXPECT_EQ(StatusVon(b.bytes), LeseStatus::Ungueltig);
    Bild k;
    k.Anzahl(1).Konto(d.Mandant).Anzahl(0).Anzahl(2147483647);
    EXPECT_EQ(StatusVon(k.bytes + std::string(100000, '\x02')), LeseStatus::Ungueltig);
    // A count whose records would fit is read up to where they end.
    EXPECT_EQ(StatusVon(bild.substr(0, n - 16) + B({0x02, 0, 0, 0}) + std::string(200, '\x02')), LeseStatus::Ungueltig);
}

// ----------------------------------------------------------------------------------------------
// Passwords

TEST(DatendateiKennwort, RichtigesDateikennwort) {
    Datenbestand d = KleinerBestand();
    d.Mandant.Kurz1 = "jxm|";
    SkriptKennwortabfrage abfrage{true};
    Datenbestand zurueck;
    const LeseErgebnis e = DateiAuslesen(DateiAbbild(d), zurueck, abfrage, "/pfad/a.tlw");
    EXPECT_EQ(e.Status, LeseStatus::Gelesen);
    EXPECT_FALSE(e.Schreibschutz);
    ASSERT_EQ(abfrage.aufrufe.size(), 1u);
    EXPECT_EQ(abfrage.aufrufe[0], (SkriptKennwortabfrage::Aufruf{1, "jxm|", "/pfad/a.tlw"}));
    ErwarteGleich(zurueck, d);
}

TEST(DatendateiKennwort, DateikennwortAbgelehntHaeltAn) {
    Datenbestand d = KleinerBestand();
    d.Mandant.Kurz1 = "jxm|";
    d.Mandant.Kurz2 = "abc";
    SkriptKennwortabfrage abfrage{false};
    Datenbestand zurueck;
    // The rest of the file is not even looked at.
    const std::string bild = DateiAbbild(d);
    const LeseErgebnis e = DateiAuslesen(bild.substr(0, bild.size() - 10), zurueck, abfrage, "p");
    EXPECT_EQ(e.Status, LeseStatus::KennwortAbgelehnt);
    ASSERT_EQ(abfrage.aufrufe.size(), 1u);
    EXPECT_EQ(abfrage.aufrufe[0].Art, 1);
}

TEST(DatendateiKennwort, SchreibschutzkennwortAbgelehnt) {
    Datenbestand d = KleinerBestand();
    d.Mandant.Kurz2 = "q{|";
    SkriptKennwortabfrage abfrage{false};
    Datenbestand zurueck;
    const LeseErgebnis e = DateiAuslesen(DateiAbbild(d), zurueck, abfrage, "p");
    EXPECT_EQ(e.Status, LeseStatus::Gelesen);
    EXPECT_TRUE(e.Schreibschutz);
    EXPECT_TRUE(zurueck.Schreibschutz);
    ASSERT_EQ(abfrage.aufrufe.size(), 1u);
    EXPECT_EQ(abfrage.aufrufe[0], (SkriptKennwortabfrage::Aufruf{2, "q{|", "p"}));
    ErwarteGleich(zurueck, d);
}

TEST(DatendateiKennwort, BeideKennwoerterNacheinander) {
    Datenbestand d = KleinerBestand();
    d.Mandant.Kurz1 = "eins";
    d.Mandant.Kurz2 = "zwei";
    SkriptKennwortabfrage abfrage{true, true};
    Datenbestand zurueck;
    const LeseErgebnis e = DateiAuslesen(DateiAbbild(d), zurueck, abfrage, "p");
    EXPECT_EQ(e.Status, LeseStatus::Gelesen);
    EXPECT_FALSE(e.Schreibschutz);
    ASSERT_EQ(abfrage.aufrufe.size(), 2u);
    EXPECT_EQ(abfrage.aufrufe[0].Art, 1);
    EXPECT_EQ(abfrage.aufrufe[1].Art, 2);
    EXPECT_EQ(abfrage.aufrufe[1].Gespeichert, "zwei");
}

TEST(DatendateiKennwort, UngueltigeDateiNachAngenommenemKennwort) {
    Datenbestand d = KleinerBestand();
    d.Mandant.Kurz1 = "x";
    SkriptKennwortabfrage abfrage{true};
    Datenbestand zurueck;
    const std::string bild = DateiAbbild(d);
    EXPECT_EQ(DateiAuslesen(bild.substr(0, bild.size() - 1), zurueck, abfrage, "p").Status, LeseStatus::Ungueltig);
    EXPECT_EQ(abfrage.aufrufe.size(), 1u);
}

// ----------------------------------------------------------------------------------------------
// Files

class TempOrdner {
public:
    TempOrdner() {
        char vorlage[] = "/tmp/datendatei_test_XXXXXX";
        const char* p = ::mkdtemp(vorlage);
        if (p == nullptr) throw std::runtime_error("mkdtemp");
        pfad = p;
    }
    ~TempOrdner() {
        ::chmod(pfad.c_str(), 0700);
        for (const std::string& n : Eintraege()) ::unlink((pfad + "/" + n).c_str());
        ::rmdir(pfad.c_str());
    }
    std::vector<std::string> Eintraege() const {
        std::vector<std::string> namen;
        if (DIR* d = ::opendir(pfad.c_str())) {
            while (dirent* e = ::readdir(d)) {
                const std::string n = e->d_name;
                if (n != "." && n != "..") namen.push_back(n);
            }
            ::closedir(d);
        }
        return namen;
    }
    std::string pfad;
};

std::string DateiInhalt(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void Schreiben(const std::string& pfad, const std::string& inhalt) {
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f << inhalt;
}

TEST(DatendateiLaden, FehlendeDatei) {
    TempOrdner ordner;
    Datenbestand d = ReicherBestand();
    d.Dateiname = ordner.pfad + "/gibtsnicht.tlw";
    d.Geaendert = true;
    SkriptMeldungen m;
    SkriptKennwortabfrage abfrage;
    EXPECT_FALSE(DateiLaden(d, m, abfrage));
    EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{"Datei nicht gefunden!"});
    ErwarteGleich(d, ReicherBestand());
    EXPECT_TRUE(d.Geaendert);
}

TEST(DatendateiLaden, ErfolgErsetztDenBestand) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad + "/buch.tlw";
    Schreiben(pfad, DateiAbbild(ReicherBestand()));
    Datenbestand d = KleinerBestand();
    d.Dateiname = pfad;
    d.Geaendert = true;
    d.Schreibschutz = true;
    d.AktIndex = 5;
    d.AnzeigeIndex = 3;
    d.DateiOffen = true;
    d.Zeitraeume.push_back(MonatsDatenTyp{});
    SkriptMeldungen m;
    SkriptKennwortabfrage abfrage;
    ASSERT_TRUE(DateiLaden(d, m, abfrage));
    EXPECT_TRUE(m.meldungen.empty());
    ErwarteGleich(d, ReicherBestand());
    EXPECT_EQ(d.Dateiname, pfad);
    EXPECT_FALSE(d.Geaendert);
    EXPECT_FALSE(d.Schreibschutz);
    EXPECT_EQ(d.LetzterIndex, 2);
    EXPECT_EQ(d.AktIndex, 5);
    EXPECT_EQ(d.AnzeigeIndex, 3);
    EXPECT_EQ(d.Zeitraeume.size(), 1u);
}

TEST(DatendateiLaden, UngueltigeDateiLaesstBestandUnveraendert) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad + "/kaputt.tlw";
    const std::string bild = DateiAbbild(ReicherBestand());
    Schreiben(pfad, bild.substr(0, bild.size() - 100));
    Datenbestand d = KleinerBestand();
    d.Dateiname = pfad;
    d.Geaendert = true;
    d.LetzterIndex = 0;
    SkriptMeldungen m;
    SkriptKennwortabfrage abfrage;
    EXPECT_FALSE(DateiLaden(d, m, abfrage));
    EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{"Ungültige Datei!\rÖffnen nicht möglich!"});
    ErwarteGleich(d, KleinerBestand());
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(d.LetzterIndex, 0);
    EXPECT_EQ(d.Dateiname, pfad);

    // A folder is no data file either.
    d.Dateiname = ordner.pfad;
    m.Leeren();
    EXPECT_FALSE(DateiLaden(d, m, abfrage));
    EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{"Ungültige Datei!\rÖffnen nicht möglich!"});
    ErwarteGleich(d, KleinerBestand());
}

TEST(DatendateiLaden, AbgelehntesDateikennwortOhneWeitereMeldung) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad + "/geheim.tlw";
    Datenbestand quelle = ReicherBestand();
    quelle.Mandant.Kurz1 = "geheim";
    Schreiben(pfad, DateiAbbild(quelle));
    Datenbestand d = KleinerBestand();
    d.Dateiname = pfad;
    SkriptMeldungen m;
    SkriptKennwortabfrage abfrage{false};
    EXPECT_FALSE(DateiLaden(d, m, abfrage));
    EXPECT_TRUE(m.meldungen.empty());
    ErwarteGleich(d, KleinerBestand());
    ASSERT_EQ(abfrage.aufrufe.size(), 1u);
    EXPECT_EQ(abfrage.aufrufe[0], (SkriptKennwortabfrage::Aufruf{1, "geheim", pfad}));
}

TEST(DatendateiLaden, SchreibgeschuetztGeoeffnet) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad + "/schutz.tlw";
    Datenbestand quelle = ReicherBestand();
    quelle.Mandant.Kurz2 = "schutz";
    Schreiben(pfad, DateiAbbild(quelle));
    Datenbestand d;
    d.Dateiname = pfad;
    SkriptMeldungen m;
    SkriptKennwortabfrage abfrage{false};
    EXPECT_TRUE(DateiLaden(d, m, abfrage));
    EXPECT_TRUE(d.Schreibschutz);
    ErwarteGleich(d, quelle);

    // Saving it is refused and leaves the file alone.
    const std::string vorher = DateiInhalt(pfad);
    d.Geaendert = true;
    d.Buchungen.clear();
    EXPECT_FALSE(DateiSpeichern(d, m));
    EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{"Datei ist schreibgeschützt!"});
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(DateiInhalt(pfad), vorher);
}

TEST(DatendateiSpeichern, SpeichernUndLadenRundreise) {
    TempOrdner ordner;
    Datenbestand d = ReicherBestand();
    d.Dateiname = ordner.pfad + "/neu.tlw";
    d.Geaendert = true;
    SkriptMeldungen m;
    ASSERT_TRUE(DateiSpeichern(d, m));
    EXPECT_TRUE(m.meldungen.empty());
    EXPECT_FALSE(d.Geaendert);
    EXPECT_EQ(ordner.Eintraege(), std::vector<std::string>{"neu.tlw"});
    EXPECT_EQ(DateiInhalt(d.Dateiname), DateiAbbild(d));

    Datenbestand geladen;
    geladen.Dateiname = d.Dateiname;
    SkriptKennwortabfrage abfrage;
    ASSERT_TRUE(DateiLaden(geladen, m, abfrage));
    ErwarteGleich(geladen, d);
}

TEST(DatendateiSpeichern, StaendeWerdenVorDemSchreibenBerechnet) {
    TempOrdner ordner;
    Datenbestand d = KleinerBestand();  // Giro: AnfStand 1500,00, one booking of 12,34
    d.Konten[0].Stand = 0;
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.BArt = BArtEinnahme; });
    d.Dateiname = ordner.pfad + "/staende.tlw";
    SkriptMeldungen m;
    ASSERT_TRUE(DateiSpeichern(d, m));
    EXPECT_EQ(d.Konten[0].Stand, 151234);
    Datenbestand geladen;
    SkriptKennwortabfrage abfrage;
    ASSERT_EQ(DateiAuslesen(DateiInhalt(d.Dateiname), geladen, abfrage, "").Status, LeseStatus::Gelesen);
    EXPECT_EQ(geladen.Konten[0].Stand, 151234);
}

// The reader takes balances up to ±2^53 cents; saving writes exactly those and refuses the rest,
// so that no saved file is one the program cannot open again.
TEST(DatendateiSpeichern, StaendeBisZurGrenzeRundreiseDarueberAbgelehnt) {
    TempOrdner ordner;
    for (const Cent vorzeichen : {Cent{1}, Cent{-1}}) {
        Datenbestand d = KleinerBestand();  // Giro, one booking of 12,34
        d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.BArt = vorzeichen > 0 ? BArtEinnahme : BArtAusgabe; });
        d.Konten[0].AnfStand = vorzeichen * (GroessterStandCent - 1234);
        d.Dateiname = ordner.pfad + (vorzeichen > 0 ? "/plus.tlw" : "/minus.tlw");
        SkriptMeldungen m;
        ASSERT_TRUE(DateiSpeichern(d, m)) << vorzeichen;
        EXPECT_EQ(d.Konten[0].Stand, vorzeichen * GroessterStandCent);
        Datenbestand geladen;
        SkriptKennwortabfrage abfrage;
        ASSERT_EQ(DateiAuslesen(DateiInhalt(d.Dateiname), geladen, abfrage, "").Status, LeseStatus::Gelesen);
        EXPECT_EQ(geladen.Konten[0].Stand, vorzeichen * GroessterStandCent);
        EXPECT_EQ(geladen.Konten[0].AnfStand, vorzeichen * (GroessterStandCent - 1234));

        // One cent more is refused: nothing is written, the store stays changed.
        const std::string vorher = DateiInhalt(d.Dateiname);
        d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Betrag = "12,35"; });
        d.Geaendert = true;
        EXPECT_FALSE(DateiSpeichern(d, m));
        EXPECT_EQ(m.Fehlertexte(), std::vector<std::string>{"Datei \"" + d.Dateiname +
                                                             "\" konnte nicht gespeichert werden:\r" +
                                                             MeldungStandZuGross});
        EXPECT_TRUE(d.Geaendert);
        EXPECT_EQ(DateiInhalt(d.Dateiname), vorher);
    }
    EXPECT_EQ(ordner.Eintraege().size(), 2u);  // no temporary file left
    // The message names the very limit.
    EXPECT_NE(std::string(MeldungStandZuGross).find(CentAnzeige(GroessterStandCent)), std::string::npos);
}

TEST(DatendateiSpeichern, AnfangsstandJenseitsDerGrenzeNichtGespeichert) {
    TempOrdner ordner;
    Datenbestand d = KleinerBestand();
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.BArt = BArtAusgabe; });  // brings the balance back into range
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Betrag = "1,00"; });
    d.Konten[0].AnfStand = GroessterStandCent + 1;
    d.Dateiname = ordner.pfad + "/anf.tlw";
    SkriptMeldungen m;
    EXPECT_FALSE(DateiSpeichern(d, m));
    EXPECT_TRUE(ordner.Eintraege().empty());
}

TEST(DatendateiSpeichern, UeberschreibtUndBehaeltRechte) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad + "/alt.tlw";
    Schreiben(pfad, "alter Inhalt");
    ASSERT_EQ(::chmod(pfad.c_str(), 0640), 0);
    Datenbestand d = KleinerBestand();
    d.Dateiname = pfad;
    d.Geaendert = true;
    SkriptMeldungen m;
    ASSERT_TRUE(DateiSpeichern(d, m));
    EXPECT_EQ(DateiInhalt(pfad), DateiAbbild(d));
    struct stat st {};
    ASSERT_EQ(::stat(pfad.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ordner.Eintraege(), std::vector<std::string>{"alt.tlw"});
}

TEST(DatendateiSpeichern, NeueDateiMitUeblichenRechten) {
    TempOrdner ordner;
    const mode_t alt = ::umask(022);
    std::string fehler;
    const bool ok = DateiAtomarSchreiben(ordner.pfad + "/frisch.tlw", "abc", fehler);
    ::umask(alt);
    ASSERT_TRUE(ok) << fehler;
    struct stat st {};
    ASSERT_EQ(::stat((ordner.pfad + "/frisch.tlw").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST(DatendateiSpeichern, SymbolischeVerknuepfungBleibt) {
    TempOrdner ordner;
    const std::string ziel = ordner.pfad + "/ziel.tlw";
    const std::string link = ordner.pfad + "/link.tlw";
    Schreiben(ziel, "x");
    ASSERT_EQ(::symlink(ziel.c_str(), link.c_str()), 0);
    std::string fehler;
    ASSERT_TRUE(DateiAtomarSchreiben(link, "neu", fehler)) << fehler;
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(DateiInhalt(ziel), "neu");
}

// Runs `f` without the right to bypass file permissions: as the user "nobody" when the tests
// run as root (as in CI), otherwise as they are.
template <typename F>
void OhneSonderrechte(F f) {
    if (::geteuid() != 0) {
        f();
        return;
    }
    ASSERT_EQ(::setegid(65534), 0);
    ASSERT_EQ(::seteuid(65534), 0);
    f();
    ASSERT_EQ(::seteuid(0), 0);
    ASSERT_EQ(::setegid(0), 0);
}

TEST(DatendateiSpeichern, NurLesbarerOrdnerScheitertMitMeldung) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad + "/buch.tlw";
    const std::string alt = DateiAbbild(KleinerBestand());
    Schreiben(pfad, alt);
    ASSERT_EQ(::chmod(pfad.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(ordner.pfad.c_str(), 0555), 0);

    Datenbestand d = ReicherBestand();
    d.Dateiname = pfad;
    d.Geaendert = true;
    SkriptMeldungen m;
    bool ergebnis = true;
    OhneSonderrechte([&] { ergebnis = DateiSpeichern(d, m); });
    EXPECT_FALSE(ergebnis);
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(m.Fehlertexte(),
              std::vector<std::string>{"Datei \"" + pfad + "\" konnte nicht gespeichert werden:\rKeine Schreibberechtigung"});
    EXPECT_EQ(DateiInhalt(pfad), alt);
    EXPECT_EQ(ordner.Eintraege(), std::vector<std::string>{"buch.tlw"});
}

TEST(DatendateiSpeichern, SchreibgeschuetzteDateiBleibt) {
    // The folder is writable, the file is not: the file is not replaced behind the user's back.
    TempOrdner ordner;
    const std::string pfad = ordner.pfad + "/nurlesen.tlw";
    Schreiben(pfad, "alt");
    ASSERT_EQ(::chmod(pfad.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(ordner.pfad.c_str(), 0777), 0);
    Datenbestand d = KleinerBestand();
    d.Dateiname = pfad;
    d.Geaendert = true;
    SkriptMeldungen m;
    bool ergebnis = true;
    OhneSonderrechte([&] { ergebnis = DateiSpeichern(d, m); });
    EXPECT_FALSE(ergebnis);
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(m.Fehlertexte(),
              std::vector<std::string>{"Datei \"" + pfad + "\" konnte nicht gespeichert werden:\rKeine Schreibberechtigung"});
    EXPECT_EQ(DateiInhalt(pfad), "alt");
    EXPECT_EQ(ordner.Eintraege(), std::vector<std::string>{"nurlesen.tlw"});
}

TEST(DatendateiSpeichern, FehlenderOrdner) {
    std::string fehler;
    EXPECT_FALSE(DateiAtomarSchreiben("/tmp/gibt/es/nicht/x.tlw", "abc", fehler));
    EXPECT_EQ(fehler, "Der Ordner existiert nicht");
    EXPECT_FALSE(DateiAtomarSchreiben("", "abc", fehler));
    EXPECT_FALSE(fehler.empty());
}

TEST(DatendateiSpeichern, PfadFehler) {
    TempOrdner ordner;
    std::string fehler;
    // A file in a folder that is a regular file: ENOTDIR.
    Schreiben(ordner.pfad + "/datei", "x");
    EXPECT_FALSE(DateiAtomarSchreiben(ordner.pfad + "/datei/x.tlw", "abc", fehler));
    EXPECT_EQ(fehler, "Ein Teil des Pfades ist kein Ordner");
    // The target is a folder.
    EXPECT_FALSE(DateiAtomarSchreiben(ordner.pfad, "abc", fehler));
    EXPECT_EQ(fehler, "Der Pfad ist ein Ordner");
}


// --- Big books: read from the file piece by piece, saved piece by piece ----------------------------

// A book larger than the slices the reader holds, with unusual bookings scattered through it:
// texts longer than a slice's reserve, every rare field set, amounts not in canonical form.
Datenbestand GrosserBestand() {
    Datenbestand d = test::ErzeugterBestand(60000, 7);
    std::vector<buchungstyp> alle = d.Buchungen.Alle();
    for (size_t i = 0; i < alle.size(); i += 997) {
        buchungstyp& b = alle[i];
        b.Text = std::string(70000 + i % 5000, static_cast<char>('a' + i % 26)) + "ü";
        b.IdentNrVon = static_cast<int32_t>(i);
        b.Monate[i % 12] = true;
        b.BArt = 5 + static_cast<int32_t>(i % 3);
        b.Betrag = i % 2 ? "12,5" : "";
        b.BetragBis = "1,00";
        b.Kennung = "Z" + std::to_string(i) + "010125";
        b.Reserve = "€";
        b.ReserveNr = -70000;
    }
    d.Buchungen = Buchungsspeicher(alle);
    return d;
}

TEST(DatendateiStueckweise, LadenGleichDemLesenImSpeicherUndByteGenauZurueck) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad + "/gross.tlw";
    const std::string bild = DateiAbbild(GrosserBestand());
    ASSERT_GT(bild.size(), size_t{8} << 20);  // more than two slices of the reader
    Schreiben(pfad, bild);

    Datenbestand ausDatei;
    ausDatei.Dateiname = pfad;
    SkriptMeldungen m;
    SkriptKennwortabfrage abfrage;
    ASSERT_TRUE(DateiLaden(ausDatei, m, abfrage));
    EXPECT_TRUE(m.meldungen.empty());
    Datenbestand ausSpeicher;
    ASSERT_EQ(DateiAuslesen(bild, ausSpeicher, abfrage, pfad).Status, LeseStatus::Gelesen);
    ASSERT_EQ(ausDatei.Buchungen.size(), 60000u);
    EXPECT_TRUE(ausDatei.Buchungen == ausSpeicher.Buchungen);
    EXPECT_TRUE(ausDatei.Buchungen == GrosserBestand().Buchungen);
    EXPECT_EQ(ausDatei.Filterliste, ausSpeicher.Filterliste);
    EXPECT_TRUE(DateiAbbild(ausDatei) == bild);

    // Saving writes in pieces: the file holds exactly the image.
    ausDatei.Dateiname = ordner.pfad + "/kopie.tlw";
    ASSERT_TRUE(DateiSpeichern(ausDatei, m));
    EXPECT_TRUE(DateiInhalt(ausDatei.Dateiname) == DateiAbbild(ausDatei));
}

TEST(DatendateiStueckweise, AbgeschnitteneGrosseDateiWirdAbgelehnt) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad + "/kurz.tlw";
    const std::string bild = DateiAbbild(GrosserBestand());
    Datenbestand d = KleinerBestand();
    const Datenbestand vorher = d;
    // Cut in the middle of a long text, at a slice border and just before the end.
    for (size_t laenge : {bild.size() / 2 + 12345, size_t{4} << 20, bild.size() - 3}) {
        Schreiben(pfad, bild.substr(0, laenge));
        d.Dateiname = pfad;
        SkriptMeldungen m;
        SkriptKennwortabfrage abfrage;
        EXPECT_FALSE(DateiLaden(d, m, abfrage)) << laenge;
        ASSERT_EQ(m.meldungen.size(), 1u);
        EXPECT_EQ(m.meldungen[0].Text, MeldungUngueltigeDatei);
        EXPECT_TRUE(d.Buchungen == vorher.Buchungen);
    }
}

TEST(DatendateiStueckweise, ErzeugteBestaendeJederGroesseByteGenau) {
    for (int n : {0, 1, 2, 3, 255, 256, 4097, 20000}) {
        const Datenbestand d = test::ErzeugterBestand(n, static_cast<uint64_t>(n) + 1);
        const std::string bild = DateiAbbild(d);
        Datenbestand zurueck;
        SkriptKennwortabfrage abfrage;
        ASSERT_EQ(DateiAuslesen(bild, zurueck, abfrage, "").Status, LeseStatus::Gelesen) << n;
        EXPECT_TRUE(zurueck.Buchungen == d.Buchungen) << n;
        EXPECT_TRUE(DateiAbbild(zurueck) == bild) << n;
    }
}

}  // namespace
}  // namespace talerwerk
