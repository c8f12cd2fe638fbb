#include "app/bericht.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "bookings/abfrage.h"
#include "bookings/buchungsliste.h"
#include "bookings/filterdaten.h"
#include "evaluation/auswahlbaeume.h"
#include "evaluation/buchungsuebersicht.h"
#include "evaluation/gesamtentwicklung.h"
#include "evaluation/gewinnverlust.h"
#include "evaluation/kontenblatt.h"
#include "evaluation/kontostandanzeige.h"
#include "evaluation/rubriktabellen.h"
#include "evaluation/zeitraeume.h"
#include "recurring/rgmplan.h"
#include "store/datendatei.h"
#include "store/datum.h"

namespace talerwerk {

namespace {

// A number as the reports write it: "-1.234,56", "+5", "-12,5 %".
bool IstZahlText(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    bool ziffer = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') ziffer = true;
        else if (c != '.' && c != ',') break;
    }
    if (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && text[i] == '%') ++i;
    return ziffer && i == text.size();
}

// A spreadsheet takes a cell that starts with one of these as a formula and runs it.
bool SiehtAusWieFormel(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos &&
           !IstZahlText(text);
}

}  // namespace

std::string CsvFeld(std::string_view text, bool formelnSchuetzen) {
    // A text such as "=HYPERLINK(...)" in a booking would be run by the spreadsheet that opens the
    // file; a leading apostrophe makes it plain text there.
    std::string geschuetzt;
    if (formelnSchuetzen && SiehtAusWieFormel(text)) {
        geschuetzt = "'" + std::string(text);
        text = geschuetzt;
    }
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) return std::string(text);
    std::string feld = "\"";
    for (char c : text) {
        if (c == '"') feld += '"';
        feld += c;
    }
    feld += '"';
    return feld;
}

bool CsvDateiSchreiben(const std::string& pfad, const std::function<void(CsvAusgabe&)>& schreiben,
                       std::string& fehler) {
    if (IstDatendatei(pfad)) {
        fehler = "Die Datei ist eine Datendatei und wird nicht überschrieben.";
        return false;
    }
    return DateiAtomarSchreiben(
        pfad,
        [&](std::ostream& aus) {
            aus << "\xEF\xBB\xBF";
            CsvAusgabe csv(aus, /*formelnSchuetzen=*/true);
            schreiben(csv);
        },
        fehler);
}

void CsvAusgabe::Titel(const std::string& titel) { aus_ << "# " << titel << '\n'; }

void CsvAusgabe::Anfuegen(std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos && !(formelnSchuetzen_ && SiehtAusWieFormel(text)))
        zeile_ += text;
    else
        zeile_ += CsvFeld(text, formelnSchuetzen_);
}

// --- Options ---------------------------------------------------------------------------------

namespace {

const std::string* Wert(const Berichtsoptionen& o, const std::string& name) {
    const auto it = o.find(name);
    return it == o.end() ? nullptr : &it->second;
}

std::optional<int32_t> Zahl(const std::string& text) {
    int32_t wert = 0;
    const char* ende = text.data() + text.size();
    auto [p, fehler] = std::from_chars(text.data(), ende, wert);
    if (text.empty() || fehler != std::errc() || p != ende) return std::nullopt;
    return wert;
}

bool HatArt(const Datenbestand& d, int32_t nr, int32_t art1, int32_t art2) {
    return std::any_of(d.Konten.begin(), d.Konten.end(),
                       [&](const kontotyp& k) { return k.Nr == nr && (k.Art == art1 || k.Art == art2); });
}

std::optional<int32_t> Code(const Datenbestand& d, const Berichtsoptionen& o, const char* name, int32_t vorgabe,
                            int32_t erster, int32_t letzter, int32_t art1, int32_t art2, const char* was,
                            Berichtsfehler& f) {
    const std::string* text = Wert(o, name);
    if (!text) return vorgabe;
    const std::optional<int32_t> nr = Zahl(*text);
    if (nr && ((*nr >= erster && *nr <= letzter) || HatArt(d, *nr, art1, art2))) return nr;
    f.Text = std::string(was) + " \"" + *text + "\" nicht gefunden.";
    return std::nullopt;
}

}  // namespace

