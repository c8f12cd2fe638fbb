#include "evaluation/buchungsuebersicht.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <set>

#include "bookings/abfrage.h"
#include "evaluation/testbuch.h"
#include "store/betrag.h"
#include "bookings/kontosuche.h"
#include "store/buchungsindex.h"
#include "store/datum.h"

namespace talerwerk {
namespace {

using test::Buchung;
using test::Tag;

MonatsDatenTyp Gesamt() {
    MonatsDatenTyp m;
    m.Bezeichnung = "Gesamter Zeitraum";
    return m;
}

// Girokonto 1, Bargeld 2, Sparbuch 3: salary, shopping on a sub-category and on the parent that
// has sub-categories, a booking on a number no longer in the chart, transfers between accounts,
// a cancelled booking, and dates whose texts sort otherwise than the dates.
Datenbestand Buch() {
    Datenbestand d = test::KleinesBuch();
    auto dazu = [&](int32_t nr, buchungstyp b, const char* beleg = "") {
        b.IdentNr = nr;
        b.Belegnr = beleg;
        b.Text = "T" + std::to_string(nr);
        d.Buchungen.push_back(b);
    };
    dazu(1, Buchung(Tag(10, 12, 2024), BArtEinnahme, 200000, 1, 10), "B1");
    dazu(2, Buchung(Tag(5, 1, 2025), BArtAusgabe, 5000, 1, 21));
    dazu(3, Buchung(Tag(15, 1, 2025), BArtUmbuchung, 30000, 1, 3));
    dazu(4, Buchung(Tag(5, 1, 2025), BArtAusgabe, 2000, 2, 20));
    dazu(5, Buchung(Tag(6, 1, 2025), BArtAusgabe, 1000, 1, 99));
    dazu(6, Buchung(Tag(20, 1, 2025), BArtAusgabe, 700, 1, 30, true));
    dazu(7, Buchung(Tag(2, 2, 2025), BArtAusgabe, 300, 1, 22));
    BuchungenErneuert(d);
    return d;
}

Buchungsuebersicht Uebersicht(const Datenbestand& d, UebersichtGruppierung g, int32_t konto = CodeAlleKonten,
                              bool zwischensummen = true, bool unter = true, bool stornierte = true,
                              int32_t rubrik = CodeAlleRubriken) {
    UebersichtOptionen o;
    o.Abfrage = UebersichtAbfrage(Gesamt(), konto, rubrik, stornierte);
    o.Gruppierung = g;
    o.Zwischensummen = zwischensummen;
    o.Unterrubriken = unter;
    return BuchungsuebersichtAufbauen(d, o);
}

// Every row made.
std::vector<GridZeile> Alle(const Buchungsuebersicht& u) { return u.Ganz().Zeilen; }

std::vector<int32_t> Arten(const Buchungsuebersicht& u) {
    std::vector<int32_t> a;
    for (const GridZeile& z : Alle(u)) a.push_back(z.Daten.Zeilenart);
    return a;
}

std::string Zelle(const Buchungsuebersicht& u, size_t zeile, int logisch) {
    return u.Zeile(zeile).Zellen[static_cast<size_t>(u.Anzeige(logisch))];
}

// The booking numbers of the rows of one kind, in row order.
std::vector<int32_t> Nummern(const Buchungsuebersicht& u, int32_t art) {
    std::vector<int32_t> n;
    for (const GridZeile& z : Alle(u))
        if (z.Daten.Zeilenart == art) n.push_back(z.Daten.IdentNr);
    return n;
}

TEST(Buchungsuebersicht, NachNummerMitTeilenZwischensummenUndSaldo) {
    const Datenbestand d = Buch();
    const Buchungsuebersicht u = Uebersicht(d, UebersichtGruppierung::Buchungsnummer);
    EXPECT_EQ(u.Tabelle.Titel, "Buchungsübersicht");
    EXPECT_EQ(u.Tabelle.Kopf, (std::vector<std::string>{"B-nr.   Belegnr.", "Datum", "sto.", "Konto",
                                                         "Rubrik/Gegenkonto", "Buchungstext", "Betrag"}));
    // The transfer between two listed accounts is an income row and an expense row.
    EXPECT_EQ(Arten(u), (std::vector<int32_t>{1, 3, 3, 5, 6, 7, 1, 4, 4, 4, 4, 4, 4, 8, 9, 10}));
    EXPECT_EQ(Nummern(u, BuEinnahme), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(Nummern(u, BuAusgabe), (std::vector<int32_t>{2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Zelle(u, 0, BuNummer), "Einnahmen");
    EXPECT_EQ(Zelle(u, 1, BuNummer), "0001  B1");
    EXPECT_EQ(Zelle(u, 1, BuDatum), "10.12.24");
    EXPECT_EQ(Zelle(u, 1, BuGegen), "Gehalt");
    EXPECT_EQ(Zelle(u, 1, BuKonto), "Girokonto");
    // The incoming transfer: the paying account on the other side, the receiving one as account.
    EXPECT_EQ(Zelle(u, 2, BuGegen), "Girokonto");
    EXPECT_EQ(Zelle(u, 2, BuKonto), "Sparbuch");
    EXPECT_EQ(Zelle(u, 3, BuNummer), "Einn. Gesamt");
    EXPECT_EQ(Zelle(u, 3, BuBetrag), "2.300,00");
    EXPECT_EQ(Zelle(u, 4, BuBetrag), "300,00");
    EXPECT_EQ(Zelle(u, 5, BuBetrag), "2.000,00");
    EXPECT_EQ(Zelle(u, 7, BuGegen), "Haushalt  \\  Lebensmittel");
    // The cancelled booking is marked, shown with its amount and counted nowhere.
    EXPECT_EQ(Zelle(u, 11, BuStorno), "x");
    EXPECT_TRUE(u.Zeile(11).Daten.Storniert);
    EXPECT_EQ(Zelle(u, 13, BuBetrag), "383,00");   // 50 + 300 + 20 + 10 + 3
    EXPECT_EQ(Zelle(u, 14, BuBetrag), "300,00");
    EXPECT_EQ(Zelle(u, 15, BuBetrag), "83,00");
    EXPECT_EQ(u.Zeile(13).Daten.Betraege[6], 38300);
    EXPECT_EQ(u.Zeile(13).Daten.Farben[6], Farbklasse::Negativ);
    // The transfer leaves the balance as it is.
    EXPECT_EQ(u.Einnahmen, 230000);
    EXPECT_EQ(u.Ausgaben, 38300);
    EXPECT_EQ(u.Saldo, 230000 - 38300);
    EXPECT_EQ(u.SaldoText, "1.917,00");
    EXPECT_EQ(u.SaldoBeschriftung, "Saldo (Gewinn)");
    // Amounts of booking rows: cents signed as income and expense.
    EXPECT_EQ(u.Zeile(1).Daten.Betraege[6], 200000);
    EXPECT_EQ(u.Zeile(7).Daten.Betraege[6], -5000);
}

TEST(Buchungsuebersicht, UmbuchungNurAufDerSeiteDesGewaehltenKontos) {
    const Datenbestand d = Buch();
    const Buchungsuebersicht u = Uebersicht(d, UebersichtGruppierung::Buchungsnummer, 1);
    EXPECT_EQ(Nummern(u, BuEinnahme), (std::vector<int32_t>{1}));
    EXPECT_EQ(Nummern(u, BuAusgabe), (std::vector<int32_t>{2, 3, 5, 6, 7}));
    const Buchungsuebersicht spar = Uebersicht(d, UebersichtGruppierung::Buchungsnummer, 3);
    EXPECT_EQ(Nummern(spar, BuEinnahme), (std::vector<int32_t>{3}));
    EXPECT_TRUE(Nummern(spar, BuAusgabe).empty());
    EXPECT_EQ(spar.Einnahmen, 30000);
}

TEST(Buchungsuebersicht, OhneZwischensummenUndOhneStornierte) {
    const Datenbestand d = Buch();
    for (auto g : {UebersichtGruppierung::Buchungsnummer, UebersichtGruppierung::Rubrik, UebersichtGruppierung::Datum,
                   UebersichtGruppierung::Konto}) {
        const Buchungsuebersicht u = Uebersicht(d, g, CodeAlleKonten, false, true, false);
        for (int32_t art : Arten(u)) EXPECT_TRUE(art == 1 || art == 3 || art == 4) << static_cast<int>(g);
        // Without cancelled bookings number 6 is not listed at all.
        const auto aus = Nummern(u, BuAusgabe);
        EXPECT_EQ(std::count(aus.begin(), aus.end(), 6), 0);
        EXPECT_EQ(u.Ausgaben, 38300);
    }
}

TEST(Buchungsuebersicht, NachRubrikJedeBuchungInGenauEinerGruppe) {
    const Datenbestand d = Buch();
    const Buchungsuebersicht u = Uebersicht(d, UebersichtGruppierung::Rubrik);
    std::vector<std::string> koepfe;
    for (size_t i = 0; i < u.Zeilenzahl(); ++i)
        if (u.Zeile(i).Daten.Zeilenart == BuUeberschrift) koepfe.push_back(Zelle(u, i, BuGegen));
    // Leaves in chart order, then the parent booked on directly, then the unknown number; the
    // transfers under their own heading, by the account on the other side.
    EXPECT_EQ(koepfe, (std::vector<std::string>{"Einnahmen", "Gehalt", "Umbuchungen", "Girokonto", "Ausgaben",
                                                "Haushalt  \\  Lebensmittel", "Haushalt  \\  Drogerie", "Auto",
                                                "Haushalt", "Nr. 99 (nicht im Kontenplan)", "Umbuchungen",
                                                "Sparbuch"}));
    // Group subtotals add up to the part's total: nothing dropped, nothing twice.
    Cent gruppen = 0;
    for (const GridZeile& z : Alle(u))
        if (z.Daten.Zeilenart == BuZwischensumme && z.Daten.Betraege[6].value_or(0) < 0) gruppen -= *z.Daten.Betraege[6];
    EXPECT_EQ(gruppen, u.Ausgaben);
    // Markers after the voucher number.
    EXPECT_EQ(Zelle(u, 2, BuNummer), "0001  B1  E");
    const auto aus = Nummern(u, BuAusgabe);
    EXPECT_EQ(aus, (std::vector<int32_t>{2, 7, 6, 4, 5, 3}));
}

TEST(Buchungsuebersicht, NachRubrikOhneUnterrubrikenUnterDerHauptrubrik) {
    const Datenbestand d = Buch();
    const Buchungsuebersicht u = Uebersicht(d, UebersichtGruppierung::Rubrik, CodeAlleKonten, true, false);
    std::map<std::string, Cent> summen;
    std::string gruppe;
    for (size_t i = 0; i < u.Zeilenzahl(); ++i) {
        const GridZeile& z = u.Zeile(i);
        if (z.Daten.Zeilenart == BuUeberschrift) gruppe = Zelle(u, i, BuGegen);
        if (z.Daten.Zeilenart == BuZwischensumme) summen[gruppe] = *z.Daten.Betraege[6];
    }
    EXPECT_EQ(summen["Haushalt"], -(5000 + 2000 + 300));
    EXPECT_EQ(summen["Nr. 99 (nicht im Kontenplan)"], -1000);
    EXPECT_EQ(summen["Auto"], 0);  // only the cancelled booking
    EXPECT_EQ(summen.count("Haushalt  \\  Lebensmittel"), 0u);
    // The subtotal shows the amount without sign.
    for (size_t i = 0; i < u.Zeilenzahl(); ++i)
        if (u.Zeile(i).Daten.Zeilenart == BuZwischensumme) {
            EXPECT_EQ(Zelle(u, i, BuBetrag).find('-'), std::string::npos);
        }
}

TEST(Buchungsuebersicht, NachDatumChronologisch) {
    const Datenbestand d = Buch();
    const Buchungsuebersicht u = Uebersicht(d, UebersichtGruppierung::Datum);
    EXPECT_EQ(u.Tabelle.Kopf[0], "Datum");
    std::vector<std::string> tage;
    for (size_t i = 0; i < u.Zeilenzahl(); ++i) {
        const GridZeile& z = u.Zeile(i);
        if (z.Daten.Zeilenart == BuUeberschrift) tage.push_back(Zelle(u, i, BuDatum));
        if (z.Daten.Zeilenart == BuAusgabe || z.Daten.Zeilenart == BuEinnahme) {
            EXPECT_EQ(Zelle(u, i, BuDatum), "");
        }
    }
    // "05.01.25" sorts before "10.12.24" as text; the dates come first.
    EXPECT_EQ(tage, (std::vector<std::string>{"Einnahmen", "10.12.24", "15.01.25", "Ausgaben", "05.01.25", "06.01.25",
                                              "15.01.25", "20.01.25", "02.02.25"}));
    // Two bookings on 5 January in collection order under one heading, with their subtotal.
    EXPECT_EQ(Nummern(u, BuAusgabe), (std::vector<int32_t>{2, 4, 5, 3, 6, 7}));
    EXPECT_EQ(Zelle(u, 14, BuBetrag), "70,00");
    EXPECT_EQ(u.Zeile(14).Daten.Zeilenart, BuZwischensumme);
    EXPECT_EQ(u.Zeile(14).Daten.Farben[6], Farbklasse::Negativ);
    EXPECT_EQ(Zelle(u, 12, BuNummer), "0002    A");
}

// Dates centuries apart: ordered and named by the date, those of one day in collection order,
// however far apart the days lie.
TEST(Buchungsuebersicht, NachDatumUeberJahrhunderte) {
    Datenbestand d = test::KleinesBuch();
    const int32_t spaet = Tag(1, 1, 2399), frueh = Tag(5, 6, 1900), mitte = Tag(31, 12, 2100);
    const int32_t tage[] = {spaet, frueh, spaet, frueh, mitte, mitte};
    for (int32_t i = 0; i < 6; ++i) {
        buchungstyp b = Buchung(tage[i], i < 4 ? BArtEinnahme : BArtAusgabe, 100 * (i + 1), 1, i < 4 ? 10 : 30);
        b.IdentNr = i + 1;
        d.Buchungen.push_back(b);
    }
    BuchungenErneuert(d);
    const Buchungsuebersicht u = Uebersicht(d, UebersichtGruppierung::Datum);
    std::vector<std::string> koepfe;
    for (size_t i = 0; i < u.Zeilenzahl(); ++i)
        if (u.Zeile(i).Daten.Zeilenart == BuUeberschrift) koepfe.push_back(Zelle(u, i, BuDatum));
    EXPECT_EQ(koepfe, (std::vector<std::string>{"Einnahmen", "05.06.00", "01.01.99", "Ausgaben", "31.12.00"}));
    EXPECT_EQ(Nummern(u, BuEinnahme), (std::vector<int32_t>{2, 4, 1, 3}));
    EXPECT_EQ(Nummern(u, BuAusgabe), (std::vector<int32_t>{5, 6}));
    // Day subtotals: 200 + 400 on the early day, 100 + 300 on the late one.
    std::vector<Cent> summen;
    for (const GridZeile& z : Alle(u))
        if (z.Daten.Zeilenart == BuZwischensumme) summen.push_back(*z.Daten.Betraege[6]);
    EXPECT_EQ(summen, (std::vector<Cent>{600, 400, -1100}));

    const Buchungsuebersicht n = Uebersicht(d, UebersichtGruppierung::Buchungsnummer);
    EXPECT_EQ(Zelle(n, 1, BuDatum), "01.01.99");
    EXPECT_EQ(Zelle(n, 2, BuDatum), "05.06.00");
    EXPECT_EQ(Zelle(n, n.Zeilenzahl() - 5, BuDatum), "31.12.00");
}

TEST(Buchungsuebersicht, NachKontoJeKontoEineGruppe) {
    const Datenbestand d = Buch();
    const Buchungsuebersicht u = Uebersicht(d, UebersichtGruppierung::Konto);
    std::vector<std::string> koepfe;
    for (size_t i = 0; i < u.Zeilenzahl(); ++i)
        if (u.Zeile(i).Daten.Zeilenart == BuUeberschrift) koepfe.push_back(Zelle(u, i, BuKonto));
    EXPECT_EQ(koepfe, (std::vector<std::string>{"Einnahmen", "Girokonto", "Sparbuch", "Ausgaben", "Girokonto",
                                                "Bargeld"}));
    EXPECT_EQ(Nummern(u, BuAusgabe), (std::vector<int32_t>{2, 3, 5, 6, 7, 4}));
    EXPECT_EQ(Zelle(u, 5, BuNummer), "0003   U+");
}

TEST(Buchungsuebersicht, LeerUndVerlust) {
    Datenbestand d = test::KleinesBuch();
    BuchungenErneuert(d);
    const Buchungsuebersicht leer = Uebersicht(d, UebersichtGruppierung::Rubrik);
    ASSERT_EQ(leer.Zeilenzahl(), 1u);
    EXPECT_EQ(leer.Zeile(0).Daten.Zeilenart, BuEinnahme);
    EXPECT_EQ(leer.EinnahmenText, "0,00");
    EXPECT_EQ(leer.SaldoBeschriftung, "Saldo (Gewinn)");

    d.Buchungen.push_back(Buchung(Tag(1, 1, 2025), BArtEinnahme, 10000, 1, 10));
    d.Buchungen.push_back(Buchung(Tag(2, 1, 2025), BArtAusgabe, 25000, 1, 30));
    BuchungenErneuert(d);
    const Buchungsuebersicht u = Uebersicht(d, UebersichtGruppierung::Buchungsnummer);
    EXPECT_EQ(u.SaldoText, "-150,00");
    EXPECT_EQ(u.SaldoBeschriftung, "Saldo (Verlust)");
    EXPECT_EQ(u.SaldoFarbe, Farbklasse::Negativ);
    // Printing gets the rows and a balance row with the caption in the key column.
    const auto druck = u.DruckZeilen();
    ASSERT_EQ(druck.size(), u.Zeilenzahl() + 1);
    EXPECT_EQ(druck.back().Daten.Zeilenart, BuSaldo);
    EXPECT_EQ(druck.back().Zellen[0], "Saldo (Verlust)");
    EXPECT_EQ(druck.back().Zellen[6], "-150,00");
    EXPECT_EQ(druck.back().Daten.Betraege[6], -15000);
}

TEST(Buchungsuebersicht, DruckkopfNachSeite) {
    abfragetyp q;
    EXPECT_EQ(UebersichtKopfFilter("Miete", q),
              (std::vector<std::string>{"Filter: Miete", "Zeitraum: Gesamter Zeitraum"}));
    q.DatumVon = Tag(1, 1, 2025);
    q.DatumBis = Tag(31, 3, 2025);
    EXPECT_EQ(UebersichtKopfFilter("Miete", q)[1], "Zeitraum: 01.01.2025 - 31.03.2025");
    EXPECT_EQ(UebersichtKopfAllgemein("Alle Konten", "Alle Rubriken", "Jahr 2025")[2], "Zeitraum: Jahr 2025");
    UebersichtOptionen o;
    o.Druckkopf = UebersichtKopfFilter("Miete", q);
    Datenbestand d = test::KleinesBuch();
    BuchungenErneuert(d);
    EXPECT_EQ(BuchungsuebersichtAufbauen(d, o).Druckkopf[0], "Filter: Miete");
}

// The plain account-list rule, chart scanned per call.
bool ImListe(const Datenbestand& d, const std::vector<int32_t>& liste, int32_t nr) {
    for (int32_t code : liste) {
        if (code == nr || code == CodeAlleKonten) return true;
        for (const kontotyp& k : d.Konten)
            if (k.Nr == nr && ((code == CodeBestandskonten && k.Art == ArtBestandskonto) ||
                               (code == CodeSparkonten && k.Art == ArtSparkonto)))
                return true;
    }
    return false;
}

TEST(Buchungsuebersicht, GleichDerSchlichtenRechnungAufZufallsbuechern) {
    for (uint32_t saat : {3u, 17u}) {
        Datenbestand d = test::ZufallsBuch(saat, 600);
        test::Durchnummerieren(d);
        for (int32_t konto : {CodeAlleKonten, CodeBestandskonten, 3, 77}) {
            for (int32_t rubrik : {CodeAlleRubriken, CodeAusgaben, 20, CodeUmbuchungen}) {
                const abfragetyp q = UebersichtAbfrage(Gesamt(), konto, rubrik, saat == 3);
                // The plain computation: every matching booking by the written rule.
                Cent ein = 0, aus = 0;
                std::multiset<int32_t> einNr, ausNr;
                for (const buchungstyp& b : d.Buchungen) {
                    if (!Passt(d, q, b)) continue;
                    const Indexzeile z = IndexzeileAus(b);
                    const bool zaehlt = !b.Storniert;
                    const bool rein = b.BArt == BArtEinnahme || (b.BArt == BArtUmbuchung && ImListe(d, q.Konten, b.Konto2));
                    const bool raus = b.BArt == BArtAusgabe || (b.BArt == BArtUmbuchung && ImListe(d, q.Konten, b.Konto1));
                    if (rein) {
                        einNr.insert(b.IdentNr);
                        if (zaehlt) ein += z.Betrag;
                    }
                    if (raus) {
                        ausNr.insert(b.IdentNr);
                        if (zaehlt) aus += z.Betrag;
                    }
                }
                for (int g = 0; g < 4; ++g) {
                    for (bool unter : {true, false}) {
                        UebersichtOptionen o;
                        o.Abfrage = q;
                        o.Gruppierung = static_cast<UebersichtGruppierung>(g);
                        o.Unterrubriken = unter;
                        const Buchungsuebersicht u = BuchungsuebersichtAufbauen(d, o);
                        SCOPED_TRACE(testing::Message() << saat << " " << konto << " " << rubrik << " " << g << unter);
                        EXPECT_EQ(u.Einnahmen, ein);
                        EXPECT_EQ(u.Ausgaben, aus);
                        const auto e = Nummern(u, BuEinnahme);
                        const auto a = Nummern(u, BuAusgabe);
                        if (einNr.empty() && ausNr.empty()) {
                            EXPECT_EQ(u.Zeilenzahl(), 1u);
                            continue;
                        }
                        EXPECT_EQ(std::multiset<int32_t>(e.begin(), e.end()), einNr);
                        EXPECT_EQ(std::multiset<int32_t>(a.begin(), a.end()), ausNr);
                        // The group subtotals of each part add up to its total.
                        if (g == 0) continue;
                        Cent gruppen = 0, teil = 0;
                        for (const GridZeile& z : Alle(u)) {
                            if (z.Daten.Zeilenart == BuZwischensumme) gruppen += *z.Daten.Betraege[6];
                            if (z.Daten.Zeilenart == BuEinnGesamt) teil += *z.Daten.Betraege[6];
                            if (z.Daten.Zeilenart == BuAusgGesamt) teil -= *z.Daten.Betraege[6];
                        }
                        EXPECT_EQ(gruppen, teil);
                        EXPECT_EQ(teil, ein - aus);
                    }
                }
            }
        }
    }
}

// Every row made on demand against the plain reading of the booking records: a booking row's
// cells, amount, colour and marks from its record; a group subtotal the signed sum of the
// uncancelled bookings above it since its heading; a part's three sums from its booking rows.
TEST(Buchungsuebersicht, JedeZeileWieAusDenBuchungenGerechnet) {
    static const char* const marken[] = {"  E", "  A", " U+", " U-"};
    for (uint32_t saat : {5u, 23u}) {
        Datenbestand d = test::ZufallsBuch(saat, 400);
        test::Durchnummerieren(d);
        std::map<int32_t, buchungstyp> nachNr;
        for (const buchungstyp& b : d.Buchungen) nachNr.emplace(b.IdentNr, b);
        const auto pfade = KontoPfade(d.Konten);
        auto pfad = [&](int32_t nr) {
            const auto it = pfade.find(nr);
            return it == pfade.end() ? std::string() : it->second;
        };
        for (int32_t konto : {CodeAlleKonten, 3}) {
            for (int g = 0; g < 4; ++g) {
                for (bool zwischen : {true, false}) {
                    UebersichtOptionen o;
                    o.Abfrage = UebersichtAbfrage(Gesamt(), konto, CodeAlleRubriken, true);
                    o.Gruppierung = static_cast<UebersichtGruppierung>(g);
                    o.Zwischensummen = zwischen;
                    o.Unterrubriken = saat == 5;
                    const Buchungsuebersicht u = BuchungsuebersichtAufbauen(d, o);
                    SCOPED_TRACE(testing::Message() << saat << " " << konto << " " << g << zwischen);
                    const size_t betrag = static_cast<size_t>(u.Anzeige(BuBetrag));
                    const size_t schluessel = 0;
                    ASSERT_GT(u.Zeilenzahl(), 20u);
                    const Grid ganz = u.Ganz();
                    ASSERT_EQ(ganz.Zeilen.size(), u.Zeilenzahl());
                    EXPECT_EQ(ganz.Kopf, u.Tabelle.Kopf);
                    Cent gruppe = 0, teil = 0, umbuchung = 0;
                    size_t buchungen = 0;
                    for (size_t i = 0; i < u.Zeilenzahl(); ++i) {
                        const GridZeile z = u.Zeile(i);
                        SCOPED_TRACE(i);
                        // Made twice, a row comes out the same.
                        EXPECT_EQ(z.Zellen, ganz.Zeilen[i].Zellen);
                        EXPECT_EQ(z.Daten.Betraege, ganz.Zeilen[i].Daten.Betraege);
                        ASSERT_EQ(z.Zellen.size(), 7u);
                        ASSERT_EQ(z.Daten.Betraege.size(), 7u);
                        ASSERT_EQ(z.Daten.Farben.size(), 7u);
                        const int32_t art = z.Daten.Zeilenart;
                        if (art == BuUeberschrift) {
                            // The caption in one cell; a day without a date has an empty one.
                            EXPECT_EQ(std::count(z.Zellen.begin(), z.Zellen.end(), z.Daten.Zeilentext),
                                      z.Daten.Zeilentext.empty() ? 7 : 1);
                            gruppe = 0;
                            continue;
                        }
                        if (art == BuEinnahme || art == BuAusgabe) {
                            ++buchungen;
                            ASSERT_EQ(nachNr.count(z.Daten.IdentNr), 1u);
                            const buchungstyp& b = nachNr.at(z.Daten.IdentNr);
                            const bool zugang = art == BuEinnahme;
                            const bool um = b.BArt == BArtUmbuchung;
                            const int seite = um ? (zugang ? 2 : 3) : (zugang ? 0 : 1);
                            const bool an = seite == 2;
                            const int32_t gegen = an ? b.Konto1 : b.Konto2;
                            const Cent cent = IndexzeileAus(b).Betrag;
                            char nummer[16];
                            std::snprintf(nummer, sizeof nummer, "%04d", b.IdentNr);
                            EXPECT_EQ(Zelle(u, i, BuNummer), std::string(nummer) + "  " + b.Belegnr + (g ? marken[seite] : ""));
                            EXPECT_EQ(Zelle(u, i, BuDatum), g == 2 ? "" : DatumKurzText(b.Datum));
                            EXPECT_EQ(Zelle(u, i, BuStorno), b.Storniert ? "x" : "");
                            EXPECT_EQ(z.Zellen[betrag], b.Betrag);
                            EXPECT_EQ(Zelle(u, i, BuText), b.Text);
                            EXPECT_EQ(Zelle(u, i, BuGegen), g == 1 && gegen == z.Daten.RubrikNr ? "" : pfad(gegen));
                            EXPECT_EQ(Zelle(u, i, BuKonto), g == 3 ? "" : pfad(an ? b.Konto2 : b.Konto1));
                            EXPECT_EQ(z.Daten.Betraege[betrag], zugang ? cent : -cent);
                            EXPECT_EQ(z.Daten.Farben[betrag], zugang ? Farbklasse::Positiv : Farbklasse::Negativ);
                            EXPECT_EQ(z.Daten.Storniert, b.Storniert);
                            EXPECT_TRUE(z.Daten.Zeilentext.empty());
                            if (!b.Storniert) {
                                gruppe += zugang ? cent : -cent;
                                teil += cent;
                                if (um) umbuchung += cent;
                            }
                            continue;
                        }
                        ASSERT_TRUE(zwischen);
                        const std::optional<Cent> wert = z.Daten.Betraege[betrag];
                        ASSERT_TRUE(wert.has_value());
                        if (art == BuZwischensumme) {
                            EXPECT_EQ(*wert, gruppe);
                            EXPECT_EQ(z.Zellen[betrag], CentAnzeige(gruppe < 0 ? -gruppe : gruppe));
                            EXPECT_EQ(z.Daten.Farben[betrag], FarbeNachVorzeichen(gruppe));
                            EXPECT_EQ(z.Zellen[schluessel], "");
                            continue;
                        }
                        const bool einnahmen = art <= BuEinnReal;
                        const int stelle = (art - BuEinnGesamt) % 3;
                        const Cent soll = stelle == 0 ? teil : stelle == 1 ? umbuchung : teil - umbuchung;
                        EXPECT_EQ(*wert, soll);
                        EXPECT_EQ(z.Zellen[betrag], CentAnzeige(soll));
                        EXPECT_EQ(z.Zellen[schluessel], z.Daten.Zeilentext);
                        EXPECT_EQ(z.Daten.Farben[betrag], einnahmen ? Farbklasse::Positiv : Farbklasse::Negativ);
                        if (stelle == 2) {
                            EXPECT_EQ(einnahmen ? u.Einnahmen : u.Ausgaben, teil);
                            teil = umbuchung = 0;
                        }
                    }
                    EXPECT_GT(buchungen, 0u);
                }
            }
        }
    }
}

// A copy keeps its rows when the overview it was copied from is gone; a changed overview does
// not change the copy.
TEST(Buchungsuebersicht, KopieBehaeltIhreZeilen) {
    const Datenbestand d = Buch();
    Buchungsuebersicht kopie;
    EXPECT_EQ(kopie.Zeilenzahl(), 0u);
    EXPECT_THROW(kopie.Zeile(0), std::out_of_range);
    std::vector<std::string> vorher;
    {
        const Buchungsuebersicht u = Uebersicht(d, UebersichtGruppierung::Rubrik);
        vorher = u.Zeile(1).Zellen;
        kopie = u;
    }
    EXPECT_EQ(kopie.Zeile(1).Zellen, vorher);
    EXPECT_EQ(kopie.Zeile(1).Zellen[0], "Gehalt");
    kopie = Uebersicht(d, UebersichtGruppierung::Buchungsnummer);
    EXPECT_EQ(Zelle(kopie, 1, BuNummer), "0001  B1");
    EXPECT_THROW(kopie.Zeile(kopie.Zeilenzahl()), std::out_of_range);
}

}  // namespace
}  // namespace talerwerk
