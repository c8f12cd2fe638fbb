#include "bookings/buchungsoperationen.h"

#include <gtest/gtest.h>

#include <map>

#include "store/datum.h"
#include "testhilfen.h"

using namespace talerwerk;
using talerwerk::test::FesteUhr;
using talerwerk::test::MeldungsArt;
using talerwerk::test::SkriptMeldungen;

namespace {

// The booking editor's fields as plain members.
class TestMaske : public Buchungsmaske {
public:
    std::map<MaskenFeld, std::string> felder;
    bool storniert = false;
    int32_t bart = 0;
    Suchbaum liste1, liste2;
    std::vector<MaskenFeld> fokus;
    Maskenzustand zustand;

    std::string Text(MaskenFeld f) const override { return felder.count(f) ? felder.at(f) : std::string(); }
    void SetzeText(MaskenFeld f, const std::string& t) override { felder[f] = t; }
    bool Storniert() const override { return storniert; }
    void SetzeStorniert(bool s) override { storniert = s; }
    int32_t BArt() const override { return bart; }
    void SetzeBArt(int32_t b) override { bart = b; }
    const Suchbaum& Konto1Liste() const override { return liste1; }
    const Suchbaum& Konto2Liste() const override { return liste2; }
    void Fokus(MaskenFeld f) override { fokus.push_back(f); }
    void Zustand(const Maskenzustand& z) override { zustand = z; }
};

kontotyp Konto(int32_t nr, int32_t art, const std::string& abk, const std::string& name) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.Abk = abk;
    k.Name = name;
    return k;
}

class BuchungsoperationenTest : public ::testing::Test {
protected:
    Datenbestand d;
    Einstellungen e;
    SkriptMeldungen m;
    FesteUhr uhr{*TagesNummer(7, 12, 2026)};
    TestMaske maske;
    std::vector<int> aktualisiert;
    Buchungseingabe eingabe{d, e, m, uhr, maske, [this](int art) { aktualisiert.push_back(art); }};

    void SetUp() override {
        d.Konten = {Konto(-1, ArtBestandskonto, "GIRO", "Girokonto"), Konto(-2, ArtSparkonto, "SPAR", "Sparbuch"),
                    Konto(-3, ArtEinnahme, "LOHN", "Lohn"), Konto(-4, ArtAusgabe, "LM", "Lebensmittel")};
        maske.liste1 = Konto1Baum(d.Konten);
        maske.liste2 = Konto2Baum(d.Konten);
        d.LetzterIndex = -1;
        d.AktIndex = 0;
    }

    void Buchungen(int anzahl) {
        for (int i = 1; i <= anzahl; ++i) {
            buchungstyp b = BuchungVorgabe(SatzBuchung, uhr.heute);
            b.IdentNr = i;
            b.Text = "Buchung " + std::to_string(i);
            b.Betrag = std::to_string(i) + ",00";
            b.Konto1 = -1;
            b.Konto2 = -4;
            b.BArt = BArtAusgabe;
            d.Buchungen.push_back(b);
        }
        d.LetzterIndex = LetzteBuchung(d);
    }

    // Typing a complete, valid booking into the fields.
    void Ausfuellen(const std::string& text = "Einkauf", const std::string& betrag = "12,5") {
        maske.felder[MaskenFeld::Text] = text;
        maske.felder[MaskenFeld::Betrag] = betrag;
        maske.felder[MaskenFeld::Datum] = "01.12.26";
        maske.felder[MaskenFeld::Konto1] = "GIRO";
        maske.felder[MaskenFeld::Konto2] = "LM";
    }

    std::vector<std::string> Fragen() const { return m.Texte(MeldungsArt::Frage); }
    std::vector<std::string> Infos() const { return m.Texte(MeldungsArt::Information); }
};

const std::string FrageBuchen = "Soll Buchung mit diesen Werten vorgenommen werden?";
const std::string FrageUeberschreiben = "Bestehende Buchung mit diesen Werten überschreiben?";
const std::string FrageVeraendert = "Daten wurden verändert!\rSoll Buchung mit neuen Werten vorgenommen werden?";
const std::string FrageNull = "Buchungsbetrag ist 0.00!\rSoll trotzdem gebucht werden?";
const std::string FrageRgm =
    "Buchung ist eine regelmäßige Buchung.\rDaten wurden verändert!\rSoll Buchung zur normalen Buchung werden?";

