#include "evaluation/buchungsuebersicht.h"

#include <algorithm>
#include <unordered_map>

#include "bookings/kontosuche.h"
#include "evaluation/auswahlbaeume.h"
#include "store/betrag.h"
#include "store/buchungsindex.h"
#include "store/datum.h"

namespace talerwerk {

const std::array<const char*, 4> UebersichtGruppierungen = {"Buchungs&nummer", "R&ubrik", "D&atum", "K&onto"};
const std::array<const char*, 7> UebersichtUeberschriften = {
    "B-nr.   Belegnr.", "Datum", "sto.", "Betrag", "Buchungstext", "Rubrik/Gegenkonto", "Konto"};

namespace {

// The side a booking is listed on: Einnahme and transfer in (income part), Ausgabe and transfer
// out (expense part).
enum class Seite : uint8_t { Einnahme, Ausgabe, An, Ab };

struct Eintrag {
    uint32_t Position = 0;
    Seite S = Seite::Einnahme;
    bool Zugang() const { return S == Seite::Einnahme || S == Seite::An; }
    bool Umbuchung() const { return S == Seite::An || S == Seite::Ab; }
};

void NummerAnfuegen(std::string& ziel, int32_t nummer) {
    if (nummer < 0) {
        ziel += NummerText(nummer);
        return;
    }
    char ziffern[12];
    int n = 0;
    do {
        ziffern[n++] = static_cast<char>('0' + nummer % 10);
        nummer /= 10;
    } while (nummer > 0);
    for (int i = n; i < 4; ++i) ziel += '0';
    while (n > 0) ziel += ziffern[--n];
}

Cent Betrag(Cent x) { return x < 0 ? -x : x; }

class Uebersichtbauer {
public:
    Uebersichtbauer(const Datenbestand& d, const UebersichtOptionen& o, Buchungsuebersicht& u)
        : d_(d), o_(o), u_(u), ix_(BuchungsIndex(d)), konten_(d.Konten), pfade_(KontoPfade(d.Konten)) {
        switch (o.Gruppierung) {
        case UebersichtGruppierung::Rubrik: u_.Spalten = {BuGegen, BuNummer, BuDatum, BuStorno, BuKonto, BuText, BuBetrag}; break;
        case UebersichtGruppierung::Datum: u_.Spalten = {BuDatum, BuNummer, BuStorno, BuKonto, BuGegen, BuText, BuBetrag}; break;
        case UebersichtGruppierung::Konto: u_.Spalten = {BuKonto, BuNummer, BuDatum, BuStorno, BuGegen, BuText, BuBetrag}; break;
        default: u_.Spalten = {BuNummer, BuDatum, BuStorno, BuKonto, BuGegen, BuText, BuBetrag}; break;
        }
        for (int s = 0; s < 7; ++s) anzeige_[static_cast<size_t>(u_.Spalten[static_cast<size_t>(s)])] = s;
        for (int logisch : u_.Spalten) u_.Tabelle.Kopf.push_back(UebersichtUeberschriften[static_cast<size_t>(logisch)]);
        schluessel_ = u_.Spalten[0];
        gruppiert_ = o.Gruppierung != UebersichtGruppierung::Buchungsnummer;
    }

    void Bauen() {
        Sammeln();
        ziel_[0].assign(teile_[0].size(), 0);
        ziel_[1].assign(teile_[1].size(), 0);
        u_.Tabelle.Zeilen.reserve(teile_[0].size() + teile_[1].size() + 16);
        Teil(0);
        Teil(1);
        Fuellen();
        if (u_.Tabelle.Zeilen.empty()) u_.Tabelle.Zeilen.push_back(Leer(BuEinnahme));
    }

private:
    // Whether the account number is in the query's account list: listed itself, or covered by
    // "Alle Konten", "Bestandskonten" or "Sparkonten".
    bool InKontenliste(int32_t nr) {
        if (const auto it = liste_.find(nr); it != liste_.end()) return it->second;
        const int32_t platz = konten_.Platz(nr);
        bool ja = false;
        for (int32_t code : o_.Abfrage.Konten) {
            if (code == nr || code == CodeAlleKonten ||
                (code == CodeBestandskonten && platz != Kontoindex::Fehlt && konten_.HatArt(platz, ArtBestandskonto)) ||
                (code == CodeSparkonten && platz != Kontoindex::Fehlt && konten_.HatArt(platz, ArtSparkonto))) {
                ja = true;
                break;
            }
        }
        liste_.emplace(nr, ja);
        return ja;
    }