std::optional<int32_t> HeuteAus(const Berichtsoptionen& o, int32_t vorgabe, Berichtsfehler& f) {
    const std::string* text = Wert(o, "--heute");
    if (!text) return vorgabe;
    if (std::optional<int32_t> tag = DatumIsoLesen(*text)) return tag;
    f.Text = "Ungültiges Datum für --heute: \"" + *text + "\" (JJJJ-MM-TT)";
    return std::nullopt;
}

std::optional<int32_t> KontoAus(const Datenbestand& d, const Berichtsoptionen& o, int32_t vorgabe, Berichtsfehler& f) {
    return Code(d, o, "--konto", vorgabe, CodeAlleKonten, CodeSparkonten, ArtBestandskonto, ArtSparkonto, "Konto",
                f);
}

std::optional<int32_t> RubrikAus(const Datenbestand& d, const Berichtsoptionen& o, int32_t vorgabe,
                                 Berichtsfehler& f) {
    return Code(d, o, "--rubrik", vorgabe, CodeAlleRubriken, CodeUmbuchungen, ArtEinnahme, ArtAusgabe, "Rubrik", f);
}

std::optional<MonatsDatenTyp> ZeitraumAus(Datenbestand& d, const Berichtsoptionen& o, int32_t heute,
                                          Berichtsfehler& f) {
    ZeitraeumeAufbauen(d, heute);
    const std::string* text = Wert(o, "--zeitraum");
    if (!text || *text == "gesamt") return d.Zeitraeume.front();
    int32_t jahr = 0, monat = 0;
    bool form = false;
    if (text->size() == 4) {
        const auto j = Zahl(*text);
        form = j.has_value() && (*text)[0] != '-' && (*text)[0] != '+';
        jahr = j.value_or(0);
    } else if (text->size() == 7 && (*text)[4] == '-') {
        const auto j = Zahl(text->substr(0, 4));
        const auto m = Zahl(text->substr(5, 2));
        form = j && m && (*text)[0] != '-' && (*text)[5] != '-' && (*text)[5] != '+';
        jahr = j.value_or(0);
        monat = m.value_or(0);
    }
    if (form) {
        for (const MonatsDatenTyp& z : d.Zeitraeume) {
            const bool jahresEintrag = z.OberNr == 0 && z.Jahr != 0;
            if (z.Jahr == jahr && (monat == 0 ? jahresEintrag : !jahresEintrag && z.VonMonat == monat)) return z;
        }
    }
    f.Text = "Zeitraum \"" + *text + "\" nicht gefunden (gesamt, JJJJ oder JJJJ-MM im gebuchten Zeitraum).";
    return std::nullopt;
}

std::optional<int32_t> GanzzahlAus(const Berichtsoptionen& o, const std::string& name, int32_t lo, int32_t hi,
                                   int32_t vorgabe, Berichtsfehler& f) {
    const std::string* text = Wert(o, name);
    if (!text) return vorgabe;
    const std::optional<int32_t> wert = Zahl(*text);
    if (wert && *wert >= lo && *wert <= hi && (*text)[0] != '+') return wert;
    f.Text = "Ungültiger Wert für " + name + ": \"" + *text + "\" (" + std::to_string(lo) + " bis " +
             std::to_string(hi) + ")";
    return std::nullopt;
}

// --- Kinds -----------------------------------------------------------------------------------