TEST_F(BuchungsoperationenTest, LeererBestandErsteBuchungBekommtNummerEins) {
    eingabe.Oeffnen(0);
    EXPECT_EQ(d.LetzterIndex, -1);
    EXPECT_EQ(d.AnzeigeIndex, 0);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0001");
    EXPECT_EQ(maske.Text(MaskenFeld::Hinweis1), "Neuer Datensatz");
    EXPECT_EQ(maske.Text(MaskenFeld::Datum), "07.12.26");
    EXPECT_TRUE(maske.zustand.NeueBuchung);
    EXPECT_FALSE(maske.zustand.Gesperrt);
    EXPECT_TRUE(maske.zustand.BuchenMoeglich);
    // The default accounts are shown and count as loaded, not as a change.
    EXPECT_EQ(maske.Text(MaskenFeld::Konto1), "GIRO");
    EXPECT_EQ(maske.Text(MaskenFeld::Konto2), "LOHN");
    EXPECT_EQ(eingabe.Geladen().Konto1, -1);
    EXPECT_FALSE(eingabe.Geaendert());

    Ausfuellen();
    m.antworten = {Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    ASSERT_EQ(d.Buchungen.size(), 1u);
    const buchungstyp& b = d.Buchungen[0];
    EXPECT_EQ(b.IdentNr, 1);
    EXPECT_EQ(b.Betrag, "12,50");
    EXPECT_EQ(b.Datum, *TagesNummer(1, 12, 2026));
    EXPECT_EQ(b.Konto1, -1);
    EXPECT_EQ(b.Konto2, -4);
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(aktualisiert, std::vector<int>{AktualisierungBuchungen});
    EXPECT_EQ(Fragen(), std::vector<std::string>{FrageBuchen});
    // Stays at the new-booking position with the next number, keeping the typed date.
    EXPECT_EQ(d.AktIndex, 1);
    EXPECT_EQ(d.LetzterIndex, 0);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0002");
    EXPECT_EQ(maske.Text(MaskenFeld::Datum), "01.12.26");
    EXPECT_EQ(maske.fokus.back(), MaskenFeld::Datum);
}

TEST_F(BuchungsoperationenTest, PruefreihenfolgeKontenGewinnen) {
    eingabe.Oeffnen(0);
    struct Fall {
        const char *datum, *text, *betrag, *konto1, *konto2;
        Speicherergebnis code;
        MaskenFeld fokus;
        const char* meldung;
    } faelle[] = {
        {"01.12.26", "", "0", "XX", "YY", Speicherergebnis::Konto2Unbekannt, MaskenFeld::Konto2,
         "Buchen nicht möglich!\rKonto unbekannt!"},
        {"", "", "0", "XX", "LM", Speicherergebnis::Konto1Unbekannt, MaskenFeld::Konto1,
         "Buchen nicht möglich!\rKonto unbekannt!"},
        {"32.12.26", "", "5", "GIRO", "LM", Speicherergebnis::DatumFalsch, MaskenFeld::Datum,
         "Buchen nicht möglich!\rDatumseingabe falsch!"},
        {"01.12.26", "", "0", "GIRO", "LM", Speicherergebnis::TextLeer, MaskenFeld::Text,
         "Buchen nicht möglich!\rBuchungstext darf nicht leer sein!"},
        {"01.12.26", "x", "", "GIRO", "LM", Speicherergebnis::NullbetragVerboten, MaskenFeld::Betrag,
         "Buchen nicht möglich!\rGeldbetrag darf nicht 0,00 sein!"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.meldung);
        m.Leeren();
        maske.fokus.clear();
        maske.felder[MaskenFeld::Datum] = f.datum;
        maske.felder[MaskenFeld::Text] = f.text;
        maske.felder[MaskenFeld::Betrag] = f.betrag;
        maske.felder[MaskenFeld::Konto1] = f.konto1;
        maske.felder[MaskenFeld::Konto2] = f.konto2;
        EXPECT_EQ(eingabe.Buchen(), f.code);
        EXPECT_EQ(Infos(), std::vector<std::string>{f.meldung});
        EXPECT_TRUE(Fragen().empty());
        EXPECT_EQ(maske.fokus, std::vector<MaskenFeld>{f.fokus});
        EXPECT_TRUE(d.Buchungen.empty());
    }
}

TEST_F(BuchungsoperationenTest, VierstelligesJahrAusserhalbDerDateijahreIstFalschesDatum) {
    eingabe.Oeffnen(0);
    Ausfuellen();
    // 1975 would be saved as "75" and come back as 2075: refused where it is typed.
    maske.felder[MaskenFeld::Datum] = "01.07.1975";
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::DatumFalsch);
    EXPECT_EQ(Infos(), std::vector<std::string>{"Buchen nicht möglich!\rDatumseingabe falsch!"});
    EXPECT_TRUE(d.Buchungen.empty());

    m.Leeren();
    maske.felder[MaskenFeld::Datum] = "31.12.2079";
    m.antworten = {Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    ASSERT_EQ(d.Buchungen.size(), 1u);
    EXPECT_EQ(d.Buchungen[0].Datum, *TagesNummer(31, 12, 2079));
}

TEST_F(BuchungsoperationenTest, NullbetragErlaubtFragtNachDerBuchungsfrage) {
    e.Nullbuchung = true;
    eingabe.Oeffnen(0);
    Ausfuellen("Null", "0,00");
    m.antworten = {Antwort::Ja, Antwort::Nein};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::NullbetragAbgelehnt);
    EXPECT_EQ(Fragen(), (std::vector<std::string>{FrageBuchen, FrageNull}));
    EXPECT_TRUE(Infos().empty());
    EXPECT_EQ(maske.fokus, std::vector<MaskenFeld>{MaskenFeld::Betrag});
    EXPECT_TRUE(d.Buchungen.empty());
    EXPECT_EQ(maske.Text(MaskenFeld::Text), "Null");  // the entry keeps what was typed

    m.Leeren();
    m.antworten = {Antwort::Ja, Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    ASSERT_EQ(d.Buchungen.size(), 1u);
    EXPECT_EQ(d.Buchungen[0].Betrag, "0,00");

    // Without "Warnung" the zero amount is booked without its question.
    e.Warnung = false;
    m.Leeren();
    Ausfuellen("Null 2", "0");
    m.antworten = {Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    EXPECT_EQ(Fragen(), std::vector<std::string>{FrageBuchen});
    EXPECT_EQ(d.Buchungen.size(), 2u);
}

TEST_F(BuchungsoperationenTest, UeberschreibenUndUnveraendertErneutBuchen) {
    Buchungen(3);
    e.BuchungEdit = false;
    eingabe.Oeffnen(1);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0002");
    EXPECT_EQ(maske.Text(MaskenFeld::Betrag), "2,00");
    EXPECT_FALSE(maske.zustand.NeueBuchung);
    EXPECT_TRUE(maske.zustand.LoeschenMoeglich);

    // Unchanged: the booking question, not the overwrite question; stored again in place.
    m.antworten = {Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    EXPECT_EQ(Fragen(), std::vector<std::string>{FrageBuchen});
    EXPECT_EQ(d.Buchungen.size(), 3u);

    m.Leeren();
    maske.felder[MaskenFeld::Text] = "geändert";
    maske.storniert = true;
    m.antworten = {Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    EXPECT_EQ(Fragen(), std::vector<std::string>{FrageUeberschreiben});
    ASSERT_EQ(d.Buchungen.size(), 3u);
    EXPECT_EQ(d.Buchungen[1].Text, "geändert");
    EXPECT_TRUE(d.Buchungen[1].Storniert);
    EXPECT_EQ(d.Buchungen[1].IdentNr, 2);
    // The same booking is shown again with its stored values.
    EXPECT_EQ(d.AktIndex, 1);
    EXPECT_EQ(eingabe.Geladen().Text, "geändert");

}

TEST_F(BuchungsoperationenTest, VerlassenMitAenderungenJeNachAntwort) {
    Buchungen(3);
    e.BuchungEdit = false;
    eingabe.Oeffnen(0);

    // Yes: stored, then the move completes.
    maske.felder[MaskenFeld::Text] = "neu 1";
    m.antworten = {Antwort::Ja};
    eingabe.Naechste();
    EXPECT_EQ(Fragen(), std::vector<std::string>{FrageVeraendert});
    EXPECT_EQ(d.Buchungen[0].Text, "neu 1");
    EXPECT_EQ(d.AnzeigeIndex, 1);
    EXPECT_EQ(maske.Text(MaskenFeld::Text), "Buchung 2");

    // No: dropped, the move completes.
    m.Leeren();
    maske.felder[MaskenFeld::Text] = "verworfen";
    m.antworten = {Antwort::Nein};
    eingabe.Naechste();
    EXPECT_EQ(d.Buchungen[1].Text, "Buchung 2");
    EXPECT_EQ(d.AnzeigeIndex, 2);

    // Cancel: nothing changes, the cursor returns to the booking shown.
    m.Leeren();
    maske.felder[MaskenFeld::Text] = "behalten";
    m.antworten = {Antwort::Abbrechen};
    eingabe.Erste();
    EXPECT_EQ(d.AktIndex, 2);
    EXPECT_EQ(d.AnzeigeIndex, 2);
    EXPECT_EQ(maske.Text(MaskenFeld::Text), "behalten");
    EXPECT_EQ(d.Buchungen[2].Text, "Buchung 3");
}

TEST_F(BuchungsoperationenTest, AbgelehntesVerlassenWirdBeimBuchenVollendet) {
    Buchungen(3);
    e.BuchungEdit = false;
    eingabe.Oeffnen(0);
    maske.felder[MaskenFeld::Text] = "";
    m.antworten = {Antwort::Ja};
    eingabe.Naechste();
    EXPECT_EQ(Infos(), std::vector<std::string>{"Buchen nicht möglich!\rBuchungstext darf nicht leer sein!"});
    EXPECT_EQ(maske.fokus.back(), MaskenFeld::Text);
    EXPECT_EQ(d.AktIndex, 1);       // the requested position is kept …
    EXPECT_EQ(d.AnzeigeIndex, 0);   // … while the booking being edited stays on screen
    maske.felder[MaskenFeld::Text] = "repariert";
    m.antworten = {Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    EXPECT_EQ(d.Buchungen[0].Text, "repariert");
    EXPECT_EQ(d.AnzeigeIndex, 1);
}

TEST_F(BuchungsoperationenTest, RegelmaessigeBuchungUmwandeln) {
    Buchungen(1);
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Kennung = "A123.12.26"; });
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Bezeichnung = "Miete"; });
    e.BuchungEdit = false;
    eingabe.Oeffnen(0);
    EXPECT_EQ(maske.Text(MaskenFeld::Hinweis1), "Regelmäßige Buchung");
    EXPECT_EQ(maske.Text(MaskenFeld::Hinweis2), "Miete");

    // Unchanged: no conversion question.
    m.antworten = {Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    EXPECT_EQ(Fragen(), std::vector<std::string>{FrageBuchen});

    m.Leeren();
    maske.felder[MaskenFeld::Betrag] = "7";
    m.antworten = {Antwort::Abbrechen};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Abgebrochen);
    EXPECT_EQ(Fragen(), std::vector<std::string>{FrageRgm});
    EXPECT_EQ(d.Buchungen[0].Betrag, "1,00");

    m.Leeren();
    m.antworten = {Antwort::Nein, Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    EXPECT_EQ(Fragen(), (std::vector<std::string>{FrageRgm, FrageUeberschreiben}));
    EXPECT_EQ(d.Buchungen[0].Betrag, "7,00");
    EXPECT_EQ(d.Buchungen[0].Kennung, "A123.12.26");
    EXPECT_EQ(d.Buchungen[0].Bezeichnung, "Miete");

    m.Leeren();
    maske.felder[MaskenFeld::Betrag] = "8";
    m.antworten = {Antwort::Ja, Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    EXPECT_EQ(d.Buchungen[0].Kennung, "");
    EXPECT_EQ(d.Buchungen[0].Bezeichnung, "");
    EXPECT_EQ(maske.Text(MaskenFeld::Hinweis2), "");
}

TEST_F(BuchungsoperationenTest, UmwandlungsfrageFolgtJederAntwortDerNachfrage) {
    Buchungen(2);
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Kennung = "B7"; });
    e.BuchungEdit = false;
    eingabe.Oeffnen(0);
    maske.felder[MaskenFeld::Text] = "anders";
    m.antworten = {Antwort::Abbrechen, Antwort::Nein};
    eingabe.Naechste();
    EXPECT_EQ(Fragen(), (std::vector<std::string>{FrageVeraendert, FrageRgm}));
    EXPECT_EQ(d.AnzeigeIndex, 0);  // cancelled: the booking stays on screen

    // No to the change question drops the changes even when the conversion is answered Yes.
    m.Leeren();
    m.antworten = {Antwort::Nein, Antwort::Ja};
    eingabe.Naechste();
    EXPECT_EQ(Fragen(), (std::vector<std::string>{FrageVeraendert, FrageRgm}));
    EXPECT_EQ(d.AnzeigeIndex, 1);
    EXPECT_EQ(d.Buchungen[0].Kennung, "B7");
    EXPECT_NE(d.Buchungen[0].Text, "anders");
}

TEST_F(BuchungsoperationenTest, BewegungenAnDenRaendern) {
    Buchungen(3);
    e.BuchungEdit = false;
    eingabe.Oeffnen(0);
    eingabe.Vorige();
    EXPECT_EQ(d.AktIndex, 0);
    eingabe.Letzte();
    EXPECT_EQ(d.AktIndex, 2);
    eingabe.Letzte();  // at the last booking: the new-booking position
    EXPECT_EQ(d.AktIndex, 3);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0004");
    EXPECT_FALSE(maske.zustand.LoeschenMoeglich);
    eingabe.Naechste();  // at the new-booking position: shown anew
    EXPECT_EQ(d.AktIndex, 3);
    EXPECT_EQ(d.AnzeigeIndex, 3);
    eingabe.Vorige();
    EXPECT_EQ(d.AktIndex, 2);
    eingabe.Naechste();
    EXPECT_EQ(d.AktIndex, 3);
    eingabe.Erste();
    EXPECT_EQ(d.AktIndex, 0);
    EXPECT_TRUE(m.meldungen.empty());
}

TEST_F(BuchungsoperationenTest, NaechsteAufNeuerBuchungBietetDieEingabeAn) {
    Buchungen(1);
    eingabe.Oeffnen(1);
    Ausfuellen("getippt");
    m.antworten = {Antwort::Ja};
    eingabe.Naechste();
    EXPECT_EQ(Fragen(), std::vector<std::string>{FrageVeraendert});
    ASSERT_EQ(d.Buchungen.size(), 2u);
    EXPECT_EQ(d.Buchungen[1].Text, "getippt");
    EXPECT_EQ(d.Buchungen[1].IdentNr, 2);
    EXPECT_EQ(d.AktIndex, 2);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0003");
    EXPECT_EQ(maske.Text(MaskenFeld::Text), "");
}

TEST_F(BuchungsoperationenTest, GeheZuNachNummerUndBeleg) {
    Buchungen(3);
    d.Buchungen.Aendern(1, [&](buchungstyp& satz) { satz.Belegnr = "R-7"; });
    d.Buchungen.Aendern(2, [&](buchungstyp& satz) { satz.Belegnr = "R-7"; });
    EXPECT_EQ(BuchungSuchenBeleg(d, "R-7"), 1);
    EXPECT_EQ(BuchungSuchenBeleg(d, "r-7"), -1);
    EXPECT_EQ(BuchungSuchenNr(d, 3), 2);
    EXPECT_EQ(BuchungSuchenNr(d, 9), -1);
    eingabe.Oeffnen(0);
    EXPECT_TRUE(eingabe.GeheZuNr(3));
    EXPECT_EQ(d.AnzeigeIndex, 2);
    EXPECT_FALSE(eingabe.GeheZuNr(17));
    EXPECT_EQ(m.meldungen.back().Art, MeldungsArt::Piep);
    EXPECT_EQ(d.AnzeigeIndex, 2);
}

TEST_F(BuchungsoperationenTest, LoeschenAusDerEingabeZeigtDieVorigeBuchung) {
    Buchungen(3);
    eingabe.Oeffnen(1);
    m.antworten = {Antwort::Nein};
    EXPECT_FALSE(eingabe.Loeschen());
    EXPECT_EQ(Fragen(), std::vector<std::string>{"Soll Buchung \"0002\" wirklich gelöscht werden?"});
    EXPECT_EQ(d.Buchungen.size(), 3u);

    m.antworten = {Antwort::Ja};
    EXPECT_TRUE(eingabe.Loeschen());
    ASSERT_EQ(d.Buchungen.size(), 2u);
    EXPECT_EQ(d.Buchungen[1].IdentNr, 3);
    EXPECT_EQ(d.LetzterIndex, 1);
    EXPECT_EQ(d.AktIndex, 0);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0001");
    EXPECT_EQ(aktualisiert, std::vector<int>{AktualisierungBuchungen});

    // At position 0 the booking that moved up is shown; no question with "Warnung" off.
    e.Warnung = false;
    m.Leeren();
    EXPECT_TRUE(eingabe.Loeschen());
    EXPECT_TRUE(m.meldungen.empty());
    EXPECT_EQ(d.AktIndex, 0);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0003");

    // Deleting the highest number gives the next new booking that number again.
    EXPECT_TRUE(eingabe.Loeschen());
    EXPECT_TRUE(d.Buchungen.empty());
    EXPECT_TRUE(maske.zustand.NeueBuchung);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0001");
}

TEST_F(BuchungsoperationenTest, LoeschenAusDemHauptfensterZeigtDieNachgerueckte) {
    Buchungen(3);
    e.Warnung = false;
    eingabe.Oeffnen(1);
    EXPECT_TRUE(eingabe.LoeschenHauptfenster());
    EXPECT_EQ(d.AktIndex, 1);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0003");
    EXPECT_TRUE(eingabe.LoeschenHauptfenster());
    EXPECT_EQ(d.AktIndex, 1);
    EXPECT_TRUE(maske.zustand.NeueBuchung);
    // Nothing to delete at the new-booking position.
    EXPECT_FALSE(eingabe.LoeschenHauptfenster());
    EXPECT_EQ(d.Buchungen.size(), 1u);
}

TEST_F(BuchungsoperationenTest, LoeschenNachAbgelehntemVerlassenTrifftDieGezeigteBuchung) {
    Buchungen(4);
    e.BuchungEdit = false;
    e.Warnung = false;
    eingabe.Oeffnen(2);
    maske.felder[MaskenFeld::Text] = "";
    m.antworten = {Antwort::Ja};
    eingabe.Erste();  // refused: AktIndex 0, booking 3 still shown
    ASSERT_EQ(d.AktIndex, 0);
    EXPECT_TRUE(eingabe.Loeschen());
    EXPECT_EQ(BuchungSuchenNr(d, 3), -1);
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0002");  // the booking before the deleted one
}

TEST_F(BuchungsoperationenTest, SerienloeschungGibtDieAntwortZurueck) {
    Buchungen(4);
    m.antworten = {Antwort::Nein, Antwort::Abbrechen, Antwort::Alle};
    EXPECT_EQ(BuchungenLoeschen(d, "0001", true, e, m), Antwort::Nein);
    EXPECT_EQ(BuchungenLoeschen(d, "0001", true, e, m), Antwort::Abbrechen);
    EXPECT_EQ(BuchungenLoeschen(d, "0001", true, e, m), Antwort::Alle);
    EXPECT_EQ(m.meldungen.back().Tasten, Knoepfe::JaNeinAbbrechenAlle);
    EXPECT_EQ(BuchungenLoeschen(d, "0002", false, e, m), Antwort::Ja);
    EXPECT_EQ(d.Buchungen.size(), 2u);
    EXPECT_EQ(BuchungenLoeschen(d, "0099", false, e, m), Antwort::Abbrechen);
    EXPECT_TRUE(d.Geaendert);
}

TEST_F(BuchungsoperationenTest, SerienloeschungEinerAuswahlInEinemDurchgang) {
    Buchungen(6);
    // No for the first, Yes for the second, then All: the rest go without a question.
    m.antworten = {Antwort::Nein, Antwort::Ja, Antwort::Alle};
    EXPECT_EQ(BuchungenLoeschen(d, {"0001", "0002", "0004", "0005", "0006"}, e, m), Antwort::Ja);
    EXPECT_EQ(m.meldungen.size(), 3u);
    ASSERT_EQ(d.Buchungen.size(), 2u);
    EXPECT_EQ(d.Buchungen[0].IdentNr, 1);
    EXPECT_EQ(d.Buchungen[1].IdentNr, 3);
    EXPECT_TRUE(d.Geaendert);

    // Cancel stops: those confirmed before it are gone, the rest stay.
    d.Buchungen.clear();
    Buchungen(4);
    m.meldungen.clear();
    m.antworten = {Antwort::Ja, Antwort::Abbrechen};
    EXPECT_EQ(BuchungenLoeschen(d, {"0002", "0003", "0004"}, e, m), Antwort::Abbrechen);
    EXPECT_EQ(d.Buchungen.size(), 3u);
    EXPECT_EQ(BuchungSuchenNr(d, 2), -1);
    EXPECT_EQ(BuchungSuchenNr(d, 4), 2);

    // A number without booking cancels; nothing was asked before it, nothing goes.
    EXPECT_EQ(BuchungenLoeschen(d, {"0099", "0001"}, e, m), Antwort::Abbrechen);
    EXPECT_EQ(d.Buchungen.size(), 3u);
}

TEST_F(BuchungsoperationenTest, UeberschreibenTrifftNurDieErsteBuchungDerNummer) {
    Buchungen(3);
    d.Buchungen.Aendern(2, [&](buchungstyp& satz) { satz.IdentNr = 2; });  // a file with a number used twice
    BuchungenErneuert(d);
    buchungstyp b = d.Buchungen[1];
    b.Text = "neu";
    ASSERT_TRUE(BuchungEinfuegen(d, b, 1));
    EXPECT_EQ(d.Buchungen[1].Text, "neu");
    EXPECT_NE(d.Buchungen[2].Text, "neu");
}

TEST_F(BuchungsoperationenTest, SperreBeimZeigenUndUmschalten) {
    Buchungen(3);
    eingabe.Oeffnen(0);
    EXPECT_TRUE(maske.zustand.Gesperrt);
    eingabe.SperreUmschalten();
    EXPECT_FALSE(maske.zustand.Gesperrt);
    eingabe.Naechste();  // another booking: locked again
    EXPECT_TRUE(maske.zustand.Gesperrt);
    eingabe.SperreUmschalten();
    maske.felder[MaskenFeld::Text] = "halb fertig";

    // Locking with changes asks; Cancel keeps editing allowed.
    m.antworten = {Antwort::Abbrechen};
    eingabe.SperreUmschalten();
    EXPECT_EQ(Fragen(), std::vector<std::string>{FrageVeraendert});
    EXPECT_FALSE(eingabe.Gesperrt());
    EXPECT_EQ(maske.Text(MaskenFeld::Text), "halb fertig");

    m.antworten = {Antwort::Ja};
    eingabe.SperreUmschalten();
    EXPECT_TRUE(eingabe.Gesperrt());
    EXPECT_EQ(d.Buchungen[1].Text, "halb fertig");

    // The new-booking position is always editable; coming back restores the lock.
    e.BuchungEdit = false;
    eingabe.Letzte();
    eingabe.Letzte();
    EXPECT_TRUE(maske.zustand.NeueBuchung);
    EXPECT_FALSE(maske.zustand.Gesperrt);
    eingabe.Naechste();
    eingabe.Vorige();
    EXPECT_TRUE(maske.zustand.Gesperrt);
}

TEST_F(BuchungsoperationenTest, RegelmaessigeBuchungHinterDerNeuenBuchung) {
    Buchungen(2);
    eingabe.Oeffnen(2);
    Ausfuellen("getippt");
    // A recurring booking is appended under the number the blank form shows.
    buchungstyp r = BuchungVorgabe(SatzBuchung, uhr.heute);
    r.IdentNr = 3;
    r.Text = "Miete";
    r.Kennung = "Z1";
    r.Konto1 = -1;
    r.Konto2 = -4;
    r.Betrag = "500,00";
    d.Buchungen.push_back(r);
    eingabe.RgmBuchungAngehaengt();
    // No question in the middle of the run: the typed blank moves on with the cursor and gets
    // the next free number.
    EXPECT_TRUE(m.meldungen.empty());
    ASSERT_EQ(d.Buchungen.size(), 3u);
    EXPECT_EQ(d.AktIndex, 3);
    EXPECT_EQ(maske.Text(MaskenFeld::Text), "getippt");
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0004");
    m.antworten = {Antwort::Ja};
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    ASSERT_EQ(d.Buchungen.size(), 4u);
    EXPECT_EQ(d.Buchungen[2].Text, "Miete");  // not overwritten by the typed booking
    EXPECT_EQ(d.Buchungen[3].Text, "getippt");
    EXPECT_EQ(d.Buchungen[3].IdentNr, 4);  // a number of its own
    EXPECT_EQ(maske.Text(MaskenFeld::Nummer), "0005");

    // Standing on an existing booking only the last position moves.
    d.AktIndex = 1;
    d.LetzterIndex = 3;
    EXPECT_FALSE(talerwerk::RgmBuchungAngehaengt(d, true));
    EXPECT_EQ(d.AktIndex, 1);
    EXPECT_EQ(d.LetzterIndex, 4);
}

TEST_F(BuchungsoperationenTest, UeberschreibenEinerInzwischenGeloeschtenBuchungVerliertNichts) {
    Buchungen(2);
    e.BuchungEdit = false;
    e.Ueberschreiben = false;
    eingabe.Oeffnen(0);
    maske.felder[MaskenFeld::Text] = "wichtig";
    d.Buchungen.Entfernen({0});  // removed meanwhile from the booking list
    d.LetzterIndex = 0;
    EXPECT_EQ(eingabe.Buchen(), Speicherergebnis::Gebucht);
    ASSERT_EQ(d.Buchungen.size(), 2u);
    EXPECT_EQ(d.Buchungen[1].Text, "wichtig");
}

TEST_F(BuchungsoperationenTest, SchliessenMitAenderungen) {
    eingabe.Oeffnen(0);
    EXPECT_TRUE(eingabe.Schliessen());
    EXPECT_EQ(d.AnzeigeIndex, -1);

    eingabe.Oeffnen(0);
    Ausfuellen("");
    m.antworten = {Antwort::Ja};
    EXPECT_FALSE(eingabe.Schliessen());
    EXPECT_EQ(Infos(), std::vector<std::string>{"Buchen nicht möglich!\rBuchungstext darf nicht leer sein!"});
    EXPECT_EQ(d.AnzeigeIndex, 0);

    m.antworten = {Antwort::Nein};
    EXPECT_TRUE(eingabe.Schliessen());
    EXPECT_TRUE(d.Buchungen.empty());
}

TEST_F(BuchungsoperationenTest, OhneKontenKeinBuchen) {
    d.Konten = {Konto(-3, ArtEinnahme, "LOHN", "Lohn")};
    maske.liste1 = Konto1Baum(d.Konten);
    maske.liste2 = Konto2Baum(d.Konten);
    eingabe.Oeffnen(0);
    EXPECT_FALSE(maske.zustand.BuchenMoeglich);
    EXPECT_EQ(maske.Text(MaskenFeld::Konto1), "");
    EXPECT_EQ(eingabe.Geladen().Konto1, 0);
    EXPECT_EQ(eingabe.Geladen().Konto2, -3);
}

}  // namespace
