#include "bookings/qtbuchungsart.h"

#include <QGuiApplication>
#include <QPainter>

namespace talerwerk {

QColor ArtFarbeQt(ArtFarbe f) {
    switch (f) {
        case ArtFarbe::Rot:
            return QColor(200, 0, 0);
        case ArtFarbe::Gelb:
            // Yellow that stays readable on the light panel.
            return QColor(190, 140, 0);
        default:
            return QColor(0, 0, 200);
    }
}

QPixmap ArtBild(int32_t bart, int groesse) {
    const ArtTexte t = ArtTexteVon(bart);
    const qreal dpr = qApp->devicePixelRatio();
    QPixmap bild(QSize(groesse, groesse) * dpr);
    bild.setDevicePixelRatio(dpr);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ArtFarbeQt(t.Farbe));
    const qreal d = groesse - 2;
    p.drawEllipse(QRectF(1, 1, d, d));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(qRound(groesse * 0.66));
    p.setFont(f);
    p.setPen(Qt::white);
    const QString zeichen = t.BArt == BArtEinnahme  ? QStringLiteral("+")
                            : t.BArt == BArtAusgabe ? QStringLiteral("−")
                                                    : QStringLiteral("⇄");
    p.drawText(QRectF(1, 0, d, d), Qt::AlignCenter, zeichen);
    return bild;
}

}  // namespace talerwerk
