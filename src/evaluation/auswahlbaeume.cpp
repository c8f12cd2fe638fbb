#include "evaluation/auswahlbaeume.h"

#include "bookings/kontosuche.h"
#include "evaluation/auswertung.h"
#include "evaluation/zeitraeume.h"

namespace talerwerk {

namespace {

kontotyp Gruppensatz(int32_t code, const char* name) {
    kontotyp k;
    k.Nr = code;
    k.Name = name;
    return k;
}

}  // namespace

std::vector<KontoEintrag> KontenListe(const Datenbestand& d) {
    std::vector<KontoEintrag> liste;
    for (const kontotyp& k : d.Konten)
        if (k.Art == ArtBestandskonto || k.Art == ArtSparkonto) liste.push_back({k.Name, k});
    return liste;
}

std::vector<kontotyp> KontenDerAuswahl(const Datenbestand& d, int32_t auswahl) {
    std::vector<kontotyp> konten;
    for (const kontotyp& k : d.Konten) {
        if (k.Art != ArtBestandskonto && k.Art != ArtSparkonto) continue;
        const bool gehoert = auswahl == AuswahlAlleKonten ||
                             (auswahl == AuswahlBestandskonten && k.Art == ArtBestandskonto) ||
                             (auswahl == AuswahlSparkonten && k.Art == ArtSparkonto) || k.Nr == auswahl;
        if (gehoert) konten.push_back(k);
    }
    return konten;
}

std::vector<KontoEintrag> RubrikenListe(const Datenbestand& d, int32_t artFilter, bool mitUnterrubriken) {
    std::vector<KontoEintrag> liste;
    for (const kontotyp& k : d.Konten) {
        if (k.Art != ArtEinnahme && k.Art != ArtAusgabe) continue;
        if (artFilter != 0 && k.Art != artFilter) continue;
        const bool aufnehmen =
            mitUnterrubriken ? (k.OberNr != 0 || !HatUnterrubriken(d, k.Nr)) : k.OberNr == 0;
        if (aufnehmen) liste.push_back({KontoPfad(d.Konten, k.Nr), k});
    }
    return liste;
}

Auswahlbaum KontenBaum(const Datenbestand& d) {
    Auswahlbaum baum;
    auto knoten = [&](const kontotyp& k, int32_t elter) {
        Auswahlknoten n;
        n.Text = k.Name;
        n.Elter = elter;
        n.Konto = k;
        baum.Knoten.push_back(std::move(n));
        return static_cast<int32_t>(baum.Knoten.size()) - 1;
    };
    const int32_t wurzel = knoten(Gruppensatz(AuswahlAlleKonten, "Alle Konten"), -1);
    baum.Knoten[wurzel].Aufgeklappt = true;
    const int32_t bestand = knoten(Gruppensatz(AuswahlBestandskonten, "Bestandskonten"), wurzel);
    for (const kontotyp& k : d.Konten)
        if (k.Art == ArtBestandskonto) knoten(k, bestand);
    const int32_t spar = knoten(Gruppensatz(AuswahlSparkonten, "Sparkonten"), wurzel);
    for (const kontotyp& k : d.Konten)
        if (k.Art == ArtSparkonto) knoten(k, spar);
    baum.Gewaehlt = wurzel;
    return baum;
}

Auswahlbaum ZeitBaum(Datenbestand& d, int32_t heute, bool nurJahre) {
    ZeitraeumeAufbauen(d, heute);
    Auswahlbaum baum;
    int32_t jahrKnoten = 0;
    for (size_t i = 0; i < d.Zeitraeume.size(); ++i) {
        const MonatsDatenTyp& z = d.Zeitraeume[i];
        const bool jahr = z.OberNr == 0;
        if (i > 0 && !jahr && nurJahre) continue;
        Auswahlknoten n;
        n.Text = z.Bezeichnung;
        n.Zeitraum = z;
        n.Elter = i == 0 ? -1 : (jahr ? 0 : jahrKnoten);
        baum.Knoten.push_back(std::move(n));
        if (i > 0 && jahr) jahrKnoten = static_cast<int32_t>(baum.Knoten.size()) - 1;
    }
    baum.Knoten[0].Aufgeklappt = true;
    baum.Gewaehlt = 0;
    return baum;
}

}  // namespace talerwerk
