// talerwerk-cli: the data files without a window, for scripts, exports, checks and tests. It uses
// the same store, file reader and writer and evaluation as the desktop program.
//
// Exit status: 0 done; 1 missing or invalid file, unwritable output, refused input; 2 wrong usage;
// 3 file password not given or wrong.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "accounts/kennwortpruefung.h"
#include "app/bericht.h"
#include "evaluation/auswertung.h"
#ifndef TALERWERK_DRUCK_NEBENAN
#include "printing/qtpdfausgabe.h"
#endif
#include "store/betrag.h"
#include "store/dateisperre.h"
#include "store/datendatei.h"
#include "store/datenbestand.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "store/jsonformat.h"
#include "store/ports.h"

using namespace talerwerk;

namespace {

constexpr int kFertig = 0;
constexpr int kFehler = 1;
constexpr int kAufruf = 2;
constexpr int kKennwort = 3;

constexpr const char* kSchreibgeschuetzt = "Datei ist schreibgeschützt!";
constexpr int64_t kHoechstensBuchungen = 10'000'000;

const char* const kAufrufText =
    "Aufruf:\n"
    "  talerwerk-cli check DATEI [--kennwort KENNWORT]\n"
    "  talerwerk-cli export DATEI [--kennwort KENNWORT] [-o AUSGABE.json]\n"
    "  talerwerk-cli import EINGABE.json AUSGABE.tlw [--kennwort KENNWORT]\n"
    "  talerwerk-cli staende DATEI [--kennwort KENNWORT]\n"
    "  talerwerk-cli demo AUSGABE.tlw [--buchungen N] [--seed S] [--bis JJJJ-MM-TT] [--kennwort KENNWORT]\n"
    "  talerwerk-cli bericht ART DATEI [--heute JJJJ-MM-TT] [Optionen der ART] [--kennwort KENNWORT]\n"
    "  talerwerk-cli drucke ART DATEI --pdf AUSGABE.pdf [--heute JJJJ-MM-TT] [Optionen der ART]\n"
    "                [--kennwort KENNWORT]\n"
    "\n"
    "  check    liest die Datei vollständig und zeigt die Anzahl der Einträge je Liste\n"
    "  export   schreibt den ganzen Datenbestand als JSON\n"
    "  import   baut einen Datenbestand aus JSON und speichert ihn als Datendatei\n"
    "  staende  berechnet die Kontostände und zeigt sie als Name;Stand\n"
    "  demo     schreibt ein Beispiel-Haushaltsbuch (Vorgabe: 1500 Buchungen bis heute)\n"
    "  bericht  zeigt eine Auswertung als CSV; ART und ihre Optionen:\n"
    "           kontostaende [--bestand 0|1] [--spar 0|1] [--gesamt 0|1]\n"
    "           kontenblatt [--konto NR] [--zeitraum Z] [--gruppierung 0..3] [--zwischensummen 0|1]\n"
    "                       [--storniert 0|1]\n"
    "           rubrik-konto [--konto CODE] [--zeitraum Z] [--unterrubriken 0|1] [--anteile 0|1]\n"
    "                        [--anzeige lang|kurz]\n"
    "           rubrik-zeit  wie rubrik-konto, dazu [--modus monatlich|jaehrlich]\n"
    "           einnahmen-ausgaben [--konto CODE] [--zeitraum Z]\n"
    "           gesamtentwicklung [--konto CODE] [--zeitraum gesamt|JJJJ] [--modus monatlich|jaehrlich]\n"
    "                             [--saldo 0|1]\n"
    "           buchungsuebersicht [--konto CODE] [--rubrik CODE] [--zeitraum Z] [--filter NAME]\n"
    "                              [--gruppierung 0..3] [--zwischensummen 0|1] [--storniert 0|1]\n"
    "                              [--unterrubriken 0|1]\n"
    "           buchungsliste [--konto CODE] [--rubrik CODE] [--zeitraum Z] [--filter NAME]\n"
    "                         [--sortierung 0..8]\n"
    "           faellige [--tage 1..364]\n"
    "           Z: gesamt, JJJJ oder JJJJ-MM\n"
    "  drucke   druckt eine Auswertung mit den Seiteneinstellungen der Datei in eine PDF-Datei;\n"
    "           ART: kontenblatt, einnahmen-ausgaben, rubrik-konto, rubrik-zeit, gesamtentwicklung,\n"
    "           buchungsuebersicht (Optionen wie bei bericht)\n"
    "\n"
    "  --kennwort gibt das Dateikennwort (oder Schreibschutzkennwort) der Datei an.\n";

// Messages of the program's own texts go to standard error; "\r" is its line break.
class KonsolenMeldungen : public Meldungen {
public:
    void Fehler(const std::string& text) override { Ausgeben(text); }
    void Information(const std::string& text) override { Ausgeben(text); }
    void Warnung(const std::string& text) override { Ausgeben(text); }
    // Nobody can answer on a command line; no command here asks.
    Antwort Frage(const std::string& text, Knoepfe) override {
        Ausgeben(text);
        return Antwort::Abbrechen;
    }
    void Piep() override {}

