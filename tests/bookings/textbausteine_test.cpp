#include "bookings/textbausteine.h"

#include <gtest/gtest.h>

#include "store/datum.h"
#include "testhilfen.h"

namespace talerwerk {
namespace {

using test::FesterZufall;
using test::FesteUhr;
using test::MeldungsArt;
using test::SkriptMeldungen;

kontotyp Baustein(int32_t nr, const std::string& abk, const std::string& text) {
    kontotyp k;
    k.Nr = nr;
    k.Art = ArtTextbaustein;
    k.Abk = abk;
    k.Text1 = text;
    return k;
}

std::vector<kontotyp> Eingebaute() {
    return {Baustein(10, "#D", PlatzhalterDatum), Baustein(11, "#M", PlatzhalterMonat),
            Baustein(12, "#J", PlatzhalterJahr)};
}

int32_t Tag(int t, int m, int j) { return *TagesNummer(t, m, j); }

TEST(ErsetzeErstes, ReplacesOnlyTheFirstExactOccurrence) {
    EXPECT_EQ(ErsetzeErstes("a #D b #D", "#D", "X"), "a X b #D");
    EXPECT_EQ(ErsetzeErstes("Kauf tbs", "tbs", "Einkauf"), "Kauf Einkauf");  // at the end
    EXPECT_EQ(ErsetzeErstes("Miete", "mi", "X"), "Miete");                   // case-sensitive
    EXPECT_EQ(ErsetzeErstes("Miete", "xyz", "X"), "Miete");
    EXPECT_EQ(ErsetzeErstes("Schmiede", "mi", "MI"), "SchMIede");            // no word boundaries
}

TEST(ErsetzeErstes, EmptySearchChangesNothing) {
    // A snippet read from a file without abbreviation must not put its text before every text.
    EXPECT_EQ(ErsetzeErstes("Miete", "", "Einkauf"), "Miete");
}

TEST(PlatzhalterErsetzen, FillsDateMonthAndYearOnce) {
    const int32_t tag = Tag(7, 12, 2026);
    EXPECT_EQ(PlatzhalterErsetzen("am [aktuelles Datum]", tag), "am 07.12.2026");
    EXPECT_EQ(PlatzhalterErsetzen("[aktueller Monat] [aktuelles Jahr]", tag), "Dezember 2026");
    EXPECT_EQ(PlatzhalterErsetzen("[aktueller Monat]/[aktueller Monat]", Tag(1, 3, 2025)), "März/[aktueller Monat]");
}

TEST(TextbausteineErsetzen, SnippetsThenPlaceholdersWithToday) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "MI", "Miete #M"));
    FesteUhr uhr(Tag(15, 5, 2026));
    // The built-in #M stands for the month placeholder, which is filled in afterwards.
    EXPECT_EQ(TextbausteineErsetzen("#M Strom", tb, uhr), "Mai Strom");
    // Two #D: only the first is replaced.
    EXPECT_EQ(TextbausteineErsetzen("#D und #D", tb, uhr), "15.05.2026 und #D");
}

TEST(AbkuerzungErsetzen, NeverInsideAPlaceholder) {
    // "es" occurs in "[aktuelles Datum]" and "[aktuelles Jahr]"; the first "es" outside counts.
    EXPECT_EQ(AbkuerzungErsetzen("[aktuelles Datum]", "es", "Einkauf"), "[aktuelles Datum]");
    EXPECT_EQ(AbkuerzungErsetzen("[aktuelles Jahr] es es", "es", "X"), "[aktuelles Jahr] X es");
    EXPECT_EQ(AbkuerzungErsetzen("Rest [aktuelles Datum]", "es", "X"), "RXt [aktuelles Datum]");
    // Inside, at either edge, or across the edge of a placeholder: none of them count.
    for (const char* abk : {"Monat", "[akt", "Monat]", "t] x", "x [a", "r M"})
        EXPECT_EQ(AbkuerzungErsetzen("x [aktueller Monat] x", abk, "!"), "x [aktueller Monat] x") << abk;
    EXPECT_EQ(AbkuerzungErsetzen("[aktuelles Datum][aktuelles Datum]", "][", "X"), "[aktuelles Datum][aktuelles Datum]");
    // A half placeholder is no placeholder; and an empty abbreviation occurs nowhere.
    EXPECT_EQ(AbkuerzungErsetzen("[aktuelles Dat", "es", "X"), "[aktuellX Dat");
    EXPECT_EQ(AbkuerzungErsetzen("Miete", "", "X"), "Miete");
}

