// The compact booking store against a plain vector of records: whatever is put in comes back
// field for field, and every change gives the same collection as the same change of a vector.

#include "store/buchungsspeicher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "store/betrag.h"
#include "store/datenbestand.h"

namespace talerwerk {
namespace {

// Assigning to a field of a record read from the store would change a copy and nothing else:
// such code must not compile, while it does for a vector of records.
template <class S>
concept FeldZuweisbar = requires(S& s) { s[0].Text = std::string("x"); };
static_assert(FeldZuweisbar<std::vector<buchungstyp>>);
static_assert(!FeldZuweisbar<Buchungsspeicher>);
template <class S>
concept RecordVeraenderbar = requires(S& s) { (*s.begin()).Betrag = std::string("1,00"); };
static_assert(!RecordVeraenderbar<Buchungsspeicher>);

buchungstyp Einfach(int32_t nr, const std::string& text, const std::string& betrag) {
    buchungstyp b;
    b.IdentNr = nr;
    b.Datum = 45000 + nr;
    b.BArt = nr % 3;
    b.Konto1 = 1;
    b.Konto2 = 20 + nr % 5;
    b.Betrag = betrag;
    b.Text = text;
    return b;
}

// A record with every field away from its default.
buchungstyp Ungewoehnlich() {
    buchungstyp b;
    b.IdentNr = -7;
    b.IdentNrVon = 3;
    b.IdentNrBis = 99999;
    b.Bezeichnung = "Miete Garage";
    b.Satzart = SatzFilter;
    b.Datum = 45123;
    b.DatumBis = 46000;
    b.BArt = 17;
    b.Monate = {true, false, true, false, false, false, false, false, false, false, false, true};
    b.Intervall = 3;
    b.Kennung = "C1030624";
    b.Bemerkung = std::string(300, 'b') + "äöü €";
    b.Auswahl = {"1", "22", ""};
    b.Belegnr = "R-4711";
    b.BelegnrBis = "R-9999";
    b.Betrag = "1.234,5";
    b.BetragBis = "";
    b.Konto1 = -2;
    b.Konto2 = 2'000'000'000;
    b.Text = std::string(20000, 't');
    b.Storniert = true;
    b.Zeitraum = 4;
    b.KontoAuswahl = -1;
    b.RubrikAuswahl = 5;
    b.StornoAuswahl = 2;
    b.Reserve = "r";
    b.ReserveNr = -129;
    return b;
}

void ErwarteGleich(const Buchungsspeicher& s, const std::vector<buchungstyp>& v) {
    ASSERT_EQ(s.size(), v.size());
    for (size_t i = 0; i < v.size(); ++i) {
        ASSERT_EQ(s[i], v[i]) << "Position " << i;
        ASSERT_EQ(s.IdentNr(i), v[i].IdentNr);
        ASSERT_EQ(s.Datum(i), v[i].Datum);
        ASSERT_EQ(s.BArt(i), v[i].BArt);
        ASSERT_EQ(s.Konto1(i), v[i].Konto1);
        ASSERT_EQ(s.Konto2(i), v[i].Konto2);
        ASSERT_EQ(s.BetragCent(i), BetragCent(v[i].Betrag));
        ASSERT_EQ(s.Betrag(i), v[i].Betrag);
        ASSERT_EQ(s.Storniert(i), v[i].Storniert);
        ASSERT_EQ(s.Text(i), v[i].Text);
        ASSERT_EQ(s.Belegnr(i), v[i].Belegnr);
        ASSERT_EQ(s.Bemerkung(i), v[i].Bemerkung);
        ASSERT_EQ(s.Kennung(i), v[i].Kennung);
    }
}

TEST(Buchungsspeicher, HaeltJedesFeldUnveraendert) {
    Buchungsspeicher s;
    const buchungstyp u = Ungewoehnlich();
    s.push_back(u);
    s.push_back(buchungstyp{});
    s.push_back(Einfach(5, "Bäcker", "3,20"));
    EXPECT_EQ(s[0], u);
    EXPECT_EQ(s[1], buchungstyp{});
    EXPECT_EQ(s[2], Einfach(5, "Bäcker", "3,20"));
    // Unknown kinds count as "other" in the column, but read back as stored.
    EXPECT_EQ(s.ArtSpalte()[0], 3);
    EXPECT_EQ(s.BArt(0), 17);
    EXPECT_EQ(s.BetragCent(0), 123450);
}

TEST(Buchungsspeicher, BetragstexteAusserhalbDerNormalformBleibenErhalten) {
    // The cents are the same, the texts are not: every one must come back as it was stored.
    const std::vector<std::string> texte = {"0,00",  "",       "-0,00", "12,5",     "12,50", "012,50",
                                            "abc",   "1.000,00", "-3,00", "3,005",   "+3,00", " 3,00",
                                            "-0,01", "0,01",   "99999999,99", "-99999999,99"};
    Buchungsspeicher s;
    std::vector<buchungstyp> v;
    for (size_t i = 0; i < texte.size(); ++i) {
        v.push_back(Einfach(static_cast<int32_t>(i), "x", texte[i]));
        s.push_back(v.back());
    }
    ErwarteGleich(s, v);
}

TEST(Buchungsspeicher, SeltenBelegteFelderKostenNurWoSieGesetztSind) {
    Buchungsspeicher gewoehnlich, mitSeltenem;
    for (int i = 0; i < 1000; ++i) {
        gewoehnlich.push_back(Einfach(i, "Einkauf", "12,34"));
        buchungstyp b = Einfach(i, "Einkauf", "12,34");
        b.Intervall = 1;
        mitSeltenem.push_back(b);
    }
    // A plain booking: the columns and a short text entry, far below the 400 bytes of a record.
    EXPECT_LT(gewoehnlich.Belegt() / gewoehnlich.size(), 64u);
    EXPECT_GT(mitSeltenem.Belegt(), gewoehnlich.Belegt() + 1000 * sizeof(int32_t));
    EXPECT_EQ(mitSeltenem[999].Intervall, 1);
    EXPECT_EQ(gewoehnlich[999].Intervall, 0);
}

TEST(Buchungsspeicher, AenderungenWieBeimVektor) {
    // A long random sequence of changes, applied to the store and to a vector; the texts vary in
    // length so that replaced entries leave enough unused bytes for the buffer to be compacted.
    std::mt19937 zufall(42);
    auto zahl = [&](int n) { return static_cast<int>(zufall() % static_cast<unsigned>(n)); };
    auto satz = [&](int32_t nr) {
        buchungstyp b = zahl(10) == 0 ? Ungewoehnlich() : Einfach(nr, std::string(static_cast<size_t>(zahl(200)), 'a' + static_cast<char>(zahl(26))), std::to_string(zahl(5000)) + ",0" + std::to_string(zahl(10)));
        b.IdentNr = nr;
        if (zahl(4) == 0) b.Bemerkung = "Grüße";
        if (zahl(6) == 0) b.Kennung = "K" + std::to_string(nr);
        return b;
    };
    Buchungsspeicher s;
    std::vector<buchungstyp> v;
    for (int schritt = 0; schritt < 4000; ++schritt) {
        const int was = zahl(10);
        if (was < 5 || v.empty()) {
            v.push_back(satz(schritt));
            s.push_back(v.back());
        } else if (was < 8) {
            const size_t p = static_cast<size_t>(zahl(static_cast<int>(v.size())));
            v[p] = satz(schritt);
            s.Ersetzen(p, v[p]);
        } else if (was < 9) {
            std::vector<size_t> weg;
            for (size_t p = static_cast<size_t>(zahl(3)); p < v.size(); p += 2 + static_cast<size_t>(zahl(40))) weg.push_back(p);
            for (size_t k = weg.size(); k-- > 0;) v.erase(v.begin() + static_cast<std::ptrdiff_t>(weg[k]));
            s.Entfernen(weg);
        } else {
            v.pop_back();
            s.pop_back();
        }
        if (schritt % 500 == 0) ErwarteGleich(s, v);
    }
    ErwarteGleich(s, v);
    // Replacing every record many times must not let the buffer grow without bound.
    const size_t vorher = s.TexteBytes();
    for (int runde = 0; runde < 20; ++runde)
        for (size_t p = 0; p < v.size(); ++p) s.Ersetzen(p, v[p]);
    EXPECT_LE(s.TexteBytes(), 3 * vorher + 65536 * 2);
    ErwarteGleich(s, v);
}

TEST(Buchungsspeicher, GroesseAendernUndLeeren) {
    Buchungsspeicher s{Einfach(1, "a", "1,00"), Einfach(2, "b", "2,00"), Ungewoehnlich()};
    s.resize(5);
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[4], buchungstyp{});
    EXPECT_EQ(s[2], Ungewoehnlich());
    s.resize(1);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s.back(), Einfach(1, "a", "1,00"));
    s.assign(3, Ungewoehnlich());
    ErwarteGleich(s, {Ungewoehnlich(), Ungewoehnlich(), Ungewoehnlich()});
    s.clear();
    EXPECT_TRUE(s.empty());
    EXPECT_THROW(s.at(0), std::out_of_range);
    s.push_back(Einfach(9, "neu", "9,99"));
    EXPECT_EQ(s.front().Text, "neu");
}

