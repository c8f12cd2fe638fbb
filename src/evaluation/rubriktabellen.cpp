#include "evaluation/rubriktabellen.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/monatssummen.h"
#include "evaluation/zeitraeume.h"
#include "store/betrag.h"

namespace talerwerk {

namespace {

// One row of the table before it has values.
struct Plan {
    int32_t Art = 0;
    std::string Text;
    int32_t Rubrik = 0;
    bool OhneWert = false;  // a category whose sub-categories stand in rows of their own
};

std::vector<Plan> Zeilenplan(const Datenbestand& d, bool unterrubriken) {
    std::unordered_set<int32_t> oberNrn;
    for (const kontotyp& k : d.Konten)
        if (k.OberNr != 0) oberNrn.insert(k.OberNr);
    std::vector<Plan> plan;
    auto rubriken = [&](int32_t art) {
        for (const kontotyp& k : d.Konten) {
            if (k.Art != art) continue;
            if (k.OberNr == 0)
                plan.push_back({RtRubrik, k.Name, k.Nr, unterrubriken && oberNrn.count(k.Nr) > 0});
            else if (unterrubriken)
                plan.push_back({RtUnterrubrik, k.Name, k.Nr, false});
        }
    };
    plan.push_back({RtAnfangsstand, "Anfangsstand"});
    plan.push_back({RtLeer, ""});
    plan.push_back({RtEinnahmenKopf, "Einnahmen"});
    rubriken(ArtEinnahme);
    plan.push_back({RtEinnahmenGesamt, "Gesamt"});
    plan.push_back({RtUmbuchungenAn, "Umbuchungen"});
    plan.push_back({RtLeer, ""});
    plan.push_back({RtAusgabenKopf, "Ausgaben"});
    rubriken(ArtAusgabe);
    plan.push_back({RtAusgabenGesamt, "Gesamt"});
    plan.push_back({RtUmbuchungenAb, "Umbuchungen"});
    plan.push_back({RtLeer, ""});
    plan.push_back({RtEndstand, "Endstand"});
    plan.push_back({RtLeer, ""});
    plan.push_back({RtSaldo, "Saldo"});
    return plan;
}

// The signed value of one cell, nullopt for a cell without value.
std::optional<Cent> Wert(const Monatssummen& ms, const Plan& z, int32_t auswahl, const Periode& p) {
    switch (z.Art) {
    case RtAnfangsstand: return ms.StandVorPeriode(auswahl, p);
    case RtEinnahmenGesamt: return ms.PeriodenSumme(auswahl, 0, SummenModus::Einnahmen, p);
    case RtUmbuchungenAn: return ms.PeriodenSumme(auswahl, 0, SummenModus::UmbuchungenAn, p);
    case RtRubrik:
        if (z.OhneWert) return std::nullopt;
        return ms.PeriodenSumme(auswahl, z.Rubrik, SummenModus::Rubrik, p);
    case RtUnterrubrik: return ms.PeriodenSumme(auswahl, z.Rubrik, SummenModus::Rubrik, p);
    case RtAusgabenGesamt: return ms.PeriodenSumme(auswahl, 0, SummenModus::Ausgaben, p);
    case RtUmbuchungenAb: return ms.PeriodenSumme(auswahl, 0, SummenModus::UmbuchungenAb, p);
    case RtEndstand: return ms.StandEndePeriode(auswahl, p);
    case RtSaldo: return ms.StandEndePeriode(auswahl, p) - ms.StandVorPeriode(auswahl, p);
    default: return std::nullopt;
    }
}

bool Vorzeichenbehaftet(int32_t art) { return art == RtAnfangsstand || art == RtEndstand || art == RtSaldo; }

Farbklasse Farbe(int32_t art, const std::optional<Cent>& wert) {
    if (!wert) return Farbklasse::Text;
    if (Vorzeichenbehaftet(art)) return FarbeNachVorzeichen(*wert);
    if (art == RtEinnahmenGesamt) return Farbklasse::Positiv;
    if (art == RtAusgabenGesamt) return Farbklasse::Negativ;
    return Farbklasse::Text;
}

void WertZelle(GridZeile& z, const std::optional<Cent>& wert) {
    const int32_t art = z.Daten.Zeilenart;
    z.Zellen.push_back(!wert ? std::string() : CentAnzeige(Vorzeichenbehaftet(art) ? *wert : Betrag(*wert)));
    z.Daten.Betraege.push_back(wert);
    z.Daten.Farben.push_back(Farbe(art, wert));
}

// A column of the table: the account selection and the period its cells are computed for.
struct Spalte {
    std::string Titel;
    int32_t Auswahl = 0;
    Periode P;
};

// Fills the table over the columns. zeitSpalten: the totals column takes the balance rows from the
// first and last column instead of adding them up.
RubrikTabelle Aufbauen(const Datenbestand& d, const RubrikTabellenOptionen& o, const std::vector<Spalte>& spalten,
                       bool kurz, bool zeitSpalten, const std::string& titel) {
    RubrikTabelle t;
    t.Kurz = kurz;
    t.Tabelle.Titel = titel;
    t.Tabelle.Kopf.push_back("");
    if (!kurz)
        for (const Spalte& s : spalten) t.Tabelle.Kopf.push_back(s.Titel);
    t.SummenSpalte = static_cast<int>(t.Tabelle.Kopf.size());
    t.Tabelle.Kopf.push_back(kurz && spalten.size() == 1 ? spalten.front().Titel : "Gesamt");
    if (o.Anteile) {
        t.AnteilSpalte = static_cast<int>(t.Tabelle.Kopf.size());
        t.Tabelle.Kopf.push_back("Anteil in %");
    }

    const std::shared_ptr<const Monatssummen> ms = GemeinsameMonatssummen(d);
    const std::vector<Plan> plan = Zeilenplan(d, o.Unterrubriken);
    std::vector<std::optional<Cent>> werte(spalten.size());
    std::vector<Cent> summen(plan.size(), 0);
    Cent einnahmenBasis = 0, ausgabenBasis = 0;
    for (size_t r = 0; r < plan.size(); ++r) {
        const Plan& z = plan[r];
        GridZeile zeile;
        zeile.Daten.Zeilenart = z.Art;
        zeile.Daten.RubrikNr = (z.Art == RtRubrik || z.Art == RtUnterrubrik) ? z.Rubrik : 0;
        zeile.Daten.Zeilentext = z.Text;
        const char* einzug = z.Art == RtUnterrubrik ? "    "
                             : (z.Art == RtRubrik || z.Art == RtUmbuchungenAn || z.Art == RtUmbuchungenAb) ? "  "
                                                                                                            : "";
        zeile.Zellen.push_back(einzug + z.Text);
        zeile.Daten.Betraege.push_back(std::nullopt);
        zeile.Daten.Farben.push_back(Farbklasse::Text);

        std::optional<Cent> summe;
        for (size_t s = 0; s < spalten.size(); ++s) {
            werte[s] = Wert(*ms, z, spalten[s].Auswahl, spalten[s].P);
            if (werte[s]) summe = summe.value_or(0) + *werte[s];
            if (!kurz) WertZelle(zeile, werte[s]);
        }
        const bool hatWert = !(z.Art == RtEinnahmenKopf || z.Art == RtAusgabenKopf || z.Art == RtLeer || z.OhneWert);
        if (!hatWert) {
            summe.reset();
        } else if (zeitSpalten && Vorzeichenbehaftet(z.Art)) {
            // Over periods a balance is not a sum: the first column's opening, the last one's closing.
            const Cent anfang = spalten.empty() ? 0 : ms->StandVorPeriode(o.Auswahl, spalten.front().P);
            const Cent ende = spalten.empty() ? 0 : ms->StandEndePeriode(o.Auswahl, spalten.back().P);
            summe = z.Art == RtAnfangsstand ? anfang : z.Art == RtEndstand ? ende : ende - anfang;
        } else if (!summe) {
            summe = 0;  // no column: every total is 0
        }
        WertZelle(zeile, summe);
        summen[r] = summe.value_or(0);
        if (z.Art == RtEinnahmenGesamt) einnahmenBasis = summen[r];
        if (z.Art == RtAusgabenGesamt) ausgabenBasis = Betrag(summen[r]);
        t.Tabelle.Zeilen.push_back(std::move(zeile));
    }

    if (o.Anteile) {
        // Shares of the category rows: of the income total above the income "Gesamt" row, of the
        // expense total below it; the shown (absolute) total of the row is the part.
        bool ausgaben = false;
        for (size_t r = 0; r < plan.size(); ++r) {
            GridZeile& zeile = t.Tabelle.Zeilen[r];
            if (plan[r].Art == RtEinnahmenGesamt) ausgaben = true;
            const bool anteil = plan[r].Art == RtUnterrubrik || (plan[r].Art == RtRubrik && !plan[r].OhneWert);
            zeile.Zellen.push_back(anteil ? AnteilText(Betrag(summen[r]), ausgaben ? ausgabenBasis : einnahmenBasis)
                                          : std::string());
            zeile.Daten.Betraege.push_back(std::nullopt);
            zeile.Daten.Farben.push_back(Farbklasse::Text);
        }
    }
    return t;
}

}  // namespace

std::string AnteilText(Cent teil, Cent basis) {
    if (basis == 0) return "0,0";
    // Three significant digits, shown with one decimal: 42,857 → 42,9; 4,256 → 4,26 → 4,3.
    const long double prozent = static_cast<long double>(teil) * 100.0L / static_cast<long double>(basis);
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.3Lg", prozent);
    long double gerundet = std::strtold(puffer, nullptr);
    std::snprintf(puffer, sizeof puffer, "%.1Lf", gerundet);
    std::string text = puffer;
    std::replace(text.begin(), text.end(), '.', ',');
    if (text == "-0,0") text = "0,0";
    return text;
}

RubrikTabelle RubrikKontoAufbauen(const Datenbestand& d, const RubrikTabellenOptionen& o) {
    std::vector<Spalte> spalten;
    const Periode p = PeriodeAus(o.Zeitraum);
    if (o.Auswahl != 0)
        for (const kontotyp& k : KontenDerAuswahl(d, o.Auswahl)) spalten.push_back({k.Name, k.Nr, p});
    RubrikTabelle t = Aufbauen(d, o, spalten, o.Kurz, false,
                               AuswertungsTitel("Rubrik-Konto-Übersicht", o.Zeitraum, AuswahlBezeichnung(d, o.Auswahl)));
    return t;
}

RubrikTabelle RubrikZeitAufbauen(const Datenbestand& d, const RubrikTabellenOptionen& o) {
    std::vector<Spalte> spalten;
    const bool monat = o.Zeitraum.OberNr != 0;
    bool kurz = o.Kurz, jaehrlich = o.Jaehrlich;
    if (monat) {
        // A single month: one column; the modes are fixed and the window disables their choice.
        kurz = true;
        jaehrlich = false;
        spalten.push_back({o.Zeitraum.Bezeichnung, o.Auswahl, PeriodeAus(o.Zeitraum)});
    } else {
        const int32_t jahr = o.Zeitraum.Jahr == 0 ? -1 : o.Zeitraum.Jahr;
        std::vector<MonatsDatenTyp> liste = jaehrlich ? JahresListe(d, jahr, o.Heute) : MonatsListe(d, jahr, o.Heute);
        // The lists run newest first; the table shows the oldest period on the left.
        for (auto it = liste.rbegin(); it != liste.rend(); ++it)
            spalten.push_back({it->Bezeichnung, o.Auswahl, PeriodeAus(*it)});
    }
    RubrikTabelle t = Aufbauen(d, o, spalten, kurz, true,
                               AuswertungsTitel("Rubrik-Zeit-Übersicht", o.Zeitraum, AuswahlBezeichnung(d, o.Auswahl)));
    t.Jaehrlich = jaehrlich;
    t.ModiGesperrt = monat;
    return t;
}

}  // namespace talerwerk
