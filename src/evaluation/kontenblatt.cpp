#include "evaluation/kontenblatt.h"

#include <algorithm>
#include <unordered_map>

#include "bookings/kontosuche.h"
#include "evaluation/auswahlbaeume.h"
#include "evaluation/auswertung.h"
#include "evaluation/zeitraeume.h"
#include "store/betrag.h"
#include "store/buchungsindex.h"
#include "store/datum.h"

namespace talerwerk {

const std::array<const char*, 4> KontenblattGruppierungen = {"Buchungs&typ", "Buchungs&nummer", "&Rubrik",
                                                             "D&atum"};
const std::array<const char*, 4> KontenblattGruppierungsNamen = {"Nach Typ", "Nach Buchungsnr.", "Nach Rubrik",
                                                                 "Nach Datum"};
const std::array<const char*, 6> KontenblattUeberschriften = {"B-nr.   Belegnr.", "Datum", "sto.", "Betrag",
                                                              "Buchungstext", "Rubrik/Gegenkonto"};

namespace {

// One row of a booking: its position in Buchungen and the side it is shown on.
enum class Seite : uint8_t { Einnahme, Ausgabe, Ab, An };
struct Eintrag {
    uint32_t Position = 0;
    Seite S = Seite::Einnahme;
    bool Zugang() const { return S == Seite::Einnahme || S == Seite::An; }
};

class Blattbauer {
public:
    Blattbauer(const Datenbestand& d, const KontenblattOptionen& o, Kontenblatt& k)
        : d_(d), o_(o), k_(k), ix_(BuchungsIndex(d)), pfade_(KontoPfade(d.Konten)) {
        switch (o.Gruppierung) {
        case KontenblattGruppierung::Rubrik: k_.Spalten = {KbGegen, KbNummer, KbDatum, KbStorno, KbText, KbBetrag}; break;
        case KontenblattGruppierung::Datum: k_.Spalten = {KbDatum, KbNummer, KbStorno, KbBetrag, KbText, KbGegen}; break;
        default: k_.Spalten = {KbNummer, KbDatum, KbStorno, KbBetrag, KbText, KbGegen}; break;
        }
        k_.SummenSpalte = o.Gruppierung == KontenblattGruppierung::Rubrik ? KbBetrag : KbGegen;
        for (int s = 0; s < 6; ++s) anzeige_[static_cast<size_t>(k_.Spalten[static_cast<size_t>(s)])] = s;
        k_.Tabelle.Kopf.clear();
        for (int logisch : k_.Spalten) k_.Tabelle.Kopf.push_back(KontenblattUeberschriften[static_cast<size_t>(logisch)]);
        Sammeln();
    }

    void Bauen() {
        switch (o_.Gruppierung) {
        case KontenblattGruppierung::Buchungstyp: NachTyp(); break;
        case KontenblattGruppierung::Buchungsnummer: Folge(eintraege_); break;
        case KontenblattGruppierung::Rubrik: NachRubrik(); break;
        case KontenblattGruppierung::Datum: NachDatum(); break;
        }
        if (k_.Tabelle.Zeilen.empty()) k_.Tabelle.Zeilen.push_back(Leer(KbZugang));
    }

private:
    // Every row the account's bookings give, in Buchungen order: the booking on the account
    // (Konto1), then the arrival of a transfer into it (Konto2), which may be the same booking.
    void Sammeln() {
        const int32_t konto = o_.Konto;
        if (konto == 0) return;
        const Periode p = PeriodeAus(o_.Zeitraum);
        const int32_t von = p.Gesamt ? 0 : DatumAus(1, p.VonMonat, p.VonJahr);
        const int32_t bis = p.Gesamt ? 0 : DatumAus(31, p.BisMonat, p.BisJahr);
        const auto& k1 = ix_.Konto1();
        const auto& k2 = ix_.Konto2();
        const auto& art = ix_.BArt();
        const auto& datum = ix_.Datum();
        const auto& storniert = ix_.Storniert();
        for (size_t i = 0; i < ix_.Anzahl(); ++i) {
            if (k1[i] != konto && k2[i] != konto) continue;
            if (!p.Gesamt && (datum[i] < von || datum[i] > bis)) continue;
            if (storniert[i] && !o_.Stornierte) continue;
            const auto pos = static_cast<uint32_t>(i);
            if (k1[i] == konto) {
                if (art[i] == BArtEinnahme) eintraege_.push_back({pos, Seite::Einnahme});
                else if (art[i] == BArtAusgabe) eintraege_.push_back({pos, Seite::Ausgabe});
                else if (art[i] == BArtUmbuchung) eintraege_.push_back({pos, Seite::Ab});
            }
            if (art[i] == BArtUmbuchung && k2[i] == konto) eintraege_.push_back({pos, Seite::An});
        }
    }

