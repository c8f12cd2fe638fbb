#pragma once
// A small open-addressing map from record numbers (Nr) to positions. The evaluations look up two
// numbers per booking over books of a million bookings; std::unordered_map's node per entry and
// modulo per lookup cost more than the rest of the work together.

#include <cstdint>
#include <vector>

namespace talerwerk {

class NrIndex {
public:
    static constexpr int32_t Fehlt = -1;

    explicit NrIndex(size_t erwartet = 0) { Vorbereiten(erwartet); }

    // Keeps the first value given for a number and returns the value now stored for it.
    int32_t Einfuegen(int32_t nr, int32_t wert) {
        if ((anzahl_ + 1) * 2 > schluessel_.size()) Wachsen();
        size_t i = Platz(nr);
        while (belegt_[i]) {
            if (schluessel_[i] == nr) return werte_[i];
            i = (i + 1) & maske_;
        }
        belegt_[i] = 1;
        schluessel_[i] = nr;
        werte_[i] = wert;
        ++anzahl_;
        return wert;
    }

    int32_t Finden(int32_t nr) const {
        size_t i = Platz(nr);
        while (belegt_[i]) {
            if (schluessel_[i] == nr) return werte_[i];
            i = (i + 1) & maske_;
        }
        return Fehlt;
    }

    size_t Anzahl() const { return anzahl_; }

private:
    size_t Platz(int32_t nr) const {
        // Fibonacci hashing spreads the small, often consecutive numbers over the table.
        return static_cast<size_t>((static_cast<uint32_t>(nr) * 2654435769u) >> 7) & maske_;
    }

    void Vorbereiten(size_t erwartet) {
        size_t groesse = 16;
        while (groesse < erwartet * 2 + 2) groesse *= 2;
        schluessel_.assign(groesse, 0);
        werte_.assign(groesse, 0);
        belegt_.assign(groesse, 0);
        maske_ = groesse - 1;
        anzahl_ = 0;
    }

    void Wachsen() {
        std::vector<int32_t> s = std::move(schluessel_), w = std::move(werte_);
        std::vector<uint8_t> b = std::move(belegt_);
        Vorbereiten(s.size());
        for (size_t i = 0; i < s.size(); ++i)
            if (b[i]) Einfuegen(s[i], w[i]);
    }

    std::vector<int32_t> schluessel_;
    std::vector<int32_t> werte_;
    std::vector<uint8_t> belegt_;
    size_t maske_ = 0;
    size_t anzahl_ = 0;
};

}  // namespace talerwerk
