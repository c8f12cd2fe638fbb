#include "recurring/rgmverwaltung.h"

#include <algorithm>
#include <charconv>

#include "store/datum.h"

namespace talerwerk {

RgmVerwaltung::RgmVerwaltung(Datenbestand& d) : d_(d), eintraege_(d.RgmBuchungen) {}

int RgmVerwaltung::Neu(const Uhr& uhr, Zufall& zufall) {
    if (!NeuMoeglich()) return -1;
    if (!schluesselAnfaenge_) schluesselAnfaenge_ = SchluesselAnfaenge(d_.Buchungen);
    buchungstyp r = BuchungVorgabe(SatzRgmBuchung, uhr.Heute());
    // Numbers are unique over the stored list and the entries added since the window opened.
    int32_t groesste = 11000;
    for (const auto* liste : {&d_.RgmBuchungen, &eintraege_})
        for (const buchungstyp& b : *liste) groesste = std::max(groesste, b.IdentNr);
    r.IdentNr = groesste + 1;
    r.Kennung = NeueRgmKennung(eintraege_, d_.RgmBuchungen, *schluesselAnfaenge_, zufall);
    eintraege_.push_back(std::move(r));
    return Anzahl() - 1;
}

void RgmVerwaltung::Entfernen(int index) {
    if (index >= 0 && index < Anzahl()) eintraege_.erase(eintraege_.begin() + index);
}

bool RgmVerwaltung::Loeschen(int index, Meldungen& m) {
    if (index < 0 || index >= Anzahl()) return false;
    if (m.Frage(RgmLoeschfrage(eintraege_[static_cast<size_t>(index)].Bezeichnung), Knoepfe::JaNein) != Antwort::Ja)
        return false;
    Entfernen(index);
    d_.Geaendert = true;
    return true;
}

bool RgmVerwaltung::NameVorhanden(int index, const std::string& name) const {
    for (int i = 0; i < Anzahl(); ++i)
        if (i != index && eintraege_[static_cast<size_t>(i)].Bezeichnung == name) return true;
    return false;
}

void RgmVerwaltung::Uebernehmen() {
    if (d_.RgmBuchungen != eintraege_) d_.Geaendert = true;
    d_.RgmBuchungen = eintraege_;
}

std::string RgmLoeschfrage(const std::string& bezeichnung) {
    return "Soll Eintrag \"" + bezeichnung + "\" wirklich gelöscht werden?";
}

std::unordered_set<std::string> SchluesselAnfaenge(const Buchungsspeicher& buchungen) {
    std::unordered_set<std::string> anfaenge;
    for (size_t i = 0; i < buchungen.size(); ++i) {
        const std::string_view kennung = buchungen.Kennung(i);
        if (kennung.size() > 6) anfaenge.emplace(kennung.substr(0, kennung.size() - 6));
    }
    return anfaenge;
}

std::string NeueRgmKennung(const std::vector<buchungstyp>& eintraege, const std::vector<buchungstyp>& gespeichert,
                           const std::unordered_set<std::string>& schluesselAnfaenge, Zufall& zufall) {
    auto vergeben = [&](const std::string& k) {
        auto gleich = [&](const buchungstyp& r) { return r.Kennung == k; };
        return std::any_of(eintraege.begin(), eintraege.end(), gleich) ||
               std::any_of(gespeichert.begin(), gespeichert.end(), gleich) || schluesselAnfaenge.count(k) > 0;
    };
    // 80 × 1000 possible codes; the bound only keeps a broken random source from hanging the
    // program. After it, the codes are tried in order, so a free one is still found.
    for (int versuch = 0; versuch < 100'000; ++versuch) {
        const char zeichen = static_cast<char>(48 + zufall.Zahl(80));
        std::string k = std::string(1, zeichen) + std::to_string(zufall.Zahl(1000));
        if (!vergeben(k)) return k;
    }
    for (int z = 48; z < 128; ++z)
        for (int n = 0; n < 1000; ++n) {
            std::string k = std::string(1, static_cast<char>(z)) + std::to_string(n);
            if (!vergeben(k)) return k;
        }
    return {};
}

int32_t AnzeigezeitraumLesen(const std::string& text, Meldungen& m) {
    const char* anfang = text.data();
    const char* ende = anfang + text.size();
    while (anfang < ende && *anfang == ' ') ++anfang;
    while (ende > anfang && ende[-1] == ' ') --ende;
    int64_t wert = 0;
    const auto [p, fehler] = std::from_chars(anfang, ende, wert);
    if (fehler == std::errc::result_out_of_range && p == ende && anfang < ende && *anfang != '-') {
        m.Information(MeldungZeitraumBegrenzt);
        return 364;
    }
    if (fehler != std::errc() || p != ende || wert < 0) {
        m.Information(MeldungEingabeFehlerhaft);
        return 1;
    }
    if (wert == 0) return 1;
    if (wert > 364) {
        m.Information(MeldungZeitraumBegrenzt);
        return 364;
    }
    return static_cast<int32_t>(wert);
}

std::array<bool, 12> MonateAusIntervall(int32_t erstesDatum, int32_t schritt) {
    std::array<bool, 12> monate{};
    if (erstesDatum <= 0 || schritt < 1 || schritt > 12) return monate;
    const int32_t m = KalenderAus(erstesDatum).Monat;
    for (int32_t n = m; n <= m + 11; n += schritt) monate[static_cast<size_t>((n - 1) % 12)] = true;
    return monate;
}

std::vector<RgmFehler> RgmPruefen(const buchungstyp& satz, const Einstellungen& einstellungen) {
    const std::string anlegen = "Regelmäßige Buchung anlegen nicht möglich!\r";
    std::vector<RgmFehler> fehler;
    if (satz.Bezeichnung.empty()) fehler.push_back({"Bezeichnung darf nicht leer sein!", RgmFeld::Name});
    if (satz.Datum == 0) fehler.push_back({anlegen + "Datum darf nicht leer sein!", RgmFeld::Faellig});
    if (satz.Text.empty()) fehler.push_back({anlegen + "Buchungstext darf nicht leer sein!", RgmFeld::Text});
    if (satz.Betrag == "0,00" && !einstellungen.Nullbuchung)
        fehler.push_back({anlegen + "Geldbetrag darf nicht 0,00 sein!", RgmFeld::Betrag});
    if (satz.Konto1 == 0) fehler.push_back({anlegen + "Konto unbekannt!", RgmFeld::Konto1});
    if (satz.Konto2 == 0) fehler.push_back({anlegen + "Konto unbekannt!", RgmFeld::Konto2});
    return fehler;
}

}  // namespace talerwerk
