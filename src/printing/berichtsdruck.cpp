#include "printing/berichtsdruck.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "bookings/kontosuche.h"
#include "evaluation/zeitraeume.h"
#include "printing/druckauftrag.h"
#include "store/betrag.h"
#include "store/datum.h"

namespace talerwerk {

namespace {

constexpr double kAbstand = 2;       // gap beside every column, mm
constexpr double kLinie = 0.3;       // rules and frame lines, mm
constexpr double kBeschriftungMin = 35;
constexpr const char* kBetragMuster = "-999.999,99";
// The row kind of the overall development's total row.
constexpr int32_t kEntwicklungGesamt = 2;

// One printed row: the caption and a text per value column, each with its colour.
struct Druckzeile {
    std::string Text;
    bool TextFett = false;
    bool WerteFett = false;
    std::vector<std::string> Werte;   // per value column; empty: nothing printed
    std::vector<Farbklasse> Farben;   // per value column
    bool LeerzeileDavor = false;      // one line down first (with Trennlinien a rule on it)
    bool RegelDarunter = false;       // a rule half a line below the row
};

struct Tabelle {
    std::string Kopf0;
    std::vector<std::string> Koepfe;
    std::vector<Druckzeile> Zeilen;
    bool BeschriftungFett = true;   // captions measured in bold
    bool Deckeln = true;            // value columns at most 1.5 × the amount width
    bool Einnahmenuebersicht = false;  // the income and expense overview's own page rule
};

class Berichtsjob {
public:
    Berichtsjob(Druckauftrag& job, const Berichtsanfrage& a, const Druckumgebung& u, Druckfortschritt& f)
        : job_(job), a_(a), u_(u), f_(f) {
        schrift_.Name = u.Seite.Schriftart;
        schrift_.Groesse = u.Seite.Schriftgroesse;
        schrift_.Farbe = u.Seite.Schriftfarbe;
        schrift_.Stil = u.Seite.Schriftstil;
    }

    // One copy: page set-up, header lines, title block, table. False when aborted.
    bool Exemplar() {
        job_.SetzeAusrichtung(u_.Seite.Ausrichtung == 1);
        job_.SetzeTitel(DruckJobTitel);
        job_.Beginne();
        job_.SetzeSchrift(schrift_);
        job_.SetzeRaender(u_.Seite.RandOben, u_.Seite.RandUnten, u_.Seite.RandLinks, u_.Seite.RandRechts);
        const double zh = job_.Zeilenhoehe();
        // The bottom limit comes from the margin in effect: a setting of 0 means the device's
        // minimum, never the edge of the sheet.
        const bool kopf = u_.Seite.Mandantendaten || u_.Seite.DatumDruck || u_.Seite.Seitenzahl;
        job_.SetzeSeitengrenzen(job_.SeitenhoeheMM() - job_.RandUntenMM(), kopf ? 4 * zh : 0);
        if (u_.Seite.Mandantendaten) {
            job_.SetzeKopfzeile(1, u_.Text1, schrift_, Ausrichtung::Links, 0);
            job_.SetzeKopfzeile(2, u_.Text2, schrift_, Ausrichtung::Links, NaechsteZeileY);
            job_.SetzeKopfzeile(3, u_.Text3, schrift_, Ausrichtung::Links, NaechsteZeileY);
        } else {
            for (int nr = 1; nr <= 3; ++nr)
                job_.SetzeKopfzeile(nr, " ", schrift_, Ausrichtung::Links, nr == 1 ? 0 : NaechsteZeileY);
        }
        job_.SetzeKopfzeile(4, u_.Seite.DatumDruck ? u_.Datum : std::string(), schrift_, Ausrichtung::Rechts,
                            GleicheZeileY);
        if (u_.Seite.Seitenzahl) job_.SetzeSeitenzahl("Seite %d", Ausrichtung::Rechts, schrift_, 0);

        Titelblock();
        f_.Stand(5);
        bool weiter = true;
        if (f_.Abgebrochen()) {
            weiter = false;
        } else {
            if (a_.Art == DruckKontenblatt || a_.Art == DruckBuchungsuebersicht) {
                weiter = ListeDrucken();
            } else if (a_.Art == DruckGesamtentwicklung) {
                weiter = EntwicklungDrucken();
            } else {
                const Tabelle t = TabelleAus();
                weiter = TabelleDrucken(t);
            }
        }
        f_.Stand(100);
        job_.SchriftZurueck();
        job_.Beende();
        return weiter;
    }

    int Seiten() const { return seiten_; }

private:
    Druckschrift Fett(int32_t farbe = -1) const {
        Druckschrift s = schrift_;
        s.Stil[0] = true;
        if (farbe >= 0) s.Farbe = farbe;
        return s;
    }
    Druckschrift Normal(int32_t farbe = -1) const {
        Druckschrift s = schrift_;
        if (farbe >= 0) s.Farbe = farbe;
        return s;
    }
    int32_t Farbe(Farbklasse k) const {
        if (!u_.Seite.FarbigerBetrag) return schrift_.Farbe;
        switch (k) {
        case Farbklasse::Positiv: return u_.Positiv;
        case Farbklasse::Negativ: return u_.Negativ;
        default: return schrift_.Farbe;
        }
    }

    // Title block at the body top: rules, the bold title, then the account selection, the period
    // and the second caption. Sets the table top below it.
    void Titelblock() {
        const double zh = job_.Zeilenhoehe();
        const double oben = job_.StartY();
        if (u_.Seite.Trennlinien) {
            job_.Linie(0, oben, job_.Druckbreite(), oben, kLinie);
            job_.Linie(0, oben + 2 * zh, job_.Druckbreite(), oben + 2 * zh, kLinie);
        }
        job_.SchriftMerken();
        job_.SetzeSchrift(Fett());
        job_.TextMitte(BerichtsTitel(a_.Art), oben + zh / 2);
        job_.SetzeSchrift(Normal());
        const double y = oben + zh / 2 + 2 * zh;
        job_.TextAn(a_.KontoName, y, -1);
        job_.TextMitte(a_.ZeitraumName, GleicheZeileY);
        if (!a_.ZweiterName.empty()) job_.TextRechts(a_.ZweiterName, GleicheZeileY);
        tabellenOben_ = job_.PositionY() + 2.5 * job_.Zeilenhoehe();
    }

    Tabelle TabelleAus() const {
        if (a_.Art == DruckEinnahmenAusgaben) return EinnahmenAusgaben();
        if (a_.Art == DruckRubrikKonto || a_.Art == DruckRubrikZeit) return Rubriken();
        return {};
    }

