#include "store/jsonformat.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "accounts/kennwort.h"
#include "store/datendatei.h"
#include "store/datum.h"
#include "testhilfen.h"

using namespace talerwerk;
using talerwerk::test::FesteUhr;
using talerwerk::test::FesterZufall;
using ojson = nlohmann::ordered_json;

namespace {

int32_t Tag(int t, int m, int j) { return *TagesNummer(t, m, j); }

// The five bytes Windows-1252 leaves undefined, as the reader hands them over, plus umlauts.
const std::string kUndefiniert = "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D";
const std::string kUmlaute = "Äpfel, Öl & Süßes für 5 € – „gut“";

Datenbestand VollerBestand() {
    Datenbestand d;
    d.Mandant.OberNr = 712263;
    d.Mandant.Name = "Familie Özdemir " + kUndefiniert;
    d.Mandant.Abk = "ÖZD";
    d.Mandant.Kurz1 = KennwortVerschluesseln("geheim");
    d.Mandant.Kurz2 = KennwortVerschluesseln("schutz");
    d.Mandant.Text1 = "Talerwerk";
    d.Mandant.Text2 = "Haushaltsbuch";
    d.Mandant.Merker1 = true;
    d.Mandant.Text4 = "EUR";
    d.Mandant.Zahl1 = 28;
    d.Mandant.Datum = Tag(29, 2, 2024);
    d.Mandant.Text5 = "frei";
    d.Mandant.Zahl2 = -7;

    d.Druckereinstellung.Schriftart = "Times New Roman";
    d.Druckereinstellung.Schriftgroesse = 9;
    d.Druckereinstellung.Schriftfarbe = 0x123456;
    d.Druckereinstellung.Schriftstil = {true, false, true, false};
    d.Druckereinstellung.RandLinks = 11;
    d.Druckereinstellung.Ausrichtung = 1;
    d.Druckereinstellung.Exemplare = 3;
    d.Druckereinstellung.Trennlinien = false;
    d.Druckereinstellung.DruckReserve = true;

    kontotyp giro;
    giro.Nr = -17;
    giro.Art = ArtBestandskonto;
    giro.Stand = 123456;   // 1234,56
    giro.AnfStand = -5;    // -0,05
    giro.Name = "Girokonto " + kUmlaute;
    giro.Abk = "GIRO";
    giro.Kurz1 = "12345678";
    giro.Text1 = std::string(300, 'x');  // a long text
    d.Konten.push_back(giro);
    kontotyp lm;
    lm.Nr = -4999;
    lm.Art = ArtAusgabe;
    lm.Stand = 10;  // 0,10: no exact binary fraction
    lm.AnfStand = 99999999999;
    lm.Name = "Lebensmittel";
    lm.Abk = "LM";
    d.Konten.push_back(lm);
    kontotyp unter = lm;
    unter.Nr = -3;
    unter.OberNr = -4999;
    unter.Stand = unter.AnfStand = 0;
    unter.Name = "Bäcker";
    unter.Abk = "BÄ";
    d.Konten.push_back(unter);

    kontotyp baustein;
    baustein.Nr = 10;
    baustein.Art = ArtTextbaustein;
    baustein.Abk = "#D";
    baustein.Text1 = "[aktuelles Datum]";
    d.Textbausteine.push_back(baustein);

    d.Kopfsatz.Kennung = "712263";
    d.Kopfsatz.Datum = Tag(7, 12, 2026);

    buchungstyp b;
    b.IdentNr = 1;
    b.Datum = Tag(31, 12, 1999);
    b.BArt = BArtAusgabe;
    b.Betrag = "1234,56";
    b.Konto1 = -17;
    b.Konto2 = -3;
    b.Text = "Brötchen " + kUndefiniert;
    b.Bemerkung = "Zitat \"x\" \\ Tab\tNeu\nZeile\r\x01\x1f\x7f\b\f/";
    b.Belegnr = "B-01";
    b.Storniert = true;
    b.Kennung = "x12071226";
    b.Bezeichnung = "Bäcker";
    d.Buchungen.push_back(b);
    b.IdentNr = 2;
    b.Datum = 0;  // a booking without a date stays without one
    b.Storniert = false;
    d.Buchungen.push_back(b);

    buchungstyp r;
    r.IdentNr = 11001;
    r.Satzart = SatzRgmBuchung;
    r.Bezeichnung = "Miete";
    r.Datum = Tag(31, 1, 2079);
    r.Monate = {true, false, true, false, true, false, true, false, true, false, true, false};
    r.Intervall = 2;
    r.Kennung = "~999";
    d.RgmBuchungen.push_back(r);

    buchungstyp v;
    v.IdentNr = 10001;
    v.Satzart = SatzVorlage;
    v.Bezeichnung = "Einkauf";
    d.Vorlagen.push_back(v);

    buchungstyp f;
    f.IdentNr = 12001;
    f.Satzart = SatzFilter;
    f.Bezeichnung = "Auto";
    f.Datum = Tag(1, 1, 1980);
    f.DatumBis = Tag(31, 12, 2079);
    f.Auswahl = {"-17", "-3", "Ä"};
    f.RubrikAuswahl = -4;
    f.StornoAuswahl = 2;
    f.IdentNrVon = 5;
    f.IdentNrBis = 2147483647;
    f.BelegnrBis = "Z";
    f.BetragBis = "500,00";
    f.Reserve = "r";
    f.ReserveNr = -2147483647 - 1;
    d.Filterliste.push_back(f);
    return d;
}

JsonErgebnis Einlesen(const std::string& text) {
    FesteUhr uhr(Tag(7, 12, 2026));
    FesterZufall zufall({5, 1, 2, 3, 4}, 17);
    return JsonEinlesen(text, uhr, zufall);
}

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

std::vector<std::string> Schluessel(const ojson& o) {
    std::vector<std::string> s;
    for (auto it = o.begin(); it != o.end(); ++it) s.push_back(it.key());
    return s;
}

// Imports a document made from the full store after `aendern` changed it; returns the error.
template <class F>
std::string FehlerNach(F aendern) {
    ojson j = ojson::parse(JsonText(VollerBestand()));
    aendern(j);
    JsonErgebnis e = Einlesen(j.dump());
    EXPECT_FALSE(e.Ok());
    return e.Fehler;
}

TEST(JsonFormat, RundreiseErhaeltJedenWert) {
    const Datenbestand d = VollerBestand();
    const std::string text = JsonText(d);
    JsonErgebnis e = Einlesen(text);
    ASSERT_TRUE(e.Ok()) << e.Fehler;
    ErwarteGleich(e.Bestand, d);
    EXPECT_EQ(JsonText(e.Bestand), text);
    // And the data file of the imported store is the same, byte for byte.
    EXPECT_EQ(DateiAbbild(e.Bestand), DateiAbbild(d));
}

TEST(JsonFormat, SchluesselInFeldreihenfolgeUndWertformen) {
    const ojson j = ojson::parse(JsonText(VollerBestand()));
    EXPECT_EQ(Schluessel(j), (std::vector<std::string>{"Mandant", "Druckereinstellung", "Konten",
                                                        "Textbausteine", "Kopfsatz", "Buchungen",
                                                        "RgmBuchungen", "Vorlagen", "Filterliste"}));
    EXPECT_EQ(Schluessel(j["Mandant"]),
              (std::vector<std::string>{"Nr", "Art", "OberNr", "Stand", "AnfStand", "Name", "Abk", "Kurz1",
                                        "Kurz2", "Text1", "Text2", "Text3", "Merker1", "Merker2", "Text4",
                                        "Zahl1", "Datum", "Text5", "Zahl2"}));
    EXPECT_EQ(Schluessel(j["Buchungen"][0]),
              (std::vector<std::string>{"IdentNr", "IdentNrVon", "IdentNrBis", "Bezeichnung", "Satzart",
                                        "Datum", "DatumBis", "BArt", "Monate", "Intervall", "Kennung",
                                        "Bemerkung", "Auswahl", "Belegnr", "BelegnrBis", "Betrag",
                                        "BetragBis", "Konto1", "Konto2", "Text", "Storniert", "Zeitraum",
                                        "KontoAuswahl", "RubrikAuswahl", "StornoAuswahl", "Reserve",
                                        "ReserveNr"}));
    EXPECT_EQ(Schluessel(j["Druckereinstellung"]),
              (std::vector<std::string>{"Schriftart", "Schriftgroesse", "Schriftfarbe", "Schriftstil",
                                        "RandOben", "RandUnten", "RandLinks", "RandRechts", "Ausrichtung",
                                        "Exemplare", "Mandantendaten", "Seitenzahl", "DatumDruck",
                                        "Trennlinien", "FarbigerBetrag", "Tabellenrahmen",
                                        "NullwerteAusblenden", "DruckReserve"}));

    EXPECT_EQ(j["Buchungen"][0]["Datum"], "1999-12-31");
    EXPECT_TRUE(j["Buchungen"][1]["Datum"].is_null());
    EXPECT_TRUE(j["Buchungen"][0]["DatumBis"].is_null());
    EXPECT_EQ(j["Mandant"]["Datum"], "2024-02-29");
    EXPECT_EQ(j["Konten"][0]["Stand"].get<double>(), 1234.56);
    EXPECT_EQ(j["Konten"][0]["AnfStand"].get<double>(), -0.05);
    EXPECT_EQ(j["Konten"][1]["AnfStand"].get<double>(), 999999999.99);
    EXPECT_EQ(j["RgmBuchungen"][0]["Monate"].size(), 12u);
    EXPECT_EQ(j["RgmBuchungen"][0]["Monate"][2], true);
    EXPECT_EQ(j["Druckereinstellung"]["Schriftstil"], ojson({true, false, true, false}));
    EXPECT_EQ(j["Filterliste"][0]["Auswahl"], ojson({"-17", "-3", "Ä"}));
    EXPECT_EQ(j["Buchungen"][0]["Auswahl"], ojson::array());
    // Passwords appear in their stored form.
    EXPECT_EQ(j["Mandant"]["Kurz1"], KennwortVerschluesseln("geheim"));
    // Control characters and quotes are escaped, everything else stays readable UTF-8.
    EXPECT_EQ(j["Buchungen"][0]["Bemerkung"], "Zitat \"x\" \\ Tab\tNeu\nZeile\r\x01\x1f\x7f\b\f/");
    EXPECT_NE(JsonText(VollerBestand()).find("Br\xC3\xB6tchen"), std::string::npos);
    // Amounts print as the shortest decimal that reads back as the same number.
    EXPECT_NE(JsonText(VollerBestand()).find("\"Stand\":0.1,"), std::string::npos);
}

TEST(JsonFormat, FalscheTypenWerdenMitSchluesselAbgelehnt) {
    EXPECT_NE(FehlerNach([](ojson& j) { j["Buchungen"][1]["Datum"] = 5; }).find("Buchungen[1].Datum"),
              std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Konten"][2]["Nr"] = "x"; }).find("Konten[2].Nr"), std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Konten"][0]["Nr"] = 1.5; }).find("Konten[0].Nr"), std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Mandant"]["Merker1"] = 1; }).find("Mandant.Merker1"), std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Konten"][0]["Stand"] = "12,50"; }).find("Konten[0].Stand"),
              std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Filterliste"][0]["Auswahl"][1] = 7; }).find("Filterliste[0].Auswahl[1]"),
              std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["RgmBuchungen"][0]["Monate"].erase(0); }).find("RgmBuchungen[0].Monate"),
              std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Druckereinstellung"]["Schriftstil"][2] = "ja"; })
                  .find("Druckereinstellung.Schriftstil[2]"),
              std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Buchungen"][0]["Konto1"] = 3000000000LL; }).find("Buchungen[0].Konto1"),
              std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Konten"] = ojson::object(); }).find("Konten"), std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Buchungen"][1] = 4; }).find("Buchungen[1]"), std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Vorlagen"][0] = ojson::array(); }).find("Vorlagen[0]"), std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Kopfsatz"] = "x"; }).find("Kopfsatz"), std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Kopfsatz"]["Text"] = nullptr; }).find("Kopfsatz.Text"), std::string::npos);
}

