#include "store/einstellungen.h"

#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "store/datendatei.h"
#include "store/ports.h"

namespace talerwerk {

namespace {

enum class Typ { Zahl, Merker };

// One key of the settings file. The table below is the file's order: sections in this order, each
// section's keys together.
struct Schluessel {
    const char* Abschnitt;
    const char* Name;
    Typ Art;
    int32_t Einstellungen::*Zahl;
    bool Einstellungen::*Merker;
};

constexpr Schluessel Z(const char* a, const char* n, int32_t Einstellungen::*z) {
    return {a, n, Typ::Zahl, z, nullptr};
}
constexpr Schluessel M(const char* a, const char* n, bool Einstellungen::*m) {
    return {a, n, Typ::Merker, nullptr, m};
}

const Schluessel kSchluessel[] = {
    Z("Hauptfenster", "x", &Einstellungen::x),
    Z("Hauptfenster", "y", &Einstellungen::y),
    Z("Hauptfenster", "Breite", &Einstellungen::Breite),
    Z("Hauptfenster", "Hoehe", &Einstellungen::Hoehe),
    M("Hauptfenster", "Symbolleiste", &Einstellungen::Symbolleiste),
    Z("Hauptfenster", "Symbolleiste_Ausrichtung", &Einstellungen::Symbolleiste_Ausrichtung),
    M("Hauptfenster", "Statuszeile", &Einstellungen::Statuszeile),
    M("Hauptfenster", "Maximiert", &Einstellungen::Maximiert),
    M("Meldungen", "Warnung", &Einstellungen::Warnung),
    M("Meldungen", "Buchung", &Einstellungen::Buchung),
    M("Meldungen", "Überschreiben", &Einstellungen::Ueberschreiben),
    M("Einstellungen", "Textbaustein", &Einstellungen::Textbaustein),
    M("Einstellungen", "Buchungsdatum", &Einstellungen::Buchungsdatum),
    M("Einstellungen", "Nullbuchung", &Einstellungen::Nullbuchung),
    M("Einstellungen", "rgmBuchung1", &Einstellungen::rgmBuchung1),
    M("Einstellungen", "rgmBuchung2", &Einstellungen::rgmBuchung2),
    M("Einstellungen", "BuchungEdit", &Einstellungen::BuchungEdit),
    M("Rechner", "offen", &Einstellungen::RechnerOffen),
    Z("Rechner", "x", &Einstellungen::RechnerX),
    Z("Rechner", "y", &Einstellungen::RechnerY),
    Z("Rechner", "Breite", &Einstellungen::RechnerBreite),
    Z("Rechner", "Hoehe", &Einstellungen::RechnerHoehe),
    M("Buchung", "offen", &Einstellungen::BuchungOffen),
    M("KontoStand", "offen", &Einstellungen::KontoStandOffen),
    M("BListe", "offen", &Einstellungen::BListeOffen),
    Z("Farbe", "Positiv", &Einstellungen::Positiv),
    Z("Farbe", "Negativ", &Einstellungen::Negativ),
    M("Sicherung", "Aktiv", &Einstellungen::SicherungAktiv),
    Z("Sicherung", "Anzahl", &Einstellungen::SicherungAnzahl),
};

// The placement keys a child window writes into its own section when it closes.
const char* const kLage[4] = {"x", "y", "Breite", "Hoehe"};
int32_t FensterLage::*const kLageFelder[4] = {&FensterLage::x, &FensterLage::y, &FensterLage::Breite,
                                              &FensterLage::Hoehe};

std::string_view Trimmen(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

char Klein(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Section and key names compare without regard to ASCII case, as INI files always have.
bool GleicherName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Klein(a[i]) != Klein(b[i])) return false;
    return true;
}

// Older files were written in Windows-1252; the only key where that shows is "Überschreiben".
std::string SchluesselNormal(std::string_view name) {
    if (!name.empty() && static_cast<unsigned char>(name[0]) == 0xDC)
        return "\xC3\x9C" + std::string(name.substr(1));
    return std::string(name);
}

std::optional<int32_t> GanzeZahl(std::string_view s) {
    s = Trimmen(s);
    if (s.empty()) return std::nullopt;
    bool negativ = false;
    size_t i = 0;
    if (s[0] == '-' || s[0] == '+') {
        negativ = s[0] == '-';
        i = 1;
    }
    if (i == s.size()) return std::nullopt;
    int64_t wert = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        wert = wert * 10 + (s[i] - '0');
        if (wert > 2147483648LL) return std::nullopt;
    }
    if (negativ) wert = -wert;
    if (wert > INT32_MAX || wert < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(wert);
}

// Largest settings file read: a real one holds a few kilobytes; anything far larger is damaged.
constexpr size_t kGroessteDatei = 1 << 20;

struct Zeile {
    std::string Text;        // the line as it stands in the file, without line end
    size_t Abschnitt = 0;    // index of the section the line belongs to (0: before the first header)
    std::string Schluessel;  // key of a "key=value" line, else empty
    std::string Wert;
    bool Kopf = false;       // a "[section]" line
};

// The file in lines. Each line refers to its section by number, so that a file of many lines
// under one long section name costs its own size once, not the name once per line.
struct Inhalt {
    std::vector<std::string> Abschnitte{std::string()};  // by number, as first written
    std::vector<Zeile> Zeilen;