    static void Ausgeben(std::string text) {
        for (char& c : text)
            if (c == '\r') c = '\n';
        std::cerr << text << '\n';
    }
};

// The password prompt of a command line: the password is the one given with --kennwort.
class KonsolenKennwort : public Kennwortabfrage {
public:
    explicit KonsolenKennwort(std::optional<std::string> kennwort, bool still = false)
        : kennwort_(std::move(kennwort)), still_(still) {}

    bool Abfragen(int art, const std::string& gespeichert, const std::string&) override {
        const bool richtig = kennwort_ && KennwortPasst(*kennwort_, gespeichert);
        if (art == 1 || art == 3) {
            if (!richtig) {
                DateiAbgelehnt = true;
                if (!still_)
                    KonsolenMeldungen::Ausgeben(kennwort_ ? "Kennwort falsch." : "Öffnen der Datei abgebrochen!");
            }
        } else {
            // Without the write-protect password the file can still be read, only not written.
            Schreibschutz = !richtig;
        }
        return richtig;
    }

    bool DateiAbgelehnt = false;
    bool Schreibschutz = false;

private:
    std::optional<std::string> kennwort_;
    bool still_;  // only asked whether a file may be replaced: the refusal says why
};

struct Aufruf {
    std::string Befehl;
    std::vector<std::string> Dateien;
    std::optional<std::string> Kennwort;
    std::optional<std::string> Ausgabe;  // -o
    std::optional<std::string> Buchungen, Seed, Bis;
    std::map<std::string, std::optional<std::string>> BerichtOptionen;  // bericht: checked by its ART
};

int FalscherAufruf(const std::string& grund) {
    std::cerr << grund << "\n\n" << kAufrufText;
    return kAufruf;
}

bool Vorhanden(const std::string& pfad) {
    struct stat st {};
    return ::stat(pfad.c_str(), &st) == 0;
}

bool GleicheDatei(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// Opens a data file as the desktop program does. Returns the exit status (0 when opened).
int Oeffnen(const std::string& pfad, const std::optional<std::string>& kennwort, Datenbestand& d) {
    KonsolenMeldungen meldungen;
    KonsolenKennwort abfrage(kennwort);
    d.Dateiname = pfad;
    if (DateiLaden(d, meldungen, abfrage)) {
        d.DateiOffen = true;
        return kFertig;
    }
    return abfrage.DateiAbgelehnt ? kKennwort : kFehler;
}

// A command that writes a data file must not replace one that is protected: not one whose
// write-protect password was not given, nor one with a file password that was not given; both
// are refused as write-protected. The client record at the start of the file decides, read whole
// however large it is; the rest of a large file is not read.
int DarfUeberschreiben(const std::string& pfad, const std::optional<std::string>& kennwort) {
    KonsolenKennwort abfrage(kennwort, /*still=*/true);
    KennwoerterPruefen(pfad, abfrage);  // no data file there: nothing to protect, the save will tell
    if (abfrage.DateiAbgelehnt || abfrage.Schreibschutz) {
        KonsolenMeldungen::Ausgeben(kSchreibgeschuetzt);
        return kFehler;
    }
    return kFertig;
}

// Output other than a data file (JSON) never goes over an existing data file: one that reads as
// one, or one that bears the data file's name ending, damaged or not.
bool DatendateiAlsZiel(const std::string& pfad) {
    if (!Vorhanden(pfad)) return false;
    std::string endung = pfad.size() >= 4 ? pfad.substr(pfad.size() - 4) : std::string();
    std::transform(endung.begin(), endung.end(), endung.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return endung == ".tlw" || IstDatendatei(pfad);
}

// A command that writes a data file holds its lock while it works: a file open in the desktop
// program (or in another command) is not replaced behind its back. A lock left behind by a
// process of this host that has ended is removed.
int SperreNehmen(Dateisperre& sperre, const std::string& pfad) {
    SperrInhaber inhaber;
    SperrLage lage = SperrLage::Frei;
    Dateisperre::Ergebnis e = sperre.Nehmen(pfad, inhaber, lage);
    if (e == Dateisperre::Ergebnis::Belegt && lage == SperrLage::Verwaist && SperreEntfernen(pfad, false))
        e = sperre.Nehmen(pfad, inhaber, lage);
    if (e == Dateisperre::Ergebnis::Belegt) {
        KonsolenMeldungen::Ausgeben(SperrBeschreibung(pfad, lage, inhaber));
        return kFehler;
    }
    return kFertig;  // no lock possible (read-only folder): the save will tell
}

int Speichern(Datenbestand& d, const std::string& pfad) {
    KonsolenMeldungen meldungen;
    d.Dateiname = pfad;
    d.Schreibschutz = false;
    return DateiSpeichern(d, meldungen) ? kFertig : kFehler;
}

// ---------------------------------------------------------------------------------------------

int Check(const Aufruf& a) {
    Datenbestand d;
    if (int s = Oeffnen(a.Dateien[0], a.Kennwort, d)) return s;
    std::cout << "Konten: " << d.Konten.size() << '\n'
              << "Textbausteine: " << d.Textbausteine.size() << '\n'
              << "Buchungen: " << d.Buchungen.size() << '\n'
              << "RgmBuchungen: " << d.RgmBuchungen.size() << '\n'
              << "Vorlagen: " << d.Vorlagen.size() << '\n'
              << "Filterliste: " << d.Filterliste.size() << '\n';
    return kFertig;
}

int Export(const Aufruf& a) {
    if (a.Ausgabe && DatendateiAlsZiel(*a.Ausgabe)) {
        KonsolenMeldungen::Ausgeben("Datei \"" + *a.Ausgabe + "\" ist eine Datendatei und wird nicht überschrieben!");
        return kFehler;
    }
    Datenbestand d;
    if (int s = Oeffnen(a.Dateien[0], a.Kennwort, d)) return s;
    if (!a.Ausgabe) {
        JsonSchreiben(d, std::cout);
        std::cout.flush();
        if (!std::cout) {
            KonsolenMeldungen::Ausgeben("Ausgabe konnte nicht geschrieben werden.");
            return kFehler;
        }
        return kFertig;
    }
    // Written straight into the file: the JSON document of a large book is never held whole.
    std::string fehler;
    if (!DateiAtomarSchreiben(*a.Ausgabe, [&d](std::ostream& aus) { JsonSchreiben(d, aus); }, fehler)) {
        KonsolenMeldungen::Ausgeben("Datei \"" + *a.Ausgabe + "\" konnte nicht gespeichert werden:\r" + fehler);
        return kFehler;
    }
    return kFertig;
}

int Import(const Aufruf& a) {
    const std::string& eingabe = a.Dateien[0];
    const std::string& ausgabe = a.Dateien[1];
    if (!Vorhanden(eingabe)) {
        KonsolenMeldungen::Ausgeben(MeldungDateiNichtGefunden);
        return kFehler;
    }
    if (GleicheDatei(eingabe, ausgabe)) {
        KonsolenMeldungen::Ausgeben("Eingabe und Ausgabe sind dieselbe Datei!");
        return kFehler;
    }
    if (int s = DarfUeberschreiben(ausgabe, a.Kennwort)) return s;
    Dateisperre sperre;
    if (int s = SperreNehmen(sperre, ausgabe)) return s;
    std::string text;
    if (!DateiEinlesen(eingabe, text)) {
        KonsolenMeldungen::Ausgeben("Datei \"" + eingabe + "\" kann nicht gelesen werden!");
        return kFehler;
    }
    SystemUhr uhr;
    SystemZufall zufall;
    JsonErgebnis ergebnis = JsonEinlesen(text, uhr, zufall);
    text.clear();
    text.shrink_to_fit();
    if (!ergebnis.Ok()) {
        KonsolenMeldungen::Ausgeben("Import nicht möglich!\r" + ergebnis.Fehler);
        return kFehler;
    }
    return Speichern(ergebnis.Bestand, ausgabe);
}

int Staende(const Aufruf& a) {
    Datenbestand d;
    if (int s = Oeffnen(a.Dateien[0], a.Kennwort, d)) return s;
    // A crafted file can hold more than any balance may be; no wrong number is printed then.
    bool imBereich = StaendeBerechnen(d);
    Cent gesamt = 0;
    std::string aus;
    for (const kontotyp& k : d.Konten) {
        if (k.Art != ArtBestandskonto && k.Art != ArtSparkonto) continue;
        aus += k.Name + ";" + CentText(k.Stand) + "\n";
        if (__builtin_add_overflow(gesamt, k.Stand, &gesamt)) imBereich = false;
    }
    if (!imBereich) {
        KonsolenMeldungen::Ausgeben(MeldungStandZuGross);
        return kFehler;
    }
    aus += "Gesamt;" + CentText(gesamt) + "\n";
    std::cout << aus;
    return kFertig;
}

std::optional<uint64_t> Ganzzahl(const std::string& text, uint64_t hoechstens) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    uint64_t wert = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const uint64_t ziffer = static_cast<uint64_t>(c - '0');
        if (wert > (UINT64_MAX - ziffer) / 10) return std::nullopt;
        wert = wert * 10 + ziffer;
    }
    if (wert > hoechstens) return std::nullopt;
    return wert;
}

int Demo(const Aufruf& a) {
    int64_t buchungen = 1500;
    uint64_t seed = 1;
    int32_t bis = SystemUhr().Heute();
    if (a.Buchungen) {
        auto n = Ganzzahl(*a.Buchungen, kHoechstensBuchungen);
        if (!n)
            return FalscherAufruf("Ungültige Anzahl für --buchungen: \"" + *a.Buchungen + "\" (0 bis " +
                                  std::to_string(kHoechstensBuchungen) + ")");
        buchungen = static_cast<int64_t>(*n);
    }
    if (a.Seed) {
        auto s = Ganzzahl(*a.Seed, UINT64_MAX);
        if (!s) return FalscherAufruf("Ungültiger Wert für --seed: \"" + *a.Seed + "\"");
        seed = *s;
    }
    if (a.Bis) {
        std::optional<int32_t> tag = DatumIsoLesen(*a.Bis);
        // The data file holds the years 1980 to 2079 only.
        if (!tag || KalenderAus(*tag).Jahr < 1980 || KalenderAus(*tag).Jahr > 2079)
            return FalscherAufruf("Ungültiges Datum für --bis: \"" + *a.Bis +
                                  "\" (JJJJ-MM-TT, 1980-01-01 bis 2079-12-31)");
        bis = *tag;
    }
    if (int s = DarfUeberschreiben(a.Dateien[0], a.Kennwort)) return s;
    Dateisperre sperre;
    if (int s = SperreNehmen(sperre, a.Dateien[0])) return s;
    Datenbestand d = DemoBuch(buchungen, seed, bis);
    return Speichern(d, a.Dateien[0]);
}

int Bericht(const Aufruf& a) {
    const Berichtsart* art = BerichtsartVon(a.Dateien[0]);
    if (!art) return FalscherAufruf("Unbekannte Auswertung: \"" + a.Dateien[0] + "\"");
    talerwerk::Berichtsoptionen optionen;
    for (const auto& [name, wert] : a.BerichtOptionen) {
        if (name != "--heute" && std::find(art->Optionen.begin(), art->Optionen.end(), name) == art->Optionen.end())
            return FalscherAufruf("Unbekannte Option für bericht " + a.Dateien[0] + ": \"" + name + "\"");
        optionen[name] = *wert;
    }
    Berichtsfehler fehler;
    const std::optional<int32_t> heute = HeuteAus(optionen, SystemUhr().Heute(), fehler);
    if (!heute) return FalscherAufruf(fehler.Text);
    Datenbestand d;
    if (int s = Oeffnen(a.Dateien[1], a.Kennwort, d)) return s;
    // Every option is checked before the first line is written.
    CsvAusgabe aus(std::cout);
    if (!art->Erstellen(d, optionen, *heute, aus, fehler)) return FalscherAufruf(fehler.Text);
    std::cout.flush();
    if (!std::cout) {
        KonsolenMeldungen::Ausgeben("Ausgabe konnte nicht geschrieben werden.");
        return kFehler;
    }
    return kFertig;
}

#ifndef TALERWERK_DRUCK_NEBENAN
int Drucke(const Aufruf& a) {
    const std::string& name = a.Dateien[0];
    const std::vector<std::string> druckbar = DruckbareArten();
    const Berichtsart* art = BerichtsartVon(name);
    if (!art || std::find(druckbar.begin(), druckbar.end(), name) == druckbar.end())
        return FalscherAufruf("Unbekannte oder nicht druckbare Auswertung: \"" + name + "\"");
    talerwerk::Berichtsoptionen optionen;
    std::optional<std::string> pdf;
    for (const auto& [option, wert] : a.BerichtOptionen) {
        if (option == "--pdf") {
            pdf = *wert;
            continue;
        }
        if (option != "--heute" && std::find(art->Optionen.begin(), art->Optionen.end(), option) == art->Optionen.end())
            return FalscherAufruf("Unbekannte Option für drucke " + name + ": \"" + option + "\"");
        optionen[option] = *wert;
    }
    if (!pdf) return FalscherAufruf("Fehlende Option --pdf AUSGABE.pdf für drucke.");
    if (pdf->empty()) return FalscherAufruf("Leerer Dateiname für --pdf.");
    Berichtsfehler fehler;
    const std::optional<int32_t> heute = HeuteAus(optionen, SystemUhr().Heute(), fehler);
    if (!heute) return FalscherAufruf(fehler.Text);
    if (DatendateiAlsZiel(*pdf) || GleicheDatei(*pdf, a.Dateien[1])) {
        KonsolenMeldungen::Ausgeben("Datei \"" + *pdf + "\" ist eine Datendatei und wird nicht überschrieben!");
        return kFehler;
    }
    Datenbestand d;
    if (int s = Oeffnen(a.Dateien[1], a.Kennwort, d)) return s;
    Berichtsanfrage anfrage;
    if (!DruckanfrageAus(d, name, optionen, *heute, anfrage, fehler)) return FalscherAufruf(fehler.Text);
    // The command line has no settings file: the colours are the program's defaults.
    const Druckumgebung umgebung = DruckumgebungAus(d, Einstellungen{}, *heute);
    GuiSitzung gui;
    OhneFortschritt fortschritt;
    std::string grund;
    if (!PdfSchreiben(*pdf, anfrage, umgebung, fortschritt, grund)) {
        KonsolenMeldungen::Ausgeben("Datei \"" + *pdf + "\" konnte nicht gespeichert werden:\r" + grund);
        return kFehler;
    }
    return kFertig;
}
#else
// Never called: main hands `drucke` to talerwerk-drucke before the commands are read.
int Drucke(const Aufruf&) { return kFehler; }

// Runs talerwerk-drucke from this program's folder with the same arguments; returns only when it
// could not be started.
int DruckprogrammAusfuehren(char** argv) {
    std::string pfad;
    char eigener[4096];
    const ssize_t n = ::readlink("/proc/self/exe", eigener, sizeof eigener - 1);
    if (n > 0) {
        pfad.assign(eigener, static_cast<size_t>(n));
        pfad.erase(pfad.find_last_of('/') + 1);
    }
    pfad += "talerwerk-drucke";
    ::execv(pfad.c_str(), argv);
    KonsolenMeldungen::Ausgeben("Das Druckprogramm \"" + pfad + "\" konnte nicht gestartet werden.");
    return kFehler;
}
#endif

// ---------------------------------------------------------------------------------------------

struct Befehl {
    const char* Name;
    size_t Dateien;
    bool Ausgabe, Demo;
    int (*Ausfuehren)(const Aufruf&);
    bool Bericht = false;  // ART DATEI, options checked by the ART
};

const Befehl kBefehle[] = {
    {"check", 1, false, false, Check},
    {"export", 1, true, false, Export},
    {"import", 2, false, false, Import},
    {"staende", 1, false, false, Staende},
    {"demo", 1, false, true, Demo},
    {"bericht", 2, false, false, Bericht, true},
    {"drucke", 2, false, false, Drucke, true},
};

int Hauptprogramm(int argc, char** argv) {
    std::vector<std::string> arg(argv + 1, argv + argc);
    if (arg.empty()) return FalscherAufruf("Kein Befehl angegeben.");
    if (arg[0] == "--help" || arg[0] == "-h" || arg[0] == "hilfe") {
        std::cout << kAufrufText;
        return kFertig;
    }
    const Befehl* befehl = nullptr;
    for (const Befehl& b : kBefehle)
        if (arg[0] == b.Name) befehl = &b;
    if (!befehl) return FalscherAufruf("Unbekannter Befehl: \"" + arg[0] + "\"");

    Aufruf a;
    a.Befehl = arg[0];
    bool nurDateien = false;
    for (size_t i = 1; i < arg.size(); ++i) {
        std::string name = arg[i];
        if (nurDateien || name.size() < 2 || name[0] != '-') {
            a.Dateien.push_back(name);
            continue;
        }
        if (name == "--") {
            nurDateien = true;
            continue;
        }
        std::optional<std::string> wert;
        if (size_t gleich = name.find('='); name.rfind("--", 0) == 0 && gleich != std::string::npos) {
            wert = name.substr(gleich + 1);
            name.resize(gleich);
        }
        std::optional<std::string>* ziel = nullptr;
        if (name == "--kennwort") ziel = &a.Kennwort;
        else if (name == "-o" && befehl->Ausgabe) ziel = &a.Ausgabe;
        else if (name == "--buchungen" && befehl->Demo) ziel = &a.Buchungen;
        else if (name == "--seed" && befehl->Demo) ziel = &a.Seed;
        else if (name == "--bis" && befehl->Demo) ziel = &a.Bis;
        else if (name.rfind("--", 0) == 0 && befehl->Bericht) ziel = &a.BerichtOptionen[name];
        if (!ziel) return FalscherAufruf("Unbekannte Option für " + a.Befehl + ": \"" + name + "\"");
        if (!wert) {
            if (i + 1 >= arg.size()) return FalscherAufruf("Fehlender Wert für " + name);
            wert = arg[++i];
        }
        if (ziel->has_value()) return FalscherAufruf("Option mehrfach angegeben: " + name);
        *ziel = *wert;
    }
    if (a.Dateien.size() < befehl->Dateien) return FalscherAufruf("Fehlende Datei für " + a.Befehl + ".");
    if (a.Dateien.size() > befehl->Dateien)
        return FalscherAufruf("Zu viele Angaben für " + a.Befehl + ": \"" + a.Dateien[befehl->Dateien] + "\"");
    for (const std::string& datei : a.Dateien)
        if (datei.empty()) return FalscherAufruf("Leerer Dateiname.");
    if (a.Ausgabe && a.Ausgabe->empty()) return FalscherAufruf("Leerer Dateiname für -o.");
    return befehl->Ausfuehren(a);
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
#ifdef TALERWERK_DRUCK_NEBENAN
    if (argc > 1 && std::string_view(argv[1]) == "drucke") return DruckprogrammAusfuehren(argv);
#endif
    try {
        return Hauptprogramm(argc, argv);
    } catch (const std::bad_alloc&) {
        KonsolenMeldungen::Ausgeben("Nicht genügend Arbeitsspeicher.");
    } catch (const std::exception& f) {
        KonsolenMeldungen::Ausgeben(std::string("Unerwarteter Fehler: ") + f.what());
    }
    return kFehler;
}