TEST(JsonFormat, UngueltigeTexteUndDatenWerdenAbgelehnt) {
    // A text Windows-1252 cannot hold would be lost on save.
    EXPECT_NE(FehlerNach([](ojson& j) { j["Buchungen"][0]["Text"] = "Pfeil →"; }).find("Buchungen[0].Text"),
              std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Filterliste"][0]["Auswahl"][0] = "Ω"; }).find("Filterliste[0].Auswahl[0]"),
              std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Mandant"]["Name"] = "日本"; }).find("Mandant.Name"), std::string::npos);
    // No date, or a date the file's two-digit years cannot hold.
    for (const char* falsch : {"2026-02-30", "07.12.26", "2026-1-05", "", "2026-12-07T00:00", "1979-12-31",
                               "2080-01-01"}) {
        EXPECT_NE(FehlerNach([&](ojson& j) { j["Buchungen"][0]["Datum"] = falsch; }).find("Buchungen[0].Datum"),
                  std::string::npos)
            << falsch;
    }
    // Only filters own a selection list: elsewhere the saved file could not be read again.
    EXPECT_NE(FehlerNach([](ojson& j) { j["Buchungen"][1]["Auswahl"] = {"1"}; }).find("Buchungen[1].Auswahl"),
              std::string::npos);
    // Not JSON at all, or not an object.
    EXPECT_NE(Einlesen("{\"Konten\": [").Fehler.find("Ungültiges JSON"), std::string::npos);
    EXPECT_FALSE(Einlesen("[1, 2]").Ok());
    EXPECT_FALSE(Einlesen("\"Text\"").Ok());
    EXPECT_FALSE(Einlesen("{\"Text\": \"\xFF\"}").Ok());  // not UTF-8
}

TEST(JsonFormat, BetraegeNurInDerGespeichertenForm) {
    // Any other text would be saved as it stands: "99999999999" a thousand times makes balances
    // the file cannot hold, "1.234,56" would be summed differently than it reads.
    for (const char* falsch : {"99999999999", "1.234,56", "12,5", "12", "12,345", "+1,00", "1,00 ", "",
                               "-", "-,00", ",00", "123456789,00", "1e3,00", "--1,00", "1,0x"}) {
        const std::string fehler = FehlerNach([&](ojson& j) { j["Buchungen"][0]["Betrag"] = falsch; });
        EXPECT_NE(fehler.find("Buchungen[0].Betrag: kein gültiger Betrag"), std::string::npos) << falsch << fehler;
    }
    EXPECT_NE(FehlerNach([](ojson& j) { j["Filterliste"][0]["BetragBis"] = "999.999,99"; })
                  .find("Filterliste[0].BetragBis"),
              std::string::npos);
    EXPECT_NE(FehlerNach([](ojson& j) { j["Vorlagen"][0]["Betrag"] = 12.5; }).find("Vorlagen[0].Betrag: falscher Typ"),
              std::string::npos);
    // A long text is not repeated in the message.
    const std::string lang(5000, '9');
    EXPECT_LT(FehlerNach([&](ojson& j) { j["Buchungen"][0]["Betrag"] = lang; }).size(), 300u);

    // The stored form itself passes unchanged, up to eleven characters.
    for (const char* gut : {"0,00", "-30,00", "99999999,99", "-9999999,99", "007,50"}) {
        JsonErgebnis e = Einlesen(std::string(R"({"Buchungen": [{"Betrag": ")") + gut + R"(", "BetragBis": ")" + gut + R"("}]})");
        ASSERT_TRUE(e.Ok()) << gut << e.Fehler;
        EXPECT_EQ(e.Bestand.Buchungen[0].Betrag, gut);
        EXPECT_EQ(e.Bestand.Buchungen[0].BetragBis, gut);
    }
}

TEST(JsonFormat, FehlendeSchluesselNehmenVorgaben) {
    JsonErgebnis e = Einlesen(R"({"Buchungen": [{}, {"IdentNr": 7}, {}], "RgmBuchungen": [{}, {}],
                                  "Vorlagen": [{}], "Filterliste": [{"Bezeichnung": "F"}], "Konten": [{}],
                                  "Mandant": {"Name": "M"}})");
    ASSERT_TRUE(e.Ok()) << e.Fehler;
    const Datenbestand& d = e.Bestand;
    const int32_t heute = Tag(7, 12, 2026);

    EXPECT_EQ(d.Mandant.Name, "M");
    EXPECT_EQ(d.Mandant.Text1, "Talerwerk");
    EXPECT_EQ(d.Mandant.Text4, "DM");
    EXPECT_EQ(d.Mandant.Zahl1, 28);
    EXPECT_TRUE(d.Mandant.Merker1);
    EXPECT_EQ(d.Druckereinstellung, druckereinstellungtyp{});
    EXPECT_EQ(d.Kopfsatz.IdentNr, 0);
    EXPECT_EQ(d.Kopfsatz.Kennung, std::to_string(d.Mandant.OberNr));
    // No snippets named: the built-in three of a new store.
    ASSERT_EQ(d.Textbausteine.size(), 3u);
    EXPECT_EQ(d.Textbausteine[0].Abk, "#D");
    EXPECT_EQ(d.Textbausteine[2].Text1, "[aktuelles Jahr]");

    ASSERT_EQ(d.Buchungen.size(), 3u);
    EXPECT_EQ(d.Buchungen[0].IdentNr, 1);
    EXPECT_EQ(d.Buchungen[1].IdentNr, 7);
    EXPECT_EQ(d.Buchungen[2].IdentNr, 8);  // the next number after the largest so far
    EXPECT_EQ(d.Buchungen[0].Datum, heute);
    EXPECT_EQ(d.Buchungen[0].Betrag, "0,00");
    EXPECT_EQ(d.Buchungen[0].BetragBis, "999999,99");
    EXPECT_EQ(d.LetzterIndex, 2);

    ASSERT_EQ(d.RgmBuchungen.size(), 2u);
    EXPECT_EQ(d.RgmBuchungen[0].IdentNr, 11001);
    EXPECT_EQ(d.RgmBuchungen[1].IdentNr, 11002);
    EXPECT_EQ(d.RgmBuchungen[0].Satzart, SatzRgmBuchung);
    EXPECT_EQ(d.RgmBuchungen[0].Intervall, 1);
    EXPECT_FALSE(d.RgmBuchungen[0].Kennung.empty());
    EXPECT_NE(d.RgmBuchungen[0].Kennung, d.RgmBuchungen[1].Kennung);

    ASSERT_EQ(d.Vorlagen.size(), 1u);
    EXPECT_EQ(d.Vorlagen[0].IdentNr, 10001);
    EXPECT_EQ(d.Vorlagen[0].Datum, 0);
    EXPECT_EQ(d.Vorlagen[0].BetragBis, "999999,99");

    ASSERT_EQ(d.Filterliste.size(), 1u);
    EXPECT_EQ(d.Filterliste[0].IdentNr, 12001);
    EXPECT_EQ(d.Filterliste[0].RubrikAuswahl, -1);
    EXPECT_EQ(d.Filterliste[0].DatumBis, heute);
    EXPECT_EQ(d.Filterliste[0].Bezeichnung, "F");

    ASSERT_EQ(d.Konten.size(), 1u);
    EXPECT_EQ(d.Konten[0], kontotyp{});

    // An empty object is a whole new store.
    JsonErgebnis leer = Einlesen("{}");
    ASSERT_TRUE(leer.Ok());
    EXPECT_TRUE(leer.Bestand.Buchungen.empty());
    EXPECT_EQ(leer.Bestand.Textbausteine.size(), 3u);
}

TEST(JsonFormat, KurztexteGekuerztBetraegeAufCentGerundet) {
    JsonErgebnis e = Einlesen(R"({"Konten": [{"Abk": "ABCDEFGHIJKL", "Kurz1": "ÄÖÜäöüßxy", "Stand": 0.125,
                                              "AnfStand": -1234.567, "Name": "Stand ganzzahlig"},
                                             {"Stand": 7, "AnfStand": 1e20}]})");
    EXPECT_FALSE(e.Ok());  // 1e20 is no amount the program can hold
    EXPECT_NE(e.Fehler.find("Konten[1].AnfStand"), std::string::npos);

    e = Einlesen(R"({"Konten": [{"Abk": "ABCDEFGHIJKL", "Kurz1": "ÄÖÜäöüßxy", "Stand": 0.125,
                                 "AnfStand": -1234.567}, {"Stand": 7}]})");
    ASSERT_TRUE(e.Ok()) << e.Fehler;
    EXPECT_EQ(e.Bestand.Konten[0].Abk, "ABCDEFGHIJ");
    EXPECT_EQ(e.Bestand.Konten[0].Kurz1, "ÄÖÜäöüßx");  // characters, not bytes
    EXPECT_EQ(e.Bestand.Konten[0].Stand, 13);
    EXPECT_EQ(e.Bestand.Konten[0].AnfStand, -123457);
    EXPECT_EQ(e.Bestand.Konten[1].Stand, 700);
}