namespace {

const std::vector<Berichtsart>& Arten() {
    static const std::vector<Berichtsart> arten = {
        {"kontostaende", {"--bestand", "--spar", "--gesamt"}, KontostaendeBericht},
        {"kontenblatt", {"--konto", "--zeitraum", "--gruppierung", "--zwischensummen", "--storniert"},
         KontenblattBericht},
        {"rubrik-konto", {"--konto", "--zeitraum", "--unterrubriken", "--anteile", "--anzeige"}, RubrikKontoBericht},
        {"rubrik-zeit", {"--konto", "--zeitraum", "--unterrubriken", "--anteile", "--anzeige", "--modus"},
         RubrikZeitBericht},
        {"einnahmen-ausgaben", {"--konto", "--zeitraum"}, EinnahmenAusgabenBericht},
        {"gesamtentwicklung", {"--konto", "--zeitraum", "--modus", "--saldo"}, GesamtentwicklungBericht},
        {"buchungsuebersicht",
         {"--konto", "--rubrik", "--zeitraum", "--filter", "--gruppierung", "--zwischensummen", "--storniert",
          "--unterrubriken"},
         BuchungsuebersichtBericht},
        {"buchungsliste", {"--konto", "--rubrik", "--zeitraum", "--filter", "--sortierung"}, BuchungslisteBericht},
        {"faellige", {"--tage"}, FaelligeBericht},
    };
    return arten;
}

}  // namespace

const Berichtsart* BerichtsartVon(std::string_view name) {
    for (const Berichtsart& a : Arten())
        if (name == a.Name) return &a;
    return nullptr;
}

std::vector<std::string> Berichtsarten() {
    std::vector<std::string> namen;
    for (const Berichtsart& a : Arten()) namen.emplace_back(a.Name);
    return namen;
}

namespace {

// The query of the page "Erweiterte Suche" for the filter of this name; the search mask is the
// first item of the filter tree, before any saved filter.
bool FilterAbfrage(const Datenbestand& d, const std::string& name, int32_t heute, abfragetyp& q, Berichtsfehler& f) {
    if (name == SuchmaskenName) {
        q = AbfrageAusFilter(d, Suchmaske(d, heute), heute);
        return true;
    }
    const auto it = std::find_if(d.Filterliste.begin(), d.Filterliste.end(),
                                 [&](const buchungstyp& b) { return b.Bezeichnung == name; });
    if (it == d.Filterliste.end()) {
        f.Text = "Filter \"" + name + "\" nicht gefunden.";
        return false;
    }
    q = AbfrageAusFilter(d, *it, heute);
    return true;
}

}  // namespace

bool BuchungslisteBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                          Berichtsfehler& f) {
    const auto konto = KontoAus(d, o, CodeAlleKonten, f);
    if (!konto) return false;
    const auto rubrik = RubrikAus(d, o, CodeAlleRubriken, f);
    if (!rubrik) return false;
    const auto zeitraum = ZeitraumAus(d, o, heute, f);
    if (!zeitraum) return false;
    const auto sortierung = GanzzahlAus(o, "--sortierung", 0, BListeSpalten - 1, BListeSortierungVorgabe, f);
    if (!sortierung) return false;

    abfragetyp q;
    std::string titel = BListeTitelAllgemein;
    if (const std::string* name = Wert(o, "--filter")) {
        titel = BListeTitelSuche;
        if (!FilterAbfrage(d, *name, heute, q, f)) return false;
    } else {
        q = AbfrageAusBaeumen(*zeitraum, *konto, *rubrik);
    }

    Buchungsliste liste;
    liste.Aktualisieren(d, q, *sortierung);
    BuchungslisteAusgeben(titel, liste, aus);
    return true;
}

void BuchungslisteAusgeben(const std::string& titel, const Buchungsliste& liste, CsvAusgabe& aus) {
    aus.Titel(titel);
    aus.Zeile(BListeUeberschriften);
    std::array<std::string, BListeSpalten> zellen;
    for (size_t z = 0; z < liste.Anzahl(); ++z) {
        for (int s = 0; s < BListeSpalten; ++s) zellen[static_cast<size_t>(s)] = liste.Zelle(z, s);
        aus.Zeile(zellen);
    }
}

// --- Evaluation grids ------------------------------------------------------------------------

