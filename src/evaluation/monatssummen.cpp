#include "evaluation/monatssummen.h"

#include <algorithm>

#include "evaluation/zeitraeume.h"

namespace talerwerk {

namespace {

int32_t Laufend(int32_t monat, int32_t jahr) { return jahr * 12 + (monat - 1); }

// Turns per-position amounts stored at index position+1 into prefix sums.
void Aufsummieren(std::vector<Cent>& v) {
    for (size_t i = 1; i < v.size(); ++i) v[i] += v[i - 1];
}

// Adds an amount filed at raw index `stelle` to prefix sums that are already summed up.
void Nachtragen(std::vector<Cent>& praefix, size_t laenge, size_t stelle, Cent wert) {
    if (praefix.empty()) praefix.assign(laenge, 0);
    for (size_t k = stelle; k < praefix.size(); ++k) praefix[k] += wert;
}

Cent Vorzeichenbetrag(const Indexzeile& z) { return z.BArt == BArtEinnahme ? z.Betrag : -z.Betrag; }

}  // namespace

struct Monatssummen::AuswahlSummen {
    std::vector<Cent> einnahmen, ausgaben, ab, an;
    std::vector<std::vector<Cent>> rubrik;  // per slot of Konto2; empty when no booking names it
    std::vector<Cent> rubrikOhneEintrag;     // Konto2 without chart entry: its OberNr reads as 0
};

Monatssummen::Monatssummen(const Datenbestand& d) : d_(d), konten_(d.Konten) {
    eintraege_.reserve(d.Konten.size());
    for (size_t i = 0; i < d.Konten.size(); ++i) {
        const kontotyp& k = d.Konten[i];
        const int32_t platz = konten_.Platz(k.Nr);
        const bool erster = konten_.ListenPosition(platz) == static_cast<int32_t>(i);
        eintraege_.push_back({k.Nr, k.Art, k.AnfStand, erster ? platz : -1});
    }
    Aufbauen();
}

Monatssummen::~Monatssummen() = default;

int32_t Monatssummen::Position(int32_t monat) const {
    if (monat == MonatVorJahrEins) return 0;
    if (monat == MonatNachJahr9999) return static_cast<int32_t>(monate_.size()) + 1;
    const int64_t stelle = int64_t{monat} - rangBasis_;
    if (stelle < 0 || stelle >= static_cast<int64_t>(rang_.size())) return -1;
    return rang_[static_cast<size_t>(stelle)];
}

void Monatssummen::Aufbauen() const {
    const Buchungsindex& index = BuchungsIndex(d_);
    const std::vector<int32_t>& monat = index.Monat();
    ++aufbauten_;
    stand_ = index.Stand();
    auswahlSummen_.clear();
    monate_.clear();

    // The axis holds only booked months; valid months span at most 9999 years, so a rank table
    // over the booked span stays small.
    int32_t kleinster = MonatNachJahr9999, groesster = MonatVorJahrEins;
    for (int32_t m : monat) {
        if (m == MonatVorJahrEins || m == MonatNachJahr9999) continue;
        kleinster = std::min(kleinster, m);
        groesster = std::max(groesster, m);
    }
    rang_.clear();
    rangBasis_ = kleinster;
    if (kleinster <= groesster) {
        rang_.assign(static_cast<size_t>(groesster - kleinster) + 1, -1);
        for (int32_t m : monat)
            if (m != MonatVorJahrEins && m != MonatNachJahr9999) rang_[static_cast<size_t>(m - kleinster)] = 0;
        for (size_t j = 0; j < rang_.size(); ++j) {
            if (rang_[j] < 0) continue;
            rang_[j] = static_cast<int32_t>(monate_.size()) + 1;
            monate_.push_back(kleinster + static_cast<int32_t>(j));
        }
    }

    // The effects per slot and position.
    const size_t laenge = monate_.size() + 3;
    bewegung_.assign(konten_.Anzahl(), {});
    const std::vector<Cent>& betrag = index.Betrag();
    const std::vector<uint8_t>& art = index.BArt();
    const std::vector<uint8_t>& storniert = index.Storniert();
    const std::vector<int32_t>& konto1 = index.Konto1();
    const std::vector<int32_t>& konto2 = index.Konto2();
    for (size_t i = 0; i < betrag.size(); ++i) {
        if (betrag[i] == 0 || storniert[i] || art[i] == IndexArtUnbekannt) continue;
        const size_t stelle = static_cast<size_t>(Position(monat[i])) + 1;
        if (const int32_t p1 = konten_.Platz(konto1[i]); p1 >= 0) {
            if (bewegung_[p1].empty()) bewegung_[p1].assign(laenge, 0);
            bewegung_[p1][stelle] += art[i] == BArtEinnahme ? betrag[i] : -betrag[i];
        }
        if (art[i] == BArtUmbuchung)
            if (const int32_t p2 = konten_.Platz(konto2[i]); p2 >= 0) {
                if (bewegung_[p2].empty()) bewegung_[p2].assign(laenge, 0);
                bewegung_[p2][stelle] += betrag[i];
            }
    }
    for (auto& v : bewegung_) Aufsummieren(v);
}

bool Monatssummen::Anwenden(const Indexzeile& z, int vorzeichen) const {
    if (!z.Zaehlt() || z.Betrag == 0) return true;
    const int32_t position = Position(z.Monat);
    if (position < 0) return false;
    const size_t stelle = static_cast<size_t>(position) + 1;
    const size_t laenge = monate_.size() + 3;
    if (const int32_t p1 = konten_.Platz(z.Konto1); p1 >= 0)
        Nachtragen(bewegung_[p1], laenge, stelle, vorzeichen * Vorzeichenbetrag(z));
    if (z.BArt == BArtUmbuchung)
        if (const int32_t p2 = konten_.Platz(z.Konto2); p2 >= 0)
            Nachtragen(bewegung_[p2], laenge, stelle, vorzeichen * z.Betrag);
    for (auto& [auswahl, summen] : auswahlSummen_) AuswahlAnwenden(auswahl, *summen, z, stelle, vorzeichen);
    return true;
}

void Monatssummen::Nachfuehren() const {
    const Buchungsindex& index = BuchungsIndex(d_);
    if (index.Stand() == stand_) return;
    const auto aenderungen = index.AenderungenSeit(stand_);
    if (!aenderungen) return Aufbauen();
    for (const Buchungsindex::Aenderung& a : *aenderungen) {
        // A booking in a month without column needs a wider axis: that is a rebuild.
        if ((a.Alt && !Anwenden(*a.Alt, -1)) || (a.Neu && !Anwenden(*a.Neu, +1))) return Aufbauen();
    }
    stand_ = index.Stand();
}

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
    Nachfuehren();
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
    Nachfuehren();
    const int32_t platz = konten_.Platz(konto);
    // A number without chart entry is asked for rarely; the plain scan answers it.
    if (platz == Kontoindex::Fehlt) return talerwerk::KontoVeraenderung(d_, konto, vonMonat, bisMonat, jahr);
    if (DatumAus(31, bisMonat, jahr) == 0) return 0;
    return Summe(bewegung_[platz], ZwischenMonaten(vonMonat, jahr, bisMonat, jahr));
}