    void Sammeln() {
        const Abfragefilter filter(d_, o_.Abfrage);
        const auto& art = ix_.BArt();
        for (uint32_t pos : filter.Treffer()) {
            switch (art[pos]) {
            case BArtEinnahme: teile_[0].push_back({pos, Seite::Einnahme}); break;
            case BArtAusgabe: teile_[1].push_back({pos, Seite::Ausgabe}); break;
            case BArtUmbuchung:
                if (InKontenliste(ix_.Konto2()[pos])) teile_[0].push_back({pos, Seite::An});
                if (InKontenliste(ix_.Konto1()[pos])) teile_[1].push_back({pos, Seite::Ab});
                break;
            default: break;  // a kind no booking can have moves no money
            }
        }
    }

    // The category or account on the other side, and the account the row stands for.
    int32_t Gegen(const Eintrag& e) const {
        return e.S == Seite::An ? ix_.Konto1()[e.Position] : ix_.Konto2()[e.Position];
    }
    int32_t Konto(const Eintrag& e) const {
        return e.S == Seite::An ? ix_.Konto2()[e.Position] : ix_.Konto1()[e.Position];
    }
    const std::string& Pfad(int32_t nr) const {
        static const std::string leer;
        const auto it = pfade_.find(nr);
        return it == pfade_.end() ? leer : it->second;
    }
    std::string Gruppenname(int32_t nr) const {
        if (konten_.Platz(nr) != Kontoindex::Fehlt) return Pfad(nr);
        return "Nr. " + std::to_string(nr) + " (nicht im Kontenplan)";
    }
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
        z.Zellen.assign(7, std::string());
        z.Daten.Betraege.assign(7, std::nullopt);
        z.Daten.Farben.assign(7, Farbklasse::Text);
        return z;
    }
    void Setzen(GridZeile& z, int logisch, std::string text) const {
        z.Zellen[static_cast<size_t>(anzeige_[static_cast<size_t>(logisch)])] = std::move(text);
    }
    void Ueberschrift(int logisch, const std::string& text, int32_t nr = 0) {
        GridZeile z = Leer(BuUeberschrift);
        z.Daten.RubrikNr = nr;
        z.Daten.Zeilentext = text;
        Setzen(z, logisch, text);
        u_.Tabelle.Zeilen.push_back(std::move(z));
    }
    // A subtotal row: the caption (if any) in the key column, the amount in the amount cell.
    void Summe(int32_t art, const std::string& text, Cent wert, Cent anzeige, Farbklasse farbe, int32_t nr = 0) {
        GridZeile z = Leer(art);
        z.Daten.RubrikNr = nr;
        z.Daten.Zeilentext = text;
        if (!text.empty()) Setzen(z, schluessel_, text);
        const auto s = static_cast<size_t>(anzeige_[BuBetrag]);
        z.Zellen[s] = CentAnzeige(anzeige);
        z.Daten.Betraege[s] = wert;
        z.Daten.Farben[s] = farbe;
        u_.Tabelle.Zeilen.push_back(std::move(z));
    }

    // The row of one booking with its numbers; its texts come later (Fuellen). Adds to the part's
    // sums unless cancelled; returns its signed effect (0 when cancelled).
    Cent Buchungszeile(size_t teil, size_t index, int32_t gruppe) {
        const Eintrag& e = teile_[teil][index];
        const bool storno = ix_.Storniert()[e.Position] != 0;
        const Cent betrag = ix_.Betrag()[e.Position];
        const bool zugang = e.Zugang();
        ziel_[teil][index] = static_cast<uint32_t>(u_.Tabelle.Zeilen.size());
        GridZeile& z = u_.Tabelle.Zeilen.emplace_back(Leer(zugang ? BuEinnahme : BuAusgabe));
        z.Daten.IdentNr = ix_.Nr()[e.Position];
        z.Daten.RubrikNr = gruppe;
        z.Daten.Storniert = storno;
        const auto s = static_cast<size_t>(anzeige_[BuBetrag]);
        z.Daten.Betraege[s] = zugang ? betrag : -betrag;
        z.Daten.Farben[s] = zugang ? Farbklasse::Positiv : Farbklasse::Negativ;
        if (storno) return 0;
        teilSumme_ += betrag;
        if (e.Umbuchung()) teilUmbuchung_ += betrag;
        return zugang ? betrag : -betrag;
    }

