#pragma once
// The page device: what the page engine (druckauftrag.h) asks of a printer. Everything is in the
// device's pixels; the engine turns millimetres into them. The windows layer implements it over
// QPainter (a printer, a PDF file, the print preview); tests use a recording one.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace talerwerk {

// A font as the page settings hold it: name, size in points, colour as 0x00BBGGRR, and the four
// style flags bold, italic, underline, strike-out.
struct Druckschrift {
    std::string Name = "Arial";
    int32_t Groesse = 12;
    int32_t Farbe = 0;
    std::array<bool, 4> Stil{};

    bool Fett() const { return Stil[0]; }
    bool operator==(const Druckschrift&) const = default;
};

struct Pixelrechteck {
    int X = 0;
    int Y = 0;
    int Breite = 0;
    int Hoehe = 0;
};

class Seitengeraet {
public:
    virtual ~Seitengeraet() = default;

    // Resolution in dots per inch, horizontally and vertically.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    // The whole sheet (X, Y are 0) and the printable part of it, both in pixels of the sheet.
    virtual Pixelrechteck Papier() const = 0;
    virtual Pixelrechteck Druckbereich() const = 0;

    virtual void Titel(const std::string& titel) = 0;
    // Portrait or landscape; false when the device refuses.
    virtual bool Querformat(bool quer) = 0;
    // One document of the job (one copy): begin, further pages, end.
    virtual void Beginnen() = 0;
    virtual void NeueSeite() = 0;
    virtual void Beenden() = 0;

    // The font of the following texts; `dpi` is the resolution its size is taken at.
    virtual void Schrift(const Druckschrift& schrift, int dpi) = 0;
    // Height and external leading of the current font, in pixels.
    virtual int Schrifthoehe() const = 0;
    virtual int Durchschuss() const = 0;
    virtual int TextBreite(std::string_view text) const = 0;
    // A text (UTF-8) with its top-left corner at (x, y), measured from the printable area's corner.
    virtual void Text(int x, int y, std::string_view text) = 0;
    // A straight line of the given width in pixels, in the same coordinates.
    virtual void Linie(int x1, int y1, int x2, int y2, int dicke) = 0;
};

}  // namespace talerwerk
