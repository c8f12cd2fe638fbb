#include "evaluation/monatssummen.h"

#include <algorithm>
#include <limits>

#include "evaluation/zeitraeume.h"
#include "store/betrag.h"
#include "store/datum.h"

namespace talerwerk {

namespace {

constexpr int32_t VorJahrEins = std::numeric_limits<int32_t>::min();
constexpr int32_t NachJahr9999 = std::numeric_limits<int32_t>::max();

int32_t Laufend(int32_t monat, int32_t jahr) { return jahr * 12 + (monat - 1); }

// Turns per-position amounts stored at index position+1 into prefix sums.
void Aufsummieren(std::vector<Cent>& v) {
    for (size_t i = 1; i < v.size(); ++i) v[i] += v[i - 1];
}

int32_t ArtBit(int32_t art) { return art >= 0 && art < 31 ? (1 << art) : 0; }

}  // namespace

struct Monatssummen::AuswahlSummen {
    std::vector<Cent> einnahmen, ausgaben, ab, an;
    std::vector<std::vector<Cent>> rubrik;  // per slot of Konto2; empty when no booking names it
    std::vector<Cent> rubrikOhneEintrag;     // Konto2 without chart entry: its OberNr reads as 0
};

Monatssummen::Monatssummen(const Datenbestand& d) : d_(d), platz_(d.Konten.size()) {
    // Slots: one per number of the chart, carrying what the lookups over Konten would find.
    eintraege_.reserve(d.Konten.size());
    for (const kontotyp& k : d.Konten) {
        const int32_t neu = static_cast<int32_t>(platzArten_.size());
        const int32_t platz = platz_.Einfuegen(k.Nr, neu);
        if (platz == neu) {
            platzArten_.push_back(ArtBit(k.Art));
            platzOberNr_.push_back(k.OberNr);
        } else {
            platzArten_[platz] |= ArtBit(k.Art);
        }
        eintraege_.push_back({k.Nr, k.Art, k.AnfStand, platz == neu ? platz : -1});
    }
    for (size_t s = 0; s < platzOberNr_.size(); ++s)
        unterPlaetze_[platzOberNr_[s]].push_back(static_cast<int32_t>(s));

    // One pass over the bookings takes what every later question needs into compact arrays: the
    // records themselves are large, and reading them once is most of the work.
    const size_t n = d.Buchungen.size();
    const int32_t ersterTag = *TagesNummer(1, 1, 1);
    const int32_t letzterTag = *TagesNummer(31, 12, 9999);
    position_.resize(n);
    betrag_.resize(n);
    platz1_.resize(n);
    platz2_.resize(n);
    konto1_.resize(n);
    konto2_.resize(n);
    art_.resize(n);
    // Bookings come mostly in date order, so the month found last is checked before the calendar
    // is asked.
    int32_t merkVon = 1, merkBis = 0, merkMonat = 0;
    int32_t kleinster = NachJahr9999, groesster = VorJahrEins;
    const buchungstyp* buchungen = d.Buchungen.data();
    for (size_t i = 0; i < n; ++i) {
        if (i + 8 < n) {
            __builtin_prefetch(&buchungen[i + 8].Betrag);
            __builtin_prefetch(&buchungen[i + 8].Storniert);
        }
        const buchungstyp& b = buchungen[i];
        const int32_t tag = b.Datum;
        int32_t monat;
        if (tag < ersterTag) {
            monat = VorJahrEins;
        } else if (tag > letzterTag) {
            monat = NachJahr9999;
        } else {
            if (tag < merkVon || tag > merkBis) {
                const Kalendertag k = KalenderAus(tag);
                merkVon = tag - (k.Tag - 1);
                merkBis = merkVon + MonatsLaenge(k.Monat, k.Jahr) - 1;
                merkMonat = Laufend(k.Monat, k.Jahr);
            }
            monat = merkMonat;
            kleinster = std::min(kleinster, monat);
            groesster = std::max(groesster, monat);
        }
        position_[i] = monat;
        const int32_t art = b.BArt;
        const bool zaehlt = !b.Storniert && (art == BArtEinnahme || art == BArtAusgabe || art == BArtUmbuchung);
        betrag_[i] = zaehlt ? BetragCent(b.Betrag) : 0;
        art_[i] = zaehlt ? static_cast<uint8_t>(art) : 0;
        konto1_[i] = b.Konto1;
        konto2_[i] = b.Konto2;
        platz1_[i] = platz_.Finden(b.Konto1);
        platz2_[i] = platz_.Finden(b.Konto2);
    }

    // The axis holds only booked months; valid months span at most 9999 years, so a rank table
    // over the booked span stays small.
    std::vector<int32_t> rang;
    if (kleinster <= groesster) {
        rang.assign(static_cast<size_t>(groesster - kleinster) + 1, -1);
        for (int32_t m : position_)
            if (m != VorJahrEins && m != NachJahr9999) rang[m - kleinster] = 0;
        for (size_t j = 0; j < rang.size(); ++j) {
            if (rang[j] < 0) continue;
            rang[j] = static_cast<int32_t>(monate_.size()) + 1;
            monate_.push_back(kleinster + static_cast<int32_t>(j));
        }
    }
    const int32_t letztePosition = static_cast<int32_t>(monate_.size()) + 1;
    for (int32_t& m : position_) {
        if (m == VorJahrEins)
            m = 0;
        else if (m == NachJahr9999)
            m = letztePosition;
        else
            m = rang[m - kleinster];
    }

    // The effects per slot and position.
    const size_t laenge = monate_.size() + 3;
    bewegung_.resize(platzArten_.size());
    for (size_t i = 0; i < n; ++i) {
        const Cent betrag = betrag_[i];
        if (betrag == 0) continue;
        const size_t stelle = static_cast<size_t>(position_[i]) + 1;
        const int32_t p1 = platz1_[i];
        const int32_t p2 = platz2_[i];
        if (p1 >= 0) {
            if (bewegung_[p1].empty()) bewegung_[p1].assign(laenge, 0);
            bewegung_[p1][stelle] += art_[i] == BArtEinnahme ? betrag : -betrag;
        }
        if (art_[i] == BArtUmbuchung && p2 >= 0) {
            if (bewegung_[p2].empty()) bewegung_[p2].assign(laenge, 0);
            bewegung_[p2][stelle] += betrag;
        }
    }
    for (auto& v : bewegung_) Aufsummieren(v);
}

Monatssummen::~Monatssummen() = default;

Monatssummen::Bereich Monatssummen::BisMonatsende(int32_t monat, int32_t jahr) const {
    if (monat == 0 && jahr == -1) return {0, monate_.size() + 2};
    if (DatumAus(31, monat, jahr) == 0) return {};
    const auto ende = std::upper_bound(monate_.begin(), monate_.end(), Laufend(monat, jahr));
    return {0, static_cast<size_t>(ende - monate_.begin()) + 1};
}

Monatssummen::Bereich Monatssummen::ZwischenMonaten(int32_t vonMonat, int32_t vonJahr, int32_t bisMonat,
                                                    int32_t bisJahr) const {
    if (bisJahr == -1) return {0, monate_.size() + 2};
    if (DatumAus(31, bisMonat, bisJahr) == 0) return {};
    const auto ende = std::upper_bound(monate_.begin(), monate_.end(), Laufend(bisMonat, bisJahr));
    Bereich b{0, static_cast<size_t>(ende - monate_.begin()) + 1};
    // A first month that cannot be formed is the earliest possible date: no lower limit.
    if (DatumAus(1, vonMonat, vonJahr) != 0) {
        const auto anfang = std::lower_bound(monate_.begin(), monate_.end(), Laufend(vonMonat, vonJahr));
        b.von = static_cast<size_t>(anfang - monate_.begin()) + 1;
    }
    return b;
}

Cent Monatssummen::Summe(const std::vector<Cent>& praefix, Bereich b) {
    if (praefix.empty() || b.bis <= b.von) return 0;
    return praefix[b.bis] - praefix[b.von];
}

Cent Monatssummen::MonatsendStand(int32_t auswahl, int32_t monat, int32_t jahr) const {
    const Bereich bereich = BisMonatsende(monat, jahr);
    Cent summe = 0;
    for (const Eintrag& e : eintraege_) {
        bool gehoert;
        switch (auswahl) {
        case AuswahlAlleKonten: gehoert = e.Art == ArtBestandskonto || e.Art == ArtSparkonto; break;
        case AuswahlBestandskonten: gehoert = e.Art == ArtBestandskonto; break;
        case AuswahlSparkonten: gehoert = e.Art == ArtSparkonto; break;
        default: gehoert = e.Nr == auswahl; break;
        }
        if (!gehoert) continue;
        summe += e.AnfStand;
        if (e.Platz >= 0) summe += Summe(bewegung_[e.Platz], bereich);
    }
    return summe;
}

Cent Monatssummen::KontoVeraenderung(int32_t konto, int32_t vonMonat, int32_t bisMonat, int32_t jahr) const {
    const int32_t platz = platz_.Finden(konto);
    // A number without chart entry is asked for rarely; the plain scan answers it.
    if (platz == NrIndex::Fehlt) return talerwerk::KontoVeraenderung(d_, konto, vonMonat, bisMonat, jahr);
    if (DatumAus(31, bisMonat, jahr) == 0) return 0;
    return Summe(bewegung_[platz], ZwischenMonaten(vonMonat, jahr, bisMonat, jahr));
}

bool Monatssummen::GehoertZuAuswahl(int32_t auswahl, int32_t nr) const {
    const int32_t platz = platz_.Finden(nr);
    const int32_t arten = platz >= 0 ? platzArten_[platz] : 0;
    switch (auswahl) {
    case AuswahlAlleKonten: return (arten & (ArtBit(ArtBestandskonto) | ArtBit(ArtSparkonto))) != 0;
    case AuswahlBestandskonten: return (arten & ArtBit(ArtBestandskonto)) != 0;
    case AuswahlSparkonten: return (arten & ArtBit(ArtSparkonto)) != 0;
    default: return nr == auswahl;
    }
}

const Monatssummen::AuswahlSummen& Monatssummen::SummenFuer(int32_t auswahl) const {
    auto& eintrag = auswahlSummen_[auswahl];
    if (eintrag) return *eintrag;
    eintrag = std::make_unique<AuswahlSummen>();
    AuswahlSummen& a = *eintrag;

    // Membership per slot; a number outside the chart belongs only to the single-account code
    // equal to it.
    std::vector<uint8_t> mitglied(platzArten_.size());
    for (size_t s = 0; s < mitglied.size(); ++s) mitglied[s] = 0;
    for (const Eintrag& e : eintraege_)
        if (e.Platz >= 0) mitglied[e.Platz] = GehoertZuAuswahl(auswahl, e.Nr) ? 1 : 0;
    auto gehoert = [&](int32_t nr, int32_t platz) { return platz >= 0 ? mitglied[platz] != 0 : nr == auswahl; };

    const size_t laenge = monate_.size() + 3;
    a.einnahmen.assign(laenge, 0);
    a.ausgaben.assign(laenge, 0);
    a.ab.assign(laenge, 0);
    a.an.assign(laenge, 0);
    a.rubrik.resize(platzArten_.size());
    a.rubrikOhneEintrag.assign(laenge, 0);
    for (size_t i = 0; i < betrag_.size(); ++i) {
        const Cent betrag = betrag_[i];
        if (betrag == 0) continue;
        const size_t stelle = static_cast<size_t>(position_[i]) + 1;
        const bool konto1 = gehoert(konto1_[i], platz1_[i]);
        const uint8_t art = art_[i];
        if (art == BArtUmbuchung) {
            if (konto1) a.ab[stelle] -= betrag;
            if (gehoert(konto2_[i], platz2_[i])) a.an[stelle] += betrag;
            continue;
        }
        if (!konto1) continue;
        const Cent wert = art == BArtEinnahme ? betrag : -betrag;
        (art == BArtEinnahme ? a.einnahmen : a.ausgaben)[stelle] += wert;
        const int32_t p2 = platz2_[i];
        if (p2 >= 0) {
            if (a.rubrik[p2].empty()) a.rubrik[p2].assign(laenge, 0);
            a.rubrik[p2][stelle] += wert;
        } else {
            a.rubrikOhneEintrag[stelle] += wert;
        }
    }
    Aufsummieren(a.einnahmen);
    Aufsummieren(a.ausgaben);
    Aufsummieren(a.ab);
    Aufsummieren(a.an);
    Aufsummieren(a.rubrikOhneEintrag);
    for (auto& v : a.rubrik) Aufsummieren(v);
    return a;
}

Cent Monatssummen::PeriodenSumme(int32_t auswahl, int32_t rubrik, SummenModus modus, int32_t vonMonat,
                                 int32_t vonJahr, int32_t bisMonat, int32_t bisJahr) const {
    const Bereich bereich = ZwischenMonaten(vonMonat, vonJahr, bisMonat, bisJahr);
    if (modus == SummenModus::Rubrik) {
        const int32_t platz = platz_.Finden(rubrik);
        // A category number without chart entry: rare, the plain scan answers it.
        if (platz == NrIndex::Fehlt && rubrik != 0)
            return talerwerk::PeriodenSumme(d_, auswahl, rubrik, modus, vonMonat, vonJahr, bisMonat, bisJahr);
        const AuswahlSummen& a = SummenFuer(auswahl);
        Cent summe = platz >= 0 ? Summe(a.rubrik[platz], bereich) : 0;
        if (auto it = unterPlaetze_.find(rubrik); it != unterPlaetze_.end())
            for (int32_t unter : it->second)
                if (unter != platz) summe += Summe(a.rubrik[unter], bereich);
        if (rubrik == 0) summe += Summe(a.rubrikOhneEintrag, bereich);
        return summe;
    }
    const AuswahlSummen& a = SummenFuer(auswahl);
    switch (modus) {
    case SummenModus::Einnahmen: return Summe(a.einnahmen, bereich);
    case SummenModus::Ausgaben: return Summe(a.ausgaben, bereich);
    case SummenModus::UmbuchungenAb: return Summe(a.ab, bereich);
    case SummenModus::UmbuchungenAn: return Summe(a.an, bereich);
    case SummenModus::Saldo: return Summe(a.einnahmen, bereich) + Summe(a.ausgaben, bereich);
    case SummenModus::Rubrik: break;
    }
    return 0;
}

Cent Monatssummen::StandVorPeriode(int32_t auswahl, const Periode& p) const {
    int32_t monat = p.Gesamt ? 0 : p.VonMonat;
    int32_t jahr = p.Gesamt ? 0 : p.VonJahr;
    VormonatVon(monat, jahr);
    return MonatsendStand(auswahl, monat, jahr);
}

Cent Monatssummen::StandEndePeriode(int32_t auswahl, const Periode& p) const {
    return p.Gesamt ? MonatsendStand(auswahl, 0, -1) : MonatsendStand(auswahl, p.BisMonat, p.BisJahr);
}

Cent Monatssummen::PeriodenSumme(int32_t auswahl, int32_t rubrik, SummenModus modus, const Periode& p) const {
    return p.Gesamt ? PeriodenSumme(auswahl, rubrik, modus, 0, 0, 0, -1)
                    : PeriodenSumme(auswahl, rubrik, modus, p.VonMonat, p.VonJahr, p.BisMonat, p.BisJahr);
}

}  // namespace talerwerk
