#include "evaluation/zeitraeume.h"

#include <algorithm>
#include <cstdio>

#include "store/datum.h"

namespace talerwerk {

namespace {

MonatsDatenTyp Eintrag(int32_t nr, std::string bezeichnung, int32_t oberNr, int32_t von, int32_t bis,
                       int32_t jahr) {
    MonatsDatenTyp m;
    m.Nr = nr;
    m.Bezeichnung = std::move(bezeichnung);
    m.OberNr = oberNr;
    m.VonMonat = von;
    m.BisMonat = bis;
    m.Jahr = jahr;
    m.Summe = 0;
    m.Merker = true;
    return m;
}

std::string MonatsBezeichnung(int32_t monat, int32_t jahr) {
    return MonatsName(monat) + " " + std::to_string(jahr);
}

std::string JahresBezeichnung(int32_t jahr) { return "Jahr " + std::to_string(jahr); }

// Months as one running number, so that ranges compare as plain integers.
int64_t Laufend(int32_t monat, int32_t jahr) { return int64_t{jahr} * 12 + (monat - 1); }

}  // namespace

int32_t DatumAus(int32_t tag, int32_t monat, int32_t jahr) {
    const int32_t laenge = MonatsLaenge(monat, jahr);
    if (laenge == 0) return 0;
    if (tag > laenge) tag = laenge;
    return TagesNummer(tag, monat, jahr).value_or(0);
}

int32_t VormonatVon(int32_t& monat, int32_t& jahr) {
    if (monat == 1) {
        monat = 12;
        --jahr;
    } else {
        --monat;
    }
    return MonatsLaenge(monat, jahr);
}

void NachmonatVon(int32_t& monat, int32_t& jahr) {
    if (monat >= 12) {
        monat = 1;
        ++jahr;
    } else {
        ++monat;
    }
}

Monatsspanne Buchungszeitraum(const Datenbestand& d, int32_t heute) {
    // Months follow day numbers in order, so the earliest and the latest date decide the range.
    int32_t frueh = heute;
    int32_t spaet = heute;
    if (const auto spanne = BuchungsIndex(d).Datumsspanne()) {
        frueh = std::min(frueh, spanne->first);
        spaet = std::max(spaet, spanne->second);
    }
    const Kalendertag von = KalenderAus(frueh);
    const Kalendertag bis = KalenderAus(spaet);
    return {von.Monat, von.Jahr, bis.Monat, bis.Jahr};
}

void ZeitraeumeAufbauen(Datenbestand& d, int32_t heute) {
    d.Zeitraeume.clear();
    const Monatsspanne z = Buchungszeitraum(d, heute);
    d.Zeitraeume.push_back(Eintrag(0, "Gesamter Zeitraum", 0, 0, 0, 0));

    int32_t n = 1;
    d.Zeitraeume.push_back(Eintrag(n, JahresBezeichnung(z.BisJahr), 0, 1, 12, z.BisJahr));
    int32_t aktuellesJahr = n;

    int32_t monat = z.BisMonat;
    int32_t jahr = z.BisJahr;
    const int64_t ende = Laufend(z.VonMonat, z.VonJahr);
    while (Laufend(monat, jahr) >= ende) {
        d.Zeitraeume.push_back(Eintrag(n, MonatsBezeichnung(monat, jahr), aktuellesJahr, monat, monat, jahr));
        ++n;
        if (monat == 1 && jahr - 1 >= z.VonJahr) {
            // The year entry takes the number its first month will carry as well.
            d.Zeitraeume.push_back(Eintrag(n, JahresBezeichnung(jahr - 1), 0, 1, 12, jahr - 1));
            aktuellesJahr = n;
        }
        VormonatVon(monat, jahr);
    }
}

std::vector<MonatsDatenTyp> MonatsListe(const Datenbestand& d, int32_t jahr, int32_t heute) {
    std::vector<MonatsDatenTyp> liste;
    const Monatsspanne z = Buchungszeitraum(d, heute);
    int32_t monat = z.BisMonat;
    int32_t j = z.BisJahr;
    const int64_t ende = Laufend(z.VonMonat, z.VonJahr);
    int32_t nr = 0;
    for (; Laufend(monat, j) >= ende; VormonatVon(monat, j)) {
        if (jahr != -1 && j != jahr) continue;
        liste.push_back(Eintrag(nr++, MonatsBezeichnung(monat, j), 0, monat, monat, j));
    }
    return liste;
}

std::vector<MonatsDatenTyp> JahresListe(const Datenbestand& d, int32_t jahr, int32_t heute) {
    std::vector<MonatsDatenTyp> liste;
    const Monatsspanne z = Buchungszeitraum(d, heute);
    for (int32_t j = z.BisJahr; j >= z.VonJahr; --j) {
        if (jahr != -1 && j != jahr) continue;
        liste.push_back(Eintrag(0, JahresBezeichnung(j), 0, 1, 12, j));
    }
    return liste;
}

std::string KurzBezeichnung(const std::string& bezeichnung) {
    const size_t blank = bezeichnung.find(' ');
    if (blank == std::string::npos) return {};
    const std::string erstes = bezeichnung.substr(0, blank);
    const std::string rest = bezeichnung.substr(blank + 1);
    for (int32_t monat = 1; monat <= 12; ++monat) {
        if (erstes == MonatsName(monat)) {
            char nummer[4];
            std::snprintf(nummer, sizeof nummer, "%02d", monat);
            return nummer + ("/" + rest);
        }
    }
    if (erstes == "Jahr") return rest;
    return erstes + rest;
}

std::vector<std::string> BuchungsDaten(const Datenbestand& d) {
    std::vector<int32_t> tage = BuchungsIndex(d).Datum();
    std::sort(tage.begin(), tage.end());
    tage.erase(std::unique(tage.begin(), tage.end()), tage.end());

    std::vector<std::string> texte;
    texte.reserve(tage.size());
    for (int32_t tag : tage) texte.push_back(DatumKurzText(tag));
    // Day-first texts sort by day, then month, then year, and two dates a century apart share a
    // text; the list is of texts, so it is sorted and made unique as texts.
    std::sort(texte.begin(), texte.end());
    texte.erase(std::unique(texte.begin(), texte.end()), texte.end());
    return texte;
}

}  // namespace talerwerk