bool Monatssummen::GehoertZuAuswahl(int32_t auswahl, int32_t nr) const {
    const int32_t platz = konten_.Platz(nr);
    switch (auswahl) {
    case AuswahlAlleKonten: return konten_.HatArt(platz, ArtBestandskonto) || konten_.HatArt(platz, ArtSparkonto);
    case AuswahlBestandskonten: return konten_.HatArt(platz, ArtBestandskonto);
    case AuswahlSparkonten: return konten_.HatArt(platz, ArtSparkonto);
    default: return nr == auswahl;
    }
}

bool Monatssummen::AuswahlAnwenden(int32_t auswahl, AuswahlSummen& a, const Indexzeile& z, size_t stelle,
                                   int vorzeichen) const {
    const size_t laenge = monate_.size() + 3;
    const bool konto1 = GehoertZuAuswahl(auswahl, z.Konto1);
    if (z.BArt == BArtUmbuchung) {
        if (konto1) Nachtragen(a.ab, laenge, stelle, -vorzeichen * z.Betrag);
        if (GehoertZuAuswahl(auswahl, z.Konto2)) Nachtragen(a.an, laenge, stelle, vorzeichen * z.Betrag);
        return true;
    }
    if (!konto1) return true;
    const Cent wert = vorzeichen * Vorzeichenbetrag(z);
    Nachtragen(z.BArt == BArtEinnahme ? a.einnahmen : a.ausgaben, laenge, stelle, wert);
    const int32_t p2 = konten_.Platz(z.Konto2);
    Nachtragen(p2 >= 0 ? a.rubrik[p2] : a.rubrikOhneEintrag, laenge, stelle, wert);
    return true;
}