    // The number of a section name (ASCII case does not count), npos when the file lacks it.
    size_t Nummer(std::string_view name) const {
        auto it = nummern_.find(KleinName(name));
        return it == nummern_.end() ? std::string::npos : it->second;
    }
    size_t NummerVergeben(std::string_view name) {
        auto [it, neu] = nummern_.try_emplace(KleinName(name), Abschnitte.size());
        if (neu) Abschnitte.emplace_back(name);
        return it->second;
    }

private:
    static std::string KleinName(std::string_view name) {
        std::string k(name);
        for (char& c : k) c = Klein(c);
        return k;
    }
    std::unordered_map<std::string, size_t> nummern_{{std::string(), 0}};
};

Inhalt Zerlegen(const std::string& text) {
    Inhalt inhalt;
    size_t abschnitt = 0;
    size_t pos = 0;
    // A UTF-8 byte order mark written by some editors is not part of the first line.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    while (pos < text.size()) {
        size_t ende = text.find('\n', pos);
        if (ende == std::string::npos) ende = text.size();
        Zeile z;
        z.Text = text.substr(pos, ende - pos);
        if (!z.Text.empty() && z.Text.back() == '\r') z.Text.pop_back();
        pos = ende + 1;

        std::string_view t = Trimmen(z.Text);
        if (!t.empty() && t.front() == '[') {
            size_t zu = t.find(']');
            if (zu != std::string_view::npos) {
                abschnitt = inhalt.NummerVergeben(Trimmen(t.substr(1, zu - 1)));
                z.Kopf = true;
            }
        } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
            size_t gleich = t.find('=');
            if (gleich != std::string_view::npos) {
                z.Schluessel = SchluesselNormal(Trimmen(t.substr(0, gleich)));
                z.Wert = std::string(Trimmen(t.substr(gleich + 1)));
            }
        }
        z.Abschnitt = abschnitt;
        inhalt.Zeilen.push_back(std::move(z));
    }
    return inhalt;
}

enum class Lesbar { Fehlt, Ja, Nein };

// Reads and splits the settings file. Nein: it is there but no settings file this program can
// use (no regular file, unreadable, far too large, binary).
Lesbar DateiLesen(const std::string& pfad, Inhalt& inhalt) {
    try {
        std::string text;
        if (!DateiEinlesen(pfad, text, kGroessteDatei))
            return errno == ENOENT || errno == ENOTDIR ? Lesbar::Fehlt : Lesbar::Nein;
        if (text.find('\0') != std::string::npos) return Lesbar::Nein;
        inhalt = Zerlegen(text);
        return Lesbar::Ja;
    } catch (const std::exception&) {
        inhalt = Inhalt{};
        return Lesbar::Nein;
    }
}

std::string Zeilenwert(const Einstellungen& e, const Schluessel& s) {
    if (s.Art == Typ::Zahl) return std::to_string(e.*(s.Zahl));
    return e.*(s.Merker) ? "1" : "0";
}

Einstellungen WerteAus(const Inhalt& inhalt) {
    Einstellungen e;
    for (const Schluessel& s : kSchluessel) {
        const size_t abschnitt = inhalt.Nummer(s.Abschnitt);
        if (abschnitt == std::string::npos) continue;
        // The first entry of a key counts, as with every INI reader of this platform's kind.
        for (const Zeile& z : inhalt.Zeilen) {
            if (z.Abschnitt != abschnitt || z.Schluessel.empty() || !GleicherName(z.Schluessel, s.Name)) continue;
            if (std::optional<int32_t> wert = GanzeZahl(z.Wert)) {
                if (s.Art == Typ::Zahl)
                    e.*(s.Zahl) = *wert;
                else
                    e.*(s.Merker) = *wert != 0;
            }
            break;
        }
    }
    // A hand-edited count outside what the settings dialog offers keeps to that range.
    e.SicherungAnzahl = std::clamp(e.SicherungAnzahl, 1, 99);
    return e;
}

}  // namespace

Einstellungen EinstellungenLaden(const std::string& pfad) {
    Inhalt inhalt;
    if (DateiLesen(pfad, inhalt) != Lesbar::Ja) return Einstellungen{};
    return WerteAus(inhalt);
}

