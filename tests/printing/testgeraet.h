#pragma once
// A page device that records what is drawn: texts and lines with their page, and every begin, new
// page and end. Its font is a plain grid: every character is half as wide as the font is high,
// the height is the size in points at the given resolution, no external leading.

#include <string>
#include <string_view>
#include <vector>

#include "printing/seitengeraet.h"

namespace talerwerk::test {

class TestGeraet : public Seitengeraet {
public:
    struct Gedruckt {
        int Dokument = 0;  // 1 for the first copy
        int Seite = 0;     // 1 for the first page of its document
        int X = 0, Y = 0;
        std::string Inhalt;
        Druckschrift Schrift;
    };
    struct Strich {
        int Dokument = 0;
        int Seite = 0;
        int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, Dicke = 0;
    };

    // A4 at 600 dpi; `rand` pixels unprintable on every side.
    explicit TestGeraet(int rand = 0, int dpi = 600) : dpi_(dpi), rand_(rand) {}

    int DpiX() const override { return dpi_; }
    int DpiY() const override { return dpi_; }
    Pixelrechteck Papier() const override {
        const int b = quer_ ? hoehe() : breite();
        const int h = quer_ ? breite() : hoehe();
        return {0, 0, b, h};
    }
    Pixelrechteck Druckbereich() const override {
        const Pixelrechteck p = Papier();
        return {rand_, rand_, p.Breite - 2 * rand_, p.Hoehe - 2 * rand_};
    }
    void Titel(const std::string& titel) override { Titel_ = titel; }
    bool Querformat(bool quer) override {
        if (QuerVerweigern) return false;
        quer_ = quer;
        return true;
    }
    void Beginnen() override {
        ++Dokumente;
        Seiten = 1;
        Offen = true;
    }
    void NeueSeite() override { ++Seiten; }
    void Beenden() override { Offen = false; }
    void Schrift(const Druckschrift& schrift, int dpi) override {
        schrift_ = schrift;
        schriftDpi_ = dpi;
    }
    int Schrifthoehe() const override { return schrift_.Groesse * schriftDpi_ / 72; }
    int Durchschuss() const override { return 0; }
    int TextBreite(std::string_view text) const override {
        int zeichen = 0;
        for (char c : text)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++zeichen;
        return zeichen * Zeichenbreite();
    }
    void Text(int x, int y, std::string_view text) override {
        Texte.push_back({Dokumente, Seiten, x, y, std::string(text), schrift_});
    }
    void Linie(int x1, int y1, int x2, int y2, int dicke) override {
        Striche.push_back({Dokumente, Seiten, x1, y1, x2, y2, dicke});
    }

    int Zeichenbreite() const { return schrift_.Groesse * schriftDpi_ / 144; }

    // The texts whose content is exactly `inhalt`.
    std::vector<Gedruckt> Finden(std::string_view inhalt) const {
        std::vector<Gedruckt> treffer;
        for (const Gedruckt& t : Texte)
            if (t.Inhalt == inhalt) treffer.push_back(t);
        return treffer;
    }

    std::string Titel_;
    bool QuerVerweigern = false;
    int Dokumente = 0;
    int Seiten = 0;
    bool Offen = false;
    std::vector<Gedruckt> Texte;
    std::vector<Strich> Striche;

private:
    int breite() const { return dpi_ * 210 * 10 / 254; }
    int hoehe() const { return dpi_ * 297 * 10 / 254; }
    int dpi_;
    int rand_;
    bool quer_ = false;
    Druckschrift schrift_;
    int schriftDpi_ = 600;
};

}  // namespace talerwerk::test
