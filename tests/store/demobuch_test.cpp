#include "store/demobuch.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "bookings/textbausteine.h"
#include "evaluation/auswertung.h"
#include "store/betrag.h"
#include "store/datendatei.h"
#include "store/datum.h"

using namespace talerwerk;

namespace {

int32_t Tag(int t, int m, int j) { return *TagesNummer(t, m, j); }

std::string TTMMJJ(int32_t tag) {
    std::string s = DatumKurzText(tag);  // "07.12.26"
    return s.substr(0, 2) + s.substr(3, 2) + s.substr(6, 2);
}

// Every rule a booking of a real book keeps; returns the first one broken, empty when all hold.
std::string BuchungsFehler(const Datenbestand& d, const std::map<int32_t, const kontotyp*>& nach, size_t i,
                           int32_t bisTag) {
    static const std::regex betragForm("^[0-9]+,[0-9]{2}$");
    const buchungstyp& b = d.Buchungen[i];
    auto art = [&](int32_t nr) { return nach.count(nr) ? nach.at(nr)->Art : -1; };
    if (b.IdentNr != static_cast<int32_t>(i) + 1) return "IdentNr";
    if (b.Satzart != SatzBuchung) return "Satzart";
    if (b.Text.empty()) return "Text leer";
    if (!std::regex_match(b.Betrag, betragForm) || BetragCent(b.Betrag) <= 0) return "Betrag " + b.Betrag;
    if (b.Datum < Tag(1, 1, 1980) || b.Datum > bisTag) return "Datum";
    if (!b.Auswahl.empty()) return "Auswahl";
    const int32_t a1 = art(b.Konto1), a2 = art(b.Konto2);
    if (a1 != ArtBestandskonto && a1 != ArtSparkonto) return "Konto1";
    switch (b.BArt) {
        case BArtEinnahme: if (a2 != ArtEinnahme) return "Konto2 Einnahme"; break;
        case BArtAusgabe: if (a2 != ArtAusgabe) return "Konto2 Ausgabe"; break;
        case BArtUmbuchung:
            if ((a2 != ArtBestandskonto && a2 != ArtSparkonto) || b.Konto2 == b.Konto1) return "Konto2 Umbuchung";
            break;
        default: return "BArt";
    }
    if (i > 0 && b.Datum < d.Buchungen[i - 1].Datum) return "nicht nach Datum";
    return "";
}

TEST(DemoBuch, GleicheAngabenGebenGleicheDatei) {
    const int32_t bis = Tag(7, 12, 2026);
    const std::string a = DateiAbbild(DemoBuch(2000, 42, bis));
    EXPECT_EQ(a, DateiAbbild(DemoBuch(2000, 42, bis)));
    EXPECT_NE(a, DateiAbbild(DemoBuch(2000, 43, bis)));
    EXPECT_NE(a, DateiAbbild(DemoBuch(2000, 42, bis - 1)));
}

TEST(DemoBuch, JedeBuchungIstGueltig) {
    const int32_t bis = Tag(15, 3, 2025);
    for (int64_t n : {int64_t{0}, int64_t{1}, int64_t{5}, int64_t{1500}, int64_t{30000}}) {
        SCOPED_TRACE(n);
        const Datenbestand d = DemoBuch(n, 3, bis);
        ASSERT_EQ(static_cast<int64_t>(d.Buchungen.size()), n);
        std::map<int32_t, const kontotyp*> nach;
        for (const kontotyp& k : d.Konten) nach[k.Nr] = &k;
        std::map<std::string, const buchungstyp*> rgm;
        for (const buchungstyp& r : d.RgmBuchungen) rgm[r.Kennung] = &r;

        for (size_t i = 0; i < d.Buchungen.size(); ++i) {
            ASSERT_EQ(BuchungsFehler(d, nach, i, bis), "") << "Buchung " << i;
            const buchungstyp& b = d.Buchungen[i];
            if (!b.Kennung.empty()) {
                // Made by a recurring booking: its code plus the due date, and its name.
                ASSERT_GT(b.Kennung.size(), 6u);
                const std::string code = b.Kennung.substr(0, b.Kennung.size() - 6);
                ASSERT_TRUE(rgm.count(code)) << b.Kennung;
                EXPECT_EQ(b.Kennung.substr(code.size()), TTMMJJ(b.Datum));
                EXPECT_EQ(b.Bezeichnung, rgm[code]->Bezeichnung);
                EXPECT_EQ(b.Konto1, rgm[code]->Konto1);
                EXPECT_EQ(b.Betrag, rgm[code]->Betrag);
            }
        }
        EXPECT_EQ(d.LetzterIndex, static_cast<int32_t>(n) - 1);
    }
}

TEST(DemoBuch, BuchEnthaeltUmbuchungenStornosUndDauerauftraege) {
    const int32_t bis = Tag(7, 12, 2026);
    const Datenbestand d = DemoBuch(1500, 1, bis);
    int umbuchungen = 0, storniert = 0, ausRgm = 0, aufSparkonto = 0;
    std::set<int32_t> sparkonten;
    for (const kontotyp& k : d.Konten)
        if (k.Art == ArtSparkonto) sparkonten.insert(k.Nr);
    for (const buchungstyp& b : d.Buchungen) {
        umbuchungen += b.BArt == BArtUmbuchung;
        storniert += b.Storniert;
        ausRgm += !b.Kennung.empty();
        aufSparkonto += b.BArt == BArtUmbuchung && sparkonten.count(b.Konto2);
    }
    EXPECT_GT(umbuchungen, 30);
    EXPECT_GT(aufSparkonto, 20);
    EXPECT_GT(storniert, 5);
    EXPECT_LT(storniert, 100);
    EXPECT_GT(ausRgm, 200);
    // Several years of books.
    EXPECT_LT(KalenderAus(d.Buchungen.front().Datum).Jahr, 2025);
    EXPECT_EQ(d.Buchungen.back().Datum <= bis, true);
    EXPECT_GT(d.Buchungen.back().Datum, bis - 7);

    // Recurring bookings: valid unique codes, months and due dates; none left unbooked before the end.
    std::set<std::string> codes;
    for (const buchungstyp& r : d.RgmBuchungen) {
        EXPECT_EQ(r.Satzart, SatzRgmBuchung);
        ASSERT_GE(r.Kennung.size(), 2u);
        EXPECT_GE(r.Kennung[0], 48);
        EXPECT_LE(r.Kennung[0], 127);
        const std::string zahl = r.Kennung.substr(1);
        EXPECT_TRUE(std::regex_match(zahl, std::regex("^(0|[1-9][0-9]{0,2})$"))) << r.Kennung;
        EXPECT_TRUE(codes.insert(r.Kennung).second);
        EXPECT_TRUE(r.Monate[KalenderAus(r.Datum).Monat - 1]);
        EXPECT_GE(r.IdentNr, 11001);
    }
    EXPECT_GE(d.RgmBuchungen.size(), 2u);
    for (const buchungstyp& v : d.Vorlagen) {
        EXPECT_EQ(v.Satzart, SatzVorlage);
        EXPECT_GT(v.IdentNr, 10000);
    }
    ASSERT_GE(d.Filterliste.size(), 2u);
    bool mitAuswahl = false;
    for (const buchungstyp& f : d.Filterliste) {
        EXPECT_EQ(f.Satzart, SatzFilter);
        EXPECT_GT(f.IdentNr, 12000);
        mitAuswahl |= !f.Auswahl.empty();
    }
    EXPECT_TRUE(mitAuswahl);
}

TEST(DemoBuch, KontenplanWieVomProgrammAngelegt) {
    const Datenbestand d = DemoBuch(100, 9, Tag(1, 6, 2026));
    std::set<int32_t> nummern;
    std::set<std::string> abks;
    std::map<int32_t, int> anzahlArt;
    int unterrubriken = 0;
    for (size_t i = 0; i < d.Konten.size(); ++i) {
        const kontotyp& k = d.Konten[i];
        EXPECT_LE(k.Nr, -1);
        EXPECT_GE(k.Nr, -4999);
        EXPECT_TRUE(nummern.insert(k.Nr).second) << k.Name;
        EXPECT_TRUE(abks.insert(k.Abk).second) << k.Abk;
        EXPECT_FALSE(k.Name.empty());
        ++anzahlArt[k.Art];
        if (k.OberNr != 0) {
            ++unterrubriken;
            // The parent is a top-level category of the same kind and comes before its children.
            bool gefunden = false;
            for (size_t j = 0; j < i; ++j)
                if (d.Konten[j].Nr == k.OberNr) {
                    gefunden = true;
                    EXPECT_EQ(d.Konten[j].Art, k.Art);
                    EXPECT_EQ(d.Konten[j].OberNr, 0);
                }
            EXPECT_TRUE(gefunden) << k.Name;
            EXPECT_TRUE(k.Art == ArtEinnahme || k.Art == ArtAusgabe);
        }
        if (i > 0) {
            EXPECT_LE(d.Konten[i - 1].Art, k.Art);  // grouped by kind in the chart's order
        }
    }
    EXPECT_GE(anzahlArt[ArtEinnahme], 3);
    EXPECT_GE(anzahlArt[ArtAusgabe], 5);
    EXPECT_GE(anzahlArt[ArtBestandskonto], 2);
    EXPECT_GE(anzahlArt[ArtSparkonto], 1);
    EXPECT_GE(unterrubriken, 3);
    for (const kontotyp& k : d.Konten)
        if (k.Art == ArtBestandskonto || k.Art == ArtSparkonto) {
            EXPECT_GT(k.AnfStand, 0) << k.Name;
        }

    ASSERT_GE(d.Textbausteine.size(), 4u);
    EXPECT_EQ(d.Textbausteine[0].Nr, 10);
    EXPECT_EQ(d.Textbausteine[0].Abk, "#D");
    EXPECT_EQ(d.Textbausteine[1].Abk, "#M");
    EXPECT_EQ(d.Textbausteine[2].Abk, "#J");
    std::set<int32_t> bausteinNr;
    for (size_t i = 3; i < d.Textbausteine.size(); ++i) {
        EXPECT_GE(d.Textbausteine[i].Nr, 20);
        EXPECT_LE(d.Textbausteine[i].Nr, 1969);
        EXPECT_TRUE(bausteinNr.insert(d.Textbausteine[i].Nr).second);
        EXPECT_EQ(d.Textbausteine[i].Art, ArtTextbaustein);
    }
    EXPECT_EQ(d.Mandant.Text4, "EUR");
    EXPECT_FALSE(d.Mandant.Name.empty());
    EXPECT_EQ(d.Kopfsatz.Kennung, std::to_string(d.Mandant.OberNr));
}

TEST(DemoBuch, TextbausteineKollidierenNicht) {
    const Datenbestand d = DemoBuch(100, 9, Tag(1, 6, 2026));
    const std::vector<kontotyp>& tb = d.Textbausteine;
    ASSERT_GT(tb.size(), TextbausteineGeschuetzt);
    // No abbreviation of the book's own snippets occurs in any snippet's text (the placeholders of
    // the built-ins included) nor in a template's text, where it would be replaced unasked.
    for (size_t j = TextbausteineGeschuetzt; j < tb.size(); ++j) {
        for (size_t i = 0; i < tb.size(); ++i) {
            if (i != j) {
                EXPECT_EQ(tb[i].Text1.find(tb[j].Abk), std::string::npos) << tb[j].Abk << " in " << tb[i].Text1;
            }
        }
        for (const buchungstyp& v : d.Vorlagen)
            EXPECT_EQ(v.Text.find(tb[j].Abk), std::string::npos) << tb[j].Abk << " in " << v.Text;
    }
    // So every snippet reads, expanded, as its own text with only the dates filled in.
    const int32_t heute = Tag(7, 12, 2026);
    for (size_t i = 0; i < tb.size(); ++i) {
        std::string erwartet = tb[i].Text1;
        for (size_t j = 0; j < TextbausteineGeschuetzt; ++j)
            if (j != i) erwartet = ErsetzeErstes(erwartet, tb[j].Abk, tb[j].Text1);
        EXPECT_EQ(TextbausteinAusgeschrieben(tb, i, heute), PlatzhalterErsetzen(erwartet, heute)) << tb[i].Abk;
        EXPECT_EQ(TextbausteinAusgeschrieben(tb, i, heute).find('['), std::string::npos) << tb[i].Abk;
    }
}

TEST(DemoBuch, StaendeBerechnetZinsenZumJahresende) {
    const Datenbestand d = DemoBuch(3000, 5, Tag(31, 12, 2024));
    Datenbestand nachgerechnet = d;
    StaendeBerechnen(nachgerechnet);
    EXPECT_EQ(nachgerechnet.Konten, d.Konten);

    // The year ends on the last day: interest is booked on the savings accounts.
    int zinsen = 0;
    for (const buchungstyp& b : d.Buchungen) zinsen += b.Datum == Tag(31, 12, 2024) && b.Bemerkung == "Zinsgutschrift";
    EXPECT_EQ(zinsen, 2);
}

TEST(DemoBuch, VieleBuchungenBleibenImDateiZeitraum) {
    // Far more bookings than months since 1980: they are packed into the months there are.
    const int32_t bis = Tag(10, 2, 1980);
    const Datenbestand d = DemoBuch(5000, 1, bis);
    ASSERT_EQ(d.Buchungen.size(), 5000u);
    EXPECT_GE(d.Buchungen.front().Datum, Tag(1, 1, 1980));
    EXPECT_LE(d.Buchungen.back().Datum, bis);
    // An end date the file cannot hold is brought into its range.
    const Datenbestand spaet = DemoBuch(10, 1, Tag(1, 1, 2100));
    EXPECT_LE(spaet.Buchungen.back().Datum, Tag(31, 12, 2079));
}

}  // namespace