    // The number of the other side of a row: the category, the receiving or the paying account.
    int32_t Gegen(const Eintrag& e) const {
        return e.S == Seite::An ? ix_.Konto1()[e.Position] : ix_.Konto2()[e.Position];
    }
    const std::string& Pfad(int32_t nr) const {
        static const std::string leer;
        const auto it = pfade_.find(nr);
        return it == pfade_.end() ? leer : it->second;
    }

    GridZeile Leer(int32_t art) const {
        GridZeile z;
        z.Daten.Zeilenart = art;
        z.Zellen.assign(6, std::string());
        z.Daten.Betraege.assign(6, std::nullopt);
        z.Daten.Farben.assign(6, Farbklasse::Text);
        return z;
    }
    void Setzen(GridZeile& z, int logisch, std::string text) const {
        z.Zellen[static_cast<size_t>(anzeige_[static_cast<size_t>(logisch)])] = std::move(text);
    }

    void Ueberschrift(int logisch, const std::string& text, int32_t nr = 0) {
        GridZeile z = Leer(KbUeberschrift);
        z.Daten.RubrikNr = nr;
        z.Daten.Zeilentext = text;
        Setzen(z, logisch, text);
        k_.Tabelle.Zeilen.push_back(std::move(z));
    }
    void Summe(int32_t art, const std::string& text, Cent summe, int32_t nr = 0) {
        GridZeile z = Leer(art);
        z.Daten.RubrikNr = nr;
        z.Daten.Zeilentext = text;
        Setzen(z, KbText, text);
        const auto s = static_cast<size_t>(anzeige_[static_cast<size_t>(k_.SummenSpalte)]);
        z.Zellen[s] = CentAnzeige(summe);
        z.Daten.Betraege[s] = summe;
        z.Daten.Farben[s] = FarbeNachVorzeichen(summe);
        k_.Tabelle.Zeilen.push_back(std::move(z));
    }

    // Appends the row of one booking; returns its effect on the account (0 when cancelled).
    Cent Buchungszeile(const Eintrag& e) {
        const buchungstyp& b = d_.Buchungen[e.Position];
        const bool storno = ix_.Storniert()[e.Position] != 0;
        const Cent betrag = ix_.Betrag()[e.Position];
        const bool zugang = e.Zugang();
        GridZeile z = Leer(zugang ? KbZugang : KbAbgang);
        z.Daten.IdentNr = b.IdentNr;
        z.Daten.Storniert = storno;
        const auto g = o_.Gruppierung;
        std::string nummer = NummerText(b.IdentNr);
        if (g != KontenblattGruppierung::Buchungstyp) {
            static const char* const marken[] = {"  E", "  A", " U-", " U+"};
            nummer += marken[static_cast<int>(e.S)];
        }
        nummer += "  ";
        nummer += b.Belegnr;
        Setzen(z, KbNummer, std::move(nummer));
        if (g != KontenblattGruppierung::Datum) Setzen(z, KbDatum, DatumKurzText(b.Datum));
        if (storno) Setzen(z, KbStorno, "x");
        Setzen(z, KbBetrag, b.Betrag);
        Setzen(z, KbText, b.Text);
        if (g != KontenblattGruppierung::Rubrik) Setzen(z, KbGegen, Pfad(Gegen(e)));
        const auto s = static_cast<size_t>(anzeige_[KbBetrag]);
        z.Daten.Betraege[s] = zugang ? betrag : -betrag;
        if (storno) z.Daten.Farben.assign(6, Farbklasse::Grau);
        else z.Daten.Farben[s] = zugang ? Farbklasse::Positiv : Farbklasse::Negativ;
        k_.Tabelle.Zeilen.push_back(std::move(z));
        if (storno) return 0;
        (zugang ? k_.Einnahmen : k_.Ausgaben) += betrag;
        return zugang ? betrag : -betrag;
    }

