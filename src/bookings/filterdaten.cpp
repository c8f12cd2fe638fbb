#include "bookings/filterdaten.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>

#include "evaluation/zeitraeume.h"
#include "store/betrag.h"
#include "store/datum.h"

namespace talerwerk {

namespace {

constexpr int32_t FilterNrBoden = 12000;

std::string Jahrestext(int32_t jahr) { return "Jahr " + std::to_string(jahr); }
std::string Monatstext(int32_t monat, int32_t jahr) { return MonatsName(monat) + " " + std::to_string(jahr); }

// Index of the entry for this month and year in a list that is newest first; when the record's
// own choice names it and the list lacks it, the entry is put in its place in the order.
int32_t Waehlen(std::vector<MonatsDatenTyp>& liste, int32_t monat, int32_t jahr, bool einfuegen, bool jahre) {
    auto spaeter = [&](const MonatsDatenTyp& e) {
        return e.Jahr > jahr || (!jahre && e.Jahr == jahr && e.BisMonat > monat);
    };
    for (size_t i = 0; i < liste.size(); ++i)
        if (liste[i].Jahr == jahr && (jahre || liste[i].VonMonat == monat)) return static_cast<int32_t>(i);
    if (!einfuegen || jahr < 1 || jahr > 9999 || (!jahre && (monat < 1 || monat > 12)))
        return liste.empty() ? -1 : 0;
    MonatsDatenTyp e;
    e.Jahr = jahr;
    e.VonMonat = jahre ? 1 : monat;
    e.BisMonat = jahre ? 12 : monat;
    e.Bezeichnung = jahre ? Jahrestext(jahr) : Monatstext(monat, jahr);
    const auto stelle = std::find_if_not(liste.begin(), liste.end(), spaeter);
    // Inserting may move the entries: the position is taken from the new iterator only.
    const auto neu = liste.insert(stelle, e);
    return static_cast<int32_t>(neu - liste.begin());
}

std::vector<Hakeneintrag> Haken(const std::vector<KontoEintrag>& liste) {
    std::vector<Hakeneintrag> haken;
    haken.reserve(liste.size());
    for (const KontoEintrag& e : liste) haken.push_back({e, false});
    return haken;
}

void HakenNachAuswahl(std::vector<Hakeneintrag>& liste, const std::vector<std::string>& auswahl) {
    for (Hakeneintrag& h : liste) {
        const std::string nr = std::to_string(h.Eintrag.Konto.Nr);
        h.Haken = std::find(auswahl.begin(), auswahl.end(), nr) != auswahl.end();
    }
}

int32_t NummerLesen(const std::string& text) {
    int32_t wert = 0;
    std::from_chars(text.data(), text.data() + text.size(), wert);
    return wert;
}

std::string Getrimmt(const std::string& text) {
    const size_t a = text.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return text.substr(a, text.find_last_not_of(' ') - a + 1);
}

}  // namespace

int32_t NeueFilterNr(const std::vector<buchungstyp>& filterliste, const std::vector<buchungstyp>& offen) {
    int32_t groesste = FilterNrBoden;
    for (const auto* liste : {&filterliste, &offen})
        for (const buchungstyp& f : *liste) groesste = std::max(groesste, f.IdentNr);
    return groesste == std::numeric_limits<int32_t>::max() ? groesste : groesste + 1;
}

buchungstyp NeuerFilter(const std::vector<buchungstyp>& filterliste, const std::vector<buchungstyp>& offen,
                        int32_t heute) {
    buchungstyp f = BuchungVorgabe(SatzFilter, heute);
    f.IdentNr = NeueFilterNr(filterliste, offen);
    return f;
}

buchungstyp Suchmaske(const Datenbestand& d, int32_t heute) {
    buchungstyp f = BuchungVorgabe(SatzFilter, heute);
    f.Bezeichnung = SuchmaskenName;
    f.DatumBis = 0;
    for (const kontotyp& k : d.Konten)
        if (k.Art == ArtBestandskonto || k.Art == ArtSparkonto) f.Auswahl.push_back(std::to_string(k.Nr));
    for (const kontotyp& k : d.Konten)
        if (k.Art == ArtEinnahme || k.Art == ArtAusgabe) f.Auswahl.push_back(std::to_string(k.Nr));
    return f;
}

bool NameVergeben(const std::vector<buchungstyp>& filter, const std::string& name, int32_t ausser) {
    for (size_t i = 0; i < filter.size(); ++i)
        if (static_cast<int32_t>(i) != ausser && filter[i].Bezeichnung == name) return true;
    return false;
}

std::string FilterLoeschfrage(const std::string& name) {
    return "Soll Eintrag \"" + name + "\" wirklich gelöscht werden?";
}

bool FilterLoeschen(Datenbestand& d, size_t position) {
    if (position >= d.Filterliste.size()) return false;
    d.Filterliste.erase(d.Filterliste.begin() + static_cast<std::ptrdiff_t>(position));
    d.Geaendert = true;
    return true;
}

void GespeichertenFilterAendern(Datenbestand& d, const buchungstyp& filter) {
    const int32_t alt = FilterIndex(d, filter.IdentNr);
    if (alt >= 0) d.Filterliste.erase(d.Filterliste.begin() + alt);
    d.Filterliste.push_back(filter);
    d.Geaendert = true;
}

std::vector<std::string> FilterbaumTexte(const Datenbestand& d) {
    std::vector<std::string> texte{SuchmaskenName};
    for (const buchungstyp& f : d.Filterliste) texte.push_back(f.Bezeichnung);
    return texte;
}

// --- Editor ----------------------------------------------------------------------------------

Filtereingabe FilterZeigen(const Datenbestand& d, const buchungstyp& f, int32_t heute) {
    Filtereingabe e;
    e.Name = f.Bezeichnung;
    e.Zeitraum = f.Zeitraum >= ZeitraumGesamt && f.Zeitraum <= ZeitraumFrei ? f.Zeitraum : ZeitraumGesamt;
    const Kalendertag t = KalenderAus(f.Datum);
    e.Jahre = JahresListe(d, -1, heute);
    e.Monate = MonatsListe(d, -1, heute);
    e.JahrWahl = Waehlen(e.Jahre, 0, t.Jahr, f.Datum != 0 && e.Zeitraum == ZeitraumJahr, true);
    e.MonatWahl = Waehlen(e.Monate, t.Monat, t.Jahr, f.Datum != 0 && e.Zeitraum == ZeitraumMonat, false);
    const bool frei = e.Zeitraum == ZeitraumFrei;
    e.DatumVon = DatumLangText(frei ? f.Datum : heute);
    e.DatumBis = DatumLangText(frei ? f.DatumBis : heute);
    e.Text = f.Text;
    e.Bemerkung = f.Bemerkung;
    e.NrVon = f.IdentNrVon == 0 ? "" : NummerText(f.IdentNrVon);
    e.NrBis = f.IdentNrBis == 0 ? "" : NummerText(f.IdentNrBis);
    e.BelegVon = f.Belegnr;
    e.BelegBis = f.BelegnrBis;

    e.Konten = Haken(KontenListe(d));
    e.Rubriken = Haken(RubrikenListe(d, 0, true));
    KontoGruppeWaehlen(e, f.KontoAuswahl >= 0 && f.KontoAuswahl <= 3 ? f.KontoAuswahl : 0);
    if (e.KontoGruppe == 3) HakenNachAuswahl(e.Konten, f.Auswahl);
    const int64_t rubrik = std::llabs(static_cast<int64_t>(f.RubrikAuswahl)) - 1;
    RubrikGruppeWaehlen(e, rubrik >= 0 && rubrik <= 3 ? static_cast<int32_t>(rubrik) : 0);
    if (e.RubrikGruppe == 3) HakenNachAuswahl(e.Rubriken, f.Auswahl);
    e.Umbuchungen = f.RubrikAuswahl < 0;
    e.StornoAuswahl = f.StornoAuswahl >= 0 && f.StornoAuswahl <= 2 ? f.StornoAuswahl : 0;
    e.BetragVon = f.Betrag;
    e.BetragBis = f.BetragBis;
    return e;
}

void KontoGruppeWaehlen(Filtereingabe& e, int32_t gruppe) {
    e.KontoGruppe = gruppe;
    if (gruppe == 3) return;
    for (Hakeneintrag& h : e.Konten)
        h.Haken = gruppe == 0 || (gruppe == 1 && h.Eintrag.Konto.Art == ArtBestandskonto) ||
                  (gruppe == 2 && h.Eintrag.Konto.Art == ArtSparkonto);
}

void RubrikGruppeWaehlen(Filtereingabe& e, int32_t gruppe) {
    e.RubrikGruppe = gruppe;
    if (gruppe == 3) return;
    for (Hakeneintrag& h : e.Rubriken)
        h.Haken = gruppe == 0 || (gruppe == 1 && h.Eintrag.Konto.Art == ArtEinnahme) ||
                  (gruppe == 2 && h.Eintrag.Konto.Art == ArtAusgabe);
}

void KontoHakenSetzen(Filtereingabe& e, size_t i, bool haken) {
    if (i >= e.Konten.size()) return;
    e.Konten[i].Haken = haken;
    e.KontoGruppe = 3;
}

void RubrikHakenSetzen(Filtereingabe& e, size_t i, bool haken) {
    if (i >= e.Rubriken.size()) return;
    e.Rubriken[i].Haken = haken;
    e.RubrikGruppe = 3;
}

std::string ZeitraumText(const Filtereingabe& e, int32_t heute) {
    const Kalendertag h = KalenderAus(heute);
    switch (e.Zeitraum) {
        case ZeitraumGesamt:
            if (e.Monate.empty()) return {};
            return e.Monate.back().Bezeichnung + " bis " + e.Monate.front().Bezeichnung;
        case ZeitraumAktJahr:
            return std::to_string(h.Jahr);
        case ZeitraumAktMonat:
            return Monatstext(h.Monat, h.Jahr);
        default:
            return {};
    }
}

bool NummerFeldZulaessig(const std::string& text) {
    if (text.empty()) return true;
    if (text.size() > 10 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return std::stoll(text) <= std::numeric_limits<int32_t>::max();
}

FilterFeld FilterUebernehmen(const Filtereingabe& e, buchungstyp& filter, bool nameNoetig, Meldungen& m) {
    buchungstyp f = filter;
    if (nameNoetig && e.Name.empty()) {
        m.Fehler(MeldungNameLeer);
        return FilterFeld::Name;
    }
    f.Bezeichnung = e.Name;

    f.Zeitraum = e.Zeitraum;
    f.Datum = 0;
    f.DatumBis = 0;
    auto eintrag = [](const std::vector<MonatsDatenTyp>& liste, int32_t i) {
        return i >= 0 && static_cast<size_t>(i) < liste.size() ? &liste[static_cast<size_t>(i)] : nullptr;
    };
    if (e.Zeitraum == ZeitraumJahr) {
        if (const MonatsDatenTyp* j = eintrag(e.Jahre, e.JahrWahl)) f.Datum = DatumAus(1, 1, j->Jahr);
    } else if (e.Zeitraum == ZeitraumMonat) {
        if (const MonatsDatenTyp* mo = eintrag(e.Monate, e.MonatWahl)) f.Datum = DatumAus(1, mo->VonMonat, mo->Jahr);
    } else if (e.Zeitraum == ZeitraumFrei) {
        const std::optional<int32_t> von = DatumLesen(e.DatumVon);
        const std::optional<int32_t> bis = DatumLesen(e.DatumBis);
        if (!von || !bis || *von == 0 || *bis == 0) {
            m.Fehler(MeldungDatumLeer);
            return FilterFeld::DatumVon;
        }
        f.Datum = std::min(*von, *bis);
        f.DatumBis = std::max(*von, *bis);
    }

    f.KontoAuswahl = e.KontoGruppe;
    f.Auswahl.clear();
    for (const Hakeneintrag& h : e.Konten)
        if (h.Haken) f.Auswahl.push_back(std::to_string(h.Eintrag.Konto.Nr));
    for (const Hakeneintrag& h : e.Rubriken)
        if (h.Haken) f.Auswahl.push_back(std::to_string(h.Eintrag.Konto.Nr));
    f.RubrikAuswahl = e.Umbuchungen ? -(e.RubrikGruppe + 1) : e.RubrikGruppe + 1;

    f.IdentNrVon = NummerLesen(e.NrVon);
    f.IdentNrBis = NummerLesen(e.NrBis);
    if (f.IdentNrBis != 0 && f.IdentNrBis < f.IdentNrVon) std::swap(f.IdentNrVon, f.IdentNrBis);

    f.Belegnr = e.BelegVon;
    f.BelegnrBis = e.BelegBis;

    const std::string von = Getrimmt(e.BetragVon), bis = Getrimmt(e.BetragBis);
    f.Betrag = von.empty() ? "0,00" : BetragText(von);
    f.BetragBis = bis.empty() || bis == "0" ? "999999,99" : BetragText(bis);
    if (BetragCent(f.Betrag) > BetragCent(f.BetragBis)) std::swap(f.Betrag, f.BetragBis);

    f.Text = e.Text;
    f.Bemerkung = e.Bemerkung;
    f.StornoAuswahl = e.StornoAuswahl;
    filter = std::move(f);
    return FilterFeld::Keins;
}

}  // namespace talerwerk