    std::vector<std::string> WertKoepfe() const {
        if (a_.Tabelle.Kopf.size() <= 1) return {};
        return {a_.Tabelle.Kopf.begin() + 1, a_.Tabelle.Kopf.end()};
    }

    Tabelle EinnahmenAusgaben() const {
        Tabelle t;
        t.Kopf0 = a_.Tabelle.Kopf.empty() ? "Konto" : a_.Tabelle.Kopf[0];
        t.Koepfe = WertKoepfe();
        t.BeschriftungFett = false;
        t.Deckeln = false;
        t.Einnahmenuebersicht = true;
        const size_t spalten = t.Koepfe.size();
        for (const GridZeile& g : a_.Tabelle.Zeilen) {
            Druckzeile z;
            z.Text = g.Daten.Zeilentext;
            z.TextFett = g.Daten.Zeilenart == GvGesamtReal;
            z.WerteFett = z.TextFett;
            z.LeerzeileDavor = g.Daten.Zeilenart == GvGesamt || g.Daten.Zeilenart == GvGesamtReal;
            for (size_t s = 1; s <= spalten; ++s) {
                const std::optional<Cent> w = s < g.Daten.Betraege.size() ? g.Daten.Betraege[s] : std::nullopt;
                z.Werte.push_back(w ? CentAnzeige(*w) : std::string());
                z.Farben.push_back(s < g.Daten.Farben.size() ? g.Daten.Farben[s] : Farbklasse::Text);
            }
            t.Zeilen.push_back(std::move(z));
        }
        return t;
    }

    Tabelle Rubriken() const {
        Tabelle t;
        t.Kopf0 = a_.Tabelle.Kopf.empty() ? "Rubrik" : a_.Tabelle.Kopf[0];
        t.Koepfe = WertKoepfe();
        const size_t spalten = t.Koepfe.size();
        const bool null = u_.Seite.NullwerteAusblenden;
        // The share bases: the totals of the income and the expense section, whole selection and
        // period.
        Cent einnahmen = 0, ausgaben = 0;
        for (const GridZeile& g : a_.Tabelle.Zeilen) {
            const auto s = static_cast<size_t>(a_.SummenSpalte);
            if (a_.SummenSpalte < 0 || s >= g.Daten.Betraege.size() || !g.Daten.Betraege[s]) continue;
            if (g.Daten.Zeilenart == RtEinnahmenGesamt) einnahmen = Betrag(*g.Daten.Betraege[s]);
            if (g.Daten.Zeilenart == RtAusgabenGesamt) ausgaben = Betrag(*g.Daten.Betraege[s]);
        }
        bool ausgabenTeil = false;
        for (const GridZeile& g : a_.Tabelle.Zeilen) {
            const int32_t art = g.Daten.Zeilenart;
            if (art == RtAusgabenKopf) ausgabenTeil = true;
            Druckzeile z;
            z.Text = art == RtUnterrubrik ? "   " + g.Daten.Zeilentext : art == RtLeer ? "" : g.Daten.Zeilentext;
            z.TextFett = art == RtEinnahmenKopf || art == RtAusgabenKopf || art == RtEinnahmenGesamt ||
                         art == RtAusgabenGesamt || art == RtSaldo || art == RtAnfangsstand || art == RtEndstand;
            z.WerteFett = art == RtAnfangsstand || art == RtEndstand || art == RtSaldo || art == RtEinnahmenGesamt ||
                          art == RtAusgabenGesamt;
            z.RegelDarunter = u_.Seite.Trennlinien && (art == RtAnfangsstand || art == RtEndstand ||
                                                      art == RtUmbuchungenAn || art == RtUmbuchungenAb);
            const bool ohneWerte = art == RtEinnahmenKopf || art == RtAusgabenKopf || art == RtLeer;
            const bool vorzeichen = art == RtAnfangsstand || art == RtEndstand || art == RtSaldo;
            const bool ausblendbar = art == RtUmbuchungenAn || art == RtUmbuchungenAb || art == RtRubrik ||
                                     art == RtUnterrubrik;
            for (size_t s = 1; s <= spalten; ++s) {
                std::string text;
                Farbklasse farbe = Farbklasse::Text;
                if (!ohneWerte && static_cast<int>(s) == a_.AnteilSpalte) {
                    // Share of a category: its total against its section's total.
                    const auto summe = static_cast<size_t>(a_.SummenSpalte);
                    const std::optional<Cent> w =
                        summe < g.Daten.Betraege.size() ? g.Daten.Betraege[summe] : std::nullopt;
                    if (w && (art == RtRubrik || art == RtUnterrubrik)) {
                        const Cent basis = ausgabenTeil ? ausgaben : einnahmen;
                        if (!(null && (Betrag(*w) == 0 || basis == 0))) text = AnteilText(Betrag(*w), basis);
                        farbe = FarbeNachVorzeichen(*w);
                    }
                } else if (!ohneWerte && s < g.Daten.Betraege.size() && g.Daten.Betraege[s]) {
                    const Cent w = *g.Daten.Betraege[s];
                    if (!(ausblendbar && null && w == 0)) text = CentAnzeige(vorzeichen ? w : Betrag(w));
                    farbe = FarbeNachVorzeichen(w);
                }
                z.Werte.push_back(std::move(text));
                z.Farben.push_back(farbe);
            }
            t.Zeilen.push_back(std::move(z));
        }
        return t;
    }

    // ---- the common table mechanics ----

    void SpaltenSetzen(const Tabellenmasse& m) {
        job_.SetzeSpalte(1, kAbstand, m.W0 - kAbstand);
        for (int k = 1; k <= m.N; ++k) job_.SetzeSpalte(k + 1, m.W0 + (k - 1) * m.W, m.W - kAbstand);
    }

    double RechtesEnde(const Tabellenmasse& m, int anzahl) const { return m.W0 + anzahl * m.W; }

    void Kopfzeile(const Tabelle& t, const Tabellenmasse& m, int erste, int anzahl) {
        const double zh = job_.Zeilenhoehe();
        const bool linien = u_.Seite.Trennlinien || u_.Seite.Tabellenrahmen;
        const double rechts = RechtesEnde(m, anzahl);
        if (linien) {
            job_.Linie(0, tabellenOben_, rechts, tabellenOben_, kLinie);
            job_.Linie(0, tabellenOben_ + 2 * zh, rechts, tabellenOben_ + 2 * zh, kLinie);
        }
        job_.SetzeSchrift(Fett());
        job_.TextSpalte(1, t.Kopf0, true, linien ? tabellenOben_ + zh / 2 : tabellenOben_);
        for (int k = 0; k < anzahl; ++k)
            job_.TextSpalteMitte(k + 2, t.Koepfe[static_cast<size_t>(erste + k)], GleicheZeileY);
        job_.SetzeSchrift(Normal());
        job_.NaechsteZeile();
        zeilenAufSeite_ = 0;
    }