    // Rows in the given order, without headings; the sum of their effects.
    Cent Folge(const std::vector<Eintrag>& eintraege) {
        Cent summe = 0;
        for (const Eintrag& e : eintraege) summe += Buchungszeile(e);
        return summe;
    }

    void NachTyp() {
        std::vector<Eintrag> teile[3];
        for (const Eintrag& e : eintraege_) {
            const int t = e.S == Seite::Einnahme ? 0 : e.S == Seite::Ausgabe ? 1 : 2;
            teile[t].push_back(e);
        }
        // Within a transfer onto the account itself the arrival comes first.
        for (size_t i = 1; i < teile[2].size(); ++i)
            if (teile[2][i].Position == teile[2][i - 1].Position && teile[2][i].S == Seite::An)
                std::swap(teile[2][i], teile[2][i - 1]);
        static const char* const namen[] = {"Einnahmen", "Ausgaben", "Umbuchungen"};
        for (int t = 0; t < 3; ++t) {
            Ueberschrift(KbNummer, namen[t]);
            const Cent summe = Folge(teile[t]);
            if (o_.Zwischensummen) Summe(KbZwischensumme, "Gesamt", summe);
        }
    }

    void NachDatum() {
        // Chronological by the date value: a stable sort keeps Buchungen order within a day and
        // the arrival of a transfer behind its departure.
        std::vector<Eintrag> folge = eintraege_;
        const auto& datum = ix_.Datum();
        std::stable_sort(folge.begin(), folge.end(),
                         [&](const Eintrag& a, const Eintrag& b) { return datum[a.Position] < datum[b.Position]; });
        for (size_t i = 0; i < folge.size();) {
            const int32_t tag = datum[folge[i].Position];
            size_t j = i;
            while (j < folge.size() && datum[folge[j].Position] == tag) ++j;
            Ueberschrift(KbDatum, DatumKurzText(tag));
            Cent summe = 0;
            for (size_t k = i; k < j; ++k) summe += Buchungszeile(folge[k]);
            if (o_.Zwischensummen) Summe(KbZwischensumme, "Gesamt", summe);
            i = j;
        }
    }

    // Heading text of a group of the grouping by category.
    std::string Gruppenname(int32_t nr) const {
        if (KontoIndex(d_.Konten, nr) >= 0) return Pfad(nr);
        return "Nr. " + std::to_string(nr) + " (nicht im Kontenplan)";
    }

