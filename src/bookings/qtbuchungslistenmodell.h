#pragma once
// The booking list's rows for a Qt view. The model holds nothing of its own: the row count, every
// cell's text and the picture come from the core's Buchungsliste when the view asks, and a view
// asks only for the rows it shows, so a list of a million bookings costs no more to show than one
// of ten.
//
//   talerwerk::Buchungsliste liste;
//   QtBuchungslistenModell modell(liste);
//   view->setModel(&modell);
//   modell.Neu([&] { liste.Aktualisieren(d, q, spalte); });   // the view forgets the old rows

#include <QAbstractTableModel>
#include <QIcon>

#include <array>
#include <functional>

#include "bookings/buchungsliste.h"

class QtBuchungslistenModell : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit QtBuchungslistenModell(const talerwerk::Buchungsliste& liste, QObject* eltern = nullptr);

    // Runs a change of the list (refresh or sort) and tells the views that every row changed.
    void Neu(const std::function<void()>& aenderung);

    int rowCount(const QModelIndex& eltern = {}) const override;
    int columnCount(const QModelIndex& eltern = {}) const override;
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
    QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle = Qt::DisplayRole) const override;

    // The picture of a booking type (0 income, 1 expense, 2 transfer).
    static QIcon Bild(int32_t bart);

private:
    const talerwerk::Buchungsliste& liste_;
};
