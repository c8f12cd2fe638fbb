#pragma once
// Any evaluation grid of the core (grid.h) for a Qt table view. The model keeps the grid the
// builder returned and hands out, when a view asks for a cell, its text, its colour from the
// row's descriptor and its alignment (amounts right); a view asks only for the rows it shows, so
// a sheet of a hundred thousand rows costs no more to show than one of ten. Every evaluation
// window uses this one model; what differs between them (which rows are bold, which cells have
// a silver background) is given as two small functions of the row's descriptor.
//
//   QtGridModell modell(einstellungen);
//   modell.Fett = [](const talerwerk::TGridDaten& z, int spalte) { return z.Zeilenart == 1; };
//   view->setModel(&modell);
//   modell.Setzen(KontenblattAufbauen(...));   // the view forgets the old rows
//
// A grid of a million rows is not made at all: the booking overview hands the model its caption
// and heading with a function that makes row i, and the model makes a row only when a view asks
// for one of its cells, keeping the last one made (a view asks per cell and per role).
//
//   modell.Setzen(kopf, [u](size_t i) { return u.Zeile(i); }, u.Zeilenzahl());

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>

#include <cstdint>
#include <functional>
#include <optional>

#include "evaluation/grid.h"
#include "store/einstellungen.h"

class QtGridModell : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit QtGridModell(const talerwerk::Einstellungen& einstellungen, QObject* eltern = nullptr);

    // Takes a newly built grid; the views reset.
    void Setzen(talerwerk::Grid grid);
    // Takes the caption and heading of `kopf` (its Zeilen are ignored) and `anzahl` body rows made
    // by `zeile` when asked for; the views reset.
    void Setzen(talerwerk::Grid kopf, std::function<talerwerk::GridZeile(size_t)> zeile, size_t anzahl);
    // The grid last set; with rows made on demand only caption and heading (Zeilen empty).
    const talerwerk::Grid& Daten() const { return grid_; }
    // Number of body rows, either way.
    size_t Zeilenzahl() const;
    // A body row, either way; nullptr outside the grid. With rows made on demand the pointer is
    // valid until another row is asked for.
    const talerwerk::GridZeile* GanzeZeile(size_t zeile) const;
    // The descriptor of a body row; nullptr outside the grid. Valid as long as GanzeZeile's.
    const talerwerk::TGridDaten* Zeile(int zeile) const;

    // Bold text for a cell (default: none).
    std::function<bool(const talerwerk::TGridDaten&, int spalte)> Fett;
    // Columns whose every cell stands right-aligned, also one without an amount (a share);
    // from the second column on when set. Cells with an amount stand right anyway.
    bool WerteRechts = false;
    // Background of a cell; nullopt for the view's own (default: none).
    std::function<std::optional<QColor>(const talerwerk::TGridDaten&, int spalte)> Hintergrund;

    // The colour a colour class stands for, from the settings ("Positiv", "Negativ").
    QColor Farbe(talerwerk::Farbklasse klasse) const;

    int rowCount(const QModelIndex& eltern = {}) const override;
    int columnCount(const QModelIndex& eltern = {}) const override;
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
    QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle = Qt::DisplayRole) const override;

private:
    const talerwerk::Einstellungen& einstellungen_;
    talerwerk::Grid grid_;
    std::function<talerwerk::GridZeile(size_t)> macher_;   // set: rows made on demand
    size_t anzahl_ = 0;
    mutable size_t gemacht_ = SIZE_MAX;                    // the row in letzte_, if any
    mutable talerwerk::GridZeile letzte_;
    QFont fett_;
};

class QTableView;
class QWidget;

// A read-only table over the model as every evaluation window shows it: no row numbers, fixed
// row height for the window's font, Tab leaving the table for the next control, one cell (or,
// with `zeilen`, one row) selected at a time.
QTableView* GridTabelle(QWidget* eltern, QtGridModell* modell, const char* name, bool zeilen = false);

// Widens each column of a small grid (a few hundred cells: the cross tables, the overview) until
// its heading and every cell fit, measured in bold; at least `mindestens` pixels, the first
// column at least `ersteMindestens`, none beyond `hoechstens`.
void SpaltenbreitenAnpassen(QTableView* view, const QtGridModell& modell, int ersteMindestens, int mindestens,
                            int hoechstens = 400);

// Settings colours are 0x00BBGGRR.
QColor FarbeAusEinstellung(int32_t wert);