    // The closing rule half a line below the cursor, with the frame lines when asked for.
    void Abschluss(const Tabellenmasse& m, int anzahl, bool rahmen) {
        const double y = job_.PositionY() + job_.Zeilenhoehe() / 2;
        const double rechts = RechtesEnde(m, anzahl);
        job_.Linie(0, y, rechts, y, kLinie);
        if (!rahmen) return;
        job_.Linie(0, tabellenOben_, 0, y, kLinie);
        for (int k = 0; k < anzahl; ++k) job_.Linie(m.W0 + k * m.W, tabellenOben_, m.W0 + k * m.W, y, kLinie);
        job_.Linie(rechts, tabellenOben_, rechts, y, kLinie);
    }

    // Closes the page and begins the next with the title block and the heading line when the
    // next line would reach below the bottom limit. A page that has no row yet is never closed:
    // a sheet too small for a single row still prints its rows, one per page at worst.
    void Umbruch(const Tabelle& t, const Tabellenmasse& m, int erste, int anzahl) {
        const double zh = job_.Zeilenhoehe();
        const bool rahmen = u_.Seite.Tabellenrahmen;
        const bool abschluss = rahmen || t.Einnahmenuebersicht;
        // Room for the row itself and, below it, the closing rule and frame ends.
        const double bedarf = job_.PositionY() + 2 * zh + (abschluss ? 1.5 * zh : 0) + job_.RandObenMM();
        if (bedarf <= job_.UntereGrenze() || zeilenAufSeite_ == 0) return;
        if (abschluss) {
            job_.NaechsteZeile();
            Abschluss(m, anzahl, rahmen);
        }
        NeueSeite();
        Titelblock();
        Kopfzeile(t, m, erste, anzahl);
    }

    void NeueSeite() {
        job_.NeueSeite();
        ++seiten_;
    }

    bool TabelleDrucken(const Tabelle& t) {
        const int spalten = static_cast<int>(t.Koepfe.size());
        if (spalten == 0) return true;
        // Geometry: the widest caption, the width of an amount.
        double beschriftung = 0;
        job_.SetzeSchrift(t.BeschriftungFett ? Fett() : Normal());
        for (const Druckzeile& z : t.Zeilen) beschriftung = std::max(beschriftung, job_.TextBreiteMM(z.Text));
        job_.SetzeSchrift(Normal());
        if (t.Einnahmenuebersicht)
            beschriftung = std::max({beschriftung, job_.TextBreiteMM("- Umbuchungen"), job_.Druckbreite() / 6});
        // An amount is never cut: a value wider than the template widens every value column,
        // keeping a gap on both sides of it.
        double mindest = job_.TextBreiteMM(kBetragMuster) + kAbstand;
        for (const bool fett : {false, true}) {
            job_.SetzeSchrift(fett ? Fett() : Normal());
            for (const Druckzeile& z : t.Zeilen)
                if (z.WerteFett == fett)
                    for (const std::string& w : z.Werte)
                        if (w.size() > 8) mindest = std::max(mindest, job_.TextBreiteMM(w) + 2 * kAbstand);
        }
        job_.SetzeSchrift(Normal());
        const Tabellenmasse m =
            TabellenmasseAus(job_.Druckbreite(), beschriftung + 2 * kAbstand, mindest, spalten, t.Deckeln);
        SpaltenSetzen(m);

        const int gruppen = (spalten + m.N - 1) / m.N;
        for (int gruppe = 0; gruppe < gruppen; ++gruppe) {
            if (gruppe > 0) {
                if (f_.Abgebrochen()) return false;
                NeueSeite();
                Titelblock();
            }
            f_.Stand(5 + (90 * gruppe / gruppen) / 5 * 5);
            const int erste = gruppe * m.N;
            const int anzahl = std::min(m.N, spalten - erste);
            Kopfzeile(t, m, erste, anzahl);
            for (const Druckzeile& z : t.Zeilen) {
                if (z.LeerzeileDavor) {
                    Umbruch(t, m, erste, anzahl);
                    job_.NaechsteZeile();
                    if (u_.Seite.Trennlinien) {
                        const double y = job_.PositionY() + job_.Zeilenhoehe() / 2;
                        job_.Linie(0, y, RechtesEnde(m, anzahl), y, kLinie);
                    }
                }
                Umbruch(t, m, erste, anzahl);
                Zeile(z, m, erste, anzahl);
            }
            if (u_.Seite.Tabellenrahmen) {
                job_.NaechsteZeile();
                Abschluss(m, anzahl, true);
            }
        }
        return true;
    }

    void Zeile(const Druckzeile& z, const Tabellenmasse& m, int erste, int anzahl) {
        job_.SetzeSchrift(z.TextFett ? Fett() : Normal());
        job_.TextSpalte(1, z.Text, true, NaechsteZeileY);
        for (int k = 0; k < anzahl; ++k) {
            const auto s = static_cast<size_t>(erste + k);
            if (s >= z.Werte.size() || z.Werte[s].empty()) continue;
            const int32_t farbe = Farbe(z.Farben[s]);
            job_.SetzeSchrift(z.WerteFett ? Fett(farbe) : Normal(farbe));
            job_.TextSpalteRechts(k + 2, z.Werte[s], true, GleicheZeileY);
        }
        job_.SetzeSchrift(Normal());
        if (z.RegelDarunter) {
            const double y = job_.PositionY() + 1.5 * job_.Zeilenhoehe();
            job_.Linie(0, y, RechtesEnde(m, anzahl), y, kLinie);
        }
        ++zeilenAufSeite_;
    }

    // ---- the overall development: column by column ----

