#include "evaluation/buchungsuebersicht.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <stdexcept>
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

}  // namespace

// One row of the overview: 24 bytes instead of some 530 and four heap blocks of a made row.
struct Uebersichtseintrag {
    // Booking: its signed amount (income positive); group subtotal: the signed sum; part sums:
    // the amount as shown.
    Cent Wert = 0;
    uint32_t Bezug = 0;        // booking: position in the store; heading: index into Koepfe
    int32_t Nr = 0;            // RubrikNr of the row
    uint8_t Art = 0;           // Bu… row kind
    Seite S = Seite::Einnahme; // booking: the side it is listed on
    bool Storniert = false;
    bool Leer = false;         // the one row of an empty overview
};

// What the rows of one overview are made from. Everything but the booking texts is copied here
// (the paths are few), so that only the store must stay as it was.
class Uebersichtszeilen {
public:
    struct Kopf {
        int Spalte = BuNummer;
        std::string Text;
    };

    const Datenbestand* D = nullptr;
    Kontoindex Konten;
    std::vector<std::string> PfadJePlatz;   // path text of each chart slot
    std::array<int, 7> Anzeige{};           // display column of each logical column
    int Schluessel = BuNummer;
    bool Gruppiert = false;
    bool NachDatum = false;
    std::vector<Kopf> Koepfe;
    std::vector<Uebersichtseintrag> Eintraege;

    GridZeile Zeile(size_t i) const;

private:
    std::string& Zelle(GridZeile& z, int logisch) const {
        return z.Zellen[static_cast<size_t>(Anzeige[static_cast<size_t>(logisch)])];
    }
    const std::string& Pfad(int32_t nr) const {
        static const std::string leer;
        const int32_t platz = Konten.Platz(nr);
        return platz == Kontoindex::Fehlt ? leer : PfadJePlatz[static_cast<size_t>(platz)];
    }
    void Buchungszeile(GridZeile& z, const Uebersichtseintrag& e) const;
};

GridZeile Uebersichtszeilen::Zeile(size_t i) const {
    const Uebersichtseintrag& e = Eintraege.at(i);
    GridZeile z;
    z.Daten.Zeilenart = e.Art;
    z.Zellen.resize(7);
    z.Daten.Betraege.resize(7);
    z.Daten.Farben.assign(7, Farbklasse::Text);
    if (e.Leer) return z;
    z.Daten.RubrikNr = e.Nr;
    const auto s = static_cast<size_t>(Anzeige[BuBetrag]);
    switch (e.Art) {
    case BuUeberschrift: {
        const Kopf& k = Koepfe[e.Bezug];
        z.Daten.Zeilentext = k.Text;
        Zelle(z, k.Spalte) = k.Text;
        return z;
    }
    case BuEinnahme:
    case BuAusgabe: Buchungszeile(z, e); return z;
    default: break;
    }
    // A subtotal row: the caption (if any) in the key column, the amount in the amount cell. A
    // group's sum is shown without sign, coloured by it; a part's sums in the part's colour.
    const char* text = "";
    Farbklasse farbe = Farbklasse::Positiv;
    switch (e.Art) {
    case BuZwischensumme: farbe = FarbeNachVorzeichen(e.Wert); break;
    case BuEinnGesamt: text = "Einn. Gesamt"; break;
    case BuEinnUmbuchung: text = "davon Umbuchg."; break;
    case BuEinnReal: text = "Einn. real"; break;
    case BuAusgGesamt: text = "Ausg. Gesamt"; farbe = Farbklasse::Negativ; break;
    case BuAusgUmbuchung: text = "davon Umbuchg."; farbe = Farbklasse::Negativ; break;
    case BuAusgReal: text = "Ausg. real"; farbe = Farbklasse::Negativ; break;
    default: break;
    }
    z.Daten.Zeilentext = text;
    if (*text) Zelle(z, Schluessel) = text;
    z.Zellen[s] = CentAnzeige(e.Art == BuZwischensumme ? Betrag(e.Wert) : e.Wert);
    z.Daten.Betraege[s] = e.Wert;
    z.Daten.Farben[s] = farbe;
    return z;
}

