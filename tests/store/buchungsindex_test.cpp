#include "store/buchungsindex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "evaluation/testbuch.h"
#include "store/kontostaende.h"

namespace talerwerk {
namespace {

using test::Tag;

// Everything the index answers, compared with what a fresh build and plain scans of the records say.
void ErwarteWieNeuGebaut(const Datenbestand& d) {
    const Buchungsindex& index = BuchungsIndex(d);
    Buchungsindex frisch;
    frisch.Aufbauen(d.Buchungen);
    ASSERT_EQ(index.Anzahl(), d.Buchungen.size());
    for (size_t i = 0; i < d.Buchungen.size(); ++i) {
        ASSERT_EQ(index.Zeile(i), frisch.Zeile(i)) << "Position " << i;
        ASSERT_EQ(index.Zeile(i), IndexzeileAus(d.Buchungen[i])) << "Position " << i;
    }
    std::map<int32_t, Cent> wirkung;
    int32_t groesste = 0;
    for (const buchungstyp& b : d.Buchungen) {
        for (int32_t konto : {b.Konto1, b.Konto2}) wirkung[konto];
        groesste = std::max(groesste, b.IdentNr);
    }
    for (auto& [konto, summe] : wirkung) {
        for (const buchungstyp& b : d.Buchungen) summe += BuchungsWirkung(b, konto);
        ASSERT_EQ(index.Wirkung(konto), summe) << "Konto " << konto;
    }
    EXPECT_EQ(index.GroessteNr(), groesste);
    for (size_t i = 0; i < d.Buchungen.size(); i += 7) {
        const int32_t nr = d.Buchungen[i].IdentNr;
        const auto erste = std::find_if(d.Buchungen.begin(), d.Buchungen.end(),
                                        [nr](const buchungstyp& b) { return b.IdentNr == nr; });
        ASSERT_EQ(index.PositionVon(nr), erste - d.Buchungen.begin());
    }
    EXPECT_EQ(index.PositionVon(groesste + 1), -1);
}

TEST(Buchungsindex, BleibtBeiJederArtVonAenderungGleichEinemNeuenAufbau) {
    for (uint32_t saat : {1u, 5u, 9u}) {
        Datenbestand d = test::ZufallsBuch(saat, 300);
        test::Durchnummerieren(d);
        std::mt19937 zufall(saat);
        uint64_t stand = BuchungsIndex(d).Stand();
        for (int schritt = 0; schritt < 150; ++schritt) {
            test::ZufaelligAendern(d, zufall);
            const uint64_t neu = BuchungsIndex(d).Stand();
            EXPECT_GE(neu, stand);
            stand = neu;
            ASSERT_NO_FATAL_FAILURE(ErwarteWieNeuGebaut(d)) << "Saat " << saat << " Schritt " << schritt;
        }
    }
}

TEST(Buchungsindex, ProtokollNenntDieAenderungenSeitEinemStand) {
    Datenbestand d = test::KleinesBuch();
    BuchungAnhaengen(d, test::Buchung(Tag(3, 1, 2024), BArtEinnahme, 1000, 1, 10));
    const uint64_t vorher = BuchungsIndex(d).Stand();
    buchungstyp b = test::Buchung(Tag(4, 1, 2024), BArtAusgabe, 250, 1, 20);
    b.IdentNr = 2;
    BuchungAnhaengen(d, b);
    b.Storniert = true;
    BuchungErsetzen(d, 1, b);
    BuchungenEntfernen(d, {0});

    const auto aenderungen = BuchungsIndex(d).AenderungenSeit(vorher);
    ASSERT_TRUE(aenderungen);
    ASSERT_EQ(aenderungen->size(), 3u);
    EXPECT_FALSE((*aenderungen)[0].Alt);
    EXPECT_EQ((*aenderungen)[0].Neu->Betrag, 250);
    EXPECT_FALSE((*aenderungen)[1].Alt->Storniert);
    EXPECT_TRUE((*aenderungen)[1].Neu->Storniert);
    EXPECT_EQ((*aenderungen)[2].Alt->Betrag, 1000);
    EXPECT_FALSE((*aenderungen)[2].Neu);
    EXPECT_TRUE(BuchungsIndex(d).AenderungenSeit(BuchungsIndex(d).Stand())->empty());

    // A rebuild, or more changes than the log keeps, leaves readers to rebuild as well.
    BuchungenErneuert(d);
    EXPECT_FALSE(BuchungsIndex(d).AenderungenSeit(vorher));
    const uint64_t nachAufbau = BuchungsIndex(d).Stand();
    for (int i = 0; i < 5000; ++i) BuchungAnhaengen(d, b);
    EXPECT_FALSE(BuchungsIndex(d).AenderungenSeit(nachAufbau));
    ErwarteWieNeuGebaut(d);
}

TEST(Buchungsindex, BemerktEineSammlungDieOhneIhnErsetztWurde) {
    Datenbestand d = test::ZufallsBuch(3, 50);
    test::Durchnummerieren(d);
    EXPECT_EQ(BuchungsIndex(d).Anzahl(), 50u);
    d.Buchungen = test::ZufallsBuch(4, 50).Buchungen;  // same size, new buffer: as a file read does
    ErwarteWieNeuGebaut(d);
    d.Buchungen.pop_back();
    ErwarteWieNeuGebaut(d);
}

TEST(Buchungsindex, KopieDesBestandsBautEinenEigenenIndex) {
    Datenbestand d = test::ZufallsBuch(7, 40);
    test::Durchnummerieren(d);
    BuchungsIndex(d);
    Datenbestand kopie = d;
    BuchungenEntfernen(kopie, {0, 1, 2});
    ErwarteWieNeuGebaut(kopie);
    ErwarteWieNeuGebaut(d);
    d = kopie;  // assigned over an index that described other bookings
    ErwarteWieNeuGebaut(d);
}

TEST(Buchungsindex, SerienloeschungEntferntJedePositionEinmal) {
    Datenbestand d = test::ZufallsBuch(11, 20);
    test::Durchnummerieren(d);
    EXPECT_EQ(BuchungenEntfernen(d, {19, 3, 3, 0, 400, 7}), 4u);
    std::vector<int32_t> nummern;
    for (const buchungstyp& b : d.Buchungen) nummern.push_back(b.IdentNr);
    EXPECT_EQ(nummern, (std::vector<int32_t>{2, 3, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
    ErwarteWieNeuGebaut(d);
    EXPECT_EQ(BuchungenEntfernen(d, {}), 0u);
}

TEST(Buchungsindex, AnhaengenVerschiebtDieBuchungenNicht) {
    // A big book gets spare room when it is read; adding the first booking must not move them all.
    Datenbestand d = test::ZufallsBuch(2, 1000);
    BuchungenErneuert(d);
    const size_t platz = d.Buchungen.capacity();
    ASSERT_GE(platz, d.Buchungen.size() + 100);
    for (int i = 0; i < 100; ++i) BuchungAnhaengen(d, test::Buchung(Tag(1, 2, 2000), BArtEinnahme, 100, 1, 10));
    EXPECT_EQ(d.Buchungen.capacity(), platz);
    ErwarteWieNeuGebaut(d);
}

TEST(Kontoindex, PlaetzeArtenUndHauptrubriken) {
    Datenbestand d = test::ZufallsBuch(1, 0);
    d.Konten.push_back(test::Konto(60, ArtAusgabe, "Kreis A", 61));
    d.Konten.push_back(test::Konto(61, ArtAusgabe, "Kreis B", 60));
    d.Konten.push_back(test::Konto(23, ArtAusgabe, "Obst", 21));
    const Kontoindex k(d.Konten);
    EXPECT_EQ(k.Platz(4242), Kontoindex::Fehlt);
    const int32_t zwei = k.Platz(2);
    EXPECT_TRUE(k.HatArt(zwei, ArtBestandskonto));
    EXPECT_TRUE(k.HatArt(zwei, ArtSparkonto));  // the second entry of a number adds its kind
    EXPECT_EQ(k.ListenPosition(zwei), 6);       // but the slot is the first entry's
    EXPECT_EQ(k.Nr(k.Hauptrubrik(k.Platz(23))), 20);
    EXPECT_EQ(k.Nr(k.Hauptrubrik(k.Platz(21))), 20);
    EXPECT_EQ(k.Nr(k.Hauptrubrik(k.Platz(50))), 50);  // names itself as parent
    const int32_t kreis = k.Nr(k.Hauptrubrik(k.Platz(60)));
    EXPECT_TRUE(kreis == 60 || kreis == 61);  // a circle ends, wherever
    std::vector<int32_t> unter;
    for (int32_t p : k.Unterplaetze(20)) unter.push_back(k.Nr(p));
    EXPECT_EQ(unter, (std::vector<int32_t>{21, 22}));
    EXPECT_TRUE(k.Unterplaetze(4242).empty());
    EXPECT_TRUE(k.Beschreibt(d.Konten));
    d.Konten[0].AnfStand += 1;
    EXPECT_FALSE(k.Beschreibt(d.Konten));
}

TEST(Kontostaende, StaendeFolgenJederAenderungDerBuchungen) {
    Datenbestand d = test::ZufallsBuch(21, 400);
    test::Durchnummerieren(d);
    std::mt19937 zufall(21);
    for (int schritt = 0; schritt < 60; ++schritt) {
        test::ZufaelligAendern(d, zufall);
        StaendeBerechnen(d);
        for (size_t i = 0; i < d.Konten.size(); ++i) {
            const kontotyp& k = d.Konten[i];
            const bool erster = std::none_of(d.Konten.begin(), d.Konten.begin() + static_cast<std::ptrdiff_t>(i),
                                             [&](const kontotyp& v) { return v.Nr == k.Nr; });
            Cent erwartet = k.AnfStand;
            if (erster)
                for (const buchungstyp& b : d.Buchungen) erwartet += BuchungsWirkung(b, k.Nr);
            ASSERT_EQ(k.Stand, erwartet) << k.Name << " Schritt " << schritt;
        }
    }
}

}  // namespace
}  // namespace talerwerk