namespace {

// An option with named values ("--anzeige lang|kurz"): the index of the value; `vorgabe` when missing.
std::optional<int> NamensAus(const Berichtsoptionen& o, const std::string& name,
                             const std::vector<std::string>& werte, int vorgabe, Berichtsfehler& f) {
    const std::string* text = Wert(o, name);
    if (!text) return vorgabe;
    for (size_t i = 0; i < werte.size(); ++i)
        if (*text == werte[i]) return static_cast<int>(i);
    std::string liste;
    for (const std::string& w : werte) liste += (liste.empty() ? "" : "|") + w;
    f.Text = "Ungültiger Wert für " + name + ": \"" + *text + "\" (" + liste + ")";
    return std::nullopt;
}

std::optional<bool> SchalterAus(const Berichtsoptionen& o, const std::string& name, bool vorgabe,
                                Berichtsfehler& f) {
    const std::optional<int32_t> wert = GanzzahlAus(o, name, 0, 1, vorgabe ? 1 : 0, f);
    if (!wert) return std::nullopt;
    return *wert == 1;
}

}  // namespace

void GridAusgeben(const Grid& g, CsvAusgabe& aus) {
    aus.Titel(g.Titel);
    aus.Zeile(g.Kopf);
    for (const GridZeile& z : g.Zeilen) aus.Zeile(z.Zellen);
}

namespace {

// Sort key of a caption as the balances window orders them: letters without case, umlauts as
// their base letter, "ß" as "ss".
std::string Sortierschluessel(const std::string& text) {
    std::string schluessel;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0xC3 && i + 1 < text.size()) {
            const auto n = static_cast<unsigned char>(text[i + 1]);
            const char* ersatz = nullptr;
            switch (n) {
            case 0xA4: case 0x84: ersatz = "a"; break;
            case 0xB6: case 0x96: ersatz = "o"; break;
            case 0xBC: case 0x9C: ersatz = "u"; break;
            case 0x9F: ersatz = "ss"; break;
            default: break;
            }
            if (ersatz) {
                schluessel += ersatz;
                ++i;
                continue;
            }
        }
        schluessel += static_cast<char>(c < 0x80 ? std::tolower(c) : c);
    }
    return schluessel;
}

// Options shared by the two cross tables.
std::optional<RubrikTabellenOptionen> RubrikOptionenAus(Datenbestand& d, const Berichtsoptionen& o, int32_t heute,
                                                        Berichtsfehler& f) {
    RubrikTabellenOptionen r;
    const auto konto = KontoAus(d, o, CodeAlleKonten, f);
    if (!konto) return std::nullopt;
    const auto zeitraum = ZeitraumAus(d, o, heute, f);
    if (!zeitraum) return std::nullopt;
    const auto unter = SchalterAus(o, "--unterrubriken", true, f);
    if (!unter) return std::nullopt;
    const auto anteile = SchalterAus(o, "--anteile", true, f);
    if (!anteile) return std::nullopt;
    const auto anzeige = NamensAus(o, "--anzeige", {"lang", "kurz"}, 0, f);
    if (!anzeige) return std::nullopt;
    const auto modus = NamensAus(o, "--modus", {"monatlich", "jaehrlich"}, 0, f);
    if (!modus) return std::nullopt;
    r.Auswahl = *konto;
    r.Zeitraum = *zeitraum;
    r.Unterrubriken = *unter;
    r.Anteile = *anteile;
    r.Kurz = *anzeige == 1;
    r.Jaehrlich = *modus == 1;
    r.Heute = heute;
    return r;
}

}  // namespace

bool KontostaendeBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t, CsvAusgabe& aus, Berichtsfehler& f) {
    const auto bestand = SchalterAus(o, "--bestand", true, f);
    if (!bestand) return false;
    const auto spar = SchalterAus(o, "--spar", true, f);
    if (!spar) return false;
    const auto gesamt = SchalterAus(o, "--gesamt", true, f);
    if (!gesamt) return false;
    KontostaendeAusgeben(KontoStaendeAufbauen(d, *bestand, *spar), *gesamt, aus);
    return true;
}

