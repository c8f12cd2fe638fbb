#include "printing/druckauftrag.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace talerwerk {

namespace {

// Every rounding of the engine: to the nearest whole number, halves to even.
int Runden(double wert) { return static_cast<int>(std::lrint(wert)); }

bool Folgebyte(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

std::string_view Utf8Praefix(std::string_view text, size_t bytes) {
    if (bytes >= text.size()) return text;
    while (bytes > 0 && Folgebyte(static_cast<unsigned char>(text[bytes]))) --bytes;
    return text.substr(0, bytes);
}

std::string SeitenzahlText(std::string_view format, int seite) {
    std::string text(format);
    const size_t stelle = text.find("%d");
    if (stelle != std::string::npos) text.replace(stelle, 2, std::to_string(seite));
    return text;
}

Druckauftrag::Druckauftrag(Seitengeraet& geraet) : geraet_(geraet) { Messen(); }

int Druckauftrag::MmZuPxX(double mm) const { return Runden(mm * pxX_); }
int Druckauftrag::MmZuPxY(double mm) const { return Runden(mm * pxY_); }

void Druckauftrag::Messen() {
    schriftHoehePx_ = geraet_.Schrifthoehe();
    const int hoehe = schriftHoehePx_ + geraet_.Durchschuss();
    pxX_ = std::max(1, Runden(geraet_.DpiX() * 0.0393700787));
    pxY_ = std::max(1, Runden(geraet_.DpiY() * 0.0393700787));
    const Pixelrechteck papier = geraet_.Papier();
    const Pixelrechteck bereich = geraet_.Druckbereich();
    offX_ = std::max(0, bereich.X);
    offY_ = std::max(0, bereich.Y);
    physB_ = std::max(0, papier.Breite);
    physH_ = std::max(0, papier.Hoehe);
    druckB_ = std::max(0, bereich.Breite);
    druckH_ = std::max(0, bereich.Hoehe);
    seitenBreiteMM_ = physB_ / static_cast<double>(pxX_);
    seitenHoeheMM_ = physH_ / static_cast<double>(pxY_);
    unprR_ = std::max(0, physB_ - offX_ - druckB_);
    unprU_ = std::max(0, physH_ - offY_ - druckH_);
    randL_ = std::max(randL_, offX_);
    randO_ = std::max(randO_, offY_);
    randR_ = std::max(randR_, unprR_);
    randU_ = std::max(randU_, unprU_);
    druckbreite_ = seitenBreiteMM_ - PxZuMmX(randL_) - PxZuMmX(randR_);
    zeilenhoehe_ = hoehe / static_cast<double>(pxY_);
}

void Druckauftrag::SetzeAusrichtung(bool querformat) {
    geraet_.Querformat(querformat);  // a refusal leaves the page as it is
    Messen();
}

void Druckauftrag::Beginne() {
    geraet_.Titel(titel_);
    geraet_.Beginnen();
    randO_ = randU_ = randL_ = randR_ = 0;
    Messen();
    for (Kopfzeile& k : kopf_) k = Kopfzeile{};
    seitenzahl_.Text.clear();
    positionY_ = 0;
    seite_ = 1;
}

void Druckauftrag::SetzeRaender(double oben, double unten, double links, double rechts) {
    if (links + rechts >= seitenBreiteMM_) links = rechts = 0;
    if (oben + unten >= seitenHoeheMM_) oben = unten = 0;
    auto px = [](double mm, int proMM, int minimum) { return mm <= 0 ? minimum : std::max(minimum, Runden(mm * proMM)); };
    randL_ = px(links, pxX_, offX_);
    randR_ = px(rechts, pxX_, unprR_);
    randO_ = px(oben, pxY_, offY_);
    randU_ = px(unten, pxY_, unprU_);
    Messen();
}

void Druckauftrag::SetzeSeitengrenzen(double untereGrenze, double startY) {
    untereGrenze_ = untereGrenze;
    startY_ = startY;
    positionY_ = startY - zeilenhoehe_;
}

void Druckauftrag::NeueSeite() {
    KopfzeilenDrucken();
    positionY_ = startY_ - zeilenhoehe_;
    geraet_.NeueSeite();
    ++seite_;
}

void Druckauftrag::Beende() {
    KopfzeilenDrucken();
    geraet_.Beenden();
}

void Druckauftrag::SetzeSchrift(const Druckschrift& schrift) {
    schrift_ = schrift;
    geraet_.Schrift(schrift, Runden(pxY_ * 25.4));
    Messen();
}

void Druckauftrag::Zeichnen(const Kopfzeile& z) {
    SetzeSchrift(z.Schrift);
    switch (z.Ausr) {
    case Ausrichtung::Links: TextAn(z.Text, z.Y, -1); break;
    case Ausrichtung::Mitte: TextMitte(z.Text, z.Y); break;
    case Ausrichtung::Rechts: TextRechts(z.Text, z.Y); break;
    }
}

void Druckauftrag::KopfzeilenDrucken() {
    const Druckschrift koerper = schrift_;
    // The header lines count their positions from the top line, never from where the body
    // stopped; an empty line prints nothing but keeps its place, so a line placed relative to it
    // (the date beside the third client line) stays at the top of the page.
    const double koerperY = positionY_;
    positionY_ = 0;
    for (const Kopfzeile& k : kopf_) {
        if (k.Text.empty()) {
            if (k.Y >= 0) positionY_ = k.Y;
            else if (k.Y == NaechsteZeileY) positionY_ += zeilenhoehe_;
            continue;
        }
        Zeichnen(k);
        SetzeSchrift(koerper);
    }
    if (!seitenzahl_.Text.empty()) {
        Kopfzeile z = seitenzahl_;
        z.Text = SeitenzahlText(seitenzahl_.Text, seite_);
        Zeichnen(z);
        SetzeSchrift(koerper);
    }
    positionY_ = koerperY;
}

std::string_view Druckauftrag::Kuerzen(std::string_view text, int breitePx, bool ganzWennNichts) const {
    if (geraet_.TextBreite(text) <= breitePx) return text;
    // Widths of prefixes grow with their length: the longest that fits is found by halving over
    // the ends of whole characters.
    std::vector<size_t> enden;
    for (size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || !Folgebyte(static_cast<unsigned char>(text[i]))) enden.push_back(i);
    size_t lo = 0, hi = enden.size();  // the first `lo` ends fit; those from `hi` on do not
    while (lo < hi) {
        const size_t mitte = lo + (hi - lo) / 2;
        if (geraet_.TextBreite(text.substr(0, enden[mitte])) <= breitePx)
            lo = mitte + 1;
        else
            hi = mitte;
    }
    const std::string_view passt = lo == 0 ? std::string_view() : text.substr(0, enden[lo - 1]);
    if (passt.empty() && ganzWennNichts) return text;
    return passt;
}

void Druckauftrag::TextPx(std::string_view text, double y, int xPx) {
    int x = (xPx < 0 ? 0 : xPx) + randL_;
    x = std::max(x, offX_);
    int yPx = 0;
    if (y >= 0) {
        positionY_ = y;
        yPx = Runden(y * pxY_) + randO_;
    } else {
        if (y == NaechsteZeileY) positionY_ += zeilenhoehe_;
        yPx = Runden(positionY_ * pxY_) + randO_;
    }
    // Whatever a layout asks, the text stays on the printable part of the sheet: not above it,
    // not below it, and cut at a whole character where it would run past its right edge.
    const int unten = offY_ + druckH_ - schriftHoehePx_;
    yPx = std::max(offY_, std::min(yPx, unten));
    const int rechts = offX_ + druckB_;
    if (x >= rechts) return;
    const std::string_view sichtbar = Kuerzen(text, rechts - x, false);
    if (sichtbar.empty()) return;
    geraet_.Text(x - offX_, yPx - offY_, sichtbar);
}

void Druckauftrag::TextAn(std::string_view text, double y, double x) { TextPx(text, y, x < 0 ? -1 : MmZuPxX(x)); }

const Druckauftrag::Spalte* Druckauftrag::SpalteNr(int spalte) const {
    if (spalte < 1 || spalte > SpaltenAnzahl) return nullptr;
    return &spalten_[static_cast<size_t>(spalte - 1)];
}

void Druckauftrag::TextSpalte(int spalte, std::string_view text, bool kuerzen, double y) {
    const Spalte* s = SpalteNr(spalte);
    if (!s) return;
    if (kuerzen) text = Kuerzen(text, MmZuPxX(s->Breite), true);
    TextPx(text, y, MmZuPxX(s->Links));
}

void Druckauftrag::TextSpalteRechts(int spalte, std::string_view text, bool kuerzen, double y) {
    const Spalte* s = SpalteNr(spalte);
    if (!s) return;
    if (kuerzen) text = Kuerzen(text, MmZuPxX(s->Breite), true);
    TextPx(text, y, MmZuPxX(s->Links + s->Breite) - geraet_.TextBreite(text));
}

void Druckauftrag::TextSpalteMitte(int spalte, std::string_view text, double y) {
    const Spalte* s = SpalteNr(spalte);
    if (!s) return;
    text = Kuerzen(text, MmZuPxX(s->Breite), true);
    TextPx(text, y, MmZuPxX(s->Breite) / 2 + MmZuPxX(s->Links) - geraet_.TextBreite(text) / 2);
}

void Druckauftrag::TextRechts(std::string_view text, double y) {
    TextPx(text, y, physB_ - randL_ - randR_ - geraet_.TextBreite(text));
}

void Druckauftrag::TextMitte(std::string_view text, double y) {
    TextPx(text, y, (physB_ - randL_ - randR_) / 2 - geraet_.TextBreite(text) / 2);
}

void Druckauftrag::Linie(double x1, double y1, double x2, double y2, double dicke) {
    // Lines, too, stay on the printable part of the sheet.
    auto x = [&](double mm) { return std::clamp(MmZuPxX(mm) + randL_ - offX_, 0, druckB_); };
    auto y = [&](double mm) { return std::clamp(MmZuPxY(mm) + randO_ - offY_, 0, druckH_); };
    geraet_.Linie(x(x1), y(y1), x(x2), y(y2), std::max(1, MmZuPxX(dicke)));
}

void Druckauftrag::SetzeSpalte(int spalte, double links, double breite) {
    if (spalte < 1 || spalte > SpaltenAnzahl) return;
    spalten_[static_cast<size_t>(spalte - 1)] = {links, breite};
}

void Druckauftrag::SetzeKopfzeile(int nr, const std::string& text, const Druckschrift& schrift,
                                  Ausrichtung ausrichtung, double y) {
    if (nr < 1 || nr > KopfzeilenAnzahl) return;
    kopf_[static_cast<size_t>(nr - 1)] = {text, schrift, ausrichtung, y};
}

void Druckauftrag::SetzeSeitenzahl(const std::string& format, Ausrichtung ausrichtung, const Druckschrift& schrift,
                                   double y) {
    seitenzahl_ = {format, schrift, ausrichtung, y};
}

double Druckauftrag::TextBreiteMM(std::string_view text) const { return PxZuMmX(geraet_.TextBreite(text)); }

}  // namespace talerwerk
