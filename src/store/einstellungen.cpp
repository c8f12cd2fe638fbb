#include "store/einstellungen.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "store/datendatei.h"

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

struct Zeile {
    std::string Text;       // the line as it stands in the file, without line end
    std::string Abschnitt;  // section the line belongs to (empty before the first header)
    std::string Schluessel; // key of a "key=value" line, else empty
    std::string Wert;
    bool Kopf = false;      // a "[section]" line
};

std::vector<Zeile> Zerlegen(const std::string& inhalt) {
    std::vector<Zeile> zeilen;
    std::string abschnitt;
    size_t pos = 0;
    // A UTF-8 byte order mark written by some editors is not part of the first line.
    if (inhalt.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    while (pos < inhalt.size()) {
        size_t ende = inhalt.find('\n', pos);
        if (ende == std::string::npos) ende = inhalt.size();
        Zeile z;
        z.Text = inhalt.substr(pos, ende - pos);
        if (!z.Text.empty() && z.Text.back() == '\r') z.Text.pop_back();
        pos = ende + 1;

        std::string_view t = Trimmen(z.Text);
        if (!t.empty() && t.front() == '[') {
            size_t zu = t.find(']');
            if (zu != std::string_view::npos) {
                abschnitt = std::string(Trimmen(t.substr(1, zu - 1)));
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
        zeilen.push_back(std::move(z));
    }
    return zeilen;
}

bool DateiLesen(const std::string& pfad, std::string& inhalt) {
    std::ifstream ein(pfad, std::ios::binary);
    if (!ein) return false;
    std::ostringstream puffer;
    puffer << ein.rdbuf();
    inhalt = puffer.str();
    return true;
}

std::string Zeilenwert(const Einstellungen& e, const Schluessel& s) {
    if (s.Art == Typ::Zahl) return std::to_string(e.*(s.Zahl));
    return e.*(s.Merker) ? "1" : "0";
}

}  // namespace

Einstellungen EinstellungenLaden(const std::string& pfad) {
    Einstellungen e;
    std::string inhalt;
    if (!DateiLesen(pfad, inhalt)) return e;
    std::vector<Zeile> zeilen = Zerlegen(inhalt);
    for (const Schluessel& s : kSchluessel) {
        // The first entry of a key counts, as with every INI reader of this platform's kind.
        for (const Zeile& z : zeilen) {
            if (z.Schluessel.empty() || !GleicherName(z.Abschnitt, s.Abschnitt) ||
                !GleicherName(z.Schluessel, s.Name))
                continue;
            if (std::optional<int32_t> wert = GanzeZahl(z.Wert)) {
                if (s.Art == Typ::Zahl)
                    e.*(s.Zahl) = *wert;
                else
                    e.*(s.Merker) = *wert != 0;
            }
            break;
        }
    }
    return e;
}

bool EinstellungenSpeichern(const std::string& pfad, const Einstellungen& e) {
    // Keys this record does not know (the placement of child windows, for one) were written by
    // the windows themselves while the program ran; they stay, after the known keys of their
    // section, and whole unknown sections at the end.
    std::string alt;
    DateiLesen(pfad, alt);
    const std::vector<Zeile> zeilen = Zerlegen(alt);
    auto bekannt = [](const Zeile& z) {
        for (const Schluessel& s : kSchluessel)
            if (GleicherName(z.Abschnitt, s.Abschnitt) && GleicherName(z.Schluessel, s.Name)) return true;
        return false;
    };
    auto fremdeZeilen = [&](std::string_view abschnitt, std::string& text) {
        for (const Zeile& z : zeilen)
            if (!z.Schluessel.empty() && GleicherName(z.Abschnitt, abschnitt) && !bekannt(z))
                text += z.Text + "\n";
    };

    std::string text;
    std::vector<std::string> abschnitte;
    for (const Schluessel& s : kSchluessel) {
        if (abschnitte.empty() || abschnitte.back() != s.Abschnitt) {
            if (!abschnitte.empty()) {
                fremdeZeilen(abschnitte.back(), text);
                text += "\n";
            }
            abschnitte.push_back(s.Abschnitt);
            text += "[" + abschnitte.back() + "]\n";
        }
        text += std::string(s.Name) + "=" + Zeilenwert(e, s) + "\n";
    }
    fremdeZeilen(abschnitte.back(), text);
    for (const Zeile& z : zeilen) {
        if (!z.Kopf) continue;
        bool schonDa = false;
        for (const std::string& a : abschnitte) schonDa = schonDa || GleicherName(a, z.Abschnitt);
        if (schonDa) continue;
        abschnitte.push_back(z.Abschnitt);
        text += "\n[" + z.Abschnitt + "]\n";
        fremdeZeilen(z.Abschnitt, text);
    }
    std::string fehler;
    return DateiAtomarSchreiben(pfad, text, fehler);
}

void ZahlenLesen(const std::string& pfad, const std::string& abschnitt, std::vector<Zahlenschluessel>& schluessel) {
    std::string inhalt;
    if (!DateiLesen(pfad, inhalt)) return;
    const std::vector<Zeile> zeilen = Zerlegen(inhalt);
    for (Zahlenschluessel& k : schluessel) {
        for (const Zeile& z : zeilen) {
            if (z.Schluessel.empty() || !GleicherName(z.Abschnitt, abschnitt) || !GleicherName(z.Schluessel, k.Name))
                continue;
            if (std::optional<int32_t> wert = GanzeZahl(z.Wert)) k.Wert = *wert;
            break;  // the first entry of a key counts
        }
    }
}

bool ZahlenSpeichern(const std::string& pfad, const std::string& abschnitt,
                     const std::vector<Zahlenschluessel>& schluessel) {
    std::string inhalt;
    DateiLesen(pfad, inhalt);  // a missing file simply starts empty
    const std::vector<Zeile> zeilen = Zerlegen(inhalt);
    auto eintrag = [&](size_t i) { return schluessel[i].Name + "=" + std::to_string(schluessel[i].Wert); };

    std::vector<bool> geschrieben(schluessel.size(), false);
    std::vector<std::string> aus;
    aus.reserve(zeilen.size() + schluessel.size() + 2);
    int abschnittEnde = -1;  // index in `aus` after the section's last non-empty line
    for (const Zeile& z : zeilen) {
        const bool drin = GleicherName(z.Abschnitt, abschnitt);
        int gefunden = -1;
        if (drin && !z.Schluessel.empty())
            for (size_t i = 0; i < schluessel.size(); ++i)
                if (GleicherName(z.Schluessel, schluessel[i].Name)) gefunden = static_cast<int>(i);
        if (gefunden >= 0) {
            // A key written twice keeps only its first, now current, entry.
            if (!geschrieben[gefunden]) aus.push_back(eintrag(gefunden));
            geschrieben[gefunden] = true;
        } else {
            aus.push_back(z.Text);
        }
        if (drin && !Trimmen(z.Text).empty()) abschnittEnde = static_cast<int>(aus.size());
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
    for (const std::string& zeile : aus) text += zeile + "\n";
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
