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
    uint32_t Index = 0;  // place in the collection order
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
        ziel_.assign(eintraege_.size(), 0);
    }

    void Bauen() {
        k_.Tabelle.Zeilen.reserve(eintraege_.size() + 16);
        switch (o_.Gruppierung) {
        case KontenblattGruppierung::Buchungstyp: NachTyp(); break;
        case KontenblattGruppierung::Buchungsnummer: Folge(eintraege_); break;
        case KontenblattGruppierung::Rubrik: NachRubrik(); break;
        case KontenblattGruppierung::Datum: NachDatum(); break;
        }
        Fuellen();
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
            auto dazu = [&](Seite s) { eintraege_.push_back({pos, s, static_cast<uint32_t>(eintraege_.size())}); };
            if (k1[i] == konto) {
                if (art[i] == BArtEinnahme) dazu(Seite::Einnahme);
                else if (art[i] == BArtAusgabe) dazu(Seite::Ausgabe);
                else if (art[i] == BArtUmbuchung) dazu(Seite::Ab);
            }
            if (art[i] == BArtUmbuchung && k2[i] == konto) dazu(Seite::An);
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

    // Date texts repeat from row to row: each distinct day is formatted once.
    const std::string& Datumstext(int32_t tag) {
        if (letzterText_ && tag == letzterTag_) return *letzterText_;
        auto it = datumstexte_.find(tag);
        if (it == datumstexte_.end()) it = datumstexte_.emplace(tag, DatumKurzText(tag)).first;
        letzterTag_ = tag;
        letzterText_ = &it->second;
        return *letzterText_;
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

    // Appends the row of one booking with its numbers, from the index alone; returns its effect
    // on the account (0 when cancelled). Its texts come later (Fuellen).
    Cent Buchungszeile(const Eintrag& e) {
        const bool storno = ix_.Storniert()[e.Position] != 0;
        const Cent betrag = ix_.Betrag()[e.Position];
        const bool zugang = e.Zugang();
        ziel_[e.Index] = static_cast<uint32_t>(k_.Tabelle.Zeilen.size());
        GridZeile& z = k_.Tabelle.Zeilen.emplace_back(Leer(zugang ? KbZugang : KbAbgang));
        z.Daten.IdentNr = ix_.Nr()[e.Position];
        z.Daten.Storniert = storno;
        const auto s = static_cast<size_t>(anzeige_[KbBetrag]);
        z.Daten.Betraege[s] = zugang ? betrag : -betrag;
        if (storno) z.Daten.Farben.assign(6, Farbklasse::Grau);
        else z.Daten.Farben[s] = zugang ? Farbklasse::Positiv : Farbklasse::Negativ;
        if (storno) return 0;
        (zugang ? k_.Einnahmen : k_.Ausgaben) += betrag;
        return zugang ? betrag : -betrag;
    }

    // The texts of every booking row, made in the stored order of the bookings: one sweep over the
    // records, where the grouped orders would jump through a million of them.
    void Fuellen() {
        const auto g = o_.Gruppierung;
        for (const Eintrag& e : eintraege_) {
            const Buchungssicht b = d_.Buchungen.Sicht(e.Position);
            GridZeile& z = k_.Tabelle.Zeilen[ziel_[e.Index]];
            std::string nummer;
            nummer.reserve(9 + b.Belegnr.size());
            NummerAnfuegen(nummer, b.IdentNr);
            if (g != KontenblattGruppierung::Buchungstyp) {
                static const char* const marken[] = {"  E", "  A", " U-", " U+"};
                nummer += marken[static_cast<int>(e.S)];
            }
            nummer += "  ";
            nummer += b.Belegnr;
            Setzen(z, KbNummer, std::move(nummer));
            if (g != KontenblattGruppierung::Datum) Setzen(z, KbDatum, Datumstext(b.Datum));
            if (z.Daten.Storniert) Setzen(z, KbStorno, "x");
            Setzen(z, KbBetrag, Buchungsspeicher::BetragText(b));
            Setzen(z, KbText, std::string(b.Text));
            if (g != KontenblattGruppierung::Rubrik) Setzen(z, KbGegen, Pfad(Gegen(e)));
        }
    }

    template <typename Folge, typename Von>
    Cent Zeilen(const Folge& folge, size_t von, size_t bis, Von eintrag) {
        Cent summe = 0;
        for (size_t k = von; k < bis; ++k) summe += Buchungszeile(eintrag(folge[k]));
        return summe;
    }

    // Rows in the given order, without headings; the sum of their effects.
    Cent Folge(const std::vector<Eintrag>& eintraege) {
        return Zeilen(eintraege, 0, eintraege.size(), [](const Eintrag& e) -> const Eintrag& { return e; });
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
        size_t tage = 0;
        for (size_t i = 0; i < folge.size(); ++i)
            tage += i == 0 || datum[folge[i].Position] != datum[folge[i - 1].Position];
        k_.Tabelle.Zeilen.reserve(folge.size() + 2 * tage);
        for (size_t i = 0; i < folge.size();) {
            const int32_t tag = datum[folge[i].Position];
            size_t j = i;
            while (j < folge.size() && datum[folge[j].Position] == tag) ++j;
            Ueberschrift(KbDatum, Datumstext(tag));
            Cent summe = 0;
            summe += Zeilen(folge, i, j, [](const Eintrag& e) -> const Eintrag& { return e; });
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
        std::unordered_map<int32_t, int64_t> listenRang;
        int64_t n = 0;
        for (const KontoEintrag& k : reihenfolge) listenRang.emplace(k.Konto.Nr, n++);
        const int64_t chartBasis = n;
        const int64_t fremdBasis = n + static_cast<int64_t>(d_.Konten.size());

        // Bucketing: each number met becomes a group; the groups are put in order, then every row
        // goes to its group's place, keeping the stored order within the group.
        struct Gruppe {
            int32_t Nr = 0;
            int64_t Rang = 0;
            size_t Anzahl = 0;
            size_t Beginn = 0;
        };
        std::vector<Gruppe> gruppen;
        std::unordered_map<int32_t, uint32_t> gruppeVon;
        std::vector<uint32_t> gruppeJe(eintraege.size());
        int32_t letzteNr = 0;
        uint32_t letzteGruppe = UINT32_MAX;
        for (size_t i = 0; i < eintraege.size(); ++i) {
            const int32_t nr = Gegen(eintraege[i]);
            if (letzteGruppe == UINT32_MAX || nr != letzteNr) {
                auto it = gruppeVon.find(nr);
                if (it == gruppeVon.end()) {
                    int64_t r = 0;
                    if (const auto l = listenRang.find(nr); l != listenRang.end()) {
                        r = l->second;
                    } else {
                        const int stelle = KontoIndex(d_.Konten, nr);
                        r = stelle >= 0 ? chartBasis + stelle : fremdBasis + static_cast<int64_t>(nr) - INT32_MIN;
                    }
                    it = gruppeVon.emplace(nr, static_cast<uint32_t>(gruppen.size())).first;
                    gruppen.push_back({nr, r});
                }
                letzteNr = nr;
                letzteGruppe = it->second;
            }
            gruppeJe[i] = letzteGruppe;
            ++gruppen[letzteGruppe].Anzahl;
        }
        std::vector<uint32_t> reihe(gruppen.size());
        for (uint32_t g = 0; g < reihe.size(); ++g) reihe[g] = g;
        std::sort(reihe.begin(), reihe.end(), [&](uint32_t a, uint32_t b) { return gruppen[a].Rang < gruppen[b].Rang; });
        size_t stelle = 0;
        for (uint32_t g : reihe) {
            gruppen[g].Beginn = stelle;
            stelle += gruppen[g].Anzahl;
        }
        std::vector<Eintrag> folge(eintraege.size());
        {
            std::vector<size_t> frei(gruppen.size());
            for (size_t g = 0; g < gruppen.size(); ++g) frei[g] = gruppen[g].Beginn;
            for (size_t i = 0; i < eintraege.size(); ++i) folge[frei[gruppeJe[i]]++] = eintraege[i];
        }
        k_.Tabelle.Zeilen.reserve(k_.Tabelle.Zeilen.size() + folge.size() + 2 * gruppen.size() + 8);

        Cent abschnitt = 0;
        for (uint32_t g : reihe) {
            const Gruppe& gruppe = gruppen[g];
            Ueberschrift(KbGegen, Gruppenname(gruppe.Nr), gruppe.Nr);
            const Cent summe = Zeilen(folge, gruppe.Beginn, gruppe.Beginn + gruppe.Anzahl,
                                      [](const Eintrag& e) -> const Eintrag& { return e; });
            if (o_.Zwischensummen) Summe(KbZwischensumme, "Gesamt", summe, gruppe.Nr);
            abschnitt += summe;
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
    std::vector<uint32_t> ziel_;  // row of each Eintrag, by Index
    std::unordered_map<int32_t, std::string> datumstexte_;
    int32_t letzterTag_ = 0;
    const std::string* letzterText_ = nullptr;
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