TEST(Buchungsspeicher, EntfernenInBeliebigerFolge) {
    Buchungsspeicher s{Einfach(0, "a", "1,00"), Einfach(1, "b", "2,00"), Einfach(2, "c", "3,00"),
                       Einfach(3, "d", "4,00"), Einfach(4, "e", "5,00")};
    s.Entfernen({3, 1, 1, 99});
    ErwarteGleich(s, {Einfach(0, "a", "1,00"), Einfach(2, "c", "3,00"), Einfach(4, "e", "5,00")});
    s.Entfernen({});
    s.Entfernen({7});
    EXPECT_EQ(s.size(), 3u);
}

TEST(Buchungsspeicher, AendernSchreibtDenSatzZurueck) {
    Buchungsspeicher s{Einfach(1, "a", "1,00"), Einfach(2, "b", "2,00")};
    s.Aendern(1, [](buchungstyp& b) {
        b.Text = "geändert";
        b.Betrag = "7,5";
        b.Satzart = SatzVorlage;
    });
    EXPECT_EQ(s[1].Text, "geändert");
    EXPECT_EQ(s.BetragCent(1), 750);
    EXPECT_EQ(s.Betrag(1), "7,5");
    EXPECT_EQ(s[1].Satzart, SatzVorlage);
    EXPECT_EQ(s[0], Einfach(1, "a", "1,00"));
}

