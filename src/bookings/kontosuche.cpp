#include "bookings/kontosuche.h"

#include <algorithm>

namespace talerwerk {

namespace {

void Ueberschrift(Suchbaum& baum, const std::string& text) {
    SuchEintrag e;
    e.Text = text;
    e.Ebene = 0;
    e.Ueberschrift = true;
    e.Abk = text;
    baum.Eintraege.push_back(std::move(e));
}

void Datensatz(Suchbaum& baum, const kontotyp& k, int ebene, std::string text) {
    SuchEintrag e;
    e.Text = std::move(text);
    e.Ebene = ebene;
    e.Abk = k.Abk;
    e.Nr = k.Nr;
    baum.Eintraege.push_back(std::move(e));
}

// One heading and its records: every top-level record of the kind in list order, each followed by
// the records that name it as parent. Built with an index by parent so that a large chart does not
// cost a full scan per category.
void Gruppe(Suchbaum& baum, const std::vector<kontotyp>& konten, int32_t art, const std::string& wort,
            const std::unordered_multimap<int32_t, size_t>& kinder) {
    Ueberschrift(baum, wort);
    for (size_t i = 0; i < konten.size(); ++i) {
        const kontotyp& k = konten[i];
        if (k.Art != art || k.OberNr != 0) continue;
        Datensatz(baum, k, 1, SuchText(k));
        auto [von, bis] = kinder.equal_range(k.Nr);
        std::vector<size_t> folge;
        for (auto it = von; it != bis; ++it)
            if (it->second != i) folge.push_back(it->second);
        std::sort(folge.begin(), folge.end());
        for (size_t j : folge) Datensatz(baum, konten[j], 2, SuchText(konten[j]));
    }
}

std::unordered_multimap<int32_t, size_t> KinderIndex(const std::vector<kontotyp>& konten) {
    std::unordered_multimap<int32_t, size_t> kinder;
    for (size_t i = 0; i < konten.size(); ++i)
        if (konten[i].OberNr != 0) kinder.emplace(konten[i].OberNr, i);
    return kinder;
}

bool Gueltig(const Suchbaum& baum, int position) { return position >= 0 && position < baum.Anzahl(); }

}  // namespace

int Suchbaum::Datensaetze() const {
    return static_cast<int>(std::count_if(Eintraege.begin(), Eintraege.end(),
                                          [](const SuchEintrag& e) { return !e.Ueberschrift; }));
}

std::string SuchText(const kontotyp& k) { return k.Abk + "  \\  " + k.Name; }

Suchbaum Konto1Baum(const std::vector<kontotyp>& konten) {
    const auto kinder = KinderIndex(konten);
    Suchbaum baum;
    Gruppe(baum, konten, ArtBestandskonto, "Bestandskonto", kinder);
    Gruppe(baum, konten, ArtSparkonto, "Sparkonto", kinder);
    return baum;
}

Suchbaum Konto2Baum(const std::vector<kontotyp>& konten) {
    const auto kinder = KinderIndex(konten);
    Suchbaum baum;
    Gruppe(baum, konten, ArtEinnahme, "Einnahme", kinder);
    Gruppe(baum, konten, ArtAusgabe, "Ausgabe", kinder);
    Gruppe(baum, konten, ArtBestandskonto, "Bestandskonto", kinder);
    Gruppe(baum, konten, ArtSparkonto, "Sparkonto", kinder);
    return baum;
}

Suchbaum TextBaum(const std::vector<kontotyp>& textbausteine,
                  const std::function<std::string(const kontotyp&)>& itemText) {
    Suchbaum baum;
    Ueberschrift(baum, "Textbaustein");
    for (const kontotyp& t : textbausteine) Datensatz(baum, t, 1, itemText ? itemText(t) : t.Abk);
    return baum;
}

int KontoPosition(const Suchbaum& baum, std::string_view text) {
    if (text.empty()) return -1;
    int gefunden = -1;
    for (int i = baum.Anzahl() - 1; i >= 0; --i) {
        const SuchEintrag& e = baum.Eintraege[static_cast<size_t>(i)];
        if (e.Ueberschrift) continue;
        if (e.Abk == text) return i;
        if (std::string_view(e.Abk).starts_with(text)) gefunden = i;
    }
    return gefunden;
}

int32_t KontoId(const Suchbaum& baum, std::string_view text) {
    const int i = KontoPosition(baum, text);
    return i < 0 ? 0 : baum.Eintraege[static_cast<size_t>(i)].Nr;
}

int TextbausteinPosition(const Suchbaum& baum, std::string_view text) {
    for (int i = baum.Anzahl() - 1; i >= 0; --i) {
        const SuchEintrag& e = baum.Eintraege[static_cast<size_t>(i)];
        if (!e.Ueberschrift && e.Abk == text) return i;
    }
    return -1;
}

int32_t TextbausteinId(const Suchbaum& baum, std::string_view text) {
    const int i = TextbausteinPosition(baum, text);
    return i < 0 ? 0 : baum.Eintraege[static_cast<size_t>(i)].Nr;
}

int AuswahlPosition(const Suchbaum& baum, int position) {
    if (!Gueltig(baum, position)) return position;
    const int naechste = position + 1;
    if (Gueltig(baum, naechste) &&
        baum.Eintraege[static_cast<size_t>(naechste)].Ebene > baum.Eintraege[static_cast<size_t>(position)].Ebene)
        return naechste;
    return position;
}

int NrPosition(const Suchbaum& baum, int32_t nr) {
    for (int i = 0; i < baum.Anzahl(); ++i) {
        const SuchEintrag& e = baum.Eintraege[static_cast<size_t>(i)];
        if (!e.Ueberschrift && e.Nr == nr) return i;
    }
    return -1;
}

int VorgabePosition(const Suchbaum& baum) {
    for (int i = 0; i < baum.Anzahl(); ++i)
        if (!baum.Eintraege[static_cast<size_t>(i)].Ueberschrift) return i;
    return -1;
}

int UeberschriftVon(const Suchbaum& baum, int position) {
    if (!Gueltig(baum, position)) return -1;
    for (int i = position; i >= 0; --i)
        if (baum.Eintraege[static_cast<size_t>(i)].Ueberschrift) return i;
    return -1;
}

int KontoIndex(const std::vector<kontotyp>& konten, int32_t nr) {
    for (size_t i = 0; i < konten.size(); ++i)
        if (konten[i].Nr == nr) return static_cast<int>(i);
    return -1;
}

std::string KontoName(const std::vector<kontotyp>& konten, int32_t nr) {
    const int i = KontoIndex(konten, nr);
    return i < 0 ? std::string() : konten[static_cast<size_t>(i)].Name;
}

std::string KontoPfad(const std::vector<kontotyp>& konten, int32_t nr) {
    const int i = KontoIndex(konten, nr);
    if (i < 0) return {};
    const kontotyp& k = konten[static_cast<size_t>(i)];
    if (k.OberNr != 0) {
        for (int j = 0; j < i; ++j)
            if (konten[static_cast<size_t>(j)].Nr == k.OberNr) return konten[static_cast<size_t>(j)].Name + "  \\  " + k.Name;
    }
    return k.Name;
}

std::unordered_map<int32_t, std::string> KontoPfade(const std::vector<kontotyp>& konten) {
    // Same rules as KontoPfad: the first entry of a number counts, a parent only counts when it
    // comes earlier in the list.
    std::unordered_map<int32_t, size_t> erster;
    std::unordered_map<int32_t, std::string> pfade;
    for (size_t i = 0; i < konten.size(); ++i) {
        const kontotyp& k = konten[i];
        if (erster.count(k.Nr)) {
            continue;
        }
        std::string pfad = k.Name;
        if (k.OberNr != 0) {
            auto it = erster.find(k.OberNr);
            if (it != erster.end()) pfad = konten[it->second].Name + "  \\  " + k.Name;
        }
        erster.emplace(k.Nr, i);
        pfade.emplace(k.Nr, std::move(pfad));
    }
    return pfade;
}

ArtTexte ArtTexteVon(int32_t bart) {
    switch (bart) {
        case BArtAusgabe:
            return {BArtAusgabe, "Ausgabe", ArtFarbe::Rot, "von", "in", "&Rubrik"};
        case BArtUmbuchung:
            return {BArtUmbuchung, "Umbuchung", ArtFarbe::Gelb, "von", "auf", "Konto &2"};
        default:
            return {BArtEinnahme, "Einnahme", ArtFarbe::Blau, "auf", "in", "&Rubrik"};
    }
}

FeldAnzeige FeldAuswerten(const Suchbaum& baum, const std::vector<kontotyp>& konten, std::string_view text) {
    FeldAnzeige a;
    const int aufgeloest = KontoPosition(baum, text);
    a.Auswahl = aufgeloest < 0 ? 0 : AuswahlPosition(baum, aufgeloest);
    a.Nr = aufgeloest < 0 ? 0 : baum.Eintraege[static_cast<size_t>(aufgeloest)].Nr;
    const bool ueberschrift = !Gueltig(baum, a.Auswahl) || baum.Eintraege[static_cast<size_t>(a.Auswahl)].Ueberschrift;
    a.Label = ueberschrift ? std::string("Eintrag nicht vorhanden") : KontoPfad(konten, a.Nr);
    const int kopf = UeberschriftVon(baum, a.Auswahl);
    int32_t bart = BArtEinnahme;
    if (kopf >= 0) {
        const std::string& wort = baum.Eintraege[static_cast<size_t>(kopf)].Text;
        if (wort == "Ausgabe")
            bart = BArtAusgabe;
        else if (wort == "Bestandskonto" || wort == "Sparkonto")
            bart = BArtUmbuchung;
    }
    a.Art = ArtTexteVon(bart);
    return a;
}

std::string FeldTextNachVerlassen(const Suchbaum& baum, std::string_view text) {
    const int i = KontoPosition(baum, text);
    if (i < 0) return std::string(text);
    return baum.Eintraege[static_cast<size_t>(AuswahlPosition(baum, i))].Abk;
}

int BaumAuswahl(const Suchbaum& baum, int position, std::string& feldText) {
    if (!Gueltig(baum, position) || baum.Eintraege[static_cast<size_t>(position)].Ueberschrift) return position;
    const int auswahl = AuswahlPosition(baum, position);
    feldText = baum.Eintraege[static_cast<size_t>(auswahl)].Abk;
    return auswahl;
}

}  // namespace talerwerk
