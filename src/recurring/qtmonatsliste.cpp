#include "recurring/qtmonatsliste.h"

#include <QListWidget>

namespace {
const char* const MonatsKurz[12] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                    "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
}

QListWidget* MonatslisteAnlegen(QWidget* eltern, bool bedienbar) {
    auto* liste = new QListWidget(eltern);
    liste->setObjectName(QStringLiteral("MonatsListBox"));
    liste->setFlow(QListView::TopToBottom);
    liste->setWrapping(true);
    liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    liste->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (!bedienbar) {
        liste->setSelectionMode(QAbstractItemView::NoSelection);
        liste->setFocusPolicy(Qt::NoFocus);
    }
    for (const char* m : MonatsKurz) {
        auto* eintrag = new QListWidgetItem(QString::fromUtf8(m), liste);
        eintrag->setFlags(bedienbar ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable
                                    : Qt::ItemIsEnabled);
        eintrag->setCheckState(Qt::Unchecked);
    }
    const int hoehe = liste->sizeHintForRow(0) + 4;
    const int breite = liste->sizeHintForColumn(0) + 20;
    liste->setGridSize(QSize(breite, hoehe));
    const int rand = 2 * liste->frameWidth() + 6;
    liste->setFixedSize(3 * breite + rand, 4 * hoehe + rand);
    return liste;
}

void MonateSetzen(QListWidget* liste, const std::array<bool, 12>& monate) {
    for (int i = 0; i < 12; ++i)
        liste->item(i)->setCheckState(monate[static_cast<size_t>(i)] ? Qt::Checked : Qt::Unchecked);
}

std::array<bool, 12> MonateLesen(const QListWidget* liste) {
    std::array<bool, 12> m{};
    for (int i = 0; i < 12; ++i) m[static_cast<size_t>(i)] = liste->item(i)->checkState() == Qt::Checked;
    return m;
}