TEST(TextbausteineErsetzen, AbbreviationInsideAPlaceholderLeavesTheDate) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "es", "Einkauf Supermarkt"));
    tb.push_back(Baustein(21, "Jahr", "Jahresbeitrag"));
    FesteUhr uhr(Tag(15, 5, 2026));
    EXPECT_EQ(TextbausteineErsetzen("#D", tb, uhr), "15.05.2026");
    EXPECT_EQ(TextbausteineErsetzen("#J es", tb, uhr), "2026 Einkauf Supermarkt");
    EXPECT_EQ(TextbausteineErsetzen("Jahr #J", tb, uhr), "Jahresbeitrag 2026");

    // The booking entry's tree shows the built-ins as dates, not "[aktuelEinkauf Supermarkt Datum]".
    const Suchbaum baum = TextBaumErweitert(tb, Tag(7, 12, 2026));
    ASSERT_EQ(baum.Anzahl(), 6);
    EXPECT_EQ(baum.Eintraege[1].Text, "07.12.2026");
    EXPECT_EQ(baum.Eintraege[2].Text, "Dezember");
    EXPECT_EQ(baum.Eintraege[3].Text, "2026");
    auto e = ErsetzungBeimTippen(baum, "#D ");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Text, "07.12.2026");
}

TEST(TextBaumErweitert, ItemsShowExpandedTextsListsKeepAbbreviations) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "MI", "Miete #M"));
    tb.push_back(Baustein(21, "EK", "Einkauf"));
    const Suchbaum baum = TextBaumErweitert(tb, Tag(7, 12, 2026));
    ASSERT_EQ(baum.Anzahl(), 6);
    EXPECT_TRUE(baum.Eintraege[0].Ueberschrift);
    EXPECT_EQ(baum.Eintraege[0].Text, "Textbaustein");
    EXPECT_EQ(baum.Eintraege[1].Text, "07.12.2026");
    EXPECT_EQ(baum.Eintraege[4].Text, "Miete Dezember");
    EXPECT_EQ(baum.Eintraege[4].Abk, "MI");
    EXPECT_EQ(baum.Eintraege[4].Nr, 20);
    EXPECT_EQ(baum.Eintraege[5].Text, "Einkauf");
}

TEST(ErsetzungBeimTippen, WordBeforeTheSpaceExpands) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "tbs1", "Einkauf"));
    const Suchbaum baum = TextBaumErweitert(tb, Tag(7, 12, 2026));

    auto e = ErsetzungBeimTippen(baum, "Kauf #D ");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Text, "Kauf 07.12.2026");  // no space after the expansion
    EXPECT_EQ(e->Position, 1);

    e = ErsetzungBeimTippen(baum, "tbs1 ");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Text, "Einkauf");
    EXPECT_EQ(e->Position, 4);

    EXPECT_FALSE(ErsetzungBeimTippen(baum, "Kauf "));     // no abbreviation
    EXPECT_FALSE(ErsetzungBeimTippen(baum, "Kauf #D"));   // no space yet
    EXPECT_FALSE(ErsetzungBeimTippen(baum, "Kauf  "));    // empty word
    EXPECT_FALSE(ErsetzungBeimTippen(baum, ""));
    EXPECT_FALSE(ErsetzungBeimTippen(baum, "tbs "));      // only exact abbreviations
    EXPECT_FALSE(ErsetzungBeimTippen(baum, "Textbaustein "));  // the heading is never matched
}

