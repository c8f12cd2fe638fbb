#include "bookings/abfrage.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "evaluation/auswertung.h"
#include "evaluation/zeitraeume.h"
#include "store/betrag.h"
#include "store/datum.h"

namespace talerwerk {

namespace {

// Nr of an Auswahl entry; nullopt for a text that is no whole decimal number.
std::optional<int32_t> AuswahlNr(const std::string& text) {
    int32_t nr = 0;
    const char* ende = text.data() + text.size();
    auto [p, fehler] = std::from_chars(text.data(), ende, nr);
    if (fehler != std::errc() || p != ende || text.empty()) return std::nullopt;
    return nr;
}

bool HatArtEine(const Datenbestand& d, int32_t nr, int32_t art1, int32_t art2) {
    return KontoHatArt(d, nr, art1) || KontoHatArt(d, nr, art2);
}

bool ZahlPasst(int32_t von, int32_t bis, int32_t nr) {
    if (von == 0 && bis == 0) return true;
    if (bis > 0) return von <= nr && nr <= bis;
    return von > 0 && bis == 0 && nr >= von;
}

bool BelegPasst(const std::string& von, const std::string& bis, std::string_view beleg) {
    // std::string compares by unsigned character codes.
    if (von.empty() && bis.empty()) return true;
    if (!von.empty() && !bis.empty()) return von <= beleg && beleg <= bis;
    if (!bis.empty()) return beleg <= bis;
    return beleg >= von;
}

bool BetragPasst(const abfragetyp& q, Cent betrag) {
    return (!q.BetragVon || *q.BetragVon <= betrag) && (!q.BetragBis || betrag <= *q.BetragBis);
}

bool StornoPasst(int32_t wahl, bool storniert) {
    return wahl == StornoNur ? storniert : wahl == StornoOhne ? !storniert : true;
}

bool Enthaelt(const std::vector<int32_t>& liste, int32_t wert) {
    return std::find(liste.begin(), liste.end(), wert) != liste.end();
}

}  // namespace

bool MusterPasst(const std::string& muster, std::string_view text) {
    if (muster.empty() || muster == text) return true;
    const size_t stern = muster.find('*');
    if (stern == std::string::npos || stern == 0) return false;
    return text.compare(0, stern, muster, 0, stern) == 0;
}

abfragetyp AbfrageAusFilter(const Datenbestand& d, const buchungstyp& f, int32_t heute) {
    abfragetyp q;
    const Kalendertag h = KalenderAus(heute);
    const Kalendertag t = KalenderAus(f.Datum);
    switch (f.Zeitraum) {
        case ZeitraumAktJahr:
            q.DatumVon = DatumAus(1, 1, h.Jahr);
            q.DatumBis = DatumAus(31, 12, h.Jahr);
            break;
        case ZeitraumAktMonat:
            q.DatumVon = DatumAus(1, h.Monat, h.Jahr);
            q.DatumBis = DatumAus(31, h.Monat, h.Jahr);
            break;
        case ZeitraumJahr:
            q.DatumVon = DatumAus(1, 1, t.Jahr);
            q.DatumBis = DatumAus(31, 12, t.Jahr);
            break;
        case ZeitraumMonat:
            q.DatumVon = DatumAus(1, t.Monat, t.Jahr);
            q.DatumBis = DatumAus(31, t.Monat, t.Jahr);
            break;
        case ZeitraumFrei:
            q.DatumVon = f.Datum;
            q.DatumBis = f.DatumBis;
            break;
        default:  // the whole period (and any value a file may hold beyond the six)
            q.DatumVon = f.Datum;
            q.DatumBis = 0;
            break;
    }

    // A choice a file may hold beyond the known ones counts as "all".
    for (const kontotyp& k : d.Konten) {
        const bool konto = k.Art == ArtBestandskonto || k.Art == ArtSparkonto;
        if (!konto) continue;
        switch (f.KontoAuswahl) {
            case 1:
                if (k.Art == ArtBestandskonto) q.Konten.push_back(k.Nr);
                break;
            case 2:
                if (k.Art == ArtSparkonto) q.Konten.push_back(k.Nr);
                break;
            case 3:
                break;
            default:
                q.Konten.push_back(k.Nr);
                break;
        }
    }
    const int64_t rubrikWahl = std::llabs(static_cast<int64_t>(f.RubrikAuswahl));
    for (const kontotyp& k : d.Konten) {
        if (k.Art != ArtEinnahme && k.Art != ArtAusgabe) continue;
        if (rubrikWahl == 4 || (rubrikWahl == 2 && k.Art != ArtEinnahme) || (rubrikWahl == 3 && k.Art != ArtAusgabe))
            continue;
        q.Rubriken.push_back(k.Nr);
    }
    for (const std::string& eintrag : f.Auswahl) {
        const std::optional<int32_t> nr = AuswahlNr(eintrag);
        if (!nr) continue;
        if (f.KontoAuswahl == 3 && HatArtEine(d, *nr, ArtBestandskonto, ArtSparkonto)) q.Konten.push_back(*nr);
        if (rubrikWahl == 4 && HatArtEine(d, *nr, ArtEinnahme, ArtAusgabe)) q.Rubriken.push_back(*nr);
    }
    if (f.RubrikAuswahl < 0) q.Rubriken.push_back(CodeUmbuchungen);

    q.NrVon = f.IdentNrVon;
    q.NrBis = f.IdentNrBis;
    q.BelegVon = f.Belegnr;
    q.BelegBis = f.BelegnrBis;
    q.TextMuster = f.Text;
    q.BemerkungMuster = f.Bemerkung;
    q.BetragVon = BetragCent(f.Betrag);
    q.BetragBis = BetragCent(f.BetragBis);
    q.Zeitraum = f.Zeitraum;
    q.KontoAuswahl = f.KontoAuswahl;
    q.RubrikAuswahl = f.RubrikAuswahl;
    q.StornoAuswahl = f.StornoAuswahl;
    return q;
}

abfragetyp AbfrageAusBaeumen(const MonatsDatenTyp& zeitraum, int32_t kontoCode, int32_t rubrikCode) {
    abfragetyp q;
    q.DatumVon = DatumAus(1, zeitraum.VonMonat, zeitraum.Jahr);
    q.DatumBis = DatumAus(31, zeitraum.BisMonat, zeitraum.Jahr);
    q.Konten = {kontoCode};
    q.Rubriken = {rubrikCode};
    return q;
}

bool Passt(const Datenbestand& d, const abfragetyp& q, const buchungstyp& b) {
    if (q.DatumBis != 0 && (b.Datum < q.DatumVon || b.Datum > q.DatumBis)) return false;

    bool konto = false;
    for (int32_t e : q.Konten) {
        konto = e == CodeAlleKonten ||
                (e == CodeBestandskonten &&
                 (KontoHatArt(d, b.Konto1, ArtBestandskonto) || KontoHatArt(d, b.Konto2, ArtBestandskonto))) ||
                (e == CodeSparkonten &&
                 (KontoHatArt(d, b.Konto1, ArtSparkonto) || KontoHatArt(d, b.Konto2, ArtSparkonto))) ||
                e == b.Konto1 || e == b.Konto2;
        if (konto) break;
    }
    if (!konto) return false;

    bool rubrik = false;
    for (int32_t e : q.Rubriken) {
        rubrik = e == CodeAlleRubriken || (e == CodeEinnahmen && KontoHatArt(d, b.Konto2, ArtEinnahme)) ||
                 (e == CodeAusgaben && KontoHatArt(d, b.Konto2, ArtAusgabe)) ||
                 (e == CodeUmbuchungen && b.BArt == BArtUmbuchung) || e == b.Konto2 || e == OberNrVon(d, b.Konto2);
        if (rubrik) break;
    }
    if (!rubrik) return false;

    return ZahlPasst(q.NrVon, q.NrBis, b.IdentNr) && BelegPasst(q.BelegVon, q.BelegBis, b.Belegnr) &&
           BetragPasst(q, BetragCent(b.Betrag)) && StornoPasst(q.StornoAuswahl, b.Storniert) &&
           MusterPasst(q.BemerkungMuster, b.Bemerkung) && MusterPasst(q.TextMuster, b.Text);
}

// -------------------------------------------------------------------------------------------------
// Abfragefilter

namespace {
constexpr uint8_t KontoBit = 1;
constexpr uint8_t RubrikBit = 2;
// Numbers below this get a slot in the plain table; charts number their records far below it.
constexpr int64_t TabellenGrenze = 1 << 20;
}  // namespace

Abfragefilter::Abfragefilter(const Datenbestand& d, const abfragetyp& q)
    : d_(d), index_(BuchungsIndex(d)), q_(q) {
    const Kontoindex konten(d.Konten);
    const auto& kl = q_.Konten;
    const auto& rl = q_.Rubriken;
    nichts_ = kl.empty() || rl.empty();
    alleKonten_ = Enthaelt(kl, CodeAlleKonten);
    alleRubriken_ = Enthaelt(rl, CodeAlleRubriken);
    umbuchungen_ = Enthaelt(rl, CodeUmbuchungen);
    // A number without chart entry has no kind and OberNr 0: it matches as itself, and as a
    // category also when 0 is listed.
    vorgabe_ = Enthaelt(rl, 0) ? RubrikBit : 0;

    int64_t groesste = 0;
    for (size_t p = 0; p < konten.Anzahl(); ++p) groesste = std::max<int64_t>(groesste, konten.Nr(static_cast<int32_t>(p)));
    for (int32_t e : kl) groesste = std::max<int64_t>(groesste, e);
    for (int32_t e : rl) groesste = std::max<int64_t>(groesste, e);
    grenze_ = static_cast<int32_t>(std::min(groesste + 1, TabellenGrenze));
    tabelle_.assign(static_cast<size_t>(grenze_), vorgabe_);
    auto setzen = [&](int32_t nr, uint8_t bits) {
        if (nr >= 0 && nr < grenze_) {
            tabelle_[static_cast<size_t>(nr)] = bits;
            return;
        }
        const int32_t platz = sonst_.Einfuegen(nr, static_cast<int32_t>(sonstBits_.size()));
        if (platz == static_cast<int32_t>(sonstBits_.size())) sonstBits_.push_back(bits);
        else sonstBits_[static_cast<size_t>(platz)] = bits;
    };
    // Listed numbers first (as themselves), then every chart slot with all its rules.
    for (int32_t e : kl) setzen(e, static_cast<uint8_t>(KontoBit | vorgabe_ | (Enthaelt(rl, e) ? RubrikBit : 0)));
    for (int32_t e : rl) setzen(e, static_cast<uint8_t>(RubrikBit | (Enthaelt(kl, e) ? KontoBit : 0)));
    const bool bestand = Enthaelt(kl, CodeBestandskonten), spar = Enthaelt(kl, CodeSparkonten);
    const bool einnahmen = Enthaelt(rl, CodeEinnahmen), ausgaben = Enthaelt(rl, CodeAusgaben);
    for (size_t s = 0; s < konten.Anzahl(); ++s) {
        const int32_t p = static_cast<int32_t>(s);
        const int32_t nr = konten.Nr(p);
        const bool konto = Enthaelt(kl, nr) || (bestand && konten.HatArt(p, ArtBestandskonto)) ||
                           (spar && konten.HatArt(p, ArtSparkonto));
        const bool rubrik = Enthaelt(rl, nr) || Enthaelt(rl, konten.OberNr(p)) ||
                            (einnahmen && konten.HatArt(p, ArtEinnahme)) || (ausgaben && konten.HatArt(p, ArtAusgabe));
        setzen(nr, static_cast<uint8_t>((konto ? KontoBit : 0) | (rubrik ? RubrikBit : 0)));
    }

    texte_ = !q_.BelegVon.empty() || !q_.BelegBis.empty() || !q_.TextMuster.empty() || !q_.BemerkungMuster.empty();
}

uint8_t Abfragefilter::Bits(int32_t nr) const {
    if (nr >= 0 && nr < grenze_) return tabelle_[static_cast<size_t>(nr)];
    const int32_t platz = sonst_.Finden(nr);
    return platz == NrIndex::Fehlt ? vorgabe_ : sonstBits_[static_cast<size_t>(platz)];
}

bool Abfragefilter::Passt(size_t i) const {
    if (nichts_ || i >= index_.Anzahl()) return false;
    if (q_.DatumBis != 0) {
        const int32_t datum = index_.Datum()[i];
        if (datum < q_.DatumVon || datum > q_.DatumBis) return false;
    }
    if (!ZahlPasst(q_.NrVon, q_.NrBis, index_.Nr()[i])) return false;
    if (!StornoPasst(q_.StornoAuswahl, index_.Storniert()[i] != 0)) return false;
    if (!BetragPasst(q_, index_.Betrag()[i])) return false;
    const int32_t konto2 = index_.Konto2()[i];
    const uint8_t bits2 = Bits(konto2);
    if (!alleKonten_ && !(bits2 & KontoBit) && !(Bits(index_.Konto1()[i]) & KontoBit)) return false;
    if (!alleRubriken_ && !(bits2 & RubrikBit) && !(umbuchungen_ && index_.BArt()[i] == BArtUmbuchung)) return false;
    if (!texte_) return true;
    const Buchungssicht b = d_.Buchungen.Sicht(i);
    return BelegPasst(q_.BelegVon, q_.BelegBis, b.Belegnr) && MusterPasst(q_.BemerkungMuster, b.Bemerkung) &&
           MusterPasst(q_.TextMuster, b.Text);
}

std::vector<uint32_t> Abfragefilter::Treffer() const {
    std::vector<uint32_t> treffer;
    const size_t n = index_.Anzahl();
    if (nichts_) return treffer;
    treffer.reserve(n);
    for (size_t i = 0; i < n; ++i)
        if (Passt(i)) treffer.push_back(static_cast<uint32_t>(i));
    treffer.shrink_to_fit();
    return treffer;
}

// -------------------------------------------------------------------------------------------------

int32_t FilterIndex(const Datenbestand& d, int32_t identNr) {
    for (size_t i = 0; i < d.Filterliste.size(); ++i)
        if (d.Filterliste[i].IdentNr == identNr) return static_cast<int32_t>(i);
    return -1;
}

Auswahlbaum RubrikBaum(const Datenbestand& d) {
    Auswahlbaum baum;
    auto knoten = [&](int32_t nr, const std::string& text, int32_t elter) {
        Auswahlknoten n;
        n.Text = text;
        n.Elter = elter;
        n.Konto.Nr = nr;
        n.Konto.Name = text;
        baum.Knoten.push_back(std::move(n));
        return static_cast<int32_t>(baum.Knoten.size()) - 1;
    };
    const int32_t wurzel = knoten(CodeAlleRubriken, "Alle Rubriken", -1);
    baum.Knoten[wurzel].Aufgeklappt = true;
    for (int32_t art : {ArtEinnahme, ArtAusgabe}) {
        const int32_t gruppe =
            knoten(art == ArtEinnahme ? CodeEinnahmen : CodeAusgaben, art == ArtEinnahme ? "Einnahmen" : "Ausgaben", wurzel);
        for (const kontotyp& k : d.Konten) {
            if (k.Art != art || k.OberNr != 0) continue;
            const int32_t oben = knoten(k.Nr, k.Name, gruppe);
            baum.Knoten[oben].Konto = k;
            for (const kontotyp& u : d.Konten) {
                if (u.Art != art || u.OberNr != k.Nr || u.Nr == k.Nr) continue;
                baum.Knoten[knoten(u.Nr, u.Name, oben)].Konto = u;
            }
        }
    }
    knoten(CodeUmbuchungen, "Umbuchungen", wurzel);
    baum.Gewaehlt = wurzel;
    return baum;
}

}  // namespace talerwerk