    // The captions go down the caption column first, then each value column's values down the
    // same lines. The rows are cut into blocks that fit between the table top and the bottom
    // limit: each block is printed whole (captions, then values), and the next begins on a new
    // page with the title block and the heading line, so no row ever runs off the sheet.
    bool EntwicklungDrucken() {
        Tabelle t;
        t.Kopf0 = "Konto";
        t.Koepfe = WertKoepfe();
        const size_t spalten = t.Koepfe.size();
        if (spalten == 0) return true;
        for (const GridZeile& g : a_.Tabelle.Zeilen) {
            Druckzeile z;
            const bool gesamt = g.Daten.Zeilenart == kEntwicklungGesamt;
            z.Text = g.Daten.Zeilentext.empty() && !g.Zellen.empty() ? g.Zellen[0] : g.Daten.Zeilentext;
            z.TextFett = gesamt;
            z.WerteFett = gesamt;
            z.LeerzeileDavor = gesamt;
            for (size_t s = 1; s <= spalten; ++s) {
                const std::optional<Cent> w = s < g.Daten.Betraege.size() ? g.Daten.Betraege[s] : std::nullopt;
                z.Werte.push_back(w ? CentAnzeige(*w) : std::string());
                z.Farben.push_back(w ? FarbeNachVorzeichen(*w) : Farbklasse::Text);
            }
            t.Zeilen.push_back(std::move(z));
        }
        job_.SetzeSchrift(Fett());
        double beschriftung = job_.TextBreiteMM(t.Kopf0);
        for (const Druckzeile& z : t.Zeilen) beschriftung = std::max(beschriftung, job_.TextBreiteMM(z.Text));
        double mindest = job_.TextBreiteMM(kBetragMuster) + kAbstand;
        for (const Druckzeile& z : t.Zeilen)
            for (const std::string& w : z.Werte)
                if (w.size() > 8) mindest = std::max(mindest, job_.TextBreiteMM(w) + 2 * kAbstand);
        job_.SetzeSchrift(Normal());
        const Tabellenmasse m = TabellenmasseAus(job_.Druckbreite(), beschriftung + 2 * kAbstand, mindest,
                                                 static_cast<int>(spalten), true);
        SpaltenSetzen(m);

        const double zh = job_.Zeilenhoehe();
        const int gruppen = (static_cast<int>(spalten) + m.N - 1) / m.N;
        double gruppenHoehe = 0;
        for (int gruppe = 0; gruppe < gruppen; ++gruppe) {
            if (gruppe > 0) {
                if (f_.Abgebrochen()) return false;
                job_.NaechsteZeilen(2);
                // The next group goes below the last when the rest of the page holds it.
                const double frei = job_.UntereGrenze() - job_.RandObenMM() - job_.PositionY();
                if (frei > gruppenHoehe) {
                    tabellenOben_ = job_.PositionY();
                } else {
                    NeueSeite();
                    Titelblock();
                }
            }
            f_.Stand(5 + (90 * gruppe / gruppen) / 5 * 5);
            const int erste = gruppe * m.N;
            const int anzahl = std::min(m.N, static_cast<int>(spalten) - erste);
            size_t i = 0;
            do {
                if (i > 0) {
                    if (f_.Abgebrochen()) return false;
                    NeueSeite();
                    Titelblock();
                }
                const double oben = tabellenOben_;
                Kopfzeile(t, m, erste, anzahl);
                const size_t bis = EntwicklungsBlock(t, i);
                const bool letzter = bis == t.Zeilen.size();
                const double start = job_.PositionY();
                for (size_t r = i; r < bis; ++r) {
                    const Druckzeile& z = t.Zeilen[r];
                    if (z.LeerzeileDavor) {
                        job_.NaechsteZeile();
                        if (u_.Seite.Trennlinien) {
                            const double y = job_.PositionY() + zh / 2;
                            job_.Linie(0, y, RechtesEnde(m, anzahl), y, kLinie);
                        }
                    }
                    job_.SetzeSchrift(z.TextFett ? Fett() : Normal());
                    job_.TextSpalte(1, z.Text, true, NaechsteZeileY);
                }
                const double ende = job_.PositionY();
                for (int k = 0; k < anzahl; ++k) {
                    const auto s = static_cast<size_t>(erste + k);
                    job_.SetzePositionY(start);
                    for (size_t r = i; r < bis; ++r) {
                        const Druckzeile& z = t.Zeilen[r];
                        if (z.LeerzeileDavor) job_.NaechsteZeile();
                        job_.NaechsteZeile();
                        if (s >= z.Werte.size() || z.Werte[s].empty()) continue;
                        const int32_t farbe = Farbe(z.Farben[s]);
                        job_.SetzeSchrift(z.WerteFett ? Fett(farbe) : Normal(farbe));
                        job_.TextSpalteRechts(k + 2, z.Werte[s], true, GleicheZeileY);
                    }
                }
                job_.SetzePositionY(ende);
                job_.SetzeSchrift(Normal());
                if (letzter ? (u_.Seite.Trennlinien || u_.Seite.Tabellenrahmen) : u_.Seite.Tabellenrahmen) {
                    job_.NaechsteZeile();
                    Abschluss(m, anzahl, u_.Seite.Tabellenrahmen);
                }
                gruppenHoehe = job_.PositionY() - oben;
                i = bis;
            } while (i < t.Zeilen.size());
        }
        return true;
    }

    // The end of the block of rows from `von` that fits below the heading line just printed: its
    // lines (the total row brings its empty line along) and the closing rule half a line below.
    // At least one row, so that a sheet too small for any still makes progress.
    size_t EntwicklungsBlock(const Tabelle& t, size_t von) const {
        const double zh = job_.Zeilenhoehe();
        const double reserve = (u_.Seite.Trennlinien || u_.Seite.Tabellenrahmen) ? 1.5 * zh : 0;
        double y = job_.PositionY();
        size_t bis = von;
        while (bis < t.Zeilen.size()) {
            const double neu = y + (t.Zeilen[bis].LeerzeileDavor ? 2 : 1) * zh;
            if (bis > von && neu + zh + reserve + job_.RandObenMM() > job_.UntereGrenze()) break;
            y = neu;
            ++bis;
        }
        return bis;
    }

    // ---- booking lists: the account sheet and the booking overview ----

    struct Listenspalte {
        int Anzeige = 0;   // index of the cell in the rows
        int Logisch = 0;
        double Breite = 0;  // including the gap on its left
    };
    using Listengruppe = std::vector<Listenspalte>;

    // The cell of a logical column in a row; empty when the row has none.
    const std::string& ListenText(const GridZeile& z, int logisch) const {
        static const std::string leer;
        const int s = listenAnzeige_[static_cast<size_t>(logisch)];
        return s >= 0 && static_cast<size_t>(s) < z.Zellen.size() ? z.Zellen[static_cast<size_t>(s)] : leer;
    }
    std::optional<Cent> ListenCent(const GridZeile& z, int logisch) const {
        const int s = listenAnzeige_[static_cast<size_t>(logisch)];
        return s >= 0 && static_cast<size_t>(s) < z.Daten.Betraege.size() ? z.Daten.Betraege[static_cast<size_t>(s)]
                                                                           : std::nullopt;
    }