void KontostaendeAusgeben(const KontoStandAnzeige& anzeige, bool gesamt, CsvAusgabe& aus) {
    std::vector<std::pair<std::string, const KontoStandZeile*>> zeilen;
    for (const KontoStandZeile& z : anzeige.Zeilen) zeilen.emplace_back(Sortierschluessel(z.Konto), &z);
    std::stable_sort(zeilen.begin(), zeilen.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    aus.Titel("Kontostände");
    aus.Zeile(std::vector<std::string>{"Konto", "Stand"});
    for (const auto& [schluessel, z] : zeilen) aus.Zeile(std::vector<std::string>{z->Konto, z->StandText});
    if (gesamt) aus.Zeile(std::vector<std::string>{"# Gesamt", anzeige.GesamtText});
}

namespace {

// The account sheet's choices from the options; nullopt (with the message) on wrong usage.
std::optional<KontenblattOptionen> KontenblattOptionenAus(Datenbestand& d, const Berichtsoptionen& o, int32_t heute,
                                                          Berichtsfehler& f) {
    // The sheet's tree holds single accounts only; the first is chosen when none is given.
    const std::vector<kontotyp> konten = KontenblattKonten(d);
    KontenblattOptionen k;
    k.Konto = konten.empty() ? 0 : konten.front().Nr;
    if (const std::string* text = Wert(o, "--konto")) {
        const std::optional<int32_t> nr = Zahl(*text);
        if (!nr || std::none_of(konten.begin(), konten.end(), [&](const kontotyp& x) { return x.Nr == *nr; })) {
            f.Text = "Konto \"" + *text + "\" nicht gefunden.";
            return std::nullopt;
        }
        k.Konto = *nr;
    }
    const auto zeitraum = ZeitraumAus(d, o, heute, f);
    if (!zeitraum) return std::nullopt;
    const auto gruppierung = GanzzahlAus(o, "--gruppierung", 0, 3, 0, f);
    if (!gruppierung) return std::nullopt;
    const auto zwischensummen = SchalterAus(o, "--zwischensummen", true, f);
    if (!zwischensummen) return std::nullopt;
    const auto storniert = SchalterAus(o, "--storniert", false, f);
    if (!storniert) return std::nullopt;
    k.Zeitraum = *zeitraum;
    k.Gruppierung = static_cast<KontenblattGruppierung>(*gruppierung);
    k.Zwischensummen = *zwischensummen;
    k.Stornierte = *storniert;
    return k;
}

}  // namespace

bool KontenblattBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                        Berichtsfehler& f) {
    const auto k = KontenblattOptionenAus(d, o, heute, f);
    if (!k) return false;
    KontenblattAusgeben(KontenblattAufbauen(d, *k), aus);
    return true;
}

void KontenblattAusgeben(const Kontenblatt& blatt, CsvAusgabe& aus) {
    GridAusgeben(blatt.Tabelle, aus);
    aus.Zeile(std::vector<std::string>{"# Einnahmen", blatt.EinnahmenText, "Ausgaben", blatt.AusgabenText,
                                       blatt.SaldoBeschriftung, blatt.SaldoText});
}

bool RubrikKontoBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                        Berichtsfehler& f) {
    const auto r = RubrikOptionenAus(d, o, heute, f);
    if (!r) return false;
    GridAusgeben(RubrikKontoAufbauen(d, *r).Tabelle, aus);
    return true;
}

bool RubrikZeitBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                       Berichtsfehler& f) {
    const auto r = RubrikOptionenAus(d, o, heute, f);
    if (!r) return false;
    GridAusgeben(RubrikZeitAufbauen(d, *r).Tabelle, aus);
    return true;
}