    void GruppenSumme(Cent summe, int32_t nr) {
        if (o_.Zwischensummen) Summe(BuZwischensumme, "", summe, Betrag(summe), FarbeNachVorzeichen(summe), nr);
    }

    // Groups of a part's entries by a key, in the order of the key's rank; within a group the
    // entries keep their collection order. Every entry lands in exactly one group.
    template <typename SchluesselVon, typename RangVon, typename Name>
    void Gruppen(size_t teil, const std::vector<size_t>& auswahl, SchluesselVon schluessel, RangVon rang, Name name,
                 int kopfSpalte) {
        struct Gruppe {
            int32_t Schluessel = 0;
            int64_t Rang = 0;
            std::vector<size_t> Eintraege;
        };
        std::vector<Gruppe> gruppen;
        std::unordered_map<int32_t, size_t> gruppeVon;
        int32_t letzter = 0;
        size_t letzteGruppe = SIZE_MAX;
        for (size_t i : auswahl) {
            const int32_t k = schluessel(teile_[teil][i]);
            if (letzteGruppe == SIZE_MAX || k != letzter) {
                auto it = gruppeVon.find(k);
                if (it == gruppeVon.end()) {
                    it = gruppeVon.emplace(k, gruppen.size()).first;
                    gruppen.push_back({k, rang(k), {}});
                }
                letzter = k;
                letzteGruppe = it->second;
            }
            gruppen[letzteGruppe].Eintraege.push_back(i);
        }
        std::stable_sort(gruppen.begin(), gruppen.end(), [](const Gruppe& a, const Gruppe& b) {
            return a.Rang != b.Rang ? a.Rang < b.Rang : a.Schluessel < b.Schluessel;
        });
        for (const Gruppe& g : gruppen) {
            Ueberschrift(kopfSpalte, name(g.Schluessel), g.Schluessel);
            Cent summe = 0;
            for (size_t i : g.Eintraege) summe += Buchungszeile(teil, i, g.Schluessel);
            GruppenSumme(summe, g.Schluessel);
        }
    }

    // Rank of a number: its place in `liste`, else its place in the chart behind it, else behind
    // the chart by the number itself.
    std::unordered_map<int32_t, int64_t> Raenge(const std::vector<KontoEintrag>& liste) const {
        std::unordered_map<int32_t, int64_t> r;
        int64_t n = 0;
        for (const KontoEintrag& k : liste) r.emplace(k.Konto.Nr, n++);
        return r;
    }
    int64_t Rang(const std::unordered_map<int32_t, int64_t>& raenge, int32_t nr) const {
        if (const auto it = raenge.find(nr); it != raenge.end()) return it->second;
        const int32_t platz = konten_.Platz(nr);
        const auto basis = static_cast<int64_t>(raenge.size());
        if (platz != Kontoindex::Fehlt) return basis + konten_.ListenPosition(platz);
        return basis + static_cast<int64_t>(d_.Konten.size()) + (static_cast<int64_t>(nr) - INT32_MIN);
    }

    // The category a booking row is grouped under: its own, or without single sub-categories the
    // top-level category above it.
    int32_t Rubrik(const Eintrag& e) const {
        const int32_t nr = Gegen(e);
        if (o_.Unterrubriken) return nr;
        const int32_t platz = konten_.Platz(nr);
        return platz == Kontoindex::Fehlt ? nr : konten_.Nr(konten_.Hauptrubrik(platz));
    }

