#include "printing/berichtsdruck.h"

#include <algorithm>
#include <cmath>

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

Cent Betrag(Cent wert) { return wert < 0 ? -wert : wert; }

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
            const Tabelle t = TabelleAus();
            weiter = TabelleDrucken(t);
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

    Druckauftrag& job_;
    const Berichtsanfrage& a_;
    const Druckumgebung& u_;
    Druckfortschritt& f_;
    Druckschrift schrift_;
    double tabellenOben_ = 0;
    int zeilenAufSeite_ = 0;
    int seiten_ = 1;
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