    bool Uebersicht() const { return a_.Art == DruckBuchungsuebersicht; }

    // The amount as printed: expenses stand five blanks left of the income amounts; a subtotal
    // and the balance of the overview are printed without sign, from their cents.
    struct Listenbetrag {
        std::string Text;
        Farbklasse Farbe = Farbklasse::Text;
    };
    Listenbetrag BetragAus(const GridZeile& z) const {
        const int32_t art = z.Daten.Zeilenart;
        const std::string& text = ListenText(z, ListeBetrag);
        const bool storno = z.Daten.Storniert || ListenText(z, ListeStorno) == "x";
        constexpr const char* kLinks = "     ";
        if (art == 3) return {text, storno ? Farbklasse::Text : Farbklasse::Positiv};
        if (art == 4) return {text + kLinks, storno ? Farbklasse::Text : Farbklasse::Negativ};
        if (!Uebersicht()) return {text, Farbklasse::Text};
        if (art == 2 || art == 11) {
            const std::optional<Cent> c = ListenCent(z, ListeBetrag);
            if (!c) return {text, Farbklasse::Text};
            return {CentAnzeige(Betrag(*c)) + (*c < 0 ? kLinks : ""), FarbeNachVorzeichen(*c)};
        }
        if (art >= 5 && art <= 7) return {text, Farbklasse::Positiv};
        if (art >= 8 && art <= 10) return {text + kLinks, Farbklasse::Negativ};
        return {text, Farbklasse::Text};
    }

    // Column widths (bold report font, whole millimetres) and the page groups.
    std::vector<Listengruppe> ListenGruppen() {
        const bool uebersicht = Uebersicht();
        const bool kbRubrik = !uebersicht && a_.Gruppierung == 2;
        job_.SetzeSchrift(Fett());
        // A category path comes back on many rows: each distinct text is measured once. The keys
        // view the rows' own cells, which outlive the map.
        std::unordered_map<std::string_view, double> gemessen;
        auto breite = [&](std::string_view text) {
            if (text.empty()) return 0.0;
            auto it = gemessen.find(text);
            if (it == gemessen.end()) it = gemessen.emplace(text, job_.TextBreiteMM(text)).first;
            return it->second;
        };
        std::array<double, 7> w{};
        for (int l : {ListeNummer, ListeGegen, ListeKonto}) w[static_cast<size_t>(l)] = breite(ListenUeberschriften[static_cast<size_t>(l)]);
        // The text column holds at least its heading.
        double buchungstext = job_.TextBreiteMM(ListenUeberschriften[ListeText]);
        double betrag = job_.TextBreiteMM(kBetragMuster) + 2 * kAbstand;
        double kbSummenText = 0;
        for (const GridZeile& z : a_.Tabelle.Zeilen) {
            const int32_t art = z.Daten.Zeilenart;
            // A heading is written across its line, never cut: it needs no column of its width.
            if (art != 1) {
                w[ListeNummer] = std::max(w[ListeNummer], job_.TextBreiteMM(ListenText(z, ListeNummer)));
                if (!kbRubrik) w[ListeGegen] = std::max(w[ListeGegen], breite(ListenText(z, ListeGegen)));
                w[ListeKonto] = std::max(w[ListeKonto], breite(ListenText(z, ListeKonto)));
            }
            if (art == 3 || art == 4) buchungstext = std::max(buchungstext, job_.TextBreiteMM(ListenText(z, ListeText)));
            if (kbRubrik && art == 5) kbSummenText = std::max(kbSummenText, breite(ListenText(z, ListeText)));
            // An amount is never cut: a wider one widens its column.
            const std::string b = BetragAus(z).Text;
            if (b.size() > 8) betrag = std::max(betrag, job_.TextBreiteMM(b));
        }
        w[ListeNummer] += kAbstand;
        w[ListeDatum] = job_.TextBreiteMM(" 31.12.99 ") + kAbstand;
        w[ListeStorno] = job_.TextBreiteMM("sto.") + kAbstand;
        w[ListeBetrag] = betrag + kAbstand;
        // The sheet by category keeps its category headings out of the width (they are written
        // across their lines), but holds the section totals' captions that stand in that column.
        w[ListeGegen] = kbRubrik ? std::max(job_.TextBreiteMM(ListenUeberschriften[ListeGegen]) + kAbstand,
                                            kbSummenText) + kAbstand
                                 : w[ListeGegen] + kAbstand;
        w[ListeKonto] += kAbstand;
        job_.SetzeSchrift(Normal());
        // Whole millimetres, rounded up: a text measured for its column is never cut by the rounding.
        for (double& b : w) b = std::ceil(b - 1e-9);

        const double druckbreite = job_.Druckbreite();
        double rest = druckbreite;
        for (int l : a_.Spalten)
            if (l != ListeText && l >= 0 && l < 7) rest -= w[static_cast<size_t>(l)];
        buchungstext += kAbstand;
        double text = std::floor(rest);
        if (uebersicht && text < 0) text = std::round(buchungstext);
        if (text < kBeschriftungMin && text < buchungstext) text = kBeschriftungMin;
        w[ListeText] = text;

        std::vector<Listengruppe> gruppen(1);
        double lauf = 0;
        for (size_t s = 0; s < a_.Spalten.size(); ++s) {
            const int l = a_.Spalten[s];
            if (l < 0 || l >= 7) continue;
            double b = w[static_cast<size_t>(l)];
            if (b > druckbreite) b = std::floor(druckbreite - kAbstand);
            if (!gruppen.back().empty() && lauf + b > druckbreite + 1e-6) {
                gruppen.emplace_back();
                lauf = 0;
            }
            gruppen.back().push_back({static_cast<int>(s), l, b});
            lauf += b;
        }
        return gruppen;
    }

