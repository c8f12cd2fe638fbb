#include "accounts/kontenplan.h"

#include <algorithm>

#include "store/betrag.h"
#include "store/ports.h"

namespace talerwerk {

namespace {

bool IstArt(int32_t art) { return art >= ArtEinnahme && art <= ArtSparkonto; }

bool NurZiffern(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string TypWort(int32_t art) {
    switch (art) {
        case ArtEinnahme:
            return "Einnahme";
        case ArtAusgabe:
            return "Ausgabe";
        case ArtBestandskonto:
            return "Bestandskonto";
        case ArtSparkonto:
            return "Sparkonto";
        default:
            return {};
    }
}

std::string KnotenText(const kontotyp& k) { return k.Name + " - [" + k.Abk + "]"; }

Nutzung NutzungZaehlen(const Datenbestand& d) {
    Nutzung n;
    auto zaehlen = [&n](const std::vector<buchungstyp>& liste) {
        for (const buchungstyp& b : liste) {
            ++n[b.Konto1];
            if (b.Konto2 != b.Konto1) ++n[b.Konto2];
        }
    };
    const std::vector<int32_t>& konto1 = d.Buchungen.Konto1Spalte();
    const std::vector<int32_t>& konto2 = d.Buchungen.Konto2Spalte();
    for (size_t i = 0; i < konto1.size(); ++i) {
        ++n[konto1[i]];
        if (konto2[i] != konto1[i]) ++n[konto2[i]];
    }
    zaehlen(d.RgmBuchungen);
    zaehlen(d.Vorlagen);
    return n;
}

KontoPruefung KontoDatenPruefen(const std::string& name, const std::string& abk) {
    KontoPruefung p;
    if (name.empty()) {
        p.Meldungen.push_back("Bezeichnung darf nicht leer sein!");
        p.Fokus = KontoFeld::Name;
    }
    if (abk.empty()) {
        p.Meldungen.push_back("Abkürzung darf nicht leer sein!");
        p.Fokus = KontoFeld::Abk;
    }
    return p;
}

KontoDaten KontoDatenVon(const kontotyp& k) {
    return {k.Abk, k.Name, k.Kurz1, k.Text1, CentText(k.AnfStand), k.Text2, k.Text3};
}

std::optional<Cent> AnfStandLesen(const std::string& text) {
    std::string s;
    for (char c : text)
        if (c != ' ') s.push_back(c);
    if (s.empty()) return Cent{0};
    std::string ganz, teil;
    const size_t komma = s.rfind(',');
    if (komma != std::string::npos) {
        ganz = s.substr(0, komma);
        teil = s.substr(komma + 1);
        ganz.erase(std::remove(ganz.begin(), ganz.end(), '.'), ganz.end());  // thousands separators
    } else {
        const size_t punkt = s.find('.');
        if (punkt != std::string::npos && s.find('.', punkt + 1) == std::string::npos) {
            ganz = s.substr(0, punkt);
            teil = s.substr(punkt + 1);
        } else {
            ganz = s;
        }
    }
    if (!NurZiffern(ganz) || !NurZiffern(teil) || teil.size() > 2 || (ganz.empty() && teil.empty())) return std::nullopt;
    ganz.erase(0, std::min(ganz.find_first_not_of('0'), ganz.size()));
    if (ganz.size() > 6) return std::nullopt;
    Cent wert = 0;
    for (char c : ganz) wert = wert * 10 + (c - '0');
    while (teil.size() < 2) teil.push_back('0');
    wert = wert * 100 + (teil[0] - '0') * 10 + (teil[1] - '0');
    if (wert > MaxAnfStand) return std::nullopt;
    return wert;
}

void KontoDatenSchreiben(kontotyp& k, const KontoDaten& daten) {
    k.Name = daten.Name;
    k.Abk = Kuerzen(daten.Abk, AbkLaenge);
    k.Kurz1 = Kuerzen(daten.BLZ, KurzLaenge);
    k.Text1 = daten.KontoNr;
    k.Text2 = daten.Institut;
    k.Text3 = daten.Inhaber;
    // An opening balance that is no valid amount (one the dialog never lets through, or an
    // unusual value from the file that was not touched) keeps the stored value.
    if (auto stand = AnfStandLesen(daten.AnfStand); stand && daten.AnfStand != CentText(k.AnfStand))
        k.AnfStand = *stand;
}

Kontenplan::Kontenplan(const std::vector<kontotyp>& konten) {
    // Children hang below the first top-level entry of their parent's number. An entry whose parent
    // is not such an entry (its parent is itself a sub-category, or gone) becomes a top-level entry
    // of its kind, so that rebuilding the chart from the tree never drops it.
    std::unordered_map<int32_t, size_t> obere;  // number → first top-level entry
    for (size_t i = 0; i < konten.size(); ++i) {
        alteNummern_.insert(konten[i].Nr);
        if (IstArt(konten[i].Art) && konten[i].OberNr == 0) obere.emplace(konten[i].Nr, i);
    }
    std::unordered_map<size_t, std::vector<size_t>> kinder;
    std::vector<bool> oben(konten.size(), false);
    for (size_t i = 0; i < konten.size(); ++i) {
        const kontotyp& k = konten[i];
        if (!IstArt(k.Art)) {
            ausserhalb_.push_back(k);
            continue;
        }
        if (k.OberNr == 0) {
            oben[i] = true;
            continue;
        }
        auto it = obere.find(k.OberNr);
        if (it != obere.end() && it->second != i)
            kinder[it->second].push_back(i);
        else
            oben[i] = true;
    }
    auto eintrag = [&](size_t i) {
        kontotyp k = konten[i];
        if (oben[i]) k.OberNr = 0;
        return k;
    };
    for (int32_t art = ArtEinnahme; art <= ArtSparkonto; ++art) {
        knoten_.push_back({0, art, {}, false});
        for (size_t i = 0; i < konten.size(); ++i) {
            if (!oben[i] || konten[i].Art != art) continue;
            knoten_.push_back({1, art, eintrag(i), false});
            auto it = kinder.find(i);
            if (it == kinder.end()) continue;
            for (size_t j : it->second) knoten_.push_back({2, art, eintrag(j), false});
        }
    }
}

int Kontenplan::Eltern(int pos) const {
    const int ebene = (*this)[pos].Ebene;
    for (int i = pos - 1; i >= 0; --i)
        if ((*this)[i].Ebene < ebene) return i;
    return -1;
}

int Kontenplan::TypKnoten(int pos) const {
    for (int i = pos; i >= 0; --i)
        if ((*this)[i].Ebene == 0) return i;
    return 0;
}

int Kontenplan::TeilbaumEnde(int pos) const {
    const int ebene = (*this)[pos].Ebene;
    int i = pos + 1;
    while (i < Anzahl() && (*this)[i].Ebene > ebene) ++i;
    return i;
}

bool Kontenplan::HatKinder(int pos) const { return TeilbaumEnde(pos) > pos + 1; }

Knopfzustand Kontenplan::Knoepfe(int pos, const Nutzung& nutzung) const {
    auto anzahl = [&nutzung](int32_t nr) -> int64_t {
        auto it = nutzung.find(nr);
        return it == nutzung.end() ? 0 : it->second;
    };
    auto vorhanden = [](int64_t n) { return std::to_string(n) + " Einträge vorhanden"; };
    const char* keine = "Keine Einträge vorhanden";

    Knopfzustand z;
    const PlanKnoten& k = (*this)[pos];
    if (k.Ebene == 0) {
        z = {false, true, false, "", ""};
    } else if (k.Ebene == 1) {
        const int64_t eigen = anzahl(k.Eintrag.Nr);
        if (HatKinder(pos)) {
            int64_t unter = 0;
            for (int i = pos + 1; i < TeilbaumEnde(pos); ++i) unter += anzahl((*this)[i].Eintrag.Nr);
            if (unter > 0)
                z = {false, true, true, "Einträge für Unterrubrik vorhanden", ""};
            else if (eigen > 0)
                // A category booked directly (typed and booked without leaving the field) must not
                // be deleted along with its unused sub-categories: its bookings would lose their
                // category.
                z = {false, true, true, vorhanden(eigen), ""};
            else
                z = {true, true, true, keine, ""};
        } else if (eigen > 0) {
            z = {false, false, true, vorhanden(eigen), ""};
        } else {
            z = {true, true, true, keine, ""};
        }
        if (k.Art == ArtBestandskonto || k.Art == ArtSparkonto) z.Neu = false;
    } else {
        const int64_t eigen = anzahl(k.Eintrag.Nr);
        z = eigen > 0 ? Knopfzustand{false, false, true, vorhanden(eigen), ""} : Knopfzustand{true, false, true, keine, ""};
    }
    if (Voll()) {
        z.Neu = false;
        z.HinweisLabel = "Keine weiteren Konten möglich";
    }
    return z;
}

int32_t Kontenplan::NeueNr(Zufall& zufall) const {
    std::unordered_set<int32_t> vergeben = alteNummern_;
    for (const PlanKnoten& k : knoten_)
        if (k.Ebene > 0) vergeben.insert(k.Eintrag.Nr);
    for (const kontotyp& k : ausserhalb_) vergeben.insert(k.Nr);
    // Drawn at random as the numbers always were; the bound only keeps a broken random source
    // from hanging the dialog, after which the first free number is taken.
    for (int versuch = 0; versuch < 100'000; ++versuch) {
        const int32_t kandidat = -(zufall.Zahl(4999) + 1);
        if (!vergeben.count(kandidat)) return kandidat;
    }
    for (int32_t kandidat = -1; kandidat >= -4999; --kandidat)
        if (!vergeben.count(kandidat)) return kandidat;
    return 0;
}

int Kontenplan::Neu(int pos, Zufall& zufall) {
    if (pos < 0 || pos >= Anzahl() || (*this)[pos].Ebene > 1 || Voll()) return -1;
    const int32_t nr = NeueNr(zufall);
    if (nr == 0) return -1;
    const PlanKnoten& oben = (*this)[pos];
    PlanKnoten n;
    n.Ebene = oben.Ebene + 1;
    n.Art = (*this)[TypKnoten(pos)].Art;
    n.Neu = true;
    n.Eintrag.Nr = nr;
    n.Eintrag.Art = n.Art;
    n.Eintrag.OberNr = oben.Ebene == 1 ? oben.Eintrag.Nr : 0;
    n.Eintrag.Name = "neuer Eintrag";
    const int ziel = TeilbaumEnde(pos);
    knoten_.insert(knoten_.begin() + ziel, n);
    return ziel;
}

void Kontenplan::Entfernen(int pos) {
    if (pos <= 0 || pos >= Anzahl() || (*this)[pos].Ebene == 0) return;
    knoten_.erase(knoten_.begin() + pos, knoten_.begin() + TeilbaumEnde(pos));
}

std::string Kontenplan::Pfad(int pos) const {
    std::vector<int> kette;
    for (int i = Eltern(pos); i >= 0; i = Eltern(i)) kette.push_back(i);
    std::string pfad;
    for (auto it = kette.rbegin(); it != kette.rend(); ++it) {
        if (!pfad.empty()) pfad += " \\  ";
        pfad += (*this)[*it].Text();
    }
    return pfad;
}

bool Kontenplan::IstKonto(int pos) const {
    const int32_t art = (*this)[TypKnoten(pos)].Art;
    return art == ArtBestandskonto || art == ArtSparkonto;
}

bool Kontenplan::AbkVergeben(int pos, const std::string& abk) const {
    for (int i = 0; i < Anzahl(); ++i)
        if (i != pos && (*this)[i].Ebene > 0 && (*this)[i].Eintrag.Abk == abk) return true;
    return false;
}

void Kontenplan::Uebernehmen(int pos, const KontoDaten& daten, std::vector<kontotyp>& konten) {
    PlanKnoten& k = knoten_[static_cast<size_t>(pos)];
    KontoDatenSchreiben(k.Eintrag, daten);
    k.Neu = false;
    if (k.Eintrag.Nr == 0) return;
    for (kontotyp& alt : konten)
        if (alt.Nr == k.Eintrag.Nr) {
            alt.Name = k.Eintrag.Name;
            alt.Abk = k.Eintrag.Abk;
            alt.Kurz1 = k.Eintrag.Kurz1;
            alt.Text1 = k.Eintrag.Text1;
            alt.Text2 = k.Eintrag.Text2;
            alt.Text3 = k.Eintrag.Text3;
            alt.AnfStand = k.Eintrag.AnfStand;
            break;
        }
}

std::vector<kontotyp> Kontenplan::Konten() const {
    std::vector<kontotyp> konten;
    konten.reserve(knoten_.size() + ausserhalb_.size());
    for (const PlanKnoten& k : knoten_)
        if (k.Ebene > 0) konten.push_back(k.Eintrag);
    konten.insert(konten.end(), ausserhalb_.begin(), ausserhalb_.end());
    return konten;
}

}  // namespace talerwerk