    void Teil(size_t teil) {
        const std::vector<Eintrag>& eintraege = teile_[teil];
        if (eintraege.empty()) return;
        const bool einnahmen = teil == 0;
        teilSumme_ = 0;
        teilUmbuchung_ = 0;
        Ueberschrift(schluessel_, einnahmen ? "Einnahmen" : "Ausgaben");
        std::vector<size_t> alle(eintraege.size());
        for (size_t i = 0; i < alle.size(); ++i) alle[i] = i;

        switch (o_.Gruppierung) {
        case UebersichtGruppierung::Buchungsnummer:
            for (size_t i : alle) Buchungszeile(teil, i, 0);
            break;
        case UebersichtGruppierung::Datum: {
            // Chronological by the date value; a stable sort keeps collection order within a day.
            const auto& datum = ix_.Datum();
            std::stable_sort(alle.begin(), alle.end(), [&](size_t a, size_t b) {
                return datum[eintraege[a].Position] < datum[eintraege[b].Position];
            });
            for (size_t i = 0; i < alle.size();) {
                const int32_t tag = datum[eintraege[alle[i]].Position];
                size_t j = i;
                while (j < alle.size() && datum[eintraege[alle[j]].Position] == tag) ++j;
                Ueberschrift(BuDatum, Datumstext(tag));
                Cent summe = 0;
                for (size_t k = i; k < j; ++k) summe += Buchungszeile(teil, alle[k], 0);
                GruppenSumme(summe, 0);
                i = j;
            }
            break;
        }
        case UebersichtGruppierung::Konto: {
            const auto raenge = Raenge(KontenListe(d_));
            Gruppen(
                teil, alle, [&](const Eintrag& e) { return Konto(e); },
                [&](int32_t nr) { return Rang(raenge, nr); }, [&](int32_t nr) { return Gruppenname(nr); }, BuKonto);
            break;
        }
        case UebersichtGruppierung::Rubrik: {
            // Income and expense bookings by category; the part's transfers follow under a heading
            // of their own, grouped by the account on the other side.
            std::vector<size_t> buchungen, umbuchungen;
            for (size_t i : alle) (eintraege[i].Umbuchung() ? umbuchungen : buchungen).push_back(i);
            const auto raenge = Raenge(RubrikenListe(d_, einnahmen ? ArtEinnahme : ArtAusgabe, o_.Unterrubriken));
            Gruppen(
                teil, buchungen, [&](const Eintrag& e) { return Rubrik(e); },
                [&](int32_t nr) { return Rang(raenge, nr); }, [&](int32_t nr) { return Gruppenname(nr); }, BuGegen);
            if (!umbuchungen.empty()) {
                Ueberschrift(BuGegen, "Umbuchungen");
                const auto kontoRaenge = Raenge(KontenListe(d_));
                Gruppen(
                    teil, umbuchungen, [&](const Eintrag& e) { return Gegen(e); },
                    [&](int32_t nr) { return Rang(kontoRaenge, nr); }, [&](int32_t nr) { return Gruppenname(nr); },
                    BuGegen);
            }
            break;
        }
        }

        (einnahmen ? u_.Einnahmen : u_.Ausgaben) += teilSumme_;
        if (o_.Zwischensummen) {
            const Farbklasse farbe = einnahmen ? Farbklasse::Positiv : Farbklasse::Negativ;
            const Cent real = teilSumme_ - teilUmbuchung_;
            Summe(einnahmen ? BuEinnGesamt : BuAusgGesamt, einnahmen ? "Einn. Gesamt" : "Ausg. Gesamt", teilSumme_,
                  teilSumme_, farbe);
            Summe(einnahmen ? BuEinnUmbuchung : BuAusgUmbuchung, "davon Umbuchg.", teilUmbuchung_, teilUmbuchung_,
                  farbe);
            Summe(einnahmen ? BuEinnReal : BuAusgReal, einnahmen ? "Einn. real" : "Ausg. real", real, real, farbe);
        }
    }

    // The texts of every booking row, made in the stored order of the bookings.
    void Fuellen() {
        static const char* const marken[] = {"  E", "  A", " U+", " U-"};
        const bool datumGruppiert = o_.Gruppierung == UebersichtGruppierung::Datum;
        for (size_t teil = 0; teil < 2; ++teil) {
            for (size_t i = 0; i < teile_[teil].size(); ++i) {
                const Eintrag& e = teile_[teil][i];
                const buchungstyp& b = d_.Buchungen[e.Position];
                GridZeile& z = u_.Tabelle.Zeilen[ziel_[teil][i]];
                std::string nummer;
                nummer.reserve(9 + b.Belegnr.size());
                NummerAnfuegen(nummer, b.IdentNr);
                nummer += "  ";
                nummer += b.Belegnr;
                if (gruppiert_) nummer += marken[static_cast<int>(e.S)];
                Setzen(z, BuNummer, std::move(nummer));
                if (!datumGruppiert) Setzen(z, BuDatum, Datumstext(b.Datum));
                if (z.Daten.Storniert) Setzen(z, BuStorno, "x");
                Setzen(z, BuBetrag, b.Betrag);
                Setzen(z, BuText, b.Text);
                // The group heading names the key; a row repeats it only where it differs (a
                // sub-category under its top-level category).
                const int32_t gegen = Gegen(e);
                if (!(gruppiert_ && schluessel_ == BuGegen && gegen == z.Daten.RubrikNr)) Setzen(z, BuGegen, Pfad(gegen));
                if (!(gruppiert_ && schluessel_ == BuKonto)) Setzen(z, BuKonto, Pfad(Konto(e)));
            }
        }
    }