// The row of one booking with its numbers and texts; the texts read as views of the store.
void Uebersichtszeilen::Buchungszeile(GridZeile& z, const Uebersichtseintrag& e) const {
    static const char* const marken[] = {"  E", "  A", " U+", " U-"};
    const Buchungssicht b = D->Buchungen.Sicht(e.Bezug);
    const bool zugang = e.S == Seite::Einnahme || e.S == Seite::An;
    z.Daten.IdentNr = b.IdentNr;
    z.Daten.Storniert = e.Storniert;
    const auto s = static_cast<size_t>(Anzeige[BuBetrag]);
    z.Daten.Betraege[s] = e.Wert;
    z.Daten.Farben[s] = zugang ? Farbklasse::Positiv : Farbklasse::Negativ;

    std::string& nummer = Zelle(z, BuNummer);
    nummer.reserve(9 + b.Belegnr.size());
    NummerAnfuegen(nummer, b.IdentNr);
    nummer += "  ";
    nummer += b.Belegnr;
    if (Gruppiert) nummer += marken[static_cast<int>(e.S)];
    if (!NachDatum) Zelle(z, BuDatum) = DatumKurzText(b.Datum);
    if (e.Storniert) Zelle(z, BuStorno) = "x";
    z.Zellen[s] = Buchungsspeicher::BetragText(b);
    Zelle(z, BuText) = b.Text;
    // The group heading names the key; a row repeats it only where it differs (a sub-category
    // under its top-level category).
    const int32_t gegen = e.S == Seite::An ? b.Konto1 : b.Konto2;
    const int32_t konto = e.S == Seite::An ? b.Konto2 : b.Konto1;
    if (!(Gruppiert && Schluessel == BuGegen && gegen == e.Nr)) Zelle(z, BuGegen) = Pfad(gegen);
    if (!(Gruppiert && Schluessel == BuKonto)) Zelle(z, BuKonto) = Pfad(konto);
}

namespace {

// Builds the rows in two steps: first the plan of each part (the order of its bookings and the
// stretches of headings, bookings and subtotals), then the entry of every row in display order
// with its sums. Knowing the plan first gives the exact number of rows, so the entries are
// allocated once. Texts are made only for the group headings; a row's others when it is asked for.
class Uebersichtbauer {
public:
    Uebersichtbauer(const Datenbestand& d, const UebersichtOptionen& o, Buchungsuebersicht& u)
        : d_(d), o_(o), u_(u), ix_(BuchungsIndex(d)), z_(std::make_shared<Uebersichtszeilen>()),
          konten_(z_->Konten) {
        z_->D = &d;
        z_->Konten = Kontoindex(d.Konten);
        switch (o.Gruppierung) {
        case UebersichtGruppierung::Rubrik: u_.Spalten = {BuGegen, BuNummer, BuDatum, BuStorno, BuKonto, BuText, BuBetrag}; break;
        case UebersichtGruppierung::Datum: u_.Spalten = {BuDatum, BuNummer, BuStorno, BuKonto, BuGegen, BuText, BuBetrag}; break;
        case UebersichtGruppierung::Konto: u_.Spalten = {BuKonto, BuNummer, BuDatum, BuStorno, BuGegen, BuText, BuBetrag}; break;
        default: u_.Spalten = {BuNummer, BuDatum, BuStorno, BuKonto, BuGegen, BuText, BuBetrag}; break;
        }
        for (int s = 0; s < 7; ++s) z_->Anzeige[static_cast<size_t>(u_.Spalten[static_cast<size_t>(s)])] = s;
        for (int logisch : u_.Spalten) u_.Tabelle.Kopf.push_back(UebersichtUeberschriften[static_cast<size_t>(logisch)]);
        z_->Schluessel = u_.Spalten[0];
        z_->Gruppiert = o.Gruppierung != UebersichtGruppierung::Buchungsnummer;
        z_->NachDatum = o.Gruppierung == UebersichtGruppierung::Datum;
        // Path texts by chart slot, so that a row finds its two paths without hashing.
        const std::unordered_map<int32_t, std::string> pfade = KontoPfade(d.Konten);
        z_->PfadJePlatz.resize(konten_.Anzahl());
        for (size_t platz = 0; platz < konten_.Anzahl(); ++platz)
            if (const auto it = pfade.find(konten_.Nr(static_cast<int32_t>(platz))); it != pfade.end())
                z_->PfadJePlatz[platz] = it->second;
    }