TEST(ErsetzungBeimVerlassen, OnlyAWholeAbbreviation) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "EK", "Einkauf"));
    const Suchbaum baum = TextBaumErweitert(tb, Tag(7, 12, 2026));
    auto e = ErsetzungBeimVerlassen(baum, "EK");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Text, "Einkauf");
    EXPECT_FALSE(ErsetzungBeimVerlassen(baum, "EK "));
    EXPECT_FALSE(ErsetzungBeimVerlassen(baum, "Kauf EK"));
}

TEST(TextbausteinEditor, BuiltInsAreProtectedAndHeadingAllowsOnlyNew) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "EK", "Einkauf"));
    TextbausteinEditor ed(tb);
    auto k = ed.Knopfzustand(TextbausteinEditor::Ueberschrift);
    EXPECT_TRUE(k.Neu);
    EXPECT_FALSE(k.Loeschen);
    EXPECT_FALSE(k.Felder);
    for (int i = 0; i < 3; ++i) {
        k = ed.Knopfzustand(i);
        EXPECT_FALSE(k.Loeschen) << i;
        EXPECT_FALSE(k.Felder) << i;
    }
    k = ed.Knopfzustand(3);
    EXPECT_TRUE(k.Loeschen);
    EXPECT_TRUE(k.Felder);
    EXPECT_EQ(k.Hinweis, "");

    SkriptMeldungen m;
    EXPECT_FALSE(ed.Loeschen(0, m));
    EXPECT_TRUE(m.meldungen.empty());  // not even asked
    EXPECT_TRUE(ed.Zurueckschreiben(1, "XX", "anders", m));
    EXPECT_EQ(ed.Eintraege()[1].Abk, "#M");
}

TEST(TextbausteinEditor, LimitDisablesNew) {
    std::vector<kontotyp> tb = Eingebaute();
    for (int i = 0; tb.size() < 999; ++i) tb.push_back(Baustein(100 + i, "a" + std::to_string(i), "x"));
    TextbausteinEditor ed(tb);
    EXPECT_TRUE(ed.Knopfzustand(3).Neu);
    FesterZufall z{5};
    EXPECT_EQ(ed.Neu(z), 999);  // the thousandth snippet
    const auto k = ed.Knopfzustand(3);
    EXPECT_FALSE(k.Neu);
    EXPECT_EQ(k.Hinweis, "Keine weiteren Textbausteine möglich");
    EXPECT_EQ(ed.Neu(z), -1);
    EXPECT_EQ(ed.Anzahl(), 1000);
}

TEST(TextbausteinEditor, NewTakesFreeNumberAndSmallestTbsName) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(25, "tbs1", "x"));
    tb.push_back(Baustein(26, "tbs3", "y"));
    TextbausteinEditor ed(tb);
    // 5 → 25 is taken, 6 → 26 is taken, 7 → 27 is free.
    FesterZufall z{5, 6, 7};
    const int i = ed.Neu(z);
    ASSERT_EQ(i, 5);
    EXPECT_EQ(ed.Eintraege()[5].Nr, 27);
    EXPECT_EQ(ed.Eintraege()[5].Abk, "tbs2");
    EXPECT_EQ(ed.Eintraege()[5].Text1, "");
    EXPECT_EQ(ed.Eintraege()[5].Art, ArtTextbaustein);
    EXPECT_EQ(z.grenzen.front(), 1950);  // 20 … 1969

    EXPECT_EQ(ed.Eintraege()[ed.Neu(z)].Abk, "tbs4");
}

TEST(TextbausteinEditor, NewDoesNotHangOnARandomSourceThatRepeatsItself) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "a", "x"));
    TextbausteinEditor ed(tb);
    FesterZufall z({}, 0);  // always 20, which is taken
    const int i = ed.Neu(z);
    ASSERT_GE(i, 0);
    EXPECT_EQ(ed.Eintraege()[static_cast<size_t>(i)].Nr, 21);
}

