#include "printing/qtseitengeraet.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>

#include <cmath>

using namespace talerwerk;

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

Pixelrechteck Rechteck(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

QtSeitengeraet::QtSeitengeraet(QPagedPaintDevice& geraet) : geraet_(geraet), masse_(schrift_, &geraet) {}

QtSeitengeraet::~QtSeitengeraet() { Abschliessen(); }

QColor QtSeitengeraet::Farbe(int32_t bgr) {
    const auto wert = static_cast<uint32_t>(bgr);
    return QColor(static_cast<int>(wert & 0xFF), static_cast<int>((wert >> 8) & 0xFF),
                  static_cast<int>((wert >> 16) & 0xFF));
}

int QtSeitengeraet::DpiX() const { return geraet_.logicalDpiX(); }
int QtSeitengeraet::DpiY() const { return geraet_.logicalDpiY(); }

Pixelrechteck QtSeitengeraet::Papier() const {
    return Rechteck(geraet_.pageLayout().fullRectPixels(geraet_.logicalDpiX()));
}

Pixelrechteck QtSeitengeraet::Druckbereich() const {
    return Rechteck(geraet_.pageLayout().paintRectPixels(geraet_.logicalDpiX()));
}

void QtSeitengeraet::Titel(const std::string& titel) {
    if (TitelSetzen && !begonnen_) TitelSetzen(Q(titel));
}

bool QtSeitengeraet::Querformat(bool quer) {
    // Once the painter runs, the sheet of the job is fixed.
    if (begonnen_) return false;
    return geraet_.setPageOrientation(quer ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void QtSeitengeraet::Beginnen() {
    if (fehler_) return;
    if (begonnen_) {
        // A further copy: the same job, on a new sheet.
        if (!geraet_.newPage()) fehler_ = true;
        return;
    }
    begonnen_ = true;
    if (!maler_.begin(&geraet_)) {
        fehler_ = true;
        return;
    }
    maler_.setRenderHint(QPainter::TextAntialiasing);
    if (!schrift_.family().isEmpty()) maler_.setFont(schrift_);
}

void QtSeitengeraet::NeueSeite() {
    if (maler_.isActive() && !geraet_.newPage()) fehler_ = true;
}

void QtSeitengeraet::Beenden() {}

bool QtSeitengeraet::Abschliessen() {
    if (maler_.isActive() && !maler_.end()) fehler_ = true;
    return !fehler_;
}

void QtSeitengeraet::Schrift(const Druckschrift& schrift, int dpi) {
    QFont f(Q(schrift.Name));
    // The size in points at the engine's resolution, in whole pixels.
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(schrift.Groesse * dpi / 72.0))));
    f.setBold(schrift.Stil[0]);
    f.setItalic(schrift.Stil[1]);
    f.setUnderline(schrift.Stil[2]);
    f.setStrikeOut(schrift.Stil[3]);
    schrift_ = f;
    masse_ = QFontMetrics(schrift_, &geraet_);
    farbe_ = Farbe(schrift.Farbe);
    if (maler_.isActive()) {
        maler_.setFont(schrift_);
        maler_.setPen(farbe_);
    }
}

int QtSeitengeraet::Schrifthoehe() const { return masse_.height(); }

int QtSeitengeraet::Durchschuss() const { return std::max(0, masse_.leading()); }

int QtSeitengeraet::TextBreite(std::string_view text) const {
    return masse_.horizontalAdvance(Q(text));
}

void QtSeitengeraet::Text(int x, int y, std::string_view text) {
    if (!maler_.isActive()) return;
    maler_.setFont(schrift_);
    maler_.setPen(farbe_);
    maler_.drawText(QPoint(x, y + masse_.ascent()), Q(text));
}

void QtSeitengeraet::Linie(int x1, int y1, int x2, int y2, int dicke) {
    if (!maler_.isActive()) return;
    QPen stift(Qt::black);
    stift.setWidth(dicke);
    stift.setCapStyle(Qt::FlatCap);
    maler_.setPen(stift);
    maler_.drawLine(x1, y1, x2, y2);
    maler_.setPen(farbe_);
}
