#include "evaluation/buchungsuebersicht.h"

#include <algorithm>
#include <climits>
#include <optional>
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

// Builds the rows in two steps: first the plan of each part (the order of its bookings and the
// stretches of headings, bookings and subtotals), then every row in display order, complete with
// its texts. Knowing the plan first gives the exact number of rows, so the row vector is allocated
// once; writing each row once, front to back, keeps a million rows from being touched twice in
// scattered order, and their memory is freed in the order it was taken.
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
        // Path texts by chart slot, so that a row finds its two paths without hashing.
        pfadJePlatz_.assign(konten_.Anzahl(), &leer_);
        for (size_t platz = 0; platz < konten_.Anzahl(); ++platz)
            if (const auto it = pfade_.find(konten_.Nr(static_cast<int32_t>(platz))); it != pfade_.end())
                pfadJePlatz_[platz] = &it->second;
        // Date texts by day over the span of the bookings' dates, made when first needed.
        if (const auto spanne = ix_.Datumsspanne()) {
            const int64_t tage = static_cast<int64_t>(spanne->second) - spanne->first + 1;
            if (tage <= std::min<int64_t>(kTageImVoraus, 4 * static_cast<int64_t>(ix_.Anzahl()) + 4096)) {
                tagBasis_ = spanne->first;
                tagTexte_.resize(static_cast<size_t>(tage));
            }
        }
    }

    void Bauen() {
        Sammeln();
        Planen(0);
        Planen(1);
        u_.Tabelle.Zeilen.reserve(std::max<size_t>(Zeilenzahl(0) + Zeilenzahl(1), 1));
        Ausgeben(0);
        Ausgeben(1);
        if (u_.Tabelle.Zeilen.empty()) NeueZeile(BuEinnahme);
    }