    const Datenbestand& d_;
    const UebersichtOptionen& o_;
    Buchungsuebersicht& u_;
    const Buchungsindex& ix_;
    const Kontoindex konten_;
    std::unordered_map<int32_t, std::string> pfade_;
    std::unordered_map<int32_t, bool> liste_;
    std::array<int, 7> anzeige_{};
    int schluessel_ = BuNummer;
    bool gruppiert_ = false;
    std::vector<Eintrag> teile_[2];
    std::vector<uint32_t> ziel_[2];
    Cent teilSumme_ = 0;
    Cent teilUmbuchung_ = 0;
    std::unordered_map<int32_t, std::string> datumstexte_;
    int32_t letzterTag_ = 0;
    const std::string* letzterText_ = nullptr;
};

}  // namespace

int Buchungsuebersicht::Anzeige(int logisch) const {
    for (int s = 0; s < 7; ++s)
        if (Spalten[static_cast<size_t>(s)] == logisch) return s;
    return -1;
}

std::vector<GridZeile> Buchungsuebersicht::DruckZeilen() const {
    std::vector<GridZeile> zeilen = Tabelle.Zeilen;
    GridZeile z;
    z.Daten.Zeilenart = BuSaldo;
    z.Daten.Zeilentext = SaldoBeschriftung;
    z.Zellen.assign(7, std::string());
    z.Daten.Betraege.assign(7, std::nullopt);
    z.Daten.Farben.assign(7, Farbklasse::Text);
    z.Zellen[0] = SaldoBeschriftung;
    const auto betrag = static_cast<size_t>(Anzeige(BuBetrag));
    z.Zellen[betrag] = SaldoText;
    z.Daten.Betraege[betrag] = Saldo;
    z.Daten.Farben[betrag] = SaldoFarbe;
    zeilen.push_back(std::move(z));
    return zeilen;
}

Buchungsuebersicht BuchungsuebersichtAufbauen(const Datenbestand& d, const UebersichtOptionen& o) {
    Buchungsuebersicht u;
    Uebersichtbauer(d, o, u).Bauen();
    u.Saldo = u.Einnahmen - u.Ausgaben;
    u.EinnahmenText = CentAnzeige(u.Einnahmen);
    u.AusgabenText = CentAnzeige(u.Ausgaben);
    u.SaldoText = CentAnzeige(u.Saldo);
    u.SaldoBeschriftung = u.Saldo >= 0 ? "Saldo (Gewinn)" : "Saldo (Verlust)";
    u.SaldoFarbe = FarbeNachVorzeichen(u.Saldo);
    u.Tabelle.Titel = o.Titel;
    u.Druckkopf = o.Druckkopf;
    return u;
}

abfragetyp UebersichtAbfrage(const MonatsDatenTyp& zeitraum, int32_t kontoCode, int32_t rubrikCode, bool stornierte) {
    abfragetyp q = AbfrageAusBaeumen(zeitraum, kontoCode, rubrikCode);
    q.StornoAuswahl = stornierte ? StornoAlle : StornoOhne;
    return q;
}

std::vector<std::string> UebersichtKopfAllgemein(const std::string& konto, const std::string& rubrik,
                                                 const std::string& zeitraum) {
    return {"Konten: " + konto, "Rubriken: " + rubrik, "Zeitraum: " + zeitraum};
}

std::vector<std::string> UebersichtKopfFilter(const std::string& filterName, const abfragetyp& q) {
    std::string zeitraum = "Gesamter Zeitraum";
    if (q.DatumBis != 0) zeitraum = DatumLangText(q.DatumVon) + " - " + DatumLangText(q.DatumBis);
    return {"Filter: " + filterName, "Zeitraum: " + zeitraum};
}

}  // namespace talerwerk