void Monatssummen::AuswahlFuellen(int32_t auswahl, AuswahlSummen& a) const {
    const Buchungsindex& index = BuchungsIndex(d_);
    // Membership per slot; a number outside the chart belongs only to the single-account code
    // equal to it.
    std::vector<uint8_t> mitglied(konten_.Anzahl());
    for (size_t s = 0; s < mitglied.size(); ++s)
        mitglied[s] = GehoertZuAuswahl(auswahl, konten_.Nr(static_cast<int32_t>(s))) ? 1 : 0;
    auto gehoert = [&](int32_t nr, int32_t platz) { return platz >= 0 ? mitglied[platz] != 0 : nr == auswahl; };

    const size_t laenge = monate_.size() + 3;
    for (auto* v : {&a.einnahmen, &a.ausgaben, &a.ab, &a.an, &a.rubrikOhneEintrag}) v->assign(laenge, 0);
    a.rubrik.resize(konten_.Anzahl());
    const std::vector<Cent>& betrag = index.Betrag();
    const std::vector<uint8_t>& art = index.BArt();
    const std::vector<uint8_t>& storniert = index.Storniert();
    const std::vector<int32_t>& monat = index.Monat();
    const std::vector<int32_t>& konto1 = index.Konto1();
    const std::vector<int32_t>& konto2 = index.Konto2();
    for (size_t i = 0; i < betrag.size(); ++i) {
        if (betrag[i] == 0 || storniert[i] || art[i] == IndexArtUnbekannt) continue;
        const size_t stelle = static_cast<size_t>(Position(monat[i])) + 1;
        const int32_t p2 = konten_.Platz(konto2[i]);
        if (art[i] == BArtUmbuchung) {
            if (gehoert(konto1[i], konten_.Platz(konto1[i]))) a.ab[stelle] -= betrag[i];
            if (gehoert(konto2[i], p2)) a.an[stelle] += betrag[i];
            continue;
        }
        if (!gehoert(konto1[i], konten_.Platz(konto1[i]))) continue;
        const Cent wert = art[i] == BArtEinnahme ? betrag[i] : -betrag[i];
        (art[i] == BArtEinnahme ? a.einnahmen : a.ausgaben)[stelle] += wert;
        if (p2 >= 0) {
            if (a.rubrik[p2].empty()) a.rubrik[p2].assign(laenge, 0);
            a.rubrik[p2][stelle] += wert;
        } else {
            a.rubrikOhneEintrag[stelle] += wert;
        }
    }
    for (auto* v : {&a.einnahmen, &a.ausgaben, &a.ab, &a.an, &a.rubrikOhneEintrag}) Aufsummieren(*v);
    for (auto& v : a.rubrik) Aufsummieren(v);
}

const Monatssummen::AuswahlSummen& Monatssummen::SummenFuer(int32_t auswahl) const {
    auto& eintrag = auswahlSummen_[auswahl];
    if (!eintrag) {
        eintrag = std::make_unique<AuswahlSummen>();
        AuswahlFuellen(auswahl, *eintrag);
    }
    return *eintrag;
}

Cent Monatssummen::PeriodenSumme(int32_t auswahl, int32_t rubrik, SummenModus modus, int32_t vonMonat,
                                 int32_t vonJahr, int32_t bisMonat, int32_t bisJahr) const {
    Nachfuehren();
    const Bereich bereich = ZwischenMonaten(vonMonat, vonJahr, bisMonat, bisJahr);
    if (modus == SummenModus::Rubrik) {
        const int32_t platz = konten_.Platz(rubrik);
        // A category number without chart entry: rare, the plain scan answers it.
        if (platz == Kontoindex::Fehlt && rubrik != 0)
            return talerwerk::PeriodenSumme(d_, auswahl, rubrik, modus, vonMonat, vonJahr, bisMonat, bisJahr);
        const AuswahlSummen& a = SummenFuer(auswahl);
        Cent summe = platz >= 0 ? Summe(a.rubrik[platz], bereich) : 0;
        for (int32_t unter : konten_.Unterplaetze(rubrik))
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

std::shared_ptr<const Monatssummen> GemeinsameMonatssummen(const Datenbestand& d) {
    auto summen = std::static_pointer_cast<const Monatssummen>(d.Index.Monatssummen);
    if (!summen || !summen->PasstZuKonten()) {
        summen = std::make_shared<const Monatssummen>(d);
        d.Index.Monatssummen = std::const_pointer_cast<Monatssummen>(summen);
    }
    return summen;
}

}  // namespace talerwerk
