#include "store/zeichensatz.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace talerwerk {
namespace {

// Code points of the bytes 0x80…0x9F; the five undefined bytes keep their own value.
constexpr std::array<char32_t, 32> Bereich80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void Utf8Anhaengen(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Next code point of a UTF-8 text; false on a malformed sequence.
bool Utf8Lesen(std::string_view s, size_t& i, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    if (b0 < 0x80) {
        c = b0;
        ++i;
        return true;
    } else if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2) {  // C0 and C1 would only start overlong forms
        c = b0 & 0x1F;
        n = 1;
    } else if ((b0 & 0xF0) == 0xE0) {
        c = b0 & 0x0F;
        n = 2;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        c = b0 & 0x07;
        n = 3;
    } else {
        return false;
    }
    for (size_t k = 1; k <= n; ++k) {
        if (i + k >= s.size()) return false;
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return false;
        c = (c << 6) | (b & 0x3F);
    }
    i += n + 1;
    return true;
}

std::optional<unsigned char> Cp1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (size_t k = 0; k < Bereich80.size(); ++k)
        if (Bereich80[k] == c) return static_cast<unsigned char>(0x80 + k);
    return std::nullopt;
}

}  // namespace

bool NurAscii(std::string_view text) {
    // Eight bytes at a time: most texts of a book are plain ASCII.
    const char* p = text.data();
    const size_t n = text.size();
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ULL) return false;
    }
    unsigned char oder = 0;
    for (; i < n; ++i) oder |= static_cast<unsigned char>(p[i]);
    return (oder & 0x80) == 0;
}

std::string AusCp1252(std::string_view bytes) {
    if (NurAscii(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out.push_back(ch);
        else if (b < 0xA0)
            Utf8Anhaengen(out, Bereich80[b - 0x80]);
        else
            Utf8Anhaengen(out, b);
    }
    return out;
}

std::optional<std::string> NachCp1252(std::string_view utf8) {
    if (NurAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        if (!Utf8Lesen(utf8, i, c)) return std::nullopt;
        const auto b = Cp1252Byte(c);
        if (!b) return std::nullopt;
        out.push_back(static_cast<char>(*b));
    }
    return out;
}

void Cp1252Anhaengen(std::string& aus, std::string_view utf8) {
    if (NurAscii(utf8)) {
        aus.append(utf8);
        return;
    }
    size_t i = 0;
    while (i < utf8.size()) {
        const size_t anfang = i;
        char32_t c = 0;
        std::optional<unsigned char> b;
        if (Utf8Lesen(utf8, i, c))
            b = Cp1252Byte(c);
        else
            i = anfang + 1;  // one "?" per byte that is no part of valid UTF-8
        aus.push_back(b ? static_cast<char>(*b) : '?');
    }
}

std::string NachCp1252Ersetzt(std::string_view utf8) {
    std::string aus;
    aus.reserve(utf8.size());
    Cp1252Anhaengen(aus, utf8);
    return aus;
}

bool Cp1252Darstellbar(std::string_view utf8) { return NachCp1252(utf8).has_value(); }

size_t ZeichenAnzahl(std::string_view utf8) {
    size_t n = 0;
    for (char ch : utf8)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace talerwerk