    // Slots 1… of a page group: side by side from the gap on, each its column's width less the gap.
    void ListenSpaltenSetzen(const Listengruppe& g) {
        double x = kAbstand;
        for (size_t k = 0; k < g.size(); ++k) {
            job_.SetzeSpalte(static_cast<int>(k) + 1, x, g[k].Breite - kAbstand);
            x += g[k].Breite;
        }
    }
    double ListenRechts(const Listengruppe& g) const {
        double x = 0;
        for (const Listenspalte& s : g) x += s.Breite;
        return std::min(x + kAbstand / 2, job_.Druckbreite());
    }
    // Slot of a display column in the group, 0 when it is on another group's pages.
    static int ListenSlot(const Listengruppe& g, int anzeige) {
        for (size_t k = 0; k < g.size(); ++k)
            if (g[k].Anzeige == anzeige) return static_cast<int>(k) + 1;
        return 0;
    }

    void ListenKopfzeile(const Listengruppe& g) {
        const double zh = job_.Zeilenhoehe();
        const bool linien = u_.Seite.Trennlinien || u_.Seite.Tabellenrahmen;
        const double rechts = ListenRechts(g);
        if (linien) {
            job_.Linie(0, tabellenOben_, rechts, tabellenOben_, kLinie);
            job_.Linie(0, tabellenOben_ + 2 * zh, rechts, tabellenOben_ + 2 * zh, kLinie);
        }
        job_.SetzeSchrift(Fett());
        double y = linien ? tabellenOben_ + zh / 2 : tabellenOben_;
        for (size_t k = 0; k < g.size(); ++k) {
            job_.TextSpalteMitte(static_cast<int>(k) + 1, ListenUeberschriften[static_cast<size_t>(g[k].Logisch)], y);
            y = GleicheZeileY;
        }
        if (g.empty()) job_.SetzePositionY(linien ? tabellenOben_ + zh / 2 : tabellenOben_);
        job_.SetzeSchrift(Normal());
        job_.NaechsteZeile();
        zeilenAufSeite_ = 0;
    }

    // The closing rule half a line below the cursor and, with the frame, the lines between the
    // columns from the table top down to it.
    void ListenAbschluss(const Listengruppe& g, bool rahmen) {
        const double y = job_.PositionY() + job_.Zeilenhoehe() / 2;
        const double rechts = ListenRechts(g);
        job_.Linie(0, y, rechts, y, kLinie);
        if (!rahmen) return;
        job_.Linie(0, tabellenOben_, 0, y, kLinie);
        double x = 0;
        for (size_t k = 0; k + 1 < g.size(); ++k) {
            x += g[k].Breite;
            job_.Linie(x + kAbstand / 2, tabellenOben_, x + kAbstand / 2, y, kLinie);
        }
        job_.Linie(rechts, tabellenOben_, rechts, y, kLinie);
    }

    bool ListeDrucken() {
        listenAnzeige_.fill(-1);
        for (size_t s = 0; s < a_.Spalten.size(); ++s) {
            const int l = a_.Spalten[s];
            if (l >= 0 && l < 7) listenAnzeige_[static_cast<size_t>(l)] = static_cast<int>(s);
        }
        const std::vector<Listengruppe> gruppen = ListenGruppen();
        const std::vector<GridZeile>& zeilen = a_.Tabelle.Zeilen;
        const double zh = job_.Zeilenhoehe();
        const bool rahmen = u_.Seite.Tabellenrahmen;
        const size_t gesamt = std::max<size_t>(1, gruppen.size() * zeilen.size());
        for (size_t gi = 0; gi < gruppen.size(); ++gi) {
            const Listengruppe& g = gruppen[gi];
            if (gi > 0) {
                if (f_.Abgebrochen()) return false;
                NeueSeite();
                Titelblock();
            }
            ListenSpaltenSetzen(g);
            ListenKopfzeile(g);
            for (size_t r = 0; r < zeilen.size(); ++r) {
                // Room for the row and its rules, and for the closing rule and frame below it.
                const double bedarf = job_.PositionY() + 2 * zh + (rahmen ? 1.5 * zh : 0) + job_.RandObenMM();
                if (bedarf > job_.UntereGrenze() && zeilenAufSeite_ > 0) {
                    if (rahmen) {
                        job_.NaechsteZeile();
                        ListenAbschluss(g, true);
                    }
                    if (f_.Abgebrochen()) return false;
                    f_.Stand(5 + static_cast<int>(90 * (gi * zeilen.size() + r) / gesamt) / 5 * 5);
                    NeueSeite();
                    Titelblock();
                    ListenKopfzeile(g);
                }
                Listenzeile(zeilen[r], g, gi == 0, r + 1 == zeilen.size());
            }
            if (rahmen) {
                job_.NaechsteZeile();
                ListenAbschluss(g, true);
            }
        }
        return true;
    }

    void ListenRegel(const Listengruppe& g, double y) {
        if (u_.Seite.Trennlinien) job_.Linie(0, y, ListenRechts(g), y, kLinie);
    }

    void Listenzeile(const GridZeile& z, const Listengruppe& g, bool ersteGruppe, bool letzte) {
        const double zh = job_.Zeilenhoehe();
        const int32_t art = z.Daten.Zeilenart;
        const bool uebersicht = Uebersicht();
        job_.NaechsteZeile();
        ++zeilenAufSeite_;
        if (art == 1) {
            // A heading: the grouping column's text across the line, on the first group's pages.
            if (!ersteGruppe || g.empty()) return;
            const std::string& text =
                g.front().Anzeige < static_cast<int>(z.Zellen.size()) ? z.Zellen[static_cast<size_t>(g.front().Anzeige)]
                                                                       : z.Daten.Zeilentext;
            job_.SetzeSchrift(Fett());
            job_.TextAn(text.empty() ? z.Daten.Zeilentext : text, GleicheZeileY, kAbstand);
            job_.SetzeSchrift(Normal());
            return;
        }
        const bool summe = art == 2 || (!uebersicht && art == 5);
        const bool regelDavor = summe || (uebersicht && (art == 5 || art == 8 || art == 11));
        const bool regelDanach = (summe || (uebersicht && (art == 7 || art == 10))) && !letzte;
        const bool fett = (!uebersicht && art == 5) ||
                          (uebersicht && (art == 5 || art == 7 || art == 8 || art == 10 || art == 11));
        if (regelDavor && u_.Seite.Trennlinien) {
            ListenRegel(g, job_.PositionY() + zh / 10);
            job_.SetzePositionY(job_.PositionY() + 0.3 * zh);
        }
        const Druckschrift schrift = fett ? Fett() : Normal();
        if (!uebersicht && summe) {
            KontenblattSumme(z, g, schrift);
        } else {
            const Listenbetrag b = BetragAus(z);
            for (size_t k = 0; k < g.size(); ++k) {
                const int slot = static_cast<int>(k) + 1;
                if (g[k].Logisch == ListeBetrag) {
                    if (b.Text.empty()) continue;
                    Druckschrift s = schrift;
                    s.Farbe = Farbe(b.Farbe);
                    job_.SetzeSchrift(s);
                    job_.TextSpalteRechts(slot, b.Text, true, GleicheZeileY);
                } else {
                    const std::string& text = ListenText(z, g[k].Logisch);
                    if (text.empty()) continue;
                    job_.SetzeSchrift(schrift);
                    job_.TextSpalte(slot, text, true, GleicheZeileY);
                }
            }
        }
        job_.SetzeSchrift(Normal());
        if (art == 11 && u_.Seite.Trennlinien) ListenRegel(g, job_.PositionY() + 1.2 * zh);
        if (regelDanach && u_.Seite.Trennlinien) {
            ListenRegel(g, job_.PositionY() + 1.2 * zh);
            job_.SetzePositionY(job_.PositionY() + 0.4 * zh);
        }
        if (!uebersicht && art == 5) job_.SetzePositionY(job_.PositionY() + 0.8 * zh);
    }

