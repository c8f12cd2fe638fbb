#include "evaluation/tdiagrammbild.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

using namespace talerwerk;

TDiagrammBild::TDiagrammBild(QWidget* eltern) : QWidget(eltern) {
    setObjectName(QStringLiteral("DiagrammImage"));
    setMinimumSize(160, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Every pixel is painted on each repaint: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TDiagrammBild::Setzen(Gesamtentwicklung entwicklung, DiagrammAnzeige anzeige, QColor positiv, QColor negativ,
                           QString waehrung) {
    entwicklung_ = std::move(entwicklung);
    anzeige_ = anzeige;
    positiv_ = positiv;
    negativ_ = negativ;
    waehrung_ = std::move(waehrung);
    update();
}

void TDiagrammBild::AnzeigeSetzen(DiagrammAnzeige anzeige) {
    anzeige_ = anzeige;
    update();
}

Diagramm TDiagrammBild::Geometrie(QSize groesse) const {
    const QFontMetrics m(font());
    DiagrammVorgaben v;
    v.Breite = groesse.width();
    v.Hoehe = groesse.height();
    v.Textbreite = [&m](const std::string& t) { return m.horizontalAdvance(QString::fromStdString(t)); };
    v.Waehrung = waehrung_.toStdString();
    return DiagrammBerechnen(entwicklung_, anzeige_, v);
}

void TDiagrammBild::Zeichnen(QPainter& p, QSize groesse) const {
    const Diagramm c = Geometrie(groesse);
    const QFontMetrics m(p.font());
    p.fillRect(QRect(QPoint(0, 0), groesse), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    const int rechts = groesse.width() - c.Rand;
    p.drawLine(c.Links, c.Oben, c.Links, c.Oben + c.Hoehe);
    p.drawLine(c.Links, c.Nulllinie, rechts, c.Nulllinie);

    // Scale: ticks across the axis, labels ending 3 pixels left of them, 8 pixels above the line.
    for (const Diagramm::Strich& s : c.Teilstriche) {
        p.drawLine(c.Links - 2, s.Y, c.Links + 2, s.Y);
        const QString text = QString::fromStdString(s.Text);
        const int breite = m.horizontalAdvance(text);
        p.drawText(QRect(c.Links - 2 - 3 - breite, s.Y - 8, breite, m.height()), Qt::AlignLeft | Qt::AlignTop, text);
    }
    p.drawText(QPoint(c.Links + 5, c.Rand - 5), QString::fromStdString(c.Einheitstext));

    // Bars and line stay inside the plot area, also for a value beyond the scale top.
    p.save();
    p.setClipRect(QRect(c.Links, c.Oben, rechts - c.Links + 1, c.Hoehe + 1));
    for (const Diagramm::Saeule& s : c.Saeulen) {
        const QColor farbe = s.Positiv ? positiv_ : negativ_;
        p.setPen(farbe);
        p.setBrush(farbe);
        p.drawRect(s.X, s.Y1, std::max(0, s.Breite - 1), std::max(0, s.Y2 - s.Y1));
    }
    p.setBrush(Qt::white);
    if (c.Linie.size() > 1) {
        p.setPen(QPen(Qt::black, 2));
        QPolygon linie;
        for (const Diagramm::Punkt& q : c.Linie) linie << QPoint(q.X, q.Y);
        p.drawPolyline(linie);
    }
    p.restore();

    p.setPen(QPen(Qt::black, 1));
    for (int x : c.Periodenstriche) p.drawLine(x, c.Nulllinie - 2, x, c.Nulllinie + 2);
    for (const Diagramm::Achsentext& t : c.Achsentexte) {
        const QString text = QString::fromStdString(t.Text);
        const int breite = m.horizontalAdvance(text);
        p.drawText(QRect(t.X - breite / 2, c.Oben + c.Hoehe - 4, breite, m.height()), Qt::AlignLeft | Qt::AlignTop,
                   text);
    }
}

void TDiagrammBild::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Zeichnen(p, size());
}

bool TDiagrammBild::Speichern(const QString& pfad) const {
    const QSize groesse = size();
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly)) return false;
    if (QFileInfo(pfad).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&datei);
        svg.setSize(groesse);
        svg.setViewBox(QRect(QPoint(0, 0), groesse));
        svg.setTitle(QStringLiteral("Gesamtentwicklung"));
        QPainter p;
        if (!p.begin(&svg)) return false;
        p.setFont(font());
        Zeichnen(p, groesse);
        p.end();
    } else {
        QImage bild(groesse, QImage::Format_RGB32);
        QPainter p(&bild);
        p.setFont(font());
        Zeichnen(p, groesse);
        p.end();
        if (!bild.save(&datei, "PNG")) return false;
    }
    return datei.commit();
}