private:
    // Longest span of dates whose texts are kept by day (some 270 years, and not many more days
    // than bookings); beyond it by a map.
    static constexpr int64_t kTageImVoraus = 100000;

    // A stretch of a part's rows: a heading, the bookings reihe_[teil][Anfang, Ende) and, for a
    // group, its subtotal. Nr is the heading's and the booking rows' RubrikNr.
    struct Abschnitt {
        int KopfSpalte = BuNummer;
        std::string Kopf;
        int32_t Nr = 0;
        uint32_t Anfang = 0;
        uint32_t Ende = 0;
        bool Gruppe = false;
    };

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
        const std::vector<uint32_t> treffer = filter.Treffer();
        teile_[0].reserve(treffer.size());
        teile_[1].reserve(treffer.size());
        const auto& art = ix_.BArt();
        for (uint32_t pos : treffer) {
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
        const int32_t platz = konten_.Platz(nr);
        return platz == Kontoindex::Fehlt ? leer_ : *pfadJePlatz_[static_cast<size_t>(platz)];
    }
    std::string Gruppenname(int32_t nr) const {
        if (konten_.Platz(nr) != Kontoindex::Fehlt) return Pfad(nr);
        return "Nr. " + std::to_string(nr) + " (nicht im Kontenplan)";
    }
    const std::string& Datumstext(int32_t tag) {
        if (letzterText_ && tag == letzterTag_) return *letzterText_;
        const int64_t i = static_cast<int64_t>(tag) - tagBasis_;
        if (i >= 0 && i < static_cast<int64_t>(tagTexte_.size())) {
            std::optional<std::string>& t = tagTexte_[static_cast<size_t>(i)];
            if (!t) t = DatumKurzText(tag);
            letzterText_ = &*t;
        } else {
            auto it = datumstexte_.find(tag);
            if (it == datumstexte_.end()) it = datumstexte_.emplace(tag, DatumKurzText(tag)).first;
            letzterText_ = &it->second;
        }
        letzterTag_ = tag;
        return *letzterText_;
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

    void Abschnittanfang(size_t teil, int kopfSpalte, std::string kopf, int32_t nr, bool gruppe) {
        const auto n = static_cast<uint32_t>(reihe_[teil].size());
        plan_[teil].push_back({kopfSpalte, std::move(kopf), nr, n, n, gruppe});
    }

    // Groups of a part's entries (`auswahl`, in collection order) by a key, in the order of the
    // key's rank; within a group the entries keep their collection order. Every entry lands in
    // exactly one group.
    template <typename SchluesselVon, typename RangVon>
    void Gruppen(size_t teil, const std::vector<uint32_t>& auswahl, SchluesselVon schluessel, RangVon rang,
                 int kopfSpalte) {
        struct Gruppe {
            int32_t Schluessel = 0;
            int64_t Rang = 0;
            uint32_t Anzahl = 0;
            uint32_t Anfang = 0;
        };
        std::vector<Gruppe> gruppen;
        std::unordered_map<int32_t, uint32_t> gruppeVon;
        std::vector<uint32_t> gruppeJe(auswahl.size());
        int32_t letzter = 0;
        uint32_t letzteGruppe = UINT32_MAX;
        for (size_t i = 0; i < auswahl.size(); ++i) {
            const int32_t k = schluessel(teile_[teil][auswahl[i]]);
            if (letzteGruppe == UINT32_MAX || k != letzter) {
                auto it = gruppeVon.find(k);
                if (it == gruppeVon.end()) {
                    it = gruppeVon.emplace(k, static_cast<uint32_t>(gruppen.size())).first;
                    gruppen.push_back({k, rang(k), 0, 0});
                }
                letzter = k;
                letzteGruppe = it->second;
            }
            gruppeJe[i] = letzteGruppe;
            ++gruppen[letzteGruppe].Anzahl;
        }
        // Keys are distinct, so rank and key order the groups completely.
        std::vector<uint32_t> folge(gruppen.size());
        for (uint32_t g = 0; g < folge.size(); ++g) folge[g] = g;
        std::sort(folge.begin(), folge.end(), [&](uint32_t a, uint32_t b) {
            const Gruppe& x = gruppen[a];
            const Gruppe& y = gruppen[b];
            return x.Rang != y.Rang ? x.Rang < y.Rang : x.Schluessel < y.Schluessel;
        });
        // Each group's stretch in the part's order, then every entry into its group's stretch.
        std::vector<uint32_t>& reihe = reihe_[teil];
        auto frei = static_cast<uint32_t>(reihe.size());
        for (uint32_t g : folge) {
            gruppen[g].Anfang = frei;
            frei += gruppen[g].Anzahl;
        }
        reihe.resize(frei);
        for (uint32_t g : folge) {
            Abschnittanfang(teil, kopfSpalte, Gruppenname(gruppen[g].Schluessel), gruppen[g].Schluessel, true);
            plan_[teil].back().Anfang = gruppen[g].Anfang;
            plan_[teil].back().Ende = gruppen[g].Anfang + gruppen[g].Anzahl;
        }
        for (size_t i = 0; i < auswahl.size(); ++i) reihe[gruppen[gruppeJe[i]].Anfang++] = auswahl[i];
    }

    // The part's entries by date, those of one day in collection order: by counting per day when
    // the dates span a moderate range, else by sorting date and collection place together.
    std::vector<uint32_t> NachDatum(const std::vector<Eintrag>& eintraege) const {
        const auto& datum = ix_.Datum();
        const auto n = static_cast<uint32_t>(eintraege.size());
        std::vector<uint32_t> folge(n);
        int32_t von = INT32_MAX, bis = INT32_MIN;
        for (const Eintrag& e : eintraege) {
            von = std::min(von, datum[e.Position]);
            bis = std::max(bis, datum[e.Position]);
        }
        const int64_t tage = static_cast<int64_t>(bis) - von + 1;
        if (tage <= static_cast<int64_t>(n) * 4 + 4096) {
            std::vector<uint32_t> platz(static_cast<size_t>(tage) + 1, 0);
            for (const Eintrag& e : eintraege) ++platz[static_cast<size_t>(datum[e.Position] - von) + 1];
            for (size_t t = 1; t < platz.size(); ++t) platz[t] += platz[t - 1];
            for (uint32_t i = 0; i < n; ++i) folge[platz[static_cast<size_t>(datum[eintraege[i].Position] - von)]++] = i;
        } else {
            std::vector<uint64_t> schluessel(n);
            for (uint32_t i = 0; i < n; ++i)
                schluessel[i] = (static_cast<uint64_t>(static_cast<int64_t>(datum[eintraege[i].Position]) - von) << 32) | i;
            std::sort(schluessel.begin(), schluessel.end());
            for (uint32_t i = 0; i < n; ++i) folge[i] = static_cast<uint32_t>(schluessel[i]);
        }
        return folge;
    }

    // The order of a part's entries and its stretches.
    void Planen(size_t teil) {
        const std::vector<Eintrag>& eintraege = teile_[teil];
        if (eintraege.empty()) return;
        const bool einnahmen = teil == 0;
        const auto n = static_cast<uint32_t>(eintraege.size());
        std::vector<uint32_t>& reihe = reihe_[teil];
        reihe.reserve(n);
        Abschnittanfang(teil, schluessel_, einnahmen ? "Einnahmen" : "Ausgaben", 0, false);

        switch (o_.Gruppierung) {
        case UebersichtGruppierung::Buchungsnummer:
            for (uint32_t i = 0; i < n; ++i) reihe.push_back(i);
            plan_[teil].back().Ende = n;
            break;
        case UebersichtGruppierung::Datum: {
            reihe = NachDatum(eintraege);
            const auto& datum = ix_.Datum();
            for (uint32_t i = 0; i < n;) {
                const int32_t tag = datum[eintraege[reihe[i]].Position];
                uint32_t j = i;
                while (j < n && datum[eintraege[reihe[j]].Position] == tag) ++j;
                plan_[teil].push_back({BuDatum, Datumstext(tag), 0, i, j, true});
                i = j;
            }
            break;
        }
        case UebersichtGruppierung::Konto: {
            std::vector<uint32_t> alle(n);
            for (uint32_t i = 0; i < n; ++i) alle[i] = i;
            const auto raenge = Raenge(KontenListe(d_));
            Gruppen(
                teil, alle, [&](const Eintrag& e) { return Konto(e); },
                [&](int32_t nr) { return Rang(raenge, nr); }, BuKonto);
            break;
        }
        case UebersichtGruppierung::Rubrik: {
            // Income and expense bookings by category; the part's transfers follow under a heading
            // of their own, grouped by the account on the other side.
            std::vector<uint32_t> buchungen, umbuchungen;
            for (uint32_t i = 0; i < n; ++i) (eintraege[i].Umbuchung() ? umbuchungen : buchungen).push_back(i);
            const auto raenge = Raenge(RubrikenListe(d_, einnahmen ? ArtEinnahme : ArtAusgabe, o_.Unterrubriken));
            Gruppen(
                teil, buchungen, [&](const Eintrag& e) { return Rubrik(e); },
                [&](int32_t nr) { return Rang(raenge, nr); }, BuGegen);
            if (!umbuchungen.empty()) {
                Abschnittanfang(teil, BuGegen, "Umbuchungen", 0, false);
                const auto kontoRaenge = Raenge(KontenListe(d_));
                Gruppen(
                    teil, umbuchungen, [&](const Eintrag& e) { return Gegen(e); },
                    [&](int32_t nr) { return Rang(kontoRaenge, nr); }, BuGegen);
            }
            break;
        }
        }
    }

    // Rows of a part by its plan: headings, bookings, subtotals, and the part's three totals.
    size_t Zeilenzahl(size_t teil) const {
        if (plan_[teil].empty()) return 0;
        size_t n = o_.Zwischensummen ? 3 : 0;
        for (const Abschnitt& a : plan_[teil]) n += 1 + (a.Ende - a.Anfang) + (a.Gruppe && o_.Zwischensummen ? 1 : 0);
        return n;
    }

    // A new row of seven empty cells without amounts, in the window's text colour.
    GridZeile& NeueZeile(int32_t art) {
        GridZeile& z = u_.Tabelle.Zeilen.emplace_back();
        z.Daten.Zeilenart = art;
        z.Zellen.resize(7);
        z.Daten.Betraege.resize(7);
        z.Daten.Farben.assign(7, Farbklasse::Text);
        return z;
    }
    std::string& Zelle(GridZeile& z, int logisch) const {
        return z.Zellen[static_cast<size_t>(anzeige_[static_cast<size_t>(logisch)])];
    }
    void Ueberschrift(int logisch, const std::string& text, int32_t nr) {
        GridZeile& z = NeueZeile(BuUeberschrift);
        z.Daten.RubrikNr = nr;
        z.Daten.Zeilentext = text;
        Zelle(z, logisch) = text;
    }
    // A subtotal row: the caption (if any) in the key column, the amount in the amount cell.
    void Summe(int32_t art, const char* text, Cent wert, Cent anzeige, Farbklasse farbe, int32_t nr = 0) {
        GridZeile& z = NeueZeile(art);
        z.Daten.RubrikNr = nr;
        z.Daten.Zeilentext = text;
        if (*text) Zelle(z, schluessel_) = text;
        const auto s = static_cast<size_t>(anzeige_[BuBetrag]);
        z.Zellen[s] = CentAnzeige(anzeige);
        z.Daten.Betraege[s] = wert;
        z.Daten.Farben[s] = farbe;
    }

    // The row of one booking with its numbers and texts. Adds to the part's sums unless
    // cancelled; returns its signed effect (0 when cancelled).
    Cent Buchungszeile(const Eintrag& e, int32_t gruppe) {
        static const char* const marken[] = {"  E", "  A", " U+", " U-"};
        const uint32_t pos = e.Position;
        const Buchungssicht b = d_.Buchungen.Sicht(pos);
        const bool storno = ix_.Storniert()[pos] != 0;
        const Cent betrag = ix_.Betrag()[pos];
        const bool zugang = e.Zugang();
        GridZeile& z = NeueZeile(zugang ? BuEinnahme : BuAusgabe);
        z.Daten.IdentNr = ix_.Nr()[pos];
        z.Daten.RubrikNr = gruppe;
        z.Daten.Storniert = storno;
        const auto s = static_cast<size_t>(anzeige_[BuBetrag]);
        z.Daten.Betraege[s] = zugang ? betrag : -betrag;
        z.Daten.Farben[s] = zugang ? Farbklasse::Positiv : Farbklasse::Negativ;

        std::string& nummer = Zelle(z, BuNummer);
        nummer.reserve(9 + b.Belegnr.size());
        NummerAnfuegen(nummer, z.Daten.IdentNr);
        nummer += "  ";
        nummer += b.Belegnr;
        if (gruppiert_) nummer += marken[static_cast<int>(e.S)];
        if (o_.Gruppierung != UebersichtGruppierung::Datum) Zelle(z, BuDatum) = Datumstext(ix_.Datum()[pos]);
        if (storno) Zelle(z, BuStorno) = "x";
        z.Zellen[s] = Buchungsspeicher::BetragText(b);
        Zelle(z, BuText) = b.Text;
        // The group heading names the key; a row repeats it only where it differs (a
        // sub-category under its top-level category).
        const int32_t gegen = Gegen(e);
        if (!(gruppiert_ && schluessel_ == BuGegen && gegen == gruppe)) Zelle(z, BuGegen) = Pfad(gegen);
        if (!(gruppiert_ && schluessel_ == BuKonto)) Zelle(z, BuKonto) = Pfad(Konto(e));

        if (storno) return 0;
        teilSumme_ += betrag;
        if (e.Umbuchung()) teilUmbuchung_ += betrag;
        return zugang ? betrag : -betrag;
    }

    void Ausgeben(size_t teil) {
        if (plan_[teil].empty()) return;
        const bool einnahmen = teil == 0;
        teilSumme_ = 0;
        teilUmbuchung_ = 0;
        for (const Abschnitt& a : plan_[teil]) {
            Ueberschrift(a.KopfSpalte, a.Kopf, a.Nr);
            Cent summe = 0;
            for (uint32_t k = a.Anfang; k < a.Ende; ++k) {
                summe += Buchungszeile(teile_[teil][reihe_[teil][k]], a.Nr);
            }
            if (a.Gruppe && o_.Zwischensummen)
                Summe(BuZwischensumme, "", summe, Betrag(summe), FarbeNachVorzeichen(summe), a.Nr);
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

    const Datenbestand& d_;
    const UebersichtOptionen& o_;
    Buchungsuebersicht& u_;
    const Buchungsindex& ix_;
    const Kontoindex konten_;
    std::unordered_map<int32_t, std::string> pfade_;
    const std::string leer_;
    std::vector<const std::string*> pfadJePlatz_;
    std::unordered_map<int32_t, bool> liste_;
    std::array<int, 7> anzeige_{};
    int schluessel_ = BuNummer;
    bool gruppiert_ = false;
    std::vector<Eintrag> teile_[2];
    std::vector<uint32_t> reihe_[2];      // entries (indices into teile_) in display order
    std::vector<Abschnitt> plan_[2];
    Cent teilSumme_ = 0;
    Cent teilUmbuchung_ = 0;
    int64_t tagBasis_ = 0;
    std::vector<std::optional<std::string>> tagTexte_;
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
