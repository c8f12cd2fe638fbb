#include "evaluation/gesamtentwicklung.h"

#include <algorithm>
#include <cmath>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/auswertung.h"
#include "evaluation/monatssummen.h"
#include "evaluation/zeitraeume.h"
#include "store/betrag.h"

namespace talerwerk {

namespace {

GridZeile Zeile(int32_t art, const std::string& name, size_t spalten) {
    GridZeile z;
    z.Daten.Zeilenart = art;
    z.Daten.Zeilentext = name;
    z.Zellen.assign(spalten, std::string());
    z.Zellen[0] = name;
    z.Daten.Betraege.assign(spalten, std::nullopt);
    z.Daten.Farben.assign(spalten, Farbklasse::Text);
    return z;
}

void Wert(GridZeile& z, size_t spalte, Cent wert) {
    z.Zellen[spalte] = CentAnzeige(wert);
    z.Daten.Betraege[spalte] = wert;
    z.Daten.Farben[spalte] = FarbeNachVorzeichen(wert);
}

// Rounding of the chart: to the nearest integer, a half to the even neighbour.
int64_t Runden(double x) { return static_cast<int64_t>(std::nearbyint(x)); }

}  // namespace

Gesamtentwicklung GesamtentwicklungAufbauen(const Datenbestand& d, const GesamtentwicklungOptionen& o) {
    Gesamtentwicklung g;
    const bool gesamt = o.Zeitraum.Jahr == 0 || o.Zeitraum.Bezeichnung == "Gesamter Zeitraum";
    const int32_t jahr = gesamt ? -1 : o.Zeitraum.Jahr;
    g.Perioden = o.Jaehrlich ? JahresListe(d, jahr, o.Heute) : MonatsListe(d, jahr, o.Heute);
    std::reverse(g.Perioden.begin(), g.Perioden.end());
    g.Hinweis = o.Saldo ? "Saldo (Gewinn und Verlust)" : "Kontostände";
    g.Tabelle.Titel = AuswertungsTitel("Gesamtentwicklung", o.Zeitraum, AuswahlBezeichnung(d, o.Auswahl));

    const size_t perioden = g.Perioden.size();
    g.Tabelle.Kopf.push_back("");
    g.Tabelle.Kopf.push_back("Anf.-stand");
    for (const MonatsDatenTyp& p : g.Perioden) {
        g.Tabelle.Kopf.push_back(p.Bezeichnung);
        g.Achsentexte.push_back(KurzBezeichnung(p.Bezeichnung));
    }
    if (o.Saldo) g.Tabelle.Kopf.push_back("Gesamtsaldo");
    const size_t spalten = g.Tabelle.Kopf.size();

    // The month before the oldest period: its end is the opening column.
    int32_t vorMonat = perioden ? g.Perioden.front().VonMonat : 1;
    int32_t vorJahr = perioden ? g.Perioden.front().Jahr : 1;
    VormonatVon(vorMonat, vorJahr);

    const std::shared_ptr<const Monatssummen> summen = GemeinsameMonatssummen(d);
    GridZeile summe = Zeile(GeGesamt, "Gesamt", spalten);
    std::vector<Cent> gesamtwerte(spalten, 0);
    for (const kontotyp& k : KontenDerAuswahl(d, o.Auswahl)) {
        GridZeile z = Zeile(GeKonto, k.Name, spalten);
        const Cent anfang = summen->MonatsendStand(k.Nr, vorMonat, vorJahr);
        Wert(z, 1, anfang);
        gesamtwerte[1] += anfang;
        for (size_t j = 0; j < perioden; ++j) {
            const MonatsDatenTyp& p = g.Perioden[j];
            const Cent wert = o.Saldo ? summen->KontoVeraenderung(k.Nr, p.VonMonat, p.BisMonat, p.Jahr)
                                      : summen->MonatsendStand(k.Nr, p.BisMonat, p.Jahr);
            Wert(z, 2 + j, wert);
            gesamtwerte[2 + j] += wert;
        }
        if (o.Saldo) {
            const MonatsDatenTyp& neueste = g.Perioden.back();
            const Cent wert = summen->MonatsendStand(k.Nr, neueste.BisMonat, neueste.Jahr) - anfang;
            Wert(z, spalten - 1, wert);
            gesamtwerte[spalten - 1] += wert;
        }
        g.Tabelle.Zeilen.push_back(std::move(z));
    }
    for (size_t s = 1; s < spalten; ++s) Wert(summe, s, gesamtwerte[s]);
    g.Tabelle.Zeilen.push_back(std::move(summe));

    // Balances and results follow from each other, so the chart is the same in both table modes.
    g.Anfang = gesamtwerte[1];
    Cent stand = g.Anfang;
    for (size_t j = 0; j < perioden; ++j) {
        const Cent wert = gesamtwerte[2 + j];
        const Cent ergebnis = o.Saldo ? wert : wert - stand;
        stand = o.Saldo ? stand + wert : wert;
        g.Staende.push_back(stand);
        g.Ergebnisse.push_back(ergebnis);
    }
    return g;
}

std::string DiagrammHinweis(DiagrammAnzeige a) {
    switch (a) {
    case DiagrammAnzeige::Kontostand: return "Kontostände";
    case DiagrammAnzeige::Saldo: return "Saldo (Gewinn und Verlust)";
    case DiagrammAnzeige::Beides: break;
    }
    return "Kontostände und Saldo";
}

Diagramm DiagrammBerechnen(const Gesamtentwicklung& g, DiagrammAnzeige a, const DiagrammVorgaben& v) {
    Diagramm c;
    const int d = c.Rand;
    auto breite = [&](const std::string& t) { return v.Textbreite ? v.Textbreite(t) : 0; };
    c.Links = breite("-99999") + d + 5;
    c.Oben = d;
    // A window smaller than the margins still gets a plot of one pixel.
    c.Hoehe = std::max(1, v.Hoehe - 2 * d);
    c.Breite = std::max(1, v.Breite - d - c.Links);
    c.Nulllinie = d + c.Hoehe / 2;
    c.Halbskala = static_cast<int>(Runden(0.9 * (c.Hoehe / 2)));

    const size_t p = g.Staende.size();
    c.Schritt = std::max<int>(1, static_cast<int>(Runden(c.Breite / (static_cast<double>(p) + 0.5))));

    const bool staende = a != DiagrammAnzeige::Saldo;
    const bool ergebnisse = a != DiagrammAnzeige::Kontostand;
    auto betrag = [](Cent x) { return x < 0 ? -x : x; };
    Cent m = 0;
    if (staende) {
        m = std::max(m, betrag(g.Anfang));
        for (Cent k : g.Staende) m = std::max(m, betrag(k));
    }
    if (ergebnisse)
        for (Cent r : g.Ergebnisse) m = std::max(m, betrag(r));
    c.Groesstes = m;
    c.Einheit = m < 100 * 100 ? 1 : m < 1000 * 100 ? 10 : m < 10000 * 100 ? 100 : 1000;
    c.Skala = m / (100 * c.Einheit) * c.Einheit;
    if (c.Skala == 0) c.Skala = 1;
    const int n = static_cast<int>(std::min<int64_t>(Runden(static_cast<double>(c.Skala) / c.Einheit), 5));
    c.Tausender = c.Skala > 50000;
    c.Einheitstext = (c.Tausender ? "in 1000 " : "in  ") + v.Waehrung;

    const double skala = static_cast<double>(c.Skala);
    for (int i = 1; i <= n; ++i) {
        const double anteil = static_cast<double>(i) / n;
        const int dy = static_cast<int>(Runden(anteil * c.Halbskala));
        double wert = anteil * skala;
        if (c.Tausender) wert /= 1000;
        c.Teilstriche.push_back({c.Nulllinie + dy, std::to_string(Runden(-wert))});
        c.Teilstriche.push_back({c.Nulllinie - dy, std::to_string(Runden(wert))});
    }

    // Height of a value above the zero line; a value far beyond the scale (a series the chart
    // does not show) is held at a few plot heights, where the clipping hides it.
    auto y = [&](Cent wert) {
        const double verhaeltnis = std::clamp(static_cast<double>(wert) / 100.0 / skala, -4.0, 4.0);
        return c.Nulllinie - static_cast<int>(Runden(verhaeltnis * c.Halbskala));
    };
    const int unten = c.Oben + c.Hoehe;
    if (staende) c.Linie.push_back({c.Links, y(g.Anfang)});
    for (size_t j = 1; j <= p; ++j) {
        const int x = c.Links + static_cast<int>(j) * c.Schritt;
        if (ergebnisse) {
            const Cent r = g.Ergebnisse[j - 1];
            // Bars are cut at the plot area, as the drawing is.
            const int spitze = std::clamp(y(r), c.Oben, unten);
            c.Saeulen.push_back({x - c.Schritt / 4, c.Schritt / 2, std::min(spitze, c.Nulllinie),
                                 std::max(spitze, c.Nulllinie), r >= 0});
        }
        if (staende) c.Linie.push_back({x, y(g.Staende[j - 1])});
        c.Periodenstriche.push_back(x);
        const std::string& text = g.Achsentexte[j - 1];
        const int k = breite(text) / c.Schritt + 1;
        if (static_cast<int>(j) % k == 0) c.Achsentexte.push_back({x, text});
    }
    return c;
}

}  // namespace talerwerk