TEST(JsonFormat, TieferAlsDasFormatWirdSofortAbgelehnt) {
    // Ten megabytes of opening brackets once built ten million nested lists before anything was
    // refused; now the fifth bracket ends the reading.
    JsonErgebnis e = Einlesen(std::string(10 << 20, '['));
    EXPECT_EQ(e.Fehler, "JSON: tiefer verschachtelt, als das Format vorsieht");
    EXPECT_TRUE(e.Bestand.Buchungen.empty());
    e = Einlesen("{\"Extra\": {\"a\": {\"b\": {\"c\": " + std::string(1 << 20, '{'));
    EXPECT_EQ(e.Fehler, "JSON: tiefer verschachtelt, als das Format vorsieht");
    // Inside a record the message names it.
    e = Einlesen(R"({"Buchungen": [{}, {"Monate": [[true]]}]})");
    EXPECT_EQ(e.Fehler, "Buchungen[1]: tiefer verschachtelt, als das Format vorsieht");
    e = Einlesen(R"({"Filterliste": [{"Auswahl": [{}]}]})");
    EXPECT_EQ(e.Fehler, "Filterliste[0]: tiefer verschachtelt, als das Format vorsieht");

    // The deepest nesting the format has is read as before.
    e = Einlesen(R"({"Druckereinstellung": {"Schriftstil": [true, false, false, true]},
                     "Filterliste": [{"Auswahl": ["a", "b"]}],
                     "RgmBuchungen": [{"Monate": [true, true, true, true, true, true,
                                                  true, true, true, true, true, false]}]})");
    ASSERT_TRUE(e.Ok()) << e.Fehler;
    EXPECT_EQ(e.Bestand.Filterliste[0].Auswahl, (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(e.Bestand.RgmBuchungen[0].Monate[11]);
    EXPECT_TRUE(e.Bestand.Druckereinstellung.Schriftstil[3]);
}

}  // namespace
