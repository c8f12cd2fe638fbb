#include "evaluation/qtgridmodell.h"

#include <QBrush>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

using namespace talerwerk;

QColor FarbeAusEinstellung(int32_t wert) {
    return QColor(wert & 0xFF, (wert >> 8) & 0xFF, (wert >> 16) & 0xFF);
}

QtGridModell::QtGridModell(const Einstellungen& einstellungen, QObject* eltern)
    : QAbstractTableModel(eltern), einstellungen_(einstellungen) {
    fett_.setBold(true);
}

void QtGridModell::Setzen(Grid grid) {
    // A new grid may have another number of columns: the view must forget the old heading too.
    beginResetModel();
    grid_ = std::move(grid);
    macher_ = nullptr;
    anzahl_ = 0;
    gemacht_ = SIZE_MAX;
    letzte_ = GridZeile();
    endResetModel();
}

void QtGridModell::Setzen(Grid kopf, std::function<GridZeile(size_t)> zeile, size_t anzahl) {
    beginResetModel();
    grid_ = std::move(kopf);
    grid_.Zeilen.clear();
    macher_ = std::move(zeile);
    anzahl_ = macher_ ? anzahl : 0;
    gemacht_ = SIZE_MAX;
    letzte_ = GridZeile();
    endResetModel();
}

size_t QtGridModell::Zeilenzahl() const { return macher_ ? anzahl_ : grid_.Zeilen.size(); }

const GridZeile* QtGridModell::GanzeZeile(size_t zeile) const {
    if (zeile >= Zeilenzahl()) return nullptr;
    if (!macher_) return &grid_.Zeilen[zeile];
    if (gemacht_ != zeile) {
        letzte_ = macher_(zeile);
        gemacht_ = zeile;
    }
    return &letzte_;
}

const TGridDaten* QtGridModell::Zeile(int zeile) const {
    if (zeile < 0) return nullptr;
    const GridZeile* z = GanzeZeile(static_cast<size_t>(zeile));
    return z ? &z->Daten : nullptr;
}

QColor QtGridModell::Farbe(Farbklasse klasse) const {
    switch (klasse) {
    case Farbklasse::Positiv: return FarbeAusEinstellung(einstellungen_.Positiv);
    case Farbklasse::Negativ: return FarbeAusEinstellung(einstellungen_.Negativ);
    case Farbklasse::Grau: return QColor(0x80, 0x80, 0x80);
    case Farbklasse::Text: break;
    }
    return QColor(Qt::black);
}

int QtGridModell::rowCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : static_cast<int>(Zeilenzahl());
}

int QtGridModell::columnCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : static_cast<int>(grid_.Spalten());
}

QVariant QtGridModell::data(const QModelIndex& index, int rolle) const {
    if (!index.isValid() || index.row() < 0) return {};
    const GridZeile* gemacht = GanzeZeile(static_cast<size_t>(index.row()));
    if (!gemacht) return {};
    const GridZeile& zeile = *gemacht;
    const size_t spalte = static_cast<size_t>(index.column());
    switch (rolle) {
    case Qt::DisplayRole:
        return spalte < zeile.Zellen.size() ? QString::fromStdString(zeile.Zellen[spalte]) : QString();
    case Qt::ToolTipRole: {
        // A heading text wider than its column is cut off in the view; the tip shows it whole.
        if (spalte >= zeile.Zellen.size() || zeile.Zellen[spalte].empty()) return {};
        return QString::fromStdString(zeile.Zellen[spalte]);
    }
    case Qt::ForegroundRole: {
        const Farbklasse klasse = spalte < zeile.Daten.Farben.size() ? zeile.Daten.Farben[spalte] : Farbklasse::Text;
        return QBrush(Farbe(klasse));
    }
    case Qt::BackgroundRole: {
        std::optional<QColor> farbe;
        if (Hintergrund) farbe = Hintergrund(zeile.Daten, index.column());
        return QBrush(farbe.value_or(QColor(Qt::white)));
    }
    case Qt::FontRole:
        if (Fett && Fett(zeile.Daten, index.column())) return fett_;
        return {};
    case Qt::TextAlignmentRole: {
        // Amounts stand right-aligned, everything else left.
        const bool betrag = (WerteRechts && spalte > 0) ||
                            (spalte < zeile.Daten.Betraege.size() && zeile.Daten.Betraege[spalte].has_value());
        return QVariant::fromValue(Qt::Alignment(Qt::AlignVCenter | (betrag ? Qt::AlignRight : Qt::AlignLeft)));
    }
    default:
        return {};
    }
}

QVariant QtGridModell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const {
    if (richtung != Qt::Horizontal || abschnitt < 0 || static_cast<size_t>(abschnitt) >= grid_.Kopf.size())
        return {};
    if (rolle == Qt::DisplayRole) return QString::fromStdString(grid_.Kopf[static_cast<size_t>(abschnitt)]);
    // The first column holds the captions of the rows: its heading stands left like them.
    if (rolle == Qt::TextAlignmentRole && abschnitt == 0)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

void SpaltenbreitenAnpassen(QTableView* view, const QtGridModell& modell, int ersteMindestens, int mindestens,
                            int hoechstens) {
    QFont fett = view->font();
    fett.setBold(true);
    const QFontMetrics m(fett);
    const QFontMetrics kopf(view->horizontalHeader()->font());
    const Grid& g = modell.Daten();
    constexpr int Rand = 16;  // cell margins and a little air
    for (size_t spalte = 0; spalte < g.Spalten(); ++spalte) {
        int breite = std::max(spalte == 0 ? ersteMindestens : mindestens,
                              kopf.horizontalAdvance(QString::fromStdString(g.Kopf[spalte])) + Rand);
        for (size_t i = 0; i < modell.Zeilenzahl(); ++i) {
            const GridZeile& z = *modell.GanzeZeile(i);
            if (spalte < z.Zellen.size() && !z.Zellen[spalte].empty())
                breite = std::max(breite, m.horizontalAdvance(QString::fromStdString(z.Zellen[spalte])) + Rand);
        }
        view->setColumnWidth(static_cast<int>(spalte), std::min(breite, hoechstens));
    }
}

QTableView* GridTabelle(QWidget* eltern, QtGridModell* modell, const char* name, bool zeilen) {
    auto* t = new QTableView(eltern);
    t->setObjectName(QString::fromLatin1(name));
    t->setModel(modell);
    if (zeilen) t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setWordWrap(false);
    t->setTabKeyNavigation(false);  // Tab leaves the grid for the next control
    t->verticalHeader()->hide();
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setMinimumSectionSize(4);
    t->verticalHeader()->setDefaultSectionSize(std::max(18, eltern->fontMetrics().height() + 4));
    t->horizontalHeader()->setSectionsMovable(false);
    t->horizontalHeader()->setHighlightSections(false);
    return t;
}