    // One section of the grouping by category: groups of the section's rows by the other side's
    // number, first in the order of `reihenfolge`, then the numbers it lacks (a category that
    // got sub-categories after it was booked on, a number no longer in the chart): chart order,
    // then by number. Every row lands in exactly one group.
    void Abschnitt(const char* name, const char* gesamt, const std::vector<Eintrag>& eintraege,
                   const std::vector<KontoEintrag>& reihenfolge) {
        Ueberschrift(KbGegen, name);
        std::unordered_map<int32_t, int64_t> rang;
        int64_t n = 0;
        for (const KontoEintrag& k : reihenfolge) rang.emplace(k.Konto.Nr, n++);
        const int64_t chartBasis = n;
        const int64_t fremdBasis = n + static_cast<int64_t>(d_.Konten.size());
        std::vector<std::pair<int64_t, Eintrag>> folge;
        folge.reserve(eintraege.size());
        for (const Eintrag& e : eintraege) {
            const int32_t nr = Gegen(e);
            auto it = rang.find(nr);
            if (it == rang.end()) {
                const int stelle = KontoIndex(d_.Konten, nr);
                const int64_t r = stelle >= 0 ? chartBasis + stelle
                                              : fremdBasis + static_cast<int64_t>(nr) - INT32_MIN;
                it = rang.emplace(nr, r).first;
            }
            folge.emplace_back(it->second, e);
        }
        std::stable_sort(folge.begin(), folge.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        Cent abschnitt = 0;
        for (size_t i = 0; i < folge.size();) {
            size_t j = i;
            while (j < folge.size() && folge[j].first == folge[i].first) ++j;
            const int32_t nr = Gegen(folge[i].second);
            Ueberschrift(KbGegen, Gruppenname(nr), nr);
            Cent summe = 0;
            for (size_t k = i; k < j; ++k) summe += Buchungszeile(folge[k].second);
            if (o_.Zwischensummen) Summe(KbZwischensumme, "Gesamt", summe, nr);
            abschnitt += summe;
            i = j;
        }
        if (o_.Zwischensummen) Summe(KbGesamt, gesamt, abschnitt);
    }

    void NachRubrik() {
        std::vector<Eintrag> teile[3];
        for (const Eintrag& e : eintraege_) {
            const int t = e.S == Seite::Einnahme ? 0 : e.S == Seite::Ausgabe ? 1 : 2;
            teile[t].push_back(e);
        }
        Abschnitt("Einnahmen", "Gesamt Einnahmen", teile[0], RubrikenListe(d_, ArtEinnahme, true));
        Abschnitt("Ausgaben", "Gesamt Ausgaben", teile[1], RubrikenListe(d_, ArtAusgabe, true));
        Abschnitt("Umbuchungen", "Gesamt Umbuchungen", teile[2], KontenListe(d_));
    }

    const Datenbestand& d_;
    const KontenblattOptionen& o_;
    Kontenblatt& k_;
    const Buchungsindex& ix_;
    std::unordered_map<int32_t, std::string> pfade_;
    std::array<int, 6> anzeige_{};  // display column of each logical column
    std::vector<Eintrag> eintraege_;
};

}  // namespace

std::vector<kontotyp> KontenblattKonten(const Datenbestand& d) {
    std::vector<kontotyp> konten;
    for (int32_t art : {ArtBestandskonto, ArtSparkonto})
        for (const kontotyp& k : d.Konten)
            if (k.Art == art) konten.push_back(k);
    return konten;
}

Kontenblatt KontenblattAufbauen(const Datenbestand& d, const KontenblattOptionen& o) {
    Kontenblatt k;
    Blattbauer(d, o, k).Bauen();
    k.Saldo = k.Einnahmen - k.Ausgaben;
    k.EinnahmenText = CentAnzeige(k.Einnahmen);
    k.AusgabenText = CentAnzeige(k.Ausgaben);
    k.SaldoText = CentAnzeige(k.Saldo);
    k.SaldoBeschriftung = k.Saldo >= 0 ? "Saldo (Gewinn)" : "Saldo (Verlust)";
    k.SaldoFarbe = FarbeNachVorzeichen(k.Saldo);
    const std::string name = o.Konto == 0 ? std::string() : KontoName(d.Konten, o.Konto);
    k.Tabelle.Titel = AuswertungsTitel("Kontenblatt", o.Zeitraum, name);
    return k;
}

}  // namespace talerwerk