    // A subtotal or total of the account sheet: its caption and its sum, both right-aligned, at
    // the places the grouping has for them; each only on the pages of the group holding it.
    void KontenblattSumme(const GridZeile& z, const Listengruppe& g, const Druckschrift& schrift) {
        int beschriftung = -1, betrag = -1, quelle = ListeGegen;
        if (a_.Gruppierung == 0 || a_.Gruppierung == 3) {
            beschriftung = 1;
            betrag = 3;
        } else if (a_.Gruppierung == 2) {
            beschriftung = z.Daten.Zeilenart == 5 ? 0 : 4;
            betrag = 5;
            quelle = ListeBetrag;
        }
        if (beschriftung < 0) return;
        if (const int slot = ListenSlot(g, beschriftung)) {
            job_.SetzeSchrift(schrift);
            job_.TextSpalteRechts(slot, ListenText(z, ListeText), true, GleicheZeileY);
        }
        if (const int slot = ListenSlot(g, betrag)) {
            const std::optional<Cent> c = ListenCent(z, quelle);
            Druckschrift s = schrift;
            s.Farbe = Farbe(c ? FarbeNachVorzeichen(*c) : Farbklasse::Text);
            job_.SetzeSchrift(s);
            job_.TextSpalteRechts(slot, ListenText(z, quelle), true, GleicheZeileY);
        }
    }