bool EinnahmenAusgabenBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                              Berichtsfehler& f) {
    const auto konto = KontoAus(d, o, CodeAlleKonten, f);
    if (!konto) return false;
    const auto zeitraum = ZeitraumAus(d, o, heute, f);
    if (!zeitraum) return false;
    GridAusgeben(GewinnVerlustAufbauen(d, {*konto, *zeitraum}), aus);
    return true;
}

namespace {

std::optional<GesamtentwicklungOptionen> GesamtentwicklungOptionenAus(Datenbestand& d, const Berichtsoptionen& o,
                                                                      int32_t heute, Berichtsfehler& f) {
    const auto konto = KontoAus(d, o, CodeAlleKonten, f);
    if (!konto) return std::nullopt;
    const auto zeitraum = ZeitraumAus(d, o, heute, f);
    if (!zeitraum) return std::nullopt;
    // The window's period tree holds the years only.
    if (zeitraum->OberNr != 0) {
        f.Text = "Zeitraum \"" + *Wert(o, "--zeitraum") + "\" nicht gefunden (gesamt oder JJJJ im gebuchten Zeitraum).";
        return std::nullopt;
    }
    const auto modus = NamensAus(o, "--modus", {"monatlich", "jaehrlich"}, 1, f);
    if (!modus) return std::nullopt;
    const auto saldo = SchalterAus(o, "--saldo", false, f);
    if (!saldo) return std::nullopt;
    GesamtentwicklungOptionen g;
    g.Auswahl = *konto;
    g.Zeitraum = *zeitraum;
    g.Jaehrlich = *modus == 1;
    g.Saldo = *saldo;
    g.Heute = heute;
    return g;
}

// The text of a tree node with this number, as the window shows the chosen node.
std::string KnotenText(const Auswahlbaum& baum, int32_t nr) {
    for (const Auswahlknoten& k : baum.Knoten)
        if (k.Konto.Nr == nr) return k.Text;
    return {};
}

std::optional<UebersichtOptionen> UebersichtOptionenAus(Datenbestand& d, const Berichtsoptionen& o, int32_t heute,
                                                        Berichtsfehler& f) {
    const auto konto = KontoAus(d, o, CodeAlleKonten, f);
    if (!konto) return std::nullopt;
    const auto rubrik = RubrikAus(d, o, CodeAlleRubriken, f);
    if (!rubrik) return std::nullopt;
    const auto zeitraum = ZeitraumAus(d, o, heute, f);
    if (!zeitraum) return std::nullopt;
    const auto gruppierung = GanzzahlAus(o, "--gruppierung", 0, 3, 0, f);
    if (!gruppierung) return std::nullopt;
    const auto zwischensummen = SchalterAus(o, "--zwischensummen", true, f);
    if (!zwischensummen) return std::nullopt;
    const auto storniert = SchalterAus(o, "--storniert", true, f);
    if (!storniert) return std::nullopt;
    const auto unter = SchalterAus(o, "--unterrubriken", true, f);
    if (!unter) return std::nullopt;
    UebersichtOptionen u;
    if (const std::string* name = Wert(o, "--filter")) {
        if (!FilterAbfrage(d, *name, heute, u.Abfrage, f)) return std::nullopt;
        u.Titel = UebersichtTitelSuche;
        u.Druckkopf = UebersichtKopfFilter(*name, u.Abfrage);
    } else {
        u.Abfrage = UebersichtAbfrage(*zeitraum, *konto, *rubrik, *storniert);
        u.Druckkopf = UebersichtKopfAllgemein(KnotenText(KontenBaum(d), *konto), KnotenText(RubrikBaum(d), *rubrik),
                                              zeitraum->Bezeichnung);
    }
    u.Gruppierung = static_cast<UebersichtGruppierung>(*gruppierung);
    u.Zwischensummen = *zwischensummen;
    u.Unterrubriken = *unter;
    return u;
}

}  // namespace

