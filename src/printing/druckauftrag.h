#pragma once
// The page engine: one print job on a page device, placed in millimetres. It measures the page
// (resolution, sheet, unprintable border), applies the margins it can actually use, keeps a
// vertical cursor measured from the top margin, draws up to five header lines and a page-number
// line on every finished page, and places text left, right or centred on the page or in numbered
// column slots. It never starts a page by itself: a layout compares its position with the bottom
// limit and calls NeueSeite.
//
// Vertical positions passed to the text operations: y ≥ 0 is the distance from the top margin
// and becomes the cursor; NaechsteZeileY (−1) first moves the cursor one line down; GleicheZeileY
// (−2) keeps it. A horizontal position ≥ 0 is measured from the left margin, a negative one means
// the left margin.
//
//   Druckauftrag job(geraet);
//   job.SetzeTitel("TLW - Berichtsdruck");
//   job.Beginne();
//   job.SetzeSchrift(schrift);
//   job.SetzeRaender(25, 25, 25, 20);
//   job.TextAn("Hallo", 0, -1);
//   job.Beende();

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "printing/seitengeraet.h"

namespace talerwerk {

inline constexpr double NaechsteZeileY = -1;
inline constexpr double GleicheZeileY = -2;

// Alignment of header and page-number lines.
enum class Ausrichtung : int { Links = 0, Mitte = 1, Rechts = 2 };

inline constexpr int SpaltenAnzahl = 20;   // column slots 1…20
inline constexpr int KopfzeilenAnzahl = 5;  // header lines 1…5

// The longest prefix of a UTF-8 text that ends on a whole character and is at most `bytes` long.
std::string_view Utf8Praefix(std::string_view text, size_t bytes);
// The page-number text: the first "%d" of the format replaced by the number, nothing else
// interpreted (a "%s" or "%n" stays as it is).
std::string SeitenzahlText(std::string_view format, int seite);

class Druckauftrag {
public:
    explicit Druckauftrag(Seitengeraet& geraet);

    // ---- job and page ----
    void SetzeTitel(const std::string& titel) { titel_ = titel; }
    // Portrait or landscape, before Beginne; a refusal of the device is ignored.
    void SetzeAusrichtung(bool querformat);
    // Starts one document: measures the page, takes the device's minimum margins, clears the
    // header lines, the page-number line and the cursor, and counts from page 1.
    void Beginne();
    // Margins in millimetres; 0 or less, or two opposite margins that leave no room, fall back to
    // the device's minimum on those sides; no margin is ever smaller than the unprintable border.
    void SetzeRaender(double oben, double unten, double links, double rechts);
    // The lowest usable position (from the top of the sheet) and the first body line's position.
    void SetzeSeitengrenzen(double untereGrenze, double startY);
    // Draws the header lines and the page number on the finished page and begins the next one.
    void NeueSeite();
    // Draws the header lines and the page number on the last page and ends the document.
    void Beende();

    // ---- fonts ----
    void SetzeSchrift(const Druckschrift& schrift);
    const Druckschrift& Schrift() const { return schrift_; }
    void SchriftMerken() { gemerkt_ = schrift_; }
    void SchriftZurueck() { SetzeSchrift(gemerkt_); }

    // ---- text and lines ----
    void TextAn(std::string_view text, double y, double x);
    void TextSpalte(int spalte, std::string_view text, bool kuerzen, double y);
    void TextSpalteRechts(int spalte, std::string_view text, bool kuerzen, double y);
    void TextSpalteMitte(int spalte, std::string_view text, double y);
    void TextRechts(std::string_view text, double y);
    void TextMitte(std::string_view text, double y);
    // y as absolute distances from the top margin, x from the left margin; dicke in millimetres.
    void Linie(double x1, double y1, double x2, double y2, double dicke);
    // Slots 1…20; others are ignored.
    void SetzeSpalte(int spalte, double links, double breite);
    // Header lines 1…5 (others ignored); an empty text is not printed. y may be NaechsteZeileY
    // or GleicheZeileY, relative to the header line before.
    void SetzeKopfzeile(int nr, const std::string& text, const Druckschrift& schrift, Ausrichtung ausrichtung,
                        double y);
    // The page-number line; "%d" in the format stands for the page number; empty prints nothing.
    void SetzeSeitenzahl(const std::string& format, Ausrichtung ausrichtung, const Druckschrift& schrift, double y);

