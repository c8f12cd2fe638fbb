#include "evaluation/gewinnverlust.h"

#include <cstdlib>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/monatssummen.h"
#include "store/betrag.h"

namespace talerwerk {

namespace {

// One row: caption and the five value cells; nullopt leaves a cell empty.
GridZeile Zeile(int32_t art, const std::string& text, std::optional<Cent> anfang, std::optional<Cent> ein,
                std::optional<Cent> aus, std::optional<Cent> ende, std::optional<Cent> saldo) {
    GridZeile z;
    z.Daten.Zeilenart = art;
    z.Daten.Zeilentext = text;
    z.Zellen.push_back(text);
    z.Daten.Betraege.push_back(std::nullopt);
    z.Daten.Farben.push_back(Farbklasse::Text);
    const std::optional<Cent> werte[] = {anfang, ein, aus, ende, saldo};
    for (int s = GvAnfangsstand; s <= GvSaldo; ++s) {
        const std::optional<Cent>& w = werte[s - 1];
        z.Zellen.push_back(w ? CentAnzeige(*w) : std::string());
        z.Daten.Betraege.push_back(w);
        // Income and expenses keep their colour; the balances are coloured by sign, an empty
        // cell counting as zero.
        z.Daten.Farben.push_back(s == GvEinnahmen  ? Farbklasse::Positiv
                                 : s == GvAusgaben ? Farbklasse::Negativ
                                                   : FarbeNachVorzeichen(w.value_or(0)));
    }
    return z;
}

}  // namespace

Grid GewinnVerlustAufbauen(const Datenbestand& d, const GewinnVerlustOptionen& o) {
    Grid g;
    g.Titel = AuswertungsTitel("Einnahmen-Ausgaben-Übersicht", o.Zeitraum, AuswahlBezeichnung(d, o.Auswahl));
    g.Kopf = {"Konto", "Anfangsstand", "Einnahmen", "Ausgaben", "Endstand", "Saldo"};

    const std::vector<kontotyp> konten = o.Auswahl == 0 ? std::vector<kontotyp>{} : KontenDerAuswahl(d, o.Auswahl);
    const std::shared_ptr<const Monatssummen> ms = GemeinsameMonatssummen(d);
    const Periode p = PeriodeAus(o.Zeitraum);

    Cent summeAnfang = 0, summeEnde = 0, summeE = 0, summeA = 0, summeAn = 0, summeAb = 0;
    for (const kontotyp& k : konten) {
        const Cent anfang = ms->StandVorPeriode(k.Nr, p);
        const Cent ende = ms->StandEndePeriode(k.Nr, p);
        const Cent e = ms->PeriodenSumme(k.Nr, 0, SummenModus::Einnahmen, p);
        const Cent an = ms->PeriodenSumme(k.Nr, 0, SummenModus::UmbuchungenAn, p);
        const Cent a = ms->PeriodenSumme(k.Nr, 0, SummenModus::Ausgaben, p);
        const Cent ab = ms->PeriodenSumme(k.Nr, 0, SummenModus::UmbuchungenAb, p);
        g.Zeilen.push_back(Zeile(GvKonto, k.Name, anfang, Betrag(e + an), Betrag(a + ab), ende, ende - anfang));
        summeAnfang += anfang;
        summeEnde += ende;
        summeE += Betrag(e);
        summeA += Betrag(a);
        summeAn += Betrag(an);
        summeAb += Betrag(ab);
    }
    g.Zeilen.push_back(Zeile(GvGesamt, "Gesamt", std::nullopt, summeE + summeAn, summeA + summeAb, std::nullopt,
                             std::nullopt));
    g.Zeilen.push_back(Zeile(GvUmbuchungen, "- Umbuchungen", std::nullopt, summeAn, summeAb, std::nullopt,
                             std::nullopt));
    g.Zeilen.push_back(
        Zeile(GvGesamtReal, "Gesamt real", summeAnfang, summeE, summeA, summeEnde, summeEnde - summeAnfang));
    return g;
}

}  // namespace talerwerk
