#include "evaluation/auswahlbaeume.h"

#include <gtest/gtest.h>

#include "evaluation/auswertung.h"
#include "evaluation/testbuch.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Konto;
using test::Tag;

std::vector<std::string> Schluessel(const std::vector<KontoEintrag>& liste) {
    std::vector<std::string> s;
    for (const auto& e : liste) s.push_back(e.Schluessel);
    return s;
}

TEST(KontenListe, NurKontenInPlanreihenfolge) {
    const Datenbestand d = test::KleinesBuch();
    const auto liste = KontenListe(d);
    EXPECT_EQ(Schluessel(liste), (std::vector<std::string>{"Girokonto", "Bargeld", "Sparbuch"}));
    EXPECT_EQ(liste[2].Konto.Nr, 3);
}

TEST(KontenDerAuswahl, GruppenEinzelkontoUndNichtKonto) {
    const Datenbestand d = test::KleinesBuch();
    auto nummern = [&](int32_t auswahl) {
        std::vector<int32_t> nr;
        for (const kontotyp& k : KontenDerAuswahl(d, auswahl)) nr.push_back(k.Nr);
        return nr;
    };
    EXPECT_EQ(nummern(AuswahlAlleKonten), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(nummern(AuswahlBestandskonten), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(nummern(AuswahlSparkonten), (std::vector<int32_t>{3}));
    EXPECT_EQ(nummern(2), (std::vector<int32_t>{2}));
    EXPECT_TRUE(nummern(20).empty());  // a category is no account
    EXPECT_TRUE(nummern(0).empty());   // no node selected
}

TEST(RubrikenListe, BlaetterOderOberste) {
    const Datenbestand d = test::KleinesBuch();
    const std::string pfad = std::string("Haushalt") + " " + " \\ " + " ";
    EXPECT_EQ(Schluessel(RubrikenListe(d, 0, true)),
              (std::vector<std::string>{"Gehalt", pfad + "Lebensmittel", pfad + "Drogerie", "Auto"}));
    EXPECT_EQ(Schluessel(RubrikenListe(d, 0, false)), (std::vector<std::string>{"Gehalt", "Haushalt", "Auto"}));
    EXPECT_EQ(Schluessel(RubrikenListe(d, ArtEinnahme, true)), (std::vector<std::string>{"Gehalt"}));
    const auto ausgaben = RubrikenListe(d, ArtAusgabe, false);
    EXPECT_EQ(Schluessel(ausgaben), (std::vector<std::string>{"Haushalt", "Auto"}));
    EXPECT_EQ(ausgaben[0].Konto.Nr, 20);
}

TEST(KontenBaum, GruppenMitIhrenKonten) {
    Datenbestand d = test::KleinesBuch();
    d.Konten.push_back(Konto(5, ArtBestandskonto, "Kreditkarte"));
    const Auswahlbaum baum = KontenBaum(d);
    ASSERT_EQ(baum.Knoten.size(), 7u);
    const char* texte[] = {"Alle Konten", "Bestandskonten", "Girokonto", "Bargeld",
                           "Kreditkarte", "Sparkonten",     "Sparbuch"};
    const int32_t eltern[] = {-1, 0, 1, 1, 1, 0, 5};
    const int32_t codes[] = {5000, 5001, 1, 2, 5, 5002, 3};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(baum.Knoten[i].Text, texte[i]);
        EXPECT_EQ(baum.Knoten[i].Elter, eltern[i]) << texte[i];
        EXPECT_EQ(baum.Knoten[i].Konto.Nr, codes[i]) << texte[i];
    }
    // group nodes carry a record of their own with nothing but number and caption
    EXPECT_EQ(baum.Knoten[5].Konto.Name, "Sparkonten");
    EXPECT_EQ(baum.Knoten[5].Konto.Art, 0);
    EXPECT_EQ(baum.Knoten[6].Konto.AnfStand, 100000);
    EXPECT_TRUE(baum.Knoten[0].Aufgeklappt);
    EXPECT_FALSE(baum.Knoten[1].Aufgeklappt);
    EXPECT_FALSE(baum.Knoten[5].Aufgeklappt);
    EXPECT_EQ(baum.Gewaehlt, 0);
}

TEST(ZeitBaum, JahreUnterDerWurzelMonateUnterIhremJahr) {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen.push_back(Buchung(Tag(20, 3, 1995), BArtAusgabe, 100, 1, 21));
    const Auswahlbaum baum = ZeitBaum(d, Tag(10, 6, 1997));
    ASSERT_EQ(baum.Knoten.size(), d.Zeitraeume.size());
    ASSERT_EQ(baum.Knoten.size(), 32u);
    EXPECT_EQ(baum.Knoten[0].Text, "Gesamter Zeitraum");
    EXPECT_EQ(baum.Knoten[0].Elter, -1);
    int jahre = 0;
    for (size_t i = 1; i < baum.Knoten.size(); ++i) {
        const auto& k = baum.Knoten[i];
        if (k.Zeitraum.OberNr == 0) {
            ++jahre;
            EXPECT_EQ(k.Elter, 0) << k.Text;
        } else {
            const auto& jahr = baum.Knoten[k.Elter];
            EXPECT_EQ(jahr.Zeitraum.OberNr, 0) << k.Text;
            EXPECT_EQ(jahr.Zeitraum.Jahr, k.Zeitraum.Jahr) << k.Text;
        }
    }
    EXPECT_EQ(jahre, 3);
    EXPECT_EQ(baum.Knoten[8].Text, "Jahr 1996");
    EXPECT_EQ(baum.Knoten[9].Elter, 8);
    EXPECT_EQ(baum.Knoten.back().Text, "März 1995");
    EXPECT_TRUE(baum.Knoten[0].Aufgeklappt);
    EXPECT_FALSE(baum.Knoten[1].Aufgeklappt);

    const Auswahlbaum jahresBaum = ZeitBaum(d, Tag(10, 6, 1997), /*nurJahre=*/true);
    ASSERT_EQ(jahresBaum.Knoten.size(), 4u);
    EXPECT_EQ(jahresBaum.Knoten[3].Text, "Jahr 1995");
    EXPECT_EQ(jahresBaum.Knoten[3].Elter, 0);
}

}  // namespace
}  // namespace talerwerk
