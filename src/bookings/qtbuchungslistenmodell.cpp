#include "bookings/qtbuchungslistenmodell.h"

#include "bookings/qtbuchungsart.h"

using namespace talerwerk;

namespace {

constexpr int BetragSpalte = 6;

}  // namespace

QtBuchungslistenModell::QtBuchungslistenModell(const Buchungsliste& liste, QObject* eltern)
    : QAbstractTableModel(eltern), liste_(liste) {}

QIcon QtBuchungslistenModell::Bild(int32_t bart) {
    static const std::array<QIcon, 3> bilder = {QIcon(ArtBild(BArtEinnahme, 16)), QIcon(ArtBild(BArtAusgabe, 16)),
                                                 QIcon(ArtBild(BArtUmbuchung, 16))};
    return bart >= 0 && bart < 3 ? bilder[static_cast<size_t>(bart)] : QIcon();
}

void QtBuchungslistenModell::Neu(const std::function<void()>& aenderung) {
    beginResetModel();
    aenderung();
    endResetModel();
}

int QtBuchungslistenModell::rowCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : static_cast<int>(liste_.Anzahl());
}

int QtBuchungslistenModell::columnCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : BListeSpalten;
}

QVariant QtBuchungslistenModell::data(const QModelIndex& index, int rolle) const {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= liste_.Anzahl()) return {};
    const size_t zeile = static_cast<size_t>(index.row());
    switch (rolle) {
        case Qt::DisplayRole:
            return QString::fromStdString(liste_.Zelle(zeile, index.column()));
        case Qt::DecorationRole:
            return index.column() == 0 ? QVariant(Bild(liste_.BArt(zeile))) : QVariant();
        case Qt::TextAlignmentRole:
            return index.column() == BetragSpalte ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        default:
            return {};
    }
}

QVariant QtBuchungslistenModell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const {
    if (richtung != Qt::Horizontal || rolle != Qt::DisplayRole || abschnitt < 0 || abschnitt >= BListeSpalten)
        return {};
    return QString::fromUtf8(BListeUeberschriften[static_cast<size_t>(abschnitt)]);
}
