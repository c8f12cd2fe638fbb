#include "bookings/buchungsliste.h"

#include <gtest/gtest.h>

#include "evaluation/testbuch.h"
#include "testhilfen.h"

namespace talerwerk {
namespace {

using test::Tag;

abfragetyp Alles() { return AbfrageAusBaeumen(MonatsDatenTyp{}, CodeAlleKonten, CodeAlleRubriken); }

// Bookings numbered 1… in collection order with the given texts, amounts, dates and flags.
struct Zeile {
    const char* Text;
    const char* Betrag;
    int32_t Datum;
    bool Storniert;
    const char* Beleg;
    int32_t Konto2;
};

Datenbestand Buch(std::initializer_list<Zeile> zeilen) {
    Datenbestand d = test::KleinesBuch();
    for (const Zeile& z : zeilen) {
        buchungstyp b = test::Buchung(z.Datum, BArtAusgabe, 0, 1, z.Konto2, z.Storniert);
        b.IdentNr = static_cast<int32_t>(d.Buchungen.size()) + 1;
        b.Text = z.Text;
        b.Betrag = z.Betrag;
        b.Belegnr = z.Beleg;
        d.Buchungen.push_back(b);
    }
    BuchungenErneuert(d);
    return d;
}

std::vector<std::string> Spalte(const Buchungsliste& l, int spalte) {
    std::vector<std::string> s;
    for (size_t z = 0; z < l.Anzahl(); ++z) s.push_back(l.Zelle(z, spalte));
    return s;
}

TEST(Buchungsliste, SortierungenNachIhrenRegeln) {
    const int32_t t = Tag(1, 3, 2026);
    const Datenbestand d = Buch({
        {"zebra", "10,00", t + 5, false, "b", 21},
        {"Apfel", "9,00", t, true, "B", 22},
        {"äpfel", "-5,00", t + 1, false, "a", 30},
        {"apfelmus", "100,00", t - 400, true, "", 10},
        {"Apfel", "9,00", t + 1, false, "B", 20},
    });
    Buchungsliste l;
    l.Aktualisieren(d, Alles(), 1);
    EXPECT_EQ(l.StatusText(), "5 von 5");
    // Vouchers case-sensitive; equal keys keep the collection order.
    EXPECT_EQ(Spalte(l, 0), (std::vector<std::string>{"0004", "0002", "0005", "0003", "0001"}));
    l.Sortieren(2);
    EXPECT_EQ(Spalte(l, 0), (std::vector<std::string>{"0002", "0004", "0001", "0003", "0005"}));
    EXPECT_EQ(Spalte(l, 2), (std::vector<std::string>{"  x", "  x", "", "", ""}));
    l.Sortieren(3);
    EXPECT_EQ(Spalte(l, 3), (std::vector<std::string>{"25.01.25", "01.03.26", "02.03.26", "02.03.26", "06.03.26"}));
    // Amounts as numbers, not as texts.
    l.Sortieren(6);
    EXPECT_EQ(Spalte(l, 6), (std::vector<std::string>{"-5,00", "9,00", "9,00", "10,00", "100,00"}));
    EXPECT_EQ(Spalte(l, 0)[1], "0002");
    // Upper-casing of a–z only: "ä" stays behind every letter; "apfelmus" after "Apfel".
    l.Sortieren(5);
    EXPECT_EQ(Spalte(l, 5), (std::vector<std::string>{"Apfel", "Apfel", "apfelmus", "zebra", "äpfel"}));
    EXPECT_EQ(Spalte(l, 0)[0], "0002");
    l.Sortieren(5);  // no reverse order
    EXPECT_EQ(Spalte(l, 5)[0], "Apfel");
    // Display paths: "Auto" < "Gehalt" < "Haushalt" < "Haushalt  \  Drogerie" < "…Lebensmittel".
    l.Sortieren(8);
    EXPECT_EQ(Spalte(l, 8), (std::vector<std::string>{"Auto", "Gehalt", "Haushalt", "Haushalt  \\  Drogerie",
                                                      "Haushalt  \\  Lebensmittel"}));
    EXPECT_EQ(l.Sortierung(), 8);
}

TEST(Buchungsliste, ZellenAuswahlUndLeereListe) {
    Datenbestand leer = test::KleinesBuch();
    Buchungsliste l;
    l.Aktualisieren(leer, Alles(), 1);
    EXPECT_EQ(l.StatusText(), "0 von 0");
    EXPECT_EQ(l.Zelle(0, 0), "");

    Datenbestand d = Buch({{"Miete", "890,00", Tag(1, 12, 2026), false, "R-1", 21}});
    buchungstyp u = test::Buchung(Tag(2, 12, 2026), BArtUmbuchung, 15000, 1, 3);
    u.IdentNr = 12345;
    u.Text = "Sparen; \"monatlich\"";
    BuchungAnhaengen(d, u);
    l.Aktualisieren(d, Alles(), 0);
    ASSERT_EQ(l.Anzahl(), 2u);
    const std::vector<std::string> zeile{"12345", "", "", "02.12.26", "U", "Sparen; \"monatlich\"", "150,00",
                                         "Girokonto", "Sparbuch"};
    for (int s = 0; s < BListeSpalten; ++s) EXPECT_EQ(l.Zelle(1, s), zeile[static_cast<size_t>(s)]) << s;
    EXPECT_EQ(l.BArt(1), BArtUmbuchung);
    EXPECT_EQ(l.Nummer(1), 12345);
    EXPECT_EQ(l.ZeileVon(1), 1);

    // "Umbuchungen" lists only transfers; a top-level category lists its sub-categories.
    l.Aktualisieren(d, AbfrageAusBaeumen(MonatsDatenTyp{}, CodeAlleKonten, CodeUmbuchungen), 1);
    EXPECT_EQ(l.StatusText(), "1 von 2");
    EXPECT_EQ(l.Nummer(0), 12345);
    l.Aktualisieren(d, AbfrageAusBaeumen(MonatsDatenTyp{}, CodeAlleKonten, 20), 1);
    EXPECT_EQ(l.Nummer(0), 1);
    EXPECT_TRUE(l.Aktuell(d));
    BuchungenEntfernen(d, {0});
    EXPECT_FALSE(l.Aktuell(d));
}

class ListeLoeschen : public ::testing::Test {
protected:
    void SetUp() override {
        d = Buch({{"a", "1,00", Tag(1, 1, 2026), false, "", 21},
                  {"b", "2,00", Tag(2, 1, 2026), false, "", 21},
                  {"c", "3,00", Tag(3, 1, 2026), false, "", 21},
                  {"d", "4,00", Tag(4, 1, 2026), false, "", 21},
                  {"e", "5,00", Tag(5, 1, 2026), false, "", 21}});
        d.LetzterIndex = 4;
        liste.Aktualisieren(d, Alles(), 6);
    }
    std::vector<std::string> Texte() const {
        std::vector<std::string> t;
        for (const buchungstyp& b : d.Buchungen) t.push_back(b.Text);
        return t;
    }
    Datenbestand d;
    Buchungsliste liste;
    Einstellungen e;
    test::SkriptMeldungen m;
};

TEST_F(ListeLoeschen, AlleBeiDerErstenFrage) {
    m.antworten = {Antwort::Alle};
    const Listenloeschung l = ZeilenLoeschen(d, liste, {0, 2, 3}, false, e, m);
    EXPECT_EQ(l.Entfernt, 3u);
    EXPECT_EQ(m.Texte(test::MeldungsArt::Frage),
              std::vector<std::string>{"Soll Buchung \"0001\" wirklich gelöscht werden?"});
    EXPECT_EQ(Texte(), (std::vector<std::string>{"b", "e"}));
    EXPECT_TRUE(d.Geaendert);
    EXPECT_EQ(d.LetzterIndex, 1);
}

TEST_F(ListeLoeschen, NeinVerschontAbbruchBeendet) {
    m.antworten = {Antwort::Ja, Antwort::Nein, Antwort::Abbrechen};
    const Listenloeschung l = ZeilenLoeschen(d, liste, {0, 1, 2, 3}, false, e, m);
    EXPECT_EQ(l.Letzte, Antwort::Abbrechen);
    EXPECT_EQ(l.Entfernt, 1u);
    EXPECT_EQ(m.Texte(test::MeldungsArt::Frage).size(), 3u);
    EXPECT_EQ(Texte(), (std::vector<std::string>{"b", "c", "d", "e"}));
}

TEST_F(ListeLoeschen, EingabeBleibtAufIhrerBuchung) {
    // The entry shows "d" (position 3); "a" and "c" before it go, "e" after it too.
    d.AktIndex = 3;
    d.AnzeigeIndex = 3;
    e.Warnung = false;
    const Listenloeschung l = ZeilenLoeschen(d, liste, {4, 0, 2}, true, e, m);
    EXPECT_TRUE(m.meldungen.empty());
    EXPECT_TRUE(l.EingabeZeigen);
    ASSERT_EQ(Texte(), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(d.AktIndex, 1);
    EXPECT_EQ(d.AnzeigeIndex, 1);
    EXPECT_EQ(d.Buchungen[static_cast<size_t>(d.AktIndex)].Text, "d");
}

TEST_F(ListeLoeschen, GezeigteBuchungGehtMit) {
    d.AktIndex = 2;
    d.AnzeigeIndex = 2;
    m.vorgabe = Antwort::Ja;
    ZeilenLoeschen(d, liste, {2, 1}, true, e, m);
    // Its fields may not be stored over another booking: the entry has nothing loaded any more.
    EXPECT_EQ(d.AnzeigeIndex, -1);
    EXPECT_EQ(d.AktIndex, 0);
    EXPECT_EQ(Texte(), (std::vector<std::string>{"a", "d", "e"}));
}

TEST_F(ListeLoeschen, VeralteteListeLoeschtNichts) {
    BuchungenEntfernen(d, {4});
    const Listenloeschung l = ZeilenLoeschen(d, liste, {0}, false, e, m);
    EXPECT_EQ(l.Entfernt, 0u);
    EXPECT_EQ(d.Buchungen.size(), 4u);
}

}  // namespace
}  // namespace talerwerk
