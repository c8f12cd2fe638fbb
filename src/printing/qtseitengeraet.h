#pragma once
// The page device over a QPagedPaintDevice: a printer, a PDF writer or the print preview's
// printer, drawn with one QPainter. Every copy of a job continues the same painter on a new page,
// so a printer gets one job with all copies and the preview shows them all; Abschliessen (or the
// destructor) ends the painter.
//
//   QPdfWriter pdf(&datei);
//   QtSeitengeraet geraet(pdf);
//   BerichtDrucken(geraet, anfrage, umgebung, fortschritt);
//   geraet.Abschliessen();

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <functional>

#include "printing/seitengeraet.h"

class QPagedPaintDevice;

class QtSeitengeraet : public talerwerk::Seitengeraet {
public:
    explicit QtSeitengeraet(QPagedPaintDevice& geraet);
    ~QtSeitengeraet() override;

    // Where the job title goes (QPrinter::setDocName, QPdfWriter::setTitle).
    std::function<void(const QString&)> TitelSetzen;

    int DpiX() const override;
    int DpiY() const override;
    talerwerk::Pixelrechteck Papier() const override;
    talerwerk::Pixelrechteck Druckbereich() const override;
    void Titel(const std::string& titel) override;
    bool Querformat(bool quer) override;
    void Beginnen() override;
    void NeueSeite() override;
    void Beenden() override;
    void Schrift(const talerwerk::Druckschrift& schrift, int dpi) override;
    int Schrifthoehe() const override;
    int Durchschuss() const override;
    int TextBreite(std::string_view text) const override;
    void Text(int x, int y, std::string_view text) override;
    void Linie(int x1, int y1, int x2, int y2, int dicke) override;

    // Ends the painter; false when the device failed (the file or printer could not be written).
    bool Abschliessen();
    bool Fehlgeschlagen() const { return fehler_; }

    // 0x00BBGGRR as a colour.
    static QColor Farbe(int32_t bgr);

private:
    QPagedPaintDevice& geraet_;
    QPainter maler_;
    QFont schrift_;
    QFontMetrics masse_;  // of schrift_ on the device
    QColor farbe_;
    bool begonnen_ = false;
    bool fehler_ = false;
};