    // ---- cursor and measures ----
    double PositionY() const { return positionY_; }
    void SetzePositionY(double y) { positionY_ = y; }
    void NaechsteZeile() { positionY_ += zeilenhoehe_; }
    void NaechsteZeilen(int n) {
        for (int i = 0; i < n; ++i) NaechsteZeile();
    }
    double Zeilenhoehe() const { return zeilenhoehe_; }
    double SeitenhoeheMM() const { return seitenHoeheMM_; }
    double SeitenbreiteMM() const { return seitenBreiteMM_; }
    double UntereGrenze() const { return untereGrenze_; }
    double StartY() const { return startY_; }
    double Druckbreite() const { return druckbreite_; }
    // The margins in effect, in millimetres.
    double RandObenMM() const { return randO_ / static_cast<double>(pxY_); }
    double RandUntenMM() const { return randU_ / static_cast<double>(pxY_); }
    double RandLinksMM() const { return randL_ / static_cast<double>(pxX_); }
    double RandRechtsMM() const { return randR_ / static_cast<double>(pxX_); }
    int PunkteProMMX() const { return pxX_; }
    int PunkteProMMY() const { return pxY_; }
    int MmZuPxX(double mm) const;
    int MmZuPxY(double mm) const;
    double PxZuMmX(int px) const { return px / static_cast<double>(pxX_); }
    double PxZuMmY(int px) const { return px / static_cast<double>(pxY_); }
    // Width of a text in the current font, in millimetres.
    double TextBreiteMM(std::string_view text) const;
    // The page being drawn, counted from 1 in every document.
    int Seite() const { return seite_; }

private:
    struct Spalte {
        double Links = 0;
        double Breite = 0;
    };
    struct Kopfzeile {
        std::string Text;
        Druckschrift Schrift;
        Ausrichtung Ausr = Ausrichtung::Links;
        double Y = 0;
    };

    void Messen();
    void KopfzeilenDrucken();
    // Places a text whose left edge is `xPx` pixels right of the left margin (or at the left
    // margin when nullopt-like negative), at the vertical position y.
    void TextPx(std::string_view text, double y, int xPx);
    // The longest prefix (whole characters) no wider than `breitePx`; nullopt-like: the full text
    // when not even its first character fits and `ganzWennNichts`.
    std::string_view Kuerzen(std::string_view text, int breitePx, bool ganzWennNichts) const;
    const Spalte* SpalteNr(int spalte) const;
    void Zeichnen(const Kopfzeile& z);

    Seitengeraet& geraet_;
    std::string titel_;
    int pxX_ = 1, pxY_ = 1;
    int offX_ = 0, offY_ = 0;            // unprintable border left, top
    int physB_ = 0, physH_ = 0;          // sheet
    int druckB_ = 0, druckH_ = 0;        // printable area
    int unprR_ = 0, unprU_ = 0;          // unprintable border right, bottom
    int randO_ = 0, randU_ = 0, randL_ = 0, randR_ = 0;  // margins in effect, px
    double seitenBreiteMM_ = 0, seitenHoeheMM_ = 0;
    double druckbreite_ = 0;
    double zeilenhoehe_ = 0;
    int schriftHoehePx_ = 0;
    double positionY_ = 0;
    double startY_ = 0;
    double untereGrenze_ = 0;
    std::array<Spalte, SpaltenAnzahl> spalten_{};
    std::array<Kopfzeile, KopfzeilenAnzahl> kopf_{};
    Kopfzeile seitenzahl_;
    Druckschrift schrift_;
    Druckschrift gemerkt_;
    int seite_ = 1;
};

}  // namespace talerwerk