    void Bauen() {
        Sammeln();
        Planen(0);
        Planen(1);
        std::vector<Uebersichtseintrag>& eintraege = z_->Eintraege;
        eintraege.reserve(std::max<size_t>(Zeilenzahl(0) + Zeilenzahl(1), 1));
        Ausgeben(0);
        Ausgeben(1);
        if (eintraege.empty()) {
            Uebersichtseintrag leer;
            leer.Art = BuEinnahme;
            leer.Leer = true;
            eintraege.push_back(leer);
        }
        u_.Quelle = std::move(z_);
    }

private:
    // A stretch of a part's rows: a heading, the bookings reihe_[teil][Anfang, Ende) and, for a
    // group, its subtotal. Kopf is the heading's index in Koepfe, Nr the heading's and the
    // booking rows' RubrikNr.
    struct Abschnitt {
        uint32_t Kopf = 0;
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
    std::string Gruppenname(int32_t nr) const {
        const int32_t platz = konten_.Platz(nr);
        if (platz != Kontoindex::Fehlt) return z_->PfadJePlatz[static_cast<size_t>(platz)];
        return "Nr. " + std::to_string(nr) + " (nicht im Kontenplan)";
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

    uint32_t NeuerKopf(int kopfSpalte, std::string kopf) {
        z_->Koepfe.push_back({kopfSpalte, std::move(kopf)});
        return static_cast<uint32_t>(z_->Koepfe.size() - 1);
    }
    void Abschnittanfang(size_t teil, int kopfSpalte, std::string kopf, int32_t nr, bool gruppe) {
        const auto n = static_cast<uint32_t>(reihe_[teil].size());
        plan_[teil].push_back({NeuerKopf(kopfSpalte, std::move(kopf)), nr, n, n, gruppe});
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
        Abschnittanfang(teil, z_->Schluessel, einnahmen ? "Einnahmen" : "Ausgaben", 0, false);

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
                plan_[teil].push_back({NeuerKopf(BuDatum, DatumKurzText(tag)), 0, i, j, true});
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

    void Summe(int32_t art, Cent wert, int32_t nr = 0) {
        Uebersichtseintrag e;
        e.Art = static_cast<uint8_t>(art);
        e.Wert = wert;
        e.Nr = nr;
        z_->Eintraege.push_back(e);
    }

    // The entry of one booking's row. Adds to the part's sums unless cancelled; returns its
    // signed effect (0 when cancelled).
    Cent Buchungszeile(const Eintrag& e, int32_t gruppe) {
        const uint32_t pos = e.Position;
        const bool storno = ix_.Storniert()[pos] != 0;
        const Cent betrag = ix_.Betrag()[pos];
        const bool zugang = e.Zugang();
        Uebersichtseintrag z;
        z.Art = static_cast<uint8_t>(zugang ? BuEinnahme : BuAusgabe);
        z.Wert = zugang ? betrag : -betrag;
        z.Bezug = pos;
        z.Nr = gruppe;
        z.S = e.S;
        z.Storniert = storno;
        z_->Eintraege.push_back(z);

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
            Uebersichtseintrag kopf;
            kopf.Art = BuUeberschrift;
            kopf.Bezug = a.Kopf;
            kopf.Nr = a.Nr;
            z_->Eintraege.push_back(kopf);
            Cent summe = 0;
            for (uint32_t k = a.Anfang; k < a.Ende; ++k) {
                summe += Buchungszeile(teile_[teil][reihe_[teil][k]], a.Nr);
            }
            if (a.Gruppe && o_.Zwischensummen) Summe(BuZwischensumme, summe, a.Nr);
        }

        (einnahmen ? u_.Einnahmen : u_.Ausgaben) += teilSumme_;
        if (o_.Zwischensummen) {
            Summe(einnahmen ? BuEinnGesamt : BuAusgGesamt, teilSumme_);
            Summe(einnahmen ? BuEinnUmbuchung : BuAusgUmbuchung, teilUmbuchung_);
            Summe(einnahmen ? BuEinnReal : BuAusgReal, teilSumme_ - teilUmbuchung_);
        }
    }

    const Datenbestand& d_;
    const UebersichtOptionen& o_;
    Buchungsuebersicht& u_;
    const Buchungsindex& ix_;
    std::shared_ptr<Uebersichtszeilen> z_;
    const Kontoindex& konten_;   // z_'s, which outlives the builder
    std::unordered_map<int32_t, bool> liste_;
    std::vector<Eintrag> teile_[2];
    std::vector<uint32_t> reihe_[2];      // entries (indices into teile_) in display order
    std::vector<Abschnitt> plan_[2];
    Cent teilSumme_ = 0;
    Cent teilUmbuchung_ = 0;
};
}  // namespace

int Buchungsuebersicht::Anzeige(int logisch) const {
    for (int s = 0; s < 7; ++s)
        if (Spalten[static_cast<size_t>(s)] == logisch) return s;
    return -1;
}

size_t Buchungsuebersicht::Zeilenzahl() const { return Quelle ? Quelle->Eintraege.size() : 0; }

GridZeile Buchungsuebersicht::Zeile(size_t i) const {
    if (!Quelle) throw std::out_of_range("Buchungsuebersicht::Zeile");
    return Quelle->Zeile(i);
}

Grid Buchungsuebersicht::Ganz() const {
    Grid g;
    g.Titel = Tabelle.Titel;
    g.Kopf = Tabelle.Kopf;
    g.Zeilen.reserve(Zeilenzahl());
    for (size_t i = 0; i < Zeilenzahl(); ++i) g.Zeilen.push_back(Zeile(i));
    return g;
}

std::vector<GridZeile> Buchungsuebersicht::DruckZeilen() const {
    std::vector<GridZeile> zeilen = Ganz().Zeilen;
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
