#include "evaluation/fensterlage.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "store/datendatei.h"

namespace talerwerk {

namespace {

const char* const kSchluessel[4] = {"x", "y", "Breite", "Hoehe"};

int32_t FensterLage::*const kFelder[4] = {&FensterLage::x, &FensterLage::y, &FensterLage::Breite,
                                          &FensterLage::Hoehe};

std::string_view Trimmen(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// INI section and key names compare without regard to ASCII case.
bool GleicherName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::optional<int32_t> Zahl(std::string_view s) {
    s = Trimmen(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int32_t wert = 0;
    auto [ende, fehler] = std::from_chars(s.data(), s.data() + s.size(), wert);
    if (s.empty() || fehler != std::errc() || ende != s.data() + s.size()) return std::nullopt;
    return wert;
}

struct Zeile {
    std::string Text;
    bool Kopf = false;
    bool ImAbschnitt = false;  // belongs to the wanted section (the header included)
    int Schluessel = -1;       // which of the four keys, −1 for any other line
    std::string Wert;
};

std::vector<Zeile> Zerlegen(const std::string& pfad, const std::string& abschnitt) {
    std::vector<Zeile> zeilen;
    std::ifstream ein(pfad, std::ios::binary);
    if (!ein) return zeilen;
    std::ostringstream puffer;
    puffer << ein.rdbuf();
    const std::string inhalt = puffer.str();
    size_t pos = inhalt.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    bool drin = false;
    while (pos < inhalt.size()) {
        size_t ende = inhalt.find('\n', pos);
        if (ende == std::string::npos) ende = inhalt.size();
        Zeile z;
        z.Text = inhalt.substr(pos, ende - pos);
        if (!z.Text.empty() && z.Text.back() == '\r') z.Text.pop_back();
        pos = ende + 1;
        const std::string_view t = Trimmen(z.Text);
        if (!t.empty() && t.front() == '[' && t.find(']') != std::string_view::npos) {
            z.Kopf = true;
            drin = GleicherName(Trimmen(t.substr(1, t.find(']') - 1)), abschnitt);
        } else if (drin && !t.empty() && t.front() != ';' && t.front() != '#') {
            const size_t gleich = t.find('=');
            if (gleich != std::string_view::npos) {
                const std::string_view name = Trimmen(t.substr(0, gleich));
                for (int i = 0; i < 4; ++i)
                    if (GleicherName(name, kSchluessel[i])) z.Schluessel = i;
                z.Wert = std::string(Trimmen(t.substr(gleich + 1)));
            }
        }
        z.ImAbschnitt = drin;
        zeilen.push_back(std::move(z));
    }
    return zeilen;
}

}  // namespace

FensterLage FensterLageLesen(const std::string& pfad, const std::string& abschnitt, const FensterLage& vorgabe) {
    FensterLage lage = vorgabe;
    bool gelesen[4] = {false, false, false, false};
    for (const Zeile& z : Zerlegen(pfad, abschnitt)) {
        if (!z.ImAbschnitt || z.Schluessel < 0 || gelesen[z.Schluessel]) continue;
        gelesen[z.Schluessel] = true;  // the first entry of a key counts
        if (auto wert = Zahl(z.Wert)) lage.*kFelder[z.Schluessel] = *wert;
    }
    return lage;
}

bool FensterLageSpeichern(const std::string& pfad, const std::string& abschnitt, const FensterLage& lage) {
    const std::vector<Zeile> zeilen = Zerlegen(pfad, abschnitt);
    auto eintrag = [&](int i) { return std::string(kSchluessel[i]) + "=" + std::to_string(lage.*kFelder[i]); };

    bool geschrieben[4] = {false, false, false, false};
    std::vector<std::string> aus;
    int abschnittEnde = -1;  // index in `aus` after the section's last non-empty line
    for (const Zeile& z : zeilen) {
        if (z.ImAbschnitt && z.Schluessel >= 0) {
            // A key written twice keeps only its first, now current, entry.
            if (!geschrieben[z.Schluessel]) aus.push_back(eintrag(z.Schluessel));
            geschrieben[z.Schluessel] = true;
        } else {
            aus.push_back(z.Text);
        }
        if (z.ImAbschnitt && !Trimmen(z.Text).empty()) abschnittEnde = static_cast<int>(aus.size());
    }
    std::vector<std::string> fehlend;
    for (int i = 0; i < 4; ++i)
        if (!geschrieben[i]) fehlend.push_back(eintrag(i));
    if (abschnittEnde < 0) {
        if (!aus.empty() && !Trimmen(aus.back()).empty()) aus.push_back("");
        aus.push_back("[" + abschnitt + "]");
        aus.insert(aus.end(), fehlend.begin(), fehlend.end());
    } else {
        aus.insert(aus.begin() + abschnittEnde, fehlend.begin(), fehlend.end());
    }
    std::string text;
    for (const std::string& z : aus) text += z + "\n";
    std::string fehler;
    return DateiAtomarSchreiben(pfad, text, fehler);
}

}  // namespace talerwerk