    Druckauftrag& job_;
    const Berichtsanfrage& a_;
    const Druckumgebung& u_;
    Druckfortschritt& f_;
    Druckschrift schrift_;
    double tabellenOben_ = 0;
    int zeilenAufSeite_ = 0;
    int seiten_ = 1;
    std::array<int, 7> listenAnzeige_{};  // display column of each logical list column, −1 without
};

// The printed heading of a period column: "Jan 2024" (three letters of the month) or "Jahr 2024".
std::string KurzerZeitraum(const MonatsDatenTyp& m, bool jaehrlich) {
    if (jaehrlich) return "Jahr " + std::to_string(m.Jahr);
    const std::string& name = MonatsName(m.VonMonat);
    size_t ende = 0;
    for (int zeichen = 0; zeichen < 3 && ende < name.size(); ++zeichen) {
        ++ende;
        while (ende < name.size() && (static_cast<unsigned char>(name[ende]) & 0xC0) == 0x80) ++ende;
    }
    return name.substr(0, ende) + " " + std::to_string(m.Jahr);
}

Berichtsanfrage RubrikAnfrage(int art, const Datenbestand& d, const RubrikTabellenOptionen& o, RubrikTabelle t) {
    Berichtsanfrage a;
    a.Art = art;
    a.KontoName = AuswahlBezeichnung(d, o.Auswahl);
    a.ZeitraumName = o.Zeitraum.Bezeichnung;
    a.SummenSpalte = t.SummenSpalte;
    a.AnteilSpalte = t.AnteilSpalte;
    a.Tabelle = std::move(t.Tabelle);
    std::vector<std::string>& kopf = a.Tabelle.Kopf;
    if (!kopf.empty()) kopf[0] = "Rubrik";
    if (a.SummenSpalte >= 0 && static_cast<size_t>(a.SummenSpalte) < kopf.size())
        kopf[static_cast<size_t>(a.SummenSpalte)] = "Gesamt";
    if (a.AnteilSpalte >= 0 && static_cast<size_t>(a.AnteilSpalte) < kopf.size())
        kopf[static_cast<size_t>(a.AnteilSpalte)] = "Anteile in %";
    return a;
}

}  // namespace

const std::array<const char*, 7> ListenUeberschriften = {"B-nr./Belegnr.", "Datum", "sto.", "Betrag",
                                                         "B.-text", "Rubrik/Gegenkonto", "Konto"};

const char* BerichtsTitel(int art) {
    switch (art) {
    case DruckGesamtentwicklung: return "Gesamtentwicklung";
    case DruckEinnahmenAusgaben: return "Einnahmen-Ausgaben-Übersicht";
    case DruckBuchungsuebersicht: return "Buchungsübersicht";
    case DruckRubrikKonto: return "Rubrik-Konto-Übersicht";
    case DruckRubrikZeit: return "Rubrik-Zeit-Übersicht";
    case DruckKontenblatt: return "Kontenblatt";
    default: return "";
    }
}

Tabellenmasse TabellenmasseAus(double breite, double beschriftung, double mindest, int spalten, bool deckeln) {
    Tabellenmasse m;
    spalten = std::max(1, spalten);
    mindest = std::max(mindest, 1.0);
    m.W0 = beschriftung;
    m.N = spalten;
    m.W = (breite - m.W0) / spalten;
    if (m.W < mindest) {
        m.W = mindest;
        m.W0 = breite - spalten * mindest;
        if (m.W0 < kBeschriftungMin) {
            m.W0 = kBeschriftungMin;
            // However narrow the sheet, one value column per group; never more than the slots.
            m.N = std::clamp(static_cast<int>(std::floor((breite - kBeschriftungMin) / mindest)), 1,
                             SpaltenAnzahl - 1);
            // Fewer columns per group leave room: the captions get what they need of it
            // before the value columns grow.
            m.W0 = std::max(kBeschriftungMin, std::min(beschriftung, breite - m.N * mindest));
            m.W = std::max(mindest, (breite - m.W0) / m.N);
        }
    }
    if (m.N > SpaltenAnzahl - 1) {
        m.N = SpaltenAnzahl - 1;
        m.W = std::max(mindest, (breite - m.W0) / m.N);
    }
    if (deckeln) m.W = std::min(m.W, 1.5 * mindest);
    m.W = std::round(m.W);
    m.W0 = std::round(m.W0);
    return m;
}

Berichtsanfrage EinnahmenAusgabenDruck(const Datenbestand& d, const GewinnVerlustOptionen& o) {
    Berichtsanfrage a;
    a.Art = DruckEinnahmenAusgaben;
    a.KontoName = AuswahlBezeichnung(d, o.Auswahl);
    a.ZeitraumName = o.Zeitraum.Bezeichnung;
    a.Tabelle = GewinnVerlustAufbauen(d, o);
    a.Tabelle.Kopf = {"Konto", "Anf.-stand", "Einnahmen", "Ausgaben", "Endstand", "Saldo"};
    return a;
}

Berichtsanfrage RubrikKontoDruck(const Datenbestand& d, const RubrikTabellenOptionen& o) {
    return RubrikAnfrage(DruckRubrikKonto, d, o, RubrikKontoAufbauen(d, o));
}

Berichtsanfrage RubrikZeitDruck(const Datenbestand& d, const RubrikTabellenOptionen& o) {
    RubrikTabelle t = RubrikZeitAufbauen(d, o);
    const bool kurz = t.Kurz, jaehrlich = t.Jaehrlich;
    Berichtsanfrage a = RubrikAnfrage(DruckRubrikZeit, d, o, std::move(t));
    if (!kurz) {
        // The period columns in the builder's order (oldest first), headed in short form.
        const int32_t jahr = o.Zeitraum.Jahr == 0 ? -1 : o.Zeitraum.Jahr;
        std::vector<MonatsDatenTyp> liste = jaehrlich ? JahresListe(d, jahr, o.Heute) : MonatsListe(d, jahr, o.Heute);
        std::reverse(liste.begin(), liste.end());
        for (size_t i = 0; i < liste.size() && i + 1 < a.Tabelle.Kopf.size(); ++i)
            if (static_cast<int>(i + 1) < a.SummenSpalte) a.Tabelle.Kopf[i + 1] = KurzerZeitraum(liste[i], jaehrlich);
    }
    return a;
}

Berichtsanfrage KontenblattDruck(const Datenbestand& d, const KontenblattOptionen& o) {
    Kontenblatt blatt = KontenblattAufbauen(d, o);
    Berichtsanfrage a;
    a.Art = DruckKontenblatt;
    a.KontoName = o.Konto == 0 ? std::string() : KontoName(d.Konten, o.Konto);
    a.ZeitraumName = o.Zeitraum.Bezeichnung;
    a.Gruppierung = static_cast<int>(o.Gruppierung);
    a.ZweiterName = KontenblattGruppierungsNamen[static_cast<size_t>(a.Gruppierung)];
    a.Spalten.assign(blatt.Spalten.begin(), blatt.Spalten.end());
    a.Tabelle = std::move(blatt.Tabelle);
    return a;
}

Berichtsanfrage BuchungsuebersichtDruck(const Buchungsuebersicht& u) {
    Berichtsanfrage a;
    a.Art = DruckBuchungsuebersicht;
    // Three lines (accounts, categories, period) from the page "Allgemein", two (filter, period)
    // from the search page: the period always in the middle, the categories at the right.
    const std::vector<std::string>& kopf = u.Druckkopf;
    if (!kopf.empty()) a.KontoName = kopf.front();
    if (kopf.size() >= 2) a.ZeitraumName = kopf.back();
    if (kopf.size() >= 3) a.ZweiterName = kopf[1];
    a.Spalten.assign(u.Spalten.begin(), u.Spalten.end());
    a.Tabelle.Kopf = u.Tabelle.Kopf;
    a.Tabelle.Titel = u.Tabelle.Titel;
    a.Tabelle.Zeilen = u.DruckZeilen();
    return a;
}

Berichtsanfrage GesamtentwicklungDruck(const Datenbestand& d, const GesamtentwicklungOptionen& o,
                                       const Gesamtentwicklung& g) {
    Berichtsanfrage a;
    a.Art = DruckGesamtentwicklung;
    a.KontoName = AuswahlBezeichnung(d, o.Auswahl);
    a.ZeitraumName = o.Zeitraum.Bezeichnung;
    a.ZweiterName = g.Hinweis;
    a.Tabelle = g.Tabelle;
    // The period columns (after the caption and "Anf.-stand") headed in short form, as in the
    // category-time report: a month's full name does not fit a value column.
    for (size_t i = 0; i < g.Perioden.size() && i + 2 < a.Tabelle.Kopf.size(); ++i)
        a.Tabelle.Kopf[i + 2] = KurzerZeitraum(g.Perioden[i], o.Jaehrlich);
    return a;
}

Druckumgebung DruckumgebungAus(const Datenbestand& d, const Einstellungen& e, int32_t heute) {
    Druckumgebung u;
    u.Seite = d.Druckereinstellung;
    u.Positiv = e.Positiv;
    u.Negativ = e.Negativ;
    u.Text1 = d.Mandant.Text1;
    u.Text2 = d.Mandant.Text2;
    u.Text3 = d.Mandant.Text3;
    u.Datum = DatumLangText(heute);
    return u;
}

Druckergebnis BerichtDrucken(Seitengeraet& geraet, const Berichtsanfrage& anfrage, const Druckumgebung& umgebung,
                             Druckfortschritt& fortschritt) {
    Druckergebnis ergebnis;
    fortschritt.Zeigen();
    // The page setup offers 0…100 copies; a file that says more (damaged or made elsewhere)
    // must not keep the printer busy for ever.
    const int exemplare = std::min(umgebung.Seite.Exemplare, HoechstensExemplare);
    for (int nr = 1; nr <= exemplare; ++nr) {
        fortschritt.Text(exemplare == 1 ? std::string("Bericht wird gedruckt")
                                        : "Exemplar " + std::to_string(nr) + " wird gedruckt");
        fortschritt.Stand(0);
        Druckauftrag job(geraet);
        Berichtsjob bericht(job, anfrage, umgebung, fortschritt);
        ++ergebnis.Exemplare;
        const bool fertig = bericht.Exemplar();
        ergebnis.Seiten += bericht.Seiten();
        if (!fertig || fortschritt.Abgebrochen()) {
            ergebnis.Abgebrochen = true;
            break;
        }
    }
    fortschritt.Verbergen();
    return ergebnis;
}

}  // namespace talerwerk