Einstellungen EinstellungenLaden(const std::string& pfad, Meldungen& meldungen) {
    Inhalt inhalt;
    const Lesbar lesbar = DateiLesen(pfad, inhalt);
    if (lesbar == Lesbar::Ja) return WerteAus(inhalt);
    if (lesbar == Lesbar::Nein) {
        // Set aside rather than deleted: the user may want to look at it. The next save writes
        // a fresh file in its place.
        const std::string beiseite = pfad + EinstellungenBeiseiteEndung;
        if (::rename(pfad.c_str(), beiseite.c_str()) == 0)
            meldungen.Warnung("Die Einstellungsdatei \"" + pfad + "\" ist beschädigt und wurde in \"" + beiseite +
                              "\" umbenannt.\rDas Programm verwendet die Standardeinstellungen.");
        else
            meldungen.Warnung("Die Einstellungsdatei \"" + pfad +
                              "\" ist beschädigt.\rDas Programm verwendet die Standardeinstellungen.");
    }
    return Einstellungen{};
}

namespace {

// Keys this record does not know (the placement of child windows, for one) were written by the
// windows themselves while the program ran; they stay, after the known keys of their section, and
// whole unknown sections at the end.
std::string TextMit(const Inhalt& alt, const Einstellungen& e) {
    const size_t anzahl = alt.Abschnitte.size();

    // Which sections the record knows, and each section's unknown key lines, in one pass.
    std::vector<bool> bekannterAbschnitt(anzahl, false);
    for (const Schluessel& s : kSchluessel)
        if (size_t n = alt.Nummer(s.Abschnitt); n != std::string::npos) bekannterAbschnitt[n] = true;
    std::vector<std::vector<const Zeile*>> fremde(anzahl);
    std::vector<size_t> reihenfolge;  // sections in the order of their first header
    std::vector<bool> kopfGesehen(anzahl, false);
    for (const Zeile& z : alt.Zeilen) {
        if (z.Kopf && !kopfGesehen[z.Abschnitt]) {
            kopfGesehen[z.Abschnitt] = true;
            reihenfolge.push_back(z.Abschnitt);
        }
        if (z.Schluessel.empty()) continue;
        bool bekannt = false;
        if (bekannterAbschnitt[z.Abschnitt])
            for (const Schluessel& s : kSchluessel)
                bekannt = bekannt || (GleicherName(alt.Abschnitte[z.Abschnitt], s.Abschnitt) &&
                                      GleicherName(z.Schluessel, s.Name));
        if (!bekannt) fremde[z.Abschnitt].push_back(&z);
    }
    auto fremdeZeilen = [&](size_t abschnitt, std::string& text) {
        if (abschnitt == std::string::npos) return;
        for (const Zeile* z : fremde[abschnitt]) {
            text += z->Text;
            text += '\n';
        }
    };

    std::string text;
    const char* letzter = nullptr;
    for (const Schluessel& s : kSchluessel) {
        if (letzter == nullptr || std::string_view(letzter) != s.Abschnitt) {
            if (letzter != nullptr) {
                fremdeZeilen(alt.Nummer(letzter), text);
                text += "\n";
            }
            letzter = s.Abschnitt;
            text += "[" + std::string(letzter) + "]\n";
        }
        text += std::string(s.Name) + "=" + Zeilenwert(e, s) + "\n";
    }
    fremdeZeilen(alt.Nummer(letzter), text);
    for (const size_t abschnitt : reihenfolge) {
        if (bekannterAbschnitt[abschnitt]) continue;
        text += "\n[" + alt.Abschnitte[abschnitt] + "]\n";
        fremdeZeilen(abschnitt, text);
    }
    return text;
}

}  // namespace

Einstellungen EinstellungenAusText(const std::string& text) {
    if (text.find('\0') != std::string::npos) return Einstellungen{};
    try {
        return WerteAus(Zerlegen(text));
    } catch (const std::exception&) {
        return Einstellungen{};
    }
}

std::string EinstellungenText(const std::string& bisher, const Einstellungen& e) {
    Inhalt alt;
    if (bisher.find('\0') == std::string::npos) alt = Zerlegen(bisher);
    return TextMit(alt, e);
}

bool EinstellungenSpeichern(const std::string& pfad, const Einstellungen& e) {
    // A damaged file keeps nothing.
    Inhalt alt;
    DateiLesen(pfad, alt);
    std::string fehler;
    return DateiAtomarSchreiben(pfad, TextMit(alt, e), fehler);
}

