#pragma once
// The chart of the overall development: a balance line over result bars with a scale, drawn with
// QPainter from the geometry the core computes for the widget's current size. It follows the
// window's size and can be saved as a PNG or SVG picture of that size.

#include <QColor>
#include <QWidget>

#include "evaluation/gesamtentwicklung.h"

class QPainter;

class TDiagrammBild : public QWidget {
    Q_OBJECT
public:
    explicit TDiagrammBild(QWidget* eltern = nullptr);

    // The series to show, how, the colours of gains and losses and the currency text.
    void Setzen(talerwerk::Gesamtentwicklung entwicklung, talerwerk::DiagrammAnzeige anzeige, QColor positiv,
                QColor negativ, QString waehrung);
    void AnzeigeSetzen(talerwerk::DiagrammAnzeige anzeige);

    // The chart's geometry at a size (the widget's own by default).
    talerwerk::Diagramm Geometrie(QSize groesse) const;
    talerwerk::Diagramm Geometrie() const { return Geometrie(size()); }
    // Draws the whole chart at a size onto any paint device.
    void Zeichnen(QPainter& p, QSize groesse) const;
    // Saves the chart at the widget's size: SVG for a name ending in ".svg", else PNG. False when
    // the file cannot be written.
    bool Speichern(const QString& pfad) const;

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    talerwerk::Gesamtentwicklung entwicklung_;
    talerwerk::DiagrammAnzeige anzeige_ = talerwerk::DiagrammAnzeige::Beides;
    QColor positiv_ = Qt::blue;
    QColor negativ_ = Qt::red;
    QString waehrung_;
};
