#include "store/betrag.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace talerwerk {

std::string BetragText(std::string_view feldText) {
    // The amount field shows "1.234,56" and users type "12,5" or "12.5": with a comma present the
    // points are thousands separators; without one a single point is the decimal point.
    std::string zahl;
    zahl.reserve(feldText.size());
    const bool mitKomma = feldText.find(',') != std::string_view::npos;
    bool dezimal = false;
    for (char ch : feldText) {
        if (ch == ' ') continue;
        if (ch == '.' && mitKomma) continue;
        if (ch == ',' || ch == '.') {
            if (dezimal) return "0,00";
            dezimal = true;
            zahl.push_back('.');
        } else {
            zahl.push_back(ch);
        }
    }
    double wert = 0;
    if (!zahl.empty()) {
        const char* anfang = zahl.data();
        if (*anfang == '+') ++anfang;
        auto [ende, fehler] = std::from_chars(anfang, zahl.data() + zahl.size(), wert);
        if (fehler != std::errc() || ende != zahl.data() + zahl.size() || !std::isfinite(wert)) return "0,00";
    }
    // Rounded as the program always has: add 0.50001 with the sign of the value, cut toward zero.
    double cent = wert * 100.0;
    if (cent > 0)
        cent += 0.50001;
    else if (cent < 0)
        cent -= 0.50001;
    cent = std::trunc(cent);
    if (std::fabs(cent) > 9.0e15) return "0,00";
    return CentText(static_cast<Cent>(cent));
}

bool IstBetragForm(std::string_view text) {
    if (text.size() > BetragLaenge) return false;
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    if (text.size() < 4 || text[text.size() - 3] != ',') return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != text.size() - 3 && (text[i] < '0' || text[i] > '9')) return false;
    return true;
}

Cent BetragCent(std::string_view text) {
    size_t i = 0;
    bool negativ = false;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negativ = text[i] == '-';
        ++i;
    }
    Cent ganz = 0;
    Cent bruch = 0;
    int bruchStellen = 0;
    bool rundenAuf = false;
    bool nachKomma = false;
    bool ziffer = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '.') continue;
        if (ch == ',') {
            if (nachKomma) return 0;
            nachKomma = true;
            continue;
        }
        if (ch < '0' || ch > '9') return 0;
        ziffer = true;
        const int z = ch - '0';
        if (!nachKomma) {
            if (ganz > 90'000'000'000'000'000 / 100 / 10) return 0;
            ganz = ganz * 10 + z;
        } else if (bruchStellen < 2) {
            bruch = bruch * 10 + z;
            ++bruchStellen;
        } else if (bruchStellen == 2) {
            rundenAuf = z >= 5;
            ++bruchStellen;
        }
    }
    if (!ziffer) return 0;
    if (bruchStellen == 1) bruch *= 10;
    Cent cent = ganz * 100 + bruch + (rundenAuf ? 1 : 0);
    return negativ ? -cent : cent;
}

double BetragWert(std::string_view betragText) { return static_cast<double>(BetragCent(betragText)) / 100.0; }

std::string_view CentTextIn(char (&puffer)[24], Cent cent) {
    char* ende = puffer + sizeof puffer;
    char* p = ende;
    const bool negativ = cent < 0;
    uint64_t betrag = negativ ? 0 - static_cast<uint64_t>(cent) : static_cast<uint64_t>(cent);
    for (int stelle = 0; stelle < 3 || betrag > 0; ++stelle) {
        if (stelle == 2) *--p = ',';
        *--p = static_cast<char>('0' + betrag % 10);
        betrag /= 10;
    }
    if (negativ) *--p = '-';
    return {p, static_cast<size_t>(ende - p)};
}

std::string CentText(Cent cent) {
    char puffer[24];
    return std::string(CentTextIn(puffer, cent));
}

std::string CentAnzeige(Cent cent) {
    const bool negativ = cent < 0;
    const uint64_t betrag = negativ ? 0 - static_cast<uint64_t>(cent) : static_cast<uint64_t>(cent);
    const std::string ganz = std::to_string(betrag / 100);
    std::string out;
    for (size_t k = 0; k < ganz.size(); ++k) {
        if (k > 0 && (ganz.size() - k) % 3 == 0) out.push_back('.');
        out.push_back(ganz[k]);
    }
    char rest[8];
    std::snprintf(rest, sizeof rest, ",%02u", static_cast<unsigned>(betrag % 100));
    return (negativ ? "-" : "") + out + rest;
}

std::string NummerText(int32_t nummer) {
    char puffer[24];
    std::snprintf(puffer, sizeof puffer, "%04d", nummer);
    return puffer;
}

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

}  // namespace talerwerk