void ZahlenLesen(const std::string& pfad, const std::string& abschnitt, std::vector<Zahlenschluessel>& schluessel) {
    Inhalt inhalt;
    if (DateiLesen(pfad, inhalt) != Lesbar::Ja) return;
    const size_t nummer = inhalt.Nummer(abschnitt);
    if (nummer == std::string::npos) return;
    for (Zahlenschluessel& k : schluessel) {
        for (const Zeile& z : inhalt.Zeilen) {
            if (z.Abschnitt != nummer || z.Schluessel.empty() || !GleicherName(z.Schluessel, k.Name)) continue;
            if (std::optional<int32_t> wert = GanzeZahl(z.Wert)) k.Wert = *wert;
            break;  // the first entry of a key counts
        }
    }
}

bool ZahlenSpeichern(const std::string& pfad, const std::string& abschnitt,
                     const std::vector<Zahlenschluessel>& schluessel) {
    Inhalt inhalt;
    DateiLesen(pfad, inhalt);  // a missing or damaged file simply starts empty
    const size_t nummer = inhalt.Nummer(abschnitt);
    auto eintrag = [&](size_t i) { return schluessel[i].Name + "=" + std::to_string(schluessel[i].Wert); };

    std::vector<bool> geschrieben(schluessel.size(), false);
    std::vector<std::string> aus;
    aus.reserve(inhalt.Zeilen.size() + schluessel.size() + 2);
    int64_t abschnittEnde = -1;  // index in `aus` after the section's last non-empty line
    for (Zeile& z : inhalt.Zeilen) {
        const bool drin = nummer != std::string::npos && z.Abschnitt == nummer;
        int gefunden = -1;
        if (drin && !z.Schluessel.empty())
            for (size_t i = 0; i < schluessel.size(); ++i)
                if (GleicherName(z.Schluessel, schluessel[i].Name)) gefunden = static_cast<int>(i);
        if (gefunden >= 0) {
            // A key written twice keeps only its first, now current, entry.
            if (!geschrieben[gefunden]) aus.push_back(eintrag(gefunden));
            geschrieben[gefunden] = true;
        } else {
            aus.push_back(std::move(z.Text));
        }
        if (drin && !Trimmen(aus.back()).empty()) abschnittEnde = static_cast<int64_t>(aus.size());
    }
    std::vector<std::string> fehlend;
    for (size_t i = 0; i < schluessel.size(); ++i)
        if (!geschrieben[i]) fehlend.push_back(eintrag(i));
    if (abschnittEnde < 0) {
        if (!aus.empty() && !Trimmen(aus.back()).empty()) aus.push_back("");
        aus.push_back("[" + abschnitt + "]");
        aus.insert(aus.end(), fehlend.begin(), fehlend.end());
    } else {
        aus.insert(aus.begin() + abschnittEnde, fehlend.begin(), fehlend.end());
    }
    std::string text;
    for (const std::string& zeile : aus) {
        text += zeile;
        text += '\n';
    }
    std::string fehler;
    return DateiAtomarSchreiben(pfad, text, fehler);
}

FensterLage FensterLageLesen(const std::string& pfad, const std::string& abschnitt, const FensterLage& vorgabe) {
    std::vector<Zahlenschluessel> k;
    for (int i = 0; i < 4; ++i) k.push_back({kLage[i], vorgabe.*kLageFelder[i]});
    ZahlenLesen(pfad, abschnitt, k);
    FensterLage lage;
    for (int i = 0; i < 4; ++i) lage.*kLageFelder[i] = k[i].Wert;
    return lage;
}

bool FensterLageSpeichern(const std::string& pfad, const std::string& abschnitt, const FensterLage& lage) {
    std::vector<Zahlenschluessel> k;
    for (int i = 0; i < 4; ++i) k.push_back({kLage[i], lage.*kLageFelder[i]});
    return ZahlenSpeichern(pfad, abschnitt, k);
}

bool RechnerLageSpeichern(const std::string& pfad, const Einstellungen& e) {
    return FensterLageSpeichern(pfad, "Rechner", {e.RechnerX, e.RechnerY, e.RechnerBreite, e.RechnerHoehe});
}

std::string EinstellungsPfad(const std::string& programmPfad) {
    namespace fs = std::filesystem;
    fs::path ordner = fs::path(programmPfad).parent_path();
    if (!ordner.empty() && ::access(ordner.c_str(), W_OK) == 0)
        return (ordner / "talerwerk.ini").string();

    fs::path basis;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') {
        basis = xdg;
    } else {
        const char* heim = std::getenv("HOME");
        basis = fs::path(heim && *heim ? heim : ".") / ".config";
    }
    fs::path ziel = basis / "talerwerk";
    std::error_code fehler;
    fs::create_directories(ziel, fehler);  // a failure shows later as an unwritable settings file
    return (ziel / "talerwerk.ini").string();
}

}  // namespace talerwerk
