#include "app/ttitelbild.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "app/programmablauf.h"

void TalerwerkRessourcenLaden() {
    static bool geladen = false;
    if (geladen) return;
    geladen = true;
    Q_INIT_RESOURCE(talerwerk);
}

namespace {

// Draws an SVG of the resources at the given size, sharp on high-density screens too.
QPixmap SvgBild(const QString& pfad, QSize groesse, qreal dichte) {
    QPixmap bild(groesse * dichte);
    bild.setDevicePixelRatio(dichte);
    bild.fill(Qt::transparent);
    QSvgRenderer zeichner(pfad);
    QPainter maler(&bild);
    zeichner.render(&maler, QRectF(QPointF(0, 0), QSizeF(groesse)));
    return bild;
}

}  // namespace

TTitelbild::TTitelbild(QWidget* eltern) : QFrame(eltern) {
    TalerwerkRessourcenLaden();
    setObjectName(eltern ? QStringLiteral("LogoPanel") : QStringLiteral("Titelbild"));
    if (!eltern) setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette farben = palette();
    farben.setColor(QPalette::Window, QColor(0xfb, 0xf7, 0xec));
    farben.setColor(QPalette::WindowText, QColor(0x3a, 0x2e, 0x12));
    setPalette(farben);

    const qreal dichte = devicePixelRatioF();
    auto* bild = new QLabel(this);
    bild->setObjectName(QStringLiteral("Bild"));
    bild->setPixmap(SvgBild(QStringLiteral(":/titelbild.svg"), QSize(320, 150), dichte));
    bild->setAlignment(Qt::AlignCenter);

    auto* zeile = new QHBoxLayout;
    auto* symbol = new QLabel(this);
    symbol->setPixmap(SvgBild(QStringLiteral(":/talerwerk.svg"), QSize(40, 40), dichte));
    auto* titel = new QLabel(QString::fromUtf8(talerwerk::ProgrammName), this);
    titel->setObjectName(QStringLiteral("Titel"));
    QFont schrift = titel->font();
    schrift.setPointSizeF(schrift.pointSizeF() * 2.2);
    schrift.setBold(true);
    titel->setFont(schrift);
    zeile->addStretch();
    zeile->addWidget(symbol);
    zeile->addSpacing(8);
    zeile->addWidget(titel);
    zeile->addStretch();

    auto* version = new QLabel(QString::fromUtf8(talerwerk::ProgrammVersion), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setAlignment(Qt::AlignCenter);

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(24, 20, 24, 18);
    spalte->setSpacing(6);
    spalte->addWidget(bild);
    spalte->addLayout(zeile);
    spalte->addWidget(version);
    adjustSize();
    if (!eltern) Zentrieren();
}

void TTitelbild::Zentrieren() {
    QScreen* schirm = QGuiApplication::primaryScreen();
    if (!schirm) return;
    QRect flaeche = schirm->availableGeometry();
    move(flaeche.center() - rect().center());
}

void TTitelbild::mousePressEvent(QMouseEvent* ereignis) {
    // As the logo panel inside the main window a click puts it away early.
    if (parentWidget()) hide();
    QFrame::mousePressEvent(ereignis);
}