bool GesamtentwicklungBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                              Berichtsfehler& f) {
    const auto g = GesamtentwicklungOptionenAus(d, o, heute, f);
    if (!g) return false;
    GridAusgeben(GesamtentwicklungAufbauen(d, *g).Tabelle, aus);
    return true;
}

bool BuchungsuebersichtBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus,
                               Berichtsfehler& f) {
    const auto u = UebersichtOptionenAus(d, o, heute, f);
    if (!u) return false;
    UebersichtAusgeben(BuchungsuebersichtAufbauen(d, *u), aus);
    return true;
}

void UebersichtAusgeben(const Buchungsuebersicht& b, CsvAusgabe& aus) {
    // Row by row: a whole book's overview is never made complete.
    aus.Titel(b.Tabelle.Titel);
    aus.Zeile(b.Tabelle.Kopf);
    for (size_t i = 0; i < b.Zeilenzahl(); ++i) aus.Zeile(b.Zeile(i).Zellen);
    aus.Zeile(std::vector<std::string>{"# Einnahmen", b.EinnahmenText, "Ausgaben", b.AusgabenText,
                                       b.SaldoBeschriftung, b.SaldoText});
}

bool FaelligeBericht(Datenbestand& d, const Berichtsoptionen& o, int32_t heute, CsvAusgabe& aus, Berichtsfehler& f) {
    const auto tage = GanzzahlAus(o, "--tage", ZeitraumMin, ZeitraumMax, ZeitraumBegrenzt(d.Mandant.Zahl1), f);
    if (!tage) return false;
    FaelligeAusgeben(FaelligeListe(d, d.RgmBuchungen, heute, *tage), aus);
    return true;
}

void FaelligeAusgeben(const std::vector<FaelligeZeile>& zeilen, CsvAusgabe& aus) {
    aus.Titel("Regelmäßige Buchungen");
    aus.Zeile(FaelligeKoepfe());
    for (const FaelligeZeile& z : zeilen) aus.Zeile(z.Zellen);
}

// --- Printing --------------------------------------------------------------------------------

std::vector<std::string> DruckbareArten() {
    return {"kontenblatt", "einnahmen-ausgaben", "rubrik-konto", "rubrik-zeit", "gesamtentwicklung",
            "buchungsuebersicht"};
}

bool DruckanfrageAus(Datenbestand& d, const std::string& art, const Berichtsoptionen& o, int32_t heute,
                     Berichtsanfrage& anfrage, Berichtsfehler& f) {
    if (art == "einnahmen-ausgaben") {
        const auto konto = KontoAus(d, o, CodeAlleKonten, f);
        if (!konto) return false;
        const auto zeitraum = ZeitraumAus(d, o, heute, f);
        if (!zeitraum) return false;
        anfrage = EinnahmenAusgabenDruck(d, {*konto, *zeitraum});
        return true;
    }
    if (art == "rubrik-konto" || art == "rubrik-zeit") {
        const auto r = RubrikOptionenAus(d, o, heute, f);
        if (!r) return false;
        anfrage = art == "rubrik-konto" ? RubrikKontoDruck(d, *r) : RubrikZeitDruck(d, *r);
        return true;
    }
    if (art == "kontenblatt") {
        const auto k = KontenblattOptionenAus(d, o, heute, f);
        if (!k) return false;
        anfrage = KontenblattDruck(d, *k);
        return true;
    }
    if (art == "gesamtentwicklung") {
        const auto g = GesamtentwicklungOptionenAus(d, o, heute, f);
        if (!g) return false;
        anfrage = GesamtentwicklungDruck(d, *g, GesamtentwicklungAufbauen(d, *g));
        return true;
    }
    if (art == "buchungsuebersicht") {
        const auto u = UebersichtOptionenAus(d, o, heute, f);
        if (!u) return false;
        anfrage = BuchungsuebersichtDruck(BuchungsuebersichtAufbauen(d, *u));
        return true;
    }
    f.Text = "Die Auswertung \"" + art + "\" kann nicht gedruckt werden.";
    return false;
}

}  // namespace talerwerk