TEST(TextbausteinEditor, ChecksEmptyAndDuplicateAbbreviations) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "EK", "Einkauf"));
    tb.push_back(Baustein(21, "MI", "Miete"));
    tb.push_back(Baustein(22, "ek", "klein"));
    TextbausteinEditor ed(tb);
    SkriptMeldungen m;

    EXPECT_FALSE(ed.Zurueckschreiben(4, "", "Miete", m));
    EXPECT_EQ(m.Texte(MeldungsArt::Information), std::vector<std::string>{"Textbausteinabkürzung darf nicht leer sein!"});

    m.Leeren();
    EXPECT_FALSE(ed.Zurueckschreiben(4, "EK", "Miete", m));
    EXPECT_EQ(m.Texte(MeldungsArt::Information), std::vector<std::string>{"Textbaustein bereits vorhanden!"});
    EXPECT_EQ(ed.Eintraege()[4].Abk, "MI");  // nothing written

    m.Leeren();
    EXPECT_FALSE(ed.Zurueckschreiben(4, "#D", "x", m));  // the built-ins count as well
    EXPECT_EQ(m.meldungen.size(), 1u);

    m.Leeren();
    EXPECT_TRUE(ed.Zurueckschreiben(4, "Ek", "Miete neu", m));  // case-sensitive: no clash
    EXPECT_TRUE(m.meldungen.empty());
    EXPECT_EQ(ed.Eintraege()[4].Abk, "Ek");
    EXPECT_EQ(ed.Eintraege()[4].Text1, "Miete neu");
    EXPECT_TRUE(ed.Zurueckschreiben(4, "Ek", "Miete neu", m));  // its own abbreviation is no clash
}

TEST(TextbausteinEditor, DuplicateReportedOncePerEqualSnippet) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "EK", "a"));
    tb.push_back(Baustein(21, "EK", "b"));  // a file may hold equal abbreviations
    tb.push_back(Baustein(22, "MI", "c"));
    TextbausteinEditor ed(tb);
    EXPECT_EQ(ed.Pruefen(5, "EK", "c").size(), 2u);
}

TEST(TextbausteinEditor, RefusesTextsTheFileCannotHold) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "EK", "Einkauf"));
    TextbausteinEditor ed(tb);
    SkriptMeldungen m;
    EXPECT_FALSE(ed.Zurueckschreiben(3, "EK", "Einkauf \xe2\x86\x92 Markt", m));  // an arrow
    EXPECT_EQ(m.meldungen.size(), 1u);
    EXPECT_EQ(ed.Eintraege()[3].Text1, "Einkauf");
}

TEST(TextbausteinEditor, DeleteAsksAndTakeOverRebuildsInOrder) {
    auto tb = Eingebaute();
    tb.push_back(Baustein(20, "EK", "Einkauf"));
    tb.push_back(Baustein(21, "MI", "Miete"));
    TextbausteinEditor ed(tb);
    SkriptMeldungen m;
    m.antworten = {Antwort::Nein, Antwort::Ja};
    EXPECT_FALSE(ed.Loeschen(3, m));
    EXPECT_EQ(ed.Anzahl(), 5);
    EXPECT_TRUE(ed.Loeschen(3, m));
    EXPECT_EQ(m.Texte(MeldungsArt::Frage)[0], "Soll Textbaustein \"EK\" wirklich gelöscht werden?");
    ASSERT_EQ(ed.Anzahl(), 4);

    Datenbestand d;
    d.Textbausteine = tb;
    EXPECT_EQ(d.Textbausteine.size(), 5u);  // the editor works on its copy
    TextbausteineUebernehmen(d, ed);
    ASSERT_EQ(d.Textbausteine.size(), 4u);
    EXPECT_EQ(d.Textbausteine[3].Abk, "MI");
    EXPECT_TRUE(d.Geaendert);
}

}  // namespace
}  // namespace talerwerk