TEST(Buchungsspeicher, KopienSindUnabhaengigUndJedeAenderungNeueFassung) {
    Buchungsspeicher a{Einfach(1, "a", "1,00"), Ungewoehnlich()};
    const uint64_t f0 = a.Fassung();
    Buchungsspeicher b = a;
    EXPECT_EQ(b, a);
    EXPECT_NE(b.Fassung(), f0);
    b.Ersetzen(0, Einfach(1, "b", "2,00"));
    EXPECT_EQ(a[0].Text, "a");
    EXPECT_EQ(a.Fassung(), f0);

    uint64_t vorher = a.Fassung();
    a.push_back(Einfach(3, "c", "3,00"));
    EXPECT_NE(a.Fassung(), vorher);
    vorher = a.Fassung();
    a.Entfernen({0});
    EXPECT_NE(a.Fassung(), vorher);
    vorher = a.Fassung();
    a.clear();
    EXPECT_NE(a.Fassung(), vorher);

    Buchungsspeicher c = std::move(b);
    EXPECT_EQ(c.size(), 2u);
    EXPECT_TRUE(b.empty());  // NOLINT(bugprone-use-after-move): a moved-from store is empty and usable
    b.push_back(Einfach(4, "d", "4,00"));
    EXPECT_EQ(b[0].Text, "d");
}

TEST(Buchungsspeicher, DurchlaufUndVergleichMitVektor) {
    const std::vector<buchungstyp> v = {Einfach(1, "a", "1,00"), Ungewoehnlich(), Einfach(3, "c", "")};
    const Buchungsspeicher s(v);
    std::vector<buchungstyp> gelesen;
    for (const buchungstyp& b : s) gelesen.push_back(b);
    EXPECT_EQ(gelesen, v);
    EXPECT_EQ(s.Alle(), v);
    EXPECT_TRUE(s == v);
    EXPECT_EQ(s.end() - s.begin(), 3);
    EXPECT_FALSE(s == std::vector<buchungstyp>(v.begin(), v.end() - 1));
}

TEST(Buchungsspeicher, IndexBemerktAenderungenAmSpeicherVorbei) {
    Datenbestand d;
    d.Buchungen = {Einfach(1, "a", "1,00"), Einfach(2, "b", "2,00")};
    EXPECT_EQ(BuchungsIndex(d).Anzahl(), 2u);
    d.Buchungen.Ersetzen(0, Einfach(7, "x", "5,00"));
    EXPECT_EQ(BuchungsIndex(d).Nr()[0], 7);
    EXPECT_EQ(BuchungsIndex(d).Betrag()[0], 500);
    d.Buchungen.push_back(Einfach(8, "y", "1,00"));
    EXPECT_EQ(BuchungsIndex(d).PositionVon(8), 2);
    // The store functions keep the index current without a rebuild.
    const uint64_t stand = BuchungsIndex(d).Stand();
    BuchungAnhaengen(d, Einfach(9, "z", "2,00"));
    BuchungErsetzen(d, 0, Einfach(10, "w", "3,00"));
    BuchungenEntfernen(d, {1});
    const auto aenderungen = BuchungsIndex(d).AenderungenSeit(stand);
    ASSERT_TRUE(aenderungen.has_value());
    EXPECT_EQ(aenderungen->size(), 3u);
    EXPECT_EQ(BuchungsIndex(d).Nr(), (std::vector<int32_t>{10, 8, 9}));
}

}  // namespace
}  // namespace talerwerk
